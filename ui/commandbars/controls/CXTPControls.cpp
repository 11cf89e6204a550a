// The control collection: insertion with renumbering, menus, search, keyboard order, original sets, rows.
#include "CXTPControls.h"

#include "AfxIds.h"
#include "CException.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CWnd.h"
#include "CXTPCommandBar.h"
#include "CXTPCommandBars.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPControl.h"
#include "CXTPControlButton.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlCustom.h"
#include "CXTPControlEdit.h"
#include "CXTPControlExpandingList.h"
#include "CXTPControlLabel.h"
#include "CXTPControlPopup.h"
#include "CXTPHoldRef.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchange.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CXTPControls, CCmdTarget)

namespace {

const int kGroupGap = 6;

BOOL IsPopupKind(XTPControlType type)
{
    return type == xtpControlPopup || type == xtpControlButtonPopup || type == xtpControlSplitButtonPopup;
}

// The menu item that marks where a container's OLE verbs go.
const char kOleVerbsText[] = "<<OLE VERBS GO HERE>>";
const UINT kOleVerbsId = ID_OLE_VERB_FIRST;

// A button: the placeholders of the fixed ids come as their own classes. Menus name the recent
// files by the first file's command, controls made by type by the library's own id.
CXTPControl* NewButton(int nId, int nRecentFilesId)
{
    switch (nId) {
    case XTP_ID_WINDOWLIST:
        return new CXTPControlWindowList;
    case XTP_ID_WORKSPACE_ACTIONS:
        return new CXTPControlWorkspaceActions;
    case XTP_ID_TOOLBARLIST:
        return new CXTPControlToolbars;
    default:
        return nId == nRecentFilesId ? new CXTPControlRecentFileList : new CXTPControlButton;
    }
}

// Sets nest only through their original sets, which keep none of their own: a file that
// nests deeper is damaged, and is not followed down to the end of the stack.
const int kMaxNestedSets = 8;
thread_local int g_nNestedSets = 0;

class CNestedSet {
public:
    CNestedSet()
    {
        if (g_nNestedSets >= kMaxNestedSets)
            AfxThrowArchiveException(CArchiveException::badSchema);
        g_nNestedSets++;
    }
    ~CNestedSet() { g_nNestedSets--; }
    CNestedSet(const CNestedSet&) = delete;
    CNestedSet& operator=(const CNestedSet&) = delete;
};

BOOL IsPlaced(const XTPControlLayout& record)
{
    return record.bVisible && !record.bHidden;
}

}  // namespace

CXTPControls::CXTPControls() = default;

CXTPControls::~CXTPControls()
{
    RemoveAll();
    ClearOriginalControls();
}

CXTPControl* CXTPControls::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

void CXTPControls::GetNext(CXTPControl*& pControl) const
{
    pControl = pControl ? GetAt(pControl->GetIndex() + 1) : nullptr;
}

void CXTPControls::SetParent(CXTPCommandBar* pParent)
{
    m_pParent = pParent;
    if (GetCount() > 0)
        RefreshIndexes();
}

CXTPCommandBars* CXTPControls::GetCommandBars() const
{
    if (m_pParent && m_pParent->GetCommandBars())
        return m_pParent->GetCommandBars();
    return m_pCommandBars;
}

void CXTPControls::RefreshIndexes()
{
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        pControl->m_nIndex = i;
        pControl->m_pControls = this;
        pControl->SetParent(m_pParent);
    }
    if (m_pParent)
        m_pParent->DelayLayout();
}

void CXTPControls::InsertAt(CXTPControl* pControl, int nBefore)
{
    if (nBefore < 0 || nBefore >= GetCount())
        m_arrControls.Add(pControl);
    else
        m_arrControls.InsertAt(nBefore, pControl);
    RefreshIndexes();
}

CWnd* CXTPControls::GetSiteForRequests() const
{
    CXTPCommandBars* pCommandBars = GetCommandBars();
    if (pCommandBars && pCommandBars->GetSite())
        return pCommandBars->GetSite();
    return m_pParent ? m_pParent->GetSite() : nullptr;
}

CXTPPopupBar* CXTPControls::RequestPopupBar(const CString& strCaption, UINT nId) const
{
    // The site may supply the bar of a submenu; a bar of another kind than a popup is not used.
    XTP_CREATEBAR request{nullptr, TRUE, FALSE, FALSE, FALSE, strCaption, nId};
    if (CWnd* pSite = GetSiteForRequests(); pSite && pSite->GetSafeHwnd())
        pSite->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&request));
    if (auto* pPopup = dynamic_cast<CXTPPopupBar*>(request.pCommandBar))
        return pPopup;
    if (request.pCommandBar)
        request.pCommandBar->InternalRelease();
    return CXTPPopupBar::CreatePopupBar(GetCommandBars());
}

CXTPControl* CXTPControls::NewPopup(XTPControlType type, CMenu* pMenu, const CString& strCaption, UINT nId) const
{
    CXTPControlPopup* pControl = CXTPControlPopup::CreateControlPopup(type);
    CXTPPopupBar* pPopup = RequestPopupBar(strCaption, nId);
    if (pMenu)
        pPopup->LoadMenu(pMenu);
    pControl->SetCommandBar(pPopup);
    pPopup->InternalRelease();
    return pControl;
}

CXTPControl* CXTPControls::Add(XTPControlType type, int nId, CString strParameter, int nBefore, BOOL bTemporary)
{
    // The list-expanding controls of the fixed ids and the other kinds come with their own classes.
    CXTPControl* pControl = nullptr;
    if (type == xtpControlButton) {
        pControl = NewButton(nId, XTP_ID_FILE_MRU);
    } else if (IsPopupKind(type)) {
        // A popup of an id holds the menu resource of that id, when there is one.
        CMenu menu;
        const BOOL bMenu = nId >= 1 && menu.LoadMenu(LOWORD(nId));
        pControl = NewPopup(type, bMenu ? &menu : nullptr, CString(), static_cast<UINT>(nId));
    } else if (type == xtpControlComboBox) {
        pControl = new CXTPControlComboBox;
    } else if (type == xtpControlEdit) {
        pControl = new CXTPControlEdit;
    } else if (type == xtpControlLabel) {
        pControl = new CXTPControlLabel;
    } else if (type == xtpControlCustom) {
        // Custom controls keep the type and flags they were made with.
        return AddControl(new CXTPControlCustom, nId, strParameter, nBefore, bTemporary);
    } else {
        return nullptr;
    }
    // A submenu entry is no command: its id stays 0.
    if (type != xtpControlPopup)
        pControl->SetID(nId);
    pControl->m_controlType = type;
    pControl->SetParameter(strParameter);
    pControl->SetTemporary(bTemporary);
    InsertAt(pControl, nBefore);
    return pControl;
}

CXTPControl* CXTPControls::AddControl(CXTPControl* pControl, int nId, CString strParameter, int nBefore,
                                      BOOL bTemporary)
{
    if (!pControl)
        return nullptr;
    pControl->SetParameter(strParameter);
    pControl->SetTemporary(bTemporary);
    pControl->SetID(nId);
    InsertAt(pControl, nBefore);
    return pControl;
}

CXTPControl* CXTPControls::AddClone(CXTPControl* pControl, int nBefore, BOOL bRecursive)
{
    CXTPControl* pClone = pControl ? pControl->Clone(bRecursive) : nullptr;
    if (pClone)
        InsertAt(pClone, nBefore);
    return pClone;
}

CXTPControl* CXTPControls::AddMenuItem(CMenu* pMenu, int nIndex)
{
    if (!pMenu || !::IsMenu(pMenu->GetSafeHmenu()))
        return nullptr;
    UINT nID = pMenu->GetMenuItemID(nIndex);
    if (nID == 0xFF00)
        return nullptr;
    CString strText;
    pMenu->GetMenuString(static_cast<UINT>(nIndex), strText, MF_BYPOSITION);
    CMenu* pSubMenu = pMenu->GetSubMenu(nIndex);
    if (pSubMenu && nID == static_cast<UINT>(-1))
        nID = 0;

    CXTPControl* pControl = nullptr;
    if (CWnd* pSite = GetSiteForRequests(); pSite && pSite->GetSafeHwnd()) {
        XTP_CREATECONTROL request = {};
        request.nID = nID;
        request.bToolBar = FALSE;
        request.nIndex = nIndex;
        request.strCaption = strText;
        request.pCommandBar = m_pParent;
        request.controlType = pSubMenu ? xtpControlPopup : xtpControlButton;
        request.pMenu = pMenu;
        request.bPopup = pSubMenu != nullptr;
        if (pSite->SendMessage(WM_CMDBARS_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&request)) != 0) {
            pControl = request.pControl;
            nID = request.nID;
        }
    }
    if (!pControl && pSubMenu) {
        pControl = NewPopup(xtpControlPopup, pSubMenu, strText, nID);
        pControl->GetCommandBar()->SetTitle(strText);
    } else if (!pControl) {
        if (nID == 0)
            return nullptr;
        pControl = nID == kOleVerbsId && strText == kOleVerbsText ? new CXTPControlOleItems
                                                                  : NewButton(static_cast<int>(nID), ID_FILE_MRU_FILE1);
    }
    AddControl(pControl, static_cast<int>(nID));
    pControl->SetCaption(strText);
    UINT nDefault = pMenu->GetDefaultItem(0, TRUE);
    pControl->SetDefaultItem(nDefault != static_cast<UINT>(-1) && static_cast<int>(nDefault) == nIndex);
    return pControl;
}

void CXTPControls::Unlink(CXTPControl* pControl)
{
    pControl->m_pControls = nullptr;
    pControl->SetParent(nullptr);
}

void CXTPControls::Remove(CXTPControl* pControl)
{
    if (!pControl)
        return;
    // The control's own index may be stale or belong to another collection: look it up.
    int nIndex = -1;
    for (int i = 0; i < GetCount(); i++) {
        if (m_arrControls[i] == pControl) {
            nIndex = i;
            break;
        }
    }
    if (nIndex < 0)
        return;
    if (m_pParent && m_pParent->GetSelectedIndex() == nIndex)
        m_pParent->SetSelected(-1);
    m_arrControls.RemoveAt(nIndex);
    Unlink(pControl);
    pControl->InternalRelease();
    RefreshIndexes();
}

void CXTPControls::Remove(int nIndex)
{
    Remove(GetAt(nIndex));
}

void CXTPControls::RemoveAll()
{
    for (int i = 0; i < GetCount(); i++) {
        Unlink(m_arrControls[i]);
        m_arrControls[i]->InternalRelease();
    }
    m_arrControls.RemoveAll();
}

CXTPControl* CXTPControls::FindControl(XTPControlType type, int nId, BOOL bVisible, BOOL bRecursive) const
{
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        if ((type == xtpControlError || pControl->GetType() == type) && (nId == -1 || pControl->GetID() == nId) &&
            (!bVisible || pControl->GetHideFlags() == 0))
            return pControl;
        if (bRecursive && IsPopupKind(pControl->GetType())) {
            if (CXTPCommandBar* pBar = pControl->GetCommandBar()) {
                if (CXTPControl* pFound = pBar->GetControls()->FindControl(type, nId, bVisible, bRecursive))
                    return pFound;
            }
        }
    }
    return nullptr;
}

CXTPControl* CXTPControls::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        if (pControl->GetHideFlags() == 0 && pControl->GetRect().PtInRect(point))
            return pControl;
    }
    return nullptr;
}

int CXTPControls::GetNext(int nIndex, int nDirection, BOOL bKeyboard, BOOL bSkipTemporary, BOOL bKeepScrolled) const
{
    int nCount = GetCount();
    if (nCount == 0 || nDirection == 0)
        return -1;
    DWORD dwHideMask = bKeepScrolled ? ~static_cast<DWORD>(xtpHideScroll)
                                     : ~static_cast<DWORD>(xtpHideScroll | xtpHideExpand);
    int nCandidate = (nIndex == -1 && nDirection < 0) ? nCount - 1 : nIndex + nDirection;
    BOOL bWrapped = FALSE;
    for (;;) {
        if (nCandidate >= nCount || nCandidate < 0) {
            if (nIndex == -1 || bWrapped)
                return -1;
            bWrapped = TRUE;
            nCandidate = nCandidate < 0 ? nCount - 1 : 0;
        }
        if (nCandidate == nIndex)
            return nIndex;
        const CXTPControl* pControl = m_arrControls[nCandidate];
        BOOL bSkip = (pControl->GetHideFlags() & dwHideMask) != 0 ||
                     (bKeyboard && (pControl->GetFlags() & xtpFlagSkipFocus)) ||
                     (bSkipTemporary && pControl->IsTemporary());
        if (!bSkip)
            return nCandidate;
        nCandidate += nDirection > 0 ? 1 : -1;
    }
}

int CXTPControls::GetVisibleCount(BOOL bStrict) const
{
    int nVisible = 0;
    for (int i = 0; i < GetCount(); i++) {
        DWORD dwHide = m_arrControls[i]->GetHideFlags();
        if (dwHide == 0 || (!bStrict && dwHide == xtpHideWrap))
            nVisible++;
    }
    return nVisible;
}

CXTPControls* CXTPControls::Duplicate(BOOL bRecursive)
{
    CXTPControls* pDuplicate = new CXTPControls;
    pDuplicate->m_pCommandBars = GetCommandBars();
    for (int i = 0; i < GetCount(); i++) {
        CXTPControl* pControl = m_arrControls[i];
        if (!pControl->IsTemporary())
            pDuplicate->AddClone(pControl, -1, bRecursive);
    }
    if (bRecursive && m_pOriginalControls)
        pDuplicate->m_pOriginalControls = m_pOriginalControls->Duplicate(TRUE);
    return pDuplicate;
}

void CXTPControls::CreateOriginalControls()
{
    // The new set's own originals are dropped, so sets do not nest deeper on every call.
    CXTPControls* pOriginal = Duplicate(TRUE);
    pOriginal->ClearOriginalControls();
    ClearOriginalControls();
    m_pOriginalControls = pOriginal;
}

void CXTPControls::SetOriginalControls(CXTPControls* pOriginal)
{
    ClearOriginalControls();
    m_pOriginalControls = pOriginal;
}

void CXTPControls::ClearOriginalControls()
{
    if (m_pOriginalControls) {
        m_pOriginalControls->InternalRelease();
        m_pOriginalControls = nullptr;
    }
}

BOOL CXTPControls::Compare(CXTPControls* pOther)
{
    if (!pOther)
        return FALSE;
    int i = 0, j = 0;
    for (;;) {
        while (i < GetCount() && m_arrControls[i]->IsTemporary())
            i++;
        while (j < pOther->GetCount() && pOther->m_arrControls[j]->IsTemporary())
            j++;
        BOOL bEndHere = i >= GetCount();
        BOOL bEndThere = j >= pOther->GetCount();
        if (bEndHere || bEndThere)
            return bEndHere && bEndThere;
        if (!m_arrControls[i]->Compare(pOther->m_arrControls[j]))
            return FALSE;
        i++;
        j++;
    }
}

BOOL CXTPControls::IsChanged()
{
    return !m_pOriginalControls || !m_pOriginalControls->Compare(this);
}

CSize CXTPControls::CalcControlsSize(std::vector<XTPControlLayout>& records, BOOL bVertical)
{
    int x = 0, y = 0, nLine = 0;
    int nMaxRight = 0, nMaxBottom = 0, nMaxWidth = 0;
    BOOL bFirst = TRUE;
    for (XTPControlLayout& r : records) {
        if (!IsPlaced(r))
            continue;
        int nGap = (r.bBeginGroup && !bFirst) ? kGroupGap : 0;
        if (!bVertical) {
            if (r.bWrap && !bFirst) {
                y += nLine + nGap;
                x = 0;
                nLine = 0;
            } else {
                x += nGap;
            }
            r.rcControl.SetRect(x, y, x + r.nWidth, y + r.nHeight);
            x = r.rcControl.right;
            nLine = r.nHeight > nLine ? r.nHeight : nLine;
            nMaxRight = x > nMaxRight ? x : nMaxRight;
            nMaxBottom = r.rcControl.bottom > nMaxBottom ? r.rcControl.bottom : nMaxBottom;
        } else {
            if (r.bWrap && !bFirst) {
                x -= nLine + nGap;
                y = 0;
                nLine = 0;
            } else {
                y += nGap;
            }
            r.rcControl.SetRect(x - r.nWidth, y, x, y + r.nHeight);
            y = r.rcControl.bottom;
            nLine = r.nWidth > nLine ? r.nWidth : nLine;
            nMaxWidth = r.nWidth > nMaxWidth ? r.nWidth : nMaxWidth;
            nMaxBottom = y > nMaxBottom ? y : nMaxBottom;
        }
        bFirst = FALSE;
    }
    return bVertical ? CSize(nMaxWidth - x, nMaxBottom) : CSize(nMaxRight, nMaxBottom);
}

int CXTPControls::WrapRows(std::vector<XTPControlLayout>& records, int nLength, DWORD& dwMode)
{
    for (XTPControlLayout& r : records) {
        r.bWrap = FALSE;
        r.bHidden = FALSE;
    }
    const int nCount = static_cast<int>(records.size());
    auto sizeOf = [&](int i, BOOL bWithGap) {
        const XTPControlLayout& r = records[static_cast<size_t>(i)];
        int nSize = (dwMode & xtpLayoutVertDock) ? r.nHeight : r.nWidth;
        return nSize + (bWithGap && r.bBeginGroup ? kGroupGap : 0);
    };
    int nRows = 1;
    int nSum = 0;
    int nRowStart = -1;  // the first visible record of the current row
    for (int i = 0; i < nCount; i++) {
        if (!records[static_cast<size_t>(i)].bVisible)
            continue;
        if (nRowStart < 0) {
            nRowStart = i;
            nSum = sizeOf(i, FALSE);
            continue;
        }
        nSum += sizeOf(i, TRUE);
        if (nSum <= nLength)
            continue;
        if (dwMode & xtpLayoutHideWrap) {
            for (int j = i; j < nCount; j++)
                records[static_cast<size_t>(j)].bHidden = TRUE;
            dwMode |= xtpLayoutWrapped;
            return nRows;
        }
        // Prefer the start of the record's group, within the current row.
        int nWrap = i;
        for (int j = i; j > nRowStart; j--) {
            const XTPControlLayout& r = records[static_cast<size_t>(j)];
            if (r.bVisible && r.bBeginGroup) {
                nWrap = j;
                break;
            }
        }
        records[static_cast<size_t>(nWrap)].bWrap = TRUE;
        nRows++;
        dwMode |= xtpLayoutWrapped;
        nRowStart = nWrap;
        nSum = sizeOf(nWrap, FALSE);
        i = nWrap;
    }
    return nRows;
}

void CXTPControls::CenterRow(std::vector<XTPControlLayout>& records, int nFirst, int nLast, int nThickness,
                             int nRowLength, int nRowOrigin, BOOL bVertical)
{
    for (int i = nFirst; i <= nLast && i < static_cast<int>(records.size()); i++) {
        XTPControlLayout& r = records[static_cast<size_t>(i)];
        // The row's rectangle starts where the row does, before the control moves to its middle.
        if (!bVertical) {
            r.rcRow.SetRect(nRowOrigin, r.rcControl.top, nRowOrigin + nRowLength, r.rcControl.top + nThickness);
            r.rcControl.OffsetRect(0, (nThickness - r.rcControl.Height()) / 2);
        } else {
            r.rcRow.SetRect(r.rcControl.right - nThickness, nRowOrigin, r.rcControl.right, nRowOrigin + nRowLength);
            r.rcControl.OffsetRect(-((nThickness - r.rcControl.Width()) / 2), 0);
        }
    }
}

void CXTPControls::AdjustRows(std::vector<XTPControlLayout>& records, CRect rcBar, CRect rcBorders,
                              DWORD dwMode) const
{
    const BOOL bVertical = (dwMode & xtpLayoutVertDock) != 0;
    const int nCount = static_cast<int>(records.size()) < GetCount() ? static_cast<int>(records.size()) : GetCount();
    auto flagsOf = [&](int i) { return m_arrControls[i]->GetFlags(); };
    const int nStart = bVertical ? rcBar.top + rcBorders.top : rcBar.left + rcBorders.left;
    const int nFarEnd = bVertical ? rcBar.bottom - rcBorders.bottom : rcBar.right - rcBorders.right;

    // Right-aligned controls, from the last one back, against the row's far end.
    int nEnd = nFarEnd;
    for (int i = nCount - 1; i >= 0; i--) {
        XTPControlLayout& r = records[static_cast<size_t>(i)];
        if (!IsPlaced(r))
            continue;
        if (!(flagsOf(i) & xtpFlagRightAlign))
            break;
        int nSize = bVertical ? r.rcControl.Height() : r.rcControl.Width();
        if (nEnd - nSize < nStart)
            break;
        if (bVertical)
            r.rcControl.OffsetRect(0, nEnd - nSize - r.rcControl.top);
        else
            r.rcControl.OffsetRect(nEnd - nSize - r.rcControl.left, 0);
        nEnd -= nSize;
        if (r.bWrap)
            break;
    }

    // Stretched controls share the free space at the end of their row, rows from the last.
    int nRowEnd = nCount;
    while (nRowEnd > 0) {
        int nRowFirst = nRowEnd - 1;
        while (nRowFirst > 0 && !(IsPlaced(records[static_cast<size_t>(nRowFirst)]) &&
                                  records[static_cast<size_t>(nRowFirst)].bWrap))
            nRowFirst--;
        int nStretched = 0;
        int nLastEdge = nStart;
        for (int i = nRowFirst; i < nRowEnd; i++) {
            const XTPControlLayout& r = records[static_cast<size_t>(i)];
            if (!IsPlaced(r))
                continue;
            if (flagsOf(i) & xtpFlagControlStretched)
                nStretched++;
            int nEdge = bVertical ? r.rcControl.bottom : r.rcControl.right;
            nLastEdge = nEdge > nLastEdge ? nEdge : nLastEdge;
        }
        int nFree = nFarEnd - nLastEdge;
        if (nStretched > 0 && nFree > 0) {
            int nShift = 0;
            for (int i = nRowFirst; i < nRowEnd; i++) {
                XTPControlLayout& r = records[static_cast<size_t>(i)];
                if (!IsPlaced(r))
                    continue;
                if (bVertical)
                    r.rcControl.OffsetRect(0, nShift);
                else
                    r.rcControl.OffsetRect(nShift, 0);
                if (flagsOf(i) & xtpFlagControlStretched) {
                    int nAdd = nFree / nStretched;
                    (bVertical ? r.rcControl.bottom : r.rcControl.right) += nAdd;
                    nFree -= nAdd;
                    nStretched--;
                    nShift += nAdd;
                }
            }
        }
        nRowEnd = nRowFirst;
    }
}

void CXTPControls::DoPropExchange(CXTPPropExchange* pPX)
{
    CNestedSet nested;
    CXTPCommandBarsExchangeParam* pParam = CXTPCommandBarsExchangeParam::FromExchange(pPX);
    CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> enumerator(pPX->GetEnumerator("Control"));
    if (!enumerator.Get())
        AfxThrowMemoryException();
    if (!pPX->IsLoading()) {
        DWORD nCount = 0;
        for (int i = 0; i < GetCount(); i++)
            nCount += m_arrControls[i]->IsTemporary() ? 0 : 1;
        POSITION pos = enumerator->GetPosition(nCount);
        for (int i = 0; i < GetCount() && pos; i++) {
            CXTPControl* pControl = m_arrControls[i];
            if (pControl->IsTemporary())
                continue;
            CXTPPropExchangeSection section(enumerator->GetNext(pos));
            CObject* pObject = pControl;
            section->ExchangeObjectInstance(pObject, RUNTIME_CLASS(CXTPControl));
            pControl->DoPropExchange(section);
        }
        BOOL bOriginal = m_pOriginalControls && (!pParam || pParam->bOriginalControls);
        PX_Bool(pPX, "OriginalControls", bOriginal, FALSE);
        if (bOriginal) {
            CXTPPropExchangeSection section(pPX->GetSection("OriginalControls"));
            m_pOriginalControls->DoPropExchange(section);
        }
        BOOL bCustomized = FALSE;
        PX_Bool(pPX, "CustomizedControls", bCustomized, FALSE);
        return;
    }

    RemoveAll();
    POSITION pos = enumerator->GetPosition();
    while (pos) {
        CXTPPropExchangeSection section(enumerator->GetNext(pos));
        CObject* pObject = nullptr;
        if (!section.Get() || !section->ExchangeObjectInstance(pObject, RUNTIME_CLASS(CXTPControl))) {
            delete pObject;
            AfxThrowArchiveException(CArchiveException::badClass);
        }
        auto* pControl = static_cast<CXTPControl*>(pObject);
        m_arrControls.Add(pControl);
        // Tied to the set before its keys are read: a control finds the host's image manager.
        pControl->m_pControls = this;
        pControl->DoPropExchange(section);
    }
    RefreshIndexes();
    if (pPX->m_nSchema > 2) {
        BOOL bOriginal = FALSE;
        PX_Bool(pPX, "OriginalControls", bOriginal, FALSE);
        if (bOriginal) {
            ClearOriginalControls();
            auto* pOriginal = new CXTPControls;
            pOriginal->m_pCommandBars = GetCommandBars();
            m_pOriginalControls = pOriginal;
            CXTPPropExchangeSection section(pPX->GetSection("OriginalControls"));
            pOriginal->DoPropExchange(section);
        }
        BOOL bCustomized = FALSE;
        PX_Bool(pPX, "CustomizedControls", bCustomized, FALSE);
        if (bCustomized) {
            CXTPControls* pCustomized = new CXTPControls;
            pCustomized->m_pCommandBars = GetCommandBars();
            CHoldRef hold(pCustomized);
            pCustomized->InternalRelease();
            CXTPPropExchangeSection section(pPX->GetSection("CustomizedControls"));
            pCustomized->DoPropExchange(section);
        }
    }
}
