// The tree extension mixed into a tree window: multiple selection, item fonts and colours, traversal, find, painting.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "CString.h"
#include "CWnd.h"

class CDC;

class CXTTreeBase {
public:
    // Item-state bit of the caret (focused) item; the control's own bits never use it.
    static constexpr UINT kCaretState = 0x0001;

    CXTTreeBase();
    virtual ~CXTTreeBase();
    CXTTreeBase(const CXTTreeBase&) = delete;
    CXTTreeBase& operator=(const CXTTreeBase&) = delete;

    // Traversal: depth-first order over all items, collapsed or not.
    virtual HTREEITEM GetNextItem(HTREEITEM hItem) const;
    virtual HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    virtual HTREEITEM GetPrevItem(HTREEITEM hItem) const;
    virtual HTREEITEM GetLastItem(HTREEITEM hItem) const;

    // Find: the first item from hStart (else the caret, else the root) whose label holds lpszText.
    virtual HTREEITEM FindItem(const char* lpszText, BOOL bCaseSensitive = FALSE, BOOL bDownward = TRUE,
                               BOOL bWholeWord = FALSE, HTREEITEM hStart = nullptr);
    virtual HTREEITEM FindInChildren(const char* lpszText, BOOL bCaseSensitive, BOOL bWholeWord, HTREEITEM hParent);
    // The text rule of both searches, on one label.
    static BOOL IsFindMatch(const char* lpszLabel, const char* lpszText, BOOL bCaseSensitive, BOOL bWholeWord);

    // Appearance.
    virtual void SetItemFont(HTREEITEM hItem, const LOGFONTA& logfont);
    virtual BOOL GetItemFont(HTREEITEM hItem, LOGFONTA* plogfont) const;
    virtual void SetItemBold(HTREEITEM hItem, BOOL bBold = TRUE);
    virtual BOOL GetItemBold(HTREEITEM hItem) const;
    virtual void SetItemColor(HTREEITEM hItem, COLORREF color);
    virtual COLORREF GetItemColor(HTREEITEM hItem) const;

    // Multiple selection.
    virtual BOOL EnableMultiSelect(BOOL bEnable = TRUE);
    BOOL IsMultiSelect() const { return m_bMultiSelect; }
    virtual HTREEITEM GetPrevSelectedItem(HTREEITEM hItem) const;
    virtual LRESULT SendNotify(NMHDR* pNMHDR);
    virtual void SelectAll(BOOL bSelect = TRUE, HTREEITEM hExcept = nullptr);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SelectItem(HTREEITEM hItem);
    BOOL FocusItem(HTREEITEM hItem);
    HTREEITEM GetFocusedItem() const;
    HTREEITEM GetAnchorItem() const { return m_hAnchorItem; }
    HTREEITEM GetFirstSelectedItem() const;
    HTREEITEM GetNextSelectedItem(HTREEITEM hItem) const;
    UINT GetSelectedCount() const;
    void ClearSelection(BOOL bSelect = FALSE, HTREEITEM hStart = nullptr);
    void SelectItems(HTREEITEM hFirst, HTREEITEM hLast, BOOL bOnly = TRUE);
    BOOL SelectChildren(HTREEITEM hParent, BOOL bSelect = TRUE, BOOL bRecurse = TRUE);

    // The item that carries the hot mark of tracking, or null.
    HTREEITEM GetHotItem() const { return m_hHotItem; }

    // Mouse rules of the multiple selection.
    virtual BOOL OnButtonDown(BOOL bLeft, UINT nFlags, CPoint point);
    virtual void SelectOnClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags);
    virtual void TrackClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags, CPoint point);
    virtual void TrackMarquee(UINT nFlags, CPoint point);
    virtual void SelectInRect(const CRect& rect, UINT nFlags, std::vector<HTREEITEM>* pPrevious);
    virtual BOOL AcceptFoundItem(HTREEITEM hItem);

    // Paints the tree into pDC: the control's own drawing, then (bInternal) every visible label.
    virtual void DoPaint(CDC& dc, BOOL bInternal);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The host's message path: OnTreeMessage takes the window messages of the tree (TRUE when it
    // answered them, the control's own handling included); OnReflectedNotify watches the tree's
    // own notifications before they go on.
    BOOL OnTreeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void OnReflectedNotify(NMHDR* pNMHDR);
    BOOL OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnRButtonDown(UINT nFlags, CPoint point);
    BOOL OnKeyDown(UINT nChar);
    // Forgets every stored font and colour.
    void RemoveAllItemData();

protected:
    struct ItemData {
        LOGFONTA logfont;
        COLORREF color;
    };

    // Plain tree-control calls on m_pTree.
    LRESULT Tree(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HTREEITEM TreeNext(HTREEITEM hItem, UINT nCode) const;
    UINT TreeState(HTREEITEM hItem, UINT nMask) const;
    BOOL TreeSetState(HTREEITEM hItem, UINT nState, UINT nMask);
    CString TreeText(HTREEITEM hItem) const;
    BOOL TreeItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const;
    HTREEITEM TreeHitTest(CPoint point, UINT* pFlags) const;
    BOOL HasFocus() const;
    // The colour of a system-colour index, as the painter uses it.
    static COLORREF Color(int nIndex);
    void InvalidateSelected();
    void SetHotItem(HTREEITEM hItem);
    // Sends TVN_SELCHANGING or TVN_SELCHANGED for hItem; the parent's answer.
    LRESULT NotifySelection(UINT nCode, HTREEITEM hItem, BOOL bSelecting);
    void DeselectDescendants(HTREEITEM hParent, BOOL* pCaretInside, BOOL* pAnchorInside);

public:
    BOOL m_bMultiSelect = FALSE;
    BOOL m_bTextOnlyRects = TRUE;
    HTREEITEM m_hAnchorItem = nullptr;
    HTREEITEM m_hEditItem = nullptr;
    HTREEITEM m_hHotItem = nullptr;
    std::unordered_map<HTREEITEM, ItemData> m_mapItemData;
    CWnd* m_pTree = nullptr;
    BYTE m_bActionDone = 0;
    BYTE m_bNotifyGuard = 0;
    BYTE m_bClickToEdit = 1;
};
