// The main frame's side of the solution explorer.
#include "CMainFrame.h"

void CMainFrame::RefreshDocumentTabs()
{
    if (m_MTIClientWnd.GetSafeHwnd())
        m_MTIClientWnd.Refresh();
}
