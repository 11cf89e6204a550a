// The frame of the docking show programs: a grey client placeholder, and every pane's window a
// STATIC showing its title.
#pragma once

#include <windows.h>

#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"

class ShowFrame : public CFrameWnd {
public:
    // The 1000 x 700 window with the placeholder where the MDI client goes.
    BOOL CreateShow(const char* lpszTitle)
    {
        if (!Create(nullptr, lpszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 1000, 700)))
            return FALSE;
        ::CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "client", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, 0, 0, 10, 10,
                          GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)), nullptr,
                          nullptr);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DOCKPANE_NOTIFY && wParam == DPN_NEEDWINDOW) {
            auto* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
            if (!pPane->IsAttached())
                pPane->Attach(CWnd::FromHandle(::CreateWindowExA(
                    0, "STATIC", pPane->GetTitle(), WS_CHILD | SS_CENTER | SS_CENTERIMAGE, 0, 0, 10, 10,
                    GetSafeHwnd(), nullptr, nullptr, nullptr)));
            return 0;
        }
        if (message == WM_DESTROY)
            ::PostQuitMessage(0);
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    // This frame lives on the stack: closing its window must not delete it.
    void PostNcDestroy() override {}
};
