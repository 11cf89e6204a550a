// Stand-in for the MDI tab window until the docking library brings it: it subclasses the MDI
// client and, on Refresh, asks its frame's command bars for a frame layout.
#pragma once

#include <windows.h>

#include "CWnd.h"

class CMDIFrameWnd;
class CXTPCommandBars;

class CXTPTabClientWnd : public CWnd {
    DECLARE_DYNAMIC(CXTPTabClientWnd)

public:
    // Subclasses the frame's MDI client; the command bars are asked for layouts on refresh.
    BOOL Attach(CMDIFrameWnd* pFrame, CXTPCommandBars* pCommandBars);
    BOOL IsAttached() const { return m_pFrame != nullptr; }
    void Refresh(BOOL bRecalcFrame = TRUE);
    int GetRefreshCount() const { return m_nRefreshCount; }

private:
    CMDIFrameWnd* m_pFrame = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    BOOL m_bRefreshing = FALSE;
    int m_nRefreshCount = 0;
};
