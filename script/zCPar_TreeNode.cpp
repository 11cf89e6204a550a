// Nodes of the compiler's trees.
#include "zCPar_TreeNode.h"

#include <atomic>
#include <string>

#include "zCParObjectPool.h"

namespace {

// Creation numbers, process-wide and never reset. A thread takes them a run at a
// time: a locked instruction per node cost about as much as the rest of making it.
std::atomic<unsigned> g_nextSerial{0};
constexpr unsigned kSerialRun = 256;
thread_local unsigned t_serial = 0;
thread_local unsigned t_serialEnd = 0;

int NextSerial()
{
    if (t_serial == t_serialEnd) {
        t_serial = g_nextSerial.fetch_add(kSerialRun);
        t_serialEnd = t_serial + kSerialRun;
    }
    return static_cast<int>(t_serial++);
}

// The found symbol's bytes fill what was padding after the kind.
static_assert(sizeof(void*) != 8 || sizeof(zCPar_TreeNode) <= 96, "a node fits 96 bytes on 64-bit hosts");

// Nodes come from the pool; 2048 to a chunk, and the chunks of some 48 MB kept
// between compiles: the trees of a project of about 200,000 lines.
using NodePool = zCParObjectPool<zCPar_TreeNode, 2048, 256>;

const char* KindNameOrNull(int kind)
{
    switch (kind) {
    case EXP_PLUS: return "EXP_PLUS";
    case EXP_MINUS: return "EXP_MINUS";
    case EXP_MULT: return "EXP_MULT";
    case EXP_DIV: return "EXP_DIV";
    case EXP_DIV_REMAIN: return "EXP_DIV_REMAIN";
    case EXP_OR: return "EXP_OR";
    case EXP_AND: return "EXP_AND";
    case EXP_BELOW: return "EXP_BELOW";
    case EXP_ABOWE: return "EXP_ABOWE";
    case EXP_LET: return "EXP_LET";
    case EXP_LOGIC_OR: return "EXP_LOGIC_OR";
    case EXP_LOGIC_AND: return "EXP_LOGIC_AND";
    case EXP_L_SHIFT: return "EXP_L_SHIFT";
    case EXP_R_SHIFT: return "EXP_R_SHIFT";
    case EXP_BELOW_EQUAL: return "EXP_BELOW_EQUAL";
    case EXP_EQUAL: return "EXP_EQUAL";
    case EXP_NOT_EQUAL: return "EXP_NOT_EQUAL";
    case EXP_ABOWE_EQUAL: return "EXP_ABOWE_EQUAL";
    case EXP_PLUS_EQUAL: return "EXP_PLUS_EQUAL";
    case EXP_MINUS_EQUAL: return "EXP_MINUS_EQUAL";
    case EXP_MULT_EQUAL: return "EXP_MULT_EQUAL";
    case EXP_DIV_EQUAL: return "EXP_DIV_EQUAL";
    case EXP_OPERAND: return "EXP_OPERAND";
    case EXP_XOR: return "EXP_XOR";
    case EXP_EQUAL_NULL: return "EXP_EQUAL_NULL";
    case EXP_NOT: return "EXP_NOT";
    case EXP_OPEN_IF: return "EXP_OPEN_IF";
    case EXP_CLOSE: return "EXP_CLOSE";
    case EXP_SEMICOLON: return "EXP_SEMICOLON";
    case EXP_COMMA: return "EXP_COMMA";
    case EXP_BLOCK: return "EXP_BLOCK";
    case EXP_ERROR: return "EXP_ERROR";
    case EXP_DIGIT: return "EXP_DIGIT";
    case EXP_COMPOUND: return "EXP_COMPOUND";
    case EXP_END_BLOCK: return "EXP_END_BLOCK";
    case EXP_ENTRY_INSTANCE: return "EXP_ENTRY_INSTANCE";
    case EXP_EXT_FUNC: return "EXP_EXT_FUNC";
    case EXP_DATA: return "EXP_DATA";
    case EXP_REFERENCE: return "EXP_REFERENCE";
    case EXP_INSTANCE: return "EXP_INSTANCE";
    case EXP_ASSIGN_FUNC: return "EXP_ASSIGN_FUNC";
    case EXP_LET_STRING: return "EXP_LET_STRING";
    case EXP_LET_FUNC: return "EXP_LET_FUNC";
    case EXP_LET_FLOAT: return "EXP_LET_FLOAT";
    case EXP_LET_INSTANCE: return "EXP_LET_INSTANCE";
    case EXP_ELSE: return "EXP_ELSE";
    case EXP_IF: return "EXP_IF";
    case EXP_SET_INSTANCE: return "EXP_SET_INSTANCE";
    case EXP_EMPTY: return "EXP_EMPTY";
    case EXP_END_IF: return "EXP_END_IF";
    case EXP_FUNC: return "EXP_FUNC";
    case EXP_END_FUNC: return "EXP_END_FUNC";
    case EXP_PROTOTYPE: return "EXP_PROTOTYPE";
    case EXP_END_PROTOTYPE: return "EXP_END_PROTOTYPE";
    case EXP_STRING: return "EXP_STRING";
    default: return nullptr;
    }
}

} // namespace

zCPar_TreeNode::zCPar_TreeNode() : serial(NextSerial())
{
}

zCPar_TreeNode::zCPar_TreeNode(int kind, int value, int line)
    : Value(value), serial(NextSerial()), line(line), TypeExp(static_cast<unsigned char>(kind))
{
}

zCPar_TreeNode::zCPar_TreeNode(int kind, const zSTRING& name, int value, int line)
    : Name(name), Value(value), serial(NextSerial()), line(line), TypeExp(static_cast<unsigned char>(kind))
{
}

zCPar_TreeNode::~zCPar_TreeNode()
{
    if (!Left && !Right && !Next)
        return;
    // The nodes below are taken apart in a loop, not by recursion: a file's statement
    // list runs to tens of thousands of nodes. The nodes still to visit are stacked
    // through their back links, which die with them. From the pool, the memory of all
    // of them goes back in one piece.
    zCPar_TreeNode* stack = nullptr;
    const auto push = [&stack](zCPar_TreeNode* node) {
        if (node) {
            node->Prev = stack;
            stack = node;
        }
    };
    push(Next);
    push(Left);
    push(Right);
    Left = Right = Next = nullptr;
    NodePool::Batch dropped;
    while (stack) {
        zCPar_TreeNode* node = stack;
        stack = node->Prev;
        push(node->Next);
        push(node->Left);
        push(node->Right);
        node->Left = node->Right = node->Next = nullptr;
        dropped.Drop(node);
    }
}

void* zCPar_TreeNode::operator new(std::size_t size)
{
    return NodePool::Shared().New(size);
}

void zCPar_TreeNode::operator delete(void* block, std::size_t size) noexcept
{
    NodePool::Shared().Delete(block, size);
}

zCPar_TreeNode* zCPar_TreeNode::GetLast()
{
    zCPar_TreeNode* node = this;
    while (node->Next)
        node = node->Next;
    return node;
}

void zCPar_TreeNode::Insert(zCPar_TreeNode*& list)
{
    if (list) {
        list->Next = this;
        Prev = list;
    }
    list = this;
}

zSTRING zCPar_TreeNode::GetKindName(int kind)
{
    if (const char* name = KindNameOrNull(kind))
        return name;
    return std::to_string(kind).c_str();
}
