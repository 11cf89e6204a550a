// The menu bar of an MDI frame: the native menu taken over, Alt alone and Alt with a letter,
// the maximised child's buttons and the framework's menu switches.
#include "CXTPMenuBar.h"

#include <gtest/gtest.h>

#include <vector>

#include "../CommandBarsFixture.h"
#include "CMDIChildWnd.h"
#include "CWinApp.h"
#include "CXTPControls.h"
#include "CXTPImageManager.h"
#include "CXTPHookManager.h"

namespace {

const UINT ID_MENU = 62453;  // "&File", "&Edit" submenus and the command "&Help" (102)

// An MDI frame with a native menu, recording the commands it gets.
class MenuFrame : public CXTPMDIFrameWnd {
public:
    std::vector<UINT> m_arrCommands;
    BOOL m_bCustomizable = FALSE;  // handles the Customize command
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_arrCommands.push_back(LOWORD(wParam));
        return CXTPMDIFrameWnd::OnCommand(wParam, lParam);
    }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == 35001 && nCode == CN_COMMAND && m_bCustomizable)
            return TRUE;
        return CXTPMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

// Answers the bars' questions and keeps them.
class AnsweringApp : public CWinApp {
public:
    explicit AnsweringApp(int nAnswer) : CWinApp("MenuBarTests"), m_nAnswer(nAnswer) {}
    int DoMessageBox(const char* lpszPrompt, UINT /*nType*/, UINT /*nIDPrompt*/) override
    {
        m_arrPrompts.push_back(lpszPrompt);
        return m_nAnswer;
    }
    int m_nAnswer;
    std::vector<CString> m_arrPrompts;
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

    // A menu of the commands, each a popup with one item of its own id.
    static HMENU MakeMenu(std::initializer_list<UINT> ids)
    {
        HMENU hMenu = ::CreateMenu();
        for (UINT nID : ids) {
            HMENU hPopup = ::CreatePopupMenu();
            ::AppendMenuA(hPopup, MF_STRING, nID, "Item");
            ::AppendMenuA(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "Menu");
        }
        return hMenu;
    }

    // A child of its own document type (known by its shared menu), activated; the framework
    // tells the menu bar of its menu.
    CMDIChildWnd* AddTypedChild(HMENU hMenu)
    {
        CMDIChildWnd* pChild = AddChild();
        Show(pChild, hMenu);
        return pChild;
    }
    void Show(CMDIChildWnd* pChild, HMENU hMenu)
    {
        pChild->m_hMenuShared = hMenu;
        pChild->MDIActivate();
        ::SendMessageA(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenu), 0);
        PumpFor(10);
    }

    // The captions of the bar's popups' first items' ids, or of its own ids.
    static std::vector<int> MenuIds(CXTPControls* pControls)
    {
        std::vector<int> ids;
        for (int i = 0; pControls && i < pControls->GetCount(); i++) {
            CXTPControl* pControl = pControls->GetAt(i);
            CXTPCommandBar* pPopup = pControl->GetCommandBar();
            ids.push_back(pPopup && pPopup->GetControlCount() ? pPopup->GetControl(0)->GetID() : pControl->GetID());
        }
        return ids;
    }

    static UINT Key(HMENU hMenu) { return static_cast<UINT>(reinterpret_cast<UINT_PTR>(hMenu)); }

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
    // The child's system menu shows images beside its commands.
    for (UINT nCommand : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
        EXPECT_NE(nullptr, pMenuBar->GetImageManager()->GetImage(nCommand, 16)) << nCommand;

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

TEST_F(MenuBar, EachDocumentTypeKeepsItsCustomizedMenuWhenTheFrameIsCustomizable)
{
    HMENU hScript = MakeMenu({300, 301});
    HMENU hModel = MakeMenu({302});
    for (BOOL bCustomizable : {TRUE, FALSE}) {
        frame->m_bCustomizable = bCustomizable;
        frame->GetCommandBars()->SetSite(frame);
        ASSERT_EQ(bCustomizable, frame->GetCommandBars()->IsCustomizable());
        CXTPMenuBar* pMenuBar = LoadBar();
        const std::vector<int> defaultIds = MenuIds(pMenuBar->GetControls());

        CMDIChildWnd* pScript = AddTypedChild(hScript);
        EXPECT_EQ(std::vector<int>({300, 301}), MenuIds(pMenuBar->GetControls())) << bCustomizable;
        pMenuBar->GetControls()->Remove(0);  // the user's change
        CMDIChildWnd* pModel = AddTypedChild(hModel);
        EXPECT_EQ(std::vector<int>({302}), MenuIds(pMenuBar->GetControls())) << bCustomizable;
        Show(pScript, hScript);
        EXPECT_EQ(bCustomizable ? std::vector<int>({301}) : std::vector<int>({300, 301}),
                  MenuIds(pMenuBar->GetControls()))
            << bCustomizable;
        EXPECT_EQ(Key(hScript), pMenuBar->GetCurrentMenuID());

        // A copy keeps copies of the types' menus.
        Show(pModel, hModel);
        auto* pCopy = static_cast<CXTPMenuBar*>(pMenuBar->Clone(FALSE));
        CXTPControls* pKept = pMenuBar->GetDocumentMenu(Key(hScript));
        EXPECT_EQ(bCustomizable, pKept != nullptr);
        if (pKept) {
            ASSERT_NE(nullptr, pCopy->GetDocumentMenu(Key(hScript)));
            EXPECT_NE(pKept, pCopy->GetDocumentMenu(Key(hScript)));
            EXPECT_EQ(std::vector<int>({301}), MenuIds(pCopy->GetDocumentMenu(Key(hScript))));
        }
        pCopy->InternalRelease();

        // Before saving: the default menu shows and only the changed type's menu stays.
        pMenuBar->DropUnchangedMDIMenus();
        if (bCustomizable) {
            EXPECT_EQ(defaultIds, MenuIds(pMenuBar->GetControls()));
            EXPECT_EQ(ID_MENU, pMenuBar->GetCurrentMenuID());
            EXPECT_EQ(std::vector<int>({301}), MenuIds(pMenuBar->GetDocumentMenu(Key(hScript))));
            EXPECT_EQ(nullptr, pMenuBar->GetDocumentMenu(Key(hModel)));
        }
        TearDown();
        SetUp();
    }
    ::DestroyMenu(hScript);
    ::DestroyMenu(hModel);
}

TEST_F(MenuBar, ResetAsksAndPutsBackTheMenuOfTheTypeShown)
{
    HMENU hScript = MakeMenu({300, 301});
    frame->m_bCustomizable = TRUE;
    frame->GetCommandBars()->SetSite(frame);
    CXTPMenuBar* pMenuBar = LoadBar();
    CMDIChildWnd* pScript = AddTypedChild(hScript);
    AddTypedChild(nullptr);  // back to the default menu: the script type's menu is kept
    Show(pScript, hScript);
    for (int nAnswer : {IDCANCEL, IDOK}) {
        pMenuBar->GetControls()->Remove(0);
        AnsweringApp app(nAnswer);
        pMenuBar->Reset();
        ASSERT_EQ(1u, app.m_arrPrompts.size()) << nAnswer;
        EXPECT_NE(-1, app.m_arrPrompts[0].Find("'Menu Bar'")) << app.m_arrPrompts[0];
        EXPECT_EQ(nAnswer == IDOK ? std::vector<int>({300, 301}) : std::vector<int>({301}),
                  MenuIds(pMenuBar->GetControls()))
            << nAnswer;
    }
    TearDown();
    SetUp();
    ::DestroyMenu(hScript);
}

}  // namespace
