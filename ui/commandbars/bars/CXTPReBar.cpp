// The toolbar rebar: toolbars taken out of their dock bars into bands, found and deleted by band.
#include "CXTPReBar.h"

#include "CXTPDockBar.h"
#include "CXTPToolBar.h"

IMPLEMENT_DYNAMIC(CXTPReBar, CReBar)

BEGIN_MESSAGE_MAP(CXTPReBar, CReBar)
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(RBN_CHILDSIZE, OnChildSize)
END_MESSAGE_MAP()

BOOL CXTPReBar::AddToolBar(CXTPToolBar* pBar, DWORD dwStyle)
{
    if (!pBar || !pBar->GetSafeHwnd())
        return FALSE;
    const CSize size = pBar->CalcDockingLayout(32000, LM_HORZ | LM_HORZDOCK | LM_COMMIT);
    pBar->MoveWindow(0, 0, size.cx, size.cy);
    if (CXTPDockBar* pDockBar = pBar->GetDockBar())
        pDockBar->RemoveCommandBar(pBar);
    if (!AddBar(pBar, nullptr, nullptr, dwStyle))
        return FALSE;
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_ID;
    band.wID = pBar->GetBarID();
    SendMessage(RB_SETBANDINFOA, static_cast<WPARAM>(GetBandCount() - 1), reinterpret_cast<LPARAM>(&band));
    return TRUE;
}

CXTPToolBar* CXTPReBar::GetToolBar(int nBand) const
{
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD;
    if (!m_hWnd || !SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(nBand), reinterpret_cast<LPARAM>(&band)))
        return nullptr;
    return dynamic_cast<CXTPToolBar*>(CWnd::FromHandlePermanent(band.hwndChild));
}

int CXTPReBar::FindBand(CXTPToolBar* pBar) const
{
    for (int i = 0; i < GetBandCount(); i++) {
        if (GetToolBar(i) == pBar)
            return i;
    }
    return -1;
}

void CXTPReBar::DeleteToolBar(CXTPToolBar* pBar)
{
    const int nBand = FindBand(pBar);
    if (nBand >= 0)
        SendMessage(RB_DELETEBAND, static_cast<WPARAM>(nBand));
}

void CXTPReBar::OnPaint()
{
    // The bands draw over a button-face ground.
    CRect rc;
    GetClientRect(&rc);
    HDC hDC = ::GetDC(m_hWnd);
    ::FillRect(hDC, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::ReleaseDC(m_hWnd, hDC);
    Default();
}

void CXTPReBar::OnChildSize(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The band gives its toolbar a new length: the buttons that no longer fit go to its
    // expand popup, and those that fit again come back.
    auto* pChildSize = reinterpret_cast<NMREBARCHILDSIZE*>(pNMHDR);
    if (CXTPToolBar* pBar = GetToolBar(static_cast<int>(pChildSize->uBand))) {
        const CRect rcChild(pChildSize->rcChild);
        pBar->CalcDockingLayout(rcChild.Width(), LM_HORZ | LM_HORZDOCK | LM_HIDEWRAP | LM_COMMIT);
        pBar->Invalidate(FALSE);
    }
    *pResult = 0;
}
