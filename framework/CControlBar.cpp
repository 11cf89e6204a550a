// Control bars: the strip a bar takes in its parent's layout, its borders, delayed showing and the idle update.
#include "CControlBar.h"

#include <algorithm>

#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

CControlBar::~CControlBar() = default;

BOOL CControlBar::CreateBar(const char* lpszClassName, DWORD dwStyle, DWORD dwWindowStyle, CWnd* pParentWnd,
                            UINT nID)
{
    if (!pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;  // a bar lives on an edge of its parent
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwWindowStyle;
    return CWnd::Create(lpszClassName, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size(m_cxLeftBorder + m_cxRightBorder, m_cyTopBorder + m_cyBottomBorder);
    // A stretched bar spans the layout; the layout cuts it to the rectangle it has.
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    rect.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

CRect CControlBar::GetBorders() const
{
    return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == (dwStyle & CBRS_ALL))
        return;
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_hWnd)
        RecalcParentLayout();  // the bar may have moved to another edge
}

void CControlBar::DelayShow(BOOL bShow)
{
    const BOOL shown = m_hWnd && (GetStyle() & WS_VISIBLE);
    if (bShow == shown)
        m_pendingShow = showNone;  // takes back a request not yet carried out
    else
        m_pendingShow = bShow ? showPending : hidePending;
}

BOOL CControlBar::IsVisible() const
{
    if (m_pendingShow != showNone)
        return m_pendingShow == showPending;
    return m_hWnd && (GetStyle() & WS_VISIBLE);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // A hidden bar, or one that docks nowhere, takes nothing.
    if (!layout || !(GetStyle() & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;

    const BOOL horz = IsHorz();
    DWORD mode = layout->bStretch ? LM_STRETCH : 0;
    mode |= horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, mode);
    CRect& room = *reinterpret_cast<CRect*>(&layout->rect);
    size.cx = std::max<LONG>(0, std::min<LONG>(size.cx, room.Width()));
    size.cy = std::max<LONG>(0, std::min<LONG>(size.cy, room.Height()));

    CRect strip = room;
    if (horz) {
        layout->sizeTotal.cy += size.cy;
        layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            strip.bottom = strip.top + size.cy;
            room.top += size.cy;
        } else {
            strip.top = strip.bottom - size.cy;
            room.bottom -= size.cy;
        }
        strip.right = strip.left + size.cx;
    } else {
        layout->sizeTotal.cx += size.cx;
        layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            strip.right = strip.left + size.cx;
            room.left += size.cx;
        } else {
            strip.left = strip.right - size.cx;
            room.right -= size.cx;
        }
        strip.bottom = strip.top + size.cy;
    }
    AfxRepositionWindow(layout, m_hWnd, &strip);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_pendingShow != showNone) {
        const UINT show = m_pendingShow == showPending ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        m_pendingShow = showNone;
        SetWindowPos(nullptr, 0, 0, 0, 0, show | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // IsWindowVisible includes the parent: a bar of a hidden window has nothing to show.
    if (!::IsWindowVisible(m_hWnd))
        return 0;
    CWnd* target = GetOwner();
    if (target)
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    CWnd* owner = GetOwner();
    if (!owner)
        return FALSE;
    owner->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    CWnd* owner = GetOwner();
    if (!owner)
        return FALSE;
    *pResult = owner->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}

void CControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CWnd::OnWindowPosChanged(lpwndpos);
    if (lpwndpos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
        RecalcParentLayout();  // the other windows take or give back the bar's strip
}

void CControlBar::RecalcParentLayout()
{
    CWnd* parent = GetParent();
    if (!parent || !::IsWindowVisible(parent->m_hWnd))
        return;
    // A frame lays its bars out itself (an MDI child must not be told it was restored).
    if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        static_cast<CFrameWnd*>(parent)->RecalcLayout();
        return;
    }
    // Other parents run their layout in their size handler.
    CRect client;
    parent->GetClientRect(&client);
    parent->SendMessage(WM_SIZE, parent->IsZoomed() ? SIZE_MAXIMIZED : SIZE_RESTORED,
                        MAKELPARAM(client.Width(), client.Height()));
}
