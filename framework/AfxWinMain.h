// The program's start through its one application object.
#pragma once

#include <windows.h>

// Runs the application object: InitInstance, then its message loop; the exit code of
// ExitInstance. A failed start cleans up and returns that code as well.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
