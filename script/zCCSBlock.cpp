// The blocks of the output-unit library.
#include "zCCSBlock.h"

#include "zCArchiver.h"
#include "zCEventMessage.h"

zCLASS_DEFINITION_ABSTRACT(zCCSBlockBase, zCObject, 0, 0);
zCLASS_DEFINITION(zCCSAtomicBlock, zCCSBlockBase, 0, 0);
zCLASS_DEFINITION(zCCSBlock, zCCSBlockBase, 0, 0);

bool ReadCountedObject(zCArchiver& archiver, zCObject*& object)
{
    const int start = archiver.GetPos();
    object = archiver.ReadObject(nullptr);
    if (archiver.GetPos() > start)
        return true;
    if (object)
        object->Release();
    object = nullptr;
    return false;
}

// zCCSBlockBase

zCCSBlockBase::~zCCSBlockBase() = default;

void zCCSBlockBase::Archive(zCArchiver&)
{
}

void zCCSBlockBase::Unarchive(zCArchiver&)
{
}

zCCSBlockBase* zCCSBlockBase::GetChild(int)
{
    return this;
}

zSTRING zCCSBlockBase::GetName()
{
    return zSTRING();
}

void zCCSBlockBase::InsertBlock(zCCSBlockBase*, float)
{
}

// zCCSAtomicBlock

zCCSAtomicBlock::~zCCSAtomicBlock()
{
    SetMessage(nullptr);
}

void zCCSAtomicBlock::SetMessage(zCEventMessage* value)
{
    if (value)
        value->AddRef();
    zCEventMessage* old = message;
    message = value;
    if (old)
        old->Release();
}

void zCCSAtomicBlock::Archive(zCArchiver& archiver)
{
    archiver.WriteObject(message);
}

void zCCSAtomicBlock::Unarchive(zCArchiver& archiver)
{
    zCObject* object = archiver.ReadObject(nullptr);
    // Whatever else a damaged archive holds here is dropped.
    SetMessage(dynamic_cast<zCEventMessage*>(object));
    if (object)
        object->Release();
}

// zCCSBlock

zCCSBlock::~zCCSBlock()
{
    ReleaseBlocks();
}

void zCCSBlock::ReleaseBlocks()
{
    zCArray<zCCSBlockPosition> old(std::move(blocks));
    for (int i = 0; i < old.GetNum(); ++i)
        old[i].block->Release();
}

zCCSBlockBase* zCCSBlock::GetChild(int index)
{
    if (index < 0 || index >= blocks.GetNum())
        return nullptr;
    return blocks[index].block;
}

zSTRING zCCSBlock::GetName()
{
    return blockName;
}

void zCCSBlock::SetName(const zSTRING& value)
{
    blockName = value;
}

void zCCSBlock::InsertBlock(zCCSBlockBase* block, float position)
{
    if (!block)
        return;
    blocks.InsertEnd(zCCSBlockPosition(position, block));
    block->AddRef();
}

void zCCSBlock::Archive(zCArchiver& archiver)
{
    archiver.WriteString("blockName", blockName);
    archiver.WriteInt("numOfBlocks", blocks.GetNum());
    for (int i = 0; i < blocks.GetNum(); ++i) {
        archiver.WriteFloat(("subBlock" + zSTRING(i)).c_str(), blocks[i].position);
        archiver.WriteObject(blocks[i].block);
    }
}

void zCCSBlock::Unarchive(zCArchiver& archiver)
{
    ReleaseBlocks();
    archiver.ReadString("blockName", blockName);
    int count = 0;
    archiver.ReadInt("numOfBlocks", count);
    for (int i = 0; i < count; ++i) {
        float position = 0.0f;
        archiver.ReadFloat(("subBlock" + zSTRING(i)).c_str(), position);
        zCObject* object = nullptr;
        if (!ReadCountedObject(archiver, object))
            break;
        // A damaged archive can refer a block to itself: holding it would keep it alive for ever.
        auto* block = dynamic_cast<zCCSBlockBase*>(object);
        if (block && block != this)
            InsertBlock(block, position);
        if (object)
            object->Release();
    }
}
