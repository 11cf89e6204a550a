// The settings dialogs run modally: the style dialog on its sample, the editor options reaching
// every view through the frame, the go-to-line number and refused input.
#include <gtest/gtest.h>

#include "CEditSetup.h"
#include "CGotoLine.h"
#include "CStyleText.h"
#include "EditorSettings.h"
#include "Scintilla.h"
#include "SettingsFixture.h"

namespace {

using SettingsDialogsTest = SettingsAppTest;

LRESULT Sample(HWND dialog, UINT message, WPARAM wParam = 0)
{
    return ::SendDlgItemMessageA(dialog, 1026, message, wParam, 0);
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

TEST_F(SettingsDialogsTest, StyleDialogShowsTheRecordOnItsSampleAndDefaultStyleGivesTheEditedOneBack)
{
    ASSERT_NE(NewScript(app), nullptr);
    g_pTextStyles[9].fore = 0x112233;  // the user's own class colour
    CStyleText dialog("C_NPC self;", 19, main->GetActiveFrame()->GetActiveView());
    std::string title;
    LRESULT shownCase = -1, shownFore = -1, readOnly = -1, marginWidth = -1;
    LRESULT editedCase = -1, defaultCase = -1, defaultFore = -1, backCase = -1, backFore = -1;
    bool disabledWithDefault = false, enabledAgain = false;
    const INT_PTR result = PlayModal(dialog, [&](HWND d) {
        char text[100] = {};
        ::GetWindowTextA(d, text, sizeof text);
        title = text;
        shownCase = Sample(d, SCI_STYLEGETCASE, STYLE_DEFAULT);
        shownFore = Sample(d, SCI_STYLEGETFORE, 0);
        readOnly = Sample(d, SCI_GETREADONLY);
        marginWidth = Sample(d, SCI_GETMARGINWIDTHN, 1);

        SelectIndex(d, 1024, 2);  // lower case
        editedCase = Sample(d, SCI_STYLEGETCASE, 0);

        ::CheckDlgButton(d, 1025, BST_CHECKED);
        Click(d, 1025);
        defaultCase = Sample(d, SCI_STYLEGETCASE, 0);
        defaultFore = Sample(d, SCI_STYLEGETFORE, 0);
        disabledWithDefault = !Enabled(d, 213) && !Enabled(d, 214) && !Enabled(d, 215) && !Enabled(d, 1024) &&
                              !Enabled(d, 1027) && !Enabled(d, 1030);

        ::CheckDlgButton(d, 1025, BST_UNCHECKED);
        Click(d, 1025);
        backCase = Sample(d, SCI_STYLEGETCASE, 0);
        backFore = Sample(d, SCI_STYLEGETFORE, 0);
        enabledAgain = Enabled(d, 213) && Enabled(d, 1024) && Enabled(d, 1027);
        Click(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(title, "Set Style - Class");
    EXPECT_EQ(shownCase, SC_CASE_UPPER);
    EXPECT_EQ(shownFore, 0x112233);
    EXPECT_EQ(readOnly, 1);
    EXPECT_EQ(marginWidth, 0);
    EXPECT_EQ(editedCase, SC_CASE_LOWER);
    EXPECT_EQ(defaultCase, SC_CASE_UPPER);
    EXPECT_EQ(defaultFore, 0x800080);
    EXPECT_TRUE(disabledWithDefault);
    EXPECT_EQ(backCase, SC_CASE_LOWER);
    EXPECT_EQ(backFore, 0x112233);
    EXPECT_TRUE(enabledAgain);
    EXPECT_EQ(dialog.GetRecord(), 9);
    EXPECT_EQ(dialog.GetStyle().caseMode, 2);
    EXPECT_EQ(g_pTextStyles[9].caseMode, 1);  // the caller takes the record over, not the dialog
}

TEST_F(SettingsDialogsTest, EditorOptionsOnOkReachEveryViewAndTheProfileAndCancelChangesNothing)
{
    CTavrelinView* first = NewScript(app);
    CTavrelinView* second = NewScript(app);
    ASSERT_TRUE(first && second);
    g_editorOptions.tab = 3;
    g_editorOptions.selection = 0;

    CEditSetup dialog(second);
    std::string shownTab;
    int shownLineNumbers = -1;
    EXPECT_EQ(PlayModal(dialog,
                        [&](HWND d) {
                            shownTab = ItemText(d, 1035);
                            shownLineNumbers = int(::IsDlgButtonChecked(d, 1078));
                            ::SetDlgItemTextA(d, 1035, "6");
                            ::SetDlgItemTextA(d, 1037, "450");
                            ::CheckDlgButton(d, 1078, BST_CHECKED);
                            ::CheckDlgButton(d, 1032, BST_UNCHECKED);
                            Click(d, IDOK);
                        }),
              IDOK);
    EXPECT_EQ(shownTab, "3");
    EXPECT_EQ(shownLineNumbers, 0);
    EXPECT_EQ(g_editorOptions.tab, 6);
    EXPECT_EQ(g_editorOptions.lineNumber, 1);
    EXPECT_EQ(g_editorOptions.callTip, 0);
    EXPECT_EQ(g_editorOptions.selection, 0);  // no control of its own: kept
    for (CTavrelinView* view : {first, second}) {
        EXPECT_EQ(view->Sci(SCI_GETTABWIDTH), 6);
        EXPECT_EQ(view->Sci(SCI_GETMOUSEDWELLTIME), 450);
        EXPECT_GT(view->Sci(SCI_GETMARGINWIDTHN, 0), 0);  // line numbers shown
    }
    EXPECT_EQ(Stored("Margins", "Tab"), 6);
    EXPECT_EQ(Stored("Margins", "LineNumber"), 1);
    EXPECT_EQ(Stored("Automatic", "CallTip"), 0);

    // Text that is no number is refused with a prompt; the dialog stays, and Cancel keeps the values.
    CEditSetup refused(first);
    bool stillOpen = false;
    EXPECT_EQ(PlayModal(refused,
                        [&](HWND d) {
                            ::SetDlgItemTextA(d, 1036, "four");
                            ::SetDlgItemTextA(d, 1035, "9");
                            Click(d, IDOK);
                            stillOpen = ::IsWindow(d) && refused.ContinueModal();
                            Click(d, IDCANCEL);
                        }),
              IDCANCEL);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(app.prompts.size(), 1u);
    EXPECT_EQ(app.prompts[0], "Please enter an integer.");
    EXPECT_EQ(g_editorOptions.tab, 6);
    EXPECT_EQ(g_editorOptions.indent, 4);
}

TEST_F(SettingsDialogsTest, GoToLineShowsTheLineItStartsFromAndTakesWholeNumbersOnly)
{
    CGotoLine dialog(42, main);
    std::string shown;
    EXPECT_EQ(PlayModal(dialog,
                        [&](HWND d) {
                            shown = ItemText(d, 1069);
                            ::SetDlgItemTextA(d, 1069, "7");
                            Click(d, IDOK);
                        }),
              IDOK);
    EXPECT_EQ(shown, "42");
    EXPECT_EQ(dialog.m_line, 7);

    // The exchange alone, on one window: refused text keeps the number and prompts once.
    const struct {
        const char* typed;
        bool taken;
        int line;
    } cases[] = {
        {" 12 ", true, 12}, {"-3", true, -3},           {"2147483647", true, 2147483647},
        {"", false, 5},     {"4x", false, 5},           {"0x10", false, 5},
        {"1.5", false, 5},  {"99999999999", false, 5},  {"-99999999999", false, 5},
    };
    CGotoLine exchanged(5, main);
    ASSERT_TRUE(exchanged.Create(IDD_GOTO_LINE, main));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        app.prompts.clear();
        exchanged.m_line = 5;
        exchanged.SetDlgItemText(1069, c.typed);
        EXPECT_EQ(exchanged.UpdateData(TRUE), c.taken ? TRUE : FALSE);
        EXPECT_EQ(exchanged.m_line, c.line);
        EXPECT_EQ(app.prompts.size(), c.taken ? 0u : 1u);
    }
    exchanged.DestroyWindow();
}

}  // namespace
