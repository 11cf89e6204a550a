// A frame with the main frame's start-up arrangement of panes in docking theme 7 and two
// more panes split beside the output (not a test; run it and take a screenshot).
#include <windows.h>

#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"

namespace {

// Answers every window request with a STATIC showing the pane's title.
class ShowFrame : public CFrameWnd {
public:
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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nShowCmd)
{
    ShowFrame frame;
    frame.Create(nullptr, "Docking theme 7", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 1000, 700));
    // The MDI client stands in as a plain grey window where the client placeholder goes.
    ::CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "client", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, 0, 0, 10, 10,
                      frame.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)),
                      nullptr, nullptr);
    {
        CXTPDockingPaneManager manager;
        manager.InstallInFrame(&frame);
        manager.SetTheme(7);
        CXTPDockingPane* pOutput = manager.CreatePane(202, CRect(0, 0, 150, 120), DPD_BOTTOM);
        CXTPDockingPane* pClassView = manager.CreatePane(201, CRect(0, 0, 230, 140), DPD_LEFT);
        CXTPDockingPane* pExplorer = manager.CreatePane(200, CRect(0, 0, 230, 140), DPD_LEFT);
        manager.AttachPane(pExplorer, pClassView);
        // The application's titles; this program has no string resources for them.
        pOutput->SetTitle("Message window\nOutput");
        pClassView->SetTitle("Class View\nClass View");
        pExplorer->SetTitle("Solution Explorer\nSolution Explorer");
        CXTPDockingPane* pRight = manager.CreatePane(1, CRect(0, 0, 200, 120), DPD_RIGHT, pOutput);
        pRight->SetTitle("Split right\nRight");
        CXTPDockingPane* pBelow = manager.CreatePane(2, CRect(0, 0, 200, 120), DPD_BOTTOM, pRight);
        pBelow->SetTitle("Split below\nBelow");
        frame.ShowWindow(nShowCmd);
        frame.RecalcLayout();
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            // The idle step runs the layout passes the panes asked for.
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
                frame.SendMessage(WM_IDLEUPDATECMDUI);
        }
    }
    return 0;
}
