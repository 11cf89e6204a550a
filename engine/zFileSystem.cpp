// The file layer's globals and its disk-error report.
#include "zFileSystem.h"

#include <atomic>
#include <cerrno>
#include <memory>
#include <mutex>

#include "ResourceIds.h"
#include "ResString.h"
#include "zCBuffer.h"
#include "zERROR.h"

namespace {

struct zTErrorText {
    int code;
    int messageId;
};

const zTErrorText s_errorTexts[] = {
    {zERR_FILE_UNKNOWN, IDS_FILE_ERR_UNKNOWN},
    {zERR_FILE_ACCESS, IDS_FILE_ERR_ACCESS},
    {zERR_FILE_EXISTS, IDS_FILE_ERR_EXISTS},
    {zERR_FILE_INVALID, IDS_FILE_ERR_INVALID},
    {zERR_FILE_BAD_HANDLE, IDS_FILE_ERR_BAD_HANDLE},
    {zERR_FILE_TOO_MANY, IDS_FILE_ERR_TOO_MANY},
    {zERR_FILE_NOT_FOUND, IDS_FILE_ERR_NOT_FOUND},
    {zERR_FILE_NOT_EXEC, IDS_FILE_ERR_NOT_EXEC},
    {zERR_FILE_NO_SPACE, IDS_FILE_ERR_NO_SPACE},
    {zERR_FILE_CROSS_DEVICE, IDS_FILE_ERR_CROSS_DEVICE},
    {zERR_FILE_OPENED, IDS_FILE_ERR_OPENED},
};

int MessageIdOf(int code)
{
    for (const zTErrorText& entry : s_errorTexts) {
        if (entry.code == code)
            return entry.messageId;
    }
    return IDS_FILE_ERR_UNKNOWN;
}

struct zTWriteBufferTable {
    std::mutex lock;
    std::unique_ptr<zCBuffer> buffers[zFILE_WRITE_BUFFER_COUNT];
    bool inUse[zFILE_WRITE_BUFFER_COUNT] = {};
};

zTWriteBufferTable& WriteBuffers()
{
    static zTWriteBufferTable table;
    return table;
}

std::atomic<int> s_openFiles{0};
std::atomic<bool> s_initialised{false};

} // namespace

zSTRING g_rootDirectory;
zSTRING g_currentDirectory("\\");

int FileErrorCode(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
        return zERR_FILE_ACCESS;
    case EEXIST:
        return zERR_FILE_EXISTS;
    case EINVAL:
        return zERR_FILE_INVALID;
    case EBADF:
        return zERR_FILE_BAD_HANDLE;
    case EMFILE:
        return zERR_FILE_TOO_MANY;
    case ENOENT:
        return zERR_FILE_NOT_FOUND;
    case ENOEXEC:
        return zERR_FILE_NOT_EXEC;
    case ENOSPC:
        return zERR_FILE_NO_SPACE;
    case EXDEV:
        return zERR_FILE_CROSS_DEVICE;
    case zERR_FILE_OPENED:
        return zERR_FILE_OPENED;
    default:
        return zERR_FILE_UNKNOWN;
    }
}

int ReportFileError(int operationWordId, const zSTRING& name, int level)
{
    const int code = FileErrorCode(errno);
    if (level == zERR_MESSAGE && g_errorReporter.GetFilterLevel() < 8)
        return code;
    zSTRING word = LoadResString(operationWordId);
    while (!word.empty() && word.back() == ' ')
        word.pop_back();
    zSTRING text = FormatResString(IDS_DISK_ERROR_FORMAT, LoadResString(MessageIdOf(code)), word);
    // The table's line break would split the line from the name that follows it.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (!name.empty())
        text += zSTRING(" \"") + name + "\"";
    g_errorReporter.Report(level, text);
    return code;
}

bool IsHostPath(const zSTRING& path)
{
#ifdef _WIN32
    (void)path;
    return false;
#else
    return !path.empty() && path[0] == '/';
#endif
}

zSTRING MakeFullPath(const zSTRING& path)
{
    if (IsHostPath(path))
        return path;
    if (!path.empty() && (path[0] == '\\' || path[0] == '/'))
        return g_rootDirectory + path;
    if (path.size() >= 2 && path[1] == ':')
        return path;
    return g_rootDirectory + g_currentDirectory + path;
}

bool InitFileSystem()
{
    if (g_errorReporter.GetFilterLevel() > 2)
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_INIT_FILE_SYSTEM));
    s_openFiles = 0;
    s_initialised = true;
    return true;
}

void DeinitFileSystem()
{
    const int open = s_openFiles.load();
    if (open > 0)
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_FILES_STILL_OPEN, open));
    s_initialised = false;
}

bool IsFileSystemInitialised()
{
    return s_initialised;
}

int GetOpenFileCount()
{
    return s_openFiles;
}

void NoteFileOpened()
{
    ++s_openFiles;
}

void NoteFileClosed()
{
    --s_openFiles;
}

zCBuffer* AcquireWriteBuffer()
{
    zTWriteBufferTable& table = WriteBuffers();
    int slot = -1;
    bool made = false;
    zCBuffer* buffer = nullptr;
    {
        std::lock_guard<std::mutex> guard(table.lock);
        for (int i = 0; i < zFILE_WRITE_BUFFER_COUNT && slot < 0; ++i) {
            if (table.inUse[i])
                continue;
            slot = i;
            table.inUse[i] = true;
            if (table.buffers[i]) {
                table.buffers[i]->Reset();
            } else {
                table.buffers[i] = std::make_unique<zCBuffer>();
                table.buffers[i]->Allocate(zFILE_WRITE_BUFFER_SIZE);
                made = true;
            }
            buffer = table.buffers[i].get();
        }
    }
    if (slot < 0) {
        // The writer goes on unbuffered: a warning, not the fatal level that would end the job.
        g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_TOO_MANY_BUFFERS));
        return nullptr;
    }
    if (made && g_errorReporter.GetFilterLevel() >= 4)
        g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_CREATE_BUFFER, slot));
    return buffer;
}

void ReleaseWriteBuffer(zCBuffer* buffer)
{
    if (!buffer)
        return;
    zTWriteBufferTable& table = WriteBuffers();
    std::lock_guard<std::mutex> guard(table.lock);
    for (int i = 0; i < zFILE_WRITE_BUFFER_COUNT; ++i) {
        if (table.buffers[i].get() == buffer) {
            buffer->Reset();
            table.inUse[i] = false;
        }
    }
}

int GetWriteBuffersInUse()
{
    zTWriteBufferTable& table = WriteBuffers();
    std::lock_guard<std::mutex> guard(table.lock);
    int count = 0;
    for (bool used : table.inUse)
        count += used ? 1 : 0;
    return count;
}
