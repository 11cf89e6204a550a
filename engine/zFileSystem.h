// The file layer's globals: root and current directory, the write buffers shared
// by buffered files, the open-files count, and the disk-error report.
#pragma once

#include "ResourceIds.h"
#include "zSTRING.h"

class zCBuffer;

// Empty at start; SetRootDirectory sets it (upper case, no trailing '\').
extern zSTRING g_rootDirectory;
// "\" at start; the build worker sets it for each job.
extern zSTRING g_currentDirectory;

// Error codes of the file operations; 0 is success.
enum zTFileError {
    zERR_FILE_NO_NAME = 2,
    zERR_FILE_UNKNOWN = 5100,
    zERR_FILE_ACCESS = 5101,
    zERR_FILE_EXISTS = 5102,
    zERR_FILE_INVALID = 5103,
    zERR_FILE_BAD_HANDLE = 5104,
    zERR_FILE_TOO_MANY = 5105,
    zERR_FILE_NOT_FOUND = 5106,
    zERR_FILE_NOT_EXEC = 5107,
    zERR_FILE_NO_SPACE = 5108,
    zERR_FILE_CROSS_DEVICE = 5109,
    zERR_FILE_OPENED = 5110,
};

// String-table ids of the operation words of the disk-error report.
enum zTFileOperationWord {
    zFILE_OP_CREATE = IDS_FILE_OP_CREATE,
    zFILE_OP_WRITE = IDS_FILE_OP_WRITE,
    zFILE_OP_CLOSE = IDS_FILE_OP_CLOSE,
    zFILE_OP_OPEN = IDS_FILE_OP_OPEN,
    zFILE_OP_READ = IDS_FILE_OP_READ,
    zFILE_OP_REMOVE_DIR = IDS_FILE_OP_REMOVE_DIR,
    zFILE_OP_REMOVE_FILE = IDS_FILE_OP_REMOVE_FILE,
};

const int zFILE_WRITE_BUFFER_COUNT = 6;
const int zFILE_WRITE_BUFFER_SIZE = 102400;

// The code of a runtime error number (errno); 5110 stands for itself.
int FileErrorCode(int errorNumber);

// Reports the failure that errno describes as "zDISK: <message> in <operation>",
// followed by the quoted name when there is one, at the given level (level 1 only
// while the filter level is at least 8), and returns its code. Level 4 does not
// return under the default fatal handler.
int ReportFileError(int operationWordId, const zSTRING& name, int level);

// The path the disk operations use: root + path for a path beginning with '\',
// a path with a drive or a host path as it is, anything else root + current
// directory + path.
zSTRING MakeFullPath(const zSTRING& path);
// Off Windows, a path beginning with '/' is the host's own absolute spelling (the
// start folder comes so from the system): outside the root, as a path with a drive
// is on Windows. Engine paths below the root begin with '\'. Always false on Windows.
bool IsHostPath(const zSTRING& path);

bool InitFileSystem();
// Warns about files still open.
void DeinitFileSystem();
bool IsFileSystemInitialised();

// Streams opened and not yet closed by the file objects.
int GetOpenFileCount();
void NoteFileOpened();
void NoteFileClosed();

// One of the six shared write buffers, emptied; null (after a warning) when all
// are in use. A buffer once made stays in its slot and is reused.
zCBuffer* AcquireWriteBuffer();
// Empties the buffer and frees its slot.
void ReleaseWriteBuffer(zCBuffer* buffer);
int GetWriteBuffersInUse();
