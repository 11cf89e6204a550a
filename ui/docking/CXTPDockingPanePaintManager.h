// The docking frame work's painter: caption bars with their buttons, container backgrounds,
// floating frames and splitters; it owns the tab paint managers of pane and auto-hide tabs.
#pragma once

#include <windows.h>

#include <vector>

#include "CCmdTarget.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CRect.h"
#include "CString.h"
#include "CXTPDockingPaneCaptionButton.h"

class CXTPTabPaintManager;

enum XTPDockingPanePaintTheme {
    xtpPaneThemeDefault = 0,
    xtpPaneThemeFlat = 1,
    xtpPaneThemeGrippered = 2,
    xtpPaneThemeLined = 3,
    xtpPaneThemeGradient = 5,
    xtpPaneThemeNative = 6,
    xtpPaneThemeShaded = 7,
    xtpPaneThemeBoldGradient = 8,
    xtpPaneThemeToolbar = 9
};

// DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX, and the measuring flags.
enum { XTP_CAPTION_TEXT_FORMAT = 0x8824, XTP_CAPTION_MEASURE_FORMAT = 0xC20 };

class CXTPDockingPanePaintManager : public CCmdTarget {
public:
    CXTPDockingPanePaintManager();
    ~CXTPDockingPanePaintManager() override;

    // The theme class of a number; numbers without one give the default theme.
    static CXTPDockingPanePaintManager* CreateTheme(int nTheme);

    virtual void DrawPane(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc);
    virtual void DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) = 0;
    // Places the visible buttons from the right edge leftwards; the rectangle then ends before them.
    virtual void DrawCaptionButtons(CDC* pDC, std::vector<CXTPDockingPaneCaptionButton*>& buttons, CRect& rc,
                                    COLORREF clrGlyph, int nSize, int nGap);
    virtual void DrawCaptionButton(CDC* /*pDC*/, CXTPDockingPaneCaptionButton* /*pButton*/, COLORREF /*clrGlyph*/) {}
    virtual void RefreshMetrics();
    virtual void AdjustClientRect(CXTPDockingPaneCaptionHost* pPane, CRect& rc, BOOL bApply);
    virtual void AdjustCaptionRect(CXTPDockingPaneCaptionHost* pPane, CRect& rc);
    virtual void DrawFloatingFrame(CDC* /*pDC*/, CXTPDockingPaneCaptionHost* /*pFrame*/, CRect /*rc*/) {}
    virtual void DrawSplitter(CDC* pDC, HWND hWndSplitter);

    COLORREF GetColor(int nIndex) const;
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pValues);
    int GetCurrentSystemTheme() const;
    void SetCaptionFont(const LOGFONTA* pLogFont, BOOL bUseSystemFont);

    CXTPTabPaintManager* GetTabPaintManager() const { return m_pTabPaintManager; }
    CXTPTabPaintManager* GetAutoHidePanelPaintManager() const { return m_pPanelPaintManager; }
    int GetCaptionHeight() const { return m_nTitleHeight; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    int GetTheme() const { return m_nTheme; }
    CFont* GetCaptionFont() { return &m_fntTitle; }

    // The line-drawn pin: 13 points upright, 11 on its side (state bit 2).
    static int GetPinPoints(const CRect& rcButton, DWORD dwState, BOOL bPressed, POINT* pPoints);
    // The glyphs every theme but the default draws: a two-pixel X or the pin.
    void DrawGlyph(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, CRect rc, COLORREF clrGlyph);

    BOOL m_bBoldCaption = TRUE;
    BOOL m_bHighlightActiveCaption = TRUE;
    int m_nSplitterSize = 4;
    BOOL m_bShowCaption = TRUE;
    BOOL m_bShowTabsAlways = FALSE;  // tab groups show their tab row also for a single pane
    int m_nTextMargin = 5;          // added to the caption font's height
    BOOL m_bUseSystemFont = TRUE;
    CString m_strFontFace = "Tahoma";
    CRect m_rcCaptionMargin{0, 2, 0, 1};
    int m_nSchemeMode = 5;          // 5 follow the colour manager, 4 the visual style, else that scheme

protected:
    void RefreshBaseMetrics();
    BOOL IsCaptionHighlighted(CXTPDockingPaneCaptionHost* pPane) const;
    // Small helpers: a line or a pixel in the colour of an index, a filled and framed rectangle.
    void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor) const;
    void Pixel(CDC* pDC, int x, int y, int nColor) const;
    void Rectangle(CDC* pDC, const CRect& rc, int nFill, int nFrame) const;
    void DrawTitle(CDC* pDC, const CString& strTitle, CRect rc, COLORREF clrText);
    // Where the title's text ends in its rectangle.
    int GetTitleRight(CDC* pDC, const CString& strTitle, const CRect& rcTitle);

    int m_nTitleHeight = 0;
    int m_nTabsHeight = 24;
    CFont m_fntTitle;
    CXTPTabPaintManager* m_pTabPaintManager = nullptr;
    CXTPTabPaintManager* m_pPanelPaintManager = nullptr;
    COLORREF m_arrColor[58] = {};
    int m_nTheme = 0;
};

// Theme 0 (and 4 and every number without a theme): system captions and frame controls.
class CXTPDockingPaneDefaultTheme : public CXTPDockingPanePaintManager {
public:
    CXTPDockingPaneDefaultTheme();
    void DrawCaption(CDC* pDC, CXTPDockingPaneCaptionHost* pPane, CRect rc) override;
    void DrawCaptionButton(CDC* pDC, CXTPDockingPaneCaptionButton* pButton, COLORREF clrGlyph) override;
    void DrawFloatingFrame(CDC* pDC, CXTPDockingPaneCaptionHost* pFrame, CRect rc) override;

protected:
    // The caption colour, the buttons and the title.
    void DrawCaptionBar(CDC* pDC, CXTPDockingPaneCaptionHost* pHost, const CRect& rcCaption);
    // The three nested frames of a floating frame; leaves rc inside them.
    void DrawFrameRings(CDC* pDC, CRect& rc, COLORREF clrOuter);
};
