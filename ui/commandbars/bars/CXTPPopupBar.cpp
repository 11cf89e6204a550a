// The popup bar: opening beside its owner, placement on the screen, column layout, rarely used
// commands, scrolling, closing; and the popup toolbar.
#include "CArchive.h"
#include "CXTPPopupBar.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "CDC.h"
#include "CFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControl.h"
#include "CXTPControlButton.h"
#include "CXTPControlPopup.h"
#include "CXTPControls.h"
#include "CXTPDrawHelpers.h"
#include "CXTPHookManager.h"
#include "CXTPHoldRef.h"
#include "CXTPMenuSound.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"
#include "CXTPShadowManager.h"
#include "CXTPShortcutManager.h"
#include "CXTPToolBar.h"
#include "CXTPTrackingLoop.h"

IMPLEMENT_SERIAL(CXTPPopupBar, CXTPCommandBar, VERSIONABLE_SCHEMA | 0x11)
IMPLEMENT_SERIAL(CXTPPopupToolBar, CXTPPopupBar, VERSIONABLE_SCHEMA | 0x11)

BEGIN_MESSAGE_MAP(CXTPPopupBar, CXTPCommandBar)
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
    ON_WM_MOUSEACTIVATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_TIMER()
END_MESSAGE_MAP()

double CXTPPopupBar::m_dMaxWidthDivisor = 1.0 / 3.0;

namespace {

const UINT kTimerScrollDown = 5001;
const UINT kTimerScrollUp = 5002;
const UINT kTimerTearOffGrip = 5003;
// How far the cursor may leave the grip before the controls come off, and where the torn-off
// toolbar's top stays above the cursor.
const int kTearOffStayZone = 10;
const int kTearOffAboveCursor = 10;

// The expand button at the bottom of a popup menu: executing it shows the rarely used commands.
class CXTPExpandMenuButton : public CXTPControlButton {
public:
    void Execute() override
    {
        if (auto* pPopup = dynamic_cast<CXTPPopupBar*>(m_pParent))
            pPopup->ExpandBar();
    }
    // The theme draws the entry; the caption is its tooltip.
    void Draw(CDC* pDC) override
    {
        GetPaintManager()->DrawSpecialControl(pDC, xtpButtonExpandMenu, this, m_pParent, TRUE, nullptr);
    }
    void OnMouseHover() override
    {
        CXTPCommandBars* pCommandBars = GetCommandBarsOfParent();
        if (pCommandBars && pCommandBars->IsShowFullAfterDelay())
            Execute();
    }
};

}  // namespace

CXTPPopupBar::CXTPPopupBar()
{
    m_barType = xtpBarTypePopup;
    m_barPosition = xtpBarPopup;
}

CXTPPopupBar::~CXTPPopupBar()
{
    if (m_hWnd)
        XTPShadowManager()->RemoveShadow(this);
}

CXTPPopupBar* CXTPPopupBar::CreatePopupBar(CXTPCommandBars* pCommandBars)
{
    auto* pPopup = static_cast<CXTPPopupBar*>(RUNTIME_CLASS(CXTPPopupBar)->CreateObject());
    pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

CXTPCommandBar* CXTPPopupBar::GetParentBar() const
{
    return m_pControlPopup ? m_pControlPopup->GetParent() : nullptr;
}

void CXTPPopupBar::CreatePopupWindow()
{
    CWnd* pSite = GetSite();
    DWORD dwExStyle = WS_EX_TOOLWINDOW;
    if (pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL))
        dwExStyle |= WS_EX_LAYOUTRTL;
    const char* lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(dwExStyle, lpszClass, "", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, nullptr,
                  nullptr))
        return;
    if (pSite && pSite->GetSafeHwnd())
        CWnd::SetOwner(pSite);
}

BOOL CXTPPopupBar::Popup(int x, int y, LPCRECT rcExclude)
{
    m_ptPopup = CPoint(x, y);
    m_rcExclude = rcExclude ? CRect(*rcExclude) : CRect(0, 0, 0, 0);
    return Popup(nullptr, FALSE);
}

BOOL CXTPPopupBar::Popup(CXTPControl* pControlPopup, BOOL bSelectFirst)
{
    m_pControlPopup = dynamic_cast<CXTPControlPopup*>(pControlPopup);
    if (!m_hWnd)
        CreatePopupWindow();
    if (!m_hWnd)
        return FALSE;

    CHoldRef hold(this);
    LockRedraw();
    CWnd* pSite = GetOwnerSite();
    if (pSite && pSite->GetSafeHwnd() && !m_bNoNotify)
        pSite->SendMessage(WM_CMDBARS_INITPOPUP, 0, reinterpret_cast<LPARAM>(this));

    m_bTearOffTracking = FALSE;
    m_bTearOffSelected = FALSE;
    m_bHasHiddenCommands = FALSE;
    m_bExpanded = IsCustomizeMode() || XTPHookManager()->IsKeyboardMode();
    m_bScroll = FALSE;
    m_nScrollFirst = 0;
    m_rcScrollUp.SetRectEmpty();
    m_rcScrollDown.SetRectEmpty();

    NotifyControlsBeforeShow();
    UpdateCommandStates();
    UpdateFlags();
    UpdateLocation(CalcDynamicLayout(0, 0));

    SetTrackingMode(TRUE, bSelectFirst, FALSE);
    m_dwPendingFlags &= ~static_cast<DWORD>(kPendingLayout | kPendingRedraw);

    const int nAnimation = GetAnimationType();
    CXTPCommandBar* pParent = GetParentBar();
    if (nAnimation != 5 && !IsCustomizeMode() && (!pParent || pParent->IsAnimateNextPopup())) {
        if (pParent) {
            pParent->SetAnimateNextPopup(FALSE);
            pParent->UpdateWindow();
        }
        Animate(nAnimation);
    }
    XTPMenuSound()->PlaySound(CXTPMenuSound::kPopup);
    if (m_barPosition == xtpBarPopup && m_bShowShadow)
        XTPShadowManager()->SetShadow(this, m_rcExclude);

    m_nLockRedraw--;
    if (m_nLockRedraw == 0) {
        m_dwPendingFlags &= ~static_cast<DWORD>(kPendingRedraw);
        Invalidate(FALSE);
    }
    return TRUE;
}

void CXTPPopupBar::Animate(int nAnimation)
{
    // The finished picture, painted aside, is brought onto the screen by the paint manager.
    CRect rcClient;
    GetClientRect(&rcClient);
    CClientDC dc(this);
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height());
    CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
    DrawCommandBar(&memDC);
    GetPaintManager()->Animate(&dc, &memDC, rcClient.Size(), nAnimation);
    memDC.SelectObject(pOldBitmap);
}

int CXTPPopupBar::GetAnimationType() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars || (m_hWnd && ::GetWindow(m_hWnd, GW_CHILD)))
        return 5;
    switch (pCommandBars->GetOptions()->m_animationType) {
    case 0: {
        BOOL bAnimation = FALSE;
        if (!::SystemParametersInfoA(SPI_GETMENUANIMATION, 0, &bAnimation, 0) || !bAnimation)
            return 5;
        BOOL bFade = FALSE;
        return ::SystemParametersInfoA(SPI_GETMENUFADE, 0, &bFade, 0) && bFade ? 4 : 3;
    }
    case 1: {
        static const int kinds[3] = {4, 3, 2};
        return kinds[std::rand() % 3];
    }
    default:
        return static_cast<int>(pCommandBars->GetOptions()->m_animationType);
    }
}

void CXTPPopupBar::NotifyControlsBeforeShow()
{
    // Placeholders put runs of items after themselves here: walk a copy of the list, and only
    // the controls still in the bar.
    std::vector<CXTPControl*> controls;
    for (int i = 0; i < GetControlCount(); i++) {
        controls.push_back(GetControl(i));
        controls.back()->InternalAddRef();
    }
    for (CXTPControl* pControl : controls) {
        if (pControl->GetControls() == m_pControls && pControl->GetParent() == this)
            pControl->OnLayoutMode(0);
        pControl->InternalRelease();
    }
}

void CXTPPopupBar::UpdateCommandStates()
{
    // The idle update never reaches a popup (it is no child of the frame, and it is not yet
    // shown here): its items take their states now, as a menu's do when it opens, so the
    // items whose command nobody handles show disabled.
    CWnd* pTarget = GetSite();
    if (!pTarget)
        return;
    auto* pFrame = dynamic_cast<CFrameWnd*>(pTarget);
    UpdateDocTemplateControls();
    OnUpdateCmdUI(pTarget, pFrame ? pFrame->m_bAutoMenuEnable : TRUE);
}

void CXTPPopupBar::UpdateFlags()
{
    if (!m_pControlPopup)
        return;
    CXTPCommandBar* pParent = m_pControlPopup->GetParent();
    if (!pParent)
        return;
    DWORD dwFlags = ((m_pControlPopup->GetFlags() & 4) || pParent->IsRTL()) ? xtpPopupLeft : 0;
    const XTPBarPosition position = pParent->GetPosition();
    if (position != xtpBarLeft && position != xtpBarRight && position != xtpBarPopup)
        dwFlags |= xtpPopupDown;
    auto* pParentPopup = dynamic_cast<CXTPPopupBar*>(pParent);
    if (position == xtpBarRight ||
        (pParent->GetType() == xtpBarTypePopup && pParentPopup && (pParentPopup->m_popupFlags & xtpPopupLeft)))
        dwFlags = xtpPopupLeft;

    CRect rcExclude = m_pControlPopup->GetRect();
    if (m_pControlPopup->GetType() == xtpControlComboBox && pParent->GetType() != xtpBarTypePopup)
        dwFlags = xtpPopupDown;
    else
        m_pControlPopup->AdjustExcludeRect(rcExclude);
    pParent->ClientToScreen(&rcExclude);
    m_rcExclude = rcExclude;
    m_popupFlags = dwFlags;
    m_ptPopup = (dwFlags & xtpPopupDown) ? CPoint(rcExclude.left, rcExclude.bottom) : CPoint(rcExclude.right, rcExclude.top);
}

void CXTPPopupBar::CalcPlacement(XTPPopupPlacement& p)
{
    const CRect& rcWork = p.rcWork;
    const CRect& rcExclude = p.rcExclude;
    const int nBottom = rcWork.bottom - kBottomMargin;
    const BOOL bWidth = rcExclude.Width() > 0;
    const BOOL bHeight = rcExclude.Height() > 0;
    int x = p.pt.x;
    int y = p.pt.y;
    int cx = p.size.cx;
    int cy = p.size.cy;

    if (p.dwFlags == (xtpPopupLeft | xtpPopupDown) && bWidth)
        x = rcExclude.right - cx;
    else if ((p.dwFlags & xtpPopupLeft) && bWidth)
        x = rcExclude.left - cx;
    else if (p.dwFlags & xtpPopupLeft)
        x -= cx;

    if (!bHeight && y > nBottom) {
        y -= cy;
    } else if (y + cy > nBottom) {
        if (!bHeight) {
            y = y < rcWork.top + rcWork.Height() / 2 ? nBottom - cy : y - cy;
        } else if (p.dwFlags & xtpPopupDown) {
            y = rcExclude.top - cy;
            if (y < rcWork.top) {
                if (rcExclude.CenterPoint().y > rcWork.CenterPoint().y) {
                    y = rcWork.top;
                    cy = rcExclude.top - rcWork.top;
                } else {
                    y = rcExclude.bottom;
                    cy = nBottom - rcExclude.bottom;
                }
                p.bScroll = TRUE;
            }
        } else {
            y = nBottom - cy;
        }
    }
    if (y < rcWork.top)
        y = rcWork.top;
    if (y + cy > nBottom) {
        cy = nBottom - y;
        p.bScroll = TRUE;
    }

    if (x + cx > rcWork.right) {
        if (!bWidth) {
            x = rcWork.right < x ? x - cx : rcWork.right - cx;
        } else {
            x = ((p.dwFlags & xtpPopupDown) ? rcWork.right : rcExclude.left) - cx;
            p.dwFlags |= xtpPopupLeft;
        }
    } else if (x < rcWork.left) {
        if (!bWidth && (p.dwFlags & xtpPopupLeft)) {
            // The work area's own left edge: on a monitor left of the primary one it is not 0.
            x = rcWork.left;
            p.dwFlags &= ~static_cast<DWORD>(xtpPopupLeft);
        } else if (bWidth) {
            x = (p.dwFlags & xtpPopupDown) ? rcWork.left : rcExclude.right;
            p.dwFlags &= ~static_cast<DWORD>(xtpPopupLeft);
        }
    }
    p.pt = CPoint(x, y);
    p.size = CSize(cx, cy);
}

void CXTPPopupBar::UpdateLocation(CSize size)
{
    XTPPopupPlacement placement;
    placement.rcWork = m_rcExclude.IsRectNull() ? CXTPDrawHelpers::GetWorkAreaFromCursor()
                                                : CXTPDrawHelpers::GetWorkAreaFromRect(m_rcExclude);
    placement.rcExclude = m_rcExclude;
    placement.pt = m_ptPopup;
    placement.size = size;
    placement.dwFlags = m_popupFlags;
    CalcPlacement(placement);
    m_popupFlags = placement.dwFlags;
    if (placement.bScroll) {
        m_bScroll = TRUE;
        m_nScrollFirst = 0;
    }
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, placement.pt.x, placement.pt.y, placement.size.cx, placement.size.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (m_bScroll)
        ScrollLayout(FALSE);
}

CSize CXTPPopupBar::CalcMenuLayout(std::vector<XTPPopupItemLayout>& items, CRect rcBorders, int nGap, int nMaxWidth,
                                   int nExpandHeight, CRect& rcExpand)
{
    int y = rcBorders.top;
    int nWidest = 0;
    BOOL bPlaced = FALSE;
    for (XTPPopupItemLayout& item : items) {
        if (!item.bVisible)
            continue;
        if (item.bBeginGroup && bPlaced)
            y += nGap;
        const int cx = nMaxWidth > 0 ? std::min(static_cast<int>(item.size.cx), nMaxWidth) : item.size.cx;
        item.rc.SetRect(rcBorders.left, y, rcBorders.left + cx, y + item.size.cy);
        y += item.size.cy;
        nWidest = std::max(nWidest, cx);
        bPlaced = TRUE;
    }
    for (XTPPopupItemLayout& item : items) {
        if (item.bVisible)
            item.rc.right = item.rc.left + nWidest;
    }
    rcExpand.SetRectEmpty();
    if (nExpandHeight > 0) {
        rcExpand.SetRect(rcBorders.left, y, rcBorders.left + nWidest, y + nExpandHeight);
        y += nExpandHeight;
        bPlaced = TRUE;
    }
    return CSize(std::max(nWidest, static_cast<int>(kEmptySize)) + rcBorders.left + rcBorders.right,
                 rcBorders.bottom + (bPlaced ? y : rcBorders.top + kEmptySize));
}

void CXTPPopupBar::CalcScrollLayout(const std::vector<XTPPopupItemLayout>& items, int nHeight, CRect rcBorders,
                                    int nGap, int& nFirst, int& nLast, BOOL bUp, std::vector<int>& tops)
{
    const int nCount = static_cast<int>(items.size());
    auto anyVisible = [&](int nFrom, int nTo) {
        for (int i = std::max(nFrom, 0); i < std::min(nTo, nCount); i++) {
            if (items[static_cast<size_t>(i)].bVisible)
                return TRUE;
        }
        return FALSE;
    };
    const int nBottom = nHeight - rcBorders.bottom;
    if (bUp) {
        // From the end backwards while room remains below the scroll-up area.
        nLast = std::min(std::max(nLast, 0), nCount);
        const int nLimitBottom = nBottom - (anyVisible(nLast, nCount) ? kScrollAreaHeight : 0);
        int y = nLimitBottom;
        int nStart = nLast;
        for (int i = nLast - 1; i >= 0; i--) {
            const XTPPopupItemLayout& item = items[static_cast<size_t>(i)];
            if (!item.bVisible)
                continue;
            const int nTopLimit = rcBorders.top + (anyVisible(0, i) ? kScrollAreaHeight : 0);
            const int nGapBefore = item.bBeginGroup && nStart != nLast ? nGap : 0;
            if (y - item.size.cy - nGapBefore < nTopLimit && nStart != nLast)
                break;
            y -= item.size.cy + nGapBefore;
            nStart = i;
        }
        nFirst = nStart == nLast ? std::max(nLast - 1, 0) : nStart;
    }
    nFirst = std::min(std::max(nFirst, 0), std::max(nCount - 1, 0));
    // Downwards from the first: the scroll-down area is kept only when something is left below.
    auto place = [&](int nLimit) {
        tops.assign(static_cast<size_t>(nCount), -1);
        int y = rcBorders.top + (anyVisible(0, nFirst) ? kScrollAreaHeight : 0);
        BOOL bPlaced = FALSE;
        int i = nFirst;
        for (; i < nCount; i++) {
            const XTPPopupItemLayout& item = items[static_cast<size_t>(i)];
            if (!item.bVisible)
                continue;
            const int nGapBefore = item.bBeginGroup && bPlaced ? nGap : 0;
            if (y + nGapBefore + item.size.cy > nLimit && bPlaced)
                break;
            y += nGapBefore;
            tops[static_cast<size_t>(i)] = y;
            y += item.size.cy;
            bPlaced = TRUE;
        }
        return i;
    };
    nLast = place(nBottom);
    if (anyVisible(nLast, nCount))
        nLast = place(nBottom - kScrollAreaHeight);
}

CSize CXTPPopupBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    m_bInLayout = TRUE;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(m_hWnd ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(&pPaintManager->m_fontRegular);
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const CRect rcBarBorders = pPaintManager->GetBarBorders(this);
    const CRect rcBorders = GetPopupBorders(rcBarBorders, &dc);

    UpdateHiddenCommands();
    CXTPControl* pExpand = m_pControls->FindControl(kExpandButtonId);
    if (m_bHasHiddenCommands && !pExpand) {
        pExpand = m_pControls->AddControl(new CXTPExpandMenuButton, kExpandButtonId);
        pExpand->SetFlags(0x1A);
    }
    if (pExpand)
        pExpand->SetHideFlags(m_bHasHiddenCommands ? 0 : static_cast<DWORD>(xtpHideCustomize));
    UpdateShortcuts();

    const int nMaxWidth = m_dMaxWidthDivisor > 0 ? static_cast<int>(rcWork.Width() * m_dMaxWidthDivisor) : 0;
    std::vector<XTPPopupItemLayout> items(static_cast<size_t>(GetControlCount()));
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideScroll));
        XTPPopupItemLayout& item = items[static_cast<size_t>(i)];
        item.bVisible = pControl->IsVisible() && pControl != pExpand;
        item.bBeginGroup = pControl->GetBeginGroup();
        if (item.bVisible)
            item.size = pControl->GetSize(&dc);
    }
    CRect rcExpand;
    CSize size = CalcMenuLayout(items, rcBorders, GetSeparatorGap(&dc), nMaxWidth,
                                m_bHasHiddenCommands && pExpand
                                    ? pPaintManager->DrawSpecialControl(&dc, xtpButtonExpandMenu, pExpand, this,
                                                                        FALSE, nullptr).cy
                                    : 0,
                                rcExpand);
    for (int i = 0; i < GetControlCount(); i++) {
        if (items[static_cast<size_t>(i)].bVisible)
            GetControl(i)->SetRect(items[static_cast<size_t>(i)].rc);
    }
    if (pExpand)
        pExpand->SetRect(rcExpand);
    PlaceTearOffGrip(rcBarBorders, size.cx);
    m_nScrollLast = GetControlCount();
    dc.SelectObject(pOldFont);
    m_bInLayout = FALSE;
    return size;
}

int CXTPPopupBar::GetSeparatorGap(CDC* pDC)
{
    // The theme's separator between two groups of a menu.
    return GetPaintManager()->DrawSeparator(pDC, this, nullptr, FALSE).cy;
}

CRect CXTPPopupBar::GetPopupBorders(CRect rcBorders, CDC* pDC)
{
    if (m_bTearOffable)
        rcBorders.top += GetPaintManager()->DrawTearOffGripper(pDC, CRect(), FALSE, FALSE).cy;
    return rcBorders;
}

void CXTPPopupBar::PlaceTearOffGrip(CRect rcBorders, int cx)
{
    m_rcTearOffGrip.SetRectEmpty();
    if (!m_bTearOffable)
        return;
    CClientDC dc(m_hWnd ? this : nullptr);
    const int nHeight = GetPaintManager()->DrawTearOffGripper(&dc, CRect(), FALSE, FALSE).cy;
    m_rcTearOffGrip.SetRect(rcBorders.left, rcBorders.top, cx - rcBorders.right, rcBorders.top + nHeight);
}

void CXTPPopupBar::ScrollLayout(BOOL bUp)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CClientDC dc(this);
    CRect rcBorders = GetPopupBorders(GetPaintManager()->GetBarBorders(this), &dc);
    std::vector<XTPPopupItemLayout> items(static_cast<size_t>(GetControlCount()));
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideScroll));
        XTPPopupItemLayout& item = items[static_cast<size_t>(i)];
        item.bVisible = pControl->IsVisible() && pControl->GetID() != kExpandButtonId;
        item.bBeginGroup = pControl->GetBeginGroup();
        item.size = pControl->GetRect().Size();
    }
    std::vector<int> tops;
    CalcScrollLayout(items, rcClient.Height(), rcBorders, GetSeparatorGap(&dc), m_nScrollFirst, m_nScrollLast, bUp,
                     tops);
    BOOL bAbove = FALSE;
    BOOL bBelow = FALSE;
    for (int i = 0; i < GetControlCount(); i++) {
        if (!items[static_cast<size_t>(i)].bVisible)
            continue;
        CXTPControl* pControl = GetControl(i);
        const int nTop = tops[static_cast<size_t>(i)];
        if (nTop < 0) {
            pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideScroll);
            (i < m_nScrollFirst ? bAbove : bBelow) = TRUE;
            continue;
        }
        CRect rc = pControl->GetRect();
        pControl->SetRect(CRect(rc.left, nTop, rc.right, nTop + rc.Height()));
    }
    const int nLeft = rcBorders.left;
    const int nRight = rcClient.right - rcBorders.right;
    m_rcScrollUp = bAbove ? CRect(nLeft, rcBorders.top, nRight, rcBorders.top + kScrollAreaHeight) : CRect();
    const int nBottom = rcClient.bottom - rcBorders.bottom;
    m_rcScrollDown = bBelow ? CRect(nLeft, nBottom - kScrollAreaHeight, nRight, nBottom) : CRect();
    if (m_hWnd && !m_nLockRedraw)
        Invalidate(FALSE);
}

void CXTPPopupBar::ShowScrolled(int nIndex)
{
    if (!m_bScroll || nIndex < 0 || nIndex >= GetControlCount())
        return;
    if (!(GetControl(nIndex)->GetHideFlags() & xtpHideScroll))
        return;
    if (nIndex >= m_nScrollLast) {
        m_nScrollLast = nIndex + 1;
        ScrollLayout(TRUE);
    } else {
        m_nScrollFirst = nIndex;
        ScrollLayout(FALSE);
    }
}

void CXTPPopupBar::UpdateHiddenCommands()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    m_bHasHiddenCommands = FALSE;
    if (!pCommandBars || pCommandBars->GetOptions()->m_bAlwaysShowFullMenus) {
        for (int i = 0; i < GetControlCount(); i++)
            GetControl(i)->SetExpanded(FALSE);
        m_bExpanded = TRUE;
        return;
    }
    BOOL bHideable = FALSE;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        const BOOL bRare = pControl->GetID() != kExpandButtonId && pCommandBars->IsControlHidden(pControl);
        pControl->SetExpanded(bRare);
        const DWORD dwOtherReasons =
            pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideScroll | xtpHideExpand);
        if (bRare && dwOtherReasons == 0)
            bHideable = TRUE;
    }
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        pControl->SetHideFlags(pControl->GetHideFlags() & ~static_cast<DWORD>(xtpHideExpand));
    }
    if (m_bExpanded || !bHideable)
        return;
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsExpanded())
            pControl->SetHideFlags(pControl->GetHideFlags() | xtpHideExpand);
    }
    m_bHasHiddenCommands = TRUE;
}

void CXTPPopupBar::UpdateShortcuts()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (!pControl->IsVisible() || pControl->GetID() <= 0)
            continue;
        CString strShortcut;
        if (XTPShortcutManager()->FindDefaultAccelerator(static_cast<UINT>(pControl->GetID()), strShortcut,
                                                         pCommandBars))
            pControl->SetShortcutText(strShortcut);
    }
}

int CXTPPopupBar::GetFirstEnabledControl(BOOL bIndex) const
{
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        if (pControl->IsVisible() && pControl->GetEnabled())
            return bIndex ? i : pControl->GetID();
    }
    return -1;
}

void CXTPPopupBar::ExpandBar()
{
    if (m_bExpanded || !m_bHasHiddenCommands)
        return;
    m_bExpanding = TRUE;
    m_bExpanded = TRUE;
    SetPopuped(-1);
    SetSelected(-1);
    // The next popups of this tracked chain open expanded too.
    XTPHookManager()->SetKeyboardMode(TRUE);
    DelayLayout();
}

void CXTPPopupBar::DelayLayout()
{
    if (m_bInLayout)
        return;
    if (!m_hWnd || !IsWindowVisible()) {
        CXTPCommandBar::DelayLayout();
        return;
    }
    XTPShadowManager()->RemoveShadow(this);
    UpdateShortcuts();
    UpdateFlags();
    UpdateLocation(CalcDynamicLayout(0, 0));
    if (m_bExpanding) {
        // The rarely used commands unfold, slide or fade in; other kinds show them at once.
        const int nAnimation = GetAnimationType();
        if (nAnimation >= 2 && nAnimation <= 4 && !IsCustomizeMode())
            Animate(nAnimation);
        XTPMenuSound()->PlaySound(CXTPMenuSound::kPopup);
    }
    if (m_barPosition == xtpBarPopup && m_bShowShadow)
        XTPShadowManager()->SetShadow(this, m_rcExclude);
    m_dwPendingFlags &= ~static_cast<DWORD>(kPendingLayout);
    if (!m_nLockRedraw)
        Invalidate(FALSE);
    m_bExpanding = FALSE;
}

BOOL CXTPPopupBar::SetSelected(int nItem, BOOL bKeyboard)
{
    if (bKeyboard)
        ShowScrolled(nItem);
    return CXTPCommandBar::SetSelected(nItem, bKeyboard);
}

BOOL CXTPPopupBar::OnKeyDown(UINT nChar)
{
    if (nChar == VK_DOWN && m_bHasHiddenCommands && !m_bExpanded) {
        const int nNext = m_pControls->GetNext(m_nSelected, 1);
        if (::GetKeyState(VK_CONTROL) < 0 || (nNext != -1 && nNext <= m_nSelected)) {
            ExpandBar();
            return TRUE;
        }
    }
    CXTPCommandBar* pParent = GetParentBar();
    if (pParent && (nChar == VK_LEFT || nChar == VK_RIGHT) && !IsCustomizeMode()) {
        const BOOL bBack = (nChar == VK_LEFT) != (IsRTL() != FALSE);
        CXTPControl* pSelected = GetControl(m_nSelected);
        const BOOL bOpensSubmenu = !bBack && pSelected && pSelected->GetEnabled() &&
                                   dynamic_cast<CXTPControlPopup*>(pSelected) != nullptr;
        if (bBack && pParent->GetType() == xtpBarTypePopup) {
            // Back to the menu this one hangs from.
            ProcessSpecialKey(xtpKeyEscape);
            return TRUE;
        }
        if (!bOpensSubmenu && !pParent->IsVerticalPosition()) {
            // Along the bar above to its neighbouring menu, opened and its first item selected.
            CHoldRef hold(this);
            const int nCurrent = pParent->GetSelectedIndex();
            const int nNext = pParent->GetControls()->GetNext(nCurrent, bBack ? -1 : 1);
            if (nNext != -1 && nNext != nCurrent) {
                pParent->SetPopuped(-1);
                pParent->SetSelected(nNext, TRUE);
                pParent->SetPopuped(nNext, TRUE);
            }
            return TRUE;
        }
    }
    return CXTPCommandBar::OnKeyDown(nChar);
}

BOOL CXTPPopupBar::SetTrackingMode(int bMode, BOOL bSelectFirst, BOOL bKeyboard)
{
    if (!CXTPCommandBar::SetTrackingMode(bMode, bSelectFirst, bKeyboard))
        return FALSE;
    if (bMode)
        return TRUE;
    CHoldRef hold(this);
    if (m_nScrollTimer) {
        KillTimer(m_nScrollTimer);
        m_nScrollTimer = 0;
    }
    XTPShadowManager()->RemoveShadow(this);
    if (!m_bInDestroy)
        DestroyWindow();
    CXTPCommandBar* pParent = GetParentBar();
    if (pParent && m_pControlPopup && pParent->GetPopupedIndex() == m_pControlPopup->GetIndex())
        pParent->SetPopuped(-1);
    CWnd* pSite = GetOwnerSite();
    if (pSite && pSite->GetSafeHwnd()) {
        pSite->UpdateWindow();
        if (!m_bNoNotify)
            pSite->SendMessage(WM_CMDBARS_UNINITPOPUP, 0, reinterpret_cast<LPARAM>(this));
    }
    m_pControlPopup = nullptr;
    return TRUE;
}

BOOL CXTPPopupBar::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    // Windows hosted in the popup outlive it: they go back to the site.
    CWnd* pSite = GetSite();
    HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
    while (hChild) {
        HWND hNext = ::GetWindow(hChild, GW_HWNDNEXT);
        ::ShowWindow(hChild, SW_HIDE);
        ::SetParent(hChild, pSite ? pSite->GetSafeHwnd() : nullptr);
        hChild = hNext;
    }
    return CWnd::DestroyWindow();
}

void CXTPPopupBar::DrawCommandBar(CDC* pDC)
{
    CXTPCommandBar::DrawCommandBar(pDC);
    CXTPPaintManager* pPaintManager = GetPaintManager();
    if (m_bTearOffable && !m_rcTearOffGrip.IsRectEmpty())
        pPaintManager->DrawTearOffGripper(pDC, m_rcTearOffGrip, m_bTearOffSelected, TRUE);
    const COLORREF clrArrow = pPaintManager->GetColor(COLOR_BTNTEXT);
    auto triangle = [&](CRect rc, BOOL bDown) {
        if (rc.IsRectEmpty())
            return;
        CPoint ptCentre = rc.CenterPoint();
        for (int i = 0; i < 3; i++) {
            const int y = bDown ? ptCentre.y - 1 + i : ptCentre.y + 1 - i;
            pDC->FillSolidRect(ptCentre.x - 2 + i, y, 5 - 2 * i, 1, clrArrow);
        }
    };
    triangle(m_rcScrollUp, FALSE);
    triangle(m_rcScrollDown, TRUE);
}

void CXTPPopupBar::Copy(CXTPCommandBar* pSrc, BOOL bRecursive)
{
    CXTPCommandBar::Copy(pSrc, bRecursive);
    if (auto* pPopup = dynamic_cast<CXTPPopupBar*>(pSrc)) {
        m_bTearOffable = pPopup->m_bTearOffable;
        m_strTearOffCaption = pPopup->m_strTearOffCaption;
        m_nTearOffID = pPopup->m_nTearOffID;
        m_nTearOffWidth = pPopup->m_nTearOffWidth;
        m_bShowShadow = pPopup->m_bShowShadow;
        m_rcBorders = pPopup->m_rcBorders;
    }
}

void CXTPPopupBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTearOffable && !IsCustomizeMode() && m_rcTearOffGrip.PtInRect(point)) {
        SetSelected(-1);
        if (!m_bTearOffSelected) {
            m_bTearOffSelected = TRUE;
            m_nTearOffTimer = SetTimer(kTimerTearOffGrip, 80);
            Invalidate(FALSE);
        }
        return;
    }
    if (m_bScroll && !IsCustomizeMode()) {
        const UINT nTimer = m_rcScrollDown.PtInRect(point) ? kTimerScrollDown
                            : m_rcScrollUp.PtInRect(point) ? kTimerScrollUp
                                                           : 0;
        if (nTimer != m_nScrollTimer) {
            if (m_nScrollTimer)
                KillTimer(m_nScrollTimer);
            m_nScrollTimer = nTimer;
            if (nTimer)
                SetTimer(nTimer, 80);
        }
        if (nTimer) {
            SetSelected(-1);
            return;
        }
    }
    CXTPCommandBar* pParent = GetParentBar();
    if (pParent && m_pControlPopup) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (m_rcExclude.PtInRect(ptScreen)) {
            pParent->SetSelected(m_pControlPopup->GetIndex());
            return;
        }
    }
    CXTPCommandBar::OnMouseMove(nFlags, point);
}

void CXTPPopupBar::OnDestroy()
{
    // Destroyed from outside (its owner going, say) while open: the chain still closes.
    m_bInDestroy = TRUE;
    CXTPCommandBar::OnDestroy();
    m_bInDestroy = FALSE;
}

void CXTPPopupBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTearOffable && !IsCustomizeMode() && m_rcTearOffGrip.PtInRect(point)) {
        CHoldRef hold(this);
        ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
        TrackTearOff();
        // Torn off, the menus are closed and this window is gone.
        if (!m_hWnd)
            return;
    }
    CXTPCommandBar::OnLButtonDown(nFlags, point);
}

void CXTPPopupBar::TrackTearOff()
{
    if (!m_hWnd || !m_bTearOffable || ::GetCapture())
        return;
    CHoldRef hold(this);
    // No hot tracking, tips or closing on clicks while the controls are dragged.
    CXTPHookManagerLock lock;
    CRect rcStay = m_rcTearOffGrip;
    ClientToScreen(&rcStay);
    rcStay.InflateRect(kTearOffStayZone, kTearOffStayZone);
    m_bTearOffTracking = TRUE;
    m_pTearOffBar = nullptr;
    CPoint ptLast(INT_MIN, INT_MIN);
    CXTPTrackingLoop().PaintFirst().Translate().Run(m_hWnd, [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        // The point the move was made at (posted moves carry no cursor position of their own).
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        if (pt != ptLast) {
            MoveTearOff(pt, rcStay);
            ptLast = pt;
        }
        return CXTPTrackingLoop::kNext;
    });
    m_bTearOffTracking = FALSE;
    CXTPToolBar* pTornOff = m_pTearOffBar;
    m_pTearOffBar = nullptr;
    if (pTornOff)
        XTPHookManager()->CancelTracking();
}

void CXTPPopupBar::MoveTearOff(CPoint ptScreen, const CRect& rcStay)
{
    const BOOL bOut = !rcStay.PtInRect(ptScreen);
    if (bOut && !m_pTearOffBar) {
        m_pTearOffBar = ShowTearOffBar();
    } else if (!bOut && m_pTearOffBar) {
        // Hiding a torn-off bar takes it out of the command bars; the next leave makes a new one.
        CXTPToolBar* pBar = m_pTearOffBar;
        m_pTearOffBar = nullptr;
        pBar->SetVisible(FALSE);
    }
    if (m_pTearOffBar && m_pTearOffBar->GetSafeHwnd())
        ::SetWindowPos(m_pTearOffBar->GetSafeHwnd(), HWND_TOP, ptScreen.x - m_szTearOffBar.cx / 2,
                       ptScreen.y - kTearOffAboveCursor, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

CXTPToolBar* CXTPPopupBar::ShowTearOffBar()
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (!pCommandBars)
        return nullptr;
    auto* pBar = dynamic_cast<CXTPToolBar*>(pCommandBars->GetToolBar(m_nTearOffID));
    if (pBar) {
        if (pBar->GetPosition() != xtpBarFloating)
            pBar->SetPosition(xtpBarFloating);
        pBar->SetVisible(TRUE);
    } else {
        pBar = pCommandBars->AddCustomBar(m_strTearOffCaption, m_nTearOffID, TRUE);
        if (!pBar)
            return nullptr;
        pBar->SetMRUWidth(m_nTearOffWidth);
        CXTPControls* pControls = pBar->GetControls();
        for (int i = 0; i < GetControlCount(); i++) {
            CXTPControl* pControl = GetControl(i);
            if (pControl->GetID() == kExpandButtonId)
                continue;
            CXTPControl* pCopy = pControls->AddClone(pControl, -1, TRUE);
            pCopy->SetHideFlags(pCopy->GetHideFlags() & ~static_cast<DWORD>(xtpHideScroll | xtpHideExpand));
        }
    }
    m_szTearOffBar = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    if (pBar->GetSafeHwnd())
        ::SetWindowPos(pBar->GetSafeHwnd(), HWND_TOP, 0, 0, m_szTearOffBar.cx, m_szTearOffBar.cy,
                       SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return pBar;
}

int CXTPPopupBar::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}

void CXTPPopupBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerTearOffGrip) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        if (!m_bTearOffTracking && !m_rcTearOffGrip.PtInRect(pt)) {
            m_bTearOffSelected = FALSE;
            Invalidate(FALSE);
            KillTimer(kTimerTearOffGrip);
            m_nTearOffTimer = 0;
        }
        return;
    }
    if (nIDEvent == kTimerScrollDown) {
        if (m_nScrollLast >= GetControlCount() || m_rcScrollDown.IsRectEmpty()) {
            KillTimer(nIDEvent);
            m_nScrollTimer = 0;
            return;
        }
        m_nScrollLast++;
        ScrollLayout(TRUE);
        return;
    }
    if (nIDEvent == kTimerScrollUp) {
        if (m_nScrollFirst <= 0 || m_rcScrollUp.IsRectEmpty()) {
            KillTimer(nIDEvent);
            m_nScrollTimer = 0;
            return;
        }
        m_nScrollFirst--;
        ScrollLayout(FALSE);
        return;
    }
    CXTPCommandBar::OnTimer(nIDEvent);
}

CXTPPopupToolBar::CXTPPopupToolBar()
{
    m_barType = xtpBarTypeNormal;
}

CXTPPopupToolBar* CXTPPopupToolBar::CreatePopupToolBar(CXTPCommandBars* pCommandBars)
{
    auto* pPopup = static_cast<CXTPPopupToolBar*>(RUNTIME_CLASS(CXTPPopupToolBar)->CreateObject());
    pPopup->SetCommandBars(pCommandBars);
    return pPopup;
}

CSize CXTPPopupToolBar::CalcDynamicLayout(int /*nLength*/, DWORD /*dwMode*/)
{
    // Buttons in rows within the popup's own borders, as a toolbar lays them out.
    m_bInLayout = TRUE;
    CXTPPaintManager* pPaintManager = GetPaintManager();
    CClientDC dc(m_hWnd ? this : nullptr);
    CFont* pOldFont = dc.SelectObject(&pPaintManager->m_fontRegular);
    UpdateShortcuts();
    std::vector<XTPControlLayout> records(static_cast<size_t>(GetControlCount()));
    for (int i = 0; i < GetControlCount(); i++) {
        CXTPControl* pControl = GetControl(i);
        XTPControlLayout& record = records[static_cast<size_t>(i)];
        record.bVisible = pControl->IsVisible();
        record.bBeginGroup = pControl->GetBeginGroup();
        if (record.bVisible) {
            CSize size = pControl->GetSize(&dc);
            record.nWidth = size.cx;
            record.nHeight = size.cy;
        }
    }
    const CRect rcBorders = GetPopupBorders(m_rcBorders, &dc);
    // A width given to the popup (the expand popup's block of hidden buttons) wraps the rows.
    if (m_nMRUWidth > 0 && m_nMRUWidth < 32767) {
        DWORD dwWrapMode = 0;
        CXTPControls::WrapRows(records, m_nMRUWidth, dwWrapMode);
    }
    CSize size = CXTPControls::CalcControlsSize(records, FALSE);
    for (int i = 0; i < GetControlCount(); i++) {
        CRect rc = records[static_cast<size_t>(i)].rcControl;
        rc.OffsetRect(rcBorders.left, rcBorders.top);
        GetControl(i)->SetRect(rc);
        GetControl(i)->SetWrap(records[static_cast<size_t>(i)].bWrap);
    }
    dc.SelectObject(pOldFont);
    m_nScrollLast = GetControlCount();
    m_bInLayout = FALSE;
    const CSize szBar(std::max(static_cast<int>(size.cx), static_cast<int>(kEmptySize)) + rcBorders.left + rcBorders.right,
                      std::max(static_cast<int>(size.cy), static_cast<int>(kEmptySize)) + rcBorders.top + rcBorders.bottom);
    PlaceTearOffGrip(m_rcBorders, szBar.cx);
    return szBar;
}

void CXTPPopupBar::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPCommandBar::DoPropExchange(pPX);
    PX_Bool(pPX, "TearOffPopup", m_bTearOffable, FALSE);
    PX_StringDefault(pPX, "TearOffCaption", m_strTearOffCaption, "");
    long nTearOffID = static_cast<long>(m_nTearOffID);
    PX_LongDefault(pPX, "TearOffId", nTearOffID, 0);
    m_nTearOffID = static_cast<UINT>(nTearOffID);
    long nTearOffWidth = m_nTearOffWidth;
    PX_LongDefault(pPX, "TearOffWidth", nTearOffWidth, 0);
    m_nTearOffWidth = static_cast<int>(nTearOffWidth);
    if (pPX->m_nSchema > 3) {
        RECT rcBorders = m_rcBorders;
        PX_Rect(pPX, "Borders", rcBorders, RECT{2, 4, 2, 4});
        m_rcBorders = rcBorders;
        PX_Bool(pPX, "ShowShadow", m_bShowShadow, TRUE);
    }
}
