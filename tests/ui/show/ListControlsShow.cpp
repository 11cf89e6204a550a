// An MDI frame with three document windows and its Arrange Windows dialog, and a window with an edit list
// box and a report list, to be looked at in a screenshot.
#include <windows.h>

#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CXTEditListBox.h"
#include "CXTListCtrl.h"
#include "CXTWindowList.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    auto* frame = new CMDIFrameWnd;
    frame->Create(nullptr, "Script windows", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 610, 460));
    for (const char* title : {"Startup.d", "Dialogs.d", "Monsters.d"}) {
        auto* child = new CMDIChildWnd;
        child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 260, 180), frame);
    }
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDICASCADE, 0, 0);
    auto* dialog = new CXTWindowList(frame);
    dialog->Create(XT_IDD_WINDOWLIST, frame);
    dialog->SetWindowPos(nullptr, 640, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog->m_lboxWindows.SetSel(1, TRUE);
    dialog->UpdateButtons();
    dialog->ShowWindow(SW_SHOW);

    auto* pane = new CWnd;
    pane->CreateEx(0, CWnd::DefaultClassName(), "Lists", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                   CRect(640, 330, 1240, 640), nullptr, 0);
    auto* edits = new CXTEditListBox;
    edits->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS,
                  CRect(10, 32, 200, 260), pane, 10);
    edits->Initialize();
    for (const char* folder : {"_work\\data\\scripts\\content", "_work\\data\\scripts\\system", "tools\\models"})
        edits->AddString(folder);
    edits->SetCurSel(1);
    auto* list = new CXTListCtrl;
    list->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(210, 12, 580, 260), pane, 11);
    list->InsertColumn(0, "File", LVCFMT_LEFT, 140);
    list->InsertColumn(1, "Line", LVCFMT_RIGHT, 60);
    list->InsertColumn(2, "Message", LVCFMT_LEFT, 160);
    list->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list->m_bRowColors = 1;
    const char* rows[][3] = {{"Startup.d", "12", "unknown symbol"}, {"Dialogs.d", "40", "missing ;"},
                             {"Monsters.d", "7", "unused variable"}, {"Startup.d", "88", "type mismatch"}};
    for (int i = 0; i < 4; ++i) {
        list->InsertItem(i, rows[i][0]);
        list->SetItemText(i, 1, rows[i][1]);
        list->SetItemText(i, 2, rows[i][2]);
    }
    list->SetRowColor(1, RGB(160, 0, 0), RGB(255, 228, 228));
    list->SetRowColor(2, RGB(0, 0, 160), RGB(228, 236, 255));
    list->SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list->AttachFlatHeader(TRUE);
    list->SetSortColumn(1, TRUE);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
