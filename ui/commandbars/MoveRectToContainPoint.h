// Offsets a rectangle by the least amount that brings a point inside it.
#pragma once

#include "CRect.h"

CRect MoveRectToContainPoint(CRect rc, int x, int y);
