// The output-unit library: the units (named zCCSBlocks) in name order.
#pragma once

#include "zCArray.h"
#include "zCObject.h"

class zCCSBlock;

// Order of the units: byte-wise on the names, a prefix before the longer name; a null
// unit after any other. The arguments point to zCCSBlock pointers.
int CompareOutputUnits(const void* a, const void* b);

class zCCSLib : public zCObject {
    zCLASS_DECLARATION(zCCSLib)

public:
    zCCSLib();
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCCSLib() override;

    // Appends the unit (null is ignored), takes a reference of its own and marks the
    // library changed; the new count.
    int Add(zCCSBlock* unit);
    // As Add, at the unit's place in name order (behind units of the same name).
    int Insert(zCCSBlock* unit);
    // Puts the unit in place of the one at the index, which is released; marks the
    // library changed. The unit must keep the name order.
    void Replace(int index, zCCSBlock* unit);
    // Null outside 0..GetNum()-1.
    zCCSBlock* GetItem(int index) const;
    int GetNum() const { return units.GetNum(); }
    // Binary search by name: the index of the first unit of that name, or -1.
    int Find(const zSTRING& name);
    // Releases every unit; the library is unchanged afterwards.
    void DeleteAll();

    // A library that is to be written though no unit changed (one not yet on disk).
    void MarkChanged() { changed = 1; }
    // True when a store has something to write.
    bool NeedsStore() const { return forceStore != 0 || changed != 0; }
    // True when a read since the library was emptied found as many units as its count
    // gave; false for a damaged archive.
    bool WasReadComplete() const { return readComplete; }

private:
    bool readComplete = false;
    // Never set by the toolchain; a store writes when it is set.
    int forceStore = 0;
    int changed = 0;
    zCArraySort<zCCSBlock*> units;
    zCCSBlock* searchKey;
};
