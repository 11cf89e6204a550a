// The stand-in flat look of bars and their controls.
#include "CXTPFlatThemeStandIn.h"

#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPImageManagerIcon.h"
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
    // On toolbars and menu bars a control shows its image, else its caption, at the bar's button size.
    CXTPImageManagerIcon* pImage = nullptr;
    if (pBar && !bPopup) {
        const CSize szIcon = pBar->GetIconSize();
        pImage = pControl->GetImage(szIcon.cx);
        const BOOL bCaption = !pImage && !pControl->GetCaption().IsEmpty();
        szControl = CXTPPaintManager::GetToolBarControlSize(pControl->GetType(), pImage != nullptr,
                                                            pBar->GetButtonSize(), bCaption, szText,
                                                            !IsVerticalBar(pBar));
    }
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
        } else if (pImage) {
            const CSize szIcon = pBar->GetIconSize();
            CPoint pt(rc.left + (rc.Width() - szIcon.cx) / 2, rc.top + (rc.Height() - szIcon.cy) / 2);
            pImage->Draw(pDC, pt, pControl->GetEnabled() ? pImage->GetIcon() : pImage->GetDisabledIcon(), szIcon);
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

CSize CXTPFlatThemeStandIn::DrawSpecialControl(CXTPPaintManager* pPaintManager, CDC* pDC, int nKind,
                                                CXTPControl* pControl, BOOL bDraw)
{
    CRect rc = pControl->GetRect();
    if (!bDraw)
        return rc.Size();
    if (pControl->GetSelected() != 0 || pControl->GetPressed())
        pPaintManager->Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    const COLORREF clrText = pPaintManager->GetColor(COLOR_BTNTEXT);
    if (nKind == kSpecialClose) {
        CFont* pOldFont = pDC->SelectObject(&pPaintManager->m_fontMarlett);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clrText);
        ::DrawTextA(*pDC, "r", 1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        pDC->SelectObject(pOldFont);
        return rc.Size();
    }
    // The expand glyph: a small down triangle at the button's end.
    CPoint ptCentre = rc.CenterPoint();
    const BOOL bVertical = pControl->GetParent() && IsVerticalBar(pControl->GetParent());
    if (bVertical)
        CXTPPaintManager::Triangle(pDC, CPoint(rc.right - 6, ptCentre.y - 2), CPoint(rc.right - 6, ptCentre.y + 2),
                                   CPoint(rc.right - 4, ptCentre.y), clrText);
    else
        CXTPPaintManager::Triangle(pDC, CPoint(ptCentre.x - 2, rc.bottom - 6), CPoint(ptCentre.x + 2, rc.bottom - 6),
                                   CPoint(ptCentre.x, rc.bottom - 4), clrText);
    return rc.Size();
}

int CXTPFlatThemeStandIn::GetGripperSize(CXTPPaintManager* pPaintManager, BOOL bFloating)
{
    if (!bFloating)
        return 8;
    const int nText = pPaintManager->GetTextHeight();
    return nText + 4 > 17 ? nText + 4 : 17;
}
