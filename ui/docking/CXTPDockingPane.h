// One docking pane: id, title, icon, options, tracking sizes and the application's window.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"
#include "CXTPDockingPaneBase.h"

class CXTPDockingPane : public CCmdTarget, public CXTPDockingPaneBase {
public:
    explicit CXTPDockingPane(CXTPDockingPaneOwner* pLayout);

    void SetID(UINT nID);
    UINT GetID() const { return m_nID; }
    // The caption: the title up to its first line feed, else all of it.
    CString GetTitle() const;
    // The tab text: the part after the first line feed, else the whole title.
    CString GetTabCaption() const;
    void SetTitle(LPCTSTR lpszTitle);
    void SetIconID(int nIconID) { m_nIconID = nIconID; }
    void SetOptions(DWORD dwOptions) { m_dwOptions = dwOptions; }
    // Own options with the manager's defaults.
    DWORD GetOptions() const;
    void SetMinTrackSize(POINT pt) { m_ptMinTrackSize = pt; }
    void SetMaxTrackSize(POINT pt) { m_ptMaxTrackSize = pt; }

    void Attach(CWnd* pWnd);
    void Detach();
    BOOL IsAttached() const { return m_hwndChild != nullptr; }
    HWND GetChild() const { return m_hwndChild; }

    void ShowWindow(BOOL bShow);
    void SetFocus();
    BOOL IsFocus() const;

    void Select();
    void Close();
    void Hide();
    BOOL IsClosed() const { return m_pParentContainer == nullptr; }
    BOOL IsHidden() const;
    BOOL IsSelected() const;
    BOOL IsFloating() const;
    CWnd* GetDockingSite() const;

    HICON GetIcon(int cx);
    COLORREF GetTabColor() const;
    void Copy(const CXTPDockingPane& pane);

    void GetMinMaxInfo(LPMINMAXINFO pMinMaxInfo) const override;
    void OnSizeParent(CWnd* pParent, CRect rect, AFX_SIZEPARENTPARAMS* lpLayout) override;
    void OnFocusChanged() override;
    void SetParentContainer(CXTPDockingPaneBase* pContainer) override;
    CXTPDockingPaneBase* Clone(CXTPDockingPaneOwner* pLayout, CXTPDockingPaneCloneMap* pMap,
                               DWORD dwIgnoredOptions = 0) override;

    HWND m_hwndChild = nullptr;
    UINT m_nID = 0;
    int m_nIconID = -1;
    CString m_strTitle;
    DWORD m_dwOptions = 0;
    POINT m_ptMinTrackSize = {0, 0};
    POINT m_ptMaxTrackSize = {32000, 32000};

protected:
    ~CXTPDockingPane() override = default;

private:
    // Moves the window into the container's window, or parks it hidden under the manager's.
    void PlaceChild();
};
