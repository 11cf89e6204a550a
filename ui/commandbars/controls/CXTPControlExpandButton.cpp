// The toolbar's expand button and the items of its add-or-remove list.
#include "CXTPControlExpandButton.h"

#include "CFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControls.h"
#include "CXTPPaintManager.h"
#include "CXTPHookManager.h"
#include "CXTPHoldRef.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"

IMPLEMENT_DYNCREATE(CXTPControlExpandButton, CXTPControlPopup)
IMPLEMENT_DYNCREATE(CXTPControlToolBarToggle, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlToolBarReset, CXTPControlButton)

CXTPControlExpandButton::CXTPControlExpandButton()
{
    m_controlType = xtpControlButtonPopup;
    m_dwFlags = 0x1C;
}

CSize CXTPControlExpandButton::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawSpecialControl(pDC, xtpButtonExpandToolbar, this, m_pParent, FALSE, nullptr);
}

void CXTPControlExpandButton::Draw(CDC* pDC)
{
    const BOOL bFloating = m_pParent && m_pParent->GetPosition() == xtpBarFloating;
    GetPaintManager()->DrawSpecialControl(pDC, bFloating ? xtpButtonExpandFloating : xtpButtonExpandToolbar, this,
                                          m_pParent, TRUE, nullptr);
}

BOOL CXTPControlExpandButton::OnSetPopup(BOOL bPopup)
{
    if (bPopup && m_pParent && m_pParent->IsKindOf(RUNTIME_CLASS(CXTPToolBar))) {
        CXTPCommandBars* pCommandBars = m_pParent->GetCommandBars();
        CXTPPopupBar* pPopup = nullptr;
        // The site may supply the popup.
        if (CWnd* pSite = pCommandBars ? pCommandBars->GetSite() : nullptr) {
            XTP_CREATEBAR request = {};
            request.bExpandBar = TRUE;
            request.strCaption = m_pParent->GetTitle();
            if (pSite->GetSafeHwnd())
                pSite->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&request));
            if (request.pCommandBar && request.pCommandBar->IsKindOf(RUNTIME_CLASS(CXTPPopupBar)))
                pPopup = static_cast<CXTPPopupBar*>(request.pCommandBar);
        }
        if (!pPopup)
            pPopup = CXTPPopupToolBar::CreatePopupToolBar(pCommandBars);
        static_cast<CXTPToolBar*>(m_pParent)->FillExpandPopup(pPopup);
        SetCommandBar(pPopup);
        pPopup->InternalRelease();
    }
    return CXTPControlPopup::OnSetPopup(bPopup);
}

BOOL CXTPControlExpandButton::HasHiddenControls() const
{
    if (!m_pParent)
        return FALSE;
    for (int i = 0; i < m_pParent->GetControlCount(); i++) {
        if (m_pParent->GetControl(i)->GetHideFlags() == xtpHideWrap)
            return TRUE;
    }
    return FALSE;
}

CXTPControlToolBarToggle::CXTPControlToolBarToggle()
{
    m_controlType = xtpControlButton;
    m_bCloseSubMenuOnClick = FALSE;
}

CXTPControlToolBarToggle::~CXTPControlToolBarToggle()
{
    SetTarget(nullptr);
}

void CXTPControlToolBarToggle::SetTarget(CXTPControl* pTarget)
{
    if (pTarget)
        pTarget->InternalAddRef();
    if (m_pTarget)
        m_pTarget->InternalRelease();
    m_pTarget = pTarget;
    if (pTarget)
        SetChecked((pTarget->GetHideFlags() & xtpHideCustomize) == 0);
}

void CXTPControlToolBarToggle::Execute()
{
    CXTPCommandBar* pToolBar = m_pTarget ? m_pTarget->GetParent() : nullptr;
    if (!pToolBar)
        return;
    CHoldRef holdTarget(m_pTarget);
    if (CXTPCommandBars* pCommandBars = pToolBar->GetCommandBars())
        pCommandBars->GetOptions()->m_bDirty = TRUE;
    m_pTarget->SetHideFlags(m_pTarget->GetHideFlags() ^ xtpHideCustomize);
    SetChecked((m_pTarget->GetHideFlags() & xtpHideCustomize) == 0);
    RedrawParent();
    pToolBar->OnRecalcLayout();
    if (CXTPCommandBars* pCommandBars = pToolBar->GetCommandBars())
        pCommandBars->RecalcFrameLayout(FALSE);
}

CXTPControlToolBarReset::CXTPControlToolBarReset()
{
    m_controlType = xtpControlButton;
}

void CXTPControlToolBarReset::Execute()
{
    CXTPToolBar* pToolBar = reinterpret_cast<CXTPToolBar*>(GetTag());
    XTPHookManager()->CancelTracking();
    if (pToolBar)
        pToolBar->Reset();
}
