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

class CStdioFile;

// What CollectSrcFiles has gathered so far. Every list is read once, so a list that includes
// itself (directly or through others) ends; an entry is written once, whatever its case.
struct SrcCollection {
    std::vector<CString> entries;        // in the order written
    std::set<std::string> entryKeys;     // the entries in lower case
    std::set<std::string> listsRead;     // full paths of the lists read, in lower case
    std::vector<CString> problems;       // "<list>(<line>): <reason>", in the interface language
};

// Writes into output (when given) every script that the list names, as a path relative to
// topFolder, recursing into nested lists and expanding wildcards. A name without an extension
// gets ".d". Lines that point outside topFolder and lists that cannot be read are problems.
void CollectSrcFiles(CStdioFile* output, const CString& listPath, const CString& topFolder, SrcCollection& written);

// From a source list: "<projectFolder><projectName>.src" with the header and the gathered
// entries (handed back in order). False when the project's list cannot be written.
bool WriteProjectSrcList(const CString& srcListPath, const CString& projectFolder, const CString& projectName,
                         std::vector<CString>& entries, std::vector<CString>& problems);
// Each entry copied from the source folder to the project folder by one operation of the
// shell (owner its window), which makes the folders and reports its own failures.
void CopyProjectFiles(const CString& sourceFolder, const CString& projectFolder, const std::vector<CString>& entries,
                      HWND owner);

// From a ".dat": copied to "<projectFolder><projectName>.dat". For the main scripts (the name
// "Varnok" in any case) "ou.bin" comes from "<parent of the .dat's folder>Content\Cutscene\";
// when that copy fails askOuBin names another file (empty: the user declined) and ouBinMissing
// tells that the project has none. False when the ".dat" itself could not be copied.
bool CreateProjectFromDat(const CString& datPath, const CString& projectFolder, const CString& projectName,
                          const std::function<CString()>& askOuBin, bool& ouBinMissing,
                          std::vector<CString>& problems);

// "C:\A\B.src" gives "B": the name without folder and extension.
CString FileTitleOf(const CString& path);
// The folder of a path with its trailing backslash; "" for a bare name.
CString FolderOf(const CString& path);
// Creates a folder and any missing folders above it; true when it exists afterwards.
bool CreateFolderTree(const CString& folder);
