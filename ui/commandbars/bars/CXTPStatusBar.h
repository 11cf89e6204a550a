// The frame's status bar drawn by the command-bar paint manager, with indicators added and removed at
// run time and panes that host child windows; and a small window class meant for such a pane.
#pragma once

#include <windows.h>

#include <vector>

#include "CDC.h"
#include "CGdiObject.h"
#include "CStatusBar.h"
#include "CString.h"

class CXTPCommandBars;
class CXTPPaintManager;

class CXTPStatusBar : public CStatusBar {
    DECLARE_DYNAMIC(CXTPStatusBar)

public:
    // What a rebuild of the indicators carries over for each pane.
    struct PaneInfo {
        UINT nID = 0;
        int cxWidth = 0;
        UINT nStyle = 0;
        CString strText;
    };

    CXTPStatusBar();
    // Destroys the pane windows still there and deletes those it was given to own.
    ~CXTPStatusBar() override;

    // The bar's own font first, then the panes; at least 20 pixels high.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // FALSE when the index is outside 0..count-1.
    BOOL GetPaneInfoEx(int nIndex, PaneInfo& info) const;
    BOOL SetPaneInfoEx(int nIndex, const PaneInfo& info);
    // An index out of range changes nothing.
    void SetPaneWidth(int nIndex, int cxWidth);

    // A new empty pane at nIndex (0..count; count appends); FALSE, with the bar unchanged, when the
    // id is already there, the index is out of range or the id has no string.
    BOOL AddIndicator(UINT nID, int nIndex);
    // FALSE when no pane has the id. Every window attached to the pane is destroyed (and deleted
    // when the bar owns it); the other panes keep their text, width and style.
    BOOL RemoveIndicator(UINT nID);
    // Places pWnd over the pane of nID from now on, following every resize; bAutoDelete gives the
    // object to the bar. FALSE for a null window, one already attached, or no pane with the id.
    BOOL AddControl(CWnd* pWnd, UINT nID, BOOL bAutoDelete);

    // Whose paint manager draws the bar; null: the global one.
    void SetCommandBars(CXTPCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    // Off: the status control draws itself.
    void SetDrawThemed(BOOL bThemed);
    // Null when themed drawing is off.
    CXTPPaintManager* GetPaintManager() const;

    // The number of windows attached to the pane of nID.
    int GetControlCount(UINT nID) const;

    DECLARE_MESSAGE_MAP()

protected:
    // The window is kept by handle too: an object the caller owns may be deleted before the bar,
    // so it is only reached while its handle still maps to it.
    struct PaneWindow {
        CWnd* pWnd = nullptr;
        HWND hWnd = nullptr;
        UINT nID = 0;
        BOOL bAutoDelete = FALSE;
    };

    // The record's object when its window still lives and still belongs to it, else NULL.
    static CWnd* LiveWindow(const PaneWindow& record);
    // Destroys the record's window if it lives and deletes the object if the bar owns it.
    static void ReleaseWindow(const PaneWindow& record);

    // Moves each attached window over its pane, inside the pane's border.
    void PositionControls();
    // The indicators rebuilt from ids, one pane inserted at nInserted or the one at nRemoved left
    // out (-1: none); every other pane's record restored.
    BOOL RebuildIndicators(const std::vector<UINT>& ids, int nInserted, int nRemoved);
    void DrawBar(CDC* pDC);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnPrint(WPARAM wParam, LPARAM lParam);

    std::vector<PaneWindow> m_arrControls;
    CXTPCommandBars* m_pCommandBars = nullptr;
    CFont m_font;
    BOOL m_bDrawThemed = TRUE;
};

// A window to put into a status pane; derived panes draw their content on a button-face ground.
class CXTPStatusBarBasePane : public CWnd {
    DECLARE_DYNCREATE(CXTPStatusBarBasePane)

public:
    // Made with an empty rectangle (the status bar places it); TRUE on success.
    BOOL Create(const char* lpszText, CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = 0xFFFF);
    const CString& GetText() const { return m_strText; }

    DECLARE_MESSAGE_MAP()

protected:
    // What the pane shows; the base shows nothing.
    virtual void DrawContent(CDC* pDC, CRect rc);

    void OnPaint();
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnEnable(BOOL bEnable);

    CString m_strText;
};
