// The solution explorer: the docking pane's window with a toolbar over the tree of the open
// solution, its projects and, per project, the folders and scripts of its source list. Its
// context menus create, add, rename and delete scripts and folders, delete other projects,
// switch the active project and start Compile and Decompile.
#pragma once

#include <functional>

#include "BuildCommandIds.h"
#include "CDockPaneWnd.h"
#include "CImageList.h"
#include "CTreeSolution.h"
#include "CWnd.h"
#include "CXTPToolBar.h"
#include "ResourceIds.h"

class CXTPPropExchange;

enum : UINT {
    // The main frame switches the active project on this message (wParam: the project name).
    WM_SWITCH_ACTIVE_PROJECT = 0x594,
};

class CSolutionExplorerPane : public CWnd {
public:
    CSolutionExplorerPane();
    ~CSolutionExplorerPane() override;

    // Makes the pane as a child window of the parent.
    BOOL Create(CWnd* pParent, DWORD dwStyle);

    // Tree building, by the project code. All of these run on the pane's thread: called from
    // another thread they are carried out there and return when done, so the source list is
    // only ever edited on the user-interface thread.
    void RebuildTree(int fresh, int loading);
    HTREEITEM AddProjectItem(HTREEITEM solution);
    void FillProjectItem(HTREEITEM project);
    void RefillActiveProject();
    void ClearActiveProject();
    void ClearTree();
    // The project file's "SolutionExplorer" section: when loading, first the trees of all the
    // solution's projects; then the expansion state ("TreeState").
    void ExchangeTree(CXTPPropExchange* px);
    // The two halves of a load for a caller that exchanges the state itself: the trees of all
    // projects (the active one read last), and the redraw once the state is applied.
    void BuildTreesForLoading();
    void EndLoading();

    HTREEITEM AddTreeItem(HTREEITEM parent, int folder, const char* path, const char* text);
    void SortChildren(HTREEITEM parent);
    // The item's children and every folder below it.
    void SortBranch(HTREEITEM item);

    // The commands on the selected item (the context menus; deleting is the tree's).
    void NewFolder();
    void NewScriptFile();
    void AddScriptFile();
    void RenameFile();
    void OnContextCommand(UINT nID);
    // The menu of an item: 144, 146, 147, 148, or 0 for none.
    UINT MenuOfItem(HTREEITEM item) const;

    // The system's text of the last error, in a message box.
    static void ShowLastError();
    // Checking entries for their files; Cancel to 32908 switches it off for the fill.
    BOOL m_bCheckFiles = TRUE;

    CTreeSolution& GetTree() { return m_wndTree; }
    CXTPToolBar& GetToolBar() { return m_wndToolBar; }

    int OnCreate(LPCREATESTRUCTA lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    void OnTreeRightClick(NMHDR* pNotify, LRESULT* pResult);
    void OnTreeItemExpanding(NMHDR* pNotify, LRESULT* pResult);
    void OnTreeDeleteItem(NMHDR* pNotify, LRESULT* pResult);
    LRESULT OnRunOnPaneThread(WPARAM wParam, LPARAM lParam);
    void OnEmptyCommand(UINT nID);
    void OnUpdateInActiveProject(CCmdUI* pCmdUI);
    void OnUpdateOutsideActiveProject(CCmdUI* pCmdUI);
    void OnUpdateCompile(CCmdUI* pCmdUI);
    void OnUpdateDecompile(CCmdUI* pCmdUI);
    void OnUpdateDeleteFolder(CCmdUI* pCmdUI);
    void OnUpdateAlways(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    // Runs what on the pane's thread and waits for it.
    void RunOnPaneThread(const std::function<void()>& what);
    // Project folder + relative path of a new item under the selected one; empty when none.
    CString RelativePathUnder(HTREEITEM item, const CString& name) const;
    // The selected project or folder: what a new item goes into; null when a script or nothing
    // is selected.
    HTREEITEM SelectedContainer() const;
    // The new item is shown: parent expanded and sorted, the tree redrawn.
    void ShowNewItem(HTREEITEM parent);

    CDockPaneWnd<CTreeSolution> m_wndTree;
    CImageList m_imageList;
    CXTPToolBar m_wndToolBar;
};

// A script name as the explorer stores it: everything from the first "." on cut, ".d" added.
CString ScriptFileName(const CString& name);
