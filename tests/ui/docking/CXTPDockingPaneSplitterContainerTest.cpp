// Splitter containers: sharing space by preferred sizes within tracking bounds, the client's
// branch as filler, hidden client, bounds of the whole, track range, applying a position
// and locked splitters.
#include "CXTPDockingPaneSplitterContainer.h"

#include <gtest/gtest.h>

#include "CXTPDockingPaneSplitterWnd.h"
#include "DockingFixture.h"

namespace {

struct Child {
    int length;    // preferred width
    int min = 0;   // minimum tracking width
    bool client = false;
};

// A horizontal container of the given children laid out in a rectangle of the given width;
// the widths the children get.
std::vector<int> LayOut(TestOwner& owner, const std::vector<Child>& children, int width)
{
    auto* pTop = new CXTPDockingPaneSplitterContainer(&owner);
    std::vector<CXTPDockingPaneBase*> elements;
    for (const Child& c : children) {
        CXTPDockingPaneBase* pElement;
        if (c.client) {
            pElement = new CXTPDockingPaneBase(DPT_CLIENT, &owner);
        } else {
            CXTPDockingPane* pPane = owner.NewPane(1);
            pPane->m_ptMinTrackSize = {c.min, 0};
            pElement = pPane;
        }
        pElement->m_szDocking = {c.length, 50};
        if (elements.empty())
            pTop->Init(pElement, TRUE, &owner.frame);
        else
            pTop->InsertPane(pElement);
        elements.push_back(pElement);
    }
    pTop->OnSizeParent(&owner.frame, CRect(0, 0, width, 100), nullptr);
    std::vector<int> widths;
    for (CXTPDockingPaneBase* pElement : elements)
        widths.push_back(pElement->m_rcWindow.Width());
    return widths;
}

TEST(SplitterContainer, SharesTheWidthByPreferredSizes)
{
    struct Case {
        const char* what;
        std::vector<Child> children;
        int width;
        std::vector<int> widths;
    } cases[] = {
        {"in proportion, the last takes the rest", {{100}, {300}}, 420, {104, 312}},
        {"a minimum is kept, the rest shared", {{10, 60}, {100}, {100}}, 268, {60, 100, 100}},
        {"a minimum is kept, the rest in proportion", {{10, 100}, {100}, {300}}, 508, {100, 100, 300}},
        {"the client takes what the panes leave", {{100}, {0, 0, true}, {150}}, 608, {100, 350, 150}},
        {"the client grows with the frame", {{100}, {0, 0, true}, {150}}, 1008, {100, 750, 150}},
        {"no room: nothing is negative", {{100}, {300}}, 2, {0, 0}},
    };
    for (const Case& c : cases) {
        TestOwner owner;
        std::vector<int> widths = LayOut(owner, c.children, c.width);
        EXPECT_EQ(widths, c.widths) << c.what;
    }
}

TEST(SplitterContainer, HiddenClientGivesItsRoomToThePanes)
{
    TestOwner owner;
    owner.hideClient = TRUE;
    auto* pTop = new CXTPDockingPaneSplitterContainer(&owner);
    CXTPDockingPane* pLeft = owner.NewPane(1);
    pLeft->m_szDocking = {100, 0};
    auto* pClient = new CXTPDockingPaneBase(DPT_CLIENT, &owner);
    pClient->m_rcWindow = CRect(1, 1, 50, 50);
    CXTPDockingPane* pRight = owner.NewPane(2);
    pRight->m_szDocking = {300, 0};
    pTop->Init(pLeft, TRUE, &owner.frame);
    pTop->InsertPane(pClient);
    pTop->InsertPane(pRight);
    EXPECT_EQ(pTop->GetSplitters().size(), 1u) << "no splitter beside the hidden client";

    pTop->OnSizeParent(&owner.frame, CRect(0, 0, 420, 100), nullptr);
    EXPECT_EQ(pLeft->m_rcWindow.Width(), 104);
    EXPECT_EQ(pRight->m_rcWindow.Width(), 312);
}

TEST(SplitterContainer, BoundsAddAlongAndMeetAcross)
{
    TestOwner owner;
    auto* pTop = new CXTPDockingPaneSplitterContainer(&owner);
    CXTPDockingPane* pA = owner.NewPane(1);
    pA->m_ptMinTrackSize = {30, 40};
    pA->m_ptMaxTrackSize = {300, 400};
    CXTPDockingPane* pB = owner.NewPane(2);
    pB->m_ptMinTrackSize = {20, 60};
    pB->m_ptMaxTrackSize = {200, 500};
    MINMAXINFO mmi;
    pTop->GetMinMaxInfo(&mmi);
    EXPECT_EQ(mmi.ptMinTrackSize.x, 0) << "no child";
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 32000);

    pTop->Init(pA, TRUE, &owner.frame);
    pTop->InsertPane(pB);
    pTop->GetMinMaxInfo(&mmi);
    EXPECT_EQ(mmi.ptMinTrackSize.x, 30 + 20 + 4);
    EXPECT_EQ(mmi.ptMaxTrackSize.x, 300 + 200 + 4);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 60);
    EXPECT_EQ(mmi.ptMaxTrackSize.y, 400);
}

TEST(SplitterContainer, InsertPlacesBeforeOrAfterTheNeighbour)
{
    TestOwner owner;
    auto* pTop = new CXTPDockingPaneSplitterContainer(&owner);
    CXTPDockingPane* p1 = owner.NewPane(1);
    CXTPDockingPane* p2 = owner.NewPane(2);
    CXTPDockingPane* p3 = owner.NewPane(3);
    CXTPDockingPane* p4 = owner.NewPane(4);
    pTop->Init(p1, FALSE, &owner.frame);
    pTop->InsertPane(p2, p1, FALSE);
    pTop->InsertPane(p3, p1, TRUE);
    pTop->InsertPane(p4, nullptr, FALSE);
    std::vector<CXTPDockingPaneBase*> expected = {p4, p2, p1, p3};
    EXPECT_EQ(pTop->GetChildren(), expected);
    EXPECT_EQ(pTop->GetSplitters().size(), 3u);
    EXPECT_EQ(p3->m_pParentContainer, pTop);
    EXPECT_EQ(pTop->ContainsPane(p1), 3);

    pTop->RemovePane(p1);
    EXPECT_EQ(pTop->GetSplitters().size(), 2u);
    EXPECT_TRUE(p1->IsClosed());
}

TEST(SplitterContainer, EmptiedNestedContainerLeavesItsParent)
{
    TestOwner owner;
    auto* pTop = new CXTPDockingPaneSplitterContainer(&owner);
    auto* pInner = new CXTPDockingPaneSplitterContainer(&owner);
    CXTPDockingPane* pA = owner.NewPane(1);
    CXTPDockingPane* pB = owner.NewPane(2);
    pTop->Init(pA, TRUE, &owner.frame);
    pInner->Init(pB, FALSE, &owner.frame);
    pTop->InsertPane(pInner);
    pInner->RemovePane(pB);
    EXPECT_EQ(pTop->GetChildren().size(), 1u);
    EXPECT_EQ(pInner->m_pParentContainer, nullptr);
}

// Two panes side by side in the frame, laid out with real splitter windows.
struct SplitPair {
    explicit SplitPair(TestOwner& owner)
    {
        top = new CXTPDockingPaneSplitterContainer(&owner);
        first = owner.NewPane(1);
        second = owner.NewPane(2);
        first->m_szDocking = {100, 0};
        second->m_szDocking = {300, 0};
        top->Init(first, TRUE, &owner.frame);
        top->InsertPane(second);
        AFX_SIZEPARENTPARAMS layout = {};
        layout.hDWP = ::BeginDeferWindowPos(4);
        top->OnSizeParent(&owner.frame, CRect(0, 0, 420, 200), &layout);
        ::EndDeferWindowPos(layout.hDWP);
        splitter = top->GetSplitters().front();
    }
    CXTPDockingPaneSplitterContainer* top;
    CXTPDockingPane *first, *second;
    CXTPDockingPaneSplitterWnd* splitter;
};

TEST(SplitterWnd, StripSitsBetweenTheNeighbours)
{
    TestOwner owner;
    SplitPair pair(owner);
    CRect rc;
    ::GetWindowRect(pair.splitter->GetSafeHwnd(), &rc);
    owner.frame.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(104, 0, 108, 200));
}

TEST(SplitterWnd, TrackRangeKeeps22PixelsOrTheMinimum)
{
    struct Case {
        int firstMin, secondMin;
        int nearEdge, farEdge;  // client coordinates
    } cases[] = {
        {0, 0, 22, 420 - 22},
        {50, 0, 50, 420 - 22},
        {0, 40, 22, 420 - 44},
        {0, 10, 22, 420 - 22},  // 10 + splitter 4 < 22
    };
    for (const Case& c : cases) {
        TestOwner owner;
        SplitPair pair(owner);
        pair.first->m_ptMinTrackSize = {c.firstMin, 0};
        pair.second->m_ptMinTrackSize = {c.secondMin, 0};
        CRect rcTrack, rcLimits;
        EXPECT_TRUE(pair.splitter->GetTrackRect(rcTrack, rcLimits));
        owner.frame.ScreenToClient(&rcTrack);
        owner.frame.ScreenToClient(&rcLimits);
        EXPECT_EQ(rcLimits, CRect(0, 0, 420, 200));
        EXPECT_EQ(rcTrack.left, c.nearEdge) << c.firstMin << "/" << c.secondMin;
        EXPECT_EQ(rcTrack.right, c.farEdge) << c.firstMin << "/" << c.secondMin;
    }
    TestOwner owner;
    SplitPair pair(owner);
    pair.first->m_ptMinTrackSize = {210, 0};
    pair.second->m_ptMinTrackSize = {210, 0};
    CRect rcTrack, rcLimits;
    EXPECT_FALSE(pair.splitter->GetTrackRect(rcTrack, rcLimits)) << "no room to move";
}

TEST(SplitterWnd, ApplyingAPositionSharesThePairsLengths)
{
    TestOwner owner;
    SplitPair pair(owner);
    pair.first->m_szDocking = {104, 0};
    pair.second->m_szDocking = {312, 0};
    CRect rcLimits = pair.first->GetScreenRect();
    rcLimits.UnionRect(rcLimits, pair.second->GetScreenRect());
    CRect rc = rcLimits;
    rc.left += 210;  // half way
    pair.splitter->Apply(rc, rcLimits);
    EXPECT_EQ(pair.first->m_szDocking.cx, 420 * 210 / 420);
    EXPECT_EQ(pair.first->m_szDocking.cx + pair.second->m_szDocking.cx, 416);
}

TEST(SplitterWnd, LockedSplittersShowNoCursorAndDoNotTrack)
{
    TestOwner owner;
    SplitPair pair(owner);
    HWND hWnd = pair.splitter->GetSafeHwnd();
    LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);

    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    ::SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), hit);
    EXPECT_EQ(::GetCursor(), pair.splitter->m_hCursor);
    ASSERT_NE(pair.splitter->m_hCursor, nullptr);

    owner.lockSplitters = TRUE;
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    ::SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), hit);
    EXPECT_NE(::GetCursor(), pair.splitter->m_hCursor);

    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(pair.first->m_szDocking.cx, 100) << "sizes untouched";
}

// Posts the moves (splitter client coordinates) and the ending message, then presses the
// splitter at (1, 10): the drag loop runs on what was posted.
void Drag(HWND hWnd, std::initializer_list<int> xs, UINT endMessage, WPARAM endParam = 0)
{
    for (int x : xs)
        ::PostMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 10));
    ::PostMessageA(hWnd, endMessage, endParam, MAKELPARAM(0, 10));
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
}

TEST(SplitterWnd, DraggingMovesThePreferredSizes)
{
    struct Case {
        const char* what;
        BOOL ghost;
        UINT end;
        WPARAM endParam;
        int first;  // the first pane's preferred width afterwards
    } cases[] = {
        // Moved by 50 - 1: the splitter's near edge goes from 104 to 153 of 420; the pair
        // shares 104 + 312 + 4 = 420, so the first gets 420 * 153 / 420.
        {"ghost, released", TRUE, WM_LBUTTONUP, 0, 153},
        {"ghost, Escape", TRUE, WM_KEYDOWN, VK_ESCAPE, 104},
        {"live, released", FALSE, WM_LBUTTONUP, 0, 153},
        {"live, Escape keeps what was reached", FALSE, WM_KEYDOWN, VK_ESCAPE, 153},
    };
    for (const Case& c : cases) {
        TestOwner owner;
        owner.ghost = c.ghost;
        SplitPair pair(owner);
        Drag(pair.splitter->GetSafeHwnd(), {20, 50}, c.end, c.endParam);
        EXPECT_EQ(pair.first->m_szDocking.cx, c.first) << c.what;
        EXPECT_EQ(pair.first->m_szDocking.cx + pair.second->m_szDocking.cx, 416) << c.what;
        EXPECT_EQ(::GetCapture(), nullptr) << c.what;
        TestOwner::Pump();
    }
}

TEST(SplitterWnd, DragIsClampedToTheTrackRange)
{
    TestOwner owner;
    owner.ghost = FALSE;
    SplitPair pair(owner);
    Drag(pair.splitter->GetSafeHwnd(), {-500}, WM_LBUTTONUP);
    EXPECT_EQ(pair.first->m_szDocking.cx, 22);
}

TEST(SplitterWnd, DragLoopsKeepTheQuitMessage)
{
    for (BOOL ghost : {TRUE, FALSE}) {
        TestOwner owner;
        owner.ghost = ghost;
        SplitPair pair(owner);
        ::PostQuitMessage(7);
        ::SendMessageA(pair.splitter->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
        EXPECT_EQ(::GetCapture(), nullptr);
        MSG msg;
        ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << ghost;
        EXPECT_EQ(msg.wParam, 7u);
    }
}

}  // namespace
