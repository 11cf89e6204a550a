// The program itself: started in a scratch "...\Ide", it shows its main window, makes the
// projects folder beside, and ends with 0 after WM_CLOSE, its layout file written beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "AppFixture.h"

TEST_F(AppTest, ProgramStartsShowsItsWindowAndEndsWithZero)
{
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(StartProgramCopy(TAVRELIN_EXE, &process));
    const HWND hWnd = WaitForProcessWindow(process.dwProcessId, [](HWND h) { return !::GetWindow(h, GW_OWNER); });
    if (!hWnd)
        WaitForExitCode(process, 0);
    ASSERT_NE(hWnd, nullptr) << "no main window within a minute";
    char title[256] = {};
    ::GetWindowTextA(hWnd, title, sizeof title);
    EXPECT_EQ(std::string(title).rfind("RUX\xAE Tavrelin v3.10", 0), 0u) << title;

    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExitCode(process), 0u);
    EXPECT_NE(::GetFileAttributesA((root + "\\Varnok Projects\\Anims").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesA((root + "\\Program\\Tavrelin_en.xml").c_str()), INVALID_FILE_ATTRIBUTES);
}
