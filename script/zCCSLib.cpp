// The output-unit library.
#include "zCCSLib.h"

#include "ResourceIds.h"
#include "ResString.h"
#include "zCArchiver.h"
#include "zCCSBlock.h"
#include "zERROR.h"

namespace {

// Room made before reading, as the game's library holds thousands of units.
const int kReservedUnits = 15000;

} // namespace

zCLASS_DEFINITION(zCCSLib, zCObject, 0, 0);

int CompareOutputUnits(const void* a, const void* b)
{
    const zCCSBlock* unitA = *static_cast<zCCSBlock* const*>(a);
    const zCCSBlock* unitB = *static_cast<zCCSBlock* const*>(b);
    if (!unitA || !unitB)
        return unitA ? -1 : (unitB ? 1 : 0);
    const int order = unitA->blockName.compare(unitB->blockName);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

zCCSLib::zCCSLib()
    : units(&CompareOutputUnits), searchKey(static_cast<zCCSBlock*>(zCCSBlock::CreateClassInstance()))
{
}

zCCSLib::~zCCSLib()
{
    DeleteAll();
    searchKey->Release();
}

int zCCSLib::Add(zCCSBlock* unit)
{
    if (!unit)
        return units.GetNum();
    units.InsertEnd(unit);
    unit->AddRef();
    changed = 1;
    return units.GetNum();
}

int zCCSLib::Insert(zCCSBlock* unit)
{
    if (!unit)
        return units.GetNum();
    units.InsertSort(unit);
    unit->AddRef();
    changed = 1;
    return units.GetNum();
}

void zCCSLib::Replace(int index, zCCSBlock* unit)
{
    if (!unit)
        return;
    zCCSBlock* old = units[index];
    unit->AddRef();
    units[index] = unit;
    old->Release();
    changed = 1;
}

zCCSBlock* zCCSLib::GetItem(int index) const
{
    if (index < 0 || index >= units.GetNum())
        return nullptr;
    return units[index];
}

int zCCSLib::Find(const zSTRING& name)
{
    searchKey->SetName(name);
    return units.Search(searchKey);
}

void zCCSLib::DeleteAll()
{
    // The moved-from array is empty and keeps its comparator.
    zCArraySort<zCCSBlock*> old(std::move(units));
    for (int i = 0; i < old.GetNum(); ++i)
        old[i]->Release();
    forceStore = 0;
    changed = 0;
    readComplete = false;
}

void zCCSLib::Archive(zCArchiver& archiver)
{
    archiver.WriteInt("NumOfItems", units.GetNum());
    for (int i = 0; i < units.GetNum(); ++i)
        archiver.WriteObject(units[i]);
}

void zCCSLib::Unarchive(zCArchiver& archiver)
{
    // Stays negative when the entry is missing or of another type.
    int count = -1;
    archiver.ReadInt("NumOfItems", count);
    units.AllocAbs(kReservedUnits);
    int found = 0;
    for (int i = 0; i < count; ++i) {
        zCObject* object = nullptr;
        if (!ReadCountedObject(archiver, object))
            break;
        // Reading is no change to store.
        if (auto* unit = dynamic_cast<zCCSBlock*>(object)) {
            units.InsertEnd(unit);
            unit->AddRef();
            ++found;
        }
        if (object)
            object->Release();
    }
    readComplete = count >= 0 && found == count;
    if (g_errorReporter.GetFilterLevel() >= 3)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_NUMBER_OF_ITEMS, count < 0 ? 0 : count));
    units.QuickSort();
}
