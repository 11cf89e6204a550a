// The tree extension: traversal, find, item appearance, painting and the multiple selection.
#include "CXTTreeBase.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CDC.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTPTrackingLoop.h"

namespace {

constexpr UINT_PTR kHotTimer = 85;
constexpr UINT kHotPeriod = 55;
constexpr UINT_PTR kMarqueeTimer = 1;
constexpr UINT kMarqueePeriod = 75;
constexpr UINT kOnItem = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;

std::string Lowered(const char* text)
{
    std::string s(text);
    if (!s.empty())
        CharLowerBuffA(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// Letters of the current code page (double-byte ones too) and "_" make words.
bool IsWordChar(const char* begin, const char* end)
{
    if (begin >= end)
        return false;
    if (*begin == '_')
        return true;
    WCHAR wide[2] = {};
    int n = MultiByteToWideChar(CP_ACP, 0, begin, static_cast<int>(end - begin), wide, 2);
    return n > 0 && IsCharAlphaW(wide[0]);
}

}  // namespace

CXTTreeBase::CXTTreeBase() = default;

CXTTreeBase::~CXTTreeBase() = default;

// ---- Plain tree calls ------------------------------------------------------------------

LRESULT CXTTreeBase::Tree(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return (m_pTree && m_pTree->m_hWnd) ? ::SendMessageA(m_pTree->m_hWnd, message, wParam, lParam) : 0;
}

HTREEITEM CXTTreeBase::TreeNext(HTREEITEM hItem, UINT nCode) const
{
    return reinterpret_cast<HTREEITEM>(Tree(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

UINT CXTTreeBase::TreeState(HTREEITEM hItem, UINT nMask) const
{
    if (!hItem)
        return 0;
    TVITEMA item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = hItem;
    item.stateMask = nMask;
    return Tree(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? (item.state & nMask) : 0;
}

BOOL CXTTreeBase::TreeSetState(HTREEITEM hItem, UINT nState, UINT nMask)
{
    TVITEMA item = {};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(Tree(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

CString CXTTreeBase::TreeText(HTREEITEM hItem) const
{
    // Grows the buffer until the label fits: labels have no length query.
    for (int size = 256;; size *= 4) {
        std::string buffer(static_cast<size_t>(size), '\0');
        TVITEMA item = {};
        item.mask = TVIF_TEXT | TVIF_HANDLE;
        item.hItem = hItem;
        item.pszText = buffer.data();
        item.cchTextMax = size;
        if (!hItem || !Tree(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            return CString();
        size_t length = strnlen(item.pszText, static_cast<size_t>(size));
        if (static_cast<int>(length) < size - 1 || size >= (1 << 20))
            return CString(item.pszText);
    }
}

BOOL CXTTreeBase::TreeItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const
{
    *reinterpret_cast<HTREEITEM*>(pRect) = hItem;
    return static_cast<BOOL>(Tree(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(pRect)));
}

HTREEITEM CXTTreeBase::TreeHitTest(CPoint point, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = point;
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(Tree(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    *pFlags = info.flags;
    return hItem;
}

BOOL CXTTreeBase::HasFocus() const
{
    return m_pTree && m_pTree->m_hWnd && ::GetFocus() == m_pTree->m_hWnd;
}

COLORREF CXTTreeBase::Color(int nIndex)
{
    return GetManagedColor(nIndex);
}

// ---- Traversal -----------------------------------------------------------------------------

HTREEITEM CXTTreeBase::GetNextItem(HTREEITEM hItem) const
{
    if (HTREEITEM hChild = TreeNext(hItem, TVGN_CHILD))
        return hChild;
    for (HTREEITEM hUp = hItem; hUp; hUp = TreeNext(hUp, TVGN_PARENT)) {
        if (HTREEITEM hSibling = TreeNext(hUp, TVGN_NEXT))
            return hSibling;
    }
    return nullptr;
}

HTREEITEM CXTTreeBase::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return TreeNext(hItem, nCode);
}

HTREEITEM CXTTreeBase::GetPrevItem(HTREEITEM hItem) const
{
    if (HTREEITEM hSibling = TreeNext(hItem, TVGN_PREVIOUS))
        return GetLastItem(hSibling);
    return TreeNext(hItem, TVGN_PARENT);
}

HTREEITEM CXTTreeBase::GetLastItem(HTREEITEM hItem) const
{
    HTREEITEM hLast = hItem;
    if (!hLast) {
        // The tree's last item lies under its last top-level item, not under the first.
        hLast = TreeNext(nullptr, TVGN_ROOT);
        for (HTREEITEM h = hLast; h; h = TreeNext(h, TVGN_NEXT))
            hLast = h;
    }
    while (HTREEITEM hChild = TreeNext(hLast, TVGN_CHILD)) {
        hLast = hChild;
        for (HTREEITEM h = hChild; h; h = TreeNext(h, TVGN_NEXT))
            hLast = h;
    }
    return hLast;
}

// ---- Find ----------------------------------------------------------------------------------

BOOL CXTTreeBase::IsFindMatch(const char* lpszLabel, const char* lpszText, BOOL bCaseSensitive, BOOL bWholeWord)
{
    if (!lpszLabel || !lpszText || !*lpszText)
        return FALSE;
    const std::string label = bCaseSensitive ? std::string(lpszLabel) : Lowered(lpszLabel);
    const std::string text = bCaseSensitive ? std::string(lpszText) : Lowered(lpszText);
    const char* begin = label.c_str();
    const char* end = begin + label.size();
    for (size_t pos = label.find(text); pos != std::string::npos; pos = label.find(text, pos + text.size())) {
        if (!bWholeWord)
            return TRUE;
        // Each occurrence is judged by its neighbours in the whole label.
        const char* at = begin + pos;
        const char* after = at + text.size();
        bool wordBefore = at > begin && IsWordChar(CharPrevA(begin, at), at);
        bool wordAfter = after < end && IsWordChar(after, CharNextA(after));
        if (!wordBefore && !wordAfter)
            return TRUE;
    }
    return FALSE;
}

BOOL CXTTreeBase::AcceptFoundItem(HTREEITEM)
{
    return TRUE;
}

HTREEITEM CXTTreeBase::FindItem(const char* lpszText, BOOL bCaseSensitive, BOOL bDownward, BOOL bWholeWord,
                                HTREEITEM hStart)
{
    if (!lpszText || !*lpszText)
        return nullptr;
    HTREEITEM hRoot = TreeNext(nullptr, TVGN_ROOT);
    if (!hStart)
        hStart = TreeNext(nullptr, TVGN_CARET);
    if (!hStart)
        hStart = hRoot;
    HTREEITEM hItem = hStart;
    bool bWrapped = false;
    while (hItem) {
        if (IsFindMatch(TreeText(hItem), lpszText, bCaseSensitive, bWholeWord) && AcceptFoundItem(hItem))
            return hItem;
        HTREEITEM hNext = bDownward ? GetNextItem(hItem) : GetPrevItem(hItem);
        if (!hNext) {
            // A start that is no item of this tree is never met again: one round is all.
            if (bWrapped)
                break;
            bWrapped = true;
            hNext = bDownward ? hRoot : GetLastItem(nullptr);
        }
        hItem = hNext;
        if (hItem == hStart)
            break;
    }
    return nullptr;
}

HTREEITEM CXTTreeBase::FindInChildren(const char* lpszText, BOOL bCaseSensitive, BOOL bWholeWord, HTREEITEM hParent)
{
    if (!lpszText || !*lpszText)
        return nullptr;
    for (HTREEITEM hChild = TreeNext(hParent, TVGN_CHILD); hChild; hChild = TreeNext(hChild, TVGN_NEXT)) {
        if (HTREEITEM hFound = FindInChildren(lpszText, bCaseSensitive, bWholeWord, hChild))
            return hFound;
        if (IsFindMatch(TreeText(hChild), lpszText, bCaseSensitive, bWholeWord) && AcceptFoundItem(hChild))
            return hChild;
    }
    return nullptr;
}

// ---- Appearance ----------------------------------------------------------------------------

void CXTTreeBase::SetItemFont(HTREEITEM hItem, const LOGFONTA& logfont)
{
    auto found = m_mapItemData.find(hItem);
    if (found == m_mapItemData.end())
        found = m_mapItemData.emplace(hItem, ItemData{LOGFONTA{}, 0xFFFFFFFF}).first;
    found->second.logfont = logfont;
}

BOOL CXTTreeBase::GetItemFont(HTREEITEM hItem, LOGFONTA* plogfont) const
{
    auto found = m_mapItemData.find(hItem);
    if (found == m_mapItemData.end() || found->second.logfont.lfFaceName[0] == '\0')
        return FALSE;
    if (plogfont)
        *plogfont = found->second.logfont;
    return TRUE;
}

void CXTTreeBase::SetItemBold(HTREEITEM hItem, BOOL bBold)
{
    SetItemState(hItem, bBold ? TVIS_BOLD : 0, TVIS_BOLD);
    if (m_pTree)
        m_pTree->Invalidate();
}

BOOL CXTTreeBase::GetItemBold(HTREEITEM hItem) const
{
    return (TreeState(hItem, TVIS_BOLD) & TVIS_BOLD) != 0;
}

void CXTTreeBase::SetItemColor(HTREEITEM hItem, COLORREF color)
{
    auto found = m_mapItemData.find(hItem);
    if (found == m_mapItemData.end())
        found = m_mapItemData.emplace(hItem, ItemData{LOGFONTA{}, 0xFFFFFFFF}).first;
    found->second.color = color;
    if (m_pTree)
        m_pTree->Invalidate();
}

COLORREF CXTTreeBase::GetItemColor(HTREEITEM hItem) const
{
    auto found = m_mapItemData.find(hItem);
    return found == m_mapItemData.end() ? 0xFFFFFFFF : found->second.color;
}

void CXTTreeBase::RemoveAllItemData()
{
    m_mapItemData.clear();
}

// ---- Selection -----------------------------------------------------------------------------

BOOL CXTTreeBase::EnableMultiSelect(BOOL bEnable)
{
    BOOL bPrevious = m_bMultiSelect;
    if (bPrevious && !bEnable) {
        HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
        BOOL bCaretSelected = (TreeState(hCaret, TVIS_SELECTED) & TVIS_SELECTED) != 0;
        SelectAll(FALSE, hCaret);
        m_bMultiSelect = FALSE;
        m_hAnchorItem = nullptr;
        if (bCaretSelected)
            SelectItem(hCaret);
    }
    m_bMultiSelect = bEnable;
    return bPrevious;
}

LRESULT CXTTreeBase::SendNotify(NMHDR* pNMHDR)
{
    if (!m_pTree || !m_pTree->m_hWnd)
        return 0;
    HWND hTarget = ::GetWindow(m_pTree->m_hWnd, GW_OWNER);
    if (!hTarget)
        hTarget = ::GetParent(m_pTree->m_hWnd);
    if (!hTarget)
        return 0;
    BYTE bGuard = m_bNotifyGuard;
    LRESULT result = ::SendMessageA(hTarget, WM_NOTIFY, pNMHDR->idFrom, reinterpret_cast<LPARAM>(pNMHDR));
    m_bNotifyGuard = bGuard;
    return result;
}

LRESULT CXTTreeBase::NotifySelection(UINT nCode, HTREEITEM hItem, BOOL bSelecting)
{
    NMTREEVIEWA nm = {};
    nm.hdr.hwndFrom = m_pTree->m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_pTree->m_hWnd));
    nm.hdr.code = nCode;
    nm.action = TVC_UNKNOWN;
    TVITEMA& item = bSelecting ? nm.itemNew : nm.itemOld;
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = hItem;
    Tree(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return SendNotify(&nm.hdr);
}

BOOL CXTTreeBase::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    if (!hItem)
        return FALSE;
    if (!m_bMultiSelect)
        return TreeSetState(hItem, nState, nStateMask);

    HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
    const BOOL bIsCaret = hItem == hCaret;
    const BOOL bCaretSelected = (TreeState(hCaret, TVIS_SELECTED) & TVIS_SELECTED) != 0;
    const BOOL bWasSelected = (TreeState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
    const BOOL bAskCaret = (nStateMask & kCaretState) != 0;
    const BOOL bSetCaret = (nState & kCaretState) != 0;
    nState &= ~kCaretState;
    nStateMask &= ~kCaretState;

    if (bAskCaret && bSetCaret) {
        if (hCaret && !bIsCaret && bCaretSelected) {
            // The control deselects the old caret when the caret moves; it keeps its selection here.
            Tree(TVM_SELECTITEM, TVGN_CARET, 0);
            TreeSetState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
            m_pTree->UpdateWindow();
        }
        if (!Tree(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)))
            return FALSE;
        if (nStateMask & TVIS_SELECTED) {
            if ((nState & TVIS_SELECTED) && !(bIsCaret && !bWasSelected))
                nStateMask &= ~TVIS_SELECTED;  // the caret move selected it
        } else if (!bWasSelected) {
            TreeSetState(hItem, 0, TVIS_SELECTED);  // the caret alone does not select
        }
    } else if (bAskCaret && bIsCaret) {
        Tree(TVM_SELECTITEM, TVGN_CARET, 0);
        if (bWasSelected)
            TreeSetState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    }

    if (nStateMask & TVIS_SELECTED) {
        const UINT want = nState & TVIS_SELECTED;
        if ((TreeState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != want) {
            if (NotifySelection(TVN_SELCHANGINGA, hItem, want != 0))
                return FALSE;
            TreeSetState(hItem, want, TVIS_SELECTED);
            NotifySelection(TVN_SELCHANGEDA, hItem, want != 0);
        }
        nStateMask &= ~TVIS_SELECTED;
    }
    if (nStateMask)
        TreeSetState(hItem, nState, nStateMask);
    return TRUE;
}

UINT CXTTreeBase::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    UINT state = TreeState(hItem, nStateMask & ~kCaretState);
    if ((nStateMask & kCaretState) && hItem && hItem == TreeNext(nullptr, TVGN_CARET))
        state |= kCaretState;
    return state;
}

BOOL CXTTreeBase::SelectItem(HTREEITEM hItem)
{
    if (!m_bMultiSelect)
        return static_cast<BOOL>(Tree(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem)));
    return SetItemState(hItem, kCaretState | TVIS_SELECTED, kCaretState | TVIS_SELECTED);
}

BOOL CXTTreeBase::FocusItem(HTREEITEM hItem)
{
    if (hItem)
        return SetItemState(hItem, kCaretState, kCaretState);
    HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
    return hCaret ? SetItemState(hCaret, 0, kCaretState) : TRUE;
}

HTREEITEM CXTTreeBase::GetFocusedItem() const
{
    return TreeNext(nullptr, TVGN_CARET);
}

HTREEITEM CXTTreeBase::GetFirstSelectedItem() const
{
    HTREEITEM hRoot = TreeNext(nullptr, TVGN_ROOT);
    if (hRoot && (TreeState(hRoot, TVIS_SELECTED) & TVIS_SELECTED))
        return hRoot;
    return GetNextSelectedItem(hRoot);
}

HTREEITEM CXTTreeBase::GetNextSelectedItem(HTREEITEM hItem) const
{
    for (HTREEITEM h = TreeNext(hItem, TVGN_NEXTVISIBLE); h; h = TreeNext(h, TVGN_NEXTVISIBLE)) {
        if (TreeState(h, TVIS_SELECTED) & TVIS_SELECTED)
            return h;
    }
    return nullptr;
}

HTREEITEM CXTTreeBase::GetPrevSelectedItem(HTREEITEM hItem) const
{
    for (HTREEITEM h = TreeNext(hItem, TVGN_PREVIOUSVISIBLE); h; h = TreeNext(h, TVGN_PREVIOUSVISIBLE)) {
        if (TreeState(h, TVIS_SELECTED) & TVIS_SELECTED)
            return h;
    }
    return nullptr;
}

UINT CXTTreeBase::GetSelectedCount() const
{
    UINT count = 0;
    for (HTREEITEM h = GetFirstSelectedItem(); h; h = GetNextSelectedItem(h))
        ++count;
    return count;
}

void CXTTreeBase::ClearSelection(BOOL bSelect, HTREEITEM hStart)
{
    const UINT want = bSelect ? TVIS_SELECTED : 0;
    for (HTREEITEM h = hStart ? hStart : TreeNext(nullptr, TVGN_ROOT); h; h = TreeNext(h, TVGN_NEXTVISIBLE)) {
        if ((TreeState(h, TVIS_SELECTED) & TVIS_SELECTED) != want)
            SetItemState(h, want, TVIS_SELECTED);
    }
}

void CXTTreeBase::SelectAll(BOOL bSelect, HTREEITEM hExcept)
{
    const UINT want = bSelect ? TVIS_SELECTED : 0;
    for (HTREEITEM h = TreeNext(nullptr, TVGN_ROOT); h; h = TreeNext(h, TVGN_NEXTVISIBLE)) {
        if (h != hExcept && (TreeState(h, TVIS_SELECTED) & TVIS_SELECTED) != want)
            SetItemState(h, want, TVIS_SELECTED);
    }
}

void CXTTreeBase::SelectItems(HTREEITEM hFirst, HTREEITEM hLast, BOOL bOnly)
{
    // An end that is hidden (or gone) is never met on the walk, and the range would run to the
    // tree's end: the visible end alone makes the range then.
    RECT rect;
    if (!hFirst || !TreeItemRect(hFirst, &rect, FALSE))
        hFirst = hLast;
    if (!hLast || !TreeItemRect(hLast, &rect, FALSE))
        hLast = hFirst;
    enum { kBefore, kInside, kAfter } where = kBefore;
    for (HTREEITEM h = TreeNext(nullptr, TVGN_ROOT); h; h = TreeNext(h, TVGN_NEXTVISIBLE)) {
        const bool bEnd = h == hFirst || h == hLast;
        const bool bSelected = (TreeState(h, TVIS_SELECTED) & TVIS_SELECTED) != 0;
        if (where == kBefore && bEnd) {
            where = kInside;
            if (hFirst == hLast || !hFirst || !hLast)
                where = kAfter;  // a range of one item
            if (!bSelected)
                SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
            continue;
        }
        if (where == kInside) {
            if (!bSelected)
                SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
            if (bEnd)
                where = kAfter;
        } else if (bOnly && bSelected) {
            SetItemState(h, 0, TVIS_SELECTED);
        }
    }
}

BOOL CXTTreeBase::SelectChildren(HTREEITEM hParent, BOOL bSelect, BOOL bRecurse)
{
    BOOL bHadCaret = FALSE;
    HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
    for (HTREEITEM h = TreeNext(hParent, TVGN_CHILD); h; h = TreeNext(h, TVGN_NEXT)) {
        SetItemState(h, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
        if (h == hCaret)
            bHadCaret = TRUE;
        if (bRecurse && (TreeState(h, TVIS_EXPANDED) & TVIS_EXPANDED) && SelectChildren(h, bSelect, bRecurse))
            bHadCaret = TRUE;
    }
    return bHadCaret;
}

// ---- Mouse ---------------------------------------------------------------------------------

BOOL CXTTreeBase::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMultiSelect)
        return FALSE;
    UINT flags = 0;
    HTREEITEM hItem = TreeHitTest(point, &flags);
    if (hItem && (flags & (TVHT_ONITEMBUTTON | TVHT_ONITEMSTATEICON)))
        return FALSE;
    if (m_pTree->GetStyle() & TVS_EDITLABELS) {
        const bool bPlain = !(nFlags & (MK_SHIFT | MK_CONTROL));
        if (hItem && bPlain && (flags & TVHT_ONITEMLABEL) && m_bClickToEdit &&
            hItem == TreeNext(nullptr, TVGN_CARET)) {
            // A second click on the caret's label: the control starts editing it.
            SelectAll(FALSE, hItem);
            SelectItem(hItem);
            return FALSE;
        }
        m_bClickToEdit = (hItem && (flags & kOnItem)) ? 1 : 0;
    }
    return OnButtonDown(TRUE, nFlags, point);
}

BOOL CXTTreeBase::OnButtonDown(BOOL bLeft, UINT nFlags, CPoint point)
{
    UINT flags = 0;
    HTREEITEM hItem = TreeHitTest(point, &flags);
    if (hItem && (flags & TVHT_ONITEMBUTTON))
        return FALSE;
    if (hItem && bLeft && (flags & TVHT_ONITEMSTATEICON) && (m_pTree->GetStyle() & TVS_CHECKBOXES))
        return FALSE;
    if (hItem && !(flags & (TVHT_NOWHERE | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT))) {
        SelectOnClick(hItem, bLeft, nFlags);
        TrackClick(hItem, bLeft, nFlags, point);
        return m_bActionDone;
    }
    TrackMarquee(nFlags, point);
    return TRUE;
}

BOOL CXTTreeBase::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bMultiSelect)
        return FALSE;
    UINT flags = 0;
    HTREEITEM hItem = TreeHitTest(point, &flags);
    if (hItem && (flags & kOnItem)) {
        SelectOnClick(hItem, FALSE, nFlags);  // an unselected item alone; with Ctrl only the anchor
    } else {
        SelectAll(FALSE);
    }
    NMHDR nm = {m_pTree->m_hWnd, static_cast<UINT_PTR>(::GetDlgCtrlID(m_pTree->m_hWnd)), static_cast<UINT>(NM_RCLICK)};
    SendNotify(&nm);
    return TRUE;
}

void CXTTreeBase::SelectOnClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags)
{
    const bool bShift = (nFlags & MK_SHIFT) != 0;
    const bool bCtrl = (nFlags & MK_CONTROL) != 0;
    const bool bSelected = (TreeState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
    if (!bLeft) {
        if (!bShift && !bCtrl && !bSelected) {
            SelectAll(FALSE, hItem);
            SelectItem(hItem);
        } else if (bCtrl && !bShift) {
            m_hAnchorItem = hItem;
        }
        return;
    }
    if (bShift) {
        if (!m_hAnchorItem)
            m_hAnchorItem = TreeNext(nullptr, TVGN_CARET);
        if (!m_hAnchorItem)
            m_hAnchorItem = hItem;
        SelectItems(m_hAnchorItem, hItem, !bCtrl);
        FocusItem(hItem);
        return;
    }
    if (!bCtrl && !bSelected) {
        SelectAll(FALSE, hItem);
        SelectItem(hItem);
    }
    m_hAnchorItem = nullptr;
}

void CXTTreeBase::TrackClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags, CPoint point)
{
    enum { kLost, kClick, kDrag } outcome = kLost;
    m_bActionDone = 0;
    HWND hTree = m_pTree->m_hWnd;
    const int cxDrag = ::GetSystemMetrics(SM_CXDRAG);
    const int cyDrag = ::GetSystemMetrics(SM_CYDRAG);
    CXTPTrackingLoop().Translate().KeepEscape().Run(hTree, [&](const MSG& msg) {
        if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) {
            outcome = kClick;
            return CXTPTrackingLoop::kStop;
        }
        if (msg.message == WM_MOUSEMOVE) {
            CPoint at(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (std::abs(at.x - point.x) > cxDrag || std::abs(at.y - point.y) > cyDrag) {
                outcome = kDrag;
                return CXTPTrackingLoop::kStop;
            }
        }
        return CXTPTrackingLoop::kDispatch;
    });

    const UINT_PTR id = static_cast<UINT_PTR>(::GetDlgCtrlID(hTree));
    if (outcome == kClick) {
        if (bLeft && !(nFlags & MK_SHIFT)) {
            if (nFlags & MK_CONTROL) {
                const bool bSelected = (TreeState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
                SetItemState(hItem, bSelected ? 0 : TVIS_SELECTED, TVIS_SELECTED);
                FocusItem(hItem);
            } else {
                SelectAll(FALSE, hItem);
                SelectItem(hItem);
            }
        }
        if (::GetFocus() != hTree)
            ::SetFocus(hTree);
        NMHDR nm = {hTree, id, static_cast<UINT>(bLeft ? NM_CLICK : NM_RCLICK)};
        SendNotify(&nm);
    } else if (outcome == kDrag) {
        SelectItem(hItem);
        if (!(m_pTree->GetStyle() & TVS_DISABLEDRAGDROP)) {
            NMTREEVIEWA nm = {};
            nm.hdr = {hTree, id, static_cast<UINT>(bLeft ? TVN_BEGINDRAGA : TVN_BEGINRDRAGA)};
            nm.itemNew.mask = TVIF_HANDLE | TVIF_PARAM;
            nm.itemNew.hItem = hItem;
            Tree(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&nm.itemNew));
            nm.ptDrag = point;
            SendNotify(&nm.hdr);
        }
    }
    m_bActionDone = 1;
}

void CXTTreeBase::TrackMarquee(UINT nFlags, CPoint point)
{
    HWND hTree = m_pTree->m_hWnd;
    ::SetFocus(hTree);
    const bool bModifier = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0;
    std::vector<HTREEITEM> previous;
    if (bModifier) {
        for (HTREEITEM h = GetFirstSelectedItem(); h; h = GetNextSelectedItem(h))
            previous.push_back(h);
    }
    ::SetTimer(hTree, kMarqueeTimer, kMarqueePeriod, nullptr);

    // The start is kept in scrolled coordinates, so the band stays anchored while the tree scrolls.
    const int itemHeight = std::max(1, static_cast<int>(Tree(TVM_GETITEMHEIGHT)));
    auto scrolled = [&]() {
        return CPoint(::GetScrollPos(hTree, SB_HORZ), ::GetScrollPos(hTree, SB_VERT) * itemHeight);
    };
    CPoint origin = scrolled();
    const CPoint start(point.x + origin.x, point.y + origin.y);
    const int cxDrag = ::GetSystemMetrics(SM_CXDRAG);
    const int cyDrag = ::GetSystemMetrics(SM_CYDRAG);
    bool bBand = false;
    CRect band;
    HDC hdc = ::GetDC(hTree);

    auto step = [&](CPoint at) {
        CRect client;
        ::GetClientRect(hTree, &client);
        if (at.y < client.top)
            ::SendMessageA(hTree, WM_VSCROLL, SB_LINEUP, 0);
        else if (at.y > client.bottom)
            ::SendMessageA(hTree, WM_VSCROLL, SB_LINEDOWN, 0);
        if (at.x < client.left)
            ::SendMessageA(hTree, WM_HSCROLL, SB_LINELEFT, 0);
        else if (at.x > client.right)
            ::SendMessageA(hTree, WM_HSCROLL, SB_LINERIGHT, 0);
        CPoint now = scrolled();
        CRect rect(start.x - now.x, start.y - now.y, at.x, at.y);
        rect.NormalizeRect();
        if (!band.IsRectEmpty())
            ::DrawFocusRect(hdc, &band);
        SelectInRect(rect, nFlags, bModifier ? &previous : nullptr);
        band = rect;
        ::DrawFocusRect(hdc, &band);
    };

    const auto result = CXTPTrackingLoop().Translate().Run(hTree, [&](const MSG& msg) {
        if (msg.message == WM_RBUTTONUP)
            return CXTPTrackingLoop::kRelease;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == hTree) {
            CPoint at(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (!bBand && (std::abs(at.x - point.x) > cxDrag || std::abs(at.y - point.y) > cyDrag)) {
                bBand = true;
                if (!bModifier)
                    SelectAll(FALSE);
            }
            if (bBand)
                step(at);
            return CXTPTrackingLoop::kNext;
        }
        if (msg.message == WM_TIMER && msg.hwnd == hTree && msg.wParam == kMarqueeTimer) {
            CPoint at;
            ::GetCursorPos(&at);
            ::ScreenToClient(hTree, &at);
            CRect client;
            ::GetClientRect(hTree, &client);
            if (bBand && !client.PtInRect(at)) {
                step(at);
                return CXTPTrackingLoop::kNext;
            }
        }
        return CXTPTrackingLoop::kDefault;
    });
    ::KillTimer(hTree, kMarqueeTimer);
    if (!band.IsRectEmpty())
        ::DrawFocusRect(hdc, &band);
    ::ReleaseDC(hTree, hdc);
    const bool bEscaped = result == CXTPTrackingLoop::kCancelled;
    if (bEscaped || (!bBand && !bModifier))
        SelectAll(FALSE);
}

void CXTTreeBase::SelectInRect(const CRect& rect, UINT nFlags, std::vector<HTREEITEM>* pPrevious)
{
    for (HTREEITEM h = TreeNext(nullptr, TVGN_ROOT); h; h = TreeNext(h, TVGN_NEXTVISIBLE)) {
        CRect itemRect;
        if (!TreeItemRect(h, &itemRect, m_bTextOnlyRects))
            continue;
        CRect overlap;
        const bool bInside = overlap.IntersectRect(&itemRect, &rect) != FALSE;
        auto found = pPrevious ? std::find(pPrevious->begin(), pPrevious->end(), h) : std::vector<HTREEITEM>::iterator();
        const bool bRemembered = pPrevious && found != pPrevious->end();
        const bool bSelected = (TreeState(h, TVIS_SELECTED) & TVIS_SELECTED) != 0;
        if (bInside) {
            if (!bSelected && !bRemembered)
                SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
            else if (bRemembered && (nFlags & MK_CONTROL))
                SetItemState(h, 0, TVIS_SELECTED);  // the band toggles what it covers
            else if (bRemembered && (nFlags & MK_SHIFT))
                pPrevious->erase(found);
        } else if (bSelected && !bRemembered) {
            SetItemState(h, 0, TVIS_SELECTED);
        } else if (!bSelected && bRemembered) {
            SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
        }
    }
    m_pTree->UpdateWindow();
}

// ---- Keyboard and collapsing ---------------------------------------------------------------

BOOL CXTTreeBase::OnKeyDown(UINT nChar)
{
    if (!m_bMultiSelect || (nChar != VK_UP && nChar != VK_DOWN))
        return FALSE;
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
    HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
    if (!m_hAnchorItem)
        m_hAnchorItem = hCaret;

    if (!bCtrl && !bShift) {
        m_hAnchorItem = nullptr;
        if (GetSelectedCount() < 2) {
            HTREEITEM hItem = hCaret ? hCaret : GetFirstSelectedItem();
            if (!hItem) {
                // Nothing to move from yet: the first key only places the caret.
                FocusItem(TreeNext(nullptr, TVGN_ROOT));
                return TRUE;
            }
            SelectItem(hItem);
        } else {
            SelectAll(FALSE);
        }
        return FALSE;  // the control moves the caret
    }

    const UINT code = nChar == VK_UP ? TVGN_PREVIOUSVISIBLE : TVGN_NEXTVISIBLE;
    HTREEITEM hTarget = hCaret ? TreeNext(hCaret, code) : nullptr;
    if (!hTarget)
        hTarget = hCaret;
    // The control's own move would carry the selection with the caret; the two items it may
    // touch get their bits back, and the rules below decide.
    const UINT caretSelected = TreeState(hCaret, TVIS_SELECTED);
    const UINT targetSelected = TreeState(hTarget, TVIS_SELECTED);
    m_pTree->Default();
    if (!hTarget)
        return TRUE;
    if (hCaret)
        TreeSetState(hCaret, caretSelected, TVIS_SELECTED);
    TreeSetState(hTarget, targetSelected, TVIS_SELECTED);
    if (bShift) {
        SelectItems(m_hAnchorItem ? m_hAnchorItem : hTarget, hTarget, TRUE);
        FocusItem(hTarget);
    } else {
        FocusItem(hTarget);
    }
    return TRUE;
}

void CXTTreeBase::DeselectDescendants(HTREEITEM hParent, BOOL* pCaretInside, BOOL* pAnchorInside)
{
    HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
    for (HTREEITEM h = TreeNext(hParent, TVGN_CHILD); h; h = TreeNext(h, TVGN_NEXT)) {
        if (h == hCaret)
            *pCaretInside = TRUE;
        if (h == m_hAnchorItem)
            *pAnchorInside = TRUE;
        if (TreeState(h, TVIS_SELECTED) & TVIS_SELECTED)
            SetItemState(h, 0, TVIS_SELECTED);
        if (TreeState(h, TVIS_EXPANDED) & TVIS_EXPANDED)
            DeselectDescendants(h, pCaretInside, pAnchorInside);
    }
}

// ---- Painting ------------------------------------------------------------------------------

void CXTTreeBase::DoPaint(CDC& dc, BOOL bInternal)
{
    HWND hTree = m_pTree->m_hWnd;
    const BOOL bEnabled = ::IsWindowEnabled(hTree);
    const DWORD style = m_pTree->GetStyle();
    COLORREF clrBack = static_cast<COLORREF>(Tree(TVM_GETBKCOLOR));
    COLORREF clrText = static_cast<COLORREF>(Tree(TVM_GETTEXTCOLOR));
    if (clrBack == CLR_NONE)
        clrBack = Color(COLOR_WINDOW);
    if (clrText == CLR_NONE)
        clrText = Color(COLOR_WINDOWTEXT);
    if (!bEnabled) {
        clrBack = Color(COLOR_BTNFACE);
        clrText = Color(COLOR_GRAYTEXT);
    }

    CRect client;
    ::GetClientRect(hTree, &client);
    CXTMemDC memDC(&dc, client, clrBack);
    HDC hdc = memDC.GetSafeHdc();
    HBRUSH hBack = ::CreateSolidBrush(clrBack);
    m_pTree->DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(hdc), 0);

    if (bInternal) {
        HFONT hTreeFont = reinterpret_cast<HFONT>(Tree(WM_GETFONT));
        if (!hTreeFont)
            hTreeFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        LOGFONTA treeFont = {};
        ::GetObjectA(hTreeFont, sizeof(treeFont), &treeFont);
        const BOOL bFocused = HasFocus();
        const HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET);
        const bool bTrack = (style & TVS_TRACKSELECT) != 0;
        HTREEITEM hItem = TreeNext(nullptr, TVGN_FIRSTVISIBLE);
        const int count = static_cast<int>(Tree(TVM_GETVISIBLECOUNT)) + 1;
        for (int i = 0; i < count && hItem; ++i, hItem = TreeNext(hItem, TVGN_NEXTVISIBLE)) {
            CRect rect;
            if (!TreeItemRect(hItem, &rect, TRUE))
                continue;
            // State and label in one query: under some hosts every item query costs a handle search.
            char buffer[512] = {};
            TVITEMA item = {};
            item.mask = TVIF_STATE | TVIF_TEXT | TVIF_HANDLE;
            item.hItem = hItem;
            item.stateMask = TVIS_SELECTED | TVIS_DROPHILITED | TVIS_BOLD;
            item.pszText = buffer;
            item.cchTextMax = sizeof(buffer);
            Tree(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            const UINT state = item.state & item.stateMask;
            // Longer labels are read whole.
            const CString label = strnlen(buffer, sizeof(buffer)) < sizeof(buffer) - 1 ? CString(buffer)
                                                                                         : TreeText(hItem);
            bool bSelected = (state & (TVIS_SELECTED | TVIS_DROPHILITED)) != 0;
            COLORREF back = clrBack;
            COLORREF text = clrText;
            if (bSelected && (bFocused || (style & TVS_SHOWSELALWAYS))) {
                if (!bEnabled) {
                    back = Color(COLOR_GRAYTEXT);
                    text = Color(COLOR_BTNFACE);
                } else if (bFocused) {
                    back = Color(COLOR_HIGHLIGHT);
                    text = Color(COLOR_HIGHLIGHTTEXT);
                } else {
                    back = Color(COLOR_BTNFACE);
                    text = Color(COLOR_WINDOWTEXT);
                }
            } else {
                bSelected = false;
            }
            const bool bHot = bTrack && hItem == m_hHotItem;
            const COLORREF stored = GetItemColor(hItem);
            if (hItem == m_hEditItem) {
                back = text = clrBack;  // the edit control shows the label
            } else if (!bSelected && bEnabled && stored != 0xFFFFFFFF) {
                text = stored;
            }
            if (bHot && !bSelected && hItem != m_hEditItem)
                text = Color(COLOR_HOTLIGHT);

            LOGFONTA font = treeFont;
            GetItemFont(hItem, &font);
            if (state & TVIS_BOLD)
                font.lfWeight = FW_BOLD;
            if (bTrack)
                font.lfUnderline = bHot ? TRUE : FALSE;
            HFONT hFont = ::CreateFontIndirectA(&font);
            HGDIOBJ hOldFont = ::SelectObject(hdc, hFont);

            ::FillRect(hdc, &rect, hBack);
            CRect measure(0, 0, 0, 0);
            ::DrawTextA(hdc, label, -1, &measure, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
            if (measure.Width() > rect.Width())
                rect.right = rect.left + measure.Width() + 2;
            if (bSelected) {
                HBRUSH hSelected = ::CreateSolidBrush(back);
                ::FillRect(hdc, &rect, hSelected);
                ::DeleteObject(hSelected);
            }
            ::SetBkMode(hdc, TRANSPARENT);
            ::SetTextColor(hdc, text);
            ::DrawTextA(hdc, label, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
            if (hItem == hCaret && bFocused && bEnabled && hItem != m_hEditItem)
                ::DrawFocusRect(hdc, &rect);
            ::SelectObject(hdc, hOldFont);
            ::DeleteObject(hFont);
        }
    }

    ::DeleteObject(hBack);
}

// ---- Message routing -----------------------------------------------------------------------

void CXTTreeBase::InvalidateSelected()
{
    std::vector<HTREEITEM> items;
    for (HTREEITEM h = GetFirstSelectedItem(); h; h = GetNextSelectedItem(h))
        items.push_back(h);
    // The drop target is painted in the selection colours too.
    items.push_back(TreeNext(nullptr, TVGN_DROPHILITE));
    for (HTREEITEM h : items) {
        CRect rect;
        if (h && TreeItemRect(h, &rect, FALSE))
            ::InvalidateRect(m_pTree->m_hWnd, &rect, FALSE);
    }
}

void CXTTreeBase::SetHotItem(HTREEITEM hItem)
{
    if (hItem == m_hHotItem)
        return;
    for (HTREEITEM h : {m_hHotItem, hItem}) {
        CRect rect;
        if (h && TreeItemRect(h, &rect, FALSE))
            ::InvalidateRect(m_pTree->m_hWnd, &rect, FALSE);
    }
    m_hHotItem = hItem;
}

BOOL CXTTreeBase::PreTranslateMessage(MSG* pMsg)
{
    // The label editor is a child of the tree: its keys come here too.
    if (pMsg->message != WM_KEYDOWN || !m_pTree || !m_pTree->m_hWnd ||
        (pMsg->hwnd != m_pTree->m_hWnd && !::IsChild(m_pTree->m_hWnd, pMsg->hwnd)))
        return FALSE;
    if ((m_pTree->GetStyle() & TVS_EDITLABELS) && Tree(TVM_GETEDITCONTROL)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    if (pMsg->wParam == VK_RETURN) {
        if (HTREEITEM hCaret = TreeNext(nullptr, TVGN_CARET))
            Tree(TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(hCaret));
    }
    return FALSE;
}

BOOL CXTTreeBase::OnNotify(WPARAM, LPARAM lParam, LRESULT*)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    HWND hTips = reinterpret_cast<HWND>(Tree(TVM_GETTOOLTIPS));
    if (header && hTips && header->hwndFrom == hTips && header->code == TTN_SHOW)
        ::SetWindowPos(hTips, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return FALSE;
}

BOOL CXTTreeBase::OnTreeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    *pResult = 0;
    switch (message) {
    case WM_LBUTTONDOWN:
        return OnLButtonDown(static_cast<UINT>(wParam), point);
    case WM_RBUTTONDOWN:
        return OnRButtonDown(static_cast<UINT>(wParam), point);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        *pResult = m_pTree->Default();
        InvalidateSelected();
        return TRUE;
    case WM_KEYDOWN:
        return OnKeyDown(static_cast<UINT>(wParam));
    case WM_SIZE: {
        *pResult = m_pTree->Default();
        HWND hEdit = reinterpret_cast<HWND>(Tree(TVM_GETEDITCONTROL));
        CRect text;
        if (m_hEditItem && hEdit && TreeItemRect(m_hEditItem, &text, TRUE)) {
            ::SetWindowPos(hEdit, nullptr, text.left - 3, text.top - 1, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return TRUE;
    }
    case WM_MOUSEMOVE:
        if (m_pTree->GetStyle() & TVS_TRACKSELECT) {
            UINT flags = 0;
            HTREEITEM hItem = TreeHitTest(point, &flags);
            SetHotItem((hItem && (flags & kOnItem)) ? hItem : nullptr);
            ::SetTimer(m_pTree->m_hWnd, kHotTimer, kHotPeriod, nullptr);
        }
        return FALSE;
    case WM_TIMER:
        if (wParam != kHotTimer)
            return FALSE;
        {
            ::KillTimer(m_pTree->m_hWnd, kHotTimer);
            const DWORD pos = ::GetMessagePos();
            CPoint at(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
            CRect window;
            ::GetWindowRect(m_pTree->m_hWnd, &window);
            if (!window.PtInRect(at))
                SetHotItem(nullptr);
        }
        return TRUE;
    case WM_NCMOUSEMOVE:
        if (wParam == HTBORDER)
            SetHotItem(nullptr);
        return FALSE;
    case WM_PAINT: {
        CPaintDC dc(m_pTree);
        DoPaint(dc, TRUE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CXTTreeBase::OnReflectedNotify(NMHDR* pNMHDR)
{
    switch (pNMHDR->code) {
    case TVN_BEGINLABELEDITA:
        m_hEditItem = reinterpret_cast<NMTVDISPINFOA*>(pNMHDR)->item.hItem;
        break;
    case TVN_ENDLABELEDITA:
        m_hEditItem = nullptr;
        break;
    case TVN_ITEMEXPANDINGA: {
        const NMTREEVIEWA* nm = reinterpret_cast<NMTREEVIEWA*>(pNMHDR);
        if (!m_bMultiSelect || !(nm->action & TVE_COLLAPSE))
            break;
        HTREEITEM hItem = nm->itemNew.hItem;
        BOOL bCaretInside = FALSE;
        BOOL bAnchorInside = FALSE;
        DeselectDescendants(hItem, &bCaretInside, &bAnchorInside);
        if (bCaretInside && !(TreeState(hItem, TVIS_SELECTED) & TVIS_SELECTED))
            FocusItem(hItem);
        // The anchor follows the caret out of the branch, or a Shift range would run to a hidden item.
        if (bAnchorInside)
            m_hAnchorItem = hItem;
        break;
    }
    case TVN_DELETEITEMA: {
        HTREEITEM hItem = reinterpret_cast<NMTREEVIEWA*>(pNMHDR)->itemOld.hItem;
        m_mapItemData.erase(hItem);
        for (HTREEITEM* field : {&m_hAnchorItem, &m_hEditItem, &m_hHotItem}) {
            if (*field == hItem)
                *field = nullptr;
        }
        break;
    }
    default:
        break;
    }
}
