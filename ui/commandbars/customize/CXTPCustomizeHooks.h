// The thread hooks of a running customize sheet: the frame stays live for the command bars, while
// clicks and keys meant for the rest of it are swallowed.
#pragma once

#include <windows.h>

class CWnd;
class CXTPCommandBars;
class CXTPCustomizeSheet;

class CXTPCustomizeHooks {
public:
    // Records the sheet as the running one and, when the host's site frame has a window, installs
    // the mouse and keyboard hooks of this thread. FALSE when a sheet already runs.
    static BOOL Install(CXTPCustomizeSheet* pSheet, CXTPCommandBars* pCommandBars);
    // Removes both hooks and forgets the sheet.
    static void Remove();
    // The running sheet, or null.
    static CXTPCustomizeSheet* GetRunningSheet();

    // The filters, TRUE when the message may go on. The mouse filter sees the message and the
    // window under the mouse; the keyboard filter looks at the focus and the capture.
    static BOOL FilterMouse(UINT nMessage, HWND hWndTarget, POINT ptScreen);
    static BOOL FilterKeyboard();

private:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
};
