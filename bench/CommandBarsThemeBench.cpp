// Times painting a menu of 40 entries and a toolbar of 30 buttons in each command-bar theme (0 to 4)
// into memory DCs, beside the same menu's icons, captions and shortcuts drawn by plain GDI calls. All
// on the wall clock: rounds of 20 paints of each, the first of them taking turns, the mean paint of
// the median round printed. Goals: every theme's menu within four times the plain drawing, themes 2
// and 4 within twice theme 1.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "../tests/ui/base/images/ImageFixtures.h"  // its one-colour icons
#include "BenchCanvas.h"
#include "BenchTiming.h"
#include "CDC.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPImageManager.h"
#include "CXTPPaintManager.h"

namespace {

const int kEntries = 40;
const int kButtons = 30;
const int kPaints = 20;  // a round
const int kRounds = 15;
const int kThemes = 5;

class Bar : public CXTPCommandBar {
public:
    Bar(int nType, XTPBarPosition position)
    {
        m_barType = nType;
        m_barPosition = position;
    }
    BOOL IsVisible() const override { return TRUE; }
    // Entries one under another, buttons in one row, each at the size the theme measures.
    void Layout()
    {
        HDC hdc = ::CreateCompatibleDC(nullptr);
        CDC dc;
        dc.Attach(hdc);
        const BOOL bMenu = m_barType == xtpBarTypePopup;
        int nPos = 2, nWidth = 0;
        for (int i = 0; i < GetControlCount(); i++) {
            CSize size = GetPaintManager()->DrawControl(&dc, GetControl(i), FALSE);
            if (GetControl(i)->GetBeginGroup())
                nPos += 6;
            GetControl(i)->SetRect(bMenu ? CRect(2, nPos, 2 + size.cx, nPos + size.cy)
                                         : CRect(nPos, 2, nPos + size.cx, 2 + size.cy));
            GetControl(i)->SetRowRect(bMenu ? CRect(2, nPos, 2 + size.cx, nPos + size.cy)
                                            : CRect(0, 2, 2000, 2 + size.cy));
            nPos += bMenu ? size.cy : size.cx;
            nWidth = std::max<int>(nWidth, bMenu ? size.cx : size.cy);
        }
        if (bMenu) {
            for (int i = 0; i < GetControlCount(); i++) {
                CRect rc = GetControl(i)->GetRect();
                rc.right = rc.left + nWidth;
                GetControl(i)->SetRect(rc);
            }
        }
        SetWindowPos(nullptr, 0, 0, bMenu ? nWidth + 4 : nPos + 4, bMenu ? nPos + 2 : nWidth + 4,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

// The menu's entries where the bar laid them out, drawn with plain GDI calls: background,
// icon, caption and shortcut, a line for each group's start.
void DrawPlainMenu(Bar* pMenu, CDC& dc, const std::vector<HICON>& icons)
{
    CRect rcClient;
    pMenu->GetClientRect(&rcClient);
    ::FillRect(dc, &rcClient, ::GetSysColorBrush(COLOR_MENU));
    HGDIOBJ hOldFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < pMenu->GetControlCount(); i++) {
        CXTPControl* pEntry = pMenu->GetControl(i);
        RECT rc = pEntry->GetRect();
        if (pEntry->GetBeginGroup()) {
            RECT rcLine = {rc.left, rc.top - 3, rc.right, rc.top - 2};
            ::FillRect(dc, &rcLine, ::GetSysColorBrush(COLOR_GRAYTEXT));
        }
        ::DrawIconEx(dc, rc.left + 2, rc.top + (rc.bottom - rc.top - 16) / 2, icons[static_cast<size_t>(i)], 16, 16,
                     0, nullptr, DI_NORMAL);
        const std::string text = static_cast<const char*>(pEntry->GetCaption());
        const std::size_t tab = text.find('\t');
        RECT rcText = {rc.left + 24, rc.top, rc.right - 8, rc.bottom};
        ::DrawTextA(dc, text.c_str(), static_cast<int>(std::min(tab, text.size())), &rcText,
                    DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (tab != std::string::npos)
            ::DrawTextA(dc, text.c_str() + tab + 1, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    ::SelectObject(dc, hOldFont);
}

// A side of the comparison: kPaints paints, their mean wall-clock milliseconds.
template <class Paint>
std::function<double()> Side(Paint paint)
{
    return [paint] {
        return WallMilliseconds([&] {
                   for (int i = 0; i < kPaints; i++)
                       paint();
               }) /
               kPaints;
    };
}

}  // namespace

int main()
{
    auto* pImages = new CXTPImageManager;
    std::vector<HICON> icons;
    for (int i = 0; i < kEntries + kButtons; i++) {
        icons.push_back(SolidIcon(16, 16, RGB(40 + i * 3, 200 - i * 2, 90 + i)));
        pImages->SetIcon(CXTPImageManagerIconHandle(icons.back()), static_cast<UINT>(1000 + i));
    }

    std::vector<Bar*> menus, toolBars;
    for (int nTheme = 0; nTheme < kThemes; nTheme++) {
        Bar& menu = *new Bar(xtpBarTypePopup, xtpBarPopup);
        Bar& toolBar = *new Bar(xtpBarTypeNormal, xtpBarTop);
        for (Bar* pBar : {&menu, &toolBar}) {
            pBar->CreateEx(WS_EX_TOOLWINDOW, CWnd::DefaultClassName(), "", WS_POPUP, CRect(0, 0, 100, 100), nullptr,
                           0);
            pBar->SetPaintManager(CXTPPaintManager::CreateTheme(nTheme));
            pImages->InternalAddRef();
            pBar->SetImageManager(pImages);
        }
        for (int i = 0; i < kEntries; i++) {
            const XTPControlType type = i % 10 == 9 ? xtpControlPopup : xtpControlButton;
            CXTPControl* pEntry = menu.GetControls()->Add(type, 1000 + i);
            pEntry->SetCaption(i % 2 ? "&Entry with a longer caption\tCtrl+Shift+F12" : "E&ntry\tF5");
            pEntry->SetFlags(xtpFlagManualUpdate);
            pEntry->SetBeginGroup(i % 8 == 7);
            pEntry->SetChecked(i % 7 == 3);
            pEntry->SetEnabled(i % 6 != 5);
        }
        for (int i = 0; i < kButtons; i++) {
            CXTPControl* pButton = toolBar.GetControls()->Add(xtpControlButton, 1000 + kEntries + i);
            pButton->SetFlags(xtpFlagManualUpdate);
            pButton->SetBeginGroup(i % 6 == 5);
            pButton->SetChecked(i % 9 == 4);
            pButton->SetEnabled(i % 7 != 6);
        }
        menu.Layout();
        toolBar.Layout();
        // One entry and one button hot, as under the mouse.
        menu.GetControl(4)->OnSetSelected(xtpSelectedByMouse);
        toolBar.GetControl(2)->OnSetSelected(xtpSelectedByMouse);
        menus.push_back(&menu);
        toolBars.push_back(&toolBar);
    }

    // [theme 0-4, plain GDI] for the menus, [theme 0-4] for the toolbars.
    std::vector<std::unique_ptr<WindowCanvas>> canvases;
    std::vector<std::function<double()>> menuSides, toolBarSides;
    for (int nTheme = 0; nTheme < kThemes; nTheme++) {
        canvases.push_back(std::make_unique<WindowCanvas>(*menus[nTheme]));
        menuSides.push_back(Side([pBar = menus[nTheme], pDC = &canvases.back()->dc] { pBar->DrawCommandBar(pDC); }));
        canvases.push_back(std::make_unique<WindowCanvas>(*toolBars[nTheme]));
        toolBarSides.push_back(
            Side([pBar = toolBars[nTheme], pDC = &canvases.back()->dc] { pBar->DrawCommandBar(pDC); }));
    }
    canvases.push_back(std::make_unique<WindowCanvas>(*menus[1]));
    menuSides.push_back(
        Side([pBar = menus[1], pDC = &canvases.back()->dc, &icons] { DrawPlainMenu(pBar, *pDC, icons); }));
    for (auto* sides : {&menuSides, &toolBarSides})
        for (auto& side : *sides)
            side();  // warms the caches
    const std::vector<Samples> menuTimes = Alternate(kRounds, menuSides);
    const std::vector<Samples> toolBarTimes = Alternate(kRounds, toolBarSides);

    std::printf("painting a menu of %d entries and a toolbar of %d buttons (ms a paint, wall clock, median of %d "
                "alternated rounds of %d)\n",
                kEntries, kButtons, kRounds, kPaints);
    std::printf("  theme      menu   toolbar\n");
    for (int nTheme = 0; nTheme < kThemes; nTheme++)
        std::printf("  %d      %7.3f   %7.3f\n", nTheme, menuTimes[nTheme].Median(), toolBarTimes[nTheme].Median());
    const double plain = menuTimes[kThemes].Median();
    std::printf("  the menu drawn by plain GDI calls: %.3f\n", plain);
    for (int nTheme = 0; nTheme < kThemes; nTheme++) {
        const std::string what = "menu, theme " + std::to_string(nTheme) + " / plain GDI";
        ReportRatio(what.c_str(), menuTimes[nTheme].Median(), plain, 4.0);
    }
    ReportRatio("menu, theme 2 / theme 1", menuTimes[2].Median(), menuTimes[1].Median(), 2.0);
    ReportRatio("menu, theme 4 / theme 1", menuTimes[4].Median(), menuTimes[1].Median(), 2.0);

    canvases.clear();
    for (auto* bars : {&menus, &toolBars}) {
        for (Bar* pBar : *bars) {
            pBar->DestroyWindow();
            pBar->InternalRelease();
        }
    }
    for (HICON hIcon : icons)
        ::DestroyIcon(hIcon);
    pImages->InternalRelease();
    return 0;
}
