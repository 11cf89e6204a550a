// The script view's find and replace in files commands.
#include "CCmdUI.h"
#include "CSolutionConfig.h"
#include "CTavrelinView.h"
#include "FindInFiles.h"

void CTavrelinView::OnFindInFiles() { OnEditFindReplace(2); }

void CTavrelinView::OnReplaceInFiles() { OnEditFindReplace(3); }

void CTavrelinView::OnUpdateInFiles(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(g_solutionConfig.Projects.GetSize() > 0 && g_solutionConfig.FindThread == 0 &&
                   !IsFindInFilesWorkerAlive());
}
