// The control collection on plain values: insertion, removal, keyboard order, original sets,
// menus, and the row layout.
#include "CXTPControls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMenu.h"
#include "CXTPCommandBar.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"
#include "XTPCommandBarsTypes.h"
#include "CXTPControlEdit.h"
#include "CXTPControl.h"

namespace {

std::vector<int> IdsOf(const CXTPControls& controls)
{
    std::vector<int> ids;
    for (int i = 0; i < controls.GetCount(); i++) {
        EXPECT_EQ(i, controls.GetAt(i)->GetIndex());
        ids.push_back(controls.GetAt(i)->GetID());
    }
    return ids;
}

TEST(Controls, AddInsertsBeforeAnIndexOrAppendsAndRenumbers)
{
    CXTPControls controls;
    controls.Add(xtpControlButton, 1);
    controls.Add(xtpControlButton, 2, "", -1);
    controls.Add(xtpControlButton, 3, "", 99);
    controls.Add(xtpControlButton, 4, "", 0);
    controls.Add(xtpControlButton, 5, "", 2);
    EXPECT_EQ((std::vector<int>{4, 1, 5, 2, 3}), IdsOf(controls));
    EXPECT_EQ(&controls, controls.GetAt(0)->GetControls());
    EXPECT_EQ(nullptr, controls.GetAt(5));
    EXPECT_EQ(nullptr, controls.GetAt(-1));
    CXTPControl* pEdit = controls.Add(xtpControlEdit, 6);
    ASSERT_NE(nullptr, pEdit);
    EXPECT_TRUE(pEdit->IsKindOf(RUNTIME_CLASS(CXTPControlEdit))) << "edits come with their own class";

    CXTPControl* pControl = controls.GetFirst();
    int nWalked = 0;
    for (; pControl; controls.GetNext(pControl))
        nWalked++;
    EXPECT_EQ(6, nWalked);
}

TEST(Controls, RemoveFindsTheControlWhateverItsIndexSays)
{
    CXTPControls controls, other;
    for (int id = 1; id <= 3; id++)
        controls.Add(xtpControlButton, id);
    CXTPControl* pStranger = other.Add(xtpControlButton, 9);

    other.GetAt(0)->InternalAddRef();
    controls.Remove(pStranger);  // index 0 here belongs to another control
    EXPECT_EQ((std::vector<int>{1, 2, 3}), IdsOf(controls));
    EXPECT_EQ(&other, pStranger->GetControls());
    pStranger->InternalRelease();

    CXTPControl* pMiddle = controls.GetAt(1);
    pMiddle->InternalAddRef();
    controls.Remove(pMiddle);
    EXPECT_EQ((std::vector<int>{1, 3}), IdsOf(controls));
    EXPECT_EQ(nullptr, pMiddle->GetControls());
    EXPECT_EQ(1u, pMiddle->GetRefCount()) << "the collection released its reference";
    pMiddle->InternalRelease();

    controls.Remove(7);
    controls.Remove(-1);
    EXPECT_EQ(2, controls.GetCount());
}

struct NextCase {
    int nIndex, nDirection;
    BOOL bKeepScrolled;
    int nExpected;
};

TEST(Controls, GetNextWalksSelectableControlsWrappingOnce)
{
    // 0 plain, 1 skipped by keys, 2 hidden (no room), 3 scrolled out, 4 collapsed, 5 temporary.
    CXTPControls controls;
    for (int id = 0; id < 6; id++)
        controls.Add(xtpControlButton, id + 1);
    controls.GetAt(1)->SetFlags(xtpFlagSkipFocus);
    controls.GetAt(2)->SetHideFlags(xtpHideWrap);
    controls.GetAt(3)->SetHideFlags(xtpHideScroll);
    controls.GetAt(4)->SetHideFlags(xtpHideExpand);
    controls.GetAt(5)->SetTemporary(TRUE);
    const NextCase cases[] = {
        {-1, 1, TRUE, 0},  {0, 1, TRUE, 3},  {3, 1, TRUE, 5},  {5, 1, TRUE, 0},  {-1, -1, TRUE, 5},
        {0, -1, TRUE, 5},  {3, -1, TRUE, 0}, {3, 1, FALSE, 4}, {0, 1, FALSE, 3},
    };
    for (const NextCase& c : cases)
        EXPECT_EQ(c.nExpected, controls.GetNext(c.nIndex, c.nDirection, TRUE, FALSE, c.bKeepScrolled))
            << c.nIndex << " " << c.nDirection;
    EXPECT_EQ(3, controls.GetNext(0, 1, TRUE, TRUE)) << "temporary skipped on request";
    EXPECT_EQ(0, controls.GetNext(3, 1, TRUE, TRUE));
    EXPECT_EQ(1, controls.GetNext(0, 1, FALSE)) << "the mouse may select what keys skip";

    CXTPControls hidden;
    for (int id = 0; id < 3; id++)
        hidden.Add(xtpControlButton, id + 1)->SetHideFlags(xtpHideCustomize);
    EXPECT_EQ(-1, hidden.GetNext(-1, 1));
    EXPECT_EQ(-1, hidden.GetNext(-1, -1));
    hidden.GetAt(1)->SetHideFlags(0);
    EXPECT_EQ(1, hidden.GetNext(1, 1)) << "the only selectable control is its own next";
    EXPECT_EQ(-1, CXTPControls().GetNext(-1, 1));
    EXPECT_EQ(4, controls.GetVisibleCount(FALSE)) << "no room counts unless strict";
    EXPECT_EQ(3, controls.GetVisibleCount(TRUE));
}

TEST(Controls, IsChangedComparesWithTheOriginalSetLeavingTemporaryControlsOut)
{
    CXTPControls controls;
    controls.Add(xtpControlButton, 1);
    controls.Add(xtpControlButton, 2);
    EXPECT_TRUE(controls.IsChanged()) << "no original set";
    controls.CreateOriginalControls();
    EXPECT_FALSE(controls.IsChanged());
    controls.Add(xtpControlButton, 3, "", -1, TRUE);
    EXPECT_FALSE(controls.IsChanged());
    controls.GetAt(1)->SetHideFlags(xtpHideWrap);
    EXPECT_FALSE(controls.IsChanged());
    controls.GetAt(1)->SetHideFlags(xtpHideCustomize);
    EXPECT_TRUE(controls.IsChanged());
    controls.GetAt(1)->SetHideFlags(0);
    controls.Add(xtpControlButton, 4);
    EXPECT_TRUE(controls.IsChanged());

    controls.CreateOriginalControls();
    controls.CreateOriginalControls();
    ASSERT_NE(nullptr, controls.GetOriginalControls());
    EXPECT_EQ(nullptr, controls.GetOriginalControls()->GetOriginalControls()) << "sets do not nest";
    EXPECT_EQ(3, controls.GetOriginalControls()->GetCount());
}

TEST(Controls, FindAndHitTestSkipHiddenControlsWhenAsked)
{
    CXTPControls controls;
    controls.Add(xtpControlButton, 10)->SetHideFlags(xtpHideCustomize);
    controls.Add(xtpControlButton, 10);
    controls.Add(xtpControlButton, 11);
    controls.GetAt(0)->SetRect(CRect(0, 0, 20, 20));
    controls.GetAt(1)->SetRect(CRect(0, 0, 20, 20));
    EXPECT_EQ(controls.GetAt(0), controls.FindControl(10));
    EXPECT_EQ(controls.GetAt(1), controls.FindControl(xtpControlButton, 10, TRUE, FALSE));
    EXPECT_EQ(controls.GetAt(0), controls.FindControl(xtpControlError, -1, FALSE, FALSE));
    EXPECT_EQ(nullptr, controls.FindControl(xtpControlEdit, -1, FALSE, FALSE));
    EXPECT_EQ(controls.GetAt(1), controls.HitTest(CPoint(5, 5)));
    EXPECT_EQ(nullptr, controls.HitTest(CPoint(25, 5)));
}

TEST(Controls, LoadMenuMakesButtonsWithGroupsStatesAndKeyTexts)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 101, "&New\tCtrl+N");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 102, "&Wrap");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 103, "&Print");
    menu.AppendMenu(MF_STRING, 0xFF00, "Placeholder");
    menu.AppendMenu(MF_STRING, 104, "E&xit");
    menu.SetDefaultItem(0, TRUE);

    auto* pBar = new CXTPCommandBar;
    ASSERT_TRUE(pBar->LoadMenu(&menu));
    CXTPControls* pControls = pBar->GetControls();
    ASSERT_EQ(4, pControls->GetCount());
    EXPECT_EQ((std::vector<int>{101, 102, 103, 104}), IdsOf(*pControls));
    EXPECT_STREQ("&New", pControls->GetAt(0)->GetCaption());
    EXPECT_STREQ("Ctrl+N", pControls->GetAt(0)->GetAutoShortcutText());
    EXPECT_TRUE(pControls->GetAt(0)->IsDefaultItem());
    EXPECT_EQ(1, pControls->GetAt(1)->GetChecked());
    EXPECT_TRUE(pControls->GetAt(2)->GetBeginGroup());
    EXPECT_FALSE(pControls->GetAt(2)->GetEnabled());
    EXPECT_FALSE(pControls->GetAt(3)->GetBeginGroup());
    EXPECT_EQ(pBar, pControls->GetAt(0)->GetParent());

    EXPECT_TRUE(pBar->LoadMenu(&menu, FALSE));
    EXPECT_EQ(8, pControls->GetCount());
    EXPECT_TRUE(pBar->LoadMenu(&menu));
    EXPECT_EQ(4, pControls->GetCount());
    CMenu notAMenu;
    EXPECT_FALSE(pBar->LoadMenu(&notAMenu));
    EXPECT_FALSE(pBar->LoadMenu(nullptr));
    pBar->InternalRelease();
}

// A site that records the bar requests of new submenus and answers the ones named by their
// id: with a popup bar of its own, or with a toolbar, which is no popup's bar.
class BarRequestSite : public CWnd {
public:
    struct Request {
        BOOL bPopup;
        std::string caption;
        UINT nId;
    };
    std::vector<Request> m_requests;
    UINT m_nSupplyPopup = 0;
    UINT m_nSupplyToolBar = 0;
    CXTPPopupBar* m_pSupplied = nullptr;

    LRESULT OnCreateBar(WPARAM, LPARAM lParam)
    {
        auto* pRequest = reinterpret_cast<XTP_CREATEBAR*>(lParam);
        m_requests.push_back({pRequest->bPopup, static_cast<const char*>(pRequest->strCaption), pRequest->nID});
        if (pRequest->nID == m_nSupplyPopup && m_nSupplyPopup) {
            pRequest->pCommandBar = m_pSupplied = CXTPPopupBar::CreatePopupBar(nullptr);
            m_pSupplied->SetSiteWnd(this);
        }
        else if (pRequest->nID == m_nSupplyToolBar && m_nSupplyToolBar)
            pRequest->pCommandBar = new CXTPToolBar;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarRequestSite, CWnd)
    ON_MESSAGE(WM_CMDBARS_CREATEBAR, OnCreateBar)
END_MESSAGE_MAP()

TEST(Controls, NewSubmenusAskTheSiteForTheirBarAndHoldTheirMenu)
{
    BarRequestSite site;
    ASSERT_TRUE(site.CreateEx(0, CWnd::DefaultClassName(), "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    auto* pBar = new CXTPCommandBar;
    pBar->SetSiteWnd(&site);
    CXTPControls* pControls = pBar->GetControls();
    site.m_nSupplyPopup = 62270;
    site.m_nSupplyToolBar = 777;

    // Add by type: menu resource 62270 ("&File" holding "&Open") goes into the popup's bar.
    const struct {
        XTPControlType type;
        int nId;
        int nIdAfter;
        int nItems;
    } cases[] = {
        {xtpControlPopup, 62270, 0, 1},  // a submenu keeps no id
        {xtpControlButtonPopup, 62270, 62270, 1},
        {xtpControlSplitButtonPopup, 777, 777, 0},  // no such menu; the toolbar is not taken
    };
    for (const auto& c : cases) {
        site.m_pSupplied = nullptr;
        CXTPControl* pControl = pControls->Add(c.type, c.nId);
        ASSERT_NE(nullptr, pControl);
        EXPECT_EQ(c.type, pControl->GetType());
        EXPECT_EQ(c.nIdAfter, pControl->GetID());
        CXTPCommandBar* pPopup = pControl->GetCommandBar();
        ASSERT_NE(nullptr, dynamic_cast<CXTPPopupBar*>(pPopup)) << c.nId;
        ASSERT_EQ(c.nItems, pPopup->GetControlCount()) << c.nId;
        if (c.nItems) {
            EXPECT_STREQ("&File", pPopup->GetControl(0)->GetCaption());
            EXPECT_EQ(100, pPopup->GetControl(0)->GetCommandBar()->GetControl(0)->GetID());
        }
        if (c.nId == 62270)
            EXPECT_EQ(site.m_pSupplied, pPopup) << "the site's popup bar is the one used";
    }

    // From a menu: the request carries the item's text, which becomes the bar's title.
    CMenu sub;
    sub.CreatePopupMenu();
    sub.AppendMenu(MF_STRING, 101, "&Run");
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "&Tools");
    CXTPControl* pTools = pControls->AddMenuItem(&menu, 0);
    ASSERT_NE(nullptr, pTools);
    EXPECT_EQ(0, pTools->GetID());
    EXPECT_STREQ("&Tools", pTools->GetCommandBar()->GetTitle());
    EXPECT_EQ(101, pTools->GetCommandBar()->GetControl(0)->GetID());

    std::vector<std::string> requests;
    for (const auto& r : site.m_requests)
        requests.push_back(std::to_string(r.bPopup) + " " + std::to_string(r.nId) + " " + r.caption);
    // The "&File" submenus of the loaded resource ask too.
    EXPECT_EQ((std::vector<std::string>{"1 62270 ", "1 0 &File", "1 62270 ", "1 0 &File", "1 777 ", "1 0 &Tools"}),
              requests);
    pBar->InternalRelease();
    site.DestroyWindow();
}

// Row-layout records of the sizes given; group starts where marked.
std::vector<XTPControlLayout> Records(std::initializer_list<std::pair<int, BOOL>> sizes, int nHeight = 20)
{
    std::vector<XTPControlLayout> records;
    for (const auto& size : sizes) {
        XTPControlLayout record;
        record.nWidth = size.first;
        record.nHeight = nHeight;
        record.bBeginGroup = size.second;
        records.push_back(record);
    }
    return records;
}

TEST(Controls, CalcControlsSizePlacesRowsAndColumnsWithGroupGaps)
{
    auto records = Records({{30, FALSE}, {40, TRUE}, {20, FALSE}, {50, TRUE}});
    records[3].bWrap = TRUE;
    records[2].bVisible = FALSE;
    CSize size = CXTPControls::CalcControlsSize(records, FALSE);
    EXPECT_EQ(CRect(0, 0, 30, 20), records[0].rcControl);
    EXPECT_EQ(CRect(36, 0, 76, 20), records[1].rcControl);
    EXPECT_EQ(CRect(0, 26, 50, 46), records[3].rcControl) << "a wrapping group start drops 6 further";
    EXPECT_EQ(CSize(76, 46), size);

    auto column = Records({{30, FALSE}, {40, TRUE}, {20, FALSE}});
    column[2].bWrap = TRUE;
    size = CXTPControls::CalcControlsSize(column, TRUE);
    EXPECT_EQ(CRect(-30, 0, 0, 20), column[0].rcControl);
    EXPECT_EQ(CRect(-40, 26, 0, 46), column[1].rcControl);
    EXPECT_EQ(CRect(-60, 0, -40, 20), column[2].rcControl);
    EXPECT_EQ(CSize(80, 46), size);
}

TEST(Controls, WrapRowsBreaksAtGroupStartsAndNeverBeforeTheFirstControl)
{
    DWORD dwMode = 0;
    auto wide = Records({{100, FALSE}, {30, FALSE}});
    EXPECT_EQ(2, CXTPControls::WrapRows(wide, 50, dwMode));
    EXPECT_FALSE(wide[0].bWrap) << "the first control stays on the first row";
    EXPECT_TRUE(wide[1].bWrap);
    EXPECT_NE(0u, dwMode & xtpLayoutWrapped);

    dwMode = 0;
    auto grouped = Records({{30, FALSE}, {30, TRUE}, {30, FALSE}, {30, FALSE}});
    EXPECT_EQ(2, CXTPControls::WrapRows(grouped, 100, dwMode));
    EXPECT_TRUE(grouped[1].bWrap) << "the row breaks where the overflowing control's group starts";
    EXPECT_FALSE(grouped[3].bWrap);

    dwMode = 0;
    auto fits = Records({{30, FALSE}, {30, TRUE}});
    EXPECT_EQ(1, CXTPControls::WrapRows(fits, 66, dwMode));
    EXPECT_EQ(0u, dwMode);

    dwMode = xtpLayoutHideWrap;
    auto hiding = Records({{30, FALSE}, {30, FALSE}, {30, FALSE}});
    EXPECT_EQ(1, CXTPControls::WrapRows(hiding, 70, dwMode));
    EXPECT_FALSE(hiding[1].bHidden);
    EXPECT_TRUE(hiding[2].bHidden);
    EXPECT_NE(0u, dwMode & xtpLayoutWrapped);

    dwMode = xtpLayoutVertDock;
    auto tall = Records({{10, FALSE}, {10, FALSE}}, 40);
    EXPECT_EQ(2, CXTPControls::WrapRows(tall, 50, dwMode)) << "vertical bars measure heights";
}

TEST(Controls, CenterRowCentresAcrossTheThickness)
{
    auto records = Records({{30, FALSE}, {30, FALSE}}, 15);
    CXTPControls::CalcControlsSize(records, FALSE);
    CXTPControls::CenterRow(records, 0, 1, 22, 200, 4, FALSE);
    EXPECT_EQ(CRect(0, 3, 30, 18), records[0].rcControl);
    EXPECT_EQ(CRect(4, 0, 204, 22), records[1].rcRow);
}

TEST(Controls, AdjustRowsPacksRightAlignedControlsAndWidensStretchedOnes)
{
    CXTPControls controls;
    for (int id = 1; id <= 4; id++)
        controls.Add(xtpControlButton, id);
    controls.GetAt(2)->SetFlags(xtpFlagRightAlign);
    controls.GetAt(3)->SetFlags(xtpFlagRightAlign);
    auto records = Records({{30, FALSE}, {30, FALSE}, {20, FALSE}, {10, FALSE}});
    CXTPControls::CalcControlsSize(records, FALSE);
    controls.AdjustRows(records, CRect(0, 0, 200, 24), CRect(2, 2, 2, 2), 0);
    EXPECT_EQ(CRect(0, 0, 30, 20), records[0].rcControl);
    EXPECT_EQ(CRect(168, 0, 188, 20), records[2].rcControl) << "right-aligned controls keep their order";
    EXPECT_EQ(CRect(188, 0, 198, 20), records[3].rcControl);

    CXTPControls stretched;
    for (int id = 1; id <= 3; id++)
        stretched.Add(xtpControlButton, id);
    stretched.GetAt(0)->SetFlags(xtpFlagControlStretched);
    stretched.GetAt(2)->SetFlags(xtpFlagControlStretched);
    auto row = Records({{30, FALSE}, {30, FALSE}, {30, FALSE}});
    CXTPControls::CalcControlsSize(row, FALSE);
    stretched.AdjustRows(row, CRect(0, 0, 101, 24), CRect(0, 0, 0, 0), 0);
    EXPECT_EQ(CRect(0, 0, 35, 20), row[0].rcControl);
    EXPECT_EQ(CRect(35, 0, 65, 20), row[1].rcControl);
    EXPECT_EQ(CRect(65, 0, 101, 20), row[2].rcControl);
}

}  // namespace
