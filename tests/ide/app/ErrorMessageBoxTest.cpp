// An engine stub reached in the started program: the "Error-Message" box with the stub's text,
// system-modal and owned by the program's window, then the end with exit code 1.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "AppFixture.h"

namespace {

std::string WindowText(HWND hWnd)
{
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

BOOL CALLBACK AddStaticText(HWND hWnd, LPARAM lParam)
{
    char className[32] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0)
        *reinterpret_cast<std::string*>(lParam) += WindowText(hWnd);
    return TRUE;
}

}  // namespace

TEST_F(AppTest, AStubShowsTheErrorMessageBoxAndTheProgramEndsWithOne)
{
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(StartProgramCopy(TAVRELIN_STUB_EXE, &process));
    const HWND box =
        WaitForProcessWindow(process.dwProcessId, [](HWND h) { return WindowText(h) == "Error-Message"; });
    if (!box) {
        EXPECT_EQ(WaitForExitCode(process, 0), STILL_ACTIVE) << "ended without its box";
    }
    ASSERT_NE(box, nullptr) << "no box within a minute";

    std::string text;
    ::EnumChildWindows(box, AddStaticText, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(text, "zTBBox3D::Scale not found");
    EXPECT_TRUE(::GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    EXPECT_EQ(WindowText(::GetWindow(box, GW_OWNER)).rfind("RUX\xAE Tavrelin", 0), 0u) << "the focus is in its window";
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 200), static_cast<DWORD>(WAIT_TIMEOUT)) << "the box waits";

    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExitCode(process), 1u);
}
