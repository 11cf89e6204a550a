// The script view's language aids on real editing windows over a fixture project: call
// tips through nested calls, member lists, the list of all names, type info, go to
// declaration and back. Keys are posted and run through the frame's accelerators.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <Scintilla.h>

#include "CTavrelinView.h"
#include "EditorFixture.h"
#include "EditorSettings.h"
#include "FixtureProjectHost.h"
#include "UiTestProbes.h"
#include "zCTypedInfo.h"

namespace {

const char* const kClasses =
    "class C_NPC {\r\n"
    "\tvar int attribute;\r\n"
    "\tvar string name;\r\n"
    "\tvar int aivar[10];\r\n"
    "\tvar int id;\r\n"
    "};\r\n"
    "class C_Item { var int value; var string description; };\r\n"
    "prototype Npc_Default(C_NPC) { attribute = 10; };\r\n"
    "instance PC_Hero(Npc_Default) { name = \"Hero\"; };\r\n"
    "instance Sword(C_Item);\r\n"
    "var C_NPC self;\r\n";

// Line feeds alone; B_Give's name ends its line.
const char* const kStory =
    "func void B_Say(var C_NPC slf, var string text) {\n"
    "};\n"
    "func int Hlp_Random(var int max) { return 0; };\n"
    "func string ConcatStrings(var string a, var string b) { return a; };\n"
    "func int Abs(var int x) { return x; };\n"
    "func void B_Give\n"
    "(var C_NPC slf, var C_Item item) {\n"
    "};\n";

const char* const kWork =
    "func void Work(var C_NPC npc) {\r\n"
    "\tvar C_Item loot;\r\n"
    "\tloot.value = npc.attribute;\r\n"
    "\tB_Say(npc, \"x\"); B_Give(npc, loot);\r\n"
    "\t\r\n"
    "};\r\n"
    "instance Guard(Npc_Default) { B_Say(self, \"x\"); };\r\n";
constexpr int kTypingLine = 4;

const std::string kSayTip = "void B_Say(C_NPC slf, string text)";
const std::string kNpcMembers = "aivar?4\nattribute?4\nid?4\nname?4";
const std::string kItemMembers = "description?4\nvalue?4";

// What the views sent to their editing windows: tips, their highlights and lists.
struct Sent {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string text;
};
std::vector<Sent> g_sent;
std::map<HWND, WNDPROC> g_recorded;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == SCI_CALLTIPSHOW || message == SCI_AUTOCSHOW)
        g_sent.push_back({message, wParam, lParam, reinterpret_cast<const char*>(lParam)});
    else if (message == SCI_CALLTIPSETHLT)
        g_sent.push_back({message, wParam, lParam, ""});
    return ::CallWindowProcA(g_recorded[window], window, message, wParam, lParam);
}

const Sent* LastSent(UINT message)
{
    for (auto it = g_sent.rbegin(); it != g_sent.rend(); ++it)
        if (it->message == message)
            return &*it;
    return nullptr;
}

int CountSent(UINT message)
{
    int count = 0;
    for (const Sent& sent : g_sent)
        count += sent.message == message;
    return count;
}

std::string ShownTip()
{
    const Sent* shown = LastSent(SCI_CALLTIPSHOW);
    return shown ? shown->text : std::string();
}

// The part of the shown tip highlighted last.
std::string Highlighted()
{
    const Sent* highlight = LastSent(SCI_CALLTIPSETHLT);
    const std::string tip = ShownTip();
    if (!highlight || highlight->lParam < LPARAM(highlight->wParam) || size_t(highlight->lParam) > tip.size())
        return "?";
    return tip.substr(highlight->wParam, size_t(highlight->lParam) - highlight->wParam);
}

class CompletionTest : public EditorTest {
protected:
    std::unique_ptr<FixtureProjectHost> project;
    char startDirectory[MAX_PATH] = {};
    int dwellTime = 0;

    void SetUp() override
    {
        viewClass = RUNTIME_CLASS(CTavrelinView);
        // Tips from the real pointer resting on the window would come between typed keys
        // on a slow run; the dwell test sends its notifications itself.
        dwellTime = g_editorOptions.dwellTime;
        g_editorOptions.dwellTime = SC_TIME_FOREVER;
        EditorTest::SetUp();
        project = std::make_unique<FixtureProjectHost>(
            folder, "Fixture", FixtureProjectHost::Files{{"Classes.d", kClasses}, {"Story.d", kStory}, {"Work.d", kWork}},
            std::vector<std::string>{"Classes.d", "Story.d"});
        project->BuildModel();
        g_jumpBack = JumpBackRecord();
        g_sent.clear();
        // Declarations are found in the project folder, whatever the current directory.
        ::GetCurrentDirectoryA(MAX_PATH, startDirectory);
        ::SetCurrentDirectoryA("C:\\");
    }

    void TearDown() override
    {
        EditorTest::TearDown();
        g_editorOptions.dwellTime = dwellTime;
        ::SetCurrentDirectoryA(startDirectory);
        project.reset();
        g_recorded.clear();
    }

    CTavrelinView* OpenView(const std::string& name)
    {
        CDocument* doc = app.OpenDocumentFile(Path(name).c_str());
        auto* view = doc ? dynamic_cast<CTavrelinView*>(ViewOf(doc)) : nullptr;
        if (view)
            view->Sci(SCI_COLOURISE, 0, -1);
        return view;
    }

    // The fixture's script with its tips and lists recorded, the caret on the empty line.
    CTavrelinView* OpenWork()
    {
        CTavrelinView* view = OpenView("Work.d");
        if (!view)
            return nullptr;
        HWND edit = view->GetCtrl().m_hWnd;
        g_recorded[edit] = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
        ClearTypingLine(view);
        return view;
    }

    static void ClearTypingLine(CTavrelinView* view, const char* text = "\t")
    {
        view->Sci(SCI_AUTOCCANCEL);
        view->Sci(SCI_CALLTIPCANCEL);
        view->Sci(SCI_SETSEL, WPARAM(view->Sci(SCI_POSITIONFROMLINE, kTypingLine)),
                  view->Sci(SCI_GETLINEENDPOSITION, kTypingLine));
        view->Sci(SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>(text));
        view->Sci(SCI_COLOURISE, 0, -1);
        g_sent.clear();
    }

    // The application's message loop: accelerators first.
    void RunQueue() { PumpMessagesThrough(&app); }

    void Type(CTavrelinView* view, const std::string& keys)
    {
        for (char key : keys)
            ::PostMessageA(view->GetCtrl().m_hWnd, WM_CHAR, WPARAM(static_cast<unsigned char>(key)), 0);
        RunQueue();
        view->Sci(SCI_COLOURISE, 0, -1);
    }

    // A key pressed with Ctrl (and Shift) held, in the editing window.
    void PressWithCtrl(CTavrelinView* view, UINT key, bool shift = false)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::PostMessageA(view->GetCtrl().m_hWnd, WM_KEYDOWN, key, 1);
        RunQueue();
        state[VK_CONTROL] = 0;
        state[VK_SHIFT] = 0;
        ::SetKeyboardState(state);
    }

    static void PutCaret(CTavrelinView* view, const std::string& text, int offset = 1)
    {
        // The text above the typing line is the fixture's.
        view->Sci(SCI_GOTOPOS, WPARAM(std::string(kWork).find(text) + offset));
    }
};

TEST_F(CompletionTest, CallTipsFollowNestedCallsFourDeep)
{
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    Type(view, "B_Say(");
    EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 1);
    EXPECT_EQ(ShownTip(), kSayTip);
    EXPECT_EQ(Highlighted(), "C_NPC slf");
    Type(view, "npc, ");
    EXPECT_EQ(Highlighted(), " string text");

    // Each "(" of the next three calls shows its function's tip.
    const char* const inner[][2] = {{"Hlp_Random(", "int Hlp_Random(int max)"},
                                    {"Abs(", "int Abs(int x)"},
                                    {"ConcatStrings(", "string ConcatStrings(string a, string b)"}};
    for (const auto& call : inner) {
        Type(view, call[0]);
        EXPECT_EQ(ShownTip(), call[1]);
    }
    EXPECT_EQ(CountSent(SCI_CALLTIPSHOW), 4);
    // A fifth level shows nothing new; its ")" leaves the fourth tip as it is.
    Type(view, "Abs(1)");
    EXPECT_EQ(CountSent(SCI_CALLTIPSHOW), 4);
    EXPECT_EQ(Highlighted(), "string a");
    // Each ")" that closes a call returns to the tip of the call around it.
    for (const char* outer : {"int Abs(int x)", "int Hlp_Random(int max)", kSayTip.c_str()}) {
        Type(view, ")");
        EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 1);
        EXPECT_EQ(ShownTip(), outer);
    }
    EXPECT_EQ(Highlighted(), " string text");
    Type(view, ")");
    EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 0);
}

TEST_F(CompletionTest, TypedParenthesisShowsTheTipOfTheNameBeforeIt)
{
    struct Case {
        const char* typed;
        const char* tip;  // shown last, or null for none
        int shown;
    } cases[] = {
        {"b_say (", kSayTip.c_str(), 1},  // any case, a blank before the "("
        {"Abs((", "int Abs(int x)", 1},    // the second "(" right after the first shows nothing
        {"if (", nullptr, 0},
        {"Unknown(", nullptr, 0},
        {"x = (", nullptr, 0},
    };
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ClearTypingLine(view);
        Type(view, c.typed);
        EXPECT_EQ(CountSent(SCI_CALLTIPSHOW), c.shown);
        EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), c.tip ? 1 : 0);
        if (c.tip) {
            EXPECT_EQ(ShownTip(), c.tip);
        }
    }
}

TEST_F(CompletionTest, DotListsTheMembersAndAPrefixSelectsOne)
{
    struct Case {
        const char* typed;
        const char* list;  // null: no list
        const char* prefix;
        const char* selected;
    } cases[] = {
        {"PC_Hero.", kNpcMembers.c_str(), "na", "name"},  // an instance of a prototype
        {"Sword.", kItemMembers.c_str(), "V", "value"},   // an instance of a class
        {"loot.", kItemMembers.c_str(), "d", "description"},  // a local variable
        {"npc.", kNpcMembers.c_str(), "ai", "aivar"},     // a parameter
        {"self.", kNpcMembers.c_str(), "I", "id"},        // a global variable
        {"B_Say.", nullptr, "", ""},
    };
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ClearTypingLine(view);
        Type(view, c.typed);
        ASSERT_EQ(view->Sci(SCI_AUTOCACTIVE), c.list ? 1 : 0);
        if (!c.list)
            continue;
        EXPECT_EQ(LastSent(SCI_AUTOCSHOW)->text, c.list);
        Type(view, c.prefix);
        char current[64] = {};
        view->Sci(SCI_AUTOCGETCURRENTTEXT, 0, reinterpret_cast<LPARAM>(current));
        EXPECT_STREQ(current, c.selected);
    }
    // A character that cannot continue a name closes the list.
    ClearTypingLine(view);
    Type(view, "npc.a;");
    EXPECT_EQ(view->Sci(SCI_AUTOCACTIVE), 0);
}

TEST_F(CompletionTest, CtrlSpaceListsAllNamesFromTheTypedStart)
{
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    Type(view, "hlp_r");
    PressWithCtrl(view, VK_SPACE);
    ASSERT_EQ(view->Sci(SCI_AUTOCACTIVE), 1);
    EXPECT_EQ(LastSent(SCI_AUTOCSHOW)->wParam, 5u);
    EXPECT_EQ(LastSent(SCI_AUTOCSHOW)->text, g_typedInfo.GetAutoCompletionText());
    char current[64] = {};
    view->Sci(SCI_AUTOCGETCURRENTTEXT, 0, reinterpret_cast<LPARAM>(current));
    EXPECT_STREQ(current, "Hlp_Random");
    // The key types no blank.
    EXPECT_EQ(std::string(view->GetLineText(kTypingLine)), "\thlp_r\r\n");

    // No name before the caret, or no active project: the command is off.
    ClearTypingLine(view);
    PressWithCtrl(view, VK_SPACE);
    EXPECT_EQ(view->Sci(SCI_AUTOCACTIVE), 0);
    ClearTypingLine(view, "\tAbs");
    project->GetSettings().ProjectName.clear();
    PressWithCtrl(view, VK_SPACE);
    EXPECT_EQ(view->Sci(SCI_AUTOCACTIVE), 0);
}

TEST_F(CompletionTest, TypeInfoAndParameterInfoByKeys)
{
    struct Case {
        const char* at;  // the caret inside this text of the script
        UINT key;
        bool shift;
        const char* tip;
    } cases[] = {
        {"loot.value", 'T', false, "var C_Item loot"},  // a local variable
        {"attribute;", 'T', false, "var int C_NPC::attribute"},  // a member through a parameter
        {"B_Give(npc", 'T', false, "void B_Give(C_NPC slf, C_Item item)"},
        {"B_Say(npc", VK_SPACE, true, kSayTip.c_str()},
    };
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        view->Sci(SCI_CALLTIPCANCEL);
        g_sent.clear();
        PutCaret(view, c.at);
        PressWithCtrl(view, c.key, c.shift);
        EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 1);
        EXPECT_EQ(ShownTip(), c.tip);
    }
    // Parameter info before the "(" highlights the function's name.
    EXPECT_EQ(Highlighted(), "B_Say");
}

TEST_F(CompletionTest, AParameterTipAfterTypeInfoFollowsTheCaret)
{
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    PutCaret(view, "loot.value");
    PressWithCtrl(view, 'T');
    ASSERT_EQ(ShownTip(), "var C_Item loot");
    view->Sci(SCI_CALLTIPCANCEL);
    view->Sci(SCI_GOTOPOS, WPARAM(view->Sci(SCI_GETLINEENDPOSITION, kTypingLine)));
    Type(view, "B_Say(npc, ");
    ASSERT_EQ(Highlighted(), " string text");
    // Back into the first argument: the caret's move updates the tip.
    for (int i = 0; i < 3; ++i)
        view->Sci(SCI_CHARLEFT);
    view->OnUpdateUI(nullptr);
    EXPECT_EQ(Highlighted(), "C_NPC slf");
    // Left of the function's name the tip goes.
    view->Sci(SCI_GOTOPOS, WPARAM(view->Sci(SCI_POSITIONFROMLINE, kTypingLine)));
    view->OnUpdateUI(nullptr);
    EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 0);
}

TEST_F(CompletionTest, DwellingOnANameShowsItsDeclarationUntilTheMouseMoves)
{
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    ::SetFocus(view->GetCtrl().m_hWnd);
    ASSERT_EQ(::GetFocus(), view->GetCtrl().m_hWnd);
    SCNotification dwell = {};
    dwell.position = Sci_Position(std::string(kWork).find("npc.") + 1);
    view->OnDwellStart(&dwell);
    EXPECT_EQ(ShownTip(), "var C_NPC npc");
    EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 1);
    view->OnDwellEnd(&dwell);
    EXPECT_EQ(view->Sci(SCI_CALLTIPACTIVE), 0);
}

TEST_F(CompletionTest, GoToDeclarationOpensTheFileAtTheNamesLine)
{
    struct Case {
        const char* at;
        const char* file;
        int line;
    } cases[] = {
        {"B_Say(npc", "Story.d", 0},
        {"B_Give(npc", "Story.d", 5},  // a line feed right after the name
        {"attribute;", "Classes.d", 1},  // a member through a parameter
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.at);
        CTavrelinView* work = OpenWork();
        ASSERT_NE(work, nullptr);
        PutCaret(work, c.at);
        const int caret = int(work->Sci(SCI_GETCURRENTPOS));
        work->SendMessage(WM_COMMAND, ID_GOTO_DECLARATION);
        CTavrelinView* target = OpenView(c.file);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->GetCaretLine(), c.line);
        EXPECT_EQ(target->Sci(SCI_MARKERNEXT, 0, 1), c.line);

        // Back to where the jump started.
        work->Sci(SCI_GOTOPOS, 0);
        target->SendMessage(WM_COMMAND, ID_RETURN_BACK);
        EXPECT_EQ(work->Sci(SCI_GETCURRENTPOS), caret);
        EXPECT_EQ(work->Sci(SCI_MARKERNEXT, 0, 1), -1);
        EXPECT_FALSE(g_jumpBack.available);
        EXPECT_TRUE(app.prompts.empty());
        app.CloseAllDocuments(TRUE);
    }
}

TEST_F(CompletionTest, ReturnBackAfterALocalJumpGoesBackInItsOwnView)
{
    CTavrelinView* work = OpenWork();
    ASSERT_NE(work, nullptr);
    PutCaret(work, "loot.value");
    const int caret = int(work->Sci(SCI_GETCURRENTPOS));
    work->SendMessage(WM_COMMAND, ID_GOTO_DECLARATION);
    EXPECT_EQ(work->GetCaretLine(), 1);
    EXPECT_EQ(work->Sci(SCI_MARKERNEXT, 0, 1), 1);

    // Return back from another script's view.
    CTavrelinView* story = OpenView("Story.d");
    ASSERT_NE(story, nullptr);
    story->Sci(SCI_GOTOPOS, 7);
    story->SendMessage(WM_COMMAND, ID_RETURN_BACK);
    EXPECT_EQ(work->Sci(SCI_GETCURRENTPOS), caret);
    EXPECT_EQ(story->Sci(SCI_GETCURRENTPOS), 7);
    EXPECT_TRUE(app.prompts.empty());
}

TEST_F(CompletionTest, CommandsAreEnabledByWhatIsAtTheCaret)
{
    struct Case {
        const char* at;
        int offset;
        UINT id;
        bool enabled;
    } cases[] = {
        {"npc.attribute", 1, ID_TYPE_INFO, true},         // an identifier
        {"C_NPC npc", 1, ID_GOTO_DECLARATION, true},      // a class name
        {"self, ", 1, ID_TYPE_INFO, true},                // a name of the second list
        {"func void Work", 1, ID_GOTO_DECLARATION, false},  // a keyword
        {"B_Say(npc", 1, ID_PARAMETER_INFO, true},
        {"Work(var", 0, ID_PARAMETER_INFO, true},         // a function's own head
        {"npc, \"x\"", 1, ID_PARAMETER_INFO, false},     // no "(" after the name
        {"B_Say(self", 1, ID_PARAMETER_INFO, false},      // on an instance's line
        {"loot;", 4, ID_LIST_MEMBERS, true},              // after a name's character
        {"\tvar C_Item", 1, ID_LIST_MEMBERS, false},
        {"loot;", 0, ID_RETURN_BACK, false},              // no jump made
    };
    CTavrelinView* view = OpenWork();
    ASSERT_NE(view, nullptr);
    for (bool active : {true, false}) {
        project->GetSettings().ProjectName = active ? "Fixture" : "";
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.at) + " / " + std::to_string(c.id) + (active ? "" : " without a project"));
            PutCaret(view, c.at, c.offset);
            CommandStateProbe ui;
            ui.m_nID = c.id;
            ui.DoUpdate(view, TRUE);
            EXPECT_EQ(ui.enabled, active && c.enabled);
        }
    }
}

TEST_F(CompletionTest, DeclarationsOutsideTheProjectGiveTheirMessages)
{
    CTavrelinView* work = OpenWork();
    ASSERT_NE(work, nullptr);
    Type(work, "Unknown_Name");
    work->Sci(SCI_GOTOPOS, WPARAM(work->Sci(SCI_GETCURRENTPOS) - 3));
    work->SendMessage(WM_COMMAND, ID_GOTO_DECLARATION);
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.prompts[0], "The declaration of this variable is absent in the project.");

    ::DeleteFileA(Path("Classes.d").c_str());
    PutCaret(work, "attribute;");
    work->SendMessage(WM_COMMAND, ID_GOTO_DECLARATION);
    ASSERT_EQ(app.prompts.size(), 2u);
    EXPECT_EQ(app.prompts[1], "The file 'Classes.d' is absent in the project!");
    EXPECT_FALSE(g_jumpBack.available);
}

}  // namespace
