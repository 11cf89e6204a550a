// Anchored resizing: children follow fractions of the parent's size change without drift.
#include "CXTResize.h"

#include "CWnd.h"
#include "CXTRegistryProfile.h"
#include "CXTResizeGroupBox.h"

const CXTAnchorRect XT_ANCHOR_NONE(0, 0, 0, 0);
const CXTAnchorRect XT_ANCHOR_RIGHT(1, 0, 1, 0);
const CXTAnchorRect XT_ANCHOR_STRETCH_X(0, 0, 1, 0);
const CXTAnchorRect XT_ANCHOR_BOTTOMRIGHT(1, 1, 1, 1);

CXTAnchorRect& CXTAnchorRect::operator+=(const CXTAnchorRect& other)
{
    left += other.left;
    top += other.top;
    right += other.right;
    bottom += other.bottom;
    return *this;
}

bool CXTAnchorRect::operator==(const CXTAnchorRect& other) const
{
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

CXTResizeChild::CXTResizeChild(CWnd* pWnd, const CXTAnchorRect& anchor, const CXTAnchorRect& rect, BOOL bOwnsWnd)
    : m_bOwnsWnd(bOwnsWnd), m_pWnd(pWnd), m_rrcAnchor(anchor), m_rrcWindow(rect), m_rrcInitWindow(rect)
{
}

CXTResizeChild::~CXTResizeChild()
{
    if (m_bOwnsWnd && m_pWnd) {
        m_pWnd->Detach();
        delete m_pWnd;
    }
}

void CXTResizeChild::MakeGroupBoxTransparent()
{
    HWND hWnd = m_pWnd ? m_pWnd->GetSafeHwnd() : nullptr;
    if (!hWnd)
        return;
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    const DWORD style = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    if (lstrcmpiA(className, "Button") != 0 || (style & 0x0F) != BS_GROUPBOX || (style & WS_TABSTOP))
        return;
    if (dynamic_cast<CXTResizeGroupBox*>(m_pWnd))
        return;
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, ::GetWindowLongA(hWnd, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bTransparentGroup = TRUE;
}

CXTSizeGrip::CXTSizeGrip() : m_hCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32642))) {}  // IDC_SIZENWSE

CXTSizeGrip::~CXTSizeGrip()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CXTSizeGrip::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT && m_hCursor) {
        ::SetCursor(m_hCursor);
        *pResult = TRUE;
        return TRUE;
    }
    return CScrollBar::OnWndMsg(message, wParam, lParam, pResult);
}

CXTResize::CXTResize(CWnd* pWnd, UINT nFlags) : m_nFlags(nFlags), m_pWnd(pWnd) {}

CXTResize::~CXTResize()
{
    RemoveAllControls();
}

void CXTResize::RemoveAllControls()
{
    for (CXTResizeChild* item : m_arrItems)
        delete item;
    m_arrItems.clear();
}

CXTResizeChild* CXTResize::FindItem(UINT nID) const
{
    for (CXTResizeChild* item : m_arrItems) {
        HWND hWnd = item->m_pWnd ? item->m_pWnd->GetSafeHwnd() : nullptr;
        if (hWnd && (UINT)::GetDlgCtrlID(hWnd) == nID)
            return item;
    }
    return nullptr;
}

BOOL CXTResize::SetControlAnchor(UINT nID, HWND hWnd, const CXTAnchorRect& anchor)
{
    if (CXTResizeChild* item = FindItem(nID)) {
        item->m_rrcAnchor += anchor;
        return TRUE;
    }
    if (!hWnd && m_pWnd)
        hWnd = ::GetDlgItem(m_pWnd->GetSafeHwnd(), (int)nID);
    if (!hWnd || !::IsWindow(hWnd) || !m_pWnd)
        return FALSE;
    CWnd* pChild = CWnd::FromHandlePermanent(hWnd);
    BOOL owns = FALSE;
    if (!pChild) {
        pChild = new CWnd;
        pChild->Attach(hWnd);
        owns = TRUE;
    }
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    m_pWnd->ScreenToClient(&rc);
    auto* item = new CXTResizeChild(pChild, anchor, CXTAnchorRect(rc), owns);
    if (!(m_nFlags & xtResizeNoTransparentGroup))
        item->MakeGroupBoxTransparent();
    m_arrItems.push_back(item);
    return TRUE;
}

void CXTResize::InitResize()
{
    RemoveAllControls();
    if (!m_pWnd || !m_pWnd->GetSafeHwnd())
        return;
    m_pWnd->GetWindowRect(&m_rcInitWindow);
    m_rcWindow = m_rcInitWindow;
    if (!(m_nFlags & xtResizeNoMinsize))
        m_szMin = CSize(m_rcInitWindow.Width(), m_rcInitWindow.Height());
    if (!(m_nFlags & xtResizeNoClipChildren))
        m_pWnd->ModifyStyle(0, WS_CLIPCHILDREN);
    if (!(m_nFlags & xtResizeNoSizeIcon)) {
        if (!m_sizeGrip.GetSafeHwnd()) {
            CRect rc;
            m_pWnd->GetClientRect(&rc);
            rc.OffsetRect(-1, -1);
            rc.left = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
            rc.top = rc.bottom - ::GetSystemMetrics(SM_CYHSCROLL);
            m_sizeGrip.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, rc, m_pWnd, kGripId);
        }
        if (m_sizeGrip.GetSafeHwnd()) {
            ::SetWindowPos(m_sizeGrip.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            SetControlAnchor(kGripId, m_sizeGrip.GetSafeHwnd(), XT_ANCHOR_BOTTOMRIGHT);
        }
    }
}

void CXTResize::ResizeControls()
{
    if (m_arrItems.empty() || !m_pWnd || !m_pWnd->GetSafeHwnd())
        return;
    CRect window;
    m_pWnd->GetWindowRect(&window);
    const float dx = (float)(window.Width() - m_rcWindow.Width());
    const float dy = (float)(window.Height() - m_rcWindow.Height());
    const float dxInit = (float)(window.Width() - m_rcInitWindow.Width());
    const float dyInit = (float)(window.Height() - m_rcInitWindow.Height());

    HDWP hdwp = ::BeginDeferWindowPos((int)m_arrItems.size());
    for (CXTResizeChild* item : m_arrItems) {
        HWND hWnd = item->m_pWnd ? item->m_pWnd->GetSafeHwnd() : nullptr;
        if (!hWnd || !::IsWindow(hWnd))
            continue;
        const float ix = item->m_bInitialized ? dx : dxInit;
        const float iy = item->m_bInitialized ? dy : dyInit;
        const CXTAnchorRect& base = item->m_bInitialized ? item->m_rrcWindow : item->m_rrcInitWindow;
        item->m_bInitialized = TRUE;
        CXTAnchorRect next(base.left + ix * item->m_rrcAnchor.left, base.top + iy * item->m_rrcAnchor.top,
                           base.right + ix * item->m_rrcAnchor.right, base.bottom + iy * item->m_rrcAnchor.bottom);
        if (next == item->m_rrcWindow)
            continue;
        const int left = (int)next.left, top = (int)next.top;
        const int width = (int)(next.right - next.left), height = (int)(next.bottom - next.top);
        CRect present;
        ::GetWindowRect(hWnd, &present);
        m_pWnd->ScreenToClient(&present);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        if (present.left == left && present.top == top)
            flags |= SWP_NOMOVE;
        if (present.Width() == width && present.Height() == height)
            flags |= SWP_NOSIZE;
        else
            flags |= SWP_NOCOPYBITS;
        if (hdwp)
            hdwp = ::DeferWindowPos(hdwp, hWnd, nullptr, left, top, width, height, flags);
        else
            ::SetWindowPos(hWnd, nullptr, left, top, width, height, flags);
        item->m_rrcWindow = next;  // the fractions are kept: small changes add up without drift
    }
    if (hdwp)
        ::EndDeferWindowPos(hdwp);  // also when nothing moved: the handle is released
    for (CXTResizeChild* item : m_arrItems) {
        if (item->m_bTransparentGroup && item->m_pWnd && item->m_pWnd->GetSafeHwnd())
            item->m_pWnd->Invalidate();
    }
    m_rcWindow = window;
}

void CXTResize::GetMinMaxInfo(MINMAXINFO* pMMI) const
{
    if (!m_rcInitWindow.IsRectEmpty()) {
        if (m_nFlags & xtResizeNoHorizontal) {
            pMMI->ptMaxSize.x = m_rcInitWindow.Width();
            pMMI->ptMaxTrackSize.x = m_rcInitWindow.Width();
        }
        if (m_nFlags & xtResizeNoVertical) {
            pMMI->ptMaxSize.y = m_rcInitWindow.Height();
            pMMI->ptMaxTrackSize.y = m_rcInitWindow.Height();
        }
    }
    if (m_szMin.cx)
        pMMI->ptMinTrackSize.x = m_szMin.cx;
    if (m_szMin.cy)
        pMMI->ptMinTrackSize.y = m_szMin.cy;
    if (m_szMax.cx)
        pMMI->ptMaxTrackSize.x = m_szMax.cx;
    if (m_szMax.cy)
        pMMI->ptMaxTrackSize.y = m_szMax.cy;
}

namespace {
void PutLong(BYTE* p, LONG value)
{
    const DWORD v = (DWORD)value;
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}
LONG GetLong(const BYTE* p)
{
    return (LONG)((DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24));
}
}  // namespace

void CXTResize::PlacementToBytes(const WINDOWPLACEMENT& wp, BYTE* bytes)
{
    const LONG fields[11] = {(LONG)kPlacementSize,      (LONG)wp.flags,           (LONG)wp.showCmd,
                             wp.ptMinPosition.x,        wp.ptMinPosition.y,       wp.ptMaxPosition.x,
                             wp.ptMaxPosition.y,        wp.rcNormalPosition.left, wp.rcNormalPosition.top,
                             wp.rcNormalPosition.right, wp.rcNormalPosition.bottom};
    for (int i = 0; i < 11; ++i)
        PutLong(bytes + 4 * i, fields[i]);
}

void CXTResize::PlacementFromBytes(const BYTE* bytes, WINDOWPLACEMENT& wp)
{
    wp = WINDOWPLACEMENT{};
    wp.length = sizeof(WINDOWPLACEMENT);
    wp.flags = (UINT)GetLong(bytes + 4);
    wp.showCmd = (UINT)GetLong(bytes + 8);
    wp.ptMinPosition = {GetLong(bytes + 12), GetLong(bytes + 16)};
    wp.ptMaxPosition = {GetLong(bytes + 20), GetLong(bytes + 24)};
    wp.rcNormalPosition = {GetLong(bytes + 28), GetLong(bytes + 32), GetLong(bytes + 36), GetLong(bytes + 40)};
}

BOOL CXTResize::LoadPlacement(const char* lpszSection)
{
    if (!m_pWnd || !m_pWnd->GetSafeHwnd() || !lpszSection || !*lpszSection)
        return FALSE;
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    BYTE* data = nullptr;
    UINT size = 0;
    if (!profile.GetProfileBinary(lpszSection, "WindowPlacement", &data, &size))
        return FALSE;
    const BOOL applied = ApplyPlacementRecord(m_pWnd, data, size);
    delete[] data;
    return applied;
}

BOOL CXTResize::ReadPlacementRecord(const BYTE* pData, UINT nBytes, WINDOWPLACEMENT& wp)
{
    if (!pData || nBytes != kPlacementSize)
        return FALSE;
    PlacementFromBytes(pData, wp);
    return TRUE;
}

BOOL CXTResize::ApplyPlacementRecord(CWnd* pWnd, const BYTE* pData, UINT nBytes)
{
    WINDOWPLACEMENT wp;
    return pWnd && ReadPlacementRecord(pData, nBytes, wp) && pWnd->SetWindowPlacement(&wp);
}

BOOL CXTResize::SavePlacement(const char* lpszSection)
{
    if (!m_pWnd || !m_pWnd->GetSafeHwnd() || !lpszSection || !*lpszSection)
        return FALSE;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!m_pWnd->GetWindowPlacement(&wp))
        return FALSE;
    BYTE bytes[kPlacementSize];
    PlacementToBytes(wp, bytes);
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    return profile.WriteProfileBinary(lpszSection, "WindowPlacement", bytes, kPlacementSize);
}
