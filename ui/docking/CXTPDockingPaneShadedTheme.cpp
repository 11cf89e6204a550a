// Docking theme 7: shaded tab rows and a splitter gradient continuous across the frame.
#include "CXTPDockingPaneShadedTheme.h"

#include <algorithm>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPEmptyRect.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabColorSet.h"
#include "CXTPTabPaintManager.h"

CXTPDockingPaneShadedTheme::CXTPDockingPaneShadedTheme() : CXTPDockingPaneFlatTheme(DeferMetrics())
{
    for (CXTPTabPaintManager* pTabs : {m_pTabPaintManager, m_pPanelPaintManager}) {
        const BOOL bPane = pTabs == m_pTabPaintManager;
        pTabs->SetAppearance(xtpTabAppearanceRounded);
        static_cast<CXTPTabAppearanceRounded*>(pTabs->GetAppearanceSet())->m_bCornerSmoothing = FALSE;
        pTabs->m_bDisableLunaColors = TRUE;
        pTabs->SetColorSet(new CXTPTabColorSetShaded(bPane));
        pTabs->m_bHotTracking = FALSE;
        if (bPane)
            pTabs->m_nFrameStyle = xtpTabFrameNone;
        else
            pTabs->SetLayout(xtpTabLayoutAutoSize);
    }
    m_rcCaptionMargin = CRect(0, 0, 0, 0);
    m_bGradientCaption = TRUE;
    m_bBoldCaption = FALSE;
    m_nSchemeMode = 0;
    RefreshMetrics();
}

void CXTPDockingPaneShadedTheme::RefreshMetrics()
{
    CXTPDockingPaneFlatTheme::RefreshMetrics();
    m_nHalfScreenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
    const int nScheme = GetColorManager()->GetCurrentSystemTheme();
    if (nScheme == 1 || nScheme == 2) {
        m_clrNormalCaption.SetStandardValue(0xC6D7D8, 0xE5EFEE);
        m_clrNormalCaptionText = 0;
    } else if (nScheme == 3) {
        m_clrNormalCaption.SetStandardValue(0xEBE0E0, 0xF6F2F2);
        m_clrNormalCaptionText = 0;
        m_clrActiveCaption.SetStandardValue(0xBA9EA0, 0xEBE1E0);
    }
}

void CXTPDockingPaneShadedTheme::DrawSplitter(CDC* pDC, HWND hWndSplitter)
{
    const CXTPTabColorSet* pSet = m_pTabPaintManager->GetColorSet();
    const COLORREF clrLight = pSet->m_clrHeaderFace.clrLight, clrDark = pSet->m_clrHeaderFace.clrDark;
    const CRect rc = CXTPClientRect(hWndSplitter);
    // Measured across the whole frame, so that splitters and tab rows meet seamlessly.
    HWND hFrame = ::GetAncestor(hWndSplitter, GA_ROOT);
    CRect rcFrame = rc;
    if (hFrame && hFrame != hWndSplitter) {
        rcFrame = CXTPClientRect(hFrame);
        ::MapWindowPoints(hFrame, hWndSplitter, reinterpret_cast<POINT*>(&rcFrame), 2);
    }
    const int nWidth = std::max<int>({rcFrame.Width(), m_nHalfScreenWidth, 1});
    const COLORREF clrLeft = CXTPDrawHelpers::BlendColors(clrLight, clrDark, double(rc.left - rcFrame.left) / nWidth);
    const COLORREF clrRight = CXTPDrawHelpers::BlendColors(clrLight, clrDark, double(rc.right - rcFrame.left) / nWidth);
    XTPDrawHelpers()->GradientFill(pDC, rc, clrLeft, clrRight, TRUE);
}
