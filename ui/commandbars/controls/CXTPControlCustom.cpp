// The custom control: a hosted child window placed, shown and hidden with its control.
#include "CXTPControlCustom.h"

#include "CArchive.h"
#include "CControlBar.h"
#include "CFrameWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPPropExchange.h"
#include "CXTPWindowHookTable.h"

IMPLEMENT_SERIAL(CXTPControlCustom, CXTPControlButton, VERSIONABLE_SCHEMA | 0x11)

namespace {

const UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

CXTPControlCustom::CXTPControlCustom()
{
    m_controlType = xtpControlCustom;
    m_dwFlags = xtpFlagNoMovable;
}

CXTPControlCustom::~CXTPControlCustom()
{
    if (m_hwndControl)
        XTPWindowHookTable()->RemoveHook(m_hwndControl, this);
}

void CXTPControlCustom::SetControl(CWnd* pWnd)
{
    m_hwndControl = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    m_bLookupPending = FALSE;
}

CWnd* CXTPControlCustom::GetControl() const
{
    return m_hwndControl && ::IsWindow(m_hwndControl) ? CWnd::FromHandle(m_hwndControl) : nullptr;
}

void CXTPControlCustom::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled == bEnabled)
        return;
    m_bEnabled = bEnabled;
    if (CWnd* pWnd = GetControl())
        pWnd->EnableWindow(bEnabled);
    DelayLayoutParent();
}

void CXTPControlCustom::ShowControlWindow()
{
    if (CWnd* pWnd = GetControl()) {
        const BOOL bShow = m_bControlVisible && m_dwHideFlags == 0;
        pWnd->SetWindowPos(nullptr, 0, 0, 0, 0, kShowFlags | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void CXTPControlCustom::SetRect(CRect rcControl)
{
    HWND hWndBar = m_pParent ? m_pParent->GetSafeHwnd() : nullptr;
    if (m_bLookupPending && GetCommandBarsOfParent()) {
        m_bLookupPending = FALSE;
        m_hwndControl = FindControlWindow(GetCommandBarsOfParent(), m_nControlId);
    }
    CWnd* pWnd = GetControl();
    if (rcControl == m_rcControl && (!pWnd || ::GetParent(m_hwndControl) == hWndBar))
        return;
    m_rcControl = rcControl;
    if (!pWnd || !hWndBar)
        return;
    ::SetParent(m_hwndControl, hWndBar);
    CRect rcWindow = rcControl;
    rcWindow.DeflateRect(m_rcBorders.left, m_rcBorders.top, m_rcBorders.right, m_rcBorders.bottom);
    pWnd->MoveWindow(rcWindow, TRUE);
    ShowControlWindow();
}

void CXTPControlCustom::SetHideFlags(DWORD dwFlags)
{
    if (m_dwHideFlags == dwFlags)
        return;
    m_dwHideFlags = dwFlags;
    ShowControlWindow();
    RedrawParent();
}

CSize CXTPControlCustom::GetSize(CDC* pDC)
{
    if (GetControl() && m_bControlVisible) {
        return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                     m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
    }
    return CXTPControlButton::GetSize(pDC);
}

void CXTPControlCustom::Draw(CDC* pDC)
{
    CWnd* pWnd = GetControl();
    if (pWnd && pWnd->IsWindowVisible())
        return;
    CXTPControlButton::Draw(pDC);
}

void CXTPControlCustom::OnLayoutMode(DWORD dwMode)
{
    const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
    switch (m_nVerticalOptions) {
    case kVerticalHide:
        SetHideFlags(bVertical ? m_dwHideFlags | xtpHideDockingPosition
                               : m_dwHideFlags & ~static_cast<DWORD>(xtpHideDockingPosition));
        break;
    case kVerticalButton:
        m_bControlVisible = !bVertical;
        ShowControlWindow();
        break;
    default:
        break;
    }
}

void CXTPControlCustom::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControlButton::DoPropExchange(pPX);
    RECT rcBorders = m_rcBorders;
    PX_Rect(pPX, "Borders", rcBorders, CRect(0, 0, 0, 0));
    m_rcBorders = rcBorders;
    SIZE szControl = m_szControl;
    PX_Size(pPX, "ControlSize", szControl, CSize(0, 0));
    m_szControl = szControl;
    long nOptions = m_nVerticalOptions;
    PX_LongDefault(pPX, "VerticalOptions", nOptions, 0);
    m_nVerticalOptions = static_cast<int>(nOptions);
    if (pPX->m_nSchema > 5) {
        long nId = m_nControlId;
        PX_LongDefault(pPX, "ControlId", nId, 0);
        m_nControlId = static_cast<int>(nId);
    }
    if (pPX->IsLoading() && m_nControlId != 0) {
        // A loaded control is not in a bar yet: the window is looked up when it is placed.
        CXTPCommandBars* pCommandBars = GetCommandBarsOfParent();
        m_hwndControl = pCommandBars ? FindControlWindow(pCommandBars, m_nControlId) : nullptr;
        m_bLookupPending = pCommandBars == nullptr;
    }
}

HWND CXTPControlCustom::FindControlWindow(CXTPCommandBars* pCommandBars, int nID)
{
    if (!pCommandBars || nID == 0)
        return nullptr;
    CFrameWnd* pSite = pCommandBars->GetSite();
    HWND hWnd = pSite && pSite->GetSafeHwnd() ? ::GetDlgItem(pSite->GetSafeHwnd(), nID) : nullptr;
    for (int i = 0; !hWnd && i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        if (pBar && pBar->GetSafeHwnd())
            hWnd = ::GetDlgItem(pBar->GetSafeHwnd(), nID);
    }
    return hWnd;
}

void CXTPControlCustom::Copy(CXTPControl* pSrc, BOOL bRecursive)
{
    if (auto* pCustom = dynamic_cast<CXTPControlCustom*>(pSrc)) {
        m_rcBorders = pCustom->m_rcBorders;
        m_szControl = pCustom->m_szControl;
        m_nVerticalOptions = pCustom->m_nVerticalOptions;
        m_bControlVisible = pCustom->m_bControlVisible;
        m_hwndControl = pCustom->m_hwndControl;
        m_nControlId = pCustom->m_nControlId;
        m_bLookupPending = pCustom->m_bLookupPending;
    }
    CXTPControlButton::Copy(pSrc, bRecursive);
}

CXTPControl* CXTPControlCustom::Clone(BOOL bRecursive)
{
    auto* pClone = new CXTPControlCustom;
    pClone->Copy(this, bRecursive);
    return pClone;
}

void CXTPControlCustom::OnClick(BOOL bKeyboard, CPoint point)
{
    CWnd* pWnd = GetControl();
    if (pWnd && pWnd->IsWindowVisible() && !IsCustomizeMode())
        return;
    CXTPControlButton::OnClick(bKeyboard, point);
}

int CXTPControlCustom::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& /*wParam*/, LPARAM& lParam,
                                     LRESULT& /*lResult*/)
{
    if (nMessage == WM_MOUSEMOVE && m_pParent && m_pParent->GetSafeHwnd()) {
        POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::MapWindowPoints(hWnd, m_pParent->GetSafeHwnd(), &pt, 1);
        m_pParent->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }
    return 0;
}
