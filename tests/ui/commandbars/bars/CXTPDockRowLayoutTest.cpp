// Placement of one dock row's bars and the row a dropped bar goes into, as tables.
#include "CXTPDockRowLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Bar {
    int nMRULeft;
    int nWidth;
    int nMinWidth;  // -1: may not shrink
};

struct RowCase {
    const char* name;
    int nLength;
    std::vector<Bar> bars;      // in array order
    std::string expected;       // "order:left-right" in placed order, or "wrap order"
};

std::string LayOut(const RowCase& c)
{
    std::vector<XTPDockRowItem> items;
    for (size_t i = 0; i < c.bars.size(); i++) {
        XTPDockRowItem item;
        item.nOrder = static_cast<int>(i);
        item.nMRULeft = c.bars[i].nMRULeft;
        item.nWidth = c.bars[i].nWidth;
        items.push_back(item);
    }
    const int nWrap = CXTPDockRowLayout::LayoutRow(
        items, c.nLength, [&c](const XTPDockRowItem& item) { return c.bars[static_cast<size_t>(item.nOrder)].nMinWidth; });
    if (nWrap >= 0)
        return "wrap " + std::to_string(nWrap);
    std::string result;
    for (const XTPDockRowItem& item : items)
        result += (result.empty() ? "" : " ") + std::to_string(item.nOrder) + ":" + std::to_string(item.nLeft) + "-" +
                  std::to_string(item.nRight);
    return result;
}

TEST(DockRowLayout, BarsStandSideBySideAndWrapTheRightmostWhenTheRowIsShort)
{
    const RowCase cases[] = {
        {"room for both where they were", 1000, {{0, 50, -1}, {200, 50, -1}}, "0:0-50 1:200-250"},
        {"overlapping places side by side by left edge", 1000, {{50, 100, -1}, {0, 100, -1}, {120, 100, -1}},
         "1:0-100 0:100-200 2:200-300"},
        {"equal edges keep the array order", 1000, {{0, 60, -1}, {0, 40, -1}, {0, 50, -1}}, "0:0-60 1:60-100 2:100-150"},
        {"a bar past the end comes back inside", 300, {{0, 100, -1}, {250, 100, -1}}, "0:0-100 1:200-300"},
        {"a bar before the start comes to it", 300, {{-40, 100, -1}}, "0:0-100"},
        {"shrinking bars share a short row", 150, {{0, 100, 30}, {100, 100, 30}}, "0:0-100 1:100-150"},
        {"a bar that may not shrink wraps", 150, {{0, 100, -1}, {100, 100, -1}}, "wrap 1"},
        {"the rightmost wraps, not the last in the array", 150, {{100, 100, -1}, {0, 100, -1}}, "wrap 0"},
        {"shrinking bars too wide even at their least", 50, {{0, 100, 30}, {100, 100, 30}}, "wrap 1"},
        {"a lone bar never wraps", 80, {{0, 100, -1}}, "0:0-80"},
        {"an empty row", 80, {}, ""},
    };
    for (const RowCase& c : cases)
        EXPECT_EQ(c.expected, LayOut(c)) << c.name;
}

TEST(DockRowLayout, ADroppedBarJoinsTheRowUnderItOrOpensOneOnAnEdge)
{
    struct Case {
        std::vector<int> rows;
        int c;
        int nRow;
        bool bNewRow;
    };
    const Case cases[] = {
        {{26, 52}, -1, 0, true},   // before the first row
        {{26, 52}, 0, 0, false},
        {{26, 52}, 25, 0, false},
        {{26, 52}, 26, 1, true},   // exactly between two rows
        {{26, 52}, 30, 1, false},
        {{26, 52}, 52, 2, true},   // beyond every row
        {{26, 26, 52}, 26, 2, true},  // a row without visible bars takes no room
        {{}, 0, 0, true},
    };
    for (const Case& c : cases) {
        const CXTPDockRowLayout::InsertPlace place = CXTPDockRowLayout::FindInsertPlace(c.rows, c.c);
        EXPECT_EQ(c.nRow, place.nRow) << "c = " << c.c << ", rows " << c.rows.size();
        EXPECT_EQ(c.bNewRow, place.bNewRow) << "c = " << c.c << ", rows " << c.rows.size();
    }
}

}  // namespace
