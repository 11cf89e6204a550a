// Where a child window stands in its parent's client area, for the bar tests.
#pragma once

#include "CWnd.h"

inline CRect ChildRect(const CWnd& child)
{
    CRect rect;
    ::GetWindowRect(child.m_hWnd, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child.m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
