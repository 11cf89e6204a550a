// The dialog bar: its size around the client, the resizing edges by position, the minimum client
// size, separate docked and floating sizes, the hosted window's place and the caption line.
#include "CXTPDialogBar.h"

#include <gtest/gtest.h>

#include "../CommandBarsFixture.h"
#include "CXTPPopupBar.h"

namespace {

class DialogBar : public CommandBarsFixture {
protected:
    void TearDown() override
    {
        if (m_pBar)
            m_pBar->InternalRelease();
        m_pBar = nullptr;
        CommandBarsFixture::TearDown();
    }

    CXTPDialogBar* MakeBar(XTPBarPosition position)
    {
        m_pBar = new CXTPDialogBar;
        m_pBar->SetCommandBars(frame->Bars());
        m_pBar->EnableDocking(xtpFlagAlignAny | xtpFlagFloating);
        m_pBar->SetTitle("Output");
        EXPECT_TRUE(m_pBar->SetPosition(position));
        return m_pBar;
    }

    // The bar's size around a client size.
    CSize Around(CSize szClient) const
    {
        return CSize(szClient.cx + 6, szClient.cy + 6 + m_pBar->GetCaptionLineHeight());
    }

    CXTPDialogBar* m_pBar = nullptr;
};

TEST(DialogBarEdges, EachPositionResizesAtTheEdgesFacingFreeSpace)
{
    const CRect rc(100, 100, 400, 300);  // inner rectangle 103..397 x 103..297
    const DWORD kStretch = xtpFlagStretched;
    const struct {
        XTPBarPosition position;
        DWORD dwFlags;
        CPoint pt;
        UINT nHit;
    } cases[] = {
        {xtpBarFloating, 0, {101, 101}, HTTOPLEFT},
        {xtpBarFloating, 0, {398, 101}, HTTOPRIGHT},
        {xtpBarFloating, 0, {200, 102}, HTTOP},
        {xtpBarFloating, 0, {200, 103}, HTNOWHERE},
        {xtpBarFloating, 0, {101, 298}, HTBOTTOMLEFT},
        {xtpBarFloating, 0, {398, 299}, HTBOTTOMRIGHT},
        {xtpBarFloating, 0, {200, 297}, HTBOTTOM},
        {xtpBarFloating, 0, {102, 200}, HTLEFT},
        {xtpBarFloating, 0, {397, 200}, HTRIGHT},
        {xtpBarFloating, 0, {396, 200}, HTNOWHERE},
        {xtpBarBottom, 0, {200, 101}, HTTOP},
        {xtpBarBottom, 0, {200, 298}, HTNOWHERE},
        {xtpBarBottom, 0, {398, 200}, HTNOWHERE},
        {xtpBarTop, 0, {200, 298}, HTBOTTOM},
        {xtpBarTop, 0, {398, 200}, HTRIGHT},
        {xtpBarTop, 0, {200, 101}, HTNOWHERE},
        {xtpBarTop, 0, {101, 200}, HTNOWHERE},
        {xtpBarTop, kStretch, {200, 298}, HTBOTTOM},
        {xtpBarTop, kStretch, {398, 200}, HTNOWHERE},
        {xtpBarLeft, 0, {200, 298}, HTBOTTOM},
        {xtpBarLeft, 0, {398, 200}, HTRIGHT},
        {xtpBarLeft, kStretch, {200, 298}, HTNOWHERE},
        {xtpBarLeft, kStretch, {398, 200}, HTRIGHT},
        {xtpBarRight, 0, {101, 200}, HTLEFT},
        {xtpBarRight, 0, {398, 200}, HTNOWHERE},
        {xtpBarRight, 0, {200, 298}, HTBOTTOM},
        {xtpBarRight, kStretch, {200, 298}, HTNOWHERE},
        {xtpBarPopup, kStretch, {200, 298}, HTNOWHERE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHit, CXTPDialogBar::HitTestEdges(rc, c.position, c.dwFlags, c.pt))
            << "position " << c.position << " flags " << c.dwFlags << " at " << c.pt.x << "," << c.pt.y;
}

TEST_F(DialogBar, TheWindowAnswersItsEdgesOnlyWhileResizable)
{
    CXTPDialogBar* pBar = MakeBar(xtpBarFloating);
    pBar->OnRecalcLayout();
    pBar->SetVisible(TRUE);
    CRect rc;
    pBar->GetWindowRect(&rc);
    EXPECT_EQ(Around(CSize(200, 200)), rc.Size());
    const LPARAM lCorner = MAKELPARAM(rc.left + 1, rc.top + 1);
    EXPECT_EQ(HTTOPLEFT, pBar->SendMessage(WM_NCHITTEST, 0, lCorner));
    // Inside the edges: the caption line is the bar's, the rest is transparent.
    CRect rcCaption = pBar->GetControl(0)->GetRect();
    pBar->ClientToScreen(&rcCaption);
    EXPECT_EQ(HTCLIENT, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcCaption.left + 4, rcCaption.CenterPoint().y)));
    EXPECT_EQ(HTTRANSPARENT, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcCaption.left + 4, rcCaption.bottom + 20)));
    pBar->SetResizable(FALSE);
    EXPECT_NE(HTTOPLEFT, pBar->SendMessage(WM_NCHITTEST, 0, lCorner));
}

TEST_F(DialogBar, ClientSizesNeverFallBelowFiftyByFifty)
{
    CXTPDialogBar* pBar = MakeBar(xtpBarFloating);
    // Sizes set from outside (a saved layout among them) are raised to the minimum.
    const struct {
        CSize given;
        CSize kept;
    } sizes[] = {{{0, 0}, {50, 50}}, {{-7, 300}, {50, 300}}, {{49, 51}, {50, 51}}, {{320, 120}, {320, 120}}};
    for (const auto& s : sizes) {
        pBar->SetDockingClientSize(s.given);
        pBar->SetFloatingClientSize(s.given);
        EXPECT_EQ(s.kept, pBar->GetDockingClientSize()) << s.given.cx << "x" << s.given.cy;
        EXPECT_EQ(s.kept, pBar->GetFloatingClientSize()) << s.given.cx << "x" << s.given.cy;
    }

    // A drag that would leave less than the minimum changes nothing.
    pBar->SetFloatingClientSize(CSize(100, 100));
    const CSize szSmall = Around(CSize(49, 80));
    EXPECT_FALSE(pBar->ResizeTo(CRect(CPoint(10, 10), szSmall), HTRIGHT));
    EXPECT_EQ(CSize(100, 100), pBar->GetFloatingClientSize());
    EXPECT_TRUE(pBar->ResizeTo(CRect(CPoint(10, 10), Around(CSize(50, 50))), HTBOTTOMRIGHT));
    EXPECT_EQ(CSize(50, 50), pBar->GetFloatingClientSize());
}

TEST_F(DialogBar, FloatingAndDockedSizesAreKeptApart)
{
    CXTPDialogBar* pBar = MakeBar(xtpBarFloating);
    pBar->SetVisible(TRUE);
    ASSERT_TRUE(pBar->ResizeTo(CRect(CPoint(50, 60), Around(CSize(260, 140))), HTBOTTOMRIGHT));
    EXPECT_EQ(CSize(260, 140), pBar->GetFloatingClientSize());
    EXPECT_EQ(CSize(200, 200), pBar->GetDockingClientSize());
    CRect rc;
    pBar->GetWindowRect(&rc);
    EXPECT_EQ(CRect(CPoint(50, 60), Around(CSize(260, 140))), rc);
    EXPECT_EQ(Around(CSize(260, 140)), pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));

    // Docked: the edge dragged decides which side of the docking size changes.
    ASSERT_TRUE(pBar->SetPosition(xtpBarTop));
    EXPECT_EQ(Around(CSize(200, 200)), pBar->CalcDynamicLayout(500, LM_HORZ | LM_HORZDOCK));
    ASSERT_TRUE(pBar->ResizeTo(CRect(CPoint(0, 0), Around(CSize(200, 90))), HTBOTTOM));
    EXPECT_EQ(CSize(200, 90), pBar->GetDockingClientSize());
    ASSERT_TRUE(pBar->ResizeTo(CRect(CPoint(0, 0), Around(CSize(310, 90))), HTRIGHT));
    EXPECT_EQ(CSize(310, 90), pBar->GetDockingClientSize());
    EXPECT_EQ(CSize(260, 140), pBar->GetFloatingClientSize());
}

TEST_F(DialogBar, TheHostedWindowFillsTheClientBelowTheCaption)
{
    CXTPDialogBar* pBar = MakeBar(xtpBarFloating);
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, 1));
    pBar->SetChild(&child);
    pBar->SetVisible(TRUE);
    const int h = pBar->GetCaptionLineHeight();
    EXPECT_GT(h, 0);
    ASSERT_TRUE(pBar->ResizeTo(CRect(CPoint(40, 40), Around(CSize(150, 120))), HTRIGHT));
    EXPECT_EQ(pBar->GetSafeHwnd(), ::GetParent(child.GetSafeHwnd()));
    CRect rcChild;
    child.GetWindowRect(&rcChild);
    pBar->ScreenToClient(&rcChild);
    EXPECT_EQ(CRect(3, 3 + h, 153, 3 + h + 120), rcChild);

    // Without a caption the client starts under the top border.
    pBar->SetCaptionVisible(FALSE);
    EXPECT_EQ(0, pBar->GetCaptionLineHeight());
    EXPECT_EQ(CSize(156, 126), pBar->CalcDynamicLayout(0, LM_HORZ));
    pBar->SetChild(nullptr);
    child.DestroyWindow();
}

TEST_F(DialogBar, TheCaptionLineHoldsTheCaptionAndTheCloseControl)
{
    CXTPDialogBar* pBar = MakeBar(xtpBarFloating);
    pBar->SetCaption("Output");
    const CSize sz = pBar->CalcDynamicLayout(0, LM_HORZ | LM_COMMIT);
    const int h = pBar->GetCaptionLineHeight();
    auto* pCaption = dynamic_cast<CXTPControlDialogBarCaption*>(pBar->GetControl(0));
    auto* pClose = dynamic_cast<CXTPControlDialogBarClose*>(pBar->GetControl(1));
    ASSERT_NE(nullptr, pCaption);
    ASSERT_NE(nullptr, pClose);
    EXPECT_EQ(CString("Output"), pCaption->GetCaption());
    EXPECT_FALSE(pCaption->HasCaptionPopup());
    EXPECT_EQ(CRect(sz.cx - 3 - h, 3, sz.cx - 3, 3 + h), pClose->GetRect());
    EXPECT_EQ(CRect(3, 3, sz.cx - 3 - h, 3 + h), pCaption->GetRect());
    EXPECT_TRUE(pClose->IsVisible());

    // The second flag takes the close control away and gives its room to the caption.
    pBar->SetCloseControlVisible(FALSE);
    pBar->CalcDynamicLayout(0, LM_HORZ | LM_COMMIT);
    EXPECT_FALSE(pClose->IsVisible());
    EXPECT_EQ(CRect(3, 3, sz.cx - 3, 3 + h), pCaption->GetRect());

    // The caption popup belongs to the bar; with controls, the caption opens it.
    ASSERT_NE(nullptr, pBar->GetCaptionPopup());
    pBar->GetCaptionPopup()->GetControls()->Add(xtpControlButton, ID_PLAIN);
    EXPECT_TRUE(pCaption->HasCaptionPopup());

    // The close control hides the bar.
    pBar->SetVisible(TRUE);
    pClose->Execute();
    EXPECT_FALSE(pBar->IsVisible());
}

}  // namespace
