// Ids of the Build menu, the Tools menu's model commands, Insert Files Options and the build
// progress pane, shared by the main frame and the panes whose menus carry them.
#pragma once

#include <windows.h>

enum : UINT {
    ID_BUILD_COMPILE = 168,
    ID_BUILD_DECOMPILE = 169,
    ID_BUILD_STOP = 33190,
    ID_BUILD_OPTIONS = 32808,
    ID_TOOLS_MODEL_FIRST = 32834,  // convert 32834-32836, compile 32837-32839, decompile 32840-32842
    ID_TOOLS_MODEL_LAST = 32842,
    ID_INSERT_FILES_OPTIONS = 33192,
    ID_PROGRESS_PANE = 32846,
    // Posted by the build worker once a decompile has written the project's scripts.
    WM_DECOMPILE_WRITTEN = WM_APP + 0x106,
};
