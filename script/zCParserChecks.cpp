// The compiler's error report and the checks on expression and statement trees.
//
// The statement chain of a body is checked one statement at a time, walking back
// from the statement's last node to where the previous walk began. A statement's
// closing node takes its operands with it: an assignment node (string, float,
// func, instance) the target operand and the value before it, a call node its
// arguments, a return node its value. What is left over at the top of the walk is
// a bare expression.
#include "zCParser.h"

#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCScopeExit.h"
#include "zERROR.h"

namespace {

bool IsIntLike(int type)
{
    return type == zPAR_TYPE_INT || type == zPAR_TYPE_INSTANCE_INT;
}

bool IsArithmetic(int kind)
{
    return (kind >= EXP_PLUS && kind <= EXP_AND) || kind == EXP_L_SHIFT || kind == EXP_R_SHIFT;
}

bool IsComparison(int kind)
{
    return kind == EXP_BELOW || kind == EXP_ABOWE || kind == EXP_LOGIC_OR || kind == EXP_LOGIC_AND ||
           (kind >= EXP_BELOW_EQUAL && kind <= EXP_ABOWE_EQUAL);
}

bool IsChainAssignment(int kind)
{
    return kind == EXP_LET_STRING || kind == EXP_LET_FUNC || kind == EXP_LET_FLOAT || kind == EXP_LET_INSTANCE;
}

// Whether a value of type from may stand where type to is needed. Unknown types
// (-1) pass: nothing more can be said of them here.
bool Converts(int from, int to)
{
    if (from < 0 || to < 0 || from == to)
        return true;
    if (IsIntLike(from) && IsIntLike(to))
        return true;
    // An int that carries an instance, and an instance, stand for each other.
    return (from == zPAR_TYPE_INSTANCE && to == zPAR_TYPE_INSTANCE_INT) ||
           (from == zPAR_TYPE_INSTANCE_INT && to == zPAR_TYPE_INSTANCE);
}

zSTRING TypeName(int type)
{
    switch (type) {
    case zPAR_TYPE_VOID: return "void";
    case zPAR_TYPE_FLOAT: return "float";
    case zPAR_TYPE_INT: return "int";
    case zPAR_TYPE_STRING: return "string";
    case zPAR_TYPE_CLASS: return "class";
    case zPAR_TYPE_FUNC: return "func";
    case zPAR_TYPE_PROTOTYPE: return "prototype";
    case zPAR_TYPE_INSTANCE: return "instance";
    case zPAR_TYPE_INSTANCE_INT: return "int#";
    default: return "unknown";
    }
}

// Whether the name in upper case is upper; byte by byte, without a copy: the call
// checks run this over the engine's function tables for every call.
bool MatchesUpper(const zSTRING& name, const zSTRING& upper)
{
    if (name.size() != upper.size())
        return false;
    const char* a = name.data();
    const char* b = upper.data();
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (zSTRING::UpperChar(a[i]) != b[i])
            return false;
    }
    return true;
}

// The type a symbol's value has for the checks.
int SymbolType(const zCPar_Symbol* symbol)
{
    return symbol->declaredType != 0 ? symbol->declaredType : symbol->GetType();
}

} // namespace

void zCParser::Error(const zSTRING& text, int positionFlag, int line)
{
    const zSTRING file = currentFile >= 0 && positionFlag != -1 ? GetFileName(currentFile) : zSTRING();
    const int where = line == -1 ? this->line : line;
    ReportError(text, file.empty() ? nullptr : file.c_str(), file.empty() ? -1 : where);
}

void zCParser::ReportError(const zSTRING& text, const char* file, int line)
{
    errorFlag = 1;
    if (errorMode == zPAR_ERROR_FATAL) {
        g_errorReporter.Report(zERR_FATAL, text, file, line);
    } else if (errorMode == zPAR_ERROR_COUNTED) {
        ++errorCount;
        g_errorReporter.Report(zERR_ERROR, text, file, line);
    } else {
        g_errorReporter.Report(zERR_MESSAGE, text, file, line);
    }
}

void zCParser::CountedError(const zSTRING& text, int positionFlag, int line)
{
    const auto restoreMode = zRestoreOnExit(errorMode);
    errorMode = zPAR_ERROR_COUNTED;
    Error(text, positionFlag, line);
}

void zCParser::ReportWarning(const zSTRING& text, int atLine)
{
    const zSTRING file = GetFileName(currentFile);
    g_errorReporter.Report(zERR_WARNING, text, file.empty() ? nullptr : file.c_str(), file.empty() ? -1 : atLine);
}

zSTRING zCParser::ConversionText(int from, int to)
{
    return ConversionText(TypeName(from), TypeName(to));
}

zSTRING zCParser::ConversionText(const zSTRING& from, const zSTRING& to)
{
    return g_parErrConvert + from + LoadResString(IDS_TO) + to;
}

zSTRING zCParser::ArgumentText(const zSTRING& function, int argumentNumber)
{
    return FormatResString(IDS_ARGUMENT_PREFIX, function, argumentNumber + 1);
}

void zCParser::AddDeferredCheck(zCPar_TreeNode* tree)
{
    zTParDeferredCheck check;
    check.currentTree = currentTree;
    check.tree = tree;
    check.file = currentFile;
    check.currentClass = currentClass;
    deferredChecks.InsertEnd(check);
    currentTree = tree;
}

void zCParser::RunDeferredChecks()
{
    deferredRunning = 1;
    for (int i = 0; i < deferredChecks.GetNum(); ++i) {
        const zTParDeferredCheck check = deferredChecks[i];
        currentTree = check.currentTree;
        currentFile = check.file;
        currentClass = check.currentClass;
        CheckTree(check.tree);
    }
    // Each recorded tree is checked once.
    deferredChecks.DeleteList();
    deferredRunning = 0;
    currentFile = -1;
    currentClass = nullptr;
}

void zCParser::SetLeafType(const zSTRING& name, zCPar_TreeNode* node)
{
    if (!node)
        return;
    if (IsWord(name, "NULL")) {
        node->Type = zPAR_TYPE_INSTANCE;
        return;
    }
    const int index = FindIndex(name);
    zCPar_Symbol* symbol = symtab.GetSymbol(index);
    node->Type = symbol ? SymbolType(symbol) : -2;
    // Only a plain name: a dotted one is looked up another way.
    node->SetFoundSymbol(symbol && name.find('.') == std::string::npos ? index : -1);
}

void zCParser::CheckArrayIndex(const zSTRING& name, int index)
{
    zCPar_Symbol* symbol = FindSymbol(name);
    if (!symbol)
        return;
    if (index < 0 || index >= symbol->GetElementCount())
        CountedError(FormatResString(IDS_INDEX_OUT_OF_BOUNDS, index, name), 0, -1);
}

void zCParser::CheckConstName(const zSTRING& name)
{
    if (!constExpression)
        return;
    zCPar_Symbol* symbol = FindSymbol(name);
    if (!symbol || !symbol->HasFlag(zPAR_FLAG_CONST))
        CountedError(LoadResString(IDS_NOT_CONSTANT) + name, 0, -1);
}

bool zCParser::IsExternalFunction(const zSTRING& name) const
{
    const zSTRING upper = UpperCopy(name);
    const zCArray<zTParRedefinedFunc>& builtin = zCParRedefinitions::GetBuiltinTable();
    for (int i = 0; i < builtin.GetNum(); ++i) {
        if (MatchesUpper(builtin[i].name, upper))
            return true;
    }
    for (int i = 0; i < externalNames.GetNum(); ++i) {
        if (MatchesUpper(*externalNames[i], upper))
            return true;
    }
    return false;
}

bool zCParser::IsInstanceParameter(const zSTRING& function, int index) const
{
    const zSTRING upper = UpperCopy(function);
    auto matches = [&](const zCArray<zTParRedefinedFunc>& records) {
        for (int i = 0; i < records.GetNum(); ++i) {
            if (!MatchesUpper(records[i].name, upper))
                continue;
            if (index < 0)
                return records[i].returnType == zPAR_REDEF_INT_INSTANCE;
            return index < zPAR_REDEF_MAX_PARAMS && records[i].params[index] == zPAR_REDEF_INT_INSTANCE;
        }
        return false;
    };
    return matches(zCParRedefinitions::GetBuiltinTable()) || matches(redefinitions.GetFunctions());
}

bool zCParser::IsRedefinedVariable(const zSTRING& name) const
{
    // Locals are stored as "OWNER.NAME"; the list holds the plain names.
    const auto dot = name.rfind('.');
    const zSTRING plain = UpperCopy(dot == std::string::npos ? name : zSTRING(name.substr(dot + 1)));
    const zCArray<zSTRING>& variables = redefinitions.GetVariables();
    for (int i = 0; i < variables.GetNum(); ++i) {
        if (variables[i] == plain)
            return true;
    }
    return false;
}

zCPar_Symbol* zCParser::GetCallTarget(zCPar_TreeNode* call)
{
    if (!call)
        return nullptr;
    zCPar_Symbol* function = call->Name.empty() ? nullptr : symtab.GetSymbol(UpperCopy(call->Name));
    if (!function && call->Value >= 0)
        function = symtab.GetSymbol(call->Value);
    return function && function->GetType() == zPAR_TYPE_FUNC ? function : nullptr;
}

int zCParser::GetCallType(zCPar_TreeNode* call)
{
    if (call->Type >= 0)
        return call->Type;
    zCPar_Symbol* function = GetCallTarget(call);
    if (!function)
        return -1;
    if (!function->HasFlag(zPAR_FLAG_RETURN))
        return zPAR_TYPE_VOID;
    if (function->HasFlag(zPAR_FLAG_EXTERNAL) && IsInstanceParameter(function->name, -1))
        return zPAR_TYPE_INSTANCE_INT;
    return function->GetOffset();
}

zCPar_TreeNode* zCParser::FindCallNode(zCPar_TreeNode* holder)
{
    // A call inside an expression: its arguments and its call node hang, as a
    // chain, from the holder's Right.
    for (zCPar_TreeNode* node = holder ? holder->Right : nullptr; node; node = node->Next) {
        if (node->TypeExp == EXP_ENTRY_INSTANCE && !node->Next)
            return node;
    }
    return nullptr;
}

int zCParser::GetTreeType(zCPar_TreeNode* node)
{
    return TypeWalk(node, WalkPlace::Value);
}

int zCParser::TypeWalk(zCPar_TreeNode* node, WalkPlace place)
{
    if (!node || walkFailed)
        return -1;
    const int kind = node->TypeExp;
    switch (kind) {
    case EXP_DIGIT:
        return node->Type >= 0 ? node->Type : zPAR_TYPE_INT;
    case EXP_COMPOUND:
        if (node->Type == -1)
            SetLeafType(node->Name, node);
        if (node->Type == -2) {
            WalkError(g_parErrUnknown + node->Name, node->line);
            return -1;
        }
        return node->Type;
    case EXP_STRING:
        return zPAR_TYPE_STRING;
    case EXP_INSTANCE:
        return zPAR_TYPE_INSTANCE;
    case EXP_ASSIGN_FUNC:
        return zPAR_TYPE_FUNC;
    case EXP_EMPTY: {
        zCPar_TreeNode* call = FindCallNode(node);
        if (!call)
            return node->Type;
        CheckCallArguments(call, place != WalkPlace::Value);
        const int type = GetCallType(call);
        if (place == WalkPlace::Condition && !walkFailed && !IsIntLike(type)) {
            zCPar_Symbol* function = GetCallTarget(call);
            WalkError(FormatResString(IDS_IF_NEEDS_INT, function ? function->name : call->Name), call->line);
        }
        return type;
    }
    case EXP_ENTRY_INSTANCE:
        return GetCallType(node);
    case EXP_OPERAND:
        return TypeWalk(node->Right, place);
    case EXP_XOR:
    case EXP_EQUAL_NULL:
    case EXP_NOT: {
        const int type = TypeWalk(node->Right, place);
        if (!walkFailed && type >= 0 && !IsIntLike(type))
            WalkError(g_parErrNot, node->line);
        return zPAR_TYPE_INT;
    }
    default:
        break;
    }

    const bool comparison = IsComparison(kind) || kind == EXP_EQUAL || kind == EXP_NOT_EQUAL;
    if (IsArithmetic(kind) || comparison || zCPar_TreeNode::IsAssignment(kind)) {
        // Every node of a value is judged, not only the one the statement ends in.
        if (comparison && place == WalkPlace::Value) {
            WalkError(g_parErrCompareOutsideIf, node->line);
            return -1;
        }
        if (zCPar_TreeNode::IsAssignment(kind) && place != WalkPlace::Value) {
            WalkError(g_parErrAssignInIf, node->line);
            return -1;
        }
        const int left = TypeWalk(node->Left, place);
        const int right = TypeWalk(node->Right, place);
        if (walkFailed)
            return -1;
        leftType = left;
        currentExpressionType = right;
        if (zCPar_TreeNode::IsAssignment(kind)) {
            CheckAssignment(node);
            return left;
        }
        // Instances may be compared for identity; everything else computes on ints.
        const bool identity = (kind == EXP_EQUAL || kind == EXP_NOT_EQUAL) && Converts(left, right) &&
                              (left == zPAR_TYPE_INSTANCE || right == zPAR_TYPE_INSTANCE);
        if (!identity) {
            if (left >= 0 && !IsIntLike(left))
                WalkError(ConversionText(left, zPAR_TYPE_INT), node->line);
            else if (right >= 0 && !IsIntLike(right))
                WalkError(ConversionText(right, zPAR_TYPE_INT), node->line);
        }
        return zPAR_TYPE_INT;
    }
    WalkError(LoadResString(IDS_UNHANDLED) + zCPar_TreeNode::GetKindName(kind), node->line);
    return -1;
}

void zCParser::CheckAssignment(zCPar_TreeNode* node)
{
    if (!node || walkFailed)
        return;
    if (!node->Left || node->Left->TypeExp != EXP_COMPOUND) {
        WalkError(LoadResString(IDS_EXPECTED_LVALUE), node->line);
        return;
    }
    const int target = leftType;
    const int value = currentExpressionType;
    if (!Converts(value, target))
        WalkError(ConversionText(value, target), node->line);
    currentExpressionType = target;
}

void zCParser::CheckCallArguments(zCPar_TreeNode* call, bool inCondition)
{
    zCPar_Symbol* function = GetCallTarget(call);
    if (!function || walkFailed)
        return;
    const int count = function->GetElementCount();
    const int number = symtab.GetIndex(function);
    // The arguments stand before the call node, the last one nearest.
    zCPar_TreeNode* argument = call;
    for (int i = 0; i < count; ++i) {
        argument = argument->Prev;
        if (!argument)
            return;
    }
    for (int i = 0; i < count && argument && !walkFailed; ++i, argument = argument->Next) {
        zCPar_Symbol* parameter = symtab.GetSymbol(number + 1 + i);
        if (!parameter)
            return;
        int wanted = SymbolType(parameter);
        if (wanted == zPAR_TYPE_INT && IsInstanceParameter(function->name, i))
            wanted = zPAR_TYPE_INSTANCE_INT;
        const int given = TypeWalk(argument, inCondition ? WalkPlace::ConditionArgument : WalkPlace::Value);
        if (!walkFailed && !Converts(given, wanted))
            WalkError(ArgumentText(function->name, i) + ConversionText(given, wanted), call->line);
    }
}

void zCParser::WalkError(const zSTRING& text, int atLine)
{
    if (walkFailed)
        return;
    walkFailed = true;
    Error(text, 0, atLine > 0 ? atLine : -1);
}

int zCParser::CheckTree(zCPar_TreeNode* tree)
{
    if (!tree)
        return 1;
    const int savedMode = errorMode;
    errorMode = zPAR_ERROR_COUNTED;
    currentExpressionType = -1;
    leftType = -1;
    walkFailed = false;

    bool inCondition = false;
    bool atReturn = false;
    zCPar_TreeNode* node = tree;
    while (node && node != checkStop && !walkFailed) {
        const int kind = node->TypeExp;
        zCPar_TreeNode* before = node->Prev;
        if (kind == EXP_IF) {
            inCondition = true;
        } else if (kind == EXP_END_BLOCK) {
            atReturn = true;
            CheckReturnValue(node, before);
            before = (before && before != checkStop && IsValueNode(before)) ? before->Prev : before;
        } else if (kind == EXP_ENTRY_INSTANCE) {
            zCPar_Symbol* function = GetCallTarget(node);
            if (inCondition && !IsIntLike(GetCallType(node)))
                WalkError(FormatResString(IDS_IF_NEEDS_INT, function ? function->name : node->Name), node->line);
            else
                CheckCallArguments(node, inCondition);
            for (int i = function ? function->GetElementCount() : 0; i > 0 && before && before != checkStop; --i)
                before = before->Prev;
        } else if (IsChainAssignment(kind)) {
            if (inCondition) {
                WalkError(g_parErrAssignInIf, node->line);
            } else if (before && before != checkStop) {
                // Target operand, then the value (none for a parameter taken off the stack).
                zCPar_Symbol* targetSymbol = FindSymbol(before->Name);
                const int target = targetSymbol ? SymbolType(targetSymbol) : TypeWalk(before, WalkPlace::Value);
                zCPar_TreeNode* value = before->Prev;
                before = value;
                if (value && value != checkStop && value->TypeExp == EXP_ENTRY_INSTANCE) {
                    // A call's value: the call itself is checked as the walk reaches it.
                    const int given = GetCallType(value);
                    if (!Converts(given, target))
                        WalkError(ConversionText(given, target), node->line);
                } else if (value && value != checkStop && IsValueNode(value)) {
                    const int given = TypeWalk(value, WalkPlace::Value);
                    if (!walkFailed && !Converts(given, target))
                        WalkError(ConversionText(given, target), node->line);
                    before = value->Prev;
                }
            }
        } else if (zCPar_TreeNode::IsAssignment(kind)) {
            if (inCondition)
                WalkError(g_parErrAssignInIf, node->line);
            else if (node->Left || node->Right)
                TypeWalk(node, WalkPlace::Value);
            else if (before && before != checkStop)
                before = before->Prev;  // a parameter's operand
        } else if (IsArithmetic(kind)) {
            TypeWalk(node, inCondition ? WalkPlace::Condition : WalkPlace::Value);
        } else if (IsComparison(kind) || kind == EXP_EQUAL || kind == EXP_NOT_EQUAL) {
            if (!inCondition)
                WalkError(g_parErrCompareOutsideIf, node->line);
            else
                TypeWalk(node, WalkPlace::Condition);
        } else if (kind >= EXP_OPERAND && kind <= EXP_NOT) {
            TypeWalk(node, inCondition ? WalkPlace::Condition : WalkPlace::Value);
        } else if (kind == EXP_DIGIT || kind == EXP_COMPOUND || kind == EXP_STRING || kind == EXP_EMPTY) {
            if (inCondition)
                TypeWalk(node, WalkPlace::Condition);
            else if (kind == EXP_EMPTY && !node->Prev)
                ;  // the head of a file's chain
            else if (!atReturn)
                WalkError(g_parErrReturn, node->line);
        } else if (kind == EXP_ELSE || kind == EXP_END_IF || kind == EXP_END_FUNC || kind == EXP_PROTOTYPE ||
                   kind == EXP_END_PROTOTYPE || kind == EXP_FUNC || kind == EXP_INSTANCE || kind == EXP_ASSIGN_FUNC) {
            // Structure, or an operand whose statement ends further on.
        } else {
            WalkError(LoadResString(IDS_UNHANDLED) + zCPar_TreeNode::GetKindName(kind), node->line);
        }
        // A condition ends at the node before it.
        if (kind != EXP_IF && inCondition && IsValueNode(node))
            inCondition = false;
        node = before;
    }

    errorMode = savedMode;
    // The next walk begins after this one, failed or not: going back further would
    // report the same faults again.
    checkStop = tree;
    if (walkFailed) {
        walkFailed = false;
        return 0;
    }
    return 1;
}

bool zCParser::IsValueNode(const zCPar_TreeNode* node)
{
    const int kind = node->TypeExp;
    return kind == EXP_DIGIT || kind == EXP_COMPOUND || kind == EXP_STRING || kind == EXP_EMPTY ||
           kind == EXP_INSTANCE || kind == EXP_ASSIGN_FUNC || IsArithmetic(kind) || IsComparison(kind) ||
           kind == EXP_EQUAL || kind == EXP_NOT_EQUAL || zCPar_TreeNode::IsAssignment(kind) ||
           (kind >= EXP_OPERAND && kind <= EXP_NOT);
}

void zCParser::CheckReturnValue(zCPar_TreeNode* returnNode, zCPar_TreeNode* value)
{
    if (!currentFunction || currentFunction->GetType() != zPAR_TYPE_FUNC)
        return;
    if (!currentFunction->HasFlag(zPAR_FLAG_RETURN) || !value || value == checkStop || !IsValueNode(value))
        return;
    int wanted = currentFunction->GetOffset();
    if (wanted == zPAR_TYPE_INT && IsInstanceParameter(currentFunction->name, -1))
        wanted = zPAR_TYPE_INSTANCE_INT;
    const int given = TypeWalk(value, WalkPlace::Value);
    if (!walkFailed && !Converts(given, wanted))
        WalkError(ConversionText(given, wanted), returnNode->line);
}
