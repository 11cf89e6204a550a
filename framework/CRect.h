// Point, size and rectangle over the platform's geometry structs, so they pass
// straight to the platform calls. A rectangle excludes its right and bottom edge.
// Coordinate arithmetic wraps like 32-bit integers instead of overflowing.
#pragma once

#include "WinTypes.h"

#ifndef _WIN32
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;
#endif

class CSize;

class CPoint : public POINT {
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(const POINT& pt) { x = pt.x; y = pt.y; }

    bool operator==(const POINT& pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(const POINT& pt) const { return !(*this == pt); }

    CPoint& operator+=(const SIZE& size);
    CPoint& operator-=(const SIZE& size);
    CPoint& operator+=(const POINT& pt);
    CPoint& operator-=(const POINT& pt);

    CPoint operator+(const SIZE& size) const;
    CPoint operator-(const SIZE& size) const;
    CPoint operator+(const POINT& pt) const;
    CSize operator-(const POINT& pt) const;  // the distance between the points
    CPoint operator-() const;
};

class CSize : public SIZE {
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(const SIZE& size) { cx = size.cx; cy = size.cy; }

    bool operator==(const SIZE& size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(const SIZE& size) const { return !(*this == size); }

    CSize& operator+=(const SIZE& size);
    CSize& operator-=(const SIZE& size);

    CSize operator+(const SIZE& size) const;
    CSize operator-(const SIZE& size) const;
    CSize operator-() const;
};

class CRect : public RECT {
public:
    CRect() { SetRectEmpty(); }
    CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
    CRect(const RECT& rect) { SetRect(rect.left, rect.top, rect.right, rect.bottom); }
    CRect(const POINT& topLeft, const SIZE& size);
    CRect(const POINT& topLeft, const POINT& bottomRight);

    int Width() const;
    int Height() const;
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const;

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    void SetRect(int l, int t, int r, int b);
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }

    // Empty when the width or the height is not positive; null when all four are zero.
    BOOL IsRectEmpty() const;
    BOOL IsRectNull() const;
    // The right and bottom edge lie outside.
    BOOL PtInRect(const POINT& pt) const;

    void OffsetRect(int dx, int dy);
    void OffsetRect(const POINT& pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(const SIZE& size) { OffsetRect(size.cx, size.cy); }

    // Moves each edge outward (Inflate) or inward (Deflate).
    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(const SIZE& size) { InflateRect(size.cx, size.cy); }
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
    void DeflateRect(const SIZE& size) { DeflateRect(size.cx, size.cy); }
    void DeflateRect(int l, int t, int r, int b);

    // Swaps edges so that left <= right and top <= bottom.
    void NormalizeRect();

    // Both set this rectangle and return FALSE (leaving it all zero) when the result is
    // empty. Empty rectangles (and null pointers) take no part in a union.
    BOOL IntersectRect(LPCRECT rect1, LPCRECT rect2);
    BOOL UnionRect(LPCRECT rect1, LPCRECT rect2);

    bool operator==(const RECT& rect) const;
    bool operator!=(const RECT& rect) const { return !(*this == rect); }

    CRect& operator+=(const POINT& pt);
    CRect& operator+=(const SIZE& size);
    CRect& operator-=(const POINT& pt);
    CRect& operator-=(const SIZE& size);

    CRect operator+(const POINT& pt) const;
    CRect operator+(const SIZE& size) const;
    CRect operator-(const POINT& pt) const;
    CRect operator-(const SIZE& size) const;

private:
    void Offset(long long dx, long long dy);
};
