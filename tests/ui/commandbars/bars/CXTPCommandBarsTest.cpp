// The command bars of a frame: the bar list, command usage, the document template of an MDI frame.
#include "CXTPCommandBars.h"

#include <gtest/gtest.h>

#include "../CommandBarsFixture.h"
#include "../MDIFrameFixture.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "CXTPCommandBarsOptions.h"

namespace {

TEST(CommandBars, BarsAreFoundByIndexAndNonZeroId)
{
    TestCommandBars bars;
    auto* pFirst = new CXTPCommandBar;
    auto* pSecond = new CXTPCommandBar;
    pSecond->SetBarID(0);
    pFirst->SetBarID(5);
    bars.Append(pSecond);
    bars.Append(pFirst);
    EXPECT_EQ(pSecond, bars.GetAt(0));
    EXPECT_EQ(nullptr, bars.GetAt(-1));
    EXPECT_EQ(nullptr, bars.GetAt(bars.GetCount()));
    EXPECT_EQ(pFirst, bars.GetToolBar(5));
    EXPECT_EQ(nullptr, bars.GetToolBar(0)) << "id 0 names no bar";
    EXPECT_EQ(&bars, pFirst->GetCommandBars());
}

TEST(CommandBars, AHiddenCommandShowsOnceUsed)
{
    TestCommandBars bars;
    bars.GetOptions()->m_mapHiddenCommands.SetAt(300, TRUE);
    EXPECT_TRUE(bars.IsCommandHidden(300));
    EXPECT_FALSE(bars.IsCommandHidden(301));
    bars.SetCommandUsed(301);
    EXPECT_EQ(0, bars.GetOptions()->m_mapUsedCommands.GetCount()) << "only hidden commands are recorded";
    bars.SetCommandUsed(300);
    bars.SetCommandUsed(300);
    EXPECT_FALSE(bars.IsCommandHidden(300));
    EXPECT_EQ(1, bars.GetOptions()->m_mapUsedCommands.GetCount());
    bars.ResetUsageData();
    EXPECT_TRUE(bars.IsCommandHidden(300));

    CXTPControls controls;
    EXPECT_TRUE(bars.IsControlHidden(controls.Add(xtpControlButton, 300)));
    EXPECT_FALSE(bars.IsControlHidden(controls.Add(xtpControlButton, 301)));
}

TEST(CommandBars, CustomizeModeTravelsToTheBarsAndTheirControls)
{
    TestCommandBars bars;
    auto* pBar = new CXTPCommandBar;
    bars.Append(pBar);
    CXTPControl* pControl = pBar->GetControls()->Add(xtpControlButton, 1);
    EXPECT_FALSE(pControl->IsCustomizeMode());
    bars.SetCustomizeMode(TRUE);
    EXPECT_TRUE(pControl->IsCustomizeMode());
    EXPECT_TRUE(bars.GetOptions()->m_bDirty);
    bars.SetDragControl(pControl);
    EXPECT_EQ(pControl, bars.GetDragControl());
    pBar->GetControls()->Remove(pControl);
    EXPECT_EQ(1u, pControl->GetRefCount()) << "the drag control keeps its reference";
    bars.SetDragControl(nullptr);
}

TEST(CommandBars, ACloneCopiesTheBarWithADuplicateOfItsControls)
{
    TestCommandBars bars;
    auto* pBar = new CXTPCommandBar;
    bars.Append(pBar);
    pBar->SetTitle("Standard");
    pBar->SetBarID(7);
    pBar->SetFlags(0x400 | 3, 2);
    pBar->GetControls()->Add(xtpControlButton, 1)->SetCaption("One");
    pBar->GetControls()->Add(xtpControlButton, 2, "", -1, TRUE);

    CXTPCommandBar* pClone = pBar->Clone(TRUE);
    EXPECT_STREQ("Standard", pClone->GetTitle());
    EXPECT_EQ(7u, pClone->GetBarID());
    EXPECT_EQ(0x401u, pClone->GetFlags());
    EXPECT_EQ(&bars, pClone->GetCommandBars());
    ASSERT_EQ(1, pClone->GetControlCount()) << "temporary controls are not copied";
    EXPECT_NE(pBar->GetControl(0), pClone->GetControl(0));
    EXPECT_TRUE(pClone->GetControl(0)->Compare(pBar->GetControl(0)));
    EXPECT_EQ(pClone, pClone->GetControl(0)->GetParent());
    pClone->InternalRelease();
}

TEST(CommandBars, TheDocumentTemplateValueFollowsTheActiveMDIChild)
{
    auto* pFrame = new LayoutMDIFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    ASSERT_TRUE(pFrame->InitCommandBars());
    TestCommandBars plain;
    EXPECT_EQ(0u, plain.GetActiveDocTemplate()) << "no MDI frame";
    EXPECT_EQ(0u, pFrame->GetCommandBars()->GetActiveDocTemplate()) << "no child: the default menu";

    auto* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80), pFrame));
    pChild->MDIActivate();
    HMENU hMenu = ::CreateMenu();
    pChild->m_hMenuShared = hMenu;
    EXPECT_EQ(static_cast<UINT>(reinterpret_cast<UINT_PTR>(hMenu)), pFrame->GetCommandBars()->GetActiveDocTemplate())
        << "a child without a document: its shared menu";
    pChild->m_hMenuShared = nullptr;
    ::DestroyMenu(hMenu);
    pFrame->DestroyWindow();
}

// A frame that offers the customize command.
class CustomizableFrame : public CFrameWnd {
public:
    void OnCustomize() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CustomizableFrame, CFrameWnd)
    ON_COMMAND(35001, OnCustomize)
END_MESSAGE_MAP()

TEST(CommandBars, TheAltReleaseThatEndsAnAltDragOpensNoMenu)
{
    TestCommandBars bars;
    MSG altUp = {nullptr, WM_SYSKEYUP, VK_MENU, 0, 0, {0, 0}};
    MSG keyDown = {nullptr, WM_SYSKEYDOWN, 'F', 1 << 29, 0, {0, 0}};
    EXPECT_FALSE(bars.PreTranslateFrameMessage(&altUp)) << "Alt alone goes on to open the menus";
    bars.SkipAltRelease();
    EXPECT_TRUE(bars.PreTranslateFrameMessage(&altUp));
    EXPECT_FALSE(bars.PreTranslateFrameMessage(&altUp)) << "only once";
    bars.SkipAltRelease();
    bars.PreTranslateFrameMessage(&keyDown);
    EXPECT_FALSE(bars.PreTranslateFrameMessage(&altUp)) << "after another key the release is Alt's own again";
}

TEST(CommandBars, TheSiteIsCustomizableWhenItHandlesTheCustomizeCommand)
{
    auto* pPlain = new CFrameWnd;
    auto* pCustomizable = new CustomizableFrame;
    ASSERT_TRUE(pPlain->Create(nullptr, "Plain", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    ASSERT_TRUE(pCustomizable->Create(nullptr, "Customizable", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    TestCommandBars bars;
    bars.SetSite(pPlain);
    EXPECT_FALSE(bars.IsCustomizable());
    bars.SetSite(pCustomizable);
    EXPECT_TRUE(bars.IsCustomizable());
    EXPECT_EQ(pCustomizable, bars.GetSite());
    pPlain->DestroyWindow();
    pCustomizable->DestroyWindow();
}

}  // namespace
