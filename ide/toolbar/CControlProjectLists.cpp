// The project-list menu buttons: their run-time class records and the recent solutions' items.
#include "CControlProjectLists.h"

#include "CMainFrame.h"
#include "CRecentProjectList.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControls.h"

IMPLEMENT_DYNCREATE(CControlRecentProjectList, CXTPControlRecentFileList)

CRecentFileList* CControlRecentProjectList::GetRecentList() const
{
    CXTPCommandBar* pBar = GetParent();
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    if (!pCommandBars && m_pControls)
        pCommandBars = m_pControls->GetCommandBars();
    auto* pFrame = pCommandBars ? dynamic_cast<CMainFrame*>(pCommandBars->GetSite()) : nullptr;
    return pFrame ? pFrame->GetRecentProjects() : nullptr;
}

int CControlRecentProjectList::Expand()
{
    const int nCount = CXTPControlRecentFileList::Expand();
    // The items are plain caption buttons.
    const int nFirst = PlaceAfter();
    for (int i = 0; i < nCount; i++)
        m_pControls->GetAt(nFirst + i)->SetStyle(8);
    return nCount;
}
