// Expressions into trees by precedence, and constant folding.
#include "zCParser.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include "LittleEndian.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCScopeExit.h"

namespace {

// Deeper trees than any script needs would only exhaust the stack of the readers
// and of everything that walks the trees later.
constexpr int kMaxExpressionDepth = 500;

// Binary precedence by token code; higher binds tighter.
constexpr int kPrecedence[34] = {
    10, 10, 11, 11, 11, 4, 6, 8, 8, 0,  // + - * / % | & < > =
    -1, 2,  3,  9,  9,  8, 7, 7, 8,     // 10, || && << >> <= == != >=
    0,  0,  0,  0,                      // += -= *= /=
    0,  0,  0,  0,  0,  0,  0,  0,  0,  0, 0};

// The readers recurse per bracket, unary operator and nested call; the tree they return
// is this deep.
thread_local int t_nesting = 0;
thread_local int t_depth = 0;

struct NestingGuard {
    NestingGuard() { ++t_nesting; }
    ~NestingGuard() { --t_nesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};

std::uint32_t U(int value)
{
    return static_cast<std::uint32_t>(value);
}

} // namespace

int zCParser::GetPrecedence(int token)
{
    if (token < 0 || token > 33)
        return -1;
    return kPrecedence[token];
}

zCPar_TreeNode* zCParser::NewNode(int kind, zCPar_TreeNode* prev)
{
    auto* node = new zCPar_TreeNode(kind, 0, line);
    if (prev != nullptr) {
        prev->Next = node;
        node->Prev = prev;
    }
    return node;
}

zCPar_TreeNode* zCParser::ReadExpression(int& token, int minPrecedence)
{
    std::unique_ptr<zCPar_TreeNode> left(ReadLeaf(token));
    if (!left)
        return nullptr;
    int depth = t_depth;

    while (token >= 0 && token <= 33 && GetPrecedence(token) > minPrecedence) {
        const int op = token;
        if (op > EXP_DIV_EQUAL) {
            // "!" and "~" only stand before an operand.
            Error(g_parErrSyntax + currentWord, 0, -1);
            break;
        }
        token = ReadToken();
        std::unique_ptr<zCPar_TreeNode> right(ReadExpression(token, GetPrecedence(op)));
        const int rightDepth = right ? t_depth : 0;
        if (zCPar_TreeNode::IsAssignment(op) && left->TypeExp != EXP_COMPOUND)
            Error(LoadResString(IDS_LVALUE_EXPECTED), 0, -1);
        zCPar_TreeNode* node = NewNode(op, nullptr);
        node->Left = left.release();
        node->Right = right.release();
        left.reset(node);
        depth = std::max(depth, rightDepth) + 1;
        if (depth > kMaxExpressionDepth) {
            Error(LoadResString(IDS_NESTED_TOO_DEEPLY), 0, -1);
            break;
        }
    }
    t_depth = depth;
    return left.release();
}

zCPar_TreeNode* zCParser::ReadCallNode(const zSTRING& name, int expectedType)
{
    // The call reader appends its arguments and the call after the last node; here
    // they go after the holder and are then hung from its Right, so that the
    // holder itself can stand in a statement chain or a tree.
    std::unique_ptr<zCPar_TreeNode> call(NewNode(EXP_EMPTY, nullptr));
    const zCScopeExit restore([this, holder = call.get(), savedCall = currentCallNode,
                               savedArguments = callArgumentsNode, savedLast = lastNode] {
        if (zCPar_TreeNode* first = holder->Next) {
            first->Prev = nullptr;
            holder->Right = first;
            holder->Next = nullptr;
        }
        currentCallNode = savedCall;
        callArgumentsNode = savedArguments;
        lastNode = savedLast;
    });
    currentCallNode = callArgumentsNode = lastNode = call.get();
    DeclareFuncCall(name, expectedType);
    return call.release();
}

zCPar_TreeNode* zCParser::ReadLeaf(int& token)
{
    NestingGuard nesting;
    if (t_nesting > kMaxExpressionDepth) {
        Error(LoadResString(IDS_NESTED_TOO_DEEPLY), 0, -1);
        return nullptr;
    }
    t_depth = 1;

    switch (token) {
    case EXP_DIGIT: {
        auto* node = new zCPar_TreeNode(EXP_DIGIT, ConvertDecimal(currentWord), line);
        node->Type = zPAR_TYPE_INT;
        std::unique_ptr<zCPar_TreeNode> owned(node);
        token = ReadToken();
        return owned.release();
    }
    case EXP_COMPOUND: {
        const zSTRING name = currentWord;
        const int index = ReadOptionalIndex(name);
        if (constExpression && (currentExpressionType == -1 || currentExpressionType == zPAR_TYPE_INT))
            CheckConstName(name);
        std::unique_ptr<zCPar_TreeNode> node(new zCPar_TreeNode(EXP_COMPOUND, name, index, line));
        node->BaseType = zPAR_TYPE_INT;
        SetLeafType(name, node.get());
        token = ReadToken();
        return node.release();
    }
    case EXP_FUNC: {
        std::unique_ptr<zCPar_TreeNode> call(ReadCallNode(currentWord, currentExpressionType));
        t_depth = 1;
        token = ReadToken();
        return call.release();
    }
    case EXP_OPEN_IF: {
        token = ReadToken();
        std::unique_ptr<zCPar_TreeNode> inner(ReadExpression(token, -1));
        if (!inner)
            return nullptr;
        if (token != EXP_CLOSE) {
            Error(ExpectedText(")"), 0, -1);
            return inner.release();
        }
        const int depth = t_depth;
        token = ReadToken();
        t_depth = depth;
        return inner.release();
    }
    case EXP_PLUS:
    case EXP_MINUS:
    case EXP_OPERAND:
    case EXP_XOR:
    case EXP_EQUAL_NULL:
    case EXP_NOT: {
        const int kind = token == EXP_PLUS ? EXP_OPERAND : token == EXP_MINUS ? EXP_XOR : token;
        token = ReadToken();
        std::unique_ptr<zCPar_TreeNode> operand(ReadLeaf(token));
        if (!operand)
            return nullptr;
        const int depth = t_depth + 1;
        zCPar_TreeNode* node = NewNode(kind, nullptr);
        node->Right = operand.release();
        t_depth = depth;
        return node;
    }
    case EXP_ERROR:
        // The tokenizer has reported this one.
        return nullptr;
    default:
        Error(g_parErrSyntax + currentWord, 0, -1);
        return nullptr;
    }
}

int zCParser::EvalConst(zCPar_TreeNode* node, int parentKind)
{
    if (node == nullptr) {
        Error(LoadResString(IDS_ERROR_IN_LEAF), 0, -1);
        return 0;
    }
    const int kind = node->TypeExp;

    if (kind == EXP_DIGIT)
        return node->Value;
    if (kind == EXP_COMPOUND) {
        zCPar_Symbol* symbol = FindConstSymbol(node);
        int value = 0;
        if (symbol != nullptr && !zCPar_TreeNode::IsAssignment(parentKind))
            symbol->GetValue(value, node->Value);
        return value;
    }
    if (zCPar_TreeNode::IsAssignment(kind))
        return EvalConstAssignment(node);

    int left = 0;
    int right = 0;
    if (kind <= 29) {
        left = EvalConst(node->Left, kind);
        right = EvalConst(node->Right, 0);
    } else if (kind <= 33) {
        right = EvalConst(node->Right, 0);
    } else {
        Error(LoadResString(IDS_ERROR_IN_LEAF), 0, -1);
        return 0;
    }

    // Signed 32-bit results; sums, products and shifts wrap instead of overflowing.
    switch (kind) {
    case EXP_PLUS: return ToInt32(U(left) + U(right));
    case EXP_MINUS: return ToInt32(U(left) - U(right));
    case EXP_MULT: return ToInt32(U(left) * U(right));
    case EXP_DIV:
    case EXP_DIV_REMAIN: return EvalConstDivision(kind, left, right);
    case EXP_OR: return left | right;
    case EXP_AND: return left & right;
    case EXP_BELOW: return left < right ? 1 : 0;
    case EXP_ABOWE: return left > right ? 1 : 0;
    case EXP_BELOW_EQUAL: return left <= right ? 1 : 0;
    case EXP_ABOWE_EQUAL: return left >= right ? 1 : 0;
    case EXP_EQUAL: return left == right ? 1 : 0;
    case EXP_NOT_EQUAL: return left != right ? 1 : 0;
    case EXP_L_SHIFT: return ToInt32(U(left) << (U(right) & 31u));
    case EXP_R_SHIFT: {
        const unsigned count = U(right) & 31u;
        // Arithmetic: the sign is shifted in.
        return left >= 0 ? left >> count : ~(~left >> count);
    }
    case EXP_LOGIC_OR: return (left == 0 && right == 0) ? 0 : 1;
    case EXP_LOGIC_AND: return (left == 0 || right == 0) ? 0 : 1;
    case EXP_OPERAND: return right;
    case EXP_XOR: return ToInt32(0u - U(right));
    case EXP_EQUAL_NULL: return right == 0 ? 1 : 0;
    case EXP_NOT: return ~right;
    default:
        Error(LoadResString(IDS_ERROR_IN_TREE), 0, -1);
        return 0;
    }
}

zCPar_Symbol* zCParser::FindConstSymbol(zCPar_TreeNode* leaf)
{
    const int index = FindIndex(leaf->Name);
    if (index < 0) {
        Error(g_parErrUnknown + leaf->Name, 0, -1);
        return nullptr;
    }
    return symtab.GetSymbol(index);
}

int zCParser::EvalConstDivision(int kind, int left, int right)
{
    if (right == 0) {
        Error(LoadResString(kind == EXP_DIV_REMAIN ? IDS_REMAINDER_BY_ZERO : IDS_DIVISION_BY_ZERO), 0, -1);
        return 0;
    }
    if (right == -1) {
        // The one quotient that does not fit; its remainder is 0.
        if (kind == EXP_DIV_REMAIN)
            return 0;
        if (left == std::numeric_limits<std::int32_t>::min()) {
            Error(LoadResString(IDS_DIVISION_OVERFLOW), 0, -1);
            return 0;
        }
    }
    return kind == EXP_DIV_REMAIN ? left % right : left / right;
}

int zCParser::EvalConstAssignment(zCPar_TreeNode* node)
{
    const int kind = node->TypeExp;
    zCPar_Symbol* target = nullptr;
    if (node->Left != nullptr && node->Left->TypeExp == EXP_COMPOUND)
        target = FindConstSymbol(node->Left);
    else
        Error(LoadResString(IDS_LVALUE_EXPECTED), 0, -1);
    const int right = EvalConst(node->Right, 0);
    if (target == nullptr)
        return right;

    const int element = node->Left->Value;
    int current = 0;
    target->GetValue(current, element);
    int value = right;
    switch (kind) {
    case EXP_PLUS_EQUAL: value = ToInt32(U(current) + U(right)); break;
    case EXP_MINUS_EQUAL: value = ToInt32(U(current) - U(right)); break;
    case EXP_MULT_EQUAL: value = ToInt32(U(current) * U(right)); break;
    case EXP_DIV_EQUAL: value = EvalConstDivision(EXP_DIV, current, right); break;
    default: break;
    }
    target->SetValue(value, element);
    return value;
}

zCPar_TreeNode* zCParser::ReadNameValue(const zSTRING& name, int type)
{
    if (!IsNameStart(name[0])) {
        Error(g_parErrSyntax + name, 0, -1);
        return nullptr;
    }
    if (NextWordIs('('))
        return ReadCallNode(name, type);
    const int index = ReadOptionalIndex(name);
    std::unique_ptr<zCPar_TreeNode> node(new zCPar_TreeNode(EXP_COMPOUND, name, index, line));
    node->BaseType = type;
    SetLeafType(name, node.get());
    return node.release();
}

std::int32_t zCParser::FloatBits(float value)
{
    return static_cast<std::int32_t>(zFloatBits(value));
}

zCPar_TreeNode* zCParser::ReadFloatValue()
{
    zSTRING word;
    bool negative = false;
    if (!ReadSignedWord(word, negative))
        return nullptr;

    if (word[0] >= '0' && word[0] <= '9') {
        // The exponent may be read from the next line: the node takes the line after it.
        const std::int32_t bits = FloatBits(ConvertFloatWord(word, negative));
        auto* node = new zCPar_TreeNode(EXP_DIGIT, bits, line);
        node->BaseType = zPAR_TYPE_FLOAT;
        node->Type = zPAR_TYPE_FLOAT;
        return node;
    }
    if (negative) {
        // A float name cannot be negated; dropping the sign would change the value.
        Error(g_parErrSyntax + "-" + word, 0, -1);
        return nullptr;
    }
    return ReadNameValue(word, zPAR_TYPE_FLOAT);
}

zCPar_TreeNode* zCParser::ReadStringValue()
{
    zSTRING word;
    ReadWord(word);
    if (ReportIfEndOfText(word))
        return nullptr;
    if (IsWord(word, "\"")) {
        PrevWord();
        zSTRING text;
        ReadString(text);
        auto* node = new zCPar_TreeNode(EXP_STRING, text, 0, line);
        node->BaseType = zPAR_TYPE_STRING;
        node->Type = zPAR_TYPE_STRING;
        return node;
    }
    return ReadNameValue(word, zPAR_TYPE_STRING);
}
