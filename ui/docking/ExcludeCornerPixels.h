// Leaves the four corner pixels of a rectangle out of a DC's clip region.
#pragma once

#include <windows.h>

#include "CDC.h"

void ExcludeCornerPixels(CDC* pDC, const RECT& rc);
