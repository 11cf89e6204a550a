// A shown frame with a real pane manager in the main frame's start-up arrangement; the frame
// records every notification, answers window requests with STATIC windows and can veto.
// Helpers post the mouse messages a drag reads and hold the Ctrl key.
#pragma once

#include <windows.h>

#include <vector>

#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"

struct Notice {
    WPARAM code;
    int action;  // DPN_ACTION's action, else -1
    CXTPDockingPane* pPane;
};

class SiteFrame : public CFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_DOCKPANE_NOTIFY)
            return CFrameWnd::WindowProc(message, wParam, lParam);
        if (wParam == DPN_ACTION) {
            auto* pAction = reinterpret_cast<DockingPaneAction*>(lParam);
            notices.push_back({wParam, pAction->nAction, pAction->pPane});
            for (int vetoed : vetoes)
                pAction->bCancel |= vetoed == pAction->nAction;
        } else {
            notices.push_back({wParam, -1, nullptr});
        }
        if (wParam == DPN_NEEDWINDOW) {
            auto* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
            if (!pPane->IsAttached())
                pPane->Attach(CWnd::FromHandle(::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10,
                                                                 GetSafeHwnd(), nullptr, nullptr, nullptr)));
        }
        return 0;
    }
    int Count(int action) const
    {
        int n = 0;
        for (const Notice& notice : notices)
            n += notice.code == DPN_ACTION && notice.action == action;
        return n;
    }
    // Made as a member: its window going must not delete it.
    void PostNcDestroy() override {}
    std::vector<Notice> notices;
    std::vector<int> vetoes;
};

inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

struct ManagerSite {
    ManagerSite()
    {
        frame.Create(nullptr, "Docking site", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 840, 640));
        frame.ShowWindow(SW_SHOW);
        manager.InstallInFrame(&frame);
        output = manager.CreatePane(202, CRect(0, 0, 150, 120), DPD_BOTTOM);
        classView = manager.CreatePane(201, CRect(0, 0, 230, 140), DPD_LEFT);
        explorer = manager.CreatePane(200, CRect(0, 0, 230, 140), DPD_LEFT);
        manager.AttachPane(explorer, classView);
        output->SetTitle("Message window\nOutput");
        classView->SetTitle("Class View\nClass View");
        explorer->SetTitle("Solution Explorer\nSolution Explorer");
        Layout();
    }
    ~ManagerSite()
    {
        frame.DestroyWindow();
        Pump();
    }
    void Layout()
    {
        frame.RecalcLayout();
        Pump();
    }
    static CXTPDockingPaneTabbedContainer* GroupOf(CXTPDockingPane* pPane)
    {
        return dynamic_cast<CXTPDockingPaneTabbedContainer*>(pPane->m_pParentContainer);
    }
    CRect ClientRect() { return manager.GetClientPane()->GetScreenRect(); }

    SiteFrame frame;
    CXTPDockingPaneManager manager;
    CXTPDockingPane* output = nullptr;
    CXTPDockingPane* classView = nullptr;
    CXTPDockingPane* explorer = nullptr;
};

// Queues what a drag will read: the pointer at each point, then the release at the last.
inline void PostDrag(HWND hWnd, std::initializer_list<POINT> points, BOOL bRelease = TRUE)
{
    for (POINT pt : points) {
        ::SetCursorPos(pt.x, pt.y);
        ::PostMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, 0);
    }
    if (bRelease)
        ::PostMessageA(hWnd, WM_LBUTTONUP, 0, 0);
}

// Presses or releases Ctrl through the input queue; the thread's key state follows once the
// key message has been taken.
inline void PressControl(HWND hFocus, BOOL bDown)
{
    ::SetForegroundWindow(hFocus);
    ::SetFocus(hFocus);
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof(input));
    for (int i = 0; i < 50 && (::GetKeyState(VK_CONTROL) < 0) != (bDown != FALSE); ++i) {
        ::Sleep(10);
        Pump();
    }
}
