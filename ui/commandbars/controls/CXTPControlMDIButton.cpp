// The menu bar's buttons of a maximised MDI child.
#include "CXTPControlMDIButton.h"

#include "AfxResource.h"
#include "CDC.h"
#include "CMenu.h"
#include "CXTPCommandBars.h"
#include "CXTPControls.h"
#include "CXTPMenuBar.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"

IMPLEMENT_DYNCREATE(CXTPControlMDIButton, CXTPControlButton)
IMPLEMENT_DYNCREATE(CXTPControlMDISysMenuPopup, CXTPControlPopup)

namespace {

const int kButtonSide = 16;

}  // namespace

CXTPControlMDIButton::CXTPControlMDIButton()
{
    m_dwFlags = 0x1B;
}

CSize CXTPControlMDIButton::GetSize(CDC* /*pDC*/)
{
    return CSize(kButtonSide, kButtonSide);
}

void CXTPControlMDIButton::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CRect rc = GetRect();
    pDC->FillSolidRect(rc, pPaintManager->GetColor(COLOR_BTNFACE));
    if (GetPressed() || GetSelected())
        pPaintManager->Draw3dRect(pDC, rc, GetPressed() ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT,
                                  GetPressed() ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    else
        pPaintManager->Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    // Marlett at 8 points on a 96-dpi scale keeps the glyph's pixel size.
    CFont font;
    font.CreatePointFont(MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSY)), "Marlett");
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(pPaintManager->GetColor(GetEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    CString strGlyph = GetParameter();
    ::DrawTextA(*pDC, strGlyph, strGlyph.GetLength(), &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SelectObject(pOldFont);
}

void CXTPControlMDIButton::Execute()
{
    CXTPMenuBar* pMenuBar =
        m_pParent && m_pParent->IsKindOf(RUNTIME_CLASS(CXTPMenuBar)) ? static_cast<CXTPMenuBar*>(m_pParent) : nullptr;
    CWnd* pChild = pMenuBar ? pMenuBar->GetActiveMdiChildWnd() : nullptr;
    if (!pChild)
        return;
    UINT nCommand = m_nId == XTP_ID_MENUBAR_MINIMIZE ? SC_MINIMIZE
                    : m_nId == XTP_ID_MENUBAR_RESTORE ? SC_RESTORE
                                                       : SC_CLOSE;
    pChild->PostMessage(WM_SYSCOMMAND, nCommand, 0);
}

CXTPControlMDISysMenuPopup::CXTPControlMDISysMenuPopup()
{
    m_dwFlags = 0x18;
}

CXTPControlMDISysMenuPopup::~CXTPControlMDISysMenuPopup()
{
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

void CXTPControlMDISysMenuPopup::SetMDIChild(HWND hWndChild, HMENU hSysMenu)
{
    m_hSysMenu = hSysMenu;
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    HICON hIcon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, WM_GETICON, ICON_SMALL, 0));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::SendMessageA(hWndChild, WM_GETICON, ICON_BIG, 0));
    if (!hIcon)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(hWndChild, GCLP_HICONSM));
    if (!hIcon)
        hIcon = ::LoadIconA(nullptr, IDI_WINLOGO);
    m_hIcon = static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0));

    CXTPPopupBar* pPopup = CXTPPopupBar::CreatePopupBar(m_pParent ? m_pParent->GetCommandBars() : nullptr);
    CXTPControls* pControls = pPopup->GetControls();
    CMenu* pMenu = CMenu::FromHandle(hSysMenu);
    BOOL bBeginGroup = FALSE;
    const int nCount = pMenu->GetMenuItemCount();
    const UINT nDefault = pMenu->GetDefaultItem(0, FALSE);
    for (int i = 0; i < nCount; i++) {
        const UINT nID = pMenu->GetMenuItemID(i);
        const UINT nState = pMenu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
        if (nState & MF_SEPARATOR) {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = nullptr;
        if (nID < 0xF000 || nID > 0xF1EF) {
            pControl = pControls->AddMenuItem(pMenu, i);
        } else {
            pControl = pControls->Add(xtpControlButton, static_cast<int>(nID));
            CString strText;
            pMenu->GetMenuString(static_cast<UINT>(i), strText, MF_BYPOSITION);
            pControl->SetCaption(strText);
            CString strPrompt;
            if (AfxLoadString(0xEF00 + ((nID - 0xF000) >> 4), strPrompt))
                pControl->SetDescription(strPrompt);
            pControl->SetDefaultItem(nID == nDefault);
            pControl->SetEnabled((nState & MF_DISABLED) == 0);
        }
        if (pControl && bBeginGroup) {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
    }
    SetCommandBar(pPopup);
    pPopup->InternalRelease();
}

CSize CXTPControlMDISysMenuPopup::GetSize(CDC* /*pDC*/)
{
    return CSize(16, 16);
}

void CXTPControlMDISysMenuPopup::Draw(CDC* pDC)
{
    CRect rc = GetRect();
    if (m_hIcon)
        ::DrawStateA(*pDC, nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0, rc.left, rc.top, 16, 16, DST_ICON);
}
