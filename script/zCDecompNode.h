// An operand or operator of the decompiler's statement writer. The byte code pushes
// operands before the instruction that uses them; the writer keeps what it has read
// as a list of expression trees, newest first, and turns them into statements.
#pragma once

#include <cstddef>
#include <cstdint>

class zCPar_Symbol;

class zCDecompNode {
public:
    // Token of the list head.
    static constexpr int kHead = 90;

    zCDecompNode(int token, std::int32_t value);
    // Links and children are not followed: Free owns the tree.
    ~zCDecompNode() = default;
    zCDecompNode(const zCDecompNode&) = delete;
    zCDecompNode& operator=(const zCDecompNode&) = delete;
    // Nodes are made and dropped by the ten thousand, one statement at a time: they
    // come from a pool of equal blocks.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

    // Inserts the node as the first one after this node (a list head), so that the
    // newest node comes first.
    void Push(zCDecompNode* node);
    // The same on this node's child list.
    void PushChild(zCDecompNode* node);
    // Takes the node out of its list; its own children stay with it.
    void Unlink();
    // The node, every node after it and all their children; the predecessor's link to
    // it is cleared. Iterative, so a deep tree from a damaged file cannot exhaust the stack.
    static void Free(zCDecompNode* node);
    // The value's 32 bits read as a float.
    float GetValueAsFloat() const;
    int CountChildren() const;

    // The instruction that made the node (operators, 62 call, 64 int, 65 variable,
    // 67 instance, 245 array element, 30-33 unary operators).
    unsigned char token = 0;
    // The instruction's operand: an int, a symbol number, the called function.
    std::int32_t value = 0;
    // Element of an array push.
    int index = 0;
    zCPar_Symbol* symbol = nullptr;
    // Instance named by a set-instance before a member push; 0 when none.
    int instance = 0;
    zCDecompNode* previous = nullptr;
    zCDecompNode* next = nullptr;
    // Operands in written order: left then right, the unary operand, a call's arguments.
    zCDecompNode* firstChild = nullptr;
};

// Frees a node with its followers and children when it goes out of scope, so that a
// fatal report while its text is written leaves nothing behind.
class zCDecompNodeGuard {
public:
    explicit zCDecompNodeGuard(zCDecompNode* node = nullptr) : node(node) {}
    ~zCDecompNodeGuard() { zCDecompNode::Free(node); }
    zCDecompNodeGuard(const zCDecompNodeGuard&) = delete;
    zCDecompNodeGuard& operator=(const zCDecompNodeGuard&) = delete;
    zCDecompNode* Get() const { return node; }

private:
    zCDecompNode* node;
};
