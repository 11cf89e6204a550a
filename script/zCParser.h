// The script compiler and loader: one object that reads a source list and its
// script files into symbols and parse trees, checks them, and (with the linker)
// turns them into the compiled script data. Its operations are spread over
// several sources by area:
//   zCParser.cpp             life, reset, the compile driver and source lists
//   zCParserTokenizer.cpp    words, tokens, literals and name lookup
//   zCParserExpression.cpp   expressions into trees, constant folding
//   zCParserChecks.cpp       the error report and the checks on trees
//   zCParserExternals.cpp    engine functions as external symbols
//   zCParserDeclarations.cpp variables, constants, classes, prototypes, instances
//   zCParserStatements.cpp   functions, calls, assignments, return, if
//   zCParserLookup.cpp       symbol lookups with the class view's fallback table
//   zCParserUpperCaseArg.cpp string arguments the game looks up in upper case
//   zCParserCode.cpp         byte code from the trees, jump patching
//   zCParserLink.cpp         the linker and the engine class offsets
//   zCParserDat.cpp          the compiled script file and the symbol dump
// The decompiler is a class of its own that the parser owns (zCParserDecompiler.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "zCArray.h"
#include "zCParNameBase.h"
#include "zCParRedefinitions.h"
#include "zCPar_File.h"
#include "zCPar_Symbol.h"
#include "zCPar_Stack.h"
#include "zCPar_SymbolTable.h"
#include "zCPar_TreeNode.h"
#include "zSTRING.h"

class zFILE;
class zCParserDecompiler;

// A tree check recorded while a file is read, run before linking.
struct zTParDeferredCheck {
    zCPar_TreeNode* currentTree = nullptr;
    zCPar_TreeNode* tree = nullptr;
    int file = -1;
    zCPar_Symbol* currentClass = nullptr;
};

// Error modes of zCParser::Error.
enum zTParErrorMode { zPAR_ERROR_FATAL = 1, zPAR_ERROR_COUNTED = 2, zPAR_ERROR_MESSAGE = 3 };

class zCParser {
public:
    static constexpr int kHistorySize = 16;
    static constexpr int kMaxWordLength = 199;
    // Code stack size a parser starts with.
    static constexpr int kCodeStackSize = 64000;

    explicit zCParser(int preallocate = 0);
    ~zCParser();
    zCParser(const zCParser&) = delete;
    zCParser& operator=(const zCParser&) = delete;

    // --- life and compile driver ---
    void ClearLists();
    void Reset();
    void DefineHelpInstance();
    // The step the name asks for: a source list, one script file or a ".dat" load;
    // -1 when it is none of them.
    int Compile(zSTRING name);
    int ReadSourceList(zSTRING name);
    int ParseFile(zSTRING name);
    // Loads a compiled script file (see zCParserDat.cpp).
    int LoadDat(zSTRING name);
    // Starts a parsed-file record for a file about to be read (its number becomes
    // the current file) with a fresh statement chain.
    zCPar_File* NewFileRecord(const zSTRING& name);
    // Points the reader at the record's text, line 1.
    void StartReading(zCPar_File* record);
    zSTRING GetFileName(int number) const;
    int GetNumFiles() const { return files.GetNum(); }
    zCPar_File* GetFile(int number) const;
    void SetParseTreeDump(int on) { treeDump = on; }
    int GetErrorFlag() const { return errorFlag; }
    int GetErrorCount() const { return errorCount; }
    int IsLinked() const { return linked; }
    int IsParsed() const { return parsed; }
    int GetSaveAllowed() const { return saveAllowed; }
    const zSTRING& GetCompiledFileName() const { return compiledFileName; }
    // The name the link writes its ".dat" under, when it is not the compiled list's own.
    void SetCompiledFileName(const zSTRING& name) { compiledFileName = name; }
    int GetHelpInstance() const { return helpInstance; }
    zCPar_SymbolTable& GetSymbolTable() { return symtab; }
    const zCPar_SymbolTable& GetSymbolTable() const { return symtab; }
    zCParNameBase& GetNameBase() { return nameBase; }
    zCParRedefinitions& GetRedefinitions() { return redefinitions; }
    int GetLabelCounter() const { return labelCounter; }

    // --- tokenizer ---
    void ReadWord(zSTRING& word);
    void PrevWord();
    void SkipTo(const char* text);
    int ReadToken();
    void Match(const zSTRING& expected);
    // The same for a one-character delimiter, most often found without making a word.
    void Match(char delimiter);
    void ReadString(zSTRING& out);
    int ReadInt();
    float ReadFloat();
    int ReadType();
    int GetIndexUpper(const zSTRING& name);
    zCPar_Symbol* GetSymbolUpper(const zSTRING& name);
    int FindIndex(const zSTRING& name);
    int FindDottedIndex(const zSTRING& name);
    const zSTRING& GetCurrentWord() const { return currentWord; }
    int GetLine() const { return line; }
    // Whether the tokenizer gathers spellings into the name base.
    static bool RecordsSpellings();

    // --- expressions ---
    zCPar_TreeNode* ReadExpression(int& token, int minPrecedence);
    zCPar_TreeNode* ReadLeaf(int& token);
    int EvalConst(zCPar_TreeNode* node, int parentKind);
    zCPar_TreeNode* ReadFloatValue();
    zCPar_TreeNode* ReadStringValue();
    zCPar_TreeNode* NewNode(int kind, zCPar_TreeNode* prev);
    static int GetPrecedence(int token);

    // --- error report and checks ---
    void Error(const zSTRING& text, int positionFlag, int line);
    void SetErrorMode(int mode) { errorMode = mode; }
    int GetErrorMode() const { return errorMode; }
    void AddDeferredCheck(zCPar_TreeNode* tree);
    void RunDeferredChecks();
    void SetLeafType(const zSTRING& name, zCPar_TreeNode* node);
    void CheckArrayIndex(const zSTRING& name, int index);
    void CheckConstName(const zSTRING& name);
    // Arguments of a call inside an if condition may hold comparisons.
    void CheckCallArguments(zCPar_TreeNode* call, bool inCondition = false);
    void CheckAssignment(zCPar_TreeNode* node);
    // Checks the statement nodes from tree back to where the previous walk began;
    // 1 when clean.
    int CheckTree(zCPar_TreeNode* tree);
    // Type of an operand or expression tree (type codes; -1 unknown).
    int GetTreeType(zCPar_TreeNode* node);
    // Whether the name is one of the engine's functions (built-in redefinitions or
    // the parser's external list).
    bool IsExternalFunction(const zSTRING& name) const;
    // Whether the external's parameter (by position) or, with index -1, its result
    // carries an instance.
    bool IsInstanceParameter(const zSTRING& function, int index) const;
    // Whether a variable ("OWNER.NAME" or "NAME") is in the redefined-variable list.
    bool IsRedefinedVariable(const zSTRING& name) const;

    // --- external functions ---
    // Defines one engine function with its parameter types.
    void DefineExternal(const zSTRING& name, std::int32_t addressValue, int returnType,
                        std::initializer_list<int> parameterTypes);
    void DefineExternalTable1();
    void DefineExternalTable2();
    void DefineExternalTableMenu();
    const zCArray<zSTRING*>& GetExternalNames() const { return externalNames; }
    // Reads the redefinition lists from the system folder.
    void LoadRedefinitions();
    // Members whose int value carries an instance.
    static bool IsInstanceMember(const zSTRING& fullName);

    // --- declarations and statements ---
    void DeclareVar(int isConst);
    void DeclareClass();
    void DeclarePrototype();
    void DeclareInstance();
    void ParseBlock();
    int GetBaseClass(zCPar_Symbol* symbol);
    int CheckClassSize(int classIndex, int engineSize);
    int CheckClassSize(const zSTRING& className, int engineSize);
    void DeclareFunc();
    int ReadFuncType();
    void DeclareAssign(zSTRING word);
    void DeclareFuncCall(zSTRING name, int expectedType);
    void DeclareAssignFunc(zSTRING word);
    void DeclareReturn();
    void DeclareIf();
    void SetMergeMode(int on) { mergeMode = on; }
    // Lookups of the linker, the code generator and the decompiler: the own table,
    // then the class view's table while the fallback switch is on.
    zCPar_Symbol* GetSymbol(const zSTRING& name);
    zCPar_Symbol* GetSymbol(int number);
    int GetIndex(const zSTRING& name);
    // Class, prototype or instance by declared type.
    static int IsInstanceType(const zCPar_Symbol* symbol);
    // Declared type INT# for an int member whose value names an instance.
    static void MarkInstanceMember(zCPar_Symbol* symbol);
    // Warns about (or upper-cases) a string literal argument that names a world
    // object, animation, waypoint or state of an engine function.
    void CheckUpperCaseArg(const zSTRING& functionName, zCPar_TreeNode* argument, int argumentNumber);
    // The functions whose calls add a dialogue line to the output-unit library.
    void SetOutputUnitFunctions(const std::vector<zSTRING>& names, const zSTRING& unused = zSTRING());
    int IsOutputUnitFunction(const zSTRING& name) const;
    // Unit name from the line's first string literal, text from its line comment.
    void AddOutputUnitFromLine(zSTRING line);
    // Whether a returned operand is TRUE or 1 in a function named ..._CONDITION.
    static int IsConditionReturn(const zCPar_TreeNode* node, const zSTRING& functionName);

    // --- byte code, linker and .dat ---
    // Appends the code of one statement node (operands first, right before left);
    // returns the next statement, or null after an error that ends the file.
    zCPar_TreeNode* EmitCode(zCPar_TreeNode* node);
    // Writes the label addresses into the jumps of a file's tree.
    // Fills in the addresses of the jumps emitted for the file being linked.
    void PatchJumps();
    // Instance named before the dot of the name last resolved.
    int GetDottedOwner() const { return dottedOwner; }
    // Byte code of every parsed file, then the ".dat"; nothing is written when an
    // error was found.
    void Link();
    // Engine offset of a script class that mirrors an engine object.
    void BindClassOffset(const zSTRING& className, int base);
    int SaveDat(zSTRING name);
    // Loads the name's ".dat" and writes it back; 1 when it was loaded.
    int ReSaveDat(zSTRING name);
    // "Symbols.txt": the symbols and the code of every body.
    int DumpSymbols();
    void DumpCode(zFILE& file, int codeOffset);
    zCPar_Stack& GetCodeStack() { return codeStack; }
    const zCPar_Stack& GetCodeStack() const { return codeStack; }
    zCPar_DataStack& GetDataStack() { return dataStack; }
    // Number that the next string literal's constant is named by.
    int GetStringLiteralCounter() const { return stringLiteralCounter; }
    // The parsed file being linked; -1 outside linking.
    int GetLinkFileIndex() const { return linkFileIndex; }

    // --- decompiler ---
    // Writes the loaded program back as script files and their source list.
    int Decompile(zSTRING srcListPath);
    zCParserDecompiler& GetDecompiler() { return *decompiler; }

private:
    // Private helpers, one section per source file (each keeps to its own).
    // zCParser.cpp:
    void ReadSourceListEntry(const zSTRING& folder, const zSTRING& entry);
    // An error of a source list, reported with the list's name and line.
    void ListError(const zSTRING& text, const zSTRING& listName, int listLine);
    void DropPendingTree();
    // zCParserTokenizer.cpp:
    void TakeHistoryEntry();
    void PassNewline(const char* afterNewline);
    // Passes the blanks and line ends before a word; the history entry just taken
    // moves past the line ends.
    void SkipBlanksBeforeWord();
    // Whether the next word is the delimiter (one other than "/"), which is left unread
    // as ReadWord and PrevWord leave it.
    bool NextWordIs(char delimiter);
    // Adds a word's source spelling to the name base.
    void RecordSpelling(const zSTRING& word);
    // The type a declaration's type word names (a class: zPAR_TYPE_INSTANCE plus the
    // class's number); -1 for none.
    int TypeOfWord(const zSTRING& word);
    // "Expected '<token>'".
    static zSTRING ExpectedText(const zSTRING& token);
    // Reports the end of the text when the word is empty.
    bool ReportIfEndOfText(const zSTRING& word);
    // A float word (and the exponent after a trailing "E") as a value.
    float ConvertFloatWord(const zSTRING& word, bool negative);
    // Leading decimal digits, modulo 2^32.
    static int ConvertDecimal(const zSTRING& digits);
    // Two's complement reading of 32 bits.
    static int ToInt32(std::uint32_t value);
    // The next word after an optional sign; false once the end of the text is reported.
    bool ReadSignedWord(zSTRING& word, bool& negative);
    // The symbol a name stands for in the current scope (see FindIndex); null when none.
    zCPar_Symbol* FindSymbol(const zSTRING& name);
    // A name without a dot in the current class, the current function, then globally.
    int FindScopedIndex(std::string_view name);
    // zCParserExpression.cpp:
    // A call node filled by the call reader, installed as the current call meanwhile.
    zCPar_TreeNode* ReadCallNode(const zSTRING& name, int expectedType);
    // A name operand of a float or string value: a call, or a name with an optional index.
    zCPar_TreeNode* ReadNameValue(const zSTRING& name, int type);
    // The symbol a name leaf of a constant expression names; null after the report.
    zCPar_Symbol* FindConstSymbol(zCPar_TreeNode* leaf);
    int EvalConstDivision(int kind, int left, int right);
    int EvalConstAssignment(zCPar_TreeNode* node);
    // A float as the value word of a node.
    static std::int32_t FloatBits(float value);
    // zCParserChecks.cpp:
    // Sets the error flag and reports by the error mode.
    void ReportError(const zSTRING& text, const char* file, int line);
    // Error in counted mode, then back to the mode before.
    void CountedError(const zSTRING& text, int positionFlag, int line);
    // A warning at the line of the file being read.
    void ReportWarning(const zSTRING& text, int atLine);
    // "Cannot convert from type <from> to <to>".
    static zSTRING ConversionText(int from, int to);
    static zSTRING ConversionText(const zSTRING& from, const zSTRING& to);
    // The prefix naming a call's argument (from 0) in a conversion error.
    static zSTRING ArgumentText(const zSTRING& function, int argumentNumber);
    // Where a walked tree stands: a value, where a comparison has no place; an if
    // condition, whose calls must give an int; an argument of a call in a condition.
    enum class WalkPlace { Value, Condition, ConditionArgument };
    int TypeWalk(zCPar_TreeNode* node, WalkPlace place);
    // The first error of a tree walk; later ones of the same walk are dropped.
    void WalkError(const zSTRING& text, int atLine);
    zCPar_Symbol* GetCallTarget(zCPar_TreeNode* call);
    int GetCallType(zCPar_TreeNode* call);
    static zCPar_TreeNode* FindCallNode(zCPar_TreeNode* holder);
    static bool IsValueNode(const zCPar_TreeNode* node);
    void CheckReturnValue(zCPar_TreeNode* returnNode, zCPar_TreeNode* value);
    // zCParserExternals.cpp:
    // Puts the list of external names in its comparator's order.
    void SortExternalNames();
    // zCParserDeclarations.cpp / zCParserStatements.cpp:
    // Passes over a block whose statements are not read, its inner blocks with it.
    void SkipBlock();
    // A new symbol of that name whose type and declared type are both type.
    static std::unique_ptr<zCPar_Symbol> NewDeclaredSymbol(const zSTRING& name, int type);
    // Links a node after the last one and makes it the last.
    zCPar_TreeNode* AppendNode(int kind, const zSTRING& name = zSTRING(), int value = 0);
    // Lists a declared symbol, the table taking it over; a name already listed is
    // reported as redefined and the symbol stays with the caller.
    bool InsertDeclared(std::unique_ptr<zCPar_Symbol>& symbol);
    void AppendTree(zCPar_TreeNode* tree);
    // An int expression from the next token; the token after it is given back.
    zCPar_TreeNode* ReadIntExpression();
    // "[" index "]" after an array name, checked against its bounds; 0 without one.
    int ReadOptionalIndex(const zSTRING& name);
    // The same where the word after the name has been read: any other is given back.
    int ReadOptionalIndex(const zSTRING& name, const zSTRING& next);
    // Back at file level after a class, prototype, instance or function: no scope
    // and none of the modes a body reader sets.
    void LeaveScope();
    // The steps of DeclareVar: the symbol of the next name (with its parameter nodes
    // in a parameter list), not yet listed; a constant's values.
    std::unique_ptr<zCPar_Symbol> NewVarSymbol(int type, zCPar_Symbol* typeClass, int isConst);
    void AppendParameterNodes(const zSTRING& name, int type);
    void ReadConstValues(zCPar_Symbol* declared, int type);
    void ReadConstValue(zCPar_Symbol* declared, int type, int index);
    // Ends the chain of a prototype's or instance's body: the return, then the end
    // of the body.
    void EndInstanceBody();
    // The name of the symbol must be a function.
    void CheckFuncName(const zSTRING& name);
    // Takes the argument of one parameter into the chain.
    void ReadCallArgument(const zSTRING& functionName, zCPar_Symbol* parameter, int argumentNumber);
    void CheckInstanceArgument(const zSTRING& functionName, const zSTRING& argument, zCPar_Symbol* parameter,
                               int argumentNumber);
    void CheckFunctionReturn(zCPar_TreeNode* endNode, int returnType, const zSTRING& functionName);
    void StoreSourcePosition(zCPar_Symbol* symbol, int startLine, int startChar);
    // Rest of the current line from the read position, control characters dropped.
    zSTRING RestOfLine() const;
    // zCParserLookup.cpp:
    static bool FallbackOn();
    // zCParserCode.cpp:
    // The node's own code after its operands; false after an error that ends the file.
    bool EmitNode(zCPar_TreeNode* node);
    bool EmitName(zCPar_TreeNode* node);
    // The symbol number a node of a declaration or call keeps in Value (the reader's),
    // where the symbol there still has the node's name; -1 otherwise. By link time
    // the name index lies outside the cache: these save looking names up again.
    int NumberStoredIn(const zCPar_TreeNode* node) const;
    // The symbol number FindIndex gives for a name leaf's name.
    int FindLeafIndex(const zCPar_TreeNode* node);
    bool EmitInstance(zCPar_TreeNode* node);
    void EmitInstanceStart(zCPar_TreeNode* node);
    void EmitStringLiteral(zCPar_TreeNode* node);
    // A link error at the node's line in the file being linked.
    void EmitError(const zSTRING& text, const zCPar_TreeNode* node);
    // zCParserLink.cpp:
    // Emits and patches the tree of the parsed file with that index, then drops it.
    void LinkFile(int index);
    // zCParserDat.cpp:
    // The ".dat" came with damaged counts or sizes: reported, the parser left empty.
    int RefuseDamagedDat(const zSTRING& name);

    // Source lists being read, outermost first (full names, upper case), and the
    // list line that is being handled.
    std::vector<zSTRING> openLists;
    zSTRING includingList;
    int includingLine = -1;
    // The chain of the file being read, until its record takes it.
    zCPar_TreeNode* pendingTree = nullptr;

    // 1. parsed files, 2. symbols, 3. spellings.
    zCArray<zCPar_File*> files;
    zCPar_SymbolTable symtab;
    zCParNameBase nameBase;

    // 5-7. names and flags.
    zSTRING currentFileName;
    zSTRING compiledFileName;
    int linked = 0;
    int treeDump = 0;
    int saveAllowed = 1;
    int parsed = 0;
    int treeCache = 0;

    // 8. the tokenizer's reading state.
    int currentFile = -1;
    int line = 0;
    int lineStart = 0;
    char* textStart = nullptr;
    char* readPos = nullptr;
    char* textEnd = nullptr;
    char* historyPositions[kHistorySize] = {};
    int historyLines[kHistorySize] = {};
    int historyIndex = 0;
    zSTRING currentWord;
    int dottedOwner = -1;

    // 9-10. scope and errors.
    zCPar_Symbol* currentClass = nullptr;
    zCPar_Symbol* currentFunction = nullptr;
    int errorFlag = 0;
    int errorMode = zPAR_ERROR_FATAL;
    int helpInstance = -1;

    // 11-13. tree building.
    zCPar_TreeNode* lastNode = nullptr;
    zCPar_TreeNode* callArgumentsNode = nullptr;
    zCPar_TreeNode* currentCallNode = nullptr;
    int labelCounter = 0;
    zCPar_TreeNode* currentTree = nullptr;
    int currentExpressionType = -1;
    int leftType = -1;
    int constExpression = 0;

    // 14. deferred checks.
    zCArray<zTParDeferredCheck> deferredChecks;
    int deferredRunning = 0;
    int errorCount = 0;
    // Where the next statement check stops walking back; a body reader sets it to
    // the body's first node.
    zCPar_TreeNode* checkStop = nullptr;
    bool walkFailed = false;

    // 15. redefinition lists; 17. external names in their spelling.
    zCParRedefinitions redefinitions;
    zCArray<zSTRING*> externalNames;

    // Declaration and statement readers' state.
    int parameterMode = 0;
    int mergeMode = 0;
    int outputUnitInstanceMode = 0;
    zCPar_TreeNode* bodyFirstNode = nullptr;
    int blockDepth = 0;  // blocks being read, one inside the other
    std::vector<zSTRING> outputUnitFunctions;  // upper case
    // Set when the last GetIndex came from the class view's table.
    int indexFromFallback = 0;

    // 4. the code and data stacks, with the state of the code generator, the linker
    // and the symbol dump.
    zCPar_Stack codeStack{kCodeStackSize};
    zCPar_DataStack dataStack;
    // Names the constant of the next string literal; 10000 after a reset.
    int stringLiteralCounter = 10000;
    // The file being linked (-1 outside linking), its number of jump labels and the
    // labels placed so far: label number to code offset (an unplaced one is 0).
    int linkFileIndex = -1;
    int linkLabelCount = 0;
    // Address of each label of the file being linked; 0 until its end-of-if node is emitted.
    std::vector<int> labelTable;
    // The jumps of the if and else nodes emitted, in the order they were: the
    // nodes themselves are gone once their statement is emitted.
    struct EmittedJump {
        int at;     // where the address goes in the code
        int label;  // the node's Value
        int line;
    };
    std::vector<EmittedJump> emittedJumps;
    // Class whose members the body being emitted addresses without a set-instance.
    zCPar_Symbol* currentInstance = nullptr;
    // Nesting of EmitCode, and whether the statement being emitted failed.
    int emitDepth = 0;
    bool emitFailed = false;
    // Jump targets the symbol dump still waits for: of E_IF within one body, of
    // E_ELSE across bodies.
    std::vector<int> dumpIfTargets;
    std::vector<int> dumpElseTargets;

    // Writes the program back; it reads the parts above.
    friend class zCParserDecompiler;
    std::unique_ptr<zCParserDecompiler> decompiler;
};

// The one parser of the process; null until the engine has started.
extern zCParser* g_parser;

// The compiler's basic error texts, loaded by the parser's constructor in the
// interface language of that moment.
extern zSTRING g_parErrSyntax;             // "Syntax error: "
extern zSTRING g_parErrExpected;           // "Expected "
extern zSTRING g_parErrRedefined;          // "Redefined identifier: "
extern zSTRING g_parErrUnknown;            // "Unknown identifier: "
extern zSTRING g_parErrNoClass;            // "Not a valid class or prototype name: "
extern zSTRING g_parErrUndefinedFunc;      // "Undefined function: "
extern zSTRING g_parErrConvert;            // "Cannot convert from type "
extern zSTRING g_parErrAssignInIf;         // "Cannot assignment in 'if' expression"
extern zSTRING g_parErrCompareOutsideIf;   // "Comparison is possible only in 'if' expression"
extern zSTRING g_parErrReturn;             // "Unexpected return"
extern zSTRING g_parErrNot;                // "Wrong type in '!' expression"
// The one-character operators; a character's position is its token code.
extern const zSTRING g_parOperators;       // "+-*/%|&<>="
