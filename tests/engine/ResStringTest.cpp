// String-table texts by language, their formatting, and the tables' consistency.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <thread>

#include "ResString.h"
#include "ResStringTable.h"

namespace {

class ResString : public ::testing::Test {
protected:
    void TearDown() override { SetInterfaceLanguage(zLANG_ENGLISH); }
};

TEST_F(ResString, LoadsTheEntryOfTheCurrentLanguage)
{
    EXPECT_EQ(LoadResString(33198), "Error: ");
    SetInterfaceLanguage(zLANG_GERMAN);
    EXPECT_EQ(LoadResString(33198), "Fehler: ");
    SetInterfaceLanguage(zLANG_RUSSIAN);
    EXPECT_EQ(LoadResString(33198), "\xCE\xF8\xE8\xE1\xEA\xE0: ");  // in code page 1251
    SetInterfaceLanguage(0x040C);  // a language without a table reads English
    EXPECT_EQ(LoadResString(33198), "Error: ");
}

TEST_F(ResString, MissingEntryIsEmpty)
{
    EXPECT_EQ(LoadResString(1), "");
    EXPECT_EQ(FormatResString(1, 5), "");
}

TEST_F(ResString, FormatsWithoutCuttingLongTexts)
{
    EXPECT_EQ(FormatResString(33191, 2, 3), "Break building: 2 error(s), 3 warning(s)");
    const zSTRING longName(std::string(3000, 'x'));
    // A string argument goes in as it is, not through c_str().
    EXPECT_EQ(FormatResString(33080, longName), "Tried to create instance of abstrace class: " + longName);
    EXPECT_EQ(FormatResString(33080, "zCVisual"), "Tried to create instance of abstrace class: zCVisual");
}

TEST_F(ResString, ThreadKeepsTheLanguageItWasGiven)
{
    std::string seen;
    std::thread worker([&] {
        SetThreadInterfaceLanguage(zLANG_GERMAN);
        SetInterfaceLanguage(zLANG_ENGLISH);
        seen = LoadResString(33197);
    });
    worker.join();
    EXPECT_EQ(seen, "Warnung: ");
    EXPECT_EQ(LoadResString(33197), "Warning: ");
}

// Every language has every text, with the same printf conversions in the same
// order: a swapped or missing %s in a translation would break the formatting.
TEST(StringTables, LanguagesAgreeOnIdsAndFormats)
{
    // The conversions of a format, each up to its conversion letter.
    auto conversions = [](const char* text) {
        std::string found;
        for (const char* p = text; *p; ++p) {
            if (*p != '%')
                continue;
            const char* end = p + 1;
            while (*end && std::strchr("-+ #0123456789.hlL", *end))
                ++end;
            if (!*end)
                break;
            found.append(p, end + 1).append(" ");
            p = end;
        }
        return found;
    };

    const zTResTable* english = nullptr;
    for (int i = 0; i < g_resTableCount; ++i)
        if (g_resTables[i].language == zLANG_ENGLISH)
            english = &g_resTables[i];
    ASSERT_NE(english, nullptr);
    std::set<int> languages;
    for (int t = 0; t < g_resTableCount; ++t) {
        const zTResTable& table = g_resTables[t];
        languages.insert(table.language);
        ASSERT_EQ(table.count, english->count) << "language " << table.language;
        for (int i = 0; i < table.count; ++i) {
            ASSERT_EQ(table.entries[i].id, english->entries[i].id) << "language " << table.language;
            EXPECT_EQ(conversions(table.entries[i].text), conversions(english->entries[i].text))
                << "id " << table.entries[i].id << " in language " << table.language;
        }
    }
    EXPECT_EQ(languages, (std::set<int>{zLANG_ENGLISH, zLANG_GERMAN, zLANG_RUSSIAN}));
}

} // namespace
