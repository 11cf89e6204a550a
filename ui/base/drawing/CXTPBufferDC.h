// Off-screen DCs: a compatible DC holding a bitmap, and two buffers copied back on destruction.
// Buffers for a window's DC draw into a spare bitmap kept by the thread and grown as needed:
// a new bitmap per paint costs round trips to the window system that a resize or a
// scrolled page repeats for every window painted.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CGdiObject.h"

// A memory DC compatible with pDC (the screen without one) with pBitmap selected.
class CXTPCompatibleDC : public CDC {
public:
    CXTPCompatibleDC(CDC* pDC, CBitmap* pBitmap);
    CXTPCompatibleDC(CDC* pDC, HBITMAP hBitmap);
    ~CXTPCompatibleDC() override;

private:
    HGDIOBJ m_hOldBitmap = nullptr;
};

// A buffer in the target's own coordinates (its bitmap measures right × bottom); the
// destructor copies the rectangle back.
class CXTPBufferDC : public CDC {
public:
    CXTPBufferDC(HDC hDestDC, const CRect& rcPaint);
    ~CXTPBufferDC() override;

private:
    HDC m_hDestDC = nullptr;
    CBitmap m_bitmap;  // own bitmap when the spare was not to be had
    HBITMAP m_hSpare = nullptr;
    CRect m_rect;
    HGDIOBJ m_hOldBitmap = nullptr;
};

// A buffer of the rectangle (the target's clip box when empty) whose origin is the
// rectangle's top-left corner; optionally filled; copied to the target on destruction.
class CXTMemDC : public CDC {
    DECLARE_DYNAMIC(CXTMemDC)

public:
    CXTMemDC(CDC* pDC, const CRect& rect, COLORREF clrColor = (COLORREF)-1);
    ~CXTMemDC() override;

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetRect() const { return m_rc; }

private:
    CDC* m_pDC = nullptr;
    BOOL m_bValid = FALSE;
    CRect m_rc;
    CBitmap m_bitmap;  // own bitmap when the spare was not to be had
    HBITMAP m_hSpare = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};
