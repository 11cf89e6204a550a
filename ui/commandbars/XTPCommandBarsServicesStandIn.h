// Stand-in for the menu-sound player until it joins the command bars (no sound plays), beside
// the small loaders the controls use through the resource manager.
#pragma once

#include <windows.h>

#include "CString.h"
#include "CXTPResourceManager.h"

enum XTPSoundMenuCommand { xtpSoundMenuCommand = 1 };

inline BOOL XTPLoadCommandString(CString& str, UINT nID)
{
    return nID != 0 && XTPResourceManager()->LoadString(&str, nID) && !str.IsEmpty();
}

inline void XTPPlayMenuSound(int /*nSound*/) {}

inline HCURSOR XTPLoadCursor(UINT nID)
{
    HCURSOR hCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nID));
    return hCursor ? hCursor : ::LoadCursorA(nullptr, IDC_ARROW);
}
