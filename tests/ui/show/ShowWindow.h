// A plain top-level window for the show programs, which are looked at in screenshots.
#pragma once

#include <windows.h>

// Creates a hidden window that paints through paint and ends the program when closed;
// cursor null: the arrow.
HWND CreateShowWindow(HINSTANCE instance, const char* title, int x, int y, int width, int height,
                      void (*paint)(HWND), HCURSOR cursor = nullptr);

// Runs the thread's messages until the window is closed.
int RunShowLoop();
