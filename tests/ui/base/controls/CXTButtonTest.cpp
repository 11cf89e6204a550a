// The themed button: flat borders by state, double clicks, the dithered checked face, its text.
#include "CXTButton.h"

#include "ControlHost.h"
#include "CXTButtonTheme.h"
#include "CXTPColorManager.h"

namespace {

class ButtonTest : public ControlHost {
protected:
    void SetUp() override
    {
        ControlHost::SetUp();
        CursorAway();
        ASSERT_TRUE(button.Create("&Run", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), host, 501));
    }
    void TearDown() override
    {
        button.DestroyWindow();
        ControlHost::TearDown();
    }
    // Hovering: the cursor on the button and one mouse move, as the system would send it.
    void Hover()
    {
        PlaceCursor(&button, CPoint(50, 15));
        button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 15));
    }

    CXTButton button;
};

TEST_F(ButtonTest, CreationMakesTheButtonOwnerDrawn)
{
    EXPECT_EQ(button.GetStyle() & 0x0F, (DWORD)BS_OWNERDRAW);
}

TEST_F(ButtonTest, FlatBorderShowsOnlyWhenHotAndSinksWhenPressed)
{
    const COLORREF face = GetManagedColor(COLOR_BTNFACE);
    const COLORREF light = GetManagedColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetManagedColor(COLOR_BTNSHADOW);
    struct Case {
        const char* name;
        bool hover, press;
        COLORREF topLeft, bottomRight;
    } cases[] = {
        {"resting", false, false, face, face},
        {"hot", true, false, light, shadow},
        {"pressed", true, true, shadow, light},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CursorAway();
        button.SendMessage(WM_TIMER, 1);  // leaves the hot state
        if (c.hover)
            Hover();
        button.SendMessage(BM_SETSTATE, c.press);
        EXPECT_EQ(button.IsHot(), c.hover ? TRUE : FALSE);
        PrintedWindow printed(&button);
        EXPECT_EQ(printed.At(0, 0), c.topLeft);
        EXPECT_EQ(printed.At(printed.width - 1, printed.height - 1), c.bottomRight);
        button.SendMessage(BM_SETSTATE, FALSE);
    }
}

TEST_F(ButtonTest, HotStateEndsWhenTheCursorLeavesOrTheButtonIsHeld)
{
    Hover();
    ASSERT_TRUE(button.IsHot());
    CursorAway();
    PumpFor(60);
    EXPECT_FALSE(button.IsHot());

    Hover();
    ASSERT_TRUE(button.IsHot());
    button.m_bLBtnDown = TRUE;  // held: the next tick drops the hot state although the cursor stays
    button.SendMessage(WM_TIMER, 1);
    EXPECT_FALSE(button.IsHot());
    button.m_bLBtnDown = FALSE;
}

TEST_F(ButtonTest, DoubleClickClicksTwice)
{
    PlaceCursor(&button, CPoint(20, 10));
    const LPARAM at = MAKELPARAM(20, 10);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    button.SendMessage(WM_LBUTTONUP, 0, at);
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    button.SendMessage(WM_LBUTTONUP, 0, at);
    EXPECT_EQ(host->Count(BN_CLICKED), 2);
    CursorAway();
}

TEST_F(ButtonTest, CheckedButtonDithersOnlyOutsideOrPressed)
{
    button.SetXButtonStyle(BS_XT_FLAT | BS_XT_HILITEPRESSED);
    button.SetChecked(TRUE);
    struct Case {
        const char* name;
        bool inside, press, dithered;
    } cases[] = {
        {"outside", false, false, true},
        {"inside", true, false, false},
        {"inside pressed", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.inside)
            PlaceCursor(&button, CPoint(50, 15));
        else
            CursorAway();
        button.SendMessage(BM_SETSTATE, c.press);
        PrintedWindow printed(&button);
        // The dither alternates face and highlight from one pixel to the next.
        EXPECT_EQ(printed.At(10, 5) != printed.At(11, 5), c.dithered);
        button.SendMessage(BM_SETSTATE, FALSE);
    }
}

TEST_F(ButtonTest, XpStyleGivesTheButtonItsOwnXpTheme)
{
    button.SetXButtonStyle(BS_XT_XPFLAT | BS_XT_FLAT);  // flat: hot tracking
    ASSERT_NE(dynamic_cast<CXTButtonThemeXP*>(button.GetTheme()), nullptr);
    button.SetXPColors(RGB(1, 2, 3), RGB(10, 20, 30), RGB(40, 50, 60));
    Hover();
    PrintedWindow printed(&button);
    EXPECT_EQ(printed.At(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(printed.At(5, 5), RGB(10, 20, 30));
    button.SetXButtonStyle(0);
    EXPECT_EQ(dynamic_cast<CXTButtonThemeXP*>(button.GetTheme()), nullptr);
}

TEST_F(ButtonTest, WithoutVersionSixControlsTheVisualStyleBitFallsBackToClassic)
{
    button.SetXButtonStyle(BS_XT_SEMIFLAT | BS_XT_WINXP_COMPAT);
    EXPECT_FALSE(button.GetTheme()->IsVisualStyle(&button));
    PrintedWindow printed(&button);
    EXPECT_EQ(printed.At(0, 0), GetManagedColor(COLOR_BTNHIGHLIGHT));  // the semi-flat frame
}

TEST(ButtonText, MnemonicsRemoved)
{
    struct Case {
        const char* text;
        const char* plain;
    } cases[] = {
        {"&Run", "Run"}, {"Save && Quit", "Save && Quit"}, {"Ends&", "Ends&"}, {"a&b&c", "abc"}, {"", ""},
        {"&&&x", "&&x"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(CXTButton::RemoveMnemonics(c.text), c.plain) << c.text;
}

}  // namespace
