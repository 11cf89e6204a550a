// The custom control: room for its window and borders, the window's place, vertical bars, and
// a window the application destroyed.
#include "CXTPControlCustom.h"

#include <gtest/gtest.h>

#include "CControlBar.h"
#include "CDC.h"
#include "../CommandBarsFixture.h"

namespace {

class ControlCustom : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        m_wnd.Create("STATIC", "hosted", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, 4711);
    }
    void TearDown() override
    {
        if (m_wnd.GetSafeHwnd())
            m_wnd.DestroyWindow();
        CommandBarsFixture::TearDown();
    }

    CXTPControlCustom* AddCustom(CRect rcBorders, CSize szControl)
    {
        auto* pCustom = static_cast<CXTPControlCustom*>(bar->GetControls()->Add(xtpControlCustom, ID_PLAIN));
        pCustom->SetControl(&m_wnd);
        pCustom->SetBorders(rcBorders);
        pCustom->SetControlSize(szControl);
        return pCustom;
    }

    // Where the window is, in the bar's client coordinates.
    CRect WindowPlace() const
    {
        CRect rc;
        m_wnd.GetWindowRect(&rc);
        bar->ScreenToClient(&rc);
        return rc;
    }

    CSize Measure(CXTPControl* pControl)
    {
        CClientDC dc(bar);
        return pControl->GetSize(&dc);
    }

    // What a plain button of the custom control's id and caption measures in the bar.
    CSize ButtonSize(CXTPControl* pCustom)
    {
        CXTPControl* pButton = bar->GetControls()->Add(xtpControlButton, pCustom->GetID());
        pButton->SetCaption(pCustom->GetCaption());
        CSize size = Measure(pButton);
        bar->GetControls()->Remove(pButton);
        return size;
    }

    CWnd m_wnd;
};

TEST_F(ControlCustom, TheControlIsTheWindowAndItsBordersAndPlacesTheWindowInside)
{
    struct Case {
        CRect rcBorders;
        CSize szControl;
        CSize szExpected;
    };
    const Case cases[] = {
        {CRect(2, 3, 4, 5), CSize(100, 20), CSize(106, 28)},
        {CRect(0, 0, 0, 0), CSize(40, 12), CSize(40, 12)},
    };
    for (const Case& c : cases) {
        bar->GetControls()->RemoveAll();
        CXTPControlCustom* pCustom = AddCustom(c.rcBorders, c.szControl);
        EXPECT_EQ(xtpControlCustom, pCustom->GetType());
        EXPECT_EQ(static_cast<DWORD>(xtpFlagNoMovable), pCustom->GetFlags());
        EXPECT_EQ(c.szExpected, Measure(pCustom));
        CRect rc(10, 2, 10 + c.szExpected.cx, 2 + c.szExpected.cy);
        pCustom->SetRect(rc);
        EXPECT_EQ(bar->GetSafeHwnd(), ::GetParent(m_wnd.GetSafeHwnd()));
        EXPECT_EQ(CRect(rc.left + c.rcBorders.left, rc.top + c.rcBorders.top, rc.left + c.rcBorders.left + c.szControl.cx,
                        rc.top + c.rcBorders.top + c.szControl.cy),
                  WindowPlace());
        EXPECT_TRUE(m_wnd.IsWindowVisible());
    }

    // A click on the control's area while its window shows is the window's business.
    CXTPControl* pCustom = bar->GetControl(0);
    pCustom->OnClick(FALSE, pCustom->GetRect().CenterPoint());
    pCustom->OnClick(TRUE, pCustom->GetRect().CenterPoint());
    EXPECT_TRUE(frame->m_arrCommands.empty());
    pCustom->SetHideFlags(xtpHideCustomize);
    EXPECT_FALSE(m_wnd.IsWindowVisible()) << "the window hides with its control";
}

TEST_F(ControlCustom, VerticalBarsHideTheControlKeepItOrKeepAButtonPerOption)
{
    CXTPControlCustom* pCustom = AddCustom(CRect(2, 3, 4, 5), CSize(100, 20));
    pCustom->SetRect(CRect(2, 2, 108, 30));
    const CSize szButton = ButtonSize(pCustom);

    struct Case {
        int nOption;
        DWORD dwHideVertical;  // the control's hide flags in a vertical bar
        BOOL bWindowVertical;  // the window shows there
        CSize szVertical;
    };
    const Case cases[] = {
        {CXTPControlCustom::kVerticalHide, xtpHideDockingPosition, FALSE, CSize(106, 28)},
        {CXTPControlCustom::kVerticalShow, 0, TRUE, CSize(106, 28)},
        {CXTPControlCustom::kVerticalButton, 0, FALSE, szButton},
    };
    for (const Case& c : cases) {
        pCustom->SetVerticalOptions(c.nOption);
        pCustom->OnLayoutMode(LM_VERTDOCK);
        EXPECT_EQ(c.dwHideVertical, pCustom->GetHideFlags()) << c.nOption;
        EXPECT_EQ(c.bWindowVertical, m_wnd.IsWindowVisible()) << c.nOption;
        if (pCustom->IsVisible())
            EXPECT_EQ(c.szVertical, Measure(pCustom)) << c.nOption;

        pCustom->OnLayoutMode(LM_HORZ);
        EXPECT_EQ(0u, pCustom->GetHideFlags()) << c.nOption;
        EXPECT_TRUE(m_wnd.IsWindowVisible()) << c.nOption;
        EXPECT_EQ(CSize(106, 28), Measure(pCustom)) << c.nOption;
    }
}

TEST_F(ControlCustom, AWindowTheApplicationDestroyedLeavesAButtonInEveryCopy)
{
    CXTPControlCustom* pCustom = AddCustom(CRect(2, 3, 4, 5), CSize(100, 20));
    pCustom->SetCaption("Zoom");
    CXTPControl* pClone = bar->GetControls()->AddClone(pCustom);
    bar->OnRecalcLayout();
    ASSERT_EQ(&m_wnd, static_cast<CXTPControlCustom*>(pClone)->GetControl()) << "copies host the same window";

    m_wnd.DestroyWindow();
    const CSize szButton = ButtonSize(pCustom);
    for (CXTPControl* pControl : {static_cast<CXTPControl*>(pCustom), pClone}) {
        auto* pCopy = static_cast<CXTPControlCustom*>(pControl);
        EXPECT_EQ(nullptr, pCopy->GetControl());
        EXPECT_EQ(szButton, Measure(pCopy));
        pCopy->SetRect(CRect(0, 0, 40, 22));
        pCopy->SetHideFlags(xtpHideCustomize);
        pCopy->SetHideFlags(0);
        pCopy->SetEnabled(FALSE);
        pCopy->SetEnabled(TRUE);
    }
    bar->Invalidate();
    bar->UpdateWindow();  // drawn as buttons

    // The button executes as any button does.
    pCustom->OnClick(TRUE);
    ASSERT_EQ(1u, frame->m_arrCommands.size());
    EXPECT_EQ(static_cast<UINT>(ID_PLAIN), frame->m_arrCommands[0]);
}

}  // namespace
