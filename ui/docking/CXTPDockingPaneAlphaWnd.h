// A translucent preview window of a drag: a layered popup filled with the highlight colour.
#pragma once

#include "CWnd.h"

class CXTPDockingPaneAlphaWnd : public CWnd {
public:
    // A window that exists is not created again; pfnSetLayered may be null (opaque then).
    BOOL CreateAlphaWnd(CWnd* pOwner, BOOL(WINAPI* pfnSetLayered)(HWND, COLORREF, BYTE, DWORD));

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
