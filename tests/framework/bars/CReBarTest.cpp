// Rebars: bands added from windows, the rebar's strip at the top of its parent's layout, and the
// commands of a band's controls reaching the owner.
#include <gtest/gtest.h>

#include "ChildRect.h"
#include "CButton.h"
#include "CGdiObject.h"
#include "CReBar.h"

namespace {

const UINT ID_BUTTON = 300;

// Lays its bars out on every size change and counts the button's commands.
class RebarHost : public CWnd {
public:
    int clicks = 0;
    void OnButton() { ++clicks; }
    void OnSize(UINT, int, int) { RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RebarHost, CWnd)
    ON_COMMAND(ID_BUTTON, OnButton)
    ON_WM_SIZE()
END_MESSAGE_MAP()

TEST(CReBarTest, BandsHoldTheirWindowsAndTheRebarTakesTheTop)
{
    RebarHost host;
    ASSERT_TRUE(host.CreateEx(0, CWnd::DefaultClassName(), "Rebar", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr));
    CWnd rest;
    ASSERT_TRUE(rest.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &host, AFX_IDW_PANE_FIRST));
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(&host));
    host.ShowWindow(SW_SHOWNA);
    EXPECT_EQ(rebar.GetDlgCtrlID(), AFX_IDW_REBAR);
    EXPECT_EQ(rebar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_TOP));

    // Two windows made elsewhere become the rebar's bands.
    CButton button;
    ASSERT_TRUE(button.Create("Run", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 80, 24), &host, ID_BUTTON));
    CWnd field;
    ASSERT_TRUE(field.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 30), &host, 301));
    CBitmap background;
    ASSERT_TRUE(background.CreateBitmap(8, 8, 1, 32, nullptr));
    EXPECT_TRUE(rebar.AddBar(&button, "Build", &background));
    EXPECT_TRUE(rebar.AddBar(&field, RGB(0, 0, 0), RGB(255, 255, 255), nullptr, RBBS_BREAK));
    EXPECT_EQ(rebar.GetBandCount(), 2);
    EXPECT_EQ(button.GetParent(), &rebar);
    EXPECT_EQ(field.GetParent(), &rebar);
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILDSIZE | RBBIM_CHILD;
    rebar.SendMessage(RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&band));
    EXPECT_EQ(band.hwndChild, field.m_hWnd);
    EXPECT_EQ(band.cyMinChild, 30u);  // the window's own height
    band.fMask = RBBIM_TEXT | RBBIM_BACKGROUND;
    char text[16] = "";
    band.lpText = text;
    band.cch = sizeof(text);
    rebar.SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band));
    EXPECT_STREQ(text, "Build");
    EXPECT_EQ(band.hbmBack, static_cast<HBITMAP>(background.m_hObject));

    // Nothing to hold: refused.
    EXPECT_FALSE(rebar.AddBar(nullptr));
    CWnd unmade;
    EXPECT_FALSE(rebar.AddBar(&unmade));
    EXPECT_FALSE(rebar.AddBar(&rebar));
    EXPECT_EQ(rebar.GetBandCount(), 2);

    // Two rows (the second band breaks): at least both heights, across the whole width. The
    // shown parent was laid out again as the bands came.
    const int height = static_cast<int>(rebar.SendMessage(RB_GETBARHEIGHT));
    EXPECT_GE(height, 24 + 30);
    EXPECT_EQ(ChildRect(rebar), CRect(0, 0, 400, height));
    EXPECT_EQ(ChildRect(rest), CRect(0, height, 400, 300));

    // A band's control speaks to the rebar; its command reaches the rebar's owner.
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(host.clicks, 1);
    host.DestroyWindow();
    CWnd::DeleteTempMap();
}

}  // namespace
