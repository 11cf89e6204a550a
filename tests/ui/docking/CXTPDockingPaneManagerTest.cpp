// The docking pane manager in a frame that answers DPN_NEEDWINDOW with STATIC windows and
// records every notification: installing, themes, docking, attaching, closing, showing,
// layouts and the frame's layout pass.
#include "CXTPDockingPaneManager.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPanePaintManager.h"
#include "CXTPDockingPaneSplitterContainer.h"
#include "CXTPDockingPaneSplitterWnd.h"
#include "CXTPDockingPaneTabbedContainer.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"

namespace {

struct Notice {
    WPARAM code;
    LPARAM param;
    int action;
};

// The site frame: records notifications, answers window requests, can veto.
class TestFrame : public CFrameWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_DOCKPANE_NOTIFY)
            return CFrameWnd::WindowProc(message, wParam, lParam);
        int action = wParam == DPN_ACTION ? reinterpret_cast<DockingPaneAction*>(lParam)->nAction : -1;
        notices.push_back({wParam, lParam, action});
        if (wParam == DPN_NEEDWINDOW) {
            auto* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
            if (!pPane->IsAttached())
                pPane->Attach(CWnd::FromHandle(::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10,
                                                                 GetSafeHwnd(), nullptr, nullptr, nullptr)));
        }
        if (wParam == DPN_CLOSEPANE)
            return closeAnswer;
        return 0;
    }
    int Count(WPARAM code, int action = -1) const
    {
        int n = 0;
        for (const Notice& notice : notices)
            n += notice.code == code && notice.action == action;
        return n;
    }
    // Made on the stack: its window going must not delete it.
    void PostNcDestroy() override {}
    std::vector<Notice> notices;
    LRESULT closeAnswer = 0;
};

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

struct Site {
    Site()
    {
        frame.Create(nullptr, "Docking manager test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 800, 600));
        manager.InstallInFrame(&frame);
    }
    // The main frame's start-up arrangement.
    void StartUp()
    {
        output = manager.CreatePane(202, CRect(0, 0, 150, 120), DPD_BOTTOM);
        classView = manager.CreatePane(201, CRect(0, 0, 230, 140), DPD_LEFT);
        explorer = manager.CreatePane(200, CRect(0, 0, 230, 140), DPD_LEFT);
        manager.AttachPane(explorer, classView);
        // The application's titles; this test program has no string resources for them.
        output->SetTitle("Message window\nOutput");
        classView->SetTitle("Class View\nClass View");
        explorer->SetTitle("Solution Explorer\nSolution Explorer");
    }
    TestFrame frame;
    CXTPDockingPaneManager manager;
    CXTPDockingPane* output = nullptr;
    CXTPDockingPane* classView = nullptr;
    CXTPDockingPane* explorer = nullptr;
};

TEST(DockingPaneManager, SecondInstallChangesNothing)
{
    Site site;
    CXTPDockingPaneLayout* pLayout = site.manager.m_pLayout;
    HWND hWnd = site.manager.GetSafeHwnd();
    ASSERT_NE(pLayout, nullptr);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_FALSE(pLayout->m_bUserLayout);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    EXPECT_STREQ(className, "Static");

    TestFrame other;
    other.Create(nullptr, "Other", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100));
    site.manager.InstallInFrame(&other);
    EXPECT_EQ(site.manager.m_pLayout, pLayout);
    EXPECT_EQ(site.manager.GetSafeHwnd(), hWnd);
    EXPECT_EQ(site.manager.GetSite(), &site.frame);
}

TEST(DockingPaneManager, UnlistedThemesDrawAsTheDefault)
{
    Site site;
    for (int nTheme : {0, 4, 42}) {
        site.manager.SetTheme(nTheme);
        EXPECT_TRUE(typeid(*site.manager.GetPaintManager()) == typeid(CXTPDockingPaneDefaultTheme)) << nTheme;
        EXPECT_EQ(site.manager.GetPaintManager()->GetTheme(), nTheme);
    }
    site.manager.SetTheme(7);
    EXPECT_FALSE(typeid(*site.manager.GetPaintManager()) == typeid(CXTPDockingPaneDefaultTheme));
}

TEST(DockingPaneManager, StartUpArrangementSavesAsTheGoldenXml)
{
    Site site;
    site.StartUp();
    CXTPDockingPaneLayout saved(&site.manager);
    site.manager.GetLayout(&saved);

    const std::string path = TempFilePath("DockingPaneManagerTest.xml");
    {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        px.SetEncoding("windows-1251");
        CXTPPropExchangeSection section(px.GetSection("DockingPane"));
        EXPECT_TRUE(saved.DoPropExchange(section));
        EXPECT_EQ(px.SaveToFile(path.c_str(), TRUE), S_OK);
    }
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(DataFileBeside(__FILE__, "StartUpLayout.xml")));
    ::DeleteFileA(path.c_str());
}

TEST(DockingPaneManager, DockPaneByDirectionAndOrientation)
{
    struct Case {
        XTPDockingPaneDirection dir;
        BOOL bNewTop;    // crossing the top container's orientation makes a new one
        int nPosition;   // of the new group among the top container's children
    } cases[] = {
        {DPD_LEFT, FALSE, 0},
        {DPD_RIGHT, FALSE, 1},
        {DPD_TOP, TRUE, 0},
        {DPD_BOTTOM, TRUE, 1},
    };
    for (const Case& c : cases) {
        Site site;
        CXTPDockingPaneSplitterContainer* pOldTop = site.manager.GetTopContainer();
        CXTPDockingPane* pPane = site.manager.CreatePane(1, CRect(0, 0, 100, 100), c.dir);
        CXTPDockingPaneSplitterContainer* pTop = site.manager.GetTopContainer();
        EXPECT_EQ(pTop != pOldTop, c.bNewTop) << c.dir;
        EXPECT_EQ(pTop->IsHoriz(), c.dir == DPD_LEFT || c.dir == DPD_RIGHT) << c.dir;
        ASSERT_EQ(pTop->GetChildren().size(), 2u) << c.dir;
        EXPECT_EQ(pTop->GetChildren()[c.nPosition], pPane->m_pParentContainer) << c.dir;
        if (c.bNewTop)
            EXPECT_EQ(pTop->GetChildren()[1 - c.nPosition], pOldTop) << c.dir;
    }
}

TEST(DockingPaneManager, DockingBesideAPaneSplitsItsPlace)
{
    Site site;
    site.StartUp();
    // Below the class view's group, whose parent is side by side: a new vertical splitter
    // takes the group's place and holds it and the new group.
    CXTPDockingPaneBase* pGroup = site.classView->m_pParentContainer;
    CXTPDockingPaneBase* pParent = pGroup->m_pParentContainer;
    CXTPDockingPane* pPane = site.manager.CreatePane(5, CRect(0, 0, 50, 50), DPD_BOTTOM, site.classView);
    auto* pSplit = dynamic_cast<CXTPDockingPaneSplitterContainer*>(pGroup->m_pParentContainer);
    ASSERT_NE(pSplit, nullptr);
    EXPECT_NE(pSplit, pParent);
    EXPECT_FALSE(pSplit->IsHoriz());
    EXPECT_EQ(pSplit->GetChildren(), (std::vector<CXTPDockingPaneBase*>{pGroup, pPane->m_pParentContainer}));
    EXPECT_EQ(pSplit->m_pParentContainer, pParent);
}

TEST(DockingPaneManager, AttachedPaneJoinsTheGroupSelected)
{
    Site site;
    site.StartUp();
    EXPECT_EQ(site.explorer->m_pParentContainer, site.classView->m_pParentContainer);
    EXPECT_TRUE(site.explorer->IsSelected());
    EXPECT_EQ(site.manager.GetPaneHolder(site.explorer, FALSE), site.classView->m_pParentContainer);
}

TEST(DockingPaneManager, VetoedCloseKeepsThePaneSelected)
{
    Site site;
    site.StartUp();
    site.frame.closeAnswer = -1;
    site.manager.ClosePane(site.explorer);
    EXPECT_EQ(site.frame.Count(DPN_CLOSEPANE), 1);
    EXPECT_FALSE(site.explorer->IsClosed());
    EXPECT_TRUE(site.explorer->IsSelected());

    site.frame.closeAnswer = 0;
    site.manager.ClosePane(site.explorer);
    EXPECT_TRUE(site.explorer->IsClosed());
    EXPECT_TRUE(site.classView->IsSelected()) << "the last remaining pane is selected";
}

TEST(DockingPaneManager, ShowingAClosedPaneRestoresItsEmptiedGroupInPlace)
{
    Site site;
    site.StartUp();
    CXTPDockingPaneBase* pGroup = site.output->m_pParentContainer;
    CXTPDockingPaneBase* pParent = pGroup->m_pParentContainer;
    site.manager.ClosePane(site.output);
    ASSERT_TRUE(site.output->IsClosed());
    EXPECT_TRUE(pGroup->IsEmpty());

    site.manager.ShowPane(site.output);
    EXPECT_EQ(site.output->m_pParentContainer, pGroup);
    EXPECT_EQ(pGroup->m_pParentContainer, pParent);
    EXPECT_TRUE(site.output->IsSelected());
    EXPECT_NE(pGroup->GetPaneHwnd(), nullptr) << "the group's window is made again";
}

TEST(DockingPaneManager, NoFloatPaneRefusesWithoutAsking)
{
    Site site;
    site.StartUp();
    site.output->m_dwOptions = DPO_NOFLOAT;
    EXPECT_FALSE(site.manager.TogglePaneDocking(site.output, nullptr));
    EXPECT_EQ(site.frame.Count(DPN_ACTION, DPA_FLOATING), 0);
}

TEST(DockingPaneManager, UnknownIdIsNullAndShowingNullDoesNothing)
{
    Site site;
    site.StartUp();
    EXPECT_EQ(site.manager.FindPane(999), nullptr);
    EXPECT_EQ(site.manager.FindPane(201), site.classView);
    size_t notices = site.frame.notices.size();
    site.manager.ShowPane(site.manager.FindPane(999));
    EXPECT_EQ(site.frame.notices.size(), notices);
}

TEST(DockingPaneManager, SetLayoutAsksForEveryShownPanesWindow)
{
    Site site;
    site.StartUp();
    CXTPDockingPaneLayout saved(&site.manager);
    site.manager.GetLayout(&saved);

    site.frame.notices.clear();
    site.manager.SetLayout(&saved);
    site.frame.SendMessage(WM_IDLEUPDATECMDUI);  // the idle step runs the layout pass SetLayout asked for
    Pump();
    // Shown: the output and the selected solution explorer; the class view stays hidden.
    std::vector<UINT> asked;
    for (const Notice& notice : site.frame.notices)
        if (notice.code == DPN_NEEDWINDOW)
            asked.push_back(reinterpret_cast<CXTPDockingPane*>(notice.param)->GetID());
    std::sort(asked.begin(), asked.end());
    asked.erase(std::unique(asked.begin(), asked.end()), asked.end());
    EXPECT_EQ(asked, (std::vector<UINT>{200, 202}));
    EXPECT_EQ(site.manager.FindPane(201)->GetID(), 201u);
    // The current layout holds copies: none of its panes is one of the saved layout's, which still lives
    // (the panes it replaced are gone, so their addresses may come back).
    for (const DockingPaneInfo& info : saved.GetPaneList())
        EXPECT_NE(site.manager.FindPane(201), info.pPane) << "the current layout holds copies";
}

TEST(DockingPaneManager, ResizingTheFrameLaysOutThePanesAndGivesTheMdiClientThePlaceholder)
{
    Site site;
    HWND hMdi = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, site.frame.GetSafeHwnd(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_PANE_FIRST)), nullptr, nullptr);
    site.StartUp();
    auto placeOf = [&](HWND hWnd) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        site.frame.ScreenToClient(&rc);
        return rc;
    };
    // Only the frame's own layout pass, run by its size change, places the windows.
    for (CSize size : {CSize(700, 500), CSize(1000, 720), CSize(420, 300)}) {
        site.frame.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        CRect rcFrame;
        site.frame.GetClientRect(&rcFrame);
        CRect rcPlaceholder = site.manager.GetClientPane()->m_rcWindow;
        EXPECT_EQ(placeOf(hMdi), rcPlaceholder) << size.cx;
        EXPECT_EQ(rcPlaceholder.right, rcFrame.right) << size.cx;
        EXPECT_EQ(rcPlaceholder.top, rcFrame.top) << size.cx;

        CRect rcLeft = placeOf(site.explorer->m_pParentContainer->GetPaneHwnd());
        CRect rcBottom = placeOf(site.output->m_pParentContainer->GetPaneHwnd());
        EXPECT_EQ(rcLeft.left, rcFrame.left) << size.cx;
        EXPECT_EQ(rcLeft.Height(), rcFrame.Height()) << size.cx;
        EXPECT_LE(rcLeft.right, rcPlaceholder.left) << size.cx;
        EXPECT_EQ(rcBottom.bottom, rcFrame.bottom) << size.cx;
        EXPECT_EQ(rcBottom.right, rcFrame.right) << size.cx;
        EXPECT_GE(rcBottom.top, rcPlaceholder.bottom) << size.cx;
    }
}

TEST(DockingPaneManager, LayoutPassRepaintsOnlyWhatChanged)
{
    Site site;
    site.StartUp();
    site.frame.ShowWindow(SW_SHOWNOACTIVATE);
    site.frame.SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    auto idle = [&] { site.frame.SendMessage(WM_IDLEUPDATECMDUI); };
    // Both tabs of the left group have shown their windows once.
    site.manager.ShowPane(site.classView);
    idle();
    site.manager.ShowPane(site.explorer);
    idle();
    // Which docking windows wait for a paint: the left group, the output's group, the splitters.
    auto waiting = [&] {
        auto dirty = [](HWND hWnd) {
            RECT rc;
            return hWnd && ::GetUpdateRect(hWnd, &rc, FALSE) != FALSE;
        };
        auto group = [](CXTPDockingPane* pPane) {
            return pPane->m_pParentContainer ? pPane->m_pParentContainer->GetPaneHwnd() : nullptr;
        };
        std::string s;
        s += dirty(group(site.explorer)) ? "left " : "";
        s += dirty(group(site.output)) ? "output " : "";
        bool bSplitter = false;
        for (CXTPDockingPaneBase* pElement : site.manager.m_pLayout->m_lstElements)
            if (pElement->GetType() == DPT_SPLITTER)
                for (CXTPDockingPaneSplitterWnd* pWnd :
                     static_cast<CXTPDockingPaneSplitterContainer*>(pElement)->GetSplitters())
                    bSplitter |= dirty(pWnd->GetSafeHwnd());
        return s + (bSplitter ? "splitter " : "");
    };
    struct Case {
        const char* what;
        std::function<void()> change;
        const char* repainted;
    } cases[] = {
        {"a pass that moves nothing", [&] { site.frame.RecalcLayout(); }, ""},
        {"an idle step with nothing to do", idle, ""},
        {"a title", [&] { site.output->SetTitle("Build\nBuild"); idle(); }, "output "},
        {"the selected tab", [&] { site.manager.ShowPane(site.classView); idle(); }, "left "},
        // The left group spans the frame's height beside the client and the output.
        {"the output closed", [&] { site.manager.ClosePane(site.output); idle(); }, ""},
        {"the output shown again", [&] { site.manager.ShowPane(site.output); idle(); }, "output splitter "},
        {"the frame's size", [&] { site.frame.SetWindowPos(nullptr, 0, 0, 790, 600, SWP_NOZORDER | SWP_NOACTIVATE); },
         "left output splitter "},
        {"the theme", [&] { site.manager.SetTheme(7); idle(); }, "left output splitter "},
    };
    for (const Case& c : cases) {
        ::RedrawWindow(site.frame.GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ASSERT_EQ(waiting(), "") << c.what;
        c.change();
        EXPECT_EQ(waiting(), c.repainted) << c.what;
    }
}

}  // namespace
