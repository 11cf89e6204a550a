// Control bars: each alignment takes its own edge in the layout, borders count in the size, and
// a measuring pass adds the bars' sizes without moving them.
#include <gtest/gtest.h>

#include "ChildRect.h"
#include "AfxIds.h"
#include "CControlBar.h"

namespace {

// A bar of a fixed thickness across its edge.
class PlainBar : public CControlBar {
public:
    int thickness = 0;
    BOOL Create(CWnd* parent, DWORD style, UINT id) { return CreateBar(nullptr, style, WS_CHILD | WS_VISIBLE, parent, id); }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
        if (bHorz)
            size.cy += thickness;
        else
            size.cx += thickness;
        return size;
    }
    void OnUpdateCmdUI(CWnd*, BOOL) override {}
};

TEST(CControlBarTest, EachAlignmentTakesItsEdgeInCreationOrder)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, CWnd::DefaultClassName(), "Bars", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    CWnd rest;
    ASSERT_TRUE(rest.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &host, AFX_IDW_PANE_FIRST));
    const struct {
        DWORD style;
        int thickness;
        CRect expected;
    } cases[] = {
        {CBRS_TOP, 20, CRect(0, 0, 400, 20)},
        {CBRS_LEFT, 30, CRect(0, 20, 30, 300)},
        {CBRS_BOTTOM, 10, CRect(30, 290, 400, 300)},
        {CBRS_RIGHT, 40, CRect(360, 20, 400, 290)},
    };
    PlainBar bars[4];
    for (int i = 0; i < 4; ++i) {
        bars[i].thickness = cases[i].thickness;
        ASSERT_TRUE(bars[i].Create(&host, WS_CHILD | WS_VISIBLE | cases[i].style, 0xE820 + i));
        EXPECT_EQ(bars[i].GetBarStyle(), cases[i].style);  // the bar's bits stay out of the window style
        EXPECT_EQ(bars[i].GetStyle() & CBRS_ALL, 0u);
    }
    // Windows are asked in z-order, which is creation order here.
    host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ChildRect(bars[i]), cases[i].expected) << i;
    EXPECT_EQ(ChildRect(rest), CRect(30, 20, 360, 290));

    // Borders belong to the bar's size; a bar that docks nowhere or is hidden takes nothing.
    bars[0].SetBorders(1, 2, 3, 4);
    EXPECT_EQ(bars[0].GetBorders(), CRect(1, 2, 3, 4));
    CRect inside(0, 0, 100, 50);
    bars[0].CalcInsideRect(inside, TRUE);
    EXPECT_EQ(inside, CRect(1, 2, 97, 46));
    bars[1].ShowWindow(SW_HIDE);
    bars[2].SetBarStyle(0);
    host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(ChildRect(bars[0]), CRect(0, 0, 400, 26));
    EXPECT_EQ(ChildRect(rest), CRect(0, 26, 360, 300));

    // Measuring without stretching gives the bars' total and moves nothing.
    CRect total;
    host.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &total, nullptr, FALSE);
    EXPECT_EQ(total, CRect(0, 0, 44, 26));
    EXPECT_EQ(ChildRect(rest), CRect(0, 26, 360, 300));
    host.DestroyWindow();
}

TEST(CControlBarTest, BarNeedsAParentWindow)
{
    PlainBar bar;
    EXPECT_FALSE(bar.Create(nullptr, WS_CHILD | CBRS_TOP, 0xE820));
    CWnd unmade;
    EXPECT_FALSE(bar.Create(&unmade, WS_CHILD | CBRS_TOP, 0xE820));
    EXPECT_EQ(bar.m_hWnd, nullptr);
}

}  // namespace
