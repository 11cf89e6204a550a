// The calls of the platform's XML document object that the XML settings medium
// makes, with owning holders for its pointers and strings and one error type.
// MinGW ships neither the document's class and interface ids nor a compiler COM
// support library, so both are here.
#pragma once

#ifdef _WIN32

#include <windows.h>
#include <ole2.h>
#include <msxml.h>

#include <string>

#include "CString.h"

extern const CLSID kXmlDocumentClassId;
extern const IID kXmlDocumentInterfaceId;
extern const IID kXmlNodeInterfaceId;
extern const IID kXmlElementInterfaceId;

// A failed document call: its result code and what was being done.
class CXmlComError {
public:
    CXmlComError(HRESULT hr, const char* what) : m_hr(hr), m_strWhat(what) {}

    // "what (0x80004005)"
    CString GetErrorText() const;

    HRESULT m_hr;
    CString m_strWhat;
};

[[noreturn]] void XmlThrow(HRESULT hr, const char* what);
// Throws for a failed result; S_FALSE (not found) passes.
void XmlCheck(HRESULT hr, const char* what);

// Owns one reference of an interface pointer.
template <class T>
class CXmlPtr {
public:
    CXmlPtr() = default;
    // Takes a reference the caller already owns.
    explicit CXmlPtr(T* p) : m_p(p) {}
    CXmlPtr(const CXmlPtr& other) : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    CXmlPtr(CXmlPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~CXmlPtr() { Release(); }
    CXmlPtr& operator=(CXmlPtr other) noexcept
    {
        T* p = m_p;
        m_p = other.m_p;
        other.m_p = p;
        return *this;
    }

    // Adds a reference of its own.
    static CXmlPtr Share(T* p)
    {
        if (p)
            p->AddRef();
        return CXmlPtr(p);
    }

    void Release()
    {
        if (m_p) {
            T* p = m_p;
            m_p = nullptr;
            p->Release();
        }
    }
    // For out-parameters: drops what is held first.
    T** operator&()
    {
        Release();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// Owns a BSTR.
class CXmlBstr {
public:
    CXmlBstr() = default;
    // From text in the ANSI code page; out of memory throws E_OUTOFMEMORY.
    explicit CXmlBstr(const CString& text);
    explicit CXmlBstr(const std::wstring& text);
    ~CXmlBstr();
    CXmlBstr(const CXmlBstr&) = delete;
    CXmlBstr& operator=(const CXmlBstr&) = delete;

    BSTR* operator&();
    operator BSTR() const { return m_bstr; }
    const wchar_t* GetText() const { return m_bstr ? m_bstr : L""; }
    int GetLength() const;
    std::wstring ToWide() const;
    // In the ANSI code page.
    CString ToString() const;

private:
    BSTR m_bstr = nullptr;
};

CString XmlWideToString(const std::wstring& text);
std::wstring XmlStringToWide(const CString& text);

// The document calls; every failure throws CXmlComError.
namespace XmlDom {

// Null when the platform has no document object (not an error of the data).
CXmlPtr<IXMLDOMDocument> CreateDocument();
// The node's own document: itself when it is one.
CXmlPtr<IXMLDOMDocument> GetDocumentOf(IXMLDOMNode* node);
CXmlPtr<IXMLDOMNode> AsNode(IUnknown* object);
bool IsDocument(IXMLDOMNode* node);

// The first child element with exactly this name after the child element after
// (from the first child when after is null); null when there is none. Names are
// compared whole, never put into a query.
CXmlPtr<IXMLDOMNode> FindChildElement(IXMLDOMNode* parent, const wchar_t* name, IXMLDOMNode* after = nullptr);
DWORD CountChildElements(IXMLDOMNode* parent);
// The document's root element, or null.
CXmlPtr<IXMLDOMNode> GetRootElement(IXMLDOMDocument* document);
// A new element appended to parent. A document takes a single root element.
CXmlPtr<IXMLDOMNode> AppendElement(IXMLDOMDocument* document, IXMLDOMNode* parent, const wchar_t* name);
// A new element of child's name in child's place; the new one is returned.
CXmlPtr<IXMLDOMNode> ReplaceWithEmptyElement(IXMLDOMDocument* document, IXMLDOMNode* parent, IXMLDOMNode* child);

// The element's attribute of that name, or null.
CXmlPtr<IXMLDOMNode> FindAttribute(IXMLDOMNode* element, const wchar_t* name);
CXmlPtr<IXMLDOMNode> CreateAttribute(IXMLDOMDocument* document, IXMLDOMNode* element, const wchar_t* name);

std::wstring GetText(IXMLDOMNode* node);
// Text with characters XML cannot carry (controls other than tab, line feed and
// carriage return, U+FFFE, U+FFFF, lone surrogates) is refused.
void SetText(IXMLDOMNode* node, const std::wstring& text);
std::wstring GetName(IXMLDOMNode* node);

// Inserts <?xml version="1.0" encoding="..."?> unless the document starts with one.
void InsertDeclaration(IXMLDOMDocument* document, const CString& encoding);

// The names the document would take but no reader would: the element and attribute
// names of XML, with every character above ASCII allowed.
bool IsValidName(const wchar_t* name);
bool IsValidText(const std::wstring& text);

} // namespace XmlDom

#endif
