// A frame with command bars and one bar of buttons, recording what the bars send it, and helpers
// that pump messages and send real input.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AfxIds.h"
#include "CFrameWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPFrameWndBase.h"

// Command ids of the test frame.
enum {
    ID_PLAIN = 40001,     // handled by a command handler
    ID_NOTIFIED = 40002,  // the execute notification is answered
    ID_DISABLED = 40003,  // its update handler disables it
    ID_CHECKED = 40004,   // its update handler checks it
    ID_MANUAL = 40005,    // its update handler would disable it, but the control updates manually
    ID_UNHANDLED = 40006, // nobody handles it
    ID_REMOVING = 40007,  // its command removes its control
    ID_DROPDOWN = 40008   // the frame makes its toolbar button a drop-down (type 2)
};

// Pumps the thread's messages for the time given.
inline void PumpFor(DWORD dwMilliseconds)
{
    DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - dwEnd) < 0);
}

// Pumps until the condition holds or the time is up; the condition's last value.
template <class F>
bool PumpUntil(F&& condition, DWORD dwMilliseconds = 2000)
{
    DWORD dwEnd = ::GetTickCount() + dwMilliseconds;
    while (!condition()) {
        if (static_cast<LONG>(::GetTickCount() - dwEnd) >= 0)
            return condition();
        PumpFor(10);
    }
    return true;
}

// Real input: reaches the thread's mouse and keyboard hooks (posted messages do not under Wine).
inline void SendKey(WORD vk, BOOL bUp = FALSE)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

// Mouse input at a screen point: a move there, then the button events given.
inline void SendMouse(POINT ptScreen, std::initializer_list<DWORD> buttons)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(buttons.size() + 1);
    DWORD dwFlags = MOUSEEVENTF_MOVE;
    auto button = buttons.begin();
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (ptScreen.x * 65536 + cx / 2) / cx;
        input.mi.dy = (ptScreen.y * 65536 + cy / 2) / cy;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | dwFlags;
        if (button != buttons.end())
            dwFlags = *button++;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

inline void SendClick(POINT ptScreen)
{
    SendMouse(ptScreen, {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
}

// The command bars with the bar makers' way in.
class TestCommandBars : public CXTPCommandBars {
    DECLARE_DYNCREATE(TestCommandBars)

public:
    void Append(CXTPCommandBar* pBar) { AppendBar(pBar); }
    // A document template value of the tests' choosing, when set.
    UINT m_nTemplate = 0;
    UINT GetActiveDocTemplate() override { return m_nTemplate ? m_nTemplate : CXTPCommandBars::GetActiveDocTemplate(); }
};

// A bar whose buttons sit in one row (or column), counting its paints.
class TestBar : public CXTPCommandBar {
public:
    int m_nPaints = 0;
    int m_nLayouts = 0;

    BOOL IsVisible() const override { return m_hWnd && IsWindowVisible(); }
    void SetBarPosition(XTPBarPosition position) { m_barPosition = position; }
    void SetBarType(int type) { m_barType = type; }

    void OnRecalcLayout() override
    {
        m_nLayouts++;
        if (!m_hWnd)
            return;
        const BOOL bVertical = IsVerticalPosition();
        std::vector<XTPControlLayout> records(static_cast<size_t>(GetControlCount()));
        for (int i = 0; i < GetControlCount(); i++) {
            CXTPControl* pControl = GetControl(i);
            records[static_cast<size_t>(i)].nWidth = 60;
            records[static_cast<size_t>(i)].nHeight = 22;
            records[static_cast<size_t>(i)].bVisible = pControl->IsVisible();
            records[static_cast<size_t>(i)].bBeginGroup = pControl->GetBeginGroup();
        }
        CXTPControls::CalcControlsSize(records, bVertical);
        for (int i = 0; i < GetControlCount(); i++) {
            CRect rc = records[static_cast<size_t>(i)].rcControl;
            rc.OffsetRect(bVertical ? 62 : 2, 2);
            GetControl(i)->SetRect(rc);
        }
    }

    void DrawCommandBar(CDC* pDC) override
    {
        m_nPaints++;
        CXTPCommandBar::DrawCommandBar(pDC);
    }

    // The centre of a control, in client or screen coordinates.
    CPoint Centre(int nIndex, BOOL bScreen = FALSE) const
    {
        CPoint pt = GetControl(nIndex)->GetRect().CenterPoint();
        if (bScreen)
            ClientToScreen(&pt);
        return pt;
    }
};

// The frame: records status texts and the bars' notifications, answers some commands.
class TestFrame : public CXTPFrameWnd {
public:
    std::vector<UINT> m_arrCommands;   // WM_COMMAND ids, in order
    std::vector<UINT> m_arrNotified;   // execute notifications, in order
    std::vector<CString> m_arrStatus;  // status texts; "idle" for the idle text
    NMXTPCONTROL m_lastRecord = {};
    CXTPControl* m_pRemoveOnCommand = nullptr;
    BOOL m_bControlAliveInHandler = FALSE;
    int m_nLayouts = 0;

    TestCommandBars* Bars() { return static_cast<TestCommandBars*>(m_pCommandBars); }

    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        m_nLayouts++;
        CXTPFrameWnd::RecalcLayout(bNotify);
    }

    void OnPlain() { m_arrCommands.push_back(ID_PLAIN); }
    void OnNotifiedCommand() { m_arrCommands.push_back(ID_NOTIFIED); }
    void OnUnhandledCommand() {}
    // The edit commands stand for a document view behind the bars.
    void OnEditCommand(UINT nID) { m_arrCommands.push_back(nID); }
    void OnRemoving();
    void OnNotified(NMHDR* pHeader, LRESULT* pResult)
    {
        m_arrNotified.push_back(static_cast<UINT>(pHeader->idFrom));
        m_lastRecord = *reinterpret_cast<NMXTPCONTROL*>(pHeader);
        *pResult = 1;
    }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateManual(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam)
    {
        m_arrStatus.push_back(lParam ? CString(reinterpret_cast<const char*>(lParam))
                                     : CString(("#" + std::to_string(wParam)).c_str()));
        return 0;
    }
    LRESULT OnCreateControl(WPARAM, LPARAM lParam)
    {
        auto* pRequest = reinterpret_cast<XTP_CREATECONTROL*>(lParam);
        if (pRequest->nID != ID_DROPDOWN || !pRequest->bToolBar)
            return 0;
        pRequest->controlType = xtpControlPopup;
        return 1;
    }
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM /*lParam*/)
    {
        m_arrStatus.push_back(wParam == AFX_IDS_IDLEMESSAGE ? CString("idle") : CString("?"));
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

// One frame with its command bars and a bar of buttons for a whole suite (top-level windows are
// slow to show under Wine); each test starts with fresh buttons.
class CommandBarsFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Buttons with the ids, in one row, laid out and painted.
    void SetButtons(std::initializer_list<int> ids);

    static TestFrame* frame;
    static TestBar* bar;
};
