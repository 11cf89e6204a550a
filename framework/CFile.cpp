// Binary disk files over the C runtime: opening, reading, writing, seeking and their faults.
#include "CFile.h"

#include <cerrno>
#include <climits>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/types.h>
#include <unistd.h>
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)

namespace {

int CauseOf(int err)
{
    switch (err) {
    case ENOENT:
        return CFileException::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return CFileException::badPath;
    case EMFILE:
    case ENFILE:
        return CFileException::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return CFileException::accessDenied;
    case EBADF:
        return CFileException::invalidFile;
    case ENOSPC:
        return CFileException::diskFull;
    case EIO:
        return CFileException::hardIO;
    default:
        return CFileException::genericException;
    }
}

int SeekTo(std::FILE* stream, LONGLONG off, int whence)
{
#ifdef _WIN32
    return _fseeki64(stream, off, whence);
#else
    return fseeko(stream, static_cast<off_t>(off), whence);
#endif
}

LONGLONG Tell(std::FILE* stream)
{
#ifdef _WIN32
    return _ftelli64(stream);
#else
    return static_cast<LONGLONG>(ftello(stream));
#endif
}

} // namespace

CFile::CFile() = default;

CFile::CFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_pStream) {
        std::fclose(m_pStream);
        m_pStream = nullptr;
    }
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (m_bOpen)
        Abort();
    m_strFileName = fileName;
    m_lastOp = opNone;
    UINT access = openFlags & 3;
    int err = 0;
    if (!fileName || !*fileName || access == 3) {
        err = EINVAL;
    } else {
        const char* mode;
        if (openFlags & modeCreate)
            mode = (openFlags & modeNoTruncate) ? "r+b" : "w+b";
        else
            mode = access == modeRead ? "rb" : "r+b";
        errno = 0;
        m_pStream = std::fopen(fileName, mode);
        // modeNoTruncate opens an existing file and creates a missing one.
        if (!m_pStream && (openFlags & modeCreate) && (openFlags & modeNoTruncate) && errno == ENOENT) {
            errno = 0;
            m_pStream = std::fopen(fileName, "w+b");
        }
        if (!m_pStream)
            err = errno ? errno : EINVAL;
    }
    if (err) {
        if (error) {
            error->m_cause = CauseOf(err);
            error->m_lOsError = err;
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_bOpen = TRUE;
    return TRUE;
}

void CFile::ThrowErrno(int err) const
{
    AfxThrowFileException(CauseOf(err), err, m_strFileName);
}

void CFile::PrepareRead()
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (m_lastOp == opWrite)
        SeekTo(m_pStream, 0, SEEK_CUR);
    m_lastOp = opRead;
}

void CFile::PrepareWrite()
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (m_lastOp == opRead)
        SeekTo(m_pStream, 0, SEEK_CUR);
    m_lastOp = opWrite;
}

UINT CFile::Read(void* buf, UINT count)
{
    PrepareRead();
    if (count == 0)
        return 0;
    errno = 0;
    size_t n = std::fread(buf, 1, count, m_pStream);
    if (n < count && std::ferror(m_pStream)) {
        int err = errno ? errno : EIO;
        std::clearerr(m_pStream);
        ThrowErrno(err);
    }
    return static_cast<UINT>(n);
}

void CFile::Write(const void* buf, UINT count)
{
    PrepareWrite();
    if (count == 0)
        return;
    errno = 0;
    size_t n = std::fwrite(buf, 1, count, m_pStream);
    if (n < count) {
        int err = errno ? errno : ENOSPC;
        std::clearerr(m_pStream);
        ThrowErrno(err);
    }
}

ULONGLONG CFile::Seek(LONGLONG off, UINT from)
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : from == end ? SEEK_END : -1;
    if (whence < 0)
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    errno = 0;
    if (SeekTo(m_pStream, off, whence) != 0)
        AfxThrowFileException(CFileException::badSeek, errno ? errno : EINVAL, m_strFileName);
    m_lastOp = opNone;
    LONGLONG pos = Tell(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetPosition() const
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    LONGLONG pos = Tell(m_pStream);
    if (pos < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    // Seeking keeps the stream's data; the position goes back where it was.
    LONGLONG pos = Tell(m_pStream);
    if (pos < 0 || SeekTo(m_pStream, 0, SEEK_END) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    LONGLONG length = Tell(m_pStream);
    if (SeekTo(m_pStream, pos, SEEK_SET) != 0 || length < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return static_cast<ULONGLONG>(length);
}

void CFile::SetLength(ULONGLONG newLength)
{
    if (!m_pStream)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (newLength > static_cast<ULONGLONG>(LLONG_MAX))
        AfxThrowFileException(CFileException::badSeek, EINVAL, m_strFileName);
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno);
    errno = 0;
#ifdef _WIN32
    int rc = _chsize_s(_fileno(m_pStream), static_cast<__int64>(newLength));
    if (rc != 0)
        ThrowErrno(rc);
#else
    if (ftruncate(fileno(m_pStream), static_cast<off_t>(newLength)) != 0)
        ThrowErrno(errno);
#endif
    m_lastOp = opNone;
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

void CFile::Flush()
{
    if (!m_pStream)
        return;
    errno = 0;
    if (std::fflush(m_pStream) != 0)
        ThrowErrno(errno ? errno : EIO);
}

void CFile::Close()
{
    std::FILE* stream = m_pStream;
    m_pStream = nullptr;
    m_bOpen = FALSE;
    m_lastOp = opNone;
    if (!stream)
        return;
    errno = 0;
    if (std::fclose(stream) != 0)
        ThrowErrno(errno ? errno : EIO);
}

void CFile::Abort()
{
    if (m_pStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_bOpen = FALSE;
    m_lastOp = opNone;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileName() const
{
    const char* path = m_strFileName;
    const char* name = path;
    for (const char* p = path; *p; ++p) {
#ifdef _WIN32
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
#else
        if (*p == '/')
            name = p + 1;
#endif
    }
    return name;
}

BOOL CFile::IsOpen() const
{
    return m_bOpen;
}
