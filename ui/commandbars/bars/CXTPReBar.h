// A rebar whose bands hold toolbars: an alternative host to the frame's dock bars.
#pragma once

#include "CReBar.h"

class CXTPToolBar;

class CXTPReBar : public CReBar {
    DECLARE_DYNAMIC(CXTPReBar)

public:
    // Takes the toolbar out of its dock bar and adds it as a band whose id is the bar's id.
    BOOL AddToolBar(CXTPToolBar* pBar, DWORD dwStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
    // The toolbar of the band, or null.
    CXTPToolBar* GetToolBar(int nBand) const;
    int FindBand(CXTPToolBar* pBar) const;
    void DeleteToolBar(CXTPToolBar* pBar);

    DECLARE_MESSAGE_MAP()

protected:
    void OnPaint();
    void OnChildSize(NMHDR* pNMHDR, LRESULT* pResult);
};
