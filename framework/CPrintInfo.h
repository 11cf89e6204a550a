// The state of one print run: its dialog, the page range, the page being printed and its rectangle.
#pragma once

#include <windows.h>

#include "CRect.h"

class CPrintDialog;

struct CPrintInfo {
    // Pages 1 to 0xFFFF (not known yet) until the view says how many it has.
    CPrintInfo();
    // Deletes the dialog and the DC it returned.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The range chosen in the dialog, or all pages.
    UINT GetFromPage() const;
    UINT GetToPage() const;

    CPrintDialog* m_pPD;
    BOOL m_bDirect = FALSE;            // printed without the dialog, on the application's printer
    BOOL m_bContinuePrinting = TRUE;   // cleared by the view to end the run
    UINT m_nCurPage = 1;
    CRect m_rectDraw;                  // the page's printable area, in logical units
    LPVOID m_lpUserData = nullptr;
};
