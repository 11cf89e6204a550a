// Reading and writing the solution and project files, and the explorer's expansion state.
#include "CSolutionFile.h"

#include <windows.h>

#include "CArchive.h"
#include "CException.h"
#include "CFile.h"
#include "CSolutionConfig.h"
#include "CXTPPropExchange.h"
#include "CXTPPropExchangeArchive.h"

namespace {

bool ExchangeVersion(CXTPPropExchange* px)
{
    CString version = "V1";
    PX_String(px, "Version", version);
    return !px->IsLoading() || version == CString("V1");
}

// Walks the tree in the numbering of the expansion state; loading expands an item whose
// number is the pending value and fetches the next one.
void WalkTree(CXTPPropExchange* px, ITreeExpansion* tree, void* item, long& number, long& pending)
{
    for (; item; item = tree->GetNextSibling(item)) {
        const long own = number;
        bool expanded;
        if (px->IsLoading()) {
            expanded = pending != -1 && own == pending;
            if (expanded) {
                tree->Expand(item);
                PX_Long(px, "ExpandedNode", pending);
            }
        } else {
            expanded = tree->IsExpanded(item);
            if (expanded) {
                long value = own;
                PX_Long(px, "ExpandedNode", value);
            }
        }
        if (expanded)
            ++number;
        WalkTree(px, tree, tree->GetChild(item), number, pending);
        ++number;
    }
}

}  // namespace

void ExchangeTreeState(CXTPPropExchange* px, ITreeExpansion* tree)
{
    long number = 0, pending = 0;
    if (px->IsLoading())
        PX_Long(px, "ExpandedNode", pending);
    if (tree)
        WalkTree(px, tree, tree->GetRoot(), number, pending);
    if (px->IsLoading()) {
        // Values the walk did not reach (a tree that shrank) are read up to the end mark; a cut
        // file throws here rather than looping.
        while (pending != -1)
            PX_Long(px, "ExpandedNode", pending);
    } else {
        long end = -1;
        PX_Long(px, "ExpandedNode", end);
    }
}

bool ExchangeSolutionFile(CXTPPropExchange* px, CSolutionConfig& config)
{
    if (!ExchangeVersion(px))
        return false;
    CXTPPropExchangeSection section(px->GetSection("SolutionInfo"));
    config.ExchangeSolutionSettings(section);
    return true;
}

bool ExchangeProjectFile(CXTPPropExchange* px, CSolutionConfig& config, ITreeExpansion* tree,
                         const std::function<void(CXTPPropExchange*)>& documents)
{
    if (!ExchangeVersion(px))
        return false;
    {
        CXTPPropExchangeSection info(px->GetSection("ProjectInfo"));
        config.ExchangeProjectSettings(info);
    }
    {
        CXTPPropExchangeSection explorer(px->GetSection("SolutionExplorer"));
        CXTPPropExchangeSection state(explorer->GetSection("TreeState"));
        ExchangeTreeState(state, tree);
    }
    if (documents) {
        CXTPPropExchangeSection section(px->GetSection("Documents"));
        documents(section);
    }
    return true;
}

SolutionFileResult ReadExchangeFile(const char* path, const std::function<bool(CXTPPropExchange*)>& exchange)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone))
        return SolutionFileResult::damaged;
    try {
        CArchive archive(&file, CArchive::load);
        CXTPPropExchangeArchive px(archive);
        const bool current = exchange(&px);
        archive.Close();
        return current ? SolutionFileResult::ok : SolutionFileResult::oldVersion;
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        return SolutionFileResult::damaged;
    }
}

SolutionFileResult WriteExchangeFile(const char* path, const std::function<void(CXTPPropExchange*)>& exchange)
{
    const CString beside = CString(path) + ".new";
    CFile file;
    if (!file.Open(beside, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone))
        return SolutionFileResult::writeFailed;
    try {
        CArchive archive(&file, CArchive::store);
        CXTPPropExchangeArchive px(archive);
        exchange(&px);
        archive.Close();
        file.Close();
    } catch (CException* e) {
        e->Delete();
        file.Abort();
        ::DeleteFileA(beside);
        return SolutionFileResult::writeFailed;
    }
    if (!::MoveFileExA(beside, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(beside);
        return SolutionFileResult::writeFailed;
    }
    return SolutionFileResult::ok;
}

SolutionFileResult LoadSolutionInto(const char* path, CSolutionConfig& config)
{
    CSolutionConfig scratch;
    const SolutionFileResult result =
        ReadExchangeFile(path, [&](CXTPPropExchange* px) { return ExchangeSolutionFile(px, scratch); });
    if (result == SolutionFileResult::ok)
        CopySolutionInfo(scratch, config);
    return result;
}

void CopySolutionInfo(const CSolutionConfig& from, CSolutionConfig& to)
{
    to.Projects.Copy(from.Projects);
    to.SolutionName = from.SolutionName;
    to.ProjectName = from.ProjectName;
    to.Platform = from.Platform;
    to.LevelMessage = from.LevelMessage;
    to.InsertSpace = from.InsertSpace;
    to.WarningReturnValue = from.WarningReturnValue;
    to.WarningUpperCase = from.WarningUpperCase;
    to.CorrectUpperCase = from.CorrectUpperCase;
}

CString ProjectsRootFromSolutionPath(const CString& path)
{
    const std::string text = static_cast<const char*>(path);
    const auto file = text.find_last_of('\\');
    if (file == std::string::npos || file == 0)
        return CString();
    const auto folder = text.find_last_of('\\', file - 1);
    if (folder == std::string::npos)
        return CString();
    return CString(text.substr(0, folder + 1).c_str());
}
