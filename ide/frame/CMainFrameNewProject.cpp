// The main frame's new solution and new project, and the switch of the active project.
#include "CMainFrame.h"

#include <string>
#include <vector>

#include "ActiveProject.h"
#include "AfxIds.h"
#include "CControlProjectLists.h"
#include "CFileDialog.h"
#include "CProjectDlg.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CWinApp.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "LoadText.h"
#include "NewProjectFiles.h"
#include "ResourceIds.h"
#include "XTPCommandBarsTypes.h"

void CMainFrame::OnNewSolution()
{
    CProjectDlg dialog(CString(), this);
    if (dialog.DoModal() == IDOK)
        CreateProject(dialog);
}

void CMainFrame::OnAddNewProject()
{
    CProjectDlg dialog(g_solutionConfig.SolutionName, this);
    if (dialog.DoModal() == IDOK)
        CreateProject(dialog);
}

void CMainFrame::OnUpdateAddNewProject(CCmdUI* pCmdUI)
{
    // Without an open solution the project would go into the last one's folder and the
    // solution would be saved with it alone.
    pCmdUI->Enable(g_solutionConfig.Projects.GetSize() > 0);
}

void CMainFrame::ShowCreationStatus(UINT nID)
{
    m_wndStatusBar.SetPaneText(0, LoadText(nID));
    m_wndStatusBar.UpdateWindow();
}

void CMainFrame::ReportCreationProblems(const CString& projectName, const std::vector<ProjectProblem>& problems)
{
    if (problems.empty())
        return;
    // Rows of the Build list, each leading to the list line that named the file.
    m_wndOutput.ClearBuild();
    CString heading;
    heading.Format(LoadText(IDS_PROJECT_INCOMPLETE), static_cast<const char*>(projectName));
    m_wndOutput.AddBuildMessage(0, nullptr, heading, -1, 0);
    for (const ProjectProblem& problem : problems)
        m_wndOutput.AddBuildMessage(1, problem.file.IsEmpty() ? nullptr : static_cast<const char*>(problem.file),
                                    problem.text, problem.line, 0);
    OnShowPane(ID_PANE_OUTPUT);
}

CString CMainFrame::AskForOuBin()
{
    CFileDialog dialog(TRUE, "bin", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                       LoadText(IDS_FILTER_OU_BIN), this);
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

BOOL CMainFrame::CreateProject(const CProjectDlg& dialog)
{
    CString location = FullPathOf(dialog.m_strLocation);
    if (location.IsEmpty() || location[location.GetLength() - 1] != '\\')
        location += '\\';
    const CString solutionFolder = location + "Sol" + dialog.m_strSolutionName + "\\";
    // The chosen files and folder as the dialog saw them, before the current directory moves.
    const CString srcPath = FullPathOf(dialog.m_strSrcPath);
    const CString datPath = FullPathOf(dialog.m_strDatPath);
    CString openFolder;
    GetSolutionFolder(openFolder);
    // A solution that is not open is a new one, even when its folder is the last one's.
    const BOOL bNewSolution =
        g_solutionConfig.Projects.GetSize() == 0 || solutionFolder.CompareNoCase(openFolder) != 0;
    if (bNewSolution) {
        OnCloseSolution();
        if (!m_bCanClose)
            return FALSE;
    } else if (!CloseProject(FALSE)) {
        return FALSE;
    }

    BeginWaitCursor();
    CreateFolderTree(solutionFolder);
    g_solutionConfig.ProjectsRoot = location;
    g_solutionConfig.SolutionName = dialog.m_strSolutionName;
    g_solutionConfig.SetProjectName(dialog.m_strProjectName);
    CString projectFolder;
    GetProjectFolder(projectFolder);
    CreateFolderTree(projectFolder);
    ::SetCurrentDirectoryA(projectFolder);
    g_solutionConfig.Decompilate = 0;

    std::vector<ProjectProblem> problems;
    if (dialog.m_nKind == CProjectDlg::kindFromSrc) {
        ShowCreationStatus(IDS_CREATING_SRC_FILE);
        SrcCollection sources;
        CollectSrcFiles(srcPath, FolderOf(srcPath), sources);
        ::SetCurrentDirectoryA(projectFolder);
        ShowCreationStatus(IDS_COPYING_FILES);
        // The list names only what arrived, so that the project opens without questions.
        CopyProjectFiles(FolderOf(srcPath), projectFolder, sources);
        problems = std::move(sources.problems);
        WriteProjectSrcList(projectFolder, dialog.m_strProjectName, sources.entries, problems);
    } else if (dialog.m_nKind == CProjectDlg::kindFromDat) {
        ShowCreationStatus(IDS_PROJECT_CREATING);
        bool bOuBinMissing = false;
        const bool bCopied = CreateProjectFromDat(datPath, projectFolder, dialog.m_strProjectName,
                                                  [this] { return AskForOuBin(); }, bOuBinMissing, problems);
        if (bOuBinMissing)
            AfxMessageBox(LoadText(IDS_OU_BIN_ABSENT), MB_ICONEXCLAMATION);
        g_solutionConfig.Decompilate = bCopied ? 1 : 0;
        ::SetCurrentDirectoryA(projectFolder);
    }
    RestoreWaitCursor();

    ShowCreationStatus(IDS_CREATING_MEMBERS);
    CSrcManager* pSources = GetSrcManager();
    pSources->ReadSrcList();
    // An empty project has its list on disk from the start, the header alone.
    if (dialog.m_nKind == CProjectDlg::kindEmpty && ::GetFileAttributesA(pSources->GetPath()) == INVALID_FILE_ATTRIBUTES)
        pSources->WriteSrcList();
    g_solutionConfig.Platform = dialog.m_nPlatform;
    RebuildClassView(FALSE);

    ShowCreationStatus(IDS_CREATING_EXPLORER_TREE);
    RebuildProjectTree(bNewSolution);

    g_solutionConfig.SolutionModified = 1;
    g_solutionConfig.ProjectModified = 1;
    m_wndStatusBar.SetPaneText(0, LoadText(AFX_IDS_IDLEMESSAGE));
    EndWaitCursor();

    ReportCreationProblems(dialog.m_strProjectName, problems);
    return TRUE;
}

void CMainFrame::RebuildProjectTree(BOOL bNewSolution)
{
    // The explorer's rebuild enters the project into the solution; without its window the
    // solution takes it in all the same.
    if (m_wndSolutionExplorer.GetSafeHwnd())
        m_wndSolutionExplorer.RebuildTree(bNewSolution, 0);
    if (g_solutionConfig.FindProject(g_solutionConfig.GetProjectName()) < 0)
        g_solutionConfig.Projects.Add(g_solutionConfig.GetProjectName());
}

BOOL CMainFrame::SwitchActiveProject(const CString& name)
{
    // Only a project of this solution, and not the one that is active already.
    if (g_solutionConfig.FindProject(name) < 0 || name == g_solutionConfig.GetProjectName())
        return TRUE;
    BeginWaitCursor();
    if (CloseProject(TRUE)) {
        g_solutionConfig.SetProjectName(name);
        CString folder;
        GetProjectFolder(folder);
        ::SetCurrentDirectoryA(folder);
        LoadProject();
        IsDecompileProject();
        g_solutionConfig.SolutionModified = 1;
    }
    EndWaitCursor();
    return TRUE;
}

LRESULT CMainFrame::OnSwitchProjectMessage(WPARAM wParam, LPARAM)
{
    // Sent, not posted: the name lives in the sender until this returns.
    if (const char* name = reinterpret_cast<const char*>(wParam))
        SwitchActiveProject(name);
    return 1;
}

void CMainFrame::OnActiveProjectClicked(UINT, NMHDR* pNotify, LRESULT* pResult)
{
    CXTPControl* pControl = reinterpret_cast<NMXTPCONTROL*>(pNotify)->pControl;
    // Handled either way: the bar sends no command of its own after this.
    *pResult = 1;
    if (!pControl || !CControlActiveProjectList::IsListItem(pControl) || pControl->GetChecked())
        return;
    if (CXTPControls* pControls = pControl->GetControls()) {
        for (int i = 0; i < pControls->GetCount(); i++) {
            if (CControlActiveProjectList::IsListItem(pControls->GetAt(i)))
                pControls->GetAt(i)->SetChecked(FALSE);
        }
    }
    pControl->SetChecked(TRUE);
    SwitchActiveProject(pControl->GetCaption());
}

void CMainFrame::OnUpdateActiveProjectList(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(g_solutionConfig.Projects.GetSize() > 0);
}
