// Theme 2: theme 0's flat framing with two-colour gradients that follow the visual style's colour scheme.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "CXTPTheme0.h"
#include "CXTPUxTheme.h"

class CWnd;

class CXTPTheme2 : public CXTPTheme0 {
public:
    CXTPTheme2();
    ~CXTPTheme2() override;

    static CXTPPaintManager* Create() { return new CXTPTheme2; }

    void RefreshMetrics() override;
    void DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                       int nBarType, int nBarPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw) override;
    CSize DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane) override;
    void FillIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded) override;
    // A dock bar: one gradient whatever its width, or plain with the styles 0x100 or 0x4000.
    void FillCommandBarEntry(CDC* pDC, CWnd* pBar) override;
    // Bars docked at the top or bottom keep 4 pixels on the left for the gripper dots.
    CRect GetBarBorders(CXTPCommandBar* pBar) override;
    // The toolbar's expand button on a gradient, and the expand entry of a collapsed menu with its ball.
    CSize DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                             BOOL bDraw, void* lpParam) override;
    int GetCurrentTheme() override { return 2; }

    BOOL IsPaletteInForce() const { return m_bPaletteInForce; }
    // The shaded ball of the expand entry: one 16 x 16 image, green (0x00FF00) transparent.
    HIMAGELIST GetBallImage() const { return m_hBallImage; }
    // The ball's grey level at (x, y): 255 is transparent, 0 the tint's start colour.
    static int GetBallLevel(int x, int y);

    COLORREF m_clrDockStart = 0, m_clrDockEnd = 0;
    COLORREF m_clrBandStart = 0, m_clrBandEnd = 0;
    COLORREF m_clrPoppedStart = 0, m_clrPoppedEnd = 0;
    COLORREF m_clrBarEdge = 0;
    COLORREF m_clrGripper = 0;
    COLORREF m_clrReserved1 = 0, m_clrReserved2 = 0;  // set per scheme, drawn by nobody
    COLORREF m_clrExpandedStart = 0, m_clrExpandedEnd = 0;
    COLORREF m_clrTintStart = 0, m_clrTintEnd = 0;
    COLORREF m_clrStatusPaneBorder = 0;

protected:
    explicit CXTPTheme2(DeferMetrics);

    // The metrics without a scheme palette, then the scheme's when one is active.
    void RefreshGradients();
    void BuildBallImage();
    // The gradient across a docked bar's thickness (horizontal for left and right bars).
    void DrawDockedGradient(CDC* pDC, CRect rc, COLORREF clrFrom, COLORREF clrTo, int nBarPosition);
    // The dock gradient over rc, widened to half the screen so that bars of any width share it.
    void FillDockGradient(CDC* pDC, CRect rc);
    // Gripper dots: 2 x 2 highlight squares under 2 x 2 squares in colour 38, 4 pixels apart.
    void DrawGripperDots(CDC* pDC, CRect rc, BOOL bAlongHeight);
    // The expand button's glyphs in one colour: a bar and a down triangle at the button's end, and
    // two chevrons when controls are hidden; turned for vertical bars.
    void DrawExpandGlyphs(CDC* pDC, CRect rc, BOOL bVertical, BOOL bHidden, COLORREF clr);

    BOOL m_bPaletteInForce = FALSE;
    CXTPUxTheme m_themeStatusBar;
    HIMAGELIST m_hBallImage = nullptr;
};
