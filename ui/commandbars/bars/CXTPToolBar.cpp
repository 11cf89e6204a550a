// The toolbar: creation, resource buttons, docked and floating layouts, the floating window.
#include "CArchive.h"
#include "CXTPToolBar.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "AfxResource.h"
#include "CControlBar.h"
#include "CDC.h"
#include "CFrameWnd.h"
#include "CMiniFrameWnd.h"
#include "CToolBar.h"
#include "CWinApp.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControlCloseButton.h"
#include "CXTPControlExpandButton.h"
#include "CXTPControlPopup.h"
#include "CXTPPopupBar.h"
#include "CXTPControls.h"
#include "CXTPDockBar.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"
#include "CXTPResourceManager.h"
#include "CXTPShortcutManager.h"
#include "CXTPToolBarDragContext.h"
#include "ResourceIds.h"

IMPLEMENT_SERIAL(CXTPToolBar, CXTPCommandBar, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
    ON_MESSAGE(WM_SETCURSOR, OnSetCursorMessage)
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_NCCREATE, OnNcCreateMessage)
    ON_MESSAGE(WM_NCACTIVATE, OnNcActivateMessage)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivateMessage)
    ON_WM_LBUTTONDOWN()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_CLOSE, OnCloseMessage)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

const int kExpandStrip = 11;    // the expand button's strip at the end of a docked bar
const int kFloatingBorder = 3;  // a floating bar's frame, and its resize band

// Layouts only measure: a memory DC of the thread's, holding the bar font while a layout runs,
// spares a window DC (a round trip to the window system) on every one of them.
class CMeasureDC : public CDC {
public:
    CMeasureDC() { Attach(Shared().hDC); }
    ~CMeasureDC() override { Detach(); }
    CMeasureDC(const CMeasureDC&) = delete;
    CMeasureDC& operator=(const CMeasureDC&) = delete;

private:
    struct Holder {
        HDC hDC = ::CreateCompatibleDC(nullptr);
        ~Holder() { ::DeleteDC(hDC); }
    };
    static Holder& Shared()
    {
        thread_local Holder holder;
        return holder;
    }
};

// Where a control stands and whether it shows: what a layout changes of it.
struct ControlPlace {
    CRect rc;
    DWORD dwHide;
    BOOL bWrap;
    bool operator==(const ControlPlace& other) const
    {
        return rc == other.rc && dwHide == other.dwHide && bWrap == other.bWrap;
    }
};

std::vector<ControlPlace> Places(const CXTPControls* pControls)
{
    std::vector<ControlPlace> places;
    places.reserve(static_cast<size_t>(pControls->GetCount()));
    for (int i = 0; i < pControls->GetCount(); i++) {
        const CXTPControl* pControl = pControls->GetAt(i);
        places.push_back({pControl->GetRect(), pControl->GetHideFlags(), pControl->GetWrap()});
    }
    return places;
}

BOOL IsFloatingBar(const CXTPCommandBar* pBar)
{
    return pBar->GetPosition() == xtpBarFloating;
}

const char* ToolBarClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace

CXTPToolBar::CXTPToolBar()
{
    m_dwStyle = CBRS_GRIPPER;
    m_bCloseable = TRUE;
    m_barType = xtpBarTypeNormal;
}

CXTPToolBar::~CXTPToolBar()
{
    delete m_pDockContext;
    m_pDockContext = nullptr;
}

BOOL CXTPToolBar::CreateToolBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (!CreateEx(0, ToolBarClass(), nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    m_barPosition = xtpBarTop;
    if (dwStyle & CBRS_TOOLTIPS)
        EnableToolTips(TRUE);
    return TRUE;
}

BOOL CXTPToolBar::ReadToolBarResource(const BYTE* pData, DWORD cbData, std::vector<UINT>& arrIds, CSize& szBitmap)
{
    return CToolBar::ReadResource(pData, cbData, arrIds, szBitmap);
}

BOOL CXTPToolBar::LoadToolBar(UINT nIDResource, BOOL bLoadIcons)
{
    m_nBarID = nIDResource;
    m_pControls->RemoveAll();
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = AfxFindResource(MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(241));
    HGLOBAL hGlobal = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    const BYTE* pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!pData)
        return FALSE;
    std::vector<UINT> arrIds;
    CSize szBitmap;
    if (!ReadToolBarResource(pData, ::SizeofResource(hInstance, hResource), arrIds, szBitmap))
        return FALSE;
    SetButtons(arrIds.data(), static_cast<int>(arrIds.size()));

    BOOL bResult = TRUE;
    if (bLoadIcons) {
        std::vector<UINT> arrIcons;
        for (UINT nID : arrIds) {
            if (nID != 0)
                arrIcons.push_back(nID);
        }
        bResult = GetImageManager()->SetIconsFromBitmapResource(nIDResource, arrIcons.data(),
                                                                 static_cast<int>(arrIcons.size()), szBitmap, 0);
        if (szBitmap.cx != 16)
            m_szIcons = szBitmap;
    }
    if (bResult)
        m_pControls->CreateOriginalControls();
    return bResult;
}

BOOL CXTPToolBar::SetButtons(const UINT* pButtons, int nCount)
{
    m_pControls->RemoveAll();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    CWnd* pSite = pCommandBars ? pCommandBars->GetSite() : nullptr;
    BOOL bBeginGroup = FALSE;
    for (int i = 0; i < nCount; i++) {
        if (pButtons[i] == 0) {
            bBeginGroup = TRUE;
            continue;
        }
        XTP_CREATECONTROL request = {};
        request.nID = pButtons[i];
        request.bToolBar = TRUE;
        request.nIndex = i;
        request.strCaption = m_strTitle;
        request.pCommandBar = this;
        request.controlType = xtpControlButton;
        if (pSite && pSite->GetSafeHwnd())
            pSite->SendMessage(WM_CMDBARS_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request));
        CXTPControl* pControl = request.pControl
                                    ? m_pControls->AddControl(request.pControl, static_cast<int>(request.nID))
                                    : m_pControls->Add(request.controlType, static_cast<int>(request.nID));
        if (!pControl)
            continue;
        // A drop-down made by type keeps no id of its own; on a toolbar it is the button's.
        if (pControl->GetType() == xtpControlPopup && pControl->GetID() != static_cast<int>(request.nID))
            pControl->SetID(static_cast<int>(request.nID));
        if (request.dwFlags)
            pControl->SetFlags(pControl->GetFlags() | request.dwFlags);
        if (bBeginGroup) {
            pControl->SetBeginGroup(TRUE);
            bBeginGroup = FALSE;
        }
    }
    return TRUE;
}

void CXTPToolBar::EnableDocking(DWORD dwFlags)
{
    m_dwFlags = (m_dwFlags & ~0xFFu) | (dwFlags & 0xFF);
    if (!m_pDockContext)
        m_pDockContext = new CXTPToolBarDragContext(this);
}

BOOL CXTPToolBar::SetPosition(XTPBarPosition barPosition)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || barPosition < xtpBarTop || barPosition > xtpBarFloating)
        return FALSE;
    // The command bars place it: in the dock bar of the side, or floating.
    if (barPosition == xtpBarFloating)
        return pCommandBars->FloatCommandBar(this);
    return pCommandBars->DockCommandBar(this, barPosition);
}

void CXTPToolBar::SetVisible(BOOL bVisible)
{
    m_bVisible = bVisible;
    if (!bVisible)
        SetTrackingMode(FALSE);
    if (m_hWnd)
        ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!IsFloatingBar(this) && pCommandBars)
        pCommandBars->RecalcFrameLayout(FALSE);
    if (!bVisible && m_bTearOff && pCommandBars) {
        // A torn-off bar goes with its hiding. Its own close button may be what hid it, so
        // the last reference goes only once the thread's message loop has it back.
        InternalAddRef();
        pCommandBars->Remove(this);
        ReleaseLater(this);
    }
}

namespace {

std::map<UINT_PTR, CCmdTarget*>& PendingReleases()
{
    static std::map<UINT_PTR, CCmdTarget*> pending;
    return pending;
}

void CALLBACK ReleasePending(HWND /*hWnd*/, UINT /*nMessage*/, UINT_PTR nIDEvent, DWORD /*dwTime*/)
{
    ::KillTimer(nullptr, nIDEvent);
    auto it = PendingReleases().find(nIDEvent);
    if (it == PendingReleases().end())
        return;
    CCmdTarget* pTarget = it->second;
    PendingReleases().erase(it);
    pTarget->InternalRelease();
}

}  // namespace

void CXTPToolBar::ReleaseLater(CCmdTarget* pTarget)
{
    const UINT_PTR nIDEvent = ::SetTimer(nullptr, 0, 0, ReleasePending);
    if (nIDEvent == 0) {
        // No timer to wait for: keep the object rather than free it under a caller.
        return;
    }
    PendingReleases()[nIDEvent] = pTarget;
}

void CXTPToolBar::OnRecalcLayout()
{
    if (!m_hWnd)
        return;
    if (IsFloatingBar(this)) {
        CSize sz = CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        SetWindowPos(nullptr, rcWindow.left, rcWindow.top, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate(FALSE);
        return;
    }
    if (CXTPCommandBars* pCommandBars = GetCommandBars())
        pCommandBars->RecalcFrameLayout(FALSE);
}

BOOL CXTPToolBar::OnKeyDown(UINT nChar)
{
    // An embedded bar passes Tab on to its dialog-like parent.
    if (nChar == VK_TAB && !m_pDockContext && m_hWnd && GetParent()) {
        HWND hParent = GetParent()->GetSafeHwnd();
        HWND hNext = ::GetNextDlgTabItem(hParent, m_hWnd, ::GetKeyState(VK_SHIFT) < 0);
        if (hNext && hNext != m_hWnd) {
            ::SetFocus(hNext);
            SetTrackingMode(FALSE);
            return TRUE;
        }
    }
    return CXTPCommandBar::OnKeyDown(nChar);
}

BOOL CXTPToolBar::IsOwnButton(const CXTPControl* pControl) const
{
    return pControl->GetID() == XTP_ID_TOOLBAR_EXPAND || pControl->GetID() == XTP_ID_TOOLBAR_HIDE;
}

CXTPControl* CXTPToolBar::FindOrCreateOwnButton(int nId)
{
    if (CXTPControl* pControl = m_pControls->FindControl(nId))
        return pControl;
    CXTPControl* pControl = nId == XTP_ID_TOOLBAR_EXPAND ? static_cast<CXTPControl*>(new CXTPControlExpandButton)
                                                         : static_cast<CXTPControl*>(new CXTPControlCloseButton);
    return m_pControls->AddControl(pControl, nId, "", -1, TRUE);
}

CSize CXTPToolBar::LayoutControls(CDC* pDC, int nLength, DWORD dwMode, CRect rcBorders, BOOL bCommit,
                                  int* pnHiddenCount)
{
    const BOOL bVertical = !(dwMode & LM_HORZ);
    const int nCount = GetControlCount();
    std::vector<XTPControlLayout> records(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; i++) {
        CXTPControl* pControl = GetControl(i);
        // Fields and hosted windows learn the bar's orientation before they are measured.
        pControl->OnLayoutMode(bVertical ? LM_VERTDOCK : 0);
        XTPControlLayout& r = records[static_cast<size_t>(i)];
        // Controls hidden for lack of room are measured again; the bar's own buttons sit apart.
        r.bVisible = !IsOwnButton(pControl) && (pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideWrap)) == 0;
        r.bBeginGroup = pControl->GetBeginGroup();
        if (r.bVisible) {
            CSize sz = pControl->GetSize(pDC);
            r.nWidth = sz.cx;
            r.nHeight = sz.cy;
        }
    }
    DWORD dwWrapMode = (dwMode & LM_HIDEWRAP) ? xtpLayoutHideWrap : 0;
    if (bVertical)
        dwWrapMode |= xtpLayoutVertDock;
    const int nInner = nLength - (bVertical ? rcBorders.top + rcBorders.bottom : rcBorders.left + rcBorders.right);
    if (nLength >= 0)
        CXTPControls::WrapRows(records, std::max(nInner, 0), dwWrapMode);
    else
        CXTPControls::WrapRows(records, INT_MAX, dwWrapMode);

    int nHidden = 0;
    for (XTPControlLayout& r : records) {
        if (r.bHidden && r.bVisible)
            nHidden++;
        // The placing skips hidden records: treat them as not visible there.
    }
    std::vector<XTPControlLayout> placed = records;
    for (XTPControlLayout& r : placed) {
        if (r.bHidden)
            r.bVisible = FALSE;
    }
    CSize szControls = CXTPControls::CalcControlsSize(placed, bVertical);

    // Rows: each centred across its own thickness.
    int nFirst = -1;
    int nThickness = 0;
    auto flushRow = [&](int nLast) {
        if (nFirst < 0)
            return;
        CXTPControls::CenterRow(placed, nFirst, nLast, nThickness, bVertical ? szControls.cy : szControls.cx, 0,
                                bVertical);
    };
    for (int i = 0; i < nCount; i++) {
        XTPControlLayout& r = placed[static_cast<size_t>(i)];
        if (!r.bVisible)
            continue;
        if (r.bWrap && nFirst >= 0) {
            flushRow(i - 1);
            nFirst = -1;
            nThickness = 0;
        }
        if (nFirst < 0)
            nFirst = i;
        nThickness = std::max(nThickness, bVertical ? r.nWidth : r.nHeight);
    }
    flushRow(nCount - 1);

    CSize szBar(szControls.cx + rcBorders.left + rcBorders.right, szControls.cy + rcBorders.top + rcBorders.bottom);
    // A stretched bar takes the whole length, and its right-aligned controls go to its end.
    if ((dwMode & LM_STRETCH) && nLength > 0)
        (bVertical ? szBar.cy : szBar.cx) = nLength;
    if (bCommit) {
        const int nOffsetX = bVertical ? rcBorders.left + szControls.cx : rcBorders.left;
        for (int i = 0; i < nCount; i++) {
            XTPControlLayout& r = placed[static_cast<size_t>(i)];
            r.rcControl.OffsetRect(nOffsetX, rcBorders.top);
            r.rcRow.OffsetRect(nOffsetX, rcBorders.top);
        }
        m_pControls->AdjustRows(placed, CRect(CPoint(0, 0), szBar), rcBorders,
                                bVertical ? static_cast<DWORD>(xtpLayoutVertDock) : 0);
        for (int i = 0; i < nCount; i++) {
            CXTPControl* pControl = GetControl(i);
            if (IsOwnButton(pControl))
                continue;
            const XTPControlLayout& r = placed[static_cast<size_t>(i)];
            const DWORD dwHide = pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideWrap);
            pControl->SetHideFlags(records[static_cast<size_t>(i)].bHidden && records[static_cast<size_t>(i)].bVisible
                                       ? dwHide | xtpHideWrap
                                       : dwHide);
            pControl->SetWrap(r.bWrap);
            if (r.bVisible) {
                pControl->SetRect(r.rcControl);
                pControl->SetRowRect(r.rcRow);
            }
        }
    }
    if (pnHiddenCount)
        *pnHiddenCount = nHidden;
    return szBar;
}

CSize CXTPToolBar::CalcDockingLayout(int nLength, DWORD dwMode, int /*nWidth*/)
{
    CMeasureDC dc;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CFont* pOldFont = dc.SelectObject(pPaintManager->GetCommandBarFont(m_barPosition, FALSE));
    const BOOL bHorizontal = (dwMode & LM_HORZDOCK) != 0 || (dwMode & LM_HORZ) != 0;
    CRect rcBorders = pPaintManager->GetBarBorders(this);
    if (m_dwStyle & CBRS_GRIPPER) {
        // Measured for the position the bar has; the larger side is its extent along the bar.
        const CSize szGripper = pPaintManager->DrawCommandBarGripper(&dc, this, FALSE);
        (bHorizontal ? rcBorders.left : rcBorders.top) += std::max(szGripper.cx, szGripper.cy);
    }
    if (CXTPControl* pClose = m_pControls->FindControl(XTP_ID_TOOLBAR_HIDE))
        pClose->SetHideFlags(xtpHideGeneric);

    const DWORD dwLayoutMode = bHorizontal ? (dwMode | LM_HORZ) : (dwMode & ~static_cast<DWORD>(LM_HORZ));
    const BOOL bCommit = (dwMode & LM_COMMIT) != 0;
    const std::vector<ControlPlace> before = bCommit ? Places(m_pControls) : std::vector<ControlPlace>();
    CXTPControl* pExpand = nullptr;
    CSize szBar;
    if (m_barType != xtpBarTypeMenuBar && m_pDockContext) {
        pExpand = FindOrCreateOwnButton(XTP_ID_TOOLBAR_EXPAND);
        pExpand->SetHideFlags(xtpHideGeneric);
        CXTPCommandBars* pCommandBars = GetCommandBars();
        const BOOL bAlways = pCommandBars ? pCommandBars->GetOptions()->m_bShowExpandButtonAlways : TRUE;
        CRect rcInner = rcBorders;
        BOOL bReserve = bAlways;
        if (!bAlways && !bCommit) {
            // The size the bar wants, and the smallest length it can shrink to with its strip.
            szBar = LayoutControls(&dc, nLength, dwLayoutMode, rcBorders, FALSE);
            CSize szSmallest = LayoutControls(&dc, 0, dwLayoutMode | LM_HIDEWRAP, rcBorders, FALSE);
            int nPlaceable = 0;
            for (int i = 0; i < GetControlCount(); i++) {
                CXTPControl* pControl = GetControl(i);
                if (!IsOwnButton(pControl) && (pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideWrap)) == 0)
                    nPlaceable++;
            }
            if (nPlaceable > 1) {
                LONG& nAlong = bHorizontal ? szBar.cx : szBar.cy;
                const LONG nMin = (bHorizontal ? szSmallest.cx : szSmallest.cy) + kExpandStrip;
                nAlong = std::max(nAlong, nMin);
            }
            dc.SelectObject(pOldFont);
            return szBar;
        }
        if (!bAlways) {
            int nHidden = 0;
            LayoutControls(&dc, nLength, dwLayoutMode, rcBorders, FALSE, &nHidden);
            bReserve = nHidden > 0;
        }
        if (bReserve)
            (bHorizontal ? rcInner.right : rcInner.bottom) += kExpandStrip;
        szBar = LayoutControls(&dc, nLength, dwLayoutMode, rcInner, bCommit);
        if (bReserve) {
            pExpand->SetHideFlags(0);
            if (bCommit)
                pExpand->SetRect(CXTPPaintManager::GetExpandButtonRect(szBar, bHorizontal ? xtpBarTop : xtpBarLeft));
        }
    } else {
        szBar = LayoutControls(&dc, nLength, dwLayoutMode, rcBorders, bCommit);
    }
    if ((dwMode & LM_STRETCH) && nLength > 0)
        (bHorizontal ? szBar.cx : szBar.cy) = nLength;
    dc.SelectObject(pOldFont);
    // Only a bar whose controls moved, came or went paints again.
    if (bCommit && m_hWnd && Places(m_pControls) != before)
        Invalidate(FALSE);
    return szBar;
}

int CXTPToolBar::GetCaptionHeight() const
{
    // The floating caption band the theme draws as this bar's gripper.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CXTPToolBar* pThis = const_cast<CXTPToolBar*>(this);
    const XTPBarPosition barPosition = m_barPosition;
    pThis->m_barPosition = xtpBarFloating;
    const int nHeight = GetPaintManager()->DrawCommandBarGripper(&dc, pThis, FALSE).cy;
    pThis->m_barPosition = barPosition;
    return nHeight;
}

CSize CXTPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // The dock bars measure their bars through here, with a docking mode.
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK))
        return CalcDockingLayout(nLength, dwMode);
    CMeasureDC dc;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CFont* pOldFont = dc.SelectObject(pPaintManager->GetCommandBarFont(xtpBarFloating, FALSE));
    const int h = GetCaptionHeight();
    const CRect rcBorders(kFloatingBorder, h + 4, kFloatingBorder, kFloatingBorder);

    CXTPControl* pClose = nullptr;
    CXTPControl* pExpand = nullptr;
    if (m_barType != xtpBarTypeMenuBar) {
        if (m_bCloseable) {
            pClose = FindOrCreateOwnButton(XTP_ID_TOOLBAR_HIDE);
            pClose->SetHideFlags(0);
        }
        pExpand = FindOrCreateOwnButton(XTP_ID_TOOLBAR_EXPAND);
        pExpand->SetHideFlags(0);
    }

    // The width to lay out in: the last one given, a width, or the one that gives a height.
    int nWidth = nLength;
    if ((dwMode & LM_MRUWIDTH) || nLength < 0)
        nWidth = m_nMRUWidth;
    else if (dwMode & LM_LENGTHY) {
        // The narrowest width whose rows fit in the height asked for.
        nWidth = LayoutControls(&dc, -1, LM_HORZ, rcBorders, FALSE).cx;
        const int nWidest = nWidth;
        for (int w = nWidest; w >= 0; w--) {
            if (LayoutControls(&dc, w, LM_HORZ, rcBorders, FALSE).cy > std::max(nLength, 0))
                break;
            nWidth = w;
        }
    }
    const BOOL bCommit = (dwMode & LM_COMMIT) != 0;
    CSize szBar = LayoutControls(&dc, std::max(nWidth, 0), LM_HORZ, rcBorders, bCommit);
    // The caption keeps room for its squares.
    const int nCaptionButtons = (pClose ? h : 0) + (pExpand ? h : 0);
    szBar.cx = std::max<LONG>(szBar.cx, 2 * kFloatingBorder + nCaptionButtons + h);
    if (bCommit) {
        if (!(dwMode & LM_MRUWIDTH) && nLength >= 0)
            m_nMRUWidth = nWidth;
        int nRight = szBar.cx - kFloatingBorder;
        if (pClose) {
            pClose->SetRect(CRect(nRight - h, kFloatingBorder, nRight, kFloatingBorder + h));
            nRight -= h;
        }
        if (pExpand) {
            CXTPCommandBars* pCommandBars = GetCommandBars();
            const BOOL bAlways = pCommandBars ? pCommandBars->GetOptions()->m_bShowExpandButtonAlways : TRUE;
            if (bAlways && nRight - h >= kFloatingBorder)
                pExpand->SetRect(CRect(nRight - h, kFloatingBorder, nRight, kFloatingBorder + h));
            else
                pExpand->SetHideFlags(xtpHideGeneric);
        }
    }
    dc.SelectObject(pOldFont);
    return szBar;
}

void CXTPToolBar::Copy(CXTPCommandBar* pSrc, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pSrc, bRecursive);
    if (pSrc->IsKindOf(RUNTIME_CLASS(CXTPToolBar))) {
        CXTPToolBar* pToolBar = static_cast<CXTPToolBar*>(pSrc);
        m_bBuiltIn = pToolBar->m_bBuiltIn;
        m_bTearOff = pToolBar->m_bTearOff;
        m_bCloseable = pToolBar->m_bCloseable;
    }
}

void CXTPToolBar::DrawCommandBar(CDC* pDC)
{
    if (!IsFloatingBar(this)) {
        CXTPCommandBar::DrawCommandBar(pDC);
        return;
    }
    // A floating bar: its frame and caption band, then the controls and the caption's buttons.
    CXTPPaintManager* pPaintManager = GetPaintManager();
    pPaintManager->DrawCommandBarBackground(pDC, this);
    pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
    CFont* pOldFont = pDC->SelectObject(&pPaintManager->m_fontRegular);
    BOOL bFirst = TRUE;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible())
            continue;
        if (pControl->GetBeginGroup() && !bFirst && !pControl->GetWrap() && !IsOwnButton(pControl))
            pPaintManager->DrawSeparator(pDC, this, pControl, TRUE);
        pControl->Draw(pDC);
        if (!IsOwnButton(pControl))
            bFirst = FALSE;
    }
    pDC->SelectObject(pOldFont);
}

INT_PTR CXTPToolBar::OnToolHitTest(POINT point, TOOLINFOA_T* pTI) const
{
    // A window hosted in the bar answers for itself.
    const INT_PTR nHit = CXTPCommandBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    CXTPHookManager* pHookManager = XTPHookManager();
    if (pHookManager->IsLocked() || (m_bTracking == 2 && m_barPosition != xtpBarPopup))
        return -1;
    for (int i = 0; i < pHookManager->GetTrackedCount(); i++) {
        CXTPCommandBar* pTracked = pHookManager->GetTrackedAt(i);
        if (pTracked->GetType() == xtpBarTypePopup && pTracked->GetRootParent() != this)
            return -1;
    }
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && !pCommandBars->GetOptions()->m_bToolBarScreenTips)
        return -1;
    CXTPControl* pControl = HitTestControl(point);
    if (!pControl || pControl->GetID() == 0)
        return -1;
    CString strTip = pControl->GetTooltip();
    CString strShortcut;
    if (pCommandBars && pCommandBars->GetOptions()->m_bToolBarAccelTips &&
        XTPShortcutManager()->FindDefaultAccelerator(static_cast<UINT>(pControl->GetID()), strShortcut, pCommandBars))
        strTip += " (" + strShortcut + ")";
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(pControl->GetID());
        pTI->rect = pControl->GetRect();
        // The framework frees the copy once the tooltip has taken the text.
        pTI->lpszText = static_cast<char*>(std::calloc(static_cast<size_t>(strTip.GetLength()) + 1, 1));
        if (pTI->lpszText)
            std::memcpy(pTI->lpszText, static_cast<const char*>(strTip), static_cast<size_t>(strTip.GetLength()));
    }
    return pControl->GetID();
}

void CXTPToolBar::Reset()
{
    if (!m_bBuiltIn || m_nBarID == 0 || !IsCustomizable())
        return;
    CString strFormat, strMessage;
    XTPResourceManager()->LoadString(&strFormat, IDS_TOOL_BAR_RESET_QUESTION);
    strMessage.Format(strFormat, static_cast<const char*>(m_strTitle));
    if (AfxMessageBox(strMessage, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    if (CXTPControls* pOriginal = m_pControls->GetOriginalControls()) {
        m_pControls->RemoveAll();
        for (int i = 0; i < pOriginal->GetCount(); i++) {
            CXTPControl* pControl = pOriginal->GetAt(i);
            if (!pControl->IsTemporary())
                m_pControls->AddClone(pControl);
        }
    } else {
        LoadToolBar(m_nBarID, FALSE);
    }
    DelayLayout();
    OnRecalcLayout();
}

BOOL CXTPToolBar::SetFloatingWindow(CWnd* pParent, BOOL bFloating)
{
    if (!m_hWnd) {
        CPoint pt(100, 100);
        if (m_pDockContext)
            pt = m_pDockContext->m_ptMRUFloatPos;
        CXTPCommandBars* pCommandBars = GetCommandBars();
        CWnd* pSite = pCommandBars ? pCommandBars->GetSite() : pParent;
        const DWORD dwExStyle = pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
        if (bFloating) {
            if (!CreateEx(dwExStyle, ToolBarClass(), m_strTitle,
                          WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MFS_SYNCACTIVE, CRect(pt, CSize(0, 0)),
                          pParent, 0))
                return FALSE;
        } else if (!CreateEx(dwExStyle, ToolBarClass(), m_strTitle, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                             CRect(0, 0, 0, 0), pParent, 0)) {
            return FALSE;
        }
        if (m_bVisible)
            ShowWindow(SW_SHOWNA);
        return TRUE;
    }
    if (bFloating) {
        if (GetStyle() & WS_CHILD) {
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, 0);
            ::SetParent(m_hWnd, nullptr);
            ModifyStyle(WS_CHILD, WS_POPUP | MFS_SYNCACTIVE);
            SetWindowPos(nullptr, rcWindow.left, rcWindow.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (pParent)
            SetOwner(pParent);
    } else if (GetStyle() & WS_POPUP) {
        ModifyStyle(WS_POPUP | MFS_SYNCACTIVE, WS_CHILD);
        ::SetParent(m_hWnd, pParent ? pParent->GetSafeHwnd() : nullptr);
    } else if (pParent && ::GetParent(m_hWnd) != pParent->GetSafeHwnd() &&
               !(m_pDockBar && ::GetParent(m_hWnd) == m_pDockBar->GetSafeHwnd())) {
        // A docked bar stays in its dock bar: it is not floating there either.
        ::SetParent(m_hWnd, pParent->GetSafeHwnd());
    }
    return TRUE;
}

void CXTPToolBar::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* /*pState*/)
{
    if (bPreview) {
        if (m_bPreviewMode)
            return;
        m_bPreviewMode = TRUE;
        m_bPreviewVisible = m_bVisible && m_hWnd && IsWindowVisible();
        if (m_bPreviewVisible)
            ShowWindow(SW_HIDE);
        return;
    }
    if (!m_bPreviewMode)
        return;
    m_bPreviewMode = FALSE;
    if (!m_bPreviewVisible || !m_hWnd)
        return;
    ShowWindow(SW_SHOWNA);
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!IsFloatingBar(this) && pCommandBars)
        pCommandBars->RecalcFrameLayout(FALSE);
}

LRESULT CXTPToolBar::OnNcHitTest(CPoint point)
{
    if (IsFloatingBar(this)) {
        CRect rcInner;
        GetWindowRect(&rcInner);
        rcInner.DeflateRect(kFloatingBorder, kFloatingBorder);
        if (point.y < rcInner.top)
            return HTTOP;
        if (point.y >= rcInner.bottom)
            return HTBOTTOM;
        if (point.x < rcInner.left)
            return HTLEFT;
        if (point.x >= rcInner.right)
            return HTRIGHT;
    }
    return CXTPCommandBar::OnNcHitTest(point);
}

void CXTPToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_pDockContext && nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        if (CWnd* pTop = GetTopLevelParent())
            pTop->SetActiveWindow();
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        XTPHookManager()->CancelTracking();
        m_pDockContext->StartResize(nHitTest, point);
        return;
    }
    CXTPCommandBar::OnNcLButtonDown(nHitTest, point);
}

void CXTPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsFloatingBar(this))
        ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (HitTestControl(point)) {
        CXTPCommandBar::OnLButtonDown(nFlags, point);
        return;
    }
    XTPHookManager()->CancelTracking();
    if (m_pDockContext && (m_dwFlags & (xtpFlagAlignAny | xtpFlagFloating))) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        m_pDockContext->StartDrag(ptScreen);
    }
}

void CXTPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!HitTestControl(point) && m_pDockContext) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CXTPCommandBar::OnLButtonDblClk(nFlags, point);
}

void CXTPToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || IsCustomizeMode()) {
        CXTPCommandBar::OnRButtonDown(nFlags, point);
        return;
    }
    SetTrackingMode(FALSE);
    SetSelected(-1);
    RedrawNow();
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    pCommandBars->ContextMenu(ptScreen);
}

LRESULT CXTPToolBar::OnNcCreateMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (!Default())
        return FALSE;
    if (GetStyle() & MFS_SYNCACTIVE) {
        // Start with the caption state of the frame the bar floats over.
        HWND hTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
        HWND hForeground = ::GetForegroundWindow();
        BOOL bActive = hTop && hTop == hForeground;
        if (!bActive && hTop) {
            HWND hPopup = ::GetLastActivePopup(hTop);
            bActive = hPopup == hForeground && ::SendMessageA(hPopup, WM_FLOATSTATUS, FS_SYNCACTIVE, 0) != 0;
        }
        SendMessage(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0);
    }
    return TRUE;
}

LRESULT CXTPToolBar::OnNcActivateMessage(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam)
        return FALSE;
    return Default();
}

LRESULT CXTPToolBar::OnMouseActivateMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (IsFloatingBar(this))
        return MA_NOACTIVATE;
    CWnd* pFocus = CWnd::GetFocus();
    for (CWnd* pWnd = pFocus; pWnd; pWnd = pWnd->GetParent()) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            return MA_NOACTIVATE;
    }
    return Default();
}

LRESULT CXTPToolBar::OnFloatStatus(WPARAM wParam, LPARAM /*lParam*/)
{
    const LRESULT lResult = (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE) ? 1 : 0;
    if (!IsFloatingBar(this) || !m_bVisible)
        return lResult;
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || pCommandBars->GetOptions()->m_bSyncFloatingBars) {
        HWND hTop = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
        const BOOL bTopActive = CXTPHookManager::IsTopParentActive(m_hWnd);
        const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
        if ((wParam & FS_DEACTIVATE) && !bTopActive)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | nFlags);
        if ((wParam & FS_ACTIVATE) && !IsWindowVisible() && bTopActive) {
            HWND hForeground = ::GetForegroundWindow();
            if (hForeground && ::IsWindowVisible(hForeground) && !::IsIconic(hForeground))
                SetWindowPos(nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | nFlags);
        }
        (void)hTop;
    }
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOACTIVATE |
                         SWP_NOMOVE | SWP_NOSIZE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    return lResult;
}

LRESULT CXTPToolBar::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwMode = LM_HORZ | LM_HORZDOCK;
    if (m_dwFlags & xtpFlagStretched)
        dwMode |= LM_STRETCH;
    if (m_dwFlags & xtpFlagHideWrap)
        dwMode |= LM_HIDEWRAP;
    if (pLayout->hDWP)
        dwMode |= LM_COMMIT;
    CRect rect(pLayout->rect);
    CSize sz = CalcDockingLayout(rect.Width(), dwMode);
    sz.cx = std::min<LONG>(sz.cx, rect.Width());
    sz.cy = std::min<LONG>(sz.cy, rect.Height());
    CRect rcBar(rect.left, rect.top, rect.left + sz.cx, rect.top + sz.cy);
    pLayout->rect.top += sz.cy;
    pLayout->sizeTotal.cy += sz.cy;
    pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, sz.cx);
    if (pLayout->hDWP)
        AfxRepositionWindow(pLayout, m_hWnd, &rcBar);
    return 0;
}

LRESULT CXTPToolBar::OnCloseMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CXTPToolBar::OnSetCursorMessage(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return Default();
}

void CXTPToolBar::OnSetFocus(CWnd* pOldWnd)
{
    if (!m_hwndFocus && pOldWnd)
        m_hwndFocus = pOldWnd->GetSafeHwnd();
    if (!m_pDockContext)
        SetTrackingMode(TRUE, TRUE, TRUE);
}

void CXTPToolBar::CopyHiddenControls(CXTPControls* pTo) const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->GetHideFlags() != xtpHideWrap)
            continue;
        CXTPControl* pCopy = pTo->AddClone(pControl);
        pCopy->SetHideFlags(0);
        pCopy->SetBeginGroup(FALSE);
    }
}

void CXTPToolBar::FillExpandPopup(CXTPPopupBar* pPopup)
{
    CXTPControls* pControls = pPopup->GetControls();
    pControls->RemoveAll();
    CXTPCommandBars* pCommandBars = GetCommandBars();
    // The buttons of this bar (and of its row) that found no room, to be reached from here.
    if (pCommandBars)
        pCommandBars->GetHiddenControls(this, pPopup);
    else
        CopyHiddenControls(pControls);
    const BOOL bAlways = pCommandBars ? pCommandBars->GetOptions()->m_bShowExpandButtonAlways : TRUE;
    const BOOL bCustomizable = pCommandBars && pCommandBars->IsCustomizable();
    if (!bAlways && !bCustomizable) {
        pPopup->SetMRUWidth(150);
        return;
    }
    CString strCaption;
    XTPResourceManager()->LoadString(&strCaption, IDS_TOOL_BAR_ADD_REMOVE_BUTTONS);
    const BOOL bGroup = pControls->GetCount() > 1;
    CXTPControlPopup* pAddRemove = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
    pControls->AddControl(pAddRemove);
    pAddRemove->SetCaption(strCaption);
    pAddRemove->SetFlags(pAddRemove->GetFlags() | xtpFlagManualUpdate);
    pAddRemove->SetBeginGroup(bGroup);

    // One entry per toolbar of the row: its buttons to show or hide.
    CXTPPopupBar* pBars = CXTPPopupBar::CreatePopupBar(pCommandBars);
    if (pCommandBars) {
        pCommandBars->GetExpandPopup(this, pBars);
    } else {
        CXTPControlPopup* pBarEntry = CXTPControlPopup::CreateControlPopup(xtpControlPopup);
        pBars->GetControls()->AddControl(pBarEntry);
        pBarEntry->SetCaption(m_strTitle);
        pBarEntry->SetFlags(pBarEntry->GetFlags() | xtpFlagManualUpdate);
        pBarEntry->SetEnabled(FALSE);
    }
    pAddRemove->SetCommandBar(pBars);
    pBars->InternalRelease();
}

void CXTPToolBar::FillAddRemovePopup(CXTPPopupBar* pPopup)
{
    CXTPControls* pControls = pPopup->GetControls();
    pControls->RemoveAll();
    CXTPControls* pOriginal = m_pControls->GetOriginalControls();
    // Originals the user removed come back hidden, so that they can be shown again.
    if (pOriginal) {
        for (int i = 0; i < pOriginal->GetCount(); i++) {
            CXTPControl* pControl = pOriginal->GetAt(i);
            if (m_pControls->FindControl(pControl->GetType(), pControl->GetID(), FALSE, FALSE))
                continue;
            CXTPControl* pBack = m_pControls->AddClone(pControl, std::min(i, m_pControls->GetCount()));
            pBack->SetHideFlags(pBack->GetHideFlags() | xtpHideCustomize);
        }
    }
    CXTPControls* pList = pOriginal ? pOriginal : m_pControls;
    for (int i = 0; i < pList->GetCount(); i++) {
        CXTPControl* pListed = pList->GetAt(i);
        if (IsOwnButton(pListed))
            continue;
        CXTPControl* pControl = m_pControls->FindControl(pListed->GetType(), pListed->GetID(), FALSE, FALSE);
        if (!pControl || (pControl->GetHideFlags() & (xtpHideGeneric | xtpHideDocTemplate)))
            continue;
        auto* pToggle = new CXTPControlToolBarToggle;
        pControls->AddControl(pToggle, pControl->GetID());
        pToggle->SetCaption(pControl->GetCaption());
        pToggle->SetFlags(pToggle->GetFlags() | xtpFlagManualUpdate);
        pToggle->SetTarget(pControl);
    }
    if (m_bBuiltIn && !m_bTearOff) {
        CString strReset;
        XTPResourceManager()->LoadString(&strReset, IDS_TOOL_BAR_RESET);
        auto* pReset = new CXTPControlToolBarReset;
        pControls->AddControl(pReset, 0);
        pReset->SetCaption(strReset);
        pReset->SetFlags(pReset->GetFlags() | xtpFlagManualUpdate);
        pReset->SetTag(reinterpret_cast<DWORD_PTR>(this));
        pReset->SetBeginGroup(TRUE);
    }
}

void CXTPToolBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPCommandBar::DoPropExchange(pPX);
    PX_Bool(pPX, "BuiltIn", m_bBuiltIn, TRUE);
    PX_Bool(pPX, "TearOff", m_bTearOff, FALSE);
    if (pPX->m_nSchema > 6)
        PX_Bool(pPX, "Closeable", m_bCloseable, TRUE);
    if (pPX->m_nSchema > 7)
        PX_Bool(pPX, "ContextMenuPresent", m_bContextMenuPresent, TRUE);
}
