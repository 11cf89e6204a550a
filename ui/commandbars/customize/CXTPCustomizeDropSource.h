// The drag of a control in customize mode: its own mouse loop, the search for the bar under the
// cursor among the registered drop targets, the three drag cursors and the drop.
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"

class CWnd;
class CXTPCommandBar;
class CXTPCommandBars;
class CXTPControl;

class CXTPCustomizeDropSource {
public:
    // Drop effects.
    enum { kNone = 0, kCopy = 1, kMove = 2, kCancelled = 5 };

    explicit CXTPCustomizeDropSource(CXTPCommandBars* pCommandBars);
    ~CXTPCustomizeDropSource();
    CXTPCustomizeDropSource(const CXTPCustomizeDropSource&) = delete;
    CXTPCustomizeDropSource& operator=(const CXTPCustomizeDropSource&) = delete;

    // Bars take part in drags while their windows exist; a bar that goes away during a drag
    // stops being its target.
    void Register(CXTPCommandBar* pBar);
    void Unregister(CXTPCommandBar* pBar);
    int GetTargetCount() const { return static_cast<int>(m_arrTargets.size()); }

    // Drags the control until the left button goes up: kMove or kCopy when a bar took it, kNone
    // when it was released over no bar, kCancelled on Escape, a right click, a lost capture, a
    // quit request, or a drop that changed nothing. Ctrl copies; bCopyOnly always copies.
    DWORD DoDragDrop(CXTPControl* pControl, BOOL bCopyOnly);
    BOOL IsDragging() const { return m_pControl != nullptr; }
    CXTPCommandBar* GetTarget() const { return m_pTarget; }

    // The window that holds the mouse during a drag: the one set, else the customize sheet
    // running on this host; null when neither (a drag then holds it in the site frame).
    void SetDragWnd(CWnd* pWnd) { m_pOwner = pWnd; }
    CWnd* GetDragWnd() const;

    // The cursor for the current state: no target, a move, or a copy.
    HCURSOR GetDragCursor() const;

private:
    void FindTarget(CPoint ptScreen);
    void LeaveTarget();
    void UpdateCursor() const;

    HWND m_hwndCapture = nullptr;
    CXTPControl* m_pControl = nullptr;
    BOOL m_bMove = TRUE;
    BOOL m_bCopyOnly = FALSE;
    CXTPCommandBar* m_pTarget = nullptr;
    CWnd* m_pOwner = nullptr;
    CPoint m_ptStart;
    std::vector<CXTPCommandBar*> m_arrTargets;
    HCURSOR m_hcurNoDrop = nullptr;
    HCURSOR m_hcurMove = nullptr;
    HCURSOR m_hcurCopy = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
};
