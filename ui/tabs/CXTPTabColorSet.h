// The colour sets of a tab paint manager: 37 named colours and the fills that depend on colour.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CRect.h"
#include "CXTPPaintManagerColor.h"
#include "CXTPUxTheme.h"

class CXTPTabManager;
class CXTPTabManagerItem;
class CXTPTabManagerNavigateButton;
class CXTPTabPaintManager;

// A standard value meaning: fill with the checkerboard of colours 15 and 20.
const COLORREF XTP_TABCOLOR_HALFTONE = 0xFFFFFFFE;

class CXTPTabColorSet {
public:
    CXTPTabColorSet();
    virtual ~CXTPTabColorSet() = default;
    CXTPTabColorSet(const CXTPTabColorSet&) = delete;
    CXTPTabColorSet& operator=(const CXTPTabColorSet&) = delete;

    virtual void RefreshMetrics();
    virtual void SetTextColor(CDC* pDC, CXTPTabManagerItem* pItem);
    virtual void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
    virtual void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager);
    virtual void FillButtonTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
    virtual COLORREF FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
    // Leaves one corner pixel of the client rectangle out of the clip (native set only).
    virtual void ExcludeClientCorner(CDC* /*pDC*/, CXTPTabManager* /*pTabManager*/, CRect /*rcClient*/) {}
    // Draws the face of a navigation button and sets the DC's text colour for its glyph.
    virtual void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) = 0;
    virtual COLORREF GetItemColor(CXTPTabManagerItem* pItem);
    virtual BOOL IsVisualStyle() { return FALSE; }

    void SetPaintManager(CXTPTabPaintManager* pPaintManager) { m_pPaintManager = pPaintManager; }
    CXTPTabPaintManager* GetPaintManager() const { return m_pPaintManager; }

    // The gradient by position: the first colour faces away from the client; halftone as a pattern.
    void GradientFill(CDC* pDC, CRect rc, COLORREF clrLight, COLORREF clrDark, int nPosition);
    static void FillHalftone(CDC* pDC, const CRect& rc);

    // While one lives, the set's gradients take the DC's depth as asked once: a paint of the
    // whole control shades up to a hundred tabs, and each question goes to the display server.
    class CPaintScope {
    public:
        CPaintScope(CXTPTabColorSet* pColorSet, CDC* pDC);
        ~CPaintScope();
        CPaintScope(const CPaintScope&) = delete;
        CPaintScope& operator=(const CPaintScope&) = delete;

    private:
        CXTPTabColorSet* m_pColorSet;
        int m_nOuterLowResolution;
    };

    // The 37 entries, in their order.
    CXTPPaintManagerColorGradient m_clrHeaderFace;    // 1-2
    CXTPPaintManagerColorGradient m_clrAutoHideFace;  // 3-4, the auto-hide panel
    CXTPPaintManagerColor m_clrFrameBorder;           // 5
    CXTPPaintManagerColor m_clrControlFace;           // 6, the workspace background
    CXTPPaintManagerColor m_clrBorderHighlight;       // 7, the light edge
    CXTPPaintManagerColor m_clrSelectedFace;          // 8
    CXTPPaintManagerColor m_clrNormalFace;            // 9
    CXTPPaintManagerColor m_clrNormalText;            // 10
    CXTPPaintManagerColor m_clrInActiveText;          // 11
    CXTPPaintManagerColor m_clrSelectedText;          // 12
    CXTPPaintManagerColor m_clrHighlightText;         // 13
    CXTPPaintManagerColor m_clrDisabledText;          // 14
    CXTPPaintManagerColorGradient m_clrButtonSelected;  // 15-16, the selected button-style tab
    CXTPPaintManagerColorGradient m_clrButtonBorder;    // 17-18, its frame (top-left, bottom-right)
    CXTPPaintManagerColor m_clr3DHighlight;           // 19
    CXTPPaintManagerColor m_clr3DShadow;              // 20
    CXTPPaintManagerColor m_clr3DDarkShadow;          // 21
    CXTPPaintManagerColor m_clrNormalOutline;         // 22
    CXTPPaintManagerColor m_clrSelectedOutline;       // 23
    CXTPPaintManagerColor m_clrInnerLine1;            // 24
    CXTPPaintManagerColor m_clrInnerLine2;            // 25
    CXTPPaintManagerColor m_clrSelectedEdges[6];      // 26-31
    CXTPPaintManagerColor m_clrNormalEdges[6];        // 32-37

protected:
    int GetAppearance() const;
    int GetPosition() const;
    // Face of a navigation button drawn with two frame colours and the glyph shifted when pressed.
    void FillNavigateButton3D(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc, int nPressedTopLeft,
                              int nPressedBottomRight, int nGlyph);
    void FillButtonTabBase(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);

    CXTPTabPaintManager* m_pPaintManager = nullptr;

private:
    int m_nLowResolution = -1;  // the DC's depth within a paint scope (TRUE, FALSE), else -1
};

// Set 1: the system's colours, with a half-tone selected button.
class CXTPTabColorSetDefault : public CXTPTabColorSet {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Set 2: a softer header.
class CXTPTabColorSetSoft : public CXTPTabColorSet {
public:
    void RefreshMetrics() override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Set 4: the colours of the visual style's colour scheme, with gradient faces.
class CXTPTabColorSetScheme : public CXTPTabColorSet {
public:
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;

    CXTPPaintManagerColor m_clrHighlightFace;
    CXTPPaintManagerColor m_clrButtonLine;
    BOOL m_bLunaScheme = FALSE;

protected:
    COLORREF FillGradientTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem);
};

// Set 8: the visual style's own tabs and toolbar buttons where they are available.
class CXTPTabColorSetNative : public CXTPTabColorSetDefault {
public:
    ~CXTPTabColorSetNative() override;
    void RefreshMetrics() override;
    void FillClient(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
    void FillButtonTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    COLORREF FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;
    void ExcludeClientCorner(CDC* pDC, CXTPTabManager* pTabManager, CRect rcClient) override;
    void FillNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc) override;
    BOOL IsVisualStyle() override { return m_bTabThemed; }

    CXTPUxTheme m_themeTab;
    CXTPUxTheme m_themeToolbar;

protected:
    // Draws the top-position tab image and turns it into place for the other positions.
    void DrawTurnedTabItem(CDC* pDC, CRect rc, int nState, int nPosition);

    BOOL m_bTabThemed = FALSE;
    BOOL m_bToolbarThemed = FALSE;
};

// Set 16: light faces.
class CXTPTabColorSetLight : public CXTPTabColorSetScheme {
public:
    void RefreshMetrics() override;
    COLORREF FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;

    BOOL m_bGradientFaces = FALSE;
};

// The shaded docking theme's set; its header gradient runs on across the whole frame.
class CXTPTabColorSetShaded : public CXTPTabColorSetScheme {
public:
    explicit CXTPTabColorSetShaded(BOOL bPaneTabs) : m_bPaneTabs(bPaneTabs) {}
    void RefreshMetrics() override;
    void FillHeader(CDC* pDC, CRect rc, CXTPTabManager* pTabManager) override;
    COLORREF FillTab(CDC* pDC, CRect rc, CXTPTabManagerItem* pItem) override;

    BOOL m_bGradientFaces = FALSE;
    BOOL m_bPaneTabs;  // pane tabs; otherwise auto-hide tabs

    // The window the header's frame gradient is measured in (the tab control's window).
    HWND m_hWndHeader = nullptr;

private:
    // Half the full-screen width, the least the header gradient spans; asked once per
    // refresh, not per header painted (each question is a round trip to the window server).
    int m_nHalfScreenWidth = 0;
};
