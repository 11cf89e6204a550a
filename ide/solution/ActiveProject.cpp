// The active project's decompile test.
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
