// The compatible DC, the buffer DC and the memory DC.
#include "CXTPBufferDC.h"

#include <algorithm>

namespace {

// The thread's spare bitmap, compatible with the display, lent to one buffer at a time.
class CSpareBitmap {
public:
    ~CSpareBitmap()
    {
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
    }

    // At least cx × cy for a buffer of a window's DC; null for other DCs (printers, memory
    // DCs, whose formats differ) and while the spare is lent to an outer buffer.
    HBITMAP Borrow(HDC hDC, int cx, int cy)
    {
        if (m_bLent || cx <= 0 || cy <= 0 || !::WindowFromDC(hDC))
            return nullptr;
        if (!m_hBitmap || m_size.cx < cx || m_size.cy < cy) {
            const SIZE size = {std::max<LONG>(cx, m_size.cx), std::max<LONG>(cy, m_size.cy)};
            HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, size.cx, size.cy);
            if (!hBitmap)
                return nullptr;
            if (m_hBitmap)
                ::DeleteObject(m_hBitmap);
            m_hBitmap = hBitmap;
            m_size = size;
        }
        m_bLent = true;
        return m_hBitmap;
    }

    void Return(HBITMAP hBitmap)
    {
        if (hBitmap && hBitmap == m_hBitmap)
            m_bLent = false;
    }

private:
    HBITMAP m_hBitmap = nullptr;
    SIZE m_size = {0, 0};
    bool m_bLent = false;
};

thread_local CSpareBitmap t_spareBitmap;

}  // namespace

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
    m_hSpare = t_spareBitmap.Borrow(hDestDC, m_rect.right, m_rect.bottom);
    if (!m_hSpare)
        m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, m_rect.right, m_rect.bottom));
    if (HGDIOBJ hBitmap = m_hSpare ? m_hSpare : m_bitmap.m_hObject)
        m_hOldBitmap = ::SelectObject(m_hDC, hBitmap);
}

CXTPBufferDC::~CXTPBufferDC()
{
    if (m_hDC && m_hOldBitmap) {
        ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
                 SRCCOPY);
        ::SelectObject(m_hDC, m_hOldBitmap);
    }
    t_spareBitmap.Return(m_hSpare);
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
    m_hSpare = t_spareBitmap.Borrow(pDC->m_hDC, m_rc.Width(), m_rc.Height());
    if (!m_hSpare)
        m_bitmap.CreateCompatibleBitmap(pDC, m_rc.Width(), m_rc.Height());
    m_hOldBitmap = ::SelectObject(m_hDC, m_hSpare ? m_hSpare : m_bitmap.m_hObject);
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
    t_spareBitmap.Return(m_hSpare);
    m_bitmap.DeleteObject();
    DeleteDC();
}
