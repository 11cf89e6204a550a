#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "ParserTextFixture.h"

namespace {

class ExpressionTest : public ParserTextFixture {
protected:
    // The expression at the start of the text; token then holds the one after it.
    std::unique_ptr<zCPar_TreeNode> Read(const std::string& text)
    {
        Feed(text);
        token = parser->ReadToken();
        return std::unique_ptr<zCPar_TreeNode>(parser->ReadExpression(token, -1));
    }

    // An expression ends at a token that is no operator, as in a statement.
    int Fold(const std::string& text)
    {
        auto tree = Read(text + ";");
        return parser->EvalConst(tree.get(), 0);
    }

    static int IntAt(const zCPar_Symbol* symbol, int index)
    {
        int value = 0;
        symbol->GetValue(value, index);
        return value;
    }

    int token = -1;
};

TEST_F(ExpressionTest, PrecedenceTable)
{
    const int expected[34] = {10, 10, 11, 11, 11, 4, 6, 8, 8, 0, -1, 2, 3, 9, 9, 8, 7,
                              7,  8,  0,  0,  0,  0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0};
    for (int code = 0; code < 34; ++code)
        EXPECT_EQ(zCParser::GetPrecedence(code), expected[code]) << code;
    EXPECT_EQ(zCParser::GetPrecedence(34), -1);
    EXPECT_EQ(zCParser::GetPrecedence(92), -1);
    EXPECT_EQ(zCParser::GetPrecedence(-1), -1);
}

TEST_F(ExpressionTest, FoldsIntegerConstants)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"1 + 2 * 3", 7},
        {"(1 + 2) * 3", 9},
        {"7 / -2", -3},
        {"-7 % 3", -1},
        {"7 % -3", 1},
        {"1 << 33", 2},
        {"1 << -1", INT_MIN},  // the count is taken modulo 32
        {"-8 >> 1", -4},
        {"-1 >> 40", -1},
        {"10 - 3 - 2", 5},  // left grouping
        {"64 / 4 / 2", 8},
        {"6 | 1 & 3", 7},
        {"1 < 2 == 1", 1},
        {"2 <= 2", 1},
        {"2 >= 3", 0},
        {"2 > 3", 0},
        {"2 != 3", 1},
        {"0 || 0", 0},
        {"3 && 0 || 2", 1},
        {"!0 + !5", 1},
        {"~0", -1},
        {"+4", 4},
        {"-2 * 3", -6},
        {"-(2 + 3)", -5},
        {"- 2147483648", INT_MIN},
        {"2147483647 + 1", INT_MIN},  // wraps instead of overflowing
        {"65536 * 65536", 0},
        {"INT_MIN_VALUE - 1", INT_MAX},
        {"INT_MIN_VALUE % -1", 0},
        {"99999999999", 1215752191},  // decimal conversion modulo 2^32
    };
    zCPar_Symbol* minimum = Symbol(AddSymbol("INT_MIN_VALUE", zPAR_TYPE_INT, nullptr, 1, zPAR_FLAG_CONST));
    minimum->SetValue(INT_MIN);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Fold(c.text), c.value);
    }
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ExpressionTest, ConstantTimesTwo)
{
    Symbol(AddSymbol("LIMIT", zPAR_TYPE_INT, nullptr, 1, zPAR_FLAG_CONST))->SetValue(21);
    EXPECT_EQ(Fold("limit * 2"), 42);
    EXPECT_EQ(token, 42);  // ";" follows
}

TEST_F(ExpressionTest, AssignmentsWriteTheStoredValue)
{
    zCPar_Symbol* value = Symbol(AddSymbol("V", zPAR_TYPE_INT));
    zCPar_Symbol* table = Symbol(AddSymbol("TABLE", zPAR_TYPE_INT, nullptr, 4));
    EXPECT_EQ(Fold("v = 5"), 5);
    EXPECT_EQ(Fold("v += 3"), 8);
    EXPECT_EQ(Fold("v -= 10"), -2);
    EXPECT_EQ(Fold("v *= 6"), -12);
    EXPECT_EQ(Fold("v /= 5"), -2);
    EXPECT_EQ(IntAt(value, 0), -2);
    EXPECT_EQ(Fold("table[2] = v * 3"), -6);
    EXPECT_EQ(IntAt(table, 2), -6);
    EXPECT_EQ(IntAt(table, 0), 0);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ExpressionTest, TreeShape)
{
    auto indexed = Read("a[3];");
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->TypeExp, EXP_COMPOUND);
    EXPECT_EQ(indexed->Name, "A");
    EXPECT_EQ(indexed->Value, 3);
    EXPECT_EQ(indexed->BaseType, 2);
    EXPECT_EQ(token, 42);

    // A unary operator takes one leaf only.
    auto negated = Read("-a * b;");
    ASSERT_TRUE(negated);
    EXPECT_EQ(negated->TypeExp, EXP_MULT);
    ASSERT_TRUE(negated->Left);
    EXPECT_EQ(negated->Left->TypeExp, EXP_XOR);
    EXPECT_EQ(negated->Left->Left, nullptr);
    EXPECT_EQ(negated->Left->Right->Name, "A");
    EXPECT_EQ(negated->Right->Name, "B");

    auto notted = Read("!a == b;");
    ASSERT_TRUE(notted);
    EXPECT_EQ(notted->TypeExp, EXP_EQUAL);
    EXPECT_EQ(notted->Left->TypeExp, EXP_EQUAL_NULL);

    auto chain = Read("a - b - c)");
    ASSERT_TRUE(chain);
    EXPECT_EQ(chain->TypeExp, EXP_MINUS);
    EXPECT_EQ(chain->Left->TypeExp, EXP_MINUS);
    EXPECT_EQ(chain->Right->Name, "C");
    EXPECT_EQ(token, 41);

    auto literal = Read("\n\n12;");
    ASSERT_TRUE(literal);
    EXPECT_EQ(literal->TypeExp, EXP_DIGIT);
    EXPECT_EQ(literal->Value, 12);
    EXPECT_EQ(literal->Type, 2);
    EXPECT_EQ(literal->line, 3);
}

TEST_F(ExpressionTest, CallLeafIsCallNode)
{
    // The call reader fills the node; here it only has to be made.
    AddSymbol("F", zPAR_TYPE_FUNC, nullptr, 0, zPAR_FLAG_CONST);
    Feed("f();");
    token = parser->ReadToken();
    ASSERT_EQ(token, 92);
    std::unique_ptr<zCPar_TreeNode> call(parser->ReadLeaf(token));
    ASSERT_TRUE(call);
    EXPECT_EQ(call->TypeExp, EXP_EMPTY);
}

TEST_F(ExpressionTest, NewNodeLinksAfterPrevious)
{
    Feed("\n\nx");
    zSTRING word;
    parser->ReadWord(word);
    std::unique_ptr<zCPar_TreeNode> head(parser->NewNode(EXP_EMPTY, nullptr));
    zCPar_TreeNode* next = parser->NewNode(EXP_IF, head.get());
    EXPECT_EQ(head->Next, next);
    EXPECT_EQ(next->Prev, head.get());
    EXPECT_EQ(next->TypeExp, EXP_IF);
    EXPECT_EQ(next->Value, 0);
    EXPECT_EQ(next->line, 3);
}

struct ErrorCase {
    const char* text;
    bool fold;
    const char* message;
};

TEST_F(ExpressionTest, ErrorsAreFatalWithClearText)
{
    AddSymbol("V", zPAR_TYPE_INT);
    const std::string deep(600, '(');
    const ErrorCase cases[] = {
        {"a = b = 1;", false, "Assignment: Left operand is not a lvalue"},
        {"(a + b) = 1;", false, "Assignment: Left operand is not a lvalue"},
        {"a[3) + 1;", false, "Expected ']'"},
        {"(1 + 2;", false, "Expected ')'"},
        {"1 + ;", false, "Syntax error: ;"},
        {"a ! b;", false, "Syntax error: !"},
        {"x = 1 +", false, "Unexpected end of file."},
        {"1 / 0", true, "Division by zero in constant expression."},
        {"1 % (2 - 2)", true, "Remainder by zero in constant expression."},
        {"v /= 0", true, "Division by zero in constant expression."},
        {"-2147483648 / -1", true, "Integer overflow in constant expression: -2147483648 / -1."},
        {"nothing + 1", true, "Unknown identifier: NOTHING"},
        {deep.c_str(), false, "Expression nested too deeply."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        host.Clear();
        if (c.fold)
            EXPECT_THROW(Fold(c.text), zTFatalAbort);
        else
            EXPECT_THROW(Read(c.text), zTFatalAbort);
        ASSERT_FALSE(Texts().empty());
        EXPECT_PRED2(Contains, Texts()[0], c.message);
    }
}

TEST_F(ExpressionTest, LongChainStopsAtDepthLimit)
{
    std::string sum = "1";
    for (int i = 0; i < 600; ++i)
        sum += "+1";
    EXPECT_THROW(Read(sum), zTFatalAbort);
    ASSERT_FALSE(Texts().empty());
    EXPECT_PRED2(Contains, Texts()[0], "Expression nested too deeply.");
    host.Clear();
    sum.resize(2 * 400 + 1);
    EXPECT_EQ(Fold(sum), 401);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(ExpressionTest, EndOfTextGivesOneErrorInCountedMode)
{
    parser->SetErrorMode(zPAR_ERROR_COUNTED);
    auto tree = Read("x = 1 +");
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_PRED2(Contains, Texts()[0], "Unexpected end of file.");
}

TEST_F(ExpressionTest, FloatValues)
{
    const struct {
        const char* text;
        float value;
    } cases[] = {{"1.5", 1.5f}, {"- 2.25", -2.25f}, {"+3", 3.0f}, {"2.5E - 1", 0.25f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Feed(c.text);
        std::unique_ptr<zCPar_TreeNode> node(parser->ReadFloatValue());
        ASSERT_TRUE(node);
        EXPECT_EQ(node->TypeExp, EXP_DIGIT);
        EXPECT_EQ(node->BaseType, 1);
        EXPECT_EQ(node->Type, 1);
        float value = 0;
        std::memcpy(&value, &node->Value, sizeof(value));
        EXPECT_FLOAT_EQ(value, c.value);
    }

    AddSymbol("SPEED", zPAR_TYPE_FLOAT, nullptr, 4);
    Feed("speed[2] ,");
    std::unique_ptr<zCPar_TreeNode> name(parser->ReadFloatValue());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->TypeExp, EXP_COMPOUND);
    EXPECT_EQ(name->Name, "SPEED");
    EXPECT_EQ(name->Value, 2);
    EXPECT_EQ(name->BaseType, 1);
    zSTRING word;
    parser->ReadWord(word);
    EXPECT_EQ(word, ",");
    EXPECT_TRUE(Texts().empty());

    // No float arithmetic: the sign before a name cannot be kept.
    Feed("-speed");
    EXPECT_THROW(parser->ReadFloatValue(), zTFatalAbort);
    ASSERT_FALSE(Texts().empty());
    EXPECT_PRED2(Contains, Texts()[0], "Syntax error: -SPEED");
}

TEST_F(ExpressionTest, StringValues)
{
    Feed("\"Hello World\" name )");
    std::unique_ptr<zCPar_TreeNode> literal(parser->ReadStringValue());
    ASSERT_TRUE(literal);
    EXPECT_EQ(literal->TypeExp, EXP_STRING);
    EXPECT_EQ(literal->Name, "Hello World");
    EXPECT_EQ(literal->BaseType, 3);
    EXPECT_EQ(literal->Type, 3);

    std::unique_ptr<zCPar_TreeNode> name(parser->ReadStringValue());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->TypeExp, EXP_COMPOUND);
    EXPECT_EQ(name->Name, "NAME");
    EXPECT_EQ(name->BaseType, 3);
    EXPECT_EQ(name->Value, 0);

    EXPECT_THROW(parser->ReadStringValue(), zTFatalAbort);
    ASSERT_FALSE(Texts().empty());
    EXPECT_PRED2(Contains, Texts()[0], "Syntax error: )");
}

} // namespace
