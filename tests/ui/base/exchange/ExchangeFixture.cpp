// Helpers of the exchange tests, and COM for the XML documents.
#include "ExchangeFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

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

std::string ReadFileBytes(const std::string& path)
{
    std::string data;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            data.append(buffer, got);
        std::fclose(file);
    }
    return data;
}

void WriteFileBytes(const std::string& path, const std::string& data)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(data.data(), 1, data.size(), file);
    std::fclose(file);
}

std::string DataFileBeside(const char* sourceFile, const char* name)
{
    std::string path = sourceFile;
    path.erase(path.find_last_of("/\\") + 1);
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    return path + "data/" + name;
}

std::string TempFilePath(const char* name)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}
