// The blocks of the output-unit library: a named unit (zCCSBlock) holds sub-blocks
// at positions; an atomic block holds one event message.
#pragma once

#include "zCArray.h"
#include "zCObject.h"

class zCEventMessage;

// Reads the next object of a counted list into object (null for a null entry). False,
// with nothing held, when the archive did not move on: a damaged count whose search
// for a further entry found nothing or wrapped round.
bool ReadCountedObject(zCArchiver& archiver, zCObject*& object);

class zCCSBlockBase : public zCObject {
    zCLASS_DECLARATION(zCCSBlockBase)

public:
    zCCSBlockBase() = default;
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCCSBlockBase() override;

    // This block itself; blocks with sub-blocks give the one at the index (null outside).
    virtual zCCSBlockBase* GetChild(int index);
    virtual zSTRING GetName();
    // Blocks that hold sub-blocks take a reference of their own; nothing here.
    virtual void InsertBlock(zCCSBlockBase* block, float position);
};

class zCCSAtomicBlock : public zCCSBlockBase {
    zCLASS_DECLARATION(zCCSAtomicBlock)

public:
    zCCSAtomicBlock() = default;
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCCSAtomicBlock() override;

    zCEventMessage* GetMessage() const { return message; }
    // Takes a reference of its own and releases the message held before.
    void SetMessage(zCEventMessage* value);

private:
    zCEventMessage* message = nullptr;
};

// A sub-block and where it stands.
class zCCSBlockPosition {
public:
    zCCSBlockPosition() = default;
    zCCSBlockPosition(float position, zCCSBlockBase* block) : position(position), block(block) {}
    virtual ~zCCSBlockPosition() = default;
    zCCSBlockPosition(const zCCSBlockPosition&) = default;
    zCCSBlockPosition& operator=(const zCCSBlockPosition&) = default;

    float position = 0.0f;
    zCCSBlockBase* block = nullptr;
};

class zCCSBlock : public zCCSBlockBase {
    zCLASS_DECLARATION(zCCSBlock)

public:
    zCCSBlock() = default;
    void Archive(zCArchiver& archiver) override;
    void Unarchive(zCArchiver& archiver) override;
    ~zCCSBlock() override;

    zCCSBlockBase* GetChild(int index) override;
    zSTRING GetName() override;
    // Appends the block and takes a reference of its own. Null is ignored, and so is a
    // block that holds this one, however deep: a ring of blocks would never be freed.
    void InsertBlock(zCCSBlockBase* block, float position) override;
    virtual void SetName(const zSTRING& value);

    int GetNumChildren() const { return blocks.GetNum(); }
    float GetChildPosition(int index) const { return blocks[index].position; }

private:
    // Compares the names without copying them.
    friend int CompareOutputUnits(const void* a, const void* b);

    void ReleaseBlocks();
    // Whether this block is the given one or lies anywhere below it.
    bool IsWithin(zCCSBlockBase* block) const;

    zCArray<zCCSBlockPosition> blocks;
    zSTRING blockName;
};
