// Whether the active project is a decompile project: the Decompile command's update asks it.
#pragma once

#include <windows.h>

#include "CString.h"

// TRUE when the active project's folder holds a file matching "*.dat" (a project made from a
// ".dat", not yet decompiled); the answer is stored in Decompilate. The folder is the project's
// own, whatever the current directory is.
BOOL IsDecompileProject();
