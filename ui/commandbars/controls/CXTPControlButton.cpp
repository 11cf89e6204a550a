// The plain button: keyboard clicks execute, toolbar clicks run the press loop, popup items execute on release.
#include "CXTPControlButton.h"

#include "CArchive.h"
#include "CXTPCommandBar.h"
#include "CXTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlButton, CXTPControl, VERSIONABLE_SCHEMA | 0x11)

CXTPControlButton::CXTPControlButton()
{
    m_controlType = xtpControlButton;
}

void CXTPControlButton::OnClick(BOOL bKeyboard, CPoint point)
{
    if (!m_bEnabled || !m_pParent)
        return;
    if (IsCustomizeMode()) {
        m_pParent->SetPopuped(-1);
        m_pParent->SetSelected(-1);
        OnCustomizeMouseDown(point);
        return;
    }
    if (bKeyboard)
        Execute();
    else if (m_pParent->GetType() != xtpBarTypePopup)
        ClickToolBarButton();
}

void CXTPControlButton::OnLButtonUp(CPoint /*point*/)
{
    if (m_bEnabled && m_pParent && m_pParent->GetType() == xtpBarTypePopup)
        Execute();
}

void CXTPControlButton::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    long nStyle = m_nStyle;
    PX_LongDefault(pPX, "Style", nStyle, 0);
    m_nStyle = static_cast<int>(nStyle);
}
