// A frame with the main frame's start-up arrangement of panes in docking theme 7 and two
// more panes split beside the output (not a test; run it and take a screenshot).
#include <windows.h>

#include "ShowFrame.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneManager.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nShowCmd)
{
    ShowFrame frame;
    frame.CreateShow("Docking theme 7");
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
