// The gradient docking themes: rounded gradient captions with a gripper, and the bold variant.
#include "CXTPDockingPaneGradientTheme.h"

#include <cstring>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "ExcludeCornerPixels.h"
#include "CXTPTabPaintManager.h"
#include "CXTSystemData.h"

// ---- Gradient (5) -----------------------------------------------------------------------------

CXTPDockingPaneGradientTheme::CXTPDockingPaneGradientTheme()
{
    m_nTextMargin = 7;
    for (CXTPTabPaintManager* pTabs : {m_pPanelPaintManager, m_pTabPaintManager}) {
        pTabs->SetAppearance(xtpTabAppearanceRounded);
        pTabs->SetColor(xtpTabColorScheme);
        pTabs->m_bHotTracking = TRUE;
    }
    RefreshMetrics();
}

void CXTPDockingPaneGradientTheme::RefreshMetrics()
{
    CXTPDockingPaneFlatTheme::RefreshMetrics();
    m_clrInactiveLight = CXTPColorManager::BlendColors(GetColor(COLOR_BTNFACE), GetColor(COLOR_WINDOW), 205);
    m_clrInactiveDark = GetColor(COLOR_BTNFACE);
    m_clrActiveLight = m_clrActiveDark = GetColor(36);
    m_clrInactiveText = m_clrActiveText = GetColor(COLOR_BTNTEXT);
    m_bLunaScheme = FALSE;

    const int nScheme = GetCurrentSystemTheme();
    if (nScheme < 1 || nScheme > 3)
        return;
    struct Scheme {
        COLORREF inactiveDark, inactiveLight, c51, c38, c39, c40, c41, c43, c31, c32, c33, c36, c30;
    };
    static const Scheme schemes[3] = {
        {0xE2A981, 0xFEECDD, 0xFCE7D8, 0x764127, 0xCB8C6A, 0xD0966D, 0xF6F6F6, 0x962D00, 0xC2EEFF, 0x800000,
         0x3E80FE, 0x6FC0FF, 0xF5BE9E},
        {0x91C6B7, 0xDEF7F4, 0xBFE7E2, 0x335E51, 0x588060, 0x7AAE9F, 0xEEF4F4, 0x5E8D75, 0xC2EEFF, 0x385D3F,
         0x3E80FE, 0x6FC0FF, 0xA7D9D9},
        {0xB59799, 0xFAF4F3, 0xEADFDF, 0x755454, 0x8F6D6E, 0xBEA7A8, 0xFFFAFD, 0x947C7C, 0xC2EEFF, 0x6F4B4B,
         0x3E80FE, 0x6FC0FF, 0xE5D7D7},
    };
    const Scheme& s = schemes[nScheme - 1];
    m_clrInactiveDark = s.inactiveDark;
    m_clrInactiveLight = s.inactiveLight;
    const int indexes[] = {51, 38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};
    const COLORREF values[] = {s.c51, s.c38, s.c39, s.c40, s.c41, s.c43, s.c31, s.c32, s.c32, s.c32, s.c33, s.c36, s.c30, 0};
    SetColors(sizeof(indexes) / sizeof(indexes[0]), indexes, values);
    m_bLunaScheme = TRUE;
    m_clrActiveLight = 0x8CD5FF;
    m_clrActiveDark = 0x4CA6FF;
}

void CXTPDockingPaneGradientTheme::DrawCaptionBand(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rcBand,
                                                   const CString& strTitle, BOOL bActive, int nButtonsLeftInset,
                                                   int nButtonsRightInset)
{
    const COLORREF clrLight = bActive ? m_clrActiveLight : m_clrInactiveLight;
    const COLORREF clrDark = bActive ? m_clrActiveDark : m_clrInactiveDark;
    const COLORREF clrText = bActive ? m_clrActiveText : m_clrInactiveText;
    const int nSaved = pDC->SaveDC();
    CRect rcGradient = rcBand;
    if (m_bRoundedCaption) {
        pDC->FillSolidRect(rcBand, GetColor(51));
        rcGradient.top += 1;
        ExcludeCornerPixels(pDC, rcGradient);
    }
    XTPDrawHelpers()->GradientFill(pDC, rcGradient, clrLight, clrDark, FALSE);
    pDC->RestoreDC(nSaved);
    if (!m_bRoundedCaption) {
        Line(pDC, rcBand.left, rcBand.bottom, rcBand.left, rcBand.top, 54);
        Line(pDC, rcBand.left, rcBand.top, rcBand.right - 1, rcBand.top, 54);
        Line(pDC, rcBand.right - 1, rcBand.top, rcBand.right - 1, rcBand.bottom, 54);
    }

    CRect rcButtons(rcBand.left + nButtonsLeftInset, rcBand.top, rcBand.right - nButtonsRightInset, rcBand.bottom);
    DrawCaptionButtons(pDC, pPane->GetCaptionButtons(), rcButtons, clrText, 16, 0);

    int nTitleLeft = rcBand.left + 6;
    if (m_bGripper && rcBand.Width() > 7 && rcBand.Height() - 3 > 5) {
        const int x0 = rcBand.left + 5;
        for (int y = 5; y < rcBand.Height() - 3; y += 4) {
            pDC->FillSolidRect(x0 + 1, rcBand.top + y + 1, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
            pDC->FillSolidRect(x0, rcBand.top + y, 2, 2, GetColor(38));
        }
        nTitleLeft += 8;
    }
    DrawTitle(pDC, strTitle, CRect(nTitleLeft, rcBand.top + 1, rcButtons.right - 2, rcBand.bottom), clrText);
}

void CXTPDockingPaneGradientTheme::DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc)
{
    const CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 3);
    DrawCaptionBand(pDC, pPane, rcBand, pPane->GetCaptionTitle(), IsCaptionHighlighted(pPane), 0, 4);
}

void CXTPDockingPaneGradientTheme::DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc)
{
    for (int i = 0; i < 3; ++i) {
        pDC->Draw3dRect(rc, GetColor(43), GetColor(43));
        if (i < 2)
            rc.DeflateRect(1, 1);
    }
    // The innermost ring again in the inactive dark colour, its corners kept.
    {
        const int nSaved = pDC->SaveDC();
        ExcludeCornerPixels(pDC, rc);
        pDC->Draw3dRect(rc, m_clrInactiveDark, m_clrInactiveDark);
        pDC->RestoreDC(nSaved);
    }
    const CRect rcBand(rc.left, rc.top, rc.right, rc.top + m_nTitleHeight + 3);
    if (rcBand.Width() <= 0 || rcBand.Height() <= 0)
        return;
    {
        // Painted off screen and copied in one piece.
        CDC dcMem;
        dcMem.CreateCompatibleDC(pDC);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(pDC, rcBand.Width(), rcBand.Height());
        CBitmap* pOld = dcMem.SelectObject(&bitmap);
        dcMem.SetViewportOrg(-rcBand.left, -rcBand.top);
        DrawCaptionBand(&dcMem, pFrame, rcBand, pFrame->GetCaptionTitle(), IsCaptionHighlighted(pFrame), 1, 5);
        dcMem.SetViewportOrg(0, 0);
        pDC->BitBlt(rcBand.left, rcBand.top, rcBand.Width(), rcBand.Height(), &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    pDC->SetPixel(rcBand.left, rcBand.bottom, m_clrInactiveDark);
    pDC->SetPixel(rcBand.right - 1, rcBand.bottom, m_clrInactiveDark);
}

void CXTPDockingPaneGradientTheme::DrawCaptionButtonEntry(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                          COLORREF& clrGlyph)
{
    const CRect rc = pButton->GetRect();
    const COLORREF clrFrame = GetColor(32);
    if (pButton->IsPressed()) {
        if (m_bLunaScheme) {
            XTPDrawHelpers()->GradientFill(pDC, rc, 0x4B8EFE, 0x8BCFFF, FALSE);
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
            clrGlyph = 0;
        } else {
            Rectangle(pDC, rc, 33, 32);
            clrGlyph = GetColor(47);
        }
    } else if (pButton->IsSelected()) {
        if (m_bLunaScheme) {
            XTPDrawHelpers()->GradientFill(pDC, rc, 0xC8F2FF, 0x97D4FF, FALSE);
            pDC->Draw3dRect(rc, clrFrame, clrFrame);
            clrGlyph = 0;
        } else {
            Rectangle(pDC, rc, 31, 32);
            clrGlyph = GetColor(45);
        }
    }
}

void CXTPDockingPaneGradientTheme::DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton,
                                                     COLORREF clrGlyph)
{
    DrawCaptionButtonEntry(pDC, pButton, clrGlyph);
    DrawGlyph(pDC, pButton, pButton->GetRect(), clrGlyph);
}

// ---- Bold gradient (8) ------------------------------------------------------------------------

CXTPDockingPaneBoldGradientTheme::CXTPDockingPaneBoldGradientTheme()
{
    m_bGripper = FALSE;
    m_bRoundedCaption = FALSE;
    m_nTextMargin = 3;
    RefreshMetrics();
}

void CXTPDockingPaneBoldGradientTheme::RefreshMetrics()
{
    CXTPDockingPaneGradientTheme::RefreshMetrics();
    if (m_bUseSystemFont) {
        LOGFONTA lf = {};
        ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
        CXTSystemData::FitCharSet(lf);
        std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
        std::strcpy(lf.lfFaceName, "Arial");
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 20;
        // Kept through later refreshes: the system font is no longer followed.
        SetCaptionFont(&lf, FALSE);
    }
    if (m_bLunaScheme) {
        const CXTPPaintManagerColorGradient& grc = GetColorManager()->GetGradient(0);
        m_clrInactiveLight = grc.clrLight;
        m_clrInactiveDark = grc.clrDark;
        m_clrInactiveText = 0xFFFFFF;
    } else {
        m_clrInactiveLight = CXTPColorManager::BlendColors(GetColor(COLOR_BTNSHADOW), GetColor(COLOR_WINDOW), 205);
        m_clrInactiveDark = GetColor(COLOR_BTNSHADOW);
    }
}
