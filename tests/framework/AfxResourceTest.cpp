// Texts by interface language: the same ids in three languages, switched at run time.
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <thread>

#include "AfxResource.h"
#include "CString.h"
#include "InterfaceTexts.h"

namespace {

class AfxResource : public ::testing::Test {
protected:
    void TearDown() override
    {
        AfxSetThreadResourceLanguage(0);
        AfxSetResourceLanguage(1033);
    }

    static CString Load(UINT id)
    {
        CString text;
        AfxLoadString(id, text);
        return text;
    }
};

TEST_F(AfxResource, SwitchingTheLanguageChangesWhatLoads)
{
    struct Case {
        WORD language;
        const char* text;  // string 33198 in the language's code page
    };
    const Case cases[] = {
        {1049, "\xCE\xF8\xE8\xE1\xEA\xE0: "},
        {1031, "Fehler: "},
        {1033, "Error: "},
        {0x040C, "Error: "},  // French is not carried: English
    };
    for (const Case& c : cases) {
        AfxSetResourceLanguage(c.language);
        EXPECT_EQ(AfxGetResourceLanguage(), c.language);
        EXPECT_STREQ(Load(33198), c.text) << c.language;
    }
    CString missing("stale");
    EXPECT_FALSE(AfxLoadString(1, missing));
    EXPECT_TRUE(missing.IsEmpty());
}

TEST_F(AfxResource, WorkerKeepsItsLanguage)
{
    AfxSetResourceLanguage(1049);
    CString seen;
    std::thread worker([&] {
        AfxSetThreadResourceLanguage(1031);
        AfxSetResourceLanguage(1033);  // the interface switches while the worker runs
        seen = Load(33197);
    });
    worker.join();
    EXPECT_STREQ(seen, "Warnung: ");
    EXPECT_STREQ(Load(33197), "Warning: ");
}

#ifdef _WIN32
// The program's string resources and the compiled-in tables come from the same files:
// every id of every language loads from the resources as the same bytes.
TEST_F(AfxResource, ResourcesMatchTheTablesInEveryLanguage)
{
    for (int t = 0; t < g_interfaceTextTableCount; ++t) {
        const InterfaceTextTable& table = g_interfaceTextTables[t];
        AfxSetResourceLanguage(static_cast<WORD>(table.language));
        for (int i = 0; i < table.count; ++i) {
            CString text;
            EXPECT_TRUE(AfxLoadString(table.entries[i].id, text)) << table.entries[i].id;
            EXPECT_STREQ(text, table.entries[i].text) << "id " << table.entries[i].id << " in " << table.language;
        }
    }
}

TEST_F(AfxResource, FindsResourcesInTheLanguageElseInEnglish)
{
    LPCSTR block = MAKEINTRESOURCEA(33198 / 16 + 1);
    LPCSTR type = reinterpret_cast<LPCSTR>(RT_STRING);
    AfxSetResourceLanguage(1031);
    const HRSRC german = AfxFindResource(block, type);
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(german, FindResourceExA(nullptr, type, block, 1031));
    AfxSetResourceLanguage(0x040C);
    EXPECT_EQ(AfxFindResource(block, type), FindResourceExA(nullptr, type, block, 1033));
    EXPECT_EQ(AfxFindResource(MAKEINTRESOURCEA(4000), type), nullptr);
}
#endif

} // namespace
