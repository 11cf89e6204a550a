// The menu bar of an MDI frame: the native menu taken over, Alt alone and Alt with a letter,
// the maximised child's buttons and the framework's menu switches.
#include "CXTPMenuBar.h"

#include <gtest/gtest.h>

#include <vector>

#include "../CommandBarsFixture.h"
#include "CMDIChildWnd.h"
#include "CXTPHookManager.h"

namespace {

const UINT ID_MENU = 62453;  // "&File", "&Edit" submenus and the command "&Help" (102)

// An MDI frame with a native menu, recording the commands it gets.
class MenuFrame : public CXTPMDIFrameWnd {
public:
    std::vector<UINT> m_arrCommands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_arrCommands.push_back(LOWORD(wParam));
        return CXTPMDIFrameWnd::OnCommand(wParam, lParam);
    }
};

class MenuBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new MenuFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Menu", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420), nullptr,
                                  MAKEINTRESOURCEA(ID_MENU)));
        ASSERT_TRUE(frame->InitCommandBars());
        hNative = ::GetMenu(frame->GetSafeHwnd());
        ASSERT_NE(nullptr, hNative);
        frame->SetForegroundWindow();
        PumpFor(20);
    }
    void TearDown() override
    {
        XTPHookManager()->CancelTracking();
        if (frame)
            frame->DestroyWindow();
        PumpFor(10);
    }

    CXTPMenuBar* LoadBar(DWORD dwFlags = 0)
    {
        CXTPMenuBar* pMenuBar = frame->GetCommandBars()->SetMenu("Menu Bar", ID_MENU);
        EXPECT_NE(nullptr, pMenuBar);
        if (pMenuBar)
            pMenuBar->SetFlags(dwFlags);
        return pMenuBar;
    }

    CMDIChildWnd* AddChild(DWORD dwStyle = WS_OVERLAPPEDWINDOW)
    {
        auto* pChild = new CMDIChildWnd;
        EXPECT_TRUE(pChild->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | dwStyle, CRect(0, 0, 200, 120), frame));
        pChild->MDIActivate();
        PumpFor(20);
        return pChild;
    }

    static std::vector<int> Ids(CXTPCommandBar* pBar)
    {
        std::vector<int> ids;
        for (int i = 0; i < pBar->GetControlCount(); i++)
            ids.push_back(pBar->GetControl(i)->GetID());
        return ids;
    }

    MenuFrame* frame = nullptr;
    HMENU hNative = nullptr;
};

TEST_F(MenuBar, TakesTheFramesMenuAndOwnsIt)
{
    CXTPMenuBar* pMenuBar = LoadBar();
    ASSERT_NE(nullptr, pMenuBar);
    EXPECT_EQ(nullptr, ::GetMenu(frame->GetSafeHwnd()));
    EXPECT_EQ(hNative, pMenuBar->GetNativeMenu());
    EXPECT_EQ(pMenuBar, frame->GetCommandBars()->GetMenuBar());
    ASSERT_EQ(3, pMenuBar->GetControlCount());
    EXPECT_EQ(CString("&File"), pMenuBar->GetControl(0)->GetCaption());
    EXPECT_EQ(xtpControlPopup, pMenuBar->GetControl(0)->GetType());
    EXPECT_EQ(102, pMenuBar->GetControl(2)->GetID());
    EXPECT_EQ(ID_MENU, pMenuBar->GetCurrentMenuID());

    // Destroying the frame leaves the menu to the bar, which destroys it once.
    frame->DestroyWindow();
    frame = nullptr;
    PumpFor(10);
    EXPECT_FALSE(::IsMenu(hNative));
}

TEST_F(MenuBar, AMissingMenuGivesNoBarAndLeavesTheFramesMenu)
{
    EXPECT_EQ(nullptr, frame->GetCommandBars()->SetMenu("Menu Bar", 62459));
    EXPECT_EQ(hNative, ::GetMenu(frame->GetSafeHwnd()));
    EXPECT_EQ(nullptr, frame->GetCommandBars()->GetMenuBar());
}

TEST_F(MenuBar, AltAloneSelectsTheFirstItemShiftAltDoesNot)
{
    CXTPMenuBar* pMenuBar = LoadBar();
    for (BOOL bShift : {TRUE, FALSE}) {
        if (bShift) {
            SendKey(VK_SHIFT);
            ASSERT_TRUE(PumpUntil([] { return ::GetKeyState(VK_SHIFT) < 0; }));
        }
        frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
        if (bShift) {
            SendKey(VK_SHIFT, TRUE);
            PumpUntil([] { return ::GetKeyState(VK_SHIFT) >= 0; });
        }
        EXPECT_EQ(!bShift, pMenuBar->GetTrackingMode() != 0) << bShift;
        EXPECT_EQ(bShift ? -1 : 0, pMenuBar->GetSelectedIndex()) << bShift;
    }
    pMenuBar->SetTrackingMode(FALSE);
}

TEST_F(MenuBar, AltWithALetterOpensASubmenuOrRunsACommand)
{
    CXTPMenuBar* pMenuBar = LoadBar();
    auto altKey = [&](WORD vk) {
        MSG msg = {};
        msg.hwnd = frame->GetSafeHwnd();
        msg.message = WM_SYSKEYDOWN;
        msg.wParam = vk;
        msg.lParam = 1 << 29;
        return frame->PreTranslateMessage(&msg);
    };
    EXPECT_TRUE(altKey('E'));
    EXPECT_EQ(1, pMenuBar->GetPopupedIndex());
    CXTPCommandBar* pEdit = pMenuBar->GetControl(1)->GetCommandBar();
    ASSERT_NE(nullptr, pEdit);
    EXPECT_TRUE(pEdit->IsVisible());
    XTPHookManager()->CancelTracking();
    pMenuBar->SetTrackingMode(FALSE);
    PumpFor(20);

    EXPECT_TRUE(altKey('H'));
    PumpFor(20);
    EXPECT_EQ(std::vector<UINT>{102}, frame->m_arrCommands);
    EXPECT_FALSE(altKey('Q')) << "no item with that letter";
}

TEST_F(MenuBar, AMaximisedChildAddsItsButtonsAndRestoringRemovesThem)
{
    const struct {
        const char* name;
        DWORD dwChildStyle;
        DWORD dwBarFlags;
        std::vector<int> first;  // ids before the menu's
        std::vector<int> last;   // ids after it
    } cases[] = {
        {"plain", WS_OVERLAPPEDWINDOW, 0, {}, {9405, 9404, 9403}},
        {"system menu", WS_OVERLAPPEDWINDOW, xtpFlagAddMDISysPopup, {9406}, {9405, 9404, 9403}},
        {"no minimize box", WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, 0, {}, {9404, 9403}},
        {"no close button", WS_OVERLAPPEDWINDOW, xtpFlagNoMDICloseButton, {}, {9405, 9404}},
    };
    for (const auto& c : cases) {
        CXTPMenuBar* pMenuBar = LoadBar(c.dwBarFlags);
        ASSERT_NE(nullptr, pMenuBar);
        const std::vector<int> loaded = Ids(pMenuBar);
        CMDIChildWnd* pChild = AddChild(c.dwChildStyle);
        pChild->MDIMaximize();
        PumpUntil([&] { return pMenuBar->GetControlCount() > 3; }, 1000);
        PumpFor(20);
        std::vector<int> expected = c.first;
        expected.insert(expected.end(), loaded.begin(), loaded.end());
        expected.insert(expected.end(), c.last.begin(), c.last.end());
        EXPECT_EQ(expected, Ids(pMenuBar)) << c.name;

        pChild->MDIRestore();
        PumpUntil([&] { return pMenuBar->GetControlCount() == 3; }, 1000);
        EXPECT_EQ(loaded, Ids(pMenuBar)) << c.name;
        pChild->MDIDestroy();
        PumpFor(10);
        TearDown();
        SetUp();
    }
}

TEST_F(MenuBar, TheIgnoreFlagKeepsTheMenuWhenTheFrameworkSwitchesIt)
{
    HMENU hOther = ::CreateMenu();
    ::AppendMenuA(hOther, MF_STRING, 200, "&Window");
    for (BOOL bIgnore : {TRUE, FALSE}) {
        CXTPMenuBar* pMenuBar = LoadBar(bIgnore ? xtpFlagIgnoreSetMenuMessage : 0);
        CMDIChildWnd* pChild = AddChild();
        pChild->m_hMenuShared = hOther;  // the child's document type
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hOther), 0);
        EXPECT_EQ(nullptr, ::GetMenu(frame->GetSafeHwnd())) << bIgnore;
        EXPECT_EQ(bIgnore ? 3 : 1, pMenuBar->GetControlCount()) << bIgnore;
        pChild->m_hMenuShared = nullptr;
        TearDown();
        SetUp();
    }
    ::DestroyMenu(hOther);
}

}  // namespace
