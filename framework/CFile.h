// Binary disk files through the C runtime, with 64-bit positions on every host.
// Faults throw CFileException* carrying the cause, the system error and the path.
#pragma once

#include <cstdio>

#include "CException.h"
#include "CObject.h"
#include "CString.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)

public:
    // Sharing and inheritance flags are accepted and not enforced: the C runtime has
    // no portable way to ask for them.
    enum OpenFlags {
        modeRead = 0,
        modeWrite = 1,
        modeReadWrite = 2,
        shareCompat = 0,
        shareExclusive = 0x10,
        shareDenyWrite = 0x20,
        shareDenyRead = 0x30,
        shareDenyNone = 0x40,
        modeNoInherit = 0x80,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile();
    // Throws CFileException* when the file cannot be opened.
    CFile(const char* fileName, UINT openFlags);
    // Closes without throwing.
    ~CFile() override;

    // FALSE on failure; error, when given, then receives the cause, the system error
    // and the file name.
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);

    // Bytes read; 0 at the end.
    virtual UINT Read(void* buf, UINT count);
    // Writes all or throws (diskFull and the like).
    virtual void Write(const void* buf, UINT count);
    // The new position from the start; a position before the start throws badSeek.
    virtual ULONGLONG Seek(LONGLONG off, UINT from);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    ULONGLONG SeekToEnd();
    void SeekToBegin();

    virtual void Flush();
    // Throws when buffered data cannot be written; the file is closed either way.
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    // The path as opened, and its last component.
    CString GetFilePath() const;
    CString GetFileName() const;
    BOOL IsOpen() const;

protected:
    // Throws CFileException* with the cause matching errno.
    [[noreturn]] void ThrowErrno(int err) const;
    // The C runtime needs a seek between reading and writing on one stream.
    void PrepareRead();
    void PrepareWrite();

    std::FILE* m_pStream = nullptr;
    BOOL m_bOpen = FALSE;
    CString m_strFileName;

private:
    enum LastOp { opNone, opRead, opWrite };
    LastOp m_lastOp = opNone;
};
