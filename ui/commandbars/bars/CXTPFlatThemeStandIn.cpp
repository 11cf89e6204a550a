// The stand-in flat look of bars and their controls.
#include "CXTPFlatThemeStandIn.h"

#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPPaintManager.h"

namespace {

const int kButtonHeight = 22;

BOOL IsVerticalBar(CXTPCommandBar* pBar)
{
    int nPosition = pBar->GetPosition();
    return nPosition == xtpBarLeft || nPosition == xtpBarRight || pBar->GetType() == xtpBarTypePopup;
}

}  // namespace

CSize CXTPFlatThemeStandIn::DrawControl(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    CFont* pOldFont = pDC->SelectObject(&pPaintManager->m_fontRegular);
    CRect rc = pControl->GetRect();
    CSize szText = pPaintManager->DrawControlText(pDC, pControl->GetCaption(), rc, FALSE, FALSE, FALSE);
    CSize szControl(szText.cx + 8 < kButtonHeight ? kButtonHeight : szText.cx + 8,
                    szText.cy + 6 < kButtonHeight ? kButtonHeight : szText.cy + 6);
    const BOOL bPopup = pBar && pBar->GetType() == xtpBarTypePopup;
    const CString strShortcut =
        pControl->GetShortcutText().IsEmpty() ? pControl->GetAutoShortcutText() : pControl->GetShortcutText();
    if (bPopup) {
        CSize szShortcut = pPaintManager->DrawControlText(pDC, strShortcut, rc, FALSE, FALSE, FALSE);
        szControl.cx += szShortcut.cx + 24;
    }
    if (bDraw) {
        BOOL bSelected = pControl->GetSelected() != 0 && pControl->GetEnabled();
        BOOL bDown = pControl->GetPressed() == 1 || pControl->GetChecked() != 0;
        if (bDown && bSelected)
            pPaintManager->Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        else if (bDown)
            pPaintManager->FillRectangle(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        else if (bSelected)
            pPaintManager->Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(pPaintManager->GetColor(pControl->GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        if (bPopup) {
            // Menu items: the caption from the left, the key text at the right.
            CRect rcText = rc;
            rcText.DeflateRect(8, 0);
            ::DrawTextA(*pDC, pControl->GetCaption(), -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            ::DrawTextA(*pDC, strShortcut, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        } else {
            pPaintManager->DrawControlText(pDC, pControl->GetCaption(), rc, TRUE, !pControl->GetEnabled(), FALSE);
        }
    }
    pDC->SelectObject(pOldFont);
    return szControl;
}

void CXTPFlatThemeStandIn::FillCommandBar(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, pPaintManager->GetColor(COLOR_BTNFACE));
    if (pBar->GetType() == xtpBarTypePopup)
        pPaintManager->Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

void CXTPFlatThemeStandIn::DrawGripper(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    if (IsVerticalBar(pBar))
        pPaintManager->Draw3dRect(pDC, CRect(rc.left + 3, rc.top + 3, rc.right - 3, rc.top + 6), COLOR_BTNHIGHLIGHT,
                                  COLOR_BTNSHADOW);
    else
        pPaintManager->Draw3dRect(pDC, CRect(rc.left + 3, rc.top + 3, rc.left + 6, rc.bottom - 3), COLOR_BTNHIGHLIGHT,
                                  COLOR_BTNSHADOW);
}

void CXTPFlatThemeStandIn::DrawSeparator(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPCommandBar* pBar,
                                         CXTPControl* pControl)
{
    CRect rc = pControl->GetRect();
    if (IsVerticalBar(pBar)) {
        pPaintManager->DrawLine(pDC, rc.left, rc.top - 4, rc.right, rc.top - 4, COLOR_BTNSHADOW);
        pPaintManager->DrawLine(pDC, rc.left, rc.top - 3, rc.right, rc.top - 3, COLOR_BTNHIGHLIGHT);
    } else {
        pPaintManager->DrawLine(pDC, rc.left - 4, rc.top, rc.left - 4, rc.bottom, COLOR_BTNSHADOW);
        pPaintManager->DrawLine(pDC, rc.left - 3, rc.top, rc.left - 3, rc.bottom, COLOR_BTNHIGHLIGHT);
    }
}
