// The decompiler's statement writer: the text of each construct, and that the text
// compiles back to the same byte code.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DecompileTestAccess.h"
#include "FixtureProject.h"
#include "IdeServices.h"
#include "JobGlobals.h"
#include "JobGlobalsSnapshot.h"
#include "SymbolFileFixture.h"
#include "zCCSLib.h"
#include "zCCSManager.h"
#include "zCParOpcodes.h"
#include "zCParser.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"

namespace {

const char* const kPrelude = R"(
CLASS C_NPC
{
	VAR INT id;
	VAR STRING name[2];
	VAR INT attribute[4];
	VAR INT level;
	VAR FUNC daily_routine;
};
CLASS C_INFO
{
	VAR INT npc;
	VAR STRING description;
};
CLASS C_SVM
{
	VAR STRING Hello;
};
CONST INT TRUE = 1;
CONST INT ATR_HITPOINTS = 0;
CONST INT ATR_HITPOINTS_MAX = 1;
CONST INT ATR_MANA = 2;
VAR INT counter;
VAR FLOAT speed;
VAR INT table[3];
VAR STRING text;
VAR FUNC callback;
VAR C_NPC self;
VAR C_NPC other;
VAR C_NPC hero;
FUNC INT Add(VAR INT a, VAR INT b)
{
	return a + b;
};
FUNC VOID Rtn_Start()
{
};
PROTOTYPE Npc_Default(C_NPC)
{
	level = 1;
};
INSTANCE PC_Hero(Npc_Default)
{
	id = 1;
};
INSTANCE Te(C_NPC);
)";

// One body: its declaration head and locals, its statements and their expected text
// (one tab deep, as in a declaration).
struct Snippet {
    const char* title;
    const char* head;
    const char* locals;
    const char* body;
    const char* expected;
};

std::string Source(const Snippet& snippet, const std::string& body)
{
    return std::string(snippet.head) + "\n{\n" + snippet.locals + body + "};\n";
}

class DecompileCodeTest : public SymbolFileFixture {
protected:
    void SetUp() override
    {
        SymbolFileFixture::SetUp();
        host.GetSettings().BuildJobThread = 1;
        // The name base learns the sources' spellings, as a real decompile has them.
        g_saveNameBase = 1;
        g_insertSpace = 1;
        g_platform = zPLATFORM_FIRST_GAME;
    }

    static void DefineExternals(zCParser& parser)
    {
        DefineFixtureExternals(parser);
        parser.DefineExternal("Npc_HasItems", 0x65D300, zPAR_TYPE_INT, {zPAR_TYPE_INSTANCE, zPAR_TYPE_INT});
        parser.DefineExternal("Npc_SetSpeed", 0x65D340, zPAR_TYPE_VOID, {zPAR_TYPE_INSTANCE, zPAR_TYPE_FLOAT});
        parser.DefineExternal("AI_StartState", 0x65D380, zPAR_TYPE_VOID,
                              {zPAR_TYPE_INSTANCE, zPAR_TYPE_FUNC, zPAR_TYPE_INT, zPAR_TYPE_STRING});
    }

    // The prelude and the source compiled and linked by a parser of their own.
    std::unique_ptr<zCParser> Compile(const std::string& source)
    {
        auto parser = std::make_unique<zCParser>();
        DefineExternals(*parser);
        box.Write("T.D", kPrelude + source);
        parser->ParseFile("\\T.D");
        parser->Link();
        return parser;
    }

    static std::vector<int> Code(const zCParser& parser)
    {
        const zCPar_Stack& stack = parser.GetCodeStack();
        return std::vector<int>(stack.GetData(), stack.GetData() + stack.GetDynSize());
    }

    // Where the statements of a body begin: after a function's parameter pops
    // (a push and an assignment each) and an instance's call of its prototype.
    static int StatementStart(zCParser& parser, zCPar_Symbol* owner)
    {
        int start = owner->GetContent();
        if (owner->GetType() == zPAR_TYPE_FUNC)
            start += 6 * owner->GetElementCount();
        else if (owner->GetType() == zPAR_TYPE_INSTANCE && owner->GetParent() &&
                 owner->GetParent()->GetType() == zPAR_TYPE_PROTOTYPE)
            start += 5;
        (void)parser;
        return start;
    }

    // The statement writer over the body of the named symbol, as file text.
    std::string Write(zCParser& parser, const char* name, int start = -2)
    {
        zCPar_Symbol* owner = parser.GetSymbolTable().GetSymbol(zSTRING(name));
        EXPECT_NE(owner, nullptr) << name;
        if (!owner)
            return std::string();
        DecompileTestAccess::Body(parser, owner);
        zFILE_VDFS out("\\OUT.D");
        EXPECT_EQ(out.Create(), 0);
        parser.GetDecompiler().DoStack(out, start == -2 ? StatementStart(parser, owner) : start, -1);
        out.Close();
        return box.Read("OUT.D");
    }

    // Golden text, then the text compiled in place of the body gives the same code.
    void ExpectRoundTrip(const Snippet& snippet)
    {
        SCOPED_TRACE(snippet.title);
        std::unique_ptr<zCParser> first = Compile(Source(snippet, snippet.body));
        const std::string text = Write(*first, "TEST");
        EXPECT_EQ(text, snippet.expected);
        std::unique_ptr<zCParser> second = Compile(Source(snippet, text));
        EXPECT_EQ(Code(*first), Code(*second)) << text;
    }

    JobGlobalsSnapshot savedGlobals;
};

TEST_F(DecompileCodeTest, ExpressionsComeBackAsTheyCompile)
{
    const Snippet snippets[] = {
        {"assignments and operator runs", "FUNC INT Test(VAR INT a, VAR INT b)", "\tVAR INT x;\n",
         "\tx = a + b + counter;\n"
         "\tx = a - (b - counter);\n"
         "\tx = a * b + counter;\n"
         "\tx = 1 << 10;\n"
         "\tx += 2;\n"
         "\tx -= a;\n"
         "\tx *= 3;\n"
         "\tx /= b % 4;\n"
         "\treturn x;\n",
         "\tx = a + b + counter;\n"
         "\tx = a - (b - counter);\n"
         "\tx = (a * b) + counter;\n"
         "\tx = 1 << 10;\n"
         "\tx += 2;\n"
         "\tx -= a;\n"
         "\tx *= 3;\n"
         "\tx /= b % 4;\n"
         "\treturn x;\n"},
        {"unary operators, also before brackets", "FUNC VOID Test(VAR INT a, VAR INT b)", "\tVAR INT x;\n",
         "\tx = -a;\n"
         "\tx = ~a;\n"
         "\tx = +a;\n"
         "\tx = -(a + b);\n"
         "\tx = ~(a | b) & 7;\n"
         "\tx = - -a;\n"
         "\tx = 4294967295;\n",
         "\tx = -a;\n"
         "\tx = ~a;\n"
         "\tx = +a;\n"
         "\tx = -(a + b);\n"
         "\tx = ~(a | b) & 7;\n"
         "\tx = -(-a);\n"
         "\tx = 4294967295;\n"},
        {"variables, members and element 0 by its index name", "FUNC VOID Test()", "",
         "\ttable[2] = table[1] + table;\n"
         "\tself.attribute[ATR_MANA] = self.attribute[ATR_HITPOINTS];\n"
         "\tself.level = other.attribute[1];\n",
         "\ttable[2] = table[1] + table[0];\n"
         "\tself.attribute[ATR_MANA] = self.attribute[ATR_HITPOINTS];\n"
         "\tself.level = other.attribute[ATR_HITPOINTS_MAX];\n"},
        {"values of every type", "FUNC VOID Test()", "",
         "\tspeed = 0.1;\n"
         "\tspeed = -2.5;\n"
         "\tspeed = 16777217;\n"
         "\ttext = \"Hello\";\n"
         "\ttext = text;\n"
         "\tcallback = Rtn_Start;\n",
         "\tspeed = 0.1;\n"
         "\tspeed = -2.5;\n"
         "\tspeed = 16777216.0;\n"
         "\ttext = \"Hello\";\n"
         "\ttext = text;\n"
         "\tcallback = Rtn_Start;\n"},
        {"calls and their arguments", "FUNC VOID Test()", "\tVAR INT x;\n",
         "\tPrint(IntToString(Add(counter, 2)));\n"
         "\tAI_StartState(self, Rtn_Start, 1, \"Start\");\n"
         "\tAI_StartState(hero, NOFUNC, 0, \"\");\n"
         "\tNpc_SetSpeed(hero, 1.25);\n"
         "\tNpc_SetSpeed(other, speed);\n"
         "\tNpc_SetSpeed(NULL, 0.5);\n"
         "\tx = Hlp_Random(10) + Npc_HasItems(self, PC_Hero);\n"
         "\ttext = IntToString(x);\n",
         "\tPrint (IntToString (Add (counter, 2)));\n"
         "\tAI_StartState (self, Rtn_Start, 1, \"Start\");\n"
         "\tAI_StartState (hero, NOFUNC, 0, \"\");\n"
         "\tNpc_SetSpeed (hero, 1.25);\n"
         "\tNpc_SetSpeed (other, speed);\n"
         "\tNpc_SetSpeed (NULL, 0.5);\n"
         "\tx = Hlp_Random (10) + Npc_HasItems (self, PC_Hero);\n"
         "\ttext = IntToString (x);\n"},
    };
    for (const Snippet& snippet : snippets)
        ExpectRoundTrip(snippet);
}

TEST_F(DecompileCodeTest, IfChainsComeBackInTheirLayout)
{
    const Snippet snippets[] = {
        {"if, if-else, else-if and nested ifs", "FUNC VOID Test(VAR INT a, VAR INT b)", "",
         "\tif (a < b) { counter = 1; };\n"
         "\tif (a == b) { counter = 2; } else { counter = 3; };\n"
         "\tif (a > b) { counter = 4; } else if (a == 0) { counter = 5; } else if (b == 0) { counter = 6; }"
         " else { counter = 7; };\n"
         "\tif (a != b) { if (b > 0) { return; }; counter = 8; };\n"
         "\tif (a <= b) { } else if (b >= a) { counter = 9; };\n"
         "\tif (a) { counter = 1; } else { if (b) { counter = 2; }; counter = 3; };\n",
         "\tif (a < b)\n\t{\n\t\tcounter = 1;\n\t};\n"
         "\tif (a == b)\n\t{\n\t\tcounter = 2;\n\t}\n\telse\n\t{\n\t\tcounter = 3;\n\t};\n"
         "\tif (a > b)\n\t{\n\t\tcounter = 4;\n\t}\n"
         "\telse if (a == 0)\n\t{\n\t\tcounter = 5;\n\t}\n"
         "\telse if (b == 0)\n\t{\n\t\tcounter = 6;\n\t}\n"
         "\telse\n\t{\n\t\tcounter = 7;\n\t};\n"
         "\tif (a != b)\n\t{\n\t\tif (b > 0)\n\t\t{\n\t\t\treturn;\n\t\t};\n\t\tcounter = 8;\n\t};\n"
         "\tif (a <= b)\n\t{\n\t}\n\telse if (b >= a)\n\t{\n\t\tcounter = 9;\n\t};\n"
         "\tif (a)\n\t{\n\t\tcounter = 1;\n\t}\n\telse\n\t{\n\t\tif (b)\n\t\t{\n\t\t\tcounter = 2;\n\t\t};\n"
         "\t\tcounter = 3;\n\t};\n"},
        // An empty else part leaves the jump over it as the last instruction of a block.
        {"empty blocks", "FUNC VOID Test(VAR INT a, VAR INT b)", "",
         "\tif (a) { if (b) { counter = 1; } else { }; };\n"
         "\tif (a) { if (b) { counter = 2; }; } else { };\n"
         "\tif (a) { } else { };\n",
         "\tif (a)\n\t{\n\t\tif (b)\n\t\t{\n\t\t\tcounter = 1;\n\t\t}\n\t\telse\n\t\t{\n\t\t};\n\t};\n"
         "\tif (a)\n\t{\n\t\tif (b)\n\t\t{\n\t\t\tcounter = 2;\n\t\t};\n\t}\n\telse\n\t{\n\t};\n"
         "\tif (a)\n\t{\n\t}\n\telse\n\t{\n\t};\n"},
        {"conditions and returns of a value", "FUNC INT Test(VAR INT a)", "",
         "\tif (!(a < 1) || (a >= 2 && a != 3)) { return Hlp_Random(a); };\n"
         "\tif (Npc_HasItems(self, PC_Hero) > 0) { return 1; } else if (hero == other) { return 2; };\n"
         "\tHlp_Random(3);\n",
         "\tif (!(a < 1) || ((a >= 2) && (a != 3)))\n\t{\n\t\treturn Hlp_Random (a);\n\t};\n"
         "\tif (Npc_HasItems (self, PC_Hero) > 0)\n\t{\n\t\treturn 1;\n\t}\n"
         "\telse if (hero == other)\n\t{\n\t\treturn 2;\n\t};\n"
         "\tHlp_Random (3);\n"},
        {"a returned float", "FUNC FLOAT Test()", "", "\treturn 2.75;\n", "\treturn 2.75;\n"},
        {"a returned string", "FUNC STRING Test()", "", "\tif (counter) { return \"one\"; };\n\treturn text;\n",
         "\tif (counter)\n\t{\n\t\treturn \"one\";\n\t};\n\treturn text;\n"},
        {"a void return before the end", "FUNC VOID Test()", "", "\tcounter = 1;\n\treturn;\n\tcounter = 2;\n",
         "\tcounter = 1;\n\treturn;\n\tcounter = 2;\n"},
    };
    for (const Snippet& snippet : snippets)
        ExpectRoundTrip(snippet);
}

TEST_F(DecompileCodeTest, NumbersAreInstanceNamesOnlyWhereAnInstanceFits)
{
    const std::string self = std::to_string(Compile("")->GetSymbolTable().GetIndex(zSTRING("SELF")));
    const std::string hero = std::to_string(Compile("")->GetSymbolTable().GetIndex(zSTRING("HERO")));
    const std::string body = "\tx = " + self + ";\n\tif (x == " + self + ") { x = " + hero + " + 1; };\n\tif (" + self +
                             " == " + hero + ") { x = Npc_HasItems(other, " + hero + "); };\n";
    const std::string expected = "\tx = " + self + ";\n\tif (x == " + self + ")\n\t{\n\t\tx = " + hero +
                                 " + 1;\n\t};\n\tif (self == hero)\n\t{\n\t\tx = Npc_HasItems (other, hero);\n\t};\n";
    const Snippet snippet{"numbers of instances", "FUNC VOID Test()", "\tVAR INT x;\n", body.c_str(), expected.c_str()};
    ExpectRoundTrip(snippet);
}

TEST_F(DecompileCodeTest, LongElseIfChainsStayAtOneLevel)
{
    // Far more links than blocks may nest.
    std::string body = "\tif (a == 0) { counter = 0; }";
    std::string expected = "\tif (a == 0)\n\t{\n\t\tcounter = 0;\n\t}\n";
    // Numbers past the symbols', which a comparison might take for instances.
    for (int i = 1001; i < 1300; ++i) {
        const std::string n = std::to_string(i);
        body += " else if (a == " + n + ") { counter = " + n + "; }";
        expected += "\telse if (a == " + n + ")\n\t{\n\t\tcounter = " + n + ";\n\t}\n";
    }
    body += ";\n";
    expected.replace(expected.size() - 2, 2, "};\n");
    const Snippet snippet{"a chain of 300", "FUNC VOID Test(VAR INT a)", "", body.c_str(), expected.c_str()};
    ExpectRoundTrip(snippet);
    EXPECT_EQ(host.GetErrorCount(), 0);
}

TEST_F(DecompileCodeTest, InsertSpaceOffWritesNoBlanks)
{
    g_insertSpace = 0;
    const Snippet snippet{"insert space off", "FUNC VOID Test(VAR INT a)", "",
                          "\tif (a) { AI_StartState(self, Rtn_Start, a + 1, \"Start\"); };\n",
                          "\tif(a)\n\t{\n\t\tAI_StartState(self,Rtn_Start,a + 1,\"Start\");\n\t};\n"};
    ExpectRoundTrip(snippet);
}

TEST_F(DecompileCodeTest, InstanceBodiesAndDialogueLines)
{
    const Snippet snippets[] = {
        {"an instance of a prototype", "INSTANCE Test(Npc_Default)", "",
         "\tid = 2;\n"
         "\tname[0] = \"Wolf\";\n"
         "\tname[1] = \"Dog\";\n"
         "\tattribute[ATR_HITPOINTS] = 40;\n"
         "\tdaily_routine = Rtn_Start;\n"
         "\tAI_Output(self, other, \"Test_Greet_15_01\"); //Hello there!\n"
         "\tAI_Output(Te, self, \"Test_Greet_15_02\"); //Who?\n",
         "\tid = 2;\n"
         "\tname[0] = \"Wolf\";\n"
         "\tname[1] = \"Dog\";\n"
         "\tattribute[ATR_HITPOINTS] = 40;\n"
         "\tdaily_routine = Rtn_Start;\n"
         "\tAI_Output (self, other, \"Test_Greet_15_01\");\t//Hello there!\n"
         // An instance whose name begins the body's own is not the body's.
         "\tAI_Output (Te, self, \"Test_Greet_15_02\");\t//Who?\n"},
        // Both names share one body: the second prototype call is the declaration's.
        {"instances sharing one body", "INSTANCE Test, Test_Twin(Npc_Default)", "", "\tid = 3;\n", "\tid = 3;\n"},
    };
    for (const Snippet& snippet : snippets)
        ExpectRoundTrip(snippet);
}

TEST_F(DecompileCodeTest, DialogueKeyAndSvmComments)
{
    std::unique_ptr<zCParser> parser = Compile("INSTANCE Test(C_INFO)\n{\n\tnpc = PC_Hero;\n\tdescription = \"Hi\";\n};\n"
                                               "INSTANCE Svm_Test(C_SVM)\n{\n\tHello = \"SVM_Test_Hello\";\n};\n");
    DecompileTestAccess::Flags(*parser, 0, 1);
    EXPECT_EQ(Write(*parser, "TEST"), "\tnpc = PC_Hero;\n\tdescription = \"Hi\";\n");
    EXPECT_EQ(DecompileTestAccess::FileKey(*parser), "dia_pc_hero");

    g_csManager->AddOutputUnit("SVM_Test_Hello", "Hello, stranger.");
    const int linesBefore = DecompileTestAccess::LineCount(*parser);
    zCPar_Symbol* svm = parser->GetSymbolTable().GetSymbol(zSTRING("SVM_TEST"));
    ASSERT_NE(svm, nullptr);
    DecompileTestAccess::Body(*parser, svm);
    DecompileTestAccess::Flags(*parser, 1, 0);
    zFILE_VDFS out("\\OUT.D");
    ASSERT_EQ(out.Create(), 0);
    parser->GetDecompiler().DoStack(out, svm->GetContent(), -1);
    out.Close();
    EXPECT_EQ(box.Read("OUT.D"), "\tHello = \"SVM_Test_Hello\";\t//Hello, stranger.\n");
    EXPECT_EQ(DecompileTestAccess::LineCount(*parser) - linesBefore, 1);
}

TEST_F(DecompileCodeTest, ArrayIndexesAndSizesByTheirConstants)
{
    std::unique_ptr<zCParser> parser =
        Compile("CLASS C_GILVALUES { VAR INT SWIM_TIME[67]; };\n"
                "CONST INT GIL_NONE = 0;\nCONST INT GIL_HUMAN = 1;\nCONST INT GIL_MIL = 2;\nCONST INT GIL_GRD = 7;\n");
    const struct {
        int platform;
        const char* symbol;
        int n;
        const char* expected;
    } cases[] = {
        {zPLATFORM_FIRST_GAME, "C_NPC.ATTRIBUTE", 1, "ATR_HITPOINTS_MAX"},
        {zPLATFORM_FIRST_GAME, "C_NPC.ATTRIBUTE", 2, "ATR_MANA"},
        {zPLATFORM_FIRST_GAME, "C_NPC.ATTRIBUTE", 4, "4"},               // no name known
        {zPLATFORM_FIRST_GAME, "PC_HERO", 0, "0"},                       // an instance's class has no row of its own
        {zPLATFORM_FIRST_GAME, "TABLE", 1, "1"},                         // no row
        {zPLATFORM_FIRST_GAME, "C_GILVALUES.SWIM_TIME", 1, "GIL_HUMAN"},
        {zPLATFORM_FIRST_GAME, "C_GILVALUES.SWIM_TIME", 2, "2"},         // GIL_GRD says 7
        {zPLATFORM_SECOND_GAME, "C_GILVALUES.SWIM_TIME", 2, "GIL_MIL"},  // the second game's guilds
        {zPLATFORM_FIRST_GAME, "C_GILVALUES.SWIM_TIME", 43, "43"},       // past the first game's guilds
    };
    for (const auto& c : cases) {
        g_platform = c.platform;
        EXPECT_EQ(parser->GetDecompiler().ArraySizeText(parser->GetSymbolTable().GetSymbol(zSTRING(c.symbol)), c.n), c.expected)
            << c.symbol << " " << c.n;
    }
}

TEST_F(DecompileCodeTest, EveryRunStartsWithAFreshAddressTable)
{
    // The same code size, but another symbol at the first function's number; the
    // second also has as many symbols as the first, so that nothing remembered by a
    // symbol's number (its name as written) may outlive the run.
    const char* const programs[] = {
        "FUNC VOID Alpha() { counter = 1; };\nFUNC VOID Beta() { counter = 2; };\n"
        "FUNC VOID Test() { Alpha(); Beta(); };\n",
        "FUNC VOID Beta() { counter = 2; };\nFUNC VOID Alpha() { counter = 1; };\n"
        "FUNC VOID Test() { Alpha(); Beta(); };\n",
        "VAR INT pad;\nFUNC VOID Beta() { counter = 2; };\nFUNC VOID Alpha() { counter = 1; };\n"
        "FUNC VOID Test() { Alpha(); Beta(); };\n",
    };
    zCParser parser;
    for (const char* program : programs) {
        parser.Reset();
        DefineExternals(parser);
        box.Write("T.D", std::string(kPrelude) + program);
        parser.ParseFile("\\T.D");
        parser.Link();
        EXPECT_EQ(Write(parser, "TEST"), "\tAlpha ();\n\tBeta ();\n") << program;
    }
}

// Hand-made code that our compiler never makes.
class DecompileDamagedCodeTest : public DecompileCodeTest {
protected:
    void SetUp() override
    {
        DecompileCodeTest::SetUp();
        parser.SetErrorMode(zPAR_ERROR_COUNTED);
    }
    std::string WriteCode(const std::vector<int>& bytes)
    {
        zCPar_Stack& stack = parser.GetCodeStack();
        stack.Clear();
        for (const int byte : bytes)
            stack.PushByte(static_cast<unsigned char>(byte));
        DecompileTestAccess::Body(parser, nullptr);
        zFILE_VDFS out("\\OUT.D");
        EXPECT_EQ(out.Create(), 0);
        parser.GetDecompiler().DoStack(out, 0, -1);
        out.Close();
        return box.Read("OUT.D");
    }
    static void Int(std::vector<int>& bytes, int op, std::int32_t value)
    {
        bytes.push_back(op);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back((static_cast<std::uint32_t>(value) >> shift) & 0xFF);
    }
    int Damaged() const
    {
        int count = 0;
        for (const std::string& line : Texts())
            count += line.find("Found error in dat file") != std::string::npos ? 1 : 0;
        return count;
    }

    zCParser parser;
};

TEST_F(DecompileDamagedCodeTest, ReportsInsteadOfReadingPastTheCode)
{
    struct Case {
        const char* title;
        std::vector<int> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"operand cut short", {zPAR_OP_PUSHINT, 1, 0}});
    {
        std::vector<int> bytes;
        Int(bytes, zPAR_OP_PUSHINT, 1);
        Int(bytes, zPAR_OP_JUMPF, 100000);  // past the code
        bytes.push_back(zPAR_OP_END);
        cases.push_back({"jump past the code", bytes});
    }
    {
        std::vector<int> bytes;
        Int(bytes, zPAR_OP_PUSHINT, 1);
        Int(bytes, zPAR_OP_JUMPF, 0);  // backwards
        bytes.push_back(zPAR_OP_END);
        cases.push_back({"jump backwards", bytes});
    }
    {
        // Blocks nested deeper than any script: each if jumps to the end.
        const int depth = 300;
        std::vector<int> bytes;
        const int end = depth * 10 + 1;
        for (int i = 0; i < depth; ++i) {
            Int(bytes, zPAR_OP_PUSHINT, 1);
            Int(bytes, zPAR_OP_JUMPF, end - 1);
        }
        bytes.push_back(zPAR_OP_END);
        cases.push_back({"blocks nested too deep", bytes});
    }
    {
        // An operator run far deeper than the compiler makes.
        const int count = 20000;
        std::vector<int> bytes;
        for (int i = 0; i < count; ++i)
            Int(bytes, zPAR_OP_PUSHINT, 1);
        for (int i = 1; i < count; ++i)
            bytes.push_back(EXP_PLUS);
        bytes.push_back(zPAR_OP_END);
        cases.push_back({"expression nested too deep", bytes});
    }
    cases.push_back({"operator without operands", {EXP_PLUS, EXP_MULT, zPAR_OP_END}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        host.Clear();
        WriteCode(c.bytes);
        EXPECT_GE(Damaged(), 1);
    }
}

TEST_F(DecompileDamagedCodeTest, UnknownInstructionsAreErrors)
{
    std::vector<int> bytes{200};
    Int(bytes, zPAR_OP_CALL, 12345);  // no body there
    bytes.push_back(zPAR_OP_END);
    WriteCode(bytes);
    EXPECT_TRUE(HasLine("Error: DoStack (unknown type - 200)."));
    EXPECT_TRUE(HasLine("Error: Instance with offset = 12345 not found"));
    // In the decompile run's fatal mode the first one ends the job.
    parser.SetErrorMode(zPAR_ERROR_FATAL);
    EXPECT_THROW(WriteCode({200}), zTFatalAbort);
}

} // namespace
