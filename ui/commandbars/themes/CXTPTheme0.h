// Theme 0: the flat look, one-pixel framed highlights in the derived colours, menus with an icon band.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CXTPPaintManager.h"

class CDC;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPControl;
class CXTPImageManagerIcon;

class CXTPTheme0 : public CXTPPaintManager {
public:
    CXTPTheme0();

    static CXTPPaintManager* Create() { return new CXTPTheme0; }

    CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    CSize DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bCaption,
                             CXTPCommandBars* pCommandBars) override;
    void DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar) override;
    void FillControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked,
                          BOOL bPopuped, int nBarPosition) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                       int nBarType, int nBarPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    CSize DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) override;
    BOOL IsFlatToolBar() override { return TRUE; }
    // A hidden control in the expand popup's list is drawn as a menu entry; the rest as the base draws them.
    CSize DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                             BOOL bDraw, void* lpParam) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, int nSelected, int nPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage = FALSE) override;
    CSize DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() override { return 0; }
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane) override;

    // The icon band of a menu: colour 42 beside entries shown by expanding it, else colour 30.
    virtual void FillIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);

    // The icon band's width in a bar: max(icon width + 4, text row height + 4) + 1.
    int GetPopupBarIconColumnWidth(CXTPCommandBar* pBar) const;

    // The drop-down button's width in a combo control.
    enum { kDropDownWidth = 16 };

protected:
    explicit CXTPTheme0(DeferMetrics);

    // Frames in one colour index and fills with another (the order the theme tables use).
    void FrameFill(CDC* pDC, CRect rc, int nFrameIndex, int nFillIndex) { FillRectangle(pDC, rc, nFillIndex, nFrameIndex); }
    // The tear-off band: strokes of half-length up to nMaxHalf, a pixel every nPitch (1: solid).
    CSize DrawTearOffStrokes(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw, int nMaxHalf, int nPitch);
    // The caption band of a floating bar, filled in the colour; its size.
    CSize DrawFloatingCaption(CDC* pDC, CXTPCommandBar* pBar, COLORREF clrBand, BOOL bDraw);
    // The four pixels nInset from each corner of rc.
    static void SetCornerPixels(CDC* pDC, CRect rc, int nInset, COLORREF clr);
    // A popup's frame and face, its icon band, and the joint with its control in colour nJoint.
    void DrawPopupBackground(CDC* pDC, CXTPCommandBar* pBar, int nJoint);
    // The part of the popup's border that touches the control it opened from, client-relative; empty when none.
    static CRect GetPopupJoint(CXTPCommandBar* pBar);
    // Edit and combo fields: the label, then the field with a drop-down button of nButton pixels (0: none).
    CSize DrawFieldControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw, int nButton);
    // The drop-down glyph centred in the button, moved one pixel right and down.
    void DrawDropDownGlyph(CDC* pDC, CRect rcButton, int nColour);
    // Caption text drawn (or, without bDraw, measured into the rectangle) in the DC's font and colour.
    static CSize DrawMenuText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw);
};
