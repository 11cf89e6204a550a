// Popup shadows: strip windows beside their owner, their layered picture, and their list.
#include "CXTPShadowManager.h"

#include <algorithm>

#include "CDC.h"
#include "CXTPColorManager.h"
#include "CXTPCommandBar.h"
#include "CXTPControl.h"
#include "CXTPPaintManager.h"
#include "CXTPWindowHookTable.h"

BEGIN_MESSAGE_MAP(CXTPShadowWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {

const int kStrip = 4;  // the picture's strip, whatever the window's thickness

CXTPPaintManager* PaintManagerOf(CWnd* pOwner)
{
    auto* pBar = dynamic_cast<CXTPCommandBar*>(pOwner);
    return pBar ? pBar->GetPaintManager() : XTPPaintManager();
}

DWORD ShadowPixel(COLORREF clr, int nAlpha, double dFactor)
{
    auto channel = [&](int nValue) { return static_cast<DWORD>(static_cast<int>(nValue * dFactor)); };
    return (static_cast<DWORD>(nAlpha) << 24) | (channel(GetRValue(clr)) << 16) | (channel(GetGValue(clr)) << 8) |
           channel(GetBValue(clr));
}

}  // namespace

CXTPShadowManager* XTPShadowManager()
{
    // The subclass table is made first so that it outlives the manager, which leaves it at exit.
    XTPWindowHookTable();
    static CXTPShadowManager manager;
    return &manager;
}

CXTPShadowWnd::CXTPShadowWnd(CXTPShadowManager* pManager, BOOL bBottom, BOOL bLight, CWnd* pOwner)
    : m_pManager(pManager), m_bBottom(bBottom), m_bLight(bLight), m_pOwnerWnd(pOwner)
{
}

void CXTPShadowWnd::ComputePixels(DWORD* pPixels, int cx, int cy, BOOL bBottom, COLORREF clrShadow, BOOL bLight)
{
    const int k = bLight ? 1 : 2;
    const int nLength = bBottom ? cx : cy;
    for (int y = 0; y < cy; y++) {
        for (int x = 0; x < cx; x++) {
            int nAcross = bBottom ? y : x;  // 0 next to the owner
            int nAlong = bBottom ? x : y;
            int i = nAcross < kStrip ? kStrip - nAcross : 0;
            // Distance into the strip from its nearer end: 1 at the outermost pixel.
            int j = nAlong < kStrip ? nAlong + 1 : (nLength - nAlong <= kStrip ? nLength - nAlong : 0);
            DWORD dwPixel = 0;
            if (i > 0 && j > 0)
                dwPixel = ShadowPixel(clrShadow, 3 * k * i * j, 0.05 * i * j);
            else if (i > 0)
                dwPixel = ShadowPixel(clrShadow, 15 * k * i, i * 0.25);
            pPixels[y * cx + x] = dwPixel;
        }
    }
}

int CXTPShadowWnd::OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& /*lParam*/,
                                 LRESULT& /*lResult*/)
{
    if (nMessage == WM_SHOWWINDOW) {
        if (m_hWnd)
            ::ShowWindow(m_hWnd, wParam ? SW_SHOWNA : SW_HIDE);
    } else if (nMessage == WM_DESTROY) {
        XTPWindowHookTable()->RemoveHook(hWnd, this);
        m_pManager->RemoveOne(this);
    }
    return 0;
}

void CXTPShadowWnd::OnSize(UINT /*nType*/, int cx, int cy)
{
    if (m_pManager->IsLayered() && cx > 0 && cy > 0 && m_pOwnerWnd)
        UpdateLayeredPicture(cx, cy);
}

void CXTPShadowWnd::UpdateLayeredPicture(int cx, int cy)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap && pBits) {
        ComputePixels(static_cast<DWORD*>(pBits), cx, cy, m_bBottom, PaintManagerOf(m_pOwnerWnd)->m_clrShadowFactor,
                      m_bLight);
        HDC hdcMem = ::CreateCompatibleDC(hdcScreen);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        m_pManager->UpdateLayered(m_hWnd, hdcMem, SIZE{cx, cy}, POINT{0, 0});
        ::SelectObject(hdcMem, hOld);
        ::DeleteDC(hdcMem);
    }
    if (hBitmap)
        ::DeleteObject(hBitmap);
    ::ReleaseDC(nullptr, hdcScreen);
}

void CXTPShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, m_pManager->IsLayered() ? RGB(0, 0, 0) : GetManagedColor(COLOR_BTNSHADOW));
}

LRESULT CXTPShadowWnd::OnNcHitTest(CPoint /*point*/)
{
    return HTTRANSPARENT;
}

CXTPShadowManager::CXTPShadowManager()
{
    m_pfnUpdateLayeredWindow = reinterpret_cast<PFNUPDATELAYEREDWINDOW>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("USER32"), "UpdateLayeredWindow")));
}

CXTPShadowManager::CXTPShadowManager(BOOL bLayered) : CXTPShadowManager()
{
    if (!bLayered)
        m_pfnUpdateLayeredWindow = nullptr;
}

CXTPShadowManager::~CXTPShadowManager()
{
    while (!m_arrShadows.empty()) {
        CXTPShadowWnd* pShadow = m_arrShadows.back();
        if (pShadow->GetOwnerWnd() && pShadow->GetOwnerWnd()->GetSafeHwnd())
            XTPWindowHookTable()->RemoveHook(pShadow->GetOwnerWnd()->GetSafeHwnd(), pShadow);
        RemoveOne(pShadow);
    }
}

BOOL CXTPShadowManager::UpdateLayered(HWND hWnd, HDC hdcSrc, SIZE size, POINT ptSrc)
{
    if (!m_pfnUpdateLayeredWindow)
        return FALSE;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return m_pfnUpdateLayeredWindow(hWnd, nullptr, nullptr, &size, hdcSrc, &ptSrc, 0, &blend, ULW_ALPHA);
}

void CXTPShadowManager::SetShadow(CXTPCommandBar* pBar, CRect rcExclude)
{
    if (!pBar || !pBar->GetSafeHwnd() || pBar->IsCustomizeMode())
        return;
    BOOL bLight = pBar->GetPaintManager()->IsFlatToolBar();
    BOOL bSystem = FALSE;
    ::SystemParametersInfoA(SPI_GETDROPSHADOW, 0, &bSystem, 0);
    if (!bLight && !(IsLayered() && bSystem))
        return;
    CRect rcOwner;
    pBar->GetWindowRect(&rcOwner);
    CreateShadow(TRUE, rcOwner, rcExclude, pBar, bLight);
    CreateShadow(FALSE, rcOwner, rcExclude, pBar, bLight);
}

void CXTPShadowManager::SetShadow(CXTPControl* pControl)
{
    CXTPCommandBar* pParent = pControl ? pControl->GetParent() : nullptr;
    CXTPCommandBar* pPopup = pControl ? pControl->GetCommandBar() : nullptr;
    if (!pParent || !pParent->GetSafeHwnd() || !pPopup || pControl->IsCustomizeMode())
        return;
    BOOL bLight = pParent->GetPaintManager()->IsFlatToolBar();
    if (!bLight)
        return;
    CRect rcControl = pControl->GetRect();
    pParent->ClientToScreen(&rcControl);
    CreateShadow(TRUE, rcControl, CRect(0, 0, 0, 0), pPopup, bLight);
    CreateShadow(FALSE, rcControl, CRect(0, 0, 0, 0), pPopup, bLight);
}

void CXTPShadowManager::CreateShadow(BOOL bBottom, CRect rcOwner, CRect rcExclude, CWnd* pOwner, BOOL bLight)
{
    const int d = GetThickness();
    auto* pShadow = new CXTPShadowWnd(this, bBottom, bLight, pOwner);
    const char* lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
    DWORD dwExStyle = IsLayered() ? (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST) : (WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    if (!pShadow->CreateEx(dwExStyle, lpszClass, "", WS_POPUP, 0, 0, 0, 0, ::GetDesktopWindow(), nullptr)) {
        delete pShadow;
        return;
    }
    ::SetWindowRgn(pShadow->m_hWnd, nullptr, FALSE);

    CRect rc = bBottom ? CRect(rcOwner.left + d, rcOwner.bottom, rcOwner.right + d, rcOwner.bottom + d)
                       : CRect(rcOwner.right, rcOwner.top + d, rcOwner.right + d, rcOwner.bottom);
    // Adjoining shadows of the other orientation keep their place; this one stops where they start.
    for (CXTPShadowWnd* pOther : m_arrShadows) {
        if (pOther->IsBottom() == bBottom)
            continue;
        CRect rcOther;
        pOther->GetWindowRect(&rcOther);
        CRect rcCommon;
        if (!rcCommon.IntersectRect(rc, rcOther))
            continue;
        if (bBottom) {
            if (rcCommon.left > rc.left)
                rc.right = rcCommon.left;
            else
                rc.left = rcCommon.right;
        } else {
            if (rcCommon.top > rc.top)
                rc.bottom = rcCommon.top;
            else
                rc.top = rcCommon.bottom;
        }
    }
    pShadow->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_arrShadows.push_back(pShadow);

    // The region leaves out the button the popup hangs from (light shadows) and every owner.
    HRGN hRgn = ::CreateRectRgn(0, 0, rc.Width(), rc.Height());
    BOOL bCut = FALSE;
    auto cut = [&](CRect rcCut) {
        CRect rcCommon;
        if (rcCut.IsRectEmpty() || !rcCommon.IntersectRect(rc, rcCut))
            return;
        rcCommon.OffsetRect(-rc.left, -rc.top);
        HRGN hCut = ::CreateRectRgnIndirect(&rcCommon);
        ::CombineRgn(hRgn, hRgn, hCut, RGN_DIFF);
        ::DeleteObject(hCut);
        bCut = TRUE;
    };
    if (bLight)
        cut(rcExclude);
    for (CXTPShadowWnd* pOther : m_arrShadows) {
        CWnd* pOtherOwner = pOther->GetOwnerWnd();
        if (pOtherOwner && pOtherOwner->GetSafeHwnd()) {
            CRect rcOwnerWnd;
            pOtherOwner->GetWindowRect(&rcOwnerWnd);
            cut(rcOwnerWnd);
        }
    }
    if (bCut)
        ::SetWindowRgn(pShadow->m_hWnd, hRgn, FALSE);
    else
        ::DeleteObject(hRgn);

    ::SetWindowPos(pShadow->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (pOwner && pOwner->GetSafeHwnd())
        XTPWindowHookTable()->SetHook(pOwner->GetSafeHwnd(), pShadow);
}

void CXTPShadowManager::RemoveShadow(CWnd* pOwner)
{
    std::vector<CXTPShadowWnd*> arrShadows = m_arrShadows;
    for (CXTPShadowWnd* pShadow : arrShadows) {
        if (pShadow->GetOwnerWnd() != pOwner)
            continue;
        if (pOwner && pOwner->GetSafeHwnd())
            XTPWindowHookTable()->RemoveHook(pOwner->GetSafeHwnd(), pShadow);
        RemoveOne(pShadow);
    }
}

void CXTPShadowManager::RemoveOne(CXTPShadowWnd* pShadow)
{
    auto it = std::find(m_arrShadows.begin(), m_arrShadows.end(), pShadow);
    if (it == m_arrShadows.end())
        return;
    if (pShadow->GetSafeHwnd())
        pShadow->ShowWindow(SW_HIDE);
    pShadow->ClearOwner();
    m_arrShadows.erase(it);
    if (m_arrShadows.empty())
        m_arrShadows.shrink_to_fit();
    if (pShadow->GetSafeHwnd())
        pShadow->DestroyWindow();
    delete pShadow;
}
