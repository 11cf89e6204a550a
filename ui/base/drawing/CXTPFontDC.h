// Scope objects that select a font, a pen or a brush into a DC for their lifetime.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CGdiObject.h"

class CXTPFontDC {
public:
    // Selects the font (a null handle without one); the destructor selects back what it replaced.
    // Neither selects a font that is in place already.
    CXTPFontDC(CDC* pDC, CFont* pFont);
    virtual ~CXTPFontDC();
    CXTPFontDC(const CXTPFontDC&) = delete;
    CXTPFontDC& operator=(const CXTPFontDC&) = delete;

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
};

class CXTPPenDC {
public:
    // A solid pen of one pixel in the colour, selected until destruction.
    CXTPPenDC(HDC hDC, COLORREF clr);
    virtual ~CXTPPenDC();
    CXTPPenDC(const CXTPPenDC&) = delete;
    CXTPPenDC& operator=(const CXTPPenDC&) = delete;

    void SetColor(COLORREF clr);
    COLORREF GetColor() const;

private:
    void Select(COLORREF clr);
    void Restore();

    CPen m_pen;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldPen = nullptr;
};

class CXTPBrushDC {
public:
    // A solid brush in the colour, selected until destruction.
    CXTPBrushDC(HDC hDC, COLORREF clr);
    virtual ~CXTPBrushDC();
    CXTPBrushDC(const CXTPBrushDC&) = delete;
    CXTPBrushDC& operator=(const CXTPBrushDC&) = delete;

    void SetColor(COLORREF clr);

private:
    void Select(COLORREF clr);
    void Restore();

    CBrush m_brush;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldBrush = nullptr;
};
