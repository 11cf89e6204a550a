// The texts the user is shown: a string id's, as the resource manager loads it for the language
// the user chose, and the system's text of an error code.
#pragma once

#include <windows.h>

#include "CString.h"

// Empty where the id has no text.
CString LoadText(UINT nID);
// The system's text for a GetLastError code, without its closing line break; empty when the
// system has none.
CString SystemErrorText(DWORD error);
