// Rebars: a bar along the top of a frame whose bands hold other bars and controls.
#pragma once

#include "AfxIds.h"
#include "CControlBar.h"

class CBitmap;

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)

public:
    // dwCtrlStyle: the rebar control's RBS_* styles; dwStyle: window and CBRS_* bits.
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);

    // Appends a band holding pBar, which becomes the rebar's child. The band's minimum size is
    // the window's present size (a control bar's own size); text and background bitmap are
    // optional. FALSE when pBar has no window or the control refuses the band.
    BOOL AddBar(CWnd* pBar, const char* pszText = nullptr, CBitmap* pbmp = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    BOOL AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, const char* pszText = nullptr,
                DWORD dwStyle = RBBS_GRIPPERALWAYS);

    int GetBandCount() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Bands hold windows that update themselves.
    void OnUpdateCmdUI(CWnd*, BOOL) override {}

    DECLARE_MESSAGE_MAP()

protected:
    BOOL AddBand(CWnd* pBar, REBARBANDINFOA& band);
    // The rows changed height: the parent gives the rebar its new strip.
    void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
};
