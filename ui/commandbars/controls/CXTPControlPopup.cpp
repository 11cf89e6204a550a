// The popup control: opening and closing its popup bar on click, hover and keys; split buttons.
#include "CXTPControlPopup.h"

#include "CArchive.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControls.h"
#include "CXTPHoldRef.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchange.h"
#include "CXTPShadowManager.h"

IMPLEMENT_SERIAL(CXTPControlPopup, CXTPControl, VERSIONABLE_SCHEMA | 0x11)

CXTPControlPopup::CXTPControlPopup()
{
    m_controlType = xtpControlPopup;
}

CXTPControlPopup::~CXTPControlPopup()
{
    if (!m_pCommandBar)
        return;
    // An open popup must not keep pointing at its owner once the owner is gone.
    auto* pPopupBar = dynamic_cast<CXTPPopupBar*>(m_pCommandBar);
    if (pPopupBar && pPopupBar->GetControlPopup() == this && pPopupBar->GetTrackingMode())
        pPopupBar->SetTrackingMode(FALSE);
    m_pCommandBar->InternalRelease();
}

CXTPControlPopup* CXTPControlPopup::CreateControlPopup(XTPControlType type)
{
    auto* pControl = new CXTPControlPopup;
    pControl->m_controlType = type;
    return pControl;
}

void CXTPControlPopup::SetCommandBar(CXTPCommandBar* pBar)
{
    // The same bar again must not be released before its new reference is taken.
    if (pBar)
        pBar->InternalAddRef();
    if (m_pCommandBar)
        m_pCommandBar->InternalRelease();
    m_pCommandBar = pBar;
}

BOOL CXTPControlPopup::Compare(CXTPControl* pOther)
{
    if (!CXTPControl::Compare(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CXTPControlPopup)))
        return FALSE;
    CXTPCommandBar* pOtherBar = pOther->GetCommandBar();
    if (!m_pCommandBar || !pOtherBar)
        return TRUE;
    return m_pCommandBar->GetControls()->Compare(pOtherBar->GetControls());
}

void CXTPControlPopup::Copy(CXTPControl* pSrc, BOOL bRecursive)
{
    CXTPControl::Copy(pSrc, bRecursive);
    CXTPCommandBar* pSrcBar = pSrc->GetCommandBar();
    if (!pSrcBar) {
        SetCommandBar(nullptr);
        return;
    }
    if (bRecursive) {
        CXTPCommandBar* pClone = pSrcBar->Clone(TRUE);
        SetCommandBar(pClone);
        if (pClone)
            pClone->InternalRelease();
    } else {
        SetCommandBar(pSrcBar);
    }
}

void CXTPControlPopup::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    long nBarID = m_pCommandBar ? static_cast<long>(m_pCommandBar->GetBarID()) : 0;
    PX_LongDefault(pPX, "CommandBarId", nBarID, 0);
    if (pPX->IsLoading())
        m_nPendingBarID = static_cast<UINT>(nBarID);
    if (pPX->m_nSchema > 4) {
        long nStyle = m_nStyle;
        PX_LongDefault(pPX, "Style", nStyle, 0);
        m_nStyle = static_cast<int>(nStyle);
    }
}

CXTPControl* CXTPControlPopup::Clone(BOOL bRecursive)
{
    auto* pClone = new CXTPControlPopup;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPControlPopup::AdjustShadow()
{
    if (m_controlType != xtpControlPopup && m_controlType != xtpControlButtonPopup &&
        m_controlType != xtpControlSplitButtonPopup)
        return;
    if (!m_pParent || m_pParent->GetPosition() == xtpBarPopup)
        return;
    auto* pPopupBar = dynamic_cast<CXTPPopupBar*>(m_pCommandBar);
    if (pPopupBar && pPopupBar->IsShowShadow())
        XTPShadowManager()->SetShadow(this);
}

BOOL CXTPControlPopup::OnSetPopup(BOOL bPopup)
{
    m_bPopup = bPopup;
    if (!bPopup) {
        if (m_pCommandBar)
            m_pCommandBar->SetTrackingMode(FALSE, TRUE, FALSE);
        RedrawParent();
        return TRUE;
    }
    if (!m_pCommandBar)
        return FALSE;
    if (!m_pCommandBar->GetTrackingMode()) {
        m_pCommandBar->Popup(this, m_bSelected == xtpSelectedByKeyboard);
        AdjustShadow();
    }
    return TRUE;
}

void CXTPControlPopup::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!m_bEnabled || !m_pParent)
        return;
    const BOOL bCustomize = IsCustomizeMode();
    if (bCustomize)
        GetCommandBarsOfParent()->SetDragControl(this);
    const BOOL bInPopupBar = m_pParent->GetPosition() == xtpBarPopup;
    if (m_bPopup && !bInPopupBar) {
        m_pParent->SetTrackingMode(FALSE);
        if (bCustomize)
            OnCustomizeMouseDown(point);
        return;
    }
    CPoint ptControl(point.x - m_rcControl.left, point.y - m_rcControl.top);
    if (m_controlType == xtpControlSplitButtonPopup && !bCustomize) {
        if (m_pParent->GetType() == xtpBarTypePopup) {
            if (bKeyboard) {
                Execute();
                return;
            }
            if (ptControl.x < m_rcControl.Width() - kSplitArrowPopup) {
                // The button part runs on release.
                m_pParent->KillTimer(XTP_TID_HOVER);
                return;
            }
        } else if (!bKeyboard && ptControl.x < m_rcControl.Width() - kSplitArrowToolBar) {
            CRect rcButton = m_rcControl;
            rcButton.right -= kSplitArrowToolBar;
            ClickToolBarButton(rcButton);
            return;
        }
    }
    if (bCustomize && m_pCommandBar && !m_pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar))) {
        OnCustomizeMouseDown(point);
        return;
    }
    m_pParent->SetPopuped(m_nIndex, bKeyboard);
    if (bCustomize)
        OnCustomizeMouseDown(point);
}

void CXTPControlPopup::OnLButtonUp(CPoint point)
{
    if (m_controlType != xtpControlSplitButtonPopup || !m_pParent || m_pParent->GetType() != xtpBarTypePopup)
        return;
    if (m_bEnabled && point.x < m_rcControl.right - kSplitArrowPopup)
        Execute();
}

BOOL CXTPControlPopup::OnLButtonDblClk(CPoint point)
{
    if (m_controlType != xtpControlPopup && m_controlType != xtpControlButtonPopup)
        return CXTPControl::OnLButtonDblClk(point);
    auto* pPopupBar = dynamic_cast<CXTPPopupBar*>(m_pCommandBar);
    if (!pPopupBar)
        return CXTPControl::OnLButtonDblClk(point);
    CHoldRef hold(this);
    if (!m_bPopup)
        OnClick(FALSE, point);
    if (m_bPopup) {
        int nDefault = -1;
        for (int i = 0; i < pPopupBar->GetControlCount(); i++) {
            CXTPControl* pControl = pPopupBar->GetControl(i);
            if (pControl->IsDefaultItem() && pControl->IsVisible() && pControl->GetEnabled()) {
                nDefault = i;
                break;
            }
        }
        if (nDefault != -1) {
            pPopupBar->GetControl(nDefault)->Execute();
            return TRUE;
        }
        if (pPopupBar->IsTearOffPopup()) {
            pPopupBar->TrackTearOff();
            return TRUE;
        }
    }
    return FALSE;
}

void CXTPControlPopup::OnMouseHover()
{
    if (m_bEnabled && m_pParent && (m_pParent->GetTrackingMode() == 2 || m_pParent->GetPosition() == xtpBarPopup)) {
        m_pParent->SetPopuped(m_nIndex);
        return;
    }
    CXTPControl::OnMouseHover();
}

BOOL CXTPControlPopup::OnSetSelected(int bSelected)
{
    if (!CXTPControl::OnSetSelected(bSelected))
        return FALSE;
    if (!m_pParent)
        return TRUE;
    const BOOL bInPopupBar = m_pParent->GetPosition() == xtpBarPopup;
    const BOOL bTracksPopups = m_pParent->GetTrackingMode() == 2;
    if ((m_controlType == xtpControlButtonPopup || m_controlType == xtpControlSplitButtonPopup) && !bInPopupBar) {
        if (m_bEnabled && bSelected == xtpSelectedByKeyboard && bTracksPopups)
            m_pParent->SetPopuped(m_nIndex, TRUE);
    } else if (m_bEnabled && bSelected && bTracksPopups && !bInPopupBar) {
        m_pParent->SetPopuped(m_nIndex, bSelected == xtpSelectedByKeyboard);
    }
    if (!bSelected && m_bPopup && !bInPopupBar)
        m_pParent->SetPopuped(-1);
    return TRUE;
}

namespace {

// Shared popup bars can make the submenus a cycle: the walk stops at a depth no menu reaches.
const int kMaxSubmenuDepth = 32;

BOOL BarContains(const CXTPCommandBar* pBar, const CXTPControl* pControl, int nDepth)
{
    if (!pBar || nDepth > kMaxSubmenuDepth)
        return FALSE;
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CXTPControl* pItem = pBar->GetControl(i);
        if (pItem == pControl || BarContains(pItem->GetCommandBar(), pControl, nDepth + 1))
            return TRUE;
    }
    return FALSE;
}

}  // namespace

BOOL CXTPControlPopup::ContainsInSubmenus(const CXTPControl* pControl) const
{
    return BarContains(m_pCommandBar, pControl, 0);
}

void CXTPControlPopup::OnCustomizeDragOver()
{
    if (!m_pCommandBar || !m_pParent)
        return;
    CXTPCommandBars* pCommandBars = GetCommandBarsOfParent();
    CXTPControl* pDragged = pCommandBars ? pCommandBars->GetDragControl() : nullptr;
    auto* pDraggedPopup = dynamic_cast<CXTPControlPopup*>(pDragged);
    if (pDragged == this || (pDraggedPopup && pDraggedPopup->ContainsInSubmenus(this)) ||
        ContainsInSubmenus(pDragged)) {
        m_pParent->SetPopuped(-1);
        m_pParent->SetSelected(-1);
        return;
    }
    m_pParent->SetPopuped(m_nIndex);
}
