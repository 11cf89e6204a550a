// Functions, calls, assignments, return and if: the node chains the code generator
// reads, the return-value check, the call checks and the output units of dialogue
// lines; and the parser's lookups with the class view's table behind its own.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "JobGlobals.h"
#include "ScriptParseFixture.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zCParFallbackTable.h"

namespace {

class StatementTest : public ScriptParseFixture {
protected:
    void SetUp() override
    {
        ScriptParseFixture::SetUp();
        savedProject = g_jobProjectName;
        g_csManager->GetLibrary()->DeleteAll();
    }
    void TearDown() override
    {
        g_jobProjectName = savedProject;
        g_csManager->GetLibrary()->DeleteAll();
        ScriptParseFixture::TearDown();
    }

    // Engine functions the scripts below call.
    void DefineExternals()
    {
        parser.DefineExternal("IntToFloat", 1, zPAR_TYPE_FLOAT, {zPAR_TYPE_INT});
        parser.DefineExternal("Hlp_GetNpc", 2, zPAR_TYPE_INSTANCE, {zPAR_TYPE_INT});
        parser.DefineExternal("AI_Output", 3, zPAR_TYPE_VOID, {zPAR_TYPE_INSTANCE, zPAR_TYPE_INSTANCE, zPAR_TYPE_STRING});
        parser.DefineExternal("AI_GotoWP", 4, zPAR_TYPE_VOID, {zPAR_TYPE_INSTANCE, zPAR_TYPE_STRING});
        parser.DefineExternal("Print", 5, zPAR_TYPE_VOID, {zPAR_TYPE_STRING});
        parser.DefineExternal("Wld_DetectNpc", 6, zPAR_TYPE_INT,
                              {zPAR_TYPE_INSTANCE, zPAR_TYPE_INT, zPAR_TYPE_FUNC, zPAR_TYPE_INT});
    }

    zSTRING UnitText(const char* name) { return g_csManager->FindOutputUnit(name); }
    int Units() const { return g_csManager->GetLibrary()->GetNum(); }

    zSTRING savedProject;
};

const char* const kDeclarations = "CLASS C { VAR INT i; };\n"
                                  "INSTANCE SELF(C);\n"
                                  "INSTANCE OTHER(C);\n";

TEST_F(StatementTest, EveryStatementKindLeavesItsNodeShape)
{
    DefineExternals();
    ASSERT_TRUE(Parse(std::string(kDeclarations) +
                      "FUNC INT G(VAR INT p) { return p; };\n"
                      "FUNC VOID T() {\n"
                      " VAR INT x; VAR FLOAT f; VAR STRING s; VAR FUNC fn; VAR C inst;\n"
                      " x = 1 + 2;\n"
                      " f = 1.5;\n"
                      " f = IntToFloat(3);\n"
                      " s = \"a\";\n"
                      " fn = G;\n"
                      " inst = Hlp_GetNpc(3);\n"
                      " G(x);\n"
                      " Wld_DetectNpc(self, 1, NOFUNC, -1);\n"
                      " if (x) { x = 2; } else if (x) { x = 3; } else { x = 4; };\n"
                      " return;\n"
                      "};\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(host.GetWarningCount(), 0);

    const std::vector<int> expected = {
        EXP_PROTOTYPE, EXP_END_BLOCK, EXP_END_PROTOTYPE, EXP_PROTOTYPE, EXP_END_BLOCK, EXP_END_PROTOTYPE,
        EXP_FUNC, EXP_COMPOUND, EXP_LET, EXP_COMPOUND, EXP_END_BLOCK, EXP_END_FUNC,
        EXP_FUNC,
        EXP_LET,                                                  // x = 1 + 2
        EXP_DIGIT, EXP_COMPOUND, EXP_LET_FLOAT,                   // f = 1.5
        EXP_DIGIT, EXP_ENTRY_INSTANCE, EXP_COMPOUND, EXP_LET_FLOAT,  // f = IntToFloat(3)
        EXP_STRING, EXP_COMPOUND, EXP_LET_STRING,                 // s = "a"
        EXP_ASSIGN_FUNC, EXP_COMPOUND, EXP_LET_FUNC,              // fn = G
        EXP_DIGIT, EXP_ENTRY_INSTANCE, EXP_INSTANCE, EXP_LET_INSTANCE,  // inst = Hlp_GetNpc(3)
        EXP_COMPOUND, EXP_ENTRY_INSTANCE,                         // G(x)
        EXP_INSTANCE, EXP_DIGIT, EXP_DIGIT, EXP_XOR, EXP_ENTRY_INSTANCE,  // Wld_DetectNpc(...)
        EXP_COMPOUND, EXP_IF, EXP_LET, EXP_ELSE, EXP_END_IF,      // if (x) {...} else
        EXP_COMPOUND, EXP_IF, EXP_LET, EXP_ELSE, EXP_END_IF,      // if (x) {...} else
        EXP_LET, EXP_END_IF,                                      // {...} and the common end
        EXP_END_BLOCK, EXP_END_FUNC};
    ASSERT_EQ(Kinds(), expected);

    const std::vector<zCPar_TreeNode*> chain = Chain();
    for (std::size_t i = 1; i < chain.size(); ++i)
        ASSERT_EQ(chain[i]->Prev, chain[i - 1]) << i;

    // x = 1 + 2 is one tree.
    const zCPar_TreeNode* assign = chain[13];
    ASSERT_NE(assign->Left, nullptr);
    EXPECT_EQ(assign->Left->Name, "X");
    EXPECT_EQ(assign->Right->TypeExp, EXP_PLUS);

    // A float constant carries its bits.
    float value = 0;
    std::memcpy(&value, &chain[14]->Value, sizeof value);
    EXPECT_FLOAT_EQ(value, 1.5f);
    EXPECT_EQ(chain[14]->Type, zPAR_TYPE_FLOAT);
    EXPECT_EQ(chain[15]->Name, "F");
    EXPECT_EQ(chain[15]->BaseType, zPAR_TYPE_FLOAT);

    EXPECT_EQ(chain[18]->Name, "INTTOFLOAT");
    EXPECT_EQ(chain[18]->Value, Index("INTTOFLOAT"));
    EXPECT_EQ(chain[21]->Name, "a");
    EXPECT_EQ(chain[24]->Name, "G");
    EXPECT_EQ(chain[25]->Name, "FN");
    EXPECT_EQ(chain[29]->Name, "INST");
    EXPECT_EQ(chain[32]->Value, Index("G"));
    EXPECT_EQ(chain[33]->Name, "SELF");
    // NOFUNC is a func value of -1.
    EXPECT_EQ(chain[35]->Value, -1);
    EXPECT_EQ(chain[35]->Type, zPAR_TYPE_FUNC);

    // Labels: if 0, common end 1, else-if 2.
    const int labels[][2] = {{39, 0}, {41, 1}, {42, 0}, {44, 2}, {46, 1}, {47, 2}, {49, 1}};
    for (const auto& label : labels)
        EXPECT_EQ(chain[label[0]]->Value, label[1]) << label[0];
    EXPECT_EQ(parser.GetLabelCounter(), 3);
}

TEST_F(StatementTest, CallInsideAnExpressionHangsFromItsHolder)
{
    ASSERT_TRUE(Parse("FUNC INT G(VAR INT p) { return p; };\n"
                      "FUNC VOID T() { VAR INT x; x = G(G(1)) + 1; if (G(2)) { }; };\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    const std::vector<zCPar_TreeNode*> chain = Chain();
    ASSERT_EQ(Kinds(), (std::vector<int>{EXP_FUNC, EXP_COMPOUND, EXP_LET, EXP_COMPOUND, EXP_END_BLOCK, EXP_END_FUNC,
                                         EXP_FUNC, EXP_LET, EXP_EMPTY, EXP_IF, EXP_END_IF, EXP_END_FUNC}));

    // The holder's list hangs from its Right: the arguments, then the call node. The
    // holder's own Next is free for the chain it stands in.
    auto list = [](const zCPar_TreeNode* holder) {
        std::vector<int> kinds;
        const zCPar_TreeNode* previous = nullptr;
        for (const zCPar_TreeNode* node = holder->Right; node; previous = node, node = node->Next) {
            EXPECT_EQ(node->Prev, previous);
            kinds.push_back(node->TypeExp);
        }
        return kinds;
    };
    const zCPar_TreeNode* sum = chain[7]->Right;
    ASSERT_NE(sum, nullptr);
    ASSERT_EQ(sum->TypeExp, EXP_PLUS);
    const zCPar_TreeNode* outer = sum->Left;
    ASSERT_EQ(outer->TypeExp, EXP_EMPTY);
    EXPECT_EQ(list(outer), (std::vector<int>{EXP_EMPTY, EXP_ENTRY_INSTANCE}));
    EXPECT_EQ(list(outer->Right), (std::vector<int>{EXP_DIGIT, EXP_ENTRY_INSTANCE}));
    EXPECT_EQ(outer->Right->Next->Name, "G");
    EXPECT_EQ(outer->Next, nullptr);
    EXPECT_EQ(chain[8]->Next, chain[9]);
    EXPECT_EQ(list(chain[8]), (std::vector<int>{EXP_DIGIT, EXP_ENTRY_INSTANCE}));
}

TEST_F(StatementTest, IfWithoutElseEndsAtItsOwnLabel)
{
    ASSERT_TRUE(Parse("FUNC VOID T() { VAR INT x; if (x) { x = 1; }; if (x == 1) { }; };"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(Kinds(), (std::vector<int>{EXP_FUNC, EXP_COMPOUND, EXP_IF, EXP_LET, EXP_END_IF, EXP_EQUAL, EXP_IF,
                                         EXP_END_IF, EXP_END_FUNC}));
    EXPECT_EQ(Chain()[4]->Value, 0);
    EXPECT_EQ(Chain()[7]->Value, 1);
}

TEST_F(StatementTest, IndexedTargetsAreCheckedAgainstTheirArrays)
{
    // T: a local F would hide a function F.
    ASSERT_TRUE(Parse("FUNC VOID T() {\n VAR STRING s[2]; VAR FLOAT f[2]; VAR FUNC fn[2];\n"
                      " s[1] = \"a\"; f[1] = 2.0; fn[1] = T;\n"
                      " s[2] = \"b\";\n f[5] = 1;\n};\n"));
    EXPECT_EQ(host.GetErrorCount(), 2);
    EXPECT_TRUE(HasLine("\\T.D(4):   Error: Index = 2 out of bounds array 'S'."));
    EXPECT_TRUE(HasLine("\\T.D(5):   Error: Index = 5 out of bounds array 'F'."));
    const std::vector<zCPar_TreeNode*> chain = Chain();
    ASSERT_EQ(chain.size(), 17u);
    for (int at : {2, 5, 8}) {
        EXPECT_EQ(chain[at]->TypeExp, EXP_COMPOUND);
        EXPECT_EQ(chain[at]->Value, 1);
    }
    EXPECT_EQ(chain[11]->Value, 2);
}

TEST_F(StatementTest, FunctionSymbolAndReturnValueCheck)
{
    struct Row {
        const char* text;
        int errors;
        int warnings;
        int silenced;  // warnings with the option that silences them
    };
    const Row rows[] = {
        {"FUNC INT F() { };", 1, 0, 0},
        {"FUNC INT F(VAR INT a) { };", 1, 0, 0},
        {"FUNC INT F() { return 1; };", 0, 0, 0},
        {"FUNC INT G() { return 1; };\nFUNC INT F() { G(); };", 0, 1, 0},
        {"FUNC STRING G() { return \"\"; };\nFUNC INT F() { G(); };", 1, 0, 0},
        {"CONST INT TRUE = 1;\nFUNC INT DIA_X_CONDITION() { if (1) { return TRUE; }; };", 0, 0, 0},
        {"FUNC INT DIA_X_Condition() { if (1) { return 1; }; };", 0, 0, 0},
        {"FUNC INT DIA_X_CONDITION() { if (1) { return 0; }; };", 0, 1, 0},
        {"CONST INT TRUE = 1;\nFUNC INT DIA_X_CONDITION_2() { if (1) { return TRUE; }; };", 0, 1, 0},
        {"FUNC VOID F() { };", 0, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        for (int silence = 0; silence < 2; ++silence) {
            parser.Reset();
            host.Clear();
            host.GetSettings().WarningReturnValue = silence;
            ASSERT_TRUE(Parse(row.text));
            EXPECT_EQ(host.GetErrorCount(), row.errors);
            EXPECT_EQ(host.GetWarningCount(), silence ? row.silenced : row.warnings);
            if (row.errors) {
                EXPECT_TRUE(HasLine("Error: Function should return value"));
            }
        }
    }
    host.GetSettings().WarningReturnValue = 0;

    // The warning names the line before the closing brace.
    parser.Reset();
    host.Clear();
    ASSERT_TRUE(Parse("FUNC INT G() { return 1; };\nFUNC INT F() {\n G();\n};"));
    EXPECT_TRUE(HasLine("\\T.D(3):   Warning: Function should return value"));

    zCPar_Symbol* function = Sym("F");
    EXPECT_EQ(function->GetType(), zPAR_TYPE_FUNC);
    EXPECT_EQ(function->declaredType, zPAR_TYPE_FUNC);
    EXPECT_TRUE(function->HasFlag(zPAR_FLAG_CONST));
    EXPECT_TRUE(function->HasFlag(zPAR_FLAG_RETURN));
    EXPECT_EQ(function->GetOffset(), zPAR_TYPE_INT);
    EXPECT_EQ(function->GetLine(), 2);
    EXPECT_EQ(function->GetLineCount(), 3);
}

TEST_F(StatementTest, ReturnTypesOfFunctions)
{
    ASSERT_TRUE(Parse(std::string(kDeclarations) +
                      "FUNC VOID V() { };\nFUNC FLOAT FL() { return 2.5; };\n"
                      "FUNC STRING S() { return \"x\"; };\nFUNC C I() { };\n"));
    EXPECT_FALSE(Sym("V")->HasFlag(zPAR_FLAG_RETURN));
    EXPECT_EQ(Sym("V")->GetOffset(), zPAR_TYPE_VOID);
    EXPECT_EQ(Sym("FL")->GetOffset(), zPAR_TYPE_FLOAT);
    EXPECT_EQ(Sym("S")->GetOffset(), zPAR_TYPE_STRING);
    EXPECT_EQ(Sym("I")->GetOffset(), zPAR_TYPE_INSTANCE);
    EXPECT_TRUE(Sym("I")->HasFlag(zPAR_FLAG_RETURN));
}

TEST_F(StatementTest, ReturnInsideAndOutsideBodies)
{
    ASSERT_TRUE(Parse("CLASS C { VAR INT x; };\nINSTANCE I(C) { x = 1; return; };\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(Kinds(), (std::vector<int>{EXP_PROTOTYPE, EXP_LET, EXP_END_BLOCK, EXP_END_BLOCK, EXP_END_PROTOTYPE}));

    parser.Reset();
    EXPECT_FALSE(Parse("CLASS C { VAR INT x;\n RETURN; };"));
    EXPECT_TRUE(HasLine("\\T.D(2):   Error: Unexpected return"));
}

TEST_F(StatementTest, FaultyStatementsAreReported)
{
    struct Row {
        const char* text;
        int line;  // in the text after the shared declarations
        const char* message;
    };
    const Row rows[] = {
        {"FUNC VOID V() { };\nFUNC VOID F() { VAR INT x;\n x = V(); };", 3, "Func does not return - int"},
        {"FUNC INT N() { return 1; };\nFUNC VOID F() { VAR STRING s;\n s = N(); };", 3, "Func does not return - string"},
        {"FUNC VOID V() { };\nFUNC VOID F() { VAR C i;\n i = V(); };", 3, "Func does not return - instance"},
        {"FUNC VOID F() { VAR C i;\n i = NOPE(); };", 2, "Undefined function: NOPE"},
        {"FUNC VOID F() { VAR C i;\n i = SELF(); };", 2, "Undefined function: SELF"},
        {"FUNC VOID F() {\n NOPE(); };", 2, "Unknown identifier: NOPE"},
        {"FUNC VOID G(VAR INT a, VAR INT b) { };\nFUNC VOID F() { G(1 2); };", 2, "Expected ','"},
        {"FUNC VOID G(VAR INT a) { };\nFUNC VOID F() { G(1; };", 2, "Expected ')'"},
        {"FUNC VOID G() { };\nFUNC VOID F() { G; };", 2, "Expected '('"},
        {"FUNC VOID F() { VAR FLOAT f;\n f 1.0; };", 2, "Expected '='"},
        {"FUNC VOID F() { VAR INT x;\n if (x) { } else x = 1; };", 2, "Expected 'IF'"},
        {"FUNC VOID F() { VAR INT x;\n if (x) { } else { } };", 2, "Expected ';'"},
        {"FUNC VOID F() { VAR INT x;\n x = 1 };", 2, "Expected ';'"},
        {"FUNC NOTYPE F() { };", 1, "Syntax error: NOTYPE"},
        {"FUNC FUNC F() { };", 1, "Syntax error: FUNC"},
        {"FUNC VOID F() { };\nFUNC VOID F() { };", 2, "Redefined identifier: F"},
    };
    const int declarationLines = 3;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        parser.Reset();
        host.Clear();
        EXPECT_FALSE(Parse(std::string(kDeclarations) + row.text));
        EXPECT_TRUE(HasLine("\\T.D(" + std::to_string(declarationLines + row.line) + "):   Error: " + row.message));
    }
}

// A comparison is a value only inside an if condition; wherever else it stands in a
// statement's value it is counted at its line, and the build reads on.
TEST_F(StatementTest, ComparisonsOutsideAnIfConditionAreCountedWhereverTheyStand)
{
    const char* const head = "FUNC INT G(VAR INT p) { return p; };\n"
                             "FUNC VOID V(VAR INT p) { };\n"
                             "FUNC VOID S(VAR STRING p) { };\n";
    struct Row {
        const char* body;  // the body of a function T(VAR INT hp) returning int, from line 4
        int errors;
        int line;
    };
    const Row rows[] = {
        {"VAR INT a;\n a = hp > 0;\n return a;", 1, 5},
        {"\n return hp > 0;", 1, 5},
        {"\n return (hp == 1) + 2;", 1, 5},
        {"VAR INT a;\n a += 1 - !(hp <= 3);\n return a;", 1, 5},
        {"\n V(hp != 0);\n return 0;", 1, 5},
        {"\n return G(hp >= 1);", 1, 5},
        {"\n hp > 0;\n return 0;", 1, 5},
        // Inside a condition every comparison is in its place, in call arguments too.
        {"\n if (hp > 0 && G(hp < 2) || !(hp == 3)) { return 1; };\n return 0;", 0, 0},
        {"\n if (G(hp)) { V(hp); };\n return hp + G(hp);", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.body);
        parser.Reset();
        host.Clear();
        ASSERT_TRUE(Parse(std::string(head) + "FUNC INT T(VAR INT hp) {" + row.body + "\n};\n"));
        EXPECT_EQ(host.GetErrorCount(), row.errors);
        if (row.errors) {
            EXPECT_TRUE(HasLine("\\T.D(" + std::to_string(row.line) +
                                "):   Error: Comparison is possible only in 'if' expression"));
        }
    }
}

// Blocks nest as deep as any script needs; deeper ones are refused at the line where
// the limit is passed, before the readers run out of stack.
TEST_F(StatementTest, BlocksNestedTooDeeplyAreRefusedAtTheirLine)
{
    std::string ifs;
    std::string ends;
    for (int i = 0; i < 5000; ++i) {
        ifs += " if (x) {\n";
        ends += "};";
    }
    const std::string script = "FUNC VOID F() { VAR INT x;\n" + ifs + ends + "\n x = 1; };\nFUNC VOID G() { };\n";
    // The function's body is the first block: the 256th if opens the 257th, on line 257.
    const std::string report = "\\T.D(257):   Error: Blocks nested too deeply.";
    EXPECT_FALSE(Parse(script));
    EXPECT_TRUE(HasLine(report));

    // Counted, the deep part is passed over and the file read on.
    parser.Reset();
    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    host.Clear();
    EXPECT_TRUE(Parse(script));
    EXPECT_TRUE(HasLine(report));
    EXPECT_EQ(host.GetErrorCount(), 1);
    EXPECT_NE(Sym("G"), nullptr);

    // As deep as allowed is read as it stands.
    parser.Reset();
    host.Clear();
    EXPECT_TRUE(Parse("FUNC VOID F() { VAR INT x;\n" + ifs.substr(0, 255 * 10) + ends.substr(0, 255 * 2) + "};"));
    EXPECT_EQ(host.GetErrorCount(), 0);
}

TEST_F(StatementTest, ArgumentChecks)
{
    DefineExternals();
    // An instance of another class is counted; the build reads on.
    ASSERT_TRUE(Parse("CLASS A { VAR INT x; };\nCLASS B { VAR INT y; };\nINSTANCE IB(B);\nINSTANCE IA(A);\n"
                      "FUNC VOID F(VAR A a) { };\n"
                      "FUNC VOID G() { F(IA); F(IB); F(LATER); };\n"
                      "INSTANCE HERO(A) { F(self); };\n"));
    EXPECT_EQ(host.GetErrorCount(), 1);
    EXPECT_TRUE(HasLine("\\T.D(6):   Error: Function 'F': Argument 1: Cannot convert from type B to A"));
    // SELF in an instance body is that instance.
    const std::vector<zCPar_TreeNode*> chain = Chain();
    ASSERT_GE(chain.size(), 4u);
    EXPECT_EQ(chain[chain.size() - 4]->TypeExp, EXP_INSTANCE);
    EXPECT_EQ(chain[chain.size() - 4]->Name, "HERO");
}

TEST_F(StatementTest, UpperCaseArguments)
{
    const std::string text = std::string(kDeclarations) +
                             "FUNC VOID F() {\n AI_GotoWP(self, \"wp_a\");\n Print(\"free text\");\n"
                             " AI_GotoWP(self, \"WP_B\"); };\n";
    struct Row {
        int correct;
        int quiet;
        const char* spelling;
        int warnings;
    };
    for (const Row& row : {Row{0, 0, "wp_a", 1}, Row{0, 1, "wp_a", 0}, Row{1, 0, "WP_A", 0}}) {
        parser.Reset();
        DefineExternals();
        host.Clear();
        host.GetSettings().CorrectUpperCase = row.correct;
        host.GetSettings().WarningUpperCase = row.quiet;
        ASSERT_TRUE(Parse(text));
        EXPECT_EQ(host.GetWarningCount(), row.warnings);
        EXPECT_EQ(host.GetErrorCount(), 0);
        bool found = false;
        for (zCPar_TreeNode* node : Chain())
            found = found || (node->TypeExp == EXP_STRING && node->Name == row.spelling);
        EXPECT_TRUE(found) << row.spelling;
        if (row.warnings) {
            EXPECT_TRUE(HasLine("\\T.D(5):   Warning: Argument wp_a should be uppercase!"));
        }
    }
    host.GetSettings().CorrectUpperCase = 0;
    host.GetSettings().WarningUpperCase = 0;
}

TEST_F(StatementTest, OutputUnitFunctionsAddDialogueLines)
{
    parser.SetOutputUnitFunctions({zSTRING("AI_Output")});
    EXPECT_EQ(parser.IsOutputUnitFunction("ai_output"), 1);
    EXPECT_EQ(parser.IsOutputUnitFunction("AI_OUTPUT"), 1);
    EXPECT_EQ(parser.IsOutputUnitFunction("AI_OutputSVM"), 0);

    DefineExternals();
    ASSERT_TRUE(Parse(std::string(kDeclarations) +
                      "FUNC VOID F() {\n"
                      "\tai_output(self, other, \"DIA_A\"); //Hello there\n"
                      "\tAI_OUTPUT(self, other, \"DIA_B\");\n"
                      "\tAI_Output(self, other, \"DIA_C\"); // Crlf line  \r\n"
                      "\tAI_Output(self, other, \"DIA_D\");\t//Yes/no? // both\n"
                      "\tAI_Output(self, other, \"\"); //no name\n"
                      "};\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(Units(), 4);
    EXPECT_EQ(UnitText("DIA_A"), "Hello there");
    EXPECT_EQ(UnitText("DIA_B"), "");
    EXPECT_EQ(UnitText("DIA_C"), "Crlf line");
    EXPECT_EQ(UnitText("DIA_D"), "Yes/no? // both");

    parser.SetOutputUnitFunctions({});
    EXPECT_EQ(parser.IsOutputUnitFunction("AI_Output"), 0);
}

TEST_F(StatementTest, OutputUnitsOfSvmInstancesInTheMainScripts)
{
    // A function after an SVM instance is no part of it.
    const std::string text = "CLASS C_SVM { VAR STRING smalltalk; VAR STRING other; };\n"
                             "INSTANCE SVM_1(C_SVM) {\n"
                             " smalltalk =\"SVM_1_Smalltalk\";//Text one\r\n"
                             " other = \"SVM_1_Other\"; //Text two\n"
                             "};\n"
                             "FUNC VOID F() { VAR STRING s;\n s = \"Plain\"; //no line\n };\n"
                             "INSTANCE ANY(C_SVM) { smalltalk = \"ANY_1\"; //no line either\n };\n";
    g_jobProjectName = "Varnok";
    ASSERT_TRUE(Parse(text));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(Units(), 2);
    EXPECT_EQ(UnitText("SVM_1_Smalltalk"), "Text one");
    EXPECT_EQ(UnitText("SVM_1_Other"), "Text two");

    for (const char* project : {"VarnokMod", "Music"}) {
        parser.Reset();
        g_csManager->GetLibrary()->DeleteAll();
        g_jobProjectName = project;
        ASSERT_TRUE(Parse(text));
        EXPECT_EQ(Units(), 0) << project;
    }
}

TEST_F(StatementTest, LookupsFallBackOnTheClassViewTable)
{
    ASSERT_TRUE(Parse("VAR INT OWN;"));
    zCPar_SymbolTable classView;
    auto add = [&classView](const char* name, int type, zCPar_Symbol* parent) {
        auto* symbol = new zCPar_Symbol;
        symbol->name = name;
        symbol->SetType(type);
        symbol->declaredType = type;
        symbol->SetParent(parent);
        classView.Insert(symbol);
        return symbol;
    };
    zCPar_Symbol* cls = add("C_INFO", zPAR_TYPE_CLASS, nullptr);
    zCPar_Symbol* member = add("C_INFO.NPC", zPAR_TYPE_INT, cls);
    zCPar_Symbol* plain = add("C_INFO.NR", zPAR_TYPE_INT, cls);

    struct Restore {
        ~Restore()
        {
            g_parFallbackTable = nullptr;
            g_parFallbackOn = 0;
        }
    } restore;
    g_parFallbackTable = &classView;

    // Switch off: the own table alone.
    EXPECT_EQ(parser.GetIndex("C_INFO.NPC"), -1);
    EXPECT_EQ(parser.GetSymbol(zSTRING("C_INFO.NPC")), nullptr);

    g_parFallbackOn = 1;
    const int own = parser.GetIndex("OWN");
    EXPECT_EQ(own, Index("OWN"));
    EXPECT_EQ(parser.GetSymbol(own), Sym("OWN"));

    const int other = parser.GetIndex("C_INFO.NPC");
    EXPECT_EQ(other, 1);
    EXPECT_EQ(parser.GetSymbol(other), member);
    EXPECT_EQ(member->declaredType, zPAR_TYPE_INSTANCE_INT);
    // The flag stays with the last found index.
    EXPECT_EQ(parser.GetIndex("NONE"), -1);
    EXPECT_EQ(parser.GetSymbol(0), cls);

    EXPECT_EQ(parser.GetSymbol(zSTRING("C_INFO.NR")), plain);
    EXPECT_EQ(plain->declaredType, zPAR_TYPE_INT);
    EXPECT_EQ(parser.GetSymbol(zSTRING("OWN")), Sym("OWN"));
    // An own number not in the own table is looked up behind it.
    EXPECT_EQ(parser.GetIndex("OWN"), own);
    ASSERT_EQ(parser.GetSymbolTable().GetNumInList(), 2);
    EXPECT_EQ(parser.GetSymbol(2), plain);

    // The class view may drop its table while a number from it is kept.
    EXPECT_EQ(parser.GetIndex("C_INFO.NR"), 2);
    g_parFallbackOn = 0;
    g_parFallbackTable = nullptr;
    EXPECT_EQ(parser.GetSymbol(2), nullptr);
    EXPECT_EQ(parser.GetSymbol(own), Sym("OWN"));

    EXPECT_EQ(zCParser::IsInstanceType(nullptr), 0);
    EXPECT_EQ(zCParser::IsInstanceType(cls), 1);
    EXPECT_EQ(zCParser::IsInstanceType(member), 0);
}

// Every cut of a script, read with errors counted instead of fatal, ends without
// a crash or a hang.
TEST_F(StatementTest, CutScriptsEndCleanlyWhenErrorsAreCounted)
{
    const std::string script = std::string(kDeclarations) +
                               "CONST INT K[2] = {1, 2};\n"
                               "PROTOTYPE P(C) { i = 1; };\n"
                               "INSTANCE A, B(P) { i = K[1]; };\n"
                               "FUNC INT G(VAR INT p, VAR STRING s) { if (p > 1) { return 1; } else if (p) { return 2; }"
                               " else { return 3; }; };\n"
                               "FUNC VOID T() { VAR INT x; VAR FLOAT f; VAR C c; x = G(1, \"s\"); f = 1.5; G(x, \"t\"); };\n";
    for (std::size_t cut = 0; cut <= script.size(); ++cut) {
        SCOPED_TRACE(cut);
        parser.Reset();
        parser.SetErrorMode(zPAR_ERROR_COUNTED);
        host.Clear();
        EXPECT_TRUE(Parse(script.substr(0, cut)));
    }
    EXPECT_EQ(host.GetErrorCount(), 0);
}

} // namespace
