// The popup control: its popup bar's references and copies, split buttons' arrow parts on
// toolbars and in menus, closing an open drop-down by its button.
#include "CXTPControlPopup.h"

#include <gtest/gtest.h>

#include "CXTPHookManager.h"
#include "CXTPPopupBar.h"
#include "../CommandBarsFixture.h"

namespace {

TEST(ControlPopupBar, SetCommandBarHoldsOneReferenceEvenForTheSameBar)
{
    CXTPPopupBar* pBar = CXTPPopupBar::CreatePopupBar(nullptr);
    auto* pControl = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    pControl->SetCommandBar(pBar);
    EXPECT_EQ(2u, pBar->GetRefCount());
    pControl->SetCommandBar(pBar);
    EXPECT_EQ(2u, pBar->GetRefCount()) << "setting the held bar again must not free it";
    pControl->InternalRelease();
    EXPECT_EQ(1u, pBar->GetRefCount());
    pBar->InternalRelease();
}

TEST(ControlPopupBar, ACopySharesThePopupBarARecursiveCopyHasItsOwn)
{
    CXTPControls controls;
    auto* pSource = static_cast<CXTPControlPopup*>(controls.Add(xtpControlSplitButtonPopup, 100));
    pSource->GetCommandBar()->GetControls()->Add(xtpControlButton, 101);
    CXTPCommandBar* pBar = pSource->GetCommandBar();
    const DWORD dwRefs = pBar->GetRefCount();

    CXTPControl* pShared = pSource->Clone(FALSE);
    EXPECT_EQ(xtpControlSplitButtonPopup, pShared->GetType());
    EXPECT_EQ(pBar, pShared->GetCommandBar());
    EXPECT_EQ(dwRefs + 1, pBar->GetRefCount());

    auto* pSourceBar = static_cast<CXTPPopupBar*>(pBar);
    pSourceBar->SetTearOffPopup("Tools", 700, TRUE, 250);
    pSourceBar->SetShowShadow(FALSE);
    CXTPControl* pOwn = pSource->Clone(TRUE);
    ASSERT_NE(nullptr, pOwn->GetCommandBar());
    auto* pOwnBar = static_cast<CXTPPopupBar*>(pOwn->GetCommandBar());
    EXPECT_TRUE(pOwnBar->IsTearOffPopup());
    EXPECT_STREQ("Tools", pOwnBar->GetTearOffCaption());
    EXPECT_EQ(700u, pOwnBar->GetTearOffID());
    EXPECT_EQ(250, pOwnBar->GetTearOffWidth());
    EXPECT_FALSE(pOwnBar->IsShowShadow()) << "a copied popup keeps its own settings";
    EXPECT_NE(pBar, pOwn->GetCommandBar());
    EXPECT_EQ(1u, pOwn->GetCommandBar()->GetRefCount());
    EXPECT_EQ(101, pOwn->GetCommandBar()->GetControl(0)->GetID());
    EXPECT_TRUE(pOwn->Compare(pSource));
    pOwn->GetCommandBar()->GetControls()->Add(xtpControlButton, 102);
    EXPECT_FALSE(pOwn->Compare(pSource)) << "submenus that differ make the controls differ";

    pShared->InternalRelease();
    pOwn->InternalRelease();
    EXPECT_EQ(dwRefs, pBar->GetRefCount());
}

using ControlPopup = CommandBarsFixture;

// A split button on the fixture's bar whose popup holds one command.
CXTPControlPopup* AddSplitButton(CXTPCommandBar* pBar, int nId)
{
    auto* pControl = static_cast<CXTPControlPopup*>(pBar->GetControls()->Add(xtpControlSplitButtonPopup, nId));
    pControl->SetCaption("Split");
    pControl->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_UNHANDLED)->SetCaption("Item");
    return pControl;
}

TEST_F(ControlPopup, OnAToolbarTheRightmost11PixelsOfASplitButtonDropItsMenu)
{
    struct Case {
        int nFromRight;
        BOOL bOpens;
    };
    const Case cases[] = {{1, TRUE}, {11, TRUE}, {12, FALSE}, {30, FALSE}};
    for (const Case& c : cases) {
        bar->GetControls()->RemoveAll();
        CXTPControlPopup* pControl = AddSplitButton(bar, ID_PLAIN);
        bar->OnRecalcLayout();
        bar->UpdateWindow();
        frame->m_arrCommands.clear();
        CRect rc = pControl->GetRect();
        CPoint pt(rc.right - c.nFromRight, rc.CenterPoint().y);
        bar->ClientToScreen(&pt);
        SendClick(pt);
        if (c.bOpens) {
            EXPECT_TRUE(PumpUntil([&] { return pControl->GetPopuped() != FALSE; })) << c.nFromRight;
            EXPECT_TRUE(frame->m_arrCommands.empty()) << c.nFromRight;
        } else {
            EXPECT_TRUE(PumpUntil([] { return !frame->m_arrCommands.empty(); })) << c.nFromRight;
            EXPECT_FALSE(pControl->GetPopuped()) << c.nFromRight;
        }
        XTPHookManager()->CancelTracking();
        bar->SetTrackingMode(FALSE);
    }
}

TEST_F(ControlPopup, InAMenuTheArrowPartOfASplitButtonIs20PixelsAndDoesNotExecute)
{
    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    CXTPControlPopup* pControl = AddSplitButton(pPopup, ID_PLAIN);
    ASSERT_TRUE(pPopup->Popup(300, 150, nullptr));
    const CRect rc = pControl->GetRect();
    ASSERT_GT(rc.Width(), 40);
    struct Case {
        int nFromRight;
        BOOL bExecutes;
    };
    const Case cases[] = {{20, FALSE}, {5, FALSE}, {21, TRUE}};
    for (const Case& c : cases) {
        frame->m_arrCommands.clear();
        const CPoint pt(rc.right - c.nFromRight, rc.CenterPoint().y);
        pControl->OnClick(FALSE, pt);
        EXPECT_TRUE(frame->m_arrCommands.empty()) << c.nFromRight << ": the press runs nothing";
        pControl->OnLButtonUp(pt);
        EXPECT_EQ(c.bExecutes ? std::vector<UINT>{ID_PLAIN} : std::vector<UINT>{}, frame->m_arrCommands)
            << c.nFromRight << " on release";
        if (!pPopup->GetSafeHwnd())
            ASSERT_TRUE(pPopup->Popup(300, 150, nullptr));
    }
    pPopup->SetTrackingMode(FALSE);
    pPopup->InternalRelease();
}

TEST_F(ControlPopup, ClickingAnOpenDropDownButtonClosesItsMenu)
{
    auto* pControl = static_cast<CXTPControlPopup*>(bar->GetControls()->Add(xtpControlButtonPopup, ID_PLAIN));
    pControl->SetCaption("Drop");
    pControl->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_UNHANDLED);
    bar->OnRecalcLayout();
    pControl->OnClick(FALSE, pControl->GetRect().CenterPoint());
    ASSERT_TRUE(pControl->GetPopuped());
    EXPECT_TRUE(pControl->GetCommandBar()->IsVisible());
    pControl->OnClick(FALSE, pControl->GetRect().CenterPoint());
    EXPECT_FALSE(pControl->GetPopuped());
    EXPECT_FALSE(pControl->GetCommandBar()->GetSafeHwnd());
    EXPECT_EQ(0, bar->GetTrackingMode());
}

TEST_F(ControlPopup, AnOpenPopupClosesWhenItsControlGoesOrItsWindowIsDestroyed)
{
    auto* pControl = static_cast<CXTPControlPopup*>(bar->GetControls()->Add(xtpControlPopup, 0));
    pControl->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_PLAIN);
    CXTPCommandBar* pPopup = pControl->GetCommandBar();
    pPopup->InternalAddRef();
    bar->OnRecalcLayout();
    ASSERT_TRUE(bar->SetPopuped(0));
    bar->GetControls()->Remove(pControl);
    EXPECT_EQ(0, pPopup->GetTrackingMode());
    EXPECT_FALSE(pPopup->GetSafeHwnd());
    EXPECT_EQ(nullptr, static_cast<CXTPPopupBar*>(pPopup)->GetControlPopup());
    EXPECT_EQ(0, XTPHookManager()->IsTracked(pPopup));
    pPopup->InternalRelease();

    pControl = static_cast<CXTPControlPopup*>(bar->GetControls()->Add(xtpControlPopup, 0));
    pControl->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_PLAIN);
    bar->OnRecalcLayout();
    ASSERT_TRUE(bar->SetPopuped(0));
    ::DestroyWindow(pControl->GetCommandBar()->GetSafeHwnd());
    EXPECT_FALSE(pControl->GetCommandBar()->GetSafeHwnd());
    EXPECT_FALSE(pControl->GetPopuped());
    EXPECT_EQ(-1, bar->GetPopupedIndex());
    bar->SetTrackingMode(FALSE);
    EXPECT_EQ(0, XTPHookManager()->GetTrackedCount());
}

TEST_F(ControlPopup, DraggingAPopupOverItselfOrItsOwnSubmenuOpensNothing)
{
    auto* pDragged = static_cast<CXTPControlPopup*>(bar->GetControls()->Add(xtpControlPopup, 0));
    auto* pInner = static_cast<CXTPControlPopup*>(pDragged->GetCommandBar()->GetControls()->Add(xtpControlPopup, 0));
    pInner->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_PLAIN);
    auto* pOther = static_cast<CXTPControlPopup*>(bar->GetControls()->Add(xtpControlPopup, 0));
    pOther->GetCommandBar()->GetControls()->Add(xtpControlButton, ID_PLAIN);
    bar->OnRecalcLayout();
    CXTPCommandBars* pCommandBars = frame->GetCommandBars();
    pCommandBars->SetCustomizeMode(TRUE);
    pCommandBars->SetDragControl(pDragged);

    pDragged->OnCustomizeDragOver();
    EXPECT_EQ(-1, bar->GetPopupedIndex()) << "over itself";
    pInner->OnCustomizeDragOver();
    EXPECT_FALSE(pInner->GetPopuped()) << "over its own submenu's item";
    pOther->OnCustomizeDragOver();
    EXPECT_TRUE(pOther->GetPopuped()) << "over another popup: its submenu opens for the drop";

    pCommandBars->SetDragControl(pInner);
    pDragged->OnCustomizeDragOver();
    EXPECT_EQ(-1, bar->GetPopupedIndex()) << "over the popup that holds it";

    pCommandBars->SetDragControl(nullptr);
    bar->SetTrackingMode(FALSE);
    pCommandBars->SetCustomizeMode(FALSE);
}

}  // namespace
