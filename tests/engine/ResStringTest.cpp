// String-table texts by language as engine strings, and their formatting.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "ResString.h"

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

} // namespace
