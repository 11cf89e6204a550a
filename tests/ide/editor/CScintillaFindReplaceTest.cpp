// The find and replace dialog of the editor view: one dialog at a time, the proposed text, the
// regular-expression box, searches started from its buttons, and the in-files dialogs.
#include <gtest/gtest.h>

#include "AfxResource.h"
#include "CScintillaFindReplaceDlg.h"
#include "CSolutionConfig.h"
#include "CXTPControlComboBox.h"
#include "EditorFixture.h"

namespace {

class FindReplaceTest : public EditorTest {
protected:
    CScintillaView* view = nullptr;

    void SetUp() override
    {
        EditorTest::SetUp();
        const std::string text = "one two\r\nthree two one\r\n";
        CTavrelinDoc* doc = Open("F.d", &text);
        ASSERT_NE(doc, nullptr);
        view = ViewOf(doc);
        g_scintillaFind = CScintillaFindState();
    }
    void TearDown() override
    {
        const HWND dialog = g_scintillaFind.dialog ? g_scintillaFind.dialog->m_hWnd : nullptr;
        EditorTest::TearDown();
        // An open dialog goes with the last editor view.
        EXPECT_EQ(g_scintillaFind.dialog, nullptr);
        EXPECT_FALSE(dialog && ::IsWindow(dialog));
    }
    static HWND Item(int id) { return ::GetDlgItem(g_scintillaFind.dialog->m_hWnd, id); }
    static CString ItemText(int id)
    {
        char text[256] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    CString Text()
    {
        CScintillaCtrl& ctrl = view->GetCtrl();
        std::vector<char> text(static_cast<size_t>(ctrl.GetLength()) + 1);
        ::SendMessageA(ctrl, SCI_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        return text.data();
    }
};

TEST_F(FindReplaceTest, OneDialogAtATimeProposingTheSelectionOrTheWordAtTheCaret)
{
    CScintillaCtrl& ctrl = view->GetCtrl();
    ctrl.SetSel(4, 7);  // "two"
    view->OnEditFindReplace(1);
    CScintillaFindReplaceDlg* find = g_scintillaFind.dialog;
    ASSERT_NE(find, nullptr);
    EXPECT_STREQ(ItemText(0x480), "two");
    EXPECT_NE(Item(IDC_REGULAR_EXPRESSION), nullptr);  // the editor's own template
    view->OnEditFindReplace(1);
    EXPECT_EQ(g_scintillaFind.dialog, find);  // the same one again

    // Replace closes Find; a selection over a line end is not proposed, the word at the caret is.
    const HWND findWindow = find->m_hWnd;
    ctrl.SetSel(5, 12);  // "wo\r\nthr", the caret in "three"
    view->OnEditFindReplace(0);
    EXPECT_FALSE(::IsWindow(findWindow));
    ASSERT_NE(g_scintillaFind.dialog, nullptr);
    EXPECT_EQ(g_scintillaFind.mode, 0);
    EXPECT_STREQ(ItemText(0x480), "three");
}

TEST_F(FindReplaceTest, TheButtonsSearchAndReplaceWithTheRegularExpressionBoxAsTicked)
{
    view->OnEditFindReplace(0);
    ASSERT_NE(g_scintillaFind.dialog, nullptr);
    ::SendMessageA(Item(IDC_REGULAR_EXPRESSION), BM_CLICK, 0, 0);
    EXPECT_TRUE(g_scintillaFind.dialog->m_bRegularExpression);
    ::SetWindowTextA(Item(0x480), "t[a-z]+");
    ::SetWindowTextA(Item(0x481), "X");
    ::SendMessageA(Item(0x401), BM_CLICK, 0, 0);  // Replace All
    EXPECT_STREQ(Text(), "one X\r\nX X one\r\n");
    EXPECT_TRUE(g_scintillaFind.regularExpression);
    EXPECT_STREQ(g_scintillaFind.replaceText, "X");
    EXPECT_NE(g_scintillaFind.dialog, nullptr);  // replacing keeps the dialog

    // Find Next from a find-only dialog selects the hit and closes the dialog.
    view->OnEditFindReplace(1);
    ::SetWindowTextA(Item(0x480), "one");
    view->GetCtrl().SetSel(0, 0);
    ::SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
    EXPECT_EQ(g_scintillaFind.dialog, nullptr);
    EXPECT_EQ(view->GetCtrl().GetSelectionStart(), 0);
    EXPECT_STREQ(view->GetCtrl().GetSelText(), "one");
    EXPECT_TRUE(app.prompts.empty());
}

// A text as a window made through the system's code page shows it: Cyrillic only where that is
// the Cyrillic one.
std::wstring AsShown(std::wstring text)
{
    if (::GetACP() != 1251) {
        for (wchar_t& c : text)
            c = c >= 0x400 && c < 0x500 ? L'?' : c;
    }
    return text;
}

TEST_F(FindReplaceTest, InFilesDialogsComeFromTheirTemplatesInTheLanguageAndProposeTheFindBoxText)
{
    CXTPControlComboBox* box = frame->GetFindCombo();
    ASSERT_NE(box, nullptr);
    box->SetCurSel(box->AddString("needle"));
    view->GetCtrl().SetSel(1, 1);  // no selection, the caret in the word "one"
    g_scintillaFind.regularExpression = TRUE;
    const struct {
        WORD language;
        int mode;
        const wchar_t* title;
    } cases[] = {
        // Each mode another than the open dialog's, so each makes a new dialog; English Find last.
        {1031, 3, L"In Dateien ersetzen"},
        {1049, 2, L"\u041d\u0430\u0439\u0442\u0438 \u0432 \u0444\u0430\u0439\u043b\u0430\u0445"},
        {1033, 3, L"Replace in Files"},
        {1033, 2, L"Find in Files"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.language << " mode " << c.mode);
        AfxSetResourceLanguage(c.language);
        view->OnEditFindReplace(c.mode);
        ASSERT_NE(g_scintillaFind.dialog, nullptr);
        wchar_t title[64] = {};
        ::GetWindowTextW(g_scintillaFind.dialog->m_hWnd, title, 64);
        EXPECT_EQ(std::wstring(title), AsShown(c.title));
        EXPECT_STREQ(ItemText(0x480), "needle");
        // The files are searched for plain text: the box is there, unticked and disabled.
        ASSERT_NE(Item(IDC_REGULAR_EXPRESSION), nullptr);
        EXPECT_FALSE(::IsWindowEnabled(Item(IDC_REGULAR_EXPRESSION)));
        EXPECT_EQ(::SendMessageA(Item(IDC_REGULAR_EXPRESSION), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(Item(0x420), nullptr) << "no direction";
        // Replacing in files is all or nothing: no Find Next, no single Replace.
        EXPECT_EQ(Item(IDOK) != nullptr, c.mode == 2);
        EXPECT_EQ(Item(0x400), nullptr);
        EXPECT_EQ(Item(0x401) != nullptr, c.mode == 3);
    }
    AfxSetResourceLanguage(1033);

    // A search in files leaves the editor's direction and expression choice as they were.
    g_scintillaFind.searchDown = FALSE;
    ::SetWindowTextA(Item(0x480), "two");
    g_solutionConfig.FindThread = 1;  // a worker runs: nothing starts
    ::SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
    g_solutionConfig.FindThread = 0;
    EXPECT_EQ(g_scintillaFind.dialog, nullptr);
    EXPECT_STREQ(g_scintillaFind.findText, "two");
    EXPECT_FALSE(g_scintillaFind.searchDown);
    EXPECT_TRUE(g_scintillaFind.regularExpression);
}

TEST_F(FindReplaceTest, SearchesStepOffTheCurrentHitAndWrapOnlyWhenFinding)
{
    CScintillaCtrl& ctrl = view->GetCtrl();
    ctrl.SetText(reinterpret_cast<LPARAM>("ab ab ab"));
    const struct {
        int mode;
        int selStart, selEnd;
        BOOL down;
        BOOL found;
        int hit;
    } cases[] = {
        {1, 0, 2, TRUE, TRUE, 3},    // the selected hit is not found again
        {1, 0, 1, TRUE, TRUE, 3},    // nor one that starts where the selection does
        {1, 6, 8, TRUE, TRUE, 0},    // past the last: round to the first
        {0, 6, 8, TRUE, FALSE, 6},   // replacing never goes round
        {1, 3, 5, FALSE, TRUE, 0},   // upwards
        {1, 0, 2, FALSE, TRUE, 6},   // upwards past the first: round to the last
        {1, 4, 4, TRUE, TRUE, 6},    // from the caret
    };
    for (const auto& c : cases) {
        g_scintillaFind.mode = c.mode;
        ctrl.SetSel(c.selStart, c.selEnd);
        EXPECT_EQ(view->FindTextSimple("ab", c.down, FALSE, FALSE, FALSE), c.found) << c.selStart << " " << c.mode;
        EXPECT_EQ(ctrl.GetSelectionStart(), c.hit) << c.selStart << " " << c.mode;
    }
}

TEST_F(FindReplaceTest, ReplaceChangesTheSelectionOnlyWhenItIsAHitThenFindsTheNext)
{
    CScintillaCtrl& ctrl = view->GetCtrl();
    const struct {
        const char* find;
        BOOL regExp;
        int selStart, selEnd;
        const char* text;
        int next;
    } cases[] = {
        {"ab", FALSE, 0, 2, "X ab", 2},   // the hit selected: replaced
        {"ab", FALSE, 0, 1, "ab ab", 3},  // part of a hit: left, the next one found
        {"a.", TRUE, 0, 2, "X ab", 2},    // a hit of the expression
        {"AB", FALSE, 0, 2, "X ab", 2},   // case ignored unless asked
    };
    for (const auto& c : cases) {
        ctrl.SetText(reinterpret_cast<LPARAM>("ab ab"));
        g_scintillaFind.mode = 0;
        ctrl.SetSel(c.selStart, c.selEnd);
        view->OnReplaceSel(c.find, TRUE, FALSE, FALSE, c.regExp, "X");
        EXPECT_STREQ(Text(), c.text) << c.find;
        EXPECT_EQ(ctrl.GetSelectionStart(), c.next) << c.find;
    }
    EXPECT_TRUE(app.prompts.empty());
}

TEST_F(FindReplaceTest, ASearchWithoutAHitSaysSoInTheWordsOfTheMode)
{
    const struct {
        int mode;
        bool replaceAll;
        const char* prompt;
    } cases[] = {
        {1, false, "Cannot find the string 'zzz'."},
        {0, false, "Finished searching 'zzz'."},
        {0, true, "Finished searching 'zzz'."},
    };
    for (const auto& c : cases) {
        g_scintillaFind.mode = c.mode;
        app.prompts.clear();
        if (c.replaceAll)
            view->OnReplaceAll("zzz", "y", FALSE, FALSE, FALSE);
        else
            view->OnFindNext("zzz", TRUE, FALSE, FALSE, FALSE);
        EXPECT_EQ(app.prompts, std::vector<std::string>{c.prompt}) << c.mode;
    }
    EXPECT_STREQ(Text(), "one two\r\nthree two one\r\n");
}

}  // namespace

namespace {

TEST_F(FindReplaceTest, AfterAReplacementTheDialogMovesOffTheNextHit)
{
    CScintillaCtrl& ctrl = view->GetCtrl();
    view->OnEditFindReplace(0);
    ASSERT_NE(g_scintillaFind.dialog, nullptr);
    HWND dialog = g_scintillaFind.dialog->m_hWnd;
    const int next = 13;  // "two" on the second line, once the first is replaced by "2"
    const struct {
        int frameTop;
        bool below;  // the dialog goes below the hit (near the screen's top), else above it
    } cases[] = {{0, true}, {600, false}};
    for (const auto& c : cases) {
        ctrl.SetText(reinterpret_cast<LPARAM>("one two\r\nthree two one\r\n"));
        frame->SetWindowPos(nullptr, 0, c.frameTop, 800, 400, SWP_NOZORDER);
        ctrl.SetSel(4, 7);
        // The dialog lies over the place of the next hit.
        view->OnReplaceSel("two", TRUE, FALSE, FALSE, FALSE, "2");
        ASSERT_EQ(ctrl.GetSelectionStart(), next);
        POINT hit{LONG(ctrl.PointXFromPosition(next)), LONG(ctrl.PointYFromPosition(next))};
        ::ClientToScreen(ctrl.m_hWnd, &hit);
        RECT rect;
        ::GetWindowRect(dialog, &rect);
        ::SetWindowPos(dialog, nullptr, hit.x - 10, hit.y - 10, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
        const int height = rect.bottom - rect.top;

        view->AdjustFindDialogPosition();
        ::GetWindowRect(dialog, &rect);
        EXPECT_FALSE(::PtInRect(&rect, hit)) << c.frameTop;
        if (c.below)
            EXPECT_EQ(rect.top, hit.y + 40);
        else
            EXPECT_EQ(rect.bottom, hit.y - 20);
        EXPECT_EQ(rect.bottom - rect.top, height);
    }
    EXPECT_STREQ(Text(), "one 2\r\nthree two one\r\n");
}

}  // namespace
