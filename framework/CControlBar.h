// Control bars: windows along an edge of their parent that take their strip in the layout pass
// and update their items from the owner's command handlers at idle time.
#pragma once

#include "CWnd.h"

// Bar styles, kept in the bar (m_dwStyle) and never given to the window: the edge the bar
// docks to, the sides a bar that draws its own frame draws, its tooltips and its gripper.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)

// Modes of CalcDynamicLayout.
#define LM_STRETCH 0x01    // stretch across the whole length
#define LM_HORZ 0x02       // horizontal, else vertical
#define LM_MRUWIDTH 0x04   // the width the bar had last
#define LM_HORZDOCK 0x08   // docked along a horizontal edge
#define LM_VERTDOCK 0x10   // docked along a vertical edge
#define LM_LENGTHY 0x20    // nLength is the height, not the width
#define LM_COMMIT 0x40     // remember the result

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

public:
    ~CControlBar() override;

    // The size the bar wants: stretched across the layout (bStretch) or its own, horizontal
    // or vertical. The base is its borders alone.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a layout mode (LM_*); the base answers CalcFixedLayout.
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // The update of the bar's items; pTarget is the window whose handlers decide.
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler) = 0;

    // The rectangle inside the borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    CRect GetBorders() const;

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    // Shown or hidden at the next idle update (a pending request counts as done here).
    void DelayShow(BOOL bShow);
    BOOL IsVisible() const;

    // Commands and notifications of the bar's own controls that the bar does not handle go on
    // to its owner, whose handlers serve them as if the controls were its own.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    DWORD m_dwStyle = 0;  // CBRS_* bits
    int m_cxLeftBorder = 0;
    int m_cxRightBorder = 0;
    int m_cyTopBorder = 0;
    int m_cyBottomBorder = 0;

    DECLARE_MESSAGE_MAP()

protected:
    CControlBar() = default;

    // Splits a creation style into the bar's bits and the window's.
    BOOL CreateBar(const char* lpszClassName, DWORD dwStyle, DWORD dwWindowStyle, CWnd* pParentWnd, UINT nID);

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);

    // The parent lays its bars out again: a frame through its layout, any other window through
    // its size handler.
    void RecalcParentLayout();

private:
    enum PendingShow { showNone, showPending, hidePending };
    PendingShow m_pendingShow = showNone;
};
