// The settings exchange over an XML document: one element per section, values as
// attributes of it (compact mode) or as child elements with text, and a file form
// laid out one element per line. A failure of the document never escapes: the call
// reports it by its result, and the first one of a tree is kept as its error text.
#pragma once

#ifdef _WIN32

#include <memory>

#include "CXTPPropExchange.h"
#include "XmlDom.h"

class CXTPPropExchangeXMLNode : public CXTPPropExchange {
    DECLARE_DYNAMIC(CXTPPropExchangeXMLNode)
public:
    // A null parent makes a root section; it creates its document on first use or
    // takes one from LoadFromFile.
    CXTPPropExchangeXMLNode(BOOL loading, IXMLDOMNode* parentNode, const char* sectionName);
    ~CXTPPropExchangeXMLNode() override;

    BOOL OnBeforeExchange() override;
    BOOL ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue = nullptr) override;
    // Never null: a section whose parent could not be prepared fails each exchange.
    CXTPPropExchange* GetSection(const char* name) override;
    void EmptySection() override;
    CXTPPropExchangeEnumerator* GetEnumerator(const char* prefix) override;
    BOOL AllowsDefaultValues() const override;
    BOOL AllowsBlobValues() const override;
    // A stored count cannot be above the child elements of the section.
    DWORD CheckLoadedCount(DWORD count) override;

    BOOL HasValue(const char* name);
    BOOL CreateDocument();
    // FALSE for a missing file, a directory or a file that does not parse; the
    // exchange then has no document, so a later exchange sees only defaults.
    BOOL LoadFromFile(const char* path);
    // The document goes to path, replacing the old file only once complete;
    // formatted lays the file out one element a line.
    HRESULT SaveToFile(const char* path, BOOL formatted = TRUE);
    void SetEncoding(const char* encoding);

    // The first failure recorded anywhere in this tree of sections; empty when none.
    CString GetErrorText() const override;
    void RecordError(const CString& text) override;

    // Set before the first exchange of a saving root section; a loading root
    // section takes it from the file.
    BOOL m_bCompactMode = TRUE;

protected:
    friend class CXTPPropExchangeXMLNodeEnumerator;

    CXTPPropExchangeXMLNode(BOOL loading, IXMLDOMNode* parentNode, const char* sectionName,
                            std::shared_ptr<CString> errorText);

    // Runs body; a failure of the document is recorded and gives failed instead.
    template <class R, class F>
    R Guard(R failed, F body);
    // A child section of this tree under parent.
    CXTPPropExchangeXMLNode* CreateSection(const char* name, IXMLDOMNode* parent);
    // A section over an element that exists already (an item of a list).
    CXTPPropExchangeXMLNode* CreateItemSection(const char* name, IXMLDOMNode* element);
    CXmlPtr<IXMLDOMNode> FindValueNode(const wchar_t* name);
    CXmlPtr<IXMLDOMNode> CreateValueNode(const wchar_t* name);
    BOOL PrepareSection();
    BOOL LoadProp(const char* name, VARTYPE type, void* value, const void* defaultValue);
    BOOL SaveProp(const char* name, VARTYPE type, void* value, const void* defaultValue);
    void RecordError(const CXmlComError& error);

    CXmlPtr<IXMLDOMDocument> m_pDocument;
    CXmlPtr<IXMLDOMNode> m_pParentNode;
    CXmlPtr<IXMLDOMNode> m_pSectionNode;
    CString m_strSectionName;
    CString m_strEncoding = "UTF-8";
    std::shared_ptr<CString> m_pErrorText;
};

// The items of an XML list: a run of sibling elements all named the prefix,
// without numbers or a count.
class CXTPPropExchangeXMLNodeEnumerator : public CXTPPropExchangeEnumerator {
public:
    CXTPPropExchangeXMLNodeEnumerator(CXTPPropExchangeXMLNode* container, const char* prefix);

    POSITION GetPosition(DWORD count = 0, BOOL compactCount = TRUE) override;
    CXTPPropExchange* GetNext(POSITION& pos) override;

protected:
    CXTPPropExchangeXMLNode* m_pXMLContainer;
    CXmlPtr<IXMLDOMNode> m_pCurrentItem;
};

#endif
