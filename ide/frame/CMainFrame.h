// The program's main window: command bars, status bar, the three docking panes, the MDI tabs,
// the per-language layout file, the language switch of menus and titles, the ordered close.
#pragma once

#include <windows.h>

#include <memory>

#include "COutputPane.h"
#include "CProgressCtrl.h"
#include "CString.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPFrameWndBase.h"
#include "CXTPStatusBar.h"
#include "CXTNoFlickerWnd.h"
#include "CXTPTabClientWnd.h"

class CBuildFrameTarget;
class CBuildOutputTarget;
class EditorProjectHost;
class CXTPControlComboBox;
class CXTPDockingPane;
class CXTPDockingPaneBase;

// Ids of the panes, their View commands and their windows.
enum { ID_PANE_SOLUTION_EXPLORER = 200, ID_PANE_CLASS_VIEW = 201, ID_PANE_OUTPUT = 202, ID_HELP_DYNAMIC = 203 };

// The Build menu, the Tools menu's model commands, Insert Files Options and the progress pane.
enum : UINT {
    ID_BUILD_COMPILE = 168,
    ID_BUILD_DECOMPILE = 169,
    ID_BUILD_STOP = 33190,
    ID_BUILD_OPTIONS = 32808,
    ID_TOOLS_MODEL_FIRST = 32834,  // convert 32834-32836, compile 32837-32839, decompile 32840-32842
    ID_TOOLS_MODEL_LAST = 32842,
    ID_INSERT_FILES_OPTIONS = 33192,
    ID_PROGRESS_PANE = 32846,
    // Posted by the build worker once a decompile has written the project's scripts.
    WM_DECOMPILE_WRITTEN = WM_APP + 0x106,
};

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

    // Keys typed into a command-bar text field stay there, but for Enter, Tab and Escape.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CXTPDockingPaneManager* GetDockingPaneManager() { return &m_paneManager; }
    CXTPStatusBar* GetStatusBar() { return &m_wndStatusBar; }
    // The window shown in a pane (200, 201, 202), or null for any other id.
    CWnd* GetPaneWindow(UINT nID);
    COutputPane* GetOutputPane() { return &m_wndOutput; }

    // Build and Tools commands, the build progress pane and the build worker (CMainFrameBuild.cpp).
    // Starts a job with the parameters already stored; nothing while one runs.
    void StartBuildThread();
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
    void OnAutoHideAll();
    void OnMoreWindows();
    void OnUpdateStatusText(CCmdUI* pCmdUI);
    void OnUpdateDisabled(CCmdUI* pCmdUI);
    // The bars' own controls, the platform combo and the autosave timer (ide/toolbar).
    LRESULT OnCreateControl(WPARAM wParam, LPARAM lParam);
    void OnPlatformExecute(NMHDR* pNotify, LRESULT* pResult);
    void OnUpdatePlatform(CCmdUI* pCmdUI);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

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

    // Waits for the build and find workers while keeping this thread's windows served: the
    // workers send their output to the pane and would otherwise wait for us forever.
    void StopWorkersAndWait();
    // Creates the pane window of an id when it has no window yet (as at first start).
    CWnd* CreatePaneWindow(UINT nID);
    // Panes a loaded layout lacks come back where the first start puts them.
    void RestoreMissingPanes();
    void ShowPaneContextMenu(CXTPDockingPane* pPane);

    CXTPDockingPaneManager m_paneManager;
    CXTPTabClientWnd m_MTIClientWnd;
    // Stand-in windows of the panes until their own windows exist.
    CXTNoFlickerWnd<CWnd> m_wndSolutionExplorer;
    CXTNoFlickerWnd<CWnd> m_wndClassView;
    COutputPane m_wndOutput;
    // The build jobs' messages reach the output pane through this while the pane exists.
    std::unique_ptr<CBuildOutputTarget> m_pOutputTarget;
    CXTPStatusBar m_wndStatusBar;
    HWND m_hWndFocus = nullptr;  // the focus when the frame was last deactivated
    CXTPControlComboBox* m_pFindCombo = nullptr;  // the toolbar's find box, owned by its bar
};
