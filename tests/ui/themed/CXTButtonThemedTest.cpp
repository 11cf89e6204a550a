// The themed button in a program with the version-6 controls: the visual style draws its background.
#include "CXTButton.h"
#include "CXTButtonTheme.h"

#include <gtest/gtest.h>

#include "CDC.h"
#include "CXTPUxTheme.h"

TEST(ButtonThemed, VisualStyleBitDrawsThroughTheStyle)
{
    CXTPUxThemeLibrary* library = XTPUxThemeLibrary();
    const DWORD real = library->GetComCtlVersion();
    library->SetComCtlVersion(MAKELONG(0, 6));  // Wine's version-6 controls report 5.81
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, CWnd::DefaultClassName(), "Themed", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CXTButton button;
    ASSERT_TRUE(button.Create("Styled", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 30), &parent, 1));
    CXTButtonTheme* theme = button.GetTheme();
    ASSERT_NE(theme, nullptr);
    EXPECT_FALSE(theme->IsVisualStyle(&button));
    button.SetXButtonStyle(BS_XT_FLAT | BS_XT_WINXP_COMPAT);
    theme = button.GetTheme();
    EXPECT_TRUE(theme->IsVisualStyle(&button));
    EXPECT_TRUE(theme->IsHotTracking(&button));

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 100, 30);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    EXPECT_TRUE(theme->DrawVisualStyleBackground(CDC::FromHandle(dc), 0, CRect(0, 0, 100, 30), &button));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);

    button.DestroyWindow();
    parent.DestroyWindow();
    library->SetComCtlVersion(real);
}
