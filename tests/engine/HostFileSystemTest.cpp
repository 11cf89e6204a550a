// The host path layer: name matching, the mapping of engine paths, renames and searches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "FileSandbox.h"
#include "HostFileSystem.h"

namespace {

std::vector<std::string> Names(const std::vector<zTHostDirEntry>& entries)
{
    std::vector<std::string> names;
    for (const zTHostDirEntry& entry : entries)
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

using Strings = std::vector<std::string>;

TEST(HostWildcard, MatchesWindowsStyleIgnoringCase)
{
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"*.*", "README", true},     {"*.*", "a.b", true},        {"*.d", "MAIN.D", true},
        {"*.D", "main.d", true},     {"*.MDL", "hum.mdl", true},  {"*.d", "x.dat", false},
        {"*.d", "x.d.bak", false},   {"?", "a", true},            {"?", "ab", false},
        {"?", "", false},            {"A?C", "abc", true},        {"*", "", true},
        {"*a*b", "xaybab", true},    {"ABC.*", "abc", true},      {"ABC.*", "abcd", false},
        {"b_*.d", "B_Story.d", true}, {"*.src", "Varnok.src", true}, {"", "x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " / " << c.name;
}

// A back-tracking matcher would not finish this in any time a test run allows.
TEST(HostWildcard, ManyStarsDoNotCrawl)
{
    const std::string name(5000, 'a');
    EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*a*a*b", name.c_str()));
}

TEST(HostPathKinds, AbsoluteAndRootPaths)
{
    struct Case {
        const char* path;
        bool absolute;
        bool root;
    };
#ifdef _WIN32
    const Case cases[] = {
        {"C:\\GAME", true, false}, {"C:\\", true, true},          {"C:", false, true},
        {"c:/", true, true},       {"\\", false, true},           {"/", false, true},
        {"\\GAME", false, false},  {"GAME\\X", false, false},     {"\\\\server\\share", true, true},
        {"\\\\server\\share\\", true, true}, {"\\\\server\\share\\x", true, false}, {"", false, false},
    };
#else
    const Case cases[] = {
        {"/tmp/x", true, false}, {"/", true, true},        {"//", true, true},  {"\\", true, true},
        {"\\TMP\\X", true, false}, {"tmp/x", false, false}, {"C:\\", false, false}, {"", false, false},
    };
#endif
    for (const Case& c : cases) {
        EXPECT_EQ(HostIsAbsolutePath(c.path), c.absolute) << c.path;
        EXPECT_EQ(HostIsRootPath(c.path), c.root) << c.path;
    }
}

TEST(HostFiles, RenameNeverReplacesAnExistingFile)
{
    FileSandbox box;
    box.Write("a.txt", "first");
    box.Write("b.txt", "second");

    errno = 0;
    EXPECT_FALSE(HostRename(box.Native("a.txt"), box.Native("b.txt")));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(box.Read("a.txt"), "first");
    EXPECT_EQ(box.Read("b.txt"), "second");

    EXPECT_TRUE(HostRename(box.Native("a.txt"), box.Native("c.txt")));
    EXPECT_FALSE(box.Exists("a.txt"));
    EXPECT_EQ(box.Read("c.txt"), "first");
}

TEST(HostFiles, FindFilesMatchesTheMaskIgnoringCase)
{
    FileSandbox box;
    for (const char* name : {"a.d", "B.D", "c.dat", "README"})
        box.Write(std::string("ai/") + name, "x");
    box.MakeDir("ai/Sub");
    const std::string folder = box.Native("ai") + "\\";

    std::vector<zTHostDirEntry> found;
    EXPECT_TRUE(HostFindFiles(folder + "*.d", found));
    EXPECT_EQ(Names(found), (Strings{"B.D", "a.d"}));
    EXPECT_TRUE(HostFindFiles(folder + "*.*", found));
    EXPECT_EQ(Names(found), (Strings{"B.D", "README", "Sub", "a.d", "c.dat"}));
    const auto sub = std::find_if(found.begin(), found.end(), [](const zTHostDirEntry& e) { return e.name == "Sub"; });
    ASSERT_NE(sub, found.end());
    EXPECT_TRUE(sub->isDirectory);
    EXPECT_FALSE(HostFindFiles(folder + "*.MDL", found));
    EXPECT_TRUE(found.empty());
    EXPECT_FALSE(HostFindFiles(box.Native("missing") + "\\*.*", found));
}

TEST(HostFiles, InfoTellsDirectoriesAndReadOnlyFiles)
{
    FileSandbox box;
    box.Write("r.txt", "12345");
    box.MakeReadOnly("r.txt");
    zTHostFileInfo info;
    ASSERT_TRUE(HostGetInfo(box.Native("r.txt"), info));
    EXPECT_FALSE(info.isDirectory);
    EXPECT_TRUE(info.isReadOnly);
    EXPECT_EQ(info.size, 5);
    ASSERT_TRUE(HostMakeWritable(box.Native("r.txt")));
    ASSERT_TRUE(HostGetInfo(box.Native("r.txt"), info));
    EXPECT_FALSE(info.isReadOnly);
    ASSERT_TRUE(HostGetInfo(box.Root(), info));
    EXPECT_TRUE(info.isDirectory);
    errno = 0;
    EXPECT_FALSE(HostGetInfo(box.Native("none.txt"), info));
    EXPECT_EQ(errno, ENOENT);
}

#ifndef _WIN32

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(HostResolve, ComponentsAreFoundIgnoringCase)
{
    FileSandbox box;
    box.Write("scripts/Ai/main.src", "x");
    std::string host;

    ASSERT_TRUE(HostResolvePath(box.Root() + "\\SCRIPTS\\AI\\MAIN.SRC", host));
    EXPECT_EQ(host, box.Native("scripts/Ai/main.src"));
    // An upper-cased root, as SetRootDirectory makes it, still finds the folder.
    ASSERT_TRUE(HostResolvePath(Upper(box.Root()) + "\\Scripts", host));
    EXPECT_EQ(host, box.Native("scripts"));
    // What does not exist yet keeps its spelling, below the part that does.
    ASSERT_TRUE(HostResolvePath(box.Root() + "\\SCRIPTS\\NewDir\\New.TXT", host));
    EXPECT_EQ(host, box.Native("scripts/NewDir/New.TXT"));
    ASSERT_TRUE(HostResolvePath(box.Root() + "\\scripts\\.\\AI\\..\\Ai\\MAIN.src", host));
    EXPECT_EQ(host, box.Native("scripts/./Ai/../Ai/main.src"));
}

TEST(HostResolve, OfSeveralSpellingsTheFirstInByteOrderWins)
{
    FileSandbox box;
    box.Write("Data/x.txt", "lower");
    box.Write("DATA/x.txt", "upper");
    std::string host;
    ASSERT_TRUE(HostResolvePath(box.Root() + "\\data\\X.TXT", host));
    EXPECT_EQ(host, box.Native("DATA/x.txt"));
    // The exact spelling always comes first.
    ASSERT_TRUE(HostResolvePath(box.Root() + "\\Data\\x.txt", host));
    EXPECT_EQ(host, box.Native("Data/x.txt"));
}

TEST(HostResolve, DriveLettersHaveNoPlaceHere)
{
    std::string host;
    errno = 0;
    EXPECT_FALSE(HostResolvePath("C:\\GAME\\A.TXT", host));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(HostResolvePath("", host));
}

TEST(HostFiles, ListingMarksLinksAndNeverCallsThemDirectories)
{
    FileSandbox box;
    box.MakeDir("real");
    ASSERT_TRUE(box.Link("link", box.Path("real"), true));
    std::vector<zTHostDirEntry> entries;
    ASSERT_TRUE(HostListDirectory(box.Root(), entries));
    ASSERT_EQ(Names(entries), (Strings{"link", "real"}));
    EXPECT_TRUE(entries[0].isLink);
    EXPECT_FALSE(entries[0].isDirectory);
    EXPECT_FALSE(entries[1].isLink);
    EXPECT_TRUE(entries[1].isDirectory);
}

#else

TEST(HostResolve, WindowsPathsPassAsTheyAre)
{
    std::string host;
    ASSERT_TRUE(HostResolvePath("C:\\Game\\Scripts\\MAIN.SRC", host));
    EXPECT_EQ(host, "C:\\Game\\Scripts\\MAIN.SRC");
}

#endif

} // namespace
