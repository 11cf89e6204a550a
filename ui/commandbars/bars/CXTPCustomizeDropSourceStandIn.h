// Stand-in for the customize drag of controls until it lands: no drag runs, and every drag
// ends cancelled, never as a drop outside the bars (which would delete the control).
#pragma once

#include <windows.h>

class CWnd;
class CXTPControl;

class CXTPCustomizeDropSourceStandIn {
public:
    // The drop effect of dragging the control: always "cancelled".
    DWORD DoDragControl(CXTPControl* /*pControl*/) { return kCancelled; }
    // The window a drag runs in, while one runs.
    CWnd* GetDragWnd() const { return m_pDragWnd; }

    static const DWORD kCancelled = 5;

private:
    CWnd* m_pDragWnd = nullptr;
};
