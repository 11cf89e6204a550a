// The gradient docking themes: gradient (5) and bold gradient (8).
#pragma once

#include "CXTPDockingPaneFlatTheme.h"

class CXTPDockingPaneGradientTheme : public CXTPDockingPaneFlatTheme {
public:
    CXTPDockingPaneGradientTheme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) override;
    void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    // The face of a hot or pressed button; returns the glyph colour.
    virtual void DrawCaptionButtonEntry(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF& clrGlyph);

    COLORREF m_clrInactiveLight = 0, m_clrInactiveDark = 0;
    COLORREF m_clrActiveLight = 0, m_clrActiveDark = 0;
    COLORREF m_clrInactiveText = 0, m_clrActiveText = 0;
    BOOL m_bLunaScheme = FALSE;
    BOOL m_bGripper = TRUE;
    BOOL m_bRoundedCaption = TRUE;

protected:
    // The caption band: gradient, gripper, buttons and title.
    void DrawCaptionBand(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rcBand, const CString& strTitle,
                         BOOL bActive, int nButtonsLeftInset, int nButtonsRightInset);
};

class CXTPDockingPaneBoldGradientTheme : public CXTPDockingPaneGradientTheme {
public:
    CXTPDockingPaneBoldGradientTheme();
    void RefreshMetrics() override;
};
