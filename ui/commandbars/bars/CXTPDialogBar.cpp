// The dialog bar: layout around the hosted window, the resizing edges, the border drag, and the
// caption and close controls of its caption line.
#include "CArchive.h"
#include "CXTPDialogBar.h"

#include <algorithm>

#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControlCloseButton.h"
#include "CXTPControls.h"
#include "CXTPHookManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPToolBarDragContext.h"
#include "CXTPTrackingLoop.h"

IMPLEMENT_SERIAL(CXTPDialogBar, CXTPToolBar, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPControlDialogBarCaption, CXTPControlPopup, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPControlDialogBarClose, CXTPControlButton, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPDialogBar, CXTPToolBar)
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const int kNoWrapLength = 32000;  // a floating dialog bar lays its caption line out unwrapped
const int kEdgeBand = 3;           // the resizing band inside the window's edge

template <class T>
T* FindCaptionControl(CXTPControls* pControls)
{
    for (int i = 0; i < pControls->GetCount(); i++) {
        if (auto* pControl = dynamic_cast<T*>(pControls->GetAt(i)))
            return pControl;
    }
    return nullptr;
}

}  // namespace

CXTPDialogBar::CXTPDialogBar()
{
    m_pCaptionPopup = CXTPPopupBar::CreatePopupBar(nullptr);
    auto* pCaption = new CXTPControlDialogBarCaption;
    pCaption->SetCommandBar(m_pCaptionPopup);
    m_pControls->AddControl(pCaption);
    m_pControls->AddControl(new CXTPControlDialogBarClose);
}

CXTPDialogBar::~CXTPDialogBar()
{
    if (m_pCaptionPopup)
        m_pCaptionPopup->InternalRelease();
}

void CXTPDialogBar::SetChild(CWnd* pChildWnd)
{
    m_hwndChild = pChildWnd ? pChildWnd->GetSafeHwnd() : nullptr;
    if (m_hwndChild && m_hWnd) {
        ::SetParent(m_hwndChild, m_hWnd);
        CRect rc;
        GetClientRect(&rc);
        OnSize(SIZE_RESTORED, rc.Width(), rc.Height());
    }
}

void CXTPDialogBar::SetCaption(const CString& strCaption)
{
    m_strCaption = strCaption;
    if (auto* pCaption = FindCaptionControl<CXTPControlDialogBarCaption>(m_pControls))
        pCaption->SetCaption(strCaption);
    DelayRedraw();
}

void CXTPDialogBar::SetCaptionVisible(BOOL bVisible)
{
    m_bCaptionVisible = bVisible;
    DelayLayout();
}

void CXTPDialogBar::SetCloseControlVisible(BOOL bVisible)
{
    m_bCloseControl = bVisible;
    DelayLayout();
}

void CXTPDialogBar::SetDockingClientSize(CSize size)
{
    m_szDockingClient = CSize(std::max(size.cx, m_szMinClient.cx), std::max(size.cy, m_szMinClient.cy));
}

void CXTPDialogBar::SetFloatingClientSize(CSize size)
{
    m_szFloatingClient = CSize(std::max(size.cx, m_szMinClient.cx), std::max(size.cy, m_szMinClient.cy));
}

int CXTPDialogBar::GetCaptionLineHeight()
{
    if (!m_bCaptionVisible)
        return 0;
    if (m_nCaptionHeight == 0) {
        // Text height of the bar font plus room for the caption's frame.
        CClientDC dc(m_hWnd ? this : nullptr);
        CFont* pOldFont = dc.SelectObject(GetPaintManager()->GetCommandBarFont(xtpBarTop, FALSE));
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
        dc.SelectObject(pOldFont);
        m_nCaptionHeight = std::max<int>(tm.tmHeight + 6, 16);
    }
    return m_nCaptionHeight;
}

CSize CXTPDialogBar::SizeAround(CSize szClient, BOOL bCommit)
{
    const int nCaption = GetCaptionLineHeight();
    const CSize szBar(szClient.cx + m_rcBorders.left + m_rcBorders.right,
                      szClient.cy + m_rcBorders.top + m_rcBorders.bottom + nCaption);
    if (bCommit) {
        auto* pCaption = FindCaptionControl<CXTPControlDialogBarCaption>(m_pControls);
        auto* pClose = FindCaptionControl<CXTPControlDialogBarClose>(m_pControls);
        const BOOL bClose = m_bCaptionVisible && m_bCloseControl;
        int nRight = szBar.cx - m_rcBorders.right;
        if (pClose) {
            pClose->SetHideFlags(bClose ? 0 : xtpHideGeneric);
            if (bClose) {
                pClose->SetRect(CRect(nRight - nCaption, m_rcBorders.top, nRight, m_rcBorders.top + nCaption));
                nRight -= nCaption;
            }
        }
        if (pCaption) {
            pCaption->SetHideFlags(m_bCaptionVisible ? 0 : xtpHideGeneric);
            pCaption->SetRect(CRect(m_rcBorders.left, m_rcBorders.top, std::max<int>(nRight, m_rcBorders.left),
                                    m_rcBorders.top + nCaption));
        }
    }
    return szBar;
}

CSize CXTPDialogBar::CalcDockingLayout(int /*nLength*/, DWORD dwMode, int /*nWidth*/)
{
    return SizeAround(m_szDockingClient, (dwMode & LM_COMMIT) != 0);
}

CSize CXTPDialogBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcDockingLayout(nLength, dwMode);
    return SizeAround(m_szFloatingClient, (dwMode & LM_COMMIT) != 0);
}

void CXTPDialogBar::DrawCommandBar(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->DrawCommandBarBackground(pDC, this);
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetCommandBarFont(xtpBarTop, FALSE));
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsVisible())
            pControl->Draw(pDC);
    }
    pDC->SelectObject(pOldFont);
}

UINT CXTPDialogBar::HitTestEdges(const CRect& rcWindow, XTPBarPosition barPosition, DWORD dwFlags, CPoint pt)
{
    CRect rc = rcWindow;
    rc.DeflateRect(kEdgeBand, kEdgeBand);
    const BOOL bStretched = (dwFlags & xtpFlagStretched) != 0;
    if (barPosition == xtpBarFloating) {
        if (pt.y < rc.top)
            return pt.x < rc.left ? HTTOPLEFT : pt.x >= rc.right ? HTTOPRIGHT : HTTOP;
        if (pt.y >= rc.bottom)
            return pt.x < rc.left ? HTBOTTOMLEFT : pt.x >= rc.right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (pt.x < rc.left)
            return HTLEFT;
        if (pt.x >= rc.right)
            return HTRIGHT;
        return HTNOWHERE;
    }
    if (barPosition == xtpBarBottom)
        return pt.y < rc.top ? HTTOP : HTNOWHERE;
    const BOOL bSideways = barPosition == xtpBarLeft || barPosition == xtpBarRight || barPosition == xtpBarPopup;
    if (pt.y >= rc.bottom && !(bStretched && bSideways))
        return HTBOTTOM;
    if (barPosition != xtpBarRight) {
        if (pt.x >= rc.right && !(bStretched && barPosition == xtpBarTop))
            return HTRIGHT;
    } else if (pt.x < rc.left) {
        return HTLEFT;
    }
    return HTNOWHERE;
}

BOOL CXTPDialogBar::ResizeTo(CRect rcWindow, UINT nHitTest)
{
    const CSize szClient(rcWindow.Width() - m_rcBorders.left - m_rcBorders.right,
                         rcWindow.Height() - m_rcBorders.top - m_rcBorders.bottom - GetCaptionLineHeight());
    if (szClient.cx < m_szMinClient.cx || szClient.cy < m_szMinClient.cy)
        return FALSE;
    if (m_barPosition == xtpBarFloating) {
        m_szFloatingClient = szClient;
        CalcDynamicLayout(kNoWrapLength, LM_HORZ | LM_COMMIT);
        if (m_hWnd) {
            SetWindowPos(nullptr, rcWindow.left, rcWindow.top, rcWindow.Width(), rcWindow.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
            Invalidate(FALSE);
        }
        return TRUE;
    }
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
        m_szDockingClient.cx = szClient.cx;
    else
        m_szDockingClient.cy = szClient.cy;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->RecalcFrameLayout();
    return TRUE;
}

LRESULT CXTPDialogBar::OnNcHitTest(CPoint point)
{
    if (m_bResizable) {
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        const UINT nHit = HitTestEdges(rcWindow, m_barPosition, m_dwFlags, point);
        if (nHit != HTNOWHERE)
            return nHit;
    }
    const LRESULT nHit = CXTPToolBar::OnNcHitTest(point);
    if (nHit != HTCLIENT)
        return nHit;
    // The caption line is the bar's own; below it the mouse goes past the bar to what lies under it.
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    return ptClient.y < m_rcBorders.top + GetCaptionLineHeight() ? HTCLIENT : HTTRANSPARENT;
}

void CXTPDialogBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_bResizable && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        XTPHookManager()->CancelTracking();
        TrackResize(nHitTest, point);
        return;
    }
    CXTPToolBar::OnNcLButtonDown(nHitTest, point);
}

void CXTPDialogBar::TrackResize(UINT nHitTest, CPoint ptStart)
{
    if (::GetCapture())
        return;
    CRect rcStart;
    GetWindowRect(&rcStart);
    const BOOL bLeft = nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT;
    const BOOL bRight = nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT;
    const BOOL bTop = nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT;
    const BOOL bBottom = nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT;
    CXTPTrackingLoop().Run(m_hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        // Docked bars keep their place: the frame puts them where their new size goes.
        CRect rc = rcStart;
        const CSize offset = pt - ptStart;
        if (bLeft)
            rc.left += offset.cx;
        if (bRight)
            rc.right += offset.cx;
        if (bTop)
            rc.top += offset.cy;
        if (bBottom)
            rc.bottom += offset.cy;
        CRect rcNow;
        GetWindowRect(&rcNow);
        if (rc != rcNow)
            ResizeTo(rc, nHitTest);
        return CXTPTrackingLoop::kNext;
    });
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->GetOptions()->m_bDirty = TRUE;
}

void CXTPDialogBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (!m_hwndChild)
        return;
    const int nTop = m_rcBorders.top + GetCaptionLineHeight();
    ::SetWindowPos(m_hwndChild, nullptr, m_rcBorders.left, nTop, std::max<int>(0, cx - m_rcBorders.left - m_rcBorders.right),
                   std::max<int>(0, cy - nTop - m_rcBorders.bottom), SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hwndChild, nullptr, TRUE);
}

BOOL CXTPControlDialogBarCaption::HasCaptionPopup() const
{
    return m_pCommandBar && m_pCommandBar->GetControlCount() > 0;
}

void CXTPControlDialogBarCaption::OnClick(BOOL bKeyboard, CPoint point)
{
    if (HasCaptionPopup()) {
        CXTPControlPopup::OnClick(bKeyboard, point);
        return;
    }
    // Without a popup the caption is the bar's handle: a floating or docked bar moves by it.
    auto* pBar = dynamic_cast<CXTPToolBar*>(m_pParent);
    if (pBar && !bKeyboard && pBar->GetDragContext() && !IsCustomizeMode()) {
        CPoint ptScreen = point;
        pBar->ClientToScreen(&ptScreen);
        pBar->GetDragContext()->StartDrag(ptScreen);
    }
}

void CXTPControlDialogBarCaption::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    const BOOL bPopup = HasCaptionPopup();
    pDC->SetBkMode(TRANSPARENT);
    COLORREF clrText = pPaintManager->GetColor(COLOR_BTNTEXT);
    if (bPopup) {
        pPaintManager->DrawRectangle(pDC, m_rcControl, GetSelected(), GetPopuped(), GetEnabled(), FALSE, GetPopuped(),
                                     xtpBarTypeNormal, xtpBarTop);
        clrText = pDC->GetTextColor();
    }
    pDC->SetTextColor(clrText);
    CRect rcText = m_rcControl;
    rcText.left += 2;
    rcText.right -= bPopup ? 15 : 2;
    pDC->DrawText(GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (bPopup) {
        const int nRight = m_rcControl.right;
        const int nCentre = m_rcControl.CenterPoint().y;
        CXTPPaintManager::Triangle(pDC, CPoint(nRight - 13, nCentre - 2), CPoint(nRight - 5, nCentre - 2),
                                   CPoint(nRight - 9, nCentre + 2), clrText);
    }
}

void CXTPControlDialogBarClose::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (GetSelected() || GetPressed())
        pPaintManager->DrawRectangle(pDC, m_rcControl, GetSelected(), GetPressed(), GetEnabled(), FALSE, FALSE,
                                     xtpBarTypeNormal, xtpBarTop);
    CFont font;
    const HDC hdcScreen = ::GetDC(nullptr);
    const int nLogPixels = ::GetDeviceCaps(hdcScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdcScreen);
    font.CreatePointFont(::MulDiv(80, 96, nLogPixels), "Marlett");
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrText = pPaintManager->GetColor(COLOR_BTNTEXT);
    pDC->SetTextColor(clrText);
    char szFace[LF_FACESIZE] = {};
    ::GetTextFaceA(pDC->GetSafeHdc(), LF_FACESIZE, szFace);
    CRect rc = m_rcControl;
    if (lstrcmpiA(szFace, "Marlett") == 0) {
        pDC->DrawText("r", rc, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    } else {
        // Without the symbol font the cross is drawn: the same 7 x 7 pixels the glyph covers.
        const CPoint c = rc.CenterPoint();
        for (int i = -3; i <= 3; i++) {
            pDC->SetPixel(c.x + i, c.y + i, clrText);
            pDC->SetPixel(c.x + i + 1, c.y + i, clrText);
            pDC->SetPixel(c.x + i, c.y - i, clrText);
            pDC->SetPixel(c.x + i + 1, c.y - i, clrText);
        }
    }
    pDC->SelectObject(pOldFont);
}

void CXTPControlDialogBarClose::Execute()
{
    CXTPControlCloseButton::HideParentBar(this);
}
