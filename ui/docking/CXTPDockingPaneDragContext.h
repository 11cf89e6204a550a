// The drag context as far as the tab groups need it: a drag started from a caption or a
// torn-out tab is recorded. Moving panes by dragging comes with the docking markers.
#pragma once

#include <windows.h>

#include <vector>

#include "CRect.h"

class CXTPDockingPaneBase;
class CXTPDockingPaneOwner;

class CXTPDockingPaneDragContext {
public:
    explicit CXTPDockingPaneDragContext(CXTPDockingPaneOwner* pManager) : m_pManager(pManager) {}
    virtual ~CXTPDockingPaneDragContext() = default;

    // pt in screen coordinates.
    virtual void Drag(CXTPDockingPaneBase* pElement, CPoint pt);

    struct DragCall {
        CXTPDockingPaneBase* pElement;
        CPoint pt;
    };
    std::vector<DragCall> m_arrDrags;

private:
    CXTPDockingPaneOwner* m_pManager;
};
