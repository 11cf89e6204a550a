// The flat family of docking themes: flat, grippered, lined and toolbar.
#include "CXTPDockingPaneFlatTheme.h"

#include <algorithm>

#include "CXTPDrawHelpers.h"
#include "CXTPEmptyRect.h"
#include "CXTPFontDC.h"
#include "CXTPTabColorSet.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"

namespace {

DWORD SystemWindowsVersion()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!::GetVersionExA(&info))
        return 0;
    return (info.dwMajorVersion << 16) | info.dwMinorVersion;
}

// Visual-style parts.
enum { TP_BUTTON = 1, RP_BACKGROUND = 0 };

}  // namespace

DWORD (*CXTPDockingPaneFlatTheme::s_pfnWindowsVersion)() = SystemWindowsVersion;

// ---- Flat (1) -----------------------------------------------------------------------------

CXTPDockingPaneFlatTheme::CXTPDockingPaneFlatTheme() : CXTPDockingPaneFlatTheme(DeferMetrics())
{
    RefreshMetrics();
}

CXTPDockingPaneFlatTheme::CXTPDockingPaneFlatTheme(DeferMetrics)
{
    m_clrNormalCaption.clrLight.SetCustomValue(static_cast<COLORREF>(-1));
    m_clrNormalCaption.clrDark.SetCustomValue(static_cast<COLORREF>(-1));
    m_clrActiveCaption.clrLight.SetCustomValue(static_cast<COLORREF>(-1));
    m_clrActiveCaption.clrDark.SetCustomValue(static_cast<COLORREF>(-1));
    m_pPanelPaintManager->SetAppearance(xtpTabAppearanceBoxed);
    m_pTabPaintManager->SetAppearance(xtpTabAppearanceRaised);
}

void CXTPDockingPaneFlatTheme::RefreshMetrics()
{
    CXTPDockingPaneDefaultTheme::RefreshMetrics();
    m_clrActiveCaption.SetStandardValue(GetColor(COLOR_ACTIVECAPTION), GetColor(COLOR_GRADIENTACTIVECAPTION));
    m_clrNormalCaption.SetStandardValue(GetColor(COLOR_INACTIVECAPTION), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
    m_clrNormalCaptionText = GetColor(COLOR_INACTIVECAPTIONTEXT);
    // Systems up to 4.0 have no caption gradients.
    if (s_pfnWindowsVersion() <= MAKELONG(0, 4)) {
        m_clrActiveCaption.SetStandardColor(GetColor(COLOR_ACTIVECAPTION));
        m_clrNormalCaption.SetStandardColor(GetColor(COLOR_INACTIVECAPTION));
    }
}

void CXTPDockingPaneFlatTheme::DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    const CRect rcCaption(rc.left, rc.top + m_rcCaptionMargin.top, rc.right, rc.top + m_nTitleHeight + 1);
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rcCaption.bottom + 2), GetColor(51));
    DrawCaptionPart(pDC, pPane, rcCaption, pPane->GetCaptionTitle(), IsCaptionHighlighted(pPane));
}

void CXTPDockingPaneFlatTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc)
{
    DrawFrameRings(pDC, rc, GetColor(COLOR_BTNFACE));
    CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 2);
    pDC->FillSolidRect(rcBand, GetColor(COLOR_BTNFACE));
    rcBand.DeflateRect(1, 2, 1, 2);
    DrawCaptionPart(pDC, pFrame, rcBand, pFrame->GetCaptionTitle(), IsCaptionHighlighted(pFrame));
}

void CXTPDockingPaneFlatTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc,
                                               const CString& strTitle, BOOL bActive)
{
    const COLORREF clrGlyph = GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
    COLORREF clrText;
    if (m_bGradientCaption) {
        XTPDrawHelpers()->GradientFill(pDC, rc, bActive ? m_clrActiveCaption : m_clrNormalCaption, TRUE);
        clrText = bActive ? GetColor(COLOR_CAPTIONTEXT) : m_clrNormalCaptionText;
    } else {
        if (bActive) {
            pDC->FillSolidRect(rc, GetColor(COLOR_ACTIVECAPTION));
        } else {
            // An outline with its corners left out.
            Line(pDC, rc.left + 1, rc.top, rc.right - 1, rc.top, 52);
            Line(pDC, rc.left, rc.top + 1, rc.left, rc.bottom - 1, 52);
            Line(pDC, rc.left + 1, rc.bottom - 1, rc.right - 1, rc.bottom - 1, 52);
            Line(pDC, rc.right - 1, rc.top + 1, rc.right - 1, rc.bottom - 1, 52);
        }
        clrText = GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
    }
    CRect rcButtons = rc;
    rcButtons.right -= 2;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcButtons, clrGlyph, 14, 2);
    DrawTitle(pDC, strTitle, CRect(rc.left + 4, rc.top + 1, rcButtons.right, rc.bottom), clrText);
}

void CXTPDockingPaneFlatTheme::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    CRect rc = pButton->GetRect();
    if (pButton->IsPressed()) {
        pDC->Draw3dRect(rc, GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNHIGHLIGHT));
        rc.OffsetRect(1, 1);
    } else if (pButton->IsSelected()) {
        pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNTEXT));
    }
    DrawGlyph(pDC, pButton, rc, clrGlyph);
}

// ---- Grippered (2) --------------------------------------------------------------------------

void CXTPDockingPaneGripperedTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc,
                                                    const CString& strTitle, BOOL /*bActive*/)
{
    CRect rcButtons = rc;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcButtons, GetColor(COLOR_BTNTEXT), 14, 2);
    const CRect rcTitle(rc.left + 4, rc.top + 1, rcButtons.right, rc.bottom);
    DrawTitle(pDC, strTitle, rcTitle, GetColor(COLOR_BTNTEXT));
    const int x = strTitle.IsEmpty() ? rc.left + 4 : GetTitleRight(pDC, strTitle, rcTitle) + 8;
    const int nEnd = rcButtons.right - 2;
    if (nEnd <= x)
        return;
    const int cy = (rc.top + rc.bottom) / 2;
    pDC->Draw3dRect(x, cy - 3, nEnd - x, 3, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
    pDC->Draw3dRect(x, cy + 1, nEnd - x, 3, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
}

// ---- Lined (3) ------------------------------------------------------------------------------

CXTPDockingPaneLinedTheme::CXTPDockingPaneLinedTheme()
{
    m_pPanelPaintManager->SetAppearance(xtpTabAppearanceBoxed);
    m_pTabPaintManager->SetAppearance(xtpTabAppearanceStacked);
    m_pTabPaintManager->SetPosition(xtpTabPositionTop);
    m_nTextMargin = 2;
    RefreshMetrics();
}

void CXTPDockingPaneLinedTheme::DrawPane(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    const CRect rcPane = rc;
    pDC->FillSolidRect(rc, GetColor(IsCaptionHighlighted(pPane) ? 31 : 30));
    pDC->SetBkMode(TRANSPARENT);
    const BOOL bCaption = pPane->IsCaptionVisible() && m_bShowCaption;
    if (bCaption) {
        Line(pDC, rc.left, rc.top, rc.right, rc.top, 51);
        DrawCaption(pDC, pPane, rc);
    }
    AdjustCaptionRect(pPane, rc);
    if (pPane->IsTabsVisible() && pPane->GetTabManager()) {
        m_pTabPaintManager->DrawTabControl(pPane->GetTabManager(), pDC, rc);
    } else if (m_pTabPaintManager->m_nFrameStyle != xtpTabFrameNone) {
        CRect rcFrame = rc;
        rcFrame.InflateRect(1, 1);
        const COLORREF clr = m_pTabPaintManager->GetColorSet()->m_clrFrameBorder;
        pDC->Draw3dRect(rcFrame, clr, clr);
    }
    Pixel(pDC, rcPane.left, rcPane.top, 51);
    Pixel(pDC, rcPane.right - 1, rcPane.top, 51);
    Pixel(pDC, rcPane.left, rcPane.bottom - 1, 51);
    Pixel(pDC, rcPane.right - 1, rcPane.bottom - 1, 51);
}

void CXTPDockingPaneLinedTheme::AdjustCaptionRect(CXTPDockingPaneCaptionHost* pPane, CRect& rc)
{
    CXTPDockingPaneFlatTheme::AdjustCaptionRect(pPane, rc);
    rc.DeflateRect(3, 0, 3, 3);
    if (!(pPane->IsCaptionVisible() && m_bShowCaption))
        rc.top += 3;
    if (!pPane->IsTabsVisible() && m_pTabPaintManager->m_nFrameStyle != xtpTabFrameNone)
        rc.DeflateRect(1, 1);
}

void CXTPDockingPaneLinedTheme::DrawTitleAndGrips(CDC* pDC, const CString& strTitle, CRect rc, BOOL bActive)
{
    const CRect rcTitle(rc.left + 4, rc.top + 1, rc.right, rc.bottom);
    DrawTitle(pDC, strTitle, rcTitle, GetColor(COLOR_BTNTEXT));
    const int x = strTitle.IsEmpty() ? rc.left + 4 : GetTitleRight(pDC, strTitle, rcTitle) + 14;
    const int nEnd = rc.right - 4;
    if (nEnd <= x)
        return;
    const int cy = (rc.top + rc.bottom) / 2;
    for (int dy : {-3, -1, 1, 3})
        Line(pDC, x, cy + dy, nEnd, cy + dy, bActive ? COLOR_BTNTEXT : 38);
}

void CXTPDockingPaneLinedTheme::DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    CRect rcCaption(rc.left, rc.top + 2, rc.right - 1, rc.top + m_nTitleHeight + 3);
    CRect rcButtons = rcCaption;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcButtons, 0, 16, 0);
    rcCaption.right = rcButtons.right;
    DrawTitleAndGrips(pDC, pPane->GetCaptionTitle(), rcCaption, IsCaptionHighlighted(pPane));
}

void CXTPDockingPaneLinedTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc)
{
    const BOOL bActive = IsCaptionHighlighted(pFrame);
    const COLORREF clrFrame = GetColor(bActive ? 31 : 30);
    DrawFrameRings(pDC, rc, clrFrame);
    CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 3);
    pDC->FillSolidRect(rcBand, clrFrame);
    CRect rcButtons = rcBand;
    DrawCaptionButtons(pDC, pFrame->GetCaptionButtons(), rcButtons, GetColor(COLOR_BTNTEXT), 16, 0);
    rcBand.right = rcButtons.right;
    DrawTitleAndGrips(pDC, pFrame->GetCaptionTitle(), rcBand, bActive);
}

void CXTPDockingPaneLinedTheme::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    const CRect rc = pButton->GetRect();
    if (pButton->IsPressed()) {
        Rectangle(pDC, rc, 33, 32);
        clrGlyph = GetColor(47);
    } else if (pButton->IsSelected()) {
        Rectangle(pDC, rc, 31, 32);
        clrGlyph = GetColor(45);
    }
    DrawGlyph(pDC, pButton, rc, clrGlyph);
}

// ---- Toolbar (9) ------------------------------------------------------------------------------

CXTPDockingPaneToolbarTheme::CXTPDockingPaneToolbarTheme()
{
    m_nTextMargin = 9;
    m_rcCaptionMargin = CRect(0, 0, 0, 0);
    m_bBoldCaption = FALSE;
    RefreshMetrics();
}

CXTPDockingPaneToolbarTheme::~CXTPDockingPaneToolbarTheme()
{
    m_themeRebar.CloseThemeData();
    m_themeToolbar.CloseThemeData();
}

void CXTPDockingPaneToolbarTheme::RefreshMetrics()
{
    RefreshBaseMetrics();
    m_themeRebar.OpenThemeData(nullptr, L"REBAR");
    m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
    m_bRebarThemed = m_themeRebar.IsAppThemeReady();
    m_bToolbarThemed = m_themeToolbar.IsAppThemeReady();
    for (CXTPTabPaintManager* pTabs : {m_pPanelPaintManager, m_pTabPaintManager}) {
        if (m_bRebarThemed) {
            pTabs->SetAppearance(xtpTabAppearanceClassic);
            pTabs->SetColor(xtpTabColorNative);
        } else {
            pTabs->SetAppearance(pTabs == m_pPanelPaintManager ? xtpTabAppearanceBoxed : xtpTabAppearanceRaised);
        }
        pTabs->m_bHotTracking = m_bRebarThemed;
    }
}

void CXTPDockingPaneToolbarTheme::DrawCaptionPart(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc,
                                                  const CString& strTitle, BOOL /*bActive*/)
{
    if (m_bRebarThemed) {
        // The band's background runs on across the frame: it is drawn over the reference
        // window's outer rectangle mapped into the caption window.
        HWND hCaption = pPane->GetCaptionWindow();
        HWND hReference = pPane->GetReferenceWindow();
        CRect rcBackground = rc;
        if (hCaption && hReference) {
            const CRect rcRefWindow = CXTPWindowRect(hReference), rcCapWindow = CXTPWindowRect(hCaption);
            rcBackground = CXTPClientRect(hReference);
            ::MapWindowPoints(hReference, hCaption, reinterpret_cast<POINT*>(&rcBackground), 2);
            rcBackground.InflateRect(rcCapWindow.left - rcRefWindow.left, rcCapWindow.top - rcRefWindow.top,
                                     rcRefWindow.right - rcCapWindow.right, rcRefWindow.bottom - rcCapWindow.bottom);
        }
        m_themeRebar.DrawThemeBackground(*pDC, RP_BACKGROUND, 0, rcBackground, rc);
    }
    CRect rcButtons = rc;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcButtons, GetColor(COLOR_BTNTEXT), 16, 2);
    DrawTitle(pDC, strTitle, CRect(rc.left + 4, rc.top + 1, rcButtons.right, rc.bottom), GetColor(COLOR_BTNTEXT));
}

void CXTPDockingPaneToolbarTheme::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                    COLORREF clrGlyph)
{
    if (!m_bToolbarThemed) {
        CXTPDockingPaneGripperedTheme::DrawCaptionButton(pDC, pButton, clrGlyph);
        return;
    }
    const CRect rc = pButton->GetRect();
    if (pButton->IsPressed())
        m_themeToolbar.DrawThemeBackground(*pDC, TP_BUTTON, 3, rc, nullptr);
    else if (pButton->IsSelected())
        m_themeToolbar.DrawThemeBackground(*pDC, TP_BUTTON, 2, rc, nullptr);
    DrawGlyph(pDC, pButton, rc, clrGlyph);
}
