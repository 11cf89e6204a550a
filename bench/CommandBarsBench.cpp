// Times the idle update of 10 command bars of 100 buttons each, through update handlers, painted:
// a pass that changes nothing and one that flips every state, beside 10 common-control toolbars
// updated the same way. Both on the wall clock, alternated rounds, medians compared; goal: the
// command bars no slower than the toolbars in either pass. With --show it instead leaves the
// window up to be looked at.
#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchTiming.h"
#include "CCmdUI.h"
#include "CWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControls.h"

namespace {

const int kBars = 10;
const int kButtons = 100;
const UINT kFirstId = 1000;
const UINT kLastId = kFirstId + kBars * kButtons - 1;

// The site: one update handler for every command, enabled and checked by the current phase.
class Site : public CWnd {
public:
    BOOL m_bFlip = FALSE;
    void OnUpdate(CCmdUI* pCmdUI)
    {
        BOOL bOdd = (pCmdUI->m_nID & 1) != 0;
        pCmdUI->Enable(m_bFlip ? bOdd : !bOdd);
        pCmdUI->SetCheck(m_bFlip ? !bOdd : bOdd);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Site, CWnd)
    ON_UPDATE_COMMAND_UI_RANGE(kFirstId, kLastId, OnUpdate)
END_MESSAGE_MAP()

// A bar of buttons in rows of 25.
class Bar : public CXTPCommandBar {
public:
    BOOL IsVisible() const override { return TRUE; }
    void OnRecalcLayout() override
    {
        for (int i = 0; i < GetControlCount(); i++)
            GetControl(i)->SetRect(CRect(CPoint((i % 25) * 24, (i / 25) * 22), CSize(24, 22)));
    }
};

// The framework's way of updating a common-control toolbar button.
class ToolCmdUI : public CCmdUI {
public:
    HWND m_hToolBar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ::SendMessageA(m_hToolBar, TB_ENABLEBUTTON, m_nID, MAKELONG(bOn, 0));
    }
    void SetCheck(int nCheck) override { ::SendMessageA(m_hToolBar, TB_CHECKBUTTON, m_nID, MAKELONG(nCheck != 0, 0)); }
};

void UpdateNativeToolBars(Site& site, const std::vector<HWND>& toolBars)
{
    ToolCmdUI state;
    for (size_t b = 0; b < toolBars.size(); b++) {
        state.m_hToolBar = toolBars[b];
        for (int i = 0; i < kButtons; i++) {
            state.m_nIndex = static_cast<UINT>(i);
            state.m_nID = kFirstId + static_cast<UINT>(b * kButtons + i);
            state.DoUpdate(&site, TRUE);
        }
    }
    for (HWND hToolBar : toolBars)
        ::UpdateWindow(hToolBar);
}

void UpdateCommandBars(const std::vector<Bar*>& bars)
{
    for (Bar* pBar : bars)
        pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    for (Bar* pBar : bars)
        pBar->UpdateWindow();
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const bool bShow = argc > 1 && std::strcmp(argv[1], "--show") == 0;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);

    Site site;
    site.CreateEx(0, CWnd::DefaultClassName(), "Command bars bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1260,
                  1000, nullptr, nullptr);
    std::vector<Bar*> bars;
    std::vector<HWND> toolBars;
    for (int b = 0; b < kBars; b++) {
        auto* pBar = new Bar;
        pBar->SetOwner(&site);
        pBar->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(CPoint(0, b * 92), CSize(600, 90)),
                     &site, 100 + b);
        for (int i = 0; i < kButtons; i++) {
            CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, static_cast<int>(kFirstId) + b * kButtons + i);
            pControl->SetCaption("B");
        }
        pBar->OnRecalcLayout();
        bars.push_back(pBar);

        HWND hToolBar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN | TBSTYLE_WRAPABLE,
                                          620, b * 92, 620, 90, site.GetSafeHwnd(), nullptr, nullptr, nullptr);
        ::SendMessageA(hToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        std::vector<TBBUTTON> buttons(kButtons);
        for (int i = 0; i < kButtons; i++) {
            buttons[static_cast<size_t>(i)].iBitmap = I_IMAGENONE;
            buttons[static_cast<size_t>(i)].idCommand = static_cast<int>(kFirstId) + b * kButtons + i;
            buttons[static_cast<size_t>(i)].fsState = TBSTATE_ENABLED;
            buttons[static_cast<size_t>(i)].fsStyle = BTNS_BUTTON;
        }
        ::SendMessageA(hToolBar, TB_ADDBUTTONSA, kButtons, reinterpret_cast<LPARAM>(buttons.data()));
        toolBars.push_back(hToolBar);
    }
    Pump();
    UpdateCommandBars(bars);
    UpdateNativeToolBars(site, toolBars);
    Pump();

    if (bShow) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        return 0;
    }

    // Each side keeps its own phase: a flip changes every one of its buttons.
    const int kRounds = 21;
    BOOL barsPhase = site.m_bFlip, toolBarsPhase = site.m_bFlip;
    auto barsSide = [&](bool flip) {
        return [&, flip] {
            barsPhase = flip ? !barsPhase : barsPhase;
            site.m_bFlip = barsPhase;
            return WallMilliseconds([&] { UpdateCommandBars(bars); });
        };
    };
    auto nativeSide = [&](bool flip) {
        return [&, flip] {
            toolBarsPhase = flip ? !toolBarsPhase : toolBarsPhase;
            site.m_bFlip = toolBarsPhase;
            return WallMilliseconds([&] { UpdateNativeToolBars(site, toolBars); });
        };
    };
    const std::vector<Samples> unchanged = Alternate(kRounds, {barsSide(false), nativeSide(false)});
    const std::vector<Samples> flipped = Alternate(kRounds, {barsSide(true), nativeSide(true)});
    std::printf("idle update of %d bars x %d buttons, painted (wall clock, median of %d alternated rounds, ms)\n",
                kBars, kButtons, kRounds);
    std::printf("  nothing changes:   command bars %8.3f   common-control toolbars %8.3f\n", unchanged[0].Median(),
                unchanged[1].Median());
    std::printf("  every state flips: command bars %8.3f   common-control toolbars %8.3f\n", flipped[0].Median(),
                flipped[1].Median());
    ReportRatio("nothing changes, command bars / toolbars", unchanged[0].Median(), unchanged[1].Median(), 1.0);
    ReportRatio("every state flips, command bars / toolbars", flipped[0].Median(), flipped[1].Median(), 1.0);

    for (Bar* pBar : bars)
        pBar->InternalRelease();
    site.DestroyWindow();
    return 0;
}
