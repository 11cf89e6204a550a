// The script view's find and replace in files commands, and the toolbar's find box.
#include "CCmdUI.h"
#include "CSolutionConfig.h"
#include "CTavrelinView.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlComboBoxList.h"
#include "FindInFiles.h"
#include "XTPCommandBarsTypes.h"

void CTavrelinView::OnFindInFiles() { OnEditFindReplace(2); }

void CTavrelinView::OnReplaceInFiles() { OnEditFindReplace(3); }

void CTavrelinView::OnUpdateInFiles(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(g_solutionConfig.Projects.GetSize() > 0 && g_solutionConfig.FindThread == 0 &&
                   !IsFindInFilesWorkerAlive());
}

void CTavrelinView::OnFindBoxExecute(NMHDR* notify, LRESULT* result)
{
    auto* combo = dynamic_cast<CXTPControlComboBox*>(reinterpret_cast<NMXTPCONTROL*>(notify)->pControl);
    CXTPControlComboBoxList* list = combo ? combo->GetListBox() : nullptr;
    if (!list)
        return;
    const CString text = combo->GetEditText();
    list->CreateListBox();  // an empty list has no window yet
    KeepFindHistory(list->GetSafeHwnd(), text);
    if (!text.IsEmpty())
        combo->SetCurSel(0);  // the list shows the kept text as the chosen one
    *result = 1;  // handled: no plain command follows
}
