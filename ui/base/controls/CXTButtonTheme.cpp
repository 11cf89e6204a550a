// Button themes: backgrounds, text and image placement, and the colours of each look.
#include "CXTButtonTheme.h"

#include "CDC.h"
#include "CGdiObject.h"
#include "CXTButton.h"
#include "CXTPColorManager.h"
#include "CXTPImageManagerIcon.h"

#include <algorithm>

// Part and states of the visual style's push button.
enum { kPushButtonPart = 1, kStateNormal = 1, kStateHot = 2, kStatePressed = 3, kStateDisabled = 4, kStateDefaulted = 5 };

IMPLEMENT_DYNCREATE(CXTButtonThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CXTButtonThemeFactory::CreateTheme(int nTheme)
{
    CXTButtonTheme* theme = nTheme == 1 ? new CXTButtonThemeXP : nTheme == 2 ? new CXTButtonThemeLuna : new CXTButtonTheme;
    theme->m_nThemeId = nTheme == 1 || nTheme == 2 ? nTheme : 0;
    theme->RefreshMetrics();
    return theme;
}

CXTButtonTheme::CXTButtonTheme()
{
    RefreshMetrics();
}

void CXTButtonTheme::RefreshMetrics()
{
    GetColorManager()->RefreshColors();
    m_clrFace.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
    m_clrText.SetStandardValue(GetManagedColor(COLOR_BTNTEXT));
    m_clrDisabledText.SetStandardValue(GetManagedColor(COLOR_GRAYTEXT));
    m_clrLight.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
    m_clrShadow.SetStandardValue(GetManagedColor(COLOR_BTNSHADOW));
    m_clrHighlight.SetStandardValue(GetManagedColor(COLOR_BTNHIGHLIGHT));
    m_clrDarkShadow.SetStandardValue(GetManagedColor(COLOR_3DDKSHADOW));
}

BOOL CXTButtonTheme::IsHotTracking(CXTButton* pButton)
{
    return IsVisualStyle(pButton) || (pButton->GetXButtonStyle() & (BS_XT_FLAT | BS_XT_SEMIFLAT)) != 0;
}

BOOL CXTButtonTheme::IsVisualStyle(CXTButton* pButton)
{
    if (!(pButton->GetXButtonStyle() & BS_XT_WINXP_COMPAT))
        return FALSE;
    if (!m_themeButton.GetThemeHandle())
        m_themeButton.OpenThemeData(pButton->GetSafeHwnd(), L"BUTTON");
    return m_themeButton.IsAppThemeReady() && m_themeButton.GetThemeHandle() != nullptr;
}

CFont* CXTButtonTheme::GetThemeFont(CXTButton* pButton)
{
    if (m_pFont && m_pFont->GetSafeHandle())
        return m_pFont;
    return CFont::FromHandle(pButton->GetFont());
}

void CXTButtonTheme::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    m_clrFace.SetCustomValue(clrFace);
    m_clrLight.SetCustomValue(clrLight);
    m_clrShadow.SetCustomValue(clrShadow);
    m_clrText.SetCustomValue(clrText);
}

BOOL CXTButtonTheme::IsPressed(UINT nState, CXTButton* pButton)
{
    return pButton->GetChecked() || (nState & ODS_SELECTED) != 0;
}

CSize CXTButtonTheme::GetTextSize(CDC* pDC, CXTButton* pButton)
{
    CString text = pButton->GetButtonText(TRUE);
    if (text.IsEmpty())
        return CSize(0, 0);
    CFont* oldFont = pDC->SelectObject(GetThemeFont(pButton));
    CSize size = pDC->GetTextExtent(text);
    pDC->SelectObject(oldFont);
    return size;
}

CPoint CXTButtonTheme::CalcCenteredOrigin(CSize size, CXTButton* pButton, const CRect& rcItem)
{
    int x = pButton->m_nBorderGap;
    if (pButton->GetXButtonStyle() & BS_XT_TWOROWS)
        x = std::max(0, (int)(rcItem.Width() - size.cx) / 2);
    return CPoint(rcItem.left + x, rcItem.top + std::max(0, (int)(rcItem.Height() - size.cy) / 2));
}

CPoint CXTButtonTheme::CalcImagePosition(CDC* pDC, UINT /*nState*/, const CRect& rcItem, CXTButton* pButton)
{
    if (pButton->m_bUserPosition)
        return pButton->m_ptImage;
    const CSize image = pButton->m_sizeImage;
    CPoint pt = CalcCenteredOrigin(image, pButton, rcItem);
    const DWORD style = pButton->GetStyle();
    const CSize text = GetTextSize(pDC, pButton);
    const BOOL twoRows = (pButton->GetXButtonStyle() & BS_XT_TWOROWS) != 0;
    if (!twoRows && text.cx == 0) {
        if ((style & BS_CENTER) == BS_CENTER && image.cx <= rcItem.Width())
            pt.x = rcItem.left + (rcItem.Width() - image.cx) / 2;
        if ((style & BS_VCENTER) == BS_VCENTER && image.cy <= rcItem.Height())
            pt.y = rcItem.top + (rcItem.Height() - image.cy) / 2;
    } else if (twoRows && text.cx > 0) {
        pt.y -= text.cy / 2 + pButton->m_nImageGap / 2;
        const DWORD align = style & BS_CENTER;
        if (align == BS_LEFT)
            pt.x = rcItem.left + pButton->m_nBorderGap;
        else if (align == BS_RIGHT)
            pt.x = rcItem.right - pButton->m_nBorderGap - image.cx;
        else if (image.cx <= rcItem.Width())
            pt.x = rcItem.left + (rcItem.Width() - image.cx) / 2;
    }
    return pt;
}

CPoint CXTButtonTheme::CalcTextPosition(CDC* pDC, UINT /*nState*/, const CRect& rcItem, CXTButton* pButton)
{
    if (pButton->m_bUserPosition)
        return pButton->m_ptText;
    CRect rc = rcItem;
    rc.DeflateRect(2, 2);
    const CSize text = GetTextSize(pDC, pButton);
    const CSize image = pButton->GetIcon() && GetShowImage() ? pButton->m_sizeImage : CSize(0, 0);
    const BOOL twoRows = (pButton->GetXButtonStyle() & BS_XT_TWOROWS) != 0;
    CPoint pt = CalcCenteredOrigin(text, pButton, rc);
    if (twoRows)
        pt.y += pButton->m_nImageGap / 2 + image.cy / 2;
    const DWORD align = pButton->GetStyle() & BS_CENTER;
    const int beside = (!twoRows && image.cx > 0) ? image.cx : 0;
    if (align == BS_LEFT) {
        pt.x = rc.left + pButton->m_nBorderGap + (beside ? beside + pButton->m_nImageGap : 0);
    } else if (align == BS_RIGHT) {
        pt.x = rc.right - pButton->m_nBorderGap - text.cx;
    } else {
        const int start = rc.left + (twoRows ? 0 : pButton->m_nBorderGap + beside);
        pt.x = start + (rc.right - start - text.cx) / 2;
    }
    return pt;
}

COLORREF CXTButtonTheme::GetTextColor(UINT nState, CXTButton* /*pButton*/)
{
    return (nState & ODS_DISABLED) ? m_clrDisabledText : m_clrText;
}

void CXTButtonTheme::DrawButtonText(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    CString text;
    pButton->GetWindowText(text);
    if (text.IsEmpty())
        return;
    CFont* oldFont = pDC->SelectObject(GetThemeFont(pButton));
    CPoint pt = CalcTextPosition(pDC, nState, rcItem, pButton);
    if (IsPressed(nState, pButton) && m_bOffsetHiliteText)
        pt += CPoint(1, 1);
    const COLORREF oldColor = pDC->SetTextColor(GetTextColor(nState, pButton));
    pDC->DrawState(pt, CSize(0, 0), text, DST_PREFIXTEXT, TRUE, 0, nullptr);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(oldFont);
}

void CXTButtonTheme::DrawButtonImage(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    CXTPImageManagerIcon* icon = pButton->GetIcon();
    if (!GetShowImage() || !icon)
        return;
    CPoint pt = CalcImagePosition(pDC, nState, rcItem, pButton);
    const BOOL pressed = IsPressed(nState, pButton);
    if (pressed)
        pt += CPoint(1, 1);
    if (nState & ODS_DISABLED)
        icon->Draw(pDC, pt, icon->GetDisabledIcon(), pButton->m_sizeImage);
    else if (!pButton->IsHot() && !pressed)
        icon->Draw(pDC, pt, icon->GetIcon(), pButton->m_sizeImage);
    else
        icon->Draw(pDC, pt, icon->GetHotIcon(), pButton->m_sizeImage);
}

void CXTButtonTheme::DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rcItem(lpDIS->rcItem);
    const UINT state = lpDIS->itemState;
    if (!DrawVisualStyleBackground(pDC, state, rcItem, pButton))
        DrawButtonBackground(pDC, state, rcItem, pButton);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    DrawButtonText(pDC, state, rcItem, pButton);
    DrawButtonImage(pDC, state, rcItem, pButton);
    if ((pButton->GetXButtonStyle() & BS_XT_SHOWFOCUS) && (state & ODS_FOCUS))
        DrawFocusRect(pDC, rcItem, pButton);
    pDC->SetBkMode(oldMode);
}

BOOL CXTButtonTheme::DrawVisualStyleBackground(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    if (!IsVisualStyle(pButton))
        return FALSE;
    int state = kStateNormal;
    if (nState & ODS_FOCUS)
        state = kStateDefaulted;
    if (pButton->IsHot())
        state = kStateHot;
    if (IsPressed(nState, pButton))
        state = kStatePressed;
    if (nState & ODS_DISABLED)
        state = kStateDisabled;
    return SUCCEEDED(m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), kPushButtonPart, state, &rcItem, nullptr));
}

// Rows of 0x55 and 0xAA: every other pixel, offset by one on each row.
static void DrawDither(CDC* pDC, const CRect& rc)
{
    static const WORD bits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bitmap;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, bits))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    const COLORREF oldBack = pDC->SetBkColor(GetManagedColor(COLOR_BTNFACE));
    const COLORREF oldText = pDC->SetTextColor(GetManagedColor(COLOR_BTNHIGHLIGHT));
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SelectObject(oldBrush);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
}

void CXTButtonTheme::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    const BOOL checked = pButton->GetChecked();
    const BOOL selected = (nState & ODS_SELECTED) != 0;
    const BOOL pressed = checked || selected;
    const DWORD style = pButton->GetXButtonStyle();
    pDC->FillSolidRect(&rcItem, m_clrFace);

    if (style & BS_XT_HILITEPRESSED) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CRect window;
        pButton->GetWindowRect(&window);
        const BOOL outside = !window.PtInRect(cursor);
        if ((selected && !checked) || (checked && outside) || (checked && selected))
            DrawDither(pDC, rcItem);
    }

    CRect rc = rcItem;
    if (style & BS_XT_FLAT) {
        if (pressed)
            pDC->Draw3dRect(&rc, m_clrShadow, m_clrHighlight);
        else if (pButton->IsHot())
            pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
    } else if (style & BS_XT_SEMIFLAT) {
        if (pressed)
            pDC->Draw3dRect(&rc, m_clrShadow, m_clrHighlight);
        else
            pDC->Draw3dRect(&rc, m_clrHighlight, m_clrShadow);
    } else if (pressed) {
        pDC->Draw3dRect(&rc, m_clrDarkShadow, m_clrHighlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, m_clrShadow, m_clrLight);
    } else {
        pDC->Draw3dRect(&rc, m_clrHighlight, m_clrDarkShadow);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, m_clrLight, m_clrShadow);
    }
}

void CXTButtonTheme::DrawFocusRect(CDC* pDC, const CRect& rcItem, CXTButton* pButton)
{
    const COLORREF old = pDC->SetTextColor(m_clrText);
    CRect rc = rcItem;
    const int inset = IsVisualStyle(pButton) ? 4 : 2;
    rc.DeflateRect(inset, inset);
    pDC->DrawFocusRect(&rc);
    pDC->SetTextColor(old);
}

CXTButtonThemeXP::CXTButtonThemeXP()
{
    m_bOffsetHiliteText = FALSE;
    RefreshMetrics();
}

void CXTButtonThemeXP::SetBackgroundSwitch(BOOL bBackground)
{
    m_bBackground = bBackground;
    RefreshMetrics();
}

void CXTButtonThemeXP::RefreshMetrics()
{
    CXTButtonTheme::RefreshMetrics();
    m_clrFace.SetStandardValue(GetManagedColor(m_bBackground ? 30 : COLOR_BTNFACE));
    m_clrPushedFill.SetStandardValue(GetManagedColor(33));
    m_clrHotFill.SetStandardValue(GetManagedColor(31));
    m_clrShadow.SetStandardValue(GetManagedColor(COLOR_BTNSHADOW));
    m_clrLight.SetStandardValue(GetManagedColor(32));
    m_clrText.SetStandardValue(GetManagedColor(46));
    m_clrHotText.SetStandardValue(GetManagedColor(45));
    m_clrPushedText.SetStandardValue(GetManagedColor(47));
    m_clrCheckedFill.SetStandardValue(GetManagedColor(36));
}

COLORREF CXTButtonThemeXP::GetTextColor(UINT nState, CXTButton* pButton)
{
    if (nState & ODS_DISABLED)
        return GetManagedColor(COLOR_GRAYTEXT);
    if (pButton->IsHot())
        return m_clrHotText;
    if (nState & ODS_SELECTED)
        return m_clrPushedText;
    return m_clrText;
}

void CXTButtonThemeXP::DrawButtonImage(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    CXTPImageManagerIcon* icon = pButton->GetIcon();
    if (!GetShowImage() || !icon)
        return;
    CPoint pt = CalcImagePosition(pDC, nState, rcItem, pButton);
    const CSize size = pButton->m_sizeImage;
    if (nState & ODS_DISABLED) {
        icon->Draw(pDC, pt, icon->GetDisabledIcon(), size);
    } else if (pButton->IsHot()) {
        if (m_bIconShadow) {
            icon->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), icon->GetShadowIcon(), size);
            icon->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), icon->GetHotIcon(), size);
        } else {
            icon->Draw(pDC, pt, icon->GetHotIcon(), size);
        }
    } else if (nState & ODS_SELECTED) {
        icon->Draw(pDC, pt, icon->GetHotIcon(), size);
    } else {
        icon->Draw(pDC, pt, m_bFadedIcon ? icon->GetFadedIcon() : icon->GetIcon(), size);
    }
}

void CXTButtonThemeXP::DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    const BOOL hot = pButton->IsHot();
    const BOOL selected = (nState & ODS_SELECTED) != 0;
    const BOOL checked = pButton->GetChecked();
    if (!selected && !checked) {
        if (hot) {
            pDC->FillSolidRect(&rcItem, m_clrHotFill);
            pDC->Draw3dRect(&rcItem, m_clrLight, m_clrLight);
        } else {
            pDC->FillSolidRect(&rcItem, m_clrFace);
            if (m_bBackground)
                pDC->Draw3dRect(&rcItem, m_clrShadow, m_clrShadow);
        }
        return;
    }
    const COLORREF fill = selected || hot ? (COLORREF)m_clrPushedFill : (COLORREF)m_clrCheckedFill;
    pDC->FillSolidRect(&rcItem, fill);
    pDC->Draw3dRect(&rcItem, m_clrLight, m_clrLight);
}

void CXTButtonThemeXP::DrawFocusRect(CDC* pDC, const CRect& rcItem, CXTButton* pButton)
{
    if (m_bBackground && !pButton->IsHot() && !IsVisualStyle(pButton)) {
        const COLORREF highlight = GetManagedColor(COLOR_HIGHLIGHT);
        CRect rc = rcItem;
        pDC->Draw3dRect(&rc, highlight, highlight);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(&rc, highlight, highlight);
        return;
    }
    CXTButtonTheme::DrawFocusRect(pDC, rcItem, pButton);
}

CXTButtonThemeLuna::CXTButtonThemeLuna()
{
    m_bFadedIcon = FALSE;
    m_bIconShadow = FALSE;
    RefreshMetrics();
}

void CXTButtonThemeLuna::RefreshMetrics()
{
    CXTButtonThemeXP::RefreshMetrics();
    m_clrFace.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
    // Face, shadow and light of the blue, olive and silver schemes. Silver's light is the
    // colour manager's dark silver.
    static const COLORREF schemes[3][3] = {
        {0xF0C7A9, 0xB99D7F, 0x800000},
        {0x9FD4C5, 0x7FB9A4, 0x385D3F},
        {0xD3C0C0, 0xB2ACA5, 0x6F4B4B},
    };
    const int scheme = GetColorManager()->GetCurrentSystemTheme();
    if (scheme >= 1 && scheme <= 3) {
        m_clrHotFill.SetStandardValue(0xC2EEFF);
        m_clrPushedFill.SetStandardValue(0x3E80FE);
        m_clrCheckedFill.SetStandardValue(0x6FC0FF);
        m_clrText.SetStandardValue(0);
        m_clrHotText.SetStandardValue(0);
        m_clrPushedText.SetStandardValue(0);
        m_clrFace.SetStandardValue(schemes[scheme - 1][0]);
        m_clrShadow.SetStandardValue(schemes[scheme - 1][1]);
        m_clrLight.SetStandardValue(schemes[scheme - 1][2]);
    }
    if (!m_bBackground)
        m_clrFace.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
}
