// The settings exchange over an XML document: sections, values and the file form.
#include "CXTPPropExchangeXMLNode.h"

#ifdef _WIN32

#include <oleauto.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <exception>
#include <new>
#include <string>

#include "CException.h"
#include "COleDateTime.h"
#include "COleVariant.h"

IMPLEMENT_DYNAMIC(CXTPPropExchangeXMLNode, CXTPPropExchange)

namespace {

POSITION ToPosition(DWORD_PTR index)
{
    return reinterpret_cast<POSITION>(index);
}

// Backslash, line feed, carriage return and tab as two-character escapes, so a
// value keeps them through attribute normalisation and the file layout.
std::wstring EscapeText(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        switch (ch) {
        case L'\\':
            out += L"\\\\";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'\t':
            out += L"\\t";
            break;
        default:
            out += ch;
        }
    }
    return out;
}

// One pass from the left: a run of backslashes pairs up from its start.
std::wstring UnescapeText(const std::wstring& text)
{
    if (text.find(L'\\') == std::wstring::npos)
        return text;
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t ch = text[i];
        if (ch == L'\\' && i + 1 < text.size()) {
            switch (text[i + 1]) {
            case L'\\':
                out += L'\\';
                ++i;
                continue;
            case L'n':
                out += L'\n';
                ++i;
                continue;
            case L'r':
                out += L'\r';
                ++i;
                continue;
            case L't':
                out += L'\t';
                ++i;
                continue;
            default:
                break;
            }
        }
        out += ch;
    }
    return out;
}

// The day comes before the month, as stored files have it.
CString FormatDateText(const COleDateTime& date)
{
    double days = 0.0;
    double fraction = std::modf(date.m_dt, &days);
    if (days == 0.0)
        return date.Format("%H:%M:%S");
    if (fraction == 0.0)
        return date.Format("%Y-%d-%m");
    return date.Format("%Y-%d-%mT%H:%M:%S");
}

BOOL ParseDateText(const CString& text, COleDateTime& date)
{
    unsigned short year = 0, day = 0, month = 0, hour = 0, minute = 0, second = 0;
    int fields = std::sscanf(text, "%hu-%hu-%huT%hu:%hu:%hu", &year, &day, &month, &hour, &minute, &second);
    if (fields == 3 || fields == 5 || fields == 6) {
        COleDateTime parsed(year, month, day, hour, minute, second);
        if (parsed.GetStatus() != COleDateTime::valid)
            return FALSE;
        date = parsed;
        return TRUE;
    }
    hour = minute = second = 0;
    fields = std::sscanf(text, "%hu:%hu:%hu", &hour, &minute, &second);
    if ((fields == 2 || fields == 3) && hour < 24 && minute < 60 && second < 60) {
        date = COleDateTime((hour * 3600.0 + minute * 60.0 + second) / 86400.0);
        return TRUE;
    }
    return FALSE;
}

// The shortest of 15, 16 and 17 digits that reads back to the same double.
CString FormatDouble(double value)
{
    CString text;
    for (int digits = 15; digits <= 17; ++digits) {
        text.Format("%.*g", digits, value);
        double back = std::strtod(text, nullptr);
        if (std::memcmp(&back, &value, sizeof value) == 0)
            break;
    }
    return text;
}

std::wstring VariantText(const VARIANT& var, BOOL& ok)
{
    ok = FALSE;
    if (var.vt == VT_DATE) {
        ok = TRUE;
        return XmlStringToWide(FormatDateText(COleDateTime(var.date)));
    }
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeTypeEx(&text, const_cast<VARIANT*>(&var), 0, 0, VT_BSTR)) || text.vt != VT_BSTR)
        return std::wstring();
    std::wstring result = text.bstrVal ? std::wstring(text.bstrVal, SysStringLen(text.bstrVal)) : std::wstring();
    VariantClear(&text);
    ok = TRUE;
    return result;
}

BSTR AllocBstr(const std::wstring& text)
{
    BSTR result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!result)
        XmlThrow(E_OUTOFMEMORY, "making a string value");
    return result;
}

// Text forms of the type codes; FALSE for a type without one.
BOOL ValueToText(VARTYPE type, const void* value, std::wstring& text)
{
    CString narrow;
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1: {
        // Zero-extended: a 16-bit -1 is written as 65535, as stored files have it.
        DWORD bits = 0;
        std::memcpy(&bits, value, static_cast<size_t>(CXTPPropExchange::GetSizeOfVarType(type)));
        narrow.Format("%i", static_cast<int>(bits));
        break;
    }
    case VT_R8:
        narrow = FormatDouble(*static_cast<const double*>(value));
        break;
    case VT_DATE:
        narrow = FormatDateText(*static_cast<const COleDateTime*>(value));
        break;
    case VT_VARIANT: {
        BOOL ok = FALSE;
        text = VariantText(*static_cast<const VARIANT*>(value), ok);
        return ok;
    }
    case VT_LPSTR:
        text = EscapeText(XmlStringToWide(*static_cast<const CString*>(value)));
        return TRUE;
    case VT_BSTR: {
        BSTR source = *static_cast<const BSTR*>(value);
        text = EscapeText(source ? std::wstring(source, SysStringLen(source)) : std::wstring());
        return TRUE;
    }
    case VT_EX_RECT: {
        const RECT& rect = *static_cast<const RECT*>(value);
        narrow.Format("%i, %i, %i, %i", static_cast<int>(rect.left), static_cast<int>(rect.top),
                      static_cast<int>(rect.right), static_cast<int>(rect.bottom));
        break;
    }
    case VT_EX_SIZE: {
        const SIZE& size = *static_cast<const SIZE*>(value);
        narrow.Format("%i, %i", static_cast<int>(size.cx), static_cast<int>(size.cy));
        break;
    }
    default:
        return FALSE;
    }
    text = XmlStringToWide(narrow);
    return TRUE;
}

// Reads a file whole; FALSE when it cannot be read.
BOOL ReadWholeFile(const char* path, std::string& data)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return FALSE;
    char buffer[16384];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        data.append(buffer, got);
    BOOL ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// One element a line, nested ones indented by a tab a level. Only the blanks
// between tags change: a text-only element keeps its content, blanks included.
std::string LayOutXml(const std::string& file)
{
    size_t begin = 0;
    std::string out;
    if (file.size() >= 2 && ((file[0] == '\xFF' && file[1] == '\xFE') || (file[0] == '\xFE' && file[1] == '\xFF')))
        return file;  // 16-bit text: a byte-wise layout would break its characters
    if (file.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        out = file.substr(0, 3);
        begin = 3;
    }
    size_t end = file.size();
    // The final line end, CR LF or a bare LF, is written anew below.
    if (end > begin && file[end - 1] == '\n') {
        --end;
        if (end > begin && file[end - 1] == '\r')
            --end;
    }
    if (end - begin < 3)
        return file;

    int depth = 1;
    size_t blanks = 0;
    size_t pending = begin;
    // Whether the last tag seen opened an element that has not closed yet.
    bool open = file[begin] == '<' && file[begin + 1] != '?' && file[begin + 1] != '!' && file[begin + 1] != '/';
    auto newLine = [&](size_t at) {
        out.append(file, pending, at - blanks - pending);
        out += "\r\n";
        out.append(static_cast<size_t>(depth > 0 ? depth : 0), '\t');
        pending = at;
    };
    for (size_t i = begin + 2; i < end; ++i) {
        char ch = file[i];
        if (ch == '<' && i + 1 < end) {
            if (file[i + 1] == '/') {
                --depth;
                if (!open && file[i - blanks - 1] == '>')
                    newLine(i);
            } else {
                newLine(i);
                ++depth;
            }
            open = file[i + 1] != '/' && file[i + 1] != '?' && file[i + 1] != '!';
        } else if (ch == '>' && (file[i - 1] == '/' || file[i - 1] == '?')) {
            --depth;
            open = false;
        }
        blanks = (ch == '\r' || ch == '\n' || ch == '\t') ? blanks + 1 : 0;
    }
    out.append(file, pending, end - pending);
    out += "\r\n";
    return out;
}

HRESULT LastError()
{
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// Lays out a saved file in place.
HRESULT LayOutFile(const char* path)
{
    std::string data;
    if (!ReadWholeFile(path, data))
        return E_FAIL;
    if (data.size() < 3)
        return S_OK;
    std::string laidOut = LayOutXml(data);
    if (laidOut == data)
        return S_OK;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return E_FAIL;
    bool written = std::fwrite(laidOut.data(), 1, laidOut.size(), file) == laidOut.size();
    if (std::fclose(file) != 0)
        written = false;
    return written ? S_OK : E_FAIL;
}

// A new empty file in the folder of path, so that the final move stays on one
// volume; removed again unless it was moved over its target.
class CTemporaryFile {
public:
    explicit CTemporaryFile(const char* path)
    {
        CString directory = path;
        int cut = -1;
        for (int i = 0; i < directory.GetLength(); ++i) {
            if (directory[i] == '\\' || directory[i] == '/' || directory[i] == ':')
                cut = i;
        }
        directory = cut >= 0 ? directory.Left(cut + 1) : CString(".");
        char name[MAX_PATH + 1] = {};
        if (GetTempFileNameA(directory, "txl", 0, name))
            m_strPath = name;
        else
            m_hr = LastError();
    }
    ~CTemporaryFile()
    {
        if (!m_strPath.IsEmpty())
            DeleteFileA(m_strPath);
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // Moves the file over target; it is then no longer removed.
    HRESULT MoveTo(const char* target)
    {
        if (!MoveFileExA(m_strPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return LastError();
        m_strPath.Empty();
        return S_OK;
    }

    CString m_strPath;  // empty when no file could be made
    HRESULT m_hr = S_OK;
};

} // namespace

template <class R, class F>
R CXTPPropExchangeXMLNode::Guard(R failed, F body)
{
    try {
        return body();
    } catch (const CXmlComError& error) {
        RecordError(error);
    } catch (const std::bad_alloc&) {
        RecordError(CXmlComError(E_OUTOFMEMORY, "out of memory"));
    } catch (CException* e) {
        RecordError(e->GetErrorText());
        e->Delete();
    } catch (const std::exception& e) {
        RecordError(CXmlComError(E_UNEXPECTED, e.what()));
    }
    return failed;
}

CXTPPropExchangeXMLNode::CXTPPropExchangeXMLNode(BOOL loading, IXMLDOMNode* parentNode, const char* sectionName)
    : CXTPPropExchangeXMLNode(loading, parentNode, sectionName, std::make_shared<CString>())
{
}

CXTPPropExchangeXMLNode::CXTPPropExchangeXMLNode(BOOL loading, IXMLDOMNode* parentNode, const char* sectionName,
                                                 std::shared_ptr<CString> errorText)
    : CXTPPropExchange(loading), m_strSectionName(sectionName), m_pErrorText(std::move(errorText))
{
    if (!parentNode)
        return;
    Guard(FALSE, [&] {
        m_pDocument = XmlDom::GetDocumentOf(parentNode);
        m_pParentNode = CXmlPtr<IXMLDOMNode>::Share(parentNode);
        return TRUE;
    });
}

CXTPPropExchangeXMLNode::~CXTPPropExchangeXMLNode() = default;

void CXTPPropExchangeXMLNode::RecordError(const CString& text)
{
    if (m_pErrorText && m_pErrorText->IsEmpty())
        *m_pErrorText = text;
}

void CXTPPropExchangeXMLNode::RecordError(const CXmlComError& error)
{
    CString text;
    text.Format("XML section \"%s\": %s", static_cast<const char*>(m_strSectionName),
                static_cast<const char*>(error.GetErrorText()));
    RecordError(text);
}

CString CXTPPropExchangeXMLNode::GetErrorText() const
{
    return m_pErrorText ? *m_pErrorText : CString();
}

void CXTPPropExchangeXMLNode::SetEncoding(const char* encoding)
{
    m_strEncoding = encoding;
}

BOOL CXTPPropExchangeXMLNode::AllowsDefaultValues() const
{
    return TRUE;
}

BOOL CXTPPropExchangeXMLNode::AllowsBlobValues() const
{
    return FALSE;
}

BOOL CXTPPropExchangeXMLNode::CreateDocument()
{
    return Guard(FALSE, [&] {
        if (m_pDocument)
            return TRUE;
        m_pDocument = XmlDom::CreateDocument();
        if (!m_pDocument) {
            RecordError("No XML document object is available.");
            return FALSE;
        }
        return TRUE;
    });
}

BOOL CXTPPropExchangeXMLNode::OnBeforeExchange()
{
    return Guard(FALSE, [&] { return PrepareSection(); });
}

BOOL CXTPPropExchangeXMLNode::PrepareSection()
{
    if (!m_bInitialized) {
        if (!m_pDocument && !m_pParentNode && !m_bChildSection) {
            if (!CreateDocument())
                return FALSE;
            m_pParentNode = XmlDom::AsNode(m_pDocument.Get());
        }
        if (!m_pDocument || !m_pParentNode)
            return FALSE;
        if (!m_pSectionNode) {
            std::wstring name = XmlStringToWide(m_strSectionName);
            m_pSectionNode = XmlDom::FindChildElement(m_pParentNode.Get(), name.c_str());
            if (!m_pSectionNode) {
                CXmlPtr<IXMLDOMNode> root;
                if (XmlDom::IsDocument(m_pParentNode.Get()))
                    root = XmlDom::GetRootElement(m_pDocument.Get());
                if (root) {
                    CString text;
                    text.Format("The XML document's root element is \"%s\", not \"%s\".",
                                static_cast<const char*>(XmlWideToString(XmlDom::GetName(root.Get()))),
                                static_cast<const char*>(m_strSectionName));
                    RecordError(text);
                    return FALSE;
                }
                m_pSectionNode = XmlDom::AppendElement(m_pDocument.Get(), m_pParentNode.Get(), name.c_str());
            }
        }
        m_bInitialized = TRUE;
        if (!m_bChildSection) {
            if (m_bLoading) {
                // Read straight from the attribute: a lookup in the current mode, or
                // one without defaults, would miss it.
                CXmlPtr<IXMLDOMNode> flag = XmlDom::FindAttribute(m_pSectionNode.Get(), L"CompactMode");
                m_bCompactMode = flag && std::wcstol(XmlDom::GetText(flag.Get()).c_str(), nullptr, 10) != 0;
            } else {
                BOOL compactDefault = FALSE;
                ExchangeProp("CompactMode", VT_BOOL, &m_bCompactMode, &compactDefault);
            }
        }
    }
    return m_pDocument && m_pParentNode && m_pSectionNode;
}

CXmlPtr<IXMLDOMNode> CXTPPropExchangeXMLNode::FindValueNode(const wchar_t* name)
{
    if (m_bCompactMode)
        return XmlDom::FindAttribute(m_pSectionNode.Get(), name);
    return XmlDom::FindChildElement(m_pSectionNode.Get(), name);
}

CXmlPtr<IXMLDOMNode> CXTPPropExchangeXMLNode::CreateValueNode(const wchar_t* name)
{
    if (m_bCompactMode)
        return XmlDom::CreateAttribute(m_pDocument.Get(), m_pSectionNode.Get(), name);
    return XmlDom::AppendElement(m_pDocument.Get(), m_pSectionNode.Get(), name);
}

BOOL CXTPPropExchangeXMLNode::HasValue(const char* name)
{
    return Guard(FALSE, [&] {
        if (!name || !OnBeforeExchange())
            return FALSE;
        return FindValueNode(XmlStringToWide(name).c_str()) ? TRUE : FALSE;
    });
}

BOOL CXTPPropExchangeXMLNode::ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue)
{
    if (!name || !value)
        return FALSE;
    return Guard(FALSE, [&] {
        return m_bLoading ? LoadProp(name, type, value, defaultValue) : SaveProp(name, type, value, defaultValue);
    });
}

BOOL CXTPPropExchangeXMLNode::LoadProp(const char* name, VARTYPE type, void* value, const void* defaultValue)
{
    const void* effectiveDefault = m_bUseDefaultOnLoad ? defaultValue : nullptr;
    if (!OnBeforeExchange())
        return CopyPropValue(type, value, effectiveDefault);
    CXmlPtr<IXMLDOMNode> node = FindValueNode(XmlStringToWide(name).c_str());
    if (!node)
        return CopyPropValue(type, value, effectiveDefault);

    std::wstring wide = XmlDom::GetText(node.Get());
    if (type == VT_BSTR) {
        *static_cast<BSTR*>(value) = AllocBstr(UnescapeText(wide));
        return TRUE;
    }
    CString text = XmlWideToString(wide);
    switch (type) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
    case VT_UI1: {
        // Only the low bytes are kept, as the stored form is their zero-extended number.
        int number = static_cast<int>(std::strtoll(text, nullptr, 10));
        std::memcpy(value, &number, static_cast<size_t>(GetSizeOfVarType(type)));
        return TRUE;
    }
    case VT_R8:
        *static_cast<double*>(value) = std::strtod(text, nullptr);
        return TRUE;
    case VT_DATE:
        return ParseDateText(text, *static_cast<COleDateTime*>(value));
    case VT_VARIANT: {
        VARIANT* var = static_cast<VARIANT*>(value);
        COleDateTime date;
        if (ParseDateText(text, date)) {
            VariantClear(var);
            var->vt = VT_DATE;
            var->date = date.m_dt;
        } else {
            BSTR string = AllocBstr(wide);
            VariantClear(var);
            var->vt = VT_BSTR;
            var->bstrVal = string;
        }
        return TRUE;
    }
    case VT_LPSTR:
        *static_cast<CString*>(value) = XmlWideToString(UnescapeText(wide));
        return TRUE;
    case VT_EX_RECT: {
        int left = 0, top = 0, right = 0, bottom = 0;
        if (std::sscanf(text, "%i, %i, %i, %i", &left, &top, &right, &bottom) != 4)
            return CopyPropValue(type, value, effectiveDefault);
        RECT& rect = *static_cast<RECT*>(value);
        rect.left = left;
        rect.top = top;
        rect.right = right;
        rect.bottom = bottom;
        return TRUE;
    }
    case VT_EX_SIZE: {
        int cx = 0, cy = 0;
        if (std::sscanf(text, "%i, %i", &cx, &cy) != 2)
            return CopyPropValue(type, value, effectiveDefault);
        SIZE& size = *static_cast<SIZE*>(value);
        size.cx = cx;
        size.cy = cy;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CXTPPropExchangeXMLNode::SaveProp(const char* name, VARTYPE type, void* value, const void* defaultValue)
{
    const void* effectiveDefault = m_bUseDefaultOnSave ? defaultValue : nullptr;
    if (effectiveDefault && IsSamePropValue(type, value, effectiveDefault))
        return TRUE;
    if (!OnBeforeExchange())
        return FALSE;
    // Converted first, so a value without a text form leaves no empty node behind.
    std::wstring text;
    if (!ValueToText(type, value, text))
        return FALSE;
    if (!XmlDom::IsValidText(text))
        XmlThrow(E_INVALIDARG, "setting a value: it holds characters XML cannot carry");
    std::wstring wideName = XmlStringToWide(name);
    CXmlPtr<IXMLDOMNode> node = FindValueNode(wideName.c_str());
    if (!node)
        node = CreateValueNode(wideName.c_str());
    XmlDom::SetText(node.Get(), text);
    return TRUE;
}

CXTPPropExchangeXMLNode* CXTPPropExchangeXMLNode::CreateSection(const char* name, IXMLDOMNode* parent)
{
    auto* section = new CXTPPropExchangeXMLNode(m_bLoading, parent, name, m_pErrorText);
    section->CopyInheritedSettings(this);
    section->m_bCompactMode = m_bCompactMode;
    return section;
}

CXTPPropExchange* CXTPPropExchangeXMLNode::GetSection(const char* name)
{
    OnBeforeExchange();
    return CreateSection(name, m_pSectionNode.Get());
}

CXTPPropExchangeXMLNode* CXTPPropExchangeXMLNode::CreateItemSection(const char* name, IXMLDOMNode* element)
{
    // Without an element the section has no parent either, so it fails each exchange
    // instead of searching by name.
    CXTPPropExchangeXMLNode* section = CreateSection(name, element ? m_pSectionNode.Get() : nullptr);
    if (element) {
        section->m_pSectionNode = CXmlPtr<IXMLDOMNode>::Share(element);
        section->m_bInitialized = TRUE;
    }
    return section;
}

void CXTPPropExchangeXMLNode::EmptySection()
{
    m_bEmptySection = TRUE;
    OnBeforeExchange();
    Guard(FALSE, [&] {
        // A fresh element in the old one's place: looking it up again by name
        // could reach another item of the same list.
        if (m_pSectionNode && m_pParentNode) {
            m_pSectionNode = XmlDom::ReplaceWithEmptyElement(m_pDocument.Get(), m_pParentNode.Get(),
                                                             m_pSectionNode.Get());
            m_bInitialized = FALSE;
        }
        return TRUE;
    });
}

DWORD CXTPPropExchangeXMLNode::CheckLoadedCount(DWORD count)
{
    return Guard(static_cast<DWORD>(0), [&] {
        if (!OnBeforeExchange())
            return static_cast<DWORD>(0);
        DWORD elements = XmlDom::CountChildElements(m_pSectionNode.Get());
        if (count <= elements)
            return count;
        CString text;
        text.Format("XML section \"%s\" holds %lu elements but claims %lu items.",
                    static_cast<const char*>(m_strSectionName), static_cast<unsigned long>(elements),
                    static_cast<unsigned long>(count));
        RecordError(text);
        return elements;
    });
}

CXTPPropExchangeEnumerator* CXTPPropExchangeXMLNode::GetEnumerator(const char* prefix)
{
    // Lists written with numbered items and a count are read the numbered way.
    if (m_bLoading && HasValue("Count"))
        return CXTPPropExchange::GetEnumerator(prefix);
    return new (std::nothrow) CXTPPropExchangeXMLNodeEnumerator(this, prefix);
}

BOOL CXTPPropExchangeXMLNode::LoadFromFile(const char* path)
{
    CString file = path;
    DWORD attributes = GetFileAttributesA(file);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        RecordError(file + ": the file does not exist.");
        return FALSE;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RecordError(file + ": this is a folder, not a file.");
        return FALSE;
    }
    return Guard(FALSE, [&] {
        // Whatever happens, the next exchange starts from the document's top.
        m_pSectionNode.Release();
        m_bInitialized = FALSE;
        if (!CreateDocument())
            return FALSE;
        CXmlBstr target(file);
        VARIANT source;
        VariantInit(&source);
        source.vt = VT_BSTR;
        source.bstrVal = target;
        VARIANT_BOOL loaded = VARIANT_FALSE;
        HRESULT hr = m_pDocument->load(source, &loaded);
        if (SUCCEEDED(hr) && loaded == VARIANT_TRUE) {
            m_pParentNode = XmlDom::AsNode(m_pDocument.Get());
            return TRUE;
        }

        CString text;
        CXmlPtr<IXMLDOMParseError> parseError;
        long line = 0;
        CXmlBstr reason;
        if (SUCCEEDED(m_pDocument->get_parseError(&parseError)) && parseError) {
            parseError->get_line(&line);
            parseError->get_reason(&reason);
        }
        CString why = reason.ToString();
        why.Trim();
        if (line > 0 && !why.IsEmpty())
            text.Format("%s, line %ld: %s", static_cast<const char*>(file), line, static_cast<const char*>(why));
        else if (!why.IsEmpty())
            text.Format("%s: the file is not valid XML (%s).", static_cast<const char*>(file),
                        static_cast<const char*>(why));
        else
            text.Format("%s: the file is not valid XML (0x%08lX).", static_cast<const char*>(file),
                        static_cast<unsigned long>(hr));
        RecordError(text);
        // Without a document a root section makes an empty one, so every value takes its default.
        m_pDocument.Release();
        if (!m_bChildSection)
            m_pParentNode.Release();
        return FALSE;
    });
}

HRESULT CXTPPropExchangeXMLNode::SaveToFile(const char* path, BOOL formatted)
{
    if (!OnBeforeExchange())
        return E_FAIL;
    return Guard(static_cast<HRESULT>(E_FAIL), [&] {
        CString file = path;
        XmlDom::InsertDeclaration(m_pDocument.Get(), m_strEncoding);
        // The platform empties the file before a save that then fails, so the
        // document goes to a new file that replaces the old one only when complete.
        CTemporaryFile temporary(file);
        HRESULT hr = temporary.m_hr;
        if (SUCCEEDED(hr)) {
            CXmlBstr target(temporary.m_strPath);
            VARIANT destination;
            VariantInit(&destination);
            destination.vt = VT_BSTR;
            destination.bstrVal = target;
            hr = m_pDocument->save(destination);
        }
        if (SUCCEEDED(hr) && formatted)
            hr = LayOutFile(temporary.m_strPath);
        if (SUCCEEDED(hr))
            hr = temporary.MoveTo(file);
        if (FAILED(hr)) {
            CString text;
            text.Format("%s: the file could not be written (0x%08lX).", static_cast<const char*>(file),
                        static_cast<unsigned long>(hr));
            RecordError(text);
            return hr;
        }
        return S_OK;
    });
}

CXTPPropExchangeXMLNodeEnumerator::CXTPPropExchangeXMLNodeEnumerator(CXTPPropExchangeXMLNode* container,
                                                                     const char* prefix)
    : CXTPPropExchangeEnumerator(container, prefix), m_pXMLContainer(container)
{
}

POSITION CXTPPropExchangeXMLNodeEnumerator::GetPosition(DWORD count, BOOL /*compactCount*/)
{
    m_nCount = count;
    m_pCurrentItem.Release();
    if (!m_pXMLContainer)
        return nullptr;
    if (!m_pXMLContainer->IsLoading())
        return count ? ToPosition(1) : nullptr;
    return m_pXMLContainer->Guard(static_cast<POSITION>(nullptr), [&] {
        if (!m_pXMLContainer->OnBeforeExchange())
            return static_cast<POSITION>(nullptr);
        std::wstring name = XmlStringToWide(m_strSectionName);
        m_pCurrentItem = XmlDom::FindChildElement(m_pXMLContainer->m_pSectionNode.Get(), name.c_str());
        return m_pCurrentItem ? ToPosition(1) : static_cast<POSITION>(nullptr);
    });
}

CXTPPropExchange* CXTPPropExchangeXMLNodeEnumerator::GetNext(POSITION& pos)
{
    DWORD_PTR index = reinterpret_cast<DWORD_PTR>(pos);
    if (!m_pXMLContainer || index == 0)
        return nullptr;
    CXTPPropExchangeXMLNode* container = m_pXMLContainer;
    CXTPPropExchangeXMLNode* section = container->Guard(static_cast<CXTPPropExchangeXMLNode*>(nullptr), [&] {
        std::wstring name = XmlStringToWide(m_strSectionName);
        if (container->IsLoading()) {
            if (!m_pCurrentItem) {
                pos = nullptr;
                return container->CreateItemSection(m_strSectionName, nullptr);
            }
            // The next sibling of that name is the item at index pos: the same
            // selection as counting from the first, without walking again.
            CXmlPtr<IXMLDOMNode> current = m_pCurrentItem;
            m_pCurrentItem = XmlDom::FindChildElement(container->m_pSectionNode.Get(), name.c_str(), current.Get());
            pos = m_pCurrentItem ? ToPosition(index + 1) : nullptr;
            return container->CreateItemSection(m_strSectionName, current.Get());
        }
        if (!container->OnBeforeExchange()) {
            pos = nullptr;
            return container->CreateItemSection(m_strSectionName, nullptr);
        }
        CXmlPtr<IXMLDOMNode> element =
            XmlDom::AppendElement(container->m_pDocument.Get(), container->m_pSectionNode.Get(), name.c_str());
        CXTPPropExchangeXMLNode* item = container->CreateItemSection(m_strSectionName, element.Get());
        ++index;
        pos = index > m_nCount ? nullptr : ToPosition(index);
        return item;
    });
    if (!section) {
        // A failed item still gets a section, one that fails each exchange, so a
        // caller's loop ends without touching a null pointer.
        pos = nullptr;
        section = container->CreateItemSection(m_strSectionName, nullptr);
    }
    return section;
}

#endif
