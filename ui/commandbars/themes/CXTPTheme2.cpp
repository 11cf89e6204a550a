// Theme 2: scheme gradients for dock bars, toolbars, icon bands and hot buttons; the expand entry's ball.
#include "CXTPTheme2.h"

#include <algorithm>

#include "CDC.h"
#include "CWnd.h"
#include "CXTPColorManager.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControlExpandButton.h"
#include "CXTPPopupBar.h"

namespace {

// The fields and colours a colour scheme (1 blue, 2 olive, 3 silver) sets, in table order.
struct SchemeColours {
    COLORREF clrDockStart, clrDockEnd, clrBandStart, clrBandEnd, clrPoppedStart, clrPoppedEnd, clrBarEdge,
        clrGripper, clrReserved1, clrReserved2, clrExpandedStart, clrExpandedEnd, clrTintStart, clrTintEnd,
        clrStatusPaneBorder, clrShadow;
    COLORREF clrStandard[5];  // indexes 12, 51, 52, 53, 56
    COLORREF clr38, clr39, clr40, clr41, clr43, clr32, clr30;
};

const SchemeColours kSchemes[3] = {
    {0xF5BE9E, 0xFADAC4, 0xFEECDD, 0xE2A981, 0xFFEFE3, 0xE7B593, 0x9C613B, 0xC9662A, 0x913500, 0xF1A675, 0xF6DDCB,
     0xDCA179, 0xE2A981, 0xFEEFE3, 0xD3D3D3, 0x361E16, {0xAE9990, 0xFCE7D8, 0xF5BE9E, 0xFCE1CB, 0xF7D3BD}, 0x764127,
     0xCB8C6A, 0xD0966D, 0xF6F6F6, 0x962D00, 0x800000, 0xF5BE9E},
    {0xA7D9D9, 0xE4F1F2, 0xDEF7F4, 0x91C6B7, 0xD5F0EC, 0x9FCEC2, 0x588060, 0x5E8674, 0x6B7760, 0x8CC2B0, 0xD1E6E6,
     0x78B4A4, 0x93C6B8, 0xD5F0EC, 0xD3D3D3, 0x19221F, {0x7BA097, 0xBFE7E2, 0x8AC0AB, 0xB6E3D8, 0xBDE3DE}, 0x335E51,
     0x588060, 0x7AAE9F, 0xEEF4F4, 0x5E8D75, 0x385D3F, 0xA7D9D9},
    {0xE5D7D7, 0xF7F3F3, 0xFAF4F3, 0xB59799, 0xF1E7E9, 0xCDB9BA, 0x947C7C, 0x99797A, 0x927476, 0xC8B2B3, 0xE2D7D7,
     0xA28385, 0xC5AEB0, 0xF1E8E8, 0xDAEAEC, 0x292024, {0xB39A9B, 0xEADFDF, 0xC3B0B1, 0xE7D3D6, 0xE7D7D6}, 0x755454,
     0x8F6D6E, 0xBEA7A8, 0xFFFAFD, 0x947C7C, 0x6F4B4B, 0xE5D7D7},
};

// The hot, checked and pressed gradients of docked buttons (first colour, second colour, frame index).
struct ButtonGradient {
    COLORREF clrFrom, clrTo;
    int nFrame;
};
const ButtonGradient kHot = {0xC8F2FF, 0x97D4FF, 32};
const ButtonGradient kChecked = {0x8CD5FF, 0x55ADFF, 50};
const ButtonGradient kPressed = {0x4B8EFE, 0x8BCFFF, 50};

// Grey levels of the shaded ball, light at the top left; 255 is transparent.
const unsigned char kBallLevels[16][16] = {
    {255, 255, 255, 255, 234, 234, 234, 198, 198, 198, 198, 252, 255, 255, 255, 255},
    {255, 255, 255, 234, 252, 252, 234, 234, 198, 180, 144, 144, 198, 255, 255, 255},
    {255, 255, 234, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 180, 255, 255},
    {255, 234, 252, 252, 252, 252, 234, 234, 198, 180, 144, 126, 108, 108, 198, 255},
    {252, 234, 252, 252, 252, 252, 234, 198, 198, 180, 144, 126, 108, 90, 90, 252},
    {234, 234, 234, 234, 234, 234, 234, 198, 180, 180, 144, 126, 108, 90, 72, 180},
    {198, 234, 234, 234, 234, 234, 198, 198, 180, 144, 126, 108, 90, 90, 72, 108},
    {180, 198, 198, 198, 198, 198, 180, 180, 144, 126, 126, 108, 90, 72, 72, 72},
    {180, 180, 180, 180, 180, 180, 144, 144, 126, 126, 108, 90, 90, 72, 54, 54},
    {180, 144, 144, 144, 144, 144, 144, 126, 126, 108, 108, 90, 72, 54, 36, 90},
    {198, 126, 126, 126, 126, 126, 126, 126, 108, 90, 72, 54, 54, 36, 36, 126},
    {252, 126, 108, 108, 108, 108, 108, 72, 72, 54, 54, 36, 36, 18, 18, 234},
    {255, 198, 90, 90, 90, 72, 72, 54, 54, 36, 36, 18, 18, 0, 108, 255},
    {255, 255, 144, 54, 54, 54, 36, 36, 18, 18, 18, 0, 0, 54, 255, 255},
    {255, 255, 255, 126, 36, 36, 18, 18, 18, 0, 0, 0, 72, 255, 255, 255},
    {255, 255, 255, 255, 234, 90, 36, 18, 0, 0, 54, 180, 255, 255, 255, 255},
};

const COLORREF kBallMask = 0x00FF00;

COLORREF Blend(COLORREF clrA, COLORREF clrB, int nWeight)
{
    return CXTPColorManager::BlendColors(clrA, clrB, nWeight);
}

// start − (start − end) × level / 255 per channel, truncated towards zero.
int Tint(int nStart, int nEnd, int nLevel)
{
    return nStart - (nStart - nEnd) * nLevel / 255;
}

}  // namespace

CXTPTheme2::CXTPTheme2() : CXTPTheme0(DeferMetrics())
{
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
    RefreshMetrics();
}

CXTPTheme2::CXTPTheme2(DeferMetrics tag) : CXTPTheme0(tag)
{
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

CXTPTheme2::~CXTPTheme2()
{
    if (m_hBallImage)
        ::ImageList_Destroy(m_hBallImage);
}

int CXTPTheme2::GetBallLevel(int x, int y)
{
    return x >= 0 && x < 16 && y >= 0 && y < 16 ? kBallLevels[y][x] : 255;
}

void CXTPTheme2::RefreshMetrics()
{
    CXTPTheme0::RefreshMetrics();
    m_themeStatusBar.OpenThemeData(GetThemeWindow(), L"STATUS");
    RefreshGradients();
    BuildBallImage();
}

void CXTPTheme2::RefreshGradients()
{
    auto C = [this](int n) { return GetColor(n); };
    m_clrExpandedEnd = C(42);
    m_clrExpandedStart = Blend(C(5), C(42), 550);
    m_clrDockStart = m_clrBandEnd = C(15);
    m_clrDockEnd = m_clrBandStart = Blend(C(15), C(5), 205);
    m_clrBarEdge = C(30);
    m_clrGripper = C(16);
    m_clrPoppedStart = C(41);
    m_clrPoppedEnd = Blend(C(5), C(15), 550);
    m_clrReserved1 = C(16);
    m_clrReserved2 = Blend(C(51), C(16), 51);
    m_bPaletteInForce = FALSE;
    m_clrTintStart = Blend(C(5), C(15), 550);
    m_clrTintEnd = C(41);
    m_clrStatusPaneBorder = Blend(C(15), C(5), 70);
    const int n55 = 55;
    const COLORREF clr55 = GetColorManager()->GetGradient(0).clrLight;
    SetColors(1, &n55, &clr55);

    const int nScheme = GetCurrentSystemTheme();
    if (nScheme < 1 || nScheme > 3)
        return;
    const SchemeColours& s = kSchemes[nScheme - 1];
    m_clrDockStart = s.clrDockStart;
    m_clrDockEnd = s.clrDockEnd;
    m_clrBandStart = s.clrBandStart;
    m_clrBandEnd = s.clrBandEnd;
    m_clrPoppedStart = s.clrPoppedStart;
    m_clrPoppedEnd = s.clrPoppedEnd;
    m_clrBarEdge = s.clrBarEdge;
    m_clrGripper = s.clrGripper;
    m_clrReserved1 = s.clrReserved1;
    m_clrReserved2 = s.clrReserved2;
    m_clrExpandedStart = s.clrExpandedStart;
    m_clrExpandedEnd = s.clrExpandedEnd;
    m_clrTintStart = s.clrTintStart;
    m_clrTintEnd = s.clrTintEnd;
    m_clrStatusPaneBorder = s.clrStatusPaneBorder;
    // The shadow colour of the popups.
    m_clrShadowFactor = s.clrShadow;
    const int nStandard[5] = {12, 51, 52, 53, 56};
    SetColors(5, nStandard, s.clrStandard);
    const int nIndexes[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};
    const COLORREF clrValues[13] = {s.clr38, s.clr39, s.clr40, s.clr41, s.clr43, 0xC2EEFF, s.clr32,
                                    s.clr32, s.clr32, 0x3E80FE, 0x6FC0FF, s.clr30, 0x000000};
    SetColors(13, nIndexes, clrValues);
    m_bPaletteInForce = TRUE;
}

void CXTPTheme2::BuildBallImage()
{
    if (m_hBallImage)
        ::ImageList_Destroy(m_hBallImage);
    m_hBallImage = nullptr;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 16;
    bmi.bmiHeader.biHeight = -16;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pvBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (!hBitmap || !pvBits)
        return;
    auto* pPixels = static_cast<DWORD*>(pvBits);
    const COLORREF s = m_clrTintStart, e = m_clrTintEnd;
    for (int y = 0; y < 16; y++) {
        for (int x = 0; x < 16; x++) {
            const int L = kBallLevels[y][x];
            COLORREF clr = kBallMask;
            if (L != 255)
                clr = RGB(Tint(GetRValue(s), GetRValue(e), L), Tint(GetGValue(s), GetGValue(e), L),
                          Tint(GetBValue(s), GetBValue(e), L));
            // DIB pixels are 0x00RRGGBB.
            pPixels[y * 16 + x] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
        }
    }
    m_hBallImage = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
    if (m_hBallImage)
        ::ImageList_AddMasked(m_hBallImage, hBitmap, kBallMask);
    ::DeleteObject(hBitmap);
}

void CXTPTheme2::FillIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded)
{
    const CRect rc(x, y, x + cx, y + cy);
    GradientFill(pDC, &rc, bExpanded ? m_clrExpandedStart : m_clrBandStart,
                 bExpanded ? m_clrExpandedEnd : m_clrBandEnd, TRUE);
}

void CXTPTheme2::FillDockGradient(CDC* pDC, CRect rc)
{
    const int nHalfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    if (rc.Width() < nHalfScreen)
        rc.right = rc.left + nHalfScreen;
    GradientFill(pDC, &rc, m_clrDockStart, m_clrDockEnd, TRUE);
}

void CXTPTheme2::FillCommandBarEntry(CDC* pDC, CWnd* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    if (pBar->GetStyle() & (0x100 | 0x4000))
        pDC->FillSolidRect(&rc, m_clrDockEnd);
    else
        FillDockGradient(pDC, rc);
}

void CXTPTheme2::DrawDockedGradient(CDC* pDC, CRect rc, COLORREF clrFrom, COLORREF clrTo, int nBarPosition)
{
    GradientFill(pDC, &rc, clrFrom, clrTo, nBarPosition == xtpBarLeft || nBarPosition == xtpBarRight);
}

void CXTPTheme2::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (bPopuped) {
        GradientFill(pDC, &rc, m_clrPoppedStart, m_clrPoppedEnd, FALSE);
        pDC->Draw3dRect(&rc, GetColor(43), GetColor(43));
        return;
    }
    if (!m_bPaletteInForce || nBarType == xtpBarTypeMenuBar || nBarPosition < xtpBarTop ||
        nBarPosition > xtpBarRight) {
        CXTPTheme0::DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, FALSE, nBarType, nBarPosition);
        return;
    }
    const ButtonGradient* pLook = nullptr;
    if (bEnabled && bChecked && !nSelected && !nPressed)
        pLook = &kChecked;
    else if (bEnabled && bChecked && nSelected && !nPressed)
        pLook = &kPressed;
    else if (bEnabled && (nPressed == 2 || (nSelected && nPressed)))
        pLook = &kPressed;
    else if (bEnabled && (nSelected || nPressed))
        pLook = &kHot;
    else if (!bEnabled && nSelected == xtpSelectedByKeyboard)
        pLook = &kHot;
    if (!pLook)
        return;
    DrawDockedGradient(pDC, rc, pLook->clrFrom, pLook->clrTo, nBarPosition);
    pDC->Draw3dRect(&rc, GetColor(pLook->nFrame), GetColor(pLook->nFrame));
}

void CXTPTheme2::DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    const int nPosition = pBar->GetPosition();
    if (pBar->GetType() == xtpBarTypeMenuBar) {
        FillDockGradient(pDC, rc);
        if (nPosition == xtpBarFloating) {
            pDC->Draw3dRect(&rc, GetColor(43), GetColor(43));
            CRect rcInner = rc;
            rcInner.DeflateRect(1, 1);
            pDC->Draw3dRect(&rcInner, GetColor(43), GetColor(43));
            SetCornerPixels(pDC, rc, 2, GetColor(43));
        }
    } else if (nPosition == xtpBarPopup) {
        DrawPopupBackground(pDC, pBar, 41);
    } else if (nPosition >= xtpBarTop && nPosition <= xtpBarRight) {
        pDC->FillSolidRect(&rc, GetColor(15));
        // The dock gradient as the dock bar shows it, so that neighbouring bars line up.
        CRect rcDock = rc;
        if (CWnd* pParent = pBar->GetParent()) {
            pParent->GetClientRect(&rcDock);
            pParent->MapWindowPoints(pBar, &rcDock);
        }
        const int nHalfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
        if (rcDock.Width() < nHalfScreen)
            rcDock.right = rcDock.left + nHalfScreen;
        {
            const int nSaved = pDC->SaveDC();
            pDC->IntersectClipRect(&rc);
            GradientFill(pDC, &rcDock, m_clrDockStart, m_clrDockEnd, TRUE);
            pDC->RestoreDC(nSaved);
        }
        // The body, its corner pixels left to the dock, and the edge line on its far side.
        const BOOL bVertical = nPosition == xtpBarLeft || nPosition == xtpBarRight;
        const int nSaved = pDC->SaveDC();
        const int r = rc.right - 1, b = rc.bottom - 1;
        const POINT corners[4] = {{0, 0}, {r, 0}, {0, b}, {r, b}};
        for (const POINT& pt : corners)
            pDC->ExcludeClipRect(pt.x, pt.y, pt.x + 1, pt.y + 1);
        DrawDockedGradient(pDC, rc, m_clrBandStart, m_clrBandEnd, nPosition);
        if (bVertical)
            pDC->FillSolidRect(r, 0, 1, rc.Height(), m_clrBarEdge);
        else
            pDC->FillSolidRect(0, b, rc.Width(), 1, m_clrBarEdge);
        pDC->RestoreDC(nSaved);
    } else {
        CXTPTheme0::DrawCommandBarBackground(pDC, pBar);
    }
}

void CXTPTheme2::DrawGripperDots(CDC* pDC, CRect rc, BOOL bAlongHeight)
{
    const COLORREF clrLight = GetColor(20), clrDot = GetColor(38);
    if (bAlongHeight) {
        for (int y = rc.top + 4; y < rc.bottom - 5; y += 4) {
            pDC->FillSolidRect(6, y + 1, 2, 2, clrLight);
            pDC->FillSolidRect(5, y, 2, 2, clrDot);
        }
    } else {
        for (int x = rc.left + 4; x < rc.right - 5; x += 4) {
            pDC->FillSolidRect(x + 1, 6, 2, 2, clrLight);
            pDC->FillSolidRect(x, 5, 2, 2, clrDot);
        }
    }
}

CSize CXTPTheme2::DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    const int h = std::max(25, m_nTextHeight + 6);
    if (bDraw) {
        CRect rc;
        pBar->GetClientRect(&rc);
        rc.DeflateRect(3, 3);
        rc.bottom = rc.top + h;
        GradientFill(pDC, &rc, m_clrBandStart, m_clrBandEnd, FALSE);
        DrawGripperDots(pDC, rc, TRUE);
    }
    return CSize(8, h);
}

CSize CXTPTheme2::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    rc.DeflateRect(3, 3);
    switch (pBar->GetPosition()) {
    case xtpBarFloating:
        return DrawFloatingCaption(pDC, pBar, m_clrGripper, bDraw);
    case xtpBarLeft:
    case xtpBarRight:
        if (bDraw)
            DrawGripperDots(pDC, rc, FALSE);
        return CSize(0, 8);
    case xtpBarTop:
    case xtpBarBottom:
        if (bDraw)
            DrawGripperDots(pDC, rc, TRUE);
        return CSize(6, 0);
    default:
        return CSize(0, 0);
    }
}

CSize CXTPTheme2::DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    if (!bDraw || nPosition < xtpBarTop || nPosition > xtpBarRight || pBar->GetType() == xtpBarTypePopup)
        return CXTPTheme0::DrawSeparator(pDC, pBar, pControl, bDraw);
    const CRect rc = pControl->GetRect(), rcRow = pControl->GetRowRect();
    const BOOL bWrap = pControl->GetWrap();
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom) {
        if (bWrap) {
            DrawLine(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4, 39);
            DrawLine(pDC, rcRow.left + 5, rcRow.top - 3, rcRow.right, rcRow.top - 3, 20);
        } else {
            DrawLine(pDC, rc.left - 4, rcRow.top + 4, rc.left - 4, rcRow.bottom - 4, 39);
            DrawLine(pDC, rc.left - 3, rcRow.top + 5, rc.left - 3, rcRow.bottom - 3, 20);
        }
    } else if (bWrap) {
        DrawLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom, 39);
        DrawLine(pDC, rcRow.right + 3, rcRow.top + 5, rcRow.right + 3, rcRow.bottom, 20);
    } else {
        DrawLine(pDC, rcRow.left + 4, rc.top - 4, rcRow.right - 4, rc.top - 4, 39);
        DrawLine(pDC, rcRow.left + 5, rc.top - 3, rcRow.right - 3, rc.top - 3, 20);
    }
    return CSize(0, 0);
}

CSize CXTPTheme2::DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw)
{
    // Longer strokes, each a row of dots.
    return DrawTearOffStrokes(pDC, rcGripper, bHot, bDraw, 32, 2);
}

void CXTPTheme2::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (m_themeStatusBar.IsAppThemed() &&
        SUCCEEDED(m_themeStatusBar.DrawThemeBackground(*pDC, 3, 0, &rcClient, nullptr)))
        return;
    CXTPTheme0::DrawStatusBarGripper(pDC, rcClient);
}

void CXTPTheme2::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL /*bGripperPane*/)
{
    pDC->Draw3dRect(&rc, m_clrStatusPaneBorder, m_clrStatusPaneBorder);
}

CRect CXTPTheme2::GetBarBorders(CXTPCommandBar* pBar)
{
    const int nPosition = pBar ? pBar->GetPosition() : xtpBarNone;
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom)
        return CRect(4, 2, 2, 2);
    return CXTPTheme0::GetBarBorders(pBar);
}

void CXTPTheme2::DrawExpandGlyphs(CDC* pDC, CRect rc, BOOL bVertical, BOOL bHidden, COLORREF clr)
{
    HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
    HGDIOBJ hOldPen = ::SelectObject(*pDC, hPen);
    // Drawn for a horizontal bar; a vertical bar's button turns the picture a quarter.
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (bVertical) {
            pDC->MoveTo(rc.right - 1 - (y0 - rc.top), rc.top + (x0 - rc.left));
            pDC->LineTo(rc.right - 1 - (y1 - rc.top), rc.top + (x1 - rc.left));
        } else {
            pDC->MoveTo(x0, y0);
            pDC->LineTo(x1, y1);
        }
    };
    const int cx = rc.left + (bVertical ? rc.Height() : rc.Width()) / 2;
    const int yEnd = rc.top + (bVertical ? rc.Width() : rc.Height());
    line(cx - 2, yEnd - 8, cx + 3, yEnd - 8);  // the bar
    for (int i = 0; i < 3; i++)                 // the triangle under it
        line(cx - 2 + i, yEnd - 6 + i, cx + 3 - i, yEnd - 6 + i);
    if (bHidden) {
        // Two chevrons pointing along the bar, near its top.
        for (int dx = 0; dx <= 4; dx += 4) {
            for (int k = 0; k < 2; k++) {
                line(cx - 3 + dx + k, rc.top + 4, cx - 1 + dx + k, rc.top + 6);
                line(cx - 1 + dx + k, rc.top + 6, cx - 4 + dx + k, rc.top + 9);
            }
        }
    }
    ::SelectObject(*pDC, hOldPen);
    ::DeleteObject(hPen);
}

CSize CXTPTheme2::DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                     BOOL bDraw, void* lpParam)
{
    if (nKind == xtpButtonExpandToolbar && bDraw) {
        const CRect rc = pControl->GetRect();
        const BOOL bVertical = pBar && pBar->IsVerticalPosition();
        const BOOL bPopuped = IsPopuped(pControl);
        const BOOL bPressed = pControl->GetPressed() || bPopuped;
        if (bPressed) {
            FrameFill(pDC, rc, kPressed.nFrame, 36);
        } else if (pControl->GetSelected()) {
            GradientFill(pDC, &rc, kHot.clrFrom, kHot.clrTo, bVertical);
            pDC->Draw3dRect(&rc, GetColor(kHot.nFrame), GetColor(kHot.nFrame));
        }
        auto* pExpand = dynamic_cast<CXTPControlExpandButton*>(pControl);
        const BOOL bHidden = pExpand && pExpand->HasHiddenControls();
        CRect rcShadow = rc;
        rcShadow.OffsetRect(1, 1);
        DrawExpandGlyphs(pDC, rcShadow, bVertical, bHidden, GetColor(20));
        DrawExpandGlyphs(pDC, rc, bVertical, bHidden, GetColor(bPressed || pControl->GetSelected() ? 47 : 46));
        return rc.Size();
    }
    if (nKind == xtpButtonExpandMenu) {
        if (!bDraw)
            return CSize(0, 18);
        const CRect rc = pControl->GetRect();
        DrawControlEntry(pDC, pControl);
        const int cx = rc.left + rc.Width() / 2;
        if (m_hBallImage)
            ::ImageList_Draw(m_hBallImage, 0, *pDC, cx - 7, rc.top + 1, ILD_NORMAL);
        // Two double-stroke chevrons pointing down, their apex on the centre line.
        for (int y = rc.top + 4; y <= rc.top + 8; y += 4) {
            for (int k = 0; k < 2; k++) {
                const POINT pts[3] = {{cx - 2, y + k}, {cx, y + 2 + k}, {cx + 3, y - 1 + k}};
                pDC->Polyline(pts, 3);
            }
        }
        return CSize(0, 18);
    }
    return CXTPTheme0::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, lpParam);
}
