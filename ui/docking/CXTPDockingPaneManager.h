// The docking pane manager: the one object through which a frame owns its panes, their
// arrangement, the docking theme and the notifications the frame receives.
#pragma once

#include <windows.h>

#include <vector>

#include "CString.h"
#include "CWnd.h"
#include "CXTPDockingPaneLayout.h"
#include "CXTPDockingPaneOwner.h"

class CXTPImageManager;
class CXTPDockingPaneTabbedContainer;

class CXTPDockingPaneManager : public CWnd, public CXTPDockingPaneOwner {
public:
    CXTPDockingPaneManager();
    ~CXTPDockingPaneManager() override;

    void InstallInFrame(CFrameWnd* pFrame);
    virtual CXTPDockingPaneLayout* CreateLayout();
    CXTPDockingPaneBase* CreatePaneOfType(int nType, CXTPDockingPaneOwner* pLayout) override;
    // The elements this build makes, for the factory above and for other owners of pane trees.
    static CXTPDockingPaneBase* DefaultPaneOfType(int nType, CXTPDockingPaneOwner* pLayout);
    void SetImageManager(CXTPImageManager* pImageManager);
    HICON GetPaneIcon(int nIconID, int cx) override;

    CXTPDockingPane* CreatePane(UINT nID, CRect rc, XTPDockingPaneDirection dir,
                                CXTPDockingPaneBase* pNeighbour = nullptr);
    void AttachPane(CXTPDockingPaneBase* pElement, CXTPDockingPaneBase* pNeighbour);
    void DockPane(CXTPDockingPaneBase* pElement, XTPDockingPaneDirection dir, CXTPDockingPaneBase* pNeighbour);
    void ShowPane(CXTPDockingPane* pPane) override;
    void ClosePane(CXTPDockingPane* pPane) override;
    void ToggleAutoHide(CXTPDockingPaneBase* pElement) override;
    void ToggleDocking(CXTPDockingPaneBase* pElement) override;
    BOOL TogglePaneDocking(CXTPDockingPane* pPane, CXTPDockingPaneBase* pHolder);
    CXTPDockingPaneBase* GetPaneHolder(CXTPDockingPane* pPane, BOOL bFloating);
    void SyncPaneHolders() override;
    CXTPDockingPane* FindPane(UINT nID) const;
    std::vector<DockingPaneInfo>* GetPaneList() const;
    CXTPDockingPaneSplitterContainer* GetTopContainer() const;
    CXTPDockingPaneBase* GetClientPane() const;
    void GetDockingRect(CRect& rc, CXTPDockingPaneBase* pElement, XTPDockingPaneDirection dir,
                        CXTPDockingPaneBase* pNeighbour);
    void GetLayout(CXTPDockingPaneLayout* pLayout) const;
    void SetLayout(CXTPDockingPaneLayout* pLayout);
    void SetTheme(int nTheme);
    BOOL IsLayoutRTL() const;
    int MirrorDirection(int nDirection) const;

    // The owner interface the pane tree sees.
    void AddElement(CXTPDockingPaneBase* pElement) override;
    BOOL IsUserLayout() const override { return FALSE; }
    CFrameWnd* GetSite() const override { return m_pSite; }
    HWND GetManagerHwnd() const override { return GetSafeHwnd(); }
    // Theme 0 until another is set; made when first asked for, as a frame sets its own at once.
    CXTPDockingPanePaintManager* GetPaintManager() const override;
    CXTPDockingPaneDragContext* GetDragContext() const override { return m_pDragContext; }
    LRESULT Notify(WPARAM nCode, LPARAM lParam) override;
    BOOL NotifyOwner(int nAction, CXTPDockingPane* pPane, CXTPDockingPaneBase* pContainer, int nExtra = 0) override;
    void RecalcFramesLayout() override;
    void UpdatePanes() override;
    DWORD GetDefaultPaneOptions() const override { return m_dwDefaultPaneOptions; }
    BOOL IsHideClient() const override { return m_bHideClient; }
    int GetMinTrackSize() const override { return m_nMinTrackSize; }
    BOOL IsGhostSplitter() const override { return m_bGhostSplitter; }
    BOOL IsLockSplitters() const override { return m_bLockSplitters; }
    BOOL IsCloseGroupOnButton() const override { return m_bCloseGroupOnButton; }
    BOOL IsHideGroupOnButton() const override { return m_bHideGroupOnButton; }
    BOOL IsThemedMiniFrames() const override { return m_bThemedMiniFrames; }
    CString GetFloatingCaption() const override { return m_strFloatingCaption; }
    BOOL IsAttachingPane() const override { return m_bAttachingPane; }
    // Floating frames switch between the framework's caption and their own.
    void SetThemedMiniFrames(BOOL bThemed);

    int m_nMinTrackSize = 22;
    BOOL m_bCloseGroupOnButton = FALSE;
    BOOL m_bHideGroupOnButton = TRUE;
    CFrameWnd* m_pSite = nullptr;
    CXTPDockingPaneLayout* m_pLayout = nullptr;
    mutable CXTPDockingPanePaintManager* m_pPaintManager = nullptr;
    CXTPImageManager* m_pImageManager = nullptr;
    BOOL m_bHideClient = FALSE;
    BOOL m_bGhostSplitter = TRUE;
    BOOL m_bLockSplitters = FALSE;
    DWORD m_dwDefaultPaneOptions = 0;
    CString m_strFloatingCaption;
    CXTPDockingPaneDragContext* m_pDragContext = nullptr;
    BOOL m_bAlphaDragPreview = FALSE;
    BOOL m_bDragStickers = FALSE;
    BOOL m_bThemedMiniFrames = FALSE;
    BOOL m_bAttachingPane = FALSE;

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()

public:
    // A new floating frame takes the element (a pane leaves its group, a container is cloned).
    void FloatPane(CXTPDockingPaneBase* pElement, CRect rcScreen);

private:
    // Takes an element out of where it is: a pane leaves its container, a container is
    // replaced by its clone without a map.
    CXTPDockingPaneBase* Detach(CXTPDockingPaneBase* pElement);
    void InsertDocked(CXTPDockingPaneBase* pElement, XTPDockingPaneDirection dir, CXTPDockingPaneBase* pNeighbour);
    // Repaints every tab group and splitter window of the current layout.
    void RedrawPanes();

    CSize m_szSiteLaidOut;  // the site's client size at the last layout pass
};
