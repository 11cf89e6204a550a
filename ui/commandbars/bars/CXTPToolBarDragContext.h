// Moving a toolbar between the dock bars and floating, resizing a floating toolbar, and the
// places it was last docked and floated at.
#pragma once

#include <windows.h>

#include "CRect.h"

class CFrameWnd;
class CXTPToolBar;

class CXTPToolBarDragContext {
public:
    explicit CXTPToolBarDragContext(CXTPToolBar* pBar);
    virtual ~CXTPToolBarDragContext();

    // Drags the bar from the screen point until the button is released or Escape is pressed.
    virtual void StartDrag(CPoint pt);
    // Resizes a floating bar by the border of the hit code (10 to 17).
    virtual void StartResize(UINT nHitTest, CPoint pt);
    // Floats a docked bar or docks a floating one where it was last; TRUE when the bar was moved.
    virtual BOOL ToggleDocking();
    // The mouse loop of both; nothing while another window holds the capture.
    virtual void Track();

    // The rectangle moved by the least that puts the point inside it.
    static CRect MoveToContain(CRect rc, CPoint pt);
    // The window of a floating bar resized from the border (10 left, 11 right, 12 top, 15
    // bottom) to the new size: the border opposite the dragged one stays.
    static CRect ResizeFromBorder(const CRect& rcWindow, UINT nHitTest, CSize szNew);

    CXTPToolBar* m_pBar = nullptr;
    CFrameWnd* m_pSite = nullptr;
    int m_nMode = 0;
    CPoint m_ptLast;
    int m_nMRUDockPosition = 0;
    CRect m_rcMRUDockPos;
    CPoint m_ptMRUFloatPos;  // (0, 0): never floated
    CRect m_rcDrag;
    CRect m_rcWindow;

protected:
    // One step of a drag: dock where the cursor is over a dock bar, else float.
    void Move(CPoint pt);
    // One step of a border drag of a floating toolbar.
    void ResizeToolBar(CPoint pt);
};
