// Binary archive over a CFile: little-endian numbers, counted strings and object
// graphs with class records. The byte forms are fixed; stored documents use them.
// Missing or damaged input throws CArchiveException* with the cause and file name.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "CException.h"
#include "CFile.h"
#include "CObject.h"
#include "CString.h"

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // The buffer, when given, stays the caller's; bufSize is raised to a small minimum.
    CArchive(CFile* file, UINT mode, int bufSize = 4096, void* buf = nullptr);
    // A storing archive flushes unless made with bNoFlushOnDelete, closed or aborted;
    // errors are dropped here (call Close to see them).
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const;
    BOOL IsStoring() const;
    CFile* GetFile() const;

    // Bytes read; fewer at the end of the file, without an exception.
    UINT Read(void* buf, UINT max);
    void Write(const void* buf, UINT count);
    // Storing: writes the buffer out and flushes the file. Loading: moves the file back
    // over the bytes buffered but not yet read.
    void Flush();
    // Flushes and lets go of the file.
    void Close();
    // Lets go of the file without writing what is buffered; never throws.
    void Abort();
    // Makes at least bytesNeeded bytes available in the buffer; endOfFile when the
    // file has fewer.
    void FillBuffer(UINT bytesNeeded);
    // Loading: the bytes still to read (buffered and in the file), to bound counts.
    ULONGLONG GetBytesLeft();

    // Below 0xFFFF a 16-bit word, else 0xFFFF and a 32-bit count; larger counts throw.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR count);

    // Numbers, little-endian: char and BYTE one byte, short and WORD two, int, UINT,
    // LONG and DWORD four, float and double as IEEE bytes, LONGLONG and ULONGLONG eight.
    // There is no bool form: a bool would also catch stray pointers, so a bool goes
    // through an integer of the caller's choice.
    CArchive& operator<<(BYTE v);
    CArchive& operator<<(WORD v);
    CArchive& operator<<(short v);
    CArchive& operator<<(char v);
    CArchive& operator<<(int v);
    CArchive& operator<<(UINT v);
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(LONGLONG v);
    CArchive& operator<<(ULONGLONG v);
    CArchive& operator>>(BYTE& v);
    CArchive& operator>>(WORD& v);
    CArchive& operator>>(short& v);
    CArchive& operator>>(char& v);
    CArchive& operator>>(int& v);
    CArchive& operator>>(UINT& v);
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(LONGLONG& v);
    CArchive& operator>>(ULONGLONG& v);
#ifdef _WIN32
    // Natively LONG and DWORD are int and UINT themselves.
    CArchive& operator<<(LONG v);
    CArchive& operator<<(DWORD v);
    CArchive& operator>>(LONG& v);
    CArchive& operator>>(DWORD& v);
#endif

    // requested, when given, is the class (or a base of it) the object must have.
    // When the new object's Serialize throws, ReadObject deletes it (its destructor must
    // cope with a half-loaded state) and references to what it loaded read as null.
    CObject* ReadObject(const CRuntimeClass* requested);
    void WriteObject(const CObject* obj);
    // Null for a null reference. schema receives the stored schema; objTag receives the
    // object index when the reference is to an object rather than a class.
    CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr, UINT* schema = nullptr,
                             DWORD* objTag = nullptr);
    void WriteClass(const CRuntimeClass* cls);
    // Enters obj into the reference table as if it had been stored or loaded here, so
    // later references to an object exchanged by other means resolve.
    void MapObject(const CObject* obj);

    // The stored schema of the object whose Serialize runs; (UINT)-1 outside one.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT schema);

    // For error messages; the file's path at construction.
    CString m_strFileName;

private:
    struct LoadEntry {
        void* pointer;   // CObject* or CRuntimeClass*
        bool isClass;
        UINT schema;     // stored schema of a class
    };

    void CheckLoading();
    void CheckStoring();
    [[noreturn]] void Fail(int cause) const;
    void WriteBytes(const void* data, UINT count);
    void ReadBytes(void* data, UINT count);
    void WriteReference(DWORD index, bool isClass);
    DWORD NextIndex();
    CString ReadString();
    void WriteString(const CString& text);

    friend CArchive& operator<<(CArchive& ar, const CString& text);
    friend CArchive& operator>>(CArchive& ar, CString& text);

    CFile* m_pFile;
    UINT m_nMode;
    bool m_bUserBuf;
    bool m_bDone = false;  // closed or aborted
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;     // storing: end of the buffer; loading: end of the data read
    UINT m_nBufSize;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    UINT m_nLoadDepth = 0;
    DWORD m_nMapCount = 1;
    std::unique_ptr<std::unordered_map<const void*, DWORD>> m_pStoreMap;
    std::vector<LoadEntry> m_loadArray;
};

CArchive& operator<<(CArchive& ar, const CString& text);
CArchive& operator>>(CArchive& ar, CString& text);
CArchive& operator<<(CArchive& ar, const CObject* obj);
CArchive& operator>>(CArchive& ar, CObject*& obj);
