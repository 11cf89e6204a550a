// Questions about the active project that several windows ask: whether it is a decompile
// project, and which item of the solution tree stands for it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CString.h"

// TRUE when the active project's folder holds a file matching "*.dat" (a project made from a
// ".dat", not yet decompiled); the answer is stored in Decompilate. The folder is the project's
// own, whatever the current directory is.
BOOL IsDecompileProject();

// The project item among the children of the tree's first root item whose text is exactly the
// given one, or none: "Project 'Fight'" does not find "Project 'Fight2'".
HTREEITEM FindProjectItem(HWND tree, const CString& itemText);
