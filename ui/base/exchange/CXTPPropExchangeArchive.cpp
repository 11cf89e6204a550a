// The settings exchange over a binary archive.
#include "CXTPPropExchangeArchive.h"

#include <cstdlib>
#include <new>

#include "CArchive.h"
#include "COleDateTime.h"
#include "COleVariant.h"

IMPLEMENT_DYNAMIC(CXTPPropExchangeArchive, CXTPPropExchange)

namespace {

// Reads and drops count bytes, so that the values after a refused blob stay in step.
void SkipBytes(CArchive& archive, DWORD count)
{
    BYTE scratch[4096];
    while (count > 0) {
        UINT chunk = count < sizeof(scratch) ? count : static_cast<UINT>(sizeof(scratch));
        if (archive.Read(scratch, chunk) != chunk)
            AfxThrowArchiveException(CArchiveException::endOfFile, archive.m_strFileName);
        count -= chunk;
    }
}

template <class T>
void Exchange(CArchive& archive, void* value)
{
    if (archive.IsLoading())
        archive >> *static_cast<T*>(value);
    else
        archive << *static_cast<const T*>(value);
}

// Rectangles and sizes: their 32-bit fields in order.
void ExchangeLongs(CArchive& archive, LONG* fields, int count)
{
    for (int i = 0; i < count; ++i)
        Exchange<LONG>(archive, &fields[i]);
}

} // namespace

CXTPPropExchangeArchive::CXTPPropExchangeArchive(CArchive& archive)
    : CXTPPropExchange(archive.IsLoading()), m_pArchive(&archive)
{
}

BOOL CXTPPropExchangeArchive::ExchangeProp(const char*, VARTYPE type, void* value, const void*)
{
    OnBeforeExchange();
    CArchive& archive = *m_pArchive;
    switch (type) {
    case VT_UI1:
        Exchange<BYTE>(archive, value);
        return TRUE;
    case VT_I2:
        Exchange<short>(archive, value);
        return TRUE;
    case VT_I4:
    case VT_BOOL:  // as stored, not normalised
        Exchange<LONG>(archive, value);
        return TRUE;
    case VT_R4:
        Exchange<float>(archive, value);
        return TRUE;
    case VT_R8:
        Exchange<double>(archive, value);
        return TRUE;
    case VT_CY:
        Exchange<LONGLONG>(archive, &static_cast<CY*>(value)->int64);
        return TRUE;
    case VT_DATE:
        Exchange<COleDateTime>(archive, value);
        return TRUE;
    case VT_VARIANT:
        Exchange<COleVariant>(archive, value);
        return TRUE;
    case VT_LPSTR:
        Exchange<CString>(archive, value);
        return TRUE;
    case VT_EX_RECT: {
        RECT* rect = static_cast<RECT*>(value);
        LONG fields[4] = {rect->left, rect->top, rect->right, rect->bottom};
        ExchangeLongs(archive, fields, 4);
        *rect = RECT{fields[0], fields[1], fields[2], fields[3]};
        return TRUE;
    }
    case VT_EX_SIZE: {
        SIZE* size = static_cast<SIZE*>(value);
        LONG fields[2] = {size->cx, size->cy};
        ExchangeLongs(archive, fields, 2);
        *size = SIZE{fields[0], fields[1]};
        return TRUE;
    }
    default:
        // No byte form (a BSTR among them): nothing is written or read, and the
        // caller learns that the value did not travel.
        return FALSE;
    }
}

BOOL CXTPPropExchangeArchive::ExchangeBlob(const char*, BYTE*& data, DWORD& size)
{
    OnBeforeExchange();
    CArchive& archive = *m_pArchive;
    if (!m_bLoading) {
        archive.WriteCount(size);
        if (size)
            archive.Write(data, size);
        return TRUE;
    }
    DWORD count = CheckLoadedCount(static_cast<DWORD>(archive.ReadCount()));
    if (!data) {
        if (count == 0) {
            size = 0;
            return TRUE;
        }
        data = static_cast<BYTE*>(std::malloc(count));
        if (!data) {
            SkipBytes(archive, count);
            return FALSE;
        }
        size = count;
    } else if (size < count) {
        SkipBytes(archive, count);
        return FALSE;
    }
    return archive.Read(data, count) == count;
}

BOOL CXTPPropExchangeArchive::ExchangeRuntimeClass(const char*, CRuntimeClass*& runtimeClass,
                                                   CRuntimeClass* defaultClass)
{
    OnBeforeExchange();
    if (!m_bLoading) {
        m_pArchive->WriteClass(runtimeClass);
        return TRUE;
    }
    UINT schema = m_nSchema;
    runtimeClass = m_pArchive->ReadClass(defaultClass, &schema);
    if (!runtimeClass)
        return FALSE;
    m_nSchema = schema;
    return TRUE;
}

BOOL CXTPPropExchangeArchive::ExchangeObjectInstance(CObject*& object, CRuntimeClass* expectedClass)
{
    if (!CXTPPropExchange::ExchangeObjectInstance(object, expectedClass))
        return FALSE;
    // Later object references of the archive may point at this one.
    m_pArchive->MapObject(object);
    return TRUE;
}

CArchive* CXTPPropExchangeArchive::GetArchive(const char*)
{
    return m_pArchive;
}

void CXTPPropExchangeArchive::ReleaseArchive(const char*, CArchive*) {}

CXTPPropExchange* CXTPPropExchangeArchive::GetSection(const char*)
{
    CXTPPropExchangeArchive* section = new (std::nothrow) CXTPPropExchangeArchive(*m_pArchive);
    if (section)
        section->CopyInheritedSettings(this);
    return section;
}

void CXTPPropExchangeArchive::WriteCount(DWORD count)
{
    m_pArchive->WriteCount(count);
}

DWORD CXTPPropExchangeArchive::ReadCount()
{
    return CheckLoadedCount(static_cast<DWORD>(m_pArchive->ReadCount()));
}

void CXTPPropExchangeArchive::Write(const char*, const void* data, DWORD size)
{
    m_pArchive->Write(data, size);
}

DWORD CXTPPropExchangeArchive::Read(const char*, void* data, DWORD size)
{
    return m_pArchive->Read(data, size);
}

BOOL CXTPPropExchangeArchive::AllowsDefaultValues() const
{
    return FALSE;
}

BOOL CXTPPropExchangeArchive::AllowsBlobValues() const
{
    return TRUE;
}

DWORD CXTPPropExchangeArchive::CheckLoadedCount(DWORD count)
{
    if (count > m_pArchive->GetBytesLeft())
        AfxThrowArchiveException(CArchiveException::endOfFile, m_pArchive->m_strFileName);
    return count;
}
