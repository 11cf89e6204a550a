// A visible parent and a report list of three columns with the list extension, and helpers to drive its header.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CWinApp.h"
#include "CWnd.h"
#include "CXTListCtrl.h"

// Records what the extension asks a derived list to sort.
class RecordingList : public CXTListCtrl {
public:
    struct SortCall {
        int column;
        BOOL ascending;
    };
    std::vector<SortCall> sorts;
    BOOL SortRows(int nColumn, BOOL bAscending) override
    {
        sorts.push_back({nColumn, bAscending});
        return TRUE;
    }
};

class ListFixture : public ::testing::Test {
protected:
    // One parent for the whole suite: showing a new top-level window costs seconds under Wine.
    static void SetUpTestSuite()
    {
        parentWindow = new CWnd;
        parentWindow->CreateEx(0, CWnd::DefaultClassName(), "Lists", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500,
                               400, nullptr, nullptr);
    }

    static void TearDownTestSuite()
    {
        parentWindow->DestroyWindow();
        delete parentWindow;
        parentWindow = nullptr;
    }

    void TearDown() override
    {
        if (list.m_hWnd)
            list.DestroyWindow();
        CWnd::DeleteTempMap();
    }

    void MakeList(DWORD extraStyle = 0, int rows = 10)
    {
        ASSERT_TRUE(list.Create(WS_VISIBLE | WS_CHILD | LVS_REPORT | extraStyle, CRect(0, 0, 480, 360), parentWindow,
                                77));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 120);
        list.InsertColumn(1, "Kind", LVCFMT_LEFT, 80);
        list.InsertColumn(2, "Path", LVCFMT_LEFT, 200);
        for (int i = 0; i < rows; ++i) {
            const std::string n = std::to_string(i);
            list.InsertItem(i, ("r" + n).c_str());
            list.SetItemText(i, 1, ("k" + n).c_str());
            list.SetItemText(i, 2, ("p" + n).c_str());
            list.SetItemData(i, 100 + i);
        }
    }

    CXTListBase& base() { return list.GetListBase(); }
    HWND header() { return ListView_GetHeader(list.m_hWnd); }

    // The client point of a column's divider, and of its middle.
    CPoint Divider(int column)
    {
        RECT rect = {};
        Header_GetItemRect(header(), column, &rect);
        return CPoint(rect.right - 1, (rect.top + rect.bottom) / 2);
    }
    CPoint Middle(int column)
    {
        RECT rect = {};
        Header_GetItemRect(header(), column, &rect);
        return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }

    void Mouse(UINT message, CPoint at, WPARAM keys = 0)
    {
        ::SendMessageA(header(), message, keys, MAKELPARAM(at.x, at.y));
    }

    // Drags the divider of a column dx pixels; the column's width afterwards.
    int DragDivider(int column, int dx)
    {
        const CPoint from = Divider(column);
        Mouse(WM_LBUTTONDOWN, from, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, CPoint(from.x + dx / 2, from.y), MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, CPoint(from.x + dx, from.y), MK_LBUTTON);
        Mouse(WM_LBUTTONUP, CPoint(from.x + dx, from.y));
        ::ReleaseCapture();
        return list.GetColumnWidth(column);
    }

    static CWnd* parentWindow;
    RecordingList list;
};

inline CWnd* ListFixture::parentWindow = nullptr;
