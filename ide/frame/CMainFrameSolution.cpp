// The main frame's solution side: opening, saving and closing solutions and projects, the close
// prompts, Save All and the recent solutions.
#include "CMainFrame.h"

#include "AfxIds.h"
#include "CFileDialog.h"
#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CSrcManager.h"
#include "CWinApp.h"
#include "DocumentsState.h"
#include "LoadText.h"
#include "OpenDocuments.h"
#include "ResourceIds.h"

namespace {

const UINT kFirstRecentSolution = ID_RECENT_SOLUTIONS;

// A message with one name in it; the id goes along so callers (and tests) know which it was.
int Message(UINT nID, const CString& name, UINT nType = MB_ICONEXCLAMATION)
{
    CString text;
    text.Format(LoadText(nID), static_cast<const char*>(name));
    return AfxMessageBox(text, nType, nID);
}

// "X:\Root\SolMod\Mod.tvs" gives "Mod": the name of a solution that is not loaded yet.
CString FileTitle(const CString& path)
{
    CString name = path.Mid(path.ReverseFind('\\') + 1);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString FullPath(const CString& path)
{
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? CString(full) : path;
}

CString SolutionFilePath()
{
    CString folder;
    GetSolutionFolder(folder);
    return folder + g_solutionConfig.SolutionName + ".tvs";
}

CString ProjectFilePath()
{
    CString folder;
    GetProjectFolder(folder);
    return folder + g_solutionConfig.GetProjectName() + ".tvp";
}

}  // namespace

void CMainFrame::LoadRecentProjects()
{
    m_pRecentProjects = std::make_unique<CRecentProjectList>(4);
    m_pRecentProjects->ReadList();
}

HRESULT CMainFrame::LoadSolution(const CString& chosen)
{
    const CString path = FullPath(chosen);
    CSolutionConfig loaded;
    const SolutionFileResult result = LoadSolutionInto(path, loaded);
    if (result != SolutionFileResult::ok) {
        Message(result == SolutionFileResult::oldVersion ? IDS_SOLUTION_OLD_VERSION : IDS_SOLUTION_CANNOT_LOAD,
                FileTitle(path));
        return E_FAIL;
    }
    OnCloseSolution();
    if (!m_bCanClose)
        return S_FALSE;
    // Only now: the old solution's saves went to its own folder.
    g_solutionConfig.ProjectsRoot = ProjectsRootFromSolutionPath(path);
    CopySolutionInfo(loaded, g_solutionConfig);
    g_solutionConfig.SolutionModified = 0;
    if (m_pRecentProjects)
        m_pRecentProjects->Add(path);
    return S_OK;
}

HRESULT CMainFrame::LoadProject()
{
    if (m_wndOutput.GetSafeHwnd())
        m_wndOutput.ClearLists();
    if (g_solutionConfig.ProjectName.empty()) {
        if (g_solutionConfig.Projects.GetSize() == 0) {
            Message(IDS_EMPTY_SOLUTION, g_solutionConfig.SolutionName);
            return S_OK;
        }
        g_solutionConfig.SetProjectName(g_solutionConfig.Projects[0]);
    }
    const CString path = ProjectFilePath();
    // The whole file is read once without opening anything: a damaged one changes nothing.
    CSolutionConfig scratch;
    SolutionFileResult result = ReadExchangeFile(
        path, [&](CXTPPropExchange* px) { return ExchangeProjectFile(px, scratch, nullptr, SkipDocumentsState); });
    if (result == SolutionFileResult::ok) {
        BeginWaitCursor();
        m_wndStatusBar.SetPaneText(0, LoadText(IDS_PROJECT_LOADING));
        // Names in the project file are the project folder's, as is the work of its commands.
        CString folder;
        GetProjectFolder(folder);
        ::SetCurrentDirectoryA(folder);
        RefillSolutionExplorer();
        result = ReadExchangeFile(path, [&](CXTPPropExchange* px) {
            return ExchangeProjectFile(px, g_solutionConfig, GetSolutionTree(), ExchangeDocumentsState);
        });
        m_wndStatusBar.SetPaneText(0, LoadText(AFX_IDS_IDLEMESSAGE));
        EndWaitCursor();
    }
    if (result != SolutionFileResult::ok) {
        Message(result == SolutionFileResult::oldVersion ? IDS_PROJECT_OLD_VERSION : IDS_PROJECT_CANNOT_LOAD,
                g_solutionConfig.GetProjectName());
        // Not loaded, so not active: a close would otherwise write over the file it could not read.
        g_solutionConfig.ProjectName.clear();
        return E_FAIL;
    }
    g_solutionConfig.ProjectModified = 0;
    g_solutionConfig.ViewStateModified = 0;
    ApplyTabColorsToAll();
    if (m_MTIClientWnd.GetSafeHwnd())
        m_MTIClientWnd.Refresh();
    return S_OK;
}

HRESULT CMainFrame::SaveSolution()
{
    const CString path = SolutionFilePath();
    if (m_pRecentProjects)
        m_pRecentProjects->Add(path);
    if (WriteExchangeFile(path, [](CXTPPropExchange* px) { ExchangeSolutionFile(px, g_solutionConfig); }) !=
        SolutionFileResult::ok) {
        Message(IDS_FILE_NOT_WRITTEN, path);
        return E_FAIL;
    }
    g_solutionConfig.SolutionModified = 0;
    return S_OK;
}

HRESULT CMainFrame::SaveProject(BOOL bKeepSrcList)
{
    if (g_solutionConfig.ProjectName.empty()) {
        g_solutionConfig.ProjectModified = 0;
        g_solutionConfig.ViewStateModified = 0;
        return S_OK;
    }
    // Only the list read for this project goes back to its file; an unread one is left alone.
    CSrcManager* pSrc = GetSrcManager();
    CString folder;
    GetProjectFolder(folder);
    const bool listRead = pSrc->GetPath().CompareNoCase(folder + g_solutionConfig.GetProjectName() + ".src") == 0;
    if (!bKeepSrcList && listRead && !pSrc->WriteSrcList()) {
        Message(IDS_FILE_NOT_WRITTEN, pSrc->GetPath());
        return E_FAIL;
    }
    const CString path = ProjectFilePath();
    if (WriteExchangeFile(path, [this](CXTPPropExchange* px) {
            ExchangeProjectFile(px, g_solutionConfig, GetSolutionTree(), ExchangeDocumentsState);
        }) != SolutionFileResult::ok) {
        Message(IDS_FILE_NOT_WRITTEN, path);
        return E_FAIL;
    }
    g_solutionConfig.ProjectModified = 0;
    g_solutionConfig.ViewStateModified = 0;
    return S_OK;
}

BOOL CMainFrame::SaveForClose(BOOL bSolution)
{
    CSolutionConfig& config = g_solutionConfig;
    const bool changed = config.ProjectModified || (bSolution && config.SolutionModified);
    bool save = config.ViewStateModified != 0;
    if (changed && !save) {
        const UINT style = MB_YESNOCANCEL | MB_ICONQUESTION;
        const int answer = config.ProjectModified ? Message(IDS_SAVE_PROJECT_CHANGES, config.GetProjectName(), style)
                                                  : Message(IDS_SAVE_SOLUTION_CHANGES, config.SolutionName, style);
        if (answer == IDCANCEL)
            return FALSE;
        save = answer == IDYES;
    }
    if (!save)
        return TRUE;
    // A file that cannot be written keeps the solution open, so nothing is lost.
    if (bSolution && FAILED(SaveSolution()))
        return FALSE;
    return SUCCEEDED(SaveProject(FALSE));
}

void CMainFrame::OnCloseSolution()
{
    m_bCanClose = FALSE;
    // Scripts outside any project are asked for too: the documents are closed below.
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pApp->SaveAllModified())
        return;
    if (!g_solutionConfig.ProjectName.empty() && !SaveForClose(TRUE))
        return;
    g_solutionConfig.ProjectName.clear();
    ::SetCurrentDirectoryA(g_solutionConfig.StartDirectory);
    g_solutionConfig.Projects.RemoveAll();
    GetSrcManager()->RemoveAll();
    ClearSolutionExplorer();
    ClearClassView();
    if (pApp)
        pApp->CloseAllDocuments(FALSE);
    // What was not saved was refused: the next solution starts unchanged.
    g_solutionConfig.SolutionModified = 0;
    g_solutionConfig.ProjectModified = 0;
    g_solutionConfig.ViewStateModified = 0;
    m_bCanClose = TRUE;
}

BOOL CMainFrame::CloseProject(BOOL bClearTree)
{
    if (g_solutionConfig.ProjectName.empty())
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    if (pApp && !pApp->SaveAllModified())
        return FALSE;
    if (!SaveForClose(FALSE))
        return FALSE;
    g_solutionConfig.ProjectName.clear();
    ::SetCurrentDirectoryA(g_solutionConfig.StartDirectory);
    if (bClearTree)
        ClearSolutionExplorer();
    ClearClassView();
    if (pApp)
        pApp->CloseAllDocuments(FALSE);
    g_solutionConfig.ProjectModified = 0;
    g_solutionConfig.ViewStateModified = 0;
    return TRUE;
}

void CMainFrame::OnOpenSolution()
{
    CFileDialog dialog(TRUE, "tvs", nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       LoadText(IDS_SOLUTION_FILTER), this);
    if (dialog.DoModal() != IDOK)
        return;
    // A kept or failed solution keeps its project as it is: reading it again would drop its changes.
    if (LoadSolution(dialog.GetPathName()) == S_OK)
        LoadProject();
}

void CMainFrame::OnOpenRecentSolution(UINT nID)
{
    const int index = static_cast<int>(nID - kFirstRecentSolution);
    if (!m_pRecentProjects || index >= m_pRecentProjects->GetSize() || (*m_pRecentProjects)[index].IsEmpty())
        return;
    const CString path = (*m_pRecentProjects)[index];
    const HRESULT result = LoadSolution(path);
    if (FAILED(result))
        m_pRecentProjects->Remove(index);
    else if (result == S_OK)
        LoadProject();
}

void CMainFrame::OnSaveAll()
{
    SaveModifiedDocuments();
    SaveSolution();
    SaveProject(FALSE);
}

void CMainFrame::OnUpdateSolutionOpen(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(g_solutionConfig.Projects.GetSize() > 0);
}

void CMainFrame::OnUpdateRecentSolution(CCmdUI* pCmdUI)
{
    if (m_pRecentProjects)
        m_pRecentProjects->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}
