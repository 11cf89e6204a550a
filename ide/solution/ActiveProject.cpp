// The active project's decompile test and its item in the solution tree.
#include "ActiveProject.h"

#include "CSolutionConfig.h"

BOOL IsDecompileProject()
{
    BOOL found = FALSE;
    if (!g_solutionConfig.ProjectName.empty()) {
        CString folder;
        GetProjectFolder(folder);
        WIN32_FIND_DATAA data;
        const HANDLE search = ::FindFirstFileA(folder + "*.dat", &data);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                found = !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            } while (!found && ::FindNextFileA(search, &data));
            ::FindClose(search);
        }
    }
    g_solutionConfig.Decompilate = found;
    return found;
}

HTREEITEM FindProjectItem(HWND tree, const CString& itemText)
{
    const HTREEITEM root = TreeView_GetRoot(tree);
    for (HTREEITEM item = root ? TreeView_GetChild(tree, root) : nullptr; item;
         item = TreeView_GetNextSibling(tree, item)) {
        char text[512] = {};
        TVITEMA record = {};
        record.mask = TVIF_TEXT;
        record.hItem = item;
        record.pszText = text;
        record.cchTextMax = sizeof text;
        if (::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&record)) && itemText == text)
            return item;
    }
    return nullptr;
}
