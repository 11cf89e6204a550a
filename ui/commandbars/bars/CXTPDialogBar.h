// The dialog bar: a toolbar hosting one child window below a caption line, resizable at its
// free edges, with separate client sizes docked and floating; and its two caption-line controls.
#pragma once

#include <windows.h>

#include "CString.h"
#include "CXTPControlButton.h"
#include "CXTPControlPopup.h"
#include "CXTPToolBar.h"

class CXTPPopupBar;

class CXTPDialogBar : public CXTPToolBar {
    DECLARE_SERIAL(CXTPDialogBar)

public:
    CXTPDialogBar();
    ~CXTPDialogBar() override;

    // The hosted window; it is placed under the caption at every size change.
    void SetChild(CWnd* pChildWnd);
    HWND GetChild() const { return m_hwndChild; }
    void SetCaption(const CString& strCaption);
    CString GetCaption() const { return m_strCaption; }
    void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
    BOOL IsResizable() const { return m_bResizable; }
    void SetCaptionVisible(BOOL bVisible);
    BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
    // Whether the caption line shows the close control.
    void SetCloseControlVisible(BOOL bVisible);
    BOOL IsCloseControlVisible() const { return m_bCloseControl; }

    // Client sizes never go below the minimum, whoever sets them (a saved layout too).
    void SetDockingClientSize(CSize size);
    CSize GetDockingClientSize() const { return m_szDockingClient; }
    void SetFloatingClientSize(CSize size);
    CSize GetFloatingClientSize() const { return m_szFloatingClient; }
    CSize GetMinClientSize() const { return m_szMinClient; }
    CRect GetClientBorders() const { return m_rcBorders; }
    CXTPPopupBar* GetCaptionPopup() const { return m_pCaptionPopup; }
    // The caption line's height, measured with the bar font; 0 while the caption is hidden.
    int GetCaptionLineHeight();

    CSize CalcDockingLayout(int nLength, DWORD dwMode, int nWidth = 0) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void DrawCommandBar(CDC* pDC) override;

    // The resizing edge under the screen point for a window rectangle, position and dock flags;
    // HTNOWHERE where the toolbar's own hit test decides.
    static UINT HitTestEdges(const CRect& rcWindow, XTPBarPosition barPosition, DWORD dwFlags, CPoint pt);
    // Gives the bar the window rectangle dragged to by the edge of the hit code; FALSE (nothing
    // changed) when the client would fall below the minimum size.
    BOOL ResizeTo(CRect rcWindow, UINT nHitTest);

    DECLARE_MESSAGE_MAP()

protected:
    // The free edges while resizable; inside them the caption line is the bar's and the rest
    // transparent.
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    // The size of the bar around a client size; places the caption controls with bCommit.
    CSize SizeAround(CSize szClient, BOOL bCommit);
    void TrackResize(UINT nHitTest, CPoint pt);

    CRect m_rcBorders{3, 3, 3, 3};
    BOOL m_bResizable = TRUE;
    CSize m_szMinClient{50, 50};
    BOOL m_bCaptionVisible = TRUE;
    BOOL m_bCloseControl = TRUE;
    int m_nCaptionHeight = 0;
    CSize m_szDockingClient{200, 200};
    CSize m_szFloatingClient{200, 200};
    HWND m_hwndChild = nullptr;
    CString m_strCaption;
    CXTPPopupBar* m_pCaptionPopup = nullptr;
};

// The caption of a dialog bar: opens the bar's caption popup when that has controls.
class CXTPControlDialogBarCaption : public CXTPControlPopup {
    DECLARE_SERIAL(CXTPControlDialogBarCaption)

public:
    void Draw(CDC* pDC) override;
    void OnClick(BOOL bKeyboard = FALSE, CPoint point = CPoint(0, 0)) override;
    // Whether the caption opens a popup (one with controls).
    BOOL HasCaptionPopup() const;
};

// The close control of a dialog bar's caption line: hides the bar.
class CXTPControlDialogBarClose : public CXTPControlButton {
    DECLARE_SERIAL(CXTPControlDialogBarClose)

public:
    void Draw(CDC* pDC) override;
    void Execute() override;
};
