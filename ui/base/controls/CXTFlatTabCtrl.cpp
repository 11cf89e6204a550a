// The flat tab strip: layout, selection, scrolling of the tabs, the gripper and the shared scroll bar.
#include "CXTFlatTabCtrl.h"

#include <algorithm>

#include "CDC.h"
#include "CGdiObject.h"
#include "CXTFlatTabCtrlTheme.h"
#include "CXTPColorManager.h"
#include "CXTSystemData.h"
#include "InterfaceTexts.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CXTFlatTabCtrl, CWnd)

namespace {
const int kHeaderItemChanging = -300;  // a tab window's header changed a column

BOOL IsListView(HWND hWnd)
{
    char className[32] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    return lstrcmpiA(className, "SysListView32") == 0;
}
}  // namespace

CXTFlatTabCtrl::CXTFlatTabCtrl() : CXTThemeManagerStyleHost(RUNTIME_CLASS(CXTFlatTabCtrlThemeFactory))
{
    m_cxButton = ::GetSystemMetrics(SM_CXHSCROLL) - 1;
    m_cyStrip = ::GetSystemMetrics(SM_CYHSCROLL);
}

CXTFlatTabCtrl::~CXTFlatTabCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

CXTFlatTabCtrlTheme* CXTFlatTabCtrl::GetTheme()
{
    return dynamic_cast<CXTFlatTabCtrlTheme*>(GetSafeTheme());
}

void CXTFlatTabCtrl::OnThemeChanged()
{
    if (GetSafeHwnd())
        Invalidate();
}

BOOL CXTFlatTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    const char* className =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)), nullptr, nullptr);
    return CWnd::Create(className, nullptr, dwStyle | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CXTFlatTabCtrl::GetButtonsWidth() const
{
    int width = 0;
    if (m_dwStyle & FTS_XT_HASARROWS)
        width += 2 * m_cxButton;
    if (m_dwStyle & FTS_XT_HASHOMEEND)
        width += 2 * m_cxButton;
    return width;
}

int CXTFlatTabCtrl::GetRoomForTabs() const
{
    const int area = (m_dwStyle & FTS_XT_HSCROLL) ? m_nTabAreaWidth : m_cx;
    return std::max(0, area - GetButtonsWidth());
}

CFont* CXTFlatTabCtrl::TabFont(int nItem)
{
    return nItem == m_nCurSel ? &XTSystemData()->fontBold : &XTSystemData()->font;
}

int CXTFlatTabCtrl::GetTabWidth(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return 0;
    HDC screen = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(screen, TabFont(nItem)->GetSafeHandle());
    SIZE size = {};
    const CString& text = m_tabs[nItem].text;
    ::GetTextExtentPoint32A(screen, text, text.GetLength(), &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(m_hWnd, screen);
    // Room for the slanted sides grows with the strip's height.
    return size.cx + m_cyStrip + 6;
}

int CXTFlatTabCtrl::TabStart(int nItem)
{
    int x = 0;
    for (int i = 0; i < nItem; ++i)
        x += GetTabWidth(i) - GetOverlap();
    return x;
}

int CXTFlatTabCtrl::GetTotalTabWidth()
{
    const int count = GetItemCount();
    return count ? TabStart(count - 1) + GetTabWidth(count - 1) : 0;
}

BOOL CXTFlatTabCtrl::GetItemRect(int nItem, LPRECT lpRect)
{
    if (nItem < 0 || nItem >= GetItemCount() || !lpRect)
        return FALSE;
    lpRect->left = GetButtonsWidth() + TabStart(nItem) - m_nOffset;
    lpRect->right = lpRect->left + GetTabWidth(nItem);
    lpRect->top = m_rcStrip.top;
    lpRect->bottom = m_rcStrip.bottom;
    return TRUE;
}

int CXTFlatTabCtrl::HitTest(CPoint pt) const
{
    auto* self = const_cast<CXTFlatTabCtrl*>(this);
    const int buttons = GetButtonsWidth();
    if (pt.x < buttons)
        return -1;
    if ((m_dwStyle & FTS_XT_HSCROLL) && pt.x > m_nTabAreaWidth)
        return -1;
    int x = buttons - m_nOffset;
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        const int width = self->GetTabWidth(i) - (i == count - 1 ? 0 : GetOverlap());
        if (pt.x >= x && pt.x <= x + width)
            return i;
        x += width;
    }
    return -1;
}

int CXTFlatTabCtrl::ButtonHitTest(CPoint pt) const
{
    for (int i = 0; i < m_nButtons; ++i) {
        if (m_buttons[i].rect.PtInRect(pt))
            return i;
    }
    return -1;
}

void CXTFlatTabCtrl::SetTipText(int nItem, const char* lpszText)
{
    if (nItem >= 0 && nItem < GetItemCount())
        m_tabs[nItem].tip = lpszText ? lpszText : "";
}

CString CXTFlatTabCtrl::GetTipText(int nItem) const
{
    return nItem >= 0 && nItem < GetItemCount() ? m_tabs[nItem].tip : CString();
}

CString CXTFlatTabCtrl::GetItemText(int nItem) const
{
    return nItem >= 0 && nItem < GetItemCount() ? m_tabs[nItem].text : CString();
}

BOOL CXTFlatTabCtrl::SetItemText(int nItem, const char* lpszText)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    m_tabs[nItem].text = lpszText ? lpszText : "";
    UpdateButtonStates();
    InvalidateTabs();
    return TRUE;
}

void CXTFlatTabCtrl::Home()
{
    m_nOffset = 0;
    UpdateButtonStates();
    InvalidateTabs();
}

void CXTFlatTabCtrl::SetupButtons()
{
    m_nButtons = 0;
    m_iLeft = m_iRight = m_iFirst = m_iLast = -1;
    auto add = [this](UINT command, int direction, BOOL bar) {
        NavButton& button = m_buttons[m_nButtons];
        button = NavButton{};
        button.nCommand = command;
        button.nDirection = direction;
        button.bBar = bar;
        return m_nButtons++;
    };
    if (m_dwStyle & FTS_XT_HASHOMEEND)
        m_iFirst = add(XT_IDC_BTN_HOME, -1, TRUE);
    if (m_dwStyle & FTS_XT_HASARROWS) {
        m_iLeft = add(XT_IDC_BTN_LEFT, -1, FALSE);
        m_iRight = add(XT_IDC_BTN_RIGHT, +1, FALSE);
    }
    if (m_dwStyle & FTS_XT_HASHOMEEND)
        m_iLast = add(XT_IDC_BTN_END, +1, TRUE);
}

void CXTFlatTabCtrl::Layout()
{
    const BOOL top = (m_dwStyle & FTS_XT_TOP) != 0;
    m_rcStrip = top ? CRect(0, 0, m_cx, m_cyStrip) : CRect(0, m_cy - m_cyStrip, m_cx, m_cy);
    m_rcTabWindows = top ? CRect(0, m_cyStrip, m_cx, m_cy) : CRect(0, 0, m_cx, m_cy - m_cyStrip);
    if (m_bTabsOwnWindows) {
        for (TabItem& tab : m_tabs) {
            if (tab.pWnd && tab.pWnd->GetSafeHwnd())
                tab.pWnd->SetWindowPos(nullptr, m_rcTabWindows.left, m_rcTabWindows.top, m_rcTabWindows.Width(),
                                       std::max(0, (int)m_rcTabWindows.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    for (int i = 0; i < m_nButtons; ++i)
        m_buttons[i].rect = CRect(i * m_cxButton, m_rcStrip.top, (i + 1) * m_cxButton, m_rcStrip.bottom);
}

void CXTFlatTabCtrl::UpdateButtonStates()
{
    const BOOL back = m_nOffset > 0;
    const BOOL forward = GetTotalTabWidth() - m_nOffset > GetRoomForTabs() - 1 && GetItemCount() > 0;
    if (m_iLeft >= 0)
        m_buttons[m_iLeft].bEnabled = back;
    if (m_iFirst >= 0)
        m_buttons[m_iFirst].bEnabled = back;
    if (m_iRight >= 0)
        m_buttons[m_iRight].bEnabled = forward;
    if (m_iLast >= 0)
        m_buttons[m_iLast].bEnabled = forward;
}

BOOL CXTFlatTabCtrl::IsButtonEnabled(UINT nCommand) const
{
    for (int i = 0; i < m_nButtons; ++i) {
        if (m_buttons[i].nCommand == nCommand)
            return m_buttons[i].bEnabled;
    }
    return FALSE;
}

void CXTFlatTabCtrl::InvalidateTabs()
{
    if (GetSafeHwnd())
        InvalidateRect(&m_rcStrip, FALSE);
}

void CXTFlatTabCtrl::SetTabsWidth(int nWidth, BOOL bPercent)
{
    if (!(m_dwStyle & FTS_XT_HSCROLL))
        return;
    int pixels = bPercent ? m_cx * nWidth / 100 : nWidth;
    // Room for four buttons and a size box stays for the scroll bar; a narrow strip keeps 0.
    const int limit = std::max(0, m_cx - 4 * m_cxButton - m_cyStrip);
    pixels = std::min(std::max(pixels, 0), limit);
    m_nTabAreaWidth = pixels;
    if (m_cx > 0)
        m_nTabAreaPercent = pixels * 100 / m_cx;
    m_rcGripper = CRect(pixels, m_rcStrip.top, pixels + kGripperWidth, m_rcStrip.bottom);
    const BOOL top = (m_dwStyle & FTS_XT_TOP) != 0;
    m_rcScrollBar = CRect(m_rcGripper.right, m_rcStrip.top - (top ? 0 : 1), std::max((int)m_rcGripper.right, m_cx - m_cyStrip),
                          m_rcStrip.bottom + (top ? 1 : 0));
    if (m_wndScrollBar.GetSafeHwnd())
        m_wndScrollBar.MoveWindow(&m_rcScrollBar);
    UpdateButtonStates();
    if (GetSafeHwnd())
        InvalidateRect(&m_rcStrip, FALSE);
}

int CXTFlatTabCtrl::InsertItem(int nItem, const char* lpszItem, CWnd* pWndControl)
{
    if (nItem < 0 || nItem > GetItemCount())
        return -1;
    if (pWndControl && pWndControl->GetSafeHwnd()) {
        pWndControl->SetParent(this);
        pWndControl->SetWindowPos(nullptr, m_rcTabWindows.left, m_rcTabWindows.top, m_rcTabWindows.Width(),
                                  m_rcTabWindows.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        m_bTabsOwnWindows = TRUE;
    }
    TabItem item;
    item.pWnd = pWndControl;
    item.text = lpszItem ? lpszItem : "";
    m_tabs.insert(m_tabs.begin() + nItem, item);
    if (m_nCurSel >= nItem)
        ++m_nCurSel;
    UpdateButtonStates();
    InvalidateTabs();
    return nItem;
}

BOOL CXTFlatTabCtrl::RemoveItem(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return FALSE;
    CWnd* pWnd = m_tabs[nItem].pWnd;
    if (pWnd && pWnd->GetSafeHwnd() && ::IsWindow(pWnd->GetSafeHwnd())) {
        pWnd->ShowWindow(SW_HIDE);
        pWnd->SetParent(nullptr);
    }
    m_tabs.erase(m_tabs.begin() + nItem);
    return TRUE;
}

BOOL CXTFlatTabCtrl::DeleteItem(int nItem)
{
    if (!RemoveItem(nItem))
        return FALSE;
    const int count = GetItemCount();
    if (count == 0) {
        m_nCurSel = -1;
    } else if (m_nCurSel > nItem) {
        --m_nCurSel;
    } else if (m_nCurSel == nItem) {
        // The selected tab went: its neighbour (the new last one at the end) is shown instead.
        m_nCurSel = -1;
        SetCurSel(std::min(nItem, count - 1));
    }
    m_nOffset = std::min(m_nOffset, std::max(0, GetTotalTabWidth() - GetRoomForTabs() + 1));
    UpdateButtonStates();
    InvalidateTabs();
    return TRUE;
}

BOOL CXTFlatTabCtrl::DeleteAllItems()
{
    while (!m_tabs.empty())
        RemoveItem(GetItemCount() - 1);
    m_nCurSel = -1;
    m_nOffset = 0;
    UpdateButtonStates();
    InvalidateTabs();
    return TRUE;
}

int CXTFlatTabCtrl::SetCurSel(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return -1;
    const int previous = m_nCurSel;
    m_nCurSel = nItem;
    // Scroll so that the tab lies inside the room.
    const int room = GetRoomForTabs();
    const int left = TabStart(nItem);
    const int right = left + GetTabWidth(nItem);
    if (right - m_nOffset > room)
        m_nOffset = right - room;
    if (left - m_nOffset < 0)
        m_nOffset = left;
    m_nOffset = std::max(0, m_nOffset);
    if (previous >= 0 && previous < GetItemCount() && previous != nItem) {
        CWnd* pOld = m_tabs[previous].pWnd;
        if (pOld && pOld->GetSafeHwnd())
            pOld->ShowWindow(SW_HIDE);
    }
    CWnd* pNew = m_tabs[nItem].pWnd;
    if (pNew && pNew->GetSafeHwnd())
        pNew->ShowWindow(SW_SHOW);
    UpdateScrollBar();
    UpdateButtonStates();
    InvalidateTabs();
    return previous;
}

CScrollBar* CXTFlatTabCtrl::GetScrollBarCtrl(int nBar)
{
    if (nBar == SB_HORZ && m_wndScrollBar.GetSafeHwnd())
        return &m_wndScrollBar;
    return nullptr;
}

void CXTFlatTabCtrl::UpdateScrollBar()
{
    if (!m_wndScrollBar.GetSafeHwnd() || m_nCurSel < 0 || m_nCurSel >= GetItemCount())
        return;
    CWnd* pWnd = m_tabs[m_nCurSel].pWnd;
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    HWND hWnd = pWnd->GetSafeHwnd();
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    const BOOL hasInfo = ::GetScrollInfo(hWnd, SB_HORZ, &info);
    // The window's own bar gives way to the strip's.
    ::ShowScrollBar(hWnd, SB_HORZ, FALSE);
    pWnd->ModifyStyle(WS_HSCROLL, 0);
    if (!hasInfo) {
        m_wndScrollBar.EnableWindow(FALSE);
        return;
    }
    const int range = info.nMax - info.nMin + 1;
    SCROLLINFO copy = info;
    copy.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    m_wndScrollBar.SetScrollInfo(&copy, TRUE);
    m_wndScrollBar.EnableWindow(info.nPage != 0 && (int)info.nPage < range);
}

void CXTFlatTabCtrl::OnStripScroll(UINT nCode, UINT nPos)
{
    if (m_nCurSel < 0 || m_nCurSel >= GetItemCount())
        return;
    CWnd* pWnd = m_tabs[m_nCurSel].pWnd;
    if (!pWnd || !pWnd->GetSafeHwnd())
        return;
    HWND hWnd = pWnd->GetSafeHwnd();
    if ((nCode == SB_THUMBPOSITION || nCode == SB_THUMBTRACK) && IsListView(hWnd)) {
        SCROLLINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        ::GetScrollInfo(hWnd, SB_HORZ, &info);
        ::SendMessageA(hWnd, LVM_SCROLL, (WPARAM)((int)nPos - info.nPos), 0);
    }
    ::SendMessageA(hWnd, WM_HSCROLL, MAKEWPARAM(nCode, nPos), 0);
    UpdateScrollBar();
}

LRESULT CXTFlatTabCtrl::Notify(UINT nCode)
{
    NMHDR header = {};
    header.hwndFrom = m_hWnd;
    header.idFrom = (UINT_PTR)GetDlgCtrlID();
    header.code = nCode;
    CWnd* pOwner = GetOwner();
    if (!pOwner)
        pOwner = GetParent();
    return pOwner ? pOwner->SendMessage(WM_NOTIFY, header.idFrom, (LPARAM)&header) : 0;
}

void CXTFlatTabCtrl::OnButtonCommand(UINT nCommand)
{
    const int room = GetRoomForTabs();
    const int count = GetItemCount();
    // The first visible tab: the one at the room's left edge.
    int first = 0;
    while (first < count - 1 && TabStart(first + 1) <= m_nOffset)
        ++first;
    switch (nCommand) {
    case XT_IDC_BTN_HOME:
        m_nOffset = 0;
        break;
    case XT_IDC_BTN_END:
        // Never below 0: tabs that all fit stay where they are.
        m_nOffset = std::max(0, GetTotalTabWidth() - room + 1);
        break;
    case XT_IDC_BTN_LEFT:
        if (count)
            m_nOffset = TabStart(std::max(0, first - 1));
        break;
    case XT_IDC_BTN_RIGHT:
        if (first + 1 < count)
            m_nOffset = TabStart(first + 1);
        break;
    }
    UpdateButtonStates();
    InvalidateTabs();
}

BOOL CXTFlatTabCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (lParam == 0 && id >= XT_IDC_BTN_LEFT && id <= XT_IDC_BTN_END) {
        OnButtonCommand(id);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CXTFlatTabCtrl::OnLButtonDown(CPoint point)
{
    if ((m_dwStyle & FTS_XT_HSCROLL) && m_rcGripper.PtInRect(point)) {
        m_bTracking = TRUE;
        SetCapture();
        m_nGripperOffset = m_nTabAreaWidth - point.x;
        CWnd* pFocus = CWnd::GetFocus();
        m_hWndSavedFocus = pFocus ? pFocus->GetSafeHwnd() : nullptr;
        SetFocus();
        return;
    }
    const int button = ButtonHitTest(point);
    if (button >= 0) {
        if (m_buttons[button].bEnabled) {
            m_buttons[button].bPressed = TRUE;
            RedrawWindow(&m_buttons[button].rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            SetCapture();
        }
        return;
    }
    const int tab = HitTest(point);
    if (tab >= 0 && tab != m_nCurSel) {
        if (Notify(TCN_SELCHANGING))
            return;  // the owner said no
        SetCurSel(tab);
        Notify(TCN_SELCHANGE);
    }
}

void CXTFlatTabCtrl::EndTracking()
{
    m_bTracking = FALSE;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (m_hWndSavedFocus && ::IsWindow(m_hWndSavedFocus))
        ::SetFocus(m_hWndSavedFocus);
    m_hWndSavedFocus = nullptr;
}

void CXTFlatTabCtrl::OnLButtonUp(CPoint /*point*/)
{
    if (m_bTracking) {
        EndTracking();
        return;
    }
    for (int i = 0; i < m_nButtons; ++i) {
        NavButton& button = m_buttons[i];
        if (button.bPressed && button.bEnabled) {
            button.bPressed = FALSE;
            RedrawWindow(&button.rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            ::ReleaseCapture();
            PostMessage(WM_COMMAND, button.nCommand, 0);
        }
        button.bPressed = FALSE;
    }
}

void CXTFlatTabCtrl::DrawTabs(CDC* pDC)
{
    CXTFlatTabCtrlTheme* theme = GetTheme();
    const int room = GetRoomForTabs();
    if (!theme || room <= 0 || m_rcStrip.Height() <= 0)
        return;
    const int height = m_rcStrip.Height();
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, room, height);
    CBitmap* oldBitmap = memDC.SelectObject(&bitmap);
    memDC.FillSolidRect(0, 0, room, height, GetManagedColor(COLOR_BTNFACE));
    const BOOL top = (m_dwStyle & FTS_XT_TOP) != 0;
    auto draw = [&](int i) {
        const int left = TabStart(i) - m_nOffset;
        CRect rc(left, 0, left + GetTabWidth(i), height);
        theme->DrawTab(&memDC, rc, m_tabs[i].text, TabFont(i), i == m_nCurSel, top);
    };
    for (int i = 0; i < GetItemCount(); ++i) {
        if (i != m_nCurSel)
            draw(i);
    }
    if (m_nCurSel >= 0 && m_nCurSel < GetItemCount())
        draw(m_nCurSel);  // over its neighbours
    pDC->BitBlt(GetButtonsWidth(), m_rcStrip.top, room, height, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(oldBitmap);
}

void CXTFlatTabCtrl::Paint(CDC* pDC)
{
    CXTFlatTabCtrlTheme* theme = GetTheme();
    pDC->FillSolidRect(&m_rcStrip, GetManagedColor(COLOR_BTNFACE));
    if (theme) {
        for (int i = 0; i < m_nButtons; ++i) {
            const NavButton& button = m_buttons[i];
            theme->DrawButton(pDC, button.rect, button.nDirection, button.bBar, button.bPressed, button.bEnabled);
        }
    }
    DrawTabs(pDC);
    if (theme && (m_dwStyle & FTS_XT_HSCROLL))
        theme->DrawGripper(pDC, m_rcGripper);
}

BOOL CXTFlatTabCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (m_bTracking && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        EndTracking();
        return TRUE;
    }
    if ((m_dwStyle & FTS_XT_TOOLTIPS) && m_toolTip.GetSafeHwnd()) {
        int tab = -1;
        if (pMsg->message == WM_MOUSEMOVE && pMsg->hwnd == m_hWnd)
            tab = HitTest(CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam)));
        if (tab >= 0) {
            const CString& tip = m_tabs[tab].tip;
            if (tip != m_strShownTip) {
                m_strShownTip = tip;
                m_toolTip.UpdateTipText(tip, this);
            }
            m_toolTip.RelayEvent(pMsg);
        } else {
            m_toolTip.Pop();
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CXTFlatTabCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        m_dwStyle = create->style & FTS_XT_MASK;
        if (m_dwStyle & FTS_XT_HASHOMEEND)
            m_dwStyle |= FTS_XT_HASARROWS;
        m_cx = create->cx;
        m_cy = create->cy;
        CRect client;
        ::GetClientRect(m_hWnd, &client);
        m_cx = client.Width();
        m_cy = client.Height();
        if (m_dwStyle & FTS_XT_TOOLTIPS) {
            if (m_toolTip.Create(this)) {
                const char* text = FindInterfaceText(IDS_FLAT_TAB_TIP_TEXT);
                m_toolTip.AddTool(this, text ? text : "Tip text");
                m_toolTip.Activate(TRUE);
                m_toolTip.SetMaxTipWidth(32767);
            }
        }
        SetupButtons();
        Layout();
        if (m_dwStyle & FTS_XT_HSCROLL) {
            m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, kScrollBarId);
            SetTabsWidth(60, TRUE);
        }
        UpdateButtonStates();
        *pResult = 0;
        return TRUE;
    }
    case WM_SIZE:
        Default();
        m_cx = LOWORD(lParam);
        m_cy = HIWORD(lParam);
        Layout();
        SetTabsWidth(m_nTabAreaPercent, TRUE);
        UpdateScrollBar();
        UpdateButtonStates();
        *pResult = 0;
        return TRUE;
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(&dc);
        *pResult = 0;
        return TRUE;
    }
    case WM_PRINTCLIENT:
        Paint(CDC::FromHandle((HDC)wParam));
        *pResult = 0;
        return TRUE;
    case WM_ERASEBKGND:
        if (m_tabs.empty())
            CDC::FromHandle((HDC)wParam)->FillSolidRect(&m_rcTabWindows, GetManagedColor(COLOR_BTNFACE));
        *pResult = TRUE;
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(point);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDBLCLK:
        if (ButtonHitTest(point) >= 0)
            OnLButtonDown(point);  // a double click on a button is a second press
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUp(point);
        *pResult = 0;
        return TRUE;
    case WM_MOUSEMOVE:
        if (m_bTracking)
            SetTabsWidth(point.x + m_nGripperOffset, FALSE);
        break;
    case WM_CAPTURECHANGED:
        if (m_bTracking && (HWND)lParam != m_hWnd)
            m_bTracking = FALSE;
        break;
    case WM_SETCURSOR:
        if (m_bTracking || [&] {
                CPoint cursor;
                ::GetCursorPos(&cursor);
                ScreenToClient(&cursor);
                return (m_dwStyle & FTS_XT_HSCROLL) && m_rcGripper.PtInRect(cursor);
            }()) {
            HCURSOR split = XTSystemData()->hCursors[5];
            ::SetCursor(split ? split : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));  // IDC_SIZEWE
            *pResult = TRUE;
            return TRUE;
        }
        break;
    case WM_HSCROLL:
        if ((HWND)lParam == m_wndScrollBar.GetSafeHwnd() && lParam) {
            OnStripScroll(LOWORD(wParam), HIWORD(wParam));
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == (UINT)kHeaderItemChanging)
            UpdateScrollBar();
        break;
    case WM_SYSCOLORCHANGE:
        if (CXTFlatTabCtrlTheme* theme = GetTheme())
            theme->RefreshMetrics();
        break;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
