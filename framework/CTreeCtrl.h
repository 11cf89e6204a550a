// Tree view controls: items and their family, texts, images, data and states, selection, editing.
#pragma once

#include "CEdit.h"
#include "CWnd.h"

class CImageList;

class CTreeCtrl : public CWnd {
    DECLARE_DYNCREATE(CTreeCtrl)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Items. The new item, or null.
    HTREEITEM InsertItem(const char* lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(const char* lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    UINT GetCount() const;

    // Family and order.
    HTREEITEM GetRootItem() const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;

    // Item contents.
    BOOL GetItem(TVITEMA* pItem) const;
    BOOL SetItem(TVITEMA* pItem);
    // The text of an item, whatever its length; empty for a null item.
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, const char* lpszItem);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;

    // Selection, expansion, view.
    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM hItem);
    BOOL Select(HTREEITEM hItem, UINT nCode);
    HTREEITEM GetDropHilightItem() const;
    BOOL SelectDropTarget(HTREEITEM hItem);
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL EnsureVisible(HTREEITEM hItem);
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    UINT GetVisibleCount() const;
    UINT GetIndent() const;
    void SetIndent(UINT nIndent);
    int GetItemHeight() const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(UINT nImageList) const;
    COLORREF SetTextColor(COLORREF clr);
    COLORREF SetBkColor(COLORREF clr);

    // Editing labels: the edit control while one is edited, else null.
    CEdit* EditLabel(HTREEITEM hItem);
    CEdit* GetEditControl() const;

    // Orders the children of hItem by text, or by pfnCompare(data1, data2, lParam).
    BOOL SortChildren(HTREEITEM hItem);
    BOOL SortChildrenCB(LPTVSORTCB pSort);

private:
    CEdit* EditFromHandle(HWND hEdit) const;

    // Stands for the label editor while nobody has subclassed it (see CListCtrl's header).
    mutable CEdit m_edit;
};
