// The main frame's side of the solution explorer.
#include "CMainFrame.h"

void CMainFrame::RefreshDocumentTabs()
{
    if (m_MTIClientWnd.GetSafeHwnd())
        m_MTIClientWnd.Refresh();
}

ITreeExpansion* CMainFrame::GetSolutionTree()
{
    return &m_wndSolutionExplorer.GetTree();
}

void CMainFrame::RefillSolutionExplorer()
{
    m_wndSolutionExplorer.BuildTreesForLoading();
    RebuildClassView(FALSE);
    m_wndSolutionExplorer.EndLoading();
}

void CMainFrame::ClearSolutionExplorer()
{
    m_wndSolutionExplorer.ClearTree();
}
