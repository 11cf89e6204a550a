// Disk access: the C runtime's narrow functions on Windows, the POSIX calls elsewhere.
#include "HostFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
}

// Greedy with one remembered star: linear back-tracking, so no pattern can make it crawl.
bool MatchWildcard(const char* p, const char* n)
{
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*n) {
        if (*p == '*') {
            starPattern = ++p;
            starName = n;
        } else if (*p && (*p == '?' || FoldAscii(*p) == FoldAscii(*n))) {
            ++p;
            ++n;
        } else if (starPattern) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == '\0';
}

#ifndef _WIN32
int CompareIgnoringCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = static_cast<unsigned char>(FoldAscii(a[i]));
        const unsigned char y = static_cast<unsigned char>(FoldAscii(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The existing name of dir that equals name but for ASCII case; the first in byte order.
bool FindIgnoringCase(const std::string& dir, const std::string& name, std::string& found)
{
    DIR* handle = opendir(dir.empty() ? "." : dir.c_str());
    if (!handle)
        return false;
    bool any = false;
    while (const dirent* entry = readdir(handle)) {
        const std::string candidate = entry->d_name;
        if (CompareIgnoringCase(candidate, name) == 0 && (!any || candidate < found)) {
            found = candidate;
            any = true;
        }
    }
    closedir(handle);
    return any;
}
#endif

} // namespace

bool WildcardMatch(const char* pattern, const char* name)
{
    if (!pattern || !name)
        return false;
    if (MatchWildcard(pattern, name))
        return true;
    const std::size_t length = std::strlen(pattern);
    if (length >= 2 && pattern[length - 2] == '.' && pattern[length - 1] == '*') {
        const std::string stem(pattern, length - 2);
        return std::strchr(name, '.') == nullptr && MatchWildcard(stem.c_str(), name);
    }
    return false;
}

std::string HostJoinPath(const std::string& hostDir, const std::string& name)
{
    if (hostDir.empty())
        return name;
#ifdef _WIN32
    const char separator = '\\';
    if (IsSeparator(hostDir.back()) || (hostDir.size() == 2 && hostDir[1] == ':'))
        return hostDir + name;
#else
    const char separator = '/';
    if (hostDir.back() == '/')
        return hostDir + name;
#endif
    return hostDir + separator + name;
}

bool HostIsAbsolutePath(const std::string& enginePath)
{
#ifdef _WIN32
    if (enginePath.size() >= 3 && HasDrive(enginePath) && IsSeparator(enginePath[2]))
        return true;
    return enginePath.size() >= 2 && IsSeparator(enginePath[0]) && IsSeparator(enginePath[1]);
#else
    return !enginePath.empty() && IsSeparator(enginePath[0]);
#endif
}

bool HostIsRootPath(const std::string& enginePath)
{
    std::string path = enginePath;
    while (!path.empty() && IsSeparator(path.back()))
        path.pop_back();
    if (path.empty())
        return !enginePath.empty();
#ifdef _WIN32
    if (path.size() == 2 && HasDrive(path))
        return true;
    if (enginePath.size() >= 2 && IsSeparator(enginePath[0]) && IsSeparator(enginePath[1])) {
        // \\server\share is the root of a network drive.
        int parts = 0;
        bool inPart = false;
        for (std::size_t i = 2; i < path.size(); ++i) {
            if (IsSeparator(path[i])) {
                inPart = false;
            } else if (!inPart) {
                inPart = true;
                ++parts;
            }
        }
        return parts <= 2;
    }
#endif
    return false;
}

#ifdef _WIN32

bool HostResolvePath(const std::string& enginePath, std::string& hostPath)
{
    hostPath = enginePath;
    return true;
}

#else

bool HostResolvePath(const std::string& enginePath, std::string& hostPath)
{
    if (enginePath.empty() || HasDrive(enginePath)) {
        errno = ENOENT;
        return false;
    }
    const bool absolute = IsSeparator(enginePath[0]);
    std::string resolved = absolute ? "/" : "";
    bool missing = false;
    std::size_t start = 0;
    while (start < enginePath.size()) {
        std::size_t end = start;
        while (end < enginePath.size() && !IsSeparator(enginePath[end]))
            ++end;
        std::string part = enginePath.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        if (!missing && part != "." && part != "..") {
            struct stat st;
            if (lstat(HostJoinPath(resolved, part).c_str(), &st) != 0) {
                std::string found;
                if (FindIgnoringCase(resolved, part, found))
                    part = found;
                else
                    missing = true;
            }
        }
        resolved = HostJoinPath(resolved, part);
    }
    if (resolved.empty())
        resolved = ".";
    hostPath = resolved;
    return true;
}

#endif

std::FILE* HostOpenFile(const std::string& hostPath, const char* mode)
{
    return std::fopen(hostPath.c_str(), mode);
}

bool HostGetInfo(const std::string& hostPath, zTHostFileInfo& info)
{
#ifdef _WIN32
    // The runtime's stat refuses a trailing separator, except on a drive's root.
    std::string path = hostPath;
    while (path.size() > 1 && IsSeparator(path.back()) && !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    struct _stat64 st;
    if (_stat64(path.c_str(), &st) != 0)
        return false;
    info.isDirectory = (st.st_mode & _S_IFDIR) != 0;
    info.isReadOnly = (st.st_mode & _S_IWRITE) == 0;
#else
    struct stat st;
    if (stat(hostPath.c_str(), &st) != 0)
        return false;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.isReadOnly = (st.st_mode & S_IWUSR) == 0;
#endif
    info.size = st.st_size;
    info.modified = st.st_mtime;
    return true;
}

bool HostExists(const std::string& hostPath)
{
    zTHostFileInfo info;
    return HostGetInfo(hostPath, info);
}

bool HostRemoveFile(const std::string& hostPath)
{
#ifdef _WIN32
    return std::remove(hostPath.c_str()) == 0;
#else
    return unlink(hostPath.c_str()) == 0;
#endif
}

bool HostRename(const std::string& fromHostPath, const std::string& toHostPath)
{
#ifdef _WIN32
    // The runtime's rename never replaces an existing target.
    return std::rename(fromHostPath.c_str(), toHostPath.c_str()) == 0;
#else
#ifdef RENAME_NOREPLACE
    if (renameat2(AT_FDCWD, fromHostPath.c_str(), AT_FDCWD, toHostPath.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
#endif
    struct stat st;
    if (lstat(toHostPath.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(fromHostPath.c_str(), toHostPath.c_str()) == 0;
#endif
}

bool HostMakeDir(const std::string& hostPath)
{
#ifdef _WIN32
    return _mkdir(hostPath.c_str()) == 0;
#else
    return mkdir(hostPath.c_str(), 0777) == 0;
#endif
}

bool HostRemoveDir(const std::string& hostPath)
{
#ifdef _WIN32
    return _rmdir(hostPath.c_str()) == 0;
#else
    return rmdir(hostPath.c_str()) == 0;
#endif
}

bool HostChangeDir(const std::string& hostPath)
{
#ifdef _WIN32
    return _chdir(hostPath.c_str()) == 0;
#else
    return chdir(hostPath.c_str()) == 0;
#endif
}

std::string HostGetCurrentDir()
{
    std::vector<char> buffer(512);
    for (;;) {
#ifdef _WIN32
        if (_getcwd(buffer.data(), static_cast<int>(buffer.size())))
            return buffer.data();
#else
        if (getcwd(buffer.data(), buffer.size()))
            return buffer.data();
#endif
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

bool HostMakeWritable(const std::string& hostPath)
{
#ifdef _WIN32
    return _chmod(hostPath.c_str(), _S_IREAD | _S_IWRITE) == 0;
#else
    struct stat st;
    if (lstat(hostPath.c_str(), &st) != 0)
        return false;
    if (S_ISLNK(st.st_mode))
        return true;  // the mode of a link is its target's: leave it alone
    mode_t mode = st.st_mode | S_IWUSR;
    if (S_ISDIR(st.st_mode))
        mode |= S_IXUSR;
    return chmod(hostPath.c_str(), mode & 07777) == 0;
#endif
}

bool HostListDirectory(const std::string& hostDir, std::vector<zTHostDirEntry>& entries)
{
    entries.clear();
#ifdef _WIN32
    // Reparse points (symbolic links, junctions) carry this attribute bit.
    const unsigned kReparsePoint = 0x400;
    _finddata_t data;
    const intptr_t handle = _findfirst(HostJoinPath(hostDir, "*").c_str(), &data);
    if (handle == -1)
        return false;
    do {
        if (std::strcmp(data.name, ".") == 0 || std::strcmp(data.name, "..") == 0)
            continue;
        zTHostDirEntry entry;
        entry.name = data.name;
        entry.isDirectory = (data.attrib & _A_SUBDIR) != 0;
        entry.isLink = (data.attrib & kReparsePoint) != 0;
        entries.push_back(entry);
    } while (_findnext(handle, &data) == 0);
    _findclose(handle);
#else
    DIR* handle = opendir(hostDir.empty() ? "." : hostDir.c_str());
    if (!handle)
        return false;
    while (const dirent* found = readdir(handle)) {
        if (std::strcmp(found->d_name, ".") == 0 || std::strcmp(found->d_name, "..") == 0)
            continue;
        zTHostDirEntry entry;
        entry.name = found->d_name;
        struct stat st;
        if (lstat(HostJoinPath(hostDir, entry.name).c_str(), &st) == 0) {
            entry.isLink = S_ISLNK(st.st_mode);
            entry.isDirectory = S_ISDIR(st.st_mode);
        }
        entries.push_back(entry);
    }
    closedir(handle);
    std::sort(entries.begin(), entries.end(), [](const zTHostDirEntry& a, const zTHostDirEntry& b) {
        const int order = CompareIgnoringCase(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    });
#endif
    return true;
}

bool HostFindFiles(const std::string& enginePattern, std::vector<zTHostDirEntry>& found)
{
    found.clear();
    const std::size_t cut = enginePattern.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? std::string() : enginePattern.substr(0, cut + 1);
    const std::string mask = cut == std::string::npos ? enginePattern : enginePattern.substr(cut + 1);
    std::string hostDir;
    if (!folder.empty() && !HostResolvePath(folder, hostDir))
        return false;
    std::vector<zTHostDirEntry> entries;
    if (!HostListDirectory(hostDir, entries))
        return false;
    for (const zTHostDirEntry& entry : entries) {
        if (WildcardMatch(mask.c_str(), entry.name.c_str()))
            found.push_back(entry);
    }
    return !found.empty();
}

bool HostLocalTime(std::time_t time, std::tm& local)
{
    // std::localtime shares one result among all callers.
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    const std::tm* result = std::localtime(&time);
    if (!result)
        return false;
    local = *result;
    return true;
}
