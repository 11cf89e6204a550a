// The platform's automation variant with value semantics: it owns what it holds
// (strings are BSTRs) and frees it on destruction.
#pragma once

#ifdef _WIN32

#include <windows.h>
#include <oleauto.h>

#include "CString.h"

class CArchive;
class COleDateTime;

class COleVariant : public tagVARIANT {
public:
    COleVariant();  // VT_EMPTY
    // Copies throw COleException when the platform cannot copy the value.
    COleVariant(const COleVariant& src);
    COleVariant(const VARIANT& src);
    // VT_BSTR; the text is converted from the ANSI code page. Null reads as empty.
    COleVariant(const char* text);
    COleVariant(const CString& text);
    // vt is VT_I4, VT_I2, VT_BOOL (nonzero becomes VARIANT_TRUE) or VT_ERROR; any other
    // type throws COleException(E_INVALIDARG).
    COleVariant(long value, VARTYPE vt = VT_I4);
    COleVariant(short value);   // VT_I2
    COleVariant(BYTE value);    // VT_UI1
    COleVariant(float value);   // VT_R4
    COleVariant(double value);  // VT_R8
    // VT_DATE, or VT_NULL for a null date; an invalid date throws COleException(E_INVALIDARG).
    COleVariant(const COleDateTime& dt);
    ~COleVariant();

    // Assignments give the same types as the matching constructors.
    COleVariant& operator=(const COleVariant& src);
    COleVariant& operator=(const VARIANT& src);
    COleVariant& operator=(const char* text);
    COleVariant& operator=(const CString& text);
    COleVariant& operator=(long value);
    COleVariant& operator=(short value);
    COleVariant& operator=(BYTE value);
    COleVariant& operator=(float value);
    COleVariant& operator=(double value);
    COleVariant& operator=(const COleDateTime& dt);

    void Clear();  // frees the value, leaves VT_EMPTY

    // Converts src (this variant when null) to vt in place, with the neutral locale.
    // Throws COleException with the platform's error; this variant is unchanged then.
    void ChangeType(VARTYPE vt, LPVARIANT src = nullptr);

    // Same type and same value; strings compare by content, objects by identity.
    bool operator==(const VARIANT& other) const;
    bool operator!=(const VARIANT& other) const { return !(*this == other); }
};

// Stored form: the 16-bit VARTYPE, then by type
//   VT_EMPTY, VT_NULL       nothing
//   VT_I2, VT_BOOL          2 bytes (the VARIANT_BOOL for VT_BOOL)
//   VT_I4, VT_ERROR, VT_R4  4 bytes
//   VT_R8, VT_DATE          8 bytes, the double's bits
//   VT_CY                   8 bytes: the low 32 bits, then the high 32
//   VT_UI1                  1 byte
//   VT_BSTR                 the text in the ANSI code page as a stored CString
// all little-endian. Storing any other type throws CArchiveException(genericException);
// loading an unknown type throws CArchiveException(badIndex) with the file's name.
CArchive& operator<<(CArchive& ar, const COleVariant& var);
CArchive& operator>>(CArchive& ar, COleVariant& var);

#endif
