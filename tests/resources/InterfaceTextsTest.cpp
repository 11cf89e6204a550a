// The compiled-in interface texts: the languages agree, and lookups follow the language.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "InterfaceTexts.h"

namespace {

const int kEnglish = 1033;

// Every language has every text, with the same printf conversions in the same
// order: a swapped or missing %s in a translation would break the formatting.
TEST(InterfaceTextTables, LanguagesAgreeOnIdsAndFormats)
{
    // The conversions of a format, each up to its conversion letter.
    auto conversions = [](const char* text) {
        std::string found;
        for (const char* p = text; *p; ++p) {
            if (*p != '%')
                continue;
            if (p[1] >= '1' && p[1] <= '9') {
                // A numbered placeholder ("%1"), filled in by number rather than by printf.
                const char* digits = p + 1;
                while (*digits >= '0' && *digits <= '9')
                    ++digits;
                found.append(p, digits).append(" ");
                p = digits - 1;
                continue;
            }
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

    const InterfaceTextTable* english = FindInterfaceTextTable(kEnglish);
    ASSERT_NE(english, nullptr);
    ASSERT_EQ(english->language, kEnglish);
    std::set<int> languages;
    for (int t = 0; t < g_interfaceTextTableCount; ++t) {
        const InterfaceTextTable& table = g_interfaceTextTables[t];
        languages.insert(table.language);
        ASSERT_EQ(table.count, english->count) << "language " << table.language;
        for (int i = 0; i < table.count; ++i) {
            ASSERT_EQ(table.entries[i].id, english->entries[i].id) << "language " << table.language;
            if (i > 0) {
                ASSERT_LT(table.entries[i - 1].id, table.entries[i].id) << "unsorted in " << table.language;
            }
            EXPECT_EQ(conversions(table.entries[i].text), conversions(english->entries[i].text))
                << "id " << table.entries[i].id << " in language " << table.language;
        }
    }
    EXPECT_EQ(languages, (std::set<int>{1033, 1031, 1049}));
}

TEST(InterfaceTexts, LookupFollowsTheThreadThenTheProcessLanguage)
{
    EXPECT_STREQ(FindInterfaceText(33198), "Error: ");
    SetInterfaceLanguage(1031);
    EXPECT_EQ(GetInterfaceLanguage(), 1031);
    EXPECT_STREQ(FindInterfaceText(33198), "Fehler: ");
    SetThreadInterfaceLanguage(1049);
    EXPECT_STREQ(FindInterfaceText(33198), "\xCE\xF8\xE8\xE1\xEA\xE0: ");  // code page 1251
    SetThreadInterfaceLanguage(0);
    EXPECT_EQ(GetInterfaceLanguage(), 1031);
    SetInterfaceLanguage(0x040C);  // no French table: English
    EXPECT_STREQ(FindInterfaceText(33198), "Error: ");
    EXPECT_EQ(FindInterfaceText(1), nullptr);
    EXPECT_EQ(FindInterfaceText(70000), nullptr);
    SetInterfaceLanguage(kEnglish);
}

} // namespace
