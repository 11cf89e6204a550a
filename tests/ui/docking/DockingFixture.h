// A test frame with a stand-in for the pane manager and its layout: it owns the elements,
// answers DPN_NEEDWINDOW with STATIC windows, records every notification and parks closed
// panes' windows under a hidden STATIC of its own.
#pragma once

#include <windows.h>

#include <vector>

#include "CFrameWnd.h"
#include "CXTPDockingPane.h"
#include "CXTPDockingPaneDragContext.h"
#include "CXTPDockingPaneManager.h"
#include "CXTPDockingPanePaintManager.h"

struct Notice {
    WPARAM code;
    LPARAM param;
    int action;  // DPN_ACTION's action, else -1
};

// A frame that is a member, not made on the heap: its window going must not delete it.
class MemberFrame : public CFrameWnd {
public:
    void PostNcDestroy() override {}
};

// Records the drags the pane tree starts instead of running them.
class RecordingDragContext : public CXTPDockingPaneDragContext {
public:
    RecordingDragContext() : CXTPDockingPaneDragContext(nullptr) {}
    void Drag(CXTPDockingPaneBase* pElement, int x, int y) override { m_arrDrags.push_back({pElement, CPoint(x, y)}); }

    struct DragCall {
        CXTPDockingPaneBase* pElement;
        CPoint pt;
    };
    std::vector<DragCall> m_arrDrags;
};

class TestOwner : public CXTPDockingPaneOwner {
public:
    TestOwner()
    {
        frame.Create(nullptr, "Docking test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 640, 480));
        park = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, frame.GetSafeHwnd(), nullptr, nullptr,
                                 nullptr);
        paint = CXTPDockingPanePaintManager::CreateTheme(0);
        drag = new RecordingDragContext();
    }
    ~TestOwner() override
    {
        for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
            if (auto* pPane = dynamic_cast<CXTPDockingPane*>(*it))
                pPane->InternalRelease();
            else
                delete *it;
        }
        paint->InternalRelease();
        delete drag;
        frame.DestroyWindow();
        Pump();
    }

    CXTPDockingPane* NewPane(UINT nID, const char* title = "Pane\nTab")
    {
        auto* pPane = new CXTPDockingPane(this);
        pPane->m_nID = nID;
        pPane->SetTitle(title);
        return pPane;
    }

    static void Pump()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    int Count(WPARAM code, int action = -1) const
    {
        int n = 0;
        for (const Notice& notice : notices)
            n += notice.code == code && notice.action == action;
        return n;
    }

    void AddElement(CXTPDockingPaneBase* pElement) override { elements.push_back(pElement); }
    BOOL IsUserLayout() const override { return userLayout; }
    CFrameWnd* GetSite() const override { return const_cast<MemberFrame*>(&frame); }
    HWND GetManagerHwnd() const override { return park; }
    CXTPDockingPanePaintManager* GetPaintManager() const override { return paint; }
    CXTPDockingPaneDragContext* GetDragContext() const override { return drag; }
    LRESULT Notify(WPARAM nCode, LPARAM lParam) override
    {
        int action = nCode == DPN_ACTION ? reinterpret_cast<DockingPaneAction*>(lParam)->nAction : -1;
        notices.push_back({nCode, lParam, action});
        if (nCode == DPN_NEEDWINDOW && answerWindows) {
            auto* pPane = reinterpret_cast<CXTPDockingPane*>(lParam);
            if (!pPane->IsAttached()) {
                HWND hWnd = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, frame.GetSafeHwnd(),
                                              nullptr, nullptr, nullptr);
                windows.push_back(hWnd);
                pPane->Attach(CWnd::FromHandle(hWnd));
            }
        }
        if (nCode == DPN_CLOSEPANE)
            return closeAnswer;
        if (nCode == DPN_ACTION) {
            auto* pAction = reinterpret_cast<DockingPaneAction*>(lParam);
            for (int vetoed : vetoes)
                pAction->bCancel |= vetoed == pAction->nAction;
        }
        return 0;
    }
    BOOL NotifyOwner(int nAction, CXTPDockingPane* pPane, CXTPDockingPaneBase* pContainer, int nExtra) override
    {
        DockingPaneAction action = {nAction, FALSE, pPane, pContainer, nExtra};
        Notify(DPN_ACTION, reinterpret_cast<LPARAM>(&action));
        return action.bCancel;
    }
    void RecalcFramesLayout() override { ++recalcs; }
    void ShowPane(CXTPDockingPane* pPane) override { shown.push_back(pPane); }
    void ClosePane(CXTPDockingPane* pPane) override
    {
        closed.push_back(pPane);
        if (pPane->m_pParentContainer)
            pPane->m_pParentContainer->RemovePane(pPane);
    }
    void ToggleAutoHide(CXTPDockingPaneBase* pElement) override { autoHidden.push_back(pElement); }
    void ToggleDocking(CXTPDockingPaneBase* pElement) override { toggled.push_back(pElement); }
    void UpdatePanes() override { ++updates; }
    CXTPDockingPaneBase* CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout) override
    {
        return CXTPDockingPaneManager::DefaultPaneOfType(nType, pLayout);
    }
    HICON GetPaneIcon(int /*nIconID*/, int /*cx*/) override { return nullptr; }
    DWORD GetDefaultPaneOptions() const override { return defaultOptions; }
    BOOL IsHideClient() const override { return hideClient; }
    int GetMinTrackSize() const override { return 22; }
    BOOL IsGhostSplitter() const override { return ghost; }
    BOOL IsLockSplitters() const override { return lockSplitters; }
    BOOL IsCloseGroupOnButton() const override { return closeGroup; }
    BOOL IsHideGroupOnButton() const override { return TRUE; }

    MemberFrame frame;
    HWND park = nullptr;
    CXTPDockingPanePaintManager* paint = nullptr;
    RecordingDragContext* drag = nullptr;
    std::vector<CXTPDockingPaneBase*> elements;
    std::vector<Notice> notices;
    std::vector<HWND> windows;
    std::vector<CXTPDockingPane*> shown, closed;
    std::vector<CXTPDockingPaneBase*> autoHidden, toggled;
    std::vector<int> vetoes;
    LRESULT closeAnswer = 0;
    BOOL answerWindows = TRUE, userLayout = FALSE, hideClient = FALSE, ghost = TRUE, lockSplitters = FALSE,
         closeGroup = FALSE;
    DWORD defaultOptions = 0;
    int recalcs = 0, updates = 0;
};
