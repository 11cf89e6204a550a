// The tab colour sets: base values, the five numbered sets and the shaded docking set.
#include "CXTPTabColorSet.h"

#include <algorithm>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPEmptyRect.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"

namespace {

const COLORREF clrNone = static_cast<COLORREF>(-1);

// Visual-style parts and states used here.
enum { TABP_TABITEM = 1, TABP_PANE = 9, TP_BUTTON = 1 };

void SetStandard(CXTPPaintManagerColor& clr, COLORREF value)
{
    clr.SetStandardValue(value);
}

void SetStandardIndex(CXTPPaintManagerColor& clr, int nIndex)
{
    clr.SetStandardValue(GetManagedColor(nIndex));
}

void SetGradientIndex(CXTPPaintManagerColorGradient& grc, int nLight, int nDark)
{
    grc.SetStandardValue(GetManagedColor(nLight), GetManagedColor(nDark));
}

void CopyGradient(CXTPPaintManagerColorGradient& to, const CXTPPaintManagerColorGradient& from)
{
    to.SetStandardValue(from.clrLight.GetStandardColor(), from.clrDark.GetStandardColor());
}

void Frame(CDC* pDC, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    pDC->Draw3dRect(rc, clrTopLeft, clrBottomRight);
}

}  // namespace

CXTPTabColorSet::CXTPTabColorSet()
{
    // Every entry starts unset; RefreshMetrics writes the standard values.
    CXTPPaintManagerColor* entries[] = {
        &m_clrHeaderFace.clrLight, &m_clrHeaderFace.clrDark, &m_clrAutoHideFace.clrLight, &m_clrAutoHideFace.clrDark,
        &m_clrFrameBorder, &m_clrControlFace, &m_clrBorderHighlight, &m_clrSelectedFace, &m_clrNormalFace,
        &m_clrNormalText, &m_clrInActiveText, &m_clrSelectedText, &m_clrHighlightText, &m_clrDisabledText,
        &m_clrButtonSelected.clrLight, &m_clrButtonSelected.clrDark, &m_clrButtonBorder.clrLight,
        &m_clrButtonBorder.clrDark, &m_clr3DHighlight, &m_clr3DShadow, &m_clr3DDarkShadow, &m_clrNormalOutline,
        &m_clrSelectedOutline, &m_clrInnerLine1, &m_clrInnerLine2};
    for (CXTPPaintManagerColor* pEntry : entries)
        pEntry->SetStandardValue(clrNone);
    for (int i = 0; i < 6; ++i) {
        m_clrSelectedEdges[i].SetStandardValue(clrNone);
        m_clrNormalEdges[i].SetStandardValue(clrNone);
    }
}

int CXTPTabColorSet::GetAppearance() const
{
    return m_pPaintManager ? m_pPaintManager->GetAppearance() : 0;
}

int CXTPTabColorSet::GetPosition() const
{
    return m_pPaintManager ? m_pPaintManager->GetPosition() : xtpTabPositionTop;
}

void CXTPTabColorSet::RefreshMetrics()
{
    GetColorManager()->RefreshColors(FALSE);

    SetGradientIndex(m_clrHeaderFace, COLOR_BTNFACE, COLOR_BTNFACE);
    SetStandardIndex(m_clrFrameBorder, COLOR_BTNSHADOW);
    SetStandardIndex(m_clrControlFace, COLOR_BTNFACE);
    SetStandardIndex(m_clrBorderHighlight, COLOR_BTNHIGHLIGHT);
    SetStandardIndex(m_clrSelectedFace, GetAppearance() == xtpTabAppearanceTrapezoid ? COLOR_WINDOW : COLOR_BTNFACE);
    SetStandardIndex(m_clrNormalFace, COLOR_BTNFACE);
    SetStandardIndex(m_clrNormalText, COLOR_BTNTEXT);
    SetStandardIndex(m_clrInActiveText, COLOR_BTNTEXT);
    SetStandardIndex(m_clrSelectedText, COLOR_BTNTEXT);
    SetStandard(m_clrHighlightText, 0x800000);
    SetStandardIndex(m_clrDisabledText, COLOR_GRAYTEXT);
    SetGradientIndex(m_clrButtonSelected, COLOR_WINDOW, COLOR_WINDOW);
    SetGradientIndex(m_clrButtonBorder, COLOR_HIGHLIGHT, COLOR_HIGHLIGHT);
    SetStandardIndex(m_clr3DHighlight, COLOR_BTNHIGHLIGHT);
    SetStandardIndex(m_clr3DShadow, COLOR_BTNSHADOW);
    SetStandardIndex(m_clr3DDarkShadow, COLOR_3DDKSHADOW);
    SetStandardIndex(m_clrNormalOutline, COLOR_BTNSHADOW);
    SetStandardIndex(m_clrSelectedOutline, COLOR_BTNSHADOW);
    SetStandardIndex(m_clrInnerLine1, COLOR_BTNFACE);
    SetStandardIndex(m_clrInnerLine2, COLOR_BTNFACE);
    SetStandardIndex(m_clrSelectedEdges[0], COLOR_BTNTEXT);
    SetStandardIndex(m_clrSelectedEdges[1], COLOR_BTNSHADOW);
    SetStandardIndex(m_clrSelectedEdges[2], COLOR_BTNTEXT);
    for (int i = 3; i < 6; ++i)
        SetStandard(m_clrSelectedEdges[i], clrNone);
    for (int i = 0; i < 6; ++i)
        SetStandard(m_clrNormalEdges[i], m_clrSelectedEdges[i].GetStandardColor());
    SetStandardIndex(m_clrNormalEdges[3], COLOR_WINDOW);
    SetStandardIndex(m_clrNormalEdges[4], COLOR_BTNSHADOW);
    CopyGradient(m_clrAutoHideFace, m_clrHeaderFace);
}

void CXTPTabColorSet::FillHalftone(CDC* pDC, const CRect& rc)
{
    static const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH hBrush = ::CreatePatternBrush(hPattern);
    // In a monochrome pattern the set bits take the background colour, the clear ones the text colour.
    const COLORREF clrOldBk = pDC->SetBkColor(GetManagedColor(COLOR_BTNFACE));
    const COLORREF clrOldText = pDC->SetTextColor(GetManagedColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ hOld = ::SelectObject(*pDC, hBrush);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(*pDC, hOld);
    pDC->SetBkColor(clrOldBk);
    pDC->SetTextColor(clrOldText);
    ::DeleteObject(hBrush);
    ::DeleteObject(hPattern);
}

void CXTPTabColorSet::GradientFill(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark, int nPosition)
{
    if (clrLight == XTP_TABCOLOR_HALFTONE) {
        FillHalftone(pDC, rc);
        return;
    }
    const BOOL bHorz = nPosition == xtpTabPositionLeft || nPosition == xtpTabPositionRight;
    // The light end faces away from the client.
    BOOL bForward = nPosition == xtpTabPositionTop || nPosition == xtpTabPositionLeft;
    if (m_pPaintManager && m_pPaintManager->m_bInvertGradient)
        bForward = !bForward;
    if (rc.IsRectEmpty())
        return;
    const BOOL bLowResolution = m_nLowResolution >= 0 ? m_nLowResolution : CXTPDrawHelpers::IsLowResolution(*pDC);
    if (bForward)
        XTPDrawHelpers()->GradientFill(pDC, rc, clrLight, clrDark, bHorz, bLowResolution);
    else
        XTPDrawHelpers()->GradientFill(pDC, rc, clrDark, clrLight, bHorz, bLowResolution);
}

CXTPTabColorSet::CPaintScope::CPaintScope(CXTPTabColorSet* pColorSet, CDC* pDC)
    : m_pColorSet(pColorSet), m_nOuterLowResolution(pColorSet->m_nLowResolution)
{
    pColorSet->m_nLowResolution = CXTPDrawHelpers::IsLowResolution(*pDC) ? TRUE : FALSE;
}

CXTPTabColorSet::CPaintScope::~CPaintScope()
{
    m_pColorSet->m_nLowResolution = m_nOuterLowResolution;
}

COLORREF CXTPTabColorSet::GetItemColor(CXTPTabManagerItem* pItem)
{
    if (m_pPaintManager && m_pPaintManager->m_bPerTabColors)
        return pItem->GetColor();
    return pItem->IsSelected() ? m_clrSelectedFace : m_clrNormalFace;
}

void CXTPTabColorSet::SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    if (!pItem->IsEnabled())
        pDC->SetTextColor(m_clrDisabledText);
    else if (pManager && !pManager->IsActive())
        pDC->SetTextColor(m_clrInActiveText);
    else if (pItem->IsSelected())
        pDC->SetTextColor(m_clrSelectedText);
    else if (pItem->IsHighlighted())
        pDC->SetTextColor(m_clrHighlightText);
    else
        pDC->SetTextColor(m_clrNormalText);
}

COLORREF CXTPTabColorSet::FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    const COLORREF clr = GetItemColor(pItem);
    pDC->FillSolidRect(rc, clr);
    return clr;
}

void CXTPTabColorSet::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    CXTPTabManagerItem* pSelected = pTabManager ? pTabManager->GetSelectedItem() : nullptr;
    pDC->FillSolidRect(rc, pSelected ? GetItemColor(pSelected) : static_cast<COLORREF>(m_clrSelectedFace));
}

void CXTPTabColorSet::FillHeader(CDC* pDC, CRect rc, CXTPTabManager* /*pTabManager*/)
{
    GradientFill(pDC, rc, m_clrHeaderFace.clrLight, m_clrHeaderFace.clrDark, GetPosition());
}

void CXTPTabColorSet::FillButtonTabBase(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (pItem->IsSelected()) {
        if (m_pPaintManager && m_pPaintManager->m_bPerTabColors)
            pDC->FillSolidRect(rc, GetItemColor(pItem));
        else
            GradientFill(pDC, rc, m_clrButtonSelected.clrLight, m_clrButtonSelected.clrDark, GetPosition());
        Frame(pDC, rc, m_clrButtonBorder.clrLight, m_clrButtonBorder.clrDark);
        return;
    }
    // An etched separator at the trailing end.
    CRect rcLine;
    if (GetPosition() == xtpTabPositionTop || GetPosition() == xtpTabPositionBottom)
        rcLine.SetRect(rc.right - 2, rc.top + 2, rc.right, rc.bottom - 2);
    else
        rcLine.SetRect(rc.left + 2, rc.bottom - 2, rc.right - 2, rc.bottom);
    Frame(pDC, rcLine, GetManagedColor(COLOR_BTNSHADOW), GetManagedColor(COLOR_BTNHIGHLIGHT));
}

void CXTPTabColorSet::FillButtonTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    FillButtonTabBase(pDC, rc, pItem);
}

void CXTPTabColorSet::FillNavigateButton3D(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc,
                                           int nPressedTopLeft, int nPressedBottomRight, int nGlyph)
{
    if (pButton->IsPressed()) {
        Frame(pDC, rc, GetManagedColor(nPressedTopLeft), GetManagedColor(nPressedBottomRight));
        rc.OffsetRect(1, 1);
    } else if (pButton->IsHighlighted() && pButton->IsEnabled()) {
        Frame(pDC, rc, GetManagedColor(nPressedBottomRight), GetManagedColor(nPressedTopLeft));
    }
    pDC->SetTextColor(GetManagedColor(nGlyph));
}

// ---- Set 1 ----------------------------------------------------------------------------

void CXTPTabColorSetDefault::RefreshMetrics()
{
    CXTPTabColorSet::RefreshMetrics();
    m_clrButtonSelected.SetStandardValue(XTP_TABCOLOR_HALFTONE, XTP_TABCOLOR_HALFTONE);
    m_clrButtonBorder.SetStandardValue(GetManagedColor(COLOR_BTNSHADOW), GetManagedColor(COLOR_BTNHIGHLIGHT));
    const int edges[6] = {COLOR_BTNTEXT, COLOR_BTNTEXT, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW};
    for (int i = 0; i < 6; ++i) {
        SetStandardIndex(m_clrSelectedEdges[i], edges[i]);
        SetStandard(m_clrNormalEdges[i], i < 3 ? GetManagedColor(edges[i]) : clrNone);
    }
    if (GetAppearance() == xtpTabAppearanceTrapezoid) {
        SetStandardIndex(m_clrSelectedFace, COLOR_BTNFACE);
        SetStandardIndex(m_clrNormalFace, COLOR_WINDOW);
        SetStandardIndex(m_clrFrameBorder, COLOR_BTNTEXT);
    }
}

void CXTPTabColorSetDefault::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    FillNavigateButton3D(pDC, pButton, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNTEXT);
}

// ---- Set 2 ----------------------------------------------------------------------------

void CXTPTabColorSetSoft::RefreshMetrics()
{
    CXTPTabColorSet::RefreshMetrics();
    const int nAppearance = GetAppearance();
    if (nAppearance != xtpTabAppearanceFlatButtons && nAppearance != xtpTabAppearanceTrapezoid) {
        SetGradientIndex(m_clrHeaderFace, 48, 48);
        if (nAppearance == xtpTabAppearanceRaised) {
            SetStandardIndex(m_clrNormalText, 49);
            SetStandardIndex(m_clrInActiveText, 49);
        }
        CopyGradient(m_clrAutoHideFace, m_clrHeaderFace);
    }
}

void CXTPTabColorSetSoft::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    const int nAppearance = GetAppearance();
    if (nAppearance == xtpTabAppearanceFlatButtons || nAppearance == xtpTabAppearanceTrapezoid)
        FillNavigateButton3D(pDC, pButton, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNTEXT);
    else
        FillNavigateButton3D(pDC, pButton, rc, COLOR_BTNTEXT, COLOR_BTNFACE, 49);
}

// ---- Set 4 ----------------------------------------------------------------------------

void CXTPTabColorSetScheme::RefreshMetrics()
{
    CXTPTabColorSet::RefreshMetrics();
    const COLORREF clrFace = GetManagedColor(COLOR_BTNFACE);
    m_clrHeaderFace.SetStandardValue(clrFace, CXTPColorManager::BlendColors(clrFace, GetManagedColor(COLOR_WINDOW), 205));
    SetGradientIndex(m_clrButtonSelected, 36, 36);
    SetGradientIndex(m_clrButtonBorder, 37, 37);
    SetStandardIndex(m_clrHighlightFace, 36);
    SetStandardIndex(m_clrHighlightText, COLOR_BTNTEXT);
    m_bLunaScheme = FALSE;
    CopyGradient(m_clrAutoHideFace, m_clrHeaderFace);

    const BOOL bLunaDisabled = m_pPaintManager ? m_pPaintManager->IsLunaColorsDisabled()
                                               : GetColorManager()->IsLunaColorsDisabled();
    if (!bLunaDisabled) {
        const int nScheme = GetColorManager()->GetCurrentSystemTheme();
        if (nScheme >= 1 && nScheme <= 3) {
            struct Scheme {
                COLORREF frame, darkShadow, shadow, buttonFrame, headerLight, headerDark, normalFace, highlightFace,
                    panelLight, panelDark;
            };
            static const Scheme schemes[3] = {
                {0x9C613B, 0x9A3500, 0xF1A675, 0x800000, 0xFADAC4, 0xFEFDFC, 0xF6C0A2, 0xC9F0FF, 0xF5BE9E, 0xFADAC4},
                {0x588060, 0x6B7760, 0x8CC2B0, 0x385D3F, 0xE4F1F2, 0xFEFEFC, 0xAADED0, 0xC7F0FF, 0xA7D9D9, 0xE4F1F2},
                {0x947C7C, 0x927476, 0xCEB9BA, 0x6F4B4B, 0xF7F3F3, 0xFEFEFC, 0xE6D9D9, 0xC2EEFF, 0xE5D7D7, 0xF7F3F3}};
            const Scheme& s = schemes[nScheme - 1];
            SetStandard(m_clrFrameBorder, s.frame);
            SetStandard(m_clrSelectedOutline, s.frame);
            SetStandard(m_clr3DDarkShadow, s.darkShadow);
            SetStandard(m_clrNormalOutline, s.darkShadow);
            SetStandard(m_clr3DShadow, s.shadow);
            SetStandard(m_clrInnerLine1, s.shadow);
            SetStandard(m_clrInnerLine2, 0xFFFFFF);
            m_clrButtonSelected.SetStandardColor(0x6FC0FF);
            m_clrButtonBorder.SetStandardColor(s.buttonFrame);
            m_clrHeaderFace.SetStandardValue(s.headerLight, s.headerDark);
            SetStandard(m_clrNormalFace, s.normalFace);
            SetStandard(m_clrSelectedFace, 0x73C2FF);
            SetStandard(m_clrHighlightFace, s.highlightFace);
            m_clrAutoHideFace.SetStandardValue(s.panelLight, s.panelDark);
            SetStandard(m_clrButtonLine, s.buttonFrame);
            m_bLunaScheme = TRUE;
        } else {
            SetStandardIndex(m_clrSelectedFace, 36);
        }
    }
    for (int i = 0; i < 6; ++i) {
        SetStandard(m_clrSelectedEdges[i], i < 3 ? static_cast<COLORREF>(m_clrFrameBorder) : clrNone);
        SetStandard(m_clrNormalEdges[i], m_clrSelectedEdges[i].GetStandardColor());
    }
    if (GetAppearance() == xtpTabAppearanceFlatButtons) {
        SetGradientIndex(m_clrAutoHideFace, COLOR_BTNFACE, COLOR_BTNFACE);
        SetGradientIndex(m_clrHeaderFace, COLOR_BTNFACE, COLOR_BTNFACE);
    }
}

COLORREF CXTPTabColorSetScheme::FillGradientTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    const COLORREF clr = pItem->IsHighlighted() ? static_cast<COLORREF>(m_clrHighlightFace) : GetItemColor(pItem);
    GradientFill(pDC, rc, CXTPColorManager::BlendColors(clr, 0xFFFFFF, 300), clr, GetPosition());
    return clr;
}

COLORREF CXTPTabColorSetScheme::FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    return FillGradientTab(pDC, rc, pItem);
}

void CXTPTabColorSetScheme::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    int nGlyph = COLOR_BTNTEXT;
    if (pButton->IsEnabled() && (pButton->IsHighlighted() || pButton->IsPressed())) {
        const BOOL bBoth = pButton->IsHighlighted() && pButton->IsPressed();
        if (m_bLunaScheme) {
            if (bBoth)
                XTPDrawHelpers()->GradientFill(pDC, rc, 0x4B8EFE, 0x8BCFFF, FALSE);
            else
                XTPDrawHelpers()->GradientFill(pDC, rc, 0xC8F2FF, 0x97D4FF, FALSE);
            Frame(pDC, rc, m_clrButtonLine, m_clrButtonLine);
        } else {
            pDC->FillSolidRect(rc, GetManagedColor(bBoth ? 33 : 31));
            const COLORREF clrFrame = GetManagedColor(bBoth ? 50 : 32);
            Frame(pDC, rc, clrFrame, clrFrame);
        }
        nGlyph = bBoth ? 47 : 45;
    }
    pDC->SetTextColor(GetManagedColor(nGlyph));
}

// ---- Set 8 ----------------------------------------------------------------------------

CXTPTabColorSetNative::~CXTPTabColorSetNative()
{
    m_themeTab.CloseThemeData();
    m_themeToolbar.CloseThemeData();
}

void CXTPTabColorSetNative::RefreshMetrics()
{
    CXTPTabColorSetDefault::RefreshMetrics();
    m_themeTab.OpenThemeData(nullptr, L"TAB");
    m_bTabThemed = m_themeTab.IsAppThemeReady();
    if (m_bTabThemed) {
        SetStandard(m_clr3DHighlight, clrNone);
        SetStandard(m_clr3DShadow, clrNone);
        SetStandard(m_clr3DDarkShadow, clrNone);
        SetStandard(m_clrHighlightText, m_clrNormalText.GetStandardColor());
    }
    m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
    m_bToolbarThemed = m_themeToolbar.IsAppThemeReady();
}

void CXTPTabColorSetNative::DrawTurnedTabItem(CDC* pDC, CRect rc, int nState, int nPosition)
{
    if (nPosition == xtpTabPositionTop) {
        m_themeTab.DrawThemeBackground(*pDC, TABP_TABITEM, nState, rc, nullptr);
        return;
    }
    // The style only draws tabs on top: one is drawn turned to the top in a DIB over what
    // lies beneath (so transparent corners keep the header) and carried back into place.
    const BOOL bVertical = nPosition == xtpTabPositionLeft || nPosition == xtpTabPositionRight;
    const int w = rc.Width(), h = rc.Height();
    const int cx = bVertical ? h : w, cy = bVertical ? w : h;
    if (w <= 0 || h <= 0)
        return;
    // Where the pixel (x, y) of the top-position image lies in the rectangle.
    auto place = [&](int x, int y) -> size_t {
        int dx = x, dy = y;
        if (nPosition == xtpTabPositionLeft) {
            dx = y;
            dy = x;
        } else if (nPosition == xtpTabPositionRight) {
            dx = w - 1 - y;
            dy = x;
        } else {
            dy = h - 1 - y;
        }
        return static_cast<size_t>(dy) * w + dx;
    };
    auto makeDib = [](HDC hdc, int width, int height, DWORD** ppBits) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = -height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        return ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(ppBits), nullptr, 0);
    };
    DWORD* pPlaced = nullptr;
    DWORD* pTop = nullptr;
    HDC hdcPlaced = ::CreateCompatibleDC(*pDC);
    HDC hdcTop = ::CreateCompatibleDC(*pDC);
    HBITMAP hPlaced = makeDib(*pDC, w, h, &pPlaced);
    HBITMAP hTop = makeDib(*pDC, cx, cy, &pTop);
    if (hdcPlaced && hdcTop && hPlaced && hTop && pPlaced && pTop) {
        HGDIOBJ hOldPlaced = ::SelectObject(hdcPlaced, hPlaced);
        HGDIOBJ hOldTop = ::SelectObject(hdcTop, hTop);
        ::BitBlt(hdcPlaced, 0, 0, w, h, *pDC, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                pTop[static_cast<size_t>(y) * cx + x] = pPlaced[place(x, y)];
        RECT rcTop = {0, 0, cx, cy};
        m_themeTab.DrawThemeBackground(hdcTop, TABP_TABITEM, nState, &rcTop, nullptr);
        ::GdiFlush();
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                pPlaced[place(x, y)] = pTop[static_cast<size_t>(y) * cx + x];
        ::BitBlt(*pDC, rc.left, rc.top, w, h, hdcPlaced, 0, 0, SRCCOPY);
        ::SelectObject(hdcTop, hOldTop);
        ::SelectObject(hdcPlaced, hOldPlaced);
    }
    if (hTop)
        ::DeleteObject(hTop);
    if (hPlaced)
        ::DeleteObject(hPlaced);
    if (hdcTop)
        ::DeleteDC(hdcTop);
    if (hdcPlaced)
        ::DeleteDC(hdcPlaced);
}

COLORREF CXTPTabColorSetNative::FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (!m_bTabThemed)
        return CXTPTabColorSetDefault::FillTab(pDC, rc, pItem);
    const int nPosition = GetPosition();
    const int nState = pItem->IsSelected() ? 3 : pItem->IsHighlighted() ? 5 : 1;
    if (pItem->IsSelected() && (nPosition == xtpTabPositionTop || nPosition == xtpTabPositionLeft))
        CXTPTabAppearance::InflateTurned(rc, 0, 0, 0, 1, nPosition);
    switch (nPosition) {
    case xtpTabPositionTop: rc.InflateRect(1, 1, 1, 0); break;
    case xtpTabPositionLeft: rc.InflateRect(1, 1, 0, 1); break;
    case xtpTabPositionBottom: rc.InflateRect(1, 0, 1, 2); break;
    default: rc.InflateRect(0, 1, 2, 1); break;
    }
    DrawTurnedTabItem(pDC, rc, nState, nPosition);
    return GetItemColor(pItem);
}

void CXTPTabColorSetNative::FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager)
{
    if (!m_bTabThemed) {
        CXTPTabColorSetDefault::FillClient(pDC, rc, pTabManager);
        return;
    }
    if (GetPosition() == xtpTabPositionBottom)
        rc.bottom += 1;
    else if (GetPosition() == xtpTabPositionRight)
        rc.right += 1;
    m_themeTab.DrawThemeBackground(*pDC, TABP_PANE, 0, rc, nullptr);
}

void CXTPTabColorSetNative::ExcludeClientCorner(CDC* pDC, CXTPTabManager* /*pTabManager*/, CRect rcClient)
{
    if (!m_bTabThemed)
        return;
    CPoint pt(rcClient.left, rcClient.top);
    if (GetPosition() == xtpTabPositionBottom)
        pt = CPoint(rcClient.left, rcClient.bottom - 2);
    else if (GetPosition() == xtpTabPositionRight)
        pt = CPoint(rcClient.right - 2, rcClient.top);
    pDC->ExcludeClipRect(pt.x, pt.y, pt.x + 1, pt.y + 1);
}

void CXTPTabColorSetNative::FillButtonTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (!m_bToolbarThemed || !pItem->IsSelected()) {
        FillButtonTabBase(pDC, rc, pItem);
        return;
    }
    m_themeToolbar.DrawThemeBackground(*pDC, TP_BUTTON, pItem->IsHighlighted() ? 6 : 5, rc, nullptr);
}

void CXTPTabColorSetNative::FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    if (!m_bToolbarThemed) {
        CXTPTabColorSetDefault::FillNavigateButton(pDC, pButton, rc);
        return;
    }
    if (pButton->IsEnabled()) {
        const int nState = pButton->IsPressed() ? 3 : pButton->IsHighlighted() ? 2 : 1;
        m_themeToolbar.DrawThemeBackground(*pDC, TP_BUTTON, nState, rc, nullptr);
    }
    pDC->SetTextColor(GetManagedColor(COLOR_BTNTEXT));
}

// ---- Set 16 ---------------------------------------------------------------------------

void CXTPTabColorSetLight::RefreshMetrics()
{
    const BOOL bLunaDisabled = m_pPaintManager ? m_pPaintManager->IsLunaColorsDisabled()
                                               : GetColorManager()->IsLunaColorsDisabled();
    m_bGradientFaces = FALSE;
    if (!bLunaDisabled) {
        CXTPTabColorSetScheme::RefreshMetrics();
        return;
    }
    CXTPTabColorSet::RefreshMetrics();
    SetStandard(m_clrSelectedFace, 0xFFFFFF);
    m_bLunaScheme = FALSE;
    const int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme == 1 || nScheme == 2) {
        m_clrHeaderFace.SetStandardColor(0xD5E2E4);
        m_bGradientFaces = TRUE;
    } else if (nScheme == 3) {
        SetStandard(m_clrNormalFace, 0xF8F5F5);
        m_clrHeaderFace.SetStandardColor(0xEEEEEE);
        m_bGradientFaces = TRUE;
    }
    SetStandardIndex(m_clrFrameBorder, 57);
    SetStandardIndex(m_clrSelectedOutline, 57);
}

COLORREF CXTPTabColorSetLight::FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (m_bGradientFaces)
        return FillGradientTab(pDC, rc, pItem);
    return CXTPTabColorSet::FillTab(pDC, rc, pItem);
}

// ---- Shaded ---------------------------------------------------------------------------

void CXTPTabColorSetShaded::RefreshMetrics()
{
    CXTPTabColorSet::RefreshMetrics();
    m_nHalfScreenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    if (m_bPaneTabs)
        m_clrSelectedFace.SetCustomValue(0xFFFFFF);
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrHeaderFace.SetStandardValue(clrFace,
                                     CXTPColorManager::BlendColors(clrFace, ::GetSysColor(COLOR_WINDOW), 205));
    m_clrAutoHideFace.SetStandardValue(m_clrHeaderFace.clrDark.GetStandardColor(),
                                       m_clrHeaderFace.clrLight.GetStandardColor());
    m_bGradientFaces = FALSE;
    m_bLunaScheme = FALSE;
    const int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme >= 1 && nScheme <= 3)
        m_bGradientFaces = TRUE;
    if (nScheme == 3)
        m_clrNormalFace.SetCustomValue(0xF7F2F2);
}

void CXTPTabColorSetShaded::FillHeader(CDC* pDC, CRect rc, CXTPTabManager* /*pTabManager*/)
{
    const COLORREF clrLight = m_clrHeaderFace.clrLight, clrDark = m_clrHeaderFace.clrDark;
    // The gradient is measured across the whole frame so that neighbouring rows meet seamlessly.
    HWND hWnd = m_hWndHeader ? m_hWndHeader : ::WindowFromDC(*pDC);
    HWND hFrame = hWnd ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
    CRect rcFrame = rc;
    if (hFrame) {
        rcFrame = CXTPClientRect(hFrame);
        ::MapWindowPoints(hFrame, hWnd, reinterpret_cast<POINT*>(&rcFrame), 2);
    }
    const int nWidth = std::max<int>({rcFrame.Width(), m_nHalfScreenWidth, 1});
    const COLORREF clrLeft =
        CXTPDrawHelpers::BlendColors(clrLight, clrDark, double(rc.left - rcFrame.left) / nWidth);
    const COLORREF clrRight =
        CXTPDrawHelpers::BlendColors(clrLight, clrDark, double(rc.right - rcFrame.left) / nWidth);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrLeft, clrRight, TRUE);
}

COLORREF CXTPTabColorSetShaded::FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem)
{
    if (m_bGradientFaces)
        return FillGradientTab(pDC, rc, pItem);
    return CXTPTabColorSet::FillTab(pDC, rc, pItem);
}
