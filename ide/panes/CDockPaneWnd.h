// A control placed in a docking pane, drawn with a flat one-pixel border in the theme's
// shadow colour instead of its own edge.
#pragma once

#include <windows.h>

#include "CDC.h"
#include "CWnd.h"
#include "CXTPPaintManager.h"

// T is the control class. Each instantiation has its own message map, empty unless a
// specialization brings one (BEGIN_SPECIALIZED_MESSAGE_MAP after declaring it).
template <class T>
class CDockPaneWnd : public T {
public:
    ~CDockPaneWnd() override {}

    // Defined only by the instantiations whose map handles the message.
    void OnLButtonDblClk(UINT nFlags, CPoint point);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_NCPAINT)
            return T::WindowProc(message, wParam, lParam);
        T::WindowProc(message, wParam, lParam);
        DrawBorder();
        return 1;
    }

    void DrawBorder()
    {
        CRect rcWindow;
        this->GetWindowRect(&rcWindow);
        rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
        const COLORREF clrBorder = XTPPaintManager()->GetColor(COLOR_BTNSHADOW);
        CWindowDC dc(this);
        dc.Draw3dRect(&rcWindow, clrBorder, clrBorder);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CDockPaneWnd, T, T)
END_MESSAGE_MAP()
