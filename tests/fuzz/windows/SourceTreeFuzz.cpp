// Fuzz target: a source list gathered into a new project's entries, the bytes being the list
// itself. Lines may name the list again, other lists and patterns: the gathering must end, and
// every entry must be a single, non-empty relative path written once, with the line naming it.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>

#include "NewProjectFiles.h"

namespace {

// The list's folder, under the temporary folder, made once: Main.src and Sub\Main.src there.
const std::string& FuzzFolder()
{
    static const std::string folder = [] {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        std::string path = std::string(temp) + "tavrelin-fuzz-tree-" + std::to_string(::GetCurrentProcessId()) + "\\";
        ::CreateDirectoryA(path.c_str(), nullptr);
        ::CreateDirectoryA((path + "Sub").c_str(), nullptr);
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = FuzzFolder();
    for (const char* name : {"Main.src", "Sub\\Main.src"}) {
        if (std::FILE* file = std::fopen((folder + name).c_str(), "wb")) {
            std::fwrite(data, 1, size, file);
            std::fclose(file);
        }
    }
    SrcCollection written;
    CollectSrcFiles((folder + "Main.src").c_str(), folder.c_str(), written);
    if (written.namedAt.size() != written.entries.size())
        __builtin_trap();
    std::set<std::string> seen;
    for (const CString& entry : written.entries) {
        std::string key = static_cast<const char*>(entry);
        for (char& c : key)
            c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
        if (entry.IsEmpty() || entry.FindOneOf("\r\n") >= 0 || entry[0] == '\\' || entry.Find(':') >= 0 ||
            !seen.insert(key).second)
            __builtin_trap();
    }
    return 0;
}
