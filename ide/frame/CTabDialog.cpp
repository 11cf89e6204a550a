// The tab-colour options dialog: its three values exchanged with the check box and the radio groups.
#include "CTabDialog.h"

#include "EditorSettings.h"
#include "ResourceIds.h"

namespace {

// A stored value that is none of the set's colours shows as the nearest choice there is.
int IndexOf(DWORD color, int none)
{
    return color >= kTabColorFirst && color <= kTabColorLast ? int(color - kTabColorFirst) : none;
}

}  // namespace

CTabDialog::CTabDialog(CWnd* pParentWnd)
    : CDialog(IDD_TAB_COLORS, pParentWnd),
      m_cycle(g_tabColors.cycle),
      m_defaultIndex(IndexOf(g_tabColors.defaultColor, 8)),
      m_foreignIndex(IndexOf(g_tabColors.foreign, 3))
{
}

void CTabDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_TAB_CYCLE, m_cycle);
    DDX_Radio(pDX, IDC_TAB_OWN_BLUE, m_defaultIndex);
    DDX_Radio(pDX, IDC_TAB_FOREIGN_BLUE, m_foreignIndex);
}
