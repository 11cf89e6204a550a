// The customize drag of a control between command bars: mouse loop, target search, cursors, drop.
#include "CXTPCustomizeDropSource.h"

#include <algorithm>

#include "CFrameWnd.h"
#include "CWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPCustomizeHooks.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPHoldRef.h"
#include "CXTPTrackingLoop.h"
#include "ResourceIds.h"

namespace {

// Ctrl copies; the key state read with the message counts too, as not every input source sets
// the flag in the mouse messages.
BOOL IsCopyKeyDown(WPARAM wParam)
{
    return (wParam & MK_CONTROL) || ::GetKeyState(VK_CONTROL) < 0;
}

HCURSOR LoadDragCursor(UINT nID)
{
    HCURSOR hCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID));
    return hCursor ? hCursor : ::LoadCursorA(nullptr, nID == XTP_IDC_CUSTOMIZE_NODROP ? IDC_NO : IDC_ARROW);
}

}  // namespace

CXTPCustomizeDropSource::CXTPCustomizeDropSource(CXTPCommandBars* pCommandBars) : m_pCommandBars(pCommandBars)
{
    m_hcurNoDrop = LoadDragCursor(XTP_IDC_CUSTOMIZE_NODROP);
    m_hcurMove = LoadDragCursor(XTP_IDC_CUSTOMIZE_DRAGMOVE);
    m_hcurCopy = LoadDragCursor(XTP_IDC_CUSTOMIZE_DRAGCOPY);
}

CXTPCustomizeDropSource::~CXTPCustomizeDropSource()
{
    for (CXTPCommandBar* pBar : m_arrTargets)
        pBar->m_pDropSource = nullptr;
}

void CXTPCustomizeDropSource::Register(CXTPCommandBar* pBar)
{
    if (!pBar || std::find(m_arrTargets.begin(), m_arrTargets.end(), pBar) != m_arrTargets.end())
        return;
    m_arrTargets.push_back(pBar);
    pBar->m_pDropSource = this;
}

void CXTPCustomizeDropSource::Unregister(CXTPCommandBar* pBar)
{
    auto it = std::find(m_arrTargets.begin(), m_arrTargets.end(), pBar);
    if (it == m_arrTargets.end())
        return;
    m_arrTargets.erase(it);
    pBar->m_pDropSource = nullptr;
    // A bar destroyed while a control is dragged over it must not be dropped on.
    if (m_pTarget == pBar)
        m_pTarget = nullptr;
}

CWnd* CXTPCustomizeDropSource::GetDragWnd() const
{
    if (m_pOwner)
        return m_pOwner;
    // The sheet's hooks let the mouse reach only its own window and the bars.
    CXTPCustomizeSheet* pSheet = CXTPCustomizeHooks::GetRunningSheet();
    return pSheet && pSheet->GetCommandBars() == m_pCommandBars && pSheet->GetSafeHwnd() ? pSheet : nullptr;
}

HCURSOR CXTPCustomizeDropSource::GetDragCursor() const
{
    if (!m_pTarget)
        return m_hcurNoDrop;
    return m_bMove && !m_bCopyOnly ? m_hcurMove : m_hcurCopy;
}

void CXTPCustomizeDropSource::UpdateCursor() const
{
    ::SetCursor(GetDragCursor());
}

void CXTPCustomizeDropSource::LeaveTarget()
{
    CXTPCommandBar* pTarget = m_pTarget;
    m_pTarget = nullptr;
    if (pTarget)
        pTarget->OnDragLeave();
}

void CXTPCustomizeDropSource::FindTarget(CPoint ptScreen)
{
    CXTPCommandBar* pCandidate = nullptr;
    for (auto it = m_arrTargets.rbegin(); it != m_arrTargets.rend(); ++it) {
        CXTPCommandBar* pBar = *it;
        CRect rcWindow;
        if (pBar->GetSafeHwnd() && pBar->IsVisible()) {
            pBar->GetWindowRect(&rcWindow);
            if (rcWindow.PtInRect(ptScreen)) {
                pCandidate = pBar;
                break;
            }
        }
    }
    if (!pCandidate) {
        LeaveTarget();
        return;
    }
    CPoint ptClient = ptScreen;
    pCandidate->ScreenToClient(&ptClient);
    if (pCandidate == m_pTarget) {
        pCandidate->OnDragOver(m_pControl, ptClient);
        return;
    }
    LeaveTarget();
    if (pCandidate->OnDragEnter(m_pControl, ptClient))
        m_pTarget = pCandidate;
}

DWORD CXTPCustomizeDropSource::DoDragDrop(CXTPControl* pControl, BOOL bCopyOnly)
{
    if (!pControl || m_pControl)
        return kCancelled;
    CWnd* pCaptureWnd = GetDragWnd();
    if (!pCaptureWnd && m_pCommandBars)
        pCaptureWnd = m_pCommandBars->GetSite();
    if (!pCaptureWnd || !pCaptureWnd->GetSafeHwnd())
        return kCancelled;

    // Messages run during the drag: the control's bar may go, the control must not.
    CHoldRef holdControl(pControl);
    m_pControl = pControl;
    m_bCopyOnly = bCopyOnly;
    m_bMove = TRUE;
    m_pTarget = nullptr;
    m_hwndCapture = pCaptureWnd->GetSafeHwnd();
    ::GetCursorPos(&m_ptStart);
    UpdateCursor();

    BOOL bStarted = FALSE;
    DWORD dwEffect = kCancelled;
    CPoint ptDrop = m_ptStart;
    // The bars repaint while the control is dragged over them; no typing into windows while
    // a control hangs on the mouse.
    const BOOL bDrop = CXTPTrackingLoop().PaintFirst().HoldKeys().Run(m_hwndCapture, [&](const MSG& msg) {
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint ptScreen(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &ptScreen);
            if (!bStarted) {
                bStarted = TRUE;
                if (CXTPCommandBar* pParent = pControl->GetParent(); pParent && pParent->GetSafeHwnd()) {
                    CPoint ptClient = ptScreen;
                    pParent->ScreenToClient(&ptClient);
                    pParent->OnCustomizeDragStart(pControl, ptClient);
                }
            }
            m_bMove = !IsCopyKeyDown(msg.wParam);
            FindTarget(ptScreen);
            UpdateCursor();
            if (msg.wParam & MK_LBUTTON)
                return CXTPTrackingLoop::kNext;
            ptDrop = ptScreen;
            return CXTPTrackingLoop::kRelease;
        }
        case WM_LBUTTONUP: {
            CPoint ptScreen(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &ptScreen);
            m_bMove = !IsCopyKeyDown(msg.wParam);
            FindTarget(ptScreen);
            ptDrop = ptScreen;
            return CXTPTrackingLoop::kRelease;
        }
        case WM_RBUTTONDOWN:
            return CXTPTrackingLoop::kCancel;
        case WM_KEYDOWN:
            if (msg.wParam == VK_CONTROL && m_bMove) {
                m_bMove = FALSE;
                UpdateCursor();
            }
            break;
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL && !m_bMove) {
                m_bMove = TRUE;
                UpdateCursor();
            }
            break;
        }
        return CXTPTrackingLoop::kDefault;
    }) == CXTPTrackingLoop::kReleased;

    if (bDrop) {
        if (CXTPCommandBar* pTarget = m_pTarget) {
            dwEffect = m_bMove && !m_bCopyOnly ? kMove : kCopy;
            CHoldRef holdTarget(pTarget);
            CPoint ptClient = ptDrop;
            CPoint ptStart = m_ptStart;
            pTarget->ScreenToClient(&ptClient);
            pTarget->ScreenToClient(&ptStart);
            m_pTarget = nullptr;
            // A drop that inserted nothing (onto the control's own place) must not let the
            // caller remove the control as moved.
            if (!pTarget->OnDrop(pControl, dwEffect, ptClient, ptStart))
                dwEffect = kCancelled;
        } else {
            dwEffect = kNone;
        }
    }
    LeaveTarget();
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    m_hwndCapture = nullptr;
    m_pControl = nullptr;
    return dwEffect;
}
