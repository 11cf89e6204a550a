// The binary archive: buffering, numbers, counted strings and the class and object records.
#include "CArchive.h"

#include <climits>
#include <cstring>
#include <new>

#include "CArray.h"

namespace {

const UINT kMinBufSize = 64;
// Class names are short; a longer one in a file is damage.
const UINT kMaxClassNameLength = 64;
// Objects nest through their Serialize; damaged input could nest them until the
// stack runs out, so loading stops at this depth.
const UINT kMaxLoadDepth = 1000;

const WORD kNullTag = 0;
const WORD kBigTag = 0x7FFF;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const DWORD kBigClassTag = 0x80000000u;
const DWORD kMaxIndex = 0x7FFFFFFEu;

} // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufSize, void* buf)
    : m_pFile(file), m_nMode(mode), m_bUserBuf(buf != nullptr)
{
    m_nBufSize = bufSize < static_cast<int>(kMinBufSize) ? kMinBufSize : static_cast<UINT>(bufSize);
    if (buf && bufSize < static_cast<int>(kMinBufSize)) {
        // Too small to hold a number; use our own.
        m_bUserBuf = false;
        buf = nullptr;
    }
    m_lpBufStart = m_bUserBuf ? static_cast<BYTE*>(buf) : new BYTE[m_nBufSize];
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    if (m_pFile)
        m_strFileName = m_pFile->GetFilePath();
    m_loadArray.push_back(LoadEntry{nullptr, false, 0});
}

CArchive::~CArchive()
{
    if (!m_bDone && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

BOOL CArchive::IsLoading() const
{
    return (m_nMode & load) != 0;
}

BOOL CArchive::IsStoring() const
{
    return (m_nMode & load) == 0;
}

CFile* CArchive::GetFile() const
{
    return m_pFile;
}

void CArchive::Fail(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::CheckLoading()
{
    if (!IsLoading())
        Fail(CArchiveException::writeOnly);
    if (m_bDone || !m_pFile)
        Fail(CArchiveException::genericException);
}

void CArchive::CheckStoring()
{
    if (!IsStoring())
        Fail(CArchiveException::readOnly);
    if (m_bDone || !m_pFile)
        Fail(CArchiveException::genericException);
}

UINT CArchive::Read(void* buf, UINT max)
{
    CheckLoading();
    BYTE* out = static_cast<BYTE*>(buf);
    UINT done = 0;
    UINT buffered = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    UINT n = buffered < max ? buffered : max;
    if (n) {
        std::memcpy(out, m_lpBufCur, n);
        m_lpBufCur += n;
        done = n;
    }
    // The rest comes straight from the file when it is large, else through the buffer.
    while (done < max) {
        UINT left = max - done;
        if (left >= m_nBufSize) {
            UINT got = m_pFile->Read(out + done, left);
            if (got == 0)
                break;
            done += got;
            continue;
        }
        UINT got = m_pFile->Read(m_lpBufStart, m_nBufSize);
        m_lpBufCur = m_lpBufStart;
        m_lpBufMax = m_lpBufStart + got;
        if (got == 0)
            break;
        UINT take = got < left ? got : left;
        std::memcpy(out + done, m_lpBufCur, take);
        m_lpBufCur += take;
        done += take;
    }
    return done;
}

void CArchive::Write(const void* buf, UINT count)
{
    CheckStoring();
    const BYTE* in = static_cast<const BYTE*>(buf);
    UINT room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (count <= room) {
        std::memcpy(m_lpBufCur, in, count);
        m_lpBufCur += count;
        return;
    }
    // Out with the buffer, then large blocks go straight to the file. The buffer is
    // emptied first so a failed write is not repeated by a later flush.
    UINT pending = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
    m_lpBufCur = m_lpBufStart;
    m_pFile->Write(m_lpBufStart, pending);
    if (count >= m_nBufSize) {
        m_pFile->Write(in, count);
        return;
    }
    std::memcpy(m_lpBufCur, in, count);
    m_lpBufCur += count;
}

void CArchive::Flush()
{
    if (m_bDone || !m_pFile)
        return;
    if (IsStoring()) {
        UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
        m_lpBufCur = m_lpBufStart;
        if (n)
            m_pFile->Write(m_lpBufStart, n);
        m_pFile->Flush();
    } else {
        LONGLONG unread = m_lpBufMax - m_lpBufCur;
        if (unread)
            m_pFile->Seek(-unread, CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    }
}

void CArchive::Close()
{
    if (m_bDone)
        return;
    // Let go of the file even when the flush throws.
    struct Release {
        CArchive* ar;
        ~Release()
        {
            ar->m_bDone = true;
            ar->m_pFile = nullptr;
        }
    } release{this};
    Flush();
}

void CArchive::Abort()
{
    m_bDone = true;
    m_pFile = nullptr;
    m_lpBufCur = m_lpBufStart;
}

void CArchive::FillBuffer(UINT bytesNeeded)
{
    CheckLoading();
    if (bytesNeeded > m_nBufSize)
        Fail(CArchiveException::genericException);
    UINT have = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (have >= bytesNeeded)
        return;
    if (have && m_lpBufCur != m_lpBufStart)
        std::memmove(m_lpBufStart, m_lpBufCur, have);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + have;
    while (have < bytesNeeded) {
        UINT got = m_pFile->Read(m_lpBufMax, m_nBufSize - have);
        if (got == 0)
            Fail(CArchiveException::endOfFile);
        have += got;
        m_lpBufMax += got;
    }
}

ULONGLONG CArchive::GetBytesLeft()
{
    CheckLoading();
    ULONGLONG buffered = static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
    ULONGLONG length = m_pFile->GetLength();
    ULONGLONG position = m_pFile->GetPosition();
    return buffered + (length > position ? length - position : 0);
}

void CArchive::WriteBytes(const void* data, UINT count)
{
    CheckStoring();
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < count)
        Write(data, count);
    else {
        std::memcpy(m_lpBufCur, data, count);
        m_lpBufCur += count;
    }
}

void CArchive::ReadBytes(void* data, UINT count)
{
    if (static_cast<UINT>(m_lpBufMax - m_lpBufCur) < count)
        FillBuffer(count);
    else
        CheckLoading();
    std::memcpy(data, m_lpBufCur, count);
    m_lpBufCur += count;
}

namespace {

template <class U>
void PutLittle(BYTE* out, U value, int size)
{
    for (int i = 0; i < size; ++i)
        out[i] = static_cast<BYTE>((value >> (8 * i)) & 0xFF);
}

template <class U>
U GetLittle(const BYTE* in, int size)
{
    U value = 0;
    for (int i = 0; i < size; ++i)
        value |= static_cast<U>(static_cast<U>(in[i]) << (8 * i));
    return value;
}

} // namespace

#define TAVRELIN_ARCHIVE_NUMBER(Type, Unsigned)                     \
    CArchive& CArchive::operator<<(Type v)                          \
    {                                                               \
        static_assert(sizeof(Type) == sizeof(Unsigned), "width");   \
        Unsigned bits;                                              \
        std::memcpy(&bits, &v, sizeof bits);                        \
        BYTE bytes[sizeof(Type)];                                   \
        PutLittle(bytes, bits, sizeof(Type));                       \
        WriteBytes(bytes, sizeof bytes);                            \
        return *this;                                               \
    }                                                               \
    CArchive& CArchive::operator>>(Type& v)                         \
    {                                                               \
        BYTE bytes[sizeof(Type)];                                   \
        ReadBytes(bytes, sizeof bytes);                             \
        Unsigned bits = GetLittle<Unsigned>(bytes, sizeof(Type));   \
        std::memcpy(&v, &bits, sizeof bits);                        \
        return *this;                                               \
    }

TAVRELIN_ARCHIVE_NUMBER(BYTE, std::uint8_t)
TAVRELIN_ARCHIVE_NUMBER(WORD, std::uint16_t)
TAVRELIN_ARCHIVE_NUMBER(short, std::uint16_t)
TAVRELIN_ARCHIVE_NUMBER(char, std::uint8_t)
TAVRELIN_ARCHIVE_NUMBER(int, std::uint32_t)
TAVRELIN_ARCHIVE_NUMBER(UINT, std::uint32_t)
TAVRELIN_ARCHIVE_NUMBER(float, std::uint32_t)
TAVRELIN_ARCHIVE_NUMBER(double, std::uint64_t)
TAVRELIN_ARCHIVE_NUMBER(LONGLONG, std::uint64_t)
TAVRELIN_ARCHIVE_NUMBER(ULONGLONG, std::uint64_t)
#ifdef _WIN32
TAVRELIN_ARCHIVE_NUMBER(LONG, std::uint32_t)
TAVRELIN_ARCHIVE_NUMBER(DWORD, std::uint32_t)
#endif

#undef TAVRELIN_ARCHIVE_NUMBER

DWORD_PTR CArchive::ReadCount()
{
    WORD word;
    *this >> word;
    if (word != 0xFFFF)
        return word;
    UINT count;
    *this >> count;
    return count;
}

void CArchive::WriteCount(DWORD_PTR count)
{
    CheckStoring();
    if (count < 0xFFFF) {
        *this << static_cast<WORD>(count);
        return;
    }
    if (static_cast<ULONGLONG>(count) > 0xFFFFFFFFu)
        Fail(CArchiveException::genericException);
    *this << static_cast<WORD>(0xFFFF) << static_cast<UINT>(count);
}

void CArchive::WriteString(const CString& text)
{
    UINT length = static_cast<UINT>(text.GetLength());
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    Write(static_cast<const char*>(text), length);
}

CString CArchive::ReadString()
{
    BYTE byte;
    *this >> byte;
    ULONGLONG length = byte;
    if (byte == 0xFF) {
        WORD word;
        *this >> word;
        length = word;
        if (word == 0xFFFF) {
            UINT big;
            *this >> big;
            length = big;
        } else if (word == 0xFFFE) {
            // Never written: it marks a string form this program does not store.
            Fail(CArchiveException::genericException);
        }
    }
    // A length beyond the data is damage; refuse it before allocating.
    if (length > GetBytesLeft() || length > static_cast<ULONGLONG>(INT_MAX))
        Fail(CArchiveException::endOfFile);
    CString text;
    if (length) {
        char* chars = text.GetBuffer(static_cast<int>(length));
        UINT got = Read(chars, static_cast<UINT>(length));
        text.ReleaseBuffer(static_cast<int>(got));
        if (got != length)
            Fail(CArchiveException::endOfFile);
    }
    return text;
}

CArchive& operator<<(CArchive& ar, const CString& text)
{
    ar.WriteString(text);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& text)
{
    text = ar.ReadString();
    return ar;
}

DWORD CArchive::NextIndex()
{
    if (m_nMapCount > kMaxIndex)
        Fail(CArchiveException::badIndex);
    return m_nMapCount++;
}

void CArchive::WriteReference(DWORD index, bool isClass)
{
    if (index < kBigTag)
        *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
    else
        *this << kBigTag << static_cast<UINT>(isClass ? (kBigClassTag | index) : index);
}

void CArchive::WriteClass(const CRuntimeClass* cls)
{
    CheckStoring();
    if (!cls || !cls->m_lpszClassName)
        Fail(CArchiveException::badClass);
    UINT schema = cls->m_wSchema & ~static_cast<UINT>(VERSIONABLE_SCHEMA);
    size_t nameLength = std::strlen(cls->m_lpszClassName);
    // What could not be loaded back is not written.
    if (cls->m_wSchema == 0xFFFF || nameLength == 0 || nameLength > kMaxClassNameLength)
        Fail(CArchiveException::badClass);
    if (schema >= 0xFFFF)
        Fail(CArchiveException::badSchema);
    if (!m_pStoreMap)
        m_pStoreMap.reset(new std::unordered_map<const void*, DWORD>);
    auto found = m_pStoreMap->find(cls);
    if (found != m_pStoreMap->end()) {
        WriteReference(found->second, true);
        return;
    }
    *this << kNewClassTag << static_cast<WORD>(schema) << static_cast<WORD>(nameLength);
    Write(cls->m_lpszClassName, static_cast<UINT>(nameLength));
    (*m_pStoreMap)[cls] = NextIndex();
}

void CArchive::WriteObject(const CObject* obj)
{
    CheckStoring();
    if (!obj) {
        *this << kNullTag;
        return;
    }
    if (!m_pStoreMap)
        m_pStoreMap.reset(new std::unordered_map<const void*, DWORD>);
    auto found = m_pStoreMap->find(obj);
    if (found != m_pStoreMap->end()) {
        WriteReference(found->second, false);
        return;
    }
    const CRuntimeClass* cls = obj->GetRuntimeClass();
    // An object that could not be created again on loading is not written.
    if (!cls->m_pfnCreateObject)
        Fail(CArchiveException::badClass);
    WriteClass(cls);
    // Entered first, so the object's own data may refer back to it.
    (*m_pStoreMap)[obj] = NextIndex();
    const_cast<CObject*>(obj)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema, DWORD* objTag)
{
    CheckLoading();
    WORD tag;
    *this >> tag;
    DWORD index;
    bool isClass;
    if (tag == kNewClassTag) {
        WORD stored;
        WORD nameLength;
        *this >> stored >> nameLength;
        if (nameLength == 0 || nameLength > kMaxClassNameLength)
            Fail(CArchiveException::badClass);
        char name[kMaxClassNameLength + 1];
        if (Read(name, nameLength) != nameLength)
            Fail(CArchiveException::endOfFile);
        name[nameLength] = '\0';
        CRuntimeClass* cls = CRuntimeClass::FromName(name);
        if (!cls || cls->m_wSchema == 0xFFFF)
            Fail(CArchiveException::badClass);
        if (!(cls->m_wSchema & VERSIONABLE_SCHEMA) && cls->m_wSchema != stored)
            Fail(CArchiveException::badSchema);
        if (requested && !cls->IsDerivedFrom(requested))
            Fail(CArchiveException::badClass);
        DWORD newIndex = NextIndex();
        m_loadArray.push_back(LoadEntry{cls, true, stored});
        if (schema)
            *schema = stored;
        if (objTag)
            *objTag = kBigClassTag | newIndex;
        return cls;
    }
    if (tag == kBigTag) {
        UINT big;
        *this >> big;
        isClass = (big & kBigClassTag) != 0;
        index = big & ~kBigClassTag;
    } else {
        isClass = (tag & kClassTag) != 0;
        index = tag & ~static_cast<DWORD>(kClassTag);
    }
    if (!isClass) {
        if (objTag)
            *objTag = index;
        if (index == 0)
            return nullptr;
        // An object where only a class may stand.
        if (!objTag)
            Fail(CArchiveException::badIndex);
        return nullptr;
    }
    if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
        Fail(CArchiveException::badIndex);
    CRuntimeClass* cls = static_cast<CRuntimeClass*>(m_loadArray[index].pointer);
    if (requested && !cls->IsDerivedFrom(requested))
        Fail(CArchiveException::badClass);
    if (schema)
        *schema = m_loadArray[index].schema;
    if (objTag)
        *objTag = kBigClassTag | index;
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested)
{
    UINT schema = 0;
    DWORD tag = 0;
    CRuntimeClass* cls = ReadClass(requested, &schema, &tag);
    if (!cls) {
        if (tag == 0)
            return nullptr;
        if (tag >= m_loadArray.size() || m_loadArray[tag].isClass)
            Fail(CArchiveException::badIndex);
        CObject* obj = static_cast<CObject*>(m_loadArray[tag].pointer);
        if (obj && requested && !obj->IsKindOf(requested))
            Fail(CArchiveException::badClass);
        return obj;
    }
    if (!cls->m_pfnCreateObject)
        Fail(CArchiveException::badClass);
    if (m_nLoadDepth >= kMaxLoadDepth)
        Fail(CArchiveException::genericException);
    CObject* obj = cls->CreateObject();
    if (!obj)
        AfxThrowMemoryException();
    DWORD index;
    try {
        index = NextIndex();
        m_loadArray.push_back(LoadEntry{obj, false, 0});
    } catch (...) {
        delete obj;
        throw;
    }
    UINT outerSchema = m_nObjectSchema;
    m_nObjectSchema = schema;
    ++m_nLoadDepth;
    try {
        obj->Serialize(*this);
    } catch (...) {
        // The half-loaded object is ours to free, and with it whatever it loaded: their
        // entries must not be handed out again.
        --m_nLoadDepth;
        m_nObjectSchema = outerSchema;
        for (size_t i = index; i < m_loadArray.size(); ++i) {
            if (!m_loadArray[i].isClass)
                m_loadArray[i].pointer = nullptr;
        }
        delete obj;
        throw;
    }
    --m_nLoadDepth;
    m_nObjectSchema = outerSchema;
    return obj;
}

void CArchive::MapObject(const CObject* obj)
{
    if (IsStoring()) {
        if (!m_pStoreMap)
            m_pStoreMap.reset(new std::unordered_map<const void*, DWORD>);
        DWORD index = NextIndex();
        if (obj)
            (*m_pStoreMap)[obj] = index;
    } else {
        NextIndex();
        m_loadArray.push_back(LoadEntry{const_cast<CObject*>(obj), false, 0});
    }
}

UINT CArchive::GetObjectSchema()
{
    return m_nObjectSchema;
}

void CArchive::SetObjectSchema(UINT schema)
{
    m_nObjectSchema = schema;
}

CArchive& operator<<(CArchive& ar, const CObject* obj)
{
    ar.WriteObject(obj);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& obj)
{
    obj = ar.ReadObject(nullptr);
    return ar;
}

void CStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        for (int i = 0; i < GetSize(); ++i)
            ar << GetAt(i);
        return;
    }
    RemoveAll();
    DWORD_PTR count = ar.ReadCount();
    // Each string takes at least its length byte.
    if (count > ar.GetBytesLeft() || count > static_cast<DWORD_PTR>(INT_MAX))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    SetSize(static_cast<int>(count));
    for (int i = 0; i < static_cast<int>(count); ++i)
        ar >> ElementAt(i);
}
