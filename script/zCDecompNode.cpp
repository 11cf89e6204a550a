// Operands and operators of the decompiler's statement writer.
#include "zCDecompNode.h"

#include <vector>

#include "LittleEndian.h"

zCDecompNode::zCDecompNode(int token, std::int32_t value)
    : token(static_cast<unsigned char>(token)), value(value)
{
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
    std::vector<zCDecompNode*> pending{node};
    while (!pending.empty()) {
        zCDecompNode* current = pending.back();
        pending.pop_back();
        if (current->next)
            pending.push_back(current->next);
        if (current->firstChild)
            pending.push_back(current->firstChild);
        delete current;
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
