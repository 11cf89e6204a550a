// The Build Options dialog: the uppercase warning follows the autocorrect switch, the slider
// shows its value, OK stores all five values and Cancel none.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "CBuildOptions.h"
#include "CSolutionConfig.h"

namespace {

CDialog* g_dialog = nullptr;
std::function<void(HWND)> g_play;

void CALLBACK PlayStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_dialog || !g_dialog->m_hWnd)
        return;
    ::KillTimer(nullptr, timer);
    auto play = std::move(g_play);
    play(g_dialog->m_hWnd);
}

INT_PTR PlayModal(CDialog& dialog, std::function<void(HWND)> play)
{
    g_dialog = &dialog;
    g_play = std::move(play);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, PlayStep);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_dialog = nullptr;
    return result;
}

void Click(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    ::SendMessageA(button, BM_CLICK, 0, 0);
}

std::string Text(HWND dialog, int id)
{
    char text[32] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

struct SavedOptions {
    SavedOptions()
        : level(g_solutionConfig.LevelMessage), space(g_solutionConfig.InsertSpace),
          ret(g_solutionConfig.WarningReturnValue), upper(g_solutionConfig.WarningUpperCase),
          correct(g_solutionConfig.CorrectUpperCase)
    {
    }
    ~SavedOptions()
    {
        g_solutionConfig.LevelMessage = level;
        g_solutionConfig.InsertSpace = space;
        g_solutionConfig.WarningReturnValue = ret;
        g_solutionConfig.WarningUpperCase = upper;
        g_solutionConfig.CorrectUpperCase = correct;
    }
    int level, space, ret, upper, correct;
};

}  // namespace

TEST(BuildOptions, AutocorrectSwitchesTheUpperCaseWarningAndOkStoresTheValues)
{
    SavedOptions saved;
    g_solutionConfig.LevelMessage = 8;
    g_solutionConfig.InsertSpace = 0;
    g_solutionConfig.WarningReturnValue = 1;
    g_solutionConfig.WarningUpperCase = 0;
    g_solutionConfig.CorrectUpperCase = 1;

    CBuildOptions dialog(nullptr);
    bool disabledAtFirst = false, enabledAfterClick = false;
    std::string shown, moved;
    EXPECT_EQ(PlayModal(dialog,
                        [&](HWND hDlg) {
                            disabledAtFirst = !::IsWindowEnabled(::GetDlgItem(hDlg, 1081));
                            shown = Text(hDlg, 1011);
                            Click(hDlg, 1080);
                            enabledAfterClick = ::IsWindowEnabled(::GetDlgItem(hDlg, 1081)) != FALSE;
                            Click(hDlg, 1081);
                            Click(hDlg, 1013);
                            ::SendDlgItemMessageA(hDlg, 1009, TBM_SETPOS, TRUE, 3);
                            // The slider tells its drawing, as it does when the mouse moves it.
                            ::ShowWindow(hDlg, SW_SHOW);
                            ::RedrawWindow(::GetDlgItem(hDlg, 1009), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                            moved = Text(hDlg, 1011);
                            Click(hDlg, IDOK);
                        }),
              IDOK);
    EXPECT_TRUE(disabledAtFirst);
    EXPECT_EQ(shown, "8");
    EXPECT_TRUE(enabledAfterClick);
    EXPECT_EQ(moved, "3");
    EXPECT_EQ(g_solutionConfig.LevelMessage, 3);
    EXPECT_EQ(g_solutionConfig.InsertSpace, 1);
    EXPECT_EQ(g_solutionConfig.WarningReturnValue, 1);
    EXPECT_EQ(g_solutionConfig.WarningUpperCase, 1);
    EXPECT_EQ(g_solutionConfig.CorrectUpperCase, 0);

    // Cancel keeps the record as it is.
    CBuildOptions again(nullptr);
    EXPECT_EQ(PlayModal(again,
                        [](HWND hDlg) {
                            Click(hDlg, 1013);
                            ::SendDlgItemMessageA(hDlg, 1009, TBM_SETPOS, TRUE, 9);
                            Click(hDlg, IDCANCEL);
                        }),
              IDCANCEL);
    EXPECT_EQ(g_solutionConfig.LevelMessage, 3);
    EXPECT_EQ(g_solutionConfig.InsertSpace, 1);
}
