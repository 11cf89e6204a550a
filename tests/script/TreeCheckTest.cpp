// The checks on statement chains and expression trees: types, conversions, the
// if-condition rules, call arguments, and how the error mode is switched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReporterCapture.h"
#include "zCParser.h"

namespace {

class TreeCheckTest : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        zCPar_File* record = parser.NewFileRecord("CHECK.D");
        record->SetText("\n");
        parser.StartReading(record);
        chainHead = new zCPar_TreeNode(EXP_EMPTY, 0, 0);
        tail = chainHead;

        Define("I", zPAR_TYPE_INT, 1);
        Define("ARR", zPAR_TYPE_INT, 3);
        Define("S", zPAR_TYPE_STRING, 1);
        Define("NPC", zPAR_TYPE_INSTANCE, 1);
        DefineFunction("GETNAME", zPAR_TYPE_STRING, {});
        DefineFunction("TAKEINT", zPAR_TYPE_VOID, {zPAR_TYPE_INT});
        DefineFunction("TAKENPCID", zPAR_TYPE_INT, {zPAR_TYPE_INSTANCE_INT});
    }
    void TearDown() override
    {
        delete chainHead;
        ReporterCapture::TearDown();
    }

    void Define(const char* name, int type, int count)
    {
        auto* symbol = new zCPar_Symbol;
        symbol->name = name;
        symbol->SetType(type);
        symbol->SetElementCount(count);
        symbol->declaredType = type;
        ASSERT_EQ(parser.GetSymbolTable().Insert(symbol), 1);
    }
    void DefineFunction(const std::string& name, int returnType, std::vector<int> parameters)
    {
        auto* function = new zCPar_Symbol;
        function->name = name.c_str();
        function->SetType(zPAR_TYPE_FUNC);
        function->declaredType = zPAR_TYPE_FUNC;
        function->SetFlag(zPAR_FLAG_CONST);
        if (returnType != zPAR_TYPE_VOID)
            function->SetFlag(zPAR_FLAG_RETURN);
        function->SetOffset(returnType);
        function->SetElementCount(static_cast<int>(parameters.size()));
        ASSERT_EQ(parser.GetSymbolTable().Insert(function), 1);
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            auto* parameter = new zCPar_Symbol;
            parameter->name = (name + ".PAR" + std::to_string(i)).c_str();
            parameter->SetType(parameters[i] & 15);
            parameter->declaredType = parameters[i];
            ASSERT_EQ(parser.GetSymbolTable().Insert(parameter), 1);
        }
    }

    static zCPar_TreeNode* Name(const char* name, int index = 0)
    {
        auto* node = new zCPar_TreeNode(EXP_COMPOUND, name, index, 1);
        node->BaseType = zPAR_TYPE_INT;
        return node;
    }
    static zCPar_TreeNode* Digit(int value) { return new zCPar_TreeNode(EXP_DIGIT, value, 1); }
    static zCPar_TreeNode* Text(const char* text) { return new zCPar_TreeNode(EXP_STRING, text, 0, 1); }
    static zCPar_TreeNode* Op(int kind, zCPar_TreeNode* left, zCPar_TreeNode* right)
    {
        auto* node = new zCPar_TreeNode(kind, 0, 1);
        node->Left = left;
        node->Right = right;
        return node;
    }
    zCPar_TreeNode* Call(const char* function, std::vector<zCPar_TreeNode*> arguments)
    {
        auto* holder = new zCPar_TreeNode(EXP_EMPTY, 0, 1);
        zCPar_TreeNode* last = nullptr;
        for (zCPar_TreeNode* argument : arguments) {
            argument->Insert(last);
            if (!holder->Right)
                holder->Right = argument;
        }
        CallNode(function)->Insert(last);
        if (!holder->Right)
            holder->Right = last;
        return holder;
    }
    // The node that ends a call; at statement level its arguments stand before it.
    zCPar_TreeNode* CallNode(const char* function)
    {
        return new zCPar_TreeNode(EXP_ENTRY_INSTANCE, function, parser.GetSymbolTable().GetIndex(zSTRING(function)), 1);
    }
    // Appends a statement node to the chain and checks from it.
    int Append(zCPar_TreeNode* node)
    {
        node->Insert(tail);
        return parser.CheckTree(tail);
    }

    zCParser parser;
    zCPar_TreeNode* chainHead = nullptr;
    zCPar_TreeNode* tail = nullptr;
};

TEST_F(TreeCheckTest, CleanStatementsPass)
{
    EXPECT_EQ(Append(Op(EXP_LET, Name("I"), Op(EXP_PLUS, Name("I"), Digit(1)))), 1);
    EXPECT_EQ(Append(Op(EXP_PLUS_EQUAL, Name("ARR", 2), Op(EXP_MULT, Digit(2), Op(EXP_XOR, nullptr, Name("I"))))), 1);
    // An int that carries an instance takes one; "NULL" is an instance.
    auto* withNpc = Call("TAKENPCID", {new zCPar_TreeNode(EXP_INSTANCE, "NPC", 0, 1)});
    EXPECT_EQ(Append(Op(EXP_LET, Name("I"), Op(EXP_PLUS, withNpc, Digit(0)))), 1);
    EXPECT_EQ(parser.GetErrorCount(), 0);
    EXPECT_EQ(parser.GetErrorMode(), zPAR_ERROR_FATAL);
}

TEST_F(TreeCheckTest, EachFaultIsCountedWithItsText)
{
    struct Case {
        const char* what;
        std::vector<zCPar_TreeNode*> statement;  // appended in order, checked from the last
        std::string text;
    };
    std::vector<Case> cases;
    cases.push_back({"string into int", {Op(EXP_LET, Name("I"), Text("x"))},
                     "CHECK.D(1):   Error: Cannot convert from type string to int"});
    cases.push_back({"comparison as a statement", {Op(EXP_BELOW, Name("I"), Digit(2))},
                     "Comparison is possible only in 'if' expression"});
    cases.push_back({"assignment as a condition",
                     {Op(EXP_LET, Name("I"), Digit(1)), new zCPar_TreeNode(EXP_IF, 0, 1)},
                     "Cannot assignment in 'if' expression"});
    cases.push_back({"string call as a condition", {Call("GETNAME", {}), new zCPar_TreeNode(EXP_IF, 0, 1)},
                     "Function GETNAME in 'if' expression should return type INT"});
    cases.push_back({"not of a string", {Op(EXP_LET, Name("I"), Op(EXP_NOT, nullptr, Name("S")))},
                     "Wrong type in '!' expression"});
    cases.push_back({"argument type", {Text("no"), CallNode("TAKEINT")},
                     "Function 'TAKEINT': Argument 1: Cannot convert from type string to int"});
    cases.push_back({"unknown name", {Op(EXP_LET, Name("I"), Name("NOSUCH"))}, "Unknown identifier: NOSUCH"});
    cases.push_back({"bare value", {Digit(5)}, "Unexpected return"});
    cases.push_back({"node of no statement", {new zCPar_TreeNode(EXP_DATA, 0, 1)}, "Unhandled expression: EXP_DATA"});

    int expected = 0;
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (zCPar_TreeNode* node : c.statement)
            node->Insert(tail);
        EXPECT_EQ(parser.CheckTree(tail), 0);
        EXPECT_TRUE(HasLine(c.text)) << c.text;
        EXPECT_EQ(parser.GetErrorCount(), ++expected);
        EXPECT_EQ(parser.GetErrorMode(), zPAR_ERROR_FATAL);
    }
}

TEST_F(TreeCheckTest, AWalkReportsOnceAndNeverGoesBackOverIt)
{
    // Two faults in one statement: one report.
    EXPECT_EQ(Append(Op(EXP_LET, Name("I"), Op(EXP_PLUS, Text("a"), Text("b")))), 0);
    EXPECT_EQ(parser.GetErrorCount(), 1);
    // The next statement is clean: the walk stops where the failed one began.
    EXPECT_EQ(Append(Op(EXP_LET, Name("I"), Digit(3))), 1);
    EXPECT_EQ(parser.GetErrorCount(), 1);
}

TEST_F(TreeCheckTest, LeafChecksAndBoundsAreCountedWithoutEndingTheBuild)
{
    zCPar_TreeNode leaf;
    parser.SetLeafType("NULL", &leaf);
    EXPECT_EQ(leaf.Type, zPAR_TYPE_INSTANCE);
    parser.SetLeafType("NOSUCH", &leaf);
    EXPECT_EQ(leaf.Type, -2);
    parser.SetLeafType("S", &leaf);
    EXPECT_EQ(leaf.Type, zPAR_TYPE_STRING);

    parser.CheckArrayIndex("ARR", 2);
    EXPECT_EQ(parser.GetErrorCount(), 0);
    parser.CheckArrayIndex("ARR", 3);
    EXPECT_TRUE(HasLine("CHECK.D(1):   Error: Index = 3 out of bounds array 'ARR'."));
    EXPECT_EQ(parser.GetErrorCount(), 1);
    EXPECT_EQ(parser.GetErrorMode(), zPAR_ERROR_FATAL);
}

TEST_F(TreeCheckTest, DeferredChecksRunOnceWithTheirFile)
{
    auto* fault = Op(EXP_BELOW, Name("I"), Digit(1));
    fault->Insert(tail);
    parser.AddDeferredCheck(tail);
    parser.RunDeferredChecks();
    EXPECT_TRUE(HasLine("CHECK.D(1):   Error: Comparison is possible only in 'if' expression"));
    parser.RunDeferredChecks();
    EXPECT_EQ(parser.GetErrorCount(), 1);
}

} // namespace
