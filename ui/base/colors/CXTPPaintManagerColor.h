// A painter's colour (a standard value and an override) and the two-colour gradient made of them.
#pragma once

#include <windows.h>

// The standard value counts unless an override is set (0xFFFFFFFF marks it unset).
struct CXTPPaintManagerColor {
    COLORREF m_clrStandardValue = 0;
    COLORREF m_clrCustomValue = (COLORREF)-1;

    void SetStandardValue(COLORREF clr) { m_clrStandardValue = clr; }
    void SetCustomValue(COLORREF clr) { m_clrCustomValue = clr; }
    COLORREF GetStandardColor() const { return m_clrStandardValue; }
    BOOL IsCustomValue() const { return m_clrCustomValue != (COLORREF)-1; }
    operator COLORREF() const { return IsCustomValue() ? m_clrCustomValue : m_clrStandardValue; }
};

// Light colour, then dark colour: four 32-bit values in all.
struct CXTPPaintManagerColorGradient {
    CXTPPaintManagerColor clrLight;
    CXTPPaintManagerColor clrDark;

    void SetStandardValue(COLORREF light, COLORREF dark)
    {
        clrLight.SetStandardValue(light);
        clrDark.SetStandardValue(dark);
    }
    void SetStandardColor(COLORREF clr) { SetStandardValue(clr, clr); }
};
