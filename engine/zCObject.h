// The reference-counted root of all registered engine classes.
#pragma once

#include <cstdint>
#include <memory>

#include "zCClassDef.h"
#include "zSTRING.h"

class zCArchiver;

class zCObject {
public:
    static zCClassDef classDef;

    zCObject() = default;
    virtual ~zCObject();
    // A copy would share the original's place in a name hash.
    zCObject(const zCObject&) = delete;
    zCObject& operator=(const zCObject&) = delete;

    virtual zCClassDef* GetClassDef() const { return &zCObject::classDef; }
    virtual void Archive(zCArchiver& archiver);
    virtual void Unarchive(zCArchiver& archiver);

    int AddRef() { return ++refCtr; }
    // The new count; the object is deleted at 0.
    int Release();
    int GetRefCtr() const { return refCtr; }

    const zSTRING& GetObjectName() const { return objectName; }
    // Upper-cases the name. 0 when another object of a shared-name class already has it.
    int SetObjectName(const zSTRING& name);

    static constexpr std::uint16_t zNO_HASH_INDEX = 0xFFFF;

protected:
    // What the heap leaves in freed blocks in debug runs.
    static constexpr std::uint32_t zFREED_MEMORY = 0xFEEEFEEEu;

    std::int32_t refCtr = 1;
    std::uint16_t hashIndex = zNO_HASH_INDEX;
    zCObject* hashLink = nullptr;
    zSTRING objectName;

private:
    friend class zCClassDef;

    // The definition that counted this object (see zCClassDef::ObjectCreated).
    zCClassDef* countedBy = nullptr;
};

// Drops a held reference, so that a job unwound by a fatal report leaves nothing behind.
struct zCObjectRelease {
    void operator()(zCObject* object) const
    {
        if (object)
            object->Release();
    }
};
template <class T>
using zTObjectRef = std::unique_ptr<T, zCObjectRelease>;
