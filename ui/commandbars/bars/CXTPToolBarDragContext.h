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
    // TRUE when the bar was moved.
    virtual BOOL ToggleDocking();
    virtual void Track();

    CXTPToolBar* m_pBar = nullptr;
    CFrameWnd* m_pSite = nullptr;
    int m_nMode = 0;
    CPoint m_ptLast;
    int m_nMRUDockPosition = 0;
    CRect m_rcMRUDockPos;
    CPoint m_ptMRUFloatPos;  // (0, 0): never floated
    CRect m_rcDrag;
    CRect m_rcWindow;
};
