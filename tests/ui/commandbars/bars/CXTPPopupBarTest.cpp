// The popup bar: placement, column and scroll layouts as tables; opening beside its owner,
// rarely used commands, modal tracking with returned commands, on a real frame.
#include "CXTPPopupBar.h"

#include <gtest/gtest.h>

#include <set>

#include "CMenu.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControlPopup.h"
#include "CXTPDrawHelpers.h"
#include "CXTPHookManager.h"
#include "CXTPPaintManager.h"
#include "CXTPToolBar.h"
#include "../CommandBarsFixture.h"
#include "../TrackedPopupProbe.h"

namespace {

const CRect kWork(0, 0, 1280, 1000);  // usable bottom 995

struct PlacementCase {
    const char* what;
    CRect rcExclude;
    CPoint pt;
    CSize size;
    DWORD dwFlags;
    CPoint ptOut;
    CSize sizeOut;
    DWORD dwFlagsOut;
    BOOL bScroll;
};

TEST(PopupPlacement, OpensBesideItsOwnerAndKeepsOnTheWorkArea)
{
    const PlacementCase cases[] = {
        {"submenu with room opens right", CRect(100, 100, 250, 122), CPoint(250, 100), CSize(150, 200), 0,
         CPoint(250, 100), CSize(150, 200), 0, FALSE},
        {"submenu without room opens left", CRect(1150, 100, 1270, 122), CPoint(1270, 100), CSize(150, 200), 0,
         CPoint(1000, 100), CSize(150, 200), xtpPopupLeft, FALSE},
        {"submenu of a left-opening menu opens left", CRect(500, 100, 650, 122), CPoint(650, 100), CSize(150, 200),
         xtpPopupLeft, CPoint(350, 100), CSize(150, 200), xtpPopupLeft, FALSE},
        {"left-opening submenu at the left edge turns right", CRect(20, 100, 170, 122), CPoint(170, 100),
         CSize(150, 200), xtpPopupLeft, CPoint(170, 100), CSize(150, 200), 0, FALSE},
        {"drop-down at the right edge shifts, not flips", CRect(1250, 0, 1273, 23), CPoint(1250, 23), CSize(150, 100),
         xtpPopupDown, CPoint(1130, 23), CSize(150, 100), xtpPopupDown | xtpPopupLeft, FALSE},
        {"right-aligned drop-down ends at its owner's right", CRect(300, 0, 400, 23), CPoint(300, 23),
         CSize(150, 100), xtpPopupDown | xtpPopupLeft, CPoint(250, 23), CSize(150, 100),
         xtpPopupDown | xtpPopupLeft, FALSE},
        {"drop-down near the bottom opens above", CRect(100, 900, 150, 922), CPoint(100, 922), CSize(100, 200),
         xtpPopupDown, CPoint(100, 700), CSize(100, 200), xtpPopupDown, FALSE},
        {"drop-down without room either way takes the larger side and scrolls", CRect(100, 400, 150, 422),
         CPoint(100, 422), CSize(100, 1000), xtpPopupDown, CPoint(100, 422), CSize(100, 573), xtpPopupDown, TRUE},
        {"side popup near the bottom moves up", CRect(100, 900, 250, 922), CPoint(250, 900), CSize(150, 200), 0,
         CPoint(250, 795), CSize(150, 200), 0, FALSE},
        {"taller than the screen scrolls, 5 px free at the bottom", CRect(100, 100, 250, 122), CPoint(250, 100),
         CSize(150, 2000), 0, CPoint(250, 0), CSize(150, 995), 0, TRUE},
        {"point in the lower half: bottom at the point", CRect(0, 0, 0, 0), CPoint(1270, 900), CSize(100, 150), 0,
         CPoint(1180, 750), CSize(100, 150), 0, FALSE},
        {"point in the upper half: bottom at the usable bottom", CRect(0, 0, 0, 0), CPoint(40, 400),
         CSize(100, 700), 0, CPoint(40, 295), CSize(100, 700), 0, FALSE},
        {"right-aligned point popup", CRect(0, 0, 0, 0), CPoint(500, 100), CSize(100, 50), xtpPopupLeft,
         CPoint(400, 100), CSize(100, 50), xtpPopupLeft, FALSE},
    };
    for (const PlacementCase& c : cases) {
        XTPPopupPlacement p;
        p.rcWork = kWork;
        p.rcExclude = c.rcExclude;
        p.pt = c.pt;
        p.size = c.size;
        p.dwFlags = c.dwFlags;
        CXTPPopupBar::CalcPlacement(p);
        EXPECT_EQ(c.ptOut, p.pt) << c.what;
        EXPECT_EQ(c.sizeOut, p.size) << c.what;
        EXPECT_EQ(c.dwFlagsOut, p.dwFlags) << c.what;
        EXPECT_EQ(c.bScroll, p.bScroll) << c.what;
    }
}

TEST(PopupPlacement, ARightAlignedPointPopupPastTheLeftEdgeStopsAtTheWorkAreaNotAtZero)
{
    // A work area on a monitor left of the primary one starts at a negative x.
    for (int nLeft : {-1280, 100}) {
        XTPPopupPlacement p;
        p.rcWork = CRect(nLeft, 0, nLeft + 1280, 1000);
        p.pt = CPoint(nLeft + 30, 100);
        p.size = CSize(100, 50);
        p.dwFlags = xtpPopupLeft;
        CXTPPopupBar::CalcPlacement(p);
        EXPECT_EQ(nLeft, p.pt.x);
        EXPECT_EQ(0u, p.dwFlags);
    }
}

XTPPopupItemLayout Item(int cx, int cy, BOOL bBeginGroup = FALSE, BOOL bVisible = TRUE)
{
    XTPPopupItemLayout item;
    item.size = CSize(cx, cy);
    item.bBeginGroup = bBeginGroup;
    item.bVisible = bVisible;
    return item;
}

TEST(PopupLayout, OneColumnAtTheWidestWidthWithGroupGaps)
{
    const CRect rcBorders(2, 3, 4, 5);
    CRect rcExpand;

    std::vector<XTPPopupItemLayout> none;
    EXPECT_EQ(CSize(22 + 6, 22 + 8), CXTPPopupBar::CalcMenuLayout(none, rcBorders, 8, 0, 0, rcExpand))
        << "an empty popup is 22 by 22 plus its borders";

    std::vector<XTPPopupItemLayout> items = {Item(80, 20, TRUE), Item(120, 20), Item(50, 20, FALSE, FALSE),
                                             Item(60, 22, TRUE)};
    CSize size = CXTPPopupBar::CalcMenuLayout(items, rcBorders, 8, 0, 12, rcExpand);
    EXPECT_EQ(CRect(2, 3, 122, 23), items[0].rc) << "a group at the top has no gap";
    EXPECT_EQ(CRect(2, 23, 122, 43), items[1].rc);
    EXPECT_EQ(CRect(2, 51, 122, 73), items[3].rc) << "the hidden control takes no room; the group a gap";
    EXPECT_EQ(CRect(2, 73, 122, 85), rcExpand);
    EXPECT_EQ(CSize(120 + 6, 85 + 5), size);

    std::vector<XTPPopupItemLayout> wide = {Item(900, 20), Item(10, 20)};
    size = CXTPPopupBar::CalcMenuLayout(wide, rcBorders, 8, 400, 0, rcExpand);
    EXPECT_EQ(400, wide[0].rc.Width()) << "one control is at most the width limit";
    EXPECT_EQ(400 + 6, size.cx);
    EXPECT_TRUE(rcExpand.IsRectEmpty());
}

TEST(PopupLayout, ScrollingShowsWhatFitsBetweenTheScrollAreas)
{
    std::vector<XTPPopupItemLayout> items(20, Item(100, 20));
    const CRect rcBorders(2, 2, 2, 2);
    std::vector<int> tops;

    int nFirst = 0, nLast = 0;
    CXTPPopupBar::CalcScrollLayout(items, 200, rcBorders, 8, nFirst, nLast, FALSE, tops);
    // From the top: no scroll-up area, items while they end above the scroll-down area (182).
    EXPECT_EQ(9, nLast);
    EXPECT_EQ(2, tops[0]);
    EXPECT_EQ(162, tops[8]);
    EXPECT_EQ(-1, tops[9]);

    nFirst = 5;
    CXTPPopupBar::CalcScrollLayout(items, 200, rcBorders, 8, nFirst, nLast, FALSE, tops);
    EXPECT_EQ(-1, tops[4]);
    EXPECT_EQ(18, tops[5]) << "below the scroll-up area";
    EXPECT_EQ(13, nLast);

    // Up to the end: the scroll-down area goes, the last item ends at the bottom border.
    nLast = 20;
    CXTPPopupBar::CalcScrollLayout(items, 200, rcBorders, 8, nFirst, nLast, TRUE, tops);
    EXPECT_EQ(20, nLast);
    EXPECT_EQ(11, nFirst);
    EXPECT_EQ(178, tops[19]);
    EXPECT_EQ(18, tops[11]) << "below the scroll-up area";

    std::vector<XTPPopupItemLayout> few(3, Item(100, 20));
    nFirst = 0;
    CXTPPopupBar::CalcScrollLayout(few, 200, rcBorders, 8, nFirst, nLast, FALSE, tops);
    EXPECT_EQ(3, nLast) << "everything fits: no scroll areas";
}

// Popups opened on the fixture's frame from popup controls of its bar.
class PopupBar : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        options()->m_bAlwaysShowFullMenus = TRUE;
        options()->m_mapHiddenCommands.RemoveAll();
        options()->m_mapUsedCommands.RemoveAll();
        XTPHookManager()->SetKeyboardMode(FALSE);
    }
    void TearDown() override
    {
        XTPHookManager()->CancelTracking();
        CommandBarsFixture::TearDown();
        options()->m_bAlwaysShowFullMenus = TRUE;
    }

    static CXTPCommandBarsOptions* options() { return frame->GetCommandBars()->GetOptions(); }

    // A popup control on the bar whose popup holds buttons with the ids.
    CXTPControlPopup* AddPopup(CXTPCommandBar* pBar, std::initializer_list<int> ids)
    {
        auto* pControl = static_cast<CXTPControlPopup*>(pBar->GetControls()->Add(xtpControlPopup, 0));
        pControl->SetCaption("Menu");
        for (int id : ids)
            pControl->GetCommandBar()->GetControls()->Add(xtpControlButton, id)->SetCaption("Item");
        return pControl;
    }

    void Layout()
    {
        bar->OnRecalcLayout();
        bar->Invalidate(FALSE);
        bar->UpdateWindow();
    }

    static CRect WindowRect(CXTPCommandBar* pBar)
    {
        CRect rc;
        pBar->GetWindowRect(&rc);
        return rc;
    }
};

TEST_F(PopupBar, ADropDownOpensUnderItsButtonAndClosesWithTheTracking)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED});
    Layout();
    ASSERT_TRUE(bar->SetPopuped(0));
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    ASSERT_TRUE(pPopup->IsVisible());
    EXPECT_TRUE(pControl->GetPopuped());
    CRect rcButton = pControl->GetRect();
    bar->ClientToScreen(&rcButton);
    CRect rcPopup = WindowRect(pPopup);
    // The default theme widens the button's exclusion by a pixel at each side.
    EXPECT_EQ(rcButton.left - 1, rcPopup.left);
    EXPECT_EQ(rcButton.bottom, rcPopup.top);
    EXPECT_EQ(pControl, pPopup->GetControlPopup());
    EXPECT_EQ(bar, pPopup->GetParentBar());
    EXPECT_NE(0u, pPopup->GetExStyle() & WS_EX_TOOLWINDOW);

    bar->SetTrackingMode(FALSE);
    EXPECT_FALSE(pPopup->GetSafeHwnd()) << "closing destroys the window and keeps the object";
    EXPECT_FALSE(pControl->GetPopuped());
    EXPECT_EQ(2, pPopup->GetControlCount());
}

TEST_F(PopupBar, GroupsOfAMenuAreAsFarApartAsTheThemesSeparatorIsHigh)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED});
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    pPopup->GetControl(1)->SetBeginGroup(TRUE);
    Layout();
    const struct {
        int nTheme;
        int nGap;
    } cases[] = {{1, 8}, {0, 3}};
    for (const auto& c : cases) {
        CXTPPaintManager* pTheme = CXTPPaintManager::CreateTheme(c.nTheme);
        pPopup->SetPaintManager(pTheme);
        pPopup->CalcDynamicLayout(0, 0);
        EXPECT_EQ(c.nGap, pPopup->GetControl(1)->GetRect().top - pPopup->GetControl(0)->GetRect().bottom)
            << c.nTheme;
    }
    pPopup->SetPaintManager(nullptr);
}

TEST_F(PopupBar, AnEmptyPopupIs22PlusItsBorders)
{
    CXTPControlPopup* pControl = AddPopup(bar, {});
    Layout();
    ASSERT_TRUE(bar->SetPopuped(0));
    const CRect rcBorders = bar->GetPaintManager()->GetBarBorders(pControl->GetCommandBar());
    EXPECT_EQ(CSize(22 + rcBorders.left + rcBorders.right, 22 + rcBorders.top + rcBorders.bottom),
              WindowRect(pControl->GetCommandBar()).Size());
}

TEST_F(PopupBar, AnOpeningMenuShowsTheStatesItsCommandsUpdateGives)
{
    // Each item starts in the state its rule does not give it, but for the system commands,
    // which keep what their menu said.
    const struct {
        int nId;
        BOOL bBefore;
        BOOL bEnabled;
        int nChecked;
    } cases[] = {
        {ID_PLAIN, FALSE, TRUE, 0},       // its update handler enables it
        {ID_NOTIFIED, FALSE, TRUE, 0},    // a command handler alone
        {ID_UNHANDLED, TRUE, FALSE, 0},   // nobody handles it
        {ID_DISABLED, TRUE, FALSE, 0},    // its update handler disables it
        {ID_CHECKED, TRUE, FALSE, 1},     // checked by its update, and no command handles it
        {SC_CLOSE, TRUE, TRUE, 0},        // the window's own commands
        {SC_MINIMIZE, FALSE, FALSE, 0},
    };
    CXTPControlPopup* pControl = AddPopup(bar, {});
    CXTPCommandBar* pMenu = pControl->GetCommandBar();
    for (const auto& c : cases) {
        CXTPControl* pItem = pMenu->GetControls()->Add(xtpControlButton, c.nId);
        pItem->SetCaption("Item");
        pItem->SetEnabled(c.bBefore);
    }
    Layout();
    ASSERT_TRUE(bar->SetPopuped(0));
    for (int i = 0; i < pMenu->GetControlCount(); i++) {
        EXPECT_EQ(cases[i].bEnabled, pMenu->GetControl(i)->GetEnabled()) << cases[i].nId;
        EXPECT_EQ(cases[i].nChecked, pMenu->GetControl(i)->GetChecked()) << cases[i].nId;
    }
}

TEST_F(PopupBar, ChoosingADisabledItemDoesNothing)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_UNHANDLED, ID_PLAIN});
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    Layout();
    ASSERT_TRUE(bar->SetPopuped(0));
    ASSERT_FALSE(pPopup->GetControl(0)->GetEnabled());
    // By the mouse, by Return and by its mnemonic.
    SendClick(pPopup->GetControl(0)->GetRect().CenterPoint() + CPoint(WindowRect(pPopup).TopLeft()));
    PumpFor(50);
    pPopup->SetSelected(0, TRUE);
    pPopup->OnKeyDown(VK_RETURN);
    pPopup->GetControl(0)->SetCaption("&Unhandled");
    pPopup->OnKeyDown('U');
    PumpFor(30);
    EXPECT_TRUE(frame->m_arrCommands.empty());
    EXPECT_TRUE(frame->m_arrNotified.empty());
    EXPECT_TRUE(pPopup->IsVisible()) << "the menu stays open";
    pPopup->GetControls()->FindControl(ID_PLAIN)->OnClick(TRUE, CPoint());
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);
}

TEST_F(PopupBar, ASubmenuWithoutRoomOpensLeftAndSoDoItsSubmenus)
{
    CXTPPopupBar* pRoot = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    CXTPControlPopup* pFirst = AddPopup(pRoot, {});
    CXTPControlPopup* pSecond = AddPopup(pFirst->GetCommandBar(), {ID_PLAIN});
    const CRect rcScreen = CXTPDrawHelpers::GetWorkAreaFromRect(CRect(0, 0, 1, 1));
    ASSERT_TRUE(pRoot->Popup(rcScreen.right - 120, 100, nullptr));
    ASSERT_TRUE(pRoot->SetPopuped(0));
    CXTPCommandBar* pLevel1 = pFirst->GetCommandBar();
    ASSERT_TRUE(pLevel1->SetPopuped(0));
    CXTPCommandBar* pLevel2 = pSecond->GetCommandBar();
    ASSERT_TRUE(pLevel2->IsVisible());
    // Each ends a pixel into its item: the default theme narrows a menu item's exclusion by one.
    CRect rcFirst = pFirst->GetRect();
    pRoot->ClientToScreen(&rcFirst);
    CRect rcSecond = pSecond->GetRect();
    pLevel1->ClientToScreen(&rcSecond);
    EXPECT_EQ(rcFirst.left + 1, WindowRect(pLevel1).right);
    EXPECT_EQ(rcSecond.left + 1, WindowRect(pLevel2).right) << "keeps opening to the left";
    EXPECT_TRUE(static_cast<CXTPPopupBar*>(pLevel2)->GetPopupFlags() & xtpPopupLeft);
    pRoot->SetTrackingMode(FALSE);
    EXPECT_FALSE(pLevel2->GetSafeHwnd()) << "the chain closes with its root";
    pRoot->InternalRelease();
}

TEST_F(PopupBar, RarelyUsedCommandsHideBehindTheExpandButton)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED, ID_CHECKED});
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    Layout();
    options()->m_mapHiddenCommands.SetAt(ID_UNHANDLED, TRUE);

    ASSERT_TRUE(bar->SetPopuped(0));
    EXPECT_TRUE(pPopup->IsVisible());
    EXPECT_FALSE(pPopup->GetControls()->FindControl(CXTPPopupBar::kExpandButtonId))
        << "with full menus always shown there is no expand button";
    bar->SetTrackingMode(FALSE);

    options()->m_bAlwaysShowFullMenus = FALSE;
    ASSERT_TRUE(bar->SetPopuped(0));
    CXTPControl* pRare = pPopup->GetControls()->FindControl(ID_UNHANDLED);
    CXTPControl* pExpand = pPopup->GetControls()->FindControl(CXTPPopupBar::kExpandButtonId);
    ASSERT_NE(nullptr, pExpand);
    EXPECT_EQ(static_cast<DWORD>(xtpHideExpand), pRare->GetHideFlags());
    EXPECT_TRUE(pExpand->IsVisible());
    EXPECT_EQ(pPopup->GetControlCount() - 1, pExpand->GetIndex());
    EXPECT_GT(pExpand->GetRect().top, pPopup->GetControls()->FindControl(ID_CHECKED)->GetRect().top);
    EXPECT_EQ(12, pExpand->GetRect().Height()) << "the default theme's entry";
    const int nHeight = WindowRect(pPopup).Height();

    pExpand->Execute();
    EXPECT_TRUE(pPopup->IsExpanded());
    EXPECT_TRUE(pRare->IsVisible());
    EXPECT_FALSE(pExpand->IsVisible());
    EXPECT_GT(WindowRect(pPopup).Height(), nHeight);
    EXPECT_TRUE(XTPHookManager()->IsKeyboardMode()) << "the next popups of the chain open expanded";

    bar->SetTrackingMode(FALSE);
    EXPECT_FALSE(XTPHookManager()->IsKeyboardMode()) << "cleared when tracking ends";
    options()->m_mapUsedCommands.SetAt(ID_UNHANDLED, TRUE);
    ASSERT_TRUE(bar->SetPopuped(0));
    EXPECT_FALSE(pPopup->HasHiddenCommands()) << "a used command is shown";
}

TEST_F(PopupBar, TheExpandEntryTakesTheHeightItsThemeMeasures)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED});
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    Layout();
    options()->m_bAlwaysShowFullMenus = FALSE;
    options()->m_mapHiddenCommands.SetAt(ID_UNHANDLED, TRUE);
    frame->GetCommandBars()->SetPaintManager(CXTPPaintManager::CreateTheme(2));
    const BOOL bOpened = bar->SetPopuped(0);
    CXTPControl* pExpand = pPopup->GetControls()->FindControl(CXTPPopupBar::kExpandButtonId);
    const int nHeight = pExpand ? pExpand->GetRect().Height() : -1;
    bar->SetTrackingMode(FALSE);
    frame->GetCommandBars()->SetPaintManager(nullptr);
    ASSERT_TRUE(bOpened);
    EXPECT_EQ(18, nHeight) << "the gradient theme's entry holds its ball";
}

int g_nAnimationPauses = 0;
void CountPause(DWORD /*dwMilliseconds*/)
{
    g_nAnimationPauses++;
}

TEST_F(PopupBar, ExpandingAnimatesWithTheKindsThatMoveOnly)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED, ID_CHECKED});
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    Layout();
    options()->m_mapHiddenCommands.SetAt(ID_UNHANDLED, TRUE);
    options()->m_bAlwaysShowFullMenus = FALSE;
    const DWORD dwOld = options()->m_animationType;
    auto pfnOld = CXTPPaintManager::SetAnimationPause(CountPause);
    for (DWORD dwKind : {2u, 3u, 5u}) {
        options()->m_animationType = dwKind;
        XTPHookManager()->SetKeyboardMode(FALSE);
        ASSERT_TRUE(bar->SetPopuped(0, TRUE)) << dwKind;  // by keyboard: opening does not animate
        ASSERT_TRUE(pPopup->HasHiddenCommands()) << dwKind;
        g_nAnimationPauses = 0;
        pPopup->ExpandBar();
        EXPECT_EQ(dwKind != 5, g_nAnimationPauses > 0) << dwKind;
        bar->SetTrackingMode(FALSE);
    }
    CXTPPaintManager::SetAnimationPause(pfnOld);
    options()->m_animationType = dwOld;
}

TEST_F(PopupBar, DownOnTheLastItemOrCtrlDownShowsTheRarelyUsedCommands)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED, ID_CHECKED});
    auto* pPopup = static_cast<CXTPPopupBar*>(pControl->GetCommandBar());
    Layout();
    options()->m_bAlwaysShowFullMenus = FALSE;
    options()->m_bShowFullAfterDelay = FALSE;
    options()->m_mapHiddenCommands.SetAt(ID_CHECKED, TRUE);
    ASSERT_TRUE(bar->SetPopuped(0));
    ASSERT_TRUE(pPopup->HasHiddenCommands());
    pPopup->SetSelected(0, TRUE);
    pPopup->OnKeyDown(VK_DOWN);
    EXPECT_EQ(1, pPopup->GetSelectedIndex());
    EXPECT_FALSE(pPopup->IsExpanded()) << "a Down that does not wrap only moves";
    pPopup->OnKeyDown(VK_DOWN);
    EXPECT_TRUE(pPopup->IsExpanded()) << "a Down that would wrap to the top expands";
    EXPECT_TRUE(pPopup->GetControls()->FindControl(ID_CHECKED)->IsVisible());
    options()->m_bShowFullAfterDelay = TRUE;
}

TEST_F(PopupBar, KeysGoToTheInnermostPopupAndLeftRightMoveBetweenMenus)
{
    CXTPControlPopup* pFirst = AddPopup(bar, {ID_PLAIN, ID_UNHANDLED});
    CXTPControlPopup* pSub = AddPopup(pFirst->GetCommandBar(), {ID_CHECKED});
    CXTPControlPopup* pSecond = AddPopup(bar, {ID_PLAIN});
    Layout();
    auto press = [](WORD vk) {
        SendKey(vk);
        SendKey(vk, TRUE);
        PumpFor(30);
    };
    CXTPCommandBar* pMenu = pFirst->GetCommandBar();
    ASSERT_TRUE(bar->SetPopuped(0, TRUE));
    ASSERT_EQ(0, pMenu->GetSelectedIndex());
    press(VK_DOWN);
    EXPECT_EQ(1, pMenu->GetSelectedIndex()) << "Down moves in the open menu, not on the bar";
    press(VK_DOWN);
    EXPECT_EQ(2, pMenu->GetSelectedIndex());
    press(VK_RIGHT);
    EXPECT_TRUE(pSub->GetCommandBar()->IsVisible()) << "Right on a submenu item opens it";
    press(VK_LEFT);
    EXPECT_FALSE(pSub->GetCommandBar()->GetSafeHwnd()) << "Left closes it again";
    EXPECT_TRUE(pMenu->IsVisible());
    EXPECT_EQ(2, pMenu->GetSelectedIndex());
    press(VK_UP);
    press(VK_RIGHT);
    EXPECT_FALSE(pMenu->GetSafeHwnd()) << "Right on a plain item goes to the next menu of the bar";
    EXPECT_TRUE(pSecond->GetCommandBar()->IsVisible());
    EXPECT_EQ(pSecond->GetIndex(), bar->GetPopupedIndex());
    press(VK_LEFT);
    EXPECT_TRUE(pMenu->IsVisible());
    press(VK_ESCAPE);
    EXPECT_FALSE(pMenu->GetSafeHwnd());
    EXPECT_NE(0, bar->GetTrackingMode()) << "Escape leaves the bar tracking";
}

TEST_F(PopupBar, HoveringASubmenuItemOpensItsSubmenu)
{
    CXTPPopupBar* pRoot = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    pRoot->GetControls()->Add(xtpControlButton, ID_PLAIN)->SetCaption("Plain");
    CXTPControlPopup* pSub = AddPopup(pRoot, {ID_UNHANDLED});
    ASSERT_TRUE(pRoot->Popup(300, 120, nullptr));
    CPoint pt = pSub->GetRect().CenterPoint();
    pRoot->ClientToScreen(&pt);
    SendMouse(pt, {});
    EXPECT_TRUE(PumpUntil([&] { return pSub->GetCommandBar()->IsVisible() != FALSE; }));
    EXPECT_EQ(pSub->GetIndex(), pRoot->GetSelectedIndex()) << "the submenu's item stays highlighted";
    pRoot->SetTrackingMode(FALSE);
    pRoot->InternalRelease();
}

TEST_F(PopupBar, ExecutingFromASubmenuMarksItsItemAndItsPopupUsed)
{
    CXTPControlPopup* pControl = AddPopup(bar, {ID_PLAIN});
    pControl->SetID(ID_NOTIFIED);
    Layout();
    options()->m_mapHiddenCommands.SetAt(ID_PLAIN, TRUE);
    options()->m_mapHiddenCommands.SetAt(ID_NOTIFIED, TRUE);
    ASSERT_TRUE(bar->SetPopuped(0));
    pControl->GetCommandBar()->GetControl(0)->Execute();
    EXPECT_FALSE(frame->GetCommandBars()->IsCommandHidden(ID_PLAIN));
    EXPECT_FALSE(frame->GetCommandBars()->IsCommandHidden(ID_NOTIFIED));
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);
}

TEST_F(PopupBar, ATallPopupScrollsAndTheKeyboardBringsItemsIntoView)
{
    std::vector<int> ids(80, ID_PLAIN);
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    for (int id : ids)
        pPopup->GetControls()->Add(xtpControlButton, id)->SetCaption("Item");
    ASSERT_TRUE(pPopup->Popup(100, 10, nullptr));
    const CRect rcWork = CXTPDrawHelpers::GetWorkAreaFromCursor();
    EXPECT_TRUE(pPopup->IsScrolling());
    EXPECT_EQ(rcWork.bottom - 5, WindowRect(pPopup).bottom);
    EXPECT_TRUE(pPopup->GetScrollUpRect().IsRectEmpty());
    EXPECT_EQ(16, pPopup->GetScrollDownRect().Height());
    const int nLast = pPopup->GetLastVisibleIndex();
    EXPECT_LT(nLast, 80);
    EXPECT_EQ(static_cast<DWORD>(xtpHideScroll), pPopup->GetControl(nLast)->GetHideFlags());

    pPopup->SetSelected(79, TRUE);
    EXPECT_EQ(80, pPopup->GetLastVisibleIndex()) << "selected below: it becomes the last visible";
    EXPECT_TRUE(pPopup->GetControl(79)->IsVisible());
    EXPECT_TRUE(pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_EQ(16, pPopup->GetScrollUpRect().Height());
    pPopup->SetSelected(0, TRUE);
    EXPECT_EQ(0, pPopup->GetFirstVisibleIndex()) << "selected above: it becomes the first visible";
    EXPECT_TRUE(pPopup->GetControl(0)->IsVisible());
    pPopup->SetTrackingMode(FALSE);
    pPopup->InternalRelease();
}

TEST_F(PopupBar, TheMouseOverTheScrollDownAreaScrollsUntilTheEnd)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    for (int i = 0; i < 60; i++)
        pPopup->GetControls()->Add(xtpControlButton, ID_PLAIN)->SetCaption("Item");
    ASSERT_TRUE(pPopup->Popup(100, 10, nullptr));
    ASSERT_TRUE(pPopup->IsScrolling());
    CPoint pt = pPopup->GetScrollDownRect().CenterPoint();
    pPopup->ClientToScreen(&pt);
    SendMouse(pt, {});
    EXPECT_TRUE(PumpUntil([&] { return pPopup->GetLastVisibleIndex() == 60; }, 10000));
    EXPECT_GT(pPopup->GetFirstVisibleIndex(), 0);
    EXPECT_TRUE(pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_FALSE(pPopup->GetScrollUpRect().IsRectEmpty());
    pPopup->SetTrackingMode(FALSE);
    pPopup->InternalRelease();
}

TEST_F(PopupBar, AnimationKindsFollowTheOptionAndAPopupHostingAWindowNeverAnimates)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    const DWORD dwOld = options()->m_animationType;
    options()->m_animationType = 1;
    std::set<int> kinds;
    for (int i = 0; i < 60; i++)
        kinds.insert(pPopup->GetAnimationType());
    EXPECT_EQ((std::set<int>{2, 3, 4}), kinds) << "random: unfold, slide or fade";
    for (DWORD dwKind : {2u, 3u, 4u, 5u}) {
        options()->m_animationType = dwKind;
        EXPECT_EQ(static_cast<int>(dwKind), pPopup->GetAnimationType());
    }
    ASSERT_TRUE(pPopup->Popup(100, 100, nullptr));
    CWnd child;
    child.Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pPopup, 1);
    EXPECT_EQ(5, pPopup->GetAnimationType());
    pPopup->SetTrackingMode(FALSE);
    EXPECT_FALSE(child.GetSafeHwnd() && ::IsWindowVisible(child.GetSafeHwnd()))
        << "a hosted window is hidden and outlives the popup";
    EXPECT_TRUE(child.GetSafeHwnd());
    child.DestroyWindow();
    options()->m_animationType = dwOld;
    CXTPPopupBar* pLoose = CXTPPopupBar::CreatePopupBar(nullptr);
    EXPECT_EQ(5, pLoose->GetAnimationType()) << "without command bars";
    pLoose->InternalRelease();
    pPopup->InternalRelease();
}

TEST_F(PopupBar, APopupToolBarLaysItsButtonsInARowWithinItsOwnBorders)
{
    CXTPPopupToolBar* pPopup = CXTPPopupToolBar::CreatePopupToolBar(frame->GetCommandBars());
    EXPECT_EQ(xtpBarTypeNormal, pPopup->GetType());
    EXPECT_EQ(CSize(22 + 4, 22 + 8), pPopup->CalcDynamicLayout(0, 0)) << "empty: 22 plus the borders 2, 4, 2, 4";
    pPopup->GetControls()->Add(xtpControlButton, ID_PLAIN)->SetCaption("One");
    pPopup->GetControls()->Add(xtpControlButton, ID_UNHANDLED)->SetCaption("Two");
    ASSERT_TRUE(pPopup->Popup(200, 200, nullptr));
    const CRect rcFirst = pPopup->GetControl(0)->GetRect();
    const CRect rcSecond = pPopup->GetControl(1)->GetRect();
    EXPECT_EQ(CPoint(2, 4), rcFirst.TopLeft());
    EXPECT_EQ(rcFirst.top, rcSecond.top);
    EXPECT_EQ(rcFirst.right, rcSecond.left);
    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    EXPECT_EQ(rcSecond.right + 2, rcClient.right);
    EXPECT_EQ(rcSecond.bottom + 4, rcClient.bottom);
    pPopup->SetTrackingMode(FALSE);
    pPopup->InternalRelease();
}

TEST_F(PopupBar, APopupToolBarWrapsItsButtonsIntoTheWidthItWasGiven)
{
    CXTPPopupToolBar* pPopup = CXTPPopupToolBar::CreatePopupToolBar(frame->GetCommandBars());
    for (int i = 0; i < 10; i++)
        pPopup->GetControls()->Add(xtpControlButton, ID_PLAIN + i % 2);
    pPopup->CalcDynamicLayout(0, 0);
    const CSize szButton = pPopup->GetControl(0)->GetRect().Size();
    ASSERT_GT(szButton.cx, 0);
    // The expand popup of a bar that cannot be customized keeps its hidden buttons 150 wide.
    const struct {
        int nWidth;
        int nPerRow;
    } cases[] = {{32767, 10}, {150, 150 / szButton.cx}, {szButton.cx, 1}, {szButton.cx - 1, 1}};
    for (const auto& c : cases) {
        pPopup->SetMRUWidth(c.nWidth);
        const int nRows = (10 + c.nPerRow - 1) / c.nPerRow;
        EXPECT_EQ(CSize(c.nPerRow * szButton.cx + 4, nRows * szButton.cy + 8), pPopup->CalcDynamicLayout(0, 0))
            << c.nWidth;
        if (nRows > 1)
            EXPECT_EQ(CPoint(2, 4 + szButton.cy), pPopup->GetControl(c.nPerRow)->GetRect().TopLeft()) << c.nWidth;
    }
    pPopup->InternalRelease();
}

// A menu of three commands for the tracked popups.
class TrackedMenu {
public:
    TrackedMenu()
    {
        m_menu.CreatePopupMenu();
        m_menu.AppendMenu(MF_STRING, ID_PLAIN, "First");
        m_menu.AppendMenu(MF_STRING, ID_NOTIFIED, "Second");
        m_menu.AppendMenu(MF_STRING, ID_UNHANDLED, "Third");
    }
    ~TrackedMenu() { m_menu.DestroyMenu(); }
    CMenu* Get() { return &m_menu; }

private:
    CMenu m_menu;
};

TEST_F(PopupBar, ReturnCmdGivesTheChosenIdAndSendsNothing)
{
    TrackedMenu menu;
    const CPoint pt(200, 200);
    const CRect rcBorders = bar->GetPaintManager()->GetBarBorders(bar);
    // Input waits in the queue until the modal loop runs: a click on the second item.
    SendClick(CPoint(pt.x + 20, pt.y + rcBorders.top + 22 + 11));
    int nResult = CXTPCommandBars::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, frame);
    EXPECT_EQ(ID_NOTIFIED, nResult);
    PumpFor(50);
    EXPECT_TRUE(frame->m_arrCommands.empty());

    SendKey(VK_ESCAPE);
    SendKey(VK_ESCAPE, TRUE);
    nResult = CXTPCommandBars::TrackPopupMenu(menu.Get(), TPM_RETURNCMD, pt.x, pt.y, frame);
    EXPECT_EQ(0, nResult) << "closed without a command";
    EXPECT_EQ(0, XTPHookManager()->GetTrackedCount());
}

TEST_F(PopupBar, WithoutReturnCmdTheCommandGoesToTheOwner)
{
    TrackedMenu menu;
    const CPoint pt(220, 180);
    const CRect rcBorders = bar->GetPaintManager()->GetBarBorders(bar);
    SendClick(CPoint(pt.x + 20, pt.y + rcBorders.top + 11));
    EXPECT_EQ(TRUE, CXTPCommandBars::TrackPopupMenu(menu.Get(), 0, pt.x, pt.y, frame));
    EXPECT_TRUE(PumpUntil([] { return !frame->m_arrCommands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_PLAIN}, frame->m_arrCommands);
}

// The popup messages the frame receives, counted by a thread hook.
std::vector<UINT> g_popupMessages;

LRESULT CALLBACK CountPopupMessages(int nCode, WPARAM wParam, LPARAM lParam)
{
    const auto* pInfo = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && (pInfo->message == WM_CMDBARS_INITPOPUP || pInfo->message == WM_CMDBARS_UNINITPOPUP))
        g_popupMessages.push_back(pInfo->message);
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

TEST_F(PopupBar, TheSiteHearsOfOpeningAndClosingUnlessNoNotify)
{
    TrackedMenu menu;
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, CountPopupMessages, nullptr, ::GetCurrentThreadId());
    for (UINT nNoNotify : {0u, static_cast<UINT>(TPM_NONOTIFY)}) {
        g_popupMessages.clear();
        SendKey(VK_ESCAPE);
        SendKey(VK_ESCAPE, TRUE);
        CXTPCommandBars::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | nNoNotify, 260, 140, frame);
        const std::vector<UINT> expected =
            nNoNotify ? std::vector<UINT>{} : std::vector<UINT>{WM_CMDBARS_INITPOPUP, WM_CMDBARS_UNINITPOPUP};
        EXPECT_EQ(expected, g_popupMessages) << nNoNotify;
    }
    ::UnhookWindowsHookEx(hHook);
}

TEST_F(PopupBar, AContextMenuShowsItsOwnersStatesUnlessNoNotifyKeepsTheMenus)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING | MF_GRAYED, ID_PLAIN, "Handled, grey in the menu");
    menu.AppendMenu(MF_STRING, ID_UNHANDLED, "Unhandled");
    for (UINT nNoNotify : {0u, static_cast<UINT>(TPM_NONOTIFY)}) {
        const std::vector<BOOL> states = EnabledWhileTracked(
            [&] { CXTPCommandBars::TrackPopupMenu(&menu, TPM_RETURNCMD | nNoNotify, 260, 140, frame); });
        const std::vector<BOOL> expected = nNoNotify ? std::vector<BOOL>{FALSE, TRUE} : std::vector<BOOL>{TRUE, FALSE};
        EXPECT_EQ(expected, states) << nNoNotify;
    }
}

TEST_F(PopupBar, TheButtonUpOfTheOpeningClickExecutesNothing)
{
    TrackedMenu menu;
    const CPoint pt(240, 160);
    // The release of the press that opened the menu lands on its first item.
    SendMouse(CPoint(pt.x + 10, pt.y + 10), {MOUSEEVENTF_LEFTUP});
    SendKey(VK_ESCAPE);
    SendKey(VK_ESCAPE, TRUE);
    EXPECT_EQ(0, CXTPCommandBars::TrackPopupMenu(menu.Get(), TPM_RETURNCMD, pt.x, pt.y, frame));
}

TEST_F(PopupBar, ASubmenuOfALoadedMenuIsAPopupControl)
{
    TrackedMenu sub;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_PLAIN, "Plain");
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Get()->GetSafeHmenu()), "Sub");
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    ASSERT_TRUE(pPopup->LoadMenu(&menu));
    menu.RemoveMenu(1, MF_BYPOSITION);  // the submenu is destroyed by its own holder
    menu.DestroyMenu();
    ASSERT_EQ(2, pPopup->GetControlCount());
    CXTPControl* pSub = pPopup->GetControl(1);
    EXPECT_EQ(xtpControlPopup, pSub->GetType());
    EXPECT_EQ(0, pSub->GetID());
    ASSERT_NE(nullptr, pSub->GetCommandBar());
    EXPECT_EQ(3, pSub->GetCommandBar()->GetControlCount());
    EXPECT_EQ(ID_UNHANDLED, pSub->GetCommandBar()->GetControl(2)->GetID());
    pPopup->InternalRelease();
}

// A tear-off popup of three commands opened at a point.
CXTPPopupBar* OpenTearOffPopup(CXTPCommandBars* pCommandBars, UINT nTearOffID)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(pCommandBars);
    for (int id : {ID_PLAIN, ID_UNHANDLED, ID_CHECKED})
        pPopup->GetControls()->Add(xtpControlButton, id)->SetCaption("Item");
    pPopup->SetTearOffPopup("Tools", nTearOffID, TRUE, 180);
    EXPECT_TRUE(pPopup->Popup(300, 200, nullptr));
    return pPopup;
}

TEST_F(PopupBar, ATearOffPopupKeepsItsGripAboveTheControls)
{
    CXTPPopupBar* pPopup = OpenTearOffPopup(frame->GetCommandBars(), 0);
    const CRect rcBorders = pPopup->GetPaintManager()->GetBarBorders(pPopup);
    CRect rcClient;
    pPopup->GetClientRect(&rcClient);
    const CRect rcGrip = pPopup->GetTearOffGripRect();
    EXPECT_EQ(CRect(rcBorders.left, rcBorders.top, rcClient.right - rcBorders.right, rcBorders.top + 8), rcGrip)
        << "theme 1's grip is 8 high";
    EXPECT_EQ(rcGrip.bottom, pPopup->GetControl(0)->GetRect().top);

    // Hovering the grip makes it hot and leaves no item selected.
    pPopup->SetSelected(0);
    pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(rcGrip.CenterPoint().x, rcGrip.CenterPoint().y));
    EXPECT_TRUE(pPopup->IsTearOffGripHot());
    EXPECT_EQ(-1, pPopup->GetSelectedIndex());
    pPopup->SetTrackingMode(FALSE);
    pPopup->InternalRelease();

    // The toolbar kind keeps its grip above its buttons too.
    CXTPPopupToolBar* pToolBar = CXTPPopupToolBar::CreatePopupToolBar(frame->GetCommandBars());
    pToolBar->GetControls()->Add(xtpControlButton, ID_PLAIN);
    pToolBar->SetTearOffPopup("Tools", 0);
    const CSize size = pToolBar->CalcDynamicLayout(0, 0);
    EXPECT_EQ(CRect(2, 4, size.cx - 2, 12), pToolBar->GetTearOffGripRect());
    EXPECT_EQ(CPoint(2, 12), pToolBar->GetControl(0)->GetRect().TopLeft());
    pToolBar->InternalRelease();
}

TEST_F(PopupBar, DraggingTheGripAwayTearsTheControlsOffIntoAFloatingToolbar)
{
    const CPoint ptInside(20, 6);  // on the grip (client)
    const CPoint ptAway(400, 300);  // far from it
    const struct {
        const char* name;
        std::vector<CPoint> moves;
        UINT nEnd;  // WM_LBUTTONUP or WM_KEYDOWN (Escape)
        BOOL bTornOff;
    } cases[] = {
        {"away and released", {ptAway}, WM_LBUTTONUP, TRUE},
        {"away, back and away again", {ptAway, ptInside, CPoint(410, 310)}, WM_LBUTTONUP, TRUE},
        {"away and Escape", {ptAway}, WM_KEYDOWN, TRUE},
        {"within the grip's surroundings", {CPoint(20, -4)}, WM_LBUTTONUP, FALSE},
        {"away and back", {ptAway, ptInside}, WM_LBUTTONUP, FALSE},
    };
    for (const auto& c : cases) {
        const int nCount = frame->GetCommandBars()->GetCount();
        CXTPPopupBar* pPopup = OpenTearOffPopup(frame->GetCommandBars(), 0);
        CPoint ptLast = c.moves.back();
        pPopup->ClientToScreen(&ptLast);
        for (CPoint pt : c.moves)
            pPopup->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        if (c.nEnd == WM_KEYDOWN)
            pPopup->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
        else
            pPopup->PostMessage(WM_LBUTTONUP, 0, 0);
        pPopup->TrackTearOff();
        PumpFor(20);

        EXPECT_EQ(nCount + (c.bTornOff ? 1 : 0), frame->GetCommandBars()->GetCount()) << c.name;
        EXPECT_EQ(!c.bTornOff, pPopup->IsVisible()) << c.name << ": a torn-off popup closes";
        if (c.bTornOff) {
            auto* pBar = dynamic_cast<CXTPToolBar*>(frame->GetCommandBars()->GetAt(nCount));
            ASSERT_NE(nullptr, pBar) << c.name;
            EXPECT_TRUE(pBar->IsTearOff()) << c.name;
            EXPECT_EQ(xtpBarFloating, pBar->GetPosition()) << c.name;
            EXPECT_TRUE(pBar->IsWindowVisible()) << c.name;
            EXPECT_EQ(CString("Tools"), pBar->GetTitle()) << c.name;
            EXPECT_EQ(180, pBar->GetMRUWidth()) << c.name;
            EXPECT_NE(nullptr, pBar->GetControls()->FindControl(ID_CHECKED)) << c.name;
            // Centred under the cursor, its top 10 pixels above it.
            CRect rcBar;
            pBar->GetWindowRect(&rcBar);
            EXPECT_EQ(CPoint(ptLast.x - rcBar.Width() / 2, ptLast.y - 10), rcBar.TopLeft()) << c.name;
            frame->GetCommandBars()->Remove(pBar);
        }
        pPopup->SetTrackingMode(FALSE);
        pPopup->InternalRelease();
    }
}

TEST_F(PopupBar, TearingOffTheMenuOfAnExistingToolbarFloatsThatToolbar)
{
    CXTPToolBar* pTools = frame->GetCommandBars()->Add("Tools", xtpBarTop);
    ASSERT_NE(nullptr, pTools);
    pTools->SetBarID(555);
    pTools->SetVisible(FALSE);
    const int nCount = frame->GetCommandBars()->GetCount();
    CXTPPopupBar* pPopup = OpenTearOffPopup(frame->GetCommandBars(), 555);
    pPopup->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(400, 300));
    pPopup->PostMessage(WM_LBUTTONUP, 0, 0);
    pPopup->TrackTearOff();
    EXPECT_EQ(nCount, frame->GetCommandBars()->GetCount());
    EXPECT_EQ(xtpBarFloating, pTools->GetPosition());
    EXPECT_TRUE(pTools->IsVisible());
    pPopup->InternalRelease();
    frame->GetCommandBars()->Remove(pTools);
}

}  // namespace
