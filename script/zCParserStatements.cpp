// Functions, calls, assignments, return and if.
//
// A call puts one node per argument and then the call node (Name the function,
// Value its symbol number) after the last node; an assignment puts the value,
// the target operand and the assignment node. The code generator relies on these
// shapes.
#include "zCParser.h"

#include <cstring>
#include <memory>

#include "IdeServices.h"
#include "JobGlobals.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCCSManager.h"
#include "zCScopeExit.h"
#include "zERROR.h"

namespace {

// The value types a call can be asked for; other types have no name here.
zSTRING ReturnTypeName(int type)
{
    switch (type) {
    case zPAR_TYPE_FLOAT: return "float";
    case zPAR_TYPE_INT: return "int";
    case zPAR_TYPE_STRING: return "string";
    case zPAR_TYPE_INSTANCE: return "instance";
    default: return "";
    }
}

// Text without control characters other than tab: a CR before the line end
// belongs to no dialogue line.
zSTRING WithoutControls(const char* begin, const char* end)
{
    zSTRING text;
    for (const char* p = begin; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 32 || c == '\t')
            text += static_cast<char>(c);
    }
    return text;
}

// The text from begin to the end of its line, as above.
zSTRING LineFrom(const char* begin, const char* textEnd)
{
    const char* end = begin;
    while (end < textEnd && *end != '\n')
        ++end;
    return WithoutControls(begin, end);
}

void TrimBlanks(zSTRING& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    const auto last = text.find_last_not_of(" \t");
    text = text.substr(first, last - first + 1);
}

} // namespace

int zCParser::ReadFuncType()
{
    zSTRING word;
    ReadWord(word);
    if (IsWord(word, "VOID"))
        return zPAR_TYPE_VOID;
    // No function returns a func; an instance result is of no class in particular.
    const int type = TypeOfWord(word);
    if (type >= zPAR_TYPE_INSTANCE)
        return zPAR_TYPE_INSTANCE;
    if (type >= 0 && type != zPAR_TYPE_FUNC)
        return type;
    Error(g_parErrSyntax + word, 0, -1);
    return -1;
}

void zCParser::DeclareFunc()
{
    const int returnType = ReadFuncType();
    zSTRING name;
    ReadWord(name);
    const int startLine = line;
    const int startChar = lineStart;

    auto symbol = NewDeclaredSymbol(name, zPAR_TYPE_FUNC);
    symbol->SetFlag(zPAR_FLAG_CONST);
    zCPar_Symbol* declared = symbol.get();
    // A symbol just listed is the last one.
    const int number = InsertDeclared(symbol) ? symtab.GetNumInList() - 1 : -1;

    const zCScopeExit scope([this] { LeaveScope(); });
    currentFunction = declared;

    AppendNode(EXP_FUNC, name, number);
    if (returnType > 0)
        declared->SetFlag(zPAR_FLAG_RETURN);
    declared->SetOffset(returnType > 0 ? returnType : zPAR_TYPE_VOID);

    Match('(');
    zSTRING word;
    ReadWord(word);
    if (IsWord(word, "VAR")) {
        parameterMode = 1;
        DeclareVar(0);
        parameterMode = 0;
    } else {
        PrevWord();
    }
    Match(')');

    bodyFirstNode = checkStop = lastNode;
    ParseBlock();
    StoreSourcePosition(declared, startLine, startChar);
    zCPar_TreeNode* end = AppendNode(EXP_END_FUNC);
    if (returnType > 0)
        CheckFunctionReturn(end, returnType, declared->name);
}

void zCParser::CheckFunctionReturn(zCPar_TreeNode* endNode, int returnType, const zSTRING& functionName)
{
    auto warn = [&]() {
        zCIdeServices* host = zGetIdeServices();
        if (!host || !host->GetSettings().WarningReturnValue)
            ReportWarning(LoadResString(IDS_SHOULD_RETURN_VALUE), endNode->line - 1);
    };

    zCPar_TreeNode* last = endNode->Prev;
    const int kind = last ? last->TypeExp : -1;
    if (kind == EXP_END_BLOCK)
        return;
    if (kind == EXP_ENTRY_INSTANCE) {
        zCPar_Symbol* callee = symtab.GetSymbol(last->Value);
        if (!callee)
            callee = symtab.GetSymbol(last->Name);
        if (callee && callee->GetOffset() == returnType) {
            warn();
            return;
        }
    } else if (kind == EXP_END_IF) {
        zCPar_TreeNode* node = last;
        while (node && node->TypeExp == EXP_END_IF)
            node = node->Prev;
        zCPar_TreeNode* value = node ? node->Prev : nullptr;
        if (node && node->TypeExp == EXP_END_BLOCK && value &&
            (value->TypeExp == EXP_COMPOUND || value->TypeExp == EXP_DIGIT) && IsConditionReturn(value, functionName))
            return;
        warn();
        return;
    }
    CountedError(LoadResString(IDS_SHOULD_RETURN_VALUE), 0, -1);
}

int zCParser::IsConditionReturn(const zCPar_TreeNode* node, const zSTRING& functionName)
{
    if (!node)
        return 0;
    const bool isTrue = (node->TypeExp == EXP_COMPOUND && IsWord(node->Name, "TRUE")) ||
                        (node->TypeExp == EXP_DIGIT && node->Value == 1);
    if (!isTrue)
        return 0;
    static const char kCondition[] = "_CONDITION";
    const auto at = functionName.find(kCondition);
    return at != std::string::npos && at + std::strlen(kCondition) == functionName.size() ? 1 : 0;
}

void zCParser::DeclareAssign(zSTRING word)
{
    zCPar_Symbol* symbol = FindSymbol(word);
    if (!symbol) {
        Error(g_parErrUnknown + word, 0, -1);
        return;
    }

    switch (symbol->GetType()) {
    case zPAR_TYPE_INT:
        // The assignment operators are operators of the int expression.
        PrevWord();
        AppendTree(ReadIntExpression());
        CheckTree(lastNode);
        break;

    case zPAR_TYPE_FLOAT: {
        const int index = ReadOptionalIndex(word);
        Match('=');
        // A call or one constant; floats have no arithmetic here.
        zSTRING next;
        ReadWord(next);
        zCPar_Symbol* function = symtab.GetSymbol(next);
        if (function && function->GetType() == zPAR_TYPE_FUNC) {
            DeclareFuncCall(next, zPAR_TYPE_FLOAT);
        } else {
            PrevWord();
            zCPar_TreeNode* value = AppendNode(EXP_DIGIT, zSTRING(), FloatBits(ReadFloat()));
            value->BaseType = zPAR_TYPE_FLOAT;
            value->Type = zPAR_TYPE_FLOAT;
        }
        AppendNode(EXP_COMPOUND, word, index)->BaseType = zPAR_TYPE_FLOAT;
        AppendNode(EXP_LET_FLOAT);
        CheckTree(lastNode);
        break;
    }

    case zPAR_TYPE_STRING: {
        const int index = ReadOptionalIndex(word);
        Match('=');
        if (outputUnitInstanceMode && UpperCopy(g_jobProjectName) == "VARNOK")
            AddOutputUnitFromLine(RestOfLine());
        currentExpressionType = zPAR_TYPE_STRING;
        AppendTree(ReadStringValue());
        AppendNode(EXP_COMPOUND, word, index)->BaseType = zPAR_TYPE_STRING;
        AppendNode(EXP_LET_STRING);
        CheckTree(lastNode);
        break;
    }

    case zPAR_TYPE_FUNC:
        if (symbol->HasFlag(zPAR_FLAG_CONST))
            DeclareFuncCall(word, 0);
        else
            DeclareAssignFunc(word);
        break;

    case zPAR_TYPE_INSTANCE: {
        Match('=');
        zSTRING function;
        ReadWord(function);
        DeclareFuncCall(function, zPAR_TYPE_INSTANCE);
        AppendNode(EXP_INSTANCE, word)->BaseType = zPAR_TYPE_INSTANCE;
        AppendNode(EXP_LET_INSTANCE);
        CheckTree(lastNode);
        break;
    }

    default:
        break;
    }
}

void zCParser::DeclareAssignFunc(zSTRING word)
{
    const int index = ReadOptionalIndex(word);
    Match('=');
    zSTRING function;
    ReadWord(function);
    AppendNode(EXP_ASSIGN_FUNC, function)->BaseType = zPAR_TYPE_FUNC;
    CheckFuncName(function);
    AppendNode(EXP_COMPOUND, word, index)->BaseType = zPAR_TYPE_FUNC;
    AppendNode(EXP_LET_FUNC);
    CheckTree(lastNode);
}

void zCParser::CheckFuncName(const zSTRING& name)
{
    // A function declared further on is resolved when the code is made.
    zCPar_Symbol* symbol = FindSymbol(name);
    if (symbol && symbol->GetType() != zPAR_TYPE_FUNC)
        CountedError(ConversionText(symbol->GetType(), zPAR_TYPE_FUNC), 0, -1);
}

void zCParser::DeclareFuncCall(zSTRING name, int expectedType)
{
    name.Upper();
    const int number = symtab.GetIndex(name);
    zCPar_Symbol* function = number >= 0 ? symtab.GetSymbol(number) : nullptr;
    if (!function || function->GetType() != zPAR_TYPE_FUNC) {
        Error(g_parErrUndefinedFunc + name, 0, -1);
        return;
    }
    if (expectedType > 0 && expectedType != function->GetOffset())
        Error(LoadResString(IDS_DOES_NOT_RETURN) + ReturnTypeName(expectedType), 0, -1);

    const int lineBegin = IsOutputUnitFunction(name) ? lineStart : -1;

    Match('(');
    // The arguments' own types must not leak into the expression round the call.
    const auto restoreType = zRestoreOnExit(currentExpressionType);
    const int count = function->GetElementCount();
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            Match(',');
        ReadCallArgument(function->name, symtab.GetSymbol(number + 1 + i), i);
    }
    Match(')');
    AppendNode(EXP_ENTRY_INSTANCE, function->name, number);

    if (lineBegin >= 0 && textStart)
        AddOutputUnitFromLine(LineFrom(textStart + lineBegin, textEnd));
}

void zCParser::ReadCallArgument(const zSTRING& functionName, zCPar_Symbol* parameter, int argumentNumber)
{
    const int type = parameter ? parameter->GetType() : -1;
    switch (type) {
    case zPAR_TYPE_FLOAT:
        currentExpressionType = zPAR_TYPE_FLOAT;
        AppendTree(ReadFloatValue());
        break;
    case zPAR_TYPE_INT:
        AppendTree(ReadIntExpression());
        break;
    case zPAR_TYPE_STRING: {
        currentExpressionType = zPAR_TYPE_STRING;
        zCPar_TreeNode* value = ReadStringValue();
        if (value && value->TypeExp == EXP_STRING)
            CheckUpperCaseArg(functionName, value, argumentNumber);
        AppendTree(value);
        break;
    }
    case zPAR_TYPE_FUNC: {
        zSTRING word;
        ReadWord(word);
        if (IsWord(word, "NOFUNC")) {
            zCPar_TreeNode* none = AppendNode(EXP_DIGIT, zSTRING(), -1);
            none->BaseType = zPAR_TYPE_FUNC;
            none->Type = zPAR_TYPE_FUNC;
        } else {
            AppendNode(EXP_ASSIGN_FUNC, word)->BaseType = zPAR_TYPE_FUNC;
            CheckFuncName(word);
        }
        break;
    }
    case zPAR_TYPE_INSTANCE: {
        zSTRING word;
        ReadWord(word);
        if (IsWord(word, "SELF") && currentFunction && currentFunction->GetType() == zPAR_TYPE_INSTANCE)
            word = currentFunction->name;
        AppendNode(EXP_INSTANCE, word)->BaseType = zPAR_TYPE_INSTANCE;
        CheckInstanceArgument(functionName, word, parameter, argumentNumber);
        break;
    }
    default:
        Error(LoadResString(IDS_ARGUMENT_TYPE_NOT_SUPPORTED), 0, -1);
        break;
    }
}

void zCParser::CheckInstanceArgument(const zSTRING& functionName, const zSTRING& argument, zCPar_Symbol* parameter,
                                     int argumentNumber)
{
    // Only two instances of known, different classes are a mismatch: an engine
    // function's parameter has no class, and a name declared further on is
    // resolved when the code is made.
    zCPar_Symbol* given = symtab.GetSymbol(GetBaseClass(FindSymbol(argument)));
    zCPar_Symbol* wanted = symtab.GetSymbol(GetBaseClass(parameter));
    if (!given || !wanted || given->GetType() != zPAR_TYPE_CLASS || wanted->GetType() != zPAR_TYPE_CLASS ||
        given == wanted)
        return;
    CountedError(ArgumentText(functionName, argumentNumber) + ConversionText(given->name, wanted->name), 0, -1);
}

void zCParser::DeclareReturn()
{
    if (!currentFunction) {
        Error(g_parErrReturn, 0, -1);
        return;
    }
    if (currentFunction->HasFlag(zPAR_FLAG_RETURN)) {
        switch (currentFunction->GetOffset()) {
        case zPAR_TYPE_INT:
            AppendTree(ReadIntExpression());
            break;
        case zPAR_TYPE_STRING:
            currentExpressionType = zPAR_TYPE_STRING;
            AppendTree(ReadStringValue());
            break;
        case zPAR_TYPE_FLOAT:
            currentExpressionType = zPAR_TYPE_FLOAT;
            AppendTree(ReadFloatValue());
            break;
        default:
            break;
        }
    }
    AppendNode(EXP_END_BLOCK);
    CheckTree(lastNode);
}

void zCParser::DeclareIf()
{
    int endLabel = -1;
    zSTRING word;
    for (;;) {
        AppendTree(ReadIntExpression());
        const int label = labelCounter++;
        AppendNode(EXP_IF, zSTRING(), label);
        CheckTree(lastNode);
        ParseBlock();

        ReadWord(word);
        if (!IsWord(word, "ELSE")) {
            AppendNode(EXP_END_IF, zSTRING(), label);
            break;
        }
        if (endLabel < 0)
            endLabel = labelCounter++;
        AppendNode(EXP_ELSE, zSTRING(), endLabel);
        ReadWord(word);
        if (IsWord(word, "{")) {
            PrevWord();
            AppendNode(EXP_END_IF, zSTRING(), label);
            ParseBlock();
            Match(';');
            break;
        }
        AppendNode(EXP_END_IF, zSTRING(), label);
        if (!IsWord(word, "IF")) {
            Error(ExpectedText("IF"), 0, -1);
            break;
        }
    }
    if (endLabel >= 0)
        AppendNode(EXP_END_IF, zSTRING(), endLabel);
    // The block reader takes the closing ";".
    PrevWord();
}

zSTRING zCParser::RestOfLine() const
{
    return readPos ? LineFrom(readPos, textEnd) : zSTRING();
}

void zCParser::SetOutputUnitFunctions(const std::vector<zSTRING>& names, const zSTRING&)
{
    outputUnitFunctions.clear();
    for (const zSTRING& name : names)
        outputUnitFunctions.push_back(UpperCopy(name));
}

int zCParser::IsOutputUnitFunction(const zSTRING& name) const
{
    // Both sides upper case: the list keeps the names as the scripts spell them.
    const zSTRING upper = UpperCopy(name);
    for (const zSTRING& function : outputUnitFunctions) {
        if (function == upper)
            return 1;
    }
    return 0;
}

void zCParser::AddOutputUnitFromLine(zSTRING line)
{
    line = WithoutControls(line.data(), line.data() + line.size());
    // The name is the first string literal wherever it starts, the text all of the
    // line comment after it.
    const auto open = line.find('"');
    if (open == std::string::npos)
        return;
    const auto close = line.find('"', open + 1);
    if (close == std::string::npos || close == open + 1)
        return;
    const zSTRING name = line.substr(open + 1, close - open - 1);
    zSTRING text;
    const auto comment = line.find("//", close + 1);
    if (comment != std::string::npos) {
        text = line.substr(comment + 2);
        TrimBlanks(text);
    }
    g_csManager->AddOutputUnit(name, text);
}
