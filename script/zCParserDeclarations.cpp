// Variables, constants, classes, prototypes, instances and blocks.
//
// Every reader appends its nodes after the last node of the file's chain. A body
// starts a new stretch for the statement checks, so that their walks back never
// reach parameter nodes or an earlier body.
#include "zCParser.h"

#include <memory>
#include <vector>

#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCScopeExit.h"
#include "zERROR.h"

namespace {

// Deeper blocks than any script needs would only exhaust the readers' stack.
const int kMaxBlockDepth = 256;
// The element count's share of the packed word.
const int kMaxElementCount = 2047;

bool StartsWithDigit(const zSTRING& name)
{
    return !name.empty() && name[0] >= '0' && name[0] <= '9';
}

} // namespace

std::unique_ptr<zCPar_Symbol> zCParser::NewDeclaredSymbol(const zSTRING& name, int type)
{
    auto symbol = std::make_unique<zCPar_Symbol>();
    symbol->name = name;
    symbol->SetType(type);
    symbol->declaredType = type;
    return symbol;
}

zCPar_TreeNode* zCParser::AppendNode(int kind, const zSTRING& name, int value)
{
    zCPar_TreeNode* node = NewNode(kind, lastNode);
    node->Name = name;
    node->Value = value;
    lastNode = node;
    return node;
}

bool zCParser::InsertDeclared(std::unique_ptr<zCPar_Symbol>& symbol)
{
    if (symtab.Insert(symbol.get())) {
        symbol.release();
        return true;
    }
    Error(g_parErrRedefined + symbol->name, 0, -1);
    return false;
}

void zCParser::AppendTree(zCPar_TreeNode* tree)
{
    // A tree goes in as one node, its root.
    if (!tree)
        return;
    if (lastNode) {
        lastNode->Next = tree;
        tree->Prev = lastNode;
    }
    lastNode = tree;
}

zCPar_TreeNode* zCParser::ReadIntExpression()
{
    currentExpressionType = zPAR_TYPE_INT;
    int token = ReadToken();
    zCPar_TreeNode* tree = ReadExpression(token, -1);
    // The token that ended the expression belongs to the caller.
    PrevWord();
    return tree;
}

int zCParser::ReadOptionalIndex(const zSTRING& name)
{
    if (!NextWordIs('['))
        return 0;
    zSTRING word;
    ReadWord(word);
    return ReadOptionalIndex(name, word);
}

int zCParser::ReadOptionalIndex(const zSTRING& name, const zSTRING& next)
{
    if (!IsWord(next, "[")) {
        PrevWord();
        return 0;
    }
    const int index = ReadInt();
    Match(']');
    CheckArrayIndex(name, index);
    return index;
}

void zCParser::StoreSourcePosition(zCPar_Symbol* symbol, int startLine, int startChar)
{
    if (!symbol)
        return;
    const int readOffset = static_cast<int>(readPos - textStart);
    symbol->SetSourcePosition(startLine, line - startLine + 1, startChar, readOffset - startChar + 3);
    symbol->SetFileIndex(files.GetNum() - 1);
}

void zCParser::DeclareVar(int isConst)
{
    for (;;) {
        int type = ReadType();
        zCPar_Symbol* typeClass = nullptr;
        if (type >= zPAR_TYPE_INSTANCE) {
            typeClass = symtab.GetSymbol(type - zPAR_TYPE_INSTANCE);
            type = zPAR_TYPE_INSTANCE;
        }
        const int startLine = line;
        const int startChar = lineStart;

        // Further names of the same type follow after "," outside function bodies.
        zSTRING word;
        for (;;) {
            std::unique_ptr<zCPar_Symbol> symbol = NewVarSymbol(type, typeClass, isConst);
            // A redefinition is reported and read on, so that the tokens stay in step;
            // its values go into the unlisted symbol and are dropped with it.
            zCPar_Symbol* declared = symbol.get();
            InsertDeclared(symbol);
            if (isConst)
                ReadConstValues(declared, type);
            StoreSourcePosition(declared, startLine, startChar);

            ReadWord(word);
            if (!IsWord(word, ",") || currentFunction)
                break;
        }
        if (!IsWord(word, ",")) {
            PrevWord();
            return;
        }
        // Inside a function every further item repeats "VAR" and its type.
        ReadWord(word);
        if (!IsWord(word, "VAR")) {
            Error(ExpectedText("VAR"), 0, -1);
            PrevWord();
        }
    }
}

std::unique_ptr<zCPar_Symbol> zCParser::NewVarSymbol(int type, zCPar_Symbol* typeClass, int isConst)
{
    zSTRING name;
    ReadWord(name);
    int count = 1;
    if (NextWordIs('[')) {
        zSTRING bracket;
        ReadWord(bracket);
        count = ReadInt();
        Match(']');
        // The symbol keeps its count in 12 bits.
        if (count < 1 || count > kMaxElementCount) {
            CountedError(FormatResString(IDS_ARRAY_SIZE_OUT_OF_RANGE, count), 0, -1);
            count = 1;
        }
    }

    auto symbol = NewDeclaredSymbol(name, type < 0 ? zPAR_TYPE_VOID : type);
    symbol->SetElementCount(count);
    symbol->SetParent(typeClass);
    if (isConst)
        symbol->SetFlag(zPAR_FLAG_CONST);

    if (currentFunction) {
        symbol->name = currentFunction->name + "." + name;
        if (type == zPAR_TYPE_INT && IsRedefinedVariable(symbol->name))
            symbol->declaredType = zPAR_TYPE_INSTANCE_INT;
        if (parameterMode)
            AppendParameterNodes(symbol->name, type);
    } else if (currentClass) {
        symbol->name = currentClass->name + "." + name;
        currentClass->SetElementCount(currentClass->GetElementCount() + 1);
        symbol->SetParent(currentClass);
        symbol->SetFlag(zPAR_FLAG_CLASSVAR);
        if (type == zPAR_TYPE_INT && IsInstanceMember(symbol->name))
            symbol->declaredType = zPAR_TYPE_INSTANCE_INT;
    }
    return symbol;
}

void zCParser::AppendParameterNodes(const zSTRING& name, int type)
{
    currentFunction->SetElementCount(currentFunction->GetElementCount() + 1);
    // The argument is taken off the stack into the parameter: its operand, then the
    // assignment of its type.
    int operand = EXP_COMPOUND;
    int assignment = -1;
    switch (type) {
    case zPAR_TYPE_FLOAT: assignment = EXP_LET_FLOAT; break;
    case zPAR_TYPE_INT: assignment = EXP_LET; break;
    case zPAR_TYPE_STRING: assignment = EXP_LET_STRING; break;
    case zPAR_TYPE_FUNC: assignment = EXP_LET_FUNC; break;
    case zPAR_TYPE_INSTANCE:
        operand = EXP_INSTANCE;
        assignment = EXP_LET_INSTANCE;
        break;
    default: break;
    }
    if (assignment < 0) {
        Error(LoadResString(IDS_PARAMETER_TYPE_NOT_SUPPORTED), 0, -1);
    } else {
        AppendNode(operand, name)->BaseType = type;
        AppendNode(assignment);
    }
}

void zCParser::ReadConstValues(zCPar_Symbol* declared, int type)
{
    Match('=');
    // The storage decides how many values fit.
    const int values = declared->GetElementCount();
    if (values > 1)
        Match('{');
    for (int i = 0; i < (values > 1 ? values : 1); ++i) {
        if (i > 0)
            Match(',');
        ReadConstValue(declared, type, i);
    }
    if (values > 1)
        Match('}');
}

void zCParser::ReadConstValue(zCPar_Symbol* declared, int type, int index)
{
    switch (type) {
    case zPAR_TYPE_FLOAT:
        declared->SetValue(ReadFloat(), index);
        break;
    case zPAR_TYPE_INT: {
        const auto restore = zRestoreOnExit(constExpression);
        constExpression = 1;
        std::unique_ptr<zCPar_TreeNode> tree(ReadIntExpression());
        if (tree)
            declared->SetValue(EvalConst(tree.get(), 0), index);
        break;
    }
    case zPAR_TYPE_STRING: {
        zSTRING text;
        ReadString(text);
        declared->SetValue(text, index);
        break;
    }
    case zPAR_TYPE_FUNC: {
        zSTRING function;
        ReadWord(function);
        const int number = FindIndex(function);
        if (number < 0) {
            Error(g_parErrUnknown + function, 0, -1);
            break;
        }
        // A func symbol keeps its one value in its content word.
        if (index == 0)
            declared->SetContent(number);
        CheckFuncName(function);
        const auto restore = zRestoreOnExit(constExpression);
        constExpression = 1;
        CheckConstName(function);
        break;
    }
    default:
        break;
    }
}

void zCParser::DeclareClass()
{
    zSTRING name;
    ReadWord(name);
    const int startLine = line;
    const int startChar = lineStart;

    auto symbol = NewDeclaredSymbol(name, zPAR_TYPE_CLASS);
    symbol->SetElementCount(0);
    zCPar_Symbol* declared = symbol.get();
    InsertDeclared(symbol);

    const zCScopeExit scope([this] { LeaveScope(); });
    currentClass = declared;
    bodyFirstNode = checkStop = lastNode;
    ParseBlock();
    StoreSourcePosition(declared, startLine, startChar);
}

void zCParser::DeclarePrototype()
{
    zSTRING name;
    ReadWord(name);
    const int startLine = line;
    const int startChar = lineStart;
    if (StartsWithDigit(name))
        Error(LoadResString(IDS_DIGIT_IN_PROTOTYPE_NAME) + name, 0, -1);

    Match('(');
    zSTRING className;
    ReadWord(className);
    zCPar_Symbol* classSymbol = symtab.GetSymbol(className);
    if (!classSymbol || classSymbol->GetType() != zPAR_TYPE_CLASS) {
        Error(g_parErrNoClass + className, 0, -1);
        classSymbol = nullptr;
    }

    auto symbol = NewDeclaredSymbol(name, zPAR_TYPE_PROTOTYPE);
    symbol->SetParent(classSymbol);
    zCPar_Symbol* declared = symbol.get();

    const zCScopeExit scope([this] { LeaveScope(); });
    currentFunction = declared;
    currentClass = classSymbol;
    // A symbol just listed is the last one.
    const int number = InsertDeclared(symbol) ? symtab.GetNumInList() - 1 : -1;
    Match(')');

    AppendNode(EXP_PROTOTYPE, name, number);
    bodyFirstNode = checkStop = lastNode;
    ParseBlock();
    StoreSourcePosition(declared, startLine, startChar);
    EndInstanceBody();
}

void zCParser::DeclareInstance()
{
    outputUnitInstanceMode = 0;
    std::vector<zSTRING> names;
    zSTRING word;
    ReadWord(word);
    const int startLine = line;
    const int startChar = lineStart;
    names.push_back(word);
    for (;;) {
        if (StartsWithDigit(names.back()))
            Error(LoadResString(IDS_DIGIT_IN_INSTANCE_NAME) + names.back(), 0, -1);
        ReadWord(word);
        if (!IsWord(word, ","))
            break;
        ReadWord(word);
        names.push_back(word);
    }
    if (!IsWord(word, "("))
        Error(ExpectedText("("), 0, -1);

    zSTRING parentName;
    ReadWord(parentName);
    zCPar_Symbol* parent = symtab.GetSymbol(parentName);
    Match(')');
    zCPar_Symbol* classSymbol = nullptr;
    if (parent && parent->GetType() == zPAR_TYPE_CLASS) {
        classSymbol = parent;
    } else if (parent && parent->GetType() == zPAR_TYPE_PROTOTYPE) {
        classSymbol = parent->GetParent();
    } else {
        Error(g_parErrNoClass + parentName, 0, -1);
        parent = nullptr;
    }

    // The dialogue-line mode belongs to this declaration only (see LeaveScope).
    const zCScopeExit scope([this] { LeaveScope(); });
    currentClass = classSymbol;

    // Symbols that could not be listed live until the declaration is read.
    std::vector<std::unique_ptr<zCPar_Symbol>> unlisted;
    std::vector<zCPar_Symbol*> declared;
    for (const zSTRING& name : names) {
        auto symbol = NewDeclaredSymbol(name, zPAR_TYPE_INSTANCE);
        currentFunction = symbol.get();
        if (name.find("SVM_") != std::string::npos)
            outputUnitInstanceMode = 1;
        symbol->SetParent(parent);

        int number = -1;
        if (symtab.Insert(symbol.get())) {
            number = symtab.GetNumInList() - 1;  // the symbol just listed
            declared.push_back(symbol.release());
        } else {
            zCPar_Symbol* present = symtab.GetSymbol(name);
            if (mergeMode && present) {
                currentFunction = present;
                number = symtab.GetIndex(present);
                declared.push_back(present);
                if (present->GetType() == zPAR_TYPE_INSTANCE)
                    present->SetFlag(zPAR_FLAG_MERGED);
                else
                    Error(g_parErrRedefined + name, 0, -1);
            } else {
                declared.push_back(symbol.get());
                unlisted.push_back(std::move(symbol));
                Error(g_parErrRedefined + name, 0, -1);
            }
        }
        AppendNode(EXP_PROTOTYPE, name, number);
    }

    if (!NextWordIs(';')) {
        bodyFirstNode = checkStop = lastNode;
        ParseBlock();
        if (currentFunction)
            currentFunction->SetFlag(zPAR_FLAG_CONST);
    }
    for (zCPar_Symbol* symbol : declared)
        StoreSourcePosition(symbol, startLine, startChar);
    EndInstanceBody();
}

void zCParser::LeaveScope()
{
    currentFunction = nullptr;
    currentClass = nullptr;
    dottedOwner = -1;
    parameterMode = 0;
    // A later function's string assignments are no dialogue lines.
    outputUnitInstanceMode = 0;
}

void zCParser::EndInstanceBody()
{
    AppendNode(EXP_END_BLOCK);
    AppendNode(EXP_END_PROTOTYPE);
}

void zCParser::ParseBlock()
{
    if (blockDepth >= kMaxBlockDepth) {
        Error(LoadResString(IDS_BLOCKS_TOO_DEEP), 0, -1);
        SkipBlock();
        return;
    }
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } depthGuard{++blockDepth};

    Match('{');
    zSTRING word;
    while (readPos < textEnd) {
        const char* before = readPos;
        ReadWord(word);
        if (IsWord(word, "}"))
            return;
        if (word.empty())
            break;
        if (IsWord(word, "CONST"))
            DeclareVar(1);
        else if (IsWord(word, "VAR"))
            DeclareVar(0);
        else if (IsWord(word, "RETURN"))
            DeclareReturn();
        else if (IsWord(word, "IF"))
            DeclareIf();
        else
            DeclareAssign(word);
        Match(';');
        if (lastNode != bodyFirstNode)
            CheckTree(lastNode);
        // After an error that is not fatal a statement may give back what it read.
        if (readPos <= before) {
            ReadWord(word);
            if (word.empty())
                break;
        }
    }
    // The text ended inside the block.
    Error(ExpectedText("}"), 0, -1);
}

void zCParser::SkipBlock()
{
    Match('{');
    zSTRING word;
    for (int open = 1; open > 0;) {
        ReadWord(word);
        if (word.empty()) {
            Error(ExpectedText("}"), 0, -1);
            return;
        }
        if (IsWord(word, "\"")) {
            // A brace in a string literal is text.
            PrevWord();
            ReadString(word);
        } else if (IsWord(word, "{")) {
            ++open;
        } else if (IsWord(word, "}")) {
            --open;
        }
    }
}

int zCParser::GetBaseClass(zCPar_Symbol* symbol)
{
    if (!symbol)
        return -1;
    if (symbol->GetType() == zPAR_TYPE_INSTANCE) {
        symbol = symbol->GetParent();
        if (!symbol)
            return -1;
    }
    if (symbol->GetType() == zPAR_TYPE_PROTOTYPE) {
        symbol = symbol->GetParent();
        if (!symbol)
            return -1;
    }
    return symtab.GetIndex(symbol);
}

int zCParser::CheckClassSize(int classIndex, int engineSize)
{
    zCPar_Symbol* symbol = symtab.GetSymbol(classIndex);
    if (!symbol || symbol->GetType() != zPAR_TYPE_CLASS)
        return 0;
    const int scriptSize = symbol->GetOffset();
    if (scriptSize == engineSize)
        return 1;
    // After linking there is no source position to give; every class is checked.
    g_errorReporter.Report(zERR_ERROR, LoadResString(IDS_CLASS_SIZE_MISMATCH) + symbol->name +
                                           FormatResString(IDS_CLASS_SIZES, engineSize, scriptSize));
    return 0;
}

int zCParser::CheckClassSize(const zSTRING& className, int engineSize)
{
    return CheckClassSize(GetIndexUpper(className), engineSize);
}
