// Fuzz target: the solution and project sections of a solution record read back from archive
// bytes, and the same bytes read as a project's source list.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "CXTPPropExchangeArchive.h"

namespace {

// A project folder of its own under the temporary folder, made once.
void UseFuzzProject()
{
    static bool made = false;
    if (made)
        return;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tavrelin-fuzz-src-" + std::to_string(::GetCurrentProcessId()) + "\\";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA((root + "SolF").c_str(), nullptr);
    ::CreateDirectoryA((root + "SolF\\PrjP").c_str(), nullptr);
    g_solutionConfig.ProjectsRoot = root.c_str();
    made = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMemFile memory(const_cast<BYTE*>(data), static_cast<UINT>(size));
    CArchive archive(&memory, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    CSolutionConfig config;
    try {
        config.ExchangeSolutionSettings(&px);
        config.ExchangeProjectSettings(&px);
    } catch (CException* e) {
        e->Delete();
    }

    UseFuzzProject();
    g_solutionConfig.SolutionName = "F";
    g_solutionConfig.ProjectName = "P";
    CString list;
    GetProjectFolder(list);
    list += "P.src";
    if (std::FILE* file = std::fopen(list, "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    CSrcManager src;
    src.ReadSrcList();
    // No entry is empty or a comment, and none holds a line end.
    for (int i = 0; i < src.GetCount(); ++i) {
        const CString& entry = src.GetAt(i);
        if (entry.IsEmpty() || entry.Find("//") == 0 || entry.Find('\n') >= 0)
            __builtin_trap();
    }
    std::remove(list);
    return 0;
}
