// The window between two neighbours of a splitter container: cursor, drawing and dragging.
#pragma once

#include "CWnd.h"

class CXTPDockingPaneBase;
class CXTPDockingPaneSplitterContainer;

class CXTPDockingPaneSplitterWnd : public CWnd {
public:
    CXTPDockingPaneSplitterWnd() = default;
    ~CXTPDockingPaneSplitterWnd() override;

    BOOL Create(CXTPDockingPaneSplitterContainer* pContainer, CXTPDockingPaneBase* pFirst,
                CXTPDockingPaneBase* pSecond);
    // The range the splitter may move in and the neighbours' joint rectangle (screen); FALSE
    // when there is no room to move.
    BOOL GetTrackRect(CRect& rcTrack, CRect& rcLimits) const;
    // Gives the neighbours preferred lengths for the splitter's rectangle rc (screen).
    void Apply(const CRect& rc, const CRect& rcLimits);

    CXTPDockingPaneBase* GetFirst() const { return m_pFirst; }
    CXTPDockingPaneBase* GetSecond() const { return m_pSecond; }

    CXTPDockingPaneSplitterContainer* m_pContainer = nullptr;
    CXTPDockingPaneBase* m_pFirst = nullptr;
    CXTPDockingPaneBase* m_pSecond = nullptr;
    HCURSOR m_hCursor = nullptr;

    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);

protected:
    DECLARE_MESSAGE_MAP()

private:
    void TrackLive(CPoint point, const CRect& rcTrack, const CRect& rcLimits);
};
