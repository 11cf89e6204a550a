// The reference-counted root of all registered engine classes.
#include "zCObject.h"

#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

// Left in the counter of a destroyed object.
constexpr std::int32_t kDestroyedRefCtr = -999;

} // namespace

zCClassDef zCObject::classDef("zCObject", "", nullptr, sizeof(zCObject), 0, 0);

zCObject::~zCObject()
{
    refCtr = kDestroyedRefCtr;
    // The most-derived class is gone by now; the definition that counted the
    // object is the one it was made through. At exit it may have gone before the object.
    if (countedBy && zCClassDef::IsRegistered(countedBy))
        zCClassDef::ObjectDeleted(this, countedBy);
    // A named object that was never counted must not stay behind in a name hash.
    if (hashIndex != zNO_HASH_INDEX)
        zCClassDef::RemoveFromAnyHash(this);
}

void zCObject::Archive(zCArchiver&)
{
}

void zCObject::Unarchive(zCArchiver&)
{
}

int zCObject::Release()
{
    // Only the field is compared: a caller that really reached freed memory is
    // beyond help, but a stale pointer into a debug heap's freed block is caught.
    if (static_cast<std::uint32_t>(refCtr) == zFREED_MEMORY)
        return 0;
    if (--refCtr != 0)
        return refCtr;
    delete this;
    return 0;
}

int zCObject::SetObjectName(const zSTRING& name)
{
    zSTRING upper(name);
    upper.Upper();

    zCClassDef* def = GetClassDef();
    if (!def || !(def->GetClassFlags() & zCLASS_FLAG_SHARED_OBJECTS) || !def->hashTable) {
        objectName = upper;
        return 1;
    }

    const zCObject* holder = def->SearchHashTable(upper);
    if (holder && holder != this) {
        g_errorReporter.Report(zERR_WARNING,
                               FormatResString(IDS_SHARED_NAME_TAKEN, def->GetClassName().c_str(), upper.c_str()));
        return 0;
    }
    if (hashIndex != zNO_HASH_INDEX && !def->RemoveFromHash(this))
        zCClassDef::RemoveFromAnyHash(this);
    objectName = upper;
    if (!objectName.empty())
        def->InsertIntoHash(this, objectName);
    return 1;
}
