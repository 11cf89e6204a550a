// The solution file (".tvs") and the project file (".tvp"): their exchange routines, the
// expansion state of the explorer tree, and safe reading and writing of both files.
#pragma once

#include <functional>

#include "CString.h"

class CXTPPropExchange;
class CSolutionConfig;

// The explorer tree as the expansion state sees it; items are opaque handles, 0 is none.
class ITreeExpansion {
public:
    virtual ~ITreeExpansion() = default;
    virtual void* GetRoot() = 0;
    virtual void* GetChild(void* item) = 0;
    virtual void* GetNextSibling(void* item) = 0;
    virtual bool IsExpanded(void* item) = 0;
    virtual void Expand(void* item) = 0;
};

// Outcome of reading or writing one of the two files.
enum class SolutionFileResult { ok, oldVersion, damaged, writeFailed };

// "Version" "V1" then the section "SolutionInfo" of the given record. Returns false when a
// loaded version is not exactly "V1"; nothing more is read then.
bool ExchangeSolutionFile(CXTPPropExchange* px, CSolutionConfig& config);

// "Version", "ProjectInfo", "SolutionExplorer" (the tree's expansion state; without a tree an
// empty state is stored and a stored one is skipped) and "Documents" (when a handler is given).
bool ExchangeProjectFile(CXTPPropExchange* px, CSolutionConfig& config, ITreeExpansion* tree,
                         const std::function<void(CXTPPropExchange*)>& documents);

// Pre-order numbering from 0; an expanded item takes two numbers. Stores each expanded item's
// number then -1; loading expands the numbered items and reads on to the -1.
void ExchangeTreeState(CXTPPropExchange* px, ITreeExpansion* tree);

// Reads a file through a loading archive exchange. Any file or archive fault (missing, cut
// short, counts beyond the bytes) gives damaged.
SolutionFileResult ReadExchangeFile(const char* path, const std::function<bool(CXTPPropExchange*)>& exchange);

// Writes a file beside the target ("<path>.new") and only then replaces the target, so a
// failed write leaves the old file whole; writeFailed reports it.
SolutionFileResult WriteExchangeFile(const char* path, const std::function<void(CXTPPropExchange*)>& exchange);

// Loads a solution file into a scratch record and copies it into the given one only when it
// loaded whole, so a failed or old-version load changes nothing.
SolutionFileResult LoadSolutionInto(const char* path, CSolutionConfig& config);
// The values of the section "SolutionInfo" from one record into another.
void CopySolutionInfo(const CSolutionConfig& from, CSolutionConfig& to);

// "X:\Root\SolMod\Mod.tvs" gives "X:\Root\": the file name and the solution folder dropped.
CString ProjectsRootFromSolutionPath(const CString& path);
