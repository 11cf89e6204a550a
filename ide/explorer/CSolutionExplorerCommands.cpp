// The explorer's commands that change the project on disk: new folder, new script, add an
// existing script, rename a script.
#include "CSolutionExplorerPane.h"

#include <windows.h>

#include "CExplorerDialogs.h"
#include "CFileDialog.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CWinApp.h"
#include "CXTPResourceManager.h"
#include "LoadText.h"
#include "OpenDocuments.h"
#include "ResourceIds.h"

namespace {

// A name that stays inside its folder: not empty, no folder separators, not "." or "..".
// Anything else would put the file or folder somewhere the tree and the list do not say.
BOOL IsPlainName(const CString& name)
{
    if (name.IsEmpty() || name == CString(".") || name == CString("..") || name.FindOneOf("\\/") >= 0) {
        CString format, text;
        XTPResourceManager()->LoadString(&format, IDS_EXPLORER_BAD_NAME);
        text.Format(format, static_cast<const char*>(name));
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL IsListed(const CString& entry)
{
    CSrcManager* src = GetSrcManager();
    for (int i = 0; i < src->GetCount(); ++i)
        if (src->GetAt(i).CompareNoCase(entry) == 0)
            return TRUE;
    return FALSE;
}

}  // namespace

CString CSolutionExplorerPane::RelativePathUnder(HTREEITEM item, const CString& name) const
{
    const SolutionItemData* record = m_wndTree.GetRecord(item);
    if (!record || record->path.IsEmpty())
        return name;
    return record->path + "\\" + name;
}

HTREEITEM CSolutionExplorerPane::SelectedContainer() const
{
    const HTREEITEM item = m_wndTree.GetSelectedItem();
    const SolutionItemData* record = m_wndTree.GetRecord(item);
    return record && record->kind != kItemFile ? item : nullptr;
}

void CSolutionExplorerPane::ShowNewItem(HTREEITEM parent)
{
    m_wndTree.Expand(parent, TVE_EXPAND);
    SortChildren(parent);
    m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CSolutionExplorerPane::NewFolder()
{
    const HTREEITEM parent = SelectedContainer();
    if (!parent)
        return;
    CNewFolderDlg dialog(1, this);
    if (dialog.DoModal() != IDOK || !IsPlainName(dialog.m_strName))
        return;
    const CString relative = RelativePathUnder(parent, dialog.m_strName);
    CString folder;
    GetProjectFolder(folder);
    if (!::CreateDirectoryA(folder + relative, nullptr)) {
        ShowLastError();
        return;
    }
    AddTreeItem(parent, 1, relative, dialog.m_strName);
    ShowNewItem(parent);
    g_solutionConfig.ProjectModified = 1;
}

void CSolutionExplorerPane::NewScriptFile()
{
    const HTREEITEM parent = SelectedContainer();
    if (!parent)
        return;
    CNewFolderDlg dialog(0, this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString name = ScriptFileName(dialog.m_strName);
    if (!IsPlainName(name.Left(name.GetLength() - 2)))
        return;
    const CString relative = RelativePathUnder(parent, name);
    CString folder;
    GetProjectFolder(folder);
    HANDLE file = ::CreateFileA(folder + relative, 0, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ShowLastError();
        return;
    }
    ::CloseHandle(file);
    AddTreeItem(parent, 0, relative, name);
    ShowNewItem(parent);
    GetSrcManager()->InsertWithDialog(relative);
    g_solutionConfig.ProjectModified = 1;
}

void CSolutionExplorerPane::AddScriptFile()
{
    const HTREEITEM parent = SelectedContainer();
    if (!parent)
        return;
    CFileDialog dialog(TRUE, "d", nullptr, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                       LoadText(IDS_EXPLORER_SCRIPT_FILTER), this);
    const INT_PTR answer = dialog.DoModal();
    CString folder;
    GetProjectFolder(folder);
    if (answer == IDOK) {
        const CString chosen = dialog.GetPathName();
        const CString relative = RelativePathUnder(parent, dialog.GetFileName());
        const CString target = folder + relative;
        if (chosen.Compare(target) != 0 && !::CopyFileA(chosen, target, TRUE)) {
            ShowLastError();
        } else if (!IsListed(relative)) {
            // A script already listed is not listed twice: it would be compiled twice.
            AddTreeItem(parent, 0, relative, dialog.GetFileName());
            ShowNewItem(parent);
            GetSrcManager()->InsertWithDialog(relative);
            g_solutionConfig.ProjectModified = 1;
        }
    }
    ::SetCurrentDirectoryA(folder);
}

void CSolutionExplorerPane::RenameFile()
{
    HTREEITEM item = m_wndTree.GetSelectedItem();
    const SolutionItemData* record = m_wndTree.GetRecord(item);
    if (!record || record->kind != kItemFile)
        return;
    CRenameFileDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    const CString name = ScriptFileName(dialog.m_strName);
    if (!IsPlainName(name.Left(name.GetLength() - 2)))
        return;
    const CString oldRelative = record->path;
    const int slash = oldRelative.ReverseFind('\\');
    const CString newRelative = (slash >= 0 ? oldRelative.Left(slash + 1) : CString()) + name;
    const CString oldPath = CTreeSolution::FilePath(*record);
    CString folder;
    GetProjectFolder(folder);
    const CString newPath = folder + newRelative;
    if (!::MoveFileA(oldPath, newPath)) {
        ShowLastError();
        return;
    }
    GetSrcManager()->ReplaceFile(oldRelative, newRelative);
    RenameOpenDocument(oldPath, newPath);
    HTREEITEM parent = m_wndTree.GetParentItem(item);
    m_wndTree.CTreeCtrl::DeleteItem(item);  // the record goes with it
    HTREEITEM renamed = AddTreeItem(parent, 0, newRelative, name);
    SortChildren(parent);
    m_wndTree.SelectItem(renamed);
    m_wndTree.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    g_solutionConfig.ProjectModified = 1;
}
