// The code stack, the opcode table and the code generator: the bytes each kind of
// node becomes, the constants of string literals, and the preludes of instance bodies.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "ParserCodeFixture.h"
#include "zCParOpcodes.h"
#include "zCPar_Stack.h"

namespace {

TEST(ParserStackTest, GrowsByDoublingAndKeepsOffsets)
{
    zCPar_Stack stack(zCParser::kCodeStackSize);
    for (int i = 0; i < 64000; ++i)
        stack.PushByte(static_cast<unsigned char>(i & 0xFF));
    stack.SetPopPos(1000);
    EXPECT_EQ(stack.GetCapacity(), 64000u);

    stack.PushByte(0xAB);
    EXPECT_EQ(stack.GetCapacity(), 128000u);
    EXPECT_EQ(stack.GetDynSize(), 64001);
    EXPECT_EQ(stack.GetPopPos(), 1000);
    EXPECT_EQ(stack.PopByte(), 1000 & 0xFF);
    EXPECT_EQ(stack.GetByteAt(63999), 63999 & 0xFF);
    EXPECT_EQ(stack.GetByteAt(64000), 0xAB);

    // An int that straddles the old end, and growth well beyond the second size.
    for (int i = 0; i < 40000; ++i)
        stack.PushInt(i);
    EXPECT_EQ(stack.GetCapacity(), 256000u);
    stack.SetPopPos(64001 + 4 * 39999);
    EXPECT_EQ(stack.PopInt(), 39999);
}

TEST(ParserStackTest, IntsAreLittleEndianUnalignedAndReadsStayInside)
{
    zCPar_Stack stack(16);
    stack.PushByte(1);
    stack.PushInt(0x11223344);
    EXPECT_EQ(stack.GetByteAt(1), 0x44);
    EXPECT_EQ(stack.GetByteAt(4), 0x11);
    stack.Set(1, -2);
    stack.SetPopPos(1);
    EXPECT_EQ(stack.PeekByte(), 0xFE);
    EXPECT_EQ(stack.GetPopPos(), 1);
    EXPECT_EQ(stack.PopInt(), -2);

    // Patches and reads outside the written code change and give nothing.
    stack.Set(3, 0x7777);
    stack.Set(-1, 0x7777);
    EXPECT_EQ(stack.GetByteAt(3), 0xFF);
    EXPECT_FALSE(stack.CanRead(1));
    EXPECT_EQ(stack.PopByte(), 0);
    EXPECT_EQ(stack.GetByteAt(-5), 0);
    EXPECT_EQ(stack.GetByteAt(100), 0);

    stack.Clear();
    EXPECT_EQ(stack.GetDynSize(), 0);
    EXPECT_EQ(stack.GetPopPos(), 6);
}

TEST(ParserStackTest, GrowthNeverWrapsRound)
{
    zCPar_Stack stack(16);
    stack.PushInt(5);
    EXPECT_THROW(stack.CheckOverflow(INT_MAX), std::length_error);
    EXPECT_EQ(stack.GetCapacity(), 16u);
    EXPECT_EQ(stack.GetDynSize(), 4);

    // A stack loaded empty has no buffer and still grows.
    zCPar_Stack empty(0);
    empty.PushInt(7);
    EXPECT_EQ(empty.GetDynSize(), 4);
    EXPECT_EQ(empty.GetByteAt(0), 7);
}

TEST(OpcodeTableTest, NamesOperandsAndEmptyEntries)
{
    const struct {
        int opcode;
        const char* name;
        int operand;
    } rows[] = {
        {0, "+ ", 0},          {5, "| ", 0},          {9, "=\n", 0},          {11, "|| ", 0},
        {22, "/= ", 0},        {30, "E_OPER ", 0},    {31, "^", 0},           {60, "E_END ", 0},
        {61, "E_ENTRY ", 4},   {62, "E_EXT_FUNC ", 4}, {64, "E_DT ", 4},       {65, "E_RF ", 4},
        {67, "E_INSTANCE ", 4}, {70, "E_STR\n", 0},   {71, "E_71 ", 4},       {74, "E_74\n", 0},
        {75, "\nE_ELSE ", 4},  {76, "E_IF ", 4},      {80, "E_SET_INSTANCE ", 4}, {245, "E_ARRAY ", 5},
        {10, "", 0},           {63, "", 0},           {244, "", 0},           {255, "", 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(GetOpcodeName(row.opcode), row.name) << row.opcode;
        EXPECT_EQ(GetOpcodeOperandSize(row.opcode), row.operand) << row.opcode;
    }
    int named = 0;
    for (int opcode = 0; opcode < 256; ++opcode)
        named += GetOpcodeName(opcode).empty() ? 0 : 1;
    EXPECT_EQ(named, 41);
}

class ByteCodeTest : public ParserCodeFixture {
protected:
    void SetUp() override
    {
        ParserCodeFixture::SetUp();
        npcClass = DefineClass("C_NPC", {{"LEVEL", zPAR_TYPE_INT, 1}, {"NAME", zPAR_TYPE_STRING, 1}});
        Define("X", zPAR_TYPE_INT);
        Define("Y", zPAR_TYPE_INT);
        Define("S", zPAR_TYPE_STRING);
        Define("ARR", zPAR_TYPE_INT, 4);
        Define("BIG", zPAR_TYPE_INT, 400);
        proto = Define("PC_PROTO", zPAR_TYPE_PROTOTYPE, 0, npcClass);
        Define("HERO", zPAR_TYPE_INSTANCE, 1, proto);
        itemClass = DefineClass("C_ITEM", {{"VALUE", zPAR_TYPE_INT, 1}});
        Define("SWORD", zPAR_TYPE_INSTANCE, 1, itemClass);
        DefineFunction("EXT", zPAR_FLAG_CONST | zPAR_FLAG_EXTERNAL);
        DefineFunction("F")->SetContent(123);
    }

    // The code of one statement node on an empty stack.
    std::vector<int> EmitOne(zCPar_TreeNode* node)
    {
        parser.GetCodeStack().Clear();
        host.Clear();
        parser.EmitCode(node);
        delete node;
        return Code();
    }

    zCPar_Symbol* npcClass = nullptr;
    zCPar_Symbol* itemClass = nullptr;
    zCPar_Symbol* proto = nullptr;
};

TEST_F(ByteCodeTest, NameOperandsByElementIndex)
{
    const int arr = Index("ARR");
    const int big = Index("BIG");
    const struct {
        const char* name;
        int element;
        std::vector<int> code;
        const char* error;
    } cases[] = {
        {"X", 0, CodeBytes().Op(65, Index("X")).bytes, nullptr},
        {"ARR", 3, CodeBytes().Op(245, arr).Byte(3).bytes, nullptr},
        {"ARR", 4, CodeBytes().Op(245, arr).Byte(4).bytes, "Error: Array-Index out of Range : ARR [4]"},
        {"ARR", -1, CodeBytes().Op(65, arr).bytes, "Error: Array-Index out of Range : ARR [-1]"},
        {"BIG", 255, CodeBytes().Op(245, big).Byte(255).bytes, nullptr},
        // The byte would address element 44: refused, not truncated silently.
        {"BIG", 300, CodeBytes().Op(245, big).Byte(44).bytes,
         "Error: Array-Index too large for the byte code (255 at most): BIG [300]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "[" + std::to_string(c.element) + "]");
        EXPECT_EQ(EmitOne(Name(c.name, zPAR_TYPE_INT, c.element)), c.code);
        if (c.error)
            EXPECT_EQ(Texts(), std::vector<std::string>{c.error});
        else
            EXPECT_TRUE(Texts().empty());
    }
}

TEST_F(ByteCodeTest, OperandsComeRightBeforeLeft)
{
    const int x = Index("X");
    const int y = Index("Y");
    EXPECT_EQ(EmitOne(Op(EXP_LET, Name("X"), Digit(1))), CodeBytes().Op(64, 1).Op(65, x).Op(EXP_LET).bytes);
    EXPECT_EQ(EmitOne(Op(EXP_PLUS_EQUAL, Name("X"), Op(EXP_MINUS, Name("Y"), Digit(2)))),
              CodeBytes().Op(64, 2).Op(65, y).Op(EXP_MINUS).Op(65, x).Op(EXP_PLUS_EQUAL).bytes);
    EXPECT_EQ(EmitOne(Op(EXP_XOR, nullptr, Name("X"))), CodeBytes().Op(65, x).Op(EXP_XOR).bytes);
}

TEST_F(ByteCodeTest, TypedOperandsOfInstancesAndWrongTypes)
{
    const int hero = Index("HERO");
    EXPECT_EQ(EmitOne(Name("HERO", zPAR_TYPE_INT)), CodeBytes().Op(64, hero).bytes);
    EXPECT_EQ(EmitOne(Name("PC_PROTO", zPAR_TYPE_INT)), CodeBytes().Op(64, Index("PC_PROTO")).bytes);
    EXPECT_EQ(EmitOne(Name("HERO", zPAR_TYPE_FUNC)), CodeBytes().Op(65, hero).bytes);
    EXPECT_EQ(EmitOne(Name("S", zPAR_TYPE_STRING)), CodeBytes().Op(65, Index("S")).bytes);

    EXPECT_TRUE(EmitOne(Name("S", zPAR_TYPE_INT)).empty());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: Wrong type: S"});
    EXPECT_TRUE(EmitOne(Name("NOPE")).empty());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: Unknown identifier: NOPE"});
}

TEST_F(ByteCodeTest, AnErrorInAnOperandEndsTheStatement)
{
    zCPar_TreeNode* head = Chain({Op(EXP_LET, Name("NOPE"), Digit(1)), Digit(2)});
    EXPECT_EQ(parser.EmitCode(head), head->Next);
    EXPECT_EQ(parser.EmitCode(head->Next), nullptr);
    EXPECT_EQ(Code(), CodeBytes().Op(64, 1).bytes);

    // The next statement starts afresh.
    EXPECT_EQ(parser.EmitCode(head->Next->Next), nullptr);
    EXPECT_EQ(Code(), CodeBytes().Op(64, 1).Op(64, 2).bytes);
    delete head;
}

TEST_F(ByteCodeTest, CallsOfScriptAndEngineFunctions)
{
    const int x = Index("X");
    EXPECT_EQ(EmitOne(Node(EXP_ENTRY_INSTANCE, "EXT")), CodeBytes().Op(62, Index("EXT")).bytes);
    EXPECT_EQ(EmitOne(Node(EXP_ENTRY_INSTANCE, "F")), CodeBytes().Op(61, 123).bytes);

    // Inside an expression the holder's arguments and call land where the value is needed.
    EXPECT_EQ(EmitOne(Op(EXP_LET, Name("X"), CallIn("F", {Digit(1), Name("Y")}))),
              CodeBytes().Op(64, 1).Op(65, Index("Y")).Op(61, 123).Op(65, x).Op(EXP_LET).bytes);
    EXPECT_EQ(EmitOne(Op(EXP_PLUS, CallIn("F", {}), CallIn("EXT", {Digit(7)}))),
              CodeBytes().Op(64, 7).Op(62, Index("EXT")).Op(61, 123).Op(EXP_PLUS).bytes);

    EXPECT_TRUE(EmitOne(Node(EXP_ENTRY_INSTANCE, "NOPE")).empty());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: Undefined function: NOPE"});
}

TEST_F(ByteCodeTest, InstanceOperandsAndTheirClass)
{
    const int npc = Index("C_NPC");
    EXPECT_EQ(EmitOne(Instance("NULL", npc)), CodeBytes().Op(67, 0).bytes);
    // Through the prototype to the class.
    EXPECT_EQ(EmitOne(Instance("HERO", npc)), CodeBytes().Op(67, Index("HERO")).bytes);
    EXPECT_EQ(EmitOne(Instance("SWORD")), CodeBytes().Op(67, Index("SWORD")).bytes);
    EXPECT_TRUE(Texts().empty());

    const struct {
        zCPar_TreeNode* node;
        const char* error;
    } refused[] = {
        {Instance("SWORD", npc), "Error: Expected C_NPC"},
        {Instance("SWORD", 9999), "Error: Wrong type: SWORD"},
        {Instance("X"), "Error: Wrong type: X"},
        {Instance("NOBODY"), "Error: Unknown identifier: NOBODY"},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(EmitOne(r.node), std::vector<int>{67}) << r.error;
        EXPECT_EQ(Texts(), std::vector<std::string>{r.error});
    }
}

TEST_F(ByteCodeTest, FunctionReferences)
{
    EXPECT_EQ(EmitOne(Node(EXP_ASSIGN_FUNC, "F")), CodeBytes().Op(64, Index("F")).bytes);
    EXPECT_EQ(EmitOne(Node(EXP_ASSIGN_FUNC, "HERO")), CodeBytes().Op(64, Index("HERO")).bytes);
    EXPECT_EQ(EmitOne(Node(EXP_ASSIGN_FUNC, "X")), std::vector<int>{64});
    EXPECT_EQ(Texts(), std::vector<std::string>{"Error: Wrong type: X"});
}

TEST_F(ByteCodeTest, OneByteKindsAndUnknownKinds)
{
    for (int kind : {EXP_END_BLOCK, EXP_LET_STRING, EXP_LET_FUNC, EXP_LET_FLOAT, EXP_LET_INSTANCE, EXP_EQUAL_NULL})
        EXPECT_EQ(EmitOne(Node(kind)), std::vector<int>{kind});
    EXPECT_TRUE(EmitOne(Node(EXP_EMPTY)).empty());
    EXPECT_EQ(EmitOne(Node(EXP_END_FUNC)), std::vector<int>{60});

    // Reported, and the emission goes on.
    zCPar_TreeNode* head = Chain({Node(EXP_ERROR), Digit(3)});
    EXPECT_EQ(parser.EmitCode(head->Next), head->Next->Next);
    EXPECT_TRUE(HasLine("Error: Push on Stack."));
    delete head;
}

TEST_F(ByteCodeTest, StringLiteralsBecomeNumberedConstants)
{
    const int first = parser.GetSymbolTable().GetNumInList();
    parser.GetCodeStack().Clear();
    zCPar_TreeNode* head = Chain({Text("Hello World"), Text("")});
    for (zCPar_TreeNode* node = head; node;)
        node = parser.EmitCode(node);
    delete head;
    EXPECT_EQ(Code(), CodeBytes().Op(65, first).Op(65, first + 1).bytes);

    const zCPar_Symbol* hello = parser.GetSymbolTable().GetSymbol(first);
    ASSERT_NE(hello, nullptr);
    EXPECT_EQ(hello->name, "\xFF" "10000");
    EXPECT_EQ(hello->GetType(), zPAR_TYPE_STRING);
    EXPECT_EQ(hello->GetElementCount(), 1);
    EXPECT_TRUE(hello->HasFlag(zPAR_FLAG_CONST));
    EXPECT_EQ(hello->declaredType, zPAR_TYPE_STRING);
    zSTRING value;
    hello->GetValue(value);
    EXPECT_EQ(value, "Hello World");
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol(first + 1)->name, "\xFF" "10001");
    EXPECT_EQ(parser.GetStringLiteralCounter(), 10002);

    // Every reset starts the numbers again; a name already taken is passed over.
    parser.Reset();
    EXPECT_EQ(parser.GetStringLiteralCounter(), 10000);
    EXPECT_EQ(parser.GetCodeStack().GetDynSize(), 0);
    Define("\xFF" "10000", zPAR_TYPE_INT);
    EXPECT_EQ(EmitOne(Text("again")), CodeBytes().Op(65, 2).bytes);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol(2)->name, "\xFF" "10001");
}

} // namespace
