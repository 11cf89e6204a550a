// The font, pen and brush scope objects.
#include "CXTPFontDC.h"

CXTPFontDC::CXTPFontDC(CDC* pDC, CFont* pFont) : m_hDC(pDC ? pDC->GetSafeHdc() : nullptr)
{
    if (!m_hDC)
        return;
    // A font in place already is not selected again, here or at the end: some systems redo
    // costly work for each selection, and each item of a row asks for the font its row has.
    HGDIOBJ hFont = pFont ? pFont->m_hObject : nullptr;
    HGDIOBJ hCurrent = ::GetCurrentObject(m_hDC, OBJ_FONT);
    m_hOldFont = hFont && hFont == hCurrent ? hCurrent : ::SelectObject(m_hDC, hFont);
}

CXTPFontDC::~CXTPFontDC()
{
    if (m_hDC && m_hOldFont && ::GetCurrentObject(m_hDC, OBJ_FONT) != m_hOldFont)
        ::SelectObject(m_hDC, m_hOldFont);
}

CXTPPenDC::CXTPPenDC(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
    Select(clr);
}

CXTPPenDC::~CXTPPenDC()
{
    Restore();
}

void CXTPPenDC::Select(COLORREF clr)
{
    m_pen.CreatePen(PS_SOLID, 1, clr);
    if (m_hDC)
        m_hOldPen = ::SelectObject(m_hDC, m_pen.m_hObject);
}

void CXTPPenDC::Restore()
{
    if (m_hDC && m_hOldPen)
        ::SelectObject(m_hDC, m_hOldPen);
    m_hOldPen = nullptr;
    m_pen.DeleteObject();
}

void CXTPPenDC::SetColor(COLORREF clr)
{
    Restore();
    Select(clr);
}

COLORREF CXTPPenDC::GetColor() const
{
    LOGPEN logPen = {};
    return m_pen.GetObject(sizeof(logPen), &logPen) ? logPen.lopnColor : (COLORREF)-1;
}

CXTPBrushDC::CXTPBrushDC(HDC hDC, COLORREF clr) : m_hDC(hDC)
{
    Select(clr);
}

CXTPBrushDC::~CXTPBrushDC()
{
    Restore();
}

void CXTPBrushDC::Select(COLORREF clr)
{
    m_brush.CreateSolidBrush(clr);
    if (m_hDC)
        m_hOldBrush = ::SelectObject(m_hDC, m_brush.m_hObject);
}

void CXTPBrushDC::Restore()
{
    if (m_hDC && m_hOldBrush)
        ::SelectObject(m_hDC, m_hOldBrush);
    m_hOldBrush = nullptr;
    m_brush.DeleteObject();
}

void CXTPBrushDC::SetColor(COLORREF clr)
{
    Restore();
    Select(clr);
}
