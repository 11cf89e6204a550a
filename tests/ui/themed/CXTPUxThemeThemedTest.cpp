// The visual-styles wrapper in a program that asks for comctl32 version 6.
#include "CXTPUxTheme.h"

#include <gtest/gtest.h>

TEST(UxThemeThemed, WithTheManifestTheStylesAreReady)
{
    // Wine's version-6 controls, loaded through the manifest, still report 5.81: the
    // version the check sees is put in place of the real one.
    CXTPUxThemeLibrary* library = XTPUxThemeLibrary();
    const DWORD real = library->GetComCtlVersion();
    HWND hwnd = ::CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hwnd);
    {
        CXTPUxTheme theme;
        theme.OpenThemeData(hwnd, L"BUTTON");
        ASSERT_NE(nullptr, theme.GetThemeHandle());
        EXPECT_TRUE(theme.IsAppThemed());
        library->SetComCtlVersion(MAKELONG(0, 6));
        EXPECT_TRUE(theme.IsAppThemeReady());
        library->SetComCtlVersion(MAKELONG(81, 5));
        EXPECT_FALSE(theme.IsAppThemeReady());
        library->SetComCtlVersion(real);

        // A push button (part 1, state 1) draws into a memory DC.
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 20, 20);
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        RECT rect = {0, 0, 20, 20};
        EXPECT_EQ(S_OK, theme.DrawThemeBackground(dc, 1, 1, &rect, nullptr));
        ::SelectObject(dc, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);

        theme.CloseThemeData();
        EXPECT_EQ(nullptr, theme.GetThemeHandle());
        EXPECT_FALSE(theme.IsAppThemed());
    }
    ::DestroyWindow(hwnd);
}
