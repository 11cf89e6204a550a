// An RGB value with a blend, a subtraction and five named grey levels.
#pragma once

#include <windows.h>

class CXTColorRef {
public:
    CXTColorRef(COLORREF clr = 0) : m_clr(clr) {}
    operator COLORREF() const { return m_clr; }

    // Each channel becomes (this × (100 − percent) + other × percent) / 100, within 0..255.
    CXTColorRef& BlendColor(CXTColorRef other, int percent);
    // Each channel becomes this − other; below 0 gives 0.
    CXTColorRef& Subtract(CXTColorRef other);

    static const CXTColorRef BLACK;
    static const CXTColorRef WHITE;
    static const CXTColorRef GRAY_25;  // dark grey
    static const CXTColorRef GRAY_50;  // grey
    static const CXTColorRef GRAY_75;  // light grey

private:
    COLORREF m_clr;
};
