// The class registry, reference-counted objects and shared object names.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ReporterCapture.h"
#include "ResString.h"
#include "zCClassDef.h"
#include "zCCrc.h"
#include "zCObject.h"
#include "zCObjectFactory.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"

namespace {

// Test-only classes; their names never collide with engine classes.
class zCTestObject : public zCObject {
    zCLASS_DECLARATION(zCTestObject)

public:
    void ForceRefCtr(std::int32_t value) { refCtr = value; }
    std::uint16_t GetHashSlot() const { return hashIndex; }
};

class zCTestDerived : public zCTestObject {
    zCLASS_DECLARATION(zCTestDerived)
};

class zCTestMaterial : public zCObject {
    zCLASS_DECLARATION(zCTestMaterial)

public:
    std::uint16_t GetHashSlot() const { return hashIndex; }
};

class zCTestFragile : public zCObject {
    zCLASS_DECLARATION(zCTestFragile)

public:
    static inline bool failNext = false;
    zCTestFragile()
    {
        if (failNext)
            throw std::runtime_error("construction failed");
    }
};

class zCTestVisual : public zCObject {
    zCLASS_DECLARATION(zCTestVisual)
};

class zCTestProgMeshProto : public zCTestVisual {
    zCLASS_DECLARATION(zCTestProgMeshProto)
};

class zCTestMeshSoftSkin : public zCTestProgMeshProto {
    zCLASS_DECLARATION(zCTestMeshSoftSkin)
};

// The chain registers derived-first, so no base is found while registering and
// every link has to come from the sort.
zCLASS_DEFINITION(zCTestMeshSoftSkin, zCTestProgMeshProto, 0, 0x0201);
zCLASS_DEFINITION(zCTestProgMeshProto, zCTestVisual, 0, 0x0403);
zCLASS_DEFINITION_ABSTRACT(zCTestVisual, zCObject, 0, 0x0605);
zCLASS_DEFINITION(zCTestObject, zCObject, 0, 0);
zCLASS_DEFINITION(zCTestDerived, zCTestObject, 0, 0);
zCLASS_DEFINITION(zCTestMaterial, zCObject, zCLASS_FLAG_SHARED_OBJECTS, 3);
zCLASS_DEFINITION(zCTestFragile, zCObject, zCLASS_FLAG_SHARED_OBJECTS, 0);

class ClassRegistry : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        zCClassDef::SortRegistry();
    }

    static zCClassDef& Def(const char* name)
    {
        zCClassDef* def = zCClassDef::GetClassDef(name);
        if (!def)
            throw std::runtime_error(std::string("not registered: ") + name);
        return *def;
    }

    template <class T>
    static T* Create()
    {
        zCObject* object = T::classDef.CreateNewInstance();
        T* typed = dynamic_cast<T*>(object);
        EXPECT_NE(typed, nullptr);
        return typed;
    }
};

using Lines = std::vector<std::string>;

struct RegisteredClass {
    const char* name;
    const char* base;  // empty for the root
    std::uint32_t flags;
    std::uint16_t version;
    bool isAbstract;
};

// Every engine class that registers; rows are checked once their class exists.
const RegisteredClass kEngineClasses[] = {
    {"zCObject", "", 0, 0, true},
    {"zCObjectFactory", "zCObject", 0, 0, false},
    {"zCArchiver", "zCObject", 0, 0, true},
    {"zCArchiverGeneric", "zCArchiver", 0, 0, false},
    {"zCArchiverBinSafe", "zCArchiver", 0, 0, false},
    {"zCEventMessage", "zCObject", 0, 1, false},
    {"oCNpcMessage", "zCEventMessage", 0, 0, false},
    {"oCMsgConversation", "oCNpcMessage", 0, 0, false},
    {"zCCSBlockBase", "zCObject", 0, 0, true},
    {"zCCSAtomicBlock", "zCCSBlockBase", 0, 0, false},
    {"zCCSBlock", "zCCSBlockBase", 0, 0, false},
    {"zCCSLib", "zCObject", 0, 0, false},
    {"zCCSManager", "zCObject", 0, 0, false},
    {"zCVisual", "zCObject", 0, 0, true},
    {"zCVisualAnimate", "zCVisual", 0, 0, true},
    {"zCMaterial", "zCObject", 1, 3, false},
    {"zCMesh", "zCVisual", 0, 0, false},
    {"zCProgMeshProto", "zCVisual", 1, 0, false},
    {"zCMeshSoftSkin", "zCProgMeshProto", 0, 0, false},
    {"zCModel", "zCVisualAnimate", 0, 0, false},
    {"zCModelAni", "zCObject", 0, 0, false},
    {"zCModelMeshLib", "zCObject", 1, 0, false},
    {"zCMorphMesh", "zCVisualAnimate", 0, 0, false},
    {"zCResource", "zCObject", 0, 0, true},
    {"zCTexture", "zCResource", 5, 0, true},
    {"zCTextureFileFormat", "zCObject", 0, 0, true},
    {"zCTextureFileFormatInternal", "zCTextureFileFormat", 0, 0, false},
};

TEST_F(ClassRegistry, RegisteredEngineClassesMatchTheirTable)
{
    ASSERT_NE(zCClassDef::GetClassDef("zCObject"), nullptr);
    ASSERT_NE(zCClassDef::GetClassDef("zCObjectFactory"), nullptr);
    EXPECT_TRUE(zCClassDef::IsRegistryReady());

    for (const RegisteredClass& row : kEngineClasses) {
        const zCClassDef* def = zCClassDef::GetClassDef(row.name);
        if (!def)
            continue;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(def->GetBaseClassName(), row.base);
        EXPECT_EQ(def->GetClassFlags(), row.flags);
        EXPECT_EQ(def->GetArchiveVersion(), row.version);
        EXPECT_EQ(def->IsAbstractClass(), row.isAbstract);
        EXPECT_EQ(def->GetScriptClassName(), "");
        if (*row.base) {
            ASSERT_NE(def->GetBaseClassDef(), nullptr);
            EXPECT_EQ(def->GetBaseClassDef()->GetClassName(), row.base);
        } else {
            EXPECT_EQ(def->GetBaseClassDef(), nullptr);
        }
    }

    zCObject* factory = Def("zCObjectFactory").CreateNewInstance();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->GetClassDef(), &zCObjectFactory::classDef);
    EXPECT_EQ(factory->Release(), 0);
}

TEST_F(ClassRegistry, FactoryMakesFilesForAPath)
{
    zCObjectFactory factory;
    zFILE* file = factory.CreateZFile("C:\\Game\\Data\\A.TXT");
    ASSERT_NE(dynamic_cast<zFILE_VDFS*>(file), nullptr);
    EXPECT_EQ(file->GetFile(), "A.TXT");
    EXPECT_EQ(file->GetDirPath(), "C:\\Game\\Data\\");
    EXPECT_FALSE(file->IsOpened());
    delete file;
}

TEST_F(ClassRegistry, SortedRegistryFindsEveryNameAndStaysSortedWhenSortedAgain)
{
    std::map<std::string, std::uint16_t> sums;
    for (int i = 0; i < zCClassDef::GetNum(); ++i) {
        zCClassDef* def = zCClassDef::GetClassDefByIndex(i);
        if (i > 0) {
            zCClassDef* previous = zCClassDef::GetClassDefByIndex(i - 1);
            EXPECT_LT(CompareClassDefNames(&previous, &def), 0) << def->GetClassName();
        }
        EXPECT_EQ(zCClassDef::GetClassDef(def->GetClassName()), def);
        sums[def->GetClassName()] = def->GetArchiveVersionSum();
    }
    EXPECT_EQ(zCClassDef::GetClassDef("zCNoSuchClass"), nullptr);
    EXPECT_EQ(zCClassDef::GetClassDef(""), nullptr);
    EXPECT_EQ(zCClassDef::GetClassDefByIndex(zCClassDef::GetNum()), nullptr);
    EXPECT_EQ(zCClassDef::GetClassDefByIndex(-1), nullptr);

    EXPECT_EQ(zCClassDef::SortRegistry(), 0);
    for (int i = 0; i < zCClassDef::GetNum(); ++i) {
        zCClassDef* def = zCClassDef::GetClassDefByIndex(i);
        EXPECT_EQ(def->GetArchiveVersionSum(), sums[def->GetClassName()]) << def->GetClassName();
    }
}

TEST_F(ClassRegistry, ComparatorOrdersBytesWithThePrefixFirst)
{
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"zCCSBlock", "zCCSBlockBase", -1},
        {"zCCSBlockBase", "zCCSBlock", 1},
        {"zCCSBlock", "zCCSBlock", 0},
        {"zCModel", "zCMesh", 1},
        {"oCNpcMessage", "zCObject", -1},
        {"zCA", "zCa", -1},         // upper case before lower case
        {"zC\xE4", "zCz", 1},       // high bytes count unsigned
    };
    for (const Case& c : cases) {
        // Temporary definitions: they register and leave again.
        zCClassDef a(c.a, "", nullptr, 8, 0, 0);
        zCClassDef b(c.b, "", nullptr, 8, 0, 0);
        const zCClassDef* pa = &a;
        const zCClassDef* pb = &b;
        EXPECT_EQ(CompareClassDefNames(&pa, &pb), c.expected) << c.a << " / " << c.b;
    }
}

TEST_F(ClassRegistry, ClassRegisteredAfterTheSortIsFoundAndLinked)
{
    const int before = zCClassDef::GetNum();
    {
        zCClassDef late("zCTestLateClass", "zCTestObject", nullptr, 8, 0, 7);
        EXPECT_EQ(zCClassDef::GetNum(), before + 1);
        EXPECT_EQ(zCClassDef::GetClassDef("zCTestLateClass"), &late);
        EXPECT_EQ(late.GetBaseClassDef(), &zCTestObject::classDef);
        const unsigned char versions[] = {7, 0, 0, 0, 0, 0};
        EXPECT_EQ(late.GetArchiveVersionSum(), Crc16Buffer(versions, sizeof versions, 0));
        // Lookups of the other classes still work.
        EXPECT_EQ(zCClassDef::GetClassDef("zCTestObject"), &zCTestObject::classDef);
        EXPECT_EQ(zCClassDef::GetClassDef("zCObject"), &zCObject::classDef);
    }
    EXPECT_EQ(zCClassDef::GetNum(), before);
    EXPECT_EQ(zCClassDef::GetClassDef("zCTestLateClass"), nullptr);
    EXPECT_EQ(zCClassDef::GetClassDef("zCTestObject"), &zCTestObject::classDef);
}

TEST_F(ClassRegistry, VersionChecksumCoversTheWholeBaseChain)
{
    const zCClassDef& skin = Def("zCTestMeshSoftSkin");
    ASSERT_NE(skin.GetBaseClassDef(), nullptr);
    ASSERT_NE(skin.GetBaseClassDef()->GetBaseClassDef(), nullptr);
    EXPECT_EQ(skin.GetBaseClassDef()->GetBaseClassDef()->GetBaseClassDef(), &zCObject::classDef);

    // Little-endian versions of the class, then each base up to the root.
    const unsigned char chain[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x00, 0x00};
    EXPECT_EQ(skin.GetArchiveVersionSum(), Crc16Buffer(chain, sizeof chain, 0));
    EXPECT_EQ(skin.GetArchiveVersionSum(), 0x32F3);
    EXPECT_EQ(Def("zCTestProgMeshProto").GetArchiveVersionSum(), 0x3E11);
    const unsigned char root[] = {0x00, 0x00};
    EXPECT_EQ(zCObject::classDef.GetArchiveVersionSum(), Crc16Buffer(root, sizeof root, 0));
}

TEST_F(ClassRegistry, ChecksumDoesNotDependOnRegistrationOrder)
{
    // Each class sorts before its base and registers before it.
    zCClassDef a("zCTestOrderA", "zCTestOrderB", nullptr, 8, 0, 1);
    zCClassDef b("zCTestOrderB", "zCTestOrderC", nullptr, 8, 0, 2);
    zCClassDef c("zCTestOrderC", "zCObject", nullptr, 8, 0, 3);
    const unsigned char chain[] = {1, 0, 2, 0, 3, 0, 0, 0};
    EXPECT_EQ(a.GetArchiveVersionSum(), Crc16Buffer(chain, sizeof chain, 0));
    EXPECT_EQ(b.GetArchiveVersionSum(), Crc16Buffer(chain + 2, sizeof chain - 2, 0));
}

TEST_F(ClassRegistry, BaseCycleIsCutInsteadOfLoopingForever)
{
    zCClassDef a("zCTestCycleA", "zCTestCycleB", nullptr, 8, 0, 1);
    zCClassDef b("zCTestCycleB", "zCTestCycleA", nullptr, 8, 0, 2);
    EXPECT_TRUE(a.GetBaseClassDef() == nullptr || b.GetBaseClassDef() == nullptr);
}

TEST_F(ClassRegistry, AbstractClassCreatesNothingAndReports)
{
    EXPECT_EQ(Def("zCTestVisual").CreateNewInstance(), nullptr);
    EXPECT_EQ(Def("zCObject").CreateNewInstance(), nullptr);
    EXPECT_EQ(Texts(), (Lines{"Error: Tried to create instance of abstrace class: zCTestVisual",
                              "Error: Tried to create instance of abstrace class: zCObject"}));
    EXPECT_EQ(zCTestVisual::classDef.GetNumLivingObjects(), 0);
}

TEST_F(ClassRegistry, CountsFollowTheMostDerivedClass)
{
    zCClassDef& derived = zCTestDerived::classDef;
    zCClassDef& base = zCTestObject::classDef;
    const int living = derived.GetNumLivingObjects();
    const int created = derived.GetNumCreatedObjects();
    const int baseLiving = base.GetNumLivingObjects();

    zCTestDerived* object = Create<zCTestDerived>();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetRefCtr(), 1);
    EXPECT_EQ(object->GetObjectName(), "");
    EXPECT_EQ(object->GetHashSlot(), zCObject::zNO_HASH_INDEX);
    EXPECT_EQ(derived.GetNumLivingObjects(), living + 1);
    EXPECT_EQ(derived.GetNumCreatedObjects(), created + 1);
    EXPECT_EQ(base.GetNumLivingObjects(), baseLiving);

    EXPECT_EQ(object->AddRef(), 2);
    EXPECT_EQ(object->Release(), 1);  // kept
    EXPECT_EQ(object->GetRefCtr(), 1);
    EXPECT_EQ(derived.GetNumLivingObjects(), living + 1);
    EXPECT_EQ(object->Release(), 0);
    EXPECT_EQ(derived.GetNumLivingObjects(), living);
    EXPECT_EQ(derived.GetNumCreatedObjects(), created + 1);
    EXPECT_EQ(base.GetNumLivingObjects(), baseLiving);

    // Deleted without Release: counted all the same.
    delete Create<zCTestDerived>();
    EXPECT_EQ(derived.GetNumLivingObjects(), living);
    EXPECT_EQ(derived.GetNumCreatedObjects(), created + 2);

    // Objects not made by a create function are not counted, coming or going.
    { zCTestDerived local; }
    delete new zCTestDerived;
    EXPECT_EQ(derived.GetNumLivingObjects(), living);
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ClassRegistry, FailedConstructionLeavesNoTrace)
{
    zCClassDef& def = zCTestFragile::classDef;
    zCTestFragile::failNext = true;
    EXPECT_THROW(def.CreateNewInstance(), std::runtime_error);
    zCTestFragile::failNext = false;
    EXPECT_EQ(def.GetNumLivingObjects(), 0);
    EXPECT_EQ(def.GetNumCreatedObjects(), 0);
    EXPECT_EQ(def.GetObjectList().GetNum(), 0);
}

TEST_F(ClassRegistry, ObjectOutlivingItsClassLeavesItAlone)
{
    zCTestObject* plain = new zCTestObject;
    zCTestObject* shared = new zCTestObject;
    {
        zCClassDef gonePlain("zCTestGonePlain", "zCObject", nullptr, 8, 0, 0);
        zCClassDef goneShared("zCTestGoneShared", "zCObject", nullptr, 8, zCLASS_FLAG_SHARED_OBJECTS, 0);
        zCClassDef::ObjectCreated(plain, &gonePlain);
        zCClassDef::ObjectCreated(shared, &goneShared);
    }
    delete plain;  // must touch neither definition
    delete shared;
}

TEST_F(ClassRegistry, CountingAgainstTheRootClassReports)
{
    const int living = zCObject::classDef.GetNumLivingObjects();
    {
        zCTestObject local;
        zCClassDef::ObjectCreated(&local, &zCObject::classDef);
        EXPECT_EQ(zCObject::classDef.GetNumLivingObjects(), living + 1);
    }
    EXPECT_EQ(zCObject::classDef.GetNumLivingObjects(), living);
    EXPECT_EQ(Texts(), (Lines{"Error: Created instance of abstract 'zCObject' ?! => missing zCLASS_DECLARATION?"}));
}

TEST_F(ClassRegistry, ReleaseLeavesAFreedMemoryMarkAlone)
{
    const int living = zCTestObject::classDef.GetNumLivingObjects();
    zCTestObject* object = Create<zCTestObject>();
    object->ForceRefCtr(static_cast<std::int32_t>(0xFEEEFEEEu));
    EXPECT_EQ(object->Release(), 0);
    EXPECT_EQ(object->GetRefCtr(), static_cast<std::int32_t>(0xFEEEFEEEu));
    EXPECT_EQ(zCTestObject::classDef.GetNumLivingObjects(), living + 1);
    object->ForceRefCtr(1);
    EXPECT_EQ(object->Release(), 0);
    EXPECT_EQ(zCTestObject::classDef.GetNumLivingObjects(), living);
}

TEST_F(ClassRegistry, HashIndexIsTheLowBitsOfTheNameCrc)
{
    EXPECT_EQ(zCClassDef::GetHashIndex("abc"), 0x352441C2u & 0x3FF);
    EXPECT_EQ(zCClassDef::GetHashIndex(""), 0u);
}

TEST_F(ClassRegistry, PlainClassesStoreAnyNameUpperCased)
{
    zCTestObject* a = Create<zCTestObject>();
    zCTestObject* b = Create<zCTestObject>();
    EXPECT_EQ(a->SetObjectName("Stone"), 1);
    EXPECT_EQ(b->SetObjectName("stone"), 1);
    EXPECT_EQ(a->GetObjectName(), "STONE");
    EXPECT_EQ(b->GetObjectName(), "STONE");
    EXPECT_EQ(a->GetHashSlot(), zCObject::zNO_HASH_INDEX);
    EXPECT_EQ(zCTestObject::classDef.SearchHashTable("STONE"), nullptr);
    a->Release();
    b->Release();
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ClassRegistry, SharedNamesAreUniqueAndFollowRenames)
{
    zCClassDef& def = zCTestMaterial::classDef;
    zCTestMaterial* a = Create<zCTestMaterial>();
    zCTestMaterial* b = Create<zCTestMaterial>();
    EXPECT_TRUE(def.GetObjectList().IsInList(a));
    EXPECT_TRUE(def.GetObjectList().IsInList(b));

    EXPECT_EQ(a->SetObjectName("stone"), 1);
    EXPECT_EQ(a->GetObjectName(), "STONE");
    EXPECT_EQ(def.SearchHashTable("STONE"), a);
    EXPECT_EQ(a->GetHashSlot(), zCClassDef::GetHashIndex("STONE"));

    EXPECT_EQ(b->SetObjectName("Stone"), 0);
    EXPECT_EQ(b->GetObjectName(), "");
    EXPECT_EQ(Texts(), (Lines{"Warning: SetObjectName() on shared object class 'zCTestMaterial' failed: "
                              "object with that name already exists! STONE"}));
    EXPECT_EQ(host.GetLines()[0].kind, zMSG_WARNING);

    EXPECT_EQ(a->SetObjectName("STONE"), 1);  // its own name is not "another object's"
    EXPECT_EQ(a->SetObjectName("wood"), 1);
    EXPECT_EQ(def.SearchHashTable("STONE"), nullptr);
    EXPECT_EQ(def.SearchHashTable("WOOD"), a);
    EXPECT_EQ(a->GetHashSlot(), zCClassDef::GetHashIndex("WOOD"));
    EXPECT_EQ(b->SetObjectName("STONE"), 1);
    EXPECT_EQ(def.SearchHashTable("STONE"), b);

    EXPECT_EQ(a->SetObjectName(""), 1);
    EXPECT_EQ(a->GetHashSlot(), zCObject::zNO_HASH_INDEX);
    EXPECT_EQ(def.SearchHashTable("WOOD"), nullptr);
    EXPECT_EQ(def.SearchHashTable(""), nullptr);

    a->Release();
    EXPECT_FALSE(def.GetObjectList().IsInList(a));
    b->Release();
    EXPECT_FALSE(def.GetObjectList().IsInList(b));
    EXPECT_EQ(def.SearchHashTable("STONE"), nullptr);
    EXPECT_EQ(host.GetLines().size(), 1u);
}

TEST_F(ClassRegistry, ObjectsSharingABucketLeaveItSafely)
{
    // Three names that fall into one bucket.
    std::map<std::uint32_t, std::vector<std::string>> buckets;
    std::vector<std::string> names;
    for (int i = 0; names.empty(); ++i) {
        const std::string name = "N" + std::to_string(i);
        auto& bucket = buckets[zCClassDef::GetHashIndex(name.c_str())];
        bucket.push_back(name);
        if (bucket.size() == 3)
            names = bucket;
    }

    zCClassDef& def = zCTestMaterial::classDef;
    zCTestMaterial* objects[3];
    for (int i = 0; i < 3; ++i) {
        objects[i] = Create<zCTestMaterial>();
        ASSERT_EQ(objects[i]->SetObjectName(names[i].c_str()), 1);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(def.SearchHashTable(names[i].c_str()), objects[i]);

    objects[1]->Release();  // the middle of the chain
    EXPECT_EQ(def.SearchHashTable(names[1].c_str()), nullptr);
    EXPECT_EQ(def.SearchHashTable(names[0].c_str()), objects[0]);
    EXPECT_EQ(def.SearchHashTable(names[2].c_str()), objects[2]);

    delete objects[2];  // the head, without Release
    EXPECT_EQ(def.SearchHashTable(names[2].c_str()), nullptr);
    EXPECT_EQ(def.SearchHashTable(names[0].c_str()), objects[0]);
    EXPECT_FALSE(def.GetObjectList().IsInList(objects[2]));

    {
        // Never counted, yet named: it must not be left in the hash.
        zCTestMaterial local;
        EXPECT_EQ(local.SetObjectName(names[2].c_str()), 1);
        EXPECT_EQ(def.SearchHashTable(names[2].c_str()), &local);
    }
    EXPECT_EQ(def.SearchHashTable(names[2].c_str()), nullptr);
    EXPECT_EQ(def.SearchHashTable(names[0].c_str()), objects[0]);

    objects[0]->Release();
    EXPECT_EQ(def.SearchHashTable(names[0].c_str()), nullptr);
    EXPECT_EQ(def.GetNumLivingObjects(), 0);
}

} // namespace
