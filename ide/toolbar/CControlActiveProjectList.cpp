// The Project menu's list of the solution's projects: one button per project.
#include "CControlProjectLists.h"

#include <algorithm>

#include "CSolutionConfig.h"
#include "CXTPControls.h"

IMPLEMENT_DYNCREATE(CControlActiveProjectList, CXTPControlExpandingList)

namespace {
const char kItemParameter[] = "CControlActiveProjectList";
}

BOOL CControlActiveProjectList::IsListItem(const CXTPControl* pControl)
{
    return pControl && pControl->IsTemporary() && pControl->GetParameter() == kItemParameter;
}

int CControlActiveProjectList::Expand()
{
    const int nCount = std::min<int>(g_solutionConfig.Projects.GetSize(), kItemCount);
    int nPlace = PlaceAfter();
    for (int i = 0; i < nCount; i++) {
        const CString& name = g_solutionConfig.Projects[i];
        CXTPControl* pItem = InsertItem(kFirstItemId + i, name, nPlace);
        pItem->SetParameter(kItemParameter);
        pItem->SetStyle(8);
        pItem->SetChecked(name == g_solutionConfig.GetProjectName());
    }
    return nCount;
}
