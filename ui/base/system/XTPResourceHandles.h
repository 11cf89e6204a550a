// The module the window library loads its own resources from, set by the application.
#pragma once

#include <windows.h>

// Stores the resource module and a second module kept beside it.
void XTPSetResourceHandles(HMODULE hResource, HMODULE hModule);
// The resource module; null until set.
HMODULE XTPGetResourceHandle();
