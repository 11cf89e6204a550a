// The menu placeholders: the runs they put after themselves when their menu opens (document
// windows, toolbars, recent files), taking back only their own items, the placeholders in
// customize mode, and the classes Add makes for the fixed ids and the label.
#include "CXTPControlExpandingList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "../CommandBarsFixture.h"
#include "../MDIFrameFixture.h"
#include "CMDIChildWnd.h"
#include "CMenu.h"
#include "CRecentFileList.h"
#include "CWinApp.h"
#include "CXTPControlLabel.h"
#include "CXTPControlToolBarVisible.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBar.h"

namespace {

TEST(ExpandingLists, AddMakesThePlaceholdersOfTheFixedIdsAndTheLabel)
{
    CXTPControls controls;
    const struct {
        XTPControlType type;
        int nId;
        const char* className;
    } cases[] = {
        {xtpControlButton, 35000, "CXTPControlWindowList"},   {xtpControlButton, 35002, "CXTPControlWorkspaceActions"},
        {xtpControlButton, 59392, "CXTPControlToolbars"},     {xtpControlButton, 35003, "CXTPControlRecentFileList"},
        {xtpControlButton, 35001, "CXTPControlButton"},       {xtpControlLabel, 35000, "CXTPControlLabel"},
    };
    for (const auto& c : cases) {
        CXTPControl* pControl = controls.Add(c.type, c.nId);
        ASSERT_NE(nullptr, pControl) << c.className;
        EXPECT_STREQ(c.className, pControl->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(c.type, pControl->GetType()) << c.className;
        // Made again by class name, as a saved layout does, and cloned as its own class.
        CObject* pMade = CRuntimeClass::FromName(c.className)->CreateObject();
        ASSERT_NE(nullptr, pMade) << c.className;
        static_cast<CXTPControl*>(pMade)->InternalRelease();
        CXTPControl* pClone = pControl->Clone();
        EXPECT_STREQ(c.className, pClone->GetRuntimeClass()->m_lpszClassName);
        pClone->InternalRelease();
    }
    CObject* pOle = CRuntimeClass::FromName("CXTPControlOleItems")->CreateObject();
    ASSERT_NE(nullptr, pOle);
    static_cast<CXTPControl*>(pOle)->InternalRelease();
}

TEST(ExpandingLists, AMenuGivesTheFixedIdsTheirPlaceholders)
{
    const struct {
        UINT nId;
        const char* text;
        const char* className;
    } cases[] = {
        {35000, "Windows", "CXTPControlWindowList"},
        {35002, "Workspace", "CXTPControlWorkspaceActions"},
        {59392, "&Toolbars", "CXTPControlToolbars"},
        {57616, "Recent Files", "CXTPControlRecentFileList"},
        {57872, "<<OLE VERBS GO HERE>>", "CXTPControlOleItems"},
        {57872, "Verbs", "CXTPControlButton"},  // the id alone is no placeholder
        {35003, "Recent", "CXTPControlButton"},  // in menus the recent files go by the first file's id
    };
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (const auto& c : cases)
        menu.AppendMenu(MF_STRING, c.nId, c.text);
    auto* pBar = new CXTPCommandBar;
    ASSERT_TRUE(pBar->LoadMenu(&menu));
    ASSERT_EQ(static_cast<int>(std::size(cases)), pBar->GetControlCount());
    for (int i = 0; i < pBar->GetControlCount(); i++) {
        CXTPControl* pControl = pBar->GetControl(i);
        EXPECT_STREQ(cases[i].className, pControl->GetRuntimeClass()->m_lpszClassName) << cases[i].text;
        EXPECT_EQ(static_cast<int>(cases[i].nId), pControl->GetID()) << cases[i].text;
        EXPECT_STREQ(cases[i].text, pControl->GetCaption());
        EXPECT_EQ(xtpControlButton, pControl->GetType()) << cases[i].text;
    }
    pBar->InternalRelease();
}

TEST(ExpandingLists, TheWindowListNumbersNineVisibleChildrenFromEachFirstChildId)
{
    for (UINT nFirst : {0xFF00u, 32768u, 1u, 0xFF00u}) {
        auto* pFrame = new NumberedMDIFrame(nFirst);
        ASSERT_TRUE(pFrame->Create(nullptr, "MDI", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
        pFrame->ShowWindow(SW_SHOWNA);  // the list takes visible windows only
        ASSERT_TRUE(pFrame->InitCommandBars());
        std::vector<CMDIChildWnd*> children;
        for (int i = 1; i <= 12; i++) {
            auto* pChild = new CMDIChildWnd;
            const std::string title = "Doc " + std::to_string(i);
            ASSERT_TRUE(pChild->Create(nullptr, title.c_str(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                       CRect(0, 0, 100, 80), pFrame));
            children.push_back(pChild);
        }
        children[2]->MDIActivate();

        Menu menu(pFrame->GetCommandBars(), XTP_ID_WINDOWLIST);
        for (int nOpening = 0; nOpening < 2; nOpening++) {
            menu.Open();
            std::vector<std::string> expected = {"100 Before"};
            for (UINT i = 1; i <= 9; i++)
                expected.push_back(std::to_string(nFirst + i - 1) + " &" + std::to_string(i) + " Doc " +
                                   std::to_string(i));
            expected.push_back("1 After 1");
            expected.push_back("2 After 2");
            EXPECT_EQ(expected, Shown(menu.pPopup)) << "first child " << nFirst << ", opening " << nOpening;
            EXPECT_EQ(nFirst, CXTPControlWindowList::GetFirstChildId());
            for (int i = 2; i <= 10; i++) {
                CXTPControl* pItem = menu.pPopup->GetControl(i);
                EXPECT_EQ(i == 4, pItem->GetChecked()) << pItem->GetCaption();
                EXPECT_EQ(i == 2, pItem->GetBeginGroup()) << "the placeholder's separator before the first";
                EXPECT_TRUE(pItem->IsTemporary());
                EXPECT_EQ(static_cast<DWORD>(xtpFlagManualUpdate), pItem->GetFlags() & xtpFlagManualUpdate);
            }
        }
        pFrame->DestroyWindow();
    }
}

TEST(ExpandingLists, TheToolbarsListTagsEachListedToolbarWithItsPlaceInTheList)
{
    CXTPFrameWnd* pFrame = new CXTPFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    ASSERT_TRUE(pFrame->InitCommandBars());
    CXTPCommandBars* pBars = pFrame->GetCommandBars();
    CXTPToolBar* pStandard = pBars->Add("Standard", xtpBarTop);
    CXTPToolBar* pHidden = pBars->Add("", xtpBarTop);  // no title: not listed
    CXTPToolBar* pFormat = pBars->Add("Format", xtpBarTop);
    pFormat->SetVisible(FALSE);
    CXTPToolBar* pFixed = pBars->Add("Fixed", xtpBarTop);
    pFixed->SetCloseable(FALSE);  // not listed, as in the toolbars context menu
    ASSERT_TRUE(pStandard && pHidden && pFormat && pFixed);
    const int nStandard = 0, nFormat = 2;
    ASSERT_EQ(pStandard, pBars->GetAt(nStandard));
    ASSERT_EQ(pFormat, pBars->GetAt(nFormat));

    Menu menu(pBars, XTP_ID_TOOLBARLIST);
    menu.Open();
    menu.Open();
    EXPECT_EQ((std::vector<std::string>{"100 Before", "59392 Standard", "59392 Format", "1 After 1", "2 After 2"}),
              Shown(menu.pPopup));
    CXTPControl* pItem = menu.pPopup->GetControl(2);
    EXPECT_EQ(CString(XTP_TOOLBAR_ITEM_PARAMETER), pItem->GetParameter());
    EXPECT_EQ(static_cast<DWORD_PTR>(nStandard), pItem->GetTag());
    EXPECT_TRUE(pItem->GetChecked());
    EXPECT_EQ(static_cast<DWORD_PTR>(nFormat), menu.pPopup->GetControl(3)->GetTag());
    EXPECT_FALSE(menu.pPopup->GetControl(3)->GetChecked());

    // A click shows the tagged bar; a tag no longer naming a toolbar does nothing.
    menu.pPopup->GetControl(3)->Execute();
    EXPECT_TRUE(pFormat->IsVisible());
    menu.pPopup->GetControl(3)->SetTag(99);
    menu.pPopup->GetControl(3)->Execute();
    EXPECT_TRUE(pFormat->IsVisible());
    pFrame->DestroyWindow();
}

class RecentFiles : public CommandBarsFixture {};

TEST_F(RecentFiles, EntriesAreNumberedOneToNineThenZeroWithAmpersandsShownAsThemselves)
{
    CWinApp app("RecentFileTests");
    CRecentFileList list(0, "Recent File List", "File%d", 12, 60);
    app.m_pRecentFileList = &list;
    char szDir[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, szDir);
    std::string dir = szDir;
    if (dir.back() != '\\')
        dir += '\\';
    list[0] = (dir + "here.vks").c_str();
    list[1] = "C:\\other\\R&D.vks";
    for (int i = 2; i < 10; i++)
        list[i] = ("C:\\other\\f" + std::to_string(i) + ".vks").c_str();

    Menu menu(frame->Bars(), XTP_ID_FILE_MRU);
    menu.Open();
    menu.Open();
    std::vector<std::string> shown = Shown(menu.pPopup);
    ASSERT_EQ(13u, shown.size());
    EXPECT_EQ("57616 &1 here.vks", shown[1]) << "the current folder is left off";
    EXPECT_EQ("57617 &2 C:\\other\\R&&D.vks", shown[2]);
    EXPECT_EQ("57624 &9 C:\\other\\f8.vks", shown[9]);
    EXPECT_EQ("57625 &0 C:\\other\\f9.vks", shown[10]);
    EXPECT_EQ("1 After 1", shown[11]);
    EXPECT_FALSE(menu.pPopup->GetControl(1)->IsVisible()) << "the placeholder hides while it has items";
    EXPECT_TRUE(menu.pPopup->GetControl(2)->GetBeginGroup()) << "its separator stays before the first file";

    // An empty list leaves the placeholder showing, to be disabled by the update.
    for (int i = 0; i < 10; i++)
        list[i].Empty();
    menu.Open();
    EXPECT_EQ((std::vector<std::string>{"100 Before", "35003 Placeholder", "1 After 1", "2 After 2"}),
              Shown(menu.pPopup));
    app.m_pRecentFileList = nullptr;

    EXPECT_EQ(CString("a&&b&&&&"), CXTPControlRecentFileList::EscapeAmpersands("a&b&&"));
}

class ExpandingListsInCustomize : public CommandBarsFixture {};

TEST_F(ExpandingListsInCustomize, PlaceholdersShowAsThemselvesAndInsertNothing)
{
    Menu menu(frame->Bars(), XTP_ID_TOOLBARLIST);
    frame->Bars()->Add("Standard", xtpBarTop);
    menu.Open();
    ASSERT_GT(menu.pPopup->GetControlCount(), 4);
    frame->Bars()->SetCustomizeMode(TRUE);
    menu.Open();
    frame->Bars()->SetCustomizeMode(FALSE);
    EXPECT_EQ((std::vector<std::string>{"100 Before", "59392 Placeholder", "1 After 1", "2 After 2"}),
              Shown(menu.pPopup));
}

}  // namespace
