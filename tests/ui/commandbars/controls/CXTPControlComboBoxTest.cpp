// The combo box: the list's size and place, choosing by click and by keys, Escape and F4, the
// selection's bounds, the field's text across its window's life, the saved items, and menus
// tracked as command-bar popups, the plain controls' menus too.
#include "CXTPControlComboBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMenu.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPHookManager.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"
#include "TrackCommandBarPopupMenu.h"
#include "TrackControlMenu.h"
#include "../CommandBarsFixture.h"

namespace {

// A combo box that counts the selection changes it hears of.
class CountingComboBox : public CXTPControlComboBox {
public:
    int m_nSelChanged = 0;
    void OnSelChanged() override
    {
        m_nSelChanged++;
        CXTPControlComboBox::OnSelChanged();
    }
};

class ControlComboBox : public CommandBarsFixture {
protected:
    void TearDown() override
    {
        bar->SetTrackingMode(FALSE);
        CommandBarsFixture::TearDown();
        EXPECT_FALSE(XTPHookManager()->IsLocked()) << "every lock is lowered again";
    }

    // A button, then a combo box of the items, laid out and painted.
    CountingComboBox* AddComboBox(int nItems, BOOL bDropDown = FALSE)
    {
        SetButtons({ID_PLAIN});
        auto* pCombo = new CountingComboBox;
        pCombo->SetDropDown(bDropDown);
        bar->GetControls()->AddControl(pCombo, ID_NOTIFIED);
        for (int i = 0; i < nItems; i++)
            pCombo->AddString(("Item " + std::to_string(i)).c_str());
        bar->OnRecalcLayout();
        bar->UpdateWindow();
        return pCombo;
    }

    static CRect ListRect(CXTPControlComboBox* pCombo)
    {
        CRect rc;
        pCombo->GetListBox()->GetWindowRect(&rc);
        return rc;
    }

    // The centre of a list item on the screen.
    static CPoint ItemCentre(CXTPControlComboBox* pCombo, int nItem)
    {
        CRect rc;
        pCombo->GetListBox()->SendMessage(LB_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(&rc));
        pCombo->GetListBox()->ClientToScreen(&rc);
        return rc.CenterPoint();
    }

    static void Key(WORD vk)
    {
        SendKey(vk);
        SendKey(vk, TRUE);
        PumpFor(60);
    }
};

TEST_F(ControlComboBox, TheListOpensBelowTheControlAtMostTwelveRowsHigh)
{
    struct Case {
        int nItems;
        int nRows;
        XTPBarPosition position;
    };
    const Case cases[] = {{30, 12, xtpBarTop}, {0, 1, xtpBarTop}, {5, 5, xtpBarTop}, {3, 3, xtpBarLeft}};
    for (const Case& c : cases) {
        bar->SetBarPosition(c.position);
        CountingComboBox* pCombo = AddComboBox(c.nItems);
        pCombo->OnClick(FALSE, pCombo->GetRect().CenterPoint());
        ASSERT_TRUE(pCombo->IsListOpen()) << c.nItems;
        CXTPControlComboBoxList* pList = pCombo->GetListBox();
        const int nItemHeight = static_cast<int>(pList->SendMessage(LB_GETITEMHEIGHT, 0));
        CRect rcControl = pCombo->GetRect();
        bar->ClientToScreen(&rcControl);
        EXPECT_EQ(CRect(rcControl.left, rcControl.bottom, rcControl.right, rcControl.bottom + c.nRows * nItemHeight + 4),
                  ListRect(pCombo))
            << c.nItems;
        EXPECT_EQ(static_cast<DWORD>(xtpPopupDown), pList->GetPopupFlags()) << "lists drop down on every bar";
        EXPECT_TRUE(XTPHookManager()->IsLocked()) << "an open list keeps hover still";
        bar->SetTrackingMode(FALSE);
        EXPECT_FALSE(pCombo->IsListOpen());
        EXPECT_FALSE(pList->IsWindowVisible());
        EXPECT_FALSE(XTPHookManager()->IsLocked());
    }
}

TEST_F(ControlComboBox, AClickOnAnItemExecutesOnceAndKeepsTheChoice)
{
    CountingComboBox* pCombo = AddComboBox(5);
    SendClick(bar->Centre(1, TRUE));
    ASSERT_TRUE(PumpUntil([&] { return pCombo->IsListOpen(); }));
    PumpFor(50);
    SendClick(ItemCentre(pCombo, 2));
    ASSERT_TRUE(PumpUntil([&] { return !pCombo->IsListOpen(); }));
    PumpFor(50);

    ASSERT_EQ(1u, frame->m_arrNotified.size()) << "one execution for one click";
    EXPECT_EQ(static_cast<UINT>(ID_NOTIFIED), frame->m_arrNotified[0]);
    EXPECT_EQ(nullptr, frame->m_lastRecord.hdr.hwndFrom);
    EXPECT_EQ(static_cast<UINT_PTR>(ID_NOTIFIED), frame->m_lastRecord.hdr.idFrom);
    EXPECT_EQ(static_cast<UINT>(CBN_XTP_EXECUTE), frame->m_lastRecord.hdr.code);
    EXPECT_EQ(pCombo, frame->m_lastRecord.pControl);
    EXPECT_EQ(2, pCombo->GetCurSel());
    EXPECT_STREQ("Item 2", pCombo->GetEditText());
}

TEST_F(ControlComboBox, EscapeInAListWithoutAFieldRestoresTheSelectionEnterKeepsTheNewOne)
{
    CountingComboBox* pCombo = AddComboBox(5);
    pCombo->SetCurSel(1);
    struct Case {
        WORD vkClose;
        int nSelAfter;
    };
    const Case cases[] = {{VK_ESCAPE, 1}, {VK_RETURN, 2}};
    for (const Case& c : cases) {
        SendClick(bar->Centre(1, TRUE));
        ASSERT_TRUE(PumpUntil([&] { return pCombo->IsListOpen(); }));
        Key(VK_DOWN);
        EXPECT_EQ(2, pCombo->GetCurSel()) << "keys move the list's selection";
        EXPECT_STREQ("Item 2", pCombo->GetEditText());
        Key(c.vkClose);
        EXPECT_FALSE(pCombo->IsListOpen());
        EXPECT_EQ(c.nSelAfter, pCombo->GetCurSel()) << c.vkClose;
        bar->SetTrackingMode(FALSE);
        pCombo->SetCurSel(1);
        PumpFor(600);  // the next click is no double click
    }
    EXPECT_EQ(1u, frame->m_arrNotified.size()) << "only Enter executes";
}

TEST_F(ControlComboBox, F4InAFocusedFieldOpensTheListEscapeGivesTheFocusBack)
{
    CountingComboBox* pCombo = AddComboBox(4, TRUE);
    ASSERT_NE(nullptr, pCombo->GetEditCtrl()->GetSafeHwnd());
    EXPECT_EQ(0, pCombo->OnHookKeyDown(VK_ESCAPE));
    frame->SetFocus();
    CRect rc;
    pCombo->GetEditCtrl()->GetWindowRect(&rc);
    SendClick(CPoint(rc.left + 4, rc.CenterPoint().y));
    ASSERT_TRUE(PumpUntil([&] { return pCombo->IsFocused(); }));
    PumpFor(30);
    EXPECT_TRUE(XTPHookManager()->IsLocked());

    Key(VK_F4);
    EXPECT_TRUE(pCombo->IsListOpen());
    Key(VK_ESCAPE);
    EXPECT_FALSE(pCombo->IsListOpen());
    EXPECT_TRUE(pCombo->IsFocused()) << "closing the list leaves the field focused";

    Key(VK_ESCAPE);
    EXPECT_FALSE(pCombo->IsFocused());
    EXPECT_EQ(frame->GetSafeHwnd(), ::GetFocus());
}

TEST_F(ControlComboBox, SetCurSelTakesOnlyIndexesOfTheListAndNotifiesOnlyChanges)
{
    CountingComboBox* pCombo = AddComboBox(3);
    struct Step {
        int nIndex;
        int nSel;
        int nNotified;
    };
    const Step steps[] = {{1, 1, 1}, {1, 1, 1}, {3, 1, 1}, {-2, 1, 1}, {2, 2, 2}, {-1, -1, 3}};
    for (const Step& step : steps) {
        pCombo->SetCurSel(step.nIndex);
        EXPECT_EQ(step.nSel, pCombo->GetCurSel()) << step.nIndex;
        EXPECT_EQ(step.nNotified, pCombo->m_nSelChanged) << step.nIndex;
    }
}

TEST_F(ControlComboBox, TheFieldKeepsItsTextWhileItsWindowIsGone)
{
    CountingComboBox* pCombo = AddComboBox(3, TRUE);
    pCombo->SetCurSel(1);
    CString strWindow;
    pCombo->GetEditCtrl()->GetWindowText(strWindow);
    EXPECT_STREQ("Item 1", strWindow);

    pCombo->SetParent(nullptr);
    EXPECT_EQ(nullptr, pCombo->GetEditCtrl()->GetSafeHwnd());
    EXPECT_STREQ("Item 1", pCombo->GetEditText());
    pCombo->SetParent(bar);
    bar->OnRecalcLayout();
    ASSERT_NE(nullptr, pCombo->GetEditCtrl()->GetSafeHwnd());
    pCombo->GetEditCtrl()->GetWindowText(strWindow);
    EXPECT_STREQ("Item 1", strWindow);

    CXTPControl* pCopy = pCombo->Clone(TRUE);
    auto* pCopyCombo = static_cast<CXTPControlComboBox*>(pCopy);
    EXPECT_TRUE(pCopyCombo->GetDropDown());
    EXPECT_STREQ("Item 1", pCopyCombo->GetEditText());
    EXPECT_EQ(3, pCopyCombo->GetCount()) << "a deep copy has its own list of the same items";
    EXPECT_NE(pCombo->GetListBox(), pCopyCombo->GetListBox());
    EXPECT_TRUE(pCopy->Compare(pCombo));
    pCopy->InternalRelease();

    // A field that goes for good leaves what was typed in it.
    pCombo->GetEditCtrl()->SetWindowText("typed");
    pCombo->SetDropDown(FALSE);
    EXPECT_STREQ("typed", pCombo->GetEditText());
}

// Items saved and loaded through the exchange.
Bytes StoreItems(CXTPControlComboBoxList* pList)
{
    return StoreArchive([&](CXTPPropExchange& px) { pList->ExchangeItems(&px); });
}

TEST(ControlComboBoxItems, ItemsComeBackAndAListWithoutWindowSavesNone)
{
    CXTPControlComboBox source;
    for (const char* lpszItem : {"Win32", "", "Varnok 2"})
        source.AddString(lpszItem);
    const Bytes bytes = StoreItems(source.GetListBox());

    CXTPControlComboBox loaded;
    LoadArchive(bytes, [&](CXTPPropExchange& px) { loaded.GetListBox()->ExchangeItems(&px); });
    ASSERT_EQ(3, loaded.GetCount());
    EXPECT_STREQ("Win32", loaded.GetListBox()->GetText(0));
    EXPECT_STREQ("", loaded.GetListBox()->GetText(1));
    EXPECT_STREQ("Varnok 2", loaded.GetListBox()->GetText(2));

    auto* pNoWindow = static_cast<CXTPControlComboBoxList*>(RUNTIME_CLASS(CXTPControlComboBoxList)->CreateObject());
    const Bytes none = StoreItems(pNoWindow);
    pNoWindow->InternalRelease();
    DWORD nCount = 0xFFFFFFFF;
    LoadArchive(none, [&](CXTPPropExchange& px) {
        CXTPPropExchangeSection section(px.GetSection("Items"));
        nCount = section->ReadCount();
    });
    EXPECT_EQ(0u, nCount);
}

TEST(ControlComboBoxItems, ALoadedCountStopsWhereTheItemsEnd)
{
    CXmlPtr<IXMLDOMDocument> document =
        ParseXml(L"<List CompactMode='1'><Items Count='4000000000' Item0='a' Item1='b'/></List>");
    CXTPPropExchangeXMLNode px(TRUE, document.Get(), "List");
    CXTPControlComboBox combo;
    combo.GetListBox()->ExchangeItems(&px);
    EXPECT_EQ(2, combo.GetCount());

    // In an archive a count beyond the bytes there is a damage the archive reports at once.
    Bytes bytes = StoreArchive([&](CXTPPropExchange& store) {
        CXTPPropExchangeSection section(store.GetSection("Items"));
        section->WriteCount(4000000000u);
        CString strItem = "a";
        PX_String(section, "Item0", strItem);
    });
    CXTPControlComboBox fromArchive;
    BOOL bFailed = FALSE;
    try {
        LoadArchive(bytes, [&](CXTPPropExchange& load) { fromArchive.GetListBox()->ExchangeItems(&load); });
    } catch (CException* e) {
        bFailed = e->IsKindOf(RUNTIME_CLASS(CArchiveException));
        e->Delete();
    }
    EXPECT_TRUE(bFailed);
    EXPECT_EQ(0, fromArchive.GetCount());
}

TEST_F(ControlComboBox, AMenuTrackedAsPopupReturnsTheChosenCommand)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_PLAIN, "First");
    menu.AppendMenu(MF_STRING, ID_UNHANDLED, "Second");
    // Chosen by keys queued before the popup runs.
    for (WORD vk : {static_cast<WORD>(VK_DOWN), static_cast<WORD>(VK_DOWN), static_cast<WORD>(VK_RETURN)}) {
        SendKey(vk);
        SendKey(vk, TRUE);
    }
    CRect rcFrame;
    frame->GetWindowRect(&rcFrame);
    const CPoint pt = rcFrame.CenterPoint();
    EXPECT_EQ(ID_UNHANDLED, TrackCommandBarPopupMenu(&menu, TPM_RETURNCMD, pt.x, pt.y, frame, 9300));
    EXPECT_TRUE(frame->m_arrCommands.empty()) << "a returned command is not sent";

    CMenu none;
    EXPECT_EQ(0, TrackCommandBarPopupMenu(&none, TPM_RETURNCMD, pt.x, pt.y, frame, 0));
}

// The checks of the popup the hook manager tracks, read by a timer, which then closes it.
std::vector<int> g_trackedChecks;
void CALLBACK ReadTrackedChecks(HWND, UINT, UINT_PTR nIdEvent, DWORD)
{
    ::KillTimer(nullptr, nIdEvent);
    if (CXTPCommandBar* pPopup = XTPHookManager()->GetTrackedCount() > 0 ? XTPHookManager()->GetTrackedAt(0) : nullptr)
        for (int i = 0; i < pPopup->GetControlCount(); i++)
            g_trackedChecks.push_back(pPopup->GetControl(i)->GetChecked());
    XTPHookManager()->CancelTracking();
}

TEST_F(ControlComboBox, ThePlainControlsMenusAreCommandBarPopupsCarryingTheChecks)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_PLAIN, "First");
    menu.AppendMenu(MF_STRING | MF_CHECKED, ID_UNHANDLED, "Second");
    CRect rcFrame;
    frame->GetWindowRect(&rcFrame);
    g_trackedChecks.clear();
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 50, ReadTrackedChecks);
    EXPECT_EQ(0, TrackControlMenu(&menu, TPM_RETURNCMD, rcFrame.left + 20, rcFrame.top + 20, frame, 0));
    ::KillTimer(nullptr, nTimer);
    EXPECT_EQ((std::vector<int>{FALSE, TRUE}), g_trackedChecks);
}

}  // namespace
