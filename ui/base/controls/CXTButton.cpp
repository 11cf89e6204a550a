// The themed push button: images, hot tracking, buffered painting and the text without mnemonics.
#include "CXTButton.h"

#include "CDC.h"
#include "CXTButtonTheme.h"
#include "CXTPBufferDC.h"
#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPImageManager.h"
#include "CXTPImageManagerIcon.h"
#include "CXTSystemData.h"
#include "XTPResourceHandles.h"

IMPLEMENT_DYNCREATE(CXTButton, CButton)

namespace {
const UINT_PTR kHoverTimer = 1;

// The module that holds a resource: the library's, else the program's.
HINSTANCE ResourceModuleOf(UINT nID, LPCSTR lpType)
{
    HMODULE library = XTPGetResourceHandle();
    if (library && ::FindResourceA(library, MAKEINTRESOURCEA(nID), lpType))
        return library;
    return ::GetModuleHandleA(nullptr);
}
}  // namespace

CXTButton::CXTButton() : CXTThemeManagerStyleHost(RUNTIME_CLASS(CXTButtonThemeFactory)) {}

CXTButton::~CXTButton()
{
    if (m_pIcon)
        m_pIcon->InternalRelease();
}

CXTButtonTheme* CXTButton::GetTheme()
{
    return dynamic_cast<CXTButtonTheme*>(GetSafeTheme());
}

void CXTButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0x0F, BS_OWNERDRAW);
}

void CXTButton::OnThemeChanged()
{
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CXTButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (CXTButtonTheme* theme = GetTheme())
        theme->DrawItem(lpDIS, this);
}

BOOL CXTButton::SetIcon(CSize size, HICON hIcon, HICON hHotIcon, BOOL bRedraw)
{
    if (!hIcon)
        return FALSE;
    if (size.cx == 0 && size.cy == 0)
        size = CXTPImageManagerIcon::GetIconSize(hIcon);
    m_sizeImage = size;
    if (m_pIcon)
        m_pIcon->InternalRelease();
    m_pIcon = new CXTPImageManagerIcon(0, size.cx, size.cy);
    m_pIcon->SetIcon(CXTPImageManagerIconHandle(hIcon));
    if (hHotIcon)
        m_pIcon->SetHotIcon(CXTPImageManagerIconHandle(hHotIcon));
    if (bRedraw && GetSafeHwnd())
        Invalidate();
    return TRUE;
}

BOOL CXTButton::SetIcon(CSize size, UINT nID, UINT nHotID, BOOL bRedraw)
{
    ResetImage();
    HINSTANCE module = ResourceModuleOf(nID, RT_GROUP_ICON);
    HICON icon = (HICON)::LoadImageA(module, MAKEINTRESOURCEA(nID), IMAGE_ICON, size.cx, size.cy, 0);
    if (!icon)
        return FALSE;
    HICON hot = nHotID ? (HICON)::LoadImageA(ResourceModuleOf(nHotID, RT_GROUP_ICON),
                                             MAKEINTRESOURCEA(nHotID), IMAGE_ICON, size.cx, size.cy, 0)
                       : nullptr;
    const BOOL result = SetIcon(size, icon, hot, bRedraw);
    ::DestroyIcon(icon);
    if (hot)
        ::DestroyIcon(hot);
    return result;
}

BOOL CXTButton::SetIcon(int cx, int cy, WORD wID, WORD wHotID, BOOL bRedraw)
{
    return SetIcon(CSize(cx, cy), (UINT)wID, (UINT)wHotID, bRedraw);
}

BOOL CXTButton::SetBitmap(CSize size, UINT nID, BOOL bRedraw)
{
    if (CXTPImageManager::IsAlphaBitmapResource(nID)) {
        HBITMAP bitmap = CXTPImageManager::LoadAlphaBitmap(nID);
        if (!bitmap)
            return FALSE;
        if (m_pIcon)
            m_pIcon->InternalRelease();
        m_pIcon = new CXTPImageManagerIcon(0, size.cx, size.cy);
        CXTPImageManagerIconHandle handle;
        handle.AttachBitmap(bitmap);
        m_pIcon->SetIcon(handle);
        m_sizeImage = (size.cx || size.cy) ? size : handle.GetExtent();
        if (bRedraw && GetSafeHwnd())
            Invalidate();
        return TRUE;
    }
    HBITMAP bitmap = (HBITMAP)::LoadImageA(ResourceModuleOf(nID, RT_BITMAP), MAKEINTRESOURCEA(nID),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!bitmap)
        return FALSE;
    HICON icon = CXTPDrawHelpers::CreateIconFromBitmap(bitmap);
    ::DeleteObject(bitmap);
    if (!icon)
        return FALSE;
    const BOOL result = SetIcon(size, icon, nullptr, bRedraw);
    ::DestroyIcon(icon);
    return result;
}

void CXTButton::SetTextAndImagePos(CPoint ptImage, CPoint ptText, BOOL bRedraw)
{
    m_ptImage = ptImage;
    m_ptText = ptText;
    m_bUserPosition = TRUE;
    if (bRedraw && GetSafeHwnd())
        Invalidate();
}

DWORD CXTButton::SetXButtonStyle(DWORD dwStyle, BOOL bRedraw)
{
    const DWORD old = m_dwxStyle;
    m_dwxStyle = dwStyle;
    if (dwStyle & BS_XT_XPFLAT) {
        CXTButtonThemeXP* theme = new CXTButtonThemeXP;
        theme->m_nThemeId = 1;
        SetTheme(theme);
    } else if (dwStyle & BS_XT_FLAT) {
        SetTheme(new CXTButtonTheme);
    } else {
        SetTheme(nullptr);
    }
    if (bRedraw && GetSafeHwnd())
        Invalidate();
    return old;
}

void CXTButton::SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText)
{
    if (CXTButtonTheme* theme = GetTheme())
        theme->SetColors(clrFace, clrLight, clrShadow, clrText);
}

void CXTButton::SetFaceColor(COLORREF clr)
{
    if (CXTButtonTheme* theme = GetTheme())
        theme->SetFaceColor(clr);
}

COLORREF CXTButton::GetFaceColor()
{
    CXTButtonTheme* theme = GetTheme();
    return theme ? theme->GetFaceColor() : XTSystemData()->clr[0];
}

void CXTButton::SetLightColor(COLORREF clr)
{
    if (CXTButtonTheme* theme = GetTheme())
        theme->SetLightColor(clr);
}

void CXTButton::SetShadowColor(COLORREF clr)
{
    if (CXTButtonTheme* theme = GetTheme())
        theme->SetShadowColor(clr);
}

void CXTButton::SetTextColor(COLORREF clr)
{
    if (CXTButtonTheme* theme = GetTheme())
        theme->SetTextColor(clr);
}

void CXTButton::SetXPColors(COLORREF clrBorder, COLORREF clrHotFill, COLORREF clrPushedFill)
{
    CXTButtonTheme* theme = GetTheme();
    if (!theme || theme->m_nThemeId != 1)
        return;
    auto* xp = static_cast<CXTButtonThemeXP*>(theme);
    xp->SetLightColor(clrBorder);
    xp->SetShadowColor(clrBorder);
    xp->SetHotFillColor(clrHotFill);
    xp->SetPushedFillColor(clrPushedFill);
}

void CXTButton::ToggleImage()
{
    if (CXTButtonTheme* theme = GetTheme()) {
        theme->SetShowImage(!theme->GetShowImage());
        if (GetSafeHwnd())
            Invalidate();
    }
}

HFONT CXTButton::SetFont(HFONT hFont)
{
    HFONT old = GetSafeHwnd() ? (HFONT)SendMessage(WM_GETFONT) : nullptr;
    if (GetSafeHwnd())
        SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
    return old;
}

void CXTButton::ResetImage()
{
    if (m_pIcon)
        m_pIcon->Refresh();
}

void CXTButton::SetChecked(BOOL bChecked)
{
    m_bChecked = bChecked;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

CString CXTButton::RemoveMnemonics(const CString& strText)
{
    CString result;
    const int length = strText.GetLength();
    for (int i = 0; i < length; ++i) {
        const char ch = strText[i];
        if (ch == '&' && i + 1 < length) {
            if (strText[i + 1] == '&') {
                result += "&&";
                ++i;
            }
            continue;
        }
        result += ch;
    }
    return result;
}

CString CXTButton::GetButtonText(BOOL bRemoveMnemonics)
{
    CString text;
    if (GetSafeHwnd())
        GetWindowText(text);
    return bRemoveMnemonics ? RemoveMnemonics(text) : text;
}

void CXTButton::OnHoverTimer()
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (!m_bLBtnDown && window.PtInRect(cursor)) {
        m_bHot = TRUE;
        if (!m_bPainted) {
            m_bPainted = TRUE;
            Invalidate(FALSE);
        }
        return;
    }
    KillTimer(kHoverTimer);
    m_bHot = FALSE;
    if (m_bPainted) {
        m_bPainted = FALSE;
        Invalidate(FALSE);
    }
}

void CXTButton::OnPaintButton()
{
    CPaintDC paintDC(this);
    CRect client;
    GetClientRect(&client);
    CXTMemDC memDC(&paintDC, client, GetManagedColor(COLOR_BTNFACE));
    DefWindowProc(WM_PAINT, (WPARAM)memDC.GetSafeHdc(), 0);
}

BOOL CXTButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_CREATE:
        ModifyStyle(0x0F, BS_OWNERDRAW);
        break;
    case WM_MOUSEMOVE: {
        CXTButtonTheme* theme = GetTheme();
        if (theme && theme->IsHotTracking(this)) {
            SetTimer(kHoverTimer, 10);
            OnHoverTimer();
        }
        break;
    }
    case WM_TIMER:
        if (wParam == kHoverTimer) {
            OnHoverTimer();
            *pResult = 0;
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
        const BOOL down = message == WM_LBUTTONDOWN;
        if (m_bLBtnDown != down) {
            m_bLBtnDown = down;
            Invalidate(FALSE);
        }
        break;
    }
    case WM_LBUTTONDBLCLK: {
        // A double click is a second press.
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        *pResult = SendMessage(WM_LBUTTONDOWN, wParam, MAKELPARAM(cursor.x, cursor.y));
        return TRUE;
    }
    case WM_PAINT:
        OnPaintButton();
        *pResult = 0;
        return TRUE;
    case WM_SYSCOLORCHANGE:
        if (CXTButtonTheme* theme = GetTheme())
            theme->RefreshMetrics();
        break;
    }
    return CButton::OnWndMsg(message, wParam, lParam, pResult);
}
