// Rebars: creation on the system's rebar control, bands from windows, and the rebar's height in the layout.
#include "CReBar.h"

#include "AfxCommonControls.h"
#include "CGdiObject.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
    ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    if (!AfxInitCommonControls(ICC_COOL_CLASSES))
        return FALSE;
    // The layout pass places the rebar; the control must not move itself to the parent's top.
    const DWORD control = dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    return CreateBar(REBARCLASSNAMEA, dwStyle, control, pParentWnd, nID);
}

BOOL CReBar::AddBar(CWnd* pBar, const char* pszText, CBitmap* pbmp, DWORD dwStyle)
{
    REBARBANDINFOA band{};
    band.fStyle = dwStyle;
    if (pszText) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<char*>(pszText);
    }
    if (pbmp && pbmp->m_hObject) {
        band.fMask |= RBBIM_BACKGROUND;
        band.hbmBack = static_cast<HBITMAP>(pbmp->m_hObject);
    }
    return AddBand(pBar, band);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, const char* pszText, DWORD dwStyle)
{
    REBARBANDINFOA band{};
    band.fStyle = dwStyle;
    band.fMask = RBBIM_COLORS;
    band.clrFore = clrFore;
    band.clrBack = clrBack;
    if (pszText) {
        band.fMask |= RBBIM_TEXT;
        band.lpText = const_cast<char*>(pszText);
    }
    return AddBand(pBar, band);
}

BOOL CReBar::AddBand(CWnd* pBar, REBARBANDINFOA& band)
{
    if (!m_hWnd || !pBar || !pBar->m_hWnd || pBar->m_hWnd == m_hWnd)
        return FALSE;
    // A control bar gives its own size; any other window the size it has.
    CSize size;
    if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        size = static_cast<CControlBar*>(pBar)->CalcFixedLayout(FALSE, TRUE);
    } else {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    band.cbSize = sizeof(band);
    band.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = static_cast<UINT>(size.cx);
    band.cyMinChild = static_cast<UINT>(size.cy);
    band.cx = static_cast<UINT>(size.cx);
    if (!SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)))
        return FALSE;
    RecalcParentLayout();
    return TRUE;
}

int CReBar::GetBandCount() const
{
    return m_hWnd ? static_cast<int>(SendMessage(RB_GETBANDCOUNT)) : 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (!m_hWnd || GetBandCount() == 0)
        return size;
    // Across the bands the rebar stretches; its thickness is that of its rows.
    const int rows = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
    if (bHorz) {
        size.cy += rows;
        size.cx = 32767;
    } else {
        size.cx += rows;
        size.cy = 32767;
    }
    return size;
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    RecalcParentLayout();
}
