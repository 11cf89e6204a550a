// The disk work of a new project: the scripts a chosen source list names, gathered into the
// project's own list and copied in, or a compiled ".dat" (with "ou.bin" for the main scripts)
// taken over to be decompiled.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "CString.h"

// Something of the chosen files that the new project could not take over: where it was named
// (a source list's full path and its one-based line; no file and -1 when it was named nowhere)
// and why, in the interface language.
struct ProjectProblem {
    CString file;
    int line = -1;
    CString text;
};

// What CollectSrcFiles has gathered so far. Every list is read once, so a list that includes
// itself (directly or through others) ends; an entry is taken once, whatever its case.
struct SrcCollection {
    std::vector<CString> entries;           // in the order named
    std::vector<ProjectProblem> namedAt;    // for each entry, the list line naming it first (text empty)
    std::set<std::string> entryKeys;        // the entries in lower case
    std::set<std::string> listsRead;        // full paths of the lists read, in lower case
    std::vector<ProjectProblem> problems;
};

// Gathers every script that the list names, as a path relative to topFolder, taking its lines
// as the compiler does: a line naming a list is read in turn, one naming a script is an entry,
// a pattern gives the lists and scripts it matches, and any other line is skipped, unless it
// names an existing script without its ".d" (the shell may hide extensions). Lines that point
// outside topFolder and lists that cannot be read are problems.
void CollectSrcFiles(const CString& listPath, const CString& topFolder, SrcCollection& written);

// Copies each gathered entry from the source folder to the same place in the project folder,
// making its folders. An entry that cannot be copied (missing, unreadable, or its place taken)
// leaves the collection and becomes a problem with the system's reason.
void CopyProjectFiles(const CString& sourceFolder, const CString& projectFolder, SrcCollection& sources);

// "<projectFolder><projectName>.src" with the header and the entries. False (and a problem)
// when it cannot be written.
bool WriteProjectSrcList(const CString& projectFolder, const CString& projectName,
                         const std::vector<CString>& entries, std::vector<ProjectProblem>& problems);

// From a ".dat": copied to "<projectFolder><projectName>.dat". For the main scripts (the name
// "Varnok" in any case) "ou.bin" comes from "<parent of the .dat's folder>Content\Cutscene\";
// when that copy fails askOuBin names another file (empty: the user declined) and ouBinMissing
// tells that the project has none. False when the ".dat" itself could not be copied.
bool CreateProjectFromDat(const CString& datPath, const CString& projectFolder, const CString& projectName,
                          const std::function<CString()>& askOuBin, bool& ouBinMissing,
                          std::vector<ProjectProblem>& problems);

// "C:\A\B.src" gives "B": the name without folder and extension.
CString FileTitleOf(const CString& path);
// The full path, "." and ".." resolved against the current directory; the path itself when the
// system cannot tell.
CString FullPathOf(const CString& path);
// The folder of a path with its trailing backslash; "" for a bare name.
CString FolderOf(const CString& path);
// Creates a folder and any missing folders above it; true when it exists afterwards.
bool CreateFolderTree(const CString& folder);
