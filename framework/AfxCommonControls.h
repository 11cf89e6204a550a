// Registration of the common control classes, once per process and class group.
#pragma once

#include <windows.h>

// ICC_... flags of the classes a wrapper is about to create; FALSE when the system refuses.
BOOL AfxInitCommonControls(DWORD classes);
