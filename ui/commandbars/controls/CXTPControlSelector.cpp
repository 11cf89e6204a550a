// The grid picker: size, cells, growing under a drag, the change notification and the click.
#include "CArchive.h"
#include "CXTPControlSelector.h"

#include <algorithm>

#include "CXTPCommandBar.h"
#include "CXTPPaintManager.h"
#include "CXTPPropExchange.h"

IMPLEMENT_SERIAL(CXTPControlSelector, CXTPControl, VERSIONABLE_SCHEMA | 0x11)

namespace {

// A size read from a file: a part below 1 (a cell width of 0 would divide by zero) keeps the
// value the control had.
void KeepPositive(CSize& value, CSize previous)
{
    if (value.cx < 1)
        value.cx = previous.cx;
    if (value.cy < 1)
        value.cy = previous.cy;
}

void ExchangeSize(CXTPPropExchange* pPX, const char* pszName, CSize& value, CSize defaultValue)
{
    SIZE size = value;
    PX_Size(pPX, pszName, size, defaultValue);
    if (pPX->IsLoading()) {
        CSize loaded(size);
        KeepPositive(loaded, value);
        value = loaded;
    }
}

}  // namespace

CXTPControlSelector::CXTPControlSelector()
{
    m_controlType = xtpControlButton;
}

CSize CXTPControlSelector::GetSize(CDC* /*pDC*/)
{
    return CSize(m_szCurrent.cx * m_szItem.cx, m_szCurrent.cy * m_szItem.cy);
}

void CXTPControlSelector::Draw(CDC* pDC)
{
    CXTPPaintManager* pPaintManager = GetPaintManager();
    for (int x = 0; x < m_szCurrent.cx; x++) {
        for (int y = 0; y < m_szCurrent.cy; y++) {
            CRect rc(m_rcControl.left + x * m_szItem.cx, m_rcControl.top + y * m_szItem.cy,
                     m_rcControl.left + (x + 1) * m_szItem.cx, m_rcControl.top + (y + 1) * m_szItem.cy);
            rc.DeflateRect(1, 1);
            const BOOL bSelected = x < m_szSelected.cx && y < m_szSelected.cy;
            pDC->FillSolidRect(rc, pPaintManager->GetColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            DrawItem(pDC, rc, pPaintManager->GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : 46));
            pPaintManager->Draw3dRect(pDC, rc, 43, 43);
        }
    }
}

BOOL CXTPControlSelector::OnSetSelected(int bSelected)
{
    const BOOL bResult = CXTPControl::OnSetSelected(bSelected);
    if (bSelected && !m_bResizing) {
        // A fresh start each time the pointer comes in; reported even when nothing changed.
        m_szCurrent = m_szInitial;
        m_szSelected = CSize(0, 0);
        OnSelectedChanged();
    }
    return bResult;
}

void CXTPControlSelector::OnMouseMove(CPoint point)
{
    TrackMouse(point, ::GetKeyState(VK_LBUTTON) < 0);
}

void CXTPControlSelector::TrackMouse(CPoint point, BOOL bButtonDown)
{
    const int nColumn = (point.x - m_rcControl.left) / m_szItem.cx + 1;
    const int nRow = (point.y - m_rcControl.top) / m_szItem.cy + 1;
    if (bButtonDown && (point.x >= m_rcControl.right || point.y >= m_rcControl.bottom)) {
        const CSize szGrown(std::min<int>(std::max<int>(m_szCurrent.cx, nColumn), m_szMax.cx),
                            std::min<int>(std::max<int>(m_szCurrent.cy, nRow), m_szMax.cy));
        if (szGrown != m_szCurrent) {
            m_szCurrent = szGrown;
            m_bResizing = TRUE;
            if (m_pParent)
                m_pParent->DelayLayout();
            m_bResizing = FALSE;
        }
    }
    if (point.x < m_rcControl.left || point.y < m_rcControl.top) {
        SetSelectedItems(CSize(0, 0));
        return;
    }
    SetSelectedItems(CSize(std::min<int>(nColumn, m_szCurrent.cx), std::min<int>(nRow, m_szCurrent.cy)));
}

void CXTPControlSelector::SetSelectedItems(CSize size)
{
    if (size == m_szSelected)
        return;
    m_szSelected = size;
    OnSelectedChanged();
}

void CXTPControlSelector::OnSelectedChanged()
{
    RedrawParent();
    CWnd* pSite = m_pParent ? m_pParent->GetSite() : nullptr;
    if (!pSite || !pSite->GetSafeHwnd())
        return;
    NMXTPCONTROL notify = {};
    notify.hdr.idFrom = static_cast<UINT_PTR>(m_nId);
    notify.hdr.code = XTP_SELECTOR_CHANGED;
    notify.pControl = this;
    pSite->SendMessage(WM_CMDBARS_EXECUTE, static_cast<WPARAM>(m_nId), reinterpret_cast<LPARAM>(&notify));
}

void CXTPControlSelector::OnClick(BOOL /*bKeyboard*/, CPoint /*point*/)
{
    if (IsCustomizeMode() || m_szSelected.cx <= 0 || m_szSelected.cy <= 0)
        return;
    m_szChosen = m_szSelected;
    Execute();
}

void CXTPControlSelector::Copy(CXTPControl* pSrc, BOOL bRecursive)
{
    if (auto* pSelector = dynamic_cast<CXTPControlSelector*>(pSrc)) {
        m_szInitial = m_szCurrent = pSelector->m_szInitial;
        m_szMax = pSelector->m_szMax;
        m_szItem = pSelector->m_szItem;
    }
    CXTPControl::Copy(pSrc, bRecursive);
}

void CXTPControlSelector::DoPropExchange(CXTPPropExchange* pPX)
{
    CXTPControl::DoPropExchange(pPX);
    ExchangeSize(pPX, "ItemsCount", m_szInitial, CSize(5, 4));
    ExchangeSize(pPX, "ItemsMax", m_szMax, CSize(12, 12));
    ExchangeSize(pPX, "ItemSize", m_szItem, CSize(28, 28));
    if (pPX->IsLoading())
        m_szCurrent = m_szInitial;
}
