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
    HideParentBar(this);
}

void CXTPControlCloseButton::HideParentBar(CXTPControl* pControl)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    if (!pBar)
        return;
    pBar->InternalAddRef();
    pControl->InternalAddRef();
    pBar->SetVisible(FALSE);
    pControl->InternalRelease();
    pBar->InternalRelease();
}
