// Docking theme 6: the visual style's small captions, frames and explorer-bar buttons.
#include "CXTPDockingPaneNativeTheme.h"

#include "CXTPTabPaintManager.h"

namespace {

enum { WP_SMALLCAPTION = 2, WP_FRAMELEFT = 10, WP_FRAMERIGHT = 11, WP_FRAMEBOTTOM = 12 };
enum { EBP_HEADERCLOSE = 2, EBP_HEADERPIN = 3 };

}  // namespace

CXTPDockingPaneNativeTheme::CXTPDockingPaneNativeTheme()
{
    m_bGradientCaption = TRUE;
    m_nTextMargin = 7;
    for (CXTPTabPaintManager* pTabs : {m_pPanelPaintManager, m_pTabPaintManager}) {
        pTabs->SetAppearance(xtpTabAppearanceClassic);
        pTabs->SetColor(xtpTabColorNative);
        pTabs->m_bHotTracking = TRUE;
    }
    RefreshMetrics();
}

CXTPDockingPaneNativeTheme::~CXTPDockingPaneNativeTheme()
{
    m_themeWindow.CloseThemeData();
    m_themeExplorer.CloseThemeData();
}

void CXTPDockingPaneNativeTheme::RefreshMetrics()
{
    CXTPDockingPaneFlatTheme::RefreshMetrics();
    m_themeWindow.OpenThemeData(nullptr, L"WINDOW");
    m_themeExplorer.OpenThemeData(nullptr, L"EXPLORERBAR");
    m_bWindowThemed = m_themeWindow.IsAppThemeReady();
    m_bExplorerThemed = m_themeExplorer.IsAppThemeReady();
}

void CXTPDockingPaneNativeTheme::DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    m_bCaptionActive = IsCaptionHighlighted(pPane);
    if (!m_bWindowThemed) {
        CXTPDockingPaneFlatTheme::DrawCaption(pDC, pPane, rc);
        return;
    }
    const CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 1);
    m_themeWindow.DrawThemeBackground(*pDC, WP_SMALLCAPTION, m_bCaptionActive ? 1 : 2, rcBand, nullptr);
    const COLORREF clrText = GetColor(m_bCaptionActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    CRect rcButtons = rcBand;
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcButtons, clrText, 16, 3);
    DrawTitle(pDC, pPane->GetCaptionTitle(), CRect(rcBand.left + 4, rcBand.top + 1, rcButtons.right, rcBand.bottom),
              clrText);
}

void CXTPDockingPaneNativeTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc)
{
    m_bCaptionActive = IsCaptionHighlighted(pFrame);
    if (!m_bWindowThemed) {
        CXTPDockingPaneFlatTheme::DrawFloatingFrame(pDC, pFrame, rc);
        return;
    }
    const int nState = m_bCaptionActive ? 1 : 2;
    const CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 5);
    m_themeWindow.DrawThemeBackground(*pDC, WP_FRAMELEFT, nState, CRect(rc.left, rcBand.bottom, rc.left + 3, rc.bottom),
                                      nullptr);
    m_themeWindow.DrawThemeBackground(*pDC, WP_FRAMERIGHT, nState,
                                      CRect(rc.right - 3, rcBand.bottom, rc.right, rc.bottom), nullptr);
    m_themeWindow.DrawThemeBackground(*pDC, WP_FRAMEBOTTOM, nState,
                                      CRect(rc.left, rc.bottom - 3, rc.right, rc.bottom), nullptr);
    m_themeWindow.DrawThemeBackground(*pDC, WP_SMALLCAPTION, nState, rcBand, nullptr);
    const COLORREF clrText = GetColor(m_bCaptionActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    CRect rcButtons = rcBand;
    rcButtons.DeflateRect(3, 0, 5, 0);
    DrawCaptionButtons(pDC, pFrame->GetCaptionButtons(), rcButtons, clrText, 16, 3);
    DrawTitle(pDC, pFrame->GetCaptionTitle(), CRect(rcBand.left + 4, rcBand.top + 1, rcButtons.right, rcBand.bottom),
              clrText);
}

void CXTPDockingPaneNativeTheme::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph)
{
    if (!m_bExplorerThemed) {
        CXTPDockingPaneFlatTheme::DrawCaptionButton(pDC, pButton, clrGlyph);
        return;
    }
    const BOOL bClose = pButton->GetID() == XTP_IDS_DOCKINGPANE_CLOSE;
    int nState = 1;
    if (m_bCaptionActive) {
        if (bClose)
            nState = pButton->IsPressed() ? 3 : 2;
        else
            nState = pButton->IsPressed() ? 3 : pButton->IsSelected() ? 2 : 1;
    }
    if (!bClose && (pButton->GetState() & xtpPaneStateAutoHidden))
        nState += 3;
    m_themeExplorer.DrawThemeBackground(*pDC, bClose ? EBP_HEADERCLOSE : EBP_HEADERPIN, nState, pButton->GetRect(),
                                        nullptr);
}
