// A frame with the command-bar status bar: a prompt in the first pane, the progress pane at 1 with a
// progress bar two-thirds along, the key indicators (one shown, one disabled) and the size grip.
#include <windows.h>

#include "AfxIds.h"
#include "CFrameWnd.h"
#include "CProgressCtrl.h"
#include "CXTPStatusBar.h"
#include "ResourceIds.h"

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* pFrame = new CFrameWnd;
    pFrame->Create(nullptr, "Status bar", WS_OVERLAPPEDWINDOW, CRect(20, 20, 640, 220));
    CXTPStatusBar bar;
    bar.Create(pFrame);
    bar.SetIndicators(kIndicators, 4);
    bar.SetPaneStyle(3, bar.GetPaneStyle(3) | SBPS_DISABLED);

    bar.AddIndicator(ID_PROGRESS_PANE, 1);
    bar.SetPaneWidth(1, 150);
    bar.SetPaneStyle(1, SBPS_NOBORDERS);
    auto* pProgress = new CProgressCtrl;
    pProgress->Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(0, 0, 0, 0), &bar, 1);
    pProgress->SetRange32(0, 100000);
    pProgress->SetPos(66000);
    bar.AddControl(pProgress, ID_PROGRESS_PANE, TRUE);

    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();

    // After the frame's idle text, which it posted at creation.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    pFrame->SetMessageText("Compiling: 3 of 5 scripts...");

    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
