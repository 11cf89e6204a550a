// The bar window in a frame: hover and status texts, clicks and execution, idle update, tracking
// keys and mnemonics, hooks that end tracking, and the frame's layout with a tab client.
#include "CXTPCommandBar.h"

#include <gtest/gtest.h>

#include "../CommandBarsFixture.h"
#include "../../base/drawing/DibCanvas.h"
#include "CXTPControlButton.h"
#include "CXTPHookManager.h"
#include "CXTPKeyboardHook.h"

namespace {

class CommandBar : public CommandBarsFixture {
protected:
    // A click on control nIndex whose press loop finds the given messages queued first.
    void Click(int nIndex, std::initializer_list<MSG> queued = {})
    {
        for (const MSG& msg : queued)
            ::PostMessageA(bar->GetSafeHwnd(), msg.message, msg.wParam, msg.lParam);
        CPoint pt = bar->Centre(nIndex);
        ::PostMessageA(bar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    static MSG MoveTo(CPoint pt)
    {
        MSG msg = {};
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(pt.x, pt.y);
        return msg;
    }
};

TEST_F(CommandBar, HoverSelectsShowsTheDescriptionAndTheIdleTextAfterTheCursorLeaves)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    bar->GetControl(0)->SetDescription("Runs the plain command");
    ::SetCursorPos(bar->Centre(0, TRUE).x, bar->Centre(0, TRUE).y);
    bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(bar->Centre(0).x, bar->Centre(0).y));

    EXPECT_EQ(0, bar->GetSelectedIndex());
    EXPECT_EQ(xtpSelectedByMouse, bar->GetControl(0)->GetSelected());
    ASSERT_EQ(1u, frame->m_arrStatus.size());
    EXPECT_STREQ("Runs the plain command", frame->m_arrStatus[0]);
    EXPECT_TRUE(bar->KillTimer(XTP_TID_HOVER)) << "a mouse selection starts the hover timer";
    EXPECT_FALSE(bar->SetSelected(0)) << "selecting the selected control changes nothing";

    // Still inside: the watch keeps the selection.
    PumpFor(120);
    EXPECT_EQ(0, bar->GetSelectedIndex());
    CRect rcFrame;
    frame->GetWindowRect(&rcFrame);
    ::SetCursorPos(rcFrame.left + 300, rcFrame.bottom - 40);
    EXPECT_TRUE(PumpUntil([] { return bar->GetSelectedIndex() == -1; }, 1000));
    ASSERT_EQ(2u, frame->m_arrStatus.size());
    EXPECT_STREQ("idle", frame->m_arrStatus[1]);
}

TEST_F(CommandBar, AClickSendsTheExecuteRecordAndTheCommandOnlyWhenTheRecordIsUnanswered)
{
    SetButtons({ID_PLAIN, ID_NOTIFIED});

    Click(0);
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);

    Click(1);
    EXPECT_EQ(std::vector<UINT>{ID_NOTIFIED}, frame->m_arrNotified);
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands) << "an answered record is the command";
    EXPECT_EQ(nullptr, frame->m_lastRecord.hdr.hwndFrom);
    EXPECT_EQ(static_cast<UINT_PTR>(ID_NOTIFIED), frame->m_lastRecord.hdr.idFrom);
    EXPECT_EQ(100u, frame->m_lastRecord.hdr.code);
    EXPECT_EQ(bar->GetControl(1), frame->m_lastRecord.pControl);
    EXPECT_EQ(0, bar->GetControl(1)->GetPressed() == 1);
    EXPECT_EQ(-1, bar->GetSelectedIndex()) << "the press loop clears its selection";
}

TEST_F(CommandBar, InContextHelpModeTheWholeBarIsClientAndANonClientPressClicks)
{
    SetButtons({ID_PLAIN});
    bar->GetControls()->Add(xtpControlPopup, 0);
    // A plain submenu entry keeps no id of its own; a button popup keeps its command.
    bar->GetControls()->Add(xtpControlButtonPopup, ID_UNHANDLED);
    bar->OnRecalcLayout();
    auto hitAt = [](CPoint ptScreen) {
        return bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    };
    const CPoint ptEmpty = bar->Centre(2, TRUE) + CPoint(80, 0);
    EXPECT_EQ(HTCLIENT, hitAt(bar->Centre(1, TRUE))) << "outside help mode: the window's own answer";

    frame->m_bHelpMode = 1;
    const struct {
        CPoint pt;
        LRESULT nHit;
    } cases[] = {
        {bar->Centre(0, TRUE), HTCLIENT},  // a button
        {bar->Centre(1, TRUE), HTMENU},    // a submenu without a command
        {bar->Centre(2, TRUE), HTCLIENT},  // a popup with a command
        {ptEmpty, HTCLIENT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHit, hitAt(c.pt)) << &c - cases;

    // A press on the non-client area is a press on the control there.
    const CPoint pt = bar->Centre(0);
    ::PostMessageA(bar->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    const CPoint ptScreen = bar->Centre(0, TRUE);
    bar->SendMessage(WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(ptScreen.x, ptScreen.y));
    frame->m_bHelpMode = 0;
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);
}

TEST_F(CommandBar, MovingOutBeforeTheReleaseExecutesNothingAndMovingBackDoes)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    CPoint ptOutside = bar->Centre(1);
    Click(0, {MoveTo(ptOutside)});
    EXPECT_TRUE(frame->m_arrCommands.empty());

    Click(0, {MoveTo(ptOutside), MoveTo(bar->Centre(0))});
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);
}

TEST_F(CommandBar, AQuitRequestEndsThePressLoopAndStaysForTheOuterLoop)
{
    SetButtons({ID_PLAIN});
    CPoint pt = bar->Centre(0);
    ::PostQuitMessage(7);
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(frame->m_arrCommands.empty());
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    PumpFor(10);  // the button-up meant for the loop
}

// Counts its own destruction.
class CountedButton : public CXTPControlButton {
public:
    static int s_nDestroyed;
    ~CountedButton() override { s_nDestroyed++; }
};
int CountedButton::s_nDestroyed = 0;

TEST_F(CommandBar, ACommandThatRemovesItsControlLeavesItAliveUntilTheClickEnds)
{
    SetButtons({ID_PLAIN});
    auto* pButton = new CountedButton;
    bar->GetControls()->AddControl(pButton, ID_REMOVING);
    bar->OnRecalcLayout();
    frame->m_pRemoveOnCommand = pButton;
    CountedButton::s_nDestroyed = 0;

    Click(1);
    EXPECT_EQ(std::vector<UINT>{ID_REMOVING}, frame->m_arrCommands);
    EXPECT_TRUE(frame->m_bControlAliveInHandler);
    EXPECT_EQ(1, CountedButton::s_nDestroyed);
    EXPECT_EQ(1, bar->GetControlCount());
}

TEST_F(CommandBar, TheIdlePassSetsStatesThroughUpdateHandlersAndRepaintsOnce)
{
    SetButtons({ID_PLAIN, ID_DISABLED, ID_CHECKED, ID_MANUAL, ID_UNHANDLED});
    bar->GetControl(3)->SetFlags(xtpFlagManualUpdate);
    bar->UpdateWindow();
    bar->m_nPaints = 0;

    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    bar->UpdateWindow();
    EXPECT_TRUE(bar->GetControl(0)->GetEnabled());
    EXPECT_FALSE(bar->GetControl(1)->GetEnabled());
    EXPECT_EQ(1, bar->GetControl(2)->GetChecked());
    EXPECT_TRUE(bar->GetControl(3)->GetEnabled()) << "a manual control is not updated";
    EXPECT_FALSE(bar->GetControl(4)->GetEnabled()) << "no handler disables";
    EXPECT_EQ(1, bar->m_nPaints);

    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    bar->UpdateWindow();
    EXPECT_EQ(1, bar->m_nPaints) << "a pass that changes nothing paints nothing";

    bar->SendMessage(WM_IDLEUPDATECMDUI, FALSE);
    EXPECT_FALSE(bar->GetControl(4)->GetEnabled()) << "without disabling, the state stays";
}

struct KeyCase {
    XTPBarPosition position;
    BOOL bRTL;
    UINT vk;
    int nExpected;  // selection after the key, from control 1 of 4
};

TEST_F(CommandBar, KeysMoveTheSelectionByOrientationAndReadingDirection)
{
    const KeyCase cases[] = {
        {xtpBarTop, FALSE, VK_RIGHT, 2},  {xtpBarTop, FALSE, VK_LEFT, 0},   {xtpBarTop, TRUE, VK_RIGHT, 0},
        {xtpBarTop, TRUE, VK_LEFT, 2},    {xtpBarTop, FALSE, VK_TAB, 2},    {xtpBarTop, FALSE, VK_HOME, 0},
        {xtpBarTop, FALSE, VK_END, 3},    {xtpBarTop, FALSE, VK_DOWN, 1},   {xtpBarLeft, FALSE, VK_DOWN, 2},
        {xtpBarLeft, FALSE, VK_UP, 0},    {xtpBarLeft, FALSE, VK_RIGHT, 1}, {xtpBarFloating, FALSE, VK_RIGHT, 2},
    };
    SetButtons({ID_PLAIN, ID_UNHANDLED, ID_CHECKED, ID_DISABLED});
    for (const KeyCase& c : cases) {
        bar->SetBarPosition(c.position);
        bar->ModifyStyleEx(c.bRTL ? 0 : WS_EX_LAYOUTRTL, c.bRTL ? WS_EX_LAYOUTRTL : 0);
        bar->SetTrackingMode(TRUE, FALSE, TRUE);
        bar->SetSelected(1, TRUE);
        EXPECT_TRUE(bar->OnKeyDown(c.vk));
        EXPECT_EQ(c.nExpected, bar->GetSelectedIndex()) << "position " << c.position << " rtl " << c.bRTL
                                                         << " key " << c.vk;
        bar->SetTrackingMode(FALSE);
    }
}

TEST_F(CommandBar, TrackingSelectsTheFirstSelectableControlAndEscapeEndsIt)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    bar->GetControl(0)->SetFlags(xtpFlagSkipFocus);
    EXPECT_FALSE(XTPKeyboardHook()->IsInstalled()) << "no hooks while nothing tracks";

    ASSERT_TRUE(bar->SetTrackingMode(TRUE, TRUE, TRUE));
    EXPECT_EQ(1, bar->GetSelectedIndex());
    EXPECT_EQ(xtpSelectedByKeyboard, bar->GetControl(1)->GetSelected());
    EXPECT_TRUE(XTPHookManager()->IsTracked(bar));
    EXPECT_TRUE(XTPKeyboardHook()->IsInstalled());
    EXPECT_FALSE(bar->SetTrackingMode(TRUE)) << "already tracking";

    bar->OnKeyDown(VK_ESCAPE);
    EXPECT_EQ(0, bar->GetTrackingMode());
    EXPECT_EQ(-1, bar->GetSelectedIndex());
    EXPECT_FALSE(XTPHookManager()->IsTracked(bar));
    EXPECT_FALSE(XTPKeyboardHook()->IsInstalled());
}

struct AccelCase {
    char ch;
    int nSelectedBefore;
    int nExpected;
    BOOL bAmbiguous;
};

TEST_F(CommandBar, FindAccelPrefersAmpersandLettersThenFirstLetters)
{
    SetButtons({ID_PLAIN, ID_PLAIN, ID_PLAIN, ID_PLAIN, ID_PLAIN, ID_PLAIN, ID_PLAIN, ID_PLAIN});
    const char* captions[] = {"&File", "&Edit", "E&xit", "Save && Close", "Help&", "&View", "&Verify", "Window"};
    for (int i = 0; i < 8; i++)
        bar->GetControl(i)->SetCaption(captions[i]);
    const AccelCase cases[] = {
        {'f', -1, 0, FALSE},  // letters compare in upper case
        {'E', -1, 1, FALSE},  // an '&' letter wins over first letters
        {'X', -1, 2, FALSE},
        {'S', -1, 3, FALSE},  // "&&" is a literal ampersand: the first letter counts
        {'&', -1, -1, FALSE},
        {'H', -1, 4, FALSE},  // a trailing '&' marks nothing
        {'V', -1, 5, TRUE},   // two '&' matches: the first after the selection, ambiguous
        {'V', 5, 6, TRUE},
        {'W', -1, 7, FALSE},
        {'Q', -1, -1, FALSE},
    };
    bar->SetTrackingMode(TRUE, FALSE, TRUE);
    for (const AccelCase& c : cases) {
        bar->SetSelected(c.nSelectedBefore, TRUE);
        BOOL bAmbiguous = !c.bAmbiguous;
        EXPECT_EQ(c.nExpected, bar->FindAccel(c.ch, bAmbiguous)) << c.ch << " after " << c.nSelectedBefore;
        EXPECT_EQ(c.bAmbiguous, bAmbiguous) << c.ch << " after " << c.nSelectedBefore;
    }
}

TEST_F(CommandBar, AMnemonicKeyClicksAUniqueMatchAndOnlySelectsAnAmbiguousOne)
{
    SetButtons({ID_UNHANDLED, ID_PLAIN, ID_UNHANDLED, ID_UNHANDLED});
    const char* captions[] = {"&Open", "&Plain", "&Same", "&Same too"};
    for (int i = 0; i < 4; i++)
        bar->GetControl(i)->SetCaption(captions[i]);
    bar->SetTrackingMode(TRUE, TRUE, TRUE);

    bar->OnKeyDown('S');
    EXPECT_EQ(2, bar->GetSelectedIndex());
    EXPECT_TRUE(frame->m_arrCommands.empty());
    EXPECT_NE(0, bar->GetTrackingMode());

    bar->OnKeyDown('P');
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);
    EXPECT_EQ(0, bar->GetTrackingMode()) << "executing closes the tracking";
}

TEST_F(CommandBar, KeysFromRealInputReachTheTrackingBarThroughTheKeyboardHook)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED, ID_CHECKED});
    bar->SetTrackingMode(TRUE, TRUE, TRUE);
    ASSERT_EQ(0, bar->GetSelectedIndex());
    SendKey(VK_RIGHT);
    SendKey(VK_RIGHT, TRUE);
    EXPECT_TRUE(PumpUntil([] { return bar->GetSelectedIndex() == 1; }));

    // Alt pressed while no popup is open ends the tracking.
    SendKey(VK_MENU);
    SendKey(VK_MENU, TRUE);
    EXPECT_TRUE(PumpUntil([] { return bar->GetTrackingMode() == 0; }));
}

TEST_F(CommandBar, AClickOutsideTheTrackingBarEndsTracking)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    bar->SetTrackingMode(TRUE, TRUE, TRUE);
    CRect rcFrame;
    frame->GetWindowRect(&rcFrame);
    SendClick(CPoint(rcFrame.left + 300, rcFrame.bottom - 40));
    EXPECT_TRUE(PumpUntil([] { return bar->GetTrackingMode() == 0; }));
    EXPECT_TRUE(frame->m_arrCommands.empty());
}

TEST_F(CommandBar, TheButtonUpOfTheClickThatOpenedAPopupIsNoClickIntoIt)
{
    SetButtons({ID_PLAIN});
    bar->SetBarType(xtpBarTypePopup);
    const CPoint pt = bar->Centre(0, TRUE);
    XTPHookManager()->SetSwallowButtonUp(TRUE);
    SendMouse(pt, {MOUSEEVENTF_LEFTUP});
    PumpFor(100);
    EXPECT_TRUE(frame->m_arrCommands.empty());

    SendMouse(pt, {MOUSEEVENTF_LEFTUP});
    EXPECT_TRUE(PumpUntil([] { return !frame->m_arrCommands.empty(); })) << "only the first one is swallowed";
    bar->SetBarType(xtpBarTypeNormal);
}

TEST_F(CommandBar, LosingTheActivationEndsTracking)
{
    SetButtons({ID_PLAIN});
    bar->SetTrackingMode(TRUE, TRUE, TRUE);
    frame->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(0, bar->GetTrackingMode());
}

TEST_F(CommandBar, RecalcFrameLayoutDoesNothingInsideRecalcLayoutAndOneLayoutFollows)
{
    SetButtons({ID_PLAIN});
    // A floating bar lays itself out on the manager's layout.
    int nBarLayouts = bar->m_nLayouts;
    frame->m_nLayouts = 0;
    frame->GetCommandBars()->RecalcLayout();
    EXPECT_EQ(nBarLayouts + 1, bar->m_nLayouts);
    EXPECT_EQ(1, frame->m_nLayouts);

    frame->GetCommandBars()->RecalcFrameLayout(TRUE);
    EXPECT_EQ(1, frame->m_nLayouts) << "a delayed layout waits for the idle time";
    EXPECT_NE(0u, frame->m_nIdleFlags & CFrameWnd::idleLayout);
    frame->m_nIdleFlags &= ~static_cast<UINT>(CFrameWnd::idleLayout);
}

TEST_F(CommandBar, AccessibilityNamesTheControlsAndTellsTheSelectedOne)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    bar->GetControl(0)->SetCaption("&Open");
    bar->SetSelected(1, TRUE);
    IAccessible* pAccessible = bar->GetAccessible();
    VARIANT child = {};
    child.vt = VT_I4;
    child.lVal = 1;
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, pAccessible->get_accName(child, &name));
    EXPECT_STREQ(L"&Open", name);
    ::SysFreeString(name);

    VARIANT value = {};
    ASSERT_EQ(S_OK, pAccessible->get_accRole(child, &value));
    EXPECT_EQ(ROLE_SYSTEM_MENUITEM, value.lVal);
    ASSERT_EQ(S_OK, pAccessible->get_accState(child, &value));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE, value.lVal);
    child.lVal = 2;
    ASSERT_EQ(S_OK, pAccessible->get_accState(child, &value));
    EXPECT_EQ(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED,
              value.lVal);

    long x = 0, y = 0, cx = 0, cy = 0;
    ASSERT_EQ(S_OK, pAccessible->accLocation(&x, &y, &cx, &cy, child));
    CRect rc = bar->GetControl(1)->GetRect();
    bar->ClientToScreen(&rc);
    EXPECT_EQ(CRect(x, y, x + cx, y + cy), rc);

    child.lVal = 3;
    EXPECT_EQ(E_NOTIMPL, pAccessible->get_accName(child, &name)) << "out of range";
    EXPECT_EQ(E_NOTIMPL, pAccessible->get_accValue(child, &name));
    child.lVal = CHILDID_SELF;
    ASSERT_EQ(S_OK, pAccessible->get_accRole(child, &value));
    EXPECT_EQ(VT_EMPTY, value.vt);

    DWORD nRefs = bar->GetRefCount();
    EXPECT_NE(0, bar->SendMessage(WM_GETOBJECT, 0, OBJID_CLIENT));
    EXPECT_GE(bar->GetRefCount(), nRefs) << "the references are the bar's";
}

TEST_F(CommandBar, TheTrackingPumpRunsUntilTrackingEndsAndKeepsAQuitRequest)
{
    SetButtons({ID_PLAIN});
    bar->SetTrackingMode(TRUE, TRUE, TRUE);
    frame->PostMessage(WM_ACTIVATEAPP, FALSE, 0);
    frame->PostMessage(WM_COMMAND, ID_PLAIN, 0);
    CXTPCommandBars::PumpTrackingMessages(bar);
    EXPECT_EQ(0, bar->GetTrackingMode());
    EXPECT_TRUE(frame->m_arrCommands.empty()) << "the message after the end waits for the outer loop";
    PumpFor(10);
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);

    bar->SetTrackingMode(TRUE, TRUE, TRUE);
    ::PostQuitMessage(3);
    CXTPCommandBars::PumpTrackingMessages(bar);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

TEST_F(CommandBar, ACaptionChangeLaysTheBarOutAtIdleTimeKeepingTheSelection)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    bar->SetSelected(1, TRUE);
    int nLayouts = bar->m_nLayouts;
    bar->GetControl(1)->SetCaption("A longer caption");
    EXPECT_EQ(1, bar->GetSelectedIndex());
    EXPECT_NE(0u, bar->GetPendingFlags() & CXTPCommandBar::kPendingLayout);
    bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(nLayouts + 1, bar->m_nLayouts);
    EXPECT_EQ(0u, bar->GetPendingFlags());

    bar->GetControls()->Add(xtpControlButton, ID_CHECKED);
    EXPECT_EQ(-1, bar->GetSelectedIndex()) << "a new control renumbers: the selection goes";
    EXPECT_EQ(xtpNotSelected, bar->GetControl(1)->GetSelected()) << "and no control stays marked";
}

struct DropCase {
    CPoint point;
    int nDragged;  // the control being dragged, -1 for one from elsewhere
    int nIndex;
    BOOL bBefore;
    CRect rcMarker;
};

TEST_F(CommandBar, FindDropIndexTakesTheNearestMovableControlAndMarksTheGap)
{
    // Controls 60 wide from x 2; control 2 starts a group 6 further: 2-62, 62-122, 128-188, 188-248.
    SetButtons({ID_PLAIN, ID_UNHANDLED, ID_CHECKED, ID_DISABLED});
    bar->GetControl(2)->SetBeginGroup(TRUE);
    bar->OnRecalcLayout();
    const DropCase cases[] = {
        {{10, 10}, -1, 0, TRUE, {-1, 2, 5, 24}},
        {{50, 10}, -1, 0, FALSE, {59, 2, 65, 24}},    // after: at the start of the next control
        {{110, 10}, -1, 1, FALSE, {119, 2, 125, 24}}, // the next one starts a group: at this one's end
        {{240, 10}, -1, 3, FALSE, {245, 2, 251, 24}},
        {{80, 10}, 1, 1, TRUE, {0, 0, 0, 0}},         // onto itself: no marker
    };
    for (const DropCase& c : cases) {
        CRect rcMarker;
        int nIndex = -2;
        BOOL bBefore = -1;
        bar->FindDropIndex(c.nDragged >= 0 ? bar->GetControl(c.nDragged) : nullptr, c.point, rcMarker, nIndex, bBefore);
        EXPECT_EQ(c.nIndex, nIndex) << c.point.x;
        EXPECT_EQ(c.bBefore, bBefore) << c.point.x;
        EXPECT_EQ(c.rcMarker, rcMarker) << c.point.x;
    }

    bar->GetControl(0)->SetFlags(xtpFlagNoMovable);
    bar->GetControl(1)->SetHideFlags(xtpHideCustomize);
    CRect rcMarker;
    int nIndex = -2;
    BOOL bBefore = FALSE;
    bar->FindDropIndex(nullptr, CPoint(10, 10), rcMarker, nIndex, bBefore);
    EXPECT_EQ(2, nIndex) << "fixed and hidden controls are no drop places";

    SetButtons({});
    bar->FindDropIndex(nullptr, CPoint(10, 10), rcMarker, nIndex, bBefore);
    EXPECT_EQ(-1, nIndex);
    EXPECT_EQ(2, rcMarker.left);
    EXPECT_EQ(8, rcMarker.right);
}

// The pixels a bar's picture changes when it draws the drop marker.
std::vector<POINT> MarkerPixels(TestBar* pBar, CRect rcMarker, BOOL bVertical)
{
    CRect rcBar;
    pBar->GetClientRect(&rcBar);
    DibCanvas without(rcBar.Width(), rcBar.Height()), with(rcBar.Width(), rcBar.Height());
    pBar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(without.dc.GetSafeHdc()), PRF_CLIENT);
    pBar->SetDropMarker(rcMarker, bVertical);
    pBar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(with.dc.GetSafeHdc()), PRF_CLIENT);
    pBar->SetDropMarker(CRect(0, 0, 0, 0), FALSE);
    std::vector<POINT> changed;
    for (int y = 0; y < rcBar.Height(); y++)
        for (int x = 0; x < rcBar.Width(); x++)
            if (without.dc.GetPixel(x, y) != with.dc.GetPixel(x, y))
                changed.push_back({x, y});
    return changed;
}

bool Has(const std::vector<POINT>& points, int x, int y)
{
    for (const POINT& pt : points)
        if (pt.x == x && pt.y == y)
            return true;
    return false;
}

TEST_F(CommandBar, TheDropMarkerIsAnInvertedIBeamAcrossTheBar)
{
    SetButtons({ID_PLAIN});
    frame->GetCommandBars()->SetCustomizeMode(TRUE);
    // Between controls of a horizontal bar: bars at top and bottom, a stem of 2 in the middle.
    std::vector<POINT> changed = MarkerPixels(bar, CRect(100, 4, 110, 24), FALSE);
    EXPECT_EQ(68u, changed.size());
    for (POINT pt : std::vector<POINT>{{100, 4}, {109, 4}, {101, 5}, {108, 5}, {102, 6}, {103, 21}, {100, 23}, {101, 22}})
        EXPECT_TRUE(Has(changed, pt.x, pt.y)) << pt.x << "," << pt.y;
    for (POINT pt : std::vector<POINT>{{110, 4}, {100, 5}, {104, 10}, {101, 10}, {100, 22}})
        EXPECT_FALSE(Has(changed, pt.x, pt.y)) << pt.x << "," << pt.y;

    // Of a vertical bar: the same shape turned.
    changed = MarkerPixels(bar, CRect(4, 2, 24, 12), TRUE);
    EXPECT_EQ(68u, changed.size());
    for (POINT pt : std::vector<POINT>{{4, 2}, {4, 11}, {5, 3}, {6, 4}, {21, 5}, {23, 2}, {22, 3}})
        EXPECT_TRUE(Has(changed, pt.x, pt.y)) << pt.x << "," << pt.y;
    for (POINT pt : std::vector<POINT>{{5, 2}, {10, 6}, {22, 2}})
        EXPECT_FALSE(Has(changed, pt.x, pt.y)) << pt.x << "," << pt.y;

    frame->GetCommandBars()->SetCustomizeMode(FALSE);
    EXPECT_TRUE(MarkerPixels(bar, CRect(100, 4, 110, 24), FALSE).empty()) << "only customize mode shows a marker";
}

// A control whose width the user may drag in customize mode.
class ResizableButton : public CXTPControlButton {
public:
    int m_nWidth = 0;
    BOOL CanResizeInCustomize() override { return TRUE; }
    int GetCustomizeMinWidth() override { return 40; }
    void SetWidth(int nWidth) override { m_nWidth = nWidth; }
};

TEST_F(CommandBar, DraggingAnEdgeInCustomizeModeResizesAndEscapeOrQuitKeepsTheWidth)
{
    SetButtons({ID_PLAIN});
    auto* pButton = new ResizableButton;
    bar->GetControls()->AddControl(pButton, ID_UNHANDLED);
    bar->OnRecalcLayout();
    CXTPCommandBars* pBars = frame->GetCommandBars();
    pBars->SetCustomizeMode(TRUE);
    pBars->SetDragControl(pButton);
    const CRect rc = pButton->GetRect();  // 62-122
    auto pressRightEdge = [&](std::initializer_list<MSG> queued, CPoint ptCursor) {
        CPoint ptScreen = ptCursor;
        bar->ClientToScreen(&ptScreen);
        ::SetCursorPos(ptScreen.x, ptScreen.y);
        for (const MSG& msg : queued)
            ::PostMessageA(bar->GetSafeHwnd(), msg.message, msg.wParam, msg.lParam);
        bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 1, rc.top + 5));
    };
    MSG move = {nullptr, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    MSG up = {nullptr, WM_LBUTTONUP, 0, 0, 0, {0, 0}};
    MSG escape = {nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};

    pressRightEdge({move, up}, CPoint(rc.right + 19, rc.top + 5));
    EXPECT_EQ(80, pButton->m_nWidth) << "the right edge follows the cursor";
    EXPECT_EQ(pButton, pBars->GetDragControl());

    pButton->m_nWidth = 0;
    pressRightEdge({move, up}, CPoint(rc.left + 5, rc.top + 5));
    EXPECT_EQ(40, pButton->m_nWidth) << "never narrower than the minimum";

    pButton->m_nWidth = 0;
    pressRightEdge({move, escape}, CPoint(rc.right + 19, rc.top + 5));
    EXPECT_EQ(0, pButton->m_nWidth) << "Escape cancels";

    ::PostQuitMessage(5);
    pressRightEdge({}, CPoint(rc.right + 19, rc.top + 5));
    EXPECT_EQ(0, pButton->m_nWidth);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request stays";
    EXPECT_EQ(5u, msg.wParam);
    EXPECT_EQ(nullptr, CWnd::GetCapture());

    pBars->SetDragControl(nullptr);
    pBars->SetCustomizeMode(FALSE);
}

TEST_F(CommandBar, TheIdlePassHidesControlsNotMeantForTheActiveDocumentTemplate)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED, ID_CHECKED});
    bar->GetControl(0)->GetDocTemplatesAssigned().SetAt(128, TRUE);
    bar->GetControl(1)->GetDocTemplatesExcluded().SetAt(128, TRUE);
    struct {
        UINT nTemplate;
        DWORD dwHide0, dwHide1;
    } cases[] = {{128, 0, xtpHideDocTemplate}, {129, xtpHideDocTemplate, 0}, {0, xtpHideDocTemplate, 0}};
    for (const auto& c : cases) {
        frame->Bars()->m_nTemplate = c.nTemplate;
        int nLayouts = bar->m_nLayouts;
        bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        EXPECT_EQ(c.dwHide0, bar->GetControl(0)->GetHideFlags()) << c.nTemplate;
        EXPECT_EQ(c.dwHide1, bar->GetControl(1)->GetHideFlags()) << c.nTemplate;
        EXPECT_EQ(0u, bar->GetControl(2)->GetHideFlags());
        EXPECT_EQ(c.nTemplate == 0 ? nLayouts : nLayouts + 1, bar->m_nLayouts) << "a change lays the bar out";
    }
}

}  // namespace
