// Placement of docked bars without windows: one row's bars side by side from their last docked
// places, the bar a too-short row gives up, and the row a bar dropped at a point goes into.
#pragma once

#include <functional>
#include <vector>

// One bar of a row, in the coordinates of a horizontal dock (a vertical dock swaps x and y).
struct XTPDockRowItem {
    int nOrder = 0;    // index in the dock bar's array: equal edges and the overlap rules follow it
    int nMRULeft = 0;  // where the bar was docked last
    int nWidth = 0;    // measured length
    int nLeft = 0;     // placed by LayoutRow
    int nRight = 0;
};

class CXTPDockRowLayout {
public:
    // Gives the smallest length of a bar that may shrink by hiding controls, or -1 for a bar
    // that may not (it then needs the whole row).
    using MinWidthFn = std::function<int(const XTPDockRowItem&)>;

    // Places the items within nLength; on return they are ordered by their left edges. Returns
    // -1 when the row holds them, else the order of the bar to move into a new row after it
    // (the rightmost; a row of one bar never gives one up).
    static int LayoutRow(std::vector<XTPDockRowItem>& items, int nLength, const MinWidthFn& fnMinWidth);

    // Where a bar dropped at c (across the dock) goes, given each row's far edge (bottom or right
    // of its visible bars; rows without visible bars repeat the edge before them).
    struct InsertPlace {
        int nRow;      // the row, or the row before which a new one opens (the count: at the end)
        bool bNewRow;  // a row of the bar's own
    };
    static InsertPlace FindInsertPlace(const std::vector<int>& arrRowFarEdges, int c);
};
