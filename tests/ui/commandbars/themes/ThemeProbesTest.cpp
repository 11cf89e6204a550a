// One frame's bars printed by the default theme and by the visual-styles theme without styles:
// hot, checked and disabled buttons, a left-docked and a floating bar, a menu with an icon, a
// check mark, a submenu and a disabled entry. Pixels are probed where the theme fixes them; the
// separators' bands by bar kind.
#include <gtest/gtest.h>

#include <vector>

#include "../CommandBarsFixture.h"
#include "../../base/drawing/DibCanvas.h"
#include "CXTPControlPopup.h"
#include "CXTPNativeTheme.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"

namespace {

const UINT ID_TWO_BUTTONS = 62450;  // an opaque image for id 101 (the strip's first colour masks 100)

// A window's client area as WM_PRINT draws it.
struct Picture {
    int cx = 0, cy = 0;
    std::vector<COLORREF> pixels;

    explicit Picture(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetClientRect(&rc);
        cx = rc.Width();
        cy = rc.Height();
        CDC screen;
        screen.CreateCompatibleDC(nullptr);
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        HGDIOBJ hOld = ::SelectObject(screen, hBitmap);
        pWnd->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(screen.GetSafeHdc()), PRF_CLIENT);
        ::GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(pBits);
        for (int i = 0; i < cx * cy; i++)
            pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
        ::SelectObject(screen, hOld);
        ::DeleteObject(hBitmap);
    }
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * cx + x)]; }
    int Count(CRect rc, COLORREF clr) const
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                n += At(x, y) == clr;
        return n;
    }
};

// A frame with dock bars of its own, made once for the suite.
class ThemeProbes : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        frame = new TestFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Themes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        frame->InitCommandBars(RUNTIME_CLASS(TestCommandBars));
        frame->Bars()->EnableDocking();
        PumpFor(50);
    }
    static void TearDownTestSuite()
    {
        frame->DestroyWindow();
        frame = nullptr;
        PumpFor(20);
    }
    void TearDown() override
    {
        ReleaseBars();
        CXTPPaintManager::SetTheme(1);
    }

    // Toolbars leave the frame's command bars; popups are closed and released.
    void ReleaseBars()
    {
        while (frame->Bars()->GetCount() > 0)
            frame->Bars()->Remove(frame->Bars()->GetAt(0));
        for (CXTPPopupBar* pPopup : m_popups) {
            pPopup->SetTrackingMode(FALSE);
            pPopup->InternalRelease();
        }
        m_popups.clear();
        PumpFor(10);
    }

    // A toolbar of three buttons with icon 101: hot, checked and disabled.
    CXTPToolBar* MakeBar(XTPBarPosition position, const char* lpszTitle)
    {
        CXTPToolBar* pBar = frame->Bars()->Add(lpszTitle, position);
        EXPECT_TRUE(pBar->LoadToolBar(ID_TWO_BUTTONS));  // the images
        CXTPControls* pControls = pBar->GetControls();
        pControls->RemoveAll();
        for (int nId : {ID_PLAIN, ID_CHECKED, ID_DISABLED})
            pControls->Add(xtpControlButton, nId)->SetIconId(101);
        pControls->GetAt(1)->SetChecked(TRUE);
        pControls->GetAt(2)->SetEnabled(FALSE);
        pBar->OnRecalcLayout();
        frame->RecalcLayout();
        pControls->GetAt(0)->OnSetSelected(xtpSelectedByMouse);
        return pBar;
    }

    // A menu: an icon entry (hot), a checked entry, a submenu and a disabled entry.
    CXTPPopupBar* MakeMenu()
    {
        CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->Bars());
        m_popups.push_back(pPopup);
        CXTPControls* pControls = pPopup->GetControls();
        CXTPControl* pIcon = pControls->Add(xtpControlButton, ID_PLAIN);
        pIcon->SetCaption("Icon");
        pIcon->SetIconId(101);
        pControls->Add(xtpControlButton, ID_CHECKED)->SetCaption("Checked");
        auto* pSub = static_cast<CXTPControlPopup*>(pControls->Add(xtpControlPopup, 0));
        pSub->SetCaption("Submenu");
        pSub->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_PLAIN)->SetCaption("Inner");
        pControls->Add(xtpControlButton, ID_DISABLED)->SetCaption("Disabled");
        pControls->GetAt(1)->SetChecked(TRUE);
        pControls->GetAt(3)->SetEnabled(FALSE);
        EXPECT_TRUE(pPopup->Popup(300, 300, nullptr));
        pControls->GetAt(0)->OnSetSelected(xtpSelectedByMouse);
        return pPopup;
    }

    static TestFrame* frame;
    std::vector<CXTPPopupBar*> m_popups;
};

TestFrame* ThemeProbes::frame = nullptr;

TEST_F(ThemeProbes, TheDefaultThemeDrawsItsFixedPixels)
{
    CXTPPaintManager* pTheme = CXTPPaintManager::SetTheme(1);
    const COLORREF face = pTheme->GetColor(COLOR_BTNFACE), light = pTheme->GetColor(COLOR_BTNHIGHLIGHT),
                   dark = pTheme->GetColor(COLOR_BTNSHADOW);

    // Docked at the top: the hot button raised, the checked one a checkerboard in a sunken frame.
    CXTPToolBar* pTop = MakeBar(xtpBarTop, "Top");
    const Picture top(pTop);
    ASSERT_GT(top.cx, 0);
    const CRect rcHot = pTop->GetControl(0)->GetRect();
    EXPECT_EQ(light, top.At(rcHot.left, rcHot.top));
    EXPECT_EQ(dark, top.At(rcHot.right - 1, rcHot.bottom - 1));
    const CRect rcChecked = pTop->GetControl(1)->GetRect();
    EXPECT_EQ(dark, top.At(rcChecked.left, rcChecked.top + 4));
    EXPECT_EQ(light, top.At(rcChecked.right - 1, rcChecked.top + 4));
    for (int x = rcChecked.left + 1; x < rcChecked.left + 3; x++) {
        const COLORREF a = top.At(x, rcChecked.top + 1), b = top.At(x + 1, rcChecked.top + 1);
        EXPECT_TRUE((a == face && b == light) || (a == light && b == face)) << x;
        EXPECT_EQ(b, top.At(x, rcChecked.top + 2)) << "a one-pixel checkerboard";
    }
    // The disabled icon: colour 16 at the image, colour 20 one pixel down and right, nothing else.
    const CRect rcDisabled = pTop->GetControl(2)->GetRect();
    const CRect rcImage(rcDisabled.left + 3, rcDisabled.top + (rcDisabled.Height() - 16) / 2, 0, 0);
    const CRect rcIcon(rcImage.left, rcImage.top, rcImage.left + 17, rcImage.top + 17);
    EXPECT_GT(top.Count(rcIcon, dark), 0);
    EXPECT_GT(top.Count(rcIcon, light), 0);
    EXPECT_EQ(rcIcon.Width() * rcIcon.Height(),
              top.Count(rcIcon, dark) + top.Count(rcIcon, light) + top.Count(rcIcon, face));
    int nRightmostDark = -1, nRow = -1;
    for (int y = rcIcon.top; y < rcIcon.bottom; y++)
        for (int x = rcIcon.left; x < rcIcon.right; x++)
            if (top.At(x, y) == dark && x > nRightmostDark) {
                nRightmostDark = x;
                nRow = y;
            }
    ASSERT_GE(nRightmostDark, 0);
    EXPECT_EQ(light, top.At(nRightmostDark + 1, nRow + 1)) << "the light copy lies under it, one pixel on";

    // Docked left: the gripper is a raised bar three pixels high across the bar.
    CXTPToolBar* pLeft = MakeBar(xtpBarLeft, "Left");
    const Picture left(pLeft);
    ASSERT_GT(left.cx, 8);
    const int xMid = left.cx / 2;
    EXPECT_EQ(face, left.At(xMid, 2));
    EXPECT_EQ(light, left.At(xMid, 3));
    EXPECT_EQ(face, left.At(xMid, 4));
    EXPECT_EQ(dark, left.At(xMid, 5));
    EXPECT_EQ(face, left.At(xMid, 6));

    // Floating: a caption band of colour 2 at least 18 pixels high.
    CXTPToolBar* pFloating = MakeBar(xtpBarFloating, "");
    const Picture floating(pFloating);
    EXPECT_GE(pFloating->GetCaptionHeight(), 18);
    const COLORREF caption = pTheme->GetColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(caption, floating.At(4, 3));
    EXPECT_EQ(caption, floating.At(4, 3 + pFloating->GetCaptionHeight() - 1));
    EXPECT_NE(caption, floating.At(4, 3 + pFloating->GetCaptionHeight()));

    // The menu: the hot entry is highlighted right of its icon column, the check mark and the
    // submenu arrow are in the text colour, the disabled text is embossed.
    CXTPPopupBar* pMenu = MakeMenu();
    const Picture menu(pMenu);
    const COLORREF text = pTheme->GetColor(COLOR_BTNTEXT), highlight = pTheme->GetColor(COLOR_HIGHLIGHT);
    const CRect rcIconEntry = pMenu->GetControl(0)->GetRect();
    const int nColumn = std::max(16 + 4, pTheme->GetTextHeight());
    EXPECT_EQ(light, menu.At(rcIconEntry.left, rcIconEntry.top)) << "the icon column raised";
    EXPECT_EQ(highlight, menu.At(rcIconEntry.left + nColumn + 2, rcIconEntry.top + 1));
    EXPECT_NE(highlight, menu.At(rcIconEntry.left + nColumn, rcIconEntry.top + 1));
    const CRect rcCheck = pMenu->GetControl(1)->GetRect();
    EXPECT_GT(menu.Count(CRect(rcCheck.left, rcCheck.top, rcCheck.left + nColumn, rcCheck.bottom), text), 6);
    const CRect rcSub = pMenu->GetControl(2)->GetRect();
    const int c = rcSub.top + rcSub.Height() / 2;
    EXPECT_EQ(text, menu.At(rcSub.right - 10, c));
    const CRect rcOff = pMenu->GetControl(3)->GetRect();
    const CRect rcOffText(rcOff.left + nColumn + 4, rcOff.top, rcOff.right, rcOff.bottom);
    EXPECT_GT(menu.Count(rcOffText, pTheme->GetColor(COLOR_GRAYTEXT)), 0);
    EXPECT_GT(menu.Count(rcOffText, light), 0);
    EXPECT_EQ(0, menu.Count(rcOffText, text));
}

TEST_F(ThemeProbes, WithoutVisualStylesTheNativeThemeDrawsLikeTheDefaultOne)
{
    // Only faded icons and the menu text colour differ; the probed bars show neither (no button
    // in the plain state, menu text 7 equal to 18 here).
    std::vector<Picture> pictures[2];
    for (int i = 0; i < 2; i++) {
        CXTPPaintManager* pTheme = CXTPPaintManager::SetTheme(i == 0 ? 1 : 3);
        for (XTPBarPosition position : {xtpBarTop, xtpBarLeft, xtpBarFloating})
            pictures[i].emplace_back(MakeBar(position, ""));
        pictures[i].emplace_back(MakeMenu());
        ReleaseBars();
        if (i == 1) {
            ASSERT_NE(nullptr, dynamic_cast<CXTPNativeTheme*>(pTheme));
            EXPECT_EQ(3, pTheme->GetCurrentTheme());
            EXPECT_TRUE(pTheme->GetIconOptions()[0]) << "faded icons";
            EXPECT_EQ(COLOR_MENUTEXT, static_cast<CXTPNativeTheme*>(pTheme)->m_nPopupTextColor);
            ASSERT_EQ(pTheme->GetColor(COLOR_MENUTEXT), pTheme->GetColor(COLOR_BTNTEXT));
        }
    }
    for (size_t n = 0; n < pictures[0].size(); n++) {
        ASSERT_GT(pictures[0][n].cx * pictures[0][n].cy, 100) << n;
        EXPECT_EQ(pictures[0][n].cx, pictures[1][n].cx) << n;
        EXPECT_EQ(pictures[0][n].cy, pictures[1][n].cy) << n;
        EXPECT_TRUE(pictures[0][n].pixels == pictures[1][n].pixels) << "picture " << n;
    }
}

}  // namespace

namespace {

// A bar of the chosen type and position whose controls keep the rectangles they are given.
class PlacedBar : public TestBar {
public:
    void OnRecalcLayout() override {}
};

}  // namespace

TEST_F(ThemeProbes, SeparatorsAreEtchedBandsWhereTheBarKindPutsThem)
{
    CXTPTheme1 theme;
    const COLORREF light = theme.GetColor(COLOR_BTNHIGHLIGHT), dark = theme.GetColor(COLOR_BTNSHADOW);
    auto* pBar = new PlacedBar;
    ASSERT_TRUE(pBar->Create(CWnd::DefaultClassName(), "", WS_CHILD, CRect(0, 0, 120, 100), frame, 1));
    CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, ID_PLAIN);
    const CRect rcRow(10, 20, 90, 50), rcControl(40, 30, 60, 45);
    const struct {
        int type;
        XTPBarPosition position;
        BOOL wrap;
        CRect band;
    } cases[] = {
        {xtpBarTypePopup, xtpBarPopup, FALSE, CRect(14, 25, 120 - 14, 27)},
        {xtpBarTypeNormal, xtpBarLeft, FALSE, CRect(10, 26, 90, 28)},
        {xtpBarTypeNormal, xtpBarRight, TRUE, CRect(92, 24, 94, 50)},
        {xtpBarTypeNormal, xtpBarTop, FALSE, CRect(36, 20, 38, 50)},
        {xtpBarTypeNormal, xtpBarBottom, TRUE, CRect(14, 16, 90, 18)},
    };
    for (const auto& c : cases) {
        pBar->SetBarType(c.type);
        pBar->SetBarPosition(c.position);
        pControl->SetRect(rcControl);
        pControl->SetRowRect(rcRow);
        pControl->SetWrap(c.wrap);
        DibCanvas canvas(120, 100);
        EXPECT_EQ(CSize(0, 8), theme.DrawSeparator(&canvas.dc, pBar, pControl, FALSE)) << "measuring only";
        EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(c.band.left, c.band.top));
        EXPECT_EQ(CSize(0, 0), theme.DrawSeparator(&canvas.dc, pBar, pControl, TRUE));
        EXPECT_EQ(dark, canvas.dc.GetPixel(c.band.left, c.band.top)) << c.type << " " << c.position;
        EXPECT_EQ(light, canvas.dc.GetPixel(c.band.right - 1, c.band.bottom - 1)) << c.type << " " << c.position;
        EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(c.band.left - 1, c.band.top)) << c.type << " " << c.position;
        EXPECT_EQ(RGB(255, 255, 255), canvas.dc.GetPixel(c.band.left, c.band.bottom)) << c.type << " " << c.position;
    }
    pBar->InternalRelease();
}

TEST_F(ThemeProbes, AHotSplitButtonRaisesItsMainPartAndItsArrowApart)
{
    CXTPTheme1 theme;
    const COLORREF light = theme.GetColor(COLOR_BTNHIGHLIGHT), dark = theme.GetColor(COLOR_BTNSHADOW);
    auto* pBar = new PlacedBar;
    ASSERT_TRUE(pBar->Create(CWnd::DefaultClassName(), "", WS_CHILD, CRect(0, 0, 60, 30), frame, 1));
    pBar->SetBarPosition(xtpBarTop);
    CXTPControl* pSplit = pBar->GetControls()->Add(xtpControlSplitButtonPopup, ID_PLAIN);
    const CRect rc(0, 0, 40, 22);
    pSplit->SetRect(rc);
    const struct {
        int selected;
        BOOL arrowRaised;
    } cases[] = {{xtpNotSelected, FALSE}, {xtpSelectedByMouse, TRUE}};
    for (const auto& c : cases) {
        pSplit->OnSetSelected(c.selected);
        DibCanvas canvas(60, 30);
        theme.DrawSplitButtonFrame(&canvas.dc, pSplit, rc);
        const COLORREF main = c.selected ? dark : RGB(255, 255, 255);
        EXPECT_EQ(main, canvas.dc.GetPixel(rc.right - 13, rc.bottom - 1)) << "the main part ends 12 pixels early";
        EXPECT_EQ(c.arrowRaised ? light : RGB(255, 255, 255), canvas.dc.GetPixel(rc.right - 12, rc.top + 1));
        EXPECT_EQ(c.arrowRaised ? dark : RGB(255, 255, 255), canvas.dc.GetPixel(rc.right - 1, rc.bottom - 1));
        const int m = (rc.top + rc.bottom) / 2;
        EXPECT_EQ(theme.GetColor(COLOR_BTNTEXT), canvas.dc.GetPixel(rc.right - 7, m)) << "the arrow in the text colour";
    }
    pBar->InternalRelease();
}
