// What the theme tests draw on and with: bars of any position and type as hidden windows, a popup
// tied to the control it opens from, distinct colours per index, and a chosen colour scheme.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "CXTPColorManager.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControlPopup.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "../../base/colors/SchemeScope.h"
#include "../../base/drawing/DibCanvas.h"

// A bar placed where the test wants it, of the position and type it wants.
class ProbeBar : public CXTPCommandBar {
public:
    void SetBarPosition(XTPBarPosition position) { m_barPosition = position; }
    void SetBarType(int type) { m_barType = type; }
};

// A popup opened from a control without going through tracking.
class ProbePopup : public CXTPPopupBar {
public:
    void SetControlPopup(CXTPControlPopup* pControl) { m_pControlPopup = pControl; }
};

// Owns the hidden bar windows a test makes.
class BarWindows {
public:
    ~BarWindows()
    {
        for (CXTPCommandBar* pBar : m_arrBars) {
            if (pBar->GetSafeHwnd())
                pBar->DestroyWindow();
            pBar->InternalRelease();
        }
    }

    // A hidden top-level bar with the screen rectangle, position and type.
    template <class T = ProbeBar>
    T* Make(CRect rcScreen, XTPBarPosition position, int type)
    {
        auto* pBar = new T;
        pBar->SetBarPosition(position);
        pBar->SetBarType(type);
        pBar->CreateEx(WS_EX_TOOLWINDOW, CWnd::DefaultClassName(), "", WS_POPUP, rcScreen, nullptr, 0);
        m_arrBars.push_back(pBar);
        return pBar;
    }

private:
    std::vector<CXTPCommandBar*> m_arrBars;
};

template <>
inline ProbePopup* BarWindows::Make<ProbePopup>(CRect rcScreen, XTPBarPosition /*position*/, int /*type*/)
{
    auto* pBar = new ProbePopup;  // a popup bar is of type and position "popup" by itself
    pBar->CreateEx(WS_EX_TOOLWINDOW, CWnd::DefaultClassName(), "", WS_POPUP, rcScreen, nullptr, 0);
    m_arrBars.push_back(pBar);
    return pBar;
}

// Gives every colour index a colour of its own (index i: RGB(i, 255 − i, 4 × i)), so that a probe
// tells which index painted a pixel.
inline void UseDistinctColours(CXTPPaintManager* pTheme)
{
    int indexes[XPCOLOR_COUNT];
    COLORREF colours[XPCOLOR_COUNT];
    for (int i = 0; i < XPCOLOR_COUNT; i++) {
        indexes[i] = i;
        colours[i] = RGB(i, 255 - i, 4 * i);
    }
    pTheme->SetColors(XPCOLOR_COUNT, indexes, colours);
}
inline COLORREF Distinct(int nIndex)
{
    return RGB(nIndex, 255 - nIndex, 4 * nIndex);
}

inline COLORREF Pixel(DibCanvas& canvas, int x, int y)
{
    return ::GetPixel(canvas.dc, x, y);
}
