// The main frame's part in the class view: the symbol model of the active project is built
// from its source list, with the stages in the status bar, and the pane's tree refilled.
#include "CMainFrame.h"

#include "AfxIds.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "JobGlobals.h"
#include "LoadText.h"
#include "zCOption.h"
#include "zCTypedInfo.h"

namespace {

// What the model's build shows through the frame.
class FrameClassViewHost : public zIClassViewHost {
public:
    explicit FrameClassViewHost(CMainFrame* pFrame) : m_pFrame(pFrame) {}

    void ShowStatus(int textId) override
    {
        m_pFrame->SetMessageText(LoadText(static_cast<UINT>(textId)));
        // The build holds the thread: the pane is drawn now or not at all.
        if (CXTPStatusBar* pStatus = m_pFrame->GetStatusBar(); pStatus->GetSafeHwnd())
            pStatus->UpdateWindow();
    }
    void RefillClassView() override { m_pFrame->GetClassViewPane()->FillTree(); }

private:
    CMainFrame* m_pFrame;
};

// The active project as the model reads it: folder, name, platform, interface language, the
// folder of the internal-function files and the source list as the manager holds it.
zTClassViewProject ActiveClassViewProject()
{
    zTClassViewProject project;
    CString folder;
    GetProjectFolder(folder);
    project.folder = static_cast<const char*>(folder);
    project.name = g_solutionConfig.ProjectName;
    project.secondGame = g_solutionConfig.Platform == zPLATFORM_SECOND_GAME;
    project.languageId = g_solutionConfig.Language & 0x3FF;
    if (g_options)
        project.internalFolder = g_options->GetDirString(DIR_SYSTEM);
    CSrcManager* pSources = GetSrcManager();
    for (int i = 0; i < pSources->GetCount(); i++)
        project.sources.emplace_back(static_cast<const char*>(pSources->GetAt(i)));
    return project;
}

}  // namespace

void CMainFrame::RebuildClassView(BOOL bShowProgress)
{
    FrameClassViewHost host(this);
    g_typedInfo.BuildClassView(ActiveClassViewProject(), bShowProgress != FALSE, &host);
    // The last stage's "Wait" text would otherwise stay after the work is done.
    if (bShowProgress)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CMainFrame::ClearClassView()
{
    g_typedInfo.Clear();
    if (m_wndClassView.GetSafeHwnd())
        m_wndClassView.FillTree();
}
