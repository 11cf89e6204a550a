// The range of the Tools menu's model commands and the build's message, shared by the main frame
// and the panes whose menus carry them.
#pragma once

#include <windows.h>

#include "ResourceIds.h"

enum : UINT {
    ID_TOOLS_MODEL_FIRST = ID_TOOLS_CONVERT_STATIC,  // convert, compile, decompile: static, dynamic, morph
    ID_TOOLS_MODEL_LAST = ID_TOOLS_DECOMPILE_MORPH,
    // Posted by the build worker once a decompile has written the project's scripts.
    WM_DECOMPILE_WRITTEN = WM_APP + 0x106,
};
