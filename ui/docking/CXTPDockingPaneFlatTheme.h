// The flat family of docking themes: flat (1), grippered (2), lined (3) and toolbar (9).
#pragma once

#include "CXTPDockingPanePaintManager.h"
#include "CXTPPaintManagerColor.h"
#include "CXTPUxTheme.h"

class CXTPDockingPaneFlatTheme : public CXTPDockingPaneDefaultTheme {
public:
    CXTPDockingPaneFlatTheme();
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) override;
    void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    virtual void DrawCaptionPart(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc, const CString& strTitle,
                                 BOOL bActive);

    BOOL m_bGradientCaption = FALSE;
    CXTPPaintManagerColorGradient m_clrNormalCaption;
    CXTPPaintManagerColorGradient m_clrActiveCaption;
    COLORREF m_clrNormalCaptionText = 0;

    // The system's version as major << 16 | minor; tests put an old one in its place.
    static DWORD (*s_pfnWindowsVersion)();

protected:
    // For a theme built on this one whose own constructor works out the metrics: they are worked
    // out once, when the whole theme stands.
    struct DeferMetrics {};
    explicit CXTPDockingPaneFlatTheme(DeferMetrics);
};

class CXTPDockingPaneGripperedTheme : public CXTPDockingPaneFlatTheme {
public:
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc, const CString& strTitle,
                         BOOL bActive) override;
};

class CXTPDockingPaneLinedTheme : public CXTPDockingPaneFlatTheme {
public:
    CXTPDockingPaneLinedTheme();
    void DrawPane(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) override;
    void AdjustCaptionRect(CXTPDockingPaneCaptionHost* pPane, CRect& rc) override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) override;
    void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;

protected:
    // Title, then grip lines up to the buttons.
    void DrawTitleAndGrips(CDC* pDC, const CString& strTitle, CRect rc, BOOL bActive);
};

class CXTPDockingPaneToolbarTheme : public CXTPDockingPaneGripperedTheme {
public:
    CXTPDockingPaneToolbarTheme();
    ~CXTPDockingPaneToolbarTheme() override;
    void RefreshMetrics() override;
    void DrawCaptionPart(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc, const CString& strTitle,
                         BOOL bActive) override;
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;

    CXTPUxTheme m_themeRebar;
    CXTPUxTheme m_themeToolbar;
    BOOL m_bRebarThemed = FALSE;
    BOOL m_bToolbarThemed = FALSE;
};
