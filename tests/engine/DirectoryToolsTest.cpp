// Root directory, direct access, emptying a folder and making the decompiler's folders.
#include <gtest/gtest.h>

#include "DirectoryTools.h"
#include "FileSandbox.h"
#include "HostFileSystem.h"
#include "ReporterCapture.h"
#include "zERROR.h"
#include "zFILE_VDFS.h"
#include "zFileSystem.h"

namespace {

using Strings = std::vector<std::string>;

class DirectoryTools : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        savedRoot = g_rootDirectory;
        processDir = HostGetCurrentDir();
    }
    void TearDown() override
    {
        HostChangeDir(processDir);
        g_rootDirectory = savedRoot;
        g_directFileAccessDir.clear();
        g_directFileAccessCount = 0;
        g_decompileFolders = nullptr;
        ReporterCapture::TearDown();
    }

    // A folder with the build's outputs at the top and more of the same below.
    void FillProject() const
    {
        for (const char* name : {"Varnok.dat", "Proj.tvp", "OU.BIN", "ou.csl", "a.d", "notes.txt", "Varnok.src"})
            box.Write(name, name);
        box.Write("AI/b.dat", "nested output");
        box.Write("AI/Deeper/c.d", "c");
        box.Write("data.dat.old/inside.d", "kept with its folder");
    }

    FileSandbox box;
    zSTRING savedRoot;
    std::string processDir;
};

TEST_F(DirectoryTools, RootIsStoredInCapitalsWithoutItsLastBackslash)
{
    struct Case {
        const char* given;
        const char* stored;
    };
    const Case cases[] = {
        {"c:\\game\\", "C:\\GAME"},
        {"C:\\Game\\\\", "C:\\GAME\\"},
        {"d:\\Mods", "D:\\MODS"},
        // Cyrillic "Моды" in the ANSI code page stays as it is; the engine's case table would make it "Моеы".
        {"c:\\\xCC\xEE\xE4\xFB\\", "C:\\\xCC\xEE\xE4\xFB"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetRootDirectory(c.given), c.stored) << c.given;
        EXPECT_EQ(g_rootDirectory, c.stored) << c.given;
    }
}

#ifndef _WIN32
TEST_F(DirectoryTools, CapitalisedRootStillFindsTheProject)
{
    box.Write("scripts/Main.src", "list");
    SetRootDirectory(box.Root() + "\\");
    zFILE_VDFS list("\\SCRIPTS\\MAIN.SRC");
    ASSERT_EQ(list.Open(false), 0);
    zSTRING line;
    list.ReadLine(line);
    EXPECT_EQ(line, "list");
}
#endif

TEST_F(DirectoryTools, DirectAccessWithoutAFolderStaysWhereItIs)
{
    DirectFileAccess(true);
    EXPECT_EQ(g_directFileAccessCount, 1);
    EXPECT_EQ(HostGetCurrentDir(), processDir);
    DirectFileAccess(false);
    EXPECT_EQ(g_directFileAccessCount, 0);
    EXPECT_TRUE(Texts().empty());

    // Every call in excess warns and leaves the count at 0.
    DirectFileAccess(false);
    DirectFileAccess(false);
    EXPECT_EQ(g_directFileAccessCount, 0);
    EXPECT_EQ(Texts(), (Strings{"Warning: Unexpected DirectFileAccess(false)", "Warning: Unexpected DirectFileAccess(false)"}));

    g_rootDirectory = "C:\\PROJ";
    zSTRING pattern = "\\AI\\*.d";
    DirectFileAccessIn(true, pattern);
    EXPECT_EQ(pattern, "C:\\PROJ\\AI\\*.d");
    zSTRING relative = "AI\\*.d";
    DirectFileAccessIn(true, relative);
    EXPECT_EQ(relative, "AI\\*.d");
    EXPECT_EQ(g_directFileAccessCount, 2);
}

TEST_F(DirectoryTools, DirectAccessChangesIntoItsFolderOrEndsTheJob)
{
    box.MakeDir("direct");
    g_directFileAccessDir = box.Native("direct");
    DirectFileAccess(true);
    EXPECT_TRUE(std::filesystem::equivalent(HostGetCurrentDir(), box.Path("direct")));
    HostChangeDir(processDir);

    g_directFileAccessDir = box.Native("missing");
    EXPECT_THROW(DirectFileAccess(true), zTFatalAbort);
    EXPECT_EQ(g_directFileAccessCount, 2);
    EXPECT_EQ(HostGetCurrentDir(), processDir);
    EXPECT_EQ(Texts()[0], "Error: Couldn't change to directory: " + box.Native("missing"));
}

TEST_F(DirectoryTools, KeepSparesTheBuildOutputsAtTheTopOnly)
{
    FillProject();
    EXPECT_EQ(RemoveDirTree(box.Root(), true), 0);
    for (const char* kept : {"Varnok.dat", "Proj.tvp", "OU.BIN", "ou.csl", "data.dat.old/inside.d"})
        EXPECT_TRUE(box.Exists(kept)) << kept;
    for (const char* gone : {"a.d", "notes.txt", "Varnok.src", "AI"})
        EXPECT_FALSE(box.Exists(gone)) << gone;
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(HostGetCurrentDir(), processDir);
}

TEST_F(DirectoryTools, WithoutKeepEverythingGoesButTheFolder)
{
    FillProject();
    box.MakeReadOnly("a.d");
    box.MakeReadOnly("AI/Deeper/c.d");
    EXPECT_TRUE(ClearDirectory(box.Root() + "\\", false));
    std::vector<zTHostDirEntry> left;
    ASSERT_TRUE(HostListDirectory(box.Root(), left));
    EXPECT_TRUE(left.empty());
    EXPECT_TRUE(box.Exists(""));
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(HostGetCurrentDir(), processDir);
}

TEST_F(DirectoryTools, LinksAreRemovedAndTheirTargetsLeftAlone)
{
    FileSandbox outside;
    outside.Write("precious/keep.txt", "mine");
    outside.Write("single.txt", "also mine");
    box.MakeDir("project/sub");
    box.Write("project/a.d", "a");
    if (!box.Link("project/linkdir", outside.Path("precious"), true) ||
        !box.Link("project/sub/linkfile", outside.Path("single.txt"), false))
        GTEST_SKIP() << "this system makes no symbolic links";

    EXPECT_EQ(RemoveDirTree(box.Native("project"), false), 0);
    EXPECT_FALSE(box.Exists("project/linkdir"));
    EXPECT_FALSE(box.Exists("project/sub"));
    EXPECT_FALSE(box.Exists("project/a.d"));
    EXPECT_EQ(outside.Read("precious/keep.txt"), "mine");
    EXPECT_EQ(outside.Read("single.txt"), "also mine");
    EXPECT_TRUE(Texts().empty());
}

TEST_F(DirectoryTools, RootsRelativeAndDottedPathsAreRefused)
{
    // Roots are only ever asked about: handing one over would, with a broken check, wipe a disk.
#ifdef _WIN32
    const Strings roots = {"\\", "/", "C:\\", "C:", "c:/", "Z:\\\\", "\\\\server\\share", "\\\\server\\share\\"};
#else
    const Strings roots = {"\\", "/", "//", "/\\"};
#endif
    for (const std::string& root : roots)
        EXPECT_FALSE(CanRemoveDirTree(root)) << root;
    EXPECT_TRUE(CanRemoveDirTree(box.Root()));
    EXPECT_TRUE(CanRemoveDirTree(box.Root() + "\\"));

    box.Write("sub/x.d", "x");
    box.Write("y.d", "y");
    const Strings refused = {"", box.Root() + "\\sub\\..", box.Native("sub") + "\\.", "tavrelin-missing", "tavrelin-missing\\folder"};
    for (const std::string& path : refused) {
        host.Clear();
        EXPECT_FALSE(CanRemoveDirTree(path)) << path;
        EXPECT_EQ(RemoveDirTree(path, false), zERR_FILE_INVALID) << path;
        EXPECT_FALSE(ClearDirectory(path, false)) << path;
        ASSERT_EQ(Texts().size(), 2u) << path;
        const std::string named = path.empty() ? "" : " \"" + path + "\"";
        EXPECT_EQ(Texts()[0], "Error: zDISK: Invalid flag or pmode argument. (EINVAL) in Remove directory" + named);
    }
    EXPECT_EQ(box.Read("sub/x.d"), "x");
    EXPECT_EQ(box.Read("y.d"), "y");
    EXPECT_EQ(HostGetCurrentDir(), processDir);
}

TEST_F(DirectoryTools, DirectoryListIsMadeInOrderUpToAHundred)
{
    const char* const folders[] = {"_Intern", "AI", "AI\\FAI", "Story\\B", nullptr};
    g_decompileFolders = folders;
    EXPECT_TRUE(CreateDirList(box.Root()));
    for (const char* made : {"_Intern", "AI", "AI/FAI"})
        EXPECT_TRUE(box.Exists(made)) << made;
    EXPECT_FALSE(box.Exists("Story"));  // its parent is not in the list
    EXPECT_TRUE(CreateDirList(box.Root() + "\\"));  // again: existing folders are passed over

    std::vector<std::string> names;
    for (int i = 0; i < 101; ++i)
        names.push_back("d" + std::to_string(i));
    std::vector<const char*> many;
    for (const std::string& name : names)
        many.push_back(name.c_str());
    many.push_back(nullptr);
    g_decompileFolders = many.data();
    EXPECT_TRUE(CreateDirList(box.Native("many")));
    box.MakeDir("many");
    EXPECT_TRUE(CreateDirList(box.Native("many")));
    EXPECT_TRUE(box.Exists("many/d99"));
    EXPECT_FALSE(box.Exists("many/d100"));
    EXPECT_TRUE(Texts().empty());
}

} // namespace
