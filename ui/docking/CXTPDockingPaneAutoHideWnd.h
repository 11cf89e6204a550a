// The slide-out window of an auto-hidden tab group: it slides in from its panel's side over
// the frame, slides back once the pointer has stayed away, and can be resized at its edge.
#pragma once

#include "CMiniFrameWnd.h"
#include "CXTPDockingPaneOwner.h"

class CXTPDockingPaneAutoHidePanel;
class CXTPDockingPaneTabbedContainer;

class CXTPDockingPaneAutoHideWnd : public CMiniFrameWnd {
    DECLARE_DYNAMIC(CXTPDockingPaneAutoHideWnd)

public:
    CXTPDockingPaneAutoHideWnd(CXTPDockingPaneAutoHidePanel* pPanel, CXTPDockingPaneTabbedContainer* pGroup);

    void Close();
    void GetMinMaxInfo(MINMAXINFO* pInfo, BOOL bWithEdge) const;
    // The drag limits of the edge and the edge itself (screen); FALSE when it cannot be resized.
    BOOL GetResizeRects(CRect& rcLimit, CRect& rcEdge) const;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CXTPDockingPaneTabbedContainer* m_pGroup;
    CXTPDockingPaneAutoHidePanel* m_pPanel;
    XTPDockingPaneDirection m_nDirection = DPD_LEFT;
    BOOL m_bHoriz = FALSE;
    int m_nStep = 0;
    int m_nStepCount = 1;
    BOOL m_bSlidingBack = FALSE;
    CRect m_rcFull;
    int m_nCloseDelay = 0;
    BOOL m_bResizing = FALSE;

    enum { kTimerCheck = 1, kTimerSlideOut = 2, kTimerSlideBack = 3, kTimerClose = 4 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    CXTPDockingPaneOwner* Owner() const;
    CRect TopContainerRect() const;
    int MirroredDirection() const;
    void SlideStep();
    void OnTimer(UINT_PTR nIDEvent);
    void CheckPointer();
    void OnPaint();
    void BeginResize(CPoint ptScreen);
    void ApplyResize(CRect rcEdge);
};
