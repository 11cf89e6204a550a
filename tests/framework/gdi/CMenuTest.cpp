// Menus: items and their states, long texts, loading in the interface language.
#include <gtest/gtest.h>

#include <string>

#include "AfxResource.h"
#include "CMenu.h"

namespace {

TEST(CMenuItems, StatesAndTexts)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    const std::string longText(600, 'x');
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 10, "&Open"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 11, longText.c_str()));
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetMenuItemID(2), 11u);

    EXPECT_EQ(menu.EnableMenuItem(10, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(MF_ENABLED));
    EXPECT_EQ(menu.CheckMenuItem(11, MF_BYCOMMAND | MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_TRUE(menu.GetMenuState(10, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(11, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(menu.EnableMenuItem(99, MF_BYCOMMAND), static_cast<UINT>(-1));

    CString text;
    EXPECT_EQ(menu.GetMenuString(10, text, MF_BYCOMMAND), 5);
    EXPECT_STREQ(text, "&Open");
    EXPECT_EQ(menu.GetMenuString(11, text, MF_BYCOMMAND), 600);
    EXPECT_EQ(std::string(text), longText);
    EXPECT_EQ(menu.GetMenuString(99, text, MF_BYCOMMAND), 0);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CMenuItems, SubMenusAreTemporaryUntilAttached)
{
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    HMENU popup = ::CreatePopupMenu();
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Edit"));
    CMenu* sub = bar.GetSubMenu(0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->m_hMenu, popup);
    EXPECT_EQ(bar.GetSubMenu(5), nullptr);
    CMenu::DeleteTempMap();
    EXPECT_TRUE(::IsMenu(popup)) << "the temporary destroyed the submenu";
}

TEST(CMenuResources, LoadInTheInterfaceLanguage)
{
    struct Case {
        WORD language;
        const char* file;
        const char* open;
    };
    const Case cases[] = {
        {1033, "&File", "&Open"},
        {1031, "&Datei", "\xD6&ffnen"},
        {1049, "&File", "&Open"},  // no Russian menu: English
    };
    for (const Case& c : cases) {
        AfxSetResourceLanguage(c.language);
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(400)) << c.language;
        CString text;
        menu.GetMenuString(0, text, MF_BYPOSITION);
        EXPECT_STREQ(text, c.file) << c.language;
        menu.GetSubMenu(0)->GetMenuString(401, text, MF_BYCOMMAND);
        EXPECT_STREQ(text, c.open) << c.language;
    }
    AfxSetResourceLanguage(1033);
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(499));
    EXPECT_EQ(missing.m_hMenu, nullptr);
    CMenu::DeleteTempMap();
}

} // namespace
