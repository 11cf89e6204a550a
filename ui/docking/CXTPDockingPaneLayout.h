// One complete arrangement of panes: the element tree, every element, one record per pane
// of where it was docked, floated and last shown, and its saved form.
#pragma once

#include <vector>

#include "CRect.h"
#include "CXTPDockingPaneOwner.h"

class CWnd;
class CXTPPropExchange;
class CXTPDockingPaneSplitterContainer;
struct AFX_SIZEPARENTPARAMS;

// Where a pane was: tab groups of the same layout, or null.
struct DockingPaneInfo {
    CXTPDockingPane* pPane = nullptr;
    CXTPDockingPaneBase* pFloatingHolder = nullptr;
    CXTPDockingPaneBase* pDockingHolder = nullptr;
    CXTPDockingPaneBase* pLastHolder = nullptr;
};

// The layout is the owner its elements see: it keeps them, and passes everything that
// concerns the manager on to the manager.
class CXTPDockingPaneLayout : public CXTPDockingPaneOwner {
public:
    explicit CXTPDockingPaneLayout(CXTPDockingPaneOwner* pManager);
    ~CXTPDockingPaneLayout() override;
    CXTPDockingPaneLayout(const CXTPDockingPaneLayout&) = delete;
    CXTPDockingPaneLayout& operator=(const CXTPDockingPaneLayout&) = delete;

    // Deletes the elements (releasing panes), forgets the records, panels, top and client.
    void Free();
    // This layout becomes a copy of from; no element is shared, m_bUserLayout stays.
    void Copy(const CXTPDockingPaneLayout& from);
    DockingPaneInfo* FindPaneInfo(CXTPDockingPane* pPane);
    // The frame's layout pass: panels take their strips, then client and tree share rc.
    void RepositionPanes(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout);
    int GetAutoHideDirection(CXTPDockingPaneBase* pElement) const;
    void HidePane(CXTPDockingPaneBase* pElement);
    // Drops tab groups no record refers to and containers left empty.
    void Purge();
    // Saving (TRUE) or loading; a failed load leaves this layout empty or partly built.
    BOOL DoPropExchange(CXTPPropExchange* pPX);

    CXTPDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }
    CXTPDockingPaneBase* GetClientPane() const { return m_pClient; }
    std::vector<DockingPaneInfo>& GetPaneList() { return m_lstPanes; }
    const std::vector<CXTPDockingPaneBase*>& GetElements() const { return m_lstElements; }
    CXTPDockingPaneOwner* GetManager() const { return m_pManager; }

    // Layout side of the owner.
    void AddElement(CXTPDockingPaneBase* pElement) override;
    BOOL IsUserLayout() const override { return m_bUserLayout; }
    // Manager side, passed on.
    CFrameWnd* GetSite() const override;
    HWND GetManagerHwnd() const override;
    CXTPDockingPanePaintManager* GetPaintManager() const override;
    CXTPDockingPaneDragContext* GetDragContext() const override;
    LRESULT Notify(WPARAM nCode, LPARAM lParam) override;
    BOOL NotifyOwner(int nAction, CXTPDockingPane* pPane, CXTPDockingPaneBase* pContainer, int nExtra = 0) override;
    void RecalcFramesLayout() override;
    void ShowPane(CXTPDockingPane* pPane) override;
    void ClosePane(CXTPDockingPane* pPane) override;
    void ToggleAutoHide(CXTPDockingPaneBase* pElement) override;
    void ToggleDocking(CXTPDockingPaneBase* pElement) override;
    void UpdatePanes() override;
    CXTPDockingPaneBase* CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout) override;
    HICON GetPaneIcon(int nIconID, int cx) override;
    DWORD GetDefaultPaneOptions() const override;
    BOOL IsHideClient() const override;
    int GetMinTrackSize() const override;
    BOOL IsGhostSplitter() const override;
    BOOL IsLockSplitters() const override;
    BOOL IsCloseGroupOnButton() const override;
    BOOL IsHideGroupOnButton() const override;
    BOOL IsThemedMiniFrames() const override;
    CString GetFloatingCaption() const override;
    void SyncPaneHolders() override;
    BOOL IsAttachingPane() const override;

    CXTPDockingPaneSplitterContainer* m_pTopContainer = nullptr;
    CXTPDockingPaneBase* m_pClient = nullptr;
    std::vector<DockingPaneInfo> m_lstPanes;
    std::vector<CXTPDockingPaneBase*> m_lstElements;
    CXTPDockingPaneBase* m_pAutoHidePanels[4] = {};
    BOOL m_bUserLayout = TRUE;
    CXTPDockingPaneOwner* m_pManager;

private:
    void Save(CXTPPropExchange* pPX);
    BOOL Load(CXTPPropExchange* pPX);
    void DeleteElement(CXTPDockingPaneBase* pElement);
};
