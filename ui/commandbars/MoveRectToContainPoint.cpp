// The least offset of a rectangle that brings a point inside it, axis by axis.
#include "MoveRectToContainPoint.h"

CRect MoveRectToContainPoint(CRect rc, int x, int y)
{
    int dx = 0;
    int dy = 0;
    if (x < rc.left)
        dx = x - rc.left;
    else if (x > rc.right)
        dx = x - rc.right;
    if (y < rc.top)
        dy = y - rc.top;
    else if (y > rc.bottom)
        dy = y - rc.bottom;
    rc.OffsetRect(dx, dy);
    return rc;
}
