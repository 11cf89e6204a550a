// Byte code from the statement trees, and the jump patches.
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCParOpcodes.h"
#include "zCParser.h"

namespace {

// The element index of E_ARRAY is one byte.
constexpr int kMaxArrayOperand = 255;

// The operators and these node kinds are written as the opcodes of the same number.
constexpr bool IsOpcode(zTParTreeKind kind, zTParOpcode opcode)
{
    return static_cast<int>(kind) == static_cast<int>(opcode);
}
static_assert(static_cast<int>(EXP_NOT) < static_cast<int>(zPAR_OP_END), "the operators' opcodes come before every other");
static_assert(IsOpcode(EXP_END_BLOCK, zPAR_OP_END), "a return is the body's end");
static_assert(IsOpcode(EXP_LET_STRING, zPAR_OP_ASSIGNSTR), "string assignment");
static_assert(IsOpcode(EXP_71, zPAR_OP_71), "kind 71 is passed through");
static_assert(IsOpcode(EXP_LET_FUNC, zPAR_OP_ASSIGNFUNC), "function reference assignment");
static_assert(IsOpcode(EXP_LET_FLOAT, zPAR_OP_ASSIGNFLOAT), "float assignment");
static_assert(IsOpcode(EXP_LET_INSTANCE, zPAR_OP_ASSIGNINSTANCE), "instance assignment");
static_assert(IsOpcode(EXP_ELSE, zPAR_OP_JUMP), "an else is the jump over it");
static_assert(IsOpcode(EXP_IF, zPAR_OP_JUMPF), "an if is the jump when false");

// Whether name is owner + "." + member.
bool IsMemberName(const zSTRING& name, const zSTRING& owner, const zSTRING& member)
{
    return name.size() == owner.size() + 1 + member.size() && name.compare(0, owner.size(), owner) == 0 &&
           name.data()[owner.size()] == '.' && name.compare(owner.size() + 1, member.size(), member) == 0;
}

bool IsInstanceOrPrototype(const zCPar_Symbol* symbol)
{
    const int type = symbol->GetType();
    return type == zPAR_TYPE_INSTANCE || type == zPAR_TYPE_PROTOTYPE;
}

} // namespace

zCPar_TreeNode* zCParser::EmitCode(zCPar_TreeNode* node)
{
    if (!node)
        return nullptr;
    // A failed operand ends the whole statement, however deep it sits.
    if (emitDepth == 0)
        emitFailed = false;
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    } depth(emitDepth);

    // Operands first, the right one before the left. A call inside an expression is a
    // holder node whose Next chain (the arguments, then the call) is emitted here.
    for (zCPar_TreeNode* operand = node->Right; operand && !emitFailed;)
        operand = EmitCode(operand);
    for (zCPar_TreeNode* operand = node->Left; operand && !emitFailed;)
        operand = EmitCode(operand);
    if (emitFailed)
        return nullptr;
    if (!EmitNode(node)) {
        emitFailed = true;
        return nullptr;
    }
    return node->Next;
}

void zCParser::EmitError(const zSTRING& text, const zCPar_TreeNode* node)
{
    Error(text, 0, node->line);
}

bool zCParser::EmitNode(zCPar_TreeNode* node)
{
    const int kind = node->TypeExp;
    if (kind <= EXP_NOT) {
        codeStack.PushByte(static_cast<unsigned char>(kind));
        return true;
    }
    switch (kind) {
    case EXP_DIGIT:
        codeStack.PushByte(zPAR_OP_PUSHINT);
        codeStack.PushInt(node->Value);
        return true;
    case EXP_COMPOUND:
        return EmitName(node);
    case EXP_ENTRY_INSTANCE: {
        int index = NumberStoredIn(node);
        if (index >= 0)
            indexFromFallback = 0;  // as GetIndex leaves it for a symbol of our own
        else
            index = GetIndex(node->Name);
        zCPar_Symbol* function = index >= 0 ? GetSymbol(index) : nullptr;
        if (!function) {
            EmitError(g_parErrUndefinedFunc + node->Name, node);
            return false;
        }
        if (function->GetType() == zPAR_TYPE_FUNC && function->HasFlag(zPAR_FLAG_EXTERNAL)) {
            codeStack.PushByte(zPAR_OP_CALLEXTERN);
            codeStack.PushInt(index);
        } else {
            // A body emitted later still has its content 0 here.
            codeStack.PushByte(zPAR_OP_CALL);
            codeStack.PushInt(function->GetContent());
        }
        return true;
    }
    case EXP_INSTANCE:
        return EmitInstance(node);
    case EXP_ASSIGN_FUNC: {
        codeStack.PushByte(zPAR_OP_PUSHINT);
        const int index = FindIndex(node->Name);
        zCPar_Symbol* symbol = index >= 0 ? symtab.GetSymbol(index) : nullptr;
        if (!symbol) {
            EmitError(g_parErrUnknown + node->Name, node);
            return false;
        }
        const int type = symbol->GetType();
        if (type != zPAR_TYPE_FUNC && type != zPAR_TYPE_PROTOTYPE && type != zPAR_TYPE_INSTANCE) {
            EmitError(LoadResString(IDS_WRONG_TYPE) + node->Name, node);
            return false;
        }
        codeStack.PushInt(index);
        return true;
    }
    case EXP_END_BLOCK:
    case EXP_LET_STRING:
    case EXP_71:
    case EXP_LET_FUNC:
    case EXP_LET_FLOAT:
    case EXP_LET_INSTANCE:
        codeStack.PushByte(static_cast<unsigned char>(kind));
        return true;
    case EXP_ELSE:
    case EXP_IF:
        codeStack.PushByte(static_cast<unsigned char>(kind));
        // Where the jump's address goes once the label is known.
        emittedJumps.push_back({codeStack.GetDynSize(), node->Value, node->line});
        codeStack.PushInt(0);
        return true;
    case EXP_EMPTY:
        return true;
    case EXP_END_IF:
        if (node->Value < 0 || node->Value >= linkLabelCount)
            EmitError(FormatResString(IDS_LABEL_OUT_OF_RANGE, node->Value), node);
        else
            labelTable[static_cast<std::size_t>(node->Value)] = codeStack.GetDynSize();
        return true;
    case EXP_FUNC: {
        const int stored = NumberStoredIn(node);
        zCPar_Symbol* function = stored >= 0 ? symtab.GetSymbol(stored) : symtab.GetSymbol(node->Name);
        if (!function)
            EmitError(g_parErrUnknown + node->Name, node);
        currentFunction = function;
        if (function && !function->HasFlag(zPAR_FLAG_EXTERNAL))
            function->SetContent(codeStack.GetDynSize());
        return true;
    }
    case EXP_END_FUNC:
        currentFunction = nullptr;
        codeStack.PushByte(zPAR_OP_END);
        return true;
    case EXP_PROTOTYPE:
        EmitInstanceStart(node);
        return true;
    case EXP_END_PROTOTYPE:
        currentFunction = nullptr;
        currentInstance = nullptr;
        currentClass = nullptr;
        return true;
    case EXP_STRING:
        EmitStringLiteral(node);
        return true;
    default:
        EmitError(LoadResString(IDS_UNKNOWN_NODE_KIND), node);
        return true;
    }
}

int zCParser::NumberStoredIn(const zCPar_TreeNode* node) const
{
    if (!symtab.EveryNameListedOnce())
        return -1;
    const zCPar_Symbol* symbol = symtab.GetSymbol(node->Value);
    return symbol && symbol->name == node->Name ? node->Value : -1;
}

int zCParser::FindLeafIndex(const zCPar_TreeNode* node)
{
    // The lookup tries the class's members, then the body's locals, then the globals.
    // A symbol named as a member or local of the scope tried first is what it finds,
    // however the reader came to it: one symbol to a name, and names stay listed.
    const int found = node->GetFoundSymbol();
    const zCPar_Symbol* owner = currentClass ? currentClass : currentFunction;
    if (found >= 0 && owner && symtab.EveryNameListedOnce()) {
        const zCPar_Symbol* symbol = symtab.GetSymbol(found);
        if (symbol && IsMemberName(symbol->name, owner->name, node->Name))
            return found;
    }
    return FindIndex(node->Name);
}

bool zCParser::EmitName(zCPar_TreeNode* node)
{
    const int index = FindLeafIndex(node);
    zCPar_Symbol* symbol = index >= 0 ? symtab.GetSymbol(index) : nullptr;
    if (!symbol) {
        EmitError(g_parErrUnknown + node->Name, node);
        return false;
    }
    // A member outside its own class's body goes through the instance named before the dot.
    if (symbol->HasFlag(zPAR_FLAG_CLASSVAR) && currentInstance != symbol->GetParent()) {
        codeStack.PushByte(zPAR_OP_SETINSTANCE);
        codeStack.PushInt(GetDottedOwner());
    }
    if (node->BaseType == zPAR_TYPE_INT && IsInstanceOrPrototype(symbol)) {
        codeStack.PushByte(zPAR_OP_PUSHINT);
        codeStack.PushInt(index);
        return true;
    }
    if (node->BaseType == zPAR_TYPE_FUNC && IsInstanceOrPrototype(symbol)) {
        codeStack.PushByte(zPAR_OP_PUSHVAR);
        codeStack.PushInt(index);
        return true;
    }
    if (symbol->GetType() != node->BaseType) {
        EmitError(LoadResString(IDS_WRONG_TYPE) + node->Name, node);
        return false;
    }
    const int element = node->Value;
    codeStack.PushByte(element < 1 ? zPAR_OP_PUSHVAR : zPAR_OP_PUSH_ARRAYVAR);
    codeStack.PushInt(index);
    if (element < 0 || element >= symbol->GetElementCount()) {
        EmitError("Array-Index out of Range : " + node->Name + " [" + zSTRING(element) + "]", node);
    } else if (element > kMaxArrayOperand) {
        // The operand would keep only the low byte and address another element.
        EmitError(FormatResString(IDS_ARRAY_INDEX_TOO_LARGE, node->Name, element), node);
    }
    if (element > 0)
        codeStack.PushByte(static_cast<unsigned char>(element & 0xFF));
    return true;
}

bool zCParser::EmitInstance(zCPar_TreeNode* node)
{
    codeStack.PushByte(zPAR_OP_PUSHINSTANCE);
    if (IsWord(node->Name, "NULL")) {
        codeStack.PushInt(0);
        return true;
    }
    const int index = FindIndex(node->Name);
    zCPar_Symbol* symbol = index >= 0 ? symtab.GetSymbol(index) : nullptr;
    if (!symbol) {
        EmitError(g_parErrUnknown + node->Name, node);
        return false;
    }
    if (symbol->GetType() != node->BaseType) {
        EmitError(LoadResString(IDS_WRONG_TYPE) + node->Name, node);
        return false;
    }
    // The class the instance must belong to.
    if (node->Value >= 1 && GetBaseClass(symbol) != node->Value) {
        const zCPar_Symbol* expected = symtab.GetSymbol(node->Value);
        EmitError(expected ? g_parErrExpected + expected->name : LoadResString(IDS_WRONG_TYPE) + node->Name, node);
        return false;
    }
    codeStack.PushInt(index);
    return true;
}

void zCParser::EmitInstanceStart(zCPar_TreeNode* node)
{
    const int stored = NumberStoredIn(node);
    zCPar_Symbol* symbol = stored >= 0 ? symtab.GetSymbol(stored) : symtab.GetSymbol(node->Name);
    if (!symbol) {
        EmitError(g_parErrUnknown + node->Name, node);
        return;
    }
    currentFunction = symbol;
    const std::int32_t oldContent = symbol->GetContent();
    symbol->SetContent(codeStack.GetDynSize());
    currentInstance = symbol->GetParent();
    const bool parentIsPrototype = currentInstance && currentInstance->GetType() == zPAR_TYPE_PROTOTYPE;
    if (mergeMode && oldContent > 0) {
        // The body of a merged declaration first runs the earlier body.
        codeStack.PushByte(zPAR_OP_CALL);
        codeStack.PushInt(oldContent);
        if (parentIsPrototype)
            currentInstance = currentInstance->GetParent();
    } else if (parentIsPrototype) {
        // An instance of a prototype first runs the prototype's body.
        codeStack.PushByte(zPAR_OP_CALL);
        codeStack.PushInt(currentInstance->GetContent());
        currentInstance = currentInstance->GetParent();
    }
    // Member names in the body resolve in its class, as they did when it was read.
    currentClass = currentInstance;
}

void zCParser::EmitStringLiteral(zCPar_TreeNode* node)
{
    auto* constant = new zCPar_Symbol;
    constant->SetType(zPAR_TYPE_STRING);
    constant->SetElementCount(1);
    constant->SetFlag(zPAR_FLAG_CONST);
    constant->declaredType = zPAR_TYPE_STRING;
    // A script may spell such a name too; the next number is taken then.
    do {
        constant->name = zSTRING('\xFF') + zSTRING(stringLiteralCounter++);
    } while (!symtab.Insert(constant));
    if (!node->Name.empty())
        constant->SetValue(node->Name, 0);
    codeStack.PushByte(zPAR_OP_PUSHVAR);
    codeStack.PushInt(symtab.GetNumInList() - 1);
}

void zCParser::PatchJumps()
{
    for (const EmittedJump& jump : emittedJumps) {
        if (jump.label < 0 || jump.label >= linkLabelCount)
            Error(FormatResString(IDS_LABEL_OUT_OF_RANGE, jump.label), 0, jump.line);
        else
            codeStack.Set(jump.at, labelTable[static_cast<std::size_t>(jump.label)]);
    }
}
