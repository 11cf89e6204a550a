// The class-view symbol model over a fixture project and over texts in memory.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "ListOrder.h"
#include "zCTypedInfo.h"

namespace {

std::filesystem::path DataFolder()
{
    return std::filesystem::path(__FILE__).parent_path() / "data";
}

zTClassViewProject FixtureProject(const char* name = "Varnok", bool secondGame = true, int language = 0x07)
{
    zTClassViewProject project;
    project.folder = (DataFolder() / "Project").string();
    project.name = name;
    project.secondGame = secondGame;
    project.languageId = language;
    project.internalFolder = (DataFolder() / "Internal").string();
    project.sources = {"Classes.d", "AI\\Story.d", "Missing.d", "Other.d"};
    return project;
}

DeclarationContext Context(int kind = DeclarationContext::kNone, const char* text = "")
{
    DeclarationContext context;
    context.kind = kind;
    context.text = text;
    return context;
}

zCTypedInfo& BuiltModel()
{
    static zCTypedInfo model;
    static bool built = false;
    if (!built) {
        model.BuildClassView(FixtureProject());
        built = true;
    }
    return model;
}

}  // namespace

TEST(zCTypedInfo, RecordsTheFixtureProject)
{
    const zCTypedInfo& model = BuiltModel();
    EXPECT_EQ(model.GetClasses().size(), 2u);
    EXPECT_EQ(model.GetPrototypes().size(), 1u);
    EXPECT_EQ(model.GetInstances().size(), 3u);
    // Two B_Say from two files, Answer, AfterStrings, two internal functions.
    EXPECT_EQ(model.GetFunctions().size(), 6u);
    // GREETING, TABLE, counter, total, other, LATE.
    EXPECT_EQ(model.GetVariables().size(), 6u);

    EXPECT_EQ(model.GetCallTip("answer"), "int Answer()");
    EXPECT_EQ(model.GetCallTip("Npc_IsDead"), "int Npc_IsDead(C_NPC n)");
    EXPECT_EQ(model.GetCallTip("nothing"), "");
    const zSTRING tip = model.GetCallTip("B_SAY");
    EXPECT_TRUE(tip == "void B_Say(C_NPC slf, string text)" || tip == "void B_Say(int x)") << tip;

    const struct {
        const char* name;
        const char* display;
    } displays[] = {
        {"C_NPC", "class C_NPC"},
        {"Npc_Default", "prototype Npc_Default(C_NPC)"},
        {"Hero", "instance Hero(NPC_DEFAULT)"},
        {"Sheep", "instance Sheep(C_NPC)"},
        {"TABLE", "const int TABLE[]"},
        {"other", "var C_NPC other"},
        {"total", "var int total"},
        {"print", "void Print(string s)"},
    };
    for (const auto& d : displays)
        EXPECT_EQ(model.GetDeclarationTip(d.name, Context()), d.display) << d.name;
}

TEST(zCTypedInfo, RebuildShowsItsStagesAndReplacesTheModel)
{
    struct Host : zIClassViewHost {
        std::vector<std::string> calls;
        const zCTypedInfo* model = nullptr;
        void ShowStatus(int textId) override { calls.push_back(std::to_string(textId)); }
        void RefillClassView() override
        {
            // The tree is filled from sorted records.
            calls.push_back("tree " + std::string(model->GetClasses().front()->name));
        }
    };
    zCTypedInfo model;
    model.ParseText("var int stale;", "Old.d");
    Host host;
    host.model = &model;
    model.BuildClassView(FixtureProject(), true, &host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"32917", "tree C_ITEM", "32918"}));
    EXPECT_EQ(model.FindDeclaration("stale", Context()), nullptr);
    host.calls.clear();
    model.BuildClassView(FixtureProject(), false, &host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"tree C_ITEM"}));
    EXPECT_EQ(model.GetAutoCompletionText(), BuiltModel().GetAutoCompletionText());
}

TEST(zCTypedInfo, StringsAreOneToken)
{
    // ";", "//" and braces inside strings leave the rest of the file to the parser.
    const zCTypedInfo& model = BuiltModel();
    EXPECT_NE(model.FindDeclaration("AfterStrings", Context()), nullptr);
    EXPECT_NE(model.FindDeclaration("Sheep", Context()), nullptr);
    EXPECT_NE(model.FindDeclaration("LATE", Context()), nullptr);
}

TEST(zCTypedInfo, DeclarationsKnowTheirFileAndLine)
{
    const zCTypedInfo& model = BuiltModel();
    const struct {
        const char* name;
        const char* file;
        int line;
    } cases[] = {
        {"C_NPC", "Classes.d", 1},
        {"Hero", "AI\\Story.d", 7},
        {"Sheep", "AI\\Story.d", 8},
        {"counter", "AI\\Story.d", 12},
        // A line feed right after the name: still the name's own line.
        {"Answer", "AI\\Story.d", 21},
    };
    for (const auto& c : cases) {
        const zCTypedHead* record = model.FindDeclaration(c.name, Context());
        ASSERT_NE(record, nullptr) << c.name;
        EXPECT_EQ(record->file, c.file) << c.name;
        EXPECT_EQ(record->line, c.line) << c.name;
    }
    const zCTypedHead* internal = model.FindDeclaration("Print", Context());
    ASSERT_NE(internal, nullptr);
    EXPECT_EQ(internal->internal, 1);
    EXPECT_EQ(std::filesystem::path(std::string(internal->file)).filename(), "IntFuncVarnok2_de.d");
}

TEST(zCTypedInfo, MembersThroughInstancesPrototypesAndVariables)
{
    const zCTypedInfo& model = BuiltModel();
    const char* const members = "A1?4\nattribute?4\nAZ?4\nA_B?4\ndaily_routine?4\nname?4";
    for (const char* object : {"Hero", "Sheep", "other", "Npc_Default"})
        EXPECT_EQ(model.GetMemberList(object, Context(), 0), members) << object;
    EXPECT_EQ(model.GetMemberList("C_NPC", Context(), 1), members);
    EXPECT_EQ(model.GetMemberList("C_ITEM", Context(), 1), "value?4");
    EXPECT_EQ(model.GetMemberList("counter", Context(), 0), "");
    EXPECT_EQ(model.GetMemberList("Nobody", Context(), 0), "");

    EXPECT_EQ(model.GetDeclarationTip("attribute", Context(DeclarationContext::kObject, "hero")),
              "var int C_NPC::attribute");
    EXPECT_EQ(model.GetDeclarationTip("name", Context(DeclarationContext::kObject, "other")),
              "var string C_NPC::name[]");
    EXPECT_EQ(model.GetDeclarationTip("daily_routine", Context(DeclarationContext::kInstanceBase, "Npc_Default")),
              "var func C_NPC::daily_routine");
    EXPECT_EQ(model.GetDeclarationTip("value", Context(DeclarationContext::kClass, "c_item")),
              "var int C_ITEM::value");
    const zCTypedHead* member = model.FindDeclaration("A_B", Context(DeclarationContext::kObject, "Wolf"));
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->line, 6);
}

TEST(zCTypedInfo, CompletionListFollowsTheControlsSearch)
{
    const zCTypedInfo& model = BuiltModel();
    const zSTRING& text = model.GetAutoCompletionText();
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(model.GetAutoCompletionLength(), static_cast<int>(text.size()) + 1);
    EXPECT_NE(text.find("C_NPC?1\n"), std::string::npos);
    EXPECT_NE(text.find("Hero?2\n"), std::string::npos);
    EXPECT_NE(text.find("Npc_Default?3\n"), std::string::npos);
    EXPECT_NE(text.find("GREETING?5\n"), std::string::npos);
    EXPECT_NE(text.find("Print?7"), std::string::npos);

    // Each name must lie where a binary search by the control's comparison looks.
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        names.push_back(text.substr(start, text.rfind('?', end) - start));
        start = end + 1;
    }
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(CompareListNames(names[i - 1].data(), names[i - 1].size(), names[i].data(), names[i].size()), 0)
            << names[i - 1] << " before " << names[i];
}

TEST(ListOrder, ComparesAsTheControlsSearch)
{
    const struct {
        const char* a;
        const char* b;
        int sign;
    } cases[] = {
        {"A", "A1", -1},   {"A1", "AZ", -1}, {"AZ", "A_B", -1}, {"a_b", "A_B", 0},
        {"abc", "ABD", -1}, {"\xE0", "A", -1}, {"Z", "_", -1},
        {"x", "x\x80", -1}, {"x\x80", "x\x81", -1}, {"x\x10", "x\x7F", -1}, {"x\x7F", "x\x80", 1},
        {"ABCDEFGH1", "abcdefgh_", -1}, {"ABCDEFGH", "ABCDEFGH1", -1},
    };
    for (const auto& c : cases) {
        const int result = CompareListNames(c.a, std::strlen(c.a), c.b, std::strlen(c.b));
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " " << c.b;
        // The sort key agrees with the order or leaves it to the comparison.
        const std::uint64_t a = ListNameKey(c.a, std::strlen(c.a));
        const std::uint64_t b = ListNameKey(c.b, std::strlen(c.b));
        EXPECT_TRUE(a == b || (a < b) == (c.sign < 0)) << c.a << " " << c.b;
    }
}

TEST(zCTypedInfo, InternalFunctionsFollowProjectAndLanguage)
{
    const struct {
        const char* project;
        bool secondGame;
        int language;
        int formed;
        const char* present;
    } cases[] = {
        {"Varnok", true, 0x07, 1, "Npc_IsDead"},
        {"VARNOK", false, 0x09, 1, "Hlp_Random"},
        {"menu", true, 0x0C, 1, "Menu_Open"},
        {"Varnok", false, 0x19, 1, nullptr},  // no Russian file beside the fixture
        {"Mod", true, 0x07, 0, nullptr},
    };
    for (const auto& c : cases) {
        zCTypedInfo model;
        EXPECT_EQ(model.LoadInternalFunctions(FixtureProject(c.project, c.secondGame, c.language)), c.formed)
            << c.project;
        model.Finish();
        EXPECT_EQ(model.GetFunctions().size(), c.present ? 1u + (c.present == std::string("Npc_IsDead")) : 0u)
            << c.project;
        if (c.present) {
            EXPECT_NE(model.FindDeclaration(c.present, Context()), nullptr) << c.project;
        }
    }
}

TEST(zCTypedInfo, TextsInMemory)
{
    const struct {
        const char* text;
        const char* expected;  // the completion text
        const char* members = "";  // of class C
    } cases[] = {
        {"", ""},
        {"return 1; func void F() {};", ""},  // an unknown first token ends the file
        {"var int a, b; var int c", "a?5\nb?5\nc?5"},
        {"func void F(var int x, var string s) {};", "F?6"},
        {"func void G(var int x ; func void H() {};", ""},  // a broken head ends the file
        {"prototype P(C_UNKNOWN) {}; var int after;", ""},
        {"class C { var int m; }; instance I(C);", "C?1\nI?2", "m?4"},
        {"class C { };", "C?1"},
        // Names declared in bodies and parameter lists are not project names.
        {"class C { var int m; }; instance I(C) { var int inner; };"
         "func void F(var int x) { var int local; }; var int after;",
         "after?5\nC?1\nF?6\nI?2", "m?4"},
        {"func void F() { { };", "F?6"},  // an open body ends at the end of the text
        {"const string S = \"open", "S?5"},
        {"/* open comment", ""},
        {"var int a[", ""},
    };
    for (const auto& c : cases) {
        zCTypedInfo model;
        model.ParseText(c.text, "Text.d");
        model.Finish();
        EXPECT_EQ(model.GetAutoCompletionText(), c.expected) << c.text;
        EXPECT_EQ(model.GetMemberList("C", Context(), 1), c.members) << c.text;
    }
    zCTypedInfo model;
    model.ParseText("func int Sum(var int x, var string s) {};", "Text.d");
    model.Finish();
    EXPECT_EQ(model.GetCallTip("sum"), "int Sum(int x, string s)");
    model.ParseText("func void Fill(VAR int values[4],\r\n\tvar  C_NPC\tslf ) {};", "Text.d");
    model.Finish();
    EXPECT_EQ(model.GetCallTip("Fill"), "void Fill(int values, C_NPC slf)");
    EXPECT_EQ(model.ParseDeclarations((DataFolder() / "Missing.d").string(), "Missing.d"), 0);
}
