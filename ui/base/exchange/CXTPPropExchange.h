// The settings exchange: one routine per object names each value once and runs
// both for saving and for loading; the exchange knows its direction and medium
// (a binary archive or an XML tree).
#pragma once

#include <windows.h>

#include "CCmdTarget.h"
#include "CObject.h"
#include "CString.h"
#include "Position.h"

class CArchive;
class CXTPPropExchangeEnumerator;

// Property type codes: the OLE variant numbers plus two of the library's own.
enum : VARTYPE {
    VT_EX_RECT = 100,  // left, top, right, bottom
    VT_EX_SIZE = 101,  // cx, cy (or x, y)
};

class CXTPPropExchange : public CCmdTarget {
    DECLARE_DYNAMIC(CXTPPropExchange)
public:
    ~CXTPPropExchange() override;

    // value points at a variable of the type; a CString's default is a plain
    // const char*. Without a default (null) a missing value keeps the variable.
    virtual BOOL ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue = nullptr) = 0;
    // Loading with a null data pointer allocates with malloc (the caller frees).
    virtual BOOL ExchangeBlob(const char* name, BYTE*& data, DWORD& size);
    virtual BOOL ExchangeRuntimeClass(const char* name, CRuntimeClass*& runtimeClass, CRuntimeClass* defaultClass);
    virtual BOOL ExchangeObjectInstance(CObject*& object, CRuntimeClass* expectedClass);
    virtual CArchive* GetArchive(const char* name);
    virtual void ReleaseArchive(const char* name, CArchive* archive);
    // A new section the caller deletes.
    virtual CXTPPropExchange* GetSection(const char* name) = 0;
    virtual void EmptySection();
    virtual void WriteCount(DWORD count);
    virtual DWORD ReadCount();
    virtual void Write(const char* name, const void* data, DWORD size);
    virtual DWORD Read(const char* name, void* data, DWORD size);
    virtual BOOL AllowsDefaultValues() const;
    virtual BOOL AllowsBlobValues() const;
    virtual BOOL OnBeforeExchange();
    // A new enumerator the caller deletes.
    virtual CXTPPropExchangeEnumerator* GetEnumerator(const char* prefix);

    BOOL IsLoading() const { return m_bLoading; }
    BOOL ExchangeSchema();
    void CopyInheritedSettings(const CXTPPropExchange* parent);

    // A count of items read back from the medium, limited to what the medium can
    // really hold; a damaged count is reported in the medium's way.
    virtual DWORD CheckLoadedCount(DWORD count);

    // A reader's cause of failure, kept for the caller: the first one counts. The XML medium
    // shares it with every section of its tree.
    virtual void RecordError(const CString& text);
    virtual CString GetErrorText() const;

    // Fixed size of a type code for comparing and copying; 0 for CString and unknown codes.
    static int GetSizeOfVarType(VARTYPE type);
    static BOOL IsSamePropValue(VARTYPE type, const void* value, const void* defaultValue);
    // Copies a default into a value; FALSE without a default or for an unknown code.
    static BOOL CopyPropValue(VARTYPE type, void* value, const void* defaultValue);

    DWORD_PTR m_dwData = 0;  // the caller's context; copied into sections, never read here
    BOOL m_bLoading = FALSE;
    UINT m_nSchema = 17;
    BOOL m_bChildSection = FALSE;
    BOOL m_bEmptySection = FALSE;
    BOOL m_bInitialized = FALSE;
    BOOL m_bUseDefaultOnLoad = TRUE;
    BOOL m_bUseDefaultOnSave = TRUE;

protected:
    explicit CXTPPropExchange(BOOL loading = FALSE);

    // Loads a blob stored as letter text; loaded receives its length (0 when missing).
    BOOL LoadBlobText(const char* name, BYTE*& data, DWORD& size, DWORD& loaded);

    // Set by PX_Serialize when the object failed: the archive is freed without storing it.
    BOOL m_bDiscardArchive = FALSE;
    CString m_strErrorText;
    friend BOOL PX_Serialize(CXTPPropExchange* px, const char* name, CObject* object);
};

// Numbered item sections of an exchange: prefix0, prefix1 ... with a count.
class CXTPPropExchangeEnumerator {
public:
    CXTPPropExchangeEnumerator(CXTPPropExchange* container, const char* prefix);
    virtual ~CXTPPropExchangeEnumerator();
    CXTPPropExchangeEnumerator(const CXTPPropExchangeEnumerator&) = delete;
    CXTPPropExchangeEnumerator& operator=(const CXTPPropExchangeEnumerator&) = delete;

    // Null when there is no item; loading takes the stored count.
    virtual POSITION GetPosition(DWORD count = 0, BOOL compactCount = TRUE);
    // The next item's section (the caller deletes it); pos becomes null after the last.
    virtual CXTPPropExchange* GetNext(POSITION& pos);

protected:
    CXTPPropExchange* m_pContainer;
    CString m_strSectionName;
    DWORD m_nCount = 0;
};

BOOL PX_Byte(CXTPPropExchange* px, const char* name, BYTE& value, BYTE defaultValue);
BOOL PX_Short(CXTPPropExchange* px, const char* name, short& value, short defaultValue);
BOOL PX_Long(CXTPPropExchange* px, const char* name, long& value);
BOOL PX_LongDefault(CXTPPropExchange* px, const char* name, long& value, long defaultValue);
BOOL PX_Bool(CXTPPropExchange* px, const char* name, BOOL& value, BOOL defaultValue);
BOOL PX_String(CXTPPropExchange* px, const char* name, CString& value);
BOOL PX_StringDefault(CXTPPropExchange* px, const char* name, CString& value, const char* defaultValue);
BOOL PX_Size(CXTPPropExchange* px, const char* name, SIZE& value, SIZE defaultValue);
BOOL PX_Rect(CXTPPropExchange* px, const char* name, RECT& value, RECT defaultValue);
BOOL PX_RuntimeClass(CXTPPropExchange* px, const char* name, CRuntimeClass*& runtimeClass, CRuntimeClass* defaultClass);
BOOL PX_Blob(CXTPPropExchange* px, const char* name, BYTE*& data, DWORD& size);
// Serialises the object through the exchange's archive for the name.
BOOL PX_Serialize(CXTPPropExchange* px, const char* name, CObject* object);

// Owns a section or enumerator for the length of a scope.
template <class T>
class CXTPPropExchangeOwner {
public:
    explicit CXTPPropExchangeOwner(T* object) : m_pObject(object) {}
    ~CXTPPropExchangeOwner() { delete m_pObject; }
    CXTPPropExchangeOwner(const CXTPPropExchangeOwner&) = delete;
    CXTPPropExchangeOwner& operator=(const CXTPPropExchangeOwner&) = delete;
    T* operator->() const { return m_pObject; }
    T* Get() const { return m_pObject; }
    operator T*() const { return m_pObject; }

private:
    T* m_pObject;
};
typedef CXTPPropExchangeOwner<CXTPPropExchange> CXTPPropExchangeSection;
