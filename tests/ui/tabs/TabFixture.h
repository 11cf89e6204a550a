// A tab manager for tests: its own paint manager, counters of what it was asked, a
// window for the mouse loops and a memory canvas to lay out and draw on.
#pragma once

#include <windows.h>

#include <vector>

#include "../base/colors/SchemeScope.h"
#include "../base/drawing/DibCanvas.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"

class TestTabManager : public CXTPTabManager {
public:
    TestTabManager() { m_pPaintManager->AddObserver(this); }
    ~TestTabManager() override
    {
        m_pPaintManager->RemoveObserver(this);
        m_pPaintManager->InternalRelease();
    }

    CXTPTabPaintManager* GetPaintManager() const override { return m_pPaintManager; }
    // Lays the row out in the control rectangle when one is set.
    void Reposition() override
    {
        ++repositions;
        if (!control.IsRectEmpty() && layoutDC)
            m_pPaintManager->RepositionTabControl(this, layoutDC, control);
    }
    void RedrawControl() override { ++redraws; }
    // Tabs show an icon of the paint manager's size when icons is set; none is drawn.
    BOOL DrawIcon(CDC* /*pDC*/, CPoint /*pt*/, CXTPTabManagerItem* /*pItem*/, BOOL /*bDraw*/,
                  CSize& /*szIcon*/) const override
    {
        return icons;
    }
    void OnNavigateButtonClick(int nId) override { clicks.push_back(nId); }

    // Tabs with the given lengths side by side from x, in a row of the given height.
    void SetRow(const std::vector<int>& lengths, int x = 0, int top = 0, int height = 20)
    {
        while (GetItemCount() < static_cast<int>(lengths.size()))
            InsertItem(-1);
        for (size_t i = 0; i < lengths.size(); ++i) {
            GetItem(static_cast<int>(i))->SetLength(lengths[i]);
            GetItem(static_cast<int>(i))->SetRect(CRect(x, top, x + lengths[i], top + height));
            x += lengths[i];
        }
    }
    std::vector<int> Lengths() const
    {
        std::vector<int> result;
        for (int i = 0; i < GetItemCount(); ++i)
            result.push_back(GetItem(i)->GetLength());
        return result;
    }

    CXTPTabPaintManager* m_pPaintManager = new CXTPTabPaintManager();
    CRect control;
    CDC* layoutDC = nullptr;
    BOOL icons = FALSE;
    int repositions = 0;
    int redraws = 0;
    std::vector<int> clicks;
};

// A plain popup window that can hold the mouse capture.
class CaptureWindow {
public:
    CaptureWindow()
    {
        hwnd = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    }
    ~CaptureWindow()
    {
        if (::GetCapture() == hwnd)
            ::ReleaseCapture();
        ::DestroyWindow(hwnd);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void Post(UINT message, WPARAM wParam = 0, int x = 0, int y = 0) const
    {
        ::PostMessageA(hwnd, message, wParam, MAKELPARAM(x, y));
    }

    HWND hwnd = nullptr;
};

