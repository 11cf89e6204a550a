// The options: directory keys and folders, sections and entries, switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JobGlobals.h"
#include "ReporterCapture.h"
#include "ResString.h"
#include "zCOption.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

class Option : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        savedSource = g_jobSourceDir;
        savedDest = g_jobDestDir;
    }
    void TearDown() override
    {
        zCOption::SetStartDirectory("");
        g_jobSourceDir = savedSource;
        g_jobDestDir = savedDest;
        ReporterCapture::TearDown();
    }

    zSTRING savedSource;
    zSTRING savedDest;
    zCOption options;
};

TEST_F(Option, DirectoryKeysByIndex)
{
    const char* const keys[] = {
        "DIR_SYSTEM",         "DIR_DECOMPILED",      "DIR_SAVEGAMES",        "DIR_DATA",
        "DIR_ANIMS",          "DIR_OUTPUTUNITS",     "DIR_MESHES",           "DIR_SCRIPTS",
        "DIR_SOUND",          "DIR_VIDEO",           "DIR_MUSIC",            "DIR_TEX",
        "DIR_TEX_DESKTOP",    "DIR_WORLD",           "DIR_PRESETS",          "DIR_TOOLS_DATA",
        "DIR_COMPILED_ANIMS", "DIR_COMPILED_MESHES", "DIR_COMPILED_SCRIPTS", "DIR_COMPILED_TEXTURES",
        "DIR_CONVERTED_MDL",  "SUBDIR_INTERN",       "",                     "DIR_ROOT",
        "DIR_EXECUTABLE",
    };
    ASSERT_EQ(std::size(keys), static_cast<std::size_t>(zOPT_NUM_DIRS));
    for (int i = 0; i < zOPT_NUM_DIRS; ++i)
        EXPECT_EQ(zCOption::GetDirKey(i), keys[i]) << i;
    EXPECT_EQ(zCOption::GetDirKey(-1), "");
    EXPECT_EQ(zCOption::GetDirKey(zOPT_NUM_DIRS), "");
}

TEST_F(Option, InitPutsSystemAndAnimsBelowTheStartDirectory)
{
    EXPECT_EQ(options.GetDirString(DIR_SYSTEM), "");

    zCOption::SetStartDirectory("C:\\Tools\\Tav");
    options.Init("", 0);
    EXPECT_EQ(options.GetDirString(DIR_SYSTEM), "C:\\Tools\\Tav\\System\\");
    EXPECT_EQ(options.GetDirString(DIR_ANIMS), "C:\\Tools\\Tav\\ANIMS\\");
    EXPECT_EQ(options.GetDirFile(DIR_SYSTEM)->GetDirPath(), "C:\\Tools\\Tav\\System\\");
    EXPECT_EQ(options.GetDirFile(DIR_ANIMS)->GetDirPath(), "C:\\Tools\\Tav\\ANIMS\\");
    EXPECT_EQ(options.GetDirFile(zOPT_NUM_DIRS), nullptr);

    zCOption::SetStartDirectory("C:\\Tools\\Tav\\");  // no doubled separator
    options.Init("", 0);
    EXPECT_EQ(options.GetDirString(DIR_SYSTEM), "C:\\Tools\\Tav\\System\\");

    zCOption::SetStartDirectory("");  // the working directory
    options.Init("", 0);
    const zSTRING system = options.GetDirString(DIR_SYSTEM);
    ASSERT_GT(system.size(), 8u);
    EXPECT_EQ(system.substr(system.size() - 8), "\\System\\");
    EXPECT_TRUE(host.GetLines().empty());  // the start-up line waits for filter level 10
}

TEST_F(Option, InitReportsAtTheHighestFilterLevel)
{
    g_errorReporter.SetFilterLevel(10);
    options.Init("", 0);
    const auto lines = host.GetLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "zOPT: Initialize configurations");
    EXPECT_EQ(lines[0].kind, zMSG_PLAIN);
}

TEST_F(Option, ReadMakesMissingEntriesWithTheDefault)
{
    EXPECT_EQ(options.ReadInt("INTERNAL", "zCount", 0), 0);
    EXPECT_EQ(options.ReadString("INTERNAL", "zCount", "9"), "0");

    // Section names lose their brackets and letter case; names and values their blanks.
    EXPECT_EQ(options.ReadString("[performance]", " key ", "  first value "), "first value");
    EXPECT_EQ(options.ReadString("PERFORMANCE", "key", "second"), "first value");
    EXPECT_EQ(options.ReadString(" [Performance] ", "key", "third"), "first value");
    EXPECT_EQ(options.ReadString("HEAD", "key", "other section"), "other section");

    EXPECT_EQ(options.ReadString("HEAD", "n", " -7 "), "-7");
    EXPECT_EQ(options.ReadInt("HEAD", "n", 0), -7);
    EXPECT_EQ(options.ReadString("HEAD", "text", "abc"), "abc");
    EXPECT_EQ(options.ReadInt("HEAD", "text", 5), 0);
}

TEST_F(Option, NegativeIntDefaultsReadBackAsThemselves)
{
    EXPECT_EQ(options.ReadInt("INTERNAL", "zMinusOne", -1), -1);
    EXPECT_EQ(options.ReadString("INTERNAL", "zMinusOne", ""), "4294967295");
    EXPECT_EQ(options.ReadInt("INTERNAL", "zMinusOne", 0), -1);
    EXPECT_EQ(options.ReadInt("INTERNAL", "zLowest", INT32_MIN), INT32_MIN);
}

TEST_F(Option, SwitchesComeFromTheCommandLine)
{
    EXPECT_FALSE(options.Parm("znomempool"));
    options.Init("", 0);
    EXPECT_FALSE(options.Parm("znomempool"));
    EXPECT_FALSE(options.Parm("ZNORESTHREAD"));

    options.Init("-zNoMemPool -x", 0);
    EXPECT_TRUE(options.Parm("znomempool"));
    EXPECT_TRUE(options.Parm("X"));
    EXPECT_FALSE(options.Parm("znoresthread"));
    EXPECT_FALSE(options.Parm("zNoMemPool2"));

    // The flag keeps the stored line behind the new one.
    options.Init("-zNoResThread", 1);
    EXPECT_TRUE(options.Parm("ZNORESTHREAD"));
    EXPECT_TRUE(options.Parm("ZNOMEMPOOL"));
    options.Init("", 0);
    EXPECT_FALSE(options.Parm("ZNOMEMPOOL"));
}

TEST_F(Option, DirectoriesDerivedFromTheJobFolders)
{
    struct Case {
        int index;
        const char* source;
        const char* expected;
    };
    const Case cases[] = {
        {DIR_COMPILED_TEXTURES, "C:\\G\\Anims\\X\\", "C:\\G\\Textures\\_compiled\\"},
        {DIR_TEX, "C:\\G\\Anims\\X\\", "C:\\G\\Textures\\"},
        {DIR_COMPILED_TEXTURES, "C:\\G\\ANIMS\\", "C:\\G\\Textures\\_compiled\\"},
        {DIR_TEX, "C:\\A\\Anims\\B\\Anims\\", "C:\\A\\Anims\\B\\Textures\\"},
        {DIR_COMPILED_TEXTURES, "C:\\G\\Meshes\\", ""},
        {DIR_TEX, "", ""},
        {DIR_COMPILED_ANIMS, "C:\\G\\Anims\\", "C:\\G\\Anims\\_compiled\\"},
        {DIR_COMPILED_ANIMS, "C:\\G\\anims\\X\\", "C:\\G\\anims\\_compiled\\"},
        {DIR_COMPILED_ANIMS, "C:\\G\\Anims\\_Compiled\\", "C:\\G\\Anims\\_Compiled\\"},
        {DIR_COMPILED_ANIMS, "C:\\G\\Anims\\_compiled\\Sub\\", "C:\\G\\Anims\\_compiled\\"},
        {DIR_COMPILED_ANIMS, "C:\\G\\Meshes\\", ""},
        {DIR_CONVERTED_MDL, "C:\\G\\Anims\\", "D:\\Out\\"},
        {DIR_DATA, "C:\\G\\Anims\\", ""},
        {22, "C:\\G\\Anims\\", ""},
        {-1, "C:\\G\\Anims\\", ""},
        {zOPT_NUM_DIRS, "C:\\G\\Anims\\", ""},
    };
    g_jobDestDir = "D:\\Out\\";
    for (const Case& c : cases) {
        g_jobSourceDir = c.source;
        EXPECT_EQ(options.GetDirString(c.index), c.expected) << c.index << " " << c.source;
    }
}

TEST_F(Option, InitAndDeinitOfTheGlobalOptions)
{
    InitOptions();
    ASSERT_NE(g_options, nullptr);
    EXPECT_FALSE(g_options->Parm("ZNOMEMPOOL"));
    EXPECT_NE(g_options->GetDirString(DIR_SYSTEM), "");
    DeinitOptions();
    EXPECT_EQ(g_options, nullptr);
    DeinitOptions();
    EXPECT_EQ(g_options, nullptr);
}

} // namespace
