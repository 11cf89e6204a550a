// The about box as it opens: the version line, its bold font, the OK button's flat style and
// the acknowledgements.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "CAboutDlg.h"

namespace {

CAboutDlg* g_about = nullptr;

struct Seen {
    std::string version;
    std::string title;
    std::string copyright;
    LONG weight = 0;
    DWORD okStyle = 0;
    int credits = 0;
} g_seen;

void CALLBACK Look(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_about || !g_about->m_hWnd)
        return;
    ::KillTimer(nullptr, timer);
    const HWND dialog = g_about->m_hWnd;
    char text[256] = {};
    ::GetDlgItemTextA(dialog, 1006, text, sizeof text);
    g_seen.version = text;
    ::GetWindowTextA(dialog, text, sizeof text);
    g_seen.title = text;
    ::GetDlgItemTextA(dialog, 1004, text, sizeof text);
    g_seen.copyright = text;
    const auto font = reinterpret_cast<HFONT>(::SendDlgItemMessageA(dialog, 1006, WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    if (font && ::GetObjectA(font, sizeof logFont, &logFont))
        g_seen.weight = logFont.lfWeight;
    g_seen.okStyle = g_about->m_btnOk.GetXButtonStyle();
    g_seen.credits = static_cast<int>(::SendDlgItemMessageA(dialog, 1068, LB_GETCOUNT, 0, 0));
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

TEST(AboutBox, ShowsTheVersionInBoldWithAFlatOkButton)
{
    CAboutDlg about;
    g_about = &about;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Look);
    EXPECT_EQ(about.DoModal(), IDOK);
    ::KillTimer(nullptr, timer);
    g_about = nullptr;

    EXPECT_EQ(g_seen.version, "Tavrelin v3.10");
    EXPECT_EQ(g_seen.title, "Tavrelin v3.10") << "no application: the program's own name";
    EXPECT_EQ(g_seen.weight, 700);
    EXPECT_EQ(g_seen.okStyle, 0x1022u);
    EXPECT_GT(g_seen.credits, 0);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    EXPECT_NE(g_seen.copyright.find(std::to_string(now.wYear)), std::string::npos);
}
