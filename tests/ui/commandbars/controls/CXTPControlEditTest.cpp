// The edit control: focus and Escape, selecting the text on focus, no hover selection while a
// field is edited, text kept without a window, hiding in vertical bars, the lock of a field
// whose control goes while it is focused.
#include "CXTPControlEdit.h"

#include <gtest/gtest.h>

#include <string>

#include "CControlBar.h"
#include "CXTPHookManager.h"
#include "CXTPPropExchangeXMLNode.h"
#include "CXTPToolBar.h"
#include "XmlDom.h"
#include "../CommandBarsFixture.h"

namespace {

// An edit window that counts the texts set on it.
class CountingEditCtrl : public CXTPControlEditCtrl {
public:
    int m_nSetText = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT)
            m_nSetText++;
        return CXTPControlEditCtrl::WindowProc(message, wParam, lParam);
    }
};

class CountingEdit : public CXTPControlEdit {
public:
    CXTPControlEditCtrl* CreateEditWindow() override { return new CountingEditCtrl; }
    int SetTextCount() const { return static_cast<CountingEditCtrl*>(m_pEdit)->m_nSetText; }
};

class ControlEdit : public CommandBarsFixture {
protected:
    // Two buttons, then an edit field, laid out and painted.
    CXTPControlEdit* AddButtonsAndEdit()
    {
        SetButtons({ID_PLAIN, ID_UNHANDLED});
        auto* pEdit = static_cast<CXTPControlEdit*>(bar->GetControls()->Add(xtpControlEdit, ID_NOTIFIED));
        bar->OnRecalcLayout();
        bar->UpdateWindow();
        return pEdit;
    }

    // A click into the field: real input, as the user gives it. Clicks follow each other at
    // places apart, or the second would be a double click, which gives no focus.
    static void ClickInto(CXTPControlEdit* pEdit, int nFromLeft = 6)
    {
        CRect rc;
        pEdit->GetEditCtrl()->GetWindowRect(&rc);
        SendClick(CPoint(rc.left + nFromLeft, rc.CenterPoint().y));
        PumpUntil([&] { return pEdit->IsFocused(); });
        PumpFor(30);
    }
};

TEST_F(ControlEdit, FocusSelectsAllEscapeGivesItBackAndAnswersByFocus)
{
    CXTPControlEdit* pEdit = AddButtonsAndEdit();
    pEdit->SetEditText("Release");
    ASSERT_NE(nullptr, pEdit->GetEditCtrl()->GetSafeHwnd());
    EXPECT_TRUE(pEdit->GetEditCtrl()->IsWindowVisible());
    EXPECT_EQ(0, pEdit->OnHookKeyDown(VK_ESCAPE)) << "Escape without focus is the bar's";
    EXPECT_EQ(2, pEdit->OnHookKeyDown('A'));

    frame->SetFocus();
    ClickInto(pEdit);
    ASSERT_TRUE(pEdit->IsFocused());
    int nStart = -1;
    int nEnd = -1;
    pEdit->GetEditCtrl()->GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(7, nEnd) << "the focus selects the whole text";
    EXPECT_TRUE(XTPHookManager()->IsLocked());
    EXPECT_EQ(pEdit, bar->GetKeyControl());
    EXPECT_EQ(2, pEdit->OnHookKeyDown('A')) << "keys go on to the field";

    // Typing reaches the field through the bar's keyboard hook.
    SendKey('X');
    SendKey('X', TRUE);
    PumpFor(50);
    EXPECT_STREQ("x", pEdit->GetEditText());

    SendKey(VK_ESCAPE);
    SendKey(VK_ESCAPE, TRUE);
    PumpUntil([&] { return !pEdit->IsFocused(); });
    EXPECT_EQ(frame->GetSafeHwnd(), ::GetFocus()) << "the focus goes back where it came from";
    EXPECT_FALSE(XTPHookManager()->IsLocked());
    EXPECT_EQ(nullptr, bar->GetKeyControl());
    EXPECT_FALSE(bar->GetTrackingMode());

    ClickInto(pEdit, 30);
    ASSERT_TRUE(pEdit->IsFocused());
    EXPECT_EQ(1, pEdit->OnHookKeyDown(VK_ESCAPE));
    EXPECT_EQ(frame->GetSafeHwnd(), ::GetFocus());
    EXPECT_FALSE(XTPHookManager()->IsLocked());
}

TEST_F(ControlEdit, WhileAFieldIsFocusedHoveringSelectsNothing)
{
    CXTPControlEdit* pEdit = AddButtonsAndEdit();
    frame->SetFocus();
    ClickInto(pEdit);
    ASSERT_EQ(pEdit->GetIndex(), bar->GetSelectedIndex());

    SendMouse(bar->Centre(0, TRUE), {});
    PumpFor(400);
    EXPECT_EQ(pEdit->GetIndex(), bar->GetSelectedIndex()) << "the button under the mouse stays cold";
    EXPECT_TRUE(pEdit->IsFocused());

    pEdit->OnHookKeyDown(VK_ESCAPE);
    SendMouse(bar->Centre(1, TRUE), {});
    PumpUntil([&] { return bar->GetSelectedIndex() == 1; });
    EXPECT_EQ(1, bar->GetSelectedIndex()) << "hot tracking is back once the field is left";
}

TEST_F(ControlEdit, TheSameTextAgainSendsNothingAndTheTextOutlivesTheWindow)
{
    auto* pEdit = new CountingEdit;
    bar->GetControls()->AddControl(pEdit, ID_NOTIFIED);
    bar->OnRecalcLayout();
    ASSERT_NE(nullptr, pEdit->GetEditCtrl()->GetSafeHwnd());

    struct Step {
        const char* lpszText;
        int nSetTexts;
    };
    const Step steps[] = {{"abc", 1}, {"abc", 1}, {"abd", 2}, {"", 3}, {"", 3}};
    for (const Step& step : steps) {
        pEdit->SetEditText(step.lpszText);
        EXPECT_EQ(step.nSetTexts, pEdit->SetTextCount()) << step.lpszText;
    }

    pEdit->SetEditText("kept");
    pEdit->SetReadOnly(TRUE);
    pEdit->GetEditCtrl()->ShowWindow(SW_HIDE);
    pEdit->SetParent(nullptr);  // the window goes with the bar link
    EXPECT_EQ(nullptr, pEdit->GetEditCtrl()->GetSafeHwnd());
    EXPECT_STREQ("kept", pEdit->GetEditText());

    CXTPControl* pCopy = bar->GetControls()->AddClone(pEdit);
    bar->OnRecalcLayout();
    auto* pCopyEdit = static_cast<CXTPControlEdit*>(pCopy);
    ASSERT_NE(nullptr, pCopyEdit->GetEditCtrl()->GetSafeHwnd());
    EXPECT_STREQ("kept", pCopyEdit->GetEditText()) << "a new window shows the kept text";
    EXPECT_TRUE(pCopyEdit->GetEditCtrl()->GetStyle() & ES_READONLY);
    EXPECT_TRUE(pCopy->Compare(pEdit));
    pCopyEdit->SetWidth(150);
    EXPECT_FALSE(pCopy->Compare(pEdit)) << "fields of other widths differ";
}

TEST_F(ControlEdit, AFieldLeavesBarsDockedLeftOrRightAndComesBackAtTheTop)
{
    auto* pToolBar = new CXTPToolBar;
    pToolBar->SetCommandBars(frame->Bars());
    pToolBar->EnableDocking(63);
    ASSERT_TRUE(pToolBar->SetPosition(xtpBarTop));
    pToolBar->GetControls()->Add(xtpControlButton, ID_PLAIN);
    auto* pEdit = static_cast<CXTPControlEdit*>(pToolBar->GetControls()->Add(xtpControlEdit, ID_NOTIFIED));

    struct Case {
        DWORD dwMode;
        BOOL bShown;
    };
    const Case cases[] = {{LM_HORZ | LM_HORZDOCK, TRUE}, {LM_VERTDOCK, FALSE}, {LM_HORZ | LM_HORZDOCK, TRUE}};
    for (const Case& c : cases) {
        pToolBar->CalcDockingLayout(500, c.dwMode | LM_COMMIT);
        EXPECT_EQ(c.bShown ? 0u : static_cast<DWORD>(xtpHideDockingPosition), pEdit->GetHideFlags()) << c.dwMode;
        if (c.bShown)
            EXPECT_EQ(pEdit->GetWidth(), pEdit->GetRect().Width()) << "a docked field is as wide as it is set";
        ASSERT_NE(nullptr, pEdit->GetEditCtrl());
        if (pEdit->GetEditCtrl()->GetSafeHwnd())
            EXPECT_EQ(c.bShown, (pEdit->GetEditCtrl()->GetStyle() & WS_VISIBLE) != 0) << c.dwMode;
    }
    pToolBar->InternalRelease();
}

TEST_F(ControlEdit, AControlReleasedWhileItsFieldIsFocusedLowersTheLock)
{
    SetButtons({ID_PLAIN});
    auto* pEdit = new CXTPControlEdit;
    pEdit->SetParent(bar);
    pEdit->SetRect(CRect(70, 2, 170, 24));
    ASSERT_NE(nullptr, pEdit->GetEditCtrl()->GetSafeHwnd());
    frame->SetFocus();
    pEdit->GetEditCtrl()->SetFocus();
    PumpFor(20);
    ASSERT_TRUE(XTPHookManager()->IsLocked());

    pEdit->InternalRelease();
    EXPECT_FALSE(XTPHookManager()->IsLocked()) << "hover must not stay off for good";
    EXPECT_EQ(nullptr, bar->GetKeyControl());
    EXPECT_EQ(frame->GetSafeHwnd(), ::GetFocus());
}

// The clipboard's text, or empty.
std::string ClipboardText(HWND hWnd)
{
    std::string text;
    if (!::OpenClipboard(hWnd))
        return text;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(hData));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}

TEST_F(ControlEdit, TheFieldsContextMenuCopiesCutsOrPastesTheWholeText)
{
    CXTPControlEdit* pEdit = AddButtonsAndEdit();
    struct Case {
        const char* lpszField;
        int nDowns;  // Cut, Copy, Paste
        const char* lpszFieldAfter;
        const char* lpszClipboardAfter;
        BOOL bFocusedAfter;
    };
    const Case cases[] = {
        {"copied", 2, "copied", "copied", FALSE}, {"cut", 1, "", "cut", FALSE}, {"pasted", 3, "cut", "cut", TRUE}};
    for (const Case& c : cases) {
        pEdit->SetEditText(c.lpszField);
        frame->SetFocus();
        CRect rc;
        pEdit->GetEditCtrl()->GetWindowRect(&rc);
        // The menu runs modally: its keys wait in the queue behind the click that opens it (each
        // click elsewhere, or it would be a double click).
        SendMouse(CPoint(rc.left + 4 + 8 * c.nDowns, rc.CenterPoint().y), {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
        for (int i = 0; i < c.nDowns; i++)
            SendKey(VK_DOWN), SendKey(VK_DOWN, TRUE);
        SendKey(VK_RETURN), SendKey(VK_RETURN, TRUE);
        PumpFor(300);
        EXPECT_STREQ(c.lpszFieldAfter, pEdit->GetEditText()) << c.lpszField;
        EXPECT_EQ(c.lpszClipboardAfter, ClipboardText(frame->GetSafeHwnd())) << c.lpszField;
        EXPECT_EQ(c.bFocusedAfter, pEdit->IsFocused()) << "only a paste takes the focus";
        pEdit->OnHookKeyDown(VK_ESCAPE);
    }
}

TEST_F(ControlEdit, MenuEditCommandsGoToTheFocusedFieldElseToTheFrame)
{
    CXTPControlEdit* pEdit = AddButtonsAndEdit();
    pEdit->SetEditText("clip");
    pEdit->GetEditCtrl()->SetSel(0, -1);
    pEdit->GetEditCtrl()->SendMessage(WM_COPY);
    pEdit->SetEditText("typed");
    auto command = [](UINT nID) { frame->SendMessage(WM_COMMAND, nID, 0); };

    frame->SetFocus();
    ClickInto(pEdit);
    ASSERT_TRUE(pEdit->IsFocused());
    struct Case {
        UINT nID;
        const char* lpszField;
        const char* lpszClipboard;
    } cases[] = {
        {ID_EDIT_PASTE, "clip", "clip"},  // over the text the focus selected
        {ID_EDIT_UNDO, "typed", "clip"},
        {ID_EDIT_SELECT_ALL, "typed", "clip"},
        {ID_EDIT_CUT, "", "typed"},
        {ID_EDIT_PASTE, "typed", "typed"},
    };
    for (const Case& c : cases) {
        command(c.nID);
        EXPECT_STREQ(c.lpszField, pEdit->GetEditText()) << c.nID;
        EXPECT_EQ(c.lpszClipboard, ClipboardText(frame->GetSafeHwnd())) << c.nID;
    }
    EXPECT_TRUE(frame->m_arrCommands.empty()) << "the view behind saw none of them";

    pEdit->OnHookKeyDown(VK_ESCAPE);
    frame->SetFocus();
    command(ID_EDIT_PASTE);
    EXPECT_STREQ("typed", pEdit->GetEditText());
    EXPECT_EQ(std::vector<UINT>{ID_EDIT_PASTE}, frame->m_arrCommands) << "without the focus the field is not asked";
}

TEST(ControlEditLayout, TheFieldsKeysComeBackFromTheSchemasThatHaveThem)
{
    CXTPControlEdit saved;
    saved.ShowLabel(FALSE);
    saved.SetWidth(150);
    saved.SetReadOnly(TRUE);
    CXmlPtr<IXMLDOMDocument> document = XmlDom::CreateDocument();
    {
        CXTPPropExchangeXMLNode px(FALSE, document.Get(), "Control");
        saved.DoPropExchange(&px);
    }
    struct Case {
        UINT nSchema;
        int nWidth;
        BOOL bReadOnly;
    };
    const Case cases[] = {{5, 100, FALSE}, {7, 150, FALSE}, {8, 150, TRUE}};
    for (const Case& c : cases) {
        CXTPControlEdit loaded;
        CXTPPropExchangeXMLNode px(TRUE, document.Get(), "Control");
        px.m_nSchema = c.nSchema;
        loaded.DoPropExchange(&px);
        EXPECT_EQ(c.nWidth, loaded.GetWidth()) << c.nSchema;
        EXPECT_EQ(c.nSchema > 5 ? FALSE : TRUE, loaded.GetShowLabel()) << c.nSchema;
        EXPECT_EQ(c.bReadOnly, loaded.GetReadOnly()) << c.nSchema;
    }
}

}  // namespace
