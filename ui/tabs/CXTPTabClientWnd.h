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
    // Whether a tab-group command (9420 to 9423) applies to the active child: FALSE while not
    // attached or without an active child; other ids TRUE. Until the tab groups arrive the
    // answers of the group commands come from a table, all FALSE at first.
    BOOL IsGroupCommandEnabled(UINT nID, void** ppItem = nullptr) const;
    void SetGroupCommandEnabled(UINT nID, BOOL bEnabled);

private:
    CMDIFrameWnd* m_pFrame = nullptr;
    CXTPCommandBars* m_pCommandBars = nullptr;
    BOOL m_bRefreshing = FALSE;
    int m_nRefreshCount = 0;
    BOOL m_bGroupCommands[4] = {FALSE, FALSE, FALSE, FALSE};  // 9420 to 9423
};
