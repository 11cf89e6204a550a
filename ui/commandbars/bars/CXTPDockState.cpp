// The dock state: records of the bars and the dock-bar rows, their keys, capturing them from the
// live bars and putting the bars back.
#include "CXTPDockState.h"

#include <algorithm>
#include <set>
#include <string>

#include "CFrameWnd.h"
#include "CXTPCommandBars.h"
#include "CXTPDialogBar.h"
#include "CXTPDockBar.h"
#include "CXTPPropExchange.h"
#include "CXTPToolBar.h"
#include "CXTPToolBarDragContext.h"

namespace {

const int kFirstDialogBarVersion = 7;

void ExchangePoint(CXTPPropExchange* pPX, const char* pszName, CPoint& pt, CPoint ptDefault)
{
    SIZE size = {pt.x, pt.y};
    PX_Size(pPX, pszName, size, SIZE{ptDefault.x, ptDefault.y});
    pt = CPoint(size.cx, size.cy);
}

void ExchangeInt(CXTPPropExchange* pPX, const char* pszName, int& nValue, long nDefault)
{
    long n = nValue;
    PX_LongDefault(pPX, pszName, n, nDefault);
    nValue = static_cast<int>(n);
}

std::string Indexed(const char* pszName, int nIndex)
{
    return pszName + std::to_string(nIndex);
}

}  // namespace

void CXTPBarInfo::DoPropExchange(CXTPPropExchange* pPX, int nVersion)
{
    long nBarId = static_cast<long>(m_nBarID);
    PX_LongDefault(pPX, "BarId", nBarId, 0);
    m_nBarID = static_cast<UINT>(nBarId);
    PX_Bool(pPX, "Visible", m_bVisible, TRUE);
    PX_Bool(pPX, "Floating", m_bFloating, FALSE);
    long nMRUWidth = m_nMRUWidth;
    PX_Long(pPX, "MRUWidth", nMRUWidth);
    m_nMRUWidth = static_cast<int>(nMRUWidth);
    ExchangeInt(pPX, "MRUDockPosition", m_uMRUDockPosition, 0);
    ExchangePoint(pPX, "PointPos", m_pointPos, CPoint(0, 0));
    PX_Rect(pPX, "MRUDockPos", m_rectMRUDockPos, RECT{0, 0, 0, 0});
    ExchangePoint(pPX, "MRUFloatPos", m_ptMRUFloatPos, CPoint(0, 0));
    if (nVersion < kFirstDialogBarVersion)
        return;
    PX_Bool(pPX, "DialogBar", m_bDialogBar, FALSE);
    if (m_bDialogBar) {
        PX_Size(pPX, "DialogBarDockingClientSize", m_szDialogBarDockingClient, SIZE{0, 0});
        PX_Size(pPX, "DialogBarFloatingClientSize", m_szDialogBarFloatingClient, SIZE{0, 0});
    }
}

CXTPDockState::CXTPDockState()
    : m_rectDevice(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN))
{
}

CXTPDockState::~CXTPDockState()
{
    Clear();
}

void CXTPDockState::Clear()
{
    for (CXTPBarInfo* pInfo : m_arrBarInfo)
        delete pInfo;
    m_arrBarInfo.clear();
}

void CXTPDockState::DoPropExchange(CXTPPropExchange* pPX)
{
    if (pPX->IsLoading())
        Clear();
    else
        m_szScreen = CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    long nVersion = m_nVersion;
    PX_LongDefault(pPX, "Version", nVersion, 0);
    PX_Size(pPX, "ScreenSize", m_szScreen, SIZE{0, 0});
    short nCount = static_cast<short>(GetCount());
    PX_Short(pPX, "Count", nCount, 0);
    const int nRecords = pPX->IsLoading() ? static_cast<unsigned short>(nCount) : GetCount();
    for (int i = 0; i < nRecords; i++) {
        if (pPX->IsLoading())
            m_arrBarInfo.push_back(new CXTPBarInfo);
        CXTPPropExchangeSection section(pPX->GetSection(Indexed("BarInfo", i).c_str()));
        m_arrBarInfo[static_cast<size_t>(i)]->DoPropExchange(section, static_cast<int>(nVersion));
    }
    m_nVersion = kVersion;
}

void CXTPDockState::SaveState(CXTPCommandBars* pCommandBars)
{
    Clear();
    for (int i = 0; i < pCommandBars->GetCount(); i++) {
        CXTPCommandBar* pBar = pCommandBars->GetAt(i);
        auto* pInfo = new CXTPBarInfo;
        pInfo->m_nBarID = pBar->GetBarID();
        pInfo->m_bVisible = pBar->IsVisible();
        pInfo->m_bFloating = pBar->GetPosition() == xtpBarFloating;
        pInfo->m_nMRUWidth = pBar->GetMRUWidth();
        auto* pToolBar = dynamic_cast<CXTPToolBar*>(pBar);
        CXTPToolBarDragContext* pContext = pToolBar ? pToolBar->GetDragContext() : nullptr;
        if (pBar->GetSafeHwnd()) {
            CRect rc;
            pBar->GetWindowRect(&rc);
            CPoint pt = rc.TopLeft();
            if (CXTPDockBar* pDockBar = pToolBar ? pToolBar->GetDockBar() : nullptr)
                pDockBar->ScreenToClient(&pt);
            pInfo->m_pointPos = pt;
        } else if (pContext) {
            pInfo->m_pointPos = pContext->m_ptMRUFloatPos;
        }
        if (pContext) {
            pInfo->m_uMRUDockPosition = pContext->m_nMRUDockPosition;
            pInfo->m_rectMRUDockPos = pContext->m_rcMRUDockPos;
            pInfo->m_ptMRUFloatPos = pContext->m_ptMRUFloatPos;
        }
        if (auto* pDialogBar = dynamic_cast<CXTPDialogBar*>(pBar)) {
            pInfo->m_bDialogBar = TRUE;
            pInfo->m_szDialogBarDockingClient = pDialogBar->GetDockingClientSize();
            pInfo->m_szDialogBarFloatingClient = pDialogBar->GetFloatingClientSize();
        }
        m_arrBarInfo.push_back(pInfo);
    }
}

CRect CXTPDockState::KeepOnScreen(const CRect& rcWindow)
{
    if (::MonitorFromRect(&rcWindow, MONITOR_DEFAULTTONULL))
        return rcWindow;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoA(::MonitorFromRect(&rcWindow, MONITOR_DEFAULTTONEAREST), &info))
        return rcWindow;
    const CRect rcWork(info.rcWork);
    CRect rc = rcWindow;
    // Into the work area, the top-left corner first when the window is the larger.
    rc.OffsetRect(std::min<LONG>(0, rcWork.right - rc.right), std::min<LONG>(0, rcWork.bottom - rc.bottom));
    rc.OffsetRect(std::max<LONG>(0, rcWork.left - rc.left), std::max<LONG>(0, rcWork.top - rc.top));
    return rc;
}

void CXTPDockState::LoadState(CXTPCommandBars* pCommandBars)
{
    for (CXTPBarInfo* pInfo : m_arrBarInfo) {
        pInfo->m_pBar = pInfo->m_nBarID ? pCommandBars->GetToolBar(pInfo->m_nBarID) : nullptr;
        auto* pBar = dynamic_cast<CXTPToolBar*>(pInfo->m_pBar);
        if (!pBar)
            continue;
        if (pInfo->m_bFloating)
            pCommandBars->FloatCommandBar(pBar);
        else
            pBar->SetFloatingWindow(pCommandBars->GetSite(), FALSE);

        pBar->SetMRUWidth(pInfo->m_nMRUWidth);
        auto* pDialogBar = dynamic_cast<CXTPDialogBar*>(pBar);
        if (pDialogBar && pInfo->m_bDialogBar) {
            // Sizes from a file go through the bar's own minimum.
            pDialogBar->SetDockingClientSize(pInfo->m_szDialogBarDockingClient);
            pDialogBar->SetFloatingClientSize(pInfo->m_szDialogBarFloatingClient);
        }
        if (CXTPToolBarDragContext* pContext = pBar->GetDragContext()) {
            pContext->m_nMRUDockPosition = pInfo->m_uMRUDockPosition;
            pContext->m_rcMRUDockPos = pInfo->m_rectMRUDockPos;
            pContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
        }
        if (pBar->GetSafeHwnd()) {
            // The size stays: a floating bar takes its own from its layout below.
            UINT nFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                          (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
            CPoint pt = pInfo->m_pointPos;
            if (pInfo->m_bFloating) {
                CRect rc;
                pBar->GetWindowRect(&rc);
                pt = KeepOnScreen(CRect(pt, rc.Size())).TopLeft();
            } else if (!pBar->GetDockBar()) {
                nFlags |= SWP_NOMOVE;
            }
            pBar->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, nFlags);
        }
        pBar->SetVisible(pInfo->m_bVisible);
        if (pInfo->m_bFloating)
            pBar->OnRecalcLayout();
    }
}

void CXTPDockState::ExchangeDockBars(CXTPPropExchange* pPX, CXTPCommandBars* pCommandBars)
{
    std::set<CXTPToolBar*> placed;
    for (int nDock = 0; nDock < 4; nDock++) {
        CXTPDockBar* pDockBar = pCommandBars->GetDockBar(nDock);
        CXTPPropExchangeSection section(pPX->GetSection(Indexed("DockBar", nDock).c_str()));
        if (!pPX->IsLoading()) {
            std::vector<UINT> ids;
            BOOL bAfterNull = FALSE;  // so that a leading separator is kept
            for (int i = 0; pDockBar && i < pDockBar->GetCount(); i++) {
                CXTPToolBar* pBar = pDockBar->GetAt(i);
                if (!pBar && bAfterNull)
                    continue;
                bAfterNull = pBar == nullptr;
                ids.push_back(pBar ? pBar->GetBarID() : 0);
            }
            // The dock bar closes its last row with a separator too; the file does not.
            while (ids.size() > 1 && ids.back() == 0)
                ids.pop_back();
            long nCount = ids.size() > 1 ? static_cast<long>(ids.size()) : 0;
            PX_LongDefault(section, "Count", nCount, 0);
            for (int i = 0; i < nCount; i++) {
                long nId = static_cast<long>(ids[static_cast<size_t>(i)]);
                PX_LongDefault(section, Indexed("Id", i).c_str(), nId, 0);
            }
            continue;
        }
        long nCount = 0;
        PX_LongDefault(section, "Count", nCount, 0);
        if (nCount <= 1 || !pDockBar)
            continue;
        // Every bar once with a separator before each: no more entries than that are meant.
        const long nMost = 2L * pCommandBars->GetCount() + 1;
        nCount = std::min(nCount, nMost);
        int nPlace = 0;
        for (int i = 0; i < nCount; i++) {
            long nId = 0;
            PX_LongDefault(section, Indexed("Id", i).c_str(), nId, 0);
            auto* pBar = nId ? dynamic_cast<CXTPToolBar*>(pCommandBars->GetToolBar(static_cast<UINT>(nId))) : nullptr;
            if (pBar && !placed.insert(pBar).second)
                pBar = nullptr;  // placed already: a separator, as an unknown id
            if (!pBar && nPlace > 0 && pDockBar->GetAt(nPlace - 1) == nullptr)
                continue;
            pDockBar->PlaceBarAt(nPlace++, pBar);
        }
        pDockBar->CollapseSeparators();
    }
}
