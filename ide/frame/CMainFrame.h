// The program's main window: command bars, status bar, the three docking panes, the MDI tabs,
// the per-language layout file, the language switch of menus and titles, the ordered close.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "CClassViewPane.h"
#include "BuildCommandIds.h"
#include "COutputPane.h"
#include "CRecentProjectList.h"
#include "CSolutionExplorerPane.h"
#include "CProgressCtrl.h"
#include "CString.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPFrameWndBase.h"
#include "CXTPStatusBar.h"
#include "CXTNoFlickerWnd.h"
#include "CXTPTabClientWnd.h"
#include "ResourceIds.h"

class CBuildFrameTarget;
class CBuildOutputTarget;
class CProjectDlg;
class ITreeExpansion;
class EditorProjectHost;
class CXTPControlComboBox;
class CXTPDockingPane;
class CXTPDockingPaneBase;
class CXTPTabPaintManager;
struct ProjectProblem;

class CMainFrame : public CXTPMDIFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    // The layout file of a language: m_strExeBase, "_en", "_ru", "_de" or nothing, ".xml".
    CString GetLayoutPath(LANGID nLanguage) const;
    void LoadLayout(LANGID nLanguage);
    // Written beside the file and then moved over it, so a failed write leaves the old one.
    void SaveLayout(LANGID nLanguage);
    // Menus, bar titles, pane titles in the thread's language now in force.
    void ReloadMenus();
    // The saved placement, when there is one, then shown with its show command.
    void ShowMainWindow();

    // New solution, new project and the active project (CMainFrameNewProject.cpp).
    // Makes the dialog's project on disk in its solution, closing the open solution first when
    // that is another (or only its active project); FALSE when the user cancelled that close.
    BOOL CreateProject(const CProjectDlg& dialog);
    // Another project of the solution becomes the active one; always TRUE.
    BOOL SwitchActiveProject(const CString& name);
    void OnNewSolution();
    void OnAddNewProject();
    void OnUpdateAddNewProject(CCmdUI* pCmdUI);
    LRESULT OnSwitchProjectMessage(WPARAM wParam, LPARAM lParam);
    void OnActiveProjectClicked(UINT nID, NMHDR* pNotify, LRESULT* pResult);
    void OnUpdateActiveProjectList(CCmdUI* pCmdUI);
    void ShowCreationStatus(UINT nID);
    // The open-file question for "ou.bin"; empty when declined.
    CString AskForOuBin();
    // What the new project could not take over, as rows of the output pane, which is shown.
    void ReportCreationProblems(const CString& projectName, const std::vector<ProjectProblem>& problems);
    // The solution explorer takes in the new project.
    void RebuildProjectTree(BOOL bNewSolution);

    // Keys typed into a command-bar text field stay there, but for Enter, Tab and Escape.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CXTPDockingPaneManager* GetDockingPaneManager() { return &m_paneManager; }
    CXTPStatusBar* GetStatusBar() { return &m_wndStatusBar; }
    // The window shown in a pane (200, 201, 202), or null for any other id.
    CWnd* GetPaneWindow(UINT nID);
    COutputPane* GetOutputPane() { return &m_wndOutput; }
    // The Standard toolbar's find box as the bar holds it now, or null.
    CXTPControlComboBox* GetFindCombo() const;

    // Class view (CMainFrameClassView.cpp): the symbol model of the active project rebuilt from
    // its source list, the stages shown in the status bar with bShowProgress, the tree refilled.
    void RebuildClassView(BOOL bShowProgress);
    CClassViewPane* GetClassViewPane() { return &m_wndClassView; }

    // Solution and project files, the File commands over them, the recent solutions
    // (CMainFrameSolution.cpp).
    // S_OK when loaded; S_FALSE when the user kept the open solution; E_FAIL after a failure it
    // reported. The file is read whole before the open solution is closed: only a load that
    // succeeds changes anything.
    HRESULT LoadSolution(const CString& path);
    // The active project (the first one when none is): its file, source list and documents.
    HRESULT LoadProject();
    // Written beside the file, then moved over it; a failure is reported, E_FAIL, the
    // modified flags stay set.
    HRESULT SaveSolution();
    HRESULT SaveProject(BOOL bKeepSrcList);
    // Close Solution: m_bCanClose = 1 when closed (or none open), 0 when cancelled or a save failed.
    void OnCloseSolution();
    // Closes the active project only (a project switch); FALSE when cancelled or a save failed.
    BOOL CloseProject(BOOL bClearTree);
    void LoadRecentProjects();
    CRecentProjectList* GetRecentProjects() { return m_pRecentProjects.get(); }

    // The solution explorer (CMainFrameExplorer.cpp): its pane, and the document tabs redrawn
    // after it opened or removed a script.
    CSolutionExplorerPane* GetSolutionExplorer() { return &m_wndSolutionExplorer; }
    void RefreshDocumentTabs();

    // Build and Tools commands, the build progress pane and the build worker (CMainFrameBuild.cpp).
    // Starts a job of the mode (a zTJobMode) with its other parameters already stored; nothing
    // while one runs.
    void StartBuildThread(int mode);
    // After a decompile, on this thread: the project's list, symbols and tree read anew.
    void UpdateAfterDecompile();
    // 0 no progress pane, 1 a job was started and the pane shows, 2 the job ended, the pane is to go.
    int m_nBuildState = 0;
    CProgressCtrl m_wndProgress;

    // Full path of the program file without its extension; the layout files sit beside it.
    CString m_strExeBase;
    // Set by Close Solution: 1 when the solution was closed (or none was open), 0 when cancelled.
    BOOL m_bCanClose = TRUE;

protected:
    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnClose();
    void OnDestroy();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    LRESULT OnDockingPaneNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnForwardToEditor(WPARAM wParam, LPARAM lParam);
    void OnShowPane(UINT nID);
    void OnPaneMenuCommand(UINT nID);
    void OnAutoHideAll();
    void OnMoreWindows();
    // The customize sheet on the frame's bars, the commands page filled from the main menu.
    void OnCustomize();
    void OnUpdateStatusText(CCmdUI* pCmdUI);
    // The bars' own controls, the platform combo and the autosave timer (ide/toolbar).
    LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);
    void OnPlatformExecute(NMHDR* pNotify, LRESULT* pResult);
    void OnUpdatePlatform(CCmdUI* pCmdUI);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // The file watcher's report of a changed watch (ide/frame/CMainFrameFind.cpp).
    LRESULT OnFileWatchChangedMessage(WPARAM wParam, LPARAM lParam);
    // Solution commands and the pane hooks they use (CMainFrameSolution.cpp).
    void OnOpenSolution();
    void OnSaveAll();
    void OnOpenRecentSolution(UINT nID);
    void OnUpdateSolutionOpen(CCmdUI* pCmdUI);
    void OnUpdateRecentSolution(CCmdUI* pCmdUI);
    // The close prompt over the modified flags, then the saves; FALSE when cancelled or a save failed.
    BOOL SaveForClose(BOOL bSolution);
    // The solution explorer's side of a load and a close (CMainFrameExplorer.cpp): its tree for
    // the expansion state; the trees of all projects built, the active project's list read
    // last; the tree emptied.
    ITreeExpansion* GetSolutionTree();
    void RefillSolutionExplorer();
    void ClearSolutionExplorer();
    void ClearClassView();

    // The MDI tabs' look and the presses on them (CMainFrameTabs.cpp).
    static CXTPTabPaintManager* CreateTabPaintManager();
    LRESULT OnTabClientMouse(WPARAM wParam, LPARAM lParam);
    // Build and Tools commands (CMainFrameBuild.cpp).
    void OnBuildCompile();
    void OnUpdateBuildCompile(CCmdUI* pCmdUI);
    void OnBuildDecompile();
    void OnUpdateBuildDecompile(CCmdUI* pCmdUI);
    void StopBuild();
    void OnUpdateStopBuild(CCmdUI* pCmdUI);
    void OnBuildOptions();
    void OnUpdateBuildOptions(CCmdUI* pCmdUI);
    void OnModelTool(UINT nID);
    void OnUpdateModelTool(CCmdUI* pCmdUI);
    void OnInsertFilesOptions();
    void OnUpdateProgressPane(CCmdUI* pCmdUI);
    LRESULT OnDecompileWritten(WPARAM wParam, LPARAM lParam);
    // The worker's way to the progress bar and this frame, and the editor's way to a build.
    void InitBuildCommands();
    void ExitBuildCommands();
    void ShowProgressPane();
    // Asks a running job to stop and serves this thread's windows until its thread has ended.
    void WaitForBuildThread();
    HANDLE m_hBuildThread = nullptr;  // the last job's thread, kept until it is known to have ended
    std::unique_ptr<CBuildFrameTarget> m_pBuildTarget;
    std::unique_ptr<EditorProjectHost> m_pProjectHost;

    DECLARE_MESSAGE_MAP()

    // Waits until the build and find workers have ended by themselves, keeping this thread's
    // windows served: the workers send their output to the pane and would otherwise wait for us
    // forever.
    void WaitForWorkersToEnd();
    // Set while OnClose runs: a second close asked for meanwhile is the same request.
    BOOL m_bClosing = FALSE;
    // Creates the pane window of an id when it has no window yet (as at first start).
    CWnd* CreatePaneWindow(UINT nID);
    // Panes a loaded layout lacks come back where the first start puts them.
    void RestoreMissingPanes();
    void ShowPaneContextMenu(CXTPDockingPane* pPane);

    CXTPDockingPaneManager m_paneManager;
    CXTPTabClientWnd m_MTIClientWnd;
    CSolutionExplorerPane m_wndSolutionExplorer;
    CClassViewPane m_wndClassView;
    COutputPane m_wndOutput;
    // The build jobs' messages reach the output pane through this while the pane exists.
    std::unique_ptr<CBuildOutputTarget> m_pOutputTarget;
    CXTPStatusBar m_wndStatusBar;
    HWND m_hWndFocus = nullptr;  // the focus when the frame was last deactivated
    std::unique_ptr<CRecentProjectList> m_pRecentProjects;
};
