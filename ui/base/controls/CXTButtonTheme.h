// Button themes: the classic 3-D look, the flat XP look, the Luna look, and their factory.
#pragma once

#include <windows.h>

#include "CRect.h"
#include "CXTPPaintManagerColor.h"
#include "CXTPUxTheme.h"
#include "CXTThemeManagerStyle.h"

class CDC;
class CFont;
class CXTButton;

class CXTButtonTheme : public CXTThemeManagerStyle {
public:
    CXTButtonTheme();
    ~CXTButtonTheme() override = default;

    void RefreshMetrics() override;
    virtual BOOL IsHotTracking(CXTButton* pButton);
    virtual BOOL IsVisualStyle(CXTButton* pButton);
    virtual BOOL GetShowImage() const { return m_bShowImage; }
    virtual void SetShowImage(BOOL bShow) { m_bShowImage = bShow; }
    virtual CFont* GetThemeFont(CXTButton* pButton);
    virtual void SetThemeFont(CFont* pFont) { m_pFont = pFont; }
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clr) { m_clrFace.SetCustomValue(clr); }
    virtual COLORREF GetFaceColor() const { return m_clrFace; }
    virtual void SetLightColor(COLORREF clr) { m_clrLight.SetCustomValue(clr); }
    virtual void SetShadowColor(COLORREF clr) { m_clrShadow.SetCustomValue(clr); }
    virtual void SetTextColor(COLORREF clr) { m_clrText.SetCustomValue(clr); }
    virtual CPoint CalcCenteredOrigin(CSize size, CXTButton* pButton, const CRect& rcItem);
    virtual CPoint CalcTextPosition(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton);
    virtual COLORREF GetTextColor(UINT nState, CXTButton* pButton);
    virtual void DrawButtonText(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton);
    virtual CPoint CalcImagePosition(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton);
    virtual void DrawButtonImage(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS, CXTButton* pButton);
    virtual BOOL DrawVisualStyleBackground(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton);
    virtual void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton);
    virtual void DrawFocusRect(CDC* pDC, const CRect& rcItem, CXTButton* pButton);

    int m_nThemeId = 0;  // 0 classic, 1 XP, 2 Luna
    BOOL m_bShowImage = TRUE;
    BOOL m_bOffsetHiliteText = TRUE;  // pressed text moves by one pixel
    CFont* m_pFont = nullptr;
    CXTPPaintManagerColor m_clrFace, m_clrText, m_clrDisabledText, m_clrLight, m_clrShadow, m_clrHighlight,
        m_clrDarkShadow;
    CXTPUxTheme m_themeButton;

protected:
    static BOOL IsPressed(UINT nState, CXTButton* pButton);
    // Is the text to be drawn, and how big: the item's text measured in the theme font.
    CSize GetTextSize(CDC* pDC, CXTButton* pButton);
};

class CXTButtonThemeXP : public CXTButtonTheme {
public:
    CXTButtonThemeXP();

    void RefreshMetrics() override;
    COLORREF GetTextColor(UINT nState, CXTButton* pButton) override;
    void DrawButtonImage(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton) override;
    void DrawButtonBackground(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton) override;
    void DrawFocusRect(CDC* pDC, const CRect& rcItem, CXTButton* pButton) override;

    void SetBackgroundSwitch(BOOL bBackground);
    void SetPushedFillColor(COLORREF clr) { m_clrPushedFill.SetCustomValue(clr); }
    void SetHotFillColor(COLORREF clr) { m_clrHotFill.SetCustomValue(clr); }
    void SetPushedTextColor(COLORREF clr) { m_clrPushedText.SetCustomValue(clr); }
    void SetHotTextColor(COLORREF clr) { m_clrHotText.SetCustomValue(clr); }

    BOOL m_bBackground = FALSE;  // the face takes the XP background and the resting button a border
    BOOL m_bFadedIcon = TRUE;
    BOOL m_bIconShadow = TRUE;
    CXTPPaintManagerColor m_clrPushedFill, m_clrHotFill, m_clrPushedText, m_clrHotText, m_clrCheckedFill;
};

class CXTButtonThemeLuna : public CXTButtonThemeXP {
public:
    CXTButtonThemeLuna();
    void RefreshMetrics() override;
};

class CXTButtonThemeFactory : public CXTThemeManagerStyleFactory {
    DECLARE_DYNCREATE(CXTButtonThemeFactory)

public:
    CXTThemeManagerStyle* CreateTheme(int nTheme) override;
};
