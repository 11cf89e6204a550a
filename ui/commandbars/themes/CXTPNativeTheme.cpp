// The visual-styles theme: toolbar buttons, grippers, rebar backgrounds, combo buttons and the
// status bar as the system draws them; each falls back to the default theme without its class.
#include "CXTPNativeTheme.h"

#include <algorithm>

#include "CDC.h"
#include "CWinThread.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPDockBar.h"

namespace {

// Visual-style parts, states and properties.
enum {
    kToolbarButton = 1, kToolbarSplitButton = 3, kToolbarSplitDropDown = 4,
    kRebarBackground = 0, kRebarGripper = 1, kRebarGripperVert = 2, kRebarBand = 3,
    kComboDropDown = 1,
    kStatusBackground = 0, kStatusPane = 1, kStatusGripperPane = 2, kStatusGripper = 3,
};
enum {
    kStateNormal = 1, kStateHot = 2, kStatePressed = 3, kStateDisabled = 4, kStateChecked = 5, kStateHotChecked = 6
};
enum { kPropBorderColor = 3801, kPropTextColor = 3803, kPropEdgeShadowColor = 3806, kPropFillColorHint = 3821 };

HWND MainWindowOfThread()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread ? pThread->GetMainWnd() : nullptr;
    return pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr;
}

}  // namespace

CXTPNativeTheme::CXTPNativeTheme()
{
    m_bUseFadedIcons = TRUE;
    m_bIconsWithShadow = FALSE;
    m_nPopupTextColor = COLOR_MENUTEXT;
    RefreshMetrics();
}

CXTPNativeTheme::~CXTPNativeTheme()
{
    m_themeRebar.theme.CloseThemeData();
    m_themeToolbar.theme.CloseThemeData();
    m_themeComboBox.theme.CloseThemeData();
    m_themeStatusBar.theme.CloseThemeData();
}

void CXTPNativeTheme::RefreshMetrics()
{
    CXTPTheme1::RefreshMetrics();
    // Before the main window exists the classes open for no window: a theme made while the
    // frame is being created is themed at once.
    const HWND hWnd = MainWindowOfThread();
    const struct {
        ThemeClass& cls;
        LPCWSTR pszName;
    } classes[] = {{m_themeToolbar, L"TOOLBAR"}, {m_themeRebar, L"REBAR"}, {m_themeComboBox, L"COMBOBOX"},
                   {m_themeStatusBar, L"STATUS"}};
    for (const auto& c : classes) {
        c.cls.theme.OpenThemeData(hWnd, c.pszName);
        c.cls.bThemed = c.cls.theme.IsAppThemeReady();
    }

    m_clrEdgeShadowColor = GetColor(COLOR_BTNSHADOW);
    COLORREF clr = 0;
    if (IsThemed(m_themeRebar) &&
        SUCCEEDED(m_themeRebar.theme.GetThemeColor(kRebarBand, 0, kPropEdgeShadowColor, &clr)))
        m_clrEdgeShadowColor = clr;
    if (IsThemed(m_themeToolbar) && SUCCEEDED(m_themeToolbar.theme.GetThemeColor(0, 0, kPropTextColor, &clr)))
        m_arrColor[COLOR_BTNTEXT].SetStandardValue(clr);
    if (IsThemed(m_themeRebar) && SUCCEEDED(m_themeRebar.theme.GetThemeColor(0, 0, kPropFillColorHint, &clr)))
        m_arrColor[COLOR_BTNFACE].SetStandardValue(clr);
    if (IsThemed(m_themeStatusBar) &&
        SUCCEEDED(m_themeStatusBar.theme.GetThemeColor(kStatusPane, 0, kPropTextColor, &clr)))
        m_clrStatusTextColor = clr;
}

void CXTPNativeTheme::DrawRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                                    BOOL bPopuped, int nBarType, int nBarPosition)
{
    if (!IsThemed(m_themeToolbar)) {
        CXTPTheme1::DrawRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, nBarType, nBarPosition);
        return;
    }
    int nState;
    if (!bEnabled)
        nState = bChecked && nBarType == xtpBarTypeMenuBar ? kStatePressed : kStateDisabled;
    else if (bPopuped)
        nState = kStatePressed;
    else if (bChecked && nPressed == 0)
        nState = nSelected ? kStateHotChecked : kStateChecked;
    else if ((nSelected && nPressed) || nPressed == 2)
        nState = kStatePressed;
    else
        nState = nSelected ? kStateHot : kStateNormal;
    m_themeToolbar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kToolbarButton, nState, &rc, nullptr);
}

void CXTPNativeTheme::DrawSplitButtonFrame(CDC* pDC, CXTPControl* pControl, CRect rc)
{
    if (!IsThemed(m_themeToolbar)) {
        CXTPTheme1::DrawSplitButtonFrame(pDC, pControl, rc);
        return;
    }
    const BOOL bPopuped = IsPopuped(pControl);
    const BOOL bEnabled = pControl->GetEnabled();
    int nState;
    if (!bEnabled)
        nState = kStateDisabled;
    else if (pControl->GetPressed() && pControl->GetSelected())
        nState = kStatePressed;
    else if (pControl->GetChecked())
        nState = kStateChecked;
    else
        nState = bPopuped || pControl->GetSelected() ? kStateHot : kStateNormal;
    const CRect rcMain(rc.left, rc.top, rc.right - 12, rc.bottom);
    const CRect rcArrow(rc.right - 12, rc.top, rc.right, rc.bottom);
    m_themeToolbar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kToolbarSplitButton, nState, &rcMain, nullptr);
    m_themeToolbar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kToolbarSplitDropDown,
                                             bPopuped ? kStatePressed : nState, &rcArrow, nullptr);
    pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
}

void CXTPNativeTheme::FillRebarBackground(CDC* pDC, CWnd* pWnd, CWnd* pReference)
{
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    if (!IsThemed(m_themeRebar) || !pReference || !pReference->GetSafeHwnd()) {
        pDC->FillSolidRect(rcClient, GetColor(COLOR_BTNFACE));
        return;
    }
    CRect rcWindow, rcReference;
    pWnd->GetWindowRect(&rcWindow);
    pReference->GetWindowRect(&rcReference);
    CRect rcBackground(0, 0, rcReference.Width(), rcReference.Height());
    rcBackground.OffsetRect(rcReference.left - rcWindow.left, rcReference.top - rcWindow.top);
    m_themeRebar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kRebarBackground, 0, &rcBackground, &rcClient);
}

void CXTPNativeTheme::DrawCommandBarBackground(CDC* pDC, CXTPCommandBar* pBar)
{
    if (!IsThemed(m_themeRebar)) {
        CXTPTheme1::DrawCommandBarBackground(pDC, pBar);
        return;
    }
    CRect rc;
    pBar->GetClientRect(&rc);
    switch (pBar->GetPosition()) {
    case xtpBarPopup:
        FillRectangle(pDC, rc, COLOR_MENU, COLOR_BTNSHADOW);
        return;
    case xtpBarFloating:
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        Draw3dRect(pDC, rc, COLOR_BTNFACE, 0);
        rc.DeflateRect(1, 1);
        Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
        return;
    case xtpBarTop:
        FillRebarBackground(pDC, pBar, pBar->GetParent());
        break;
    default:
        pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
        break;
    }
    pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), m_clrEdgeShadowColor);
}

void CXTPNativeTheme::FillCommandBarEntry(CDC* pDC, CWnd* pBar)
{
    CXTPDockBar* pDockBar = dynamic_cast<CXTPDockBar*>(pBar);
    if (pDockBar && pDockBar->GetPosition() == xtpBarTop) {
        FillRebarBackground(pDC, pBar, pBar);
        return;
    }
    CRect rc;
    pBar->GetClientRect(&rc);
    pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
}

void CXTPNativeTheme::FillStatusBar(CDC* pDC, CWnd* pBar)
{
    if (!IsThemed(m_themeStatusBar)) {
        CXTPTheme1::FillStatusBar(pDC, pBar);
        return;
    }
    CRect rc;
    pBar->GetClientRect(&rc);
    m_themeStatusBar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kStatusBackground, 0, &rc, nullptr);
}

void CXTPNativeTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bGripperPane)
{
    if (!IsThemed(m_themeStatusBar)) {
        CXTPTheme1::DrawStatusBarPaneBorder(pDC, rc, bGripperPane);
        return;
    }
    const int nPart = bGripperPane ? kStatusGripperPane : kStatusPane;
    m_themeStatusBar.theme.DrawThemeBackground(pDC->GetSafeHdc(), nPart, 0, &rc, nullptr);
}

void CXTPNativeTheme::DrawStatusBarGripper(CDC* pDC, CRect rcClient)
{
    if (!IsThemed(m_themeStatusBar)) {
        CXTPTheme1::DrawStatusBarGripper(pDC, rcClient);
        return;
    }
    m_themeStatusBar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kStatusGripper, 0, &rcClient, nullptr);
}

CSize CXTPNativeTheme::DrawCommandBarGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    const int nPosition = pBar->GetPosition();
    if (!IsThemed(m_themeRebar) || nPosition == xtpBarFloating)
        return CXTPTheme1::DrawCommandBarGripper(pDC, pBar, bDraw);
    CRect rc;
    pBar->GetClientRect(&rc);
    if (nPosition == xtpBarLeft || nPosition == xtpBarRight) {
        if (bDraw) {
            const CRect rcGripper(rc.left, rc.top + 2, rc.right, rc.top + 8);
            m_themeRebar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kRebarGripperVert, 1, &rcGripper, nullptr);
        }
        return CSize(0, 8);
    }
    if (nPosition == xtpBarTop || nPosition == xtpBarBottom) {
        if (bDraw) {
            const CRect rcGripper(rc.left + 2, rc.top, rc.left + 8, rc.bottom);
            m_themeRebar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kRebarGripper, 1, &rcGripper, nullptr);
        }
        return CSize(8, 0);
    }
    return CSize(0, 0);
}

CSize CXTPNativeTheme::DrawCompactGripper(CDC* pDC, CXTPCommandBar* pBar, BOOL bDraw)
{
    if (!IsThemed(m_themeRebar))
        return CXTPTheme1::DrawCompactGripper(pDC, pBar, bDraw);
    const int h = std::max(22, GetTextHeight() + 4);
    if (bDraw) {
        const CRect rcGripper(2, 3, 8, h);
        m_themeRebar.theme.DrawThemeBackground(pDC->GetSafeHdc(), kRebarGripper, 1, &rcGripper, nullptr);
    }
    return CSize(8, h);
}

void CXTPNativeTheme::AdjustExcludeRect(CRect& rc, CXTPControl* pControl, BOOL bVertical)
{
    if (!IsThemed(m_themeRebar)) {
        CXTPTheme1::AdjustExcludeRect(rc, pControl, bVertical);
        return;
    }
    if (pControl->GetType() == xtpControlComboBox)
        return;
    CXTPCommandBar* pBar = pControl->GetParent();
    if (pBar && pBar->GetType() == xtpBarTypePopup)
        rc.InflateRect(-3, 3);
}

void CXTPNativeTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (!IsThemed(m_themeComboBox)) {
        CXTPTheme1::DrawEditFrame(pDC, rc, bEnabled, nSelected);
        return;
    }
    COLORREF clrBorder = GetColor(COLOR_BTNSHADOW);
    COLORREF clr = 0;
    if (SUCCEEDED(m_themeComboBox.theme.GetThemeColor(kComboDropDown, bEnabled ? kStateNormal : kStateDisabled,
                                                kPropBorderColor, &clr)))
        clrBorder = clr;
    pDC->Draw3dRect(rc, clrBorder, clrBorder);
}

void CXTPNativeTheme::DrawDropDownButton(CDC* pDC, CRect rc, BOOL bEnabled, BOOL bSelected, BOOL bDropped)
{
    if (!IsThemed(m_themeComboBox)) {
        CXTPTheme1::DrawDropDownButton(pDC, rc, bEnabled, bSelected, bDropped);
        return;
    }
    const int nState = !bEnabled ? kStateDisabled : bDropped ? kStatePressed : bSelected ? kStateHot : kStateNormal;
    rc.left -= 2;
    rc.top += 1;
    rc.right -= 1;
    rc.bottom -= 1;
    m_themeComboBox.theme.DrawThemeBackground(pDC->GetSafeHdc(), kComboDropDown, nState, &rc, nullptr);
}
