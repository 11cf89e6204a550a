// The paint manager's drawing shared by every theme that reads command-bar controls: toolbar
// buttons, split-button frames, control entries and the bars' own buttons.
#include "CXTPPaintManager.h"

#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControlPopup.h"
#include "CXTPImageManagerIcon.h"

BOOL CXTPPaintManager::IsPopupType(int nType)
{
    return nType == xtpControlPopup || nType == xtpControlButtonPopup || nType == xtpControlSplitButtonPopup;
}

BOOL CXTPPaintManager::IsPopuped(CXTPControl* pControl)
{
    if (!IsPopupType(pControl->GetType()))
        return FALSE;
    CXTPControlPopup* pPopup = dynamic_cast<CXTPControlPopup*>(pControl);
    return pPopup && pPopup->GetPopuped();
}

CSize CXTPPaintManager::DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    const int nType = pControl->GetType();
    // Edit and combo controls set the icon-title font on their own windows when they make them.
    if (nType == xtpControlEdit)
        return DrawControlEdit(pDC, pControl, bDraw);
    if (nType == xtpControlComboBox)
        return DrawControlComboBox(pDC, pControl, bDraw);
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->GetType() == xtpBarTypePopup)
        return DrawControlPopupParent(pDC, pControl, bDraw);
    return DrawControlToolBarParent(pDC, pControl, bDraw);
}

CSize CXTPPaintManager::DrawControlToolBarParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    const CRect rc = pControl->GetRect();
    const CString strCaption = pControl->GetCaption();
    const CSize szText = DrawControlText(pDC, strCaption, rc, FALSE, FALSE, FALSE);
    // Only bars docked left or right stand upright; a popup toolbar lays its buttons in a row.
    const BOOL bHorizontal = !pBar || (pBar->GetPosition() != xtpBarLeft && pBar->GetPosition() != xtpBarRight);
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    const CSize szButton = pBar ? pBar->GetButtonSize() : CSize(23, 23);
    CXTPImageManagerIcon* pImage = pControl->GetImage(szIcon.cx);
    // A control without an image shows its caption instead.
    const BOOL bCaption = !pImage && !strCaption.IsEmpty();
    const CSize szControl =
        GetToolBarControlSize(pControl->GetType(), pImage != nullptr, szButton, bCaption, szText, bHorizontal);
    if (!bDraw)
        return szControl;

    if (pControl->GetType() == xtpControlSplitButtonPopup)
        DrawSplitButtonFrame(pDC, pControl, rc);
    else
        DrawControlEntry(pDC, pControl);
    if (pImage) {
        // Scaled to the bar's icon width, keeping the image's proportions.
        const CSize szImage(szIcon.cx,
                            pImage->GetWidth() ? pImage->GetHeight() * szIcon.cx / pImage->GetWidth() : szIcon.cy);
        const CPoint pt = bHorizontal ? CPoint(rc.left + 3, rc.top + (rc.Height() - szImage.cy) / 2)
                                      : CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + 4);
        DrawImage(pDC, pt, szImage, pImage, pControl->GetSelected(), pControl->GetPressed(), pControl->GetEnabled(),
                  pControl->GetChecked(), IsPopuped(pControl), TRUE);
    } else if (bCaption) {
        DrawControlText(pDC, strCaption, rc, TRUE, !pControl->GetEnabled(), FALSE);
    }
    return szControl;
}

void CXTPPaintManager::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    const BOOL bPopuped = IsPopuped(pControl);
    const int nBarPosition = pControl->GetParent() ? pControl->GetParent()->GetPosition() : xtpBarTop;
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    CRect rcMain = rc;
    if (!bPopuped)
        rcMain.right -= 11;
    FillControlEntry(pDC, rcMain, bEnabled, nSelected, pControl->GetPressed(), pControl->GetChecked(), bPopuped,
                     nBarPosition);
    if (nSelected && !bPopuped && (bEnabled || pControl->GetPressed()))
        FillControlEntry(pDC, CRect(rc.right - 12, rc.top, rc.right, rc.bottom), TRUE, TRUE, FALSE, FALSE, FALSE,
                         nBarPosition);
    const int m = (rc.top + rc.bottom) / 2;
    Triangle(pDC, CPoint(rc.right - 9, m - 1), CPoint(rc.right - 5, m - 1), CPoint(rc.right - 7, m + 1),
             pDC->GetTextColor());
}

void CXTPPaintManager::DrawControlEntry(CDC* pDC, CXTPControl* pControl)
{
    const int nBarPosition = pControl->GetParent() ? pControl->GetParent()->GetPosition() : xtpBarTop;
    FillControlEntry(pDC, pControl->GetRect(), pControl->GetEnabled(), pControl->GetSelected(),
                     pControl->GetPressed(), pControl->GetChecked(), IsPopuped(pControl), nBarPosition);
}

CSize CXTPPaintManager::DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl,
                                           CXTPCommandBar* pBar, BOOL bDraw, void* /*lpParam*/)
{
    const CRect rc = pControl->GetRect();
    if (nKind == xtpButtonExpandMenu && !bDraw)
        return CSize(0, 12);
    if (!bDraw)
        return rc.Size();
    if (pControl->GetSelected() != 0 || pControl->GetPressed())
        Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    const COLORREF clrText = GetColor(COLOR_BTNTEXT);
    if (nKind == xtpButtonExpandMenu) {
        // Two chevrons pointing down, one above the other, on the entry's centre.
        const CPoint ptCentre = rc.CenterPoint();
        for (int y = ptCentre.y - 3; y <= ptCentre.y + 1; y += 4) {
            for (int i = 0; i < 3; i++)
                pDC->FillSolidRect(ptCentre.x - 2 + i, y + i, 5 - 2 * i, 1, clrText);
        }
        return CSize(0, 12);
    }
    if (nKind == xtpButtonHideFloating) {
        // The close glyph of the Marlett font, 8 points on this screen.
        const int nLogY = pDC->GetDeviceCaps(LOGPIXELSY);
        CFont font;
        font.CreatePointFont(::MulDiv(80, 96, nLogY ? nLogY : 96), "Marlett");
        CFont* pOldFont = pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clrText);
        CRect rcGlyph = rc;
        ::DrawTextA(*pDC, "r", 1, &rcGlyph, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        pDC->SelectObject(pOldFont);
        return rc.Size();
    }
    // The expand glyph: a small down triangle at the button's end (at the side on vertical bars).
    const CPoint ptCentre = rc.CenterPoint();
    if (pBar && pBar->IsVerticalPosition())
        Triangle(pDC, CPoint(rc.right - 6, ptCentre.y - 2), CPoint(rc.right - 6, ptCentre.y + 2),
                 CPoint(rc.right - 4, ptCentre.y), clrText);
    else
        Triangle(pDC, CPoint(ptCentre.x - 2, rc.bottom - 6), CPoint(ptCentre.x + 2, rc.bottom - 6),
                 CPoint(ptCentre.x, rc.bottom - 4), clrText);
    return rc.Size();
}
