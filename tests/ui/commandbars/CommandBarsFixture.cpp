// The test frame, its bar of buttons and the suite fixture around them.
#include "CommandBarsFixture.h"

#include <string>

#include "CXTPHookManager.h"
#include "CXTPKeyboardHook.h"

IMPLEMENT_DYNCREATE(TestCommandBars, CXTPCommandBars)

BEGIN_MESSAGE_MAP(TestFrame, CXTPFrameWnd)
    ON_COMMAND(ID_PLAIN, OnPlain)
    ON_COMMAND(ID_NOTIFIED, OnNotifiedCommand)
    ON_COMMAND(ID_REMOVING, OnRemoving)
    ON_COMMAND(ID_MANUAL, OnUnhandledCommand)
    ON_COMMAND_RANGE(ID_EDIT_CLEAR, ID_EDIT_REDO, OnEditCommand)
    ON_NOTIFY(CBN_XTP_EXECUTE, ID_NOTIFIED, OnNotified)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_MANUAL, OnUpdateManual)
    ON_UPDATE_COMMAND_UI(ID_PLAIN, OnUpdateEnabled)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_CMDBARS_CREATECONTROL, OnCreateControl)
END_MESSAGE_MAP()

void TestFrame::OnRemoving()
{
    m_arrCommands.push_back(ID_REMOVING);
    if (m_pRemoveOnCommand) {
        CXTPControl* pControl = m_pRemoveOnCommand;
        m_pRemoveOnCommand = nullptr;
        pControl->GetControls()->Remove(pControl);
        m_bControlAliveInHandler = pControl->GetID() == ID_REMOVING;
    }
}

TestFrame* CommandBarsFixture::frame = nullptr;
TestBar* CommandBarsFixture::bar = nullptr;

void CommandBarsFixture::SetUpTestSuite()
{
    frame = new TestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Command bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 340)));
    frame->InitCommandBars(RUNTIME_CLASS(TestCommandBars));
    bar = new TestBar;
    ASSERT_TRUE(bar->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 560, 30), frame, 100));
    bar->SetBarPosition(xtpBarTop);
    frame->Bars()->Append(bar);
    frame->SetForegroundWindow();
    PumpFor(50);
}

void CommandBarsFixture::TearDownTestSuite()
{
    frame->DestroyWindow();
    frame = nullptr;
    bar = nullptr;
    PumpFor(20);
}

void CommandBarsFixture::SetUp()
{
    ASSERT_NE(nullptr, frame);
    bar->SetTrackingMode(FALSE);
    bar->SetSelected(-1);
    bar->GetControls()->RemoveAll();
    bar->SetBarPosition(xtpBarTop);
    bar->ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    frame->m_arrCommands.clear();
    frame->m_arrNotified.clear();
    frame->m_arrStatus.clear();
    frame->m_pRemoveOnCommand = nullptr;
    frame->SetForegroundWindow();
    PumpFor(10);
}

void CommandBarsFixture::TearDown()
{
    bar->SetTrackingMode(FALSE);
    XTPHookManager()->TrackMouseLeave(nullptr);
}

void CommandBarsFixture::SetButtons(std::initializer_list<int> ids)
{
    bar->GetControls()->RemoveAll();
    for (int id : ids)
        bar->GetControls()->Add(xtpControlButton, id);
    bar->OnRecalcLayout();
    bar->Invalidate(FALSE);
    bar->UpdateWindow();
}
