// Dock bars in a frame: their ids in the frame's layout, rows after docking and removing,
// wrapping, docking near a dock bar, and the drag context's loops with posted input.
#include "CXTPDockBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../CommandBarsFixture.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPPopupBar.h"
#include "CXTPReBar.h"
#include "CXTPToolBar.h"
#include "CXTPToolBarDragContext.h"

namespace {

// A toolbar of a fixed size: it shrinks (hide-wrap) down to its least length, and a floating
// one takes the length it is given.
class FixedToolBar : public CXTPToolBar {
    DECLARE_DYNCREATE(FixedToolBar)

public:
    int m_cx = 100;
    int m_nLeast = 40;

    CSize CalcDockingLayout(int nLength, DWORD dwMode, int /*nWidth*/) override { return Size(nLength, dwMode); }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override { return Size(nLength, dwMode); }

    CSize Size(int nLength, DWORD dwMode) const
    {
        int cx = m_cx;
        if ((dwMode & LM_HIDEWRAP) && nLength < cx)
            cx = std::max(nLength, m_nLeast);
        if (!(dwMode & (LM_HORZDOCK | LM_VERTDOCK)) && !(dwMode & LM_LENGTHY) && nLength > 0)
            cx = nLength;
        return (dwMode & LM_VERTDOCK) ? CSize(26, cx) : CSize(cx, 26);
    }
};
IMPLEMENT_DYNCREATE(FixedToolBar, CXTPToolBar)

// A toolbar of the real layout that counts its paints.
class CountingToolBar : public CXTPToolBar {
    DECLARE_DYNCREATE(CountingToolBar)

public:
    int m_nPaints = 0;
    void DrawCommandBar(CDC* pDC) override
    {
        m_nPaints++;
        CXTPToolBar::DrawCommandBar(pDC);
    }
};
IMPLEMENT_DYNCREATE(CountingToolBar, CXTPToolBar)

class MenuLikeBar : public FixedToolBar {
    DECLARE_DYNCREATE(MenuLikeBar)

public:
    MenuLikeBar() { m_barType = xtpBarTypeMenuBar; }
};
IMPLEMENT_DYNCREATE(MenuLikeBar, FixedToolBar)

class DockBars : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        frame = new TestFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Dock bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 660, 480)));
        frame->InitCommandBars(RUNTIME_CLASS(TestCommandBars));
        frame->Bars()->EnableDocking();
        pane = new CWnd;
        ASSERT_TRUE(pane->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame,
                                 AFX_IDW_PANE_FIRST));
        PumpFor(50);
    }
    static void TearDownTestSuite()
    {
        frame->DestroyWindow();
        delete pane;
        frame = nullptr;
        PumpFor(20);
    }
    void SetUp() override
    {
        SetClientWidth(600);
        frame->SetForegroundWindow();
        frame->Bars()->GetOptions()->m_bDblClickFloat = TRUE;
    }
    void TearDown() override
    {
        while (Bars()->GetCount() > 0)
            Bars()->Remove(Bars()->GetAt(0));
        PumpFor(10);
    }

    static CXTPCommandBars* Bars() { return frame->Bars(); }
    static CXTPDockBar* Dock(int nPosition) { return Bars()->GetDockBar(nPosition); }

    static void SetClientWidth(int cx)
    {
        CRect rcWindow;
        CRect rcClient;
        frame->GetWindowRect(&rcWindow);
        frame->GetClientRect(&rcClient);
        frame->SetWindowPos(nullptr, 0, 0, cx + rcWindow.Width() - rcClient.Width(), rcWindow.Height(),
                            SWP_NOMOVE | SWP_NOZORDER);
        frame->RecalcLayout();
    }

    static FixedToolBar* AddBar(const char* lpszName, XTPBarPosition position, int cx = 100)
    {
        auto* pBar = static_cast<FixedToolBar*>(Bars()->Add(lpszName, position, RUNTIME_CLASS(FixedToolBar)));
        pBar->m_cx = cx;
        frame->RecalcLayout();
        return pBar;
    }

    // The rows of a dock bar by bar titles: "A B|C".
    static std::string Rows(CXTPDockBar* pDock)
    {
        std::string text;
        for (int i = 1; i < pDock->GetCount(); i++) {
            CXTPToolBar* pBar = pDock->GetAt(i);
            if (!pBar)
                text += i + 1 < pDock->GetCount() ? "|" : "";
            else
                text += std::string(text.empty() || text.back() == '|' ? "" : " ") + static_cast<const char*>(pBar->GetTitle());
        }
        return text;
    }

    // A window's rectangle in the frame's client coordinates.
    static CRect InFrame(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        frame->ScreenToClient(&rc);
        return rc;
    }

    static CPoint ScreenOf(CPoint ptClient)
    {
        frame->ClientToScreen(&ptClient);
        return ptClient;
    }

    // Input for a modal loop: cursor moves over the frame (client coordinates), then the key or
    // the button release that ends it.
    static void PostMoves(std::initializer_list<CPoint> points, UINT nEnd = WM_LBUTTONUP, WPARAM wEnd = 0)
    {
        for (CPoint pt : points)
            frame->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        frame->PostMessage(nEnd, wEnd, 0);
    }

    static TestFrame* frame;
    static CWnd* pane;
};
TestFrame* DockBars::frame = nullptr;
CWnd* DockBars::pane = nullptr;

TEST_F(DockBars, TheFrameLaysOutTheDockBarsAndAnEmptyOneHasNoThickness)
{
    const int ids[4] = {59419, 59422, 59420, 59421};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(ids[i], Dock(i)->GetDlgCtrlID());
        const CRect rc = InFrame(Dock(i));
        EXPECT_EQ(0, i < 2 ? rc.Height() : rc.Width()) << "dock " << i;
    }
    CRect rcClient;
    frame->GetClientRect(&rcClient);
    EXPECT_EQ(rcClient, InFrame(pane));

    AddBar("A", xtpBarTop);
    AddBar("B", xtpBarLeft);
    EXPECT_EQ(26, InFrame(Dock(0)).Height());
    EXPECT_EQ(26, InFrame(Dock(2)).Width());
    EXPECT_EQ(CPoint(26, 26), InFrame(pane).TopLeft()) << "the client starts after both docks";
}

TEST_F(DockBars, RowsKeepNoEmptyRowAndAStretchedBarHasOneOfItsOwn)
{
    AddBar("A", xtpBarTop);
    FixedToolBar* pB = AddBar("B", xtpBarTop);
    AddBar("C", xtpBarTop);
    EXPECT_EQ("A|B|C", Rows(Dock(0)));
    Bars()->Remove(pB);
    EXPECT_EQ("A|C", Rows(Dock(0)));
    EXPECT_EQ(5, Dock(0)->GetCount()) << "separator, A, separator, C, separator";

    auto* pMenu = static_cast<FixedToolBar*>(Bars()->Add("M", xtpBarLeft, RUNTIME_CLASS(MenuLikeBar)));
    pMenu->SetFlags(xtpFlagStretched);
    CRect rcA;
    Dock(0)->GetAt(1)->GetWindowRect(&rcA);
    rcA.OffsetRect(40, 0);
    Bars()->DockCommandBar(pMenu, rcA, Dock(0));
    EXPECT_EQ("M|A|C", Rows(Dock(0)));
    EXPECT_EQ("", Rows(Dock(2)));
}

TEST_F(DockBars, RemovingTheMenuBarLeavesTheManagerWithout)
{
    CXTPCommandBar* pMenu = Bars()->Add("Menu", xtpBarTop, RUNTIME_CLASS(MenuLikeBar));
    ASSERT_EQ(pMenu, Bars()->GetMenuBar());
    Bars()->Remove(pMenu);
    EXPECT_EQ(nullptr, Bars()->GetMenuBar());
    EXPECT_EQ(0, Bars()->GetCount());
    EXPECT_EQ("", Rows(Dock(0)));
}

TEST_F(DockBars, BarsDockedIntoOneRowStandSideBySideAndTheRightmostWrapsWhenShort)
{
    FixedToolBar* pA = AddBar("A", xtpBarTop);
    auto* pB = static_cast<FixedToolBar*>(Bars()->Add("B", xtpBarLeft, RUNTIME_CLASS(FixedToolBar)));
    auto* pC = static_cast<FixedToolBar*>(Bars()->Add("C", xtpBarLeft, RUNTIME_CLASS(FixedToolBar)));
    CRect rc;
    pA->GetWindowRect(&rc);
    rc.OffsetRect(30, 0);
    Bars()->DockCommandBar(pB, rc, Dock(0));
    rc.OffsetRect(30, 0);
    Bars()->DockCommandBar(pC, rc, Dock(0));
    frame->RecalcLayout();
    EXPECT_EQ("C B A", Rows(Dock(0)));
    EXPECT_EQ(CRect(0, 0, 100, 26), InFrame(pA));
    EXPECT_EQ(CRect(100, 0, 200, 26), InFrame(pB));
    EXPECT_EQ(CRect(200, 0, 300, 26), InFrame(pC));

    SetClientWidth(250);
    EXPECT_EQ(CRect(200, 0, 250, 26), InFrame(pC)) << "shrinks while the row holds every bar's least";
    SetClientWidth(100);
    EXPECT_EQ("B A|C", Rows(Dock(0)));
    EXPECT_EQ(26, InFrame(pC).top) << "the new row comes after the old one";
    EXPECT_EQ(52, InFrame(Dock(0)).Height());

    // A lone bar that may not shrink keeps its row however short.
    Bars()->Remove(pA);
    Bars()->Remove(pB);
    pC->SetFlags(0, xtpFlagHideWrap);
    SetClientWidth(60);
    EXPECT_EQ("C", Rows(Dock(0)));
}

TEST_F(DockBars, ABarDocksNearADockBarWithinTwentyPixelsOnly)
{
    const CRect rc(100, 100, 300, 120);
    struct Case {
        CPoint pt;
        BOOL bNear;
    };
    const Case cases[] = {{{80, 110}, FALSE}, {{81, 110}, TRUE},  {{319, 110}, TRUE}, {{320, 110}, FALSE},
                          {{200, 80}, FALSE}, {{200, 81}, TRUE},  {{200, 139}, TRUE}, {{200, 140}, FALSE}};
    for (const Case& c : cases)
        EXPECT_EQ(c.bNear, CXTPCommandBars::IsNearDockBar(rc, c.pt)) << c.pt.x << ", " << c.pt.y;

    // Near the top and the left dock at once: the current dock wins, else the top.
    const CPoint ptCorner = ScreenOf(CPoint(5, 5));
    EXPECT_EQ(Dock(0), Bars()->CanDock(ptCorner));
    EXPECT_EQ(Dock(2), Bars()->CanDock(ptCorner, Dock(2)));
    EXPECT_EQ(nullptr, Bars()->CanDock(ScreenOf(CPoint(300, 200))));
}

TEST_F(DockBars, ADraggedBarDocksAtTheSideUnderTheCursorOrFloats)
{
    CRect rcClient;
    frame->GetClientRect(&rcClient);
    struct Case {
        const char* name;
        CPoint ptTarget;
        DWORD dwRemove;
        XTPBarPosition expected;
    };
    const Case cases[] = {
        {"left", {5, 200}, 0, xtpBarLeft},
        {"right", {rcClient.right - 5, 200}, 0, xtpBarRight},
        {"bottom", {300, rcClient.bottom - 5}, 0, xtpBarBottom},
        {"off the docks", {300, 200}, 0, xtpBarFloating},
        {"off the docks, may not float", {300, 200}, xtpFlagFloating, xtpBarTop},
        {"left, may not dock there", {5, 200}, xtpFlagAlignLeft | xtpFlagFloating, xtpBarTop},
    };
    for (const Case& c : cases) {
        FixedToolBar* pBar = AddBar("A", xtpBarTop);
        pBar->SetFlags(0, c.dwRemove);
        PostMoves({CPoint(60, 200), c.ptTarget});
        pBar->GetDragContext()->StartDrag(ScreenOf(CPoint(50, 13)));
        EXPECT_EQ(c.expected, pBar->GetPosition()) << c.name;
        EXPECT_EQ(c.expected == xtpBarFloating, pBar->GetDockBar() == nullptr) << c.name;
        Bars()->Remove(pBar);
    }
}

TEST_F(DockBars, EscapeLeavesTheBarWhereTheLastMoveTookIt)
{
    FixedToolBar* pBar = AddBar("A", xtpBarTop);
    CXTPToolBarDragContext* pContext = pBar->GetDragContext();
    const CRect rcDocked = pContext->m_rcMRUDockPos;
    PostMoves({CPoint(300, 200)}, WM_KEYDOWN, VK_ESCAPE);
    pContext->StartDrag(ScreenOf(CPoint(50, 13)));
    EXPECT_EQ(xtpBarFloating, pBar->GetPosition());
    CRect rcWindow;
    pBar->GetWindowRect(&rcWindow);
    EXPECT_TRUE(rcWindow.PtInRect(ScreenOf(CPoint(300, 200)) + CSize(0, -1)) || rcWindow.PtInRect(ScreenOf(CPoint(300, 200))));
    EXPECT_EQ(rcWindow.TopLeft(), pContext->m_ptMRUFloatPos);
    EXPECT_EQ(rcDocked, pContext->m_rcMRUDockPos) << "the docked place is the one before the drag";
}

TEST_F(DockBars, ADragDoesNothingWhileAnotherWindowHasTheCapture)
{
    FixedToolBar* pBar = AddBar("A", xtpBarTop);
    frame->SetCapture();
    PostMoves({CPoint(300, 200)});
    pBar->GetDragContext()->StartDrag(ScreenOf(CPoint(50, 13)));
    ::ReleaseCapture();
    EXPECT_EQ(xtpBarTop, pBar->GetPosition());
}

TEST_F(DockBars, DoubleClickFloatsAtTheDockedPlaceAndDocksBackWhereTheBarWas)
{
    FixedToolBar* pBar = AddBar("A", xtpBarTop);
    CXTPToolBarDragContext* pContext = pBar->GetDragContext();
    PostMoves({CPoint(5, 200)});
    pContext->StartDrag(ScreenOf(CPoint(50, 13)));
    frame->RecalcLayout();
    ASSERT_EQ(xtpBarLeft, pBar->GetPosition());
    const CRect rcDocked = InFrame(pBar);

    Bars()->GetOptions()->m_bDblClickFloat = FALSE;
    EXPECT_FALSE(pContext->ToggleDocking());
    EXPECT_EQ(xtpBarLeft, pBar->GetPosition());

    Bars()->GetOptions()->m_bDblClickFloat = TRUE;
    EXPECT_TRUE(pContext->ToggleDocking());
    EXPECT_EQ(xtpBarFloating, pBar->GetPosition());
    CRect rcFloating;
    pBar->GetWindowRect(&rcFloating);
    EXPECT_EQ(ScreenOf(rcDocked.TopLeft()), rcFloating.TopLeft()) << "never floated: at the docked place";

    EXPECT_TRUE(pContext->ToggleDocking());
    EXPECT_EQ(xtpBarLeft, pBar->GetPosition());
    EXPECT_EQ(rcDocked, InFrame(pBar));
}

TEST_F(DockBars, ResizingAFloatingBarFromItsLeftBorderKeepsItsRightEdge)
{
    FixedToolBar* pBar = AddBar("A", xtpBarTop);
    Bars()->FloatCommandBar(pBar);
    const CRect rcStart(ScreenOf(CPoint(200, 200)), CSize(100, 26));
    pBar->SetWindowPos(nullptr, rcStart.left, rcStart.top, rcStart.Width(), rcStart.Height(), SWP_NOZORDER);
    PostMoves({CPoint(190, 210), CPoint(170, 210)});
    pBar->GetDragContext()->StartResize(HTLEFT, ScreenOf(CPoint(200, 210)));
    CRect rc;
    pBar->GetWindowRect(&rc);
    EXPECT_EQ(rcStart.right, rc.right);
    EXPECT_EQ(rcStart.left - 30, rc.left);
    EXPECT_EQ(130, pBar->GetMRUWidth());
}

TEST_F(DockBars, ALayoutRepaintsOnlyTheBarsItResizedOrRearranged)
{
    const UINT ids[] = {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008};
    std::vector<CountingToolBar*> bars;
    for (const char* lpszName : {"A", "B"}) {
        auto* pBar = static_cast<CountingToolBar*>(Bars()->Add(lpszName, xtpBarTop, RUNTIME_CLASS(CountingToolBar)));
        pBar->SetButtons(ids, 8);
        bars.push_back(pBar);
    }
    auto paintNow = [&] {
        frame->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::vector<int> paints;
        for (CountingToolBar* pBar : bars) {
            paints.push_back(pBar->m_nPaints);
            pBar->m_nPaints = 0;
        }
        return paints;
    };
    frame->RecalcLayout();
    paintNow();

    // The same layout again: nothing moved, nothing paints.
    frame->RecalcLayout();
    EXPECT_EQ(std::vector<int>({0, 0}), paintNow());
    // Too narrow: both bars hide buttons behind their expand buttons and paint again.
    SetClientWidth(120);
    EXPECT_EQ(std::vector<int>({1, 1}), paintNow());
    EXPECT_EQ(static_cast<DWORD>(xtpHideWrap), bars[0]->GetControl(7)->GetHideFlags());
}

TEST_F(DockBars, ARebarOfTheFrameTakesItsCustomToolbarsAsBands)
{
    CXTPReBar rebar;
    ASSERT_TRUE(rebar.Create(frame));
    CXTPToolBar* pBar = Bars()->AddCustomBar("Custom", 601);
    ASSERT_NE(nullptr, pBar);
    ASSERT_EQ(1, rebar.GetBandCount());
    EXPECT_EQ(pBar, rebar.GetToolBar(0));
    EXPECT_EQ(0, rebar.FindBand(pBar));
    EXPECT_EQ(nullptr, pBar->GetDockBar()) << "out of its dock bar";
    EXPECT_EQ(rebar.GetSafeHwnd(), ::GetParent(pBar->GetSafeHwnd()));
    REBARBANDINFOA band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_ID;
    rebar.SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_EQ(601u, band.wID);

    Bars()->Remove(pBar);
    EXPECT_EQ(0, rebar.GetBandCount());
    EXPECT_EQ(-1, rebar.FindBand(pBar));
    rebar.DestroyWindow();
}

TEST_F(DockBars, AToolbarFollowsTheLengthItsBandGivesIt)
{
    CXTPReBar rebar;
    ASSERT_TRUE(rebar.Create(frame));
    CXTPToolBar* pBar = Bars()->Add("Banded", xtpBarTop);
    const UINT ids[] = {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008};
    pBar->SetButtons(ids, 8);
    ASSERT_TRUE(rebar.AddToolBar(pBar, RBBS_BREAK | RBBS_GRIPPERALWAYS));
    // The band may shrink below its toolbar's length.
    REBARBANDINFOA band = {};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILDSIZE;
    rebar.SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    band.cxMinChild = 30;
    rebar.SendMessage(RB_SETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    auto hidden = [&] {
        int n = 0;
        for (int i = 0; i < 8; i++)
            n += pBar->GetControl(i)->GetHideFlags() == xtpHideWrap;
        return n;
    };

    SetClientWidth(120);
    PumpFor(20);
    EXPECT_GT(hidden(), 0) << "the buttons past the band's end wait in the expand popup";
    EXPECT_EQ(static_cast<DWORD>(xtpHideWrap), pBar->GetControl(7)->GetHideFlags());
    SetClientWidth(600);
    PumpFor(20);
    EXPECT_EQ(0, hidden()) << "with room again they come back";
    Bars()->Remove(pBar);
    rebar.DestroyWindow();
}

TEST_F(DockBars, TheExpandPopupGathersTheHiddenButtonsAndTheBarsOfItsRow)
{
    const UINT idsA[] = {2001, 2002, 2003};
    const UINT idsB[] = {2101, 2102};
    CXTPToolBar* pA = Bars()->Add("A", xtpBarTop);
    CXTPToolBar* pB = Bars()->Add("B", xtpBarLeft);
    CXTPToolBar* pC = Bars()->Add("C", xtpBarTop);  // a row of its own
    pA->SetButtons(idsA, 3);
    pB->SetButtons(idsB, 2);
    pC->SetButtons(idsA, 3);
    frame->RecalcLayout();
    CRect rc;
    pA->GetWindowRect(&rc);
    rc.OffsetRect(30, 0);
    Bars()->DockCommandBar(pB, rc, Dock(0));
    frame->RecalcLayout();
    ASSERT_EQ("B A|C", Rows(Dock(0)));
    for (CXTPControl* pControl : {pA->GetControl(2), pB->GetControl(1), pC->GetControl(0)})
        pControl->SetHideFlags(xtpHideWrap);

    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(Bars());
    pA->FillExpandPopup(pPopup);
    std::vector<int> ids;
    for (int i = 0; i < pPopup->GetControlCount(); i++)
        ids.push_back(pPopup->GetControl(i)->GetID());
    EXPECT_EQ(std::vector<int>({2003, 2102, 0}), ids) << "its own hidden button first, then its row's";
    CXTPCommandBar* pBars = pPopup->GetControl(2)->GetCommandBar();
    ASSERT_NE(nullptr, pBars);
    std::vector<std::string> captions;
    for (int i = 0; i < pBars->GetControlCount(); i++)
        captions.push_back(static_cast<const char*>(pBars->GetControl(i)->GetCaption()));
    EXPECT_EQ(std::vector<std::string>({"B", "A"}), captions);
    pPopup->InternalRelease();
}

// The captions of the popups the frame hears opening.
std::vector<std::string> g_openedMenu;
LRESULT CALLBACK RecordOpenedMenu(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pInfo = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && pInfo->message == WM_CMDBARS_INITPOPUP) {
        auto* pPopup = reinterpret_cast<CXTPCommandBar*>(pInfo->lParam);
        for (int i = 0; i < pPopup->GetControlCount(); i++)
            g_openedMenu.push_back(static_cast<const char*>(pPopup->GetControl(i)->GetCaption()));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST_F(DockBars, ARightClickBesideTheBarsShowsTheToolbarsMenu)
{
    AddBar("Standard", xtpBarTop);
    AddBar("Format", xtpBarBottom);
    g_openedMenu.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordOpenedMenu, nullptr, ::GetCurrentThreadId());
    // The menu runs until the Escape waiting for it.
    SendKey(VK_ESCAPE);
    SendKey(VK_ESCAPE, TRUE);
    const CRect rcTop = InFrame(Dock(0));
    Dock(0)->SendMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(rcTop.Width() - 5, 5));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(std::vector<std::string>({"Standard", "Format"}), g_openedMenu);
}

TEST(ToolBarDragContext, ResizedWindowsKeepTheBorderOppositeTheDraggedOne)
{
    const CRect rc(100, 100, 200, 130);
    EXPECT_EQ(CRect(70, 100, 200, 130), CXTPToolBarDragContext::ResizeFromBorder(rc, HTLEFT, CSize(130, 30)));
    EXPECT_EQ(CRect(100, 100, 230, 130), CXTPToolBarDragContext::ResizeFromBorder(rc, HTRIGHT, CSize(130, 30)));
    EXPECT_EQ(CRect(100, 80, 200, 130), CXTPToolBarDragContext::ResizeFromBorder(rc, HTTOP, CSize(100, 50)));
    EXPECT_EQ(CRect(100, 100, 200, 150), CXTPToolBarDragContext::ResizeFromBorder(rc, HTBOTTOM, CSize(100, 50)));

    EXPECT_EQ(CRect(100, 100, 200, 130), CXTPToolBarDragContext::MoveToContain(rc, CPoint(150, 110)));
    EXPECT_EQ(CRect(90, 100, 190, 130), CXTPToolBarDragContext::MoveToContain(rc, CPoint(90, 110)));
    EXPECT_EQ(CRect(110, 105, 210, 135), CXTPToolBarDragContext::MoveToContain(rc, CPoint(210, 135)));
}

}  // namespace
