// The XML document calls: COM errors, string conversions, owned strings and node helpers.
#include "XmlDom.h"

#ifdef _WIN32

#include <oleauto.h>

#include <cwchar>

const CLSID kXmlDocumentClassId = {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kXmlDocumentInterfaceId = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kXmlNodeInterfaceId = {0x2933BF80, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kXmlElementInterfaceId = {0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

CString CXmlComError::GetErrorText() const
{
    CString text;
    text.Format("%s (0x%08lX)", static_cast<const char*>(m_strWhat), static_cast<unsigned long>(m_hr));
    return text;
}

void XmlThrow(HRESULT hr, const char* what)
{
    throw CXmlComError(hr, what);
}

void XmlCheck(HRESULT hr, const char* what)
{
    if (FAILED(hr))
        XmlThrow(hr, what);
}

std::wstring XmlStringToWide(const CString& text)
{
    int length = text.GetLength();
    if (length == 0)
        return std::wstring();
    int wideLength = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    if (wideLength <= 0)
        XmlThrow(E_INVALIDARG, "converting text to the document's characters");
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], wideLength);
    return wide;
}

CString XmlWideToString(const std::wstring& text)
{
    if (text.empty())
        return CString();
    int wideLength = static_cast<int>(text.size());
    int length = WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        XmlThrow(E_INVALIDARG, "converting the document's characters to text");
    CString result;
    char* buffer = result.GetBuffer(length);
    WideCharToMultiByte(CP_ACP, 0, text.data(), wideLength, buffer, length, nullptr, nullptr);
    result.ReleaseBuffer(length);
    return result;
}

CXmlBstr::CXmlBstr(const CString& text) : CXmlBstr(XmlStringToWide(text)) {}

CXmlBstr::CXmlBstr(const std::wstring& text)
{
    m_bstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!m_bstr)
        XmlThrow(E_OUTOFMEMORY, "making a document string");
}

CXmlBstr::~CXmlBstr()
{
    SysFreeString(m_bstr);
}

BSTR* CXmlBstr::operator&()
{
    SysFreeString(m_bstr);
    m_bstr = nullptr;
    return &m_bstr;
}

int CXmlBstr::GetLength() const
{
    return static_cast<int>(SysStringLen(m_bstr));
}

std::wstring CXmlBstr::ToWide() const
{
    return m_bstr ? std::wstring(m_bstr, SysStringLen(m_bstr)) : std::wstring();
}

CString CXmlBstr::ToString() const
{
    return XmlWideToString(ToWide());
}

namespace {

// A VARIANT holding one interface reference, for the calls that take a node that way.
class CXmlNodeVariant {
public:
    explicit CXmlNodeVariant(IXMLDOMNode* node)
    {
        VariantInit(&m_var);
        if (node) {
            node->AddRef();
            m_var.vt = VT_UNKNOWN;
            m_var.punkVal = node;
        }
    }
    ~CXmlNodeVariant() { VariantClear(&m_var); }
    CXmlNodeVariant(const CXmlNodeVariant&) = delete;
    CXmlNodeVariant& operator=(const CXmlNodeVariant&) = delete;

    VARIANT m_var;
};

CXmlPtr<IXMLDOMElement> AsElement(IXMLDOMNode* node)
{
    if (!node)
        XmlThrow(E_POINTER, "using an element");
    CXmlPtr<IXMLDOMElement> element;
    XmlCheck(node->QueryInterface(kXmlElementInterfaceId, reinterpret_cast<void**>(&element)),
             "using a node as an element");
    if (!element)
        XmlThrow(E_POINTER, "using a node as an element");
    return element;
}

bool IsElement(IXMLDOMNode* node)
{
    DOMNodeType type = NODE_INVALID;
    XmlCheck(node->get_nodeType(&type), "reading a node's type");
    return type == NODE_ELEMENT;
}

// The node as a document, or null when it is another kind of node.
CXmlPtr<IXMLDOMDocument> QueryDocument(IXMLDOMNode* node)
{
    if (!node)
        XmlThrow(E_POINTER, "finding a node's document");
    CXmlPtr<IXMLDOMDocument> document;
    HRESULT hr = node->QueryInterface(kXmlDocumentInterfaceId, reinterpret_cast<void**>(&document));
    if (hr != E_NOINTERFACE)
        XmlCheck(hr, "finding a node's document");
    return document;
}

bool IsNameStart(wchar_t ch)
{
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') || ch == L'_' || ch >= 0x80;
}

bool IsNameChar(wchar_t ch)
{
    return IsNameStart(ch) || (ch >= L'0' && ch <= L'9') || ch == L'-' || ch == L'.';
}

void CheckName(const wchar_t* name)
{
    if (!XmlDom::IsValidName(name))
        XmlThrow(E_INVALIDARG, "naming a node: not a valid XML name");
}

CXmlPtr<IXMLDOMNode> NextSibling(IXMLDOMNode* node)
{
    CXmlPtr<IXMLDOMNode> next;
    XmlCheck(node->get_nextSibling(&next), "walking the document");
    return next;
}

} // namespace

namespace XmlDom {

bool IsDocument(IXMLDOMNode* node)
{
    return static_cast<bool>(QueryDocument(node));
}

bool IsValidName(const wchar_t* name)
{
    // Colons are left out: a prefix nobody declared makes the file unreadable.
    if (!name || !IsNameStart(name[0]))
        return false;
    for (const wchar_t* p = name + 1; *p; ++p) {
        if (!IsNameChar(*p))
            return false;
    }
    return true;
}

CXmlPtr<IXMLDOMDocument> CreateDocument()
{
    CXmlPtr<IXMLDOMDocument> document;
    HRESULT hr = CoCreateInstance(kXmlDocumentClassId, nullptr, CLSCTX_ALL, kXmlDocumentInterfaceId,
                                  reinterpret_cast<void**>(&document));
    if (FAILED(hr) || !document)
        return CXmlPtr<IXMLDOMDocument>();
    // Loads finish before load returns; blank text is a value like any other; a
    // settings file has no business reaching other files.
    XmlCheck(document->put_async(VARIANT_FALSE), "setting up a document");
    XmlCheck(document->put_preserveWhiteSpace(VARIANT_TRUE), "setting up a document");
    XmlCheck(document->put_resolveExternals(VARIANT_FALSE), "setting up a document");
    XmlCheck(document->put_validateOnParse(VARIANT_FALSE), "setting up a document");
    return document;
}

CXmlPtr<IXMLDOMDocument> GetDocumentOf(IXMLDOMNode* node)
{
    CXmlPtr<IXMLDOMDocument> document = QueryDocument(node);
    if (document)
        return document;
    XmlCheck(node->get_ownerDocument(&document), "finding a node's document");
    if (!document)
        XmlThrow(E_POINTER, "finding a node's document");
    return document;
}

CXmlPtr<IXMLDOMNode> AsNode(IUnknown* object)
{
    if (!object)
        XmlThrow(E_POINTER, "using a node");
    CXmlPtr<IXMLDOMNode> node;
    XmlCheck(object->QueryInterface(kXmlNodeInterfaceId, reinterpret_cast<void**>(&node)), "using a node");
    if (!node)
        XmlThrow(E_POINTER, "using a node");
    return node;
}

CXmlPtr<IXMLDOMNode> FindChildElement(IXMLDOMNode* parent, const wchar_t* name, IXMLDOMNode* after)
{
    if (!parent)
        XmlThrow(E_POINTER, "looking up an element");
    CXmlPtr<IXMLDOMNode> node;
    if (after)
        node = NextSibling(after);
    else
        XmlCheck(parent->get_firstChild(&node), "walking the document");
    while (node) {
        if (IsElement(node.Get())) {
            CXmlBstr nodeName;
            XmlCheck(node->get_nodeName(&nodeName), "reading an element's name");
            if (std::wcscmp(nodeName.GetText(), name) == 0)
                return node;
        }
        node = NextSibling(node.Get());
    }
    return node;
}

DWORD CountChildElements(IXMLDOMNode* parent)
{
    if (!parent)
        XmlThrow(E_POINTER, "counting elements");
    DWORD count = 0;
    CXmlPtr<IXMLDOMNode> node;
    XmlCheck(parent->get_firstChild(&node), "walking the document");
    while (node) {
        if (IsElement(node.Get()))
            ++count;
        node = NextSibling(node.Get());
    }
    return count;
}

CXmlPtr<IXMLDOMNode> GetRootElement(IXMLDOMDocument* document)
{
    if (!document)
        XmlThrow(E_POINTER, "finding the root element");
    CXmlPtr<IXMLDOMNode> node;
    XmlCheck(document->get_firstChild(&node), "walking the document");
    while (node && !IsElement(node.Get()))
        node = NextSibling(node.Get());
    return node;
}

CXmlPtr<IXMLDOMNode> AppendElement(IXMLDOMDocument* document, IXMLDOMNode* parent, const wchar_t* name)
{
    if (!document || !parent)
        XmlThrow(E_POINTER, "adding an element");
    CheckName(name);
    // The platform would take a second root element and write a file nothing reads.
    if (IsDocument(parent) && GetRootElement(document))
        XmlThrow(E_UNEXPECTED, "adding an element: the document has its root element already");
    CXmlPtr<IXMLDOMElement> element;
    XmlCheck(document->createElement(CXmlBstr(std::wstring(name)), &element), "creating an element");
    if (!element)
        XmlThrow(E_POINTER, "creating an element");
    CXmlPtr<IXMLDOMNode> added;
    XmlCheck(parent->appendChild(element.Get(), &added), "adding an element");
    if (!added)
        XmlThrow(E_POINTER, "adding an element");
    return added;
}

CXmlPtr<IXMLDOMNode> ReplaceWithEmptyElement(IXMLDOMDocument* document, IXMLDOMNode* parent, IXMLDOMNode* child)
{
    if (!document || !parent || !child)
        XmlThrow(E_POINTER, "emptying an element");
    std::wstring name = GetName(child);
    CXmlPtr<IXMLDOMElement> element;
    XmlCheck(document->createElement(CXmlBstr(name), &element), "creating an element");
    if (!element)
        XmlThrow(E_POINTER, "creating an element");
    CXmlPtr<IXMLDOMNode> replaced;
    XmlCheck(parent->replaceChild(element.Get(), child, &replaced), "emptying an element");
    return CXmlPtr<IXMLDOMNode>::Share(element.Get());
}

CXmlPtr<IXMLDOMNode> FindAttribute(IXMLDOMNode* element, const wchar_t* name)
{
    // No element holds such a name; the platform would call the question an error.
    if (!IsValidName(name))
        return CXmlPtr<IXMLDOMNode>();
    CXmlPtr<IXMLDOMAttribute> attribute;
    XmlCheck(AsElement(element)->getAttributeNode(CXmlBstr(std::wstring(name)), &attribute),
             "reading an attribute");
    if (!attribute)
        return CXmlPtr<IXMLDOMNode>();
    return CXmlPtr<IXMLDOMNode>::Share(attribute.Get());
}

CXmlPtr<IXMLDOMNode> CreateAttribute(IXMLDOMDocument* document, IXMLDOMNode* element, const wchar_t* name)
{
    if (!document)
        XmlThrow(E_POINTER, "creating an attribute");
    CheckName(name);
    CXmlPtr<IXMLDOMElement> owner = AsElement(element);
    CXmlPtr<IXMLDOMAttribute> attribute;
    XmlCheck(document->createAttribute(CXmlBstr(std::wstring(name)), &attribute), "creating an attribute");
    if (!attribute)
        XmlThrow(E_POINTER, "creating an attribute");
    CXmlPtr<IXMLDOMAttribute> replaced;
    XmlCheck(owner->setAttributeNode(attribute.Get(), &replaced), "setting an attribute");
    // The element may hold a copy: text goes to the node it holds.
    CXmlPtr<IXMLDOMNode> set = FindAttribute(element, name);
    if (!set)
        XmlThrow(E_POINTER, "setting an attribute");
    return set;
}

std::wstring GetText(IXMLDOMNode* node)
{
    if (!node)
        XmlThrow(E_POINTER, "reading a node's text");
    CXmlBstr text;
    XmlCheck(node->get_text(&text), "reading a node's text");
    return text.ToWide();
}

bool IsValidText(const std::wstring& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t ch = text[i];
        if (ch < 0x20 && ch != L'\t' && ch != L'\n' && ch != L'\r')
            return false;
        if (ch == 0xFFFE || ch == 0xFFFF || (ch >= 0xDC00 && ch <= 0xDFFF))
            return false;
        if (ch >= 0xD800 && ch <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

void SetText(IXMLDOMNode* node, const std::wstring& text)
{
    if (!node)
        XmlThrow(E_POINTER, "setting a node's text");
    // The platform would drop such characters or write a file that does not load.
    if (!IsValidText(text))
        XmlThrow(E_INVALIDARG, "setting a value: it holds characters XML cannot carry");
    XmlCheck(node->put_text(CXmlBstr(text)), "setting a node's text");
}

std::wstring GetName(IXMLDOMNode* node)
{
    if (!node)
        XmlThrow(E_POINTER, "reading a node's name");
    CXmlBstr name;
    XmlCheck(node->get_nodeName(&name), "reading a node's name");
    return name.ToWide();
}

void InsertDeclaration(IXMLDOMDocument* document, const CString& encoding)
{
    if (!document)
        XmlThrow(E_POINTER, "writing the declaration");
    CXmlPtr<IXMLDOMNode> first;
    XmlCheck(document->get_firstChild(&first), "writing the declaration");
    if (first && GetName(first.Get()) == L"xml")
        return;
    std::wstring data = L"version=\"1.0\" encoding=\"" + XmlStringToWide(encoding) + L"\"";
    CXmlPtr<IXMLDOMProcessingInstruction> declaration;
    XmlCheck(document->createProcessingInstruction(CXmlBstr(std::wstring(L"xml")), CXmlBstr(data), &declaration),
             "writing the declaration");
    if (!declaration)
        XmlThrow(E_POINTER, "writing the declaration");
    CXmlPtr<IXMLDOMNode> inserted;
    if (first) {
        CXmlNodeVariant before(first.Get());
        XmlCheck(document->insertBefore(declaration.Get(), before.m_var, &inserted), "writing the declaration");
    } else {
        XmlCheck(document->appendChild(declaration.Get(), &inserted), "writing the declaration");
    }
}

} // namespace XmlDom

#endif
