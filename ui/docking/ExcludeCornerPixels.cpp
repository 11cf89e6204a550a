// Leaves the four corner pixels of a rectangle out of a DC's clip region.
#include "ExcludeCornerPixels.h"

void ExcludeCornerPixels(CDC* pDC, const RECT& rc)
{
    pDC->ExcludeClipRect(rc.left, rc.top, rc.left + 1, rc.top + 1);
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
    pDC->ExcludeClipRect(rc.left, rc.bottom - 1, rc.left + 1, rc.bottom);
    pDC->ExcludeClipRect(rc.right - 1, rc.bottom - 1, rc.right, rc.bottom);
}
