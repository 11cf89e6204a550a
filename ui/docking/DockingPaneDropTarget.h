// The drop target of a docking window that only follows OLE data dragged over it: the owner
// opens or selects what lies under the point, and no drop is ever taken.
#pragma once

#include "COleDropTarget.h"

// TOwner has OnDataDraggedOver(CPoint) taking the point in its client coordinates.
template <class TOwner>
class DockingPaneDropTarget : public COleDropTarget {
public:
    explicit DockingPaneDropTarget(TOwner* pOwner) : m_pOwner(pOwner) {}
    DROPEFFECT OnDragEnter(CWnd* /*pWnd*/, COleDataObject* /*pData*/, DWORD /*dwKeyState*/, CPoint point) override
    {
        m_pOwner->OnDataDraggedOver(point);
        return DROPEFFECT_NONE;
    }
    DROPEFFECT OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pData*/, DWORD /*dwKeyState*/, CPoint point) override
    {
        m_pOwner->OnDataDraggedOver(point);
        return DROPEFFECT_NONE;
    }
    BOOL OnDrop(CWnd* /*pWnd*/, COleDataObject* /*pData*/, DROPEFFECT /*dropEffect*/, CPoint /*point*/) override
    {
        return FALSE;
    }

private:
    TOwner* m_pOwner;
};
