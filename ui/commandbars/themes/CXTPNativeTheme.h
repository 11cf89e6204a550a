// The command-bar theme drawn with the system's visual styles, the default theme where a
// visual-style class is not active.
#pragma once

#include "CXTPTheme1.h"
#include "CXTPUxTheme.h"

class CXTPNativeTheme : public CXTPTheme1 {
public:
    CXTPNativeTheme();
    ~CXTPNativeTheme() override;

    void DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc) override;
    void DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar) override;
    void DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped,
                       int nBarType, int nBarPosition) override;
    CSize DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    void AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical) override;
    void DrawStatusBarGripper(CDC* pDC, CRect rcClient) override;
    void FillCommandBarEntry(CDC* pDC, CWnd* pBar) override;
    void FillStatusBar(CDC* pDC, CWnd* pBar) override;
    void RefreshMetrics() override;
    CSize DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw) override;
    int GetCurrentTheme() override { return 3; }
    void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane) override;
    void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) override;
    void DrawDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped) override;

    // The rebar background over a window's client area, placed as it lies in the reference
    // window, so that neighbouring bars show one continuous background; colour 15 without styles.
    void FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pReference);

protected:
    // One visual-style class: its handle, and whether the styles really draw with it (learned
    // by RefreshMetrics, which runs again whenever the system's settings change).
    struct ThemeClass {
        CXTPUxTheme theme;
        BOOL bThemed = FALSE;
    };
    static BOOL IsThemed(const ThemeClass& cls) { return cls.bThemed; }

    ThemeClass m_themeRebar;
    ThemeClass m_themeToolbar;
    ThemeClass m_themeComboBox;
    ThemeClass m_themeStatusBar;
    COLORREF m_clrEdgeShadowColor = 0;
};
