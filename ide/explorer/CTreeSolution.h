// The explorer's tree control: items carry SolutionItemData records; lookups of the active
// project's items, opening a file item, deleting items, and the expansion state's view of it.
#pragma once

#include "CSolutionFile.h"
#include "CWinApp.h"
#include "CXTTreeCtrl.h"
#include "SolutionItemData.h"

class CSolutionExplorerPane;

class CTreeSolution : public CXTTreeCtrl, public ITreeExpansion {
public:
    CTreeSolution() = default;

    void SetPane(CSolutionExplorerPane* pane) { m_pPane = pane; }

    SolutionItemData* GetRecord(HTREEITEM item) const
    {
        return item ? reinterpret_cast<SolutionItemData*>(GetItemData(item)) : nullptr;
    }

    // The first child of parent whose text is exactly text (case counts), or null.
    HTREEITEM FindChildByText(const char* text, HTREEITEM parent) const;
    // The project item of the active project under the first root item, or null. Compared by
    // the whole project name, so "Fight" does not find "Fight2".
    HTREEITEM FindActiveProjectItem() const;
    BOOL IsSelectionInActiveProject() const;
    BOOL IsSelectionEmptyFolder() const;
    // Opens the record's file in the editor and refreshes the frame's document tabs.
    void OpenFileItem(const SolutionItemData& record);
    // The Delete key and the delete commands: see CSolutionExplorerPane::DeleteItem.
    void DeleteItem(HTREEITEM item);
    // The record's file: solution folder + "Prj" + project + "\" + path.
    static CString FilePath(const SolutionItemData& record);

    // The expansion state walks the tree through these.
    void* GetRoot() override { return GetRootItem(); }
    void* GetChild(void* item) override { return GetChildItem(static_cast<HTREEITEM>(item)); }
    void* GetNextSibling(void* item) override { return GetNextSiblingItem(static_cast<HTREEITEM>(item)); }
    bool IsExpanded(void* item) override
    {
        return (CTreeCtrl::GetItemState(static_cast<HTREEITEM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    void Expand(void* item) override { CTreeCtrl::Expand(static_cast<HTREEITEM>(item), TVE_EXPAND); }
    using CXTTreeCtrl::Expand;

    // A double-click on a file item's icon or label opens it; Delete deletes the selected item
    // (not the root). Both then go on to the tree's own handling.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CSolutionExplorerPane* m_pPane = nullptr;
};

// The application's main window (the frame the explorer's commands go to), or null.
inline CWnd* MainWindow()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}
