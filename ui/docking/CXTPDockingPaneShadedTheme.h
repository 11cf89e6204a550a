// Docking theme 7: shaded tab rows and splitters whose gradient runs on across the frame.
#pragma once

#include "CXTPDockingPaneFlatTheme.h"

class CXTPDockingPaneShadedTheme : public CXTPDockingPaneFlatTheme {
public:
    CXTPDockingPaneShadedTheme();
    void RefreshMetrics() override;
    void DrawSplitter(CDC* pDC, HWND hWndSplitter) override;

private:
    // Half the full-screen width, the least the gradient spans; asking the system for it
    // costs round trips to the window server on every splitter painted.
    int m_nHalfScreenWidth = 0;
};
