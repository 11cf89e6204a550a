// A file on the runtime library's buffered streams.
#include "zFILE_FILE.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "ErrorBox.h"
#include "HostFileSystem.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCBuffer.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"

namespace {

const long kCopyBlock = 100000;

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

// Every '/' becomes '\', but for the mark of a host path.
std::string EngineSeparators(const zSTRING& path)
{
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    if (IsHostPath(path))
        text[0] = '/';
    return text;
}

bool HasDotFolder(const std::string& dir)
{
    std::size_t start = 0;
    while (start <= dir.size()) {
        std::size_t end = dir.find('\\', start);
        if (end == std::string::npos)
            end = dir.size();
        const std::string part = dir.substr(start, end - start);
        if (part == "." || part == "..")
            return true;
        start = end + 1;
    }
    return false;
}

// "\A\B\..\C\" becomes "\A\C\". Above the top of an absolute path there is nothing
// to go to; a relative path keeps its leading "..".
std::string FoldDotFolders(const std::string& dir)
{
    if (!HasDotFolder(dir))
        return dir;
    std::size_t prefixEnd = 0;
    while (prefixEnd < dir.size() && (dir[prefixEnd] == '\\' || dir[prefixEnd] == '/'))
        ++prefixEnd;
    const std::string prefix = dir.substr(0, prefixEnd);
    std::vector<std::string> parts;
    std::size_t start = prefixEnd;
    while (start < dir.size()) {
        std::size_t end = dir.find('\\', start);
        if (end == std::string::npos)
            end = dir.size();
        const std::string part = dir.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (prefix.empty())
                parts.push_back(part);
            continue;
        }
        parts.push_back(part);
    }
    std::string result = prefix;
    for (const std::string& part : parts)
        result += part + "\\";
    return result;
}

// The relative path (real spelling, '\'-separated) of the file called wanted in
// hostDir or, when recursive, below it.
bool SearchBelow(const std::string& hostDir, const std::string& wanted, bool recursive, std::string& relative)
{
    std::vector<zTHostDirEntry> entries;
    if (!HostListDirectory(hostDir, entries))
        return false;
    for (const zTHostDirEntry& entry : entries) {
        if (!entry.isDirectory && SameName(entry.name, wanted)) {
            relative = entry.name;
            return true;
        }
    }
    if (!recursive)
        return false;
    for (const zTHostDirEntry& entry : entries) {
        // Links stay unfollowed: a link back up the tree would never end.
        if (!entry.isDirectory || entry.isLink)
            continue;
        std::string below;
        if (SearchBelow(HostJoinPath(hostDir, entry.name), wanted, true, below)) {
            relative = entry.name + "\\" + below;
            return true;
        }
    }
    return false;
}

} // namespace

zFILE_FILE::zFILE_FILE() = default;

zFILE_FILE::zFILE_FILE(const zSTRING& path)
{
    SetPath(path);
}

zFILE_FILE::~zFILE_FILE()
{
    Close();
}

int zFILE_FILE::RefuseWhileOpen()
{
    errno = zERR_FILE_OPENED;
    g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_FILE_ERR_OPENED));
    return zERR_FILE_OPENED;
}

int zFILE_FILE::ReportNotOpen()
{
    g_errorReporter.Report(zERR_ERROR, FormatResString(IDS_NOT_OPEN, GetFullPath()));
    return zERR_FILE_BAD_HANDLE;
}

void zFILE_FILE::SetMode(long newMode)
{
    mode = newMode;
}

int zFILE_FILE::SetPath(const zSTRING& path)
{
    if (stream)
        return RefuseWhileOpen();
    const std::string text = EngineSeparators(path);
    const std::size_t colon = text.find(':');
    std::string rest = text;
    drive.clear();
    if (colon != std::string::npos && text.find('\\') > colon) {
        drive = text.substr(0, colon);
        rest = text.substr(colon + 1);
    }
    const std::size_t slash = rest.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string() : rest.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? rest : rest.substr(slash + 1);
    if (name == "." || name == "..") {
        folder += name + "\\";
        name.clear();
    }
    dir = folder;
    SplitFile(name);
    RebuildPath();
    return 0;
}

int zFILE_FILE::SetDrive(const zSTRING&)
{
    zNotFound("zFILE_FILE::SetDrive");
}

int zFILE_FILE::SetDir(const zSTRING& newDir)
{
    if (stream)
        return RefuseWhileOpen();
    std::string text = EngineSeparators(newDir);
    if (!text.empty() && text.back() != '\\' && text != "/")
        text += '\\';
    dir = text;
    RebuildPath();
    return 0;
}

void zFILE_FILE::SplitFile(const zSTRING& text)
{
    const std::size_t dot = text.find_last_of('.');
    if (dot == std::string::npos) {
        filename = text;
        ext.clear();
    } else {
        filename = text.substr(0, dot);
        ext = text.substr(dot + 1);
    }
}

int zFILE_FILE::SetFile(const zSTRING& newFile)
{
    if (stream)
        return RefuseWhileOpen();
    SplitFile(newFile);
    RebuildPath();
    return 0;
}

int zFILE_FILE::SetFilename(const zSTRING& name)
{
    if (stream)
        return RefuseWhileOpen();
    filename = name;
    RebuildPath();
    return 0;
}

int zFILE_FILE::SetExt(const zSTRING& newExt)
{
    if (stream)
        return RefuseWhileOpen();
    ext = newExt;
    if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    RebuildPath();
    return 0;
}

void zFILE_FILE::RebuildPath()
{
    dir = FoldDotFolders(dir);
    file = filename;
    if (!ext.empty())
        file += zSTRING(".") + ext;
    completePath = GetDirPath() + file;
}

zSTRING zFILE_FILE::GetFullPath() const
{
    return MakeFullPath(GetPath());
}

zSTRING zFILE_FILE::GetPath() const
{
    return completePath;
}

zSTRING zFILE_FILE::GetDirPath() const
{
    return drive.empty() ? dir : drive + ":" + dir;
}

zSTRING zFILE_FILE::GetDrive() const
{
    return drive;
}

zSTRING zFILE_FILE::GetDir() const
{
    return dir;
}

zSTRING zFILE_FILE::GetFile() const
{
    return file;
}

zSTRING zFILE_FILE::GetFilename() const
{
    return filename;
}

zSTRING zFILE_FILE::GetExt() const
{
    return ext;
}

void zFILE_FILE::SetCurrentDir()
{
    // A path on another drive cannot lie below the root.
    if (dir.empty() || !drive.empty())
        return;
    if (dir[0] == '\\') {
        g_currentDirectory = dir;
        return;
    }
    zSTRING current = g_currentDirectory;
    if (current.empty() || current.back() != '\\')
        current += '\\';
    g_currentDirectory = current + dir;
}

int zFILE_FILE::SearchFile(const zSTRING& name, const zSTRING& directory, bool recursive)
{
    std::string wanted = name;
    const std::size_t cut = wanted.find_last_of("\\/");
    if (cut != std::string::npos)
        wanted.erase(0, cut + 1);
    std::string folder = directory;
    std::replace(folder.begin(), folder.end(), '/', '\\');
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    std::string hostDir;
    std::string relative;
    if (wanted.empty() || !HostResolvePath(MakeFullPath(folder), hostDir) ||
        !SearchBelow(hostDir, wanted, recursive, relative)) {
        errno = ENOENT;
        return zERR_FILE_NOT_FOUND;
    }
    return SetPath(folder + relative);
}

bool zFILE_FILE::DirCreate()
{
    std::string host;
    return HostResolvePath(MakeFullPath(GetDirPath()), host) && HostMakeDir(host);
}

bool zFILE_FILE::DirRemove()
{
    std::string host;
    return HostResolvePath(MakeFullPath(GetDirPath()), host) && HostRemoveDir(host);
}

bool zFILE_FILE::ChangeDir()
{
    std::string host;
    return HostResolvePath(MakeFullPath(GetDirPath()), host) && HostChangeDir(host);
}

bool zFILE_FILE::FileMove(const zSTRING& destination)
{
    zFILE_VDFS target(destination);
    if (target.GetFile().empty())
        target.SetFile(GetFile());
    if (!FileRename(&target))
        return false;
    SetPath(target.GetPath());
    return true;
}

bool zFILE_FILE::FileRename(zFILE* target)
{
    if (!target)
        return false;
    Close();
    target->Close();
    std::string from;
    std::string to;
    return HostResolvePath(GetFullPath(), from) && HostResolvePath(target->GetFullPath(), to) && HostRename(from, to);
}

bool zFILE_FILE::FileCopy(zFILE* target)
{
    if (!target)
        return false;
    // Creating the target would empty a file copied onto itself before it is read.
    zSTRING from = GetFullPath();
    zSTRING to = target->GetFullPath();
    if (from.Upper() == to.Upper())
        return true;
    const bool openedHere = !IsOpened();
    if (Open(false) != 0)
        return false;
    if (target->Create() != 0) {
        if (openedHere)
            Close();
        return false;
    }
    std::vector<char> block(kCopyBlock + 1);
    Reset();
    target->Reset();
    bool complete = true;
    long remaining = Size();
    while (remaining > 0) {
        const long got = Read(block.data(), std::min(remaining, kCopyBlock));
        // A file that gives out early would otherwise be asked for the rest forever.
        if (got <= 0) {
            complete = false;
            break;
        }
        if (target->Write(block.data(), got) != 0)
            complete = false;
        remaining -= got;
    }
    if (target->Close() != 0)
        complete = false;
    Close();
    return complete;
}

bool zFILE_FILE::FileDelete()
{
    Close();
    std::string host;
    return HostResolvePath(GetFullPath(), host) && HostRemoveFile(host);
}

int zFILE_FILE::Create()
{
    if (file.empty()) {
        g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_NO_FILENAME));
        return zERR_FILE_NO_NAME;
    }
    // Re-creating an open file must not leave its old stream behind.
    Close();
    const zSTRING full = GetFullPath();
    std::string host;
    std::FILE* opened = HostResolvePath(full, host) ? HostOpenFile(host, "w+b") : nullptr;
    if (!opened)
        return ReportFileError(zFILE_OP_CREATE, full, zERR_FATAL);
    stream = opened;
    lastAccess = zACCESS_NONE;
    NoteFileOpened();
    if (g_errorReporter.GetFilterLevel() > 9)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CREATED_FILE, file));
    writeMode = true;
    if (useBuffer)
        buffer = AcquireWriteBuffer();
    return 0;
}

int zFILE_FILE::Create(const zSTRING& path)
{
    const int result = SetPath(path);
    return result != 0 ? result : Create();
}

int zFILE_FILE::Open(bool write)
{
    if (stream) {
        g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_STILL_OPENED));
        return 0;
    }
    if (file.empty()) {
        g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_NOTHING_TO_OPEN));
        return zERR_FILE_NO_NAME;
    }
    const zSTRING full = GetFullPath();
    std::string host;
    std::FILE* opened = HostResolvePath(full, host) ? HostOpenFile(host, write ? "r+b" : "rb") : nullptr;
    // Nothing is held yet, so a fatal report leaves the object closed and whole.
    if (!opened)
        return ReportFileError(zFILE_OP_OPEN, full, zERR_FATAL);
    stream = opened;
    lastAccess = zACCESS_NONE;
    writeMode = write;
    NoteFileOpened();
    if (write && useBuffer)
        buffer = AcquireWriteBuffer();
    if (g_errorReporter.GetFilterLevel() > 9)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_OPENED_FILE, file));
    return 0;
}

int zFILE_FILE::Open(const zSTRING& path, bool write)
{
    const int result = SetPath(path);
    return result != 0 ? result : Open(write);
}

bool zFILE_FILE::Exists()
{
    if (stream)
        return true;
    std::string host;
    return HostResolvePath(GetFullPath(), host) && HostExists(host);
}

int zFILE_FILE::Close()
{
    if (!stream)
        return 0;
    int result = 0;
    if (buffer) {
        result = Flush();
        ReleaseWriteBuffer(buffer);
        buffer = nullptr;
    }
    const int closed = std::fclose(stream);
    const int error = errno;
    // The stream is gone whether or not fclose succeeded.
    stream = nullptr;
    writeMode = false;
    lastAccess = zACCESS_NONE;
    NoteFileClosed();
    if (closed != 0) {
        const zSTRING full = GetFullPath();
        errno = error;
        return ReportFileError(zFILE_OP_CLOSE, full, zERR_ERROR);
    }
    if (g_errorReporter.GetFilterLevel() > 9)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CLOSED_FILE, file));
    return result;
}

void zFILE_FILE::FlushPending()
{
    // Positions and reads must see what still waits in the write buffer.
    if (buffer && buffer->GetSize() > 0)
        Flush();
}

void zFILE_FILE::BeforeRead()
{
    // A stream switching from writing to reading must be flushed in between.
    if (lastAccess == zACCESS_WRITE)
        std::fflush(stream);
    lastAccess = zACCESS_READ;
}

void zFILE_FILE::BeforeWrite()
{
    // ... and from reading to writing be positioned.
    if (lastAccess == zACCESS_READ)
        std::fseek(stream, 0, SEEK_CUR);
    lastAccess = zACCESS_WRITE;
}

int zFILE_FILE::Reset()
{
    return Seek(0);
}

long zFILE_FILE::Size()
{
    if (!stream) {
        ReportNotOpen();
        return 0;
    }
    FlushPending();
    const long current = std::ftell(stream);
    std::fseek(stream, 0, SEEK_END);
    const long size = std::ftell(stream);
    std::fseek(stream, current, SEEK_SET);
    lastAccess = zACCESS_NONE;
    return size;
}

long zFILE_FILE::Pos()
{
    if (!stream) {
        ReportNotOpen();
        return 0;
    }
    FlushPending();
    return std::ftell(stream);
}

int zFILE_FILE::Seek(long position)
{
    if (!stream)
        return ReportNotOpen();
    FlushPending();
    if (std::fseek(stream, position, SEEK_SET) != 0)
        return FileErrorCode(errno);
    lastAccess = zACCESS_NONE;
    return 0;
}

bool zFILE_FILE::Eof()
{
    return !stream || std::feof(stream) != 0;
}

int zFILE_FILE::GetStats(zTFileStats& stats)
{
    if (stream)
        FlushPending();
    const zSTRING full = GetFullPath();
    std::string host;
    zTHostFileInfo info;
    if (!HostResolvePath(full, host) || !HostGetInfo(host, info))
        return ReportFileError(zFILE_OP_READ, full, zERR_WARNING);
    stats.size = static_cast<long>(info.size);
    std::tm local{};
    if (HostLocalTime(info.modified, local)) {
        stats.modifyDate.year = static_cast<std::uint32_t>(local.tm_year + 1900);
        stats.modifyDate.month = static_cast<std::uint16_t>(local.tm_mon + 1);
        stats.modifyDate.day = static_cast<std::uint16_t>(local.tm_mday);
        stats.modifyDate.hour = static_cast<std::uint16_t>(local.tm_hour);
        stats.modifyDate.minute = static_cast<std::uint16_t>(local.tm_min);
        stats.modifyDate.second = static_cast<std::uint16_t>(local.tm_sec);
    }
    return 0;
}

int zFILE_FILE::Write(const char* text)
{
    if (!text || !*text)
        return 0;
    return Write(static_cast<const void*>(text), static_cast<long>(std::strlen(text)));
}

int zFILE_FILE::Write(const zSTRING& text)
{
    if (text.empty())
        return 0;
    return Write(static_cast<const void*>(text.data()), static_cast<long>(text.size()));
}

int zFILE_FILE::Write(const void* data, long count)
{
    if (count == 0) {
        g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_WRITE_NOTHING));
        return 0;
    }
    if (!stream)
        return ReportNotOpen();
    if (count < 0 || !data) {
        errno = EINVAL;
        return ReportFileError(zFILE_OP_WRITE, GetFullPath(), zERR_ERROR);
    }
    if (buffer) {
        // Written out when full, so a long writer holds no more than the buffer's size.
        if (buffer->GetSize() + static_cast<unsigned long>(count) > zFILE_WRITE_BUFFER_SIZE) {
            const int result = Flush();
            if (result != 0)
                return result;
        }
        if (count <= zFILE_WRITE_BUFFER_SIZE) {
            buffer->Write(data, static_cast<std::uint32_t>(count));
            return 0;
        }
    }
    return WriteToStream(data, count);
}

int zFILE_FILE::WriteToStream(const void* data, long count)
{
    BeforeWrite();
    if (std::fwrite(data, 1, static_cast<std::size_t>(count), stream) != static_cast<std::size_t>(count)) {
        const int error = errno;
        const zSTRING full = GetFullPath();
        errno = error;
        return ReportFileError(zFILE_OP_WRITE, full, zERR_ERROR);
    }
    return 0;
}

long zFILE_FILE::Read(void* data, long count)
{
    if (!stream) {
        ReportNotOpen();
        return 0;
    }
    if (count <= 0 || !data)
        return 0;
    FlushPending();
    BeforeRead();
    const std::size_t got = std::fread(data, 1, static_cast<std::size_t>(count), stream);
    if (got < static_cast<std::size_t>(count) && std::ferror(stream)) {
        const int error = errno;
        const zSTRING full = GetFullPath();
        errno = error;
        ReportFileError(zFILE_OP_READ, full, zERR_WARNING);
    }
    return static_cast<long>(got);
}

int zFILE_FILE::ReadLine(zSTRING& line)
{
    line.clear();
    if (!stream) {
        ReportNotOpen();
        return 1;
    }
    FlushPending();
    BeforeRead();
    std::string text;
    bool any = false;
    int c;
    while ((c = std::getc(stream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (c != '\0')
            text += static_cast<char>(c);
    }
    if (!any) {
        if (std::ferror(stream)) {
            const int error = errno;
            const zSTRING full = GetFullPath();
            errno = error;
            ReportFileError(zFILE_OP_READ, full, zERR_WARNING);
        }
        return 1;
    }
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    line = text;
    return 0;
}

zSTRING zFILE_FILE::ReadLineContaining(const zSTRING& text)
{
    zSTRING line;
    while (ReadLine(line) == 0) {
        if (line.find(text) != std::string::npos)
            return line;
    }
    return zSTRING();
}

long zFILE_FILE::ReadBlock(zSTRING& block, long count)
{
    block.clear();
    if (count <= 0)
        return 0;
    std::string bytes(static_cast<std::size_t>(count), '\0');
    const long got = Read(&bytes[0], count);
    bytes.resize(static_cast<std::size_t>(std::max(got, 0L)));
    block = bytes;
    return got;
}

zSTRING zFILE_FILE::ReadNextLine()
{
    zSTRING line;
    ReadLine(line);
    return line;
}

int zFILE_FILE::UpdateThroughBackup(long position, const zSTRING& text, long replacedLength)
{
    zFILE_VDFS backup(GetPath());
    backup.SetExt("bak");
    if (!FileCopy(&backup))
        return zERR_FILE_UNKNOWN;
    int result = backup.Open(false);
    if (result != 0)
        return result;
    result = Create();
    if (result != 0)
        return result;
    const long size = backup.Size();
    if (g_errorReporter.GetFilterLevel() > 3) {
        char kilobytes[64];
        std::snprintf(kilobytes, sizeof kilobytes, "%.3f", (size + 1) / 1024.0);
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_UPDATING_SOURCE, kilobytes));
    }
    std::vector<char> block(static_cast<std::size_t>(size) + 1);
    // Positions past the end are taken as the end: nothing is read beyond the backup.
    const long head = std::clamp(position, 0L, size);
    const long skip = std::clamp(replacedLength, 0L, size - head);
    auto copy = [&](long count) {
        const long got = count > 0 ? backup.Read(block.data(), count) : 0;
        if (got > 0 && result == 0)
            result = Write(block.data(), got);
    };
    copy(head);
    const int written = Write(text);
    if (result == 0)
        result = written;
    zSTRING skipped;
    backup.ReadBlock(skipped, skip);
    copy(size - backup.Pos());
    const int closed = Close();
    if (result == 0)
        result = closed;
    backup.Close();
    return result;
}

int zFILE_FILE::Flush()
{
    if (!stream)
        return 0;
    int result = 0;
    if (buffer && buffer->GetSize() > 0) {
        const std::size_t size = buffer->GetSize();
        BeforeWrite();
        const std::size_t written = std::fwrite(buffer->GetBuffer(), 1, size, stream);
        buffer->Reset();
        if (written != size) {
            const int error = errno;
            const zSTRING full = GetFullPath();
            errno = error;
            result = ReportFileError(zFILE_OP_WRITE, full, zERR_ERROR);
        }
    }
    if (std::fflush(stream) != 0 && result == 0) {
        const int error = errno;
        const zSTRING full = GetFullPath();
        errno = error;
        result = ReportFileError(zFILE_OP_WRITE, full, zERR_ERROR);
    }
    lastAccess = zACCESS_NONE;
    return result;
}
