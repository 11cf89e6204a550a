// Times paging through a report list of 20,000 rows by 3 columns with every tenth row coloured, beside a
// plain list control; with --show it instead shows lists with coloured rows and the three header themes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CListCtrl.h"
#include "CWnd.h"
#include "CXTListCtrl.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 20000;
constexpr int kPages = 200;

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

struct Figures {
    double total = 0;
    double worst = 0;
};

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

    // The two lists page in turns, so that both meet the same load of the machine.
    Figures figures[2];
    CWnd* lists[2] = {&coloured, &plain};
    for (int page = 0; page < kPages; ++page) {
        for (int i = 0; i < 2; ++i) {
            const auto start = Clock::now();
            lists[i]->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
            lists[i]->UpdateWindow();
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            figures[i].total += ms;
            figures[i].worst = std::max(figures[i].worst, ms);
        }
    }
    const int top = coloured.GetTopIndex();
    const double mean[2] = {figures[0].total / kPages, figures[1].total / kPages};
    std::printf("%-26s %10s %10s\n", "page down + paint", "mean ms", "worst ms");
    std::printf("%-26s %10.3f %10.3f\n", "coloured rows (extension)", mean[0], figures[0].worst);
    std::printf("%-26s %10.3f %10.3f\n", "plain list control", mean[1], figures[1].worst);
    const double ratio = mean[0] / std::max(mean[1], 1e-6);
    std::printf("top row after paging: %d; mean coloured / plain: %.2f (goal at most 1.50)\n", top, ratio);
    const bool ok = figures[0].worst < 16.0 && ratio <= 1.5 && top > 0;
    std::printf("worst under 16 ms: %s\n%s\n", figures[0].worst < 16.0 ? "yes" : "NO", ok ? "goals met" : "GOALS MISSED");
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
