// The blocks of the output-unit library.
#include "zCCSBlock.h"

#include <unordered_set>
#include <vector>

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

bool zCCSBlock::IsWithin(zCCSBlockBase* block) const
{
    // Without recursion and visiting each block once: the blocks of a damaged library
    // may be shared many times over and nested deep.
    std::vector<const zCCSBlock*> open;
    std::unordered_set<const zCCSBlock*> seen;
    if (const auto* first = dynamic_cast<const zCCSBlock*>(block))
        open.push_back(first);
    while (!open.empty()) {
        const zCCSBlock* current = open.back();
        open.pop_back();
        if (current == this)
            return true;
        if (!seen.insert(current).second)
            continue;
        for (int i = 0; i < current->blocks.GetNum(); ++i) {
            if (const auto* child = dynamic_cast<const zCCSBlock*>(current->blocks[i].block))
                open.push_back(child);
        }
    }
    return false;
}

void zCCSBlock::InsertBlock(zCCSBlockBase* block, float position)
{
    if (!block || IsWithin(block))
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
        // A damaged archive can refer a block to itself or to one that holds it;
        // InsertBlock refuses such a ring.
        InsertBlock(dynamic_cast<zCCSBlockBase*>(object), position);
        if (object)
            object->Release();
    }
}
