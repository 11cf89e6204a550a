// The stand-in MDI tab window: attaching to the MDI client and the guarded refresh.
#include "CXTPTabClientWnd.h"

#include "CMDIFrameWnd.h"
#include "CXTPCommandBars.h"

IMPLEMENT_DYNAMIC(CXTPTabClientWnd, CWnd)

BOOL CXTPTabClientWnd::Attach(CMDIFrameWnd* pFrame, CXTPCommandBars* pCommandBars)
{
    if (!pFrame || !pFrame->m_hWndMDIClient || !SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = pFrame;
    m_pCommandBars = pCommandBars;
    return TRUE;
}

void CXTPTabClientWnd::Refresh(BOOL bRecalcFrame)
{
    if (!m_pFrame || m_bRefreshing)
        return;
    m_bRefreshing = TRUE;
    m_nRefreshCount++;
    if (bRecalcFrame && m_pCommandBars)
        m_pCommandBars->RecalcFrameLayout(FALSE);
    m_bRefreshing = FALSE;
}

BOOL CXTPTabClientWnd::IsGroupCommandEnabled(UINT nID, void** ppItem) const
{
    if (ppItem)
        *ppItem = nullptr;
    if (!m_pFrame || !m_pFrame->MDIGetActive())
        return FALSE;
    if (nID < 9420 || nID > 9423)
        return TRUE;
    return m_bGroupCommands[nID - 9420];
}

void CXTPTabClientWnd::SetGroupCommandEnabled(UINT nID, BOOL bEnabled)
{
    if (nID >= 9420 && nID <= 9423)
        m_bGroupCommands[nID - 9420] = bEnabled;
}
