// The text of a string id, as the resource manager loads it for the language the user chose.
#pragma once

#include <windows.h>

#include "CString.h"

// Empty where the id has no text.
CString LoadText(UINT nID);
