// Drawing of the flat tab strip's tabs, buttons and gripper.
#include "CXTFlatTabCtrlTheme.h"

#include "CDC.h"
#include "CGdiObject.h"
#include "CXTPColorManager.h"

IMPLEMENT_DYNCREATE(CXTFlatTabCtrlThemeFactory, CXTThemeManagerStyleFactory)

CXTThemeManagerStyle* CXTFlatTabCtrlThemeFactory::CreateTheme(int /*nTheme*/)
{
    return new CXTFlatTabCtrlTheme;
}

CXTFlatTabCtrlTheme::CXTFlatTabCtrlTheme()
{
    RefreshMetrics();
}

void CXTFlatTabCtrlTheme::RefreshMetrics()
{
    GetColorManager()->RefreshColors(TRUE);
    m_clr3DShadow.SetStandardValue(GetManagedColor(COLOR_BTNSHADOW));
    m_clrBtnText.SetStandardValue(GetManagedColor(COLOR_BTNTEXT));
    m_clr3DHilight.SetStandardValue(GetManagedColor(COLOR_BTNHIGHLIGHT));
    m_clrWindow.SetStandardValue(GetManagedColor(COLOR_WINDOW));
    m_clr3DFace.SetStandardValue(GetManagedColor(COLOR_BTNFACE));
    m_clrWindowText.SetStandardValue(GetManagedColor(COLOR_WINDOWTEXT));
    m_cxButton = ::GetSystemMetrics(SM_CXHSCROLL) - 1;
    m_cyStrip = ::GetSystemMetrics(SM_CYHSCROLL);
}

void CXTFlatTabCtrlTheme::DrawTab(CDC* pDC, const CRect& rect, const char* lpszText, CFont* pFont, BOOL bSelected,
                                  BOOL bTop)
{
    const int slant = rect.Height() / 2;
    const int wide = bTop ? rect.bottom - 1 : rect.top;   // the panel side
    const int narrow = bTop ? rect.top : rect.bottom - 1;
    POINT points[4] = {{rect.left, wide}, {rect.right - 1, wide}, {rect.right - 1 - slant, narrow},
                       {rect.left + slant, narrow}};
    CBrush brush;
    brush.CreateSolidBrush(bSelected ? (COLORREF)m_clrWindow : (COLORREF)m_clr3DFace);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, m_clrWindowText);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    ::Polygon(pDC->GetSafeHdc(), points, 4);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
    if (bSelected)  // the selected tab opens into the panel
        pDC->FillSolidRect(rect.left + 1, wide, rect.Width() - 2, 1, m_clrWindow);

    CFont* oldFont = pFont ? pDC->SelectObject(pFont) : nullptr;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(m_clrBtnText);
    CRect text = rect;
    pDC->DrawText(lpszText, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    if (oldFont)
        pDC->SelectObject(oldFont);
}

void CXTFlatTabCtrlTheme::DrawButton(CDC* pDC, const CRect& rect, int nDirection, BOOL bBar, BOOL bPressed,
                                     BOOL bEnabled)
{
    pDC->FillSolidRect(&rect, m_clr3DFace);
    if (bPressed)
        pDC->Draw3dRect(&rect, m_clr3DShadow, m_clr3DHilight);
    else
        pDC->Draw3dRect(&rect, m_clr3DHilight, m_clr3DShadow);
    const COLORREF clr = bEnabled ? (COLORREF)m_clrBtnText : (COLORREF)m_clr3DShadow;
    // Vertical lines from the longest to the one-pixel point, each 2 pixels shorter.
    const int lines = 4;
    const int cy = rect.top + rect.Height() / 2;
    const int cx = rect.left + rect.Width() / 2;
    const int tipX = nDirection < 0 ? cx - 2 : cx + 1;
    for (int i = 0; i < lines; ++i)
        pDC->FillSolidRect(tipX - nDirection * i, cy - i, 1, 2 * i + 1, clr);
    if (bBar)
        pDC->FillSolidRect(tipX + nDirection * 2, cy - (lines - 1), 1, 2 * lines - 1, clr);
}

void CXTFlatTabCtrlTheme::DrawGripper(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, m_clr3DFace);
    pDC->Draw3dRect(&rect, m_clr3DHilight, m_clr3DShadow);
}
