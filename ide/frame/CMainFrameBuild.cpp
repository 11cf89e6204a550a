// The main frame's Build and Tools commands, the build progress pane and the build worker's start,
// stop and end.
#include "CMainFrame.h"

#include <process.h>

#include <atomic>
#include <memory>

#include "ActiveProject.h"
#include "BuildJob.h"
#include "BuildOptions.h"
#include "CBuildOptions.h"
#include "CInsertInGame.h"
#include "CModelToolDialogs.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CTavrelinIdeServices.h"
#include "CWinApp.h"
#include "DispatchPendingMessages.h"
#include "EditorProjectHost.h"
#include "JobGlobals.h"
#include "OpenDocuments.h"
#include "ResourceIds.h"

namespace {

const int kProgressPaneIndex = 1;
const int kProgressPaneWidth = 150;
const int kProgressRange = 100000;

unsigned __stdcall RunBuildJob(void* param)
{
    return static_cast<unsigned>(BuildThread(param));
}

bool IsJobRunning()
{
    return g_solutionConfig.BuildJobThread != 0;
}

bool HasActiveProject()
{
    return !g_solutionConfig.ProjectName.empty();
}

// The worker's way to the progress bar and to the frame: messages to their windows, which this
// thread carries out; a window gone by then takes nothing.
class FrameBuildTarget : public CBuildFrameTarget {
public:
    explicit FrameBuildTarget(HWND hFrame) : m_hFrame(hFrame) {}
    void SetProgressWindow(HWND hProgress) { m_hProgress = hProgress; }

    void SetProgressStep(int step) override { ::PostMessageA(m_hProgress, PBM_SETSTEP, step, 0); }
    void StepProgress() override { ::PostMessageA(m_hProgress, PBM_STEPIT, 0, 0); }
    void SetProgressPos(int pos) override { ::PostMessageA(m_hProgress, PBM_SETPOS, pos, 0); }
    void UpdateAfterDecompile() override { ::PostMessageA(m_hFrame, WM_DECOMPILE_WRITTEN, 0, 0); }

private:
    HWND m_hFrame;
    std::atomic<HWND> m_hProgress{nullptr};
};

// The script view's test of one file starts its job through the frame.
class FrameProjectHost : public EditorProjectHost {
public:
    explicit FrameProjectHost(CMainFrame* pFrame) : m_pFrame(pFrame) {}
    std::vector<CString> GetSourceListEntries() override
    {
        std::vector<CString> entries;
        CSrcManager* list = GetSrcManager();
        for (int i = 0; i < list->GetCount(); ++i)
            entries.push_back(list->GetAt(i));
        return entries;
    }
    void StartCompile() override { m_pFrame->StartBuildThread(zJOB_COMPILE_SCRIPTS); }

private:
    CMainFrame* m_pFrame;
};

}  // namespace

void CMainFrame::InitBuildCommands()
{
    auto target = std::make_unique<FrameBuildTarget>(m_hWnd);
    GetTavrelinIdeServices().SetFrameTarget(target.get());
    m_pBuildTarget = std::move(target);
    m_pProjectHost = std::make_unique<FrameProjectHost>(this);
    SetEditorProjectHost(m_pProjectHost.get());
}

void CMainFrame::ExitBuildCommands()
{
    WaitForBuildThread();
    if (m_pProjectHost && GetEditorProjectHost() == m_pProjectHost.get())
        SetEditorProjectHost(nullptr);
    m_pProjectHost.reset();
    if (m_pBuildTarget) {
        GetTavrelinIdeServices().SetFrameTarget(nullptr);
        m_pBuildTarget.reset();
    }
}

void CMainFrame::StartBuildThread(int mode)
{
    if (IsJobRunning())
        return;
    // The worker takes the mode with the rest of the record; the output pane and insert in game
    // read it there too.
    g_solutionConfig.BuildMode = mode;
    m_wndOutput.ClearBuild();
    // The previous job cleared its marker as its last step; its thread is done with all it shares.
    if (m_hBuildThread) {
        ::CloseHandle(m_hBuildThread);
        m_hBuildThread = nullptr;
    }
    ShowProgressPane();
    // The marker is set while the thread waits to start: a job that ends at once clears it, and
    // nothing here writes it after that.
    // The run-time library's own start, so the job's thread has its library state from the first step.
    const std::uintptr_t thread = _beginthreadex(nullptr, 0, RunBuildJob, nullptr, CREATE_SUSPENDED, nullptr);
    if (thread) {
        m_hBuildThread = reinterpret_cast<HANDLE>(thread);
        g_solutionConfig.BuildJobThread = thread;
        ::ResumeThread(m_hBuildThread);
    }
    m_nBuildState = 1;
}

void CMainFrame::ShowProgressPane()
{
    if (m_wndStatusBar.CommandToIndex(ID_PROGRESS_PANE) < 0 &&
        m_wndStatusBar.AddIndicator(ID_PROGRESS_PANE, kProgressPaneIndex)) {
        const int index = m_wndStatusBar.CommandToIndex(ID_PROGRESS_PANE);
        m_wndStatusBar.SetPaneWidth(index, kProgressPaneWidth);
        m_wndStatusBar.SetPaneStyle(index, SBPS_NOBORDERS);
    }
    if (!m_wndProgress.GetSafeHwnd() &&
        m_wndProgress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(0, 0, 0, 0), &m_wndStatusBar, ID_PROGRESS_PANE))
        m_wndStatusBar.AddControl(&m_wndProgress, ID_PROGRESS_PANE, FALSE);
    if (m_wndProgress.GetSafeHwnd()) {
        m_wndProgress.SetRange32(0, kProgressRange);
        m_wndProgress.SetPos(0);
    }
    if (auto* target = static_cast<FrameBuildTarget*>(m_pBuildTarget.get()))
        target->SetProgressWindow(m_wndProgress.GetSafeHwnd());
}

void CMainFrame::WaitForBuildThread()
{
    if (!m_hBuildThread)
        return;
    g_solutionConfig.BuildJobThread = 0;
    // The worker hands its rows and questions to windows of this thread: they are served meanwhile.
    while (::MsgWaitForMultipleObjects(1, &m_hBuildThread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
        DispatchPendingMessages();
    ::CloseHandle(m_hBuildThread);
    m_hBuildThread = nullptr;
}

void CMainFrame::OnUpdateProgressPane(CCmdUI*)
{
    if (!IsJobRunning() && m_nBuildState == 1)
        m_nBuildState = 2;
}

void CMainFrame::OnBuildCompile()
{
    if (!HasActiveProject() || GetSrcManager()->GetCount() == 0 || IsJobRunning())
        return;
    SaveModifiedDocuments();
    // The compiler reads the list from disk: an old one would build what the user removed.
    if (!GetSrcManager()->WriteSrcList()) {
        CString format, text;
        format.LoadString(IDS_SOURCE_LIST_NOT_WRITTEN);
        text.Format(format, static_cast<const char*>(GetSrcManager()->GetPath()));
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    g_solutionConfig.TestScript = 0;
    StartBuildThread(zJOB_COMPILE_SCRIPTS);
}

void CMainFrame::OnUpdateBuildCompile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasActiveProject() && GetSrcManager()->GetCount() > 0 && !IsJobRunning());
    if (m_nBuildState == 2) {
        m_wndStatusBar.RemoveIndicator(ID_PROGRESS_PANE);
        m_nBuildState = 0;
    }
}

void CMainFrame::OnBuildDecompile()
{
    if (!HasActiveProject() || IsJobRunning() || !IsDecompileProject())
        return;
    CSrcManager* list = GetSrcManager();
    if (list->GetCount() != 0 && AfxMessageBox(IDS_DECOMPILE_REMOVES_SCRIPTS, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    list->RemoveAll();
    if (m_wndSolutionExplorer.GetSafeHwnd())
        m_wndSolutionExplorer.RefillActiveProject();
    ClearClassView();
    if (CWinApp* pApp = AfxGetApp())
        pApp->CloseAllDocuments(FALSE);
    g_solutionConfig.TestScript = 0;
    StartBuildThread(zJOB_DECOMPILE_DAT);
}

void CMainFrame::OnUpdateBuildDecompile(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasActiveProject() && !IsJobRunning() && IsDecompileProject());
}

void CMainFrame::StopBuild()
{
    g_solutionConfig.BuildJobThread = 0;
}

void CMainFrame::OnUpdateStopBuild(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(IsJobRunning());
}

void CMainFrame::OnBuildOptions()
{
    CBuildOptions dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnUpdateBuildOptions(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(HasActiveProject());
}

void CMainFrame::OnModelTool(UINT nID)
{
    // Three tools, each for the three kinds: static, dynamic, morph mesh.
    enum { kConvert, kCompile, kDecompile };
    const int tool = static_cast<int>(nID - ID_TOOLS_MODEL_FIRST) / 3;
    const int kind = static_cast<int>(nID - ID_TOOLS_MODEL_FIRST) % 3;
    if (tool > kDecompile || IsJobRunning() || HasActiveProject())
        return;
    g_solutionConfig.ModelKind = kind;
    std::unique_ptr<CModelToolDialog> dialog;
    CCompileModels* compile = nullptr;
    switch (tool) {
    case kConvert:
        dialog = std::make_unique<CConvertModels>(kind, this);
        break;
    case kCompile:
        dialog.reset(compile = new CCompileModels(kind, this));
        break;
    default:
        dialog = std::make_unique<CDecompileModels>(kind, this);
        break;
    }
    if (dialog->DoModal() != IDOK)
        return;
    g_solutionConfig.Source = static_cast<const char*>(dialog->m_strModel);
    g_solutionConfig.Destination = static_cast<const char*>(dialog->m_strFolder);
    g_solutionConfig.Platform = dialog->m_nGame;
    if (compile && kind == zMODEL_DYNAMIC)
        g_solutionConfig.PartialCompile = compile->m_bPartial;
    static const int kModes[] = {zJOB_CONVERT_MODELS, zJOB_COMPILE_MODELS, zJOB_DECOMPILE_MODELS};
    StartBuildThread(kModes[tool]);
}

void CMainFrame::OnUpdateModelTool(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsJobRunning() && !HasActiveProject());
}

void CMainFrame::OnInsertFilesOptions()
{
    CInsertInGame dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    g_solutionConfig.InsertInGame = dialog.m_bInsert;
    g_solutionConfig.PathVarnok = dialog.m_strVarnok;
    g_solutionConfig.PathVarnok2 = dialog.m_strVarnok2;
    SaveBuildOptions();
}

LRESULT CMainFrame::OnDecompileWritten(WPARAM, LPARAM)
{
    UpdateAfterDecompile();
    return 0;
}

void CMainFrame::UpdateAfterDecompile()
{
    GetSrcManager()->ReadSrcList();
    RebuildClassView(FALSE);
    if (m_wndSolutionExplorer.GetSafeHwnd())
        m_wndSolutionExplorer.RefillActiveProject();
    g_solutionConfig.ProjectModified = 1;
}
