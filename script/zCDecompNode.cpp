// Operands and operators of the decompiler's statement writer.
#include "zCDecompNode.h"

#include <vector>

#include "LittleEndian.h"
#include "zCParObjectPool.h"

namespace {
using DecompNodePool = zCParObjectPool<zCDecompNode, 1024, 4>;
} // namespace

zCDecompNode::zCDecompNode(int token, std::int32_t value)
    : token(static_cast<unsigned char>(token)), value(value)
{
}

void* zCDecompNode::operator new(std::size_t size)
{
    return DecompNodePool::Shared().New(size);
}

void zCDecompNode::operator delete(void* block, std::size_t size) noexcept
{
    DecompNodePool::Shared().Delete(block, size);
}

void zCDecompNode::Push(zCDecompNode* node)
{
    node->previous = this;
    node->next = next;
    if (next)
        next->previous = node;
    next = node;
}

void zCDecompNode::PushChild(zCDecompNode* node)
{
    node->previous = nullptr;
    node->next = firstChild;
    if (firstChild)
        firstChild->previous = node;
    firstChild = node;
}

void zCDecompNode::Unlink()
{
    if (previous && previous->next == this)
        previous->next = next;
    if (next)
        next->previous = previous;
    previous = nullptr;
    next = nullptr;
}

void zCDecompNode::Free(zCDecompNode* node)
{
    if (!node)
        return;
    if (node->previous) {
        if (node->previous->next == node)
            node->previous->next = nullptr;
        node->previous = nullptr;
    }
    // The usual statement's tree fits the stack's array; the heap serves deeper ones.
    zCDecompNode* local[32];
    std::vector<zCDecompNode*> spill;
    int count = 0;
    // From the pool, the memory of all of them goes back in one piece.
    DecompNodePool::Batch dropped;
    auto push = [&](zCDecompNode* pending) {
        if (count < 32)
            local[count++] = pending;
        else
            spill.push_back(pending);
    };
    push(node);
    while (count > 0) {
        zCDecompNode* current;
        if (!spill.empty()) {
            current = spill.back();
            spill.pop_back();
        } else {
            current = local[--count];
        }
        if (current->next)
            push(current->next);
        if (current->firstChild)
            push(current->firstChild);
        dropped.Drop(current);
    }
}

float zCDecompNode::GetValueAsFloat() const
{
    return zBitsFloat(static_cast<std::uint32_t>(value));
}

int zCDecompNode::CountChildren() const
{
    int count = 0;
    for (const zCDecompNode* child = firstChild; child; child = child->next)
        ++count;
    return count;
}
