// Docking panes: title parts, tab colours, options, where the window lives when the pane
// is closed or contained, focus and the window request on show.
#include "CXTPDockingPane.h"

#include <gtest/gtest.h>

#include "DockingFixture.h"

namespace {

// A container with a window of its own, as the tab group has.
class WindowContainer : public CXTPDockingPaneBase {
public:
    explicit WindowContainer(TestOwner* pOwner) : CXTPDockingPaneBase(DPT_TABBED, pOwner)
    {
        hwnd = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200,
                                 pOwner->frame.GetSafeHwnd(), nullptr, nullptr, nullptr);
    }
    HWND GetPaneHwnd() const override { return hwnd; }
    CXTPDockingPane* GetSelectedPane() const override { return selected; }
    HWND hwnd;
    CXTPDockingPane* selected = nullptr;
};

// Answers the tab-colour request with a fixed colour.
LRESULT CALLBACK ColourAnswer(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PANE_GETTABCOLOR)
        return RGB(1, 2, 3);
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND Static(HWND hParent, DWORD style = WS_CHILD | WS_VISIBLE)
{
    return ::CreateWindowExA(0, "STATIC", "", style, 0, 0, 50, 50, hParent, nullptr, nullptr, nullptr);
}

// The window's own visible flag, whatever its ancestors.
bool Shown(HWND hWnd)
{
    return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

TEST(DockingPane, TitleSplitsAtFirstLineFeedOrServesBoth)
{
    struct Case {
        const char* title;
        const char* caption;
        const char* tab;
    } cases[] = {
        {"Message window\nOutput", "Message window", "Output"},
        {"Class View", "Class View", "Class View"},
        {"A\nB\nC", "A", "B\nC"},
        {"\nTab only", "", "Tab only"},
        {"", "", ""},
    };
    TestOwner owner;
    CXTPDockingPane* pPane = owner.NewPane(1);
    for (const Case& c : cases) {
        pPane->SetTitle(c.title);
        EXPECT_STREQ(pPane->GetTitle(), c.caption) << c.title;
        EXPECT_STREQ(pPane->GetTabCaption(), c.tab) << c.title;
    }
}

TEST(DockingPane, TabColourIsAutomaticByIdUnlessTheWindowAnswers)
{
    TestOwner owner;
    CXTPDockingPane* pPane = owner.NewPane(9);
    EXPECT_EQ(pPane->GetTabColor(), 0x1000001u);

    HWND hSilent = Static(owner.frame.GetSafeHwnd());
    pPane->Attach(CWnd::FromHandle(hSilent));
    EXPECT_EQ(pPane->GetTabColor(), 0x1000001u) << "a window answering 0 leaves the automatic colour";

    HWND hAnswering = Static(owner.frame.GetSafeHwnd());
    ::SetWindowLongPtrA(hAnswering, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColourAnswer));
    pPane->Attach(CWnd::FromHandle(hAnswering));
    EXPECT_EQ(pPane->GetTabColor(), RGB(1, 2, 3));
}

TEST(DockingPane, OptionsAddTheManagersDefaults)
{
    TestOwner owner;
    CXTPDockingPane* pPane = owner.NewPane(1);
    for (DWORD own : {0u, 1u, 2u, 4u, 8u}) {
        for (DWORD defaults : {0u, 1u, 8u}) {
            pPane->m_dwOptions = own;
            owner.defaultOptions = defaults;
            EXPECT_EQ(pPane->GetOptions(), own | defaults);
        }
    }
}

TEST(DockingPane, ClosedPaneParksItsWindowHiddenUnderTheManager)
{
    TestOwner owner;
    auto* pGroup = new WindowContainer(&owner);
    CXTPDockingPane* pPane = owner.NewPane(1);
    HWND hChild = Static(owner.frame.GetSafeHwnd());

    pPane->SetParentContainer(pGroup);
    pPane->Attach(CWnd::FromHandle(hChild));
    EXPECT_EQ(::GetParent(hChild), pGroup->hwnd) << "a contained pane's window lives in the container";
    EXPECT_FALSE(pPane->IsClosed());

    pPane->SetParentContainer(nullptr);
    EXPECT_TRUE(pPane->IsClosed());
    EXPECT_EQ(::GetParent(hChild), owner.park);
    EXPECT_FALSE(Shown(hChild));
    EXPECT_EQ(pPane->GetDockingSite(), nullptr);

    // A new window attached while closed stays parked, hidden, until the pane is shown again.
    HWND hNew = Static(owner.frame.GetSafeHwnd());
    pPane->Attach(CWnd::FromHandle(hNew));
    EXPECT_EQ(::GetParent(hNew), owner.park);
    EXPECT_FALSE(Shown(hNew));

    pPane->SetParentContainer(pGroup);
    EXPECT_EQ(::GetParent(hNew), pGroup->hwnd);
}

TEST(DockingPane, DetachHidesTheWindowUnderTheSiteAndForgetsIt)
{
    TestOwner owner;
    auto* pGroup = new WindowContainer(&owner);
    CXTPDockingPane* pPane = owner.NewPane(1);
    pPane->SetParentContainer(pGroup);
    HWND hChild = Static(owner.frame.GetSafeHwnd());
    pPane->Attach(CWnd::FromHandle(hChild));

    pPane->Detach();
    EXPECT_FALSE(pPane->IsAttached());
    EXPECT_EQ(::GetParent(hChild), owner.frame.GetSafeHwnd());
    EXPECT_FALSE(Shown(hChild));
}

TEST(DockingPane, ShowingAsksForTheWindowFirst)
{
    TestOwner owner;
    auto* pGroup = new WindowContainer(&owner);
    CXTPDockingPane* pPane = owner.NewPane(1);
    pPane->SetParentContainer(pGroup);

    pPane->ShowWindow(TRUE);
    ASSERT_EQ(owner.Count(DPN_NEEDWINDOW), 1);
    ASSERT_TRUE(pPane->IsAttached());
    EXPECT_TRUE(Shown(pPane->GetChild()));
    EXPECT_EQ(::GetParent(pPane->GetChild()), pGroup->hwnd);

    pPane->ShowWindow(FALSE);
    EXPECT_EQ(owner.Count(DPN_NEEDWINDOW), 1) << "hiding asks for nothing";
    EXPECT_FALSE(Shown(pPane->GetChild()));
}

TEST(DockingPane, SetFocusLeavesTheFocusInAnInnerControl)
{
    TestOwner owner;
    owner.frame.ShowWindow(SW_SHOW);
    auto* pGroup = new WindowContainer(&owner);
    CXTPDockingPane* pPane = owner.NewPane(1);
    pPane->SetParentContainer(pGroup);
    HWND hChild = Static(owner.frame.GetSafeHwnd());
    pPane->Attach(CWnd::FromHandle(hChild));
    HWND hInner = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, hChild, nullptr, nullptr,
                                    nullptr);

    ::SetFocus(hInner);
    ASSERT_EQ(::GetFocus(), hInner);
    EXPECT_TRUE(pPane->IsFocus());
    pPane->SetFocus();
    EXPECT_EQ(::GetFocus(), hInner);

    ::SetFocus(owner.frame.GetSafeHwnd());
    EXPECT_FALSE(pPane->IsFocus());
    pPane->SetFocus();
    EXPECT_EQ(::GetFocus(), hChild);
}

TEST(DockingPane, SelectedAndStateFollowTheContainer)
{
    TestOwner owner;
    auto* pGroup = new WindowContainer(&owner);
    CXTPDockingPane* pPane = owner.NewPane(1);
    EXPECT_FALSE(pPane->IsSelected());
    pPane->SetParentContainer(pGroup);
    EXPECT_FALSE(pPane->IsSelected());
    pGroup->selected = pPane;
    EXPECT_TRUE(pPane->IsSelected());
    EXPECT_FALSE(pPane->IsHidden());
    EXPECT_FALSE(pPane->IsFloating()) << "docked in the frame, not a mini frame";

    pPane->Select();
    pPane->Close();
    pPane->Hide();
    EXPECT_EQ(owner.shown.size(), 1u);
    EXPECT_EQ(owner.closed.size(), 1u);
    EXPECT_EQ(owner.autoHidden.size(), 1u);
}

TEST(DockingPane, CloneCopiesEverythingButTheWindow)
{
    TestOwner owner;
    CXTPDockingPane* pPane = owner.NewPane(202, "Message window\nOutput");
    pPane->m_nIconID = 7;
    pPane->m_dwOptions = DPO_NOFLOAT;
    pPane->m_szDocking = {120, 80};
    pPane->m_ptMinTrackSize = {30, 40};
    pPane->m_ptMaxTrackSize = {300, 400};
    pPane->Attach(CWnd::FromHandle(Static(owner.frame.GetSafeHwnd())));

    EXPECT_EQ(pPane->Clone(&owner, nullptr), nullptr) << "a pane is cloned only with a map";
    CXTPDockingPaneCloneMap map;
    auto* pClone = dynamic_cast<CXTPDockingPane*>(pPane->Clone(&owner, &map));
    ASSERT_NE(pClone, nullptr);
    EXPECT_EQ(map[pPane], pClone);
    EXPECT_EQ(pClone->m_nID, 202u);
    EXPECT_STREQ(pClone->m_strTitle, "Message window\nOutput");
    EXPECT_EQ(pClone->m_nIconID, 7);
    EXPECT_EQ(pClone->m_dwOptions, static_cast<DWORD>(DPO_NOFLOAT));
    EXPECT_EQ(pClone->m_szDocking.cx, 120);
    EXPECT_EQ(pClone->m_szDocking.cy, 80);
    MINMAXINFO mmi;
    pClone->GetMinMaxInfo(&mmi);
    EXPECT_EQ(mmi.ptMinTrackSize.x, 30);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 400);
    EXPECT_FALSE(pClone->IsAttached());
}

TEST(DockingPaneBase, ClientPlaceholderIsEmptyOnlyWhileTheClientIsHidden)
{
    TestOwner owner;
    CXTPDockingPaneBase* pClient = owner.CreatePaneOfType(DPT_CLIENT, &owner);
    EXPECT_FALSE(pClient->IsEmpty());
    owner.hideClient = TRUE;
    EXPECT_TRUE(pClient->IsEmpty());
    EXPECT_FALSE(owner.NewPane(1)->IsEmpty()) << "only the placeholder hides";

    AFX_SIZEPARENTPARAMS layout = {};
    pClient->OnSizeParent(&owner.frame, CRect(5, 6, 70, 80), &layout);
    EXPECT_EQ(CRect(layout.rect), CRect(5, 6, 70, 80)) << "the frame learns where the MDI client goes";
}

}  // namespace
