// The Arrange Windows dialog over an MDI frame with three children: listing, buttons by selection, arranging, sizing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CMDIChildWnd.h"
#include "CDocument.h"
#include "CMDIFrameWnd.h"
#include "CView.h"
#include "CXTWindowList.h"

namespace {

class BlankView : public CView {
public:
    void OnDraw(CDC*) override {}
};

class WindowListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 450)));
        for (const char* title : {"first.d", "second.d", "third.d"}) {
            auto* child = new CMDIChildWnd;
            ASSERT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                      CRect(0, 0, 200, 150), frame));
            children.push_back(child);
        }
        dialog = new CXTWindowList(frame);
        ASSERT_TRUE(dialog->Create(XT_IDD_WINDOWLIST, frame));
        dialog->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (dialog->m_hWnd)
            dialog->DestroyWindow();
        delete dialog;
        frame->DestroyWindow();
        CWnd::DeleteTempMap();
    }

    std::vector<std::string> Listed()
    {
        std::vector<std::string> titles;
        for (int i = 0; i < dialog->m_lboxWindows.GetCount(); ++i) {
            CString text;
            dialog->m_lboxWindows.GetText(i, text);
            titles.emplace_back(text);
        }
        return titles;
    }
    int IndexOf(CWnd* child)
    {
        for (int i = 0; i < dialog->m_lboxWindows.GetCount(); ++i)
            if (reinterpret_cast<HWND>(dialog->m_lboxWindows.GetItemData(i)) == child->m_hWnd)
                return i;
        return -1;
    }
    void Select(std::vector<int> items)
    {
        dialog->m_lboxWindows.SetSel(-1, FALSE);
        for (int i : items)
            dialog->m_lboxWindows.SetSel(i, TRUE);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(XT_IDC_LBOX_WINDOWS, LBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(dialog->m_lboxWindows.m_hWnd));
    }
    void Press(int id)
    {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(*dialog, id)));
    }
    bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(*dialog, id)) != FALSE; }
    CRect ChildRect(int id)
    {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(*dialog, id), &rect);
        dialog->ScreenToClient(&rect);
        return rect;
    }

    CMDIFrameWnd* frame = nullptr;
    std::vector<CMDIChildWnd*> children;
    CXTWindowList* dialog = nullptr;
};

TEST_F(WindowListTest, ListsTheChildrenWithTheActiveOneSelected)
{
    std::vector<std::string> listed = Listed();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"first.d", "second.d", "third.d"}));
    EXPECT_EQ(dialog->m_lboxWindows.GetSelCount(), 1);
    EXPECT_GT(dialog->m_lboxWindows.GetSel(IndexOf(frame->MDIGetActive())), 0);
    EXPECT_NE(dialog->SendMessage(WM_GETICON, ICON_SMALL), 0);
}

TEST_F(WindowListTest, AnUntitledWindowIsListedUnderItsDocumentsTitle)
{
    auto* child = new CMDIChildWnd;
    ASSERT_TRUE(child->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), frame));
    auto* view = new BlankView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), child, 0xE900));
    CDocument document;
    document.m_bAutoDelete = FALSE;  // it lives on the stack
    document.SetTitle("Untitled.d");
    document.AddView(view);
    EXPECT_EQ(dialog->GetWindowTitle(child->m_hWnd), "Untitled.d");
    CString caption;
    child->GetWindowText(caption);
    EXPECT_EQ(caption, "Untitled.d");
    document.RemoveView(view);
    CWnd bare;
    ASSERT_TRUE(bare.CreateEx(0, CWnd::DefaultClassName(), "", WS_CHILD, CRect(0, 0, 10, 10), frame, 0));
    EXPECT_EQ(dialog->GetWindowTitle(bare.m_hWnd), "");  // no view: no title
    bare.DestroyWindow();
}

TEST_F(WindowListTest, ButtonsFollowTheSelectionCount)
{
    const struct {
        std::vector<int> selected;
        bool activate, saveCloseMinimize, arrange;
    } cases[] = {
        {{}, false, false, false},
        {{1}, true, true, false},
        {{0, 2}, false, true, true},
        {{0, 1, 2}, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected.size());
        Select(c.selected);
        EXPECT_EQ(Enabled(XT_IDC_BTN_ACTIVATE), c.activate);
        for (int id : {XT_IDC_BTN_SAVE, XT_IDC_BTN_CLOSEWINDOWS, XT_IDC_BTN_MINIMIZE})
            EXPECT_EQ(Enabled(id), c.saveCloseMinimize) << id;
        for (int id : {XT_IDC_BTN_CASCADE, XT_IDC_BTN_TILEHORZ, XT_IDC_BTN_TILEVERT})
            EXPECT_EQ(Enabled(id), c.arrange) << id;
    }
}

TEST_F(WindowListTest, TilingMinimisesTheWindowsNotSelected)
{
    const int keep = IndexOf(children[1]);
    Select({keep});
    Press(XT_IDC_BTN_TILEHORZ);
    for (CMDIChildWnd* child : children)
        EXPECT_EQ(child->IsIconic() != FALSE, child != children[1]);
    Select({IndexOf(children[0]), IndexOf(children[2])});
    Press(XT_IDC_BTN_TILEVERT);  // the selected come back, the other goes
    for (CMDIChildWnd* child : children)
        EXPECT_EQ(child->IsIconic() != FALSE, child == children[1]);
}

TEST_F(WindowListTest, ActivateTakesTheOneSelectedWindowAndCloseClosesTheSelected)
{
    Select({IndexOf(children[0])});
    Press(XT_IDC_BTN_ACTIVATE);
    EXPECT_EQ(frame->MDIGetActive(), children[0]);

    Select({IndexOf(children[2])});
    HWND closing = children[2]->m_hWnd;
    Press(XT_IDC_BTN_CLOSEWINDOWS);
    EXPECT_FALSE(::IsWindow(closing));
    EXPECT_EQ(dialog->m_lboxWindows.GetCount(), 2);
}

TEST_F(WindowListTest, ResizingWidensTheListAndKeepsTheButtonsRight)
{
    CRect client;
    dialog->GetClientRect(&client);
    const CRect list = ChildRect(XT_IDC_LBOX_WINDOWS), button = ChildRect(XT_IDC_BTN_MINIMIZE);
    CRect window;
    dialog->GetWindowRect(&window);
    dialog->SetWindowPos(nullptr, 0, 0, window.Width() + 120, window.Height() + 60, SWP_NOMOVE | SWP_NOZORDER);
    CRect grown;
    dialog->GetClientRect(&grown);
    ASSERT_EQ(grown.Width(), client.Width() + 120);
    EXPECT_EQ(ChildRect(XT_IDC_LBOX_WINDOWS).Width(), list.Width() + 120);
    EXPECT_EQ(ChildRect(XT_IDC_LBOX_WINDOWS).Height(), list.Height() + 60);
    EXPECT_EQ(grown.right - ChildRect(XT_IDC_BTN_MINIMIZE).right, client.right - button.right);
    EXPECT_EQ(ChildRect(XT_IDC_BTN_MINIMIZE).top, button.top);
}

}  // namespace
