// The control base: texts, states, execution, the button's press loop and customize drag and resize.
#include "CXTPControl.h"

#include "CArchive.h"
#include "CDC.h"
#include "CWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPControlPopup.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPControls.h"
#include "CXTPCustomizeDropSource.h"
#include "CXTPHoldRef.h"
#include "CXTPHookManager.h"
#include "CXTPImageManager.h"
#include "CXTPPaintManager.h"
#include "CXTPMenuSound.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchange.h"
#include "CXTPResourceManager.h"
#include "CXTPTrackingLoop.h"
#include "ResourceIds.h"

IMPLEMENT_SERIAL(CXTPControl, CCmdTarget, VERSIONABLE_SCHEMA | 0x11)

namespace {

void CopyMap(CMap<UINT, UINT, BOOL, BOOL>& to, const CMap<UINT, UINT, BOOL, BOOL>& from)
{
    to.RemoveAll();
    POSITION pos = from.GetStartPosition();
    while (pos) {
        UINT key = 0;
        BOOL value = FALSE;
        from.GetNextAssoc(pos, key, value);
        to.SetAt(key, value);
    }
}

// A set of document-template menu ids as the layout stores it: a count, then each id with its
// value, four bytes each.
class CDocTemplateSet : public CObject {
public:
    explicit CDocTemplateSet(CMap<UINT, UINT, BOOL, BOOL>& map) : m_map(map) {}

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_map.GetCount()));
            POSITION pos = m_map.GetStartPosition();
            while (pos) {
                UINT nID = 0;
                BOOL bValue = FALSE;
                m_map.GetNextAssoc(pos, nID, bValue);
                ar << static_cast<DWORD>(nID) << static_cast<DWORD>(bValue);
            }
            return;
        }
        m_map.RemoveAll();
        const DWORD_PTR nCount = ar.ReadCount();
        if (nCount > ar.GetBytesLeft() / 8)
            throw new CArchiveException(CArchiveException::endOfFile);
        for (DWORD_PTR i = 0; i < nCount; i++) {
            DWORD nID = 0, dwValue = 0;
            ar >> nID >> dwValue;
            m_map.SetAt(nID, dwValue != 0);
        }
    }

private:
    CMap<UINT, UINT, BOOL, BOOL>& m_map;
};

void ExchangeDocTemplates(CXTPPropExchange* pPX, const char* pszName, CMap<UINT, UINT, BOOL, BOOL>& map)
{
    // The XML file leaves an empty set out; a binary archive has every value in its place.
    if (!pPX->IsLoading() && pPX->AllowsDefaultValues() && map.IsEmpty())
        return;
    CDocTemplateSet set(map);
    if (!PX_Serialize(pPX, pszName, &set) && pPX->IsLoading())
        map.RemoveAll();  // half a set is worse than none
}

void ExchangeInt(CXTPPropExchange* pPX, const char* pszName, int& nValue, long nDefault)
{
    long n = nValue;
    PX_LongDefault(pPX, pszName, n, nDefault);
    nValue = static_cast<int>(n);
}

void ExchangeDWord(CXTPPropExchange* pPX, const char* pszName, DWORD& dwValue, long nDefault)
{
    long n = static_cast<long>(dwValue);
    PX_LongDefault(pPX, pszName, n, nDefault);
    dwValue = static_cast<DWORD>(n);
}

}  // namespace

CXTPControl::CXTPControl()
{
    m_mapDocTemplatesAssigned.InitHashTable(17, false);
    m_mapDocTemplatesExcluded.InitHashTable(17, false);
}

CXTPControl::~CXTPControl() = default;

void CXTPControl::SetBeginGroup(BOOL bBeginGroup)
{
    m_bBeginGroup = bBeginGroup;
    DelayLayoutParent();
}

void CXTPControl::SetEnabled(BOOL bEnabled)
{
    if (m_bEnabled != bEnabled) {
        m_bEnabled = bEnabled;
        RedrawParent();
    }
}

void CXTPControl::SetChecked(int bChecked)
{
    if (m_bChecked != bChecked) {
        m_bChecked = bChecked;
        RedrawParent();
    }
}

int CXTPControl::GetEffectiveIconId() const
{
    if (m_nCustomIconId != 0)
        return m_nCustomIconId;
    return m_nIconId >= 1 ? m_nIconId : m_nId;
}

BOOL CXTPControl::Compare(CXTPControl* pOther)
{
    if (!pOther)
        return FALSE;
    return GetStyle() == pOther->GetStyle() && m_controlType == pOther->m_controlType &&
           m_nId == pOther->m_nId && m_bBeginGroup == pOther->m_bBeginGroup &&
           GetEffectiveIconId() == pOther->GetEffectiveIconId() && m_strCaption == pOther->m_strCaption &&
           m_strTooltipText == pOther->m_strTooltipText && m_strDescriptionText == pOther->m_strDescriptionText &&
           m_strCustomCaption == pOther->m_strCustomCaption && m_nCustomStyle == pOther->m_nCustomStyle &&
           m_strParameter == pOther->m_strParameter &&
           (m_dwHideFlags & xtpHideCustomize) == (pOther->m_dwHideFlags & xtpHideCustomize);
}

void CXTPControl::SetID(int nID)
{
    if (m_nId != nID && m_strCaption.IsEmpty()) {
        CString strPrompt;
        if (nID != 0 && XTPResourceManager()->LoadString(&strPrompt, static_cast<UINT>(nID)) && !strPrompt.IsEmpty())
            SetPrompt(strPrompt);
    }
    m_nId = nID;
}

void CXTPControl::SetPrompt(CString strPrompt)
{
    if (strPrompt.IsEmpty())
        return;
    int nNewLine = strPrompt.Find('\n');
    if (nNewLine >= 0) {
        CString strRest = strPrompt.Mid(nNewLine + 1);
        int nNext = strRest.Find('\n');
        m_strTooltipText = nNext >= 0 ? strRest.Left(nNext) : strRest;
        m_strDescriptionText = strPrompt.Left(nNewLine);
    } else {
        m_strTooltipText = strPrompt;
        m_strDescriptionText = strPrompt;
    }
    SetCaption(m_strTooltipText);
}

void CXTPControl::SetCaption(const char* lpszCaption)
{
    CString strCaption(lpszCaption ? lpszCaption : "");
    int nTab = strCaption.Find('\t');
    if (nTab >= 0) {
        m_strAutoShortcutText = strCaption.Mid(nTab + 1);
        strCaption = strCaption.Left(nTab);
    }
    if (m_strCaption != strCaption) {
        m_strCaption = strCaption;
        DelayLayoutParent();
    }
}

void CXTPControl::SetDefaultItem(BOOL bDefault)
{
    if (m_bDefaultItem != bDefault) {
        m_bDefaultItem = bDefault;
        DelayLayoutParent();
    }
}

void CXTPControl::SetExpanded(BOOL bExpanded)
{
    m_bExpanded = bExpanded;
    if (!bExpanded)
        m_dwHideFlags &= ~static_cast<DWORD>(xtpHideExpand);
}

HCURSOR CXTPControl::LoadResizeCursor()
{
    HCURSOR hCursor = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(XTP_IDC_SIZE_WIDTH));
    return hCursor ? hCursor : ::LoadCursorA(nullptr, IDC_SIZEWE);
}

void CXTPControl::RedrawParent()
{
    if (m_pParent && m_pParent->GetSafeHwnd())
        m_pParent->DelayRedraw();
}

void CXTPControl::DelayLayoutParent()
{
    if (m_pParent)
        m_pParent->SetLayoutPending();
}

void CXTPControl::Redraw()
{
    if (m_pParent && m_pParent->GetSafeHwnd())
        m_pParent->Invalidate(FALSE);
}

BOOL CXTPControl::IsCustomizeMode() const
{
    return m_pParent ? m_pParent->IsCustomizeMode() : FALSE;
}

BOOL CXTPControl::IsCursorOver() const
{
    if (!m_pParent || !m_pParent->GetSafeHwnd())
        return FALSE;
    CPoint pt;
    ::GetCursorPos(&pt);
    m_pParent->ScreenToClient(&pt);
    return m_rcControl.PtInRect(pt);
}

CXTPCommandBars* CXTPControl::GetCommandBarsOfParent() const
{
    if (m_pParent)
        return m_pParent->GetCommandBars();
    return m_pControls ? m_pControls->GetCommandBars() : nullptr;
}

CXTPPaintManager* CXTPControl::GetPaintManager() const
{
    if (m_pParent)
        return m_pParent->GetPaintManager();
    CXTPCommandBars* pCommandBars = m_pControls ? m_pControls->GetCommandBars() : nullptr;
    return pCommandBars ? pCommandBars->GetPaintManager() : XTPPaintManager();
}

CXTPImageManager* CXTPControl::GetImageManager() const
{
    if (m_pParent)
        return m_pParent->GetImageManager();
    CXTPCommandBars* pCommandBars = m_pControls ? m_pControls->GetCommandBars() : nullptr;
    return pCommandBars ? pCommandBars->GetImageManager() : XTPImageManager();
}

void CXTPControl::AdjustExcludeRect(CRect& rc)
{
    // The theme decides how a popup meets its control: theme 0 overlaps it by a pixel to join them.
    GetPaintManager()->AdjustExcludeRect(rc, this, m_pParent && m_pParent->IsVerticalPosition());
}

CXTPImageManagerIcon* CXTPControl::GetImage(int nWidth) const
{
    int nIconId = GetEffectiveIconId();
    if (nIconId == 0)
        return nullptr;
    return GetImageManager()->GetImage(static_cast<UINT>(nIconId), nWidth);
}

CSize CXTPControl::GetSize(CDC* pDC)
{
    return GetPaintManager()->DrawControl(pDC, this, FALSE);
}

void CXTPControl::Draw(CDC* pDC)
{
    GetPaintManager()->DrawControl(pDC, this, TRUE);
}

void CXTPControl::Copy(CXTPControl* pSrc, BOOL /*bRecursive*/)
{
    m_nId = pSrc->m_nId;
    m_nTag = pSrc->m_nTag;
    m_dwFlags = pSrc->m_dwFlags;
    m_controlType = pSrc->m_controlType;
    m_strCaption = pSrc->m_strCaption;
    m_strShortcutText = pSrc->m_strShortcutText;
    m_strAutoShortcutText = pSrc->m_strAutoShortcutText;
    m_strTooltipText = pSrc->m_strTooltipText;
    m_strDescriptionText = pSrc->m_strDescriptionText;
    m_strParameter = pSrc->m_strParameter;
    m_nCustomIconId = pSrc->m_nCustomIconId;
    m_nIconId = pSrc->m_nIconId;
    m_bTemporary = pSrc->m_bTemporary;
    m_strCustomCaption = pSrc->m_strCustomCaption;
    m_strCategory = pSrc->m_strCategory;
    m_dwHideFlags = pSrc->m_dwHideFlags;
    m_bDefaultItem = pSrc->m_bDefaultItem;
    m_bEnabled = pSrc->m_bEnabled;
    m_bChecked = pSrc->m_bChecked;
    m_nCustomStyle = pSrc->m_nCustomStyle;
    m_nStyle = pSrc->m_nStyle;
    m_bBeginGroup = pSrc->m_bBeginGroup;
    m_bCloseSubMenuOnClick = pSrc->m_bCloseSubMenuOnClick;
    CopyMap(m_mapDocTemplatesAssigned, pSrc->m_mapDocTemplatesAssigned);
    CopyMap(m_mapDocTemplatesExcluded, pSrc->m_mapDocTemplatesExcluded);
}

void CXTPControl::DoPropExchange(CXTPPropExchange* pPX)
{
    long nType = m_controlType;
    PX_LongDefault(pPX, "Type", nType, xtpControlButton);
    if (pPX->IsLoading())
        m_controlType = static_cast<XTPControlType>(nType);
    ExchangeInt(pPX, "Id", m_nId, -1);
    ExchangeInt(pPX, "IconId", m_nIconId, 0);
    PX_Bool(pPX, "BeginGroup", m_bBeginGroup, FALSE);
    long nTag = static_cast<long>(m_nTag);
    PX_LongDefault(pPX, "Tag", nTag, 0);
    m_nTag = static_cast<DWORD_PTR>(static_cast<DWORD>(nTag));
    ExchangeDWord(pPX, "Flags", m_dwFlags, 0);
    ExchangeDWord(pPX, "HideFlags", m_dwHideFlags, 0);
    PX_StringDefault(pPX, "Caption", m_strCaption, "");
    PX_StringDefault(pPX, "ShortcutText", m_strShortcutText, "");
    PX_StringDefault(pPX, "TooltipText", m_strTooltipText, "");
    PX_StringDefault(pPX, "DescriptionText", m_strDescriptionText, "");
    PX_StringDefault(pPX, "Parameter", m_strParameter, "");
    ExchangeInt(pPX, "CustomIconId", m_nCustomIconId, 0);
    PX_StringDefault(pPX, "CustomCaption", m_strCustomCaption, "");
    if (pPX->m_nSchema > 1)
        PX_StringDefault(pPX, "Category", m_strCategory, "");
    if (m_nCustomIconId > 0) {
        CXTPCommandBarsExchangeParam* pParam = CXTPCommandBarsExchangeParam::FromExchange(pPX);
        CXTPImageManager* pImageManager =
            pParam && pParam->pCommandBars ? pParam->pCommandBars->GetImageManager() : GetImageManager();
        CXTPPropExchangeSection section(pPX->GetSection("CustomIcon"));
        if (pImageManager && section.Get())
            pImageManager->ExchangeIconSet(static_cast<UINT>(m_nCustomIconId), section);
    }
    if (pPX->m_nSchema > 3) {
        ExchangeDocTemplates(pPX, "DocTemplatesExcluded", m_mapDocTemplatesExcluded);
        ExchangeDocTemplates(pPX, "DocTemplatesAssigned", m_mapDocTemplatesAssigned);
        PX_Bool(pPX, "DefaultItem", m_bDefaultItem, FALSE);
    }
    if (pPX->m_nSchema > 6)
        PX_Bool(pPX, "CloseSubMenuOnClick", m_bCloseSubMenuOnClick, TRUE);
    if (pPX->m_nSchema > 7)
        ExchangeInt(pPX, "CustomStyle", m_nCustomStyle, 0);
}

CXTPControl* CXTPControl::Clone(BOOL bRecursive)
{
    CXTPControl* pClone = static_cast<CXTPControl*>(GetRuntimeClass()->CreateObject());
    if (pClone)
        pClone->Copy(this, bRecursive);
    return pClone;
}

BOOL CXTPControl::OnLButtonDblClk(CPoint point)
{
    OnClick(FALSE, point);
    return TRUE;
}

void CXTPControl::OnMouseHover()
{
    if (!m_pParent)
        return;
    BOOL bWasPopuped = m_pParent->GetPopupedIndex() != -1;
    m_pParent->SetPopuped(-1);
    if (bWasPopuped && m_pParent->GetTrackingMode() == 2 && m_pParent->GetType() != xtpBarTypePopup)
        m_pParent->SetTrackingMode(FALSE);
}

BOOL CXTPControl::OnSetSelected(int bSelected)
{
    if (bSelected == m_bSelected)
        return FALSE;
    // Another control's open popup closes; this control's own, being opened, stays.
    if (bSelected == xtpSelectedByKeyboard && m_pParent && m_pParent->GetPopupedIndex() != m_nIndex)
        m_pParent->SetPopuped(-1);
    m_bSelected = bSelected;
    if (m_pParent)
        m_pParent->OnControlSelected(bSelected, this);
    RedrawParent();
    return TRUE;
}

void CXTPControl::OnCustomizeDragOver()
{
    if (m_pParent) {
        m_pParent->SetPopuped(-1);
        m_pParent->SetSelected(-1);
    }
}

void CXTPControl::Execute()
{
    XTPMenuSound()->PlaySound(CXTPMenuSound::kCommand);
    m_bPressed = 2;

    CXTPCommandBar* pBar = m_pParent;
    if (!pBar)
        return;
    CXTPCommandBar* pRoot = pBar->GetRootParent();
    if (UINT* pReturnCmd = pRoot->GetReturnCmdTarget()) {
        XTPHookManager()->CancelTracking();
        *pReturnCmd = static_cast<UINT>(m_nId);
        return;
    }

    // The command handler may remove this control or its bar; both stay alive until we return.
    CHoldRef holdControl(this);
    CHoldRef holdBar(pBar);

    CWnd* pTarget = pBar->GetSite();
    if (CXTPCommandBars* pCommandBars = pBar->GetCommandBars()) {
        if (m_nId != 0)
            pCommandBars->SetCommandUsed(static_cast<UINT>(m_nId));
        // The submenu's own command counts as used too.
        auto* pPopupBar = dynamic_cast<CXTPPopupBar*>(pBar);
        CXTPControl* pOwner = pPopupBar ? pPopupBar->GetControlPopup() : nullptr;
        if (pOwner && pOwner->GetID() != 0)
            pCommandBars->SetCommandUsed(static_cast<UINT>(pOwner->GetID()));
    }
    BOOL bCloseSubMenu = m_bCloseSubMenuOnClick;
    if (bCloseSubMenu)
        XTPHookManager()->CancelTracking();

    if (m_nId == 0 || !pTarget || !pTarget->GetSafeHwnd())
        return;
    NMXTPCONTROL notify = {};
    notify.hdr.hwndFrom = nullptr;
    notify.hdr.idFrom = static_cast<UINT_PTR>(m_nId);
    notify.hdr.code = CBN_XTP_EXECUTE;
    notify.pControl = this;
    if (pTarget->SendMessage(WM_CMDBARS_EXECUTE, static_cast<WPARAM>(m_nId), reinterpret_cast<LPARAM>(&notify)) == 0)
        pTarget->SendMessage(WM_COMMAND, static_cast<WPARAM>(m_nId), 0);

    // A control the command took out of its bar has nothing left to refresh.
    if (!bCloseSubMenu && m_pParent == pBar && pBar->GetSafeHwnd()) {
        pBar->OnIdleUpdateCmdUI(FALSE, 0);
        Redraw();
    }
}

void CXTPControl::ClickToolBarButton(CRect rcActive)
{
    CXTPCommandBar* pBar = m_pParent;
    if (!pBar || !pBar->GetSafeHwnd())
        return;
    if (rcActive.IsRectEmpty())
        rcActive = m_rcControl;

    CHoldRef holdControl(this);
    CHoldRef holdBar(pBar);

    pBar->SetSelected(m_nIndex);
    m_bPressed = 1;
    RedrawParent();

    BOOL bExecute = FALSE;
    BOOL bMoved = FALSE;
    CPoint ptLast;
    const HWND hBar = pBar->GetSafeHwnd();
    CXTPTrackingLoop().Translate().KeepEscape().Run(hBar, [&](const MSG& msg) {
        if (msg.message == WM_LBUTTONUP) {
            bExecute = m_bSelected != xtpNotSelected && (!bMoved || rcActive.PtInRect(ptLast));
            return CXTPTrackingLoop::kRelease;
        }
        if (msg.message != WM_MOUSEMOVE || msg.hwnd != hBar)
            return CXTPTrackingLoop::kDispatch;
        ptLast = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        bMoved = TRUE;
        int bSelected = m_rcControl.PtInRect(ptLast) ? xtpSelectedByMouse : xtpNotSelected;
        if (bSelected != m_bSelected) {
            m_bSelected = bSelected;
            RedrawParent();
        }
        return CXTPTrackingLoop::kNext;
    });

    if (m_bSelected != xtpNotSelected && m_pParent == pBar) {
        pBar->SetSelected(-1);
        m_bSelected = xtpNotSelected;
    }
    m_bPressed = 0;
    RedrawParent();
    if (bExecute && m_pParent == pBar)
        Execute();
}

void CXTPControl::OnCustomizeMouseDown(CPoint point)
{
    CXTPCommandBar* pBar = m_pParent;
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    if (!pCommandBars)
        return;
    if (pCommandBars->GetDragControl() == this && CanResizeInCustomize() && CustomizeStartResize(point))
        return;

    CHoldRef holdControl(this);
    CHoldRef holdBar(pBar);
    pCommandBars->SetDragControl(this);
    // Effects: 0 dropped outside every bar (delete), 2 moved (a copy stands at the new place);
    // 1 copied and 5 cancelled leave it where it is.
    const DWORD dwEffect = pCommandBars->GetDropSource()->DoDragDrop(this, FALSE);
    if (dwEffect != CXTPCustomizeDropSource::kNone && dwEffect != CXTPCustomizeDropSource::kMove) {
        if (dwEffect != CXTPCustomizeDropSource::kCopy && m_pParent == pBar)
            pCommandBars->SetDragControl(this);
        return;
    }
    // Messages ran during the drag: the bar may have let go of the control meanwhile.
    if (m_pParent != pBar || !m_pControls)
        return;
    {
        pBar->SetPopuped(-1);
        pBar->SetSelected(-1);
        if (pCommandBars->GetDragControl() == this)
            pCommandBars->SetDragControl(nullptr);
        CXTPControls* pControls = m_pControls;
        if (pControls) {
            int nCount = pControls->GetCount();
            if (m_bBeginGroup && m_nIndex < nCount - 1)
                pControls->GetAt(m_nIndex + 1)->SetBeginGroup(TRUE);
            if (m_nIndex == 0 && nCount > 1)
                pControls->GetAt(1)->SetBeginGroup(FALSE);
            pControls->Remove(this);
        }
        pBar->OnRecalcLayout();
    }
}

namespace {

// The tracker frame of a width resize: four inverted bands of 2 pixels.
void InvertTracker(HDC hDC, const CRect& rc)
{
    ::PatBlt(hDC, rc.left, rc.top, rc.Width(), 2, DSTINVERT);
    ::PatBlt(hDC, rc.left, rc.bottom - 2, rc.Width(), 2, DSTINVERT);
    ::PatBlt(hDC, rc.left, rc.top + 2, 2, rc.Height() - 4, DSTINVERT);
    ::PatBlt(hDC, rc.right - 2, rc.top + 2, 2, rc.Height() - 4, DSTINVERT);
}

}  // namespace

BOOL CXTPControl::CustomizeStartResize(CPoint point)
{
    CXTPCommandBar* pBar = m_pParent;
    CXTPCommandBars* pCommandBars = pBar ? pBar->GetCommandBars() : nullptr;
    if (!pCommandBars || !pBar->GetSafeHwnd() || !m_rcControl.PtInRect(point))
        return FALSE;
    BOOL bNearLeft = point.x - m_rcControl.left < 3;
    BOOL bNearRight = m_rcControl.right - point.x <= 2;
    if (!bNearLeft && !bNearRight)
        return FALSE;

    CHoldRef holdControl(this);
    pCommandBars->SetDragControl(nullptr);
    pBar->UpdateWindow();

    CRect rcTracker = m_rcControl;
    pBar->ClientToScreen(&rcTracker);
    CRect rcStart = rcTracker;
    ::SetCursor(LoadResizeCursor());
    BOOL bLocked = ::LockWindowUpdate(::GetDesktopWindow());
    HDC hDC = ::GetDCEx(::GetDesktopWindow(), nullptr, bLocked ? 0x403 : 3);
    InvertTracker(hDC, rcTracker);

    CPoint ptScreen = point;
    pBar->ClientToScreen(&ptScreen);
    int nOffset = bNearLeft ? ptScreen.x - rcTracker.left : ptScreen.x - rcTracker.right;
    int nMinWidth = GetCustomizeMinWidth();
    const BOOL bAccept = CXTPTrackingLoop().Run(pBar->GetSafeHwnd(), [&](const MSG& msg) {
        if (msg.message != WM_MOUSEMOVE)
            return CXTPTrackingLoop::kDefault;
        CPoint pt;
        ::GetCursorPos(&pt);
        CRect rcNew = rcTracker;
        if (bNearLeft)
            rcNew.left = (pt.x - nOffset < rcNew.right - nMinWidth) ? pt.x - nOffset : rcNew.right - nMinWidth;
        else
            rcNew.right = (pt.x - nOffset > rcNew.left + nMinWidth) ? pt.x - nOffset : rcNew.left + nMinWidth;
        if (rcNew != rcTracker) {
            InvertTracker(hDC, rcTracker);
            rcTracker = rcNew;
            InvertTracker(hDC, rcTracker);
        }
        return CXTPTrackingLoop::kNext;
    }) == CXTPTrackingLoop::kReleased;

    InvertTracker(hDC, rcTracker);
    if (bLocked)
        ::LockWindowUpdate(nullptr);
    ::ReleaseDC(::GetDesktopWindow(), hDC);
    pCommandBars->SetDragControl(this);

    if (bAccept && rcTracker.Width() != rcStart.Width()) {
        SetWidth(rcTracker.Width());
        pBar->OnRecalcLayout();
    }
    pBar->RedrawNow();
    return TRUE;
}
