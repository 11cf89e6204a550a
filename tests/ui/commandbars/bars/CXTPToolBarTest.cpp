// The toolbar: buttons from toolbar resources, docked sizes and the expand strip, the floating
// frame with its close square, the border hit test and floating bars following their frame.
#include "CXTPToolBar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../CommandBarsFixture.h"
#include "CWinApp.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControlExpandButton.h"
#include "CXTPImageManager.h"
#include "CXTPHookManager.h"
#include "CXTPPopupBar.h"
#include "CXTPShortcutManager.h"

namespace {

const UINT ID_TWO_BUTTONS = 62450;  // 100, 0, 0, 101 with 16-pixel images
const UINT ID_WIDE_IMAGES = 62451;  // 100, 101 with 24-pixel images
const UINT ID_SHORT_COUNT = 62452;  // promises five ids, holds two

TEST(ToolBarResource, CountsAreCheckedAgainstTheBytesThere)
{
    struct Case {
        const char* name;
        std::vector<BYTE> data;
        BOOL bResult;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {"two ids", {1, 0, 16, 0, 15, 0, 2, 0, 100, 0, 0x2C, 0x01}, TRUE, {100, 300}},
        {"no ids", {1, 0, 16, 0, 15, 0, 0, 0}, TRUE, {}},
        {"count beyond the data", {1, 0, 16, 0, 15, 0, 3, 0, 100, 0, 101, 0}, FALSE, {}},
        {"half an id short", {1, 0, 16, 0, 15, 0, 2, 0, 100, 0, 101}, FALSE, {}},
        {"header cut", {1, 0, 16, 0, 15, 0, 2}, FALSE, {}},
        {"count 0xFFFF", {1, 0, 16, 0, 15, 0, 0xFF, 0xFF, 1, 0}, FALSE, {}},
    };
    for (const Case& c : cases) {
        std::vector<UINT> ids;
        CSize szBitmap;
        EXPECT_EQ(c.bResult, CXTPToolBar::ReadToolBarResource(c.data.data(), static_cast<DWORD>(c.data.size()), ids,
                                                              szBitmap))
            << c.name;
        EXPECT_EQ(c.ids, ids) << c.name;
        if (c.bResult)
            EXPECT_EQ(CSize(16, 15), szBitmap) << c.name;
    }
}

class ToolBar : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        options()->m_bShowExpandButtonAlways = TRUE;
        options()->m_bSyncFloatingBars = TRUE;
    }
    void TearDown() override
    {
        for (CXTPToolBar* pBar : m_bars)
            pBar->InternalRelease();
        m_bars.clear();
        CommandBarsFixture::TearDown();
    }

    static CXTPCommandBarsOptions* options() { return frame->Bars()->GetOptions(); }

    // A toolbar of the frame's command bars at the position, with the resource's buttons.
    CXTPToolBar* MakeBar(XTPBarPosition position, UINT nIDResource = ID_TWO_BUTTONS)
    {
        auto* pBar = new CXTPToolBar;
        m_bars.push_back(pBar);
        pBar->SetCommandBars(frame->Bars());
        pBar->EnableDocking(63);
        pBar->SetTitle("Standard");
        EXPECT_TRUE(pBar->SetPosition(position));
        EXPECT_TRUE(pBar->LoadToolBar(nIDResource));
        return pBar;
    }

    std::vector<CXTPToolBar*> m_bars;
};

TEST_F(ToolBar, ConsecutiveSeparatorsMakeOneGroupAndTheLoadedSetIsTheOriginal)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    ASSERT_EQ(2, pBar->GetControlCount());
    EXPECT_EQ(100, pBar->GetControl(0)->GetID());
    EXPECT_FALSE(pBar->GetControl(0)->GetBeginGroup());
    EXPECT_EQ(101, pBar->GetControl(1)->GetID());
    EXPECT_TRUE(pBar->GetControl(1)->GetBeginGroup());
    EXPECT_EQ(ID_TWO_BUTTONS, pBar->GetBarID());
    ASSERT_NE(nullptr, pBar->GetControls()->GetOriginalControls());
    EXPECT_EQ(2, pBar->GetControls()->GetOriginalControls()->GetCount());
}

TEST_F(ToolBar, AButtonTheSiteMakesADropDownKeepsItsId)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    const UINT ids[] = {100, ID_DROPDOWN};
    ASSERT_TRUE(pBar->SetButtons(ids, 2));
    EXPECT_EQ(xtpControlButton, pBar->GetControl(0)->GetType());
    EXPECT_EQ(xtpControlPopup, pBar->GetControl(1)->GetType());
    EXPECT_EQ(static_cast<int>(ID_DROPDOWN), pBar->GetControl(1)->GetID());
    EXPECT_NE(nullptr, pBar->GetControl(1)->GetCommandBar());
}

TEST_F(ToolBar, ABrokenOrMissingResourceLeavesTheBarEmpty)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    EXPECT_FALSE(pBar->LoadToolBar(ID_SHORT_COUNT));
    EXPECT_EQ(0, pBar->GetControlCount());
    EXPECT_TRUE(pBar->LoadToolBar(ID_TWO_BUTTONS));
    EXPECT_FALSE(pBar->LoadToolBar(62459));
    EXPECT_EQ(0, pBar->GetControlCount());
}

TEST_F(ToolBar, OnlyImagesOtherThan16WideSetTheBarsImageSize)
{
    const struct {
        UINT nIDResource;
        CSize szIcons;
        CSize szButton;
    } cases[] = {{ID_TWO_BUTTONS, CSize(16, 16), CSize(23, 23)}, {ID_WIDE_IMAGES, CSize(24, 24), CSize(31, 31)}};
    for (const auto& c : cases) {
        CXTPToolBar* pBar = MakeBar(xtpBarTop, c.nIDResource);
        EXPECT_EQ(c.szIcons, pBar->GetIconSize()) << c.nIDResource;
        EXPECT_EQ(c.szButton, pBar->GetButtonSize()) << c.nIDResource;
        EXPECT_NE(nullptr, frame->Bars()->GetImageManager()->GetImage(100, c.szIcons.cx)) << c.nIDResource;
    }
}

TEST_F(ToolBar, DockedButtonsAre23SquareAndTheExpandStripShowsOnlyWhenNeeded)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    const DWORD dwCommit = LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT;
    // Borders 2, the default theme's gripper 6, two buttons with a group gap between them.
    const int nFull = 8 + 23 + 6 + 23 + 2;

    options()->m_bShowExpandButtonAlways = FALSE;
    EXPECT_EQ(CSize(nFull, 27), pBar->CalcDockingLayout(500, dwCommit));
    EXPECT_EQ(CRect(8, 2, 31, 25), pBar->GetControl(0)->GetRect());
    EXPECT_EQ(CRect(37, 2, 60, 25), pBar->GetControl(1)->GetRect());
    CXTPControl* pExpand = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_EXPAND);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_FALSE(pExpand->IsVisible());

    // Too short: the second button hides for lack of room and the strip comes.
    EXPECT_EQ(CSize(8 + 23 + 2 + 11, 27), pBar->CalcDockingLayout(40, dwCommit));
    EXPECT_EQ(static_cast<DWORD>(xtpHideWrap), pBar->GetControl(1)->GetHideFlags());
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_EQ(CRect(44 - 13, 2, 44 - 2, 25), pExpand->GetRect());

    // Measuring: the full size, and never shorter than one button and the strip.
    EXPECT_EQ(CSize(nFull, 27), pBar->CalcDockingLayout(500, LM_HORZ | LM_HORZDOCK));

    options()->m_bShowExpandButtonAlways = TRUE;
    EXPECT_EQ(CSize(nFull + 11, 27), pBar->CalcDockingLayout(500, dwCommit));
    EXPECT_EQ(0u, pBar->GetControl(1)->GetHideFlags());
    EXPECT_TRUE(pExpand->IsVisible());
}

TEST_F(ToolBar, AFloatingBarHasItsFrameAndCaptionSquares)
{
    CXTPToolBar* pBar = MakeBar(xtpBarFloating);
    const int h = pBar->GetCaptionHeight();
    CSize sz = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    const int nControls = 23 + 6 + 23;
    EXPECT_EQ(std::max(3 + nControls + 3, 6 + 3 * h), sz.cx);
    EXPECT_EQ(h + 4 + 23 + 3, sz.cy);
    EXPECT_EQ(CRect(3, h + 4, 26, h + 27), pBar->GetControl(0)->GetRect());

    CXTPControl* pClose = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_HIDE);
    CXTPControl* pExpand = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_EXPAND);
    ASSERT_NE(nullptr, pClose);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_EQ(CRect(sz.cx - 3 - h, 3, sz.cx - 3, 3 + h), pClose->GetRect());
    EXPECT_EQ(CRect(sz.cx - 3 - 2 * h, 3, sz.cx - 3 - h, 3 + h), pExpand->GetRect());
    EXPECT_TRUE(pClose->IsVisible());

    // Docked again, the close square hides.
    pBar->CalcDockingLayout(500, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    EXPECT_FALSE(pClose->IsVisible());
}

TEST_F(ToolBar, AFloatingBarWrapsItsGroupsToTheWidthGiven)
{
    CXTPToolBar* pBar = MakeBar(xtpBarFloating);
    const int h = pBar->GetCaptionHeight();
    CSize sz = pBar->CalcDynamicLayout(30, LM_HORZ | LM_COMMIT);
    EXPECT_EQ(h + 4 + 23 + 6 + 23 + 3, sz.cy);
    EXPECT_TRUE(pBar->GetControl(1)->GetWrap());
    EXPECT_EQ(30, pBar->GetMRUWidth());
    // A height asked for gives the narrowest width that fits it.
    EXPECT_EQ(h + 4 + 23 + 3, pBar->CalcDynamicLayout(h + 4 + 23 + 3, LM_HORZ | LM_LENGTHY).cy);
}

TEST_F(ToolBar, TheResizeBandIsExactlyThreePixelsWide)
{
    CXTPToolBar* pBar = MakeBar(xtpBarFloating);
    pBar->OnRecalcLayout();
    CRect rc;
    pBar->GetWindowRect(&rc);
    const int y = rc.CenterPoint().y, x = rc.CenterPoint().x;
    const struct {
        CPoint pt;
        LRESULT nHit;
    } cases[] = {
        {{rc.right - 3, y}, HTRIGHT}, {{rc.right - 4, y}, HTCLIENT}, {{rc.left + 2, y}, HTLEFT},
        {{rc.left + 3, y}, HTCLIENT}, {{x, rc.top + 2}, HTTOP},      {{x, rc.top + 3}, HTCLIENT},
        {{x, rc.bottom - 3}, HTBOTTOM}, {{rc.right - 1, rc.bottom - 1}, HTBOTTOM},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHit, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.pt.x, c.pt.y)))
            << c.pt.x - rc.left << "," << c.pt.y - rc.top;
}

TEST_F(ToolBar, FloatingBarsFollowTheirFramesActivationWhileSynchronised)
{
    CXTPToolBar* pBar = MakeBar(xtpBarFloating);
    pBar->OnRecalcLayout();
    ASSERT_TRUE(pBar->IsWindowVisible());
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, CWnd::DefaultClassName(), "Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               CRect(700, 40, 900, 200), nullptr, 0));
    for (BOOL bSync : {TRUE, FALSE}) {
        options()->m_bSyncFloatingBars = bSync;
        other.SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == other.GetSafeHwnd(); }));
        pBar->SendMessage(WM_FLOATSTATUS, FS_DEACTIVATE, 0);
        EXPECT_EQ(!bSync, pBar->IsWindowVisible()) << bSync;
        frame->SetForegroundWindow();
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == frame->GetSafeHwnd(); }));
        pBar->SendMessage(WM_FLOATSTATUS, FS_ACTIVATE, 0);
        EXPECT_TRUE(pBar->IsWindowVisible()) << bSync;
    }
    // Asked whether it keeps its caption with the frame's, it says yes.
    EXPECT_NE(0, pBar->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE, 0));
    other.DestroyWindow();
}

TEST_F(ToolBar, TheOptionsMenuListsTheHiddenButtonsThenAddOrRemove)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    pBar->CalcDockingLayout(40, LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT);
    ASSERT_EQ(static_cast<DWORD>(xtpHideWrap), pBar->GetControl(1)->GetHideFlags());

    for (BOOL bAlways : {TRUE, FALSE}) {
        options()->m_bShowExpandButtonAlways = bAlways;
        CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->Bars());
        pBar->FillExpandPopup(pPopup);
        ASSERT_EQ(bAlways ? 2 : 1, pPopup->GetControlCount()) << bAlways;
        EXPECT_EQ(101, pPopup->GetControl(0)->GetID());
        EXPECT_TRUE(pPopup->GetControl(0)->IsVisible());
        EXPECT_FALSE(pPopup->GetControl(0)->GetBeginGroup());
        if (bAlways) {
            EXPECT_EQ(CString("&Add or Remove Buttons"), pPopup->GetControl(1)->GetCaption());
            CXTPCommandBar* pBars = pPopup->GetControl(1)->GetCommandBar();
            ASSERT_NE(nullptr, pBars);
            ASSERT_EQ(1, pBars->GetControlCount());
            EXPECT_EQ(CString("Standard"), pBars->GetControl(0)->GetCaption());
            EXPECT_FALSE(pBars->GetControl(0)->GetEnabled()) << "the frame is not customizable";
        } else {
            EXPECT_EQ(150, pPopup->GetMRUWidth());
        }
        pPopup->InternalRelease();
    }
}

TEST_F(ToolBar, TogglesFlipTheUsersHideFlagAndRemovedButtonsComeBackHidden)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    pBar->GetControls()->Remove(1);
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->Bars());
    pBar->FillAddRemovePopup(pPopup);
    ASSERT_EQ(2, pBar->GetControlCount());
    EXPECT_EQ(101, pBar->GetControl(1)->GetID());
    EXPECT_EQ(static_cast<DWORD>(xtpHideCustomize), pBar->GetControl(1)->GetHideFlags());

    ASSERT_EQ(3, pPopup->GetControlCount());
    auto* pToggle = static_cast<CXTPControlToolBarToggle*>(pPopup->GetControl(0));
    EXPECT_EQ(pBar->GetControl(0), pToggle->GetTarget());
    EXPECT_TRUE(pToggle->GetChecked());
    EXPECT_FALSE(pPopup->GetControl(1)->GetChecked()) << "the button that came back hidden";
    EXPECT_EQ(CString("Reset"), pPopup->GetControl(2)->GetCaption());

    pToggle->Execute();
    EXPECT_EQ(static_cast<DWORD>(xtpHideCustomize), pBar->GetControl(0)->GetHideFlags());
    EXPECT_FALSE(pToggle->GetChecked());
    pToggle->Execute();
    EXPECT_EQ(0u, pBar->GetControl(0)->GetHideFlags());
    EXPECT_TRUE(pToggle->GetChecked());
    pPopup->InternalRelease();

    // A torn-off bar offers no reset.
    pBar->SetTearOff(TRUE);
    pPopup = CXTPPopupBar::CreatePopupBar(frame->Bars());
    pBar->FillAddRemovePopup(pPopup);
    EXPECT_EQ(2, pPopup->GetControlCount());
    pPopup->InternalRelease();
}

TEST_F(ToolBar, TipsNameTheControlUnderTheCursorAndItsShortcutWhenAsked)
{
    CXTPToolBar* pBar = MakeBar(xtpBarTop);
    pBar->CalcDockingLayout(500, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pBar->GetControl(0)->SetTooltip("Open");
    // Shortcuts come from the main frame's key table.
    CWinApp app("ToolBarTips");
    app.m_pMainWnd = frame;
    ACCEL accel = {FVIRTKEY | FCONTROL, 'O', 100};
    CXTPShortcutManager::SetAccelTable(frame, &accel, 1);
    CString strShortcut;
    ASSERT_TRUE(XTPShortcutManager()->FindDefaultAccelerator(100, strShortcut, frame->Bars()));
    const CString strWithShortcut = "Open (" + strShortcut + ")";
    const CPoint ptOpen = pBar->GetControl(0)->GetRect().CenterPoint();
    const struct {
        const char* name;
        BOOL bScreenTips;
        BOOL bAccelTips;
        BOOL bLocked;
        CPoint pt;
        INT_PTR nResult;
        const char* text;
    } cases[] = {
        {"the tooltip", TRUE, FALSE, FALSE, ptOpen, 100, "Open"},
        {"with its shortcut", TRUE, TRUE, FALSE, ptOpen, 100, strWithShortcut},
        {"tips off", FALSE, FALSE, FALSE, ptOpen, -1, nullptr},
        {"a drag or tear-off under way", TRUE, FALSE, TRUE, ptOpen, -1, nullptr},
        {"the gripper", TRUE, FALSE, FALSE, CPoint(3, 3), -1, nullptr},
    };
    for (const auto& c : cases) {
        options()->m_bToolBarScreenTips = c.bScreenTips;
        options()->m_bToolBarAccelTips = c.bAccelTips;
        if (c.bLocked)
            XTPHookManager()->Lock();
        TOOLINFOA_T ti = {};
        EXPECT_EQ(c.nResult, pBar->OnToolHitTest(c.pt, &ti)) << c.name;
        if (c.bLocked)
            XTPHookManager()->Unlock();
        if (!c.text) {
            EXPECT_EQ(nullptr, ti.lpszText) << c.name;
            continue;
        }
        EXPECT_EQ(pBar->GetSafeHwnd(), ti.hwnd) << c.name;
        EXPECT_EQ(CRect(ti.rect), pBar->GetControl(0)->GetRect()) << c.name;
        ASSERT_NE(nullptr, ti.lpszText) << c.name;
        EXPECT_STREQ(c.text, ti.lpszText) << c.name;
        std::free(ti.lpszText);
    }
    options()->m_bToolBarScreenTips = TRUE;
    options()->m_bToolBarAccelTips = FALSE;

    // Through the thread's tooltip: a move over the button makes it the tool, with its text.
    MSG msg = {};
    msg.hwnd = pBar->GetSafeHwnd();
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(ptOpen.x, ptOpen.y);
    msg.pt = ptOpen;
    pBar->ClientToScreen(&msg.pt);
    pBar->PreTranslateMessage(&msg);
    HWND hTip = AfxGetToolTipWindow();
    ASSERT_NE(nullptr, hTip);
    char text[80] = {};
    TTTOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.lpszText = text;
    ASSERT_TRUE(::SendMessageA(hTip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(pBar->GetSafeHwnd(), ti.hwnd);
    EXPECT_EQ(100u, ti.uId);
    EXPECT_STREQ("Open", text);
    CXTPShortcutManager::SetAccelTable(frame, nullptr, 0);
    app.m_pMainWnd = nullptr;
}

TEST_F(ToolBar, PrintPreviewHidesTheShownBarsAndBringsThemBack)
{
    CXTPToolBar* pDocked = frame->Bars()->Add("Docked", xtpBarTop);
    CXTPToolBar* pFloating = frame->Bars()->Add("Floating", xtpBarFloating);
    CXTPToolBar* pHidden = frame->Bars()->Add("Hidden", xtpBarFloating);
    ASSERT_TRUE(pDocked && pFloating && pHidden);
    pFloating->OnRecalcLayout();
    pHidden->SetVisible(FALSE);
    CPrintPreviewState state;
    frame->OnSetPreviewMode(TRUE, &state);
    for (CXTPToolBar* pBar : {pDocked, pFloating, pHidden})
        EXPECT_FALSE(pBar->IsWindowVisible()) << pBar->GetTitle();
    frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_TRUE(pDocked->IsWindowVisible());
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_FALSE(pHidden->IsWindowVisible()) << "hidden before, hidden after";
    for (CXTPToolBar* pBar : {pDocked, pFloating, pHidden})
        frame->Bars()->Remove(pBar);
}

}  // namespace

namespace {

// A toolbar that says when it is freed.
class WatchedToolBar : public CXTPToolBar {
public:
    explicit WatchedToolBar(bool* pbFreed) : m_pbFreed(pbFreed) {}
    ~WatchedToolBar() override { *m_pbFreed = true; }

private:
    bool* m_pbFreed;
};

TEST_F(ToolBar, ATornOffBarClosedByItsOwnButtonIsFreedOnlyAfterTheClick)
{
    for (BOOL bTearOff : {TRUE, FALSE}) {
        bool bFreed = false;
        auto* pBar = new WatchedToolBar(&bFreed);
        pBar->SetCommandBars(frame->Bars());
        pBar->EnableDocking(63);
        ASSERT_TRUE(pBar->SetPosition(xtpBarFloating));
        ASSERT_TRUE(pBar->LoadToolBar(ID_TWO_BUTTONS));
        pBar->SetTearOff(bTearOff);
        frame->Bars()->Append(pBar);
        const int nCount = frame->Bars()->GetCount();
        pBar->OnRecalcLayout();
        CXTPControl* pClose = pBar->GetControls()->FindControl(XTP_ID_TOOLBAR_HIDE);
        ASSERT_NE(nullptr, pClose);

        pClose->Execute();
        EXPECT_FALSE(bFreed) << bTearOff;
        EXPECT_FALSE(pBar->IsWindowVisible()) << bTearOff;
        EXPECT_EQ(bTearOff ? nCount - 1 : nCount, frame->Bars()->GetCount()) << bTearOff;
        if (bTearOff) {
            EXPECT_TRUE(PumpUntil([&] { return bFreed; }, 1000));
        } else {
            PumpFor(20);
            EXPECT_FALSE(bFreed);
            frame->Bars()->Remove(pBar);
            EXPECT_TRUE(bFreed);
        }
    }
}

}  // namespace

namespace {

TEST_F(ToolBar, TheToolbarsMenuListsTheCloseableToolbarsAndTogglesThem)
{
    CXTPToolBar* pFormat = frame->Bars()->Add("Format", xtpBarFloating);
    ASSERT_NE(nullptr, pFormat);
    const int nIndex = frame->Bars()->GetCount() - 1;
    for (BOOL bVisible : {TRUE, FALSE}) {
        CXTPPopupBar* pPopup = frame->Bars()->GetToolbarsPopup();
        ASSERT_EQ(1, pPopup->GetControlCount()) << "the test bar is not closeable";
        CXTPControl* pItem = pPopup->GetControl(0);
        EXPECT_EQ(CString("Format"), pItem->GetCaption());
        EXPECT_EQ(static_cast<DWORD_PTR>(nIndex), pItem->GetTag());
        EXPECT_EQ(bVisible, pItem->GetChecked() != 0);
        pItem->Execute();
        EXPECT_EQ(!bVisible, pFormat->IsVisible());
        pPopup->InternalRelease();
    }
    frame->Bars()->Remove(pFormat);
}

}  // namespace
