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

    // The bars' own buttons, placed by their bars: kinds 0 docked expand button, 2 close button
    // of a floating bar, 3 expand button of a floating bar. The size is the control's rectangle.
    enum { kSpecialExpand = 0, kSpecialClose = 2, kSpecialFloatingExpand = 3 };
    static CSize DrawSpecialControl(CXTPPaintManager* pPaintManager, CDC* pDC, int nKind, CXTPControl* pControl,
                                    BOOL bDraw);
    // The gripper of a docked bar (across its length) and the caption height of a floating one.
    static int GetGripperSize(CXTPPaintManager* pPaintManager, BOOL bFloating);
};
