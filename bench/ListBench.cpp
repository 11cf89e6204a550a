// Times paging through a report list of 20,000 rows by 3 columns with every tenth row coloured, beside a
// plain list control: both on the wall clock, page by page in turns (the first of the two alternating),
// three rounds from the top, each figure the median of its rounds. Goals: the mean and the worst page
// each within 1.5 times the plain control's. With --show it instead shows lists with coloured rows and
// the three header themes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "CListCtrl.h"
#include "CWnd.h"
#include "CXTListCtrl.h"

namespace {

constexpr int kRows = 20000;
constexpr int kPages = 200;
constexpr int kRounds = 3;

void Fill(CListCtrl& list, int rows)
{
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.InsertColumn(0, "Symbol", LVCFMT_LEFT, 160);
    list.InsertColumn(1, "Kind", LVCFMT_LEFT, 90);
    list.InsertColumn(2, "File", LVCFMT_LEFT, 180);
    list.SetItemCount(rows);
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        list.InsertItem(i, ("Symbol_" + n).c_str());
        list.SetItemText(i, 1, (i % 3) ? "func" : "instance");
        list.SetItemText(i, 2, ("scripts\\unit_" + std::to_string(i / 50) + ".d").c_str());
    }
    list.SendMessage(WM_SETREDRAW, TRUE);
}

int Bench()
{
    CWnd parent;
    parent.CreateEx(0, CWnd::DefaultClassName(), "ListBench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 940, 640,
                    nullptr, nullptr);
    CXTListCtrl coloured;
    CListCtrl plain;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    coloured.Create(style, CRect(0, 0, 460, 600), &parent, 1);
    plain.Create(style, CRect(465, 0, 925, 600), &parent, 2);
    Fill(coloured, kRows);
    Fill(plain, kRows);
    coloured.m_bRowColors = 1;
    coloured.SendMessage(WM_SETREDRAW, FALSE);
    for (int i = 0; i < kRows; i += 10)
        coloured.SetRowColor(i, RGB(0, 0, 128), RGB(255, 240, 200));
    coloured.SendMessage(WM_SETREDRAW, TRUE);
    coloured.AttachFlatHeader();
    parent.UpdateWindow();

    // [coloured, plain]: each round's mean and worst page.
    Samples mean[2], worst[2];
    CWnd* lists[2] = {&coloured, &plain};
    int top = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (CWnd* list : lists) {
            list->SendMessage(WM_VSCROLL, SB_TOP);
            list->UpdateWindow();
        }
        Samples pages[2];
        for (int page = 0; page < kPages; ++page) {
            for (int k = 0; k < 2; ++k) {
                const int i = (page + k) % 2;
                pages[i].ms.push_back(WallMilliseconds([&] {
                    lists[i]->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
                    lists[i]->UpdateWindow();
                }));
            }
        }
        top = coloured.GetTopIndex();
        for (int i = 0; i < 2; ++i) {
            mean[i].ms.push_back(pages[i].Mean());
            worst[i].ms.push_back(pages[i].Worst());
        }
    }
    std::printf("%-26s %10s %10s   (wall clock, median of %d rounds)\n", "page down + paint", "mean ms", "worst ms",
                kRounds);
    std::printf("%-26s %10.3f %10.3f\n", "coloured rows (extension)", mean[0].Median(), worst[0].Median());
    std::printf("%-26s %10.3f %10.3f\n", "plain list control", mean[1].Median(), worst[1].Median());
    std::printf("top row after paging: %d\n", top);
    bool ok = ReportRatio("mean page, coloured / plain", mean[0].Median(), mean[1].Median(), 1.5);
    ok = ReportRatio("worst page, coloured / plain", worst[0].Median(), worst[1].Median(), 1.5) && ok;
    ok = ok && top > 0;
    coloured.DestroyWindow();
    plain.DestroyWindow();
    parent.DestroyWindow();
    return ok ? 0 : 1;
}

// Lists with coloured, selected and disabled rows under the three header themes, for a look.
int Show(int seconds)
{
    CWnd frame;
    frame.CreateEx(0, CWnd::DefaultClassName(), "List states", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 900, 360,
                   nullptr, nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    CXTListCtrl lists[3];
    CXTHeaderThemeFactory factory;
    const char* titles[] = {"flat header", "soft header, list colours", "default header, disabled"};
    for (int t = 0; t < 3; ++t) {
        CXTListCtrl& list = lists[t];
        list.Create(style, CRect(10 + t * 290, 10, 290 + t * 290, 310), &frame, 100 + t);
        Fill(list, 14);
        list.SetItemText(0, 0, titles[t]);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        list.m_bRowColors = 1;
        for (int i = 2; i < 14; i += 4)
            list.SetRowColor(i, RGB(128, 0, 0), RGB(255, 236, 190));
        list.SetItemState(6, LVIS_SELECTED, LVIS_SELECTED);
        list.AttachFlatHeader(t == 0);
        if (t > 0)
            list.GetFlatHeader().SetTheme(factory.CreateTheme(t == 1 ? 2 : 0));
        list.SetSortColumn(t, t != 1);
        if (t == 1)
            list.SetListColors(RGB(0, 64, 0), RGB(236, 248, 236));
        if (t == 2)
            list.EnableWindow(FALSE);
    }
    lists[0].SetFocus();
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    MSG msg;
    while (::GetTickCount64() < end) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
    for (CXTListCtrl& list : lists)
        list.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--show") == 0)
        return Show(argc >= 3 ? std::atoi(argv[2]) : 30);
    return Bench();
}
