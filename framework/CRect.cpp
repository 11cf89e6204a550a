// Point, size and rectangle arithmetic with 32-bit wrap-around.
#include "CRect.h"

#include <cstdint>

namespace {

// Coordinate arithmetic is done in 64 bits and wrapped to 32, so extreme values
// cannot overflow a signed integer.
LONG Wrap(long long value)
{
    return static_cast<LONG>(static_cast<std::uint32_t>(static_cast<unsigned long long>(value)));
}

long long Span(LONG low, LONG high)
{
    return static_cast<long long>(high) - low;
}

bool Empty(const RECT& r)
{
    return Span(r.left, r.right) <= 0 || Span(r.top, r.bottom) <= 0;
}

} // namespace

CPoint& CPoint::operator+=(const SIZE& size)
{
    x = Wrap(static_cast<long long>(x) + size.cx);
    y = Wrap(static_cast<long long>(y) + size.cy);
    return *this;
}

CPoint& CPoint::operator-=(const SIZE& size)
{
    x = Wrap(static_cast<long long>(x) - size.cx);
    y = Wrap(static_cast<long long>(y) - size.cy);
    return *this;
}

CPoint& CPoint::operator+=(const POINT& pt)
{
    x = Wrap(static_cast<long long>(x) + pt.x);
    y = Wrap(static_cast<long long>(y) + pt.y);
    return *this;
}

CPoint& CPoint::operator-=(const POINT& pt)
{
    x = Wrap(static_cast<long long>(x) - pt.x);
    y = Wrap(static_cast<long long>(y) - pt.y);
    return *this;
}

CPoint CPoint::operator+(const SIZE& size) const
{
    CPoint result(*this);
    return result += size;
}

CPoint CPoint::operator-(const SIZE& size) const
{
    CPoint result(*this);
    return result -= size;
}

CPoint CPoint::operator+(const POINT& pt) const
{
    CPoint result(*this);
    return result += pt;
}

CSize CPoint::operator-(const POINT& pt) const
{
    CSize result;
    result.cx = Wrap(static_cast<long long>(x) - pt.x);
    result.cy = Wrap(static_cast<long long>(y) - pt.y);
    return result;
}

CPoint CPoint::operator-() const
{
    CPoint result;
    result.x = Wrap(-static_cast<long long>(x));
    result.y = Wrap(-static_cast<long long>(y));
    return result;
}

CSize& CSize::operator+=(const SIZE& size)
{
    cx = Wrap(static_cast<long long>(cx) + size.cx);
    cy = Wrap(static_cast<long long>(cy) + size.cy);
    return *this;
}

CSize& CSize::operator-=(const SIZE& size)
{
    cx = Wrap(static_cast<long long>(cx) - size.cx);
    cy = Wrap(static_cast<long long>(cy) - size.cy);
    return *this;
}

CSize CSize::operator+(const SIZE& size) const
{
    CSize result(*this);
    return result += size;
}

CSize CSize::operator-(const SIZE& size) const
{
    CSize result(*this);
    return result -= size;
}

CSize CSize::operator-() const
{
    CSize result;
    result.cx = Wrap(-static_cast<long long>(cx));
    result.cy = Wrap(-static_cast<long long>(cy));
    return result;
}

CRect::CRect(const POINT& topLeft, const SIZE& size)
{
    left = topLeft.x;
    top = topLeft.y;
    right = Wrap(static_cast<long long>(topLeft.x) + size.cx);
    bottom = Wrap(static_cast<long long>(topLeft.y) + size.cy);
}

CRect::CRect(const POINT& topLeft, const POINT& bottomRight)
{
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

int CRect::Width() const
{
    return Wrap(Span(left, right));
}

int CRect::Height() const
{
    return Wrap(Span(top, bottom));
}

CPoint CRect::CenterPoint() const
{
    // The sum of two 32-bit values fits in 64 bits; halving brings it back in range.
    return CPoint(static_cast<int>((static_cast<long long>(left) + right) / 2),
                  static_cast<int>((static_cast<long long>(top) + bottom) / 2));
}

void CRect::SetRect(int l, int t, int r, int b)
{
    left = l;
    top = t;
    right = r;
    bottom = b;
}

BOOL CRect::IsRectEmpty() const
{
    return Empty(*this) ? TRUE : FALSE;
}

BOOL CRect::IsRectNull() const
{
    return (left == 0 && top == 0 && right == 0 && bottom == 0) ? TRUE : FALSE;
}

BOOL CRect::PtInRect(const POINT& pt) const
{
    return (pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom) ? TRUE : FALSE;
}

void CRect::Offset(long long dx, long long dy)
{
    left = Wrap(left + dx);
    right = Wrap(right + dx);
    top = Wrap(top + dy);
    bottom = Wrap(bottom + dy);
}

void CRect::OffsetRect(int dx, int dy)
{
    Offset(dx, dy);
}

void CRect::InflateRect(int l, int t, int r, int b)
{
    left = Wrap(static_cast<long long>(left) - l);
    top = Wrap(static_cast<long long>(top) - t);
    right = Wrap(static_cast<long long>(right) + r);
    bottom = Wrap(static_cast<long long>(bottom) + b);
}

void CRect::DeflateRect(int l, int t, int r, int b)
{
    left = Wrap(static_cast<long long>(left) + l);
    top = Wrap(static_cast<long long>(top) + t);
    right = Wrap(static_cast<long long>(right) - r);
    bottom = Wrap(static_cast<long long>(bottom) - b);
}

void CRect::NormalizeRect()
{
    if (left > right) {
        LONG swap = left;
        left = right;
        right = swap;
    }
    if (top > bottom) {
        LONG swap = top;
        top = bottom;
        bottom = swap;
    }
}

BOOL CRect::IntersectRect(LPCRECT rect1, LPCRECT rect2)
{
    if (!rect1 || !rect2 || Empty(*rect1) || Empty(*rect2)) {
        SetRectEmpty();
        return FALSE;
    }
    // Read both before writing: either may be this rectangle.
    RECT r;
    r.left = rect1->left > rect2->left ? rect1->left : rect2->left;
    r.top = rect1->top > rect2->top ? rect1->top : rect2->top;
    r.right = rect1->right < rect2->right ? rect1->right : rect2->right;
    r.bottom = rect1->bottom < rect2->bottom ? rect1->bottom : rect2->bottom;
    if (Empty(r)) {
        SetRectEmpty();
        return FALSE;
    }
    *static_cast<RECT*>(this) = r;
    return TRUE;
}

BOOL CRect::UnionRect(LPCRECT rect1, LPCRECT rect2)
{
    const bool use1 = rect1 && !Empty(*rect1);
    const bool use2 = rect2 && !Empty(*rect2);
    if (!use1 && !use2) {
        SetRectEmpty();
        return FALSE;
    }
    if (!use1 || !use2) {
        const RECT only = use1 ? *rect1 : *rect2;
        *static_cast<RECT*>(this) = only;
        return TRUE;
    }
    RECT r;
    r.left = rect1->left < rect2->left ? rect1->left : rect2->left;
    r.top = rect1->top < rect2->top ? rect1->top : rect2->top;
    r.right = rect1->right > rect2->right ? rect1->right : rect2->right;
    r.bottom = rect1->bottom > rect2->bottom ? rect1->bottom : rect2->bottom;
    *static_cast<RECT*>(this) = r;
    return TRUE;
}

bool CRect::operator==(const RECT& rect) const
{
    return left == rect.left && top == rect.top && right == rect.right && bottom == rect.bottom;
}

CRect& CRect::operator+=(const POINT& pt)
{
    Offset(pt.x, pt.y);
    return *this;
}

CRect& CRect::operator+=(const SIZE& size)
{
    Offset(size.cx, size.cy);
    return *this;
}

CRect& CRect::operator-=(const POINT& pt)
{
    Offset(-static_cast<long long>(pt.x), -static_cast<long long>(pt.y));
    return *this;
}

CRect& CRect::operator-=(const SIZE& size)
{
    Offset(-static_cast<long long>(size.cx), -static_cast<long long>(size.cy));
    return *this;
}

CRect CRect::operator+(const POINT& pt) const
{
    CRect result(*this);
    return result += pt;
}

CRect CRect::operator+(const SIZE& size) const
{
    CRect result(*this);
    return result += size;
}

CRect CRect::operator-(const POINT& pt) const
{
    CRect result(*this);
    return result -= pt;
}

CRect CRect::operator-(const SIZE& size) const
{
    CRect result(*this);
    return result -= size;
}
