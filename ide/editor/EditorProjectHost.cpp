// The editor windows' project host, one per process, and the source-list lookup.
#include "EditorProjectHost.h"

#include <windows.h>

#include "IdeServices.h"

namespace {

EditorProjectHost* g_editorProjectHost = nullptr;

CString FullPath(const CString& path)
{
    char full[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? CString(full) : path;
}

}  // namespace

EditorProjectHost* GetEditorProjectHost() { return g_editorProjectHost; }

void SetEditorProjectHost(EditorProjectHost* host) { g_editorProjectHost = host; }

CString FindSourceListEntry(const CString& path)
{
    zCIdeServices* ide = zGetIdeServices();
    if (!g_editorProjectHost || !ide || path.IsEmpty())
        return CString();
    const CString file = FullPath(path);
    const CString folder(ide->GetProjectFolder().c_str());
    for (const CString& entry : g_editorProjectHost->GetSourceListEntries()) {
        if (!entry.IsEmpty() && FullPath(folder + entry).CompareNoCase(file) == 0)
            return entry;
    }
    return CString();
}
