// The find and replace dialog of the editor view: one dialog at a time, the proposed text, the
// regular-expression box, and searches started from its buttons.
#include <gtest/gtest.h>

#include "CScintillaFindReplaceDlg.h"
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
        if (g_scintillaFind.dialog)
            g_scintillaFind.dialog->SendMessage(WM_CLOSE);
        EditorTest::TearDown();
        EXPECT_EQ(g_scintillaFind.dialog, nullptr);  // gone with the last editor view
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
    EXPECT_NE(Item(kRegularExpressionBox), nullptr);  // the editor's own template
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
    ::SendMessageA(Item(kRegularExpressionBox), BM_CLICK, 0, 0);
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

}  // namespace
