// Column headers: sorting state and its menu, fixed columns, fitting widths, hot tracking, themed painting.
#include "CXTHeaderCtrl.h"

#include "CDC.h"
#include "CMenu.h"
#include "CXTPBufferDC.h"
#include "CXTSystemData.h"
#include "TrackControlMenu.h"

namespace {

constexpr UINT_PTR kHotTimer = 1;
constexpr UINT kHotPeriod = 10;

BOOL IsListWindow(HWND hWnd)
{
    char name[32] = {};
    return hWnd && ::GetClassNameA(hWnd, name, sizeof(name)) && lstrcmpiA(name, WC_LISTVIEWA) == 0;
}

}  // namespace

IMPLEMENT_DYNCREATE(CXTHeaderCtrl, CHeaderCtrl)
IMPLEMENT_DYNCREATE(CXTFlatHeaderCtrl, CXTHeaderCtrl)

CXTHeaderCtrl::CXTHeaderCtrl() : CXTThemeManagerStyleHost(RUNTIME_CLASS(CXTHeaderThemeFactory))
{
    HDC screen = ::GetDC(nullptr);
    m_bRTL = (::GetTextAlign(screen) & TA_RTLREADING) ? 1 : 0;
    ::ReleaseDC(nullptr, screen);
}

CXTHeaderCtrl::~CXTHeaderCtrl() = default;

CXTFlatHeaderCtrl::CXTFlatHeaderCtrl()
{
    SetTheme(new CXTHeaderThemeFlat);
}

HWND CXTHeaderCtrl::ParentList() const
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return IsListWindow(parent) ? parent : nullptr;
}

void CXTHeaderCtrl::OnThemeChanged()
{
    if (!m_hWnd)
        return;
    // The parent lays its header out again at its present size, then repaints with it.
    HWND parent = ::GetParent(m_hWnd);
    if (parent) {
        ::SetWindowPos(parent, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        ::RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    } else {
        RedrawWindow();
    }
}

// ---- Sorting, fonts, alignment -------------------------------------------------------------

int CXTHeaderCtrl::SetSortColumn(int nCol, BOOL bAscending)
{
    const int previous = m_nSortedCol;
    m_nSortedCol = nCol;
    m_bAscending = bAscending != FALSE;
    if (m_hWnd)
        RedrawWindow();
    return previous;
}

int CXTHeaderCtrl::GetSortColumn(BOOL* pbAscending) const
{
    if (pbAscending)
        *pbAscending = m_bAscending;
    return m_nSortedCol;
}

void CXTHeaderCtrl::EnableSortArrow(BOOL bShow)
{
    if (CXTHeaderTheme* theme = GetTheme()) {
        const DWORD style = theme->GetDrawStyle();
        theme->SetDrawStyle(bShow ? (style | CXTHeaderTheme::drawSortArrow) : (style & ~CXTHeaderTheme::drawSortArrow),
                            this);
    }
}

BOOL CXTHeaderCtrl::IsSortArrowShown()
{
    CXTHeaderTheme* theme = GetTheme();
    return theme && (theme->GetDrawStyle() & CXTHeaderTheme::drawSortArrow);
}

void CXTHeaderCtrl::InitHeaderFont(BOOL bBoldFont)
{
    CXTSystemData* data = XTSystemData();
    SetFont(static_cast<HFONT>((bBoldFont ? data->fontBold : data->font).m_hObject), FALSE);
}

void CXTHeaderCtrl::SetBoldFont(BOOL bBold)
{
    InitHeaderFont(bBold);
    if (m_hWnd)
        RedrawWindow();
}

void CXTHeaderCtrl::SetPopupMenu(int nPopupMenuID, int nSubMenuIndex)
{
    m_nPopupMenuID = nPopupMenuID;
    m_nSubMenuIndex = nSubMenuIndex;
}

void CXTHeaderCtrl::SetAlignment(int nFormat)
{
    HWND list = ParentList();
    const int col = ColumnFromPoint(m_ptPopup);
    if (!list || col < 0)
        return;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    if (!::SendMessageA(list, LVM_GETCOLUMNA, col, reinterpret_cast<LPARAM>(&column)))
        return;
    column.fmt = (column.fmt & ~LVCFMT_JUSTIFYMASK) | (nFormat & LVCFMT_JUSTIFYMASK);
    ::SendMessageA(list, LVM_SETCOLUMNA, col, reinterpret_cast<LPARAM>(&column));
    ::SendMessageA(list, LVM_SETWORKAREAS, 0, 0);
}

BOOL CXTHeaderCtrl::IsLayoutRTL(CWnd* pWnd)
{
    return pWnd && pWnd->m_hWnd && (::GetWindowLongA(pWnd->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
}

// ---- Widths ---------------------------------------------------------------------------------

void CXTHeaderCtrl::FreezeColumn(int nCol)
{
    if (!IsColFrozen(nCol))
        m_arFixedCols.push_back(nCol);
}

void CXTHeaderCtrl::ThawColumn(int nCol)
{
    for (auto it = m_arFixedCols.begin(); it != m_arFixedCols.end(); ++it) {
        if (*it == nCol) {
            m_arFixedCols.erase(it);
            return;
        }
    }
}

BOOL CXTHeaderCtrl::IsColFrozen(int nCol) const
{
    for (int fixed : m_arFixedCols)
        if (fixed == nCol)
            return TRUE;
    return FALSE;
}

int CXTHeaderCtrl::GetFixedColumnsWidth()
{
    int total = 0;
    const int count = GetItemCount();
    for (int fixed : m_arFixedCols) {
        CRect rect;
        if (fixed >= 0 && fixed < count && GetItemRect(fixed, &rect))
            total += rect.Width();
    }
    return total;
}

void CXTHeaderCtrl::DistributeColumnWidths(int nTotalWidth)
{
    const int count = GetItemCount();
    int free = 0;
    for (int i = 0; i < count; ++i)
        if (!IsColFrozen(i))
            ++free;
    if (free == 0)
        return;  // every column fixed: nothing to share
    const int share = nTotalWidth / free;
    if (share <= m_nMinWidth)
        return;
    for (int i = 0; i < count; ++i) {
        if (IsColFrozen(i))
            continue;
        HDITEMA item = {};
        item.mask = HDI_WIDTH;
        item.cxy = share;
        SetItem(i, &item);
    }
}

void CXTHeaderCtrl::ResizeColumnsToFit(int nWidth)
{
    if (nWidth < 1) {
        CRect window;
        GetWindowRect(&window);
        nWidth = window.Width();
    }
    HWND parent = ::GetParent(m_hWnd);
    if (parent && (::GetWindowLongA(parent, GWL_STYLE) & WS_VSCROLL))
        nWidth -= ::GetSystemMetrics(SM_CXVSCROLL);
    DistributeColumnWidths(nWidth - GetFixedColumnsWidth());
}

int CXTHeaderCtrl::ColumnFromPoint(CPoint point)
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        CRect rect;
        if (GetItemRect(i, &rect) && rect.PtInRect(point))
            return i;
    }
    return -1;
}

BOOL CXTHeaderCtrl::IsItemPressed(int nItem)
{
    if (!m_bButtonDown || !m_hWnd)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    return ColumnFromPoint(point) == nItem;
}

BOOL CXTHeaderCtrl::SetBitmap(int nCol, UINT nBitmapID, BOOL bRemove, COLORREF crMask)
{
    CXTHeaderTheme* theme = GetTheme();
    return theme && theme->SetBitmap(nCol, nBitmapID, bRemove, crMask, this);
}

// ---- Messages -------------------------------------------------------------------------------

BOOL CXTHeaderCtrl::OnSetCursorHere(UINT nHitTest)
{
    if (nHitTest != HTCLIENT || m_arFixedCols.empty())
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const int col = ColumnFromPoint(point);
    if (col < 0)
        return FALSE;
    BOOL arrow = IsColFrozen(col);
    if (!arrow) {
        // The half of a column that borders the fixed column before it holds that column's divider:
        // the left half in left-to-right layout, the right half in right-to-left layout.
        CRect rect;
        GetItemRect(col, &rect);
        HDITEMA item = {};
        item.mask = HDI_ORDER;
        GetItem(col, &item);
        const BOOL rtl = IsLayoutRTL(this) || m_bRTL;
        const BOOL leftHalf = point.x < rect.left + rect.Width() / 2;
        if ((rtl ? !leftHalf : leftHalf) && item.iOrder >= 1)
            arrow = IsColFrozen(OrderToIndex(item.iOrder - 1));
    }
    if (!arrow)
        return FALSE;
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

void CXTHeaderCtrl::OnHotTimer()
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    const int hot = client.PtInRect(point) ? ColumnFromPoint(point) : -1;
    if (hot != m_nHotItem) {
        m_nHotItem = hot;
        m_bHotDrawn = false;
    }
    if (!m_bHotDrawn) {
        m_bHotDrawn = true;
        Invalidate(FALSE);
    }
    if (hot < 0)
        KillTimer(kHotTimer);  // the pointer has left: the hot state is cleared and drawn
}

void CXTHeaderCtrl::OnPaintHeader()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CXTPBufferDC buffer(dc.m_hDC, client);
    GetTheme()->DrawHeader(&buffer, this);
}

void CXTHeaderCtrl::OnContextMenuAt(CPoint point)
{
    CWnd* owner = GetOwner();
    if (!owner)
        owner = GetParent();
    CPoint screen = point;
    ClientToScreen(&screen);
    CMenu menu;
    if (m_nPopupMenuID) {
        if (!menu.LoadMenu(m_nPopupMenuID))
            return;
        HMENU sub = ::GetSubMenu(menu.m_hMenu, m_nSubMenuIndex);
        if (sub && owner)
            ::TrackPopupMenu(sub, TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner->m_hWnd, nullptr);
        return;
    }
    const int col = ColumnFromPoint(point);
    if (col < 0 || !menu.LoadMenu(XT_IDM_POPUP))
        return;
    HMENU sub = ::GetSubMenu(menu.m_hMenu, XT_IDM_POPUP_HEADER);
    if (!sub)
        return;
    if (col == m_nSortedCol)
        ::CheckMenuItem(sub, m_bAscending ? XT_IDC_SORTASC : XT_IDC_SORTDSC, MF_BYCOMMAND | MF_CHECKED);
    if (HWND list = ParentList()) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT;
        ::SendMessageA(list, LVM_GETCOLUMNA, col, reinterpret_cast<LPARAM>(&column));
        const int align = column.fmt & LVCFMT_JUSTIFYMASK;
        const UINT id = align == LVCFMT_RIGHT ? XT_IDC_ALIGNRIGHT : align == LVCFMT_CENTER ? XT_IDC_ALIGNCENTER
                                                                                         : XT_IDC_ALIGNLEFT;
        ::CheckMenuItem(sub, id, MF_BYCOMMAND | MF_CHECKED);
    }
    const int chosen = TrackControlMenu(CMenu::FromHandle(sub), TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y,
                                        this, XT_IDR_HEADER_ICONS);
    if (chosen > 0)
        SendMessage(WM_COMMAND, static_cast<WPARAM>(chosen));
}

void CXTHeaderCtrl::OnSortCommand(BOOL bAscending)
{
    const int col = ColumnFromPoint(m_ptPopup);
    if (col < 0 || (col == m_nSortedCol && m_bAscending == (bAscending != FALSE)))
        return;
    SetSortColumn(col, bAscending);

    char text[256] = {};
    HDITEMA item = {};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE | HDI_ORDER;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    GetItem(col, &item);
    NMHEADERA notify = {};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    notify.hdr.code = HDN_ITEMCLICKA;
    notify.iItem = col;
    notify.iButton = 1;
    notify.pitem = &item;
    if (CWnd* parent = GetParent()) {
        parent->SendMessage(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
        parent->SendMessageToDescendants(WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    }
}

BOOL CXTHeaderCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case XT_IDC_SORTASC:
        OnSortCommand(TRUE);
        return TRUE;
    case XT_IDC_SORTDSC:
        OnSortCommand(FALSE);
        return TRUE;
    case XT_IDC_ALIGNLEFT:
        SetAlignment(LVCFMT_LEFT);
        return TRUE;
    case XT_IDC_ALIGNCENTER:
        SetAlignment(LVCFMT_CENTER);
        return TRUE;
    case XT_IDC_ALIGNRIGHT:
        SetAlignment(LVCFMT_RIGHT);
        return TRUE;
    default:
        return CHeaderCtrl::OnCommand(wParam, lParam);
    }
}

BOOL CXTHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const NMHEADERA* notify = reinterpret_cast<const NMHEADERA*>(lParam);
        if ((notify->hdr.code == HDN_ITEMCHANGINGA || notify->hdr.code == HDN_ITEMCHANGINGW) && notify->pitem &&
            (notify->pitem->mask & HDI_WIDTH) &&
            (IsColFrozen(notify->iItem) || notify->pitem->cxy < m_nMinWidth)) {
            *pResult = TRUE;
            return TRUE;
        }
    }
    return CHeaderCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CXTHeaderCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    LRESULT ignored = 0;
    LRESULT& result = pResult ? *pResult : ignored;
    CXTHeaderTheme* theme = GetTheme();
    switch (message) {
    case WM_PAINT:
        if (!theme)
            break;
        OnPaintHeader();
        result = 0;
        return TRUE;
    case WM_PRINTCLIENT:
        if (!theme)
            break;
        theme->DrawHeader(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), this);
        result = 0;
        return TRUE;
    case WM_ERASEBKGND:
        if (!theme)
            break;
        result = 1;
        return TRUE;
    case HDM_LAYOUT:
        if (!theme)
            break;
        result = theme->Layout(reinterpret_cast<HDLAYOUT*>(lParam), this);
        return TRUE;
    case WM_SYSCOLORCHANGE:
        if (theme)
            theme->RefreshMetrics();
        break;
    case WM_DESTROY:
        KillTimer(kHotTimer);
        if (theme)
            theme->CleanUp(this);
        break;
    case WM_LBUTTONDOWN:
        m_bButtonDown = true;
        break;
    case WM_LBUTTONUP:
        m_bButtonDown = false;
        break;
    case WM_MOUSEMOVE:
        if (theme && theme->CanUseWinTheme(this))
            SetTimer(kHotTimer, kHotPeriod);
        break;
    case WM_TIMER:
        if (wParam != kHotTimer)
            break;
        OnHotTimer();
        result = 0;
        return TRUE;
    case WM_SETCURSOR:
        if (OnSetCursorHere(LOWORD(lParam))) {
            result = TRUE;
            return TRUE;
        }
        break;
    case WM_RBUTTONDOWN: {
        m_ptPopup = point;
        HWND list = ParentList();
        const BOOL sortable = !list || !(::GetWindowLongA(list, GWL_STYLE) & LVS_NOSORTHEADER);
        if (sortable && m_bEnableMenus && (m_nPopupMenuID || ColumnFromPoint(point) >= 0)) {
            OnContextMenuAt(point);
            result = 0;
            return TRUE;
        }
        break;
    }
    case WM_WINDOWPOSCHANGING: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        CRect window;
        GetWindowRect(&window);
        if (m_bAutoSize && !(pos->flags & SWP_NOSIZE) && pos->cx != window.Width() && GetItemCount() > 0)
            ResizeColumnsToFit(pos->cx);
        break;
    }
    default:
        break;
    }
    return CHeaderCtrl::OnWndMsg(message, wParam, lParam, pResult);
}
