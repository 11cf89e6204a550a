// Popup shadows: their rectangles with and without layered windows, the strip picture, when none
// is made, following the owner, and owners left out of every shadow.
#include "CXTPShadowManager.h"

#include <gtest/gtest.h>

#include <vector>

#include "../CommandBarsFixture.h"
#include "CXTPTheme1.h"

namespace {

// A theme whose shadow query is on (the system drop-shadow setting is off under Wine).
class ShadowTheme : public CXTPTheme1 {
public:
    BOOL IsFlatToolBar() override { return TRUE; }
};

class PopupShadows : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        m_pPopup = MakePopup(CRect(100, 100, 200, 180));
    }
    void TearDown() override
    {
        for (TestBar* pBar : m_arrPopups) {
            if (pBar->GetSafeHwnd())
                pBar->DestroyWindow();
            pBar->InternalRelease();
        }
        m_arrPopups.clear();
        frame->GetCommandBars()->SetCustomizeMode(FALSE);
        CommandBarsFixture::TearDown();
    }

    TestBar* MakePopup(CRect rc)
    {
        auto* pBar = new TestBar;
        pBar->SetBarType(xtpBarTypePopup);
        pBar->SetCommandBars(frame->GetCommandBars());
        pBar->SetPaintManager(new ShadowTheme);
        // Shown without activation, as popups are (activating windows is slow under Wine).
        pBar->CreateEx(WS_EX_TOOLWINDOW, CWnd::DefaultClassName(), "", WS_POPUP, rc, frame, 0);
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        m_arrPopups.push_back(pBar);
        return pBar;
    }

    static CRect RectOf(CWnd* pWnd)
    {
        CRect rc;
        pWnd->GetWindowRect(&rc);
        return rc;
    }

    TestBar* m_pPopup = nullptr;
    std::vector<TestBar*> m_arrPopups;
};

TEST_F(PopupShadows, StripsLieUnderAndRightOfTheOwner)
{
    for (BOOL bLayered : {TRUE, FALSE}) {
        CXTPShadowManager manager(bLayered);
        const int d = bLayered ? 4 : 2;
        ASSERT_EQ(d, manager.GetThickness());
        manager.SetShadow(m_pPopup, CRect(0, 0, 0, 0));
        ASSERT_EQ(2u, manager.GetShadows().size());
        EXPECT_TRUE(manager.GetShadows()[0]->IsBottom());
        EXPECT_EQ(CRect(100 + d, 180, 200 + d, 180 + d), RectOf(manager.GetShadows()[0]));
        EXPECT_EQ(CRect(200, 100 + d, 200 + d, 180), RectOf(manager.GetShadows()[1]));
        EXPECT_EQ(bLayered ? WS_EX_LAYERED : 0u, manager.GetShadows()[0]->GetExStyle() & WS_EX_LAYERED);
        EXPECT_EQ(HTTRANSPARENT, manager.GetShadows()[0]->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(110, 181)));
        manager.RemoveShadow(m_pPopup);
        EXPECT_TRUE(manager.GetShadows().empty());
    }
}

TEST_F(PopupShadows, NoShadowWithoutTheThemeOrTheSettingNorInCustomizeMode)
{
    CXTPShadowManager manager(TRUE);
    TestBar* pPlain = MakePopup(CRect(300, 100, 400, 180));
    pPlain->SetPaintManager(new CXTPTheme1);
    BOOL bSystem = TRUE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bSystem, 0);
    manager.SetShadow(pPlain, CRect(0, 0, 0, 0));
    EXPECT_EQ(bSystem ? 2u : 0u, manager.GetShadows().size());
    manager.RemoveShadow(pPlain);

    frame->GetCommandBars()->SetCustomizeMode(TRUE);
    manager.SetShadow(m_pPopup, CRect(0, 0, 0, 0));
    EXPECT_TRUE(manager.GetShadows().empty());
}

TEST_F(PopupShadows, ShadowsFollowTheirOwnerAndGoWithIt)
{
    CXTPShadowManager manager(TRUE);
    manager.SetShadow(m_pPopup, CRect(0, 0, 0, 0));
    ASSERT_EQ(2u, manager.GetShadows().size());
    EXPECT_TRUE(manager.GetShadows()[0]->IsWindowVisible());
    m_pPopup->ShowWindow(SW_HIDE);
    EXPECT_FALSE(manager.GetShadows()[0]->IsWindowVisible());
    EXPECT_FALSE(manager.GetShadows()[1]->IsWindowVisible());
    m_pPopup->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(manager.GetShadows()[1]->IsWindowVisible());
    m_pPopup->DestroyWindow();
    EXPECT_TRUE(manager.GetShadows().empty());
}

TEST_F(PopupShadows, NoShadowDarkensAnOwner)
{
    CXTPShadowManager manager(TRUE);
    // A menu lying where the next popup's bottom shadow falls.
    TestBar* pMenu = MakePopup(CRect(290, 170, 340, 260));
    manager.SetShadow(pMenu, CRect(0, 0, 0, 0));
    TestBar* pNext = MakePopup(CRect(250, 100, 320, 180));
    manager.SetShadow(pNext, CRect(250, 80, 320, 100));
    ASSERT_EQ(4u, manager.GetShadows().size());
    CXTPShadowWnd* pBottom = manager.GetShadows()[2];
    ASSERT_TRUE(pBottom->IsBottom());
    CRect rcBottom = RectOf(pBottom);
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(pBottom->GetSafeHwnd(), hRgn));
    EXPECT_TRUE(::PtInRegion(hRgn, 260 - rcBottom.left, 1)) << "beside the menu the shadow shows";
    EXPECT_FALSE(::PtInRegion(hRgn, 300 - rcBottom.left, 1)) << "over the menu it is cut out";
    ::DeleteObject(hRgn);
    manager.RemoveShadow(pMenu);
    manager.RemoveShadow(pNext);
}

TEST(ShadowPicture, LinesAndEndSquaresFadeByTheirDistance)
{
    for (BOOL bLight : {TRUE, FALSE}) {
        const int k = bLight ? 1 : 2;
        const int cx = 20, cy = 4;
        std::vector<DWORD> pixels(cx * cy);
        CXTPShadowWnd::ComputePixels(pixels.data(), cx, cy, TRUE, RGB(200, 100, 40), bLight);
        auto alpha = [&](int x, int y) { return static_cast<int>(pixels[static_cast<size_t>(y * cx + x)] >> 24); };
        for (int y = 0; y < 4; y++) {
            const int i = 4 - y;  // next to the owner the darkest
            EXPECT_EQ(15 * k * i, alpha(10, y));
            EXPECT_EQ(3 * k * i * 1, alpha(0, y)) << "the outermost column of an end square";
            EXPECT_EQ(3 * k * i * 4, alpha(3, y));
            EXPECT_EQ(3 * k * i * 1, alpha(cx - 1, y));
        }
        EXPECT_EQ(static_cast<DWORD>(200 * 4 * 0.25), (pixels[10] >> 16) & 0xFF) << "colour scaled by i/4";
        EXPECT_EQ(static_cast<DWORD>(40 * 0.05 * 4 * 1), pixels[0] & 0xFF);
    }
    std::vector<DWORD> column(4 * 12);
    CXTPShadowWnd::ComputePixels(column.data(), 4, 12, FALSE, RGB(0, 0, 0), FALSE);
    EXPECT_EQ(15u * 2 * 4, column[6 * 4 + 0] >> 24) << "a right strip darkens next to its owner";
    EXPECT_EQ(15u * 2 * 1, column[6 * 4 + 3] >> 24);
}

}  // namespace
