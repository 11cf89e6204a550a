// An owner-drawn push button with an icon beside or above its text, hot tracking and a button theme.
#pragma once

#include <windows.h>

#include "CButton.h"
#include "CString.h"
#include "CXTThemeManagerStyle.h"

class CXTButtonTheme;
class CXTPImageManagerIcon;

// Extended style bits of the button.
enum {
    BS_XT_FLAT = 0x0001,
    BS_XT_SEMIFLAT = 0x0002,
    BS_XT_TWOROWS = 0x0004,  // image above text
    BS_XT_SHOWFOCUS = 0x0010,
    BS_XT_HILITEPRESSED = 0x0020,  // dither a pushed-in background
    BS_XT_XPFLAT = 0x0040,
    BS_XT_WINXP_COMPAT = 0x1000,  // visual styles draw the background
};

class CXTButton : public CButton, public CXTThemeManagerStyleHost {
    DECLARE_DYNCREATE(CXTButton)

public:
    CXTButton();
    ~CXTButton() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    virtual BOOL SetIcon(CSize size, UINT nID, UINT nHotID = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(int cx, int cy, WORD wID, WORD wHotID = 0, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, HICON hIcon, HICON hHotIcon = nullptr, BOOL bRedraw = TRUE);
    virtual BOOL SetBitmap(CSize size, UINT nID, BOOL bRedraw = TRUE);
    virtual void SetTextAndImagePos(CPoint ptImage, CPoint ptText, BOOL bRedraw = TRUE);
    // Stores the style (and its theme: bit 64 an own XP theme, bit 1 an own classic one); returns the old style.
    virtual DWORD SetXButtonStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetXButtonStyle() const { return m_dwxStyle; }
    virtual BOOL HasTheme() { return GetTheme() != nullptr; }
    virtual void SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual void SetFaceColor(COLORREF clr);
    virtual COLORREF GetFaceColor();
    virtual void SetLightColor(COLORREF clr);
    virtual void SetShadowColor(COLORREF clr);
    virtual void SetTextColor(COLORREF clr);
    virtual void SetXPColors(COLORREF clrBorder, COLORREF clrHotFill, COLORREF clrPushedFill);
    virtual void ToggleImage();
    virtual HFONT SetFont(HFONT hFont);
    virtual void ResetImage();
    // The window text; with bRemoveMnemonics single '&'s go, "&&" stays, a final '&' stays.
    virtual CString GetButtonText(BOOL bRemoveMnemonics);
    static CString RemoveMnemonics(const CString& strText);

    CXTButtonTheme* GetTheme();
    BOOL IsHot() const { return m_bHot; }
    BOOL GetChecked() const { return m_bChecked; }
    void SetChecked(BOOL bChecked);
    BOOL IsLButtonDown() const { return m_bLBtnDown; }
    CXTPImageManagerIcon* GetIcon() const { return m_pIcon; }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int m_nBorderGap = 4;
    int m_nImageGap = 8;
    BOOL m_bHot = FALSE;
    BOOL m_bUserPosition = FALSE;
    BOOL m_bLBtnDown = FALSE;
    BOOL m_bPainted = FALSE;  // the hot state has been drawn since the timer started
    BOOL m_bChecked = FALSE;
    DWORD m_dwxStyle = BS_XT_FLAT;
    CSize m_sizeImage;
    CPoint m_ptImage, m_ptText;

protected:
    void PreSubclassWindow() override;
    void OnThemeChanged() override;
    void OnHoverTimer();
    void OnPaintButton();

    CXTPImageManagerIcon* m_pIcon = nullptr;
};
