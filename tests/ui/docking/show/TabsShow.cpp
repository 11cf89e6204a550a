// A window that shows the nine tab appearances at the four positions and a docked container
// in each docking theme 0-9 (not a test; run it and take a screenshot).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "CXTPBufferDC.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"
#include "ShowWindow.h"

namespace {

// A tab row laid out in a fixed rectangle with a paint manager it may share.
class ShowTabs : public CXTPTabManager {
public:
    ShowTabs(CXTPTabPaintManager* paint, CRect rc, const std::vector<const char*>& captions) : m_rc(rc), m_paint(paint)
    {
        m_paint->InternalAddRef();
        for (const char* caption : captions)
            InsertItem(-1)->SetCaption(caption);
        SetCurSel(1);
    }
    ~ShowTabs() override
    {
        DeleteAllItems();
        m_paint->InternalRelease();
    }
    CXTPTabPaintManager* GetPaintManager() const override { return m_paint; }
    void Reposition() override
    {
        HDC hdc = ::GetDC(nullptr);
        m_paint->RepositionTabControl(this, CDC::FromHandle(hdc), m_rc);
        ::ReleaseDC(nullptr, hdc);
    }
    void RedrawControl() override {}
    BOOL DrawIcon(CDC*, CPoint, CXTPTabManagerItem*, BOOL, CSize&) const override { return FALSE; }
    void SetRect(CRect rc)
    {
        m_rc = rc;
        Reposition();
    }
    CRect m_rc;

private:
    CXTPTabPaintManager* m_paint;
};

class ShowPane : public CXTPDockingPaneCaptionHost {
public:
    ShowPane(const char* title, BOOL active, CXTPTabManager* tabs)
        : m_title(title), m_active(active), m_tabs(tabs), m_close(XTP_IDS_DOCKINGPANE_CLOSE, this),
          m_pin(XTP_IDS_DOCKINGPANE_AUTOHIDE, this)
    {
        m_buttons = {&m_close, &m_pin};
        m_pin.m_bSelected = TRUE;
    }
    CString GetCaptionTitle() const override { return m_title; }
    BOOL IsCaptionActive() const override { return m_active; }
    BOOL IsCaptionVisible() const override { return TRUE; }
    BOOL IsTabsVisible() const override { return TRUE; }
    CXTPTabManager* GetTabManager() const override { return m_tabs; }
    std::vector<CXTPDockingPaneCaptionButton*>& GetCaptionButtons() override { return m_buttons; }
    HWND GetCaptionWindow() const override { return nullptr; }
    HWND GetReferenceWindow() const override { return nullptr; }

private:
    CString m_title;
    BOOL m_active;
    CXTPTabManager* m_tabs;
    CXTPDockingPaneCaptionButton m_close, m_pin;
    std::vector<CXTPDockingPaneCaptionButton*> m_buttons;
};

const int kCellW = 136, kCellH = 118, kLeft = 34, kTop = 22;

std::vector<std::unique_ptr<ShowTabs>> g_tabs;
std::vector<CXTPDockingPanePaintManager*> g_themes;
std::vector<std::unique_ptr<ShowTabs>> g_paneTabs;

void Build()
{
    for (int position = 0; position < 4; ++position) {
        for (int appearance = 0; appearance < 9; ++appearance) {
            CXTPTabPaintManager* paint = new CXTPTabPaintManager();
            paint->SetAppearance(appearance);
            paint->SetPosition(position);
            const CRect rc(kLeft + appearance * kCellW, kTop + position * kCellH, kLeft + appearance * kCellW + kCellW - 8,
                           kTop + position * kCellH + kCellH - 8);
            g_tabs.push_back(std::make_unique<ShowTabs>(paint, rc, std::vector<const char*>{"Doc", "Two", "Three"}));
            paint->InternalRelease();
        }
    }
    for (int theme = 0; theme < 10; ++theme) {
        CXTPDockingPanePaintManager* paint = CXTPDockingPanePaintManager::CreateTheme(theme);
        g_themes.push_back(paint);
        g_paneTabs.push_back(std::make_unique<ShowTabs>(paint->GetTabPaintManager(), CRect(),
                                                        std::vector<const char*>{"Solution", "Classes", "Output"}));
    }
}

CRect PaneRect(int theme)
{
    const int top = kTop + 4 * kCellH + 16;
    return CRect(kLeft + (theme % 5) * 244, top + (theme / 5) * 170, kLeft + (theme % 5) * 244 + 236,
                 top + (theme / 5) * 170 + 160);
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(hWnd, &ps);
    RECT client;
    ::GetClientRect(hWnd, &client);
    {
        CXTMemDC dc(CDC::FromHandle(hdc), CRect(client), RGB(255, 255, 255));
        dc.SetBkMode(TRANSPARENT);
        char label[32];
        for (int appearance = 0; appearance < 9; ++appearance) {
            std::snprintf(label, sizeof(label), "style %d", appearance);
            dc.TextOut(kLeft + appearance * kCellW + 40, 4, label, static_cast<int>(std::strlen(label)));
        }
        const char* positions[4] = {"top", "left", "bot", "right"};
        for (int position = 0; position < 4; ++position)
            dc.TextOut(2, kTop + position * kCellH + 50, positions[position],
                       static_cast<int>(std::strlen(positions[position])));
        for (auto& tabs : g_tabs)
            tabs->GetPaintManager()->DrawTabControl(tabs.get(), &dc, tabs->m_rc);
        for (int theme = 0; theme < 10; ++theme) {
            CXTPDockingPanePaintManager* paint = g_themes[theme];
            std::snprintf(label, sizeof(label), "Theme %d", theme);
            ShowPane pane(label, theme % 2 == 0, g_paneTabs[theme].get());
            const CRect rc = PaneRect(theme);
            CRect rcClient(0, 0, rc.Width(), rc.Height());
            paint->AdjustCaptionRect(&pane, rcClient);
            rcClient.OffsetRect(rc.left, rc.top);
            g_paneTabs[theme]->SetRect(rcClient);
            paint->DrawPane(&dc, &pane, rc);
        }
    }
    ::EndPaint(hWnd, &ps);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nShowCmd)
{
    Build();
    HWND hWnd = CreateShowWindow(hInstance, "Tabs and docking themes", 0, 0, 1280, 1000, Paint);
    ::ShowWindow(hWnd, nShowCmd);
    RunShowLoop();
    g_paneTabs.clear();
    g_tabs.clear();
    for (CXTPDockingPanePaintManager* paint : g_themes)
        paint->InternalRelease();
    return 0;
}
