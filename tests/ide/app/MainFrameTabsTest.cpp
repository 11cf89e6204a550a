// The main frame's MDI tabs: a tab per script window without its frame, in the colour the window
// names; a middle click closes.
#include <gtest/gtest.h>

#include "AfxIds.h"
#include "AppFixture.h"
#include "CChildFrame.h"
#include "CSolutionConfig.h"
#include "CXTPTabClientWnd.h"
#include "CXTPTabManagerItem.h"
#include "CXTPTabPaintManager.h"

namespace {

TEST_F(AppTest, EachScriptWindowHasATabInItsColourAndAMiddleClickOnOneClosesIt)
{
    Start();
    app->OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr);  // a second script beside the first start's
    Pump();
    CMainFrame* frame = app->Frame();
    auto* tabs = dynamic_cast<CXTPTabClientWnd*>(CWnd::FromHandlePermanent(frame->m_hWndMDIClient));
    ASSERT_NE(nullptr, tabs);
    EXPECT_FALSE(tabs->IsAutomaticAppearance());
    EXPECT_EQ(xtpTabAppearanceSlanted, tabs->GetPaintManager()->GetAppearance());
    tabs->UpdateContents();
    ASSERT_EQ(1, tabs->GetGroupCount());
    CXTPTabClientWnd::CWorkspace* group = tabs->GetGroup(0);
    ASSERT_EQ(2, group->GetItemCount());
    const HWND first = reinterpret_cast<HWND>(group->GetItem(0)->GetData());
    EXPECT_EQ(0, ::GetWindowLongA(first, GWL_STYLE) & 0xC70000);

    // The frames name their colours; the tabs paint them (settling after one paint).
    for (int i = 0; i < 2; ++i) {
        auto* child = dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(group->GetItem(i)->GetData())));
        ASSERT_NE(nullptr, child);
        child->SetTabColor(kTabColorFirst + 4 + i);
    }
    ::RedrawWindow(tabs->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ::UpdateWindow(tabs->m_hWnd);
    EXPECT_EQ(kTabColorFirst + 4, group->GetItem(0)->GetStoredColor());
    EXPECT_EQ(kTabColorFirst + 5, group->GetItem(1)->GetStoredColor());
    EXPECT_FALSE(::GetUpdateRect(tabs->m_hWnd, nullptr, FALSE));

    g_solutionConfig.ViewStateModified = 0;
    const CPoint at = group->GetItem(0)->GetRect().CenterPoint();
    EXPECT_EQ(1, frame->SendMessage(kMsgTabClientMouse, WM_MBUTTONDOWN, MAKELPARAM(at.x, at.y)));
    Pump();
    EXPECT_FALSE(::IsWindow(first)) << "the document under the tab is closed";
    EXPECT_EQ(1, g_solutionConfig.ViewStateModified);
    tabs->UpdateContents();
    EXPECT_EQ(1, tabs->GetGroup(0)->GetItemCount());
    EXPECT_EQ(0, frame->SendMessage(kMsgTabClientMouse, WM_MBUTTONDOWN, MAKELPARAM(-50, -50))) << "no tab, not taken";
}

}  // namespace
