// The declaration readers: variables, constants, classes, prototypes, instances,
// parameters and blocks, with their symbols, nodes and errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptParseFixture.h"

namespace {

class DeclarationTest : public ScriptParseFixture {
};

TEST_F(DeclarationTest, VariablesGetNamesTypesCountsAndPositions)
{
    ASSERT_TRUE(Parse("CLASS C { VAR INT x; };\n"
                      "VAR INT a, b;\n"
                      "VAR STRING s[3];\n"
                      "VAR C obj;\n"
                      "FUNC VOID F() { VAR INT a, VAR FLOAT b; };\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);

    struct Row {
        const char* name;
        int type;
        int count;
    };
    for (const Row& row : {Row{"A", zPAR_TYPE_INT, 1}, Row{"B", zPAR_TYPE_INT, 1}, Row{"S", zPAR_TYPE_STRING, 3},
                           Row{"F.A", zPAR_TYPE_INT, 1}, Row{"F.B", zPAR_TYPE_FLOAT, 1}}) {
        SCOPED_TRACE(row.name);
        zCPar_Symbol* symbol = Sym(row.name);
        ASSERT_NE(symbol, nullptr);
        EXPECT_EQ(symbol->GetType(), row.type);
        EXPECT_EQ(symbol->declaredType, row.type);
        EXPECT_EQ(symbol->GetElementCount(), row.count);
        EXPECT_EQ(symbol->GetParent(), nullptr);
        EXPECT_FALSE(symbol->HasFlag(zPAR_FLAG_CONST));
    }
    // Locals are not parameters.
    EXPECT_EQ(Sym("F")->GetElementCount(), 0);

    zCPar_Symbol* object = Sym("OBJ");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetType(), zPAR_TYPE_INSTANCE);
    EXPECT_EQ(object->declaredType, zPAR_TYPE_INSTANCE);
    EXPECT_EQ(object->GetParent(), Sym("C"));

    EXPECT_EQ(Sym("S")->GetLine(), 3);
    EXPECT_EQ(Sym("S")->GetLineCount(), 1);
    EXPECT_EQ(Sym("S")->GetFileIndex(), 0);
    EXPECT_EQ(Sym("F")->GetLine(), 5);
}

TEST_F(DeclarationTest, SecondNameInAFunctionNeedsItsOwnVar)
{
    EXPECT_FALSE(Parse("FUNC VOID F() { VAR INT a, b; };"));
    EXPECT_TRUE(HasLine("\\T.D(1):   Error: Expected 'VAR'"));
}

TEST_F(DeclarationTest, ConstantsStoreTheirValues)
{
    ASSERT_TRUE(Parse("CONST INT A[3] = {1, 2, 1+2};\n"
                      "CONST INT K = 21;\n"
                      "CONST INT L = K * 2;\n"
                      "CONST FLOAT G[2] = {1.5, -2};\n"
                      "CONST STRING S[2] = {\"one\", \"Two\"};\n"
                      "FUNC VOID H() {};\n"
                      "CONST FUNC P = H;\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);

    int value = 0;
    for (int i = 0; i < 3; ++i) {
        Sym("A")->GetValue(value, i);
        EXPECT_EQ(value, i + 1);
    }
    EXPECT_TRUE(Sym("A")->HasFlag(zPAR_FLAG_CONST));
    Sym("L")->GetValue(value, 0);
    EXPECT_EQ(value, 42);

    float number = 0;
    Sym("G")->GetValue(number, 0);
    EXPECT_FLOAT_EQ(number, 1.5f);
    Sym("G")->GetValue(number, 1);
    EXPECT_FLOAT_EQ(number, -2.0f);

    zSTRING text;
    Sym("S")->GetValue(text, 1);
    EXPECT_EQ(text, "Two");
    EXPECT_EQ(Sym("P")->GetContent(), Index("H"));
    // Constants add no nodes.
    EXPECT_EQ(Kinds(), (std::vector<int>{EXP_FUNC, EXP_END_FUNC}));
}

TEST_F(DeclarationTest, ConstantFromAVariableIsCountedAndReadOn)
{
    EXPECT_TRUE(Parse("VAR INT v;\nCONST INT C = v;\nCONST INT D = 4;\n"));
    EXPECT_EQ(host.GetErrorCount(), 1);
    EXPECT_TRUE(HasLine("\\T.D(2):   Error: Undeclared const value V"));
    EXPECT_NE(Sym("D"), nullptr);
}

TEST_F(DeclarationTest, ClassMembersAreCountedNamedAndPlaced)
{
    ASSERT_TRUE(Parse("CLASS C_X {\n VAR INT a;\n VAR STRING b;\n VAR FUNC c;\n};\n"
                      "CLASS C_INFO { VAR INT npc; VAR INT nr; };\n"));
    zCPar_Symbol* cls = Sym("C_X");
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->GetType(), zPAR_TYPE_CLASS);
    EXPECT_EQ(cls->declaredType, zPAR_TYPE_CLASS);
    EXPECT_EQ(cls->GetElementCount(), 3);
    EXPECT_EQ(cls->GetLine(), 1);
    EXPECT_EQ(cls->GetLineCount(), 5);

    const char* members[] = {"C_X.A", "C_X.B", "C_X.C"};
    const int offsets[] = {0, 4, 24};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(members[i]);
        zCPar_Symbol* member = Sym(members[i]);
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(Index(members[i]), Index("C_X") + 1 + i);
        EXPECT_TRUE(member->HasFlag(zPAR_FLAG_CLASSVAR));
        EXPECT_EQ(member->GetParent(), cls);
        EXPECT_EQ(member->GetOffset(), offsets[i]);
    }
    EXPECT_EQ(cls->GetOffset(), 28);

    // The member whose int names an instance.
    EXPECT_EQ(Sym("C_INFO.NPC")->declaredType, zPAR_TYPE_INSTANCE_INT);
    EXPECT_EQ(Sym("C_INFO.NR")->declaredType, zPAR_TYPE_INT);

    EXPECT_EQ(parser.CheckClassSize("c_x", 28), 1);
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_EQ(parser.CheckClassSize("C_X", 24), 0);
    EXPECT_TRUE(HasLine("Error: Class - size not compatible: C_X( CPP - size: 24, Script - size: 28 )"));
    EXPECT_EQ(parser.CheckClassSize("C_X.A", 4), 0);
    EXPECT_EQ(parser.CheckClassSize("NONE", 4), 0);
    EXPECT_EQ(host.GetErrorCount(), 1);
}

TEST_F(DeclarationTest, InstancesAndPrototypes)
{
    ASSERT_TRUE(Parse("CLASS C { VAR INT x; };\n"
                      "INSTANCE A, B (C);\n"
                      "PROTOTYPE P(C) { x = 1; };\n"
                      "INSTANCE D(P) { x = 2; };\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);
    for (const char* name : {"A", "B"}) {
        SCOPED_TRACE(name);
        zCPar_Symbol* instance = Sym(name);
        ASSERT_NE(instance, nullptr);
        EXPECT_EQ(instance->GetType(), zPAR_TYPE_INSTANCE);
        EXPECT_EQ(instance->declaredType, zPAR_TYPE_INSTANCE);
        EXPECT_EQ(instance->GetParent(), Sym("C"));
        EXPECT_FALSE(instance->HasFlag(zPAR_FLAG_CONST));
        EXPECT_EQ(instance->GetLine(), 2);
    }
    EXPECT_EQ(Sym("P")->GetType(), zPAR_TYPE_PROTOTYPE);
    EXPECT_EQ(Sym("P")->declaredType, zPAR_TYPE_PROTOTYPE);
    EXPECT_EQ(Sym("P")->GetParent(), Sym("C"));
    EXPECT_EQ(Sym("D")->GetParent(), Sym("P"));
    EXPECT_TRUE(Sym("D")->HasFlag(zPAR_FLAG_CONST));

    EXPECT_EQ(parser.GetBaseClass(Sym("D")), Index("C"));
    EXPECT_EQ(parser.GetBaseClass(Sym("P")), Index("C"));
    EXPECT_EQ(parser.GetBaseClass(Sym("C")), Index("C"));
    EXPECT_EQ(parser.GetBaseClass(nullptr), -1);
    // The help instance has no class.
    EXPECT_EQ(parser.GetBaseClass(parser.GetSymbolTable().GetSymbol(0)), -1);

    // Both start nodes stand before the one end; bodies are framed the same way.
    EXPECT_EQ(Kinds(), (std::vector<int>{EXP_PROTOTYPE, EXP_PROTOTYPE, EXP_END_BLOCK, EXP_END_PROTOTYPE,
                                         EXP_PROTOTYPE, EXP_LET, EXP_END_BLOCK, EXP_END_PROTOTYPE,
                                         EXP_PROTOTYPE, EXP_LET, EXP_END_BLOCK, EXP_END_PROTOTYPE}));
    const std::vector<zCPar_TreeNode*> chain = Chain();
    EXPECT_EQ(chain[0]->Name, "A");
    EXPECT_EQ(chain[0]->Value, Index("A"));
    EXPECT_EQ(chain[1]->Name, "B");
    EXPECT_EQ(chain[4]->Name, "P");
}

TEST_F(DeclarationTest, RepeatedInstanceIsMergedInMergeMode)
{
    const std::string text = "CLASS C { VAR INT x; };\n"
                             "INSTANCE I(C) { x = 1; };\n"
                             "INSTANCE I(C) { x = 2; };\n";
    parser.SetMergeMode(1);
    ASSERT_TRUE(Parse(text));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_TRUE(Sym("I")->HasFlag(zPAR_FLAG_MERGED));
    EXPECT_EQ(Sym("I")->GetLine(), 3);

    parser.Reset();
    parser.SetMergeMode(0);
    EXPECT_FALSE(Parse(text));
    EXPECT_TRUE(HasLine("\\T.D(3):   Error: Redefined identifier: I"));
}

TEST_F(DeclarationTest, FaultyDeclarationsAreReported)
{
    struct Row {
        const char* text;
        const char* message;
    };
    const Row rows[] = {
        {"CLASS C { VAR INT x; };\nPROTOTYPE 1P(C) {};", "(2):   Error: Syntax Error. First letter is a digit in prototype name: 1P"},
        {"CLASS C { VAR INT x; };\nINSTANCE 2I(C);", "(2):   Error: Syntax Error. First letter is a digit in instance name: 2I"},
        {"VAR INT v;\nINSTANCE I(V);", "(2):   Error: Not a valid class or prototype name: V"},
        {"PROTOTYPE P(NONE) {};", "(1):   Error: Not a valid class or prototype name: NONE"},
        {"VAR INT a;\nVAR FLOAT a;", "(2):   Error: Redefined identifier: A"},
        {"CLASS C { VAR INT x; VAR INT x; };", "(1):   Error: Redefined identifier: C.X"},
        {"FUNC VOID F() VAR INT x; };", "(1):   Error: Expected '{'"},
        {"FUNC VOID F() {\n VAR INT x;\n", "Error: Expected '}'"},
        {"CONST INT A[2] = 1;", "(1):   Error: Expected '{'"},
        {"CONST INT A[2] = {1 2};", "(1):   Error: Expected ','"},
        {"CONST INT A = ;", "(1):   Error: Syntax error: ;"},
        {"VAR INT a[2;", "(1):   Error: Expected ']'"},
        {"CONST FUNC P = NOPE;", "(1):   Error: Unknown identifier: NOPE"},
        {"INSTANCE I C;", "(1):   Error: Expected '('"},
        {"VAR NOTYPE x;", "(1):   Error: Syntax error: NOTYPE"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        parser.Reset();
        host.Clear();
        EXPECT_FALSE(Parse(row.text));
        EXPECT_TRUE(HasLine(row.message));
    }
}

TEST_F(DeclarationTest, ArraySizeMustFitTheSymbol)
{
    // The count has twelve bits in the compiled file: a larger one is refused, not wrapped.
    EXPECT_TRUE(Parse("VAR INT big[2048];\nVAR INT none[0];\nVAR INT most[2047];"));
    EXPECT_TRUE(HasLine("(1):   Error: Array size 2048 out of range (1 to 2047)."));
    EXPECT_TRUE(HasLine("(2):   Error: Array size 0 out of range (1 to 2047)."));
    EXPECT_EQ(parser.GetErrorCount(), 2);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol(zSTRING("BIG"))->GetElementCount(), 1);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol(zSTRING("MOST"))->GetElementCount(), 2047);
}

TEST_F(DeclarationTest, ParametersAreTakenOffTheStackInOrder)
{
    box.Write("system/RedefinedFunc.dsc", "INT Hlp_IsItem(INSTANCE,INT#)\n");
    box.Write("system/RedefinedLocalVariable.dsc", "INT# OtherNpc;\n");
    parser.GetRedefinitions().LoadRedefinitions("\\system\\");
    ASSERT_TRUE(Parse("CLASS C { VAR INT x; };\n"
                      "FUNC VOID F(VAR INT a, VAR FLOAT b, VAR STRING c, VAR FUNC d, VAR C e, VAR INT otherNpc) {\n"
                      " VAR INT othernpc2;\n};\n"
                      "FUNC VOID G() { VAR INT otherNpc; };\n"));
    EXPECT_EQ(host.GetErrorCount(), 0);

    zCPar_Symbol* function = Sym("F");
    EXPECT_EQ(function->GetElementCount(), 6);
    const char* names[] = {"F.A", "F.B", "F.C", "F.D", "F.E", "F.OTHERNPC"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Index(names[i]), Index("F") + 1 + i) << names[i];
    EXPECT_EQ(Sym("F.E")->GetParent(), Sym("C"));
    EXPECT_EQ(Sym("F.A")->declaredType, zPAR_TYPE_INT);
    EXPECT_EQ(Sym("F.OTHERNPC")->declaredType, zPAR_TYPE_INSTANCE_INT);
    EXPECT_EQ(Sym("F.OTHERNPC2")->declaredType, zPAR_TYPE_INT);
    EXPECT_EQ(Sym("G.OTHERNPC")->declaredType, zPAR_TYPE_INSTANCE_INT);

    const std::vector<zCPar_TreeNode*> chain = Chain();
    EXPECT_EQ(Kinds(), (std::vector<int>{EXP_FUNC, EXP_COMPOUND, EXP_LET, EXP_COMPOUND, EXP_LET_FLOAT, EXP_COMPOUND,
                                         EXP_LET_STRING, EXP_COMPOUND, EXP_LET_FUNC, EXP_INSTANCE, EXP_LET_INSTANCE,
                                         EXP_COMPOUND, EXP_LET, EXP_END_FUNC, EXP_FUNC, EXP_END_FUNC}));
    EXPECT_EQ(chain[0]->Name, "F");
    EXPECT_EQ(chain[0]->Value, Index("F"));
    const int baseTypes[] = {zPAR_TYPE_INT, zPAR_TYPE_FLOAT, zPAR_TYPE_STRING, zPAR_TYPE_FUNC, zPAR_TYPE_INSTANCE};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(chain[1 + 2 * i]->Name, names[i]);
        EXPECT_EQ(chain[1 + 2 * i]->BaseType, baseTypes[i]);
        EXPECT_EQ(chain[1 + 2 * i]->Value, 0);
    }
}

} // namespace
