// Column headers of the report lists: sort arrow, context menu, fixed columns, fitting widths, themes.
#pragma once

#include <vector>

#include "CHeaderCtrl.h"
#include "CXTHeaderTheme.h"
#include "CXTThemeManagerStyle.h"
#include "ResourceIds.h"

// The header's sub-menu in the library's menu of context menus (XT_IDM_POPUP).
enum { XT_IDM_POPUP_HEADER = 2 };

class CXTHeaderCtrl : public CHeaderCtrl, public CXTThemeManagerStyleHost {
    DECLARE_DYNCREATE(CXTHeaderCtrl)

public:
    CXTHeaderCtrl();
    ~CXTHeaderCtrl() override;

    CXTHeaderTheme* GetTheme() { return static_cast<CXTHeaderTheme*>(GetSafeTheme()); }
    void OnThemeChanged() override;

    // The previous sort column.
    int SetSortColumn(int nCol, BOOL bAscending);
    int GetSortColumn(BOOL* pbAscending = nullptr) const;
    BOOL IsSortArrowShown();
    virtual void EnableSortArrow(BOOL bShow);
    virtual BOOL IsItemPressed(int nItem);
    virtual void SetBoldFont(BOOL bBold);
    virtual void InitHeaderFont(BOOL bBoldFont);
    virtual void SetPopupMenu(int nPopupMenuID, int nSubMenuIndex = 0);
    virtual void SetAlignment(int nFormat);
    static BOOL IsLayoutRTL(CWnd* pWnd);
    virtual void DistributeColumnWidths(int nTotalWidth);
    virtual void ResizeColumnsToFit(int nWidth = 0);
    virtual int GetFixedColumnsWidth();
    void EnableMenus(BOOL bEnable) { m_bEnableMenus = bEnable != FALSE; }
    void EnableAutoSize(BOOL bEnable) { m_bAutoSize = bEnable ? 1 : 0; }
    void SetMinWidth(int nWidth) { m_nMinWidth = nWidth; }
    // Fixed columns keep their width: the user cannot drag their dividers.
    void FreezeColumn(int nCol);
    void ThawColumn(int nCol);
    BOOL IsColFrozen(int nCol) const;
    BOOL SetBitmap(int nCol, UINT nBitmapID, BOOL bRemove = FALSE, COLORREF crMask = 0xFF00FF);
    // The column whose header holds the client point, or -1.
    int ColumnFromPoint(CPoint point);

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int m_nMinWidth = 0;
    int m_nSubMenuIndex = 0;
    int m_nHotItem = -1;
    int m_nSortedCol = -1;
    BYTE m_bRTL = 0;
    BYTE m_bAutoSize = 0;
    bool m_bEnableMenus = true;
    bool m_bAscending = true;
    bool m_bButtonDown = false;
    bool m_bHotDrawn = false;
    int m_nPopupMenuID = 0;
    CPoint m_ptPopup;
    std::vector<int> m_arFixedCols;

protected:
    void OnPaintHeader();
    void OnContextMenuAt(CPoint point);
    void OnSortCommand(BOOL bAscending);
    void OnHotTimer();
    BOOL OnSetCursorHere(UINT nHitTest);
    // The list this header belongs to, when its parent is one.
    HWND ParentList() const;
};

// The same header drawn with the flat theme.
class CXTFlatHeaderCtrl : public CXTHeaderCtrl {
    DECLARE_DYNCREATE(CXTFlatHeaderCtrl)

public:
    CXTFlatHeaderCtrl();
};
