// The strip along one edge of a frame that holds docked toolbars in rows, lays each row out,
// wraps the bars a row has no room for and takes its thickness in the frame's layout.
#pragma once

#include <windows.h>

#include <vector>

#include "CControlBar.h"
#include "CRect.h"
#include "CWnd.h"
#include "XTPCommandBarsTypes.h"

class CXTPCommandBars;
class CXTPToolBar;
struct AFX_SIZEPARENTPARAMS;

class CXTPDockBar : public CWnd {
    DECLARE_DYNAMIC(CXTPDockBar)

public:
    explicit CXTPDockBar(CXTPCommandBars* pCommandBars = nullptr);
    ~CXTPDockBar() override;

    // dwStyle: window bits and the CBRS_ALIGN_* side of the frame.
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);

    // Docks the bar here: at the row under the centre of lpRect (screen coordinates), which
    // becomes its last docked place, or without a place in a new last row.
    void DockCommandBar(CXTPToolBar* pBar, LPCRECT lpRect = nullptr);
    // Takes out the first entry of the bar whose index is not nIndexExcept; no empty row stays.
    BOOL RemoveCommandBar(CXTPToolBar* pBar, int nIndexExcept = -1);

    // A saved layout's entry: pBar (null: a row separator) goes in at nIndex (clamped to the
    // array); a bar leaves the dock bar it was in and takes this one's window and position.
    void PlaceBarAt(int nIndex, CXTPToolBar* pBar);
    // No two row separators side by side.
    void CollapseSeparators();

    // Entries of the rows: null separates them (the first entry is always null).
    int GetCount() const { return static_cast<int>(m_arrBars.size()); }
    CXTPToolBar* GetAt(int nIndex) const;
    int FindBar(CXTPToolBar* pBar, int nIndexExcept = -1) const;
    // The bars of the row that holds pBar, in array order; empty when it is not here.
    std::vector<CXTPToolBar*> GetRowBars(CXTPToolBar* pBar) const;

    DWORD GetDockStyle() const { return m_dwStyle; }
    BOOL IsHorz() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    XTPBarPosition GetPosition() const { return DockStyleToBarPosition(m_dwStyle); }
    static XTPBarPosition DockStyleToBarPosition(DWORD dwStyle);
    CXTPCommandBars* GetCommandBars() const { return m_pCommandBars; }

    // The layout mode of a bar here: the dock's direction, stretch for bars of flag 64, and
    // shrinking by hiding controls for bars of flag 32 (not while customizing).
    DWORD GetDockMode(CXTPToolBar* pBar) const;
    // Lays out the rows for the length (each bar measured by its docked layout); the dock's size (thickness across, widest row along).
    // Bars move only when the layout moves windows (a deferred-position handle).
    CSize CalcDockBarLayout(int nLength, DWORD dwMode, AFX_SIZEPARENTPARAMS* pLayout);

    DECLARE_MESSAGE_MAP()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
    void OnRButtonDown(UINT nFlags, CPoint point);

    // Lays out the row starting at nFirst (after its separator) at the offset across the dock;
    // its thickness and (nRowLength) the end of its last bar. Bars the row has no room for go
    // into new rows after it.
    int LayoutRow(int nFirst, int nLength, int nOffset, AFX_SIZEPARENTPARAMS* pBarLayout, int& nRowLength);
    // Gives every bar of flag 64 a row of its own.
    void NormalizeRows();
    void DelayFrameLayout();

    DWORD m_dwStyle = 0;
    std::vector<CXTPToolBar*> m_arrBars;
    CXTPCommandBars* m_pCommandBars = nullptr;
};
