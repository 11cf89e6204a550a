// The toolbar drag context: its places; the mouse loops come with the dock bars.
#include "CXTPToolBarDragContext.h"

#include "CXTPCommandBars.h"
#include "CXTPToolBar.h"

CXTPToolBarDragContext::CXTPToolBarDragContext(CXTPToolBar* pBar) : m_pBar(pBar)
{
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    m_pSite = pCommandBars ? pCommandBars->GetSite() : nullptr;
    m_rcMRUDockPos.SetRectEmpty();
}

CXTPToolBarDragContext::~CXTPToolBarDragContext() = default;

void CXTPToolBarDragContext::StartDrag(CPoint /*pt*/) {}

void CXTPToolBarDragContext::StartResize(UINT /*nHitTest*/, CPoint /*pt*/) {}

BOOL CXTPToolBarDragContext::ToggleDocking()
{
    return FALSE;
}

void CXTPToolBarDragContext::Track() {}
