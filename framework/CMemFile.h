// A file in memory: a growable buffer of its own (malloc'ed) or a buffer of the caller.
#pragma once

#include "CFile.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)

public:
    // Growable, starting empty; capacity grows in whole steps of growBytes (0 counts as 1024).
    explicit CMemFile(UINT growBytes = 1024);
    // Attaches the caller's buffer; see Attach.
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    ~CMemFile() override;

    // Drops the current contents and takes buffer, whose size bytes are the file's
    // data. The buffer stays the caller's. With growBytes 0 the file cannot grow past
    // size; otherwise growing moves the data to a malloc'ed block the file owns.
    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Hands over the buffer and leaves the file empty. A block the file allocated is
    // the caller's to free(); read GetLength() first for the data length.
    BYTE* Detach();

    // A write the buffer cannot take throws CMemoryException* (fixed buffer full, no
    // memory, or past 4 GiB) and leaves the contents unchanged.
    UINT Read(void* buf, UINT count) override;
    void Write(const void* buf, UINT count) override;
    // Positions past the end are allowed; a write there fills the gap with zeros.
    ULONGLONG Seek(LONGLONG off, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG newLength) override;
    void Flush() override;
    // Frees an owned buffer and leaves the file empty; IsOpen is FALSE from then on
    // (a memory file is open from its construction or Attach).
    void Close() override;
    void Abort() override;

    // Capacity of the buffer; for checking the growth steps.
    UINT GetBufferSize() const { return m_nBufferSize; }

private:
    void Free();
    void GrowTo(ULONGLONG newSize);

    BYTE* m_lpBuffer = nullptr;
    UINT m_nBufferSize = 0;
    UINT m_nFileSize = 0;
    ULONGLONG m_nPosition = 0;
    UINT m_nGrowBytes = 1024;
    bool m_bOwned = false;
};
