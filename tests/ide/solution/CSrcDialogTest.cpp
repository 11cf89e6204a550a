// The source list's insert dialog: the row it proposes and where OK puts the name.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "CSrcDialog.h"
#include "CSrcManager.h"

namespace {

CDialog* g_dialog = nullptr;
std::function<void(HWND)> g_play;

void CALLBACK PlayStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_dialog || !g_dialog->m_hWnd)
        return;  // not up yet
    ::KillTimer(nullptr, timer);
    auto play = std::move(g_play);
    play(g_dialog->m_hWnd);
}

// Runs the dialog; play acts once inside its loop.
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

void Press(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::vector<std::string> Entries()
{
    std::vector<std::string> entries;
    for (int i = 0; i < GetSrcManager()->GetCount(); ++i)
        entries.push_back(std::string(GetSrcManager()->GetAt(i)));
    return entries;
}

void SetEntries(const std::vector<const char*>& entries)
{
    GetSrcManager()->RemoveAll();
    for (const char* entry : entries)
        GetSrcManager()->InsertAt(GetSrcManager()->GetCount(), CString(entry));
}

TEST(SrcDialog, ProposesTheLastEntrySortingBeforeTheNameAndInsertsAfterOrBeforeIt)
{
    struct Case {
        std::vector<const char*> entries;
        const char* name;
        bool before;
        int proposed;
        std::vector<std::string> result;
    } cases[] = {
        {{"A.d", "Z.d", "B.d"}, "M.d", false, 2, {"A.d", "Z.d", "B.d", "M.d"}},
        {{"A.d", "Z.d", "B.d"}, "m.d", true, 2, {"A.d", "Z.d", "m.d", "B.d"}},
        {{"X.d", "Y.d"}, "A.d", false, 0, {"X.d", "A.d", "Y.d"}},
        {{}, "A.d", false, -1, {"A.d"}},  // no row to go by: the first entry
        {{}, "A.d", true, -1, {"A.d"}},
    };
    for (const Case& c : cases) {
        SetEntries(c.entries);
        CSrcDialog dialog(c.name, 1, nullptr);
        int proposed = -2;
        std::string prompt;
        const INT_PTR result = PlayModal(dialog, [&](HWND hWnd) {
            proposed = static_cast<int>(::SendDlgItemMessageA(hWnd, 1021, LB_GETCURSEL, 0, 0));
            char text[256] = {};
            ::GetDlgItemTextA(hWnd, 1022, text, sizeof text);
            prompt = text;
            ::CheckDlgButton(hWnd, 1023, c.before ? BST_CHECKED : BST_UNCHECKED);
            Press(hWnd, IDOK);
        });
        EXPECT_EQ(result, IDOK) << c.name;
        EXPECT_EQ(proposed, c.proposed) << c.name;
        EXPECT_EQ(prompt, std::string("Choose a position for an insert: ") + c.name);
        EXPECT_EQ(Entries(), c.result) << c.name;
    }
    GetSrcManager()->RemoveAll();
}

TEST(SrcDialog, EnterAndEscapeDoNotEndItAndClosingInsertsNothing)
{
    SetEntries({"A.d"});
    CSrcDialog dialog("B.d", 1, nullptr);
    std::vector<std::string> afterKeys;
    const INT_PTR result = PlayModal(dialog, [&](HWND hWnd) {
        HWND list = ::GetDlgItem(hWnd, 1021);
        ::SetFocus(list);
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            MSG msg = {list, WM_KEYDOWN, key, 0, 0, {0, 0}};
            dialog.PreTranslateMessage(&msg);
        }
        afterKeys = Entries();  // Enter taken as OK would have inserted the name
        ::SendMessageA(hWnd, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(afterKeys, std::vector<std::string>{"A.d"});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Entries(), std::vector<std::string>{"A.d"});
    GetSrcManager()->RemoveAll();
}

}  // namespace
