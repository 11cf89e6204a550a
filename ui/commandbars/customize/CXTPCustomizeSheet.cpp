// The customize sheet: construction with its pages and picture library, the modal run in customize
// mode, Alt+mnemonic tabs, and the context menu of the customized control with its commands.
#include "CXTPCustomizeSheet.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CGdiObject.h"
#include "CMenu.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControl.h"
#include "CXTPControlEdit.h"
#include "CXTPControlPopup.h"
#include "CXTPControls.h"
#include "CXTPCustomizeButtonImage.h"
#include "CXTPCustomizeCommandsPage.h"
#include "CXTPCustomizeDropSource.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPCustomizeHooks.h"
#include "CXTPCustomizeToolbarsPage.h"
#include "CXTPImageManager.h"
#include "CXTPImageManagerIcon.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPResourceManager.h"
#include "CXTPShortcutManager.h"
#include "ResourceIds.h"

namespace {

// The context menu's commands.
enum {
    ID_RESET = XTP_ID_CUSTOMIZE_RESET,
    ID_DELETE = XTP_ID_CUSTOMIZE_DELETE,
    ID_NAME = XTP_ID_CUSTOMIZE_NAME,
    ID_COPY_IMAGE = XTP_ID_CUSTOMIZE_COPYIMAGE,
    ID_PASTE_IMAGE = XTP_ID_CUSTOMIZE_PASTEIMAGE,
    ID_RESET_IMAGE = XTP_ID_CUSTOMIZE_RESETIMAGE,
    ID_EDIT_IMAGE = XTP_ID_CUSTOMIZE_EDITIMAGE,
    ID_CHANGE_IMAGE = XTP_ID_CUSTOMIZE_CHANGEIMAGE,
    ID_STYLE_DEFAULT = XTP_ID_CUSTOMIZE_DEFAULTSTYLE,
    ID_STYLE_IMAGE_TEXT = XTP_ID_CUSTOMIZE_IMAGEANDTEXT,
    ID_STYLE_TEXT = XTP_ID_CUSTOMIZE_TEXTONLY,
    ID_BEGIN_GROUP = XTP_ID_CUSTOMIZE_BEGINAGROUP
};

BOOL IsButtonKind(const CXTPControl* pControl)
{
    const XTPControlType type = pControl->GetType();
    return type >= xtpControlButton && type <= xtpControlSplitButtonPopup;
}

} // namespace

IMPLEMENT_DYNAMIC(CXTPCustomizeSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CXTPCustomizeSheet, CPropertySheet)
    ON_MESSAGE(WM_CMDBARS_EXECUTE, OnExecute)
    ON_MESSAGE(WM_CMDBARS_INITPOPUP, OnInitPopup)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_COMMAND(ID_RESET, OnReset)
    ON_COMMAND(ID_DELETE, OnDelete)
    ON_COMMAND(ID_COPY_IMAGE, OnCopyImage)
    ON_COMMAND(ID_PASTE_IMAGE, OnPasteImage)
    ON_COMMAND(ID_RESET_IMAGE, OnResetImage)
    ON_COMMAND(ID_EDIT_IMAGE, OnEditImage)
    ON_COMMAND_RANGE(ID_STYLE_DEFAULT, ID_STYLE_TEXT, OnStyle)
    ON_COMMAND(ID_BEGIN_GROUP, OnBeginGroup)
    ON_UPDATE_COMMAND_UI(ID_RESET, OnUpdateReset)
    ON_UPDATE_COMMAND_UI(ID_COPY_IMAGE, OnUpdatePicture)
    ON_UPDATE_COMMAND_UI(ID_PASTE_IMAGE, OnUpdatePaste)
    ON_UPDATE_COMMAND_UI(ID_RESET_IMAGE, OnUpdateResetImage)
    ON_UPDATE_COMMAND_UI(ID_EDIT_IMAGE, OnUpdatePicture)
    ON_UPDATE_COMMAND_UI(ID_CHANGE_IMAGE, OnUpdatePicture)
    ON_UPDATE_COMMAND_UI_RANGE(ID_STYLE_DEFAULT, ID_STYLE_TEXT, OnUpdateStyle)
    ON_UPDATE_COMMAND_UI(ID_BEGIN_GROUP, OnUpdateBeginGroup)
    ON_UPDATE_COMMAND_UI(ID_NAME, OnUpdateName)
END_MESSAGE_MAP()

CXTPCustomizeSheet::CXTPCustomizeSheet(CXTPCommandBars* pCommandBars)
    : m_pSiteFrame(pCommandBars ? pCommandBars->GetSite() : nullptr), m_pCommandBars(pCommandBars)
{
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, IDS_CUSTOMIZE_CAPTION);
    m_strCaption = strCaption;
    m_pParentWnd = m_pSiteFrame;

    m_pToolbarsPage = new CXTPCustomizeToolbarsPage(this);
    AddPage(m_pToolbarsPage);
    m_pCommandsPage = new CXTPCustomizeCommandsPage(this);
    AddPage(m_pCommandsPage);

    // One 16 x 16 picture per 16 pixels of the bitmap's width, ids from 1.
    m_pPictureLibrary = new CXTPImageManager;
    CBitmap bmpPictures;
    BITMAP bm = {};
    if (XTPResourceManager()->LoadBitmap(&bmpPictures, kPicturesID) && bmpPictures.GetBitmap(&bm) && bm.bmWidth >= 16) {
        std::vector<UINT> ids(static_cast<size_t>(bm.bmWidth / 16));
        for (size_t i = 0; i < ids.size(); i++)
            ids[i] = static_cast<UINT>(i + 1);
        if (m_pPictureLibrary->SetIconsFromBitmap(bmpPictures, ids.data(), static_cast<int>(ids.size()), 16, 16,
                                                  CXTPImageManager::stateNormal, FALSE))
            m_nPictures = static_cast<int>(ids.size());
    }

    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    BuildContextMenu();
}

CXTPCustomizeSheet::~CXTPCustomizeSheet()
{
    delete m_pToolbarsPage;
    delete m_pCommandsPage;
    if (m_pContextMenu) {
        if (m_pContextMenu->GetSafeHwnd())
            m_pContextMenu->DestroyWindow();
        m_pContextMenu->InternalRelease();
    }
    if (m_pPictureLibrary)
        m_pPictureLibrary->InternalRelease();
}

void CXTPCustomizeSheet::AddPage(CPropertyPage* pPage)
{
    CPropertySheet::AddPage(pPage);
    if (!pPage || !IS_INTRESOURCE(pPage->m_psp.pszTemplate))
        return;
    // A template in the current language, which the resource manager may supply from elsewhere.
    if (LPCDLGTEMPLATE pTemplate = XTPResourceManager()->LoadDialogTemplate(pPage->m_psp.pszTemplate)) {
        pPage->m_psp.pResource = pTemplate;
        pPage->m_psp.dwFlags |= PSP_DLGINDIRECT;
    }
}

void CXTPCustomizeSheet::BuildContextMenu()
{
    CMenu menu;
    if (!XTPResourceManager()->LoadMenu(&menu, kContextMenuID))
        return;
    HMENU hItems = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    if (!hItems)
        return;

    // Tied to the frame, not to the host: the host is in customize mode, the menu must not be.
    m_pContextMenu = CXTPPopupBar::CreatePopupBar(nullptr);
    m_pContextMenu->SetOwner(this);
    m_pContextMenu->SetSiteWnd(this);
    if (CXTPPaintManager* pPaintManager = m_pCommandBars ? m_pCommandBars->GetPaintManager() : nullptr) {
        pPaintManager->InternalAddRef();
        m_pContextMenu->SetPaintManager(pPaintManager);
    }
    m_pContextMenu->SetImageManager(m_pPictureLibrary);
    m_pPictureLibrary->InternalAddRef();
    m_pContextMenu->SetContextMenuOverOthers(TRUE);

    CXTPControls* pControls = m_pContextMenu->GetControls();
    BOOL bBeginGroup = FALSE;
    const int nCount = ::GetMenuItemCount(hItems);
    for (int i = 0; i < nCount; i++) {
        char szText[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        if (!::GetMenuItemInfoA(hItems, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.fType & MFT_SEPARATOR) {
            bBeginGroup = TRUE;
            continue;
        }
        CXTPControl* pControl = nullptr;
        if (info.wID == ID_CHANGE_IMAGE) {
            // A submenu keeps no id of its own; this one's id takes the picture rule.
            pControl = pControls->AddControl(CXTPControlPopup::CreateControlPopup(xtpControlPopup), ID_CHANGE_IMAGE);
            CXTPPopupToolBar* pPictures = CXTPPopupToolBar::CreatePopupToolBar(nullptr);
            pPictures->SetBarID(kPicturesID);
            pPictures->SetImageManager(m_pPictureLibrary);
            m_pPictureLibrary->InternalAddRef();
            static_cast<CXTPControlPopup*>(pControl)->SetCommandBar(pPictures);
            pPictures->InternalRelease();
        } else if (info.wID == ID_NAME) {
            pControl = pControls->AddControl(new CXTPControlEdit, ID_NAME);
        } else {
            pControl = pControls->Add(xtpControlButton, static_cast<int>(info.wID));
        }
        if (!pControl)
            continue;
        pControl->SetCaption(szText);
        pControl->SetBeginGroup(bBeginGroup);
        bBeginGroup = FALSE;
    }
}

CXTPControl* CXTPCustomizeSheet::GetDragControl() const
{
    return m_pCommandBars ? m_pCommandBars->GetDragControl() : nullptr;
}

void CXTPCustomizeSheet::RecalcBar(CXTPControl* pControl)
{
    if (CXTPCommandBar* pBar = pControl->GetParent())
        pBar->OnRecalcLayout();
}

INT_PTR CXTPCustomizeSheet::DoModal()
{
    if (CXTPCustomizeHooks::GetRunningSheet() || m_hWnd || !m_pCommandBars)
        return IDCANCEL;

    m_pCommandBars->SetCustomizeMode(TRUE);
    // Drags of controls hold the mouse in the sheet while it runs.
    m_pCommandBars->GetDropSource()->SetDragWnd(this);
    CXTPCustomizeHooks::Install(this, m_pCommandBars);
    if (HWND hWndCapture = ::GetCapture())
        ::SendMessageA(hWndCapture, WM_CANCELMODE, 0, 0);

    // Made modeless over a frame that stays enabled: the hooks decide what reaches it.
    m_bModeless = FALSE;
    m_nModalResult = -1;
    if (CreateSheetWindow(m_pSiteFrame ? m_pSiteFrame->GetSafeHwnd() : nullptr)) {
        m_bContinueModal = TRUE;
        RunModalLoop();
        m_bContinueModal = FALSE;
    }

    if (m_hWnd) {
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    CXTPCustomizeHooks::Remove();
    if (m_hWnd) {
        const BOOL bActive = ::GetActiveWindow() == m_hWnd;
        DestroyWindow();
        if (bActive && m_pSiteFrame && m_pSiteFrame->GetSafeHwnd())
            ::SetActiveWindow(m_pSiteFrame->GetSafeHwnd());
    }
    m_pCommandBars->SetCustomizeMode(FALSE);
    m_pCommandBars->GetDropSource()->SetDragWnd(nullptr);
    return m_nModalResult;
}

BOOL CXTPCustomizeSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    if (HWND hWndOK = ::GetDlgItem(m_hWnd, IDOK))
        ::ShowWindow(hWndOK, SW_HIDE);
    CString strClose;
    if (XTPResourceManager()->LoadString(&strClose, IDS_CUSTOMIZE_CLOSE))
        ::SetDlgItemTextA(m_hWnd, IDCANCEL, strClose);
    return bResult;
}

LRESULT CXTPCustomizeSheet::OnKickIdle(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The pages' lists update their state (the bars shown) while the sheet is idle.
    if (CPropertyPage* pPage = GetActivePage()) {
        pPage->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        pPage->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return 0;
}

void CXTPCustomizeSheet::ContextMenu(CPoint point)
{
    if (!m_pContextMenu)
        return;
    CXTPControl* pControl = GetDragControl();
    if (auto* pName = dynamic_cast<CXTPControlEdit*>(m_pContextMenu->GetControls()->FindControl(ID_NAME)))
        pName->SetEditText(pControl ? static_cast<const char*>(pControl->GetCaption()) : "");
    const BOOL bRTL = m_pSiteFrame && m_pSiteFrame->GetSafeHwnd() && (m_pSiteFrame->GetExStyle() & WS_EX_LAYOUTRTL);
    // The sheet owns the menu too: its popups' opening notifications come here.
    CXTPCommandBars::TrackPopupBar(m_pContextMenu, bRTL ? TPM_RIGHTALIGN : 0, point.x, point.y, this, nullptr, this);
}

BOOL CXTPCustomizeSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const BOOL bCommand = nCode == CN_COMMAND || nCode == CN_UPDATE_COMMAND_UI;
    if (!bCommand || (nID >= ID_RESET && nID <= ID_BEGIN_GROUP))
        return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return m_pSiteFrame && m_pSiteFrame->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CXTPCustomizeSheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSKEYDOWN) {
        HWND hWndTabs = m_hWnd ? reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL)) : nullptr;
        const int nTabs = hWndTabs ? static_cast<int>(::SendMessageA(hWndTabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
        for (int i = 0; i < nTabs; i++) {
            char szText[256] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = szText;
            item.cchTextMax = sizeof(szText);
            if (!::SendMessageA(hWndTabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
                continue;
            const char* pAmp = std::strrchr(szText, '&');
            if (!pAmp || !pAmp[1])
                continue;
            if (CXTPShortcutManager::KeyToChar(static_cast<BYTE>(pAmp[1])) ==
                CXTPShortcutManager::KeyToChar(LOBYTE(pMsg->wParam))) {
                SetActivePage(i);
                return TRUE;
            }
        }
    }
    return CPropertySheet::PreTranslateMessage(pMsg);
}

// ---- The context menu's commands ----

LRESULT CXTPCustomizeSheet::OnExecute(WPARAM wParam, LPARAM lParam)
{
    const auto* pNotify = reinterpret_cast<const NMXTPCONTROL*>(lParam);
    CXTPControl* pControl = pNotify ? pNotify->pControl : nullptr;
    const UINT nID = static_cast<UINT>(wParam);
    if (nID == ID_NAME) {
        Rename(pControl);
        return TRUE;
    }
    if (nID == ID_CHANGE_IMAGE) {
        SetPicture(pControl);
        return TRUE;
    }
    if (nID >= ID_RESET && nID <= ID_BEGIN_GROUP)
        return FALSE;  // sent on as WM_COMMAND, to the handlers below
    // Anything else is the frame's.
    XTPHookManager()->CancelTracking();
    if (!m_pSiteFrame || !m_pSiteFrame->GetSafeHwnd())
        return TRUE;
    if (!m_pSiteFrame->SendMessage(WM_CMDBARS_EXECUTE, wParam, lParam))
        m_pSiteFrame->SendMessage(WM_COMMAND, wParam, 0);
    return TRUE;
}

LRESULT CXTPCustomizeSheet::OnInitPopup(WPARAM /*wParam*/, LPARAM lParam)
{
    // The context menu's own items take their states from the handlers below as it opens.
    auto* pPopup = reinterpret_cast<CXTPPopupBar*>(lParam);
    if (!pPopup || pPopup->GetBarID() != kPicturesID || pPopup->GetControlCount() > 0)
        return 0;
    const int nPictures = m_nPictures;
    for (int i = 1; i <= nPictures; i++) {
        CXTPControl* pPicture = pPopup->GetControls()->Add(xtpControlButton, kPicturesID);
        pPicture->SetIconId(i);
    }
    pPopup->SetMRUWidth(23 * static_cast<int>(std::sqrt(static_cast<double>(nPictures))) + 6);
    return 0;
}

void CXTPCustomizeSheet::Rename(CXTPControl* pEdit)
{
    auto* pName = dynamic_cast<CXTPControlEdit*>(pEdit);
    CXTPControl* pControl = GetDragControl();
    if (!pName || !pControl)
        return;
    // A custom caption, which Reset takes back.
    pControl->SetCustomCaption(pName->GetEditText());
    RecalcBar(pControl);
}

void CXTPCustomizeSheet::SetPicture(CXTPControl* pPicture)
{
    CXTPControl* pControl = GetDragControl();
    if (!pPicture || !pControl || !m_pCommandBars)
        return;
    CXTPImageManagerIconSet* pSet = m_pPictureLibrary->GetIconSet(static_cast<UINT>(pPicture->GetIconId()));
    CXTPImageManagerIcon* pIcon = pSet && pSet->GetIcons().GetCount() == 1 ? pSet->GetIcon(16) : nullptr;
    if (!pIcon)
        return;
    const UINT nCustom = m_pCommandBars->GetImageManager()->AddCustomIcon(pIcon->GetIcon());
    if (nCustom == 0)
        return;
    pControl->SetCustomIconId(static_cast<int>(nCustom));
    RecalcBar(pControl);
}

void CXTPCustomizeSheet::OnReset()
{
    CXTPControl* pControl = GetDragControl();
    if (!pControl)
        return;
    pControl->SetCustomIconId(0);
    pControl->SetCustomCaption("");
    pControl->SetCustomStyle(0);
    RecalcBar(pControl);
}

void CXTPCustomizeSheet::OnDelete()
{
    CXTPControl* pControl = GetDragControl();
    if (!pControl)
        return;
    CHoldRef hold(pControl);
    CXTPCommandBar* pBar = pControl->GetParent();
    m_pCommandBars->SetDragControl(nullptr);
    if (pBar) {
        pBar->GetControls()->Remove(pControl);
        pBar->OnRecalcLayout();
    }
}

void CXTPCustomizeSheet::OnCopyImage()
{
    if (CXTPControl* pControl = GetDragControl())
        CXTPCustomizeButtonImage::Copy(m_pCommandBars, pControl, m_hWnd);
}

void CXTPCustomizeSheet::OnPasteImage()
{
    if (CXTPControl* pControl = GetDragControl()) {
        if (CXTPCustomizeButtonImage::Paste(m_pCommandBars, pControl, m_hWnd))
            RecalcBar(pControl);
    }
}

void CXTPCustomizeSheet::OnEditImage()
{
    if (CXTPControl* pControl = GetDragControl()) {
        CHoldRef hold(pControl);
        if (CXTPCustomizeButtonImage::Edit(m_pCommandBars, pControl, this))
            RecalcBar(pControl);
    }
}

void CXTPCustomizeSheet::OnResetImage()
{
    if (CXTPControl* pControl = GetDragControl()) {
        pControl->SetCustomIconId(0);
        RecalcBar(pControl);
    }
}

void CXTPCustomizeSheet::OnStyle(UINT nID)
{
    CXTPControl* pControl = GetDragControl();
    if (!pControl)
        return;
    pControl->SetCustomStyle(nID == ID_STYLE_TEXT ? 1 : nID == ID_STYLE_IMAGE_TEXT ? 3 : 0);
    RecalcBar(pControl);
}

void CXTPCustomizeSheet::OnBeginGroup()
{
    if (CXTPControl* pControl = GetDragControl()) {
        pControl->SetBeginGroup(!pControl->GetBeginGroup());
        RecalcBar(pControl);
    }
}

void CXTPCustomizeSheet::OnUpdateReset(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetDragControl();
    pCmdUI->Enable(pControl && (pControl->GetCustomIconId() != 0 || !pControl->GetCustomCaption().IsEmpty() ||
                                pControl->GetCustomStyle() != 0));
}

void CXTPCustomizeSheet::OnUpdatePicture(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetDragControl();
    pCmdUI->Enable(pControl && CXTPCustomizeButtonImage::CanCopy(pControl));
}

void CXTPCustomizeSheet::OnUpdatePaste(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetDragControl();
    pCmdUI->Enable(pControl && CXTPCustomizeButtonImage::CanPaste(pControl));
}

void CXTPCustomizeSheet::OnUpdateResetImage(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetDragControl();
    pCmdUI->Enable(pControl && pControl->GetCustomIconId() >= 1);
}

void CXTPCustomizeSheet::OnUpdateStyle(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetDragControl();
    pCmdUI->Enable(pControl && IsButtonKind(pControl));
    const int nStyle = pCmdUI->m_nID == ID_STYLE_TEXT ? 1 : pCmdUI->m_nID == ID_STYLE_IMAGE_TEXT ? 3 : 0;
    pCmdUI->SetCheck(pControl && pControl->GetCustomStyle() == nStyle);
}

void CXTPCustomizeSheet::OnUpdateName(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetDragControl() != nullptr);
}

void CXTPCustomizeSheet::OnUpdateBeginGroup(CCmdUI* pCmdUI)
{
    CXTPControl* pControl = GetDragControl();
    pCmdUI->Enable(pControl != nullptr);
    pCmdUI->SetCheck(pControl && pControl->GetBeginGroup());
}
