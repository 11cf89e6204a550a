// The class registry: one definition per engine class that can be archived or
// created by name, with its living-object counts and, for shared-name classes,
// the hash of object names.
#pragma once

#include <cstdint>

#include "zCArray.h"
#include "zSTRING.h"

class zCObject;

using zTCreateInstanceFunc = zCObject* (*)();

// Class flags.
enum : std::uint32_t {
    zCLASS_FLAG_SHARED_OBJECTS = 1u << 0,  // objects are listed and their names kept unique
    zCLASS_FLAG_NOT_ARCHIVED = 1u << 1,    // objects are archived as null objects
    zCLASS_FLAG_RESOURCE = 1u << 2,
};

// Registry order: byte-wise on the class names, a prefix before the longer name.
// The arguments point to zCClassDef pointers.
int CompareClassDefNames(const void* a, const void* b);

class zCClassDef {
public:
    static constexpr int zHASH_TABLE_SIZE = 1024;

    // Registers the definition. Static definitions may be built before any other
    // static of the registry: the registry is made by the first of them.
    zCClassDef(const zSTRING& className, const zSTRING& baseClassName, zTCreateInstanceFunc createFunc,
               std::uint32_t classSize, std::uint32_t classFlags, std::uint16_t archiveVersion,
               const zSTRING& scriptClassName = zSTRING());
    ~zCClassDef();
    zCClassDef(const zCClassDef&) = delete;
    zCClassDef& operator=(const zCClassDef&) = delete;

    const zSTRING& GetClassName() const { return className; }
    const zSTRING& GetBaseClassName() const { return baseClassName; }
    const zSTRING& GetScriptClassName() const { return scriptClassName; }
    zCClassDef* GetBaseClassDef() const { return baseClassDef; }
    std::uint32_t GetClassFlags() const { return classFlags; }
    std::uint32_t GetClassSize() const { return classSize; }
    bool IsAbstractClass() const { return createNewInstance == nullptr; }
    int GetNumLivingObjects() const { return numLivingObjects; }
    int GetNumCreatedObjects() const { return numCtorCalled; }
    std::uint16_t GetArchiveVersion() const { return archiveVersion; }
    // Valid once the registry is sorted.
    std::uint16_t GetArchiveVersionSum() const { return archiveVersionSum; }
    // Objects of a shared-name class made by its create function.
    const zCArray<zCObject*>& GetObjectList() const { return objectList; }

    // Null for an abstract class, which is reported.
    zCObject* CreateNewInstance() const;
    // Byte-wise on the stored (upper-case) names; null when none or not a shared-name class.
    zCObject* SearchHashTable(const zSTRING& name) const;

    static std::uint32_t GetHashIndex(const zSTRING& name);

    // Sorts the registry, resolves every base and computes the version checksums.
    // May be called again (a class registered later is included); returns 0.
    static int SortRegistry();
    static bool IsRegistryReady();
    // Binary search: before SortRegistry a registered name may be missed.
    static zCClassDef* GetClassDef(const zSTRING& className);
    static int GetNum();
    static zCClassDef* GetClassDefByIndex(int index);  // null outside 0..GetNum()-1

    // Counts a constructed object; the object keeps the definition, and its
    // destruction is counted against the same definition.
    static void ObjectCreated(zCObject* object, zCClassDef* classDef);
    static void ObjectDeleted(zCObject* object, zCClassDef* classDef);

private:
    friend class zCObject;

    void ResolveBase();
    void ComputeVersionSum();
    void InsertIntoHash(zCObject* object, const zSTRING& name);
    // True when the object was found in its bucket.
    bool RemoveFromHash(zCObject* object);
    // For an object that leaves without a counting definition.
    static void RemoveFromAnyHash(zCObject* object);
    static bool IsRegistered(const zCClassDef* classDef);

    zSTRING className;
    zSTRING baseClassName;
    zSTRING scriptClassName;
    zCClassDef* baseClassDef = nullptr;
    zTCreateInstanceFunc createNewInstance;
    std::uint32_t classFlags;
    std::uint32_t classSize;
    int numLivingObjects = 0;
    int numCtorCalled = 0;
    zCObject** hashTable = nullptr;  // zHASH_TABLE_SIZE buckets, only for shared-name classes
    zCArray<zCObject*> objectList;
    std::uint16_t archiveVersion;
    std::uint16_t archiveVersionSum = 0;
};

// In the class body: the class's definition, its create function and the
// GetClassDef override. Leaves the class body's access public.
#define zCLASS_DECLARATION(className)                                              \
public:                                                                            \
    static zCClassDef classDef;                                                    \
    static zCObject* CreateClassInstance();                                        \
    zCClassDef* GetClassDef() const override { return &className::classDef; }

// In the class's own source file. The object is counted once it is constructed,
// so a constructor that throws leaves no trace in the registry.
#define zCLASS_DEFINITION(className, baseClassName, classFlags, archiveVersion)                   \
    zCObject* className::CreateClassInstance()                                                    \
    {                                                                                             \
        className* object = new className;                                                        \
        zCClassDef::ObjectCreated(object, &className::classDef);                                  \
        return object;                                                                            \
    }                                                                                             \
    zCClassDef className::classDef(#className, #baseClassName, &className::CreateClassInstance,   \
                                   sizeof(className), (classFlags), (archiveVersion))

#define zCLASS_DEFINITION_ABSTRACT(className, baseClassName, classFlags, archiveVersion)            \
    zCClassDef className::classDef(#className, #baseClassName, nullptr, sizeof(className), (classFlags), \
                                   (archiveVersion))
