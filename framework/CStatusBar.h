// Status bars: a row of panes named by indicator ids, on the system's status control.
#pragma once

#include <vector>

#include "AfxIds.h"
#include "CCmdUI.h"
#include "CControlBar.h"
#include "CString.h"

// Pane styles. The border styles are those of the status control's texts.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100      // no frame around the pane
#define SBPS_POPOUT 0x0200         // the frame stands out instead of in
#define SBPS_DISABLED 0x04000000   // the text is kept but not shown
#define SBPS_STRETCH 0x08000000    // takes the width the others leave (the first such pane only)

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar();
    ~CStatusBar() override;

    // A bar along the parent's bottom edge (CBRS_* bits in dwStyle). Create gives it a size
    // grip when the parent can be resized; CreateEx takes the control's styles (SBARS_*) as given.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);

    // One pane per id, its text the string of that id, its width the text's width in the
    // bar's font. ID_SEPARATOR (0) makes an empty pane without borders that stretches.
    // FALSE, with the panes left as they were, when an id has no string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The pane of an id, or -1.
    int CommandToIndex(UINT nIDFind) const;
    // The id of a pane; 0 out of range.
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in the bar's client area; empty out of range.
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    // Pane information; an index out of range reads zeros and writes nothing.
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    // FALSE out of range. bUpdate redraws the pane now.
    BOOL SetPaneText(int nIndex, const char* lpszNewText, BOOL bUpdate = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler) override;

    DECLARE_MESSAGE_MAP()

protected:
    struct Pane {
        UINT id = 0;
        UINT style = 0;
        int width = 0;  // of the text, in pixels
        CString text;
    };

    // Gives the status control the panes' edges and texts.
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
    void ShowPaneText(int nIndex);
    int TextWidth(const CString& text) const;

    void OnSize(UINT nType, int cx, int cy);
    // The first pane's text is the window's text, so prompts set with SetWindowText land there.
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);

    std::vector<Pane> m_panes;
    int m_nMinHeight = 0;
};

// The update of one pane: enabling shows or hides its text, a check makes it stand out.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(const char* lpszText) override;
};
