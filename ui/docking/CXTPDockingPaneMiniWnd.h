// The floating mini frame: a small top-level frame holding a splitter container of tab
// groups outside the frame's docking area; it can draw its own caption and roll up to it.
#pragma once

#include "CMiniFrameWnd.h"
#include "CXTPDockingPaneBase.h"
#include "CXTPDockingPaneCaptionButton.h"

class CXTPDockingPaneSplitterContainer;

// Animation settings shared by the floating frames and the auto-hide windows.
extern int s_nAnimationDelay;     // milliseconds between steps
extern int s_nAnimationDuration;  // milliseconds of an animation
extern BOOL s_bShowCollapseButton;

class CXTPDockingPaneMiniWnd : public CMiniFrameWnd,
                               public CXTPDockingPaneBase,
                               public CXTPDockingPaneCaptionHost {
    DECLARE_DYNAMIC(CXTPDockingPaneMiniWnd)

public:
    explicit CXTPDockingPaneMiniWnd(CXTPDockingPaneOwner* pLayout);
    ~CXTPDockingPaneMiniWnd() override;

    // Shows pElement (a pane goes into a new tab group) floating at rcScreen.
    void Init(CXTPDockingPaneBase* pElement, CRect rcScreen);
    virtual void Copy(CXTPDockingPaneMiniWnd* pSource, CXTPDockingPaneCloneMap* pMap);
    using CMiniFrameWnd::Create;
    virtual BOOL Create(CRect rc);
    virtual void OnCaptionButtonClick(CXTPDockingPaneCaptionButton* pButton);
    void RecalcLayout(BOOL bNotify = TRUE) override;

    void ToggleCollapse();
    void Collapse();
    void Expand();
    void SetAnimatedHeight(BOOL bToTop);
    void CloseFrame();
    void OnThemeChanged();
    BOOL UsesThemedCaption() const;

    CXTPDockingPaneSplitterContainer* GetTopContainer() const { return m_pTopContainer; }

    // Element part.
    void Invalidate() override;
    void OnChildContainerChanged(CXTPDockingPaneBase* pContainer) override;
    CXTPDockingPaneBase* Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                               DWORD dwIgnoredOptions = 0) override;
    void RemovePane(CXTPDockingPaneBase* pPane) override;
    BOOL IsCaptionButtonVisible(CXTPDockingPaneCaptionButton* pButton) override;
    HWND GetPaneHwnd() const override { return m_hWnd; }

    // What the painters read of the themed caption.
    CString GetCaptionTitle() const override;
    BOOL IsCaptionActive() const override { return m_bActive; }
    BOOL IsCaptionVisible() const override { return TRUE; }
    BOOL IsTabsVisible() const override { return FALSE; }
    CXTPTabManager* GetTabManager() const override { return nullptr; }
    std::vector<CXTPDockingPaneCaptionButton*>& GetCaptionButtons() override { return m_arrCaptionButtons; }
    HWND GetCaptionWindow() const override { return m_hWnd; }
    HWND GetReferenceWindow() const override { return m_hWnd; }

    CXTPDockingPaneSplitterContainer* m_pTopContainer = nullptr;
    BOOL m_bCloseEnabled = FALSE;
    int m_nExpandedHeight = 0;
    int m_nStepCount = 8;
    int m_nStep = 0;
    int m_nCollapseDelay = 0;
    BOOL m_bCollapsed = FALSE;
    BOOL m_bAnimating = FALSE;
    BOOL m_bActive = FALSE;

    enum { kTimerCollapse = 1, kTimerAnimate = 3, kTimerHot = 2345 };

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The layout owns the object: its window going leaves it.
    void PostNcDestroy() override {}

private:
    int CaptionHeight() const;
    void OnTimer(UINT_PTR nIDEvent);
    // The press loop of a themed caption button (window coordinates); TRUE when released on it.
    BOOL ClickButton(CXTPDockingPaneCaptionButton* pButton, CPoint pt);
    // Updates the buttons' hot state; TRUE when one became hot.
    BOOL CheckHotButtons(CPoint pt);
    CPoint WindowPoint(LPARAM lParam) const;
    BOOL HasFocusInside() const;
};
