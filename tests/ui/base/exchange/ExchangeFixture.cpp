// Helpers of the exchange tests, and COM for the XML documents.
#include "ExchangeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr = E_FAIL;
};
::testing::Environment* const comEnvironment = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

} // namespace

CXmlPtr<IXMLDOMDocument> ParseXml(const wchar_t* xml)
{
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    VARIANT_BOOL ok = VARIANT_FALSE;
    if (document)
        document->loadXML(CXmlBstr(std::wstring(xml)), &ok);
    EXPECT_EQ(ok, VARIANT_TRUE);
    return document;
}

std::string XmlText(const CXmlPtr<IXMLDOMDocument>& document)
{
    BSTR xml = nullptr;
    document->get_xml(&xml);
    std::string text(XmlWideToString(xml ? std::wstring(xml) : std::wstring()));
    SysFreeString(xml);
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }), text.end());
    return text;
}
