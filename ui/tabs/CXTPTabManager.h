// The tab engine: an ordered list of tabs, selection, scrolling, hit testing, hot tracking
// and the mouse loops of the navigation buttons and of reordering by dragging.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "CDC.h"
#include "CRect.h"
#include "CString.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabManagerNavigateButton.h"
#include "CXTPUxTheme.h"

class CXTPTabPaintManager;

// What a tab paint manager tells its users when its settings change.
class CXTPTabPaintObserver {
public:
    virtual void OnPaintManagerChanged() { Reposition(); }
    virtual ~CXTPTabPaintObserver() = default;
    virtual void Reposition() = 0;
};

class CXTPTabManager : public CXTPTabPaintObserver {
    friend class CXTPTabPaintManager;

public:
    CXTPTabManager();
    ~CXTPTabManager() override;
    CXTPTabManager(const CXTPTabManager&) = delete;
    CXTPTabManager& operator=(const CXTPTabManager&) = delete;

    virtual CString GetItemCaption(const CXTPTabManagerItem* pItem) const;
    virtual int GetItemIcon(const CXTPTabManagerItem* pItem) const;
    // The stored colour, an automatic index replaced by its colour.
    virtual COLORREF GetItemColor(const CXTPTabManagerItem* pItem) const;
    virtual CString GetItemTooltip(const CXTPTabManagerItem* pItem) const;
    // Renumbers the items, then lays the row out again.
    virtual void OnItemsChanged();
    virtual void SetSelectedItem(CXTPTabManagerItem* pItem);
    virtual void GetItemMetrics(CSize* pszDefault, CSize* pszMin, CSize* pszMax) const;
    virtual CXTPTabPaintManager* GetPaintManager() const = 0;
    virtual void RedrawControl() = 0;
    virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
    virtual void SetAllowReorder(BOOL bAllowReorder) { m_bAllowReorder = bAllowReorder; }
    virtual BOOL IsDrawStaticFrame() const;
    // Whether the tab shows an icon of the size at the point; draws it only with bDraw.
    virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CXTPTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const = 0;
    virtual int GetPosition() const;
    virtual void OnItemClick(CXTPTabManagerItem* pItem) { SetSelectedItem(pItem); }
    // The reorder drag; the pressed item ends up selected.
    virtual void TrackClick(HWND hWnd, CPoint point, CXTPTabManagerItem* pItem);
    virtual void OnNavigateButtonClick(int /*nId*/) {}
    virtual BOOL IsMouseLocked() const { return FALSE; }

    // A null item makes a new one; an index below 0 or past the end appends.
    CXTPTabManagerItem* InsertItem(int nItem, CXTPTabManagerItem* pItem = nullptr);
    BOOL DeleteItem(int nItem);
    void DeleteAllItems();
    void SetCurSel(int nIndex);
    void EnsureVisible(CXTPTabManagerItem* pItem);
    CXTPTabManagerItem* HitTest(CPoint point) const;
    CXTPTabManagerNavigateButton* FindNavigateButton(int nId) const;
    // Never positive; an unchanged value repositions nothing.
    void SetScrollOffset(int nOffset);
    int GetScrollOffset() const { return m_nScrollDelta; }
    int GetItemsLength() const;
    void SetActive(BOOL bActive);
    BOOL IsActive() const { return m_bActive; }
    void SetItemMetrics(CSize szDefault, CSize szMin = CSize(0, 0), CSize szMax = CSize(0, 0));
    int GetLayout() const;
    BOOL IsHorizontalPosition() const;

    // The owner window's mouse messages; a mouse leave comes as a move to (-1, -1).
    BOOL OnLButtonDown(HWND hWnd, CPoint point, BOOL bNavigateButtonsOnly = FALSE);
    void OnMouseMove(HWND hWnd, CPoint point);
    int OnToolHitTest(HWND hWnd, CPoint point, TOOLINFOA* pTI) const;

    int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
    CXTPTabManagerItem* GetItem(int nIndex) const;
    CXTPTabManagerItem* GetSelectedItem() const { return m_pSelected; }
    CXTPTabManagerItem* GetHighlightedItem() const { return m_pHighlighted; }
    int GetNavigateButtonCount() const { return static_cast<int>(m_arrNavigateButtons.size()); }
    CXTPTabManagerNavigateButton* GetNavigateButton(int nIndex) const { return m_arrNavigateButtons[nIndex]; }

    CRect m_rcHeaderRect;   // the tab row, set by the layout
    CRect m_rcControl;      // the whole control
    CRect m_rcClient;       // the page beside the row
    CXTPUxTheme m_themeTabButton;

    // The automatic colour of an index 0..7.
    static COLORREF GetAutomaticColor(int nIndex);

protected:
    CXTPTabManagerItem* m_pSelected = nullptr;
    CXTPTabManagerItem* m_pHighlighted = nullptr;
    int m_nScrollDelta = 0;
    BOOL m_bAllowReorder = TRUE;
    BOOL m_bActive = TRUE;
    CSize m_szItemDefault{70, 18};
    CSize m_szItemMin{0, 0};
    CSize m_szItemMax{0, 0};
    std::vector<CXTPTabManagerItem*> m_arrItems;
    std::vector<CXTPTabManagerNavigateButton*> m_arrNavigateButtons;
    int m_nInsertionCount = 0;
};
