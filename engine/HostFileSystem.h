// The one place where the engine touches the disk.
//
// Engine paths are the game's Windows paths: backslashes, drive letters, names in
// any letter case. On Windows they go to the C runtime's narrow functions as they
// are, so names in the ANSI code page (Cyrillic folders, say) reach the system
// unchanged. Elsewhere HostResolvePath maps them onto the real file system first.
//
// Every operation but HostResolvePath and HostFindFiles takes a host path, one that
// HostResolvePath made or that HostJoinPath built from a listed name. Failures
// return false (or null) and leave errno set, for the file layer's error report.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

struct zTHostFileInfo {
    bool isDirectory = false;
    bool isReadOnly = false;
    std::int64_t size = 0;
    std::time_t modified = 0;
};

struct zTHostDirEntry {
    std::string name;
    // On Windows a link to a directory is both; elsewhere a link is never a directory.
    bool isDirectory = false;
    bool isLink = false;  // symbolic link, junction or other reparse point
};

// Engine path to host path. On Windows the path as it stands. Elsewhere '\' becomes
// '/' and each existing component is looked up in its directory: the exact name
// first, else a name equal but for ASCII letter case; of several such names the
// first in byte order wins (upper case before lower case), so the choice never
// depends on the order of the directory. From the first component that does not
// exist on, the rest keep their spelling (names about to be created). A path with
// a drive letter has no place off Windows: false with errno ENOENT.
bool HostResolvePath(const std::string& enginePath, std::string& hostPath);

// dir + separator + name; the name is taken as one component.
std::string HostJoinPath(const std::string& hostDir, const std::string& name);

// Absolute: "X:\..." or "\\server\share\..." on Windows; '/' or '\' first elsewhere.
bool HostIsAbsolutePath(const std::string& enginePath);
// A drive or file-system root: "\", "/", "C:", "C:\", "\\server\share".
bool HostIsRootPath(const std::string& enginePath);

std::FILE* HostOpenFile(const std::string& hostPath, const char* mode);
// Follows links.
bool HostGetInfo(const std::string& hostPath, zTHostFileInfo& info);
bool HostExists(const std::string& hostPath);
// Files only; a link is removed as a link.
bool HostRemoveFile(const std::string& hostPath);
// Never replaces: an existing target makes it fail with EEXIST, as on Windows. Off
// Windows the no-replace rename is atomic where the system offers one; on file
// systems without it the target is tested first.
bool HostRename(const std::string& fromHostPath, const std::string& toHostPath);
bool HostMakeDir(const std::string& hostPath);
bool HostRemoveDir(const std::string& hostPath);
bool HostChangeDir(const std::string& hostPath);
std::string HostGetCurrentDir();
// Gives the owner write access, so the entry can be removed (and a directory's entries with it).
bool HostMakeWritable(const std::string& hostPath);

// Every entry but "." and ".."; false when the directory cannot be read. Off Windows
// sorted as a Windows listing reads (ignoring ASCII case), on Windows in its own order.
bool HostListDirectory(const std::string& hostDir, std::vector<zTHostDirEntry>& entries);

// Directory search for an engine pattern: a folder, then a name with wildcards
// ("C:\GAME\*.MDL"); no folder means the process's directory. Fills the matching
// entries of that folder and answers whether there was any.
bool HostFindFiles(const std::string& enginePattern, std::vector<zTHostDirEntry>& found);

// Windows-style match of one name, ignoring ASCII case: '*' any run of characters,
// '?' one character, and a pattern ending in ".*" also matches a name without that
// extension ("*.*" matches every name).
bool WildcardMatch(const char* pattern, const char* name);

bool HostLocalTime(std::time_t time, std::tm& local);
