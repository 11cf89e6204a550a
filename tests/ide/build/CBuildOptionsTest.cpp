// The Build Options dialog: the uppercase warning follows the autocorrect switch, the slider
// shows its value, OK stores all five values and Cancel none.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "CBuildOptions.h"
#include "CSolutionConfig.h"
#include "SettingsFixture.h"

namespace {

// The button's own click: a check box changes its state as well.
void PressButton(HWND dialog, int id)
{
    HWND button = ::GetDlgItem(dialog, id);
    ::SendMessageA(button, BM_CLICK, 0, 0);
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
                            shown = ItemText(hDlg, 1011);
                            PressButton(hDlg, 1080);
                            enabledAfterClick = ::IsWindowEnabled(::GetDlgItem(hDlg, 1081)) != FALSE;
                            PressButton(hDlg, 1081);
                            PressButton(hDlg, 1013);
                            ::SendDlgItemMessageA(hDlg, 1009, TBM_SETPOS, TRUE, 3);
                            // The slider tells its drawing, as it does when the mouse moves it.
                            ::ShowWindow(hDlg, SW_SHOW);
                            ::RedrawWindow(::GetDlgItem(hDlg, 1009), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                            moved = ItemText(hDlg, 1011);
                            PressButton(hDlg, IDOK);
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
                            PressButton(hDlg, 1013);
                            ::SendDlgItemMessageA(hDlg, 1009, TBM_SETPOS, TRUE, 9);
                            PressButton(hDlg, IDCANCEL);
                        }),
              IDCANCEL);
    EXPECT_EQ(g_solutionConfig.LevelMessage, 3);
    EXPECT_EQ(g_solutionConfig.InsertSpace, 1);
}
