// A child window of the application hosted in a command bar as if it were a button (type 7):
// room for the window and its borders, placed, shown and hidden with the control. The control
// keeps the window's handle, not an object the application may delete: a window that has gone
// leaves an ordinary button.
#pragma once

#include "CXTPControlButton.h"
#include "CXTPWindowHookSink.h"

class CXTPCommandBars;

class CXTPControlCustom : public CXTPControlButton, public CXTPWindowHookSink {
    DECLARE_SERIAL(CXTPControlCustom)

public:
    // How a vertical bar treats the control.
    enum { kVerticalHide = 0, kVerticalShow = 1, kVerticalButton = 2 };

    CXTPControlCustom();
    ~CXTPControlCustom() override;

    void SetEnabled(BOOL bEnabled) override;
    void SetRect(CRect rcControl) override;
    void SetHideFlags(DWORD dwFlags) override;
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void OnLayoutMode(DWORD dwMode) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    void Copy(CXTPControl* pSrc, BOOL bRecursive = FALSE) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    CXTPControl* Clone(BOOL bRecursive = FALSE) override;

    // The hosted window's mouse moves keep the bar's hot tracking going; nothing is consumed.
    int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    // The application's child window; it stays the application's.
    void SetControl(CWnd* pWnd);
    // The hosted window while it exists, else null.
    CWnd* GetControl() const;
    HWND GetControlHandle() const { return GetControl() ? m_hwndControl : nullptr; }
    CRect GetBorders() const { return m_rcBorders; }
    void SetBorders(CRect rcBorders) { m_rcBorders = rcBorders; }
    CSize GetControlSize() const { return m_szControl; }
    void SetControlSize(CSize szControl) { m_szControl = szControl; }
    int GetVerticalOptions() const { return m_nVerticalOptions; }
    void SetVerticalOptions(int nOptions) { m_nVerticalOptions = nOptions; }
    int GetControlID() const { return m_nControlId; }
    void SetControlID(int nID) { m_nControlId = nID; }
    // FALSE while a vertical bar hides the window (vertical option 2).
    BOOL IsControlShown() const { return m_bControlVisible; }

    // The window a saved layout names: the site frame's dialog item of the id, else the first
    // bar's child of that id.
    static HWND FindControlWindow(CXTPCommandBars* pCommandBars, int nID);

protected:
    // Shown when the bar lets it and nothing hides the control.
    void ShowControlWindow();

    HWND m_hwndControl = nullptr;
    CRect m_rcBorders;
    BOOL m_bControlVisible = TRUE;
    CSize m_szControl = CSize(0, 0);
    int m_nVerticalOptions = kVerticalHide;
    int m_nControlId = 0;
    BOOL m_bLookupPending = FALSE;  // a loaded id to find once the control is in a bar
};
