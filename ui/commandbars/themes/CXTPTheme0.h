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

    virtual CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual CSize DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bCaption,
                                     CXTPCommandBars* pCommandBars);
    virtual void DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar);
    virtual void FillControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
                                  BOOL bPopuped, int nBarPosition);
    virtual void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int nBarType, int nBarPosition);
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    virtual CSize DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw);
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical);
    BOOL IsFlatToolBar() override { return TRUE; }
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rcGripper, BOOL bHot, BOOL bDraw);
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, int nSelected, int nPressed,
                           BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage = FALSE);
    virtual CSize DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw);
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane) override;

    // The icon band of a menu: colour 42 beside entries shown by expanding it, else colour 30.
    virtual void FillIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bExpanded);

    // The icon band's width in a bar: max(icon width + 4, text row height + 4) + 1.
    int GetPopupBarIconColumnWidth(CXTPCommandBar* pBar) const;

    // The drop-down button's width in a combo control.
    enum { kDropDownWidth = 16 };

protected:
    // Frames in one colour index and fills with another (the order the theme tables use).
    void FrameFill(CDC* pDC, CRect rc, int nFrameIndex, int nFillIndex) { FillRectangle(pDC, rc, nFillIndex, nFrameIndex); }
    // The caption band of a floating bar, filled in the colour; its size.
    CSize DrawFloatingCaption(CDC* pDC, CXTPCommandBar* pBar, COLORREF clrBand, BOOL bDraw);
    // The part of the popup's border that touches the control it opened from, client-relative; empty when none.
    static CRect GetPopupJoint(CXTPCommandBar* pBar);
    // Edit and combo fields: the label, then the field with a drop-down button of nButton pixels (0: none).
    CSize DrawFieldControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw, int nButton);
    // The drop-down glyph centred in the button, moved one pixel right and down.
    void DrawDropDownGlyph(CDC* pDC, CRect rcButton, int nColour);
    // Caption text drawn (or, without bDraw, measured into the rectangle) in the DC's font and colour.
    static CSize DrawMenuText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw);
};
