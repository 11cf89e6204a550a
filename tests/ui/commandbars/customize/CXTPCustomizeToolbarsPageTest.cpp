// The Toolbars page: which bars it lists, the buttons for built-in and user bars, the check that
// shows or hides a bar, and deleting a user bar.
#include <gtest/gtest.h>

#include "CXTPControls.h"
#include "CXTPCustomizeToolbarsPage.h"
#include "CXTPMenuBar.h"
#include "CXTPToolBar.h"
#include "CustomizeFixture.h"

namespace {

class CustomizeToolbarsPageTest : public CustomizeFixture {
protected:
    void SetUp() override
    {
        CustomizeFixture::SetUp();
        if (!frame->Bars()->GetDockBar(0))
            frame->Bars()->EnableDocking();
        pBuiltIn = frame->Bars()->Add("Standard", xtpBarTop);
        pBuiltIn->SetBarID(601);
        pUser = frame->Bars()->AddCustomBar("Mine", 59392);
        ASSERT_NE(nullptr, pUser);
    }
    void TearDown() override
    {
        // All but the fixture's own bar.
        while (frame->Bars()->GetCount() > 1)
            frame->Bars()->Remove(frame->Bars()->GetAt(1));
        CustomizeFixture::TearDown();
    }

    // The list's entries as "title:check", in order.
    static std::vector<std::string> Entries(CXTPCustomizeToolbarsPage* pPage)
    {
        std::vector<std::string> entries;
        CCheckListBox& list = pPage->GetList();
        for (int i = 0; i < list.GetCount(); i++) {
            CString strText;
            list.GetText(i, strText);
            entries.push_back(std::string(strText) + ":" + std::to_string(list.GetCheck(i)));
        }
        return entries;
    }
    static int EntryOf(CXTPCustomizeToolbarsPage* pPage, const char* lpszTitle)
    {
        return pPage->GetList().FindStringExact(-1, lpszTitle);
    }
    static BOOL IsButtonEnabled(CXTPCustomizeToolbarsPage* pPage, int nID)
    {
        return ::IsWindowEnabled(::GetDlgItem(pPage->m_hWnd, nID));
    }
    static CPoint ButtonCentre(CXTPCustomizeToolbarsPage* pPage, int nID)
    {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(pPage->m_hWnd, nID), &rc);
        return rc.CenterPoint();
    }
    // Selects an entry as the user does.
    static void Select(CXTPCustomizeToolbarsPage* pPage, int nIndex)
    {
        pPage->GetList().SetCurSel(nIndex);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CXTPCustomizeToolbarsPage::IDC_TOOLBARS_LIST, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(pPage->GetList().m_hWnd));
    }

    CXTPToolBar* pBuiltIn = nullptr;
    CXTPToolBar* pUser = nullptr;
};

TEST_F(CustomizeToolbarsPageTest, ListsTheBarsWithTheirVisibilityAndOffersButtonsByKind)
{
    pUser->SetVisible(FALSE);
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    std::vector<std::string> entries;
    struct Buttons {
        BOOL bReset, bRename, bDelete;
    } none{}, builtIn{}, user{};
    auto buttons = [&]() {
        return Buttons{IsButtonEnabled(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_RESET),
                       IsButtonEnabled(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_RENAME),
                       IsButtonEnabled(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_DELETE)};
    };
    RunSheet(sheet, {[&]() {
        entries = Entries(pPage);
        none = buttons();
        Select(pPage, EntryOf(pPage, "Standard"));
        builtIn = buttons();
        Select(pPage, EntryOf(pPage, "Mine"));
        user = buttons();
        return true;
    }});
    EXPECT_EQ((std::vector<std::string>{":1", "Standard:1", "Mine:0"}), entries);
    EXPECT_FALSE(none.bReset || none.bRename || none.bDelete);
    EXPECT_TRUE(builtIn.bReset);
    EXPECT_FALSE(builtIn.bRename || builtIn.bDelete);
    EXPECT_FALSE(user.bReset);
    EXPECT_TRUE(user.bRename && user.bDelete);
}

TEST_F(CustomizeToolbarsPageTest, ACheckChangedActsOnItsOwnEntryNotTheSelectedOne)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    RunSheet(sheet, {[&]() {
        Select(pPage, EntryOf(pPage, "Standard"));
        // The box of another entry than the selected one changes.
        pPage->GetList().SetCheck(EntryOf(pPage, "Mine"), 0);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CXTPCustomizeToolbarsPage::IDC_TOOLBARS_LIST, CLBN_CHKCHANGE),
                           reinterpret_cast<LPARAM>(pPage->GetList().m_hWnd));
        return true;
    }});
    EXPECT_TRUE(pBuiltIn->IsVisible());
    EXPECT_FALSE(pUser->IsVisible());
}

TEST_F(CustomizeToolbarsPageTest, ClickingACheckBoxShowsAndHidesItsBar)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    auto clickBox = [&]() {
        CRect rc;
        pPage->GetList().GetItemRect(EntryOf(pPage, "Standard"), &rc);
        CPoint pt(rc.left + 8, rc.CenterPoint().y);
        pPage->GetList().ClientToScreen(&pt);
        SendClick(pt);
        return true;
    };
    BOOL bHidden = TRUE;
    RunSheet(sheet, {clickBox, [&]() { return !pBuiltIn->IsVisible(); },
                     [&]() {
                         bHidden = pPage->GetList().GetCheck(EntryOf(pPage, "Standard")) == 0;
                         return clickBox();
                     },
                     [&]() { return pBuiltIn->IsVisible(); }});
    EXPECT_TRUE(bHidden);
    EXPECT_TRUE(pBuiltIn->IsVisible());
}

TEST_F(CustomizeToolbarsPageTest, BarsChangedElsewhereShowInTheListAtIdleTime)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    std::vector<std::string> entries;
    RunSheet(sheet, {[&]() {
                         // As a bar's own close button and a removal elsewhere would.
                         pBuiltIn->SetVisible(FALSE);
                         frame->Bars()->Remove(pUser);
                         pUser = nullptr;
                         return true;
                     },
                     [&]() { return pPage->GetList().GetCount() == 2; },
                     [&]() {
                         entries = Entries(pPage);
                         return true;
                     }});
    EXPECT_EQ((std::vector<std::string>{":1", "Standard:0"}), entries);
}

TEST_F(CustomizeToolbarsPageTest, AHiddenMenuBarLeavesTheList)
{
    CXTPCommandBar* pMenuBar = frame->Bars()->SetMenu("Menu Bar", 0);
    ASSERT_NE(nullptr, pMenuBar);
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    int nBefore = -1, nAfter = -1;
    RunSheet(sheet, {[&]() {
        nBefore = EntryOf(pPage, "Menu Bar");
        pPage->GetList().SetCheck(nBefore, 0);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(CXTPCustomizeToolbarsPage::IDC_TOOLBARS_LIST, CLBN_CHKCHANGE),
                           reinterpret_cast<LPARAM>(pPage->GetList().m_hWnd));
        nAfter = EntryOf(pPage, "Menu Bar");
        return true;
    }});
    EXPECT_GE(nBefore, 0);
    EXPECT_EQ(LB_ERR, nAfter);
    EXPECT_FALSE(pMenuBar->IsVisible());
}

// Confirms the top-level dialog of the caption given, once it shows, with its edit 9329 set to
// the text when one is given.
SheetStep ConfirmDialog(const char* lpszCaption, const char* lpszName = nullptr)
{
    return [=]() {
        HWND hWnd = ::FindWindowA("#32770", lpszCaption);
        if (!hWnd || !::IsWindowVisible(hWnd))
            return false;
        if (lpszName)
            ::SetDlgItemTextA(hWnd, 9329, lpszName);
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        return true;
    };
}

TEST_F(CustomizeToolbarsPageTest, NewAddsAUserToolbarAndRenameChangesItsEntryInPlace)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    std::vector<std::string> afterNew, afterRename;
    int nSelected = -1;
    RunSheet(sheet, {[&]() {
                         SendClick(ButtonCentre(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_NEW));
                         return true;
                     },
                     ConfirmDialog("New Toolbar"),
                     [&]() { return EntryOf(pPage, "Custom 1") >= 0; },
                     [&]() {
                         afterNew = Entries(pPage);
                         Select(pPage, EntryOf(pPage, "Mine"));
                         SendClick(ButtonCentre(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_RENAME));
                         return true;
                     },
                     ConfirmDialog("Rename Toolbar", "Yours"),
                     [&]() { return EntryOf(pPage, "Yours") >= 0; },
                     [&]() {
                         afterRename = Entries(pPage);
                         nSelected = pPage->GetList().GetCurSel();
                         return true;
                     }});
    EXPECT_EQ((std::vector<std::string>{":1", "Standard:1", "Mine:1", "Custom 1:1"}), afterNew);
    EXPECT_EQ((std::vector<std::string>{":1", "Standard:1", "Yours:1", "Custom 1:1"}), afterRename);
    EXPECT_EQ(2, nSelected);
    EXPECT_STREQ("Yours", pUser->GetTitle());
    auto* pNew = dynamic_cast<CXTPToolBar*>(frame->Bars()->GetAt(3));
    ASSERT_NE(nullptr, pNew);
    EXPECT_FALSE(pNew->IsBuiltIn());
    EXPECT_STREQ("Custom 1", pNew->GetTitle());
}

TEST_F(CustomizeToolbarsPageTest, ResetRunsTheBuiltInBarsOwnResetWhichAsksFirst)
{
    pBuiltIn->GetControls()->Add(xtpControlButton, ID_PLAIN);
    const int nControls = pBuiltIn->GetControlCount();
    AnswerMessageBoxes({IDCANCEL});
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
    RunSheet(sheet, {[&]() {
                         Select(pPage, EntryOf(pPage, "Standard"));
                         SendClick(ButtonCentre(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_RESET));
                         return true;
                     },
                     [&]() { return !MessageBoxTexts().empty(); }, Wait(100)});
    ASSERT_EQ(1u, MessageBoxTexts().size());
    EXPECT_STREQ("Are you sure you want to reset the changes made to the 'Standard' toolbar?", MessageBoxTexts()[0]);
    EXPECT_EQ(nControls, pBuiltIn->GetControlCount()) << "cancelled: the bar keeps its controls";
}

TEST_F(CustomizeToolbarsPageTest, DeleteAsksAndOnlyOKRemovesTheBar)
{
    const struct {
        int nAnswer;
        BOOL bRemoved;
    } cases[] = {{IDCANCEL, FALSE}, {IDOK, TRUE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nAnswer);
        if (frame->Bars()->GetCount() < 3)
            pUser = frame->Bars()->AddCustomBar("Mine", 59393);
        const int nBars = frame->Bars()->GetCount();
        MessageBoxTexts().clear();
        AnswerMessageBoxes({c.nAnswer});
        CXTPCustomizeSheet sheet(frame->Bars());
        CXTPCustomizeToolbarsPage* pPage = sheet.GetToolbarsPage();
        std::vector<std::string> entries;
        RunSheet(sheet, {[&]() {
                             Select(pPage, EntryOf(pPage, "Mine"));
                             SendClick(ButtonCentre(pPage, CXTPCustomizeToolbarsPage::IDC_TOOLBARS_DELETE));
                             return true;
                         },
                         [&]() { return !MessageBoxTexts().empty(); }, Wait(100),
                         [&]() {
                             entries = Entries(pPage);
                             return true;
                         }});
        ASSERT_EQ(1u, MessageBoxTexts().size());
        EXPECT_STREQ("Are you sure you want to delete the 'Mine' toolbar?", MessageBoxTexts()[0]);
        EXPECT_EQ(nBars - (c.bRemoved ? 1 : 0), frame->Bars()->GetCount());
        EXPECT_EQ(c.bRemoved ? (std::vector<std::string>{":1", "Standard:1"})
                             : (std::vector<std::string>{":1", "Standard:1", "Mine:1"}),
                  entries);
    }
}

} // namespace
