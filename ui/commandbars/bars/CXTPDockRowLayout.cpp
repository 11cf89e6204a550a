// Row placement of docked bars and the row a dropped bar goes into.
#include "CXTPDockRowLayout.h"

#include <algorithm>

int CXTPDockRowLayout::LayoutRow(std::vector<XTPDockRowItem>& items, int nLength, const MinWidthFn& fnMinWidth)
{
    const int nCount = static_cast<int>(items.size());
    if (nCount == 0)
        return -1;
    // A bar dragged past the dock's start comes back to it.
    for (XTPDockRowItem& item : items) {
        item.nLeft = std::max(item.nMRULeft, 0);
        item.nRight = item.nLeft + item.nWidth;
    }
    // Equal edges keep the array order.
    std::stable_sort(items.begin(), items.end(), [](const XTPDockRowItem& a, const XTPDockRowItem& b) {
        return a.nLeft < b.nLeft || (a.nLeft == b.nLeft && a.nOrder < b.nOrder);
    });
    auto moveTo = [](XTPDockRowItem& item, int nLeft) {
        item.nLeft = nLeft;
        item.nRight = nLeft + item.nWidth;
    };

    // Left to right: an overlapping bar gives way, unless it came first in the array and the bar
    // it overlaps stayed where it was.
    std::vector<bool> moved(static_cast<size_t>(nCount), false);
    for (int i = 1; i < nCount; i++) {
        XTPDockRowItem& prev = items[static_cast<size_t>(i - 1)];
        XTPDockRowItem& item = items[static_cast<size_t>(i)];
        if (item.nLeft < prev.nRight && !(item.nOrder < prev.nOrder && !moved[static_cast<size_t>(i - 1)])) {
            moveTo(item, prev.nRight);
            moved[static_cast<size_t>(i)] = true;
        }
    }
    // Right to left from the row's end, with the mirror exception.
    std::fill(moved.begin(), moved.end(), false);
    int nEdge = nLength;
    for (int i = nCount - 1; i >= 0; i--) {
        XTPDockRowItem& item = items[static_cast<size_t>(i)];
        const bool bKeep = i < nCount - 1 && item.nOrder > items[static_cast<size_t>(i + 1)].nOrder &&
                           !moved[static_cast<size_t>(i + 1)];
        if (item.nRight > nEdge && !bKeep) {
            moveTo(item, nEdge - item.nWidth);
            moved[static_cast<size_t>(i)] = true;
        }
        nEdge = item.nLeft;
    }
    // Left to right once more, without exception.
    for (int i = 0; i < nCount; i++) {
        XTPDockRowItem& item = items[static_cast<size_t>(i)];
        if (i == 0 ? item.nLeft < 0 : item.nLeft < items[static_cast<size_t>(i - 1)].nRight)
            moveTo(item, i == 0 ? 0 : items[static_cast<size_t>(i - 1)].nRight);
    }
    if (items.back().nRight <= nLength)
        return -1;

    // Too long: pack from the right, each bar keeping at least what it needs and leaving what
    // the bars before it need.
    std::vector<int> needed(static_cast<size_t>(nCount));
    std::vector<int> before(static_cast<size_t>(nCount));
    int nSum = 0;
    for (int i = 0; i < nCount; i++) {
        const int nMin = fnMinWidth ? fnMinWidth(items[static_cast<size_t>(i)]) : -1;
        needed[static_cast<size_t>(i)] = nMin < 0 ? nLength : nMin;
        before[static_cast<size_t>(i)] = nSum;
        nSum += needed[static_cast<size_t>(i)];
    }
    nEdge = nLength;
    for (int i = nCount - 1; i >= 0; i--) {
        XTPDockRowItem& item = items[static_cast<size_t>(i)];
        const int nWidth = item.nRight - item.nLeft;
        int nLeft = std::min(item.nMRULeft, item.nLeft);
        nLeft = std::max(nLeft, nEdge - nWidth);
        nLeft = std::max(nLeft, before[static_cast<size_t>(i)]);
        nLeft = std::min(nLeft, nEdge - needed[static_cast<size_t>(i)]);
        if ((nEdge - nLeft < needed[static_cast<size_t>(i)] || nLeft < before[static_cast<size_t>(i)]) && nCount > 1)
            return items.back().nOrder;
        item.nLeft = std::max(nLeft, 0);
        item.nRight = nEdge;
        nEdge = item.nLeft;
    }
    return -1;
}

CXTPDockRowLayout::InsertPlace CXTPDockRowLayout::FindInsertPlace(const std::vector<int>& arrRowFarEdges, int c)
{
    const int nRows = static_cast<int>(arrRowFarEdges.size());
    if (c < 0)
        return {0, true};
    for (int i = 0; i < nRows; i++) {
        if (arrRowFarEdges[static_cast<size_t>(i)] > c) {
            const bool bOnEdge = i > 0 && arrRowFarEdges[static_cast<size_t>(i - 1)] == c;
            return {i, bOnEdge};
        }
    }
    return {nRows, true};
}
