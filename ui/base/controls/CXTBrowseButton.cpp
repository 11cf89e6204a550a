// The browse button: its creation beside the edit, its glyph, and its click handed to the edit.
#include "CXTBrowseButton.h"

#include <commctrl.h>

#include "CDC.h"
#include "CXTBrowseEdit.h"
#include "CXTPImageManagerIcon.h"
#include "CXTSystemData.h"
#include "InterfaceTexts.h"
#include "ResourceIds.h"
#include "XTPResourceHandles.h"

IMPLEMENT_DYNCREATE(CXTBrowseButton, CXTButton)

namespace {
const UINT kGlyphBitmap = XT_IDB_CONTROL_GLYPHS;  // eight 11 x 11 glyphs on magenta
const int kGlyphSize = 11;
const int kMenuGlyph = 4;        // the fifth

HICON LoadMenuGlyph()
{
    HMODULE module = XTPGetResourceHandle();
    if (!module || !::FindResourceA(module, MAKEINTRESOURCEA(kGlyphBitmap), RT_BITMAP))
        module = ::GetModuleHandleA(nullptr);
    HIMAGELIST list = ImageList_LoadImageA(module, MAKEINTRESOURCEA(kGlyphBitmap), kGlyphSize, 0, RGB(255, 0, 255),
                                           IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!list)
        return nullptr;
    HICON icon = ImageList_GetImageCount(list) > kMenuGlyph ? ImageList_GetIcon(list, kMenuGlyph, ILD_NORMAL) : nullptr;
    ImageList_Destroy(list);
    return icon;
}
}  // namespace

void CXTBrowseButtonTheme::DrawButtonImage(CDC* pDC, UINT nState, const CRect& rcItem, CXTButton* pButton)
{
    CXTPImageManagerIcon* icon = pButton->GetIcon();
    if (!GetShowImage() || !icon)
        return;
    CPoint pt = CalcImagePosition(pDC, nState, rcItem, pButton);
    const BOOL pressed = pButton->GetChecked() || (nState & ODS_SELECTED);
    if (pressed)
        pt += CPoint(1, 1);
    const CSize size = pButton->m_sizeImage;
    if (nState & ODS_DISABLED)
        pDC->DrawState(pt, size, icon->GetIcon().GetIcon(), DST_ICON | DSS_DISABLED, (HBRUSH)nullptr);
    else if (!pButton->IsHot() && !pressed)
        pDC->DrawState(pt, size, icon->GetIcon().GetIcon(), DST_ICON, (HBRUSH)nullptr);
    else
        pDC->DrawState(pt, size, icon->GetHotIcon().GetIcon(), DST_ICON, (HBRUSH)nullptr);
}

CXTBrowseButton::CXTBrowseButton()
{
    m_dwxStyle = 0;
}

CXTBrowseButton::~CXTBrowseButton()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

BOOL CXTBrowseButton::Create(CXTBrowseEdit* pEdit, DWORD dwBStyle, UINT nID, UINT nMenu, int nSubMenu)
{
    m_pEdit = pEdit;
    m_dwBStyle = dwBStyle;
    m_nMenu = nMenu;
    m_nSubMenu = nSubMenu;
    DWORD style = WS_CHILD | BS_OWNERDRAW | BS_CENTER | BS_VCENTER | WS_TABSTOP;
    if (pEdit->GetStyle() & WS_VISIBLE)
        style |= WS_VISIBLE;
    const char* caption = FindInterfaceText(IDS_BROWSE_BUTTON_TEXT);
    const BOOL popup = (dwBStyle & BES_XT_POPUPMENU) != 0;
    if (!CButton::Create(popup ? "" : (caption ? caption : "..."), style, CRect(0, 0, 0, 0), pEdit->GetParent(), nID))
        return FALSE;
    SetTheme(new CXTBrowseButtonTheme);
    SetFont((HFONT)XTSystemData()->font.GetSafeHandle());
    if (popup) {
        m_hIcon = LoadMenuGlyph();
        if (m_hIcon)
            SetIcon(CSize(kGlyphSize, kGlyphSize), m_hIcon, nullptr, FALSE);
    }
    return TRUE;
}

BOOL CXTBrowseButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && m_pEdit) {
        m_pEdit->OnBrowse();
        return TRUE;
    }
    return CXTButton::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CXTBrowseButton::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_KEYDOWN && wParam == VK_RETURN && m_pEdit) {
        m_pEdit->OnBrowse();
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_GETDLGCODE) {
        // Enter typed on the button browses instead of pressing the dialog's default button.
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        *pResult = Default();
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
            *pResult |= DLGC_WANTMESSAGE;
        return TRUE;
    }
    return CXTButton::OnWndMsg(message, wParam, lParam, pResult);
}
