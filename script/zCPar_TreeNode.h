// A node of the compiler's expression and statement trees. The readers build
// chains of them per source file; the checks and the code generator walk them.
#pragma once

#include <cstddef>

#include "zSTRING.h"

// Node kinds. The operator kinds are the tokenizer's token codes and the byte codes.
enum zTParTreeKind {
    EXP_PLUS = 0,
    EXP_MINUS = 1,
    EXP_MULT = 2,
    EXP_DIV = 3,
    EXP_DIV_REMAIN = 4,
    EXP_OR = 5,
    EXP_AND = 6,
    EXP_BELOW = 7,
    EXP_ABOWE = 8,
    EXP_LET = 9,
    EXP_LOGIC_OR = 11,
    EXP_LOGIC_AND = 12,
    EXP_L_SHIFT = 13,
    EXP_R_SHIFT = 14,
    EXP_BELOW_EQUAL = 15,
    EXP_EQUAL = 16,
    EXP_NOT_EQUAL = 17,
    EXP_ABOWE_EQUAL = 18,
    EXP_PLUS_EQUAL = 19,
    EXP_MINUS_EQUAL = 20,
    EXP_MULT_EQUAL = 21,
    EXP_DIV_EQUAL = 22,
    EXP_OPERAND = 30,     // unary plus
    EXP_XOR = 31,         // unary minus
    EXP_EQUAL_NULL = 32,  // "!"
    EXP_NOT = 33,         // "~"
    EXP_OPEN_IF = 40,
    EXP_CLOSE = 41,
    EXP_SEMICOLON = 42,
    EXP_COMMA = 43,
    EXP_BLOCK = 44,
    EXP_ERROR = 45,
    EXP_DIGIT = 51,
    EXP_COMPOUND = 52,  // name leaf
    EXP_END_BLOCK = 60,
    EXP_ENTRY_INSTANCE = 61,
    EXP_EXT_FUNC = 62,
    EXP_DATA = 64,
    EXP_REFERENCE = 65,
    EXP_INSTANCE = 67,
    EXP_ASSIGN_FUNC = 68,
    EXP_LET_STRING = 70,
    EXP_71 = 71,  // passed through as opcode 71; no reader makes it
    EXP_LET_FUNC = 72,
    EXP_LET_FLOAT = 73,
    EXP_LET_INSTANCE = 74,
    EXP_ELSE = 75,
    EXP_IF = 76,
    EXP_SET_INSTANCE = 80,
    EXP_EMPTY = 90,  // call node
    EXP_END_IF = 91,
    EXP_FUNC = 92,
    EXP_END_FUNC = 93,
    EXP_PROTOTYPE = 96,
    EXP_END_PROTOTYPE = 97,
    EXP_STRING = 98
};

class zCPar_TreeNode {
public:
    zCPar_TreeNode();
    zCPar_TreeNode(int kind, int value, int line);
    zCPar_TreeNode(int kind, const zSTRING& name, int value, int line);
    // Destroys Right, Left and Next, in that order. Long statement lists are
    // taken apart without recursing once per node.
    ~zCPar_TreeNode();
    zCPar_TreeNode(const zCPar_TreeNode&) = delete;
    zCPar_TreeNode& operator=(const zCPar_TreeNode&) = delete;

    // Nodes come from the node pool of zCPar_TreeNode.cpp, not one by one from the heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

    // The last node of the list through Next (this node when it has no Next).
    zCPar_TreeNode* GetLast();
    // Links this node after the node held in list and makes it the one held there.
    void Insert(zCPar_TreeNode*& list);

    // Printed name of a kind; its decimal number when the kind has none.
    static zSTRING GetKindName(int kind);
    // "=" and the compound assignments.
    static bool IsAssignment(int kind)
    {
        return kind == EXP_LET || (kind >= EXP_PLUS_EQUAL && kind <= EXP_DIV_EQUAL);
    }

    // Pointers first and the small fields together: no padding between them.
    zSTRING Name;
    zCPar_TreeNode* Left = nullptr;   // owned
    zCPar_TreeNode* Right = nullptr;  // owned
    zCPar_TreeNode* Next = nullptr;   // owned
    zCPar_TreeNode* Prev = nullptr;  // back link, not owned
    int Value = 0;
    int BaseType = 0;
    int serial = 0;
    int Type = -1;  // -2: a name without a symbol
    int line = 0;
    unsigned char TypeExp = 0;

    // For a name leaf, the number of the symbol the reader found for it; -1 for none.
    // The linker takes it where it is sure to find the same (see zCParser::EmitName).
    int GetFoundSymbol() const
    {
        return (foundSymbol[0] | foundSymbol[1] << 8 | foundSymbol[2] << 16) - 1;
    }
    void SetFoundSymbol(int number)
    {
        const int kept = number >= 0 && number < kFoundSymbolLimit ? number + 1 : 0;
        foundSymbol[0] = static_cast<unsigned char>(kept);
        foundSymbol[1] = static_cast<unsigned char>(kept >> 8);
        foundSymbol[2] = static_cast<unsigned char>(kept >> 16);
    }

private:
    // The number plus one, 0 for none, in the three bytes after TypeExp, so that the
    // node keeps its size. Larger numbers are not kept.
    static constexpr int kFoundSymbolLimit = (1 << 24) - 1;
    unsigned char foundSymbol[3] = {};
};
