// A frame holding two tab groups beside the client area and a third below, with their
// splitters, drawn by the shaded docking theme (not a test; run it and take a screenshot).
#include <windows.h>

#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "DockingFixture.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    TestOwner owner;
    owner.paint->InternalRelease();
    owner.paint = CXTPDockingPanePaintManager::CreateTheme(7);
    owner.frame.MoveWindow(0, 0, 900, 640);

    auto* pLeft = new CXTPDockingPaneTabbedContainer(&owner);
    pLeft->m_szDocking = {220, 0};
    pLeft->AddPane(owner.NewPane(200, "Solution Explorer\nSolution Explorer"));
    pLeft->AddPane(owner.NewPane(201, "Class View\nClass View"));
    auto* pBottom = new CXTPDockingPaneTabbedContainer(&owner);
    pBottom->m_szDocking = {0, 150};
    pBottom->AddPane(owner.NewPane(202, "Message window\nOutput"));
    auto* pClient = new CXTPDockingPaneBase(DPT_CLIENT, &owner);

    auto* pRight = new CXTPDockingPaneSplitterContainer(&owner);
    pRight->Init(pClient, FALSE, &owner.frame);
    pRight->InsertPane(pBottom);
    auto* pTop = new CXTPDockingPaneSplitterContainer(&owner);
    pTop->Init(pLeft, TRUE, &owner.frame);
    pTop->InsertPane(pRight);

    owner.frame.ShowWindow(SW_SHOW);
    CRect rc;
    owner.frame.GetClientRect(&rc);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(8);
    pTop->OnSizeParent(&owner.frame, rc, &layout);
    ::EndDeferWindowPos(layout.hDWP);
    for (HWND hWnd : owner.windows)
        ::SetWindowTextA(hWnd, "pane window");

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0 && ::IsWindow(owner.frame.GetSafeHwnd())) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
