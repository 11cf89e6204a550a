// A docking marker of a drag: a shaped popup showing one arrow, or the cross of four arrows
// and a centre, drawn by the drag context.
#pragma once

#include "CWnd.h"

class CXTPDockingPaneDragContext;

class CXTPDockingPaneStickerWnd : public CWnd {
public:
    explicit CXTPDockingPaneStickerWnd(CXTPDockingPaneDragContext* pContext) : m_pContext(pContext) {}

    BOOL IsCross() const { return (m_nParts & 15) == 15; }

    int m_nParts = 0;    // the part bits it shows
    int m_nHotPart = 0;  // the part under the pointer, 0 none

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CXTPDockingPaneDragContext* m_pContext;
};
