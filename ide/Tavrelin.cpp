// The program: its one application object and the entry that starts it.
#include <windows.h>

#include "AfxWinMain.h"
#include "CTavrelinApp.h"

CTavrelinApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
