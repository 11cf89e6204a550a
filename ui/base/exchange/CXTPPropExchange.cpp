// The settings exchange: value sizes, defaults, blobs, classes, objects and section archives.
#include "CXTPPropExchange.h"

#include <oleauto.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>

#include "CArchive.h"
#include "CException.h"
#include "CMemFile.h"
#include "COleDateTime.h"
#include "COleVariant.h"

static_assert(sizeof(long) == 4, "PX_Long exchanges a 32-bit value");
static_assert(sizeof(BOOL) == 4, "BOOL values are exchanged as 32 bits");

IMPLEMENT_DYNAMIC(CXTPPropExchange, CCmdTarget)

namespace {

const UINT kArchiveBufferSize = 4096;
const UINT kArchiveGrowBytes = 1024;

const wchar_t* WideOrEmpty(BSTR text)
{
    return text ? text : L"";
}

} // namespace

CXTPPropExchange::CXTPPropExchange(BOOL loading) : m_bLoading(loading) {}

CXTPPropExchange::~CXTPPropExchange() = default;

int CXTPPropExchange::GetSizeOfVarType(VARTYPE type)
{
    switch (type) {
    case VT_UI1:
        return 1;
    case VT_I2:
        return 2;
    case VT_I4:
    case VT_R4:
    case VT_BOOL:
        return 4;
    case VT_BSTR:
        return static_cast<int>(sizeof(BSTR));
    case VT_R8:
    case VT_CY:
    case VT_EX_SIZE:
        return 8;
    case VT_DATE:
        return 12;  // the date's double and its status
    case VT_VARIANT:
        return static_cast<int>(sizeof(VARIANT));
    case VT_EX_RECT:
        return 16;
    default:
        return 0;
    }
}

BOOL CXTPPropExchange::IsSamePropValue(VARTYPE type, const void* value, const void* defaultValue)
{
    if (value == defaultValue)
        return TRUE;
    if (!value || !defaultValue || type < VT_I2 || type > VT_EX_SIZE)
        return FALSE;
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_BOOL:
    case VT_UI1:
    case VT_EX_RECT:
    case VT_EX_SIZE:
        return std::memcmp(value, defaultValue, static_cast<size_t>(GetSizeOfVarType(type))) == 0;
    case VT_LPSTR:
        return static_cast<const CString*>(value)->Compare(static_cast<const char*>(defaultValue)) == 0;
    case VT_BSTR:
        return std::wcscmp(WideOrEmpty(*static_cast<const BSTR*>(value)),
                           WideOrEmpty(*static_cast<const BSTR*>(defaultValue))) == 0;
    default:
        // Dates and variants never count as equal, so they are always written.
        return FALSE;
    }
}

BOOL CXTPPropExchange::CopyPropValue(VARTYPE type, void* value, const void* defaultValue)
{
    if (!defaultValue)
        return FALSE;
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BOOL:
    case VT_UI1:
    case VT_EX_RECT:
    case VT_EX_SIZE:
        std::memcpy(value, defaultValue, static_cast<size_t>(GetSizeOfVarType(type)));
        return TRUE;
    case VT_BSTR: {
        BSTR source = *static_cast<const BSTR*>(defaultValue);
        *static_cast<BSTR*>(value) = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        return TRUE;
    }
    case VT_VARIANT:
        try {
            *static_cast<COleVariant*>(value) = *static_cast<const COleVariant*>(defaultValue);
        } catch (COleException* e) {
            e->Delete();
        }
        return TRUE;
    case VT_LPSTR:
        *static_cast<CString*>(value) = static_cast<const char*>(defaultValue);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CXTPPropExchange::ExchangeBlob(const char* name, BYTE*& data, DWORD& size)
{
    if (!m_bLoading) {
        // Each byte as two letters: A plus the low half, then A plus the high half.
        if (size > 0x3FFFFFFF || (size && !data))
            return FALSE;
        CString text;
        char* out = text.GetBuffer(static_cast<int>(size * 2));
        for (DWORD i = 0; i < size; ++i) {
            out[2 * i] = static_cast<char>('A' + (data[i] & 0x0F));
            out[2 * i + 1] = static_cast<char>('A' + (data[i] >> 4));
        }
        text.ReleaseBuffer(static_cast<int>(size * 2));
        return ExchangeProp(name, VT_LPSTR, &text, "");
    }

    DWORD loaded = 0;
    return LoadBlobText(name, data, size, loaded);
}

BOOL CXTPPropExchange::LoadBlobText(const char* name, BYTE*& data, DWORD& size, DWORD& loaded)
{
    loaded = 0;
    CString text;
    ExchangeProp(name, VT_LPSTR, &text, "");
    if (text.IsEmpty())
        return TRUE;
    if (text.GetLength() % 2 != 0)
        return FALSE;
    DWORD count = static_cast<DWORD>(text.GetLength() / 2);
    if (!data) {
        data = static_cast<BYTE*>(std::malloc(count));
        if (!data)
            return FALSE;
        size = count;
    } else if (size < count) {
        return FALSE;
    }
    const unsigned char* letters = reinterpret_cast<const unsigned char*>(static_cast<const char*>(text));
    for (DWORD i = 0; i < count; ++i)
        data[i] = static_cast<BYTE>((letters[2 * i + 1] << 4) + letters[2 * i] - 0x51);
    loaded = count;
    return TRUE;
}

BOOL CXTPPropExchange::ExchangeRuntimeClass(const char* name, CRuntimeClass*& runtimeClass,
                                            CRuntimeClass* defaultClass)
{
    if (m_bLoading) {
        CString className;
        if (!ExchangeProp(name, VT_LPSTR, &className, nullptr)) {
            runtimeClass = defaultClass;
            return TRUE;
        }
        runtimeClass = CRuntimeClass::FromName(className);
        return runtimeClass != nullptr;
    }
    CString className = runtimeClass ? runtimeClass->m_lpszClassName : "";
    return ExchangeProp(name, VT_LPSTR, &className, defaultClass ? defaultClass->m_lpszClassName : nullptr);
}

BOOL CXTPPropExchange::ExchangeObjectInstance(CObject*& object, CRuntimeClass* expectedClass)
{
    if (!m_bLoading) {
        if (!object)
            return FALSE;
        CRuntimeClass* runtimeClass = object->GetRuntimeClass();
        return ExchangeRuntimeClass("Class", runtimeClass, expectedClass);
    }
    CRuntimeClass* runtimeClass = nullptr;
    object = nullptr;
    if (!ExchangeRuntimeClass("Class", runtimeClass, expectedClass) || !runtimeClass)
        return FALSE;
    // The file names the class: check it before anything of it is created.
    if (expectedClass && !runtimeClass->IsDerivedFrom(expectedClass))
        return FALSE;
    object = runtimeClass->CreateObject();
    return object != nullptr;
}

CArchive* CXTPPropExchange::GetArchive(const char* name)
{
    if (m_bLoading) {
        BYTE* data = nullptr;
        DWORD size = 0;
        if (!ExchangeBlob(name, data, size) || !data)
            return nullptr;
        if (size == 0) {
            std::free(data);
            return nullptr;
        }
        CMemFile* file = new (std::nothrow) CMemFile(data, size);
        CArchive* archive = file ? new (std::nothrow) CArchive(file, CArchive::load, kArchiveBufferSize) : nullptr;
        if (!archive) {
            delete file;
            std::free(data);
        }
        return archive;
    }
    CMemFile* file = new (std::nothrow) CMemFile(kArchiveGrowBytes);
    CArchive* archive = file ? new (std::nothrow) CArchive(file, CArchive::store, kArchiveBufferSize) : nullptr;
    if (!archive)
        delete file;
    return archive;
}

void CXTPPropExchange::ReleaseArchive(const char* name, CArchive* archive)
{
    if (!archive)
        return;
    CMemFile* file = static_cast<CMemFile*>(archive->GetFile());
    BOOL discard = m_bDiscardArchive;
    m_bDiscardArchive = FALSE;
    if (!m_bLoading && !discard) {
        // Bytes that could not all be flushed are not stored: half an object is worse than none.
        bool flushed = true;
        try {
            archive->Flush();
        } catch (CException* e) {
            e->Delete();
            flushed = false;
        }
        if (flushed) {
            DWORD size = static_cast<DWORD>(file->GetLength());
            BYTE* data = file->Detach();
            ExchangeBlob(name, data, size);
            std::free(data);
        }
    }
    archive->Abort();
    std::free(file->Detach());
    file->Abort();
    delete file;
    delete archive;
}

void CXTPPropExchange::EmptySection()
{
    m_bEmptySection = TRUE;
}

void CXTPPropExchange::WriteCount(DWORD count)
{
    DWORD zero = 0;
    ExchangeProp("Count", VT_I4, &count, &zero);
}

DWORD CXTPPropExchange::ReadCount()
{
    DWORD count = 0;
    DWORD zero = 0;
    ExchangeProp("Count", VT_I4, &count, &zero);
    return count;
}

void CXTPPropExchange::Write(const char* name, const void* data, DWORD size)
{
    BYTE* bytes = static_cast<BYTE*>(const_cast<void*>(data));
    ExchangeBlob(name, bytes, size);
}

DWORD CXTPPropExchange::Read(const char* name, void* data, DWORD size)
{
    // Without a buffer the blob would be allocated and lost.
    if (!data)
        return 0;
    BYTE* bytes = static_cast<BYTE*>(data);
    DWORD available = size;
    if (!m_bLoading)
        return ExchangeBlob(name, bytes, available) ? size : 0;
    // The bytes really loaded: a missing or shorter blob must not pass for a full one.
    DWORD loaded = 0;
    return LoadBlobText(name, bytes, available, loaded) ? loaded : 0;
}

BOOL CXTPPropExchange::AllowsDefaultValues() const
{
    return TRUE;
}

BOOL CXTPPropExchange::AllowsBlobValues() const
{
    return FALSE;
}

BOOL CXTPPropExchange::OnBeforeExchange()
{
    m_bInitialized = TRUE;
    return TRUE;
}

CXTPPropExchangeEnumerator* CXTPPropExchange::GetEnumerator(const char* prefix)
{
    return new (std::nothrow) CXTPPropExchangeEnumerator(this, prefix);
}

BOOL CXTPPropExchange::ExchangeSchema()
{
    UINT defaultSchema = 17;
    return ExchangeProp("Schema", VT_I4, &m_nSchema, &defaultSchema);
}

void CXTPPropExchange::CopyInheritedSettings(const CXTPPropExchange* parent)
{
    m_bChildSection = TRUE;
    if (!parent)
        return;
    m_nSchema = parent->m_nSchema;
    m_dwData = parent->m_dwData;
    m_bEmptySection = parent->m_bEmptySection;
    m_bUseDefaultOnLoad = parent->m_bUseDefaultOnLoad;
    m_bUseDefaultOnSave = parent->m_bUseDefaultOnSave;
}

DWORD CXTPPropExchange::CheckLoadedCount(DWORD count)
{
    return count;
}

void CXTPPropExchange::RecordError(const CString& text)
{
    if (m_strErrorText.IsEmpty())
        m_strErrorText = text;
}

CString CXTPPropExchange::GetErrorText() const
{
    return m_strErrorText;
}

CXTPPropExchangeEnumerator::CXTPPropExchangeEnumerator(CXTPPropExchange* container, const char* prefix)
    : m_pContainer(container), m_strSectionName(prefix)
{
}

CXTPPropExchangeEnumerator::~CXTPPropExchangeEnumerator() = default;

POSITION CXTPPropExchangeEnumerator::GetPosition(DWORD count, BOOL compactCount)
{
    m_nCount = count;
    if (!m_pContainer)
        return nullptr;
    if (!compactCount) {
        DWORD zero = 0;
        m_pContainer->ExchangeProp("Count", VT_I4, &m_nCount, &zero);
    } else if (m_pContainer->IsLoading()) {
        m_nCount = m_pContainer->ReadCount();
    } else {
        m_pContainer->WriteCount(m_nCount);
    }
    if (m_pContainer->IsLoading())
        m_nCount = m_pContainer->CheckLoadedCount(m_nCount);
    return m_nCount ? reinterpret_cast<POSITION>(static_cast<DWORD_PTR>(1)) : nullptr;
}

CXTPPropExchange* CXTPPropExchangeEnumerator::GetNext(POSITION& pos)
{
    DWORD_PTR index = reinterpret_cast<DWORD_PTR>(pos);
    if (!m_pContainer || index == 0)
        return nullptr;
    CString name;
    name.Format("%s%i", static_cast<const char*>(m_strSectionName), static_cast<int>(index - 1));
    CXTPPropExchange* section = m_pContainer->GetSection(name);
    ++index;
    pos = index > m_nCount ? nullptr : reinterpret_cast<POSITION>(index);
    return section;
}

BOOL PX_Byte(CXTPPropExchange* px, const char* name, BYTE& value, BYTE defaultValue)
{
    return px->ExchangeProp(name, VT_UI1, &value, &defaultValue);
}

BOOL PX_Short(CXTPPropExchange* px, const char* name, short& value, short defaultValue)
{
    return px->ExchangeProp(name, VT_I2, &value, &defaultValue);
}

BOOL PX_Long(CXTPPropExchange* px, const char* name, long& value)
{
    return px->ExchangeProp(name, VT_I4, &value, nullptr);
}

BOOL PX_LongDefault(CXTPPropExchange* px, const char* name, long& value, long defaultValue)
{
    return px->ExchangeProp(name, VT_I4, &value, &defaultValue);
}

BOOL PX_Bool(CXTPPropExchange* px, const char* name, BOOL& value, BOOL defaultValue)
{
    return px->ExchangeProp(name, VT_BOOL, &value, &defaultValue);
}

BOOL PX_String(CXTPPropExchange* px, const char* name, CString& value)
{
    return px->ExchangeProp(name, VT_LPSTR, &value, nullptr);
}

BOOL PX_StringDefault(CXTPPropExchange* px, const char* name, CString& value, const char* defaultValue)
{
    return px->ExchangeProp(name, VT_LPSTR, &value, defaultValue);
}

BOOL PX_Size(CXTPPropExchange* px, const char* name, SIZE& value, SIZE defaultValue)
{
    return px->ExchangeProp(name, VT_EX_SIZE, &value, &defaultValue);
}

BOOL PX_Rect(CXTPPropExchange* px, const char* name, RECT& value, RECT defaultValue)
{
    return px->ExchangeProp(name, VT_EX_RECT, &value, &defaultValue);
}

BOOL PX_RuntimeClass(CXTPPropExchange* px, const char* name, CRuntimeClass*& runtimeClass,
                     CRuntimeClass* defaultClass)
{
    return px->ExchangeRuntimeClass(name, runtimeClass, defaultClass);
}

BOOL PX_Blob(CXTPPropExchange* px, const char* name, BYTE*& data, DWORD& size)
{
    return px->ExchangeBlob(name, data, size);
}

BOOL PX_Serialize(CXTPPropExchange* px, const char* name, CObject* object)
{
    CArchive* archive = px->GetArchive(name);
    if (!archive)
        return FALSE;
    BOOL result = TRUE;
    try {
        object->Serialize(*archive);
    } catch (CArchiveException* e) {
        e->Delete();
        result = FALSE;
    } catch (COleException* e) {
        e->Delete();
        result = FALSE;
    } catch (...) {
        px->m_bDiscardArchive = TRUE;
        px->ReleaseArchive(name, archive);
        px->m_bDiscardArchive = FALSE;
        throw;
    }
    // What a failed object wrote is not stored: half an object is worse than none.
    px->m_bDiscardArchive = !result;
    px->ReleaseArchive(name, archive);
    px->m_bDiscardArchive = FALSE;
    return result;
}
