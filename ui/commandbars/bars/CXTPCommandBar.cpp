// The bar window base: selection, tracking, keys, mnemonics, mouse dispatch, idle update, drawing.
#include "CXTPCommandBar.h"

#include <climits>
#include <cstdlib>

#include "AfxIds.h"
#include "CArchive.h"
#include "CCmdUI.h"
#include "CControlBar.h"
#include "CDC.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CWinThread.h"
#include "CXTPBufferDC.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControls.h"
#include "CXTPCustomizeDropSource.h"
#include "CXTPCustomizeHooks.h"
#include "CXTPCustomizeSheet.h"
#include "CXTPEdit.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPKeyboardHook.h"
#include "CXTPPaintManager.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchange.h"
#include "CXTPShortcutManager.h"
#include "CXTPToolBar.h"

IMPLEMENT_SERIAL(CXTPCommandBar, CWnd, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINT, OnPrint)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

namespace {

// The kinds that open a popup bar: the popup controls and the combo box with its list.
BOOL IsPopupKind(XTPControlType type)
{
    return type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup ||
           type == xtpControlComboBox;
}

// The position of the '&' that marks the caption's mnemonic, or -1. "&&" is a literal
// ampersand, as in native menus, and a trailing '&' marks nothing.
int FindMnemonic(const CString& strCaption)
{
    const int nLength = strCaption.GetLength();
    for (int i = 0; i < nLength - 1; i++) {
        if (strCaption[i] != '&')
            continue;
        if (strCaption[i + 1] == '&') {
            i++;
            continue;
        }
        return i;
    }
    return -1;
}

// The command-update object of a bar's controls.
class CXTPControlCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pControl->SetEnabled(bOn);
    }
    void SetCheck(int nCheck) override { m_pControl->SetChecked(nCheck); }
    void SetText(const char* lpszText) override { m_pControl->SetCaption(lpszText); }

    CXTPControl* m_pControl = nullptr;
};

FARPROC NotifyWinEventEntry()
{
    static FARPROC pfn = ::GetProcAddress(::GetModuleHandleA("USER32"), "NotifyWinEvent");
    return pfn;
}

}  // namespace

CXTPCommandBar::CXTPCommandBar()
{
    NotifyWinEventEntry();
    m_pControls = new CXTPControls;
    m_pControls->SetParent(this);
}

CXTPCommandBar::~CXTPCommandBar()
{
    if (m_bTracking)
        CXTPCommandBar::SetTrackingMode(FALSE);
    XTPKeyboardHook()->Unregister(this);
    XTPHookManager()->OnBarDestroyed(this);
    if (m_pControls) {
        m_pControls->RemoveAll();
        m_pControls->InternalRelease();
        m_pControls = nullptr;
    }
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
}

void CXTPCommandBar::OnFinalRelease()
{
    if (m_hWnd)
        DestroyWindow();
    delete this;
}

void CXTPCommandBar::PostNcDestroy()
{
    // The bar object lives by its reference count, not by its window.
}

CXTPControl* CXTPCommandBar::GetControl(int nIndex) const
{
    return m_pControls ? m_pControls->GetAt(nIndex) : nullptr;
}

int CXTPCommandBar::GetControlCount() const
{
    return m_pControls ? m_pControls->GetCount() : 0;
}

CXTPCommandBars* CXTPCommandBar::GetCommandBars() const
{
    for (const CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentBar()) {
        if (pBar->m_pCommandBars)
            return pBar->m_pCommandBars;
    }
    return nullptr;
}

BOOL CXTPCommandBar::IsCustomizeMode() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars ? pCommandBars->IsCustomizeMode() : FALSE;
}

CXTPCommandBar* CXTPCommandBar::GetRootParent() const
{
    const CXTPCommandBar* pBar = this;
    while (pBar->GetParentBar())
        pBar = pBar->GetParentBar();
    return const_cast<CXTPCommandBar*>(pBar);
}

CWnd* CXTPCommandBar::GetOwnerSite() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetSite())
        return pCommandBars->GetSite();
    CXTPCommandBar* pRoot = GetRootParent();
    if (pRoot->m_pOwner)
        return pRoot->m_pOwner;
    if (!pRoot->m_hWnd) {
        CWinThread* pThread = AfxGetThread();
        return pThread ? pThread->GetMainWnd() : nullptr;
    }
    if (CWnd* pOwner = pRoot->GetOwner())
        return pOwner;
    return pRoot->GetParent();
}

CWnd* CXTPCommandBar::GetSite() const
{
    CXTPCommandBar* pRoot = GetRootParent();
    return pRoot->m_pSite ? pRoot->m_pSite : GetOwnerSite();
}

CFrameWnd* CXTPCommandBar::GetFrameSite() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pSite = pCommandBars ? pCommandBars->GetSite() : nullptr;
    return pSite && pSite->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pSite) : nullptr;
}

BOOL CXTPCommandBar::IsVerticalPosition() const
{
    return m_barPosition == xtpBarLeft || m_barPosition == xtpBarRight || m_barPosition == xtpBarPopup ||
           m_barType == xtpBarTypePopup;
}

BOOL CXTPCommandBar::IsRTL() const
{
    return m_hWnd && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

CXTPPaintManager* CXTPCommandBar::GetPaintManager() const
{
    if (m_pPaintManager)
        return m_pPaintManager;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetPaintManager();
    CXTPCommandBar* pRoot = GetRootParent();
    return pRoot->m_pPaintManager ? pRoot->m_pPaintManager : XTPPaintManager();
}

CXTPImageManager* CXTPCommandBar::GetImageManager() const
{
    if (m_pImageManager)
        return m_pImageManager;
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        return pCommandBars->GetImageManager();
    CXTPCommandBar* pRoot = GetRootParent();
    return pRoot->m_pImageManager ? pRoot->m_pImageManager : XTPImageManager();
}

CSize CXTPCommandBar::GetIconSize() const
{
    if (m_szIcons.cx > 0)
        return m_szIcons;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return CSize(16, 16);
    const CXTPCommandBarsOptions* pOptions = pCommandBars->GetOptions();
    if (m_barType == xtpBarTypePopup)
        return pOptions->m_szPopupIcons;
    CSize szIcons = pOptions->m_szIcons.cx == 0 && pOptions->m_szIcons.cy == 0 ? CSize(16, 16) : pOptions->m_szIcons;
    if (pOptions->m_bLargeIcons)
        szIcons = pOptions->m_szLargeIcons.cx > 0 ? pOptions->m_szLargeIcons : CSize(szIcons.cx * 2, szIcons.cy * 2);
    return szIcons;
}

CSize CXTPCommandBar::GetButtonSize() const
{
    if (m_szButtons.cx > 0)
        return m_szButtons;
    CSize szIcons = GetIconSize();
    return CSize(szIcons.cx + 7, szIcons.cy + 7);
}

void CXTPCommandBar::SetPaintManager(CXTPPaintManager* pPaintManager)
{
    if (m_pPaintManager)
        m_pPaintManager->InternalRelease();
    m_pPaintManager = pPaintManager;
}

void CXTPCommandBar::SetImageManager(CXTPImageManager* pImageManager)
{
    if (m_pImageManager)
        m_pImageManager->InternalRelease();
    m_pImageManager = pImageManager;
}

void CXTPCommandBar::InvalidateParents()
{
    for (CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentBar()) {
        if (pBar->m_hWnd)
            pBar->Invalidate(FALSE);
    }
}

void CXTPCommandBar::UnlockRedraw()
{
    if (--m_nLockRedraw == 0 && (m_dwPendingFlags & kPendingRedraw)) {
        m_dwPendingFlags &= ~static_cast<DWORD>(kPendingRedraw);
        if (m_hWnd)
            Invalidate(FALSE);
    }
}

void CXTPCommandBar::RedrawNow()
{
    m_dwPendingFlags &= ~static_cast<DWORD>(kPendingRedraw);
    if (m_nLockRedraw == 0 && m_hWnd) {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

void CXTPCommandBar::DelayLayout()
{
    // The indexes may no longer name the controls they did: no control stays marked selected.
    for (int i = 0; i < GetControlCount(); i++) {
        if (GetControl(i)->GetSelected() != xtpNotSelected)
            GetControl(i)->OnSetSelected(xtpNotSelected);
    }
    if (m_nSelected != -1 && m_hWnd)
        KillTimer(XTP_TID_HOVER);
    m_nSelected = -1;
    m_nPopuped = -1;
    m_dwPendingFlags |= kPendingLayout;
}

void CXTPCommandBar::SetTitle(const char* lpszTitle)
{
    m_strTitle = lpszTitle ? lpszTitle : "";
    RedrawNow();
}

void CXTPCommandBar::OnControlSelected(BOOL bSelected, CXTPControl* pControl)
{
    CWnd* pSite = GetOwnerSite();
    if (!pSite || !pSite->GetSafeHwnd())
        return;
    CString strDescription = pControl ? pControl->GetDescription() : CString();
    if (bSelected && !strDescription.IsEmpty())
        pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(strDescription)));
    else
        pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    pSite->SendMessage(WM_CMDBARS_CONTROLSELECTED, bSelected ? reinterpret_cast<WPARAM>(pControl) : 0, 0);
}

BOOL CXTPCommandBar::SetSelected(int nItem, BOOL bKeyboard)
{
    if (nItem == m_nSelected || !m_hWnd)
        return FALSE;
    LockRedraw();
    if (CXTPControl* pOld = GetControl(m_nSelected))
        pOld->OnSetSelected(xtpNotSelected);
    m_nSelected = nItem;
    m_bKeyboardSelect = bKeyboard;
    if (CXTPControl* pControl = GetControl(nItem)) {
        if (bKeyboard) {
            using PFNNOTIFYWINEVENT = void(WINAPI*)(DWORD, HWND, LONG, LONG);
            if (auto pfn = reinterpret_cast<PFNNOTIFYWINEVENT>(NotifyWinEventEntry()))
                pfn(0x8005, m_hWnd, -3, nItem + 1);
        }
        pControl->OnSetSelected(bKeyboard ? xtpSelectedByKeyboard : xtpSelectedByMouse);
        XTPHookManager()->SetHotBar(this);
        if (!bKeyboard)
            SetTimer(XTP_TID_HOVER, 300);
    } else {
        KillTimer(XTP_TID_HOVER);
    }
    UnlockRedraw();
    return TRUE;
}

BOOL CXTPCommandBar::SetPopuped(int nPopuped, BOOL bKeyboard)
{
    if (nPopuped == m_nPopuped)
        return FALSE;
    LockRedraw();
    if (CXTPControl* pOld = GetControl(m_nPopuped))
        pOld->OnSetPopup(FALSE);
    m_nPopuped = -1;
    BOOL bResult = TRUE;
    if (nPopuped != -1) {
        CXTPControl* pControl = GetControl(nPopuped);
        if (!pControl || !IsPopupKind(pControl->GetType()) || !pControl->GetEnabled()) {
            bResult = FALSE;
        } else {
            m_nPopuped = nPopuped;
            SetTrackingMode(2, FALSE, bKeyboard);
            SetSelected(nPopuped, bKeyboard);
            pControl->OnSetPopup(TRUE);
            CXTPCommandBars* pCommandBars = GetCommandBars();
            if (pCommandBars && pCommandBars->IsShowFullAfterDelay())
                SetTimer(XTP_TID_EXPANDED_POPUP, 800);
        }
    }
    UnlockRedraw();
    return bResult;
}

BOOL CXTPCommandBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (m_bTracking && bMode) {
        m_bTracking = bMode;
        return FALSE;
    }
    if (m_bTracking == bMode)
        return FALSE;
    CXTPHookManager* pHookManager = XTPHookManager();
    if (!bMode) {
        m_bTracking = 0;
        m_bMouseStarted = FALSE;
        pHookManager->RemoveTracked(this);
        XTPKeyboardHook()->Unregister(this);
        SetPopuped(-1);
        if (bSelectFirst)
            SetSelected(-1);
        if (m_hwndFocus) {
            ::ShowCaret(m_hwndFocus);
            if (m_bRefocusField && ::GetFocus() != m_hwndFocus && ::IsWindowVisible(m_hwndFocus) &&
                dynamic_cast<CXTPEdit*>(CWnd::FromHandlePermanent(m_hwndFocus)))
                ::SetFocus(m_hwndFocus);
            m_hwndFocus = nullptr;
        }
        m_bRefocusField = FALSE;
        RedrawNow();
        if (pHookManager->GetTrackedCount() == 0)
            pHookManager->SetKeyboardMode(FALSE);
        if (m_hWnd && ::GetFocus() == m_hWnd) {
            HWND hParent = ::GetParent(m_hWnd);
            if (HWND hNext = hParent ? ::GetNextDlgTabItem(hParent, m_hWnd, FALSE) : nullptr)
                ::SetFocus(hNext);
        }
        return TRUE;
    }
    m_bTracking = bMode;
    if (m_barType == xtpBarTypeMenuBar) {
        if (CWnd* pSite = GetOwnerSite())
            pSite->SendMessage(WM_CMDBARS_TRACKINGSTARTED, reinterpret_cast<WPARAM>(this), 0);
    }
    m_bMouseStarted = !bSelectFirst && !bKeyboard;
    m_hwndFocus = ::GetFocus();
    // The click that opened the menus took the focus from a bar's field (its bar left
    // tracking): the menus are the field's, as native menus leave the focus where it was, and
    // it gets the focus back when they close, so that an edit command chosen reaches it.
    HWND hAtPress = pHookManager->GetFocusAtPress();
    m_bRefocusField = m_barType == xtpBarTypeMenuBar && m_bMouseStarted && hAtPress && hAtPress != m_hwndFocus &&
                      dynamic_cast<CXTPEdit*>(CWnd::FromHandlePermanent(hAtPress)) != nullptr;
    if (m_bRefocusField)
        m_hwndFocus = hAtPress;
    if (!m_hwndFocus) {
        CWnd* pSite = GetOwnerSite();
        m_hwndFocus = pSite ? pSite->GetSafeHwnd() : nullptr;
    }
    if (m_hwndFocus)
        ::HideCaret(m_hwndFocus);
    pHookManager->AddTracked(this);
    XTPKeyboardHook()->Register(this);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    if (bSelectFirst)
        SetSelected(m_pControls->GetNext(-1, 1), TRUE);
    return TRUE;
}

int CXTPCommandBar::FindAccel(char ch, BOOL& bAmbiguous) const
{
    bAmbiguous = FALSE;
    const char chUpper = CXTPShortcutManager::KeyToChar(static_cast<unsigned char>(ch));
    int nAmpersand = -1;
    int nFirstLetter = -1;
    BOOL bFirstLetterAmbiguous = FALSE;
    int nVisited = 0;
    int nFirstVisited = -1;
    for (int i = m_pControls->GetNext(m_nSelected, 1); i != -1 && i != nFirstVisited && nVisited <= GetControlCount();
         i = m_pControls->GetNext(i, 1)) {
        if (nFirstVisited == -1)
            nFirstVisited = i;
        nVisited++;
        CString strCaption = GetControl(i)->GetCaption();
        int nMnemonic = FindMnemonic(strCaption);
        if (nMnemonic >= 0) {
            if (CXTPShortcutManager::KeyToChar(static_cast<unsigned char>(strCaption[nMnemonic + 1])) != chUpper)
                continue;
            if (nAmpersand != -1) {
                bAmbiguous = TRUE;
                return nAmpersand;
            }
            nAmpersand = i;
        } else if (!strCaption.IsEmpty() &&
                   CXTPShortcutManager::KeyToChar(static_cast<unsigned char>(strCaption[0])) == chUpper) {
            if (nFirstLetter == -1)
                nFirstLetter = i;
            else
                bFirstLetterAmbiguous = TRUE;
        }
    }
    if (nAmpersand != -1)
        return nAmpersand;
    if (nFirstLetter != -1)
        bAmbiguous = bFirstLetterAmbiguous;
    return nFirstLetter;
}

BOOL CXTPCommandBar::OnKeyDown(UINT nChar)
{
    if (IsCustomizeMode())
        return FALSE;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    if (nChar == VK_TAB) {
        ProcessSpecialKey(bShift ? xtpKeyBack : xtpKeyNext);
        return TRUE;
    }
    if (nChar == VK_RETURN) {
        ProcessSpecialKey(xtpKeyReturn);
        return TRUE;
    }
    if (m_pKeyControl) {
        // 2: the key goes on to the control's own window (a text field typing).
        BOOL bAnswer = m_pKeyControl->OnHookKeyDown(nChar);
        if (bAnswer == 1 || bAnswer == 2)
            return bAnswer;
    }
    const BOOL bHorizontal = !IsVerticalPosition();
    const BOOL bRTL = IsRTL();
    switch (nChar) {
    case VK_ESCAPE:
        ProcessSpecialKey(xtpKeyEscape);
        return TRUE;
    case VK_END:
        ProcessSpecialKey(xtpKeyEnd);
        return TRUE;
    case VK_HOME:
        ProcessSpecialKey(xtpKeyHome);
        return TRUE;
    case VK_LEFT:
        ProcessSpecialKey(bHorizontal ? (bRTL ? xtpKeyNext : xtpKeyBack) : (bRTL ? xtpKeyDown : xtpKeyUp));
        return TRUE;
    case VK_RIGHT:
        ProcessSpecialKey(bHorizontal ? (bRTL ? xtpKeyBack : xtpKeyNext) : (bRTL ? xtpKeyUp : xtpKeyDown));
        return TRUE;
    case VK_UP:
        ProcessSpecialKey(bHorizontal ? xtpKeyUp : xtpKeyBack);
        return TRUE;
    case VK_DOWN:
        ProcessSpecialKey(bHorizontal ? xtpKeyDown : xtpKeyNext);
        return TRUE;
    default:
        break;
    }
    UINT nMapped = ::MapVirtualKeyA(nChar, 2);
    if (nMapped == 0)
        return TRUE;
    char ch = CXTPShortcutManager::KeyToChar(nMapped & 0xFF);
    if (::GetKeyState(VK_CONTROL) >= 0) {
        BOOL bAmbiguous = FALSE;
        int nIndex = FindAccel(ch, bAmbiguous);
        if (nIndex != -1) {
            SetSelected(nIndex, TRUE);
            if (!bAmbiguous)
                GetControl(nIndex)->OnClick(TRUE);
            return TRUE;
        }
    }
    ::MessageBeep(0);
    return TRUE;
}

BOOL CXTPCommandBar::ProcessSpecialKey(int nKey)
{
    switch (nKey) {
    case xtpKeyNext:
    case xtpKeyBack:
    case xtpKeyHome:
    case xtpKeyEnd: {
        int nIndex = nKey == xtpKeyNext   ? m_pControls->GetNext(m_nSelected, 1)
                     : nKey == xtpKeyBack ? m_pControls->GetNext(m_nSelected, -1)
                     : nKey == xtpKeyHome ? m_pControls->GetNext(-1, 1)
                                          : m_pControls->GetNext(-1, -1);
        if (nIndex == -1)
            return FALSE;
        SetSelected(nIndex, TRUE);
        return TRUE;
    }
    case xtpKeyPopup:
        if (m_nPopuped == -1)
            return FALSE;
        SetPopuped(-1);
        SetTrackingMode(TRUE, FALSE, TRUE);
        return TRUE;
    case xtpKeyDown:
        if (m_nSelected == -1 || m_nPopuped == m_nSelected)
            return FALSE;
        return SetPopuped(m_nSelected, TRUE);
    case xtpKeyEscape:
        if (CXTPCommandBar* pParent = GetParentBar())
            pParent->SetTrackingMode(TRUE, FALSE, TRUE);
        SetTrackingMode(FALSE);
        return TRUE;
    case xtpKeyReturn:
        if (CXTPControl* pControl = GetControl(m_nSelected)) {
            m_bKeyboardSelect = TRUE;
            pControl->OnClick(TRUE);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

int CXTPCommandBar::OnHookMessage(HWND /*hWnd*/, UINT nMessage, WPARAM& wParam, LPARAM& /*lParam*/,
                                  LRESULT& /*lResult*/)
{
    if (nMessage != WM_KEYDOWN || !m_bTracking)
        return 0;
    // Keys belong to the innermost open popup: a bar whose popup is open lets them pass on.
    CXTPControl* pPopuped = GetControl(m_nPopuped);
    CXTPCommandBar* pPopupBar = pPopuped ? pPopuped->GetCommandBar() : nullptr;
    if (pPopupBar && pPopupBar->GetTrackingMode() && XTPKeyboardHook()->IsRegistered(pPopupBar))
        return 0;
    const BOOL bAnswer = OnKeyDown(static_cast<UINT>(wParam));
    return bAnswer == 2 ? 2 : (bAnswer ? 1 : 0);
}

int CXTPCommandBar::HitTestHook(CPoint ptScreen)
{
    if (!m_hWnd)
        return 0;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    return rcWindow.PtInRect(ptScreen) ? 1 : 0;
}

BOOL CXTPCommandBar::LoadMenu(CMenu* pMenu, BOOL bRemoveControls)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return FALSE;
    if (bRemoveControls)
        m_pControls->RemoveAll();
    BOOL bSeparator = FALSE;
    const int nCount = pMenu->GetMenuItemCount();
    for (int i = 0; i < nCount; i++) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_TYPE;
        pMenu->GetMenuItemInfo(static_cast<UINT>(i), &info, TRUE);
        if ((info.fType & MFT_SEPARATOR) || pMenu->GetMenuItemID(i) == 0) {
            bSeparator = TRUE;
            continue;
        }
        CXTPControl* pControl = m_pControls->AddMenuItem(pMenu, i);
        if (!pControl)
            continue;
        if (bSeparator) {
            pControl->SetBeginGroup(TRUE);
            bSeparator = FALSE;
        }
        if (info.fState & MFS_CHECKED)
            pControl->SetChecked(1);
        if (info.fState & (MFS_GRAYED | MFS_DISABLED))
            pControl->SetEnabled(FALSE);
    }
    if (m_hWnd) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
    }
    return TRUE;
}

void CXTPCommandBar::Copy(CXTPCommandBar* pSrc, BOOL bRecursive)
{
    m_barType = pSrc->m_barType;
    m_barPosition = pSrc->m_barPosition;
    m_nBarID = pSrc->m_nBarID;
    m_dwFlags = pSrc->m_dwFlags;
    m_dwStyle = pSrc->m_dwStyle;
    m_strTitle = pSrc->m_strTitle;
    m_bCustomizable = pSrc->m_bCustomizable;
    m_nMRUWidth = pSrc->m_nMRUWidth;
    m_szIcons = pSrc->m_szIcons;
    m_szButtons = pSrc->m_szButtons;
    m_pCommandBars = pSrc->m_pCommandBars;
    CXTPControls* pControls = pSrc->m_pControls->Duplicate(bRecursive);
    m_pControls->InternalRelease();
    m_pControls = pControls;
    m_pControls->SetParent(this);
}

void CXTPCommandBar::DoPropExchange(CXTPPropExchange* pPX)
{
    const BOOL bLoading = pPX->IsLoading();
    // A bar's kind follows its class: a file that names another kind is not believed.
    long nType = m_barType;
    PX_LongDefault(pPX, "Type", nType, xtpBarTypeNormal);
    long nPosition = m_barPosition;
    PX_LongDefault(pPX, "Position", nPosition, xtpBarTop);
    if (bLoading && nPosition >= xtpBarTop && nPosition <= xtpBarNone)
        m_barPosition = static_cast<XTPBarPosition>(nPosition);
    long nBarID = static_cast<long>(m_nBarID);
    PX_LongDefault(pPX, "BarID", nBarID, 0);
    m_nBarID = static_cast<UINT>(nBarID);
    long nFlags = static_cast<long>(m_dwFlags);
    PX_LongDefault(pPX, "Flags", nFlags, 0);
    m_dwFlags = static_cast<DWORD>(nFlags);
    long nStyle = static_cast<long>(m_dwStyle);
    PX_LongDefault(pPX, "Style", nStyle, 0);
    m_dwStyle = static_cast<DWORD>(nStyle);
    PX_StringDefault(pPX, "Title", m_strTitle, "");
    PX_Bool(pPX, "Customizable", m_bCustomizable, TRUE);
    long nMRUWidth = m_nMRUWidth;
    PX_LongDefault(pPX, "MRUWidth", nMRUWidth, 0);
    m_nMRUWidth = static_cast<int>(nMRUWidth);
    if (pPX->m_nSchema > 2) {
        SIZE szIcons = m_szIcons;
        PX_Size(pPX, "IconSize", szIcons, SIZE{0, 0});
        // An icon size of the bar's own lies within what icons are made in; anything else from a
        // file means the host's.
        const auto inRange = [](LONG n) { return n > 0 && n <= 256; };
        m_szIcons = inRange(szIcons.cx) && inRange(szIcons.cy) ? CSize(szIcons) : CSize(0, 0);
    }
    if (bLoading) {
        CXTPCommandBarsExchangeParam* pParam = CXTPCommandBarsExchangeParam::FromExchange(pPX);
        if (pParam && pParam->pCommandBars)
            SetCommandBars(pParam->pCommandBars);
    }
    CXTPPropExchangeSection section(pPX->GetSection("Controls"));
    if (section.Get()) {
        m_pControls->DoPropExchange(section);
        if (bLoading)
            m_pControls->SetParent(this);
    }
}

CXTPCommandBar* CXTPCommandBar::Clone(BOOL bRecursive)
{
    CXTPCommandBar* pBar = static_cast<CXTPCommandBar*>(GetRuntimeClass()->CreateObject());
    if (pBar)
        pBar->Copy(this, bRecursive);
    return pBar;
}

void CXTPCommandBar::UpdateDocTemplateControls()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    UINT nTemplate = pCommandBars ? pCommandBars->GetActiveDocTemplate() : 0;
    if (nTemplate == 0)
        return;
    BOOL bChanged = FALSE;
    auto apply = [&](CXTPControl* pControl, BOOL bHide) {
        DWORD dwHide = pControl->GetHideFlags();
        DWORD dwNew = bHide ? dwHide | xtpHideDocTemplate : dwHide & ~static_cast<DWORD>(xtpHideDocTemplate);
        if (dwNew != dwHide) {
            pControl->SetHideFlags(dwNew);
            bChanged = TRUE;
        }
    };
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        BOOL bValue = FALSE;
        if (!pControl->GetDocTemplatesAssigned().IsEmpty())
            apply(pControl, !pControl->GetDocTemplatesAssigned().Lookup(nTemplate, bValue));
        if (!pControl->GetDocTemplatesExcluded().IsEmpty())
            apply(pControl, pControl->GetDocTemplatesExcluded().Lookup(nTemplate, bValue));
    }
    if (bChanged)
        m_dwPendingFlags |= kPendingLayout;
}

void CXTPCommandBar::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CXTPControlCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetControlCount());
    const BOOL bNoUpdate = GetRootParent()->m_bIgnoreUpdateHandler;
    const BOOL bCustomize = IsCustomizeMode();
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->GetPressed()) {
            pControl->SetPressed(0);
            pControl->RedrawParent();
        }
        if (bNoUpdate || (pControl->GetFlags() & xtpFlagManualUpdate))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = static_cast<UINT>(pControl->GetID());
        state.m_pControl = pControl;
        if (OnCmdMsg(0, MAKELONG(CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, nullptr))
            continue;
        if (OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        // System commands are the window's own: nobody's handler is missing for them.
        if (bCustomize)
            pControl->SetEnabled(TRUE);
        else
            state.DoUpdate(pTarget, bDisableIfNoHandler && state.m_nID < 0xF000);
    }
}

void CXTPCommandBar::OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler, LPARAM /*lParam*/)
{
    if (!m_hWnd || !IsWindowVisible())
        return;
    CWnd* pTarget = GetSite();
    if (!pTarget)
        return;
    UpdateDocTemplateControls();
    OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
    if (m_dwPendingFlags & kPendingRedraw)
        Invalidate(FALSE);
    if (m_dwPendingFlags & kPendingLayout)
        OnRecalcLayout();
    m_dwPendingFlags = 0;
    UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

void CXTPCommandBar::DrawCommandBar(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->DrawCommandBarBackground(pDC, this);
    if (m_dwStyle & CBRS_GRIPPER)
        pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
    CFont* pOldFont = pDC->SelectObject(&pPaintManager->m_fontRegular);
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst)
            pPaintManager->DrawSeparator(pDC, this, pControl, TRUE);
        pControl->Draw(pDC);
        bFirst = FALSE;
    }
    pDC->SelectObject(pOldFont);

    if (!IsCustomizeMode())
        return;
    CXTPControl* pDragControl = GetCommandBars()->GetDragControl();
    if (pDragControl && pDragControl->GetParent() == this) {
        CRect rc = pDragControl->GetRect();
        pDC->Draw3dRect(rc, 0, 0);
        rc.DeflateRect(1, 1);
        pDC->Draw3dRect(rc, 0, 0);
    }
    if (!m_rcMarker.IsRectEmpty()) {
        CBrush brush(pPaintManager->GetColor(COLOR_BTNFACE));
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        const CRect& r = m_rcMarker;
        const DWORD rop = PATINVERT;
        if (m_bVerticalMarker) {
            pDC->PatBlt(r.left, r.top, 1, r.Height(), rop);
            pDC->PatBlt(r.left + 1, r.top + 1, 1, r.Height() - 2, rop);
            pDC->PatBlt(r.left + 2, r.top + 2, r.Width() - 4, 2, rop);
            pDC->PatBlt(r.right - 1, r.top, 1, r.Height(), rop);
            pDC->PatBlt(r.right - 2, r.top + 1, 1, r.Height() - 2, rop);
        } else {
            pDC->PatBlt(r.left, r.top, r.Width(), 1, rop);
            pDC->PatBlt(r.left + 1, r.top + 1, r.Width() - 2, 1, rop);
            pDC->PatBlt(r.left + 2, r.top + 2, 2, r.Height() - 4, rop);
            pDC->PatBlt(r.left, r.bottom - 1, r.Width(), 1, rop);
            pDC->PatBlt(r.left + 1, r.bottom - 2, r.Width() - 2, 1, rop);
        }
        pDC->SelectObject(pOldBrush);
    }
}

void CXTPCommandBar::FindDropIndex(CXTPControl* pControl, CPoint point, CRect& rcMarker, int& nIndex,
                                   BOOL& bBefore) const
{
    const BOOL bVertical = IsVerticalPosition();
    auto isCandidate = [&](int i) {
        CXTPControl* p = GetControl(i);
        return p->IsVisible() && !(p->GetFlags() & xtpFlagNoMovable);
    };
    nIndex = -1;
    bBefore = TRUE;
    int nBest = INT_MAX;
    for (int i = 0; i < GetControlCount(); i++) {
        if (!isCandidate(i))
            continue;
        CPoint ptCentre = GetControl(i)->GetRect().CenterPoint();
        int nDistance = bVertical ? abs(point.y - ptCentre.y) : abs(point.x - ptCentre.x);
        if (nDistance < nBest) {
            nBest = nDistance;
            nIndex = i;
        }
    }
    if (nIndex == -1) {
        GetClientRect(&rcMarker);
        rcMarker.left += 2;
        rcMarker.right = rcMarker.left + 6;
        return;
    }
    CRect rc = GetControl(nIndex)->GetRect();
    CPoint ptCentre = rc.CenterPoint();
    bBefore = bVertical ? point.y < ptCentre.y : point.x < ptCentre.x;
    int nEdge = bVertical ? (bBefore ? rc.top : rc.bottom) : (bBefore ? rc.left : rc.right);
    if (!bBefore) {
        // After a control the marker sits where the next one starts, unless a group or row starts there.
        CXTPControl* pNext = nIndex + 1 < GetControlCount() && isCandidate(nIndex + 1) ? GetControl(nIndex + 1) : nullptr;
        if (pNext && !pNext->GetBeginGroup() && !pNext->GetWrap())
            nEdge = bVertical ? pNext->GetRect().top : pNext->GetRect().left;
    }
    if (bVertical)
        rcMarker.SetRect(rc.left, nEdge - 3, rc.right, nEdge + 3);
    else
        rcMarker.SetRect(nEdge - 3, rc.top, nEdge + 3, rc.bottom);
    if (GetControl(nIndex) == pControl)
        rcMarker.SetRectEmpty();
}

void CXTPCommandBar::OnCustomizeDragStart(CXTPControl* pControl, CPoint /*point*/)
{
    if (pControl && GetControl(m_nPopuped) == pControl)
        SetPopuped(-1);
    SetSelected(-1);
}

BOOL CXTPCommandBar::OnDragEnter(CXTPControl* pControl, CPoint point)
{
    if (!pControl || !m_bCustomizable || !IsVisible())
        return FALSE;
    // A popup control never goes into its own popup or a popup below it: the copy would hold
    // itself, and the move would free the bar it was dropped on.
    if (CXTPCommandBar* pOwnPopup = pControl->GetCommandBar()) {
        for (const CXTPCommandBar* pBar = this; pBar; pBar = pBar->GetParentBar()) {
            if (pBar == pOwnPopup)
                return FALSE;
        }
    }
    OnDragOver(pControl, point);
    return TRUE;
}

void CXTPCommandBar::OnDragOver(CXTPControl* pControl, CPoint point)
{
    if (!m_bCustomizable || !IsVisible())
        return;
    CRect rcMarker;
    int nIndex = -1;
    BOOL bBefore = TRUE;
    FindDropIndex(pControl, point, rcMarker, nIndex, bBefore);
    SetDropMarker(rcMarker, IsVerticalPosition());
    // A menu under the cursor opens, so that the control can go into it.
    CXTPControl* pHit = HitTestControl(point);
    if (pHit && pHit != pControl && IsCustomizeMode() && pHit->GetIndex() != m_nPopuped &&
        (pHit->GetType() == xtpControlPopup || pHit->GetType() == xtpControlButtonPopup ||
         pHit->GetType() == xtpControlSplitButtonPopup))
        SetPopuped(pHit->GetIndex());
    Invalidate(FALSE);
}

void CXTPCommandBar::OnDragLeave()
{
    if (m_rcMarker.IsRectEmpty())
        return;
    SetDropMarker(CRect(0, 0, 0, 0), m_bVerticalMarker);
    if (m_hWnd)
        Invalidate(FALSE);
}

BOOL CXTPCommandBar::OnDrop(CXTPControl* pControl, DWORD dwEffect, CPoint point, CPoint ptStart)
{
    OnDragLeave();
    if (!pControl)
        return FALSE;
    CRect rcMarker;
    int nIndex = -1;
    BOOL bBefore = TRUE;
    FindDropIndex(pControl, point, rcMarker, nIndex, bBefore);
    if (dwEffect == 2 && nIndex >= 0 && GetControl(nIndex) == pControl) {
        // Its own place: a short drag changes nothing; a longer one sets a group start when it
        // went past its own centre.
        if (abs(point.x - ptStart.x) < 5 && abs(point.y - ptStart.y) < 5)
            return FALSE;
        pControl->SetBeginGroup(!bBefore && nIndex > 0);
        OnRecalcLayout();
        Invalidate(FALSE);
        return FALSE;
    }
    const int nBefore = nIndex < 0 ? -1 : (bBefore ? nIndex : nIndex + 1);
    CXTPControl* pCopy = m_pControls->AddClone(pControl, nBefore >= GetControlCount() ? -1 : nBefore, TRUE);
    if (!pCopy)
        return FALSE;
    pCopy->SetBeginGroup(FALSE);
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->SetDragControl(pCopy);
    OnRecalcLayout();
    Invalidate(FALSE);
    return TRUE;
}

CXTPControl* CXTPCommandBar::HitTestControl(CPoint point) const
{
    return m_pControls->HitTest(point);
}

int CXTPCommandBar::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    int nResult = CWnd::OnCreate(lpCreateStruct);
    if (nResult != -1 && m_barPosition != xtpBarListBox) {
        if (CXTPCommandBars* pCommandBars = GetCommandBars())
            pCommandBars->GetDropSource()->Register(this);
    }
    if (nResult != -1 && m_barType != xtpBarTypePopup)
        EnableToolTips(TRUE);
    return nResult;
}

void CXTPCommandBar::OnDestroy()
{
    if (m_pDropSource)
        m_pDropSource->Unregister(this);
    SetTrackingMode(FALSE);
    KillTimer(XTP_TID_HOVER);
    CWnd::OnDestroy();
}

void CXTPCommandBar::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    CXTPHookManager* pHookManager = XTPHookManager();
    if (!m_bTracking && m_barType != xtpBarTypePopup && !CXTPHookManager::IsTopParentActive(m_hWnd))
        return;
    if (pHookManager->GetTrackedCount() > 0 && !pHookManager->IsTracked(this))
        return;
    if (pHookManager->IsLocked())
        return;
    if (IsCustomizeMode()) {
        CXTPControl* pDrag = GetCommandBars()->GetDragControl();
        if (pDrag && pDrag->GetParent() == this && pDrag->CanResizeInCustomize()) {
            CRect rc = pDrag->GetRect();
            if (rc.PtInRect(point) && (point.x - rc.left <= 2 || rc.right - point.x <= 2))
                ::SetCursor(CXTPControl::LoadResizeCursor());
        }
        return;
    }
    int nSelected = -1;
    if (m_bTracking && (m_barType != xtpBarTypePopup || m_nPopuped != -1 || m_bKeyboardSelect))
        nSelected = m_nSelected;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsVisible() && pControl->GetRect().PtInRect(point)) {
            nSelected = i;
            pHookManager->TrackMouseLeave(m_hWnd);
            pControl->OnMouseMove(point);
        }
    }
    SetSelected(nSelected);
}

LRESULT CXTPCommandBar::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (XTPHookManager()->IsLocked())
        return 0;
    if (!m_bTracking || (m_barType == xtpBarTypePopup && m_nPopuped == -1))
        SetSelected(-1);
    return 0;
}

void CXTPCommandBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    OnMouseLeave(0, 0);
    CWnd::OnNcMouseMove(nHitTest, point);
}

void CXTPCommandBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (!pControl) {
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    if (IsAltDragStart(pControl)) {
        // Alt moves a toolbar's button (Ctrl+Alt copies it) without the customize sheet.
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CHoldRef holdBars(pCommandBars);
        CHoldRef holdBar(this);
        CHoldRef holdControl(pControl);
        pCommandBars->SetQuickCustomizeMode(TRUE);
        SetPopuped(-1);
        SetSelected(-1);
        pControl->OnCustomizeMouseDown(point);
        pCommandBars->SetQuickCustomizeMode(FALSE);
        pCommandBars->RecalcFrameLayout();
        XTPHookManager()->CancelTracking();
        if (::GetKeyState(VK_MENU) < 0)
            pCommandBars->SkipAltRelease();
        return;
    }
    if (IsCustomizeMode() && (!m_bCustomizable || (pControl->GetFlags() & xtpFlagNoMovable)))
        return;
    pControl->OnClick(FALSE, point);
}

BOOL CXTPCommandBar::IsAltDragStart(CXTPControl* pControl) const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    return pCommandBars && !pCommandBars->IsCustomizeMode() && IsKindOf(RUNTIME_CLASS(CXTPToolBar)) &&
           m_bCustomizable && !(pControl->GetFlags() & xtpFlagNoMovable) && ::GetKeyState(VK_MENU) < 0 &&
           pCommandBars->IsCustomizable() && pCommandBars->GetOptions()->m_bAltDragCustomization;
}

void CXTPCommandBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (!pControl) {
        CWnd::OnLButtonDblClk(nFlags, point);
        return;
    }
    if (!IsCustomizeMode())
        pControl->OnLButtonDblClk(point);
}

void CXTPCommandBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (!pControl) {
        CWnd::OnLButtonUp(nFlags, point);
        return;
    }
    if (!IsCustomizeMode())
        pControl->OnLButtonUp(point);
}

void CXTPCommandBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (!pControl) {
        CWnd::OnRButtonUp(nFlags, point);
        return;
    }
    if (IsCustomizeMode()) {
        // The running customize sheet of this host offers its context menu for the control.
        CXTPCustomizeSheet* pSheet = CXTPCustomizeHooks::GetRunningSheet();
        if (pSheet && pSheet->GetCommandBars() == GetCommandBars() && m_bCustomizable &&
            pControl->GetHideFlags() == 0 && !(pControl->GetFlags() & xtpFlagNoMovable)) {
            SetPopuped(-1);
            SetSelected(-1);
            GetCommandBars()->SetDragControl(pControl);
            CPoint ptScreen(point);
            ClientToScreen(&ptScreen);
            pSheet->ContextMenu(ptScreen);
        }
        return;
    }
    if (GetRootParent()->m_bExecOnRButton)
        pControl->OnLButtonUp(point);
    else
        pControl->OnRButtonUp(point);
}

void CXTPCommandBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPControl* pControl = HitTestControl(point);
    if (IsCustomizeMode() && m_bCustomizable && pControl && !(pControl->GetFlags() & xtpFlagNoMovable)) {
        // The control's context menu belongs to the customize sheet.
        SetPopuped(-1);
        SetSelected(-1);
        GetCommandBars()->SetDragControl(pControl);
        return;
    }
    CWnd::OnRButtonDown(nFlags, point);
}

void CXTPCommandBar::OnTimer(UINT_PTR nIDEvent)
{
    CWnd::OnTimer(nIDEvent);
    if (nIDEvent == XTP_TID_HOVER) {
        KillTimer(XTP_TID_HOVER);
        if (CXTPControl* pControl = GetControl(m_nSelected))
            pControl->OnMouseHover();
    } else if (nIDEvent == XTP_TID_EXPANDED_POPUP) {
        // The open popup shows its rarely used commands after the delay.
        KillTimer(XTP_TID_EXPANDED_POPUP);
        CXTPControl* pControl = GetControl(m_nPopuped);
        if (auto* pPopup = pControl ? dynamic_cast<CXTPPopupBar*>(pControl->GetCommandBar()) : nullptr)
            pPopup->ExpandBar();
    }
}

BOOL CXTPCommandBar::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CXTPCommandBar::OnPaint()
{
    CPaintDC paintDC(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CXTPBufferDC dc(paintDC.GetSafeHdc(), rcClient);
    DrawCommandBar(&dc);
}

LRESULT CXTPCommandBar::OnPrint(WPARAM wParam, LPARAM /*lParam*/)
{
    DrawCommandBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 1;
}

LRESULT CXTPCommandBar::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM /*lParam*/)
{
    OnIdleUpdateCmdUI(static_cast<BOOL>(wParam), 0);
    return 0;
}

LRESULT CXTPCommandBar::OnInitialUpdate(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnIdleUpdateCmdUI(TRUE, 0);
    return 0;
}

LRESULT CXTPCommandBar::OnHelpHitTest(WPARAM /*wParam*/, LPARAM lParam)
{
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CXTPControl* pControl = HitTestControl(point);
    if (pControl && pControl->GetID() != -1)
        return static_cast<LRESULT>(HID_BASE_COMMAND + static_cast<UINT>(pControl->GetID()));
    UINT nID = LOWORD(GetDlgCtrlID());
    return nID ? static_cast<LRESULT>(HID_BASE_CONTROL + nID) : 0;
}

BOOL CXTPCommandBar::IsInHelpMode() const
{
    CFrameWnd* pFrame = GetFrameSite();
    return pFrame && pFrame->m_bHelpMode;
}

LRESULT CXTPCommandBar::OnNcHitTest(CPoint point)
{
    if (!IsInHelpMode())
        return CWnd::OnNcHitTest(point);
    // The whole bar is client, so that the help click reaches the item; a submenu without a
    // command of its own answers as a menu.
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    CXTPControl* pControl = HitTestControl(ptClient);
    if (!pControl)
        return HTCLIENT;
    const XTPControlType type = pControl->GetType();
    const BOOL bPopup = type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
    return bPopup && pControl->GetID() <= 0 ? HTMENU : HTCLIENT;
}

void CXTPCommandBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (!IsInHelpMode()) {
        CWnd::OnNcLButtonDown(nHitTest, point);
        return;
    }
    // Through the message map, so that a derived bar's own press handling runs.
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
}

LRESULT CXTPCommandBar::OnGetObject(WPARAM wParam, LPARAM /*lParam*/)
{
    using PFNLRESULTFROMOBJECT = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static HMODULE hOleAcc = ::LoadLibraryA("oleacc.dll");
    static auto pfn = hOleAcc ? reinterpret_cast<PFNLRESULTFROMOBJECT>(::GetProcAddress(hOleAcc, "LresultFromObject"))
                              : nullptr;
    return pfn ? pfn(__uuidof(IAccessible), wParam, &m_accessible) : 0;
}
