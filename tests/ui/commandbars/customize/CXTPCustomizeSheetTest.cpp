// The customize sheet: its buttons, the modal run in customize mode, what its hooks let through,
// Alt with a tab's mnemonic, and the context menu of a customized control.
#include <gtest/gtest.h>

#include "AfxResource.h"
#include "CXTPControlEdit.h"
#include "CXTPCustomizeDropSource.h"
#include "CXTPCustomizeHooks.h"
#include "CXTPCustomizeToolbarsPage.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPPopupBar.h"
#include "CustomizeFixture.h"

namespace {

// A child of the frame that counts the clicks it gets.
class ClickCounter : public CWnd {
public:
    int m_nClicks = 0;
    void OnLButtonDown(UINT, CPoint) { m_nClicks++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickCounter, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CustomizeSheetTest : public CustomizeFixture {
protected:
    // The screen centre of a control of the sheet's context menu.
    static CPoint MenuItemCentre(CXTPCustomizeSheet& sheet, int nID)
    {
        CXTPPopupBar* pMenu = sheet.GetContextMenu();
        CPoint pt = pMenu->GetControls()->FindControl(nID)->GetRect().CenterPoint();
        pMenu->ClientToScreen(&pt);
        return pt;
    }
    static BOOL IsMenuOpen(CXTPCustomizeSheet& sheet)
    {
        return sheet.GetContextMenu()->GetSafeHwnd() && sheet.GetContextMenu()->IsWindowVisible();
    }
    // Right-clicks control nIndex of the bar.
    static SheetStep RightClick(int nIndex)
    {
        return [nIndex]() {
            SendMouse(bar->Centre(nIndex, TRUE), {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
            return true;
        };
    }
    // Waits until the context menu is open, or closed.
    static SheetStep MenuIs(CXTPCustomizeSheet& sheet, BOOL bOpen)
    {
        return [&sheet, bOpen]() { return IsMenuOpen(sheet) == bOpen; };
    }
    // Places the counter in the frame's client area at the left edge given, near the bottom; the
    // screen point to click it at.
    static CPoint PlaceCounter(ClickCounter& counter, int nLeft)
    {
        CRect rcClient;
        frame->GetClientRect(&rcClient);
        EXPECT_TRUE(counter.Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE,
                                   CRect(nLeft, rcClient.bottom - 60, nLeft + 190, rcClient.bottom - 10), frame, 200));
        CPoint pt(nLeft + 90, rcClient.bottom - 35);
        frame->ClientToScreen(&pt);
        return pt;
    }
};

TEST_F(CustomizeSheetTest, ShowsOnlyCloseAndRunsTheHostInCustomizeMode)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPCustomizeSheet second(frame->Bars());
    INT_PTR nSecond = 0;
    const INT_PTR nResult = RunSheet(sheet, {[&]() {
        EXPECT_TRUE(frame->Bars()->IsCustomizeMode());
        EXPECT_EQ(&sheet, CXTPCustomizeHooks::GetRunningSheet());
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, IDOK)));
        HWND hWndApply = ::GetDlgItem(sheet.m_hWnd, 0x3021);
        EXPECT_TRUE(!hWndApply || !::IsWindowVisible(hWndApply));
        char szClose[32] = "";
        ::GetDlgItemTextA(sheet.m_hWnd, IDCANCEL, szClose, sizeof(szClose));
        EXPECT_STREQ("Close", szClose);
        nSecond = second.DoModal();
        return true;
    }});
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(IDCANCEL, nSecond);
    EXPECT_FALSE(frame->Bars()->IsCustomizeMode());
    EXPECT_EQ(nullptr, CXTPCustomizeHooks::GetRunningSheet());
}

TEST_F(CustomizeSheetTest, ClicksReachTheHostsBarsButNotTheRestOfTheFrame)
{
    SetButtons({ID_PLAIN, ID_UNHANDLED});
    ClickCounter counter;
    const CPoint ptCounter = PlaceCounter(counter, 10);

    CXTPCustomizeSheet sheet(frame->Bars());
    RunSheet(sheet, {[&]() {
                         SendClick(ptCounter);
                         return true;
                     },
                     [&]() {
                         SendClick(bar->Centre(1, TRUE));
                         return true;
                     },
                     [&]() { return frame->Bars()->GetDragControl() == bar->GetControl(1); }, Wait(150),
                     [&]() { return counter.m_nClicks == 0; }});
    EXPECT_EQ(0, counter.m_nClicks);
    EXPECT_TRUE(frame->m_arrCommands.empty());

    // Without the sheet the same click arrives.
    SendClick(ptCounter);
    EXPECT_TRUE(PumpUntil([&]() { return counter.m_nClicks == 1; }));
    counter.DestroyWindow();
}

TEST_F(CustomizeSheetTest, WithTheSheetOpenAButtonDragsFromOneBarToAnother)
{
    // Two bars of the host, made after joining it so that drags find them.
    TestBar* bars[2] = {};
    for (int i = 0; i < 2; i++) {
        bars[i] = new TestBar;
        bars[i]->SetCommandBars(frame->Bars());
        bars[i]->SetBarPosition(xtpBarTop);
        ASSERT_TRUE(bars[i]->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE,
                                    CRect(0, 40 + 40 * i, 560, 70 + 40 * i), frame, 0));
        frame->Bars()->Append(bars[i]);
        for (int id : {41001 + 10 * i, 41002 + 10 * i})
            bars[i]->GetControls()->Add(xtpControlButton, id);
        bars[i]->OnRecalcLayout();
        bars[i]->UpdateWindow();
    }
    CXTPCustomizeSheet sheet(frame->Bars());
    RunSheet(sheet, {[&]() {
                         SendMouse(bars[0]->Centre(0, TRUE), {MOUSEEVENTF_LEFTDOWN});
                         return true;
                     },
                     [&]() {
                         SendMouse(bars[1]->Centre(1, TRUE) + CPoint(-8, 0), {});
                         return true;
                     },
                     [&]() {
                         SendMouse(bars[1]->Centre(1, TRUE) + CPoint(-12, 0), {MOUSEEVENTF_LEFTUP});
                         return true;
                     },
                     [&]() { return !frame->Bars()->GetDropSource()->IsDragging(); }});
    EXPECT_EQ(1, bars[0]->GetControlCount());
    EXPECT_EQ(41002, bars[0]->GetControl(0)->GetID());
    ASSERT_EQ(3, bars[1]->GetControlCount());
    EXPECT_EQ(41011, bars[1]->GetControl(0)->GetID());
    EXPECT_EQ(41001, bars[1]->GetControl(1)->GetID());
    for (TestBar* pBar : bars)
        frame->Bars()->Remove(pBar);
}

TEST_F(CustomizeSheetTest, AltWithATabsMnemonicSelectsItsPage)
{
    CXTPCustomizeSheet sheet(frame->Bars());
    CPropertyPage options(9339);  // "&Options", after "Tool&bars" and "&Commands"
    sheet.AddPage(&options);
    const struct {
        char chKey;
        int nPage;
    } cases[] = {{'O', 2}, {'C', 1}, {'B', 0}};
    std::vector<SheetStep> steps;
    std::vector<int> pages;
    for (const auto& c : cases) {
        steps.push_back([&sheet, c]() {
            sheet.SetForegroundWindow();
            SendKey(VK_MENU);
            SendKey(static_cast<WORD>(c.chKey));
            SendKey(static_cast<WORD>(c.chKey), TRUE);
            SendKey(VK_MENU, TRUE);
            return true;
        });
        steps.push_back(Wait(150));
        steps.push_back([&sheet, &pages]() {
            pages.push_back(sheet.GetActiveIndex());
            return true;
        });
    }
    RunSheet(sheet, steps);
    EXPECT_EQ((std::vector<int>{2, 1, 0}), pages);
}

TEST_F(CustomizeSheetTest, AddPageTakesTheTemplateOfTheCurrentLanguage)
{
    AfxSetThreadResourceLanguage(1031);
    CXTPCustomizeSheet sheet(frame->Bars());
    CString strTab;
    RunSheet(sheet, {[&]() {
        char szText[64] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        sheet.GetTabControl()->SendMessage(TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        strTab = szText;
        return true;
    }});
    AfxSetThreadResourceLanguage(0);
    EXPECT_STREQ("Sym&bolleisten", strTab);
}

// One command of the context menu on the second of two buttons, from the right click to the item.
struct ContextCase {
    const char* name;
    int nItem;
    std::function<void(CXTPControl*)> prepare;
    std::function<void(CXTPControl*)> check;  // the control after the command (null: removed)
};

TEST_F(CustomizeSheetTest, ContextMenuCommandsActOnTheControlRightClicked)
{
    const ContextCase cases[] = {
        {"delete", 9316, nullptr, [](CXTPControl* pControl) { EXPECT_EQ(nullptr, pControl); }},
        {"begin group", 9326, nullptr, [](CXTPControl* pControl) { EXPECT_TRUE(pControl->GetBeginGroup()); }},
        {"group again", 9326, [](CXTPControl* pControl) { pControl->SetBeginGroup(TRUE); },
         [](CXTPControl* pControl) { EXPECT_FALSE(pControl->GetBeginGroup()); }},
        {"text only", 9325, nullptr, [](CXTPControl* pControl) { EXPECT_EQ(1, pControl->GetCustomStyle()); }},
        {"image and text", 9324, nullptr, [](CXTPControl* pControl) { EXPECT_EQ(3, pControl->GetCustomStyle()); }},
        {"default style", 9323, [](CXTPControl* pControl) { pControl->SetCustomStyle(1); },
         [](CXTPControl* pControl) { EXPECT_EQ(0, pControl->GetCustomStyle()); }},
        {"reset", 9315,
         [](CXTPControl* pControl) {
             pControl->SetCustomCaption("Mine");
             pControl->SetCustomStyle(3);
             pControl->SetCustomIconId(7);
         },
         [](CXTPControl* pControl) {
             EXPECT_STREQ("", pControl->GetCustomCaption());
             EXPECT_EQ(0, pControl->GetCustomStyle());
             EXPECT_EQ(0, pControl->GetCustomIconId());
         }},
        {"reset image", 9320, [](CXTPControl* pControl) { pControl->SetCustomIconId(7); },
         [](CXTPControl* pControl) { EXPECT_EQ(0, pControl->GetCustomIconId()); }},
    };
    for (const ContextCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetButtons({ID_PLAIN, ID_UNHANDLED});
        CXTPControl* pTarget = bar->GetControl(1);
        CHoldRef hold(pTarget);
        if (c.prepare)
            c.prepare(pTarget);
        CXTPCustomizeSheet sheet(frame->Bars());
        RunSheet(sheet, {RightClick(1), MenuIs(sheet, TRUE),
                         [&]() {
                             EXPECT_EQ(pTarget, frame->Bars()->GetDragControl());
                             SendClick(MenuItemCentre(sheet, c.nItem));
                             return true;
                         },
                         MenuIs(sheet, FALSE)});
        c.check(pTarget->GetParent() == bar ? pTarget : nullptr);
        EXPECT_EQ(ID_PLAIN, bar->GetControl(0)->GetID());
    }
}

TEST_F(CustomizeSheetTest, AClickOnTheFrameClosesTheContextMenuAndReachesNothingElse)
{
    SetButtons({ID_PLAIN});
    ClickCounter counter;
    const CPoint ptCounter = PlaceCounter(counter, 300);
    CXTPCustomizeSheet sheet(frame->Bars());
    RunSheet(sheet, {RightClick(0), MenuIs(sheet, TRUE),
                     [&]() {
                         SendClick(ptCounter);
                         return true;
                     },
                     MenuIs(sheet, FALSE), Wait(100)});
    EXPECT_EQ(0, counter.m_nClicks);
    EXPECT_EQ(1, bar->GetControlCount());
    counter.DestroyWindow();
}

TEST_F(CustomizeSheetTest, ChangeButtonImageOffersTenPicturesAndGivesTheChosenOne)
{
    SetButtons({ID_PLAIN});
    CXTPCustomizeSheet sheet(frame->Bars());
    CXTPPopupBar* pPictures = nullptr;
    int nPictures = 0, nWrapWidth = 0;
    RunSheet(sheet, {RightClick(0), MenuIs(sheet, TRUE),
                     [&]() {
                         SendClick(MenuItemCentre(sheet, 9322));
                         return true;
                     },
                     [&]() {
                         CXTPControl* pItem = sheet.GetContextMenu()->GetControls()->FindControl(9322);
                         pPictures = static_cast<CXTPPopupBar*>(pItem->GetCommandBar());
                         return pPictures->GetSafeHwnd() && pPictures->IsWindowVisible();
                     },
                     [&]() {
                         nPictures = pPictures->GetControlCount();
                         nWrapWidth = pPictures->GetMRUWidth();
                         CPoint pt = pPictures->GetControl(2)->GetRect().CenterPoint();
                         pPictures->ClientToScreen(&pt);
                         SendClick(pt);
                         return true;
                     },
                     MenuIs(sheet, FALSE)});
    EXPECT_EQ(10, nPictures);
    EXPECT_EQ(23 * 3 + 6, nWrapWidth);
    const int nCustom = bar->GetControl(0)->GetCustomIconId();
    EXPECT_GT(nCustom, 0);
    EXPECT_NE(nullptr, frame->Bars()->GetImageManager()->GetImage(static_cast<UINT>(nCustom)));
}

TEST_F(CustomizeSheetTest, ResetIsOfferedOnlyForACustomizedControl)
{
    SetButtons({ID_PLAIN});
    bar->GetControl(0)->SetCaption("Program caption");
    bar->GetControl(0)->SetStyle(3);
    BOOL bPlain = TRUE, bCustom = FALSE;
    CXTPCustomizeSheet sheet(frame->Bars());
    auto reset = [&]() { return sheet.GetContextMenu()->GetControls()->FindControl(9315)->GetEnabled(); };
    RunSheet(sheet, {RightClick(0), MenuIs(sheet, TRUE),
                     [&]() {
                         bPlain = reset();
                         SendKey(VK_ESCAPE);
                         SendKey(VK_ESCAPE, TRUE);
                         return true;
                     },
                     MenuIs(sheet, FALSE),
                     [&]() {
                         bar->GetControl(0)->SetCustomStyle(1);
                         return true;
                     },
                     RightClick(0), MenuIs(sheet, TRUE),
                     [&]() {
                         bCustom = reset();
                         XTPHookManager()->CancelTracking();
                         return true;
                     }});
    EXPECT_FALSE(bPlain);
    EXPECT_TRUE(bCustom);
}

TEST_F(CustomizeSheetTest, NameFollowedByEnterRenamesTheControl)
{
    SetButtons({ID_PLAIN});
    bar->GetControl(0)->SetCaption("Old");
    CString strShown;
    CXTPCustomizeSheet sheet(frame->Bars());
    RunSheet(sheet, {RightClick(0), MenuIs(sheet, TRUE),
                     [&]() {
                         SendClick(MenuItemCentre(sheet, 9317));
                         return true;
                     },
                     [&]() {
                         auto* pName =
                             static_cast<CXTPControlEdit*>(sheet.GetContextMenu()->GetControls()->FindControl(9317));
                         if (!pName->IsFocused())
                             return false;
                         strShown = pName->GetEditText();
                         pName->GetEditCtrl()->SetWindowText("New name");
                         SendKey(VK_RETURN);
                         SendKey(VK_RETURN, TRUE);
                         return true;
                     },
                     MenuIs(sheet, FALSE)});
    EXPECT_STREQ("Old", strShown);
    EXPECT_STREQ("New name", bar->GetControl(0)->GetCaption());
}

} // namespace
