// The default command-bar theme: 3-D states, embossed disabled text, the classic menu entry.
#include "CXTPTheme1.h"

#include <algorithm>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlEdit.h"
#include "CXTPImageManagerIcon.h"

CXTPTheme1::CXTPTheme1()
{
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

void CXTPTheme1::FillCheckedPattern(CDC* pDC, CRect rc)
{
    static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kRows);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    HDC hdc = pDC->GetSafeHdc();
    const COLORREF clrOldBk = ::SetBkColor(hdc, GetColor(COLOR_BTNFACE));
    const COLORREF clrOldText = ::SetTextColor(hdc, GetColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ hOldBrush = ::SelectObject(hdc, hBrush);
    ::PatBlt(hdc, rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(hdc, hOldBrush);
    ::SetTextColor(hdc, clrOldText);
    ::SetBkColor(hdc, clrOldBk);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}

void CXTPTheme1::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int nBarType, int /*nBarPosition*/)
{
    const int kRaised[2] = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    const int kSunken[2] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    const int* pEdge = nullptr;
    if (!bEnabled) {
        if ((bChecked && nBarType == xtpBarTypeMenuBar) || nSelected == xtpSelectedByKeyboard)
            pEdge = kSunken;
    } else if (bChecked) {
        if (!nSelected && !nPressed)
            FillCheckedPattern(pDC, rc);
        pEdge = kSunken;
    } else if (!bPopuped && nPressed != 2) {
        if (nSelected && nPressed)
            pEdge = kSunken;
        else if (nSelected || nPressed)
            pEdge = kRaised;
    } else {
        pEdge = kSunken;
    }
    if (pEdge)
        Draw3dRect(pDC, rc, pEdge[0], pEdge[1]);
}

void CXTPTheme1::FillControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked,
                                  BOOL bPopuped, int nBarPosition)
{
    DrawRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped, xtpBarTypeNormal, nBarPosition);
    const int nText = !bEnabled ? COLOR_GRAYTEXT : nBarPosition == xtpBarPopup ? m_nPopupTextColor : COLOR_BTNTEXT;
    pDC->SetTextColor(GetColor(nText));
    pDC->SetBkMode(TRANSPARENT);
}

void CXTPTheme1::DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, int nSelected, int nPressed,
                           BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL /*bToolBarImage*/)
{
    if (!pImage)
        return;
    const CPoint ptDown(pt.x + 1, pt.y + 1);
    if (!bEnabled) {
        if (!m_bUseDisabledIcons && !pImage->IsAlpha()) {
            pImage->DrawMono(pDC, ptDown, pImage->GetIcon(), GetColor(COLOR_BTNHIGHLIGHT));
            pImage->DrawMono(pDC, pt, pImage->GetIcon(), GetColor(COLOR_BTNSHADOW));
        } else {
            pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz);
        }
        return;
    }
    if (!bChecked && !bPopuped) {
        if (!nSelected && nPressed == 0) {
            pImage->Draw(pDC, pt, m_bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetIcon(), sz);
        } else if ((nSelected && nPressed) || (!nSelected && nPressed == 2)) {
            pImage->Draw(pDC, ptDown, pImage->GetHotIcon(), sz);
        } else if ((nSelected && !nPressed) || (!nSelected && nPressed == 1)) {
            if (m_bIconsWithShadow) {
                pImage->Draw(pDC, ptDown, pImage->GetShadowIcon(), sz);
                pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon(), sz);
            } else {
                pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
            }
        }
        return;
    }
    if (bPopuped && !bChecked)
        pImage->Draw(pDC, pt, pImage->GetIcon(), sz);
    else if (nSelected || nPressed)
        pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz);
    else
        pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz);
}

CSize CXTPTheme1::DrawCaptionText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                                  BOOL bSelected, BOOL bEnabled)
{
    if (!bDraw) {
        ::DrawTextA(*pDC, strText, strText.GetLength(), &rc, nFormat | DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        return rc.Size();
    }
    if (!bEnabled && !bSelected) {
        const COLORREF clrOld = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        CRect rcShadow = rc;
        rcShadow.OffsetRect(1, 1);
        ::DrawTextA(*pDC, strText, strText.GetLength(), &rcShadow, nFormat | DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(clrOld);
    }
    ::DrawTextA(*pDC, strText, strText.GetLength(), &rc, nFormat | DT_SINGLELINE | DT_VCENTER);
    return rc.Size();
}

CSize CXTPTheme1::DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    CXTPCommandBar* pBar = pControl->GetParent();
    const CRect rc = pControl->GetRect();
    const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
    const int nTextHeight = GetTextHeight();
    const int nIconColumn = std::max<int>(szIcon.cx + 4, nTextHeight);
    const int nRowHeight = std::max<int>(szIcon.cy + 4, nTextHeight);
    const int nType = pControl->GetType();
    const int nStyle = pControl->GetStyle();
    const BOOL bShowIcon = nStyle == 2 || nStyle == 3 || (nStyle == 0 && nType != xtpControlPopup);
    CXTPImageManagerIcon* pImage = bShowIcon ? pControl->GetImage(szIcon.cx) : nullptr;

    CString strCaption = pControl->GetCaption();
    if (pBar && pBar->IsRTL())
        strCaption = PrepareRTLCaption(strCaption);
    const CString strShortcut =
        pControl->GetShortcutText().IsEmpty() ? pControl->GetAutoShortcutText() : pControl->GetShortcutText();
    const BOOL bShortcut = nType == xtpControlButton && !strShortcut.IsEmpty();

    CFont* pOldFont = pDC->SelectObject(pControl->IsDefaultItem() ? &m_fontBold : &m_fontRegular);
    if (!bDraw) {
        const CSize szCaption = DrawCaptionText(pDC, strCaption, CRect(0, 0, 0, 0), 0, FALSE, FALSE, TRUE);
        const CSize szShortcut =
            bShortcut ? DrawCaptionText(pDC, strShortcut, CRect(0, 0, 0, 0), 0, FALSE, FALSE, TRUE) : CSize(0, 0);
        pDC->SelectObject(pOldFont);
        return CSize(szCaption.cx + szShortcut.cx + nIconColumn + 40, nRowHeight);
    }

    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    const int nPressed = pControl->GetPressed();
    const BOOL bChecked = pControl->GetChecked();
    const BOOL bPopuped = IsPopuped(pControl);
    if (pControl->IsExpanded())
        pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
    const COLORREF clrText = GetColor(!bEnabled ? COLOR_GRAYTEXT : nSelected ? COLOR_HIGHLIGHTTEXT : m_nPopupTextColor);

    const CRect rcIcon(rc.left, rc.top, rc.left + nIconColumn, rc.bottom);
    BOOL bMark = FALSE;
    if (pImage) {
        const CSize szImage(szIcon.cx,
                            pImage->GetWidth() ? pImage->GetHeight() * szIcon.cx / pImage->GetWidth() : szIcon.cy);
        DrawRectangle(pDC, rcIcon, nSelected, nPressed, bEnabled, bChecked, bPopuped, xtpBarTypeMenuBar, xtpBarPopup);
        const CPoint pt(rcIcon.left + (rcIcon.Width() - szImage.cx) / 2,
                        rcIcon.top + (rcIcon.Height() - szImage.cy) / 2);
        DrawImage(pDC, pt, szImage, pImage, nSelected, nPressed, bEnabled, bChecked, bPopuped, FALSE);
        bMark = TRUE;
    } else if (bChecked) {
        DrawRectangle(pDC, rcIcon, nSelected, nPressed, bEnabled, bChecked, bPopuped, xtpBarTypeMenuBar, xtpBarPopup);
        const CPoint ptCentre = rcIcon.CenterPoint();
        DrawCheckMark(pDC, CRect(ptCentre.x - 10, ptCentre.y - 10, ptCentre.x + 10, ptCentre.y + 10),
                      GetColor(m_nPopupTextColor), FALSE);
        bMark = TRUE;
    }
    if (nSelected)
        FillRectangle(pDC, CRect(bMark ? rcIcon.right + 1 : rc.left, rc.top, rc.right, rc.bottom), COLOR_HIGHLIGHT,
                      COLOR_HIGHLIGHT);

    const int c = rc.top + rc.Height() / 2;
    const int r = rc.right;
    if (IsPopupType(nType))
        Triangle(pDC, CPoint(r - 11, c - 3), CPoint(r - 8, c), CPoint(r - 11, c + 3), clrText);
    if (nType == xtpControlSplitButtonPopup && nSelected) {
        if (bPopuped && bEnabled)
            Draw3dRect(pDC, CRect(r - 20, rc.top, r, rc.bottom), COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        DrawLine(pDC, r - 20, rc.top + 1, r - 20, rc.bottom - 1, bPopuped ? m_nPopupTextColor : COLOR_BTNSHADOW);
    }

    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    DrawCaptionText(pDC, strCaption, CRect(rc.left + nIconColumn + 4, rc.top, rc.right, rc.bottom), DT_END_ELLIPSIS,
                    TRUE, nSelected, bEnabled);
    if (bShortcut)
        DrawCaptionText(pDC, strShortcut, CRect(rc.left + nIconColumn + 8, rc.top, rc.right - 19, rc.bottom),
                        DT_RIGHT, TRUE, nSelected, bEnabled);
    pDC->SelectObject(pOldFont);
    return CSize(rc.Width(), nRowHeight);
}

void CXTPTheme1::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    const BOOL bPopuped = IsPopuped(pControl);
    const int nBarPosition = pControl->GetParent() ? pControl->GetParent()->GetPosition() : xtpBarTop;
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bSelected = pControl->GetSelected() || bPopuped;
    FillControlEntry(pDC, CRect(rc.left, rc.top, rc.right - 12, rc.bottom), bEnabled, bSelected,
                     pControl->GetPressed(), pControl->GetChecked(), FALSE, nBarPosition);
    if (bEnabled && (bSelected || pControl->GetPressed())) {
        const COLORREF clrText = pDC->GetTextColor();
        FillControlEntry(pDC, CRect(rc.right - 12, rc.top, rc.right, rc.bottom), TRUE, TRUE, FALSE, FALSE, bPopuped,
                         nBarPosition);
        pDC->SetTextColor(clrText);
    }
    const int m = (rc.top + rc.bottom) / 2;
    Triangle(pDC, CPoint(rc.right - 9, m - 1), CPoint(rc.right - 5, m - 1), CPoint(rc.right - 7, m + 1),
             pDC->GetTextColor());
}

int CXTPTheme1::GetFontSpaceHeight(CDC* pDC, CFont* pFont)
{
    CFont* pOldFont = pDC->SelectObject(pFont);
    SIZE size = {};
    ::GetTextExtentPoint32A(*pDC, " ", 1, &size);
    pDC->SelectObject(pOldFont);
    return size.cy;
}

void CXTPTheme1::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (bEnabled)
        Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    else if (nSelected == xtpSelectedByKeyboard)
        Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    else
        Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
}

void CXTPTheme1::DrawDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL /*bSelected*/, BOOL bDropped)
{
    if (bEnabled) {
        rc.left -= 1;
        rc.top += 1;
        rc.right -= 1;
        rc.bottom -= 1;
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        if (bDropped) {
            Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
        } else {
            Draw3dRect(pDC, rc, COLOR_BTNFACE, 0);
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            Draw3dRect(pDC, rcInner, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        }
    }
    CFont* pOldFont = pDC->SelectObject(&m_fontMarlett);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
    CRect rcGlyph = rc;
    rcGlyph.OffsetRect(1, 1);
    ::DrawTextA(*pDC, "u", 1, &rcGlyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(pOldFont);
}

CSize CXTPTheme1::DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    return DrawField(pDC, pControl, bDraw);
}

CSize CXTPTheme1::DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    return DrawField(pDC, pControl, bDraw);
}

CSize CXTPTheme1::DrawField(CDC* pDC, CXTPControl* pControl, BOOL bDraw)
{
    auto* pEdit = dynamic_cast<CXTPControlEdit*>(pControl);
    auto* pCombo = dynamic_cast<CXTPControlComboBox*>(pControl);
    CXTPCommandBar* pBar = pControl->GetParent();
    const BOOL bPopup = pBar && pBar->GetType() == xtpBarTypePopup;
    const BOOL bShowLabel = bPopup || (pEdit && pEdit->GetShowLabel());
    const int nRowHeight = std::max<int>((pBar ? pBar->GetIconSize().cy : 16) + 4, GetTextHeight());
    const CRect rc = pControl->GetRect();
    const CString strCaption = StripMnemonics(pControl->GetCaption());

    CFont* pOldFont = pDC->SelectObject(&m_fontIconTitle);
    if (!bDraw) {
        const int nHeight = GetFontSpaceHeight(pDC, &m_fontIconTitle) + 8;
        const int nCaption = DrawCaptionText(pDC, strCaption, CRect(0, 0, 0, 0), DT_NOPREFIX, FALSE, FALSE, TRUE).cx;
        const int nLabel = bPopup ? nCaption + nRowHeight + 9 : bShowLabel ? nCaption + 5 : 0;
        const int nField = pEdit ? pEdit->GetWidth() : pCombo ? pCombo->GetWidth() : rc.Width();
        // A changed label moves the field window at the control's next placement.
        if (pEdit)
            pEdit->SetLabelWidth(nLabel);
        else if (pCombo)
            pCombo->SetLabelWidth(nLabel);
        pDC->SelectObject(pOldFont);
        return CSize(bPopup ? nLabel + nField : nField, nHeight);
    }

    const int nLabel = pEdit ? pEdit->GetLabelWidth() : pCombo ? pCombo->GetLabelWidth() : 0;
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    pDC->SetBkMode(TRANSPARENT);
    if (bShowLabel) {
        pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        const CRect rcLabel(rc.left + (bPopup ? nRowHeight + 4 : 2), rc.top, rc.left + nLabel, rc.bottom);
        DrawCaptionText(pDC, strCaption, rcLabel, DT_NOPREFIX, TRUE, nSelected, bEnabled);
    }
    const CRect rcField(rc.left + nLabel, rc.top, rc.right, rc.bottom);
    if (bEnabled)
        pDC->FillSolidRect(rcField, GetColor(COLOR_WINDOW));
    if (pCombo) {
        const CRect rcButton(rcField.right - pCombo->GetDropDownWidth(), rcField.top, rcField.right, rcField.bottom);
        if (!pCombo->GetEditCtrl()) {
            const CString strText = pCombo->GetEditText();
            CRect rcText(rcField.left + 3, rcField.top + 1, rcButton.left, rcField.bottom - 1);
            pDC->SetTextColor(GetColor(COLOR_WINDOWTEXT));
            ::DrawTextA(*pDC, strText, strText.GetLength(), &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        DrawDropDownButton(pDC, rcButton, bEnabled, nSelected, pCombo->IsListOpen());
    }
    DrawEditFrame(pDC, rcField, bEnabled, nSelected);
    pDC->SelectObject(pOldFont);
    return rc.Size();
}

CSize CXTPTheme1::DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bCaption,
                                     CXTPCommandBars* pCommandBars)
{
    const CSize szIcon = pCommandBars ? pCommandBars->GetOptions()->m_szPopupIcons : CSize(16, 16);
    const int nIconColumn = std::max<int>(szIcon.cx + 4, GetTextHeight());
    // Without a DC the call only measures (the command list's item height).
    if (pDC)
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (!pControl)
        return CSize(0, std::max<int>(szIcon.cy + 4, GetTextHeight()));
    const CRect rcIcon(rc.left, rc.top, rc.left + nIconColumn, rc.bottom);
    BOOL bMark = FALSE;
    if (CXTPImageManagerIcon* pImage = pControl->GetImage(szIcon.cx)) {
        DrawRectangle(pDC, rcIcon, bSelected, FALSE, TRUE, FALSE, FALSE, xtpBarTypeMenuBar, xtpBarPopup);
        const CPoint pt(rcIcon.left + (rcIcon.Width() - szIcon.cx) / 2, rcIcon.top + (rcIcon.Height() - szIcon.cy) / 2);
        DrawImage(pDC, pt, szIcon, pImage, bSelected, FALSE, TRUE, FALSE, FALSE, FALSE);
        bMark = TRUE;
    }
    if (bSelected)
        FillRectangle(pDC, CRect(bMark ? rcIcon.right + 1 : rc.left, rc.top, rc.right, rc.bottom), COLOR_HIGHLIGHT,
                      COLOR_HIGHLIGHT);
    const COLORREF clrText = GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    const int nType = pControl->GetType();
    const int c = rc.top + rc.Height() / 2;
    if (IsPopupType(nType))
        Triangle(pDC, CPoint(rc.right - 11, c - 3), CPoint(rc.right - 8, c), CPoint(rc.right - 11, c + 3), clrText);
    if (nType == xtpControlSplitButtonPopup)
        DrawLine(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1, COLOR_BTNSHADOW);
    int nTextRight = rc.right - 20;
    if (nType == xtpControlComboBox || nType == xtpControlEdit) {
        // A small field at the right end, with the drop-down part of a combo.
        CRect rcField(rc.right - 60, rc.top + 2, rc.right - 2, rc.bottom - 2);
        FillRectangle(pDC, rcField, COLOR_WINDOW, COLOR_BTNSHADOW);
        if (nType == xtpControlComboBox) {
            CRect rcDrop(rcField.right - 12, rcField.top, rcField.right, rcField.bottom);
            FillRectangle(pDC, rcDrop, COLOR_BTNFACE, COLOR_HIGHLIGHT);
            CFont* pOldFont = pDC->SelectObject(&m_fontMarlett);
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
            ::DrawTextA(*pDC, "u", 1, &rcDrop, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SelectObject(pOldFont);
        }
        nTextRight = rcField.left - 2;
    }
    if (bCaption) {
        CString strCaption = pControl->GetCaption();
        CWnd* pSite = pCommandBars ? pCommandBars->GetSite() : nullptr;
        const BOOL bRTL = pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
        strCaption = bRTL ? PrepareRTLCaption(strCaption) : StripMnemonics(strCaption);
        CFont* pOldFont = pDC->SelectObject(&m_fontRegular);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clrText);
        CRect rcText(rc.left + nIconColumn + 4, rc.top, nTextRight, rc.bottom);
        ::DrawTextA(*pDC, strCaption, strCaption.GetLength(), &rcText,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        pDC->SelectObject(pOldFont);
    }
    return rc.Size();
}

void CXTPTheme1::DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    const int nPosition = pBar->GetPosition();
    if (nPosition == xtpBarFloating || nPosition == xtpBarPopup) {
        Draw3dRect(pDC, rc, COLOR_BTNFACE, 0);
        rc.DeflateRect(1, 1);
    }
    Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

CSize CXTPTheme1::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case xtpBarFloating: {
        CFont* pOldFont = pDC->SelectObject(&m_fontSmCaption);
        const int h = std::max(15, GetFontSpaceHeight(pDC, &m_fontSmCaption));
        CRect rcBand(3, 3, rc.right - 3, 3 + h + 3);
        if (bDraw) {
            pDC->FillSolidRect(rcBand, GetColor(COLOR_ACTIVECAPTION));
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
            const CString strTitle = pBar->GetTitle();
            ::DrawTextA(*pDC, strTitle, strTitle.GetLength(), &rcBand, DT_SINGLELINE | DT_VCENTER);
        }
        pDC->SelectObject(pOldFont);
        return rcBand.Size();
    }
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw)
            Draw3dRect(pDC, CRect(3, 3, rc.right - 3, 6), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        return CSize(0, 8);
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw)
            Draw3dRect(pDC, CRect(3, 3, 6, rc.bottom - 3), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        return CSize(6, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CXTPTheme1::DrawCompactGripper(CDC* pDC, CXTPCommandBar* /*pBar*/, BOOL bDraw)
{
    const int h = std::max(22, GetTextHeight() + 4);
    if (bDraw)
        Draw3dRect(pDC, CRect(3, 3, 6, h), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    return CSize(6, h);
}

CSize CXTPTheme1::DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    if (!bDraw)
        return CSize(0, 8);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    CRect rc;
    if (pBar->GetType() == xtpBarTypePopup) {
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        rc.SetRect(14, rcControl.top - 5, rcClient.right - 14, rcControl.top - 3);
    } else if (pBar->GetPosition() == xtpBarLeft || pBar->GetPosition() == xtpBarRight) {
        if (pControl->GetWrap())
            rc.SetRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom);
        else
            rc.SetRect(rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 2);
    } else {
        if (pControl->GetWrap())
            rc.SetRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2);
        else
            rc.SetRect(rcControl.left - 4, rcRow.top, rcControl.left - 2, rcRow.bottom);
    }
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return CSize(0, 0);
}

void CXTPTheme1::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    if (pControl->GetType() == xtpControlComboBox)
        return;
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->GetType() == xtpBarTypePopup)
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CSize CXTPTheme1::DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                     BOOL bDraw, void* lpParam)
{
    if (nKind == xtpButtonHiddenControl) {
        if (!bDraw)
            return DrawControlPopupParent(pDC, pControl, FALSE);
        DrawControlPopupParent(pDC, pControl, TRUE);
        return CSize(0, 0);
    }
    if (bDraw && (nKind == xtpButtonHideFloating || nKind == xtpButtonExpandFloating)) {
        if (pControl->GetPressed() || pControl->GetSelected() ||
            (nKind == xtpButtonExpandFloating && IsPopuped(pControl)))
            pDC->FillSolidRect(pControl->GetRect(), GetColor(COLOR_BTNFACE));
    }
    return CXTPPaintManager::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
}

CRect CXTPTheme1::GetBarBorders(CXTPCommandBar* pBar)
{
    if (pBar && pBar->GetType() == xtpBarTypePopup)
        return CRect(3, 3, 3, 3);
    return CXTPPaintManager::GetBarBorders(pBar);
}

CSize CXTPTheme1::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw)
{
    if (bDraw)
        pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rc.bottom - 1),
                           GetColor(bHot ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    return CSize(0, 8);
}
