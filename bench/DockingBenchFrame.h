// The frame of the docking benches: 1,280 x 1,024 with a client placeholder, every pane's window
// a plain STATIC.
#pragma once

#include <windows.h>

#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"

class DockingBenchFrame : public CFrameWnd {
public:
    BOOL CreateBench(const char* lpszTitle)
    {
        if (!Create(nullptr, lpszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 1280, 1024)))
            return FALSE;
        ::CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, GetSafeHwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)), nullptr, nullptr);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DOCKPANE_NOTIFY && wParam == DPN_NEEDWINDOW) {
            auto* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
            if (!pPane->IsAttached())
                pPane->Attach(CWnd::FromHandle(::CreateWindowExA(0, "STATIC", pPane->GetTitle(), WS_CHILD, 0, 0, 10,
                                                                 10, GetSafeHwnd(), nullptr, nullptr, nullptr)));
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};
