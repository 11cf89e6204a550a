// The docking painter's base: colours, caption font and heights, caption buttons, the
// container background, the theme factory; and the default theme.
#include "CXTPDockingPanePaintManager.h"

#include <algorithm>
#include <cstring>

#include "CXTPColorManager.h"
#include "CXTPDockingPaneFlatTheme.h"
#include "CXTPDockingPaneGradientTheme.h"
#include "CXTPDockingPaneNativeTheme.h"
#include "CXTPDockingPaneShadedTheme.h"
#include "CXTPEmptyRect.h"
#include "CXTPFontDC.h"
#include "CXTPTabManager.h"
#include "CXTSystemData.h"
#include "CXTPTabPaintManager.h"

CXTPDockingPanePaintManager::CXTPDockingPanePaintManager()
{
    m_pTabPaintManager = new CXTPTabPaintManager();
    m_pTabPaintManager->SetLayout(xtpTabLayoutSizeToFit);
    m_pTabPaintManager->SetPosition(xtpTabPositionBottom);
    m_pTabPaintManager->m_nFrameStyle = xtpTabFrameSingleLine;

    // The auto-hide panel paints its own background.
    m_pPanelPaintManager = new CXTPTabPaintManager();
    m_pPanelPaintManager->SetLayout(xtpTabLayoutCompressed);
    m_pPanelPaintManager->m_nFrameStyle = xtpTabFrameNone;
    m_pPanelPaintManager->m_bInvertGradient = TRUE;
    m_pPanelPaintManager->m_bFillBackground = FALSE;

    RefreshBaseMetrics();
}

CXTPDockingPanePaintManager::~CXTPDockingPanePaintManager()
{
    m_pTabPaintManager->InternalRelease();
    m_pPanelPaintManager->InternalRelease();
}

CXTPDockingPanePaintManager* CXTPDockingPanePaintManager::CreateTheme(int nTheme)
{
    CXTPDockingPanePaintManager* pTheme;
    switch (nTheme) {
    case xtpPaneThemeFlat: pTheme = new CXTPDockingPaneFlatTheme(); break;
    case xtpPaneThemeGrippered: pTheme = new CXTPDockingPaneGripperedTheme(); break;
    case xtpPaneThemeLined: pTheme = new CXTPDockingPaneLinedTheme(); break;
    case xtpPaneThemeGradient: pTheme = new CXTPDockingPaneGradientTheme(); break;
    case xtpPaneThemeNative: pTheme = new CXTPDockingPaneNativeTheme(); break;
    case xtpPaneThemeShaded: pTheme = new CXTPDockingPaneShadedTheme(); break;
    case xtpPaneThemeBoldGradient: pTheme = new CXTPDockingPaneBoldGradientTheme(); break;
    case xtpPaneThemeToolbar: pTheme = new CXTPDockingPaneToolbarTheme(); break;
    default: pTheme = new CXTPDockingPaneDefaultTheme(); break;
    }
    pTheme->m_nTheme = nTheme;
    return pTheme;
}

COLORREF CXTPDockingPanePaintManager::GetColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < 58 ? m_arrColor[nIndex] : static_cast<COLORREF>(nIndex);
}

void CXTPDockingPanePaintManager::SetColors(int nCount, const int* pIndexes, const COLORREF* pValues)
{
    for (int i = 0; i < nCount; ++i) {
        if (pIndexes[i] >= 0 && pIndexes[i] < 58)
            m_arrColor[pIndexes[i]] = pValues[i];
    }
}

int CXTPDockingPanePaintManager::GetCurrentSystemTheme() const
{
    if (m_nSchemeMode == 5)
        return GetColorManager()->IsLunaColorsDisabled() ? 0 : GetColorManager()->GetCurrentSystemTheme();
    if (m_nSchemeMode == 4)
        return CXTPColorManager::GetWinThemeColorScheme();
    return m_nSchemeMode;
}

void CXTPDockingPanePaintManager::SetCaptionFont(const LOGFONTA* pLogFont, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    m_fntTitle.DeleteObject();
    m_fntTitle.CreateFontIndirect(pLogFont);
    HWND hDesktop = ::GetDesktopWindow();
    HDC hdc = ::GetDC(hDesktop);
    HGDIOBJ hOld = ::SelectObject(hdc, m_fntTitle);
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(hDesktop, hdc);
    m_nTitleHeight = m_nTextMargin + std::max(13, static_cast<int>(size.cy));
}

void CXTPDockingPanePaintManager::RefreshBaseMetrics()
{
    GetColorManager()->RefreshColors(FALSE);
    for (int i = 0; i < 58; ++i)
        m_arrColor[i] = GetManagedColor(i);
    if (m_bUseSystemFont) {
        // The structure as it was before Vista's padded border: 340 bytes.
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = 340;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0)) {
            LOGFONTA lf = ncm.lfSmCaptionFont;
            CXTSystemData::FitCharSet(lf);
            if (!m_bBoldCaption)
                lf.lfWeight = FW_NORMAL;
            SetCaptionFont(&lf, TRUE);
        }
    }
    m_pTabPaintManager->RefreshMetrics();
    m_pPanelPaintManager->RefreshMetrics();

    HDC hdc = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, *m_pTabPaintManager->GetFont(FALSE, FALSE));
    SIZE size = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &size);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(nullptr, hdc);
    m_nTabsHeight = std::max(24, static_cast<int>(size.cy) + 10);
}

void CXTPDockingPanePaintManager::RefreshMetrics()
{
    RefreshBaseMetrics();
}

BOOL CXTPDockingPanePaintManager::IsCaptionHighlighted(CXTPDockingPaneCaptionHost* pPane) const
{
    return m_bHighlightActiveCaption && pPane->IsCaptionActive();
}

void CXTPDockingPanePaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor) const
{
    CXTPPenDC pen(*pDC, GetColor(nColor));
    pDC->MoveTo(x0, y0);
    pDC->LineTo(x1, y1);
}

void CXTPDockingPanePaintManager::Pixel(CDC* pDC, int x, int y, int nColor) const
{
    pDC->SetPixel(x, y, GetColor(nColor));
}

void CXTPDockingPanePaintManager::Rectangle(CDC* pDC, const CRect& rc, int nFill, int nFrame) const
{
    pDC->FillSolidRect(rc, GetColor(nFill));
    pDC->Draw3dRect(rc, GetColor(nFrame), GetColor(nFrame));
}

void CXTPDockingPanePaintManager::DrawTitle(CDC* pDC, const CString& strTitle, CRect rc, COLORREF clrText)
{
    if (strTitle.IsEmpty() || rc.right <= rc.left)
        return;
    CXTPFontDC font(pDC, &m_fntTitle);
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(strTitle, rc, XTP_CAPTION_TEXT_FORMAT);
}

int CXTPDockingPanePaintManager::GetTitleRight(CDC* pDC, const CString& strTitle, const CRect& rcTitle)
{
    CXTPFontDC font(pDC, &m_fntTitle);
    CRect rcText = rcTitle;
    pDC->DrawText(strTitle, rcText, XTP_CAPTION_MEASURE_FORMAT);
    return std::min(rcText.right, rcTitle.right);
}

void CXTPDockingPanePaintManager::DrawPane(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
    if (pPane->IsCaptionVisible() && m_bShowCaption) {
        pDC->SetBkMode(TRANSPARENT);
        DrawCaption(pDC, pPane, rc);
    }
    AdjustCaptionRect(pPane, rc);
    if (pPane->IsTabsVisible() && pPane->GetTabManager())
        m_pTabPaintManager->DrawTabControl(pPane->GetTabManager(), pDC, rc);
}

void CXTPDockingPanePaintManager::AdjustCaptionRect(CXTPDockingPaneCaptionHost* pPane, CRect& rc)
{
    if (pPane->IsCaptionVisible() && m_bShowCaption)
        rc.top += m_nTitleHeight + m_rcCaptionMargin.top + m_rcCaptionMargin.bottom;
}

void CXTPDockingPanePaintManager::AdjustClientRect(CXTPDockingPaneCaptionHost* pPane, CRect& rc, BOOL bApply)
{
    AdjustCaptionRect(pPane, rc);
    CXTPTabManager* pTabManager = pPane->GetTabManager();
    if (!pPane->IsTabsVisible() || !pTabManager)
        return;
    if (bApply) {
        HWND hWnd = pPane->GetCaptionWindow();
        HDC hdc = ::GetDC(hWnd);
        m_pTabPaintManager->RepositionTabControl(pTabManager, CDC::FromHandle(hdc), rc);
        ::ReleaseDC(hWnd, hdc);
    }
    m_pTabPaintManager->AdjustClientRect(pTabManager, rc);
}

void CXTPDockingPanePaintManager::DrawCaptionButtons(CDC* pDC, std::vector<CXTPDockingPaneCaptionButton*>& buttons,
                                                     CRect& rc, COLORREF clrGlyph, int nSize, int nGap)
{
    const int nTop = (rc.top + rc.bottom) / 2 - nSize / 2;
    int x = rc.right;
    for (CXTPDockingPaneCaptionButton* pButton : buttons) {
        if (!pButton->IsVisible()) {
            pButton->SetRect(CRect());
            continue;
        }
        pButton->SetRect(CRect(x - nSize, nTop, x, nTop + nSize));
        DrawCaptionButton(pDC, pButton, clrGlyph);
        x -= nSize + nGap;
    }
    rc.right = x;
}

int CXTPDockingPanePaintManager::GetPinPoints(const CRect& rc, DWORD dwState, BOOL bPressed, POINT* p)
{
    const int d = bPressed ? 1 : 0;
    if (dwState & xtpPaneStateAutoHidden) {
        const int X = rc.left - 1 + d, Y = (rc.top + rc.bottom) / 2 - 1 + d;
        const POINT lying[11] = {{X, Y},         {X + 2, Y},     {X + 2, Y - 3}, {X + 4, Y - 1},
                                 {X + 5, Y - 2}, {X + 6, Y - 2}, {X + 6, Y + 2}, {X + 5, Y + 2},
                                 {X + 4, Y + 1}, {X + 2, Y + 3}, {X + 2, Y}};
        std::copy(lying, lying + 11, p);
        return 11;
    }
    const int X = (rc.left + rc.right) / 2 - 1 + d, Y = rc.bottom - 1 + d;
    const POINT upright[13] = {{X, Y},         {X, Y - 2},     {X - 3, Y - 2}, {X - 3, Y - 3}, {X - 1, Y - 6},
                               {X - 2, Y - 7}, {X - 2, Y - 8}, {X + 2, Y - 8}, {X + 2, Y - 7}, {X + 1, Y - 6},
                               {X + 3, Y - 3}, {X + 3, Y - 2}, {X, Y - 2}};
    std::copy(upright, upright + 13, p);
    return 13;
}

void CXTPDockingPanePaintManager::DrawGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CRect rc,
                                            COLORREF clrGlyph)
{
    CXTPPenDC pen(*pDC, clrGlyph);
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE) {
        const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
        const int lines[4][4] = {{-4, -3, 3, 4}, {-4, 3, 3, -4}, {-3, -3, 4, 4}, {-3, 3, 4, -4}};
        for (const auto& l : lines) {
            pDC->MoveTo(cx + l[0], cy + l[1]);
            pDC->LineTo(cx + l[2], cy + l[3]);
        }
        return;
    }
    // Every theme's pin is the default theme's; the pressed shift is already in rc.
    POINT points[13];
    const int nCount = GetPinPoints(rc, pButton->GetState(), FALSE, points);
    pDC->Polyline(points, nCount);
}

void CXTPDockingPanePaintManager::DrawSplitter(CDC* pDC, HWND hWndSplitter)
{
    pDC->FillSolidRect(CXTPClientRect(hWndSplitter), GetColor(51));
}

// ---- Default theme ----------------------------------------------------------------------

CXTPDockingPaneDefaultTheme::CXTPDockingPaneDefaultTheme() = default;

void CXTPDockingPaneDefaultTheme::DrawCaptionBar(CDC* pDC, CXTPDockingPaneCaptionHost* pHost, const CRect& rcCaption)
{
    const BOOL bActive = IsCaptionHighlighted(pHost);
    pDC->FillSolidRect(rcCaption, GetColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    CRect rcButtons = rcCaption;
    rcButtons.right -= 2;
    DrawCaptionButtons(pDC, pHost->GetCaptionButtons(), rcButtons, GetColor(COLOR_BTNTEXT), 12, 2);
    DrawTitle(pDC, pHost->GetCaptionTitle(), CRect(rcCaption.left + 4, rcCaption.top + 1, rcButtons.right, rcCaption.bottom),
              GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
}

void CXTPDockingPaneDefaultTheme::DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    const CRect rcCaption(rc.left, rc.top + 2, rc.right, rc.top + m_nTitleHeight + 1);
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rcCaption.bottom + 2), GetColor(COLOR_BTNFACE));
    DrawCaptionBar(pDC, pPane, rcCaption);
}

void CXTPDockingPaneDefaultTheme::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                    COLORREF clrGlyph)
{
    CRect rc = pButton->GetRect();
    const UINT nPushed = pButton->IsPressed() ? DFCS_PUSHED : 0;
    if (pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE) {
        pDC->DrawFrameControl(rc, DFC_CAPTION, DFCS_CAPTIONCLOSE | nPushed);
        return;
    }
    CRect rcFace = rc;
    pDC->DrawFrameControl(rcFace, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | nPushed);
    POINT points[13];
    const int nCount = GetPinPoints(rc, pButton->GetState(), pButton->IsPressed(), points);
    CXTPPenDC pen(*pDC, clrGlyph);
    pDC->Polyline(points, nCount);
}

void CXTPDockingPaneDefaultTheme::DrawFrameRings(CDC* pDC, CRect& rc, COLORREF clrOuter)
{
    pDC->Draw3dRect(rc, clrOuter, 0);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, clrOuter, clrOuter);
}

void CXTPDockingPaneDefaultTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc)
{
    DrawFrameRings(pDC, rc, GetColor(COLOR_BTNFACE));
    CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 3);
    pDC->FillSolidRect(rcBand, GetColor(COLOR_BTNFACE));
    rcBand.DeflateRect(1, 2, 1, 2);
    DrawCaptionBar(pDC, pFrame, rcBand);
}
