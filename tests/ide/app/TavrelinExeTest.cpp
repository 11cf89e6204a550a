// The program itself: started in a scratch "...\Ide", it shows its main window, makes the
// projects folder beside, and ends with 0 after WM_CLOSE, its layout file written beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "AppFixture.h"

namespace {

struct Found {
    DWORD process;
    HWND hWnd;
};

BOOL CALLBACK FindVisibleWindow(HWND hWnd, LPARAM lParam)
{
    auto* pFound = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process == pFound->process && ::IsWindowVisible(hWnd) && !::GetWindow(hWnd, GW_OWNER)) {
        pFound->hWnd = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

TEST_F(AppTest, ProgramStartsShowsItsWindowAndEndsWithZero)
{
    const std::string program = root + "\\Program";
    ::CreateDirectoryA(program.c_str(), nullptr);
    const std::string exe = program + "\\Tavrelin.exe";
    ASSERT_TRUE(::CopyFileA(TAVRELIN_EXE, exe.c_str(), FALSE)) << TAVRELIN_EXE;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    ASSERT_TRUE(::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 (root + "\\Ide").c_str(), &startup, &process));
    Found found = {process.dwProcessId, nullptr};
    for (int i = 0; i < 600 && !found.hWnd; i++) {
        ::EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&found));
        if (!found.hWnd)
            ::Sleep(100);
    }
    ASSERT_NE(found.hWnd, nullptr) << "no main window within a minute";
    char title[256] = {};
    ::GetWindowTextA(found.hWnd, title, sizeof title);
    EXPECT_EQ(std::string(title).rfind("RUX\xAE Tavrelin v3.10", 0), 0u) << title;

    ::PostMessageA(found.hWnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u);
    EXPECT_NE(::GetFileAttributesA((root + "\\Varnok Projects\\Anims").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(::GetFileAttributesA((program + "\\Tavrelin_en.xml").c_str()), INVALID_FILE_ATTRIBUTES);
}
