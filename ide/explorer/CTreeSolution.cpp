// The explorer's tree control: lookups, opening a script, deleting items, mouse and keys.
#include "CTreeSolution.h"

#include <windows.h>

#include "CExplorerDialogs.h"
#include "CMainFrame.h"
#include "CSolutionConfig.h"
#include "CSolutionExplorerPane.h"
#include "CSrcManager.h"
#include "CWinApp.h"
#include "CXTPResourceManager.h"
#include "OpenDocuments.h"
#include "ResourceIds.h"

namespace {

void RefreshFrameTabs()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(MainWindow()))
        frame->RefreshDocumentTabs();
}

void ShowMessage(UINT id, const char* value = nullptr)
{
    CString format, text;
    XTPResourceManager()->LoadString(&format, id);
    text.Format(format, value ? value : "");
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

HTREEITEM CTreeSolution::FindChildByText(const char* text, HTREEITEM parent) const
{
    for (HTREEITEM child = GetChildItem(parent); child; child = GetNextSiblingItem(child))
        if (GetItemText(child).Compare(text) == 0)
            return child;
    return nullptr;
}

HTREEITEM CTreeSolution::FindActiveProjectItem() const
{
    const CString active = g_solutionConfig.GetProjectName();
    HTREEITEM root = GetRootItem();
    for (HTREEITEM child = root ? GetChildItem(root) : nullptr; child; child = GetNextSiblingItem(child)) {
        const SolutionItemData* record = GetRecord(child);
        if (record && record->kind == kItemProject && record->project == active)
            return child;
    }
    return nullptr;
}

BOOL CTreeSolution::IsSelectionInActiveProject() const
{
    const SolutionItemData* record = GetRecord(GetSelectedItem());
    return record && record->project == g_solutionConfig.GetProjectName();
}

BOOL CTreeSolution::IsSelectionEmptyFolder() const
{
    HTREEITEM selected = GetSelectedItem();
    const SolutionItemData* record = GetRecord(selected);
    return record && record->kind == kItemFolder && !GetChildItem(selected);
}

CString CTreeSolution::FilePath(const SolutionItemData& record)
{
    CString folder;
    GetSolutionFolder(folder);
    return folder + "Prj" + record.project + "\\" + record.path;
}

void CTreeSolution::OpenFileItem(const SolutionItemData& record)
{
    if (CWinApp* app = AfxGetApp())
        app->OpenDocumentFile(FilePath(record));
    RefreshFrameTabs();
}

void CTreeSolution::DeleteItem(HTREEITEM item)
{
    SolutionItemData* record = GetRecord(item);
    if (!record)
        return;  // the solution item
    if (record->project != g_solutionConfig.GetProjectName()) {
        // Of another project only the project itself goes, and only from the solution.
        if (record->kind != kItemProject) {
            ShowMessage(IDS_EXPLORER_ONLY_INACTIVE);
            return;
        }
        CString format, question;
        XTPResourceManager()->LoadString(&format, IDS_EXPLORER_DELETE_PROJECT);
        question.Format(format, static_cast<const char*>(record->project));
        if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        const int index = g_solutionConfig.FindProject(record->project);
        if (index >= 0)
            g_solutionConfig.Projects.RemoveAt(index);
        CTreeCtrl::DeleteItem(item);
        g_solutionConfig.SolutionModified = 1;
        return;
    }
    switch (record->kind) {
    case kItemProject:
        ShowMessage(IDS_EXPLORER_ONLY_INACTIVE);
        return;
    case kItemFolder:
        // The folder on disk and the list stay; only an empty folder's item goes.
        if (GetChildItem(item))
            ShowMessage(IDS_EXPLORER_FOLDER_NOT_EMPTY);
        else
            CTreeCtrl::DeleteItem(item);
        return;
    default:
        break;
    }
    CRemoveScript dialog(m_pPane);
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_bRemoveFromDisk) {
        const CString path = FilePath(*record);
        CloseOpenDocument(path);
        // A file that stays on disk keeps its entry and item, so nothing is half done.
        if (!::DeleteFileA(path) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
            CSolutionExplorerPane::ShowLastError();
            return;
        }
    } else {
        RefreshFrameTabs();
    }
    if (dialog.m_bDeleteFromProject)
        GetSrcManager()->RemoveFile(record->path);
    CTreeCtrl::DeleteItem(item);
    g_solutionConfig.ProjectModified = 1;
    g_solutionConfig.RemoveFromDisk = dialog.m_bRemoveFromDisk;
}

BOOL CTreeSolution::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_LBUTTONDBLCLK) {
        UINT flags = 0;
        HTREEITEM item = HitTest(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))), &flags);
        const SolutionItemData* record = GetRecord(item);
        if (record && record->kind == kItemFile && (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)))
            OpenFileItem(SolutionItemData(*record));
    } else if (message == WM_KEYDOWN && wParam == VK_DELETE) {
        HTREEITEM selected = GetSelectedItem();
        if (selected && selected != GetRootItem())
            DeleteItem(selected);
    }
    return CXTTreeCtrl::OnWndMsg(message, wParam, lParam, pResult);
}
