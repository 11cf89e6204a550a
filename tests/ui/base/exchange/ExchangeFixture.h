// Helpers of the exchange tests: archives in memory and XML documents.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "CXTPPropExchangeArchive.h"
#include "XmlDom.h"

using Bytes = std::vector<BYTE>;

// Runs body on a storing archive exchange; the bytes written.
template <class Body>
Bytes StoreArchive(Body body)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        CXTPPropExchangeArchive px(archive);
        body(px);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Runs body on a loading archive exchange over the bytes.
template <class Body>
void LoadArchive(Bytes bytes, Body body)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive archive(&file, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    body(px);
}

// A document of the text (COM is set up for the whole test program).
CXmlPtr<IXMLDOMDocument> ParseXml(const wchar_t* xml);
// The document's text on one line.
std::string XmlText(const CXmlPtr<IXMLDOMDocument>& document);

// A file's bytes (empty when it cannot be read), and writing them (a failure fails the test).
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& data);

// A file in the "data" folder beside a test source (its __FILE__); a Unix path is reached
// through Wine's drive Z:.
std::string DataFileBeside(const char* sourceFile, const char* name);

// A path in the temporary folder.
std::string TempFilePath(const char* name);
