// The decompiler's run and declarations: the text of each kind of declaration, where
// each file goes, the source list, and what the run may and may not touch in the
// project folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DecompileFolders.h"
#include "DecompileTestAccess.h"
#include "DirectoryTools.h"
#include "HostFileSystem.h"
#include "JobGlobals.h"
#include "JobGlobalsSnapshot.h"
#include "SymbolFileFixture.h"
#include "zCParser.h"
#include "zERROR.h"

namespace {

const char kListHeader[] = "// Tavrelin workspace file\n// WARNING: DO NOT EDIT OR DELETE THIS FILE!\n\n";

class DecompileTest : public SymbolFileFixture {
protected:
    void SetUp() override
    {
        SymbolFileFixture::SetUp();
        host.GetSettings().BuildJobThread = 1;
        UsePlatform(zPLATFORM_FIRST_GAME);
    }

    static void UsePlatform(int platform)
    {
        g_platform = platform;
        g_decompileFolders = GetDecompileFolders("VARNOK", platform);
    }

    // The files, listed in this order, compiled into "Project.dat".
    void CompileProject(const std::vector<std::pair<std::string, std::string>>& files)
    {
        std::string list;
        for (const auto& file : files) {
            box.Write("src/" + file.first, file.second);
            list += file.first + "\n";
        }
        box.Write("src/Project.src", list);
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        zCParser compiler;
        compiler.SetMergeMode(1);
        try {
            ASSERT_EQ(compiler.Compile("src\\Project.src"), 0);
            compiler.Link();
        } catch (const zTFatalAbort&) {
            FAIL() << ::testing::PrintToString(Texts());
        }
        ASSERT_TRUE(box.Exists("Project.dat")) << ::testing::PrintToString(Texts());
        g_jobMode = zJOB_DECOMPILE_DAT;
        host.Clear();
    }

    // "Project.dat" loaded into a fresh parser, with the spellings given.
    zCParser& Load(std::initializer_list<const char*> spellings = {})
    {
        decompiler = std::make_unique<zCParser>();
        EXPECT_EQ(decompiler->LoadDat("Project.dat"), 0);
        for (const char* name : spellings)
            decompiler->GetNameBase().Insert(name);
        host.Clear();
        return *decompiler;
    }

    // The file names of the source list, after its header.
    std::vector<std::string> Listed(const std::string& list = "Varnok.src") const
    {
        const std::string text = box.Read(list);
        std::vector<std::string> names;
        if (text.compare(0, sizeof kListHeader - 1, kListHeader) != 0)
            return {"<no header>"};
        std::size_t at = sizeof kListHeader - 1;
        while (at < text.size()) {
            const std::size_t end = text.find('\n', at);
            names.push_back(text.substr(at, end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
        return names;
    }

    // Whether the file layer finds the project file, in any letter case.
    static bool Exists(const std::string& name)
    {
        std::string host;
        return HostResolvePath(static_cast<const std::string&>(g_rootDirectory) + "\\" + name, host) &&
               HostExists(host);
    }

    // A symbol made by hand, as a foreign or damaged ".dat" may hold it.
    static zCPar_Symbol* Add(zCParser& parser, const std::string& name, int type, int flags, int file, int count = 1)
    {
        auto* symbol = new zCPar_Symbol;
        symbol->name = name.c_str();
        symbol->SetType(type);
        symbol->SetElementCount(count);
        symbol->declaredType = type;
        if (flags)
            symbol->SetFlag(flags);
        symbol->SetFileIndex(file);
        EXPECT_EQ(parser.GetSymbolTable().Insert(symbol), 1) << name;
        return symbol;
    }

    std::unique_ptr<zCParser> decompiler;

private:
    JobGlobalsSnapshot savedGlobals;
};

TEST_F(DecompileTest, WritesEveryKindOfDeclarationSoThatItReadsBack)
{
    CompileProject({{"Decl.d", R"(
CONST INT BIG = 1024;
CONST INT SMALL = 1023;
CONST INT NEG = -5;
CONST INT TOP = 1 << 31;
CONST INT HALF = 512;
CONST FLOAT TENTH = 0.1;
CONST FLOAT NEGF = -2.5;
CONST STRING NAME = "Hero";
CONST FLOAT CURVE[17] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16.5};
CONST STRING LINES[2] = {"a", "b"};
VAR INT counter;
VAR INT slots[3];
CLASS C_NPC
{
	VAR INT id;
	VAR STRING name[2];
	VAR FUNC daily_routine;
	VAR FLOAT speed;
};
VAR C_NPC self;
VAR FUNC callback;
FUNC VOID Rtn_Idle () {};
CONST FUNC DEFAULT_ROUTINE = Rtn_Idle;
FUNC VOID Greet (VAR INT times, VAR C_NPC who, VAR STRING text, VAR FLOAT pitch, VAR FUNC next)
{
	VAR INT total;
	CONST INT LIMIT = 3;
	CONST STRING PAIR[2] = {"x", "y"};
	VAR C_NPC partner;
	VAR FUNC after;
};
FUNC C_NPC Leader () { return; };
PROTOTYPE Npc_Default (C_NPC)
{
	VAR INT mark;
};
INSTANCE Hero (Npc_Default) {};
INSTANCE Wolf, Sheep (C_NPC) {};
INSTANCE Ghost (C_NPC);
)"}});
    ASSERT_EQ(Load({"Greet", "Hero"}).Decompile("Varnok.src"), 0);

    EXPECT_EQ(Listed(), std::vector<std::string>{"_Intern\\classes.d"});
    const std::string expected = R"(
const int big = 1 << 10;
const int small = 1023;
const int neg = -5;
const int top = 1 << 31;
const int half = 512;

const float tenth = 0.1;
const float negf = -2.5;

const string name = "Hero";


const float curve[17] =
{
	0.0,1.0,2.0,3.0,4.0,5.0,6.0,7.0,8.0,9.0,10.0,11.0,12.0,13.0,14.0,15.0,
	16.5
};


const string lines[2] =
{
	"a",
	"b"
};

var int counter;

var int slots[3];

class C_NPC
{
	var int id;
	var string name[2];
	var func daily_routine;
	var float speed;
};

var C_NPC self;

var func callback;
func void rtn_idle()
{
};

const func default_routine = RTN_IDLE;
func void Greet(var int times,var C_NPC who,var string text,var float pitch,var func next)
{
	var int total;
	const int limit = 3;
	const string pair[2] =
{
	"x",
	"y"
};
	var C_NPC partner;
	var func after;
};

)";
    const std::string text = box.Read("_Intern/classes.d");
    ASSERT_GE(text.size(), expected.size()) << text;
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    // The bodies are the statement writer's; the heads around them are these.
    const std::string rest = text.substr(expected.size());
    for (const char* head : {"func C_NPC leader()\n{\n", "prototype NPC_DEFAULT(C_NPC)\n{\n\tvar int mark;\n",
                             "instance Hero(NPC_DEFAULT)\n{\n", "instance WOLF, SHEEP(C_NPC)\n{\n",
                             "instance GHOST(C_NPC);\n"})
        EXPECT_NE(rest.find(head), std::string::npos) << head << "\n---\n" << rest;
}

TEST_F(DecompileTest, FloatsComeBackAsTheShortestTextThatReadsTheSame)
{
    CompileProject({{"Floats.d", R"(
CONST FLOAT A = 0.1;
CONST FLOAT B = 3.4028234E+38;
CONST FLOAT C = 1.17549435E-38;
CONST FLOAT D = 123456.7;
CONST FLOAT E = -0.0;
CONST FLOAT F = 100;
CONST FLOAT G = 0.000001;
)"}});
    ASSERT_EQ(Load().Decompile("Varnok.src"), 0);
    const std::string text = box.Read("_misk_/A.d");
    for (const char* line : {"const float a = 0.1;\n", "const float b = 340282346600000000000000000000000000000.0;\n",
                             "const float c = 0.000000000000000000000000000000000000011754944;\n",
                             "const float d = 123456.7;\n", "const float e = -0.0;\n", "const float f = 100.0;\n",
                             "const float g = 0.000001;\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n---\n" << text;
}

TEST_F(DecompileTest, AttitudesAreWrittenByTheirNamesWhereThoseConstantsSayTheSame)
{
    CompileProject({{"Guilds.d", R"(
CONST INT ATT_HOSTILE = 0;
CONST INT ATT_ANGRY = 1;
CONST INT ATT_NEUTRAL = 2;
CONST INT ATT_FRIENDLY = 3;
CONST INT GIL_ATTITUDES[6] = {0, 1, 2, 3, 4, -1};
CONST INT OTHER[2] = {0, 1};
)"}});
    ASSERT_EQ(Load().Decompile("Varnok.src"), 0);
    const std::string text = box.Read("_misk_/ATT_HOSTILE.d");
    EXPECT_NE(text.find("{\n\tATT_HOSTILE,ATT_ANGRY,ATT_NEUTRAL,ATT_FRIENDLY,4,-1\n};"), std::string::npos) << text;
    EXPECT_NE(text.find("const int other[2] =\n{\n\t0,1\n};"), std::string::npos) << text;
}

TEST_F(DecompileTest, PlacesEachFileByTheRulesOfThePlatform)
{
    struct Case {
        const char* source;
        const char* first;   // first game
        const char* second;  // second game
    };
    const Case cases[] = {
        {"CLASS C_NPC { VAR INT id; }; PROTOTYPE Npc_Default (C_NPC) {};", "_misk_\\C_NPC.d", "_misk_\\C_NPC.d"},
        {"FUNC VOID G_CanNotCast () {};", "_Intern\\G_Functions\\G_CanNotCast.d", "_misk_\\G_CanNotCast.d"},
        {"CONST INT ATR_HITPOINTS = 0;", "_Intern\\constants.d", "_misk_\\ATR_HITPOINTS.d"},
        {"CONST INT MY_LIMIT = 5;", "_misk_\\MY_LIMIT.d", "_misk_\\MY_LIMIT.d"},
        {"CONST INT AIV_LASTFIGHTAGAINSTPLAYER = 5;", "_misk_\\AIV_LASTFIGHTAGAINSTPLAYER.d",
         "AI\\AI_Intern\\AI_Constants.d"},
        {"CONST INT X1 = 1; FUNC VOID ZS_Flee () {};", "AI\\ZS_Human\\ZS_Flee.d", "AI\\Human\\TA_Human\\ZS_Flee.d"},
        {"INSTANCE Diego (Npc_Default) {};", "Story\\NPC\\Diego.d", "Story\\NPC\\Diego.d"},
        {"FUNC VOID DIA_Diego_Hello () {};", "Story\\Missions\\DIA_Diego_Hello.d", "Story\\Dialoge\\DIA_Diego_Hello.d"},
        {"FUNC VOID Spell_Fire () {};", "Magic\\spell_fire.d", "AI\\Magic\\Spells\\spell_fire.d"},
        {"FUNC VOID ZS_MM_Rtn () {};", "Story\\ZS\\zs_mm_rtn.d", "AI\\Monster\\RTN_Monster\\zs_mm_rtn.d"},
        {"FUNC VOID B_GiveTradeInv_Bob () {};", "Story\\B\\b_givetradeinv_bob.d",
         "Story\\B_GiveTradeInv\\b_givetradeinv_bob.d"},
        {"FUNC VOID Evt_Door () {};", "_misk_\\evt_door.d", "Story\\Events\\evt_door.d"},
        {"FUNC VOID B_Story_Start () {};", "Story\\Chapters\\b_story_start.d", "Story\\B_Story\\b_story_start.d"},
        {"FUNC VOID B_Heal () {};", "Story\\B\\b_heal.d", "Story\\B_Story\\b_heal.d"},
        {"FUNC VOID Info_Greet () {};", "Story\\B\\info_greet.d", "_misk_\\info_greet.d"},
    };
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        files.emplace_back("F" + std::to_string(i) + ".d", cases[i].source);
    CompileProject(files);

    for (int platform : {zPLATFORM_FIRST_GAME, zPLATFORM_SECOND_GAME}) {
        SCOPED_TRACE(platform);
        UsePlatform(platform);
        ASSERT_EQ(Load({"Diego", "Diego_Hello", "G_CanNotCast", "ZS_Flee"}).Decompile("Varnok.src"), 0);
        std::vector<std::string> expected;
        for (const Case& c : cases)
            expected.push_back(platform == zPLATFORM_FIRST_GAME ? c.first : c.second);
        EXPECT_EQ(Listed(), expected);
        for (const std::string& name : expected)
            EXPECT_TRUE(Exists(name)) << name;
        // Each file is reported under its final name.
        EXPECT_TRUE(HasLine(expected.back()));
    }
}

TEST_F(DecompileTest, WritesEverySymbolOnceWhenAllLieInTheFirstFile)
{
    CompileProject({{"Only.d", "CONST INT FIRST = 1;\nVAR INT middle;\nCONST STRING LAST = \"end\";\n"}});
    ASSERT_EQ(Load().Decompile("Varnok.src"), 0);
    EXPECT_EQ(Listed(), std::vector<std::string>{"_misk_\\FIRST.d"});
    EXPECT_EQ(box.Read("_misk_/FIRST.d"),
              "\nconst int first = 1;\nvar int middle;\n\nconst string last = \"end\";\n");
    // One progress step for the one file, after the range of one file.
    EXPECT_EQ(host.GetProgress(), 100000);
}

TEST_F(DecompileTest, AProgramWithoutDeclarationsGivesAListWithItsHeaderOnly)
{
    zCParser parser;
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
    EXPECT_EQ(box.Read("Varnok.src"), kListHeader);
    EXPECT_EQ(host.GetProgress(), 0);
}

TEST_F(DecompileTest, RemovesOnlyWhatAnEarlierDecompileWouldHaveWritten)
{
    box.Write("Project.tvp", "project");
    box.Write("Varnok.dat", "dat");
    box.Write("Other.src", "list");
    box.Write("notes.txt", "mine");
    box.Write("Mine.d", "mine");
    box.Write("7.d", "old numbered file");
    box.Write("Story/NPC/Old.d", "old");
    box.Write("Story/NPC/readme.txt", "mine");
    box.Write("Story/B/Old.d", "old");
    box.Write("Visualfx/Old.d", "old");  // a folder of the rows, not of the list: left empty
    box.Write("Elsewhere/Kept.d", "mine");
    FileSandbox outside;
    outside.Write("Outside.d", "not in the project");
    const bool linked = box.Link("AI", outside.Root(), true);

    CompileProject({{"One.d", "CONST INT ONE = 1;"}});
    ASSERT_EQ(Load().Decompile("Varnok.src"), 0);

    for (const char* kept : {"Project.tvp", "Varnok.dat", "Other.src", "notes.txt", "Mine.d", "Story/NPC/readme.txt",
                             "Elsewhere/Kept.d", "src/One.d", "src/Project.src"})
        EXPECT_TRUE(box.Exists(kept)) << kept;
    for (const char* removed : {"7.d", "Story/NPC/Old.d", "Story/B/Old.d", "Visualfx"})
        EXPECT_FALSE(box.Exists(removed)) << removed;
    // The list's folders are made anew.
    EXPECT_TRUE(box.Exists("Story/B"));
    EXPECT_TRUE(box.Exists("_misk_/ONE.d"));
    if (linked) {
        EXPECT_TRUE(outside.Exists("Outside.d"));
        EXPECT_TRUE(box.Exists("AI"));
        EXPECT_TRUE(HasLine("'AI' is a link; the decompiler writes and removes nothing through it."));
        EXPECT_FALSE(outside.Exists("AI_Intern"));
    }
}

TEST_F(DecompileTest, RefusesAProjectFolderThatIsNotAnAbsolutePathBelowARoot)
{
    box.Write("3.d", "old");
    for (const char* root : {"", "project", "/", "\\"}) {
        SCOPED_TRACE(root);
        host.Clear();
        FileLayerRoot layer(root);
        zCParser parser;
        EXPECT_EQ(parser.Decompile("Varnok.src"), -1);
        EXPECT_TRUE(HasLine("Decompiling needs the project folder as an absolute path; '" + std::string(root) +
                            "' is refused."));
    }
    EXPECT_TRUE(box.Exists("3.d"));
    EXPECT_FALSE(box.Exists("Varnok.src"));
}

TEST_F(DecompileTest, ASourceListThatCannotBeWrittenIsAnErrorAndNothingIsRemoved)
{
    box.Write("Story/NPC/Old.d", "old");
    zCParser parser;
    EXPECT_EQ(parser.Decompile("Missing\\Varnok.src"), -1);
    EXPECT_TRUE(HasLine("Error: Cannot create the source list 'Missing\\Varnok.src'."));
    EXPECT_TRUE(box.Exists("Story/NPC/Old.d"));
    EXPECT_EQ(host.GetErrorCount(), 1);
}

TEST_F(DecompileTest, NamesThatWouldLeaveTheirFolderAreRefusedAndTheFileKeepsItsNumber)
{
    const char* const names[] = {"..\\EVIL", "A:B", "PIPE|D", "CON", "LPT1", "TAB\tX"};
    zCParser parser;
    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i)
        Add(parser, names[i], zPAR_TYPE_INT, zPAR_FLAG_CONST, i);
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);

    std::vector<std::string> expected;
    for (int i = 0; i < static_cast<int>(std::size(names)); ++i) {
        expected.push_back(std::to_string(i) + ".d");
        // The output pane shows a tab as blanks.
        if (std::string(names[i]).find('\t') == std::string::npos) {
            EXPECT_TRUE(HasLine(std::string("The name '_misk_\\") + names[i] + ".d' cannot be a file or folder"))
                << names[i];
        }
    }
    EXPECT_EQ(Listed(), expected);
    EXPECT_TRUE(box.Exists("0.d"));
    EXPECT_FALSE(box.Exists("EVIL.d"));
    EXPECT_EQ(parser.GetErrorCount(), static_cast<int>(std::size(names)));
}

TEST_F(DecompileTest, AFileWhosePlaceIsTakenIsKeptUnderTheNextFreeName)
{
    box.MakeDir("_misk_/FIRST.d");  // not a script: it stays
    zCParser parser;
    Add(parser, "FIRST", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0);
    Add(parser, "SECOND", zPAR_TYPE_INT, zPAR_FLAG_CONST, 1);
    // The first file's index again: a second file with the first one's key.
    Add(parser, "FIRST_AGAIN", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0);
    parser.GetNameBase().Insert("First");
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"_misk_\\First_2.d", "_misk_\\SECOND.d", "_misk_\\FIRST_AGAIN.d"}));
    EXPECT_TRUE(HasLine("'_misk_\\First.d' exists already: the file is written as '_misk_\\First_2.d'."));
    EXPECT_EQ(box.Read("_misk_/First_2.d"), "\nconst int First = 0;\n");
}

TEST_F(DecompileTest, DecompilingAgainReplacesTheFilesOfTheFirstRun)
{
    zCParser parser;
    Add(parser, "SAME", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0)->SetValue(1);
    Add(parser, "OTHER", zPAR_TYPE_INT, zPAR_FLAG_CONST, 1);
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
    // Decompiled again over the first run's files: the same names come out.
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"_misk_\\SAME.d", "_misk_\\OTHER.d"}));
    EXPECT_FALSE(HasLine("exists already"));
}

TEST_F(DecompileTest, ASecondRunWritesTheNamesOfItsOwnProgram)
{
    // Spellings are remembered per symbol number for one run: the next program on the
    // same parser, with as many symbols, brings its own names.
    zCParser parser;
    Add(parser, "FIRST", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0)->SetValue(1);
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
    parser.Reset();
    Add(parser, "SECOND", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0)->SetValue(2);
    ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
    EXPECT_EQ(Listed(), std::vector<std::string>{"_misk_\\SECOND.d"});
    EXPECT_EQ(box.Read("_misk_/SECOND.d"), "\nconst int second = 2;\n");
}

TEST_F(DecompileTest, AStopRequestEndsTheRunAtTheNextFileAndDropsItsNumberedFile)
{
    zCParser parser;
    Add(parser, "ONE", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0);
    host.GetSettings().BuildJobThread = 0;
    EXPECT_THROW(parser.Decompile("Varnok.src"), zTBuildStopped);
    EXPECT_FALSE(box.Exists("0.d"));
    EXPECT_EQ(box.Read("Varnok.src"), kListHeader);
    EXPECT_TRUE(HasLine("Break building"));
}

TEST_F(DecompileTest, AnUnhandledTypeEndsTheRunWithAnError)
{
    zCParser parser;
    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    Add(parser, "GOOD", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0);
    Add(parser, "BAD", zPAR_TYPE_VOID, 0, 1);
    EXPECT_EQ(parser.Decompile("Varnok.src"), -1);
    EXPECT_TRUE(HasLine("Found unhandled type = 0;"));
    EXPECT_FALSE(box.Exists("1.d"));
    EXPECT_EQ(Listed(), std::vector<std::string>{"_misk_\\GOOD.d"});
}

TEST_F(DecompileTest, AFailedRunLeavesNothingBehindAndTheNextRunSucceeds)
{
    const struct {
        const char* what;
        int errorMode;
        int badType;
        const char* list;
    } failures[] = {
        {"unhandled type, counted", zPAR_ERROR_COUNTED, zPAR_TYPE_VOID, "Varnok.src"},
        {"unhandled type, fatal", zPAR_ERROR_FATAL, zPAR_TYPE_VOID, "Varnok.src"},
        {"source list not written", zPAR_ERROR_COUNTED, zPAR_TYPE_INT, "Missing\\Varnok.src"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        zCParser parser;
        parser.SetErrorMode(failure.errorMode);
        Add(parser, "GOOD", zPAR_TYPE_INT, zPAR_FLAG_CONST, 0);
        zCPar_Symbol* bad = Add(parser, "MENDED", failure.badType, 0, 1);
        try {
            EXPECT_EQ(parser.Decompile(failure.list), -1);
        } catch (const zTFatalAbort&) {
            // The fatal report ends the job; the next job starts afresh.
            host.GetSettings().BuildJobThread = 1;
        }
        EXPECT_FALSE(DecompileTestAccess::HoldsRunState(parser));

        bad->SetType(zPAR_TYPE_INT);
        bad->declaredType = zPAR_TYPE_INT;
        parser.SetErrorMode(zPAR_ERROR_COUNTED);
        ASSERT_EQ(parser.Decompile("Varnok.src"), 0);
        EXPECT_EQ(Listed(), (std::vector<std::string>{"_misk_\\GOOD.d", "_misk_\\MENDED.d"}));
        EXPECT_FALSE(DecompileTestAccess::HoldsRunState(parser));
    }
}

TEST_F(DecompileTest, FolderListsOfTheJobKinds)
{
    const struct {
        const char* kind;
        int platform;
        std::vector<std::string> folders;
    } cases[] = {
        {"MUSIC", 0, {"_Intern", "Music"}},
        {"VISUALFX", 1, {"_Intern", "VisualFX"}},
        {"PARTICLEFX", 0, {"_Intern", "PFX"}},
        {"SFX", 0, {"_Intern", "SFX"}},
        {"CAMERA", 1, {"_Intern", "Camera"}},
        {"MENU", 0, {"_Intern", "Menu"}},
        {"FIGHT", 0, {"_Intern", "AI", "AI\\FAI"}},
        {"FIGHT", 1, {"_Intern", "FAI"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const char* const* f = GetDecompileFolders(c.kind, c.platform); f && *f; ++f)
            got.push_back(*f);
        EXPECT_EQ(got, c.folders) << c.kind << " " << c.platform;
    }
    const auto count = [](const char* const* list) {
        int n = 0;
        while (list[n])
            ++n;
        return n;
    };
    EXPECT_EQ(count(GetDecompileFolders("VARNOK", 0)), 29);
    EXPECT_EQ(count(GetDecompileFolders("VARNOK", 1)), 34);
    EXPECT_EQ(std::string(GetDecompileFolders("VARNOK", 1)[33]), "_misk_");
    EXPECT_EQ(GetDecompileFolders("OTHER", 0), nullptr);
}

} // namespace
