// The default command-bar theme: raised and sunken 3-D edges in the system face colours.
#pragma once

#include "CXTPPaintManager.h"

class CXTPTheme1 : public CXTPPaintManager {
public:
    CXTPTheme1();

    CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw) override;
    void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc) override;
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
    CSize DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                             BOOL bDraw, void* lpParam) override;
    CRect GetBarBorders(CXTPCommandBar* pBar) override;
    CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw) override;
    void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, int nSelected, int nPressed,
                   BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) override;
    CSize DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() override { return 1; }

    // The frame of an edit or combo field: sunken when enabled, else one colour all round.
    virtual void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
    // The button of a combo box.
    virtual void DrawDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped);
    // Draws (format plus single line, vertically centred) or measures a caption; a disabled,
    // unselected control's text is embossed.
    virtual CSize DrawCaptionText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                                  BOOL bSelected, BOOL bEnabled);

    // Colour index of popup entries' text.
    int m_nPopupTextColor = COLOR_BTNTEXT;

protected:
    // The one-pixel checkerboard of colours 15 and 20 of checked buttons.
    void FillCheckedPattern(CDC* pDC, CRect rc);
    // The height of a space in the font, the base of edit and combo heights.
    static int GetFontSpaceHeight(CDC* pDC, CFont* pFont);
    // An edit or combo control: its label (in popups, or where the control shows it), its field
    // and, for a combo, the drop-down button and the text where it has no field window.
    CSize DrawField(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
};
