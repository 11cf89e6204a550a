// A modal tracker that drags an inverted rectangle over the desktop (splitters, pane sizing).
#pragma once

#include <windows.h>

#include "CRect.h"

class CWnd;

class CXTPSplitterTracker {
public:
    // bSolid: inverted solidly rather than with the halftone pattern.
    explicit CXTPSplitterTracker(BOOL bSolid = FALSE) : m_bSolid(bSolid) {}

    // Drags rcTracker (screen coordinates) within rcAvail on one axis (bHorz: left and
    // right), starting from point (screen coordinates too, as the moves are taken). TRUE when
    // the left button was released (rcTracker moved), FALSE on Escape, a quit message or a
    // lost capture.
    BOOL Track(CWnd* pTrackWnd, CRect rcAvail, CRect& rcTracker, CPoint point, BOOL bHorz);

    // A rectangle drawn together with the tracker (empty: none).
    void SetBoundRect(const CRect& rcBoundRect) { m_rcBoundRect = rcBoundRect; }

private:
    void OnInvertTracker(const CRect& rect);

    HDC m_hDC = nullptr;
    BOOL m_bSolid = FALSE;
    CRect m_rcBoundRect;
};
