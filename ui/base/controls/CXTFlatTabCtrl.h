// A flat tab strip along the bottom or top of a pane: trapezoid tabs, scroll buttons, and
// optionally a horizontal scroll bar sharing the strip behind a gripper.
#pragma once

#include <windows.h>

#include <vector>

#include "CScrollBar.h"
#include "CString.h"
#include "CToolTipCtrl.h"
#include "CWnd.h"
#include "CXTThemeManagerStyle.h"
#include "ResourceIds.h"

class CDC;
class CFont;
class CXTFlatTabCtrlTheme;

// Creation style bits.
enum {
    FTS_XT_BOTTOM = 0x00,
    FTS_XT_TOP = 0x01,           // tabs at the top edge, drawn upside down
    FTS_XT_HASARROWS = 0x02,
    FTS_XT_HASHOMEEND = 0x04,    // first and last buttons too
    FTS_XT_TOOLTIPS = 0x08,
    FTS_XT_HSCROLL = 0x10,       // a horizontal scroll bar in the strip
    FTS_XT_MASK = 0x1F,
};

class CXTFlatTabCtrl : public CWnd, public CXTThemeManagerStyleHost {
    DECLARE_DYNCREATE(CXTFlatTabCtrl)

public:
    enum { kScrollBarId = AFX_IDW_HSCROLL_FIRST, kGripperWidth = 6 };

    CXTFlatTabCtrl();
    ~CXTFlatTabCtrl() override;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    virtual BOOL GetItemRect(int nItem, LPRECT lpRect);
    virtual int HitTest(CPoint pt) const;
    virtual void SetTipText(int nItem, const char* lpszText);
    virtual CString GetTipText(int nItem) const;
    virtual void Home();
    virtual int SetCurSel(int nItem);
    virtual int InsertItem(int nItem, const char* lpszItem, CWnd* pWndControl = nullptr);
    virtual BOOL DeleteItem(int nItem);
    virtual BOOL DeleteAllItems();
    virtual int GetItemCount() const { return (int)m_tabs.size(); }
    virtual int GetCurSel() const { return m_nCurSel; }
    virtual CString GetItemText(int nItem) const;
    virtual BOOL SetItemText(int nItem, const char* lpszText);
    virtual int GetOverlap() const { return m_cyStrip / 2 + 2; }
    virtual int ButtonHitTest(CPoint pt) const;
    virtual CScrollBar* GetScrollBarCtrl(int nBar);
    virtual void SetTabsWidth(int nWidth, BOOL bPercent = FALSE);

    CXTFlatTabCtrlTheme* GetTheme();
    int GetScrollOffset() const { return m_nOffset; }
    int GetTabAreaWidth() const { return m_nTabAreaWidth; }
    int GetButtonsWidth() const;
    int GetRoomForTabs() const;
    int GetTotalTabWidth();
    int GetTabWidth(int nItem);
    BOOL IsButtonEnabled(UINT nCommand) const;
    const CRect& GetGripperRect() const { return m_rcGripper; }
    const CRect& GetStripRect() const { return m_rcStrip; }
    BOOL IsTracking() const { return m_bTracking; }
    // Copies the selected tab window's horizontal scroll state into the strip's bar.
    void UpdateScrollBar();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    struct TabItem {
        CWnd* pWnd = nullptr;
        CString text;
        CString tip;
    };
    struct NavButton {
        UINT nCommand = 0;
        int nDirection = 0;
        BOOL bBar = FALSE;
        BOOL bPressed = FALSE;
        BOOL bEnabled = FALSE;
        CRect rect;
    };

    void OnThemeChanged() override;
    void Layout();
    void SetupButtons();
    void UpdateButtonStates();
    void InvalidateTabs();
    void Paint(CDC* pDC);
    void DrawTabs(CDC* pDC);
    // The left edge of a tab before scrolling, in the room for tabs.
    int TabStart(int nItem);
    BOOL RemoveItem(int nItem);
    void OnButtonCommand(UINT nCommand);
    void OnLButtonDown(CPoint point);
    void OnLButtonUp(CPoint point);
    void OnStripScroll(UINT nCode, UINT nPos);
    void EndTracking();
    LRESULT Notify(UINT nCode);
    CFont* TabFont(int nItem);

    DWORD m_dwStyle = 0;
    int m_cxButton = 0;
    int m_cyStrip = 0;
    int m_nCurSel = -1;
    int m_cx = 0, m_cy = 0;
    int m_nOffset = 0;
    int m_nTabAreaWidth = 0;
    int m_nTabAreaPercent = 60;
    int m_nGripperOffset = 0;
    BOOL m_bTracking = FALSE;
    BOOL m_bTabsOwnWindows = FALSE;
    HWND m_hWndSavedFocus = nullptr;
    CRect m_rcStrip, m_rcTabWindows, m_rcScrollBar, m_rcGripper;
    CScrollBar m_wndScrollBar;
    CToolTipCtrl m_toolTip;
    CString m_strShownTip;
    NavButton m_buttons[4];
    int m_nButtons = 0;
    int m_iLeft = -1, m_iRight = -1, m_iFirst = -1, m_iLast = -1;
    std::vector<TabItem> m_tabs;
};
