// Theme 0: flat bars, framed highlights, menus with an icon band joined to the control they open from.
#include "CXTPTheme0.h"

#include <algorithm>

#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlEdit.h"
#include "CXTPControlPopup.h"
#include "CXTPImageManagerIcon.h"
#include "CXTPPopupBar.h"

CXTPTheme0::CXTPTheme0()
{
    m_bUseFadedIcons = TRUE;
    m_bIconsWithShadow = TRUE;
}

CXTPTheme0::CXTPTheme0(DeferMetrics tag) : CXTPPaintManager(tag)
{
    m_bUseFadedIcons = TRUE;
    m_bIconsWithShadow = TRUE;
}

int CXTPTheme0::GetPopupBarIconColumnWidth(CXTPCommandBar* pBar) const
{
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    return std::max<int>(szIcon.cx + 4, m_nTextHeight + 4) + 1;
}

void CXTPTheme0::FillIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    pDC->FillSolidRect(x, y, cx, cy, GetColor(bExpanded ? 42 : 30));
}

void CXTPTheme0::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int nBarType, int /*nBarPosition*/)
{
    if (bEnabled) {
        if (bPopuped)
            FrameFill(pDC, rc, 43, 30);
        else if (bChecked && !nSelected && !nPressed)
            FrameFill(pDC, rc, 50, 36);
        else if (bChecked && nSelected && !nPressed)
            FrameFill(pDC, rc, 37, 33);
        else if (nPressed == 2 || (nSelected && nPressed == 1))
            FrameFill(pDC, rc, 50, 33);
        else if (nSelected || nPressed == 1)
            FrameFill(pDC, rc, 32, 31);
    } else if (bChecked && nBarType == xtpBarTypeMenuBar) {
        FrameFill(pDC, rc, 40, 30);
    } else if (nSelected == xtpSelectedByKeyboard) {
        FrameFill(pDC, rc, 32, nBarType == xtpBarTypeMenuBar ? 41 : 31);
    }
}

void CXTPTheme0::FillControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, BOOL nSelected, BOOL nPressed, BOOL bChecked,
                                  BOOL bPopuped, int nBarPosition)
{
    DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, xtpBarTypeNormal, nBarPosition);
    int nText;
    if (!bEnabled)
        nText = 40;
    else if (bPopuped)
        nText = 46;
    else if (bChecked && !nSelected && !nPressed)
        nText = 45;
    else if (nPressed == 2)
        nText = 47;
    else if (nSelected)
        nText = nPressed || bChecked ? 47 : 45;
    else if (nPressed)
        nText = 45;
    else
        nText = nBarPosition == xtpBarPopup ? 44 : 46;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);
}

void CXTPTheme0::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, int nSelected, int nPressed,
                           BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL /*bToolBarImage*/)
{
    if (!pImage)
        return;
    if (!bEnabled) {
        if (!m_bUseDisabledIcons && !pImage->IsAlpha())
            pImage->DrawMono(pDC, pt, pImage->GetIcon(), GetColor(40));
        else
            pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
    } else if (!bChecked && !bPopuped) {
        if (!nSelected && !nPressed) {
            pImage->Draw(pDC, pt, m_bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), sz);
        } else if ((nSelected && nPressed) || (!nSelected && nPressed == 2)) {
            // A pushed icon stays where it is.
            pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
        } else if ((nSelected && !nPressed) || (!nSelected && nPressed == 1)) {
            if (m_bIconsWithShadow) {
                pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), sz);
                pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
            } else {
                pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
            }
        }
    } else if (bPopuped && !bChecked) {
        pImage->Draw(pDC, pt, pImage->GetIcon(), sz);
    } else if (nSelected || nPressed) {
        pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
    } else if (bChecked) {
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz);
    } else {
        pImage->Draw(pDC, pt, pImage->GetIcon(), sz);
    }
}

CSize CXTPTheme0::DrawMenuText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw)
{
    if (bDraw) {
        ::DrawTextA(*pDC, strText, strText.GetLength(), &rc, nFormat);
        return CSize(0, 0);
    }
    CRect rcCalc = rc;
    ::DrawTextA(*pDC, strText, strText.GetLength(), &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    return rcCalc.Size();
}

CSize CXTPTheme0::DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    const int nRowHeight = std::max<int>(szIcon.cy + 6, m_nTextHeight);
    const int w = std::max<int>(szIcon.cx + 4, m_nTextHeight + 4);
    const BOOL bRTL = pBar && pBar->IsRTL();
    const int nType = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const BOOL bShowIcon = nStyle == 2 || nStyle == 3 || (nStyle == 0 && nType != xtpControlPopup);
    CXTPImageManagerIcon* pImage = bShowIcon ? pControl->GetImage(szIcon.cx) : nullptr;

    CFont* pOldFont = pDC->SelectObject(GetCommandBarFont(xtpBarPopup, pControl->IsDefaultItem()));
    const CString strCaption =
        bRTL ? PrepareRTLCaption(pControl->GetCaption()) : CString(pControl->GetCaption());
    CString strShortcut;
    if (nType == xtpControlButton)
        strShortcut =
            pControl->GetShortcutText().IsEmpty() ? pControl->GetAutoShortcutText() : pControl->GetShortcutText();

    const CRect rc = pControl->GetRect();
    const UINT nCaptionFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    const UINT nShortcutFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    if (!bDraw) {
        const CSize szCaption = DrawMenuText(pDC, strCaption, rc, nCaptionFormat, FALSE);
        const CSize szShortcut =
            strShortcut.IsEmpty() ? CSize(0, 0) : DrawMenuText(pDC, strShortcut, rc, nShortcutFormat, FALSE);
        pDC->SelectObject(pOldFont);
        return CSize(szCaption.cx + szShortcut.cx + w + 40, nRowHeight);
    }

    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bChecked = pControl->GetChecked() != 0;
    const int nSelected = pControl->GetSelected();
    const BOOL bPopuped = IsPopuped(pControl);

    if (pControl->IsExpanded())
        FillIconColumn(pDC, 1, rc.top, w + 1, rc.Height(), TRUE);
    DrawRectangle(pDC, rc, nSelected, 0, bEnabled, FALSE, FALSE, xtpBarTypeMenuBar, xtpBarPopup);

    const CRect rcColumn(rc.left, rc.top, rc.left + w, rc.bottom);
    const CPoint ptCentre = rcColumn.CenterPoint();
    const CRect rcBox(ptCentre.x - (szIcon.cx + 4) / 2, ptCentre.y - (szIcon.cy + 4) / 2,
                      ptCentre.x - (szIcon.cx + 4) / 2 + szIcon.cx + 4, ptCentre.y - (szIcon.cy + 4) / 2 + szIcon.cy + 4);
    if (bChecked && bEnabled)
        DrawRectangle(pDC, rcBox, nSelected, 0, bEnabled, bChecked, FALSE, xtpBarTypeMenuBar, xtpBarPopup);
    if (pImage) {
        const int cy = pImage->GetWidth() > 0 ? szIcon.cx * pImage->GetHeight() / pImage->GetWidth() : szIcon.cy;
        const CSize szImage(szIcon.cx, cy);
        const CPoint pt(rcColumn.left + (w - szImage.cx) / 2, rc.top + (rc.Height() - szImage.cy) / 2);
        DrawImage(pDC, pt, szImage, pImage, nSelected, 0, bEnabled, bChecked, bPopuped);
    } else if (bChecked) {
        DrawCheckMark(pDC, rcBox, 0, bRTL);
    }

    const int nText = !bEnabled ? 35 : nSelected ? 45 : 44;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);

    if (IsPopupType(nType)) {
        const int r = rc.right, c = rc.top + rc.Height() / 2;
        COLORREF clrTriangle = GetColor(nText);
        if (nType == xtpControlSplitButtonPopup && bEnabled) {
            if (bPopuped && nSelected) {
                FrameFill(pDC, CRect(r - 20, rc.top, r, rc.bottom), 32, 33);
                clrTriangle = GetColor(47);
            } else {
                DrawLine(pDC, r - 20, rc.top + 1, r - 20, rc.bottom - 1, nSelected ? 32 : 16);
            }
        }
        Triangle(pDC, CPoint(r - 11, c - 3), CPoint(r - 8, c), CPoint(r - 11, c + 3), clrTriangle);
    }

    DrawMenuText(pDC, strCaption, CRect(rc.left + w + 8, rc.top, rc.right, rc.bottom), nCaptionFormat, TRUE);
    if (!strShortcut.IsEmpty())
        DrawMenuText(pDC, strShortcut, CRect(rc.left + w + 8, rc.top, rc.right - 19, rc.bottom), nShortcutFormat, TRUE);
    pDC->SelectObject(pOldFont);
    return CSize(0, 0);
}

CRect CXTPTheme0::GetPopupJoint(CXTPCommandBar* pBar)
{
    auto* pPopup = dynamic_cast<CXTPPopupBar*>(pBar);
    CXTPControl* pControl = pPopup ? static_cast<CXTPControl*>(pPopup->GetControlPopup()) : nullptr;
    CXTPCommandBar* pParent = pControl ? pControl->GetParent() : nullptr;
    if (!pParent || !pParent->GetSafeHwnd() || !pBar->GetSafeHwnd())
        return CRect(0, 0, 0, 0);
    CRect rcControl = pControl->GetRect(), rcWindow, rcJoint;
    pParent->ClientToScreen(&rcControl);
    pBar->GetWindowRect(&rcWindow);
    if (!rcJoint.IntersectRect(&rcWindow, &rcControl))
        return CRect(0, 0, 0, 0);
    pBar->ScreenToClient(&rcJoint);
    if (rcJoint.Width() > 1)
        rcJoint.DeflateRect(1, 0);
    if (rcJoint.Height() > 1)
        rcJoint.DeflateRect(0, 1);
    return rcJoint;
}

void CXTPTheme0::DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    const int nPosition = pBar->GetPosition();
    if (nPosition == xtpBarFloating) {
        HPEN hPen = ::CreatePen(PS_SOLID, 1, GetColor(43));
        HBRUSH hBrush = ::CreateSolidBrush(GetColor(pBar->GetType() == xtpBarTypeMenuBar ? 15 : 30));
        HGDIOBJ hOldPen = ::SelectObject(*pDC, hPen), hOldBrush = ::SelectObject(*pDC, hBrush);
        ::Rectangle(*pDC, rc.left, rc.top, rc.right, rc.bottom);
        ::Rectangle(*pDC, rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
        ::SelectObject(*pDC, hOldBrush);
        ::SelectObject(*pDC, hOldPen);
        ::DeleteObject(hBrush);
        ::DeleteObject(hPen);
        // Round the inner frame's corners.
        SetCornerPixels(pDC, rc, 2, GetColor(43));
    } else if (nPosition == xtpBarPopup) {
        DrawPopupBackground(pDC, pBar, 30);
    } else if (pBar->GetType() == xtpBarTypeMenuBar) {
        pDC->FillSolidRect(&rc, GetColor(15));
    } else {
        FrameFill(pDC, rc, 15, 30);
        SetCornerPixels(pDC, rc, 1, GetColor(15));
    }
}

void CXTPTheme0::SetCornerPixels(CDC* pDC, CRect rc, int nInset, COLORREF clr)
{
    const int l = rc.left + nInset, t = rc.top + nInset, r = rc.right - 1 - nInset, b = rc.bottom - 1 - nInset;
    for (const POINT& pt : {POINT{l, t}, POINT{r, t}, POINT{l, b}, POINT{r, b}})
        pDC->SetPixel(pt, clr);
}

void CXTPTheme0::DrawPopupBackground(CDC* pDC, CXTPCommandBar* pBar, int nJoint)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    FrameFill(pDC, rc, 43, 41);
    if (pBar->GetType() == xtpBarTypePopup)
        FillIconColumn(pDC, 1, 2, GetPopupBarIconColumnWidth(pBar), rc.Height() - 4, FALSE);
    const CRect rcJoint = GetPopupJoint(pBar);
    if (!rcJoint.IsRectEmpty())
        pDC->FillSolidRect(&rcJoint, GetColor(nJoint));
}

CSize CXTPTheme0::DrawFloatingCaption(CDC* pDC, CXTPCommandBar* pBar, COLORREF clrBand, BOOL bDraw)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    CFont* pOldFont = pDC->SelectObject(&m_fontSmCaption);
    SIZE szSpace = {};
    ::GetTextExtentPoint32A(*pDC, " ", 1, &szSpace);
    const int h = std::max(15, static_cast<int>(szSpace.cy));
    CRect rcBand(3, 3, rc.right - 3, 3 + h + 3);
    if (bDraw) {
        pDC->FillSolidRect(&rcBand, clrBand);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(GetColor(20));
        const CString strTitle = pBar->GetTitle();
        ::DrawTextA(*pDC, strTitle, strTitle.GetLength(), &rcBand, DT_SINGLELINE | DT_VCENTER);
    }
    pDC->SelectObject(pOldFont);
    return rcBand.Size();
}

CSize CXTPTheme0::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case xtpBarFloating:
        return DrawFloatingCaption(pDC, pBar, GetColor(16), bDraw);
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw) {
            for (int x = 5; x < rc.Width() - 5; x += 2)
                DrawLine(pDC, x, 3, x, 6, 38);
        }
        return CSize(0, 8);
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw) {
            for (int y = 5; y < rc.Height() - 5; y += 2)
                DrawLine(pDC, 3, y, 6, y, 38);
        }
        return CSize(6, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CXTPTheme0::DrawCompactGripper(CDC* pDC, CXTPCommandBar* /*pBar*/, BOOL bDraw)
{
    const int h = std::max(22, m_nTextHeight + 4);
    if (bDraw) {
        for (int y = 6; y < h - 2; y += 2)
            DrawLine(pDC, 3, y, 6, y, 38);
    }
    return CSize(6, h);
}

CSize CXTPTheme0::DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 3);
    const CRect rc = pControl->GetRect(), rcRow = pControl->GetRowRect();
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == xtpBarTypePopup) {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        DrawLine(pDC, GetPopupBarIconColumnWidth(pBar) + 9, rc.top - 2, rcClient.right - 1, rc.top - 2, 39);
    } else if (nPosition == xtpBarLeft || nPosition == xtpBarRight) {
        if (pControl->GetWrap())
            DrawLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom, 39);
        else
            DrawLine(pDC, rcRow.left, rc.top - 4, rcRow.right, rc.top - 4, 39);
    } else if (pControl->GetWrap()) {
        DrawLine(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4, 39);
    } else {
        DrawLine(pDC, rc.left - 4, rcRow.top, rc.left - 4, rcRow.bottom, 39);
    }
    return CSize(0, 0);
}

void CXTPTheme0::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    CXTPCommandBar* pParent = pControl ? pControl->GetParent() : nullptr;
    if (pParent && pParent->GetType() == xtpBarTypePopup)
        rc.InflateRect(1, 0);
    else if (pControl && pControl->GetType() == xtpControlComboBox)
        return;
    else if (bVertical)
        rc.DeflateRect(1, 0);
    else
        rc.DeflateRect(0, 1);
}

CSize CXTPTheme0::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw)
{
    return DrawTearOffStrokes(pDC, rcGripper, bHot, bDraw, 16, 1);
}

CSize CXTPTheme0::DrawTearOffStrokes(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw, int nMaxHalf, int nPitch)
{
    if (bDraw) {
        CRect rc(1, 1, rcGripper.right + 1, rcGripper.Height() + 1);
        pDC->FillSolidRect(&rc, GetColor(41));
        rc.DeflateRect(1, 1);
        const int c = rc.left + rc.Width() / 2;
        const int d = std::min(nMaxHalf, rcGripper.Width() / 2 - 10);
        if (bHot)
            FrameFill(pDC, rc, 32, 31);
        else
            pDC->FillSolidRect(&rc, GetColor(30));
        const COLORREF clrStroke = GetColor(bHot ? 45 : 38);
        for (int y = bHot ? 4 : 3; d > 0 && y <= (bHot ? 6 : 7); y += 2) {
            for (int x = c - d; x < c + d; x += nPitch)
                pDC->SetPixel(x, y, clrStroke);
        }
    }
    return CSize(0, 9);
}

void CXTPTheme0::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL /*bGripperPane*/)
{
    Draw3dRect(pDC, rc, 16, 16);
}

void CXTPTheme0::DrawDropDownGlyph(CDC* pDC, CRect rcButton, int nColour)
{
    CFont* pOldFont = pDC->SelectObject(&m_fontMarlett);
    pDC->SetTextColor(GetColor(nColour));
    pDC->SetBkMode(TRANSPARENT);
    rcButton.OffsetRect(1, 1);
    ::DrawTextA(*pDC, "u", 1, &rcButton, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

CSize CXTPTheme0::DrawFieldControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw, int nButton)
{
    auto* pEdit = dynamic_cast<CXTPControlEdit*>(pControl);
    auto* pCombo = dynamic_cast<CXTPControlComboBox*>(pControl);
    CXTPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = pBar && pBar->GetType() == xtpBarTypePopup;
    const BOOL bShowLabel = bPopup || (pEdit && pEdit->GetShowLabel());
    const CRect rc = pControl->GetRect();
    const int nIconColumn = GetPopupBarIconColumnWidth(pBar);
    if (pCombo)
        nButton = pCombo->GetDropDownWidth();
    CFont* pOldFont = pDC->SelectObject(&m_fontIconTitle);
    SIZE szSpace = {};
    ::GetTextExtentPoint32A(*pDC, " ", 1, &szSpace);
    const int nHeight = szSpace.cy + 8;
    pDC->SelectObject(&m_fontRegular);
    const CString strCaption = StripMnemonics(pControl->GetCaption());
    int nLabel = 0;
    if (bShowLabel)
        nLabel = DrawMenuText(pDC, strCaption, rc, DT_SINGLELINE | DT_VCENTER, FALSE).cx + (bPopup ? nIconColumn + 12 : 5);
    if (!bDraw) {
        pDC->SelectObject(pOldFont);
        // A changed label moves the control's window at its next placement.
        if (pEdit)
            pEdit->SetLabelWidth(nLabel);
        else if (pCombo)
            pCombo->SetLabelWidth(nLabel);
        const int nField = pEdit ? pEdit->GetWidth() : pCombo ? pCombo->GetWidth() : rc.Width() - nLabel;
        return CSize(bPopup ? nLabel + nField : nField, nHeight);
    }

    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    const BOOL bDropped = pCombo ? pCombo->IsListOpen() : IsPopuped(pControl);
    pDC->SetBkMode(TRANSPARENT);
    if (bShowLabel) {
        if (bPopup && nSelected)
            DrawRectangle(pDC, rc, nSelected, 0, bEnabled, FALSE, FALSE, xtpBarTypeMenuBar, xtpBarPopup);
        const int nText = bPopup ? (!bEnabled ? 35 : nSelected ? 45 : 44) : (bEnabled ? 46 : 40);
        pDC->SetTextColor(GetColor(nText));
        DrawMenuText(pDC, strCaption, CRect(rc.left + (bPopup ? nIconColumn + 7 : 2), rc.top, rc.right, rc.bottom),
                     DT_SINGLELINE | DT_VCENTER, TRUE);
    }

    CRect rcField(rc.left + nLabel, rc.top, rc.right, rc.bottom);
    CRect rcButton(rcField.right - nButton, rcField.top, rcField.right, rcField.bottom);
    if (!bEnabled) {
        rcField.left++;
        FrameFill(pDC, rcField, nSelected == xtpSelectedByKeyboard ? 32 : 40, 15);
    } else {
        CRect rcInside = rcField;
        rcInside.DeflateRect(1, 1);
        pDC->FillSolidRect(&rcInside, GetColor(5));
        if (nSelected || bDropped) {
            FrameFill(pDC, rcField, 32, 5);
            if (nButton)
                FrameFill(pDC, rcButton, 32, bDropped ? 33 : 31);
        } else if (bPopup) {
            Draw3dRect(pDC, rcField, 53, 53);
            if (nButton) {
                CRect rcInner = rcButton;
                rcInner.DeflateRect(1, 1);
                FrameFill(pDC, rcInner, 5, 53);
            }
        } else if (nButton) {
            Draw3dRect(pDC, rcField, 5, 5);
        }
    }
    if (pCombo && !(pCombo->GetEditCtrl() && pCombo->GetEditCtrl()->GetSafeHwnd())) {
        // Without a field window the combo shows its text itself.
        pDC->SelectObject(&m_fontIconTitle);
        pDC->SetTextColor(GetColor(8));
        CRect rcText(rcField.left + 3, rcField.top + 1, rcButton.left, rcField.bottom - 1);
        const CString strText = pCombo->GetEditText();
        ::DrawTextA(*pDC, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    pDC->SelectObject(pOldFont);
    if (nButton)
        DrawDropDownGlyph(pDC, rcButton, !bEnabled ? 40 : bDropped ? 47 : nSelected ? 45 : 46);
    return CSize(0, 0);
}

CSize CXTPTheme0::DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    return DrawFieldControl(pDC, pControl, bDraw, 0);
}

CSize CXTPTheme0::DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    return DrawFieldControl(pDC, pControl, bDraw, kDropDownWidth);
}

CSize CXTPTheme0::DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL /*bCaption*/,
                                     CXTPCommandBars* pCommandBars)
{
    const CSize szIcon = pCommandBars ? pCommandBars->GetOptions()->m_szPopupIcons : CSize(16, 16);
    const int nIconColumn = std::max<int>(szIcon.cx + 4, m_nTextHeight + 4);
    if (!pControl)
        return CSize(0, std::max<int>(szIcon.cy + 6, m_nTextHeight));
    pDC->FillSolidRect(&rc, GetColor(41));
    FillIconColumn(pDC, rc.left, rc.top, nIconColumn, rc.Height(), FALSE);
    if (bSelected)
        DrawRectangle(pDC, rc, TRUE, 0, TRUE, FALSE, FALSE, xtpBarTypeMenuBar, xtpBarPopup);
    if (CXTPImageManagerIcon* pImage = pControl->GetImage(szIcon.cx))
        DrawImage(pDC, CPoint(rc.left + (nIconColumn - szIcon.cx) / 2, rc.top + (rc.Height() - szIcon.cy) / 2),
                  szIcon, pImage, bSelected, 0, TRUE, FALSE, FALSE);

    const int nType = pControl->GetType();
    const COLORREF clrText = GetColor(bSelected ? 45 : 44);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(&m_fontRegular);
    const CString strCaption = StripMnemonics(pControl->GetCaption());
    CRect rcText(rc.left + nIconColumn + 8, rc.top, rc.right - 20, rc.bottom);
    ::DrawTextA(*pDC, strCaption, strCaption.GetLength(), &rcText,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->SelectObject(pOldFont);

    const int r = rc.right, c = rc.top + rc.Height() / 2;
    if (IsPopupType(nType))
        Triangle(pDC, CPoint(r - 7, c), CPoint(r - 12, c - 5), CPoint(r - 12, c + 5), clrText);
    if (nType == xtpControlSplitButtonPopup)
        DrawLine(pDC, r - 20, rc.top + 1, r - 20, rc.bottom - 1, bSelected ? 32 : 16);
    if (nType == xtpControlComboBox || nType == xtpControlEdit) {
        // A small field at the right, with the drop-down glyph.
        CRect rcField(r - 40, rc.top + 2, r - 2, rc.bottom - 2);
        FrameFill(pDC, rcField, 40, 5);
        DrawDropDownGlyph(pDC, CRect(rcField.right - 12, rcField.top, rcField.right, rcField.bottom), 46);
    }
    return CSize(0, 0);
}

CSize CXTPTheme0::DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                     BOOL bDraw, void* lpParam)
{
    if (nKind != xtpButtonHiddenControl)
        return CXTPPaintManager::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
    if (bDraw) {
        // The entry's icon band, then the entry as a menu draws it.
        const CRect rc = pControl->GetRect();
        const int w = GetPopupBarIconColumnWidth(pBar) - 1;
        pDC->FillSolidRect(rc.left, rc.top, w, rc.Height(), GetColor(30));
        DrawControlPopupParent(pDC, pControl, TRUE);
        return CSize(0, 0);
    }
    return DrawControlPopupParent(pDC, pControl, FALSE);
}
