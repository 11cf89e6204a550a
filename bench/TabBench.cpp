// Times a row of 100 captioned tabs laid out and painted at 100 widths from 1,200 down to
// 300 pixels (natural widths and shrink to fit) beside the system's tab control doing the
// same: both on the wall clock, at each width the two in turns (the first alternating),
// best of three per width; prints the mean and the worst width of each. Goals: the mean and
// the worst width each no slower than the system's control.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "CDC.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"

namespace {

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
    double mean = 0, worst = 0;
};

// Each run at every width, best of kRepeats turns.
std::vector<Stats> Measure(const std::vector<std::function<void(int)>>& runs)
{
    std::vector<Stats> stats(runs.size());
    for (int step = 0; step < kWidths; ++step) {
        std::vector<std::function<double()>> sides;
        for (const auto& run : runs)
            sides.push_back([&run, step] { return WallMilliseconds([&] { run(WidthAt(step)); }); });
        const std::vector<Samples> times = Alternate(kRepeats, sides);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            stats[i].mean += times[i].Best() / kWidths;
            stats[i].worst = std::max(stats[i].worst, times[i].Best());
        }
    }
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
    const auto native = [&](int width) {
        ::SetWindowPos(control, nullptr, 0, 0, width, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), PRF_CLIENT);
    };

    // Colour set 4 shades every tab with a gradient; set 1 fills them plainly.
    const int runs[4][2] = {{xtpTabLayoutAutoSize, xtpTabColorScheme}, {xtpTabLayoutAutoSize, xtpTabColorDefault},
                            {xtpTabLayoutSizeToFit, xtpTabColorScheme}, {xtpTabLayoutSizeToFit, xtpTabColorDefault}};
    std::printf("wall clock, best of %d turns at each of %d widths\n", kRepeats, kWidths);
    for (const auto& run : runs) {
        const int layout = run[0], colorSet = run[1];
        BenchTabs tabs;
        tabs.GetPaintManager()->SetColor(colorSet);
        tabs.GetPaintManager()->SetLayout(layout);
        tabs.SetCurSel(kTabs / 2);
        const std::vector<Stats> stats = Measure({[&](int width) {
                                                      const CRect rc(0, 0, width, kHeight);
                                                      tabs.GetPaintManager()->RepositionTabControl(&tabs, &dc, rc);
                                                      tabs.GetPaintManager()->DrawTabControl(&tabs, &dc, rc);
                                                  },
                                                  native});
        std::printf("layout %d, colour set %d: tab manager mean %.3f ms, worst %.3f ms; system's control mean %.3f "
                    "ms, worst %.3f ms\n",
                    layout, colorSet, stats[0].mean, stats[0].worst, stats[1].mean, stats[1].worst);
        ReportRatio("  mean, tab manager / system's control", stats[0].mean, stats[1].mean, 1.0);
        ReportRatio("  worst width, tab manager / system's control", stats[0].worst, stats[1].worst, 1.0);
    }

    ::DestroyWindow(parent);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::ReleaseDC(nullptr, screen);
    return 0;
}
