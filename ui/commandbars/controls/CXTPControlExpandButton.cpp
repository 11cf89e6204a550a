// The toolbar's expand button.
#include "CXTPControlExpandButton.h"

#include "CXTPCommandBar.h"
#include "CXTPControls.h"
#include "CXTPFlatThemeStandIn.h"

IMPLEMENT_DYNCREATE(CXTPControlExpandButton, CXTPControlButton)

CXTPControlExpandButton::CXTPControlExpandButton()
{
    m_controlType = xtpControlButtonPopup;
    m_dwFlags = 0x1C;
}

CSize CXTPControlExpandButton::GetSize(CDC* pDC)
{
    return CXTPFlatThemeStandIn::DrawSpecialControl(GetPaintManager(), pDC, CXTPFlatThemeStandIn::kSpecialExpand,
                                                    this, FALSE);
}

void CXTPControlExpandButton::Draw(CDC* pDC)
{
    const BOOL bFloating = m_pParent && m_pParent->GetPosition() == xtpBarFloating;
    CXTPFlatThemeStandIn::DrawSpecialControl(
        GetPaintManager(), pDC,
        bFloating ? CXTPFlatThemeStandIn::kSpecialFloatingExpand : CXTPFlatThemeStandIn::kSpecialExpand, this, TRUE);
}

void CXTPControlExpandButton::OnClick(BOOL /*bKeyboard*/, CPoint /*point*/)
{
    // The options menu comes with the popup bar.
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
