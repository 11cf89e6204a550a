// The decompiler: writes the program loaded into its parser back as script files
// and their source list. The parser owns one; its sources by area:
//   zCParserDecompiler.cpp      the run, file placement, the source list
//   zCParserDecompilerDecl.cpp  declarations written back from the symbols
//   zCParserDecompilerCode.cpp  statements written back from the byte code
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "zSTRING.h"

class zCParser;
class zCParNameBase;
class zCPar_Stack;
class zCPar_Symbol;
class zCPar_SymbolTable;
class zCDecompNode;
class zFILE;
struct zTParPlacementRow;

class zCParserDecompiler {
public:
    explicit zCParserDecompiler(zCParser& parser);
    ~zCParserDecompiler();
    zCParserDecompiler(const zCParserDecompiler&) = delete;
    zCParserDecompiler& operator=(const zCParserDecompiler&) = delete;

    // Writes the loaded program back as script files and their source list.
    int Decompile(zSTRING srcListPath);
    // The statements of one body, from code address start to end (-1: to the body's
    // end), at the current indentation depth.
    void DoStack(zFILE& file, int start, int end);
    // The text between the brackets of an array of that many elements.
    zSTRING ArraySizeText(zCPar_Symbol* symbol, int count);
    // Makes the statement writer's state fresh for a run.
    void ResetDecompileStatements();

private:
    // Its tests set a body up as the declaration writers do.
    friend class DecompileTestAccess;

    // zCParserDecompiler.cpp / zCParserDecompilerDecl.cpp:
    // The steps of a run: the state made fresh, one pass over the table (the bodies'
    // addresses, the first class; the last file index), the source list opened (null
    // after the report) with the earlier run's files removed, the walk writing one
    // file per file index (-1 after an error that ends the run), and the run's state
    // dropped, however the run ends.
    void StartRun(const zSTRING& srcListPath);
    int ScanSymbols();
    std::unique_ptr<zFILE> OpenSourceList(const zSTRING& srcListPath);
    int WriteFiles(zFILE& srcList);
    void EndRun();
    // Per-file state, fresh for each output file.
    void ResetFileState();
    // Fills the placement rows of the platform, sorted by key.
    void LoadPlacementTable();
    // Closes a written file, moves it to its place, lists it in the source list and
    // reports it; without a source list the file is only placed and reported.
    void PlaceDecompiledFile(zFILE& file, zFILE* srcList);
    // The relative name (backslashes, ".d") the placement rules give the current file.
    zSTRING PlacementName();
    // Writes text into the output file and counts its lines.
    void WriteDecompiled(zFILE& file, const zSTRING& text);
    // The file key of the placement rules: a function or an instance (strong) takes it
    // from any other declaration; the statement writer sets a dialogue's key this way.
    void SetDecompileFileKey(const zSTRING& key, bool strong);
    // The name as written: the name base's spelling, else lower-cased when asked.
    zSTRING DecompileSpelling(const zSTRING& name, bool lower) const;
    // The text after the owner's "." of a member, parameter or local.
    static zSTRING DecompileOwnName(const zSTRING& name);
    // Shortest text the tokenizer reads back to the same float (digits and one ".").
    static zSTRING DecompileFloatText(float value);
    // The type word of a declaration: a keyword, or the class name of an instance type.
    zSTRING DecompileTypeText(zCPar_Symbol* symbol, zCPar_Symbol* owningClass);
    // "var", the type word, the own name and an array's size: the declaration of a
    // class member, a parameter or a local.
    void AppendVarDeclaration(zSTRING& text, zCPar_Symbol* symbol, int number, zCPar_Symbol* owningClass);
    // Per-kind writers; each returns the number of the last symbol it consumed.
    int DecompileVariable(zFILE& file, int number, const zSTRING& indent);
    int DecompileClass(zFILE& file, int number);
    int DecompileFuncValue(zFILE& file, int number, const zSTRING& indent);
    int DecompileFunction(zFILE& file, int number);
    int DecompilePrototype(zFILE& file, int number);
    int DecompileInstance(zFILE& file, int number);
    // The locals after symbol "after" that belong to owner, one line each; the number
    // of the last one.
    int DecompileLocals(zFILE& file, zCPar_Symbol* owner, int after);
    // Whether a func symbol is a function with a body (not a func-typed value).
    bool IsDecompiledFunction(int number);
    // Whether a symbol's content is the address of a body the decompiler writes.
    bool HasDecompiledBody(int number);
    // Reads the code bytes for the writers; 0 outside the code.
    std::int32_t DecompileCodeInt(int offset) const;
    // zCParserDecompilerCode.cpp:
    // The operand instructions (pushes, operators, calls, set-instance) onto the
    // expression list; false for any other instruction.
    bool PushDecompileOperand(int opcode, bool atBodyStart);
    // A call node taking its arguments from the expression list.
    void PushDecompileCall(int functionNumber);
    // The newest expression taken off the list; null when the list is empty.
    zCDecompNode* PopDecompileRoot();
    // Reads operand instructions up to the code position.
    void ReadDecompileOperands(int end);
    // Reports an empty list (counted error); false then.
    bool PackExpressions();
    // Writes every expression but the newest keep ones as statements, oldest first.
    void FlushExpressions(zFILE& file, int keep = 0);
    void WriteAssignment(zFILE& file, int type, const char* op);
    // A return inside the body; at the body's last instruction only a value is one.
    void WriteReturn(zFILE& file, bool bodyEnd);
    // The if at the read position with its else-if and else parts.
    void WriteIf(zFILE& file, int target);
    // An else part whose if is not known (the walk met the jump over it).
    void WriteElse(zFILE& file, int target);
    // Whether the block from blockStart to target ends in the jump over an else part
    // (then elseEnd is where that jump goes).
    bool FindElseJump(int blockStart, int target, int walkEnd, int& elseEnd) const;
    // Where the if of an else part that is nothing but one if chain up to end has its
    // conditional jump; -1 when the else part is anything else.
    int ElseHoldsOwnIf(int from, int end) const;
    // Indentation + text + "\n"; with ";" and the pending comment for statements.
    void WriteLine(zFILE& file, const zSTRING& text);
    void WriteStatement(zFILE& file, const zSTRING& text);
    // Indentation + the parts + (for a statement) ";" and the pending comment + "\n".
    void WriteLineParts(zFILE& file, std::initializer_list<std::string_view> parts, bool statement = false);
    void WriteAssignStatement(zFILE& file, const zSTRING& left, const zSTRING& right, const char* op);
    zSTRING PopVarDate(zCDecompNode* node, int hint, zCPar_Symbol* symbol);
    void AppendVarName(zSTRING& out, zCDecompNode* node);
    void AppendExpression(zSTRING& out, zCDecompNode* node, int hint, zCPar_Symbol* symbol, int depth,
                          bool inArguments);
    // The expression writers append to the text being made rather than return
    // pieces of their own.
    void AppendVarText(zSTRING& out, zCDecompNode* node, bool withIndex, bool inArguments);
    void AppendCallText(zSTRING& out, zCDecompNode* node, int depth);
    zSTRING ConstText(zCDecompNode* node, int hint, zCPar_Symbol* symbol);
    zSTRING ArrayIndexText(zCPar_Symbol* symbol, int n);
    // A written name: a member, parameter or local of the body by its own name, any
    // other whole.
    void AppendScopedName(zSTRING& out, zCPar_Symbol* symbol, int number);
    // Texts of a symbol remembered per number for the run: its name as written whole,
    // its own name (after the owner's ".") as written lower-cased where the name base
    // has no spelling, and the name a call of it is written by (an engine function's
    // spelling first).
    struct zTDecompName {
        enum Kind { kWhole, kOwn, kCall, kKinds };
        zSTRING texts[kKinds];
        bool known[kKinds] = {};
        // Whether the variable carries an instance's number; -1 until asked.
        signed char holdsInstance = -1;
        // The run the entry belongs to (decompileNamesRun): another run's counts as empty.
        unsigned run = 0;
    };
    zTDecompName& DecompileNameOf(int number);
    const zSTRING& DecompileName(zTDecompName::Kind kind, const zCPar_Symbol* symbol, int number);
    zSTRING MakeDecompileName(zTDecompName::Kind kind, const zCPar_Symbol* symbol);
    // An instance member, or a variable the redefinitions say holds an instance.
    bool HoldsDecompileInstance(const zCPar_Symbol* symbol, int number);
    // The name an instance, prototype or function is written by where it must resolve
    // to the number; empty when no name does.
    zSTRING DecompileSymbolName(int number, bool instanceOnly);
    // The symbol a plain name stands for in the body being written, as the compiler
    // looks it up.
    int DecompileScopedIndex(const zSTRING& upperName);
    // The class and the owner (function, prototype or instance) of the body being written.
    zCPar_Symbol* DecompileScopeClass() const;
    zCPar_Symbol* DecompileScopeOwner() const;
    // Whether an operand carries an instance (a number compared with it is written by
    // the instance's name), and whether a number is one of the instances scripts compare.
    bool IsDecompileInstanceOperand(const zCDecompNode* node);
    bool IsDecompileSelfNumber(const zCDecompNode* node) const;
    // The function whose body begins at the address; -1 when none.
    int FunctionForAddress(int address, bool atBodyStart);
    int DecompileAddressOwner(int address) const;
    // Where the body holding the position ends: the next body's start or the code's end.
    int DecompileBodyEnd(int position);
    void PrepareDecompileStatements();
    // An error of the walk with the output file and line; by the error mode.
    void DecompileError(const zSTRING& text);
    // "Found error in dat file" at level 3 for a damaged or unexpected instruction.
    void DecompileDamaged(const zSTRING& what);

    // The parser whose program is written, and the parts of it read most.
    zCParser& parser;
    zCPar_SymbolTable& symtab;
    zCPar_Stack& codeStack;
    zCParNameBase& nameBase;

    // Decompiler state shared by the declaration and the statement writers.
    int decompileDepth = 0;                  // indentation in tabs
    zCPar_Symbol* decompileBodyClass = nullptr;  // class of the body being written
    zCPar_Symbol* decompileFunction = nullptr;   // function whose body is written
    int decompileReturnType = 0;
    int decompileSvm = 0;  // the instance being written holds output units
    // Decompiler driver and declaration writers' state:
    // The file being written: its placement key and flags, and its line count (the
    // statement writer raises it for every line it writes).
    zSTRING decompileFileKey;
    int decompileStrongKey = 0;
    int decompileWeakKey = 0;
    int decompileNpc = 0;       // holds an instance derived from NPC_DEFAULT
    int decompileDialogue = 0;  // holds an instance of C_INFO
    int decompileLineCount = 0;
    // The line being written, its memory kept from line to line.
    zSTRING decompileLineBuffer;
    // The two sides of the statement being made (an if's condition, a return's
    // value: the right one), their memory kept as the line's is.
    zSTRING decompileLeftText;
    zSTRING decompileRightText;
    zSTRING decompileSrcListPath;
    // Placement rows of the running platform, sorted by key.
    std::vector<const zTParPlacementRow*> placementRows;
    // Code addresses owned by symbols (bodies), for telling merged bodies apart.
    std::unordered_map<int, int> decompileBodyAddresses;
    // Names the run has placed files under (upper case), to keep both of two alike.
    std::unordered_map<std::string, int> decompilePlacedNames;
    // The first class of the table: the type word of a function returning an instance.
    int decompileFirstClass = -1;
    // Statement writer's state:
    // Operands read and not yet written, newest first, after a head node.
    std::shared_ptr<zCDecompNode> decompileList;
    // End addresses of the open walks, innermost last.
    std::vector<int> decompileEnds;
    // Instance named by the last set-instance, 0 once a member push took it.
    int decompileSetInstance = 0;
    // Text written after the next statement (a dialogue line of the output units).
    int decompileComment = 0;
    zSTRING decompileCommentText;
    // Body start addresses, sorted, with their owner symbols (-1: called, owned by none);
    // made for the code size in decompileBodiesCode.
    std::vector<std::pair<int, int>> decompileBodies;
    int decompileBodiesCode = -1;
    // Engine function names (upper case) in their spelling.
    std::unordered_map<std::string, zSTRING> decompileExternalSpelling;
    // Answers of DecompileScopedIndex for the scope below: a body names the same
    // symbols again and again, and each answer costs up to three name lookups.
    std::unordered_map<std::string, int> decompileScopedIndexes;
    // Spellings by symbol number, for the run (see DecompileNameOf); the scratch holds
    // the spelling of a symbol asked for by a number that is not its own.
    // The entries are kept from run to run and emptied as they are asked for: making
    // one per symbol anew took longer than the names asked for.
    std::vector<zTDecompName> decompileNames;
    unsigned decompileNamesRun = 1;
    std::size_t decompileNamesCount = 0;  // the symbols the numbers were taken from
    zSTRING decompileNameScratch;
    const zCPar_Symbol* decompileIndexClass = nullptr;
    const zCPar_Symbol* decompileIndexOwner = nullptr;
    int decompileIndexSymbols = -1;  // the table's size they were found in
};

// The decompiler's output file being written, relative to the project folder: its
// number and ".d" while it is written, its final name once placed.
extern zSTRING g_decompileFileName;
