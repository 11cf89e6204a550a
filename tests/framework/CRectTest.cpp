// Points, sizes and rectangles: edges, set operations, arithmetic.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "CRect.h"

namespace {

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

TEST(CRectSetOps, IntersectAndUnionByTable)
{
    const struct {
        CRect a;
        CRect b;
        BOOL intersects;
        CRect intersection;
        BOOL unites;
        CRect unionRect;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, TRUE, {0, 0, 15, 15}},
        {{0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}, TRUE, {0, 0, 10, 10}},
        // Touching edges share no pixel.
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {}, TRUE, {0, 0, 20, 10}},
        {{0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, {}, TRUE, {0, 0, 30, 30}},
        // Empty and inverted rectangles take no part.
        {{0, 0, 10, 10}, {-50, -50, -50, 90}, FALSE, {}, TRUE, {0, 0, 10, 10}},
        {{30, 30, 20, 40}, {0, 0, 10, 10}, FALSE, {}, TRUE, {0, 0, 10, 10}},
        {{5, 5, 5, 5}, {1, 1, 1, 9}, FALSE, {}, FALSE, {}},
        {{-10, -10, -2, -2}, {-5, -20, 5, -4}, TRUE, {-5, -10, -2, -4}, TRUE, {-10, -20, 5, -2}},
    };
    for (const auto& c : cases) {
        CRect result(99, 99, 100, 100);
        EXPECT_EQ(result.IntersectRect(&c.a, &c.b), c.intersects) << Text(c.a) << Text(c.b);
        EXPECT_EQ(result, c.intersection) << Text(c.a) << Text(c.b) << " gave " << Text(result);
        result.SetRect(99, 99, 100, 100);
        EXPECT_EQ(result.UnionRect(&c.a, &c.b), c.unites) << Text(c.a) << Text(c.b);
        EXPECT_EQ(result, c.unionRect) << Text(c.a) << Text(c.b) << " gave " << Text(result);
        // The operations are symmetric.
        result.SetRect(99, 99, 100, 100);
        EXPECT_EQ(result.IntersectRect(&c.b, &c.a), c.intersects) << Text(c.b) << Text(c.a);
        EXPECT_EQ(result, c.intersection) << Text(c.b) << Text(c.a);
        result.SetRect(99, 99, 100, 100);
        EXPECT_EQ(result.UnionRect(&c.b, &c.a), c.unites) << Text(c.b) << Text(c.a);
        EXPECT_EQ(result, c.unionRect) << Text(c.b) << Text(c.a);
    }
}

TEST(CRectSetOps, ResultMayBeAnOperand)
{
    CRect a(0, 0, 10, 10);
    const CRect b(5, 5, 15, 15);
    EXPECT_TRUE(a.IntersectRect(a, b));
    EXPECT_EQ(a, CRect(5, 5, 10, 10));
    CRect c(0, 0, 4, 4);
    EXPECT_TRUE(c.UnionRect(b, c));
    EXPECT_EQ(c, CRect(0, 0, 15, 15));
    EXPECT_FALSE(c.IntersectRect(nullptr, b));
    EXPECT_TRUE(c.IsRectNull());
    EXPECT_TRUE(c.UnionRect(nullptr, b));
    EXPECT_EQ(c, b);
}

TEST(CRectEdges, PtInRectEmptyAndNormalizeByTable)
{
    const CRect box(10, 20, 30, 40);
    const struct {
        CPoint pt;
        BOOL inside;
    } points[] = {
        {{10, 20}, TRUE}, {{29, 39}, TRUE}, {{30, 20}, FALSE}, {{10, 40}, FALSE},
        {{9, 25}, FALSE}, {{15, 19}, FALSE}, {{20, 30}, TRUE},
    };
    for (const auto& p : points)
        EXPECT_EQ(box.PtInRect(p.pt), p.inside) << p.pt.x << ',' << p.pt.y;
    EXPECT_FALSE(CRect(5, 5, 5, 9).PtInRect(CPoint(5, 5)));

    const struct {
        CRect rect;
        BOOL empty;
        BOOL null;
        CRect normalized;
    } rects[] = {
        {{0, 0, 0, 0}, TRUE, TRUE, {0, 0, 0, 0}},
        {{0, 0, 1, 1}, FALSE, FALSE, {0, 0, 1, 1}},
        {{0, 0, 5, 0}, TRUE, FALSE, {0, 0, 5, 0}},
        {{10, 0, 0, 10}, TRUE, FALSE, {0, 0, 10, 10}},
        {{0, 10, 10, 0}, TRUE, FALSE, {0, 0, 10, 10}},
        {{7, 8, -3, -4}, TRUE, FALSE, {-3, -4, 7, 8}},
        // The width does not fit in 32 bits, but the rectangle is not empty.
        {{INT_MIN, 0, INT_MAX, 1}, FALSE, FALSE, {INT_MIN, 0, INT_MAX, 1}},
        {{INT_MAX, 0, INT_MIN, 1}, TRUE, FALSE, {INT_MIN, 0, INT_MAX, 1}},
    };
    for (const auto& r : rects) {
        EXPECT_EQ(r.rect.IsRectEmpty(), r.empty) << Text(r.rect);
        EXPECT_EQ(r.rect.IsRectNull(), r.null) << Text(r.rect);
        CRect n(r.rect);
        n.NormalizeRect();
        EXPECT_EQ(n, r.normalized) << Text(r.rect);
    }
}

TEST(CRectShape, ConstructorsAndMeasures)
{
    const CRect fromSize(CPoint(2, 3), CSize(10, 20));
    EXPECT_EQ(fromSize, CRect(2, 3, 12, 23));
    EXPECT_EQ(CRect(CPoint(2, 3), CPoint(12, 23)), fromSize);
    RECT raw = {1, 2, 3, 4};
    EXPECT_EQ(CRect(raw), CRect(1, 2, 3, 4));
    EXPECT_TRUE(CRect().IsRectNull());

    EXPECT_EQ(fromSize.Width(), 10);
    EXPECT_EQ(fromSize.Height(), 20);
    EXPECT_EQ(fromSize.Size(), CSize(10, 20));
    EXPECT_EQ(fromSize.TopLeft(), CPoint(2, 3));
    EXPECT_EQ(fromSize.BottomRight(), CPoint(12, 23));
    EXPECT_EQ(fromSize.CenterPoint(), CPoint(7, 13));
    EXPECT_EQ(CRect(-9, -9, -4, -4).CenterPoint(), CPoint(-6, -6));
    EXPECT_EQ(CRect(INT_MAX - 2, 0, INT_MAX, 0).CenterPoint(), CPoint(INT_MAX - 1, 0));
    EXPECT_EQ(CRect(5, 5, 2, 1).Width(), -3);

    // The conversions hand out the rectangle itself.
    CRect r(1, 1, 2, 2);
    LPRECT p = r;
    p->right = 7;
    EXPECT_EQ(r.right, 7);
    const CRect& cr = r;
    LPCRECT cp = cr;
    EXPECT_EQ(cp, static_cast<const RECT*>(&r));
}

TEST(CRectShape, OffsetInflateDeflate)
{
    CRect r(10, 20, 30, 40);
    r.OffsetRect(5, -5);
    EXPECT_EQ(r, CRect(15, 15, 35, 35));
    r.OffsetRect(CPoint(-15, 0));
    r.OffsetRect(CSize(0, -15));
    EXPECT_EQ(r, CRect(0, 0, 20, 20));
    r.InflateRect(2, 3);
    EXPECT_EQ(r, CRect(-2, -3, 22, 23));
    r.DeflateRect(CSize(2, 3));
    EXPECT_EQ(r, CRect(0, 0, 20, 20));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(-1, -2, 23, 24));
    r.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(0, 0, 20, 20));

    // Extreme coordinates wrap instead of overflowing.
    CRect edge(INT_MAX, INT_MIN, INT_MAX, INT_MIN);
    edge.OffsetRect(1, -1);
    EXPECT_EQ(edge, CRect(INT_MIN, INT_MAX, INT_MIN, INT_MAX));
    edge -= CPoint(INT_MIN, INT_MIN);
    EXPECT_EQ(edge, CRect(0, -1, 0, -1));
}

TEST(CRectArithmetic, OperatorsOnPointsSizesAndRects)
{
    CPoint p(3, 4);
    p += CSize(1, 1);
    EXPECT_EQ(p, CPoint(4, 5));
    p -= CPoint(4, 4);
    EXPECT_EQ(p, CPoint(0, 1));
    p += CPoint(2, 2);
    p -= CSize(1, 0);
    EXPECT_EQ(p, CPoint(1, 3));
    EXPECT_EQ(p + CSize(1, 1), CPoint(2, 4));
    EXPECT_EQ(p - CSize(1, 1), CPoint(0, 2));
    EXPECT_EQ(p + CPoint(10, 10), CPoint(11, 13));
    EXPECT_EQ(CPoint(10, 10) - p, CSize(9, 7));
    EXPECT_EQ(-p, CPoint(-1, -3));
    EXPECT_NE(p, CPoint(3, 1));

    CSize s(5, 6);
    s += CSize(1, 1);
    EXPECT_EQ(s, CSize(6, 7));
    s -= CSize(6, 0);
    EXPECT_EQ(s, CSize(0, 7));
    EXPECT_EQ(s + CSize(1, 1), CSize(1, 8));
    EXPECT_EQ(s - CSize(1, 1), CSize(-1, 6));
    EXPECT_EQ(-s, CSize(0, -7));
    EXPECT_NE(s, CSize(7, 0));

    CRect r(0, 0, 10, 10);
    EXPECT_EQ(r + CPoint(1, 2), CRect(1, 2, 11, 12));
    EXPECT_EQ(r + CSize(1, 2), CRect(1, 2, 11, 12));
    EXPECT_EQ(r - CPoint(1, 2), CRect(-1, -2, 9, 8));
    EXPECT_EQ(r - CSize(1, 2), CRect(-1, -2, 9, 8));
    r += CPoint(5, 5);
    r -= CSize(5, 0);
    EXPECT_EQ(r, CRect(0, 5, 10, 15));
    r -= CPoint(0, 5);
    r += CSize(1, 1);
    EXPECT_EQ(r, CRect(1, 1, 11, 11));
    EXPECT_NE(r, CRect(1, 1, 11, 12));
}

} // namespace
