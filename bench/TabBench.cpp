// Times a row of 100 captioned tabs laid out and painted at 100 widths from 1,200 down to
// 300 pixels (natural widths and shrink to fit) beside the system's tab control doing the
// same; prints the mean (wall clock and processor) and the worst width of each.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "CDC.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"

namespace {

using Clock = std::chrono::steady_clock;

const int kTabs = 100, kWidths = 100, kHeight = 28, kRepeats = 3;

int WidthAt(int step)
{
    return 1200 - step * 900 / (kWidths - 1);
}

class BenchTabs : public CXTPTabManager {
public:
    BenchTabs() : m_paint(new CXTPTabPaintManager())
    {
        m_paint->SetAppearance(xtpTabAppearanceSlanted);  // the MDI tabs' look
        for (int i = 0; i < kTabs; ++i)
            InsertItem(-1)->SetCaption(("Script file " + std::to_string(i) + ".d").c_str());
    }
    ~BenchTabs() override
    {
        DeleteAllItems();
        m_paint->InternalRelease();
    }
    CXTPTabPaintManager* GetPaintManager() const override { return m_paint; }
    void Reposition() override {}
    void RedrawControl() override {}
    BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem*, BOOL, CSize&) const override { return FALSE; }

private:
    CXTPTabPaintManager* m_paint;
};

struct Stats {
    double mean = 0, worst = 0, processor = 0;
};

// The thread's processor time in milliseconds: on a loaded machine the wall clock also
// counts the time other programs had the processor.
double ThreadMilliseconds()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

template <class Run>
Stats Measure(Run run)
{
    Stats stats;
    const double processorStart = ThreadMilliseconds();
    for (int step = 0; step < kWidths; ++step) {
        double best = 1e30;
        for (int r = 0; r < kRepeats; ++r) {
            const auto start = Clock::now();
            run(WidthAt(step));
            best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        stats.mean += best / kWidths;
        stats.worst = std::max(stats.worst, best);
    }
    // Processor time is too coarse for one run: the mean over all of them.
    stats.processor = (ThreadMilliseconds() - processorStart) / (kWidths * kRepeats);
    return stats;
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 1200, kHeight + 4);
    HGDIOBJ old = ::SelectObject(dc, bitmap);

    // Colour set 4 shades every tab with a gradient; set 1 fills them plainly.
    const int runs[4][2] = {{xtpTabLayoutAutoSize, xtpTabColorScheme}, {xtpTabLayoutAutoSize, xtpTabColorDefault},
                            {xtpTabLayoutSizeToFit, xtpTabColorScheme}, {xtpTabLayoutSizeToFit, xtpTabColorDefault}};
    for (const auto& run : runs) {
        const int layout = run[0], colorSet = run[1];
        BenchTabs tabs;
        tabs.GetPaintManager()->SetColor(colorSet);
        tabs.GetPaintManager()->SetLayout(layout);
        tabs.SetCurSel(kTabs / 2);
        const Stats stats = Measure([&](int width) {
            const CRect rc(0, 0, width, kHeight);
            tabs.GetPaintManager()->RepositionTabControl(&tabs, &dc, rc);
            tabs.GetPaintManager()->DrawTabControl(&tabs, &dc, rc);
        });
        std::printf("tab manager, layout %d, colour set %d: mean %.3f ms (processor %.3f ms), worst %.3f ms\n", layout,
                    colorSet, stats.mean, stats.processor, stats.worst);
        const Stats layoutOnly = Measure([&](int width) {
            tabs.GetPaintManager()->RepositionTabControl(&tabs, &dc, CRect(0, 0, width, kHeight));
        });
        std::printf("  of which layout: mean %.3f ms, worst %.3f ms\n", layoutOnly.mean, layoutOnly.worst);
    }

    // The system's control: one row that scrolls, resized and printed the same way.
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1200, 200, nullptr, nullptr, nullptr, nullptr);
    HWND control = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 0, 0, 1200, kHeight, parent,
                                     nullptr, nullptr, nullptr);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int i = 0; i < kTabs; ++i) {
        std::string caption = "Script file " + std::to_string(i) + ".d";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = &caption[0];
        ::SendMessageA(control, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageA(control, TCM_SETCURSEL, kTabs / 2, 0);
    const Stats native = Measure([&](int width) {
        ::SetWindowPos(control, nullptr, 0, 0, width, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), PRF_CLIENT);
    });
    std::printf("system tab control: mean %.3f ms (processor %.3f ms), worst %.3f ms\n", native.mean, native.processor,
                native.worst);
    std::printf("goal: worst under 16 ms, mean no slower than the system's control\n");

    ::DestroyWindow(parent);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::ReleaseDC(nullptr, screen);
    return 0;
}
