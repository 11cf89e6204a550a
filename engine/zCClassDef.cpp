// The class registry.
#include "zCClassDef.h"

#include "ResourceIds.h"
#include "ResString.h"
#include "zCCrc.h"
#include "zCObject.h"
#include "zERROR.h"

namespace {

constexpr int kRegistryStartSize = 180;

// Plain pointers and flags are set before any constructor runs, so the first
// registration finds them in a known state whatever the order of static initialisation.
zCArraySort<zCClassDef*>* s_registry = nullptr;
bool s_registryReady = false;

zCArraySort<zCClassDef*>& Registry()
{
    if (!s_registry)
        s_registry = new zCArraySort<zCClassDef*>(kRegistryStartSize, &CompareClassDefNames);
    return *s_registry;
}

// The registry's order on two names (std::string compares bytes unsigned).
int CompareNames(const zSTRING& a, const zSTRING& b)
{
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

} // namespace

int CompareClassDefNames(const void* a, const void* b)
{
    const zCClassDef* defA = *static_cast<const zCClassDef* const*>(a);
    const zCClassDef* defB = *static_cast<const zCClassDef* const*>(b);
    return CompareNames(defA->GetClassName(), defB->GetClassName());
}

zCClassDef::zCClassDef(const zSTRING& name, const zSTRING& baseName, zTCreateInstanceFunc createFunc,
                       std::uint32_t size, std::uint32_t flags, std::uint16_t version, const zSTRING& scriptName)
    : className(name),
      baseClassName(baseName),
      scriptClassName(scriptName),
      createNewInstance(createFunc),
      classFlags(flags),
      classSize(size),
      archiveVersion(version)
{
    zCArraySort<zCClassDef*>& registry = Registry();
    // Provisional: the registry is unsorted until SortRegistry.
    ResolveBase();
    if (classFlags & zCLASS_FLAG_SHARED_OBJECTS)
        hashTable = new zCObject*[zHASH_TABLE_SIZE]();
    registry.InsertEnd(this);
    // A class registered after the sort must not break the binary search.
    if (s_registryReady)
        SortRegistry();
}

zCClassDef::~zCClassDef()
{
    if (s_registry) {
        zCArray<zCClassDef*>& list = *s_registry;
        const int index = list.Search(this);  // by identity: the registry may be unsorted
        if (index >= 0)
            s_registry->RemoveOrderIndex(index);
        for (int i = 0; i < list.GetNum(); ++i) {
            if (list[i]->baseClassDef == this)
                list[i]->baseClassDef = nullptr;
        }
        if (list.GetNum() == 0) {
            delete s_registry;
            s_registry = nullptr;
            s_registryReady = false;
        }
    }
    // Objects outliving their class forget it, so that their end touches nothing freed.
    for (int i = 0; i < objectList.GetNum(); ++i) {
        if (objectList[i] && objectList[i]->countedBy == this)
            objectList[i]->countedBy = nullptr;
    }
    if (hashTable) {
        for (int bucket = 0; bucket < zHASH_TABLE_SIZE; ++bucket) {
            zCObject* object = hashTable[bucket];
            while (object) {
                zCObject* next = object->hashLink;
                object->hashLink = nullptr;
                object->hashIndex = zCObject::zNO_HASH_INDEX;
                object = next;
            }
        }
        delete[] hashTable;
    }
}

zCObject* zCClassDef::CreateNewInstance() const
{
    if (!createNewInstance) {
        g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_ABSTRACT_INSTANCE, className.c_str()));
        return nullptr;
    }
    return createNewInstance();
}

std::uint32_t zCClassDef::GetHashIndex(const zSTRING& name)
{
    return Crc32Buffer(name.data(), name.size(), 0) & (zHASH_TABLE_SIZE - 1);
}

zCObject* zCClassDef::SearchHashTable(const zSTRING& name) const
{
    if (!hashTable)
        return nullptr;
    for (zCObject* object = hashTable[GetHashIndex(name)]; object; object = object->hashLink) {
        if (object->objectName == name)
            return object;
    }
    return nullptr;
}

void zCClassDef::InsertIntoHash(zCObject* object, const zSTRING& name)
{
    const std::uint32_t bucket = GetHashIndex(name);
    object->hashLink = hashTable[bucket];
    hashTable[bucket] = object;
    object->hashIndex = static_cast<std::uint16_t>(bucket);
}

bool zCClassDef::RemoveFromHash(zCObject* object)
{
    if (!hashTable || object->hashIndex >= zHASH_TABLE_SIZE)
        return false;
    zCObject** link = &hashTable[object->hashIndex];
    while (*link && *link != object)
        link = &(*link)->hashLink;
    if (!*link)
        return false;
    *link = object->hashLink;
    object->hashLink = nullptr;
    object->hashIndex = zCObject::zNO_HASH_INDEX;
    return true;
}

void zCClassDef::RemoveFromAnyHash(zCObject* object)
{
    for (int i = 0; i < GetNum(); ++i) {
        if ((*s_registry)[i]->RemoveFromHash(object))
            return;
    }
    object->hashLink = nullptr;
    object->hashIndex = zCObject::zNO_HASH_INDEX;
}

bool zCClassDef::IsRegistered(const zCClassDef* classDef)
{
    for (int i = 0; i < GetNum(); ++i) {
        if ((*s_registry)[i] == classDef)
            return true;
    }
    return false;
}

void zCClassDef::ResolveBase()
{
    baseClassDef = baseClassName.empty() ? nullptr : GetClassDef(baseClassName);
}

void zCClassDef::ComputeVersionSum()
{
    zCCrc16 crc;
    crc.Reset();
    for (const zCClassDef* def = this; def; def = def->baseClassDef) {
        const unsigned char bytes[2] = {static_cast<unsigned char>(def->archiveVersion & 0xFF),
                                        static_cast<unsigned char>(def->archiveVersion >> 8)};
        crc.Update(bytes, sizeof bytes);
    }
    archiveVersionSum = crc.GetValue();
}

int zCClassDef::SortRegistry()
{
    if (s_registry) {
        zCArraySort<zCClassDef*>& registry = *s_registry;
        const int num = registry.GetNum();
        registry.QuickSort();
        // Every base first: a checksum walks the whole chain, and a base that sorts
        // behind its class would otherwise still hold its provisional link.
        for (int i = 0; i < num; ++i)
            registry[i]->ResolveBase();
        // A chain longer than the registry loops; cut it so that no walk up the bases hangs.
        for (int i = 0; i < num; ++i) {
            const zCClassDef* def = registry[i];
            int steps = 0;
            while (def && steps <= num) {
                def = def->baseClassDef;
                ++steps;
            }
            if (def)
                registry[i]->baseClassDef = nullptr;
        }
        for (int i = 0; i < num; ++i)
            registry[i]->ComputeVersionSum();
    }
    s_registryReady = true;
    return 0;
}

bool zCClassDef::IsRegistryReady()
{
    return s_registryReady;
}

zCClassDef* zCClassDef::GetClassDef(const zSTRING& name)
{
    if (!s_registry)
        return nullptr;
    // Bounds hold on unsorted data too: the range only ever shrinks inside the array.
    zCClassDef* const* data = s_registry->GetArray();
    int lo = 0;
    int count = s_registry->GetNum();
    while (count > 0) {
        const int half = count / 2;
        if (CompareNames(data[lo + half]->className, name) < 0) {
            lo += half + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    if (lo < s_registry->GetNum() && data[lo]->className == name)
        return data[lo];
    return nullptr;
}

int zCClassDef::GetNum()
{
    return s_registry ? s_registry->GetNum() : 0;
}

zCClassDef* zCClassDef::GetClassDefByIndex(int index)
{
    if (index < 0 || index >= GetNum())
        return nullptr;
    return (*s_registry)[index];
}

void zCClassDef::ObjectCreated(zCObject* object, zCClassDef* classDef)
{
    if (!classDef)
        return;
    ++classDef->numLivingObjects;
    ++classDef->numCtorCalled;
    if (classDef->classFlags & zCLASS_FLAG_SHARED_OBJECTS)
        classDef->objectList.InsertEnd(object);
    if (object)
        object->countedBy = classDef;
    if (classDef == &zCObject::classDef)
        g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_ABSTRACT_OBJECT_CREATED));
}

void zCClassDef::ObjectDeleted(zCObject* object, zCClassDef* classDef)
{
    if (!classDef)
        return;
    --classDef->numLivingObjects;
    if (classDef->classFlags & zCLASS_FLAG_SHARED_OBJECTS) {
        classDef->objectList.Remove(object);
        if (object && object->hashIndex != zCObject::zNO_HASH_INDEX)
            classDef->RemoveFromHash(object);
    }
    if (object && object->countedBy == classDef)
        object->countedBy = nullptr;
}
