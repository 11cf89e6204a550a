// The linker: bodies and their preludes, jump patches, member access, what it
// reports and writes, when it stops; and the engine offsets of script classes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JobGlobals.h"
#include "JobGlobalsSnapshot.h"
#include "ParserCodeFixture.h"

namespace {

class LinkerTest : public ParserCodeFixture {
protected:
    void SetUp() override
    {
        ParserCodeFixture::SetUp();
        g_jobMode = zJOB_COMPILE_SCRIPTS;
    }

    // Parses an empty script through a source list named name, so that the parser
    // has parsed something and the link writes the list's ".dat".
    void CompileEmptyList(const std::string& listName)
    {
        box.Write(listName, "Empty.d\n");
        box.Write("Empty.d", "");
        ASSERT_EQ(parser.Compile(zSTRING(listName.c_str())), 0);
    }

    // X = value, as the statement readers leave it.
    static zCPar_TreeNode* Assign(const char* name, int value) { return Op(EXP_LET, Name(name), Digit(value)); }
    static CodeBytes& AssignCode(CodeBytes& code, int symbol, int value)
    {
        return code.Op(64, value).Op(65, symbol).Op(EXP_LET);
    }

private:
    JobGlobalsSnapshot savedGlobals;
};

TEST_F(LinkerTest, IfWithoutElseJumpsPastItsBlock)
{
    Define("X", zPAR_TYPE_INT);
    const int x = Index("X");
    DefineFunction("F");
    const std::vector<int> code = LinkChain(
        Chain({Node(EXP_FUNC, "F"), Name("X"), Node(EXP_IF, "", 0), Assign("X", 2), Node(EXP_END_IF, "", 0),
               Node(EXP_END_FUNC)}),
        1);
    CodeBytes expected;
    expected.Op(65, x).Op(76, 21);
    AssignCode(expected, x, 2).Op(60);
    EXPECT_EQ(code, expected.bytes);
    EXPECT_FALSE(HasLine("Error"));
}

TEST_F(LinkerTest, IfElseChainPatchesEveryJump)
{
    Define("X", zPAR_TYPE_INT);
    const int x = Index("X");
    DefineFunction("F");
    // IF X == 1 {X = 2;} ELSE IF X == 2 {X = 3;} ELSE {X = 4;};
    const std::vector<int> code = LinkChain(
        Chain({Node(EXP_FUNC, "F"), Op(EXP_EQUAL, Name("X"), Digit(1)), Node(EXP_IF, "", 0), Assign("X", 2),
               Node(EXP_ELSE, "", 1), Node(EXP_END_IF, "", 0), Op(EXP_EQUAL, Name("X"), Digit(2)),
               Node(EXP_IF, "", 2), Assign("X", 3), Node(EXP_ELSE, "", 1), Node(EXP_END_IF, "", 2), Assign("X", 4),
               Node(EXP_END_IF, "", 1), Node(EXP_END_FUNC)}),
        3);
    CodeBytes expected;
    expected.Op(64, 1).Op(65, x).Op(EXP_EQUAL).Op(76, 32);  // 0..15
    AssignCode(expected, x, 2).Op(75, 75);                    // 16..31
    expected.Op(64, 2).Op(65, x).Op(EXP_EQUAL).Op(76, 64);   // 32..47
    AssignCode(expected, x, 3).Op(75, 75);                    // 48..63
    AssignCode(expected, x, 4).Op(60);                        // 64..75
    EXPECT_EQ(code, expected.bytes);
    EXPECT_FALSE(HasLine("Error"));
}

TEST_F(LinkerTest, BodiesGetTheirOffsetsAndPreludes)
{
    zCPar_Symbol* npc = DefineClass("C_NPC", {{"LEVEL", zPAR_TYPE_INT, 1}});
    const int level = Index("C_NPC.LEVEL");
    zCPar_Symbol* proto = Define("PC_PROTO", zPAR_TYPE_PROTOTYPE, 0, npc);
    zCPar_Symbol* hero = Define("HERO", zPAR_TYPE_INSTANCE, 1, proto, zPAR_FLAG_CONST);
    zCPar_Symbol* wolf = Define("WOLF", zPAR_TYPE_INSTANCE, 1, npc, zPAR_FLAG_CONST);
    zCPar_Symbol* start = DefineFunction("START");
    zCPar_Symbol* later = DefineFunction("LATER");

    const std::vector<int> code = LinkChain(Chain({
        Node(EXP_FUNC, "START"), Node(EXP_ENTRY_INSTANCE, "LATER"), Assign("HERO.LEVEL", 9), Node(EXP_END_FUNC),
        Node(EXP_PROTOTYPE, "PC_PROTO"), Assign("LEVEL", 1), Node(EXP_END_BLOCK), Node(EXP_END_PROTOTYPE),
        Node(EXP_PROTOTYPE, "HERO"), Assign("LEVEL", 2), Node(EXP_END_BLOCK), Node(EXP_END_PROTOTYPE),
        Node(EXP_PROTOTYPE, "WOLF"), Assign("LEVEL", 3), Node(EXP_END_BLOCK), Node(EXP_END_PROTOTYPE),
        Node(EXP_FUNC, "LATER"), Node(EXP_END_FUNC),
    }));

    CodeBytes expected;
    // START at 0: a body emitted later is called at 0; a member outside its class's
    // body goes through the instance before the dot.
    expected.Op(61, 0).Op(64, 9).Op(80, Index("HERO")).Op(65, level).Op(EXP_LET).Op(60);  // 0..21
    AssignCode(expected, level, 1).Op(60);                                                 // PC_PROTO 22..33
    AssignCode(expected.Op(61, 22), level, 2).Op(60);                                      // HERO 34..50
    AssignCode(expected, level, 3).Op(60);                                                 // WOLF 51..62
    expected.Op(60);                                                                       // LATER 63
    EXPECT_EQ(code, expected.bytes);
    EXPECT_EQ(start->GetContent(), 0);
    EXPECT_EQ(proto->GetContent(), 22);
    EXPECT_EQ(hero->GetContent(), 34);
    EXPECT_EQ(wolf->GetContent(), 51);
    EXPECT_EQ(later->GetContent(), 63);
    EXPECT_FALSE(HasLine("Error"));
}

TEST_F(LinkerTest, MergedInstanceFirstRunsItsEarlierBody)
{
    zCPar_Symbol* npc = DefineClass("C_NPC", {{"LEVEL", zPAR_TYPE_INT, 1}});
    const int level = Index("C_NPC.LEVEL");
    zCPar_Symbol* wolf = Define("WOLF", zPAR_TYPE_INSTANCE, 1, npc, zPAR_FLAG_CONST | zPAR_FLAG_MERGED);
    DefineFunction("F");
    parser.SetMergeMode(1);

    const std::vector<int> code = LinkChain(Chain({
        Node(EXP_FUNC, "F"), Node(EXP_END_FUNC),
        Node(EXP_PROTOTYPE, "WOLF"), Assign("LEVEL", 1), Node(EXP_END_BLOCK), Node(EXP_END_PROTOTYPE),
        Node(EXP_PROTOTYPE, "WOLF"), Assign("LEVEL", 2), Node(EXP_END_BLOCK), Node(EXP_END_PROTOTYPE),
    }));
    CodeBytes expected;
    expected.Op(60);
    AssignCode(expected, level, 1).Op(60);               // first body at 1
    AssignCode(expected.Op(61, 1), level, 2).Op(60);     // the merged one at 13
    EXPECT_EQ(code, expected.bytes);
    EXPECT_EQ(wolf->GetContent(), 13);
}

TEST_F(LinkerTest, NamesAreLinkedInTheScopesOfTheirBody)
{
    // A local declared after its first use takes that use too (the reader found the
    // global there); in an instance body the class's members come before its locals.
    box.Write("Scopes.src", "Scopes.d\n");
    box.Write("Scopes.d", "class C { var int ID; var int N; };\nvar int X;\nvar int K;\nvar int N;\n"
                          "func void F() { X = 1; var int X; X = 2; };\n"
                          "instance I(C) { var int K; K = 3; ID = 4; var int N; N = 5; };\n");
    ASSERT_EQ(parser.Compile("Scopes.src"), 0);
    parser.Link();
    ASSERT_FALSE(HasLine("Error"));
    CodeBytes expected;
    AssignCode(expected, Index("F.X"), 1);
    AssignCode(expected, Index("F.X"), 2).Op(60);
    AssignCode(expected, Index("I.K"), 3);
    AssignCode(expected, Index("C.ID"), 4);
    AssignCode(expected, Index("C.N"), 5).Op(60);
    EXPECT_EQ(Code(), expected.bytes);
}

TEST_F(LinkerTest, AnErrorStopsItsFileWithFileAndLineAndNothingIsWritten)
{
    Define("X", zPAR_TYPE_INT);
    DefineFunction("F");
    DefineFunction("G");
    host.GetSettings().InsertInGame = 1;
    CompileEmptyList("Broken.src");

    AddFile("A.D", Chain({Node(EXP_FUNC, "F"), Assign("X", 1), Op(EXP_LET, Node(EXP_COMPOUND, "NOPE", 0, 7), Digit(2)),
                          Assign("X", 3), Node(EXP_END_FUNC)}));
    AddFile("B.D", Chain({Node(EXP_FUNC, "G"), Node(EXP_END_FUNC)}));
    parser.Link();

    EXPECT_TRUE(HasLine("A.D(7):   Error: Unknown identifier: NOPE"));
    EXPECT_TRUE(HasLine("Linking failed."));
    EXPECT_FALSE(HasLine("Code Size"));
    // The rest of A.D is not emitted; B.D is.
    CodeBytes expected;
    AssignCode(expected, Index("X"), 1).Op(64, 2).Op(60);
    EXPECT_EQ(Code(), expected.bytes);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("G")->GetContent(), 16);
    EXPECT_EQ(parser.GetFile(1)->GetTree(), nullptr);
    EXPECT_EQ(parser.GetLinkFileIndex(), -1);

    EXPECT_FALSE(box.Exists("Broken.dat"));
    EXPECT_TRUE(host.inserted.empty());
    EXPECT_EQ(host.GetSettings().Decompilate, 0);
    EXPECT_TRUE(parser.IsLinked());
}

TEST_F(LinkerTest, AFatalLinkErrorEndsTheJobAndDropsTheTree)
{
    parser.SetErrorMode(zPAR_ERROR_FATAL);
    AddFile("A.D", Chain({Node(EXP_ENTRY_INSTANCE, "NOPE", 0, 3)}));
    EXPECT_THROW(parser.Link(), zTFatalAbort);
    EXPECT_TRUE(HasLine("A.D(3):   Error: Undefined function: NOPE"));
    EXPECT_EQ(parser.GetFile(0)->GetTree(), nullptr);
    EXPECT_EQ(parser.GetLinkFileIndex(), -1);
}

TEST_F(LinkerTest, CompileErrorsStopTheJobBeforeAnyCode)
{
    DefineFunction("F");
    CompileEmptyList("Stopped.src");
    AddFile("A.D", Chain({Node(EXP_FUNC, "F"), Node(EXP_END_FUNC)}));
    parser.Error("counted before linking", -1, -1);
    ASSERT_EQ(parser.GetErrorCount(), 1);

    EXPECT_THROW(parser.Link(), zTFatalAbort);
    const std::vector<std::string> texts = Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "Process stopped...");
    EXPECT_EQ(texts.back(), "1 error(s), 0 warning(s)");
    EXPECT_EQ(parser.GetCodeStack().GetDynSize(), 0);
    EXPECT_FALSE(box.Exists("Stopped.dat"));
    EXPECT_EQ(host.GetSettings().BuildJobThread, 0u);
}

TEST_F(LinkerTest, ASuccessfulLinkReportsAndWritesTheDat)
{
    DefineFunction("F");
    host.GetSettings().InsertInGame = 1;
    CompileEmptyList("Music.src");
    AddFile("A.D", Chain({Node(EXP_FUNC, "F"), Node(EXP_END_FUNC)}));
    host.Clear();
    g_errorReporter.SetFilterLevel(3);
    parser.Link();

    EXPECT_EQ(Texts(), (std::vector<std::string>{"Linking...", "Symbols: 2", "Code Size: 1 bytes.", "Music.dat"}));
    EXPECT_TRUE(box.Exists("Music.dat"));
    EXPECT_EQ(host.inserted, std::vector<std::string>{"0:Music.dat"});
    EXPECT_EQ(host.GetSettings().Decompilate, 1);

    // Once linked, a second link only says so, and only from filter level 3 on.
    host.Clear();
    parser.Link();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Linking skipped.", "Symbols: 2", "Code Size: 1 bytes."}));
    g_errorReporter.SetFilterLevel(2);
    host.Clear();
    parser.Link();
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(parser.GetCodeStack().GetDynSize(), 1);
}

TEST_F(LinkerTest, CodeBeyondTheFirstStackSize)
{
    Define("X", zPAR_TYPE_INT);
    const int x = Index("X");
    DefineFunction("F");
    // 7000 assignments of 11 bytes each: 77,000 bytes.
    zCPar_TreeNode* head = Chain({Node(EXP_FUNC, "F")});
    zCPar_TreeNode* tail = head->GetLast();
    for (int i = 0; i < 7000; ++i)
        Assign("X", i)->Insert(tail);
    Node(EXP_END_FUNC)->Insert(tail);
    const std::vector<int> code = LinkChain(head);

    ASSERT_EQ(code.size(), 77001u);
    EXPECT_EQ(parser.GetCodeStack().GetCapacity(), 128000u);
    CodeBytes last;
    AssignCode(last, x, 6999).Op(60);
    EXPECT_EQ(std::vector<int>(code.end() - 12, code.end()), last.bytes);
    CodeBytes straddling;
    AssignCode(straddling, x, 5818);  // bytes 63,998 to 64,008
    EXPECT_EQ(std::vector<int>(code.begin() + 63998, code.begin() + 64009), straddling.bytes);
}

TEST_F(LinkerTest, LabelsOutsideTheFilesCountAreErrors)
{
    DefineFunction("F");
    LinkChain(Chain({Node(EXP_FUNC, "F"), Digit(1), Node(EXP_IF, "", 5, 4), Node(EXP_END_IF, "", 5, 4),
                     Node(EXP_END_FUNC)}),
              1);
    EXPECT_TRUE(HasLine("TEST.D(4):   Error: Jump label 5 out of range."));
    EXPECT_TRUE(HasLine("Linking failed."));
}

class ClassOffsetTest : public ParserCodeFixture {
};

TEST_F(ClassOffsetTest, MembersArePlacedByTheirSizes)
{
    zCPar_Symbol* ints = DefineClass("C_INTS", {{"A", zPAR_TYPE_INT, 1}, {"B", zPAR_TYPE_INT, 2}, {"C", zPAR_TYPE_INT, 1}});
    zCPar_Symbol* mixed =
        DefineClass("C_MIXED", {{"A", zPAR_TYPE_INT, 1}, {"S", zPAR_TYPE_STRING, 1}, {"C", zPAR_TYPE_INT, 1}});
    const struct {
        const char* member;
        int offset;
    } placed[] = {{"C_INTS.A", 0}, {"C_INTS.B", 4}, {"C_INTS.C", 12}, {"C_MIXED.A", 0}, {"C_MIXED.S", 4}, {"C_MIXED.C", 24}};
    for (const auto& p : placed)
        EXPECT_EQ(parser.GetSymbolTable().GetSymbol(p.member)->GetOffset(), p.offset) << p.member;
    EXPECT_EQ(ints->GetOffset(), 16);
    // A string member takes the game's 20 bytes.
    EXPECT_EQ(mixed->GetOffset(), 28);
}

TEST_F(ClassOffsetTest, BindingAddsTheBaseToFlaggedMembers)
{
    zCPar_Symbol* npc = DefineClass("C_NPC", {{"ID", zPAR_TYPE_INT, 1}, {"NAME", zPAR_TYPE_STRING, 1}});
    // Counted as the class's third element, but not a member.
    npc->SetElementCount(3);
    zCPar_Symbol* loose = Define("LOOSE", zPAR_TYPE_INT);
    loose->SetOffset(5);
    Define("NOT_A_CLASS", zPAR_TYPE_INT);

    parser.BindClassOffset("C_NPC", 288);
    parser.BindClassOffset("NOT_A_CLASS", 288);
    parser.BindClassOffset("ABSENT", 288);
    EXPECT_EQ(npc->GetContent(), 288);
    EXPECT_EQ(npc->GetOffset(), 24);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("C_NPC.ID")->GetOffset(), 288);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("C_NPC.NAME")->GetOffset(), 292);
    EXPECT_EQ(loose->GetOffset(), 5);
    EXPECT_EQ(parser.GetSymbolTable().GetSymbol("NOT_A_CLASS")->GetContent(), 0);
    EXPECT_TRUE(Texts().empty());
}

} // namespace
