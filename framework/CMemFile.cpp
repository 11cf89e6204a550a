// Files in memory: the growing buffer, reads, writes and seeks.
#include "CMemFile.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

namespace {

const ULONGLONG kMaxSize = 0xFFFFFFFFu;

} // namespace

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes ? growBytes : 1024), m_bOwned(true)
{
    m_bOpen = TRUE;
}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes)
{
    Attach(buffer, size, growBytes);
}

CMemFile::~CMemFile()
{
    Free();
}

void CMemFile::Free()
{
    if (m_bOwned)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = 0;
    m_nPosition = 0;
}

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes)
{
    Free();
    m_lpBuffer = buffer;
    m_nBufferSize = m_nFileSize = buffer ? size : 0;
    m_nGrowBytes = growBytes;
    m_bOwned = false;
    m_bOpen = TRUE;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = 0;
    m_nPosition = 0;
    // What follows is a block of the file's own again.
    m_bOwned = true;
    return buffer;
}

void CMemFile::GrowTo(ULONGLONG newSize)
{
    if (newSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || newSize > kMaxSize)
        AfxThrowMemoryException();
    ULONGLONG capacity = (newSize + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    if (capacity > kMaxSize)
        capacity = kMaxSize;
    BYTE* fresh;
    if (m_bOwned) {
        fresh = static_cast<BYTE*>(std::realloc(m_lpBuffer, static_cast<size_t>(capacity)));
    } else {
        // The caller's buffer stays where it is; the data moves to a block of our own.
        fresh = static_cast<BYTE*>(std::malloc(static_cast<size_t>(capacity)));
        if (fresh && m_nFileSize)
            std::memcpy(fresh, m_lpBuffer, m_nFileSize);
    }
    if (!fresh)
        AfxThrowMemoryException();
    m_lpBuffer = fresh;
    m_nBufferSize = static_cast<UINT>(capacity);
    m_bOwned = true;
}

UINT CMemFile::Read(void* buf, UINT count)
{
    if (m_nPosition >= m_nFileSize || count == 0)
        return 0;
    ULONGLONG left = m_nFileSize - m_nPosition;
    UINT n = left < count ? static_cast<UINT>(left) : count;
    std::memcpy(buf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* buf, UINT count)
{
    if (count == 0)
        return;
    ULONGLONG newEnd = m_nPosition + count;
    GrowTo(newEnd);
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<size_t>(m_nPosition - m_nFileSize));
    std::memcpy(m_lpBuffer + m_nPosition, buf, count);
    m_nPosition = newEnd;
    if (newEnd > m_nFileSize)
        m_nFileSize = static_cast<UINT>(newEnd);
}

ULONGLONG CMemFile::Seek(LONGLONG off, UINT from)
{
    LONGLONG base;
    if (from == begin)
        base = 0;
    else if (from == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (from == end)
        base = static_cast<LONGLONG>(m_nFileSize);
    else
        AfxThrowFileException(CFileException::badSeek);
    // Checked before adding, so no offset can overflow the sum.
    if ((off < 0 && -(off + 1) >= base) || (off > 0 && static_cast<ULONGLONG>(off) > kMaxSize))
        AfxThrowFileException(CFileException::badSeek);
    LONGLONG pos = base + off;
    if (static_cast<ULONGLONG>(pos) > kMaxSize)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<ULONGLONG>(pos);
    return m_nPosition;
}

ULONGLONG CMemFile::GetPosition() const
{
    return m_nPosition;
}

ULONGLONG CMemFile::GetLength() const
{
    return m_nFileSize;
}

void CMemFile::SetLength(ULONGLONG newLength)
{
    GrowTo(newLength);
    if (newLength > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<size_t>(newLength - m_nFileSize));
    m_nFileSize = static_cast<UINT>(newLength);
}

void CMemFile::Flush()
{
}

void CMemFile::Close()
{
    Free();
    m_bOwned = true;
    m_bOpen = FALSE;
}

void CMemFile::Abort()
{
    Close();
}
