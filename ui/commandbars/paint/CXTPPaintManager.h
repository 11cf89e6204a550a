// The painter the command-bar themes derive from: fonts, indexed colours, icon options, shared drawing.
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CDC.h"
#include "CGdiObject.h"
#include "CRect.h"
#include "CString.h"
#include "CXTPColorManager.h"
#include "CXTPPaintManagerColor.h"

// The command bars' types the drawing operations take; the operations that read them are
// defined beside the themes (themes/CXTPPaintManagerControls.cpp).
class CWnd;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPControl;
class CXTPImageManagerIcon;

// The bars' own buttons that DrawSpecialControl draws or measures.
enum XTPSpecialControl {
    xtpButtonExpandToolbar = 0,  // a docked toolbar's expand button
    xtpButtonExpandMenu = 1,     // the expand entry of a collapsed popup
    xtpButtonHideFloating = 2,   // a floating bar's close button
    xtpButtonExpandFloating = 3,  // a floating bar's expand button
    xtpButtonHiddenControl = 4   // a control of the expand popup's list of hidden controls
};

class CXTPPaintManager : public CCmdTarget {
public:
    typedef CXTPPaintManager* (*PFNCREATETHEME)();
    enum { kDefaultTheme = 1 };  // any id without a creator of its own gives the default theme

    CXTPPaintManager();
    ~CXTPPaintManager() override;

    // The current paint manager (the default theme, made on first use) and its replacement.
    static CXTPPaintManager* Current();
    static CXTPPaintManager* SetTheme(int nTheme);
    // A new theme object for the id, with the id stored in it; the caller owns its reference.
    static CXTPPaintManager* CreateTheme(int nTheme);
    // Fills the creator table; a null creator removes the entry. Returns the previous creator.
    static PFNCREATETHEME SetThemeCreator(int nTheme, PFNCREATETHEME pfnCreate);
    // The number the factory made this paint manager for (the one saved is GetCurrentTheme's).
    int GetThemeId() const { return m_nTheme; }

    // Index above 57: the literal colour; otherwise the override when set, else the standard value.
    COLORREF GetColor(int nIndex) const;
    // Standard values of the listed indexes; indexes outside the table are ignored.
    void SetColors(int nCount, const int* pIndexes, const COLORREF* pColors);
    // Mode 5: the colour manager's scheme (0 with its luna colours off); mode 4 the detected one.
    int GetCurrentSystemTheme() const;
    void SetSchemeMode(int nMode) { m_nSchemeMode = nMode; }
    // Faded icons, disabled icons, icons with shadow, in that order.
    BOOL* GetIconOptions() { return &m_bUseFadedIcons; }

    void SetCommandBarsFontIndirect(const LOGFONTA* pFont, BOOL bUseSystemFont = FALSE);
    // Left- and right-docked bars (positions 2, 3) draw with the vertical fonts.
    CFont* GetCommandBarFont(int nBarPosition, BOOL bBold);
    int GetTextHeight() const { return m_nTextHeight; }
    BOOL IsTahomaFont() const { return m_bUseTahoma; }

    // The drawing operations, in slot order. Those returning a size draw only with bDraw and
    // otherwise just measure. Bar positions and types are the command bars' (XTPBarPosition,
    // XTPBarType), passed as int.
    virtual CSize DrawControlPopupParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw) = 0;
    virtual CSize DrawControlToolBarParent(CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    virtual void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc);
    virtual CSize DrawControlComboBox(CDC* pDC, CXTPControl* pControl, BOOL bDraw) = 0;
    virtual CSize DrawControlEdit(CDC* pDC, CXTPControl* pControl, BOOL bDraw) = 0;
    // An entry of the customize dialog's command list; the control and command bars may be null.
    virtual CSize DrawListBoxControl(CDC* pDC, CXTPControl* pControl, CRect rc, BOOL bSelected, BOOL bCaption,
                                     CXTPCommandBars* pCommandBars) = 0;
    virtual void DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar) = 0;
    // Background of a control in its state; leaves the DC's text colour for the caption.
    virtual void FillControlEntry(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bPressed, BOOL bChecked,
                                  BOOL bPopuped, int nBarPosition) = 0;
    virtual void DrawControlEntry(CDC* pDC, CXTPControl* pControl);
    // The state frame of a button or menu entry (selected 0, 1 mouse, 2 keyboard; pressed 0, 1, 2).
    virtual void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                               BOOL bPopuped, int nBarType, int nBarPosition) = 0;
    virtual CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) = 0;
    // The separator before a control that begins a group.
    virtual CSize DrawSeparator(CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl, BOOL bDraw) = 0;
    // The part of a popup control's rectangle its opened popup leaves out of its border.
    virtual void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) = 0;
    virtual void DrawStatusBarGripper(CDC* pDC, CRect rcClient);
    // A dock bar's background: colour 15.
    virtual void FillCommandBarEntry(CDC* pDC, CWnd* pBar);
    // A status bar's background: colour 15.
    virtual void FillStatusBar(CDC* pDC, CWnd* pBar);
    virtual void RefreshMetrics();
    // The theme flag: FALSE in the base; popups cast shadows where it is set.
    virtual BOOL IsFlatToolBar() { return FALSE; }
    virtual CSize DrawSpecialControl(CDC* pDC, XTPSpecialControl nKind, CXTPControl* pControl, CXTPCommandBar* pBar,
                                     BOOL bDraw, void* lpParam);
    // Borders of a bar: 2 pixels each side.
    virtual CRect GetBarBorders(CXTPCommandBar* pBar);
    virtual CSize DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bHot, BOOL bDraw) = 0;
    // A control's icon in its state, at pt with the size sz.
    virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CXTPImageManagerIcon* pImage, int nSelected, int nPressed,
                           BOOL bEnabled, BOOL bChecked, BOOL bPopuped, BOOL bToolBarImage) = 0;
    virtual CSize DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) = 0;
    // The theme number saved with the layout.
    virtual int GetCurrentTheme() = 0;
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane);

    // Measures a control and, with bDraw, draws it: edit and combo controls by their own operations
    // (their windows take the icon-title font when the controls make them), entries of popup bars
    // as menu entries, everything else as toolbar buttons.
    CSize DrawControl(CDC* pDC, CXTPControl* pControl, BOOL bDraw = TRUE);

    // Extent of a toolbar control of the type (2 popup, 4 split button popup) on a horizontal or
    // vertical bar with the bar's button size; szCaption counts when the caption shows beside the image.
    static CSize GetToolBarControlSize(int nType, BOOL bImage, CSize szButton, BOOL bCaption, CSize szCaption,
                                       BOOL bHorizontal);
    // Where the caption starts: across from the control's left edge, or down from its top.
    static int GetToolBarCaptionOffset(BOOL bImage, CSize szButton, BOOL bHorizontal);

    // The caption helper of toolbar buttons: mnemonics stripped, measured and, with bDraw, centred
    // in the rectangle in the DC's text colour; embossed (disabled) text first goes 1 pixel down
    // right in colour 20; bTriangle adds 5 pixels for a small drop-down triangle after the text.
    CSize DrawControlText(CDC* pDC, const CString& strText, CRect rc, BOOL bDraw, BOOL bEmbossed, BOOL bTriangle);

    // Where a bar of the size and position puts its expand button.
    static CRect GetExpandButtonRect(CSize szBar, int nBarPosition);

    // Popup animations from the finished popup image (pSrcDC, at its origin) into the window
    // (pDestDC, at its origin): 2 unfolds from the top-left corner, 3 slides down, 4 fades in over
    // what the window shows now. Other types do nothing.
    void Animate(CDC* pDestDC, CDC* pSrcDC, CSize szPopup, int nType);
    // The unfold animation: rows of controls (tops ascending, the first at 0) grow group by group.
    void AnimateUnfold(CDC* pDestDC, CDC* pSrcDC, CSize szPopup, const int* pRowTops, int nRows);
    // The pause between animation steps (tests make it instant). Returns the previous one.
    static void (*SetAnimationPause(void (*pfnPause)(DWORD dwMilliseconds)))(DWORD);

    // A status pane on plain values: its style, text, whether it is the last pane and the bar's
    // client rectangle and size-grip style decide frame, extent and text.
    void DrawStatusBarPane(CDC* pDC, CRect rc, UINT nStyle, const char* lpszText, BOOL bLastPane,
                           CRect rcClient, BOOL bSizeGrip);

    // One step of the fade: per pixel (under × (255 − α) + popup × α) / 256, α = 255 × k / n, on B, G, R.
    static void FadeStep(const DWORD* pUnder, const DWORD* pPopup, DWORD* pOut, size_t nPixels, int nStep, int nSteps);

    static void Triangle(CDC* pDC, CPoint pt0, CPoint pt1, CPoint pt2, COLORREF clr);
    void FillRectangle(CDC* pDC, CRect rc, int nFillIndex, int nFrameIndex);
    void Draw3dRect(CDC* pDC, CRect rc, int nTopLeftIndex, int nBottomRightIndex);
    void DrawLine(CDC* pDC, int x0, int y0, int x1, int y1, int nIndex);
    static void GradientFill(CDC* pDC, LPCRECT lpRect, COLORREF crFrom, COLORREF crTo, BOOL bHorz);
    // Two shapes of the mark: FALSE the tick, TRUE the even "v".
    static void DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, BOOL bShape);
    static CString StripMnemonics(const CString& strText);
    static CString PrepareRTLCaption(const CString& strText);

    COLORREF m_clrShadowFactor = 0;
    COLORREF m_clrStatusTextColor = 0;
    CFont m_fontRegular, m_fontBold, m_fontVert, m_fontVertBold;
    CFont m_fontSmCaption, m_fontIconTitle, m_fontMarlett, m_fontIconTitleBold;
    int m_nAnimationSteps = 10;
    int m_nAnimationTime = 100;

protected:
    // For a theme whose own constructor works out the metrics: they are worked out once, when
    // the whole theme stands, not again for each class it is built on.
    struct DeferMetrics {};
    explicit CXTPPaintManager(DeferMetrics) {}

    void UpdateFonts();
    // The control types that open a popup (2, 3, 4).
    static BOOL IsPopupType(int nType);
    // A popup control whose popup is open.
    static BOOL IsPopuped(CXTPControl* pControl);
    // The visual-style classes open for the thread's main window; before it exists, for no
    // window, so that a theme made while the frame is being created is styled at once.
    static HWND GetThemeWindow();

    int m_nTextHeight = 0;
    BOOL m_bUseTahoma = FALSE;
    BOOL m_bUseSystemFont = TRUE;
    int m_nTheme = kDefaultTheme;
    BOOL m_bUseFadedIcons = FALSE;
    BOOL m_bUseDisabledIcons = FALSE;
    BOOL m_bIconsWithShadow = FALSE;
    CXTPPaintManagerColor m_arrColor[XPCOLOR_COUNT];
    int m_nSchemeMode = 5;
};

// Shorthand for the current paint manager.
inline CXTPPaintManager* XTPPaintManager()
{
    return CXTPPaintManager::Current();
}
