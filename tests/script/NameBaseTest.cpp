#include <gtest/gtest.h>

#include <string>

#include "JobGlobalsSnapshot.h"
#include "SymbolFileFixture.h"
#include "zCOption.h"
#include "zCParNameBase.h"

namespace {

class NameBaseTest : public SymbolFileFixture {
protected:
    void SetUp() override
    {
        SymbolFileFixture::SetUp();
        g_platform = zPLATFORM_FIRST_GAME;
    }

private:
    JobGlobalsSnapshot savedGlobals;
};

TEST_F(NameBaseTest, FirstSpellingStaysAndRestoresCase)
{
    zCParNameBase base;
    EXPECT_EQ(base.Insert("Npc_IsDead"), 1);
    EXPECT_EQ(base.Insert("NPC_ISDEAD"), 0);
    EXPECT_EQ(base.GetNum(), 1);
    zSTRING name = "NPC_ISDEAD";
    EXPECT_EQ(base.RestoreCase(name), 0);
    EXPECT_EQ(name, "Npc_IsDead");

    zSTRING unknown = "HLP_GETNPC";
    EXPECT_EQ(base.RestoreCase(unknown), -1);
    EXPECT_EQ(unknown, "HLP_GETNPC");
}

TEST_F(NameBaseTest, SearchAndGetAt)
{
    zCParNameBase base;
    EXPECT_EQ(base.Search("a"), -1);
    for (const char* name : {"Zeta", "alpha", "Mid"})
        base.Insert(name);
    const struct {
        const char* name;
        int number;
    } cases[] = {{"ZETA", 0}, {"Alpha", 1}, {"mid", 2}, {"Mi", -1}, {"Midd", -1}, {"", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(base.Search(c.name), c.number) << c.name;
        EXPECT_EQ(base.IsIn(c.name), c.number != -1) << c.name;
    }
    ASSERT_NE(base.GetAt(1), nullptr);
    EXPECT_EQ(*base.GetAt(1), "alpha");
    EXPECT_EQ(base.GetAt(-1), nullptr);
    EXPECT_EQ(base.GetAt(3), nullptr);
    base.Clear();
    EXPECT_EQ(base.GetNum(), 0);
    EXPECT_EQ(base.Search("Zeta"), -1);
}

TEST_F(NameBaseTest, LargeBaseStaysFast)
{
    zCParNameBase base;
    for (int i = 200000; i > 0; --i)
        ASSERT_EQ(base.Insert(zSTRING("Name_") + zSTRING(i)), 1);
    EXPECT_EQ(base.Search("NAME_1"), 199999);
}

TEST_F(NameBaseTest, SaveWritesInsertionOrderAndLoadReadsItBack)
{
    zCParNameBase base;
    for (const char* name : {"Zeta", "alpha", "Mid"})
        base.Insert(name);
    box.MakeDir("system");
    base.Save("\\system");
    EXPECT_EQ(box.Read("system/NamesVarnok1.dsc"), "Zeta\nalpha\nMid\n");
    const std::vector<std::string> saveLines = {"NBASE: Saving base of names...", "NBASE: Saving ok"};
    EXPECT_EQ(Texts(), saveLines);
    host.Clear();

    zCParNameBase loaded;
    loaded.Insert("MID");  // already present: the earlier spelling stays
    loaded.Load("\\system\\");
    EXPECT_EQ(loaded.GetNum(), 3);
    EXPECT_EQ(*loaded.GetAt(0), "MID");
    EXPECT_EQ(*loaded.GetAt(2), "alpha");
    const std::vector<std::string> loadLines = {"Loading base of names...", "NBASE: Number of names: 3 loaded"};
    EXPECT_EQ(Texts(), loadLines);
}

TEST_F(NameBaseTest, PlatformChoosesTheFile)
{
    EXPECT_EQ(zCParNameBase::GetFileName(), "NamesVarnok1.dsc");
    g_platform = zPLATFORM_SECOND_GAME;
    EXPECT_EQ(zCParNameBase::GetFileName(), "NamesVarnok2.dsc");
}

TEST_F(NameBaseTest, MissingFileAndMissingOptionsWarn)
{
    zCParNameBase base;
    base.Insert("Keep");
    base.Load("\\nowhere\\");
    EXPECT_EQ(base.GetNum(), 1);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_NE(Texts()[1].find("NBASE: File '"), std::string::npos);
    EXPECT_NE(Texts()[1].find("NamesVarnok1.dsc' not found."), std::string::npos);
    host.Clear();

    zCOption* savedOptions = g_options;
    g_options = nullptr;
    base.Save();
    g_options = savedOptions;
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_NE(Texts()[0].find("NBASE: File 'NamesVarnok1.dsc' not found."), std::string::npos);
}

} // namespace
