// Stand-in for the command-bar themes until they land: a flat look drawn with the paint
// manager's colours and fonts (bar face, raised hot controls, sunken pressed and checked ones).
#pragma once

#include <windows.h>

#include "CRect.h"

class CDC;
class CXTPCommandBar;
class CXTPControl;
class CXTPPaintManager;

class CXTPFlatThemeStandIn {
public:
    // Measures the control and, with bDraw, draws it into its rectangle.
    static CSize DrawControl(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPControl* pControl, BOOL bDraw);
    static void FillCommandBar(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPCommandBar* pBar);
    static void DrawGripper(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPCommandBar* pBar);
    // The separator before a control that begins a group.
    static void DrawSeparator(CXTPPaintManager* pPaintManager, CDC* pDC, CXTPCommandBar* pBar, CXTPControl* pControl);
};
