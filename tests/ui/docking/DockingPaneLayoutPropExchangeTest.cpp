// The saved layout's records through both media of the settings exchange: golden archive
// bytes and golden XML of the start-up arrangement, reloads, and damaged input refused.
#include "DockingPaneLayoutPropExchange.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CArchive.h"
#include "CMemFile.h"
#include "CXTPPropExchangeArchive.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"  // COM for the XML documents
#include "LayoutTextExchange.h"
#include "StartUpLayout.h"

namespace {

// The start-up arrangement with the application's titles (caption, line feed, tab text).
DockingPaneLayoutRecords StartUp()
{
    LayoutTextExchange text(kStartUp);
    DockingPaneLayoutRecords records;
    EXPECT_TRUE(records.Exchange(text));
    records.elements[2].strTitle = "Class View\nClass View";
    records.elements[3].strTitle = "Solution Explorer\nSolution Explorer";
    records.elements[8].strTitle = "Message window\nOutput";
    return records;
}

// The records as text, to compare two sets.
std::string Text(DockingPaneLayoutRecords records)
{
    LayoutTextExchange text;
    records.Exchange(text);
    return text.Text();
}

Bytes StoreArchive(DockingPaneLayoutRecords records)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        CXTPPropExchangeArchive px(archive);
        DockingPaneLayoutPropExchange layout(&px);
        records.Exchange(layout);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads from archive bytes; an archive that ends early is a refusal like any other.
bool LoadArchive(Bytes bytes, DockingPaneLayoutRecords& records, std::string* reason = nullptr)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive archive(&file, CArchive::load);
    CXTPPropExchangeArchive px(archive);
    DockingPaneLayoutPropExchange layout(&px);
    try {
        return records.Exchange(layout, reason);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

void StoreXml(DockingPaneLayoutRecords records, const std::string& path)
{
    CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
    px.SetEncoding("windows-1251");
    CXTPPropExchangeSection section(px.GetSection("DockingPane"));
    DockingPaneLayoutPropExchange layout(section);
    records.Exchange(layout);
    EXPECT_EQ(px.SaveToFile(path.c_str(), TRUE), S_OK);
    EXPECT_EQ(px.GetErrorText(), "");
}

bool LoadXml(const std::string& path, DockingPaneLayoutRecords& records, std::string* reason = nullptr)
{
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
    if (!px.LoadFromFile(path.c_str()))
        return false;
    CXTPPropExchangeSection section(px.GetSection("DockingPane"));
    DockingPaneLayoutPropExchange layout(section);
    return records.Exchange(layout, reason);
}

TEST(DockingPaneLayoutPropExchange, ArchiveBytesMatchTheGoldenAndLoadBack)
{
    Bytes bytes = StoreArchive(StartUp());
    std::string golden = ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.bin"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), golden);
    EXPECT_EQ(StoreArchive(StartUp()), bytes) << "saving twice gives the same bytes";

    DockingPaneLayoutRecords loaded;
    std::string reason;
    ASSERT_TRUE(LoadArchive(bytes, loaded, &reason)) << reason;
    EXPECT_EQ(Text(loaded), Text(StartUp()));
    EXPECT_EQ(loaded.elements[3].strTitle, "Solution Explorer\nSolution Explorer");
}

TEST(DockingPaneLayoutPropExchange, ArchiveCutShortAnywhereIsRefused)
{
    Bytes bytes = StoreArchive(StartUp());
    for (size_t length = 0; length < bytes.size(); ++length) {
        DockingPaneLayoutRecords records;
        EXPECT_FALSE(LoadArchive(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)), records))
            << length;
    }
}

TEST(DockingPaneLayoutPropExchange, XmlMatchesTheGoldenAndLoadsBack)
{
    std::string path = TempFilePath("DockingPaneLayout.xml");
    StoreXml(StartUp(), path);
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.xml")));

    DockingPaneLayoutRecords loaded;
    std::string reason;
    ASSERT_TRUE(LoadXml(path, loaded, &reason)) << reason;
    EXPECT_EQ(Text(loaded), Text(StartUp()));
    ::DeleteFileA(path.c_str());
}

TEST(DockingPaneLayoutPropExchange, DamagedXmlIsRefused)
{
    const std::string golden = ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.xml"));
    ASSERT_FALSE(golden.empty());
    struct Case {
        const char* name;
        const char* from;
        const char* to;
    } cases[] = {
        {"one element", "Panes=\"9\"", "Panes=\"1\""},
        {"splitter as a tab-group child", "Pane-2=\"4\" Selected=\"4\"", "Pane-2=\"5\" Selected=\"4\""},
        {"pane id 0", "ID=\"201\"", "ID=\"0\""},
        {"unknown type", "<Pane-7 Type=\"4\"", "<Pane-7 Type=\"9\""},
        {"client outside the top container", "Client=\"7\"", "Client=\"2\""},
        {"no summary", "<Summary", "<Summery"},
    };
    std::string path = TempFilePath("DockingPaneDamaged.xml");
    for (const Case& c : cases) {
        std::string text = golden;
        size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.name;
        text.replace(at, std::string(c.from).size(), c.to);
        WriteFileBytes(path, text);
        DockingPaneLayoutRecords records;
        EXPECT_FALSE(LoadXml(path, records)) << c.name;
    }
    ::DeleteFileA(path.c_str());
}

}  // namespace
