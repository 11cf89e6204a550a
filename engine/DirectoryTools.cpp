// Root directory, direct access, folder emptying and the decompiler's folders.
#include "DirectoryTools.h"

#include <cerrno>
#include <string>
#include <vector>

#include "HostFileSystem.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"
#include "zFileSystem.h"

namespace {

const int kMaxDirList = 100;

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The build's own outputs and the project file survive emptying the project folder.
// Case is ignored: the game's files come in capitals ("OU.BIN").
bool IsKeptName(const std::string& name)
{
    std::string upper = name;
    for (char& c : upper)
        c = UpperAscii(c);
    for (const char* kept : {".TVP", ".DAT", ".BIN", ".CSL"}) {
        if (upper.find(kept) != std::string::npos)
            return true;
    }
    return false;
}

bool HasDotPart(const std::string& path)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        const std::string part = path.substr(start, end - start);
        if (part == "." || part == "..")
            return true;
        start = end + 1;
    }
    return false;
}

void RemoveEntries(const std::string& hostDir, bool keep)
{
    std::vector<zTHostDirEntry> entries;
    if (!HostListDirectory(hostDir, entries))
        return;
    for (const zTHostDirEntry& entry : entries) {
        if (keep && IsKeptName(entry.name))
            continue;
        const std::string path = HostJoinPath(hostDir, entry.name);
        if (entry.isDirectory && !entry.isLink) {
            HostMakeWritable(path);
            RemoveEntries(path, false);
            if (!HostRemoveDir(path))
                ReportFileError(zFILE_OP_REMOVE_DIR, path, zERR_ERROR);
        } else if (entry.isDirectory) {
            // A link to a directory: removing it as a directory takes the link alone.
            if (!HostRemoveDir(path))
                ReportFileError(zFILE_OP_REMOVE_DIR, path, zERR_ERROR);
        } else {
            if (!entry.isLink)
                HostMakeWritable(path);
            if (!HostRemoveFile(path))
                ReportFileError(zFILE_OP_REMOVE_FILE, path, zERR_ERROR);
        }
    }
}

} // namespace

zSTRING g_directFileAccessDir;
int g_directFileAccessCount = 0;
const char* const* g_decompileFolders = nullptr;

zSTRING SetRootDirectory(const zSTRING& root)
{
    zSTRING text = root;
    if (!text.empty() && text.back() == '\\')
        text.pop_back();
    for (char& c : text)
        c = UpperAscii(c);
    g_rootDirectory = text;
    return text;
}

void DirectFileAccess(bool on)
{
    if (!on) {
        if (--g_directFileAccessCount < 0) {
            g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_UNEXPECTED_ACCESS_OFF));
            g_directFileAccessCount = 0;
        }
        return;
    }
    ++g_directFileAccessCount;
    // Nothing sets the folder; the runtime would fail on an empty name, so stay put.
    if (g_directFileAccessDir.empty())
        return;
    std::string host;
    if (!HostResolvePath(g_directFileAccessDir, host) || !HostChangeDir(host))
        g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_CANNOT_CHANGE_DIR) + g_directFileAccessDir);
}

void DirectFileAccessIn(bool on, zSTRING& path)
{
    if (!path.empty() && path[0] == '\\')
        path = g_rootDirectory + path;
    DirectFileAccess(on);
}

bool CanRemoveDirTree(const zSTRING& folder)
{
    // A relative path would depend on the process's directory; a root would take a disk.
    return !folder.empty() && HostIsAbsolutePath(folder) && !HostIsRootPath(folder) && !HasDotPart(folder);
}

int RemoveDirTree(const zSTRING& folder, bool keep)
{
    if (!CanRemoveDirTree(folder)) {
        errno = EINVAL;
        return ReportFileError(zFILE_OP_REMOVE_DIR, folder, zERR_ERROR);
    }
    std::string host;
    if (HostResolvePath(folder, host))
        RemoveEntries(host, keep);
    return 0;
}

bool ClearDirectory(const zSTRING& folder, bool keep)
{
    return RemoveDirTree(folder, keep) == 0;
}

bool CreateDirList(const zSTRING& folder)
{
    if (!g_decompileFolders)
        return true;
    zSTRING base = folder;
    if (!base.empty() && !IsSeparator(base.back()))
        base += '\\';
    for (int i = 0; i < kMaxDirList && g_decompileFolders[i]; ++i) {
        std::string host;
        if (HostResolvePath(base + g_decompileFolders[i], host))
            HostMakeDir(host);
    }
    return true;
}
