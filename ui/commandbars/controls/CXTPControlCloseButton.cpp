// The floating toolbar's close button.
#include "CXTPControlCloseButton.h"

#include "CXTPCommandBar.h"
#include "CXTPPaintManager.h"

IMPLEMENT_DYNCREATE(CXTPControlCloseButton, CXTPControlButton)

CXTPControlCloseButton::CXTPControlCloseButton()
{
    m_dwFlags = 0x1A;
}

CSize CXTPControlCloseButton::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawSpecialControl(pDC, xtpButtonHideFloating, this, m_pParent, FALSE, nullptr);
}

void CXTPControlCloseButton::Draw(CDC* pDC)
{
    GetPaintManager()->DrawSpecialControl(pDC, xtpButtonHideFloating, this, m_pParent, TRUE, nullptr);
}

void CXTPControlCloseButton::Execute()
{
    CXTPCommandBar* pBar = m_pParent;
    if (!pBar)
        return;
    // Hiding a torn-off bar removes it; the bar and this button outlive the call.
    pBar->InternalAddRef();
    InternalAddRef();
    pBar->SetVisible(FALSE);
    InternalRelease();
    pBar->InternalRelease();
}
