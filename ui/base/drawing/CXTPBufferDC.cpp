// The compatible DC, the buffer DC and the memory DC.
#include "CXTPBufferDC.h"

IMPLEMENT_DYNAMIC(CXTMemDC, CDC)

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap)
    : CXTPCompatibleDC(pDC, pBitmap ? static_cast<HBITMAP>(pBitmap->m_hObject) : nullptr)
{
}

CXTPCompatibleDC::CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap)
{
    CreateCompatibleDC(pDC);
    if (m_hDC && hBitmap)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CXTPCompatibleDC::~CXTPCompatibleDC()
{
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
}

CXTPBufferDC::CXTPBufferDC(HDC hDestDC, const CRect& rcPaint) : m_hDestDC(hDestDC), m_rect(rcPaint)
{
    if (!Attach(::CreateCompatibleDC(hDestDC)))
        return;
    m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, m_rect.right, m_rect.bottom));
    if (m_bitmap.m_hObject)
        m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
}

CXTPBufferDC::~CXTPBufferDC()
{
    if (m_hDC && m_hOldBitmap) {
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    m_bitmap.DeleteObject();
    DeleteDC();
}

CXTMemDC::CXTMemDC(CDC* pDC, const CRect& rect, COLORREF clrColor) : m_pDC(pDC), m_rc(rect)
{
    if (!pDC)
        return;
    if (m_rc.IsRectEmpty())
        pDC->GetClipBox(&m_rc);
    if (!CreateCompatibleDC(pDC))
        return;
    SetMapMode(::GetMapMode(pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC));
    m_bitmap.CreateCompatibleBitmap(pDC, m_rc.Width(), m_rc.Height());
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    if (clrColor != (COLORREF)-1)
        FillSolidRect(0, 0, m_rc.Width(), m_rc.Height(), clrColor);
    ::SetViewportOrgEx(m_hDC, -m_rc.left, -m_rc.top, nullptr);
    m_bValid = TRUE;
}

CXTMemDC::~CXTMemDC()
{
    if (m_bValid) {
        ::SetViewportOrgEx(m_hDC, 0, 0, nullptr);
        ::BitBlt(m_pDC->m_hDC, m_rc.left, m_rc.top, m_rc.Width(), m_rc.Height(), m_hDC, 0, 0, SRCCOPY);
    }
    if (m_hDC && m_hOldBitmap)
        ::SelectObject(m_hDC, m_hOldBitmap);
    m_bitmap.DeleteObject();
    DeleteDC();
}
