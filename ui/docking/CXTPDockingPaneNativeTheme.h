// Docking theme 6: captions, frames and buttons of the visual style, else the flat theme's.
#pragma once

#include "CXTPDockingPaneFlatTheme.h"
#include "CXTPUxTheme.h"

class CXTPDockingPaneNativeTheme : public CXTPDockingPaneFlatTheme {
public:
    CXTPDockingPaneNativeTheme();
    ~CXTPDockingPaneNativeTheme() override;
    void RefreshMetrics() override;
    void DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) override;
    void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;

    CXTPUxTheme m_themeWindow;
    CXTPUxTheme m_themeExplorer;
    BOOL m_bWindowThemed = FALSE;
    BOOL m_bExplorerThemed = FALSE;

private:
    BOOL m_bCaptionActive = FALSE;  // of the caption whose buttons are being drawn
};
