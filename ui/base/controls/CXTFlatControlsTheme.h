// Themes of the flat combo box and flat edit: the default 3-D look, the XP look and the Luna look.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CXTPPaintManagerColor.h"
#include "CXTThemeManagerStyle.h"

class CDC;
class CWnd;
class CComboBox;

// Drawing states of a flat control.
enum { XT_FLAT_NORMAL = 1, XT_FLAT_RAISED = 2, XT_FLAT_PRESSED = 3 };

// Whether the pointer is over the window.
BOOL XTCursorInWindow(CWnd* pWnd);
// One tick of a flat control's hover timer: stops the timer while the button is down, or once the
// pointer has gone and nothing keeps the control raised. TRUE when the raised state changed.
BOOL XTFlatHoverTick(CWnd* pWnd, UINT_PTR nTimer, BOOL bButtonDown, BOOL bKeepRaised, BOOL& bRaisedDrawn);
// What a flat control does after the mouse and timer steps both flat controls take alike: the
// hover timer started while the pointer moves over the window (a first tick at once), its ticks,
// and the pressed flag.
enum class XTFlatMouseStep { None, HoverTick, TimerTick, Released };
XTFlatMouseStep XTFlatMouseMessage(CWnd* pWnd, UINT_PTR nTimer, BOOL bFlat, BOOL& bButtonDown, UINT message,
                                   WPARAM wParam, LPARAM lParam);

class CXTFlatControlsTheme : public CXTThemeManagerStyle {
public:
    CXTFlatControlsTheme();
    // Both draw in the window's own coordinates: the edit's frame lies outside its client area.
    virtual void DrawFlatComboBox(CDC* pDC, CComboBox* pCombo, int nState);
    virtual void DrawFlatEdit(CDC* pDC, CWnd* pEdit, int nState);

    int m_nThemeId = 0;

protected:
    // The combo's drop button strip, in client coordinates.
    static CRect ButtonRect(const CRect& rcClient, int nExtra);
    // The edit's client rectangle in window coordinates.
    static CRect EditClientRect(CWnd* pEdit);
};

class CXTFlatControlsThemeXP : public CXTFlatControlsTheme {
public:
    CXTFlatControlsThemeXP();
    void RefreshMetrics() override;
    void DrawFlatComboBox(CDC* pDC, CComboBox* pCombo, int nState) override;
    void DrawFlatEdit(CDC* pDC, CWnd* pEdit, int nState) override;

    // Resting and raised borders, face (also the resting button), the edit's inner frame,
    // the button's hot and pressed fills, and the arrow in both states.
    CXTPPaintManagerColor m_clrBorder, m_clrHotBorder, m_clrFace, m_clrInner, m_clrHotFill, m_clrPushedFill,
        m_clrArrow, m_clrPushedArrow;

protected:
    void DrawArrow(CDC* pDC, const CRect& rcButton, COLORREF clr);
};

class CXTFlatControlsThemeLuna : public CXTFlatControlsThemeXP {
public:
    CXTFlatControlsThemeLuna();
    void RefreshMetrics() override;
};

class CXTFlatControlsThemeFactory : public CXTThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CXTFlatControlsThemeFactory)

public:
    CXTThemeManagerStyle* CreateTheme(int nTheme) override;
};
