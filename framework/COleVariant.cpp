// The automation variant: construction, copies, type changes and archiving.
#ifdef _WIN32

#include "COleVariant.h"

#include <climits>
#include <cstring>
#include <cwchar>

#include "CArchive.h"
#include "CException.h"
#include "COleDateTime.h"

namespace {

// A BSTR from ANSI text; throws instead of returning null.
BSTR MakeBstr(const char* text, int length)
{
    if (!text || length <= 0) {
        BSTR empty = SysAllocStringLen(nullptr, 0);
        if (!empty)
            AfxThrowOleException(E_OUTOFMEMORY);
        return empty;
    }
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (wideLength <= 0)
        AfxThrowOleException(HRESULT_FROM_WIN32(GetLastError()));
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
    if (!result)
        AfxThrowOleException(E_OUTOFMEMORY);
    if (MultiByteToWideChar(CP_ACP, 0, text, length, result, wideLength) != wideLength) {
        const DWORD error = GetLastError();
        SysFreeString(result);
        AfxThrowOleException(HRESULT_FROM_WIN32(error));
    }
    return result;
}

// The text of a BSTR in the ANSI code page; a null BSTR reads as empty.
CString AnsiFromBstr(BSTR text)
{
    const UINT wideLength = SysStringLen(text);
    if (wideLength == 0)
        return CString();
    if (wideLength > static_cast<UINT>(INT_MAX))
        AfxThrowOleException(E_OUTOFMEMORY);
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(wideLength), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        AfxThrowOleException(HRESULT_FROM_WIN32(GetLastError()));
    CString result;
    char* buffer = result.GetBuffer(length);
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(wideLength), buffer, length, nullptr, nullptr);
    result.ReleaseBuffer(length);
    return result;
}

// Takes over src's value; src is left empty without being cleared.
void MoveInto(VARIANT& dest, VARIANT& src)
{
    VariantClear(&dest);
    dest = src;
    VariantInit(&src);
}

bool Storable(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I2:
    case VT_I4:
    case VT_ERROR:
    case VT_R4:
    case VT_R8:
    case VT_DATE:
    case VT_CY:
    case VT_BOOL:
    case VT_UI1:
    case VT_BSTR:
        return true;
    default:
        return false;
    }
}

} // namespace

COleVariant::COleVariant()
{
    VariantInit(this);
}

COleVariant::COleVariant(const COleVariant& src) : COleVariant(static_cast<const VARIANT&>(src)) {}

COleVariant::COleVariant(const VARIANT& src)
{
    VariantInit(this);
    const HRESULT hr = VariantCopy(this, const_cast<VARIANT*>(&src));
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

COleVariant::COleVariant(const char* text)
{
    VariantInit(this);
    const size_t length = text ? std::strlen(text) : 0;
    if (length > static_cast<size_t>(INT_MAX))
        AfxThrowOleException(E_OUTOFMEMORY);
    bstrVal = MakeBstr(text, static_cast<int>(length));
    vt = VT_BSTR;
}

COleVariant::COleVariant(const CString& text)
{
    VariantInit(this);
    bstrVal = MakeBstr(text, text.GetLength());
    vt = VT_BSTR;
}

COleVariant::COleVariant(long value, VARTYPE type)
{
    VariantInit(this);
    switch (type) {
    case VT_I4:
        lVal = value;
        break;
    case VT_I2:
        // Cutting the value down would store a different number.
        if (value < SHRT_MIN || value > SHRT_MAX)
            AfxThrowOleException(DISP_E_OVERFLOW);
        iVal = static_cast<SHORT>(value);
        break;
    case VT_BOOL:
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_ERROR:
        scode = value;
        break;
    default:
        AfxThrowOleException(E_INVALIDARG);
    }
    vt = type;
}

COleVariant::COleVariant(short value)
{
    VariantInit(this);
    vt = VT_I2;
    iVal = value;
}

COleVariant::COleVariant(BYTE value)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = value;
}

COleVariant::COleVariant(float value)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = value;
}

COleVariant::COleVariant(double value)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = value;
}

COleVariant::COleVariant(const COleDateTime& dt)
{
    VariantInit(this);
    switch (dt.GetStatus()) {
    case COleDateTime::valid:
        vt = VT_DATE;
        date = dt.m_dt;
        break;
    case COleDateTime::null:
        vt = VT_NULL;
        break;
    default:
        // An invalid date has no variant form; passing it on as a date would hide the fault.
        AfxThrowOleException(E_INVALIDARG);
    }
}

COleVariant::~COleVariant()
{
    VariantClear(this);
}

COleVariant& COleVariant::operator=(const COleVariant& src)
{
    return *this = static_cast<const VARIANT&>(src);
}

COleVariant& COleVariant::operator=(const VARIANT& src)
{
    if (&src == this)
        return *this;
    // Copied aside first, so a failed copy leaves this variant as it was.
    COleVariant copy(src);
    MoveInto(*this, copy);
    return *this;
}

COleVariant& COleVariant::operator=(const char* text)
{
    COleVariant value(text);
    MoveInto(*this, value);
    return *this;
}

COleVariant& COleVariant::operator=(const CString& text)
{
    COleVariant value(text);
    MoveInto(*this, value);
    return *this;
}

COleVariant& COleVariant::operator=(long value)
{
    Clear();
    vt = VT_I4;
    lVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(short value)
{
    Clear();
    vt = VT_I2;
    iVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(BYTE value)
{
    Clear();
    vt = VT_UI1;
    bVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(float value)
{
    Clear();
    vt = VT_R4;
    fltVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(double value)
{
    Clear();
    vt = VT_R8;
    dblVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(const COleDateTime& dt)
{
    COleVariant value(dt);
    MoveInto(*this, value);
    return *this;
}

void COleVariant::Clear()
{
    VariantClear(this);
    // VariantClear refuses unknown types; the value is dropped all the same.
    vt = VT_EMPTY;
}

void COleVariant::ChangeType(VARTYPE type, LPVARIANT src)
{
    if (!src)
        src = this;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeTypeEx(&converted, src, 0, 0, type);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    MoveInto(*this, converted);
}

bool COleVariant::operator==(const VARIANT& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_I2:
        return iVal == other.iVal;
    case VT_BOOL:
        return boolVal == other.boolVal;
    case VT_I4:
        return lVal == other.lVal;
    case VT_ERROR:
        return scode == other.scode;
    case VT_R4:
        return fltVal == other.fltVal;
    case VT_R8:
        return dblVal == other.dblVal;
    case VT_DATE:
        return date == other.date;
    case VT_CY:
        return cyVal.int64 == other.cyVal.int64;
    case VT_UI1:
        return bVal == other.bVal;
    case VT_I1:
        return cVal == other.cVal;
    case VT_UI2:
        return uiVal == other.uiVal;
    case VT_UI4:
        return ulVal == other.ulVal;
    case VT_INT:
        return intVal == other.intVal;
    case VT_UINT:
        return uintVal == other.uintVal;
    case VT_I8:
        return llVal == other.llVal;
    case VT_UI8:
        return ullVal == other.ullVal;
    case VT_DECIMAL:
        return decVal.scale == other.decVal.scale && decVal.sign == other.decVal.sign &&
               decVal.Hi32 == other.decVal.Hi32 && decVal.Lo64 == other.decVal.Lo64;
    case VT_BSTR: {
        const UINT length = SysStringLen(bstrVal);
        return length == SysStringLen(other.bstrVal) &&
               (length == 0 || std::wmemcmp(bstrVal, other.bstrVal, length) == 0);
    }
    default:
        // Objects, arrays and references: the same one.
        return byref == other.byref;
    }
}

CArchive& operator<<(CArchive& ar, const COleVariant& var)
{
    // Checked before anything is written, so a refused value leaves no partial record.
    if (!Storable(var.vt))
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    ar << static_cast<WORD>(var.vt);
    switch (var.vt) {
    case VT_I2:
        ar << static_cast<short>(var.iVal);
        break;
    case VT_BOOL:
        ar << static_cast<short>(var.boolVal);
        break;
    case VT_I4:
        ar << static_cast<LONG>(var.lVal);
        break;
    case VT_ERROR:
        ar << static_cast<LONG>(var.scode);
        break;
    case VT_R4:
        ar << var.fltVal;
        break;
    case VT_R8:
        ar << var.dblVal;
        break;
    case VT_DATE:
        ar << static_cast<double>(var.date);
        break;
    case VT_CY:
        ar << static_cast<DWORD>(var.cyVal.Lo) << static_cast<LONG>(var.cyVal.Hi);
        break;
    case VT_UI1:
        ar << static_cast<BYTE>(var.bVal);
        break;
    case VT_BSTR:
        ar << AnsiFromBstr(var.bstrVal);
        break;
    default:
        break;
    }
    return ar;
}

CArchive& operator>>(CArchive& ar, COleVariant& var)
{
    WORD type = 0;
    ar >> type;
    // Filled aside, so a failed load leaves the target as it was.
    COleVariant value;
    switch (type) {
    case VT_EMPTY:
    case VT_NULL:
        break;
    case VT_I2:
        ar >> value.iVal;
        break;
    case VT_BOOL: {
        short flag = 0;
        ar >> flag;
        value.boolVal = flag;
        break;
    }
    case VT_I4: {
        LONG number = 0;
        ar >> number;
        value.lVal = number;
        break;
    }
    case VT_ERROR: {
        LONG code = 0;
        ar >> code;
        value.scode = code;
        break;
    }
    case VT_R4:
        ar >> value.fltVal;
        break;
    case VT_R8:
        ar >> value.dblVal;
        break;
    case VT_DATE: {
        double date = 0.0;
        ar >> date;
        value.date = date;
        break;
    }
    case VT_CY: {
        DWORD low = 0;
        LONG high = 0;
        ar >> low >> high;
        value.cyVal.Lo = low;
        value.cyVal.Hi = high;
        break;
    }
    case VT_UI1: {
        BYTE byte = 0;
        ar >> byte;
        value.bVal = byte;
        break;
    }
    case VT_BSTR: {
        CString text;
        ar >> text;
        value.bstrVal = MakeBstr(text, text.GetLength());
        break;
    }
    default:
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    }
    value.vt = type;
    MoveInto(var, value);
    return ar;
}

#endif
