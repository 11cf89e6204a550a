// Fuzz target: a solution or project file read back; either it loads or it is refused, and a
// refused solution file leaves the record as it was.
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CXTPPropExchange.h"

namespace {

// A flat tree of three items, enough for the expansion state to expand something.
class FlatTree : public ITreeExpansion {
public:
    bool expanded[3] = {};
    void* GetRoot() override { return &expanded[0]; }
    void* GetChild(void*) override { return nullptr; }
    void* GetNextSibling(void* item) override
    {
        bool* next = static_cast<bool*>(item) + 1;
        return next < expanded + 3 ? next : nullptr;
    }
    bool IsExpanded(void* item) override { return *static_cast<bool*>(item); }
    void Expand(void* item) override { *static_cast<bool*>(item) = true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = [] {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        return std::string(temp) + "solution_file_fuzz.bin";
    }();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));

    CSolutionConfig config;
    config.SolutionName = "Keep";
    if (LoadSolutionInto(path.c_str(), config) != SolutionFileResult::ok && config.SolutionName != CString("Keep"))
        __builtin_trap();

    FlatTree tree;
    CSolutionConfig project;
    ReadExchangeFile(path.c_str(), [&](CXTPPropExchange* px) {
        return ExchangeProjectFile(px, project, &tree, [](CXTPPropExchange* docs) {
            CString name;
            PX_String(docs, "OpenFile", name);
        });
    });
    return 0;
}
