// The visual-styles wrapper without the library and without comctl32 version 6.
#include "CXTPUxTheme.h"

#include <gtest/gtest.h>

TEST(UxTheme, WithoutTheLibraryEveryCallFailsQuietly)
{
    CXTPUxThemeLibrary missing("no-such-visual-styles.dll");
    CXTPUxThemeLibrary* previous = XTPSetUxThemeLibrary(&missing);
    {
        CXTPUxTheme theme;
        theme.OpenThemeData(nullptr, L"BUTTON");
        RECT rect = {0, 0, 10, 10};
        EXPECT_EQ(nullptr, theme.GetThemeHandle());
        EXPECT_EQ(E_FAIL, theme.DrawThemeBackground(nullptr, 1, 1, &rect, nullptr));
        COLORREF color = 0x123456;
        EXPECT_EQ(E_FAIL, theme.GetThemeColor(0, 0, 3801, &color));
        EXPECT_EQ(0x123456u, color);
        WCHAR name[MAX_PATH];
        EXPECT_EQ(E_FAIL, CXTPUxTheme::GetCurrentThemeName(name, MAX_PATH, name, MAX_PATH, nullptr, 0));
        EXPECT_FALSE(CXTPUxTheme::IsThemeActive());
        EXPECT_FALSE(theme.IsAppThemed());
        EXPECT_FALSE(theme.IsAppThemeReady());
        EXPECT_EQ(nullptr, missing.GetProc(CXTPUxThemeLibrary::xtpDrawThemeBackground));
    }
    XTPSetUxThemeLibrary(previous);
}

TEST(UxTheme, WithoutTheManifestComCtlIsOlderThan6)
{
    // This test program asks for no comctl32 version: the system gives 5.81.
    EXPECT_EQ(MAKELONG(81, 5), XTPQueryComCtlVersion());
    EXPECT_FALSE(IsComCtlVersion6());
    CXTPUxTheme theme;
    EXPECT_FALSE(theme.IsAppThemed());  // no theme open
    theme.OpenThemeData(nullptr, L"BUTTON");
    EXPECT_FALSE(theme.IsAppThemeReady());
}

TEST(UxTheme, EntryPointsAreLookedUpByName)
{
    CXTPUxThemeLibrary library;
    ASSERT_NE(nullptr, library.GetModule());
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(library.GetModule(), "DrawThemeBackgroundEx")),
              reinterpret_cast<void*>(library.GetProc(CXTPUxThemeLibrary::xtpDrawThemeBackgroundEx)));
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(library.GetModule(), "OpenThemeData")),
              reinterpret_cast<void*>(library.GetProc(CXTPUxThemeLibrary::xtpOpenThemeData)));
    EXPECT_EQ(nullptr, library.GetProc(CXTPUxThemeLibrary::xtpEntryCount));
}
