// The recent-file list: entries kept across a restart, their menu texts and menu items.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "AfxIds.h"
#include "CCmdUI.h"
#include "CRecentFileList.h"
#include "CWinApp.h"

namespace {

const char* const kKey = "Tavrelin docs tests";

void DeleteTestKey()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, (CString("Software\\") + kKey).operator const char*());
}

std::unique_ptr<CWinApp> StartApp(UINT nMaxMRU)
{
    auto app = std::make_unique<CWinApp>("RecentFiles");
    app->SetRegistryKey(kKey);
    app->LoadStdProfileSettings(nMaxMRU);
    return app;
}

TEST(CRecentFileListTest, EntriesSurviveARestartNewestFirstWithoutRepeats)
{
    DeleteTestKey();
    {
        auto app = StartApp(3);
        app->AddToRecentFileList("C:\\scripts\\a.d");
        app->AddToRecentFileList("C:\\scripts\\b.d");
        app->AddToRecentFileList("C:\\scripts\\c.d");
        app->AddToRecentFileList("C:\\Scripts\\sub\\..\\A.D");  // the same file: moves up
        app->AddToRecentFileList("C:\\scripts\\d.d");           // b.d falls off
        app->AddToRecentFileList("");
        app->ExitInstance();
    }
    auto app = StartApp(3);
    ASSERT_NE(app->m_pRecentFileList, nullptr);
    CRecentFileList& list = *app->m_pRecentFileList;
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_STREQ(list[0], "C:\\scripts\\d.d");
    EXPECT_STREQ(list[1], "C:\\Scripts\\A.D");
    EXPECT_STREQ(list[2], "C:\\scripts\\c.d");
    EXPECT_STREQ(app->GetProfileString("Recent File List", "File1"), "C:\\scripts\\d.d");

    // Removing shifts the rest up; the emptied entry leaves the profile.
    list.Remove(0);
    list.Remove(7);
    list.Remove(-1);
    EXPECT_STREQ(list[0], "C:\\Scripts\\A.D");
    EXPECT_STREQ(list[1], "C:\\scripts\\c.d");
    EXPECT_STREQ(list[2], "");
    app->ExitInstance();
    EXPECT_STREQ(app->GetProfileString("Recent File List", "File3", "gone"), "gone");

    // A smaller list after a restart keeps the newest; a larger one is clamped to the 16 commands.
    app.reset();
    app = StartApp(1);
    EXPECT_EQ(app->m_pRecentFileList->GetSize(), 1);
    EXPECT_STREQ((*app->m_pRecentFileList)[0], "C:\\Scripts\\A.D");
    app->ExitInstance();  // the longer list's other entries are not left behind
    EXPECT_STREQ(app->GetProfileString("Recent File List", "File2", "gone"), "gone");
    app.reset();
    app = StartApp(40);
    EXPECT_EQ(app->m_pRecentFileList->GetSize(), 16);
    app.reset();
    DeleteTestKey();
}

TEST(CRecentFileListTest, HandEditedProfileGivesAListWithoutHolesOrRepeats)
{
    DeleteTestKey();
    {
        CWinApp writer("RecentFiles");
        writer.SetRegistryKey(kKey);
        writer.WriteProfileString("Recent File List", "File1", "");
        writer.WriteProfileString("Recent File List", "File2", "C:\\x.d");
        writer.WriteProfileString("Recent File List", "File3", "c:\\X.D");
        writer.WriteProfileInt("Recent File List", "File4", 5);  // not a string
        writer.WriteProfileString("Recent File List", "File5", "C:\\y.d");
    }
    auto app = StartApp(5);
    CRecentFileList& list = *app->m_pRecentFileList;
    EXPECT_STREQ(list[0], "C:\\x.d");
    EXPECT_STREQ(list[1], "C:\\y.d");
    EXPECT_STREQ(list[2], "");
    app.reset();
    DeleteTestKey();
}

TEST(CRecentFileListTest, DisplayNamesAreShortenedToTheMenuWidth)
{
    struct Case {
        const char* path;
        const char* curDir;
        BOOL atLeastName;
        const char* shown;
    } cases[] = {
        {"C:\\work\\a.d", "C:\\work\\", TRUE, "a.d"},
        {"C:\\WORK\\a.d", "c:\\work\\", TRUE, "a.d"},                  // folders compare without case
        {"C:\\work\\sub\\a.d", "C:\\work\\", TRUE, "C:\\work\\sub\\a.d"},  // not directly in it
        {"C:\\short\\path.d", nullptr, TRUE, "C:\\short\\path.d"},
        {"C:\\Games\\Varnok\\_work\\Data\\Scripts\\Content\\Story.d", nullptr, TRUE, "C:\\...\\Scripts\\Content\\Story.d"},
        {"\\\\server\\share\\deep\\deeper\\deepest\\file.d", nullptr, TRUE, "\\\\server\\share\\...\\file.d"},
        {"C:\\a\\averyveryverylongscriptfilename_x.d", nullptr, TRUE, "averyveryverylongscriptfilename_x.d"},
        {"C:\\a\\averyveryverylongscriptfilename_x.d", nullptr, FALSE, "averyveryverylongscriptfilenam"},
        {"relative_name_that_is_rather_long.d", nullptr, TRUE, "relative_name_that_is_rather_long.d"},
    };
    for (const Case& c : cases) {
        CRecentFileList list(0, "Recent File List", "File%d", 2);
        list[0] = c.path;
        CString shown;
        int curLength = c.curDir ? static_cast<int>(std::strlen(c.curDir)) : 0;
        EXPECT_TRUE(list.GetDisplayName(shown, 0, c.curDir, curLength, c.atLeastName)) << c.path;
        EXPECT_STREQ(shown, c.shown) << c.path;
    }
    CRecentFileList list(0, "Recent File List", "File%d", 2);
    CString shown = "stale";
    // A folder length past the folder's end reads no further than the folder.
    list[0] = "C:\\work\\a.d";
    EXPECT_TRUE(list.GetDisplayName(shown, 0, "C:\\work\\", 40));
    EXPECT_STREQ(shown, "a.d");
    list[0].Empty();
    EXPECT_FALSE(list.GetDisplayName(shown, 0, nullptr, 0));
    EXPECT_FALSE(list.GetDisplayName(shown, 5, nullptr, 0));
    EXPECT_STREQ(shown, "");
}

CString ItemText(HMENU menu, int position)
{
    char text[256] = {};
    ::GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

// One update of the menu's item at `position`, as a menu's update walk does it.
CCmdUI UpdateAt(CRecentFileList& list, HMENU menu, UINT position)
{
    CCmdUI ui;
    ui.m_hMenu = menu;
    ui.m_nIndex = position;
    ui.m_nIndexMax = static_cast<UINT>(::GetMenuItemCount(menu));
    ui.m_nID = ::GetMenuItemID(menu, position);
    list.UpdateMenu(&ui);
    return ui;
}

TEST(CRecentFileListTest, MenuItemsFollowTheList)
{
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, ID_FILE_OPEN, "&Open...");
    ::AppendMenuA(menu, MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
    ::AppendMenuA(menu, MF_STRING, ID_APP_EXIT, "E&xit");

    CRecentFileList list(0, "Recent File List", "File%d", 4);
    // Empty: the item keeps its text and is disabled.
    CCmdUI ui = UpdateAt(list, menu, 1);
    EXPECT_EQ(::GetMenuItemCount(menu), 3);
    EXPECT_TRUE(::GetMenuState(menu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);

    char curDir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, curDir);
    list.Add((CString(curDir) + "\\Salt & Pepper.d").operator const char*());
    list.Add("C:\\x.d");
    ui = UpdateAt(list, menu, 1);
    ASSERT_EQ(::GetMenuItemCount(menu), 4);
    EXPECT_STREQ(ItemText(menu, 1), "&1 C:\\x.d");
    EXPECT_STREQ(ItemText(menu, 2), "&2 Salt && Pepper.d");
    EXPECT_EQ(::GetMenuItemID(menu, 2), static_cast<UINT>(ID_FILE_MRU_FILE1 + 1));
    EXPECT_FALSE(::GetMenuState(menu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(ui.m_nIndex, 2u);  // the walk goes on with "Exit"
    EXPECT_EQ(ui.m_nIndexMax, 4u);

    // The next update replaces its own items rather than adding to them.
    list.Remove(1);
    ui = UpdateAt(list, menu, 1);
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    EXPECT_STREQ(ItemText(menu, 1), "&1 C:\\x.d");
    EXPECT_EQ(::GetMenuItemID(menu, 2), static_cast<UINT>(ID_APP_EXIT));

    // Emptied again: back to the original text.
    list.Remove(0);
    UpdateAt(list, menu, 1);
    EXPECT_STREQ(ItemText(menu, 1), "Recent File");
    EXPECT_TRUE(::GetMenuState(menu, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    ::DestroyMenu(menu);
}

TEST(CRecentFileListTest, TenthEntryIsNumberedZeroAndItemsTakeTheItemsCommands)
{
    // A list of its own commands (a recent-project list, say) starting at its menu item's.
    const UINT first = 32775;
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, first, "Recent Projects");
    CRecentFileList list(0, "Recent Project List", "Project%d", 10);
    for (int i = 10; i >= 1; --i) {
        CString path;
        path.Format("C:\\f%d.d", i);
        list.Add(path);
    }
    UpdateAt(list, menu, 0);
    ASSERT_EQ(::GetMenuItemCount(menu), 10);
    EXPECT_STREQ(ItemText(menu, 0), "&1 C:\\f1.d");
    EXPECT_STREQ(ItemText(menu, 9), "&0 C:\\f10.d");
    EXPECT_EQ(::GetMenuItemID(menu, 0), first);
    EXPECT_EQ(::GetMenuItemID(menu, 9), first + 9);
    // The next update finds and replaces them.
    list.Remove(0);
    UpdateAt(list, menu, 0);
    EXPECT_EQ(::GetMenuItemCount(menu), 9);
    ::DestroyMenu(menu);
}

}  // namespace
