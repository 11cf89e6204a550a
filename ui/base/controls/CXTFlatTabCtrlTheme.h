// The look of the flat tab strip: trapezoid tabs, navigation buttons and the gripper.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CXTPPaintManagerColor.h"
#include "CXTThemeManagerStyle.h"

class CDC;
class CFont;

class CXTFlatTabCtrlTheme : public CXTThemeManagerStyle {
public:
    CXTFlatTabCtrlTheme();
    void RefreshMetrics() override;

    // A tab in rect: a trapezoid whose long edge lies on the panel side (the top of a strip at
    // the bottom; the bottom with bTop).
    virtual void DrawTab(CDC* pDC, const CRect& rect, const char* lpszText, CFont* pFont, BOOL bSelected, BOOL bTop);
    // A navigation button: nDirection -1 points left, +1 right; bBar adds the bar at the point.
    virtual void DrawButton(CDC* pDC, const CRect& rect, int nDirection, BOOL bBar, BOOL bPressed, BOOL bEnabled);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);

    CXTPPaintManagerColor m_clr3DShadow, m_clrBtnText, m_clr3DHilight, m_clrWindow, m_clr3DFace, m_clrWindowText;
    int m_cxButton = 0;
    int m_cyStrip = 0;
};

class CXTFlatTabCtrlThemeFactory : public CXTThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CXTFlatTabCtrlThemeFactory)

public:
    CXTThemeManagerStyle* CreateTheme(int nTheme) override;
};
