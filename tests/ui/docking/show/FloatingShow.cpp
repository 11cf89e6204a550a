// A frame in docking theme 7 with a floating frame, an auto-hidden pane at the left and a
// drag preview held over the class view: the translucent rectangle and the docking markers
// (not a test; run it and take a screenshot).
#include <windows.h>

#include "ShowFrame.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPaneMiniWnd.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nShowCmd)
{
    ShowFrame frame;
    frame.CreateShow("Floating frame and markers");
    {
        CXTPDockingPaneManager manager;
        manager.InstallInFrame(&frame);
        manager.SetTheme(7);
        manager.m_bAlphaDragPreview = manager.m_bDragStickers = TRUE;
        CXTPDockingPane* pOutput = manager.CreatePane(202, CRect(0, 0, 150, 120), DPD_BOTTOM);
        CXTPDockingPane* pClassView = manager.CreatePane(201, CRect(0, 0, 230, 140), DPD_LEFT);
        CXTPDockingPane* pExplorer = manager.CreatePane(200, CRect(0, 0, 230, 140), DPD_LEFT);
        manager.AttachPane(pExplorer, pClassView);
        pOutput->SetTitle("Message window\nOutput");
        pClassView->SetTitle("Class View\nClass View");
        pExplorer->SetTitle("Solution Explorer\nSolution Explorer");
        CXTPDockingPane* pTools = manager.CreatePane(1, CRect(0, 0, 200, 120), DPD_LEFT);
        pTools->SetTitle("Tools\nTools");
        CXTPDockingPane* pFloating = manager.CreatePane(2, CRect(0, 0, 200, 120), DPD_RIGHT);
        pFloating->SetTitle("Floating pane\nFloating");
        frame.ShowWindow(nShowCmd);
        frame.RecalcLayout();
        manager.FloatPane(pFloating, CRect(640, 420, 940, 600));
        manager.ToggleAutoHide(pTools);
        frame.RecalcLayout();
        auto* pMini = dynamic_cast<CXTPDockingPaneMiniWnd*>(pFloating->m_pParentContainer->m_pDockingSite);
        if (pMini)
            pMini->RecalcLayout();

        // A drag of the output group held over the class view's group.
        CXTPDockingPaneDragContext* pDrag = manager.m_pDragContext;
        pDrag->m_pElement = pOutput->m_pParentContainer;
        pDrag->m_bCanFloat = TRUE;
        pDrag->m_bUseAlpha = pDrag->m_bUseStickers = pDrag->m_pfnSetLayeredWindowAttributes != nullptr;
        pDrag->m_rcFloat = pDrag->m_pElement->GetScreenRect();
        pDrag->m_ptLast = pDrag->m_rcFloat.CenterPoint();
        pDrag->BeginTracking();
        CRect rcGroup = pClassView->m_pParentContainer->GetScreenRect();
        CPoint ptCross = rcGroup.CenterPoint();
        // On the cross's bottom arrow.
        pDrag->Move(CPoint(ptCross.x, ptCross.y + 30));

        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                frame.SendMessage(WM_IDLEUPDATECMDUI);
                if (pMini && pMini->GetSafeHwnd())
                    pMini->SendMessage(WM_IDLEUPDATECMDUI);
            }
        }
        pDrag->EndTracking();
    }
    return 0;
}
