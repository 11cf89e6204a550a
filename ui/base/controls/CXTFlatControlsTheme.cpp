// Flat combo and edit frames of the three looks.
#include "CXTFlatControlsTheme.h"

#include "CComboBox.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CXTPColorManager.h"
#include "CWnd.h"

IMPLEMENT_DYNCREATE(CXTFlatControlsThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CXTFlatControlsThemeFactory::CreateTheme(int nTheme)
{
    CXTFlatControlsTheme* theme = nTheme == 1   ? new CXTFlatControlsThemeXP
                                  : nTheme == 2 ? new CXTFlatControlsThemeLuna
                                                : new CXTFlatControlsTheme;
    theme->m_nThemeId = nTheme == 1 || nTheme == 2 ? nTheme : 0;
    return theme;
}

BOOL XTCursorInWindow(CWnd* pWnd)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    pWnd->GetWindowRect(&window);
    return window.PtInRect(cursor);
}

BOOL XTFlatHoverTick(CWnd* pWnd, UINT_PTR nTimer, BOOL bButtonDown, BOOL bKeepRaised, BOOL& bRaisedDrawn)
{
    const BOOL inside = !bButtonDown && XTCursorInWindow(pWnd);
    if (inside || (!bButtonDown && bKeepRaised)) {
        if (!inside || bRaisedDrawn)
            return FALSE;
        bRaisedDrawn = TRUE;
        return TRUE;
    }
    pWnd->KillTimer(nTimer);
    if (!bRaisedDrawn)
        return FALSE;
    bRaisedDrawn = FALSE;
    return TRUE;
}

XTFlatMouseStep XTFlatMouseMessage(CWnd* pWnd, UINT_PTR nTimer, BOOL bFlat, BOOL& bButtonDown, UINT message,
                                   WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETCURSOR:
        if (bFlat && HIWORD(lParam) == WM_MOUSEMOVE) {
            if (XTCursorInWindow(pWnd)) {
                pWnd->SetTimer(nTimer, 10);
                return XTFlatMouseStep::HoverTick;
            }
            pWnd->KillTimer(nTimer);
        }
        break;
    case WM_TIMER:
        if (wParam == nTimer)
            return XTFlatMouseStep::TimerTick;
        break;
    case WM_LBUTTONDOWN:
        bButtonDown = TRUE;
        break;
    case WM_LBUTTONUP:
        bButtonDown = FALSE;
        if (bFlat)
            return XTFlatMouseStep::Released;
        break;
    }
    return XTFlatMouseStep::None;
}

CXTFlatControlsTheme::CXTFlatControlsTheme()
{
    GetColorManager()->RefreshColors(TRUE);
}

CRect CXTFlatControlsTheme::ButtonRect(const CRect& rcClient, int nExtra)
{
    CRect rc = rcClient;
    rc.left = rc.right - ::GetSystemMetrics(SM_CXHTHUMB) - nExtra;
    return rc;
}

CRect CXTFlatControlsTheme::EditClientRect(CWnd* pEdit)
{
    CRect window, client;
    pEdit->GetWindowRect(&window);
    pEdit->GetClientRect(&client);
    pEdit->ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    return client;
}

void CXTFlatControlsTheme::DrawFlatEdit(CDC* pDC, CWnd* pEdit, int nState)
{
    const BOOL enabled = pEdit->IsWindowEnabled();
    const COLORREF face = GetManagedColor(COLOR_BTNFACE);
    CRect rc = EditClientRect(pEdit);
    rc.InflateRect(1, 1);
    const COLORREF inner = enabled ? face : GetManagedColor(COLOR_WINDOW);
    pDC->Draw3dRect(&rc, inner, inner);
    rc.InflateRect(1, 1);
    if (nState != XT_FLAT_NORMAL)
        pDC->Draw3dRect(&rc, GetManagedColor(COLOR_BTNSHADOW), GetManagedColor(COLOR_3DHIGHLIGHT));
    else
        pDC->Draw3dRect(&rc, face, face);
}

void CXTFlatControlsTheme::DrawFlatComboBox(CDC* pDC, CComboBox* pCombo, int nState)
{
    const BOOL enabled = pCombo->IsWindowEnabled();
    const COLORREF face = GetManagedColor(COLOR_BTNFACE);
    const COLORREF shadow = GetManagedColor(COLOR_BTNSHADOW);
    const COLORREF light = GetManagedColor(COLOR_BTNHIGHLIGHT);
    CRect rc;
    pCombo->GetClientRect(&rc);
    if (nState == XT_FLAT_NORMAL)
        pDC->Draw3dRect(&rc, face, face);
    else
        pDC->Draw3dRect(&rc, shadow, light);
    rc.DeflateRect(1, 1);
    const COLORREF second = enabled ? face : light;
    pDC->Draw3dRect(&rc, second, second);

    CRect button = ButtonRect(rc, 0);
    pDC->Draw3dRect(&button, face, face);
    button.DeflateRect(1, 1);
    pDC->Draw3dRect(&button, face, face);
    if (!enabled)
        return;
    if (nState == XT_FLAT_NORMAL) {
        pDC->Draw3dRect(&button, light, light);
    } else if (nState == XT_FLAT_RAISED) {
        pDC->Draw3dRect(&button, light, shadow);
    } else {
        button.OffsetRect(1, 1);
        pDC->Draw3dRect(&button, shadow, light);
    }
}

CXTFlatControlsThemeXP::CXTFlatControlsThemeXP()
{
    RefreshMetrics();
}

void CXTFlatControlsThemeXP::RefreshMetrics()
{
    GetColorManager()->RefreshColors(TRUE);
    m_clrBorder.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
    m_clrHotBorder.SetStandardValue(GetManagedColor(32));
    m_clrFace.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
    m_clrInner.SetStandardValue(GetManagedColor(COLOR_WINDOW));
    m_clrHotFill.SetStandardValue(GetManagedColor(31));
    m_clrPushedFill.SetStandardValue(GetManagedColor(33));
    m_clrArrow.SetStandardValue(GetManagedColor(45));
    m_clrPushedArrow.SetStandardValue(GetManagedColor(47));
}

void CXTFlatControlsThemeXP::DrawFlatEdit(CDC* pDC, CWnd* pEdit, int nState)
{
    CRect rc = EditClientRect(pEdit);
    rc.InflateRect(1, 1);
    pDC->Draw3dRect(&rc, m_clrInner, m_clrInner);
    rc.InflateRect(1, 1);
    const COLORREF border = nState != XT_FLAT_NORMAL ? (COLORREF)m_clrHotBorder : (COLORREF)m_clrBorder;
    pDC->Draw3dRect(&rc, border, border);
}

// A 5 x 3 down arrow: rows of 5, 3 and 1 pixels.
void CXTFlatControlsThemeXP::DrawArrow(CDC* pDC, const CRect& rcButton, COLORREF clr)
{
    const int x = rcButton.left + (rcButton.Width() - 5) / 2;
    const int y = rcButton.top + (rcButton.Height() - 3) / 2;
    for (int row = 0; row < 3; ++row)
        pDC->FillSolidRect(x + row, y + row, 5 - 2 * row, 1, clr);
}

void CXTFlatControlsThemeXP::DrawFlatComboBox(CDC* pDC, CComboBox* pCombo, int nState)
{
    if (pCombo->GetDroppedState())
        nState = XT_FLAT_PRESSED;
    CRect rc;
    pCombo->GetClientRect(&rc);
    const COLORREF border = nState != XT_FLAT_NORMAL ? (COLORREF)m_clrHotBorder : (COLORREF)m_clrBorder;
    pDC->Draw3dRect(&rc, border, border);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(&rc, m_clrFace, m_clrFace);

    CRect button = ButtonRect(rc, 1);
    const COLORREF fill = nState == XT_FLAT_PRESSED  ? (COLORREF)m_clrPushedFill
                          : nState == XT_FLAT_RAISED ? (COLORREF)m_clrHotFill
                                                     : (COLORREF)m_clrFace;
    pDC->FillSolidRect(&button, fill);
    pDC->Draw3dRect(&button, border, border);
    if (pCombo->IsWindowEnabled())
        DrawArrow(pDC, button, nState == XT_FLAT_PRESSED ? m_clrPushedArrow : m_clrArrow);
    else
        DrawArrow(pDC, button, GetManagedColor(COLOR_GRAYTEXT));
}

CXTFlatControlsThemeLuna::CXTFlatControlsThemeLuna()
{
    RefreshMetrics();
}

void CXTFlatControlsThemeLuna::RefreshMetrics()
{
    CXTFlatControlsThemeXP::RefreshMetrics();
    m_clrHotFill.SetStandardValue(0xC2EEFF);
    m_clrPushedFill.SetStandardValue(0x3E80FE);
    m_clrArrow.SetStandardValue(0);
    m_clrPushedArrow.SetStandardValue(0);
    // Border, shadow and face of the blue, olive and silver schemes; the resting border is the shadow.
    static const COLORREF schemes[3][3] = {
        {0x800000, 0xB99D7F, 0xF0C7A9},
        {0x385D3F, 0x7FB9A4, 0x9FD4C5},
        {0x6F4B4B, 0xB2ACA5, 0xD3C0C0},
    };
    const int scheme = GetColorManager()->GetCurrentSystemTheme();
    if (scheme >= 1 && scheme <= 3) {
        m_clrHotBorder.SetStandardValue(schemes[scheme - 1][0]);
        m_clrBorder.SetStandardValue(schemes[scheme - 1][1]);
        m_clrFace.SetStandardValue(schemes[scheme - 1][2]);
    } else {
        m_clrBorder.SetStandardValue(GetManagedColor(COLOR_BTNSHADOW));
    }
}
