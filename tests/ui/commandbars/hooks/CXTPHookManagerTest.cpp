// The hook manager's handling of mouse messages while bars track: inside a tracked bar nothing
// happens, outside every tracked bar leaves tracking, trusted windows count in customize mode.
#include "CXTPHookManager.h"

#include <gtest/gtest.h>

#include "../CommandBarsFixture.h"

namespace {

class HookManager : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        SetButtons({ID_PLAIN, ID_UNHANDLED});
        m_pSecond = new TestBar;
        m_pSecond->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 40, 200, 70), frame, 101);
        m_pSecond->SetCommandBars(frame->GetCommandBars());
    }
    void TearDown() override
    {
        m_pSecond->InternalRelease();
        frame->GetCommandBars()->SetCustomizeMode(FALSE);
        CommandBarsFixture::TearDown();
    }
    static POINT ScreenPoint(CWnd* pWnd, int x, int y)
    {
        POINT pt = {x, y};
        pWnd->ClientToScreen(&pt);
        return pt;
    }

    TestBar* m_pSecond = nullptr;
};

TEST_F(HookManager, AClickOutsideEndsEveryTrackedBarAndOneInsideNone)
{
    CXTPHookManager* pManager = XTPHookManager();
    bar->SetTrackingMode(TRUE, FALSE, TRUE);
    m_pSecond->SetTrackingMode(TRUE, FALSE, TRUE);
    ASSERT_EQ(2, pManager->GetTrackedCount());

    pManager->ProcessMouseMessage(WM_LBUTTONDOWN, ScreenPoint(m_pSecond, 10, 10));
    EXPECT_EQ(2, pManager->GetTrackedCount()) << "a click inside a tracked bar keeps the chain";

    pManager->ProcessMouseMessage(WM_LBUTTONDOWN, ScreenPoint(frame, 400, 200));
    EXPECT_EQ(0, bar->GetTrackingMode());
    EXPECT_EQ(0, m_pSecond->GetTrackingMode()) << "the walk does not skip a bar when the list shrinks";
    EXPECT_EQ(0, pManager->GetTrackedCount());
}

TEST_F(HookManager, ButtonUpOutsideWaitsWhileLockedAndTrustedWindowsCountInCustomizeMode)
{
    CXTPHookManager* pManager = XTPHookManager();
    bar->SetTrackingMode(TRUE, FALSE, TRUE);
    {
        CXTPHookManagerLock lock;
        pManager->ProcessMouseMessage(WM_LBUTTONUP, ScreenPoint(frame, 400, 200));
        EXPECT_NE(0, bar->GetTrackingMode());
    }
    frame->GetCommandBars()->SetCustomizeMode(TRUE);
    pManager->AddTrustedWindow(m_pSecond->GetSafeHwnd());
    pManager->ProcessMouseMessage(WM_LBUTTONDOWN, ScreenPoint(m_pSecond, 10, 10));
    EXPECT_NE(0, bar->GetTrackingMode());
    pManager->RemoveTrustedWindow(m_pSecond->GetSafeHwnd());
    pManager->ProcessMouseMessage(WM_LBUTTONDOWN, ScreenPoint(m_pSecond, 10, 10));
    EXPECT_EQ(0, bar->GetTrackingMode());
}

TEST_F(HookManager, MovesOutsideTheTrackedBarsReachTheirHotTracking)
{
    bar->SetBarType(xtpBarTypePopup);
    bar->SetTrackingMode(TRUE, FALSE, FALSE);
    bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(bar->Centre(1).x, bar->Centre(1).y));
    ASSERT_EQ(1, bar->GetSelectedIndex());

    XTPHookManager()->ProcessMouseMessage(WM_MOUSEMOVE, ScreenPoint(bar, bar->Centre(0).x, bar->Centre(0).y));
    EXPECT_EQ(1, bar->GetSelectedIndex()) << "inside a tracked bar the bar's own messages rule";
    XTPHookManager()->ProcessMouseMessage(WM_MOUSEMOVE, ScreenPoint(frame, 400, 200));
    EXPECT_EQ(-1, bar->GetSelectedIndex()) << "a popup's mouse selection follows the mouse out";
    EXPECT_NE(0, bar->GetTrackingMode()) << "moves never end tracking";
    bar->SetTrackingMode(FALSE);
    bar->SetBarType(xtpBarTypeNormal);
}

TEST_F(HookManager, WatchingAnotherWindowTellsTheFormerOneAtOnce)
{
    m_pSecond->GetControls()->Add(xtpControlButton, ID_PLAIN);
    m_pSecond->OnRecalcLayout();
    ::SetCursorPos(bar->Centre(0, TRUE).x, bar->Centre(0, TRUE).y);
    bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(bar->Centre(0).x, bar->Centre(0).y));
    ASSERT_EQ(0, bar->GetSelectedIndex());
    EXPECT_EQ(bar->GetSafeHwnd(), XTPHookManager()->GetWatchedWindow());

    m_pSecond->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(m_pSecond->Centre(0).x, m_pSecond->Centre(0).y));
    EXPECT_EQ(-1, bar->GetSelectedIndex()) << "the first bar hears of the leave without waiting";
    EXPECT_EQ(0, m_pSecond->GetSelectedIndex());
    EXPECT_EQ(m_pSecond->GetSafeHwnd(), XTPHookManager()->GetWatchedWindow());
}

TEST_F(HookManager, TheFrameSwallowsContextMenusWhileBarsTrackAndGivesWheelsToThem)
{
    CXTPCommandBars* pBars = frame->GetCommandBars();
    MSG msg = {frame->GetSafeHwnd(), WM_CONTEXTMENU, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(pBars->PreTranslateFrameMessage(&msg));
    msg.message = WM_MOUSEWHEEL;
    EXPECT_FALSE(pBars->PreTranslateFrameMessage(&msg));

    bar->SetTrackingMode(TRUE, TRUE, TRUE);
    for (UINT message : {WM_CONTEXTMENU, WM_SYSKEYUP, WM_MOUSEWHEEL}) {
        msg.message = message;
        EXPECT_TRUE(pBars->PreTranslateFrameMessage(&msg)) << message;
    }
    msg.message = WM_KEYDOWN;
    EXPECT_FALSE(pBars->PreTranslateFrameMessage(&msg));
}

}  // namespace
