// The tab paint manager: appearance and colour set, fonts, the row layout, text fitting and drawing.
#include "CXTPTabPaintManager.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "CXTPColorManager.h"
#include "CXTPDrawHelpers.h"
#include "CXTPFontDC.h"
#include "CXTPTabAppearance.h"
#include "CXTPTabColorSet.h"
#include "CXTPTabManager.h"
#include "CXTSystemData.h"

CXTPTabPaintManager::CXTPTabPaintManager()
{
    SetAppearance(xtpTabAppearanceClassic);
    RefreshMetrics();
}

CXTPTabPaintManager::~CXTPTabPaintManager()
{
    delete m_pColorSet;
    delete m_pAppearanceSet;
    DeleteFonts();
}

void CXTPTabPaintManager::DeleteFonts()
{
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntVerticalNormal.DeleteObject();
    m_fntVerticalBold.DeleteObject();
}

void CXTPTabPaintManager::SetAppearance(int nAppearance)
{
    m_nAppearance = nAppearance;
    CXTPTabAppearance* pAppearance;
    switch (nAppearance) {
    case xtpTabAppearanceHotClassic: pAppearance = new CXTPTabAppearanceHotClassic(); break;
    case xtpTabAppearanceRounded: pAppearance = new CXTPTabAppearanceRounded(); break;
    case xtpTabAppearanceSlanted: pAppearance = new CXTPTabAppearanceSlanted(); break;
    case xtpTabAppearanceFlatButtons: pAppearance = new CXTPTabAppearanceFlatButtons(); break;
    case xtpTabAppearanceRaised: pAppearance = new CXTPTabAppearanceRaised(); break;
    case xtpTabAppearanceBoxed: pAppearance = new CXTPTabAppearanceBoxed(); break;
    case xtpTabAppearanceTrapezoid: pAppearance = new CXTPTabAppearanceTrapezoid(); break;
    case xtpTabAppearanceStacked: pAppearance = new CXTPTabAppearanceStacked(); break;
    default: pAppearance = new CXTPTabAppearanceClassic(); break;
    }
    SetAppearanceSet(pAppearance);
}

void CXTPTabPaintManager::SetAppearanceSet(CXTPTabAppearance* pAppearance)
{
    delete m_pAppearanceSet;
    m_pAppearanceSet = pAppearance;
    pAppearance->SetPaintManager(this);
    pAppearance->RefreshMetrics();
    // Every appearance brings its own colour set; callers wanting another set it afterwards.
    SetColor(pAppearance->GetDefaultColorSet());
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetColor(int nColor)
{
    m_nColor = nColor;
    CXTPTabColorSet* pColorSet;
    switch (nColor) {
    case xtpTabColorSoft: pColorSet = new CXTPTabColorSetSoft(); break;
    case xtpTabColorScheme: pColorSet = new CXTPTabColorSetScheme(); break;
    case xtpTabColorNative: pColorSet = new CXTPTabColorSetNative(); break;
    case xtpTabColorLight: pColorSet = new CXTPTabColorSetLight(); break;
    default: pColorSet = new CXTPTabColorSetDefault(); break;
    }
    SetColorSet(pColorSet);
}

void CXTPTabPaintManager::SetColorSet(CXTPTabColorSet* pColorSet)
{
    delete m_pColorSet;
    m_pColorSet = pColorSet;
    pColorSet->SetPaintManager(this);
    pColorSet->RefreshMetrics();
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetPosition(int nPosition)
{
    m_nPosition = nPosition;
    OnPropertyChanged();
}

void CXTPTabPaintManager::SetLayout(int nLayout)
{
    m_nLayout = nLayout;
    OnPropertyChanged();
}

void CXTPTabPaintManager::AddObserver(CXTPTabPaintObserver* pObserver)
{
    if (std::find(m_arrObservers.begin(), m_arrObservers.end(), pObserver) == m_arrObservers.end())
        m_arrObservers.push_back(pObserver);
}

void CXTPTabPaintManager::RemoveObserver(CXTPTabPaintObserver* pObserver)
{
    m_arrObservers.erase(std::remove(m_arrObservers.begin(), m_arrObservers.end(), pObserver), m_arrObservers.end());
}

void CXTPTabPaintManager::OnPropertyChanged()
{
    // A copy: an observer may detach itself while it is told.
    std::vector<CXTPTabPaintObserver*> observers = m_arrObservers;
    for (CXTPTabPaintObserver* pObserver : observers)
        pObserver->OnPaintManagerChanged();
}

BOOL CXTPTabPaintManager::IsLunaColorsDisabled() const
{
    return m_bDisableLunaColors || GetColorManager()->IsLunaColorsDisabled();
}

void CXTPTabPaintManager::RefreshMetrics()
{
    if (m_bUseStandardFont) {
        LOGFONTA lf = {};
        if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) {
            CXTSystemData::FitCharSet(lf);
            SetFontIndirect(&lf, TRUE);
        }
    }
    m_pColorSet->RefreshMetrics();
    m_pAppearanceSet->RefreshMetrics();
}

void CXTPTabPaintManager::SetFontIndirect(const LOGFONTA* pLogFont, BOOL bUseStandardFont)
{
    m_bUseStandardFont = bUseStandardFont;
    if (!pLogFont)
        return;
    DeleteFonts();
    LOGFONTA lf = *pLogFont;
    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntBold.CreateFontIndirect(&lf);

    // The vertical fonts read downwards in the interface face; tiny heights become -11.
    const CString strFace = CXTPDrawHelpers::GetDefaultFontName();
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    std::strncpy(lf.lfFaceName, strFace, sizeof(lf.lfFaceName) - 1);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    lf.lfWeight = m_bBoldNormal ? FW_BOLD : FW_NORMAL;
    m_fntVerticalNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fntVerticalBold.CreateFontIndirect(&lf);
}

CFont* CXTPTabPaintManager::GetFont(BOOL bBold, BOOL bVertical)
{
    if (bVertical)
        return bBold ? &m_fntVerticalBold : &m_fntVerticalNormal;
    return bBold ? &m_fntBold : &m_fntNormal;
}

CFont* CXTPTabPaintManager::GetItemFont(CXTPTabManagerItem* pItem)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    const BOOL bBold = m_bBoldSelected && pItem->IsSelected() && pManager && pManager->IsActive();
    return GetFont(bBold, !IsHorizontalText());
}

BOOL CXTPTabPaintManager::IsHorizontalText() const
{
    // Stacked bars lie across the control whatever the position.
    return IsHorizontalPosition() || m_nAppearance == xtpTabAppearanceStacked;
}

void CXTPTabPaintManager::DeflateOriented(CRect& rc, const CRect& m, int nPosition)
{
    switch (nPosition) {
    case xtpTabPositionLeft: rc.DeflateRect(m.top, m.left, m.bottom, m.right); break;
    case xtpTabPositionBottom: rc.DeflateRect(m.left, m.bottom, m.right, m.top); break;
    case xtpTabPositionRight: rc.DeflateRect(m.bottom, m.left, m.top, m.right); break;
    default: rc.DeflateRect(m.left, m.top, m.right, m.bottom); break;
    }
}

void CXTPTabPaintManager::DrawTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcControl)
{
    // The DC's depth is asked once and the row's font stays in place for the whole paint:
    // each tab finds both settled instead of asking the display server again.
    CXTPTabColorSet::CPaintScope scope(m_pColorSet, pDC);
    CXTPFontDC font(pDC, GetFont(FALSE, !IsHorizontalText()));
    m_pAppearanceSet->DrawTabControl(pTabManager, pDC, rcControl);
}

void CXTPTabPaintManager::AdjustClientRect(CXTPTabManager* pTabManager, CRect& rcClient)
{
    if (m_bStaticFrame)
        DeflateOriented(rcClient, CRect(2, 1, 2, 2), m_nPosition);
    if (pTabManager->GetItemCount() > 0)
        m_pAppearanceSet->AdjustClientRect(pTabManager, rcClient);
}

void CXTPTabPaintManager::RepositionTabControl(CXTPTabManager* pTabManager, CDC* pDC, CRect rcClient)
{
    pTabManager->m_rcHeaderRect.SetRectEmpty();
    pTabManager->m_rcControl = rcClient;
    pTabManager->m_rcClient = rcClient;
    {
        // The row's font in place while every tab is measured.
        CXTPFontDC font(pDC, GetFont(FALSE, !IsHorizontalText()));
        m_pAppearanceSet->RepositionTabs(pTabManager, pDC, rcClient);
    }
    AdjustClientRect(pTabManager, pTabManager->m_rcClient);
}

CRect CXTPTabPaintManager::RepositionNavigateButtons(CXTPTabManager* pTabManager, CRect rcClient)
{
    CRect rcRow = m_pAppearanceSet->GetHeaderRect(rcClient, pTabManager);
    const CRect rcMargin = m_pAppearanceSet->GetHeaderMargin();
    if (IsHorizontalPosition()) {
        rcRow.left += rcMargin.left + rcMargin.right;
        rcRow.right -= 1;
    } else {
        rcRow.top += rcMargin.left + rcMargin.right;
        rcRow.bottom -= 1;
    }
    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; --i)
        pTabManager->GetNavigateButton(i)->Reposition(rcRow);
    return rcRow;
}

void CXTPTabPaintManager::RepositionTabControlDefault(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    if (m_bStaticFrame)
        DeflateOriented(rc, CRect(2, 1, 2, 2), m_nPosition);
    DeflateOriented(rc, m_rcControlMargin, m_nPosition);

    pTabManager->m_rcHeaderRect = m_pAppearanceSet->GetHeaderRect(rc, pTabManager);
    const int nCount = pTabManager->GetItemCount();
    if (nCount == 0)
        return;
    const CRect rcMargin = m_pAppearanceSet->GetHeaderMargin();
    const int nHeight = m_pAppearanceSet->GetTabHeight(pTabManager);
    const BOOL bHorizontal = IsHorizontalPosition();

    // The band across the row.
    int nBandStart;
    if (bHorizontal)
        nBandStart = m_nPosition == xtpTabPositionBottom ? rc.bottom - rcMargin.top - nHeight : rc.top + rcMargin.top;
    else
        nBandStart = m_nPosition == xtpTabPositionRight ? rc.right - rcMargin.top - nHeight : rc.left + rcMargin.top;

    for (int i = 0; i < nCount; ++i) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        pItem->SetLength(pItem->IsVisible() ? m_pAppearanceSet->GetItemWidth(pDC, pItem) : 0);
    }
    int nAvailable = bHorizontal ? rc.Width() - rcMargin.left - rcMargin.right
                                 : rc.Height() - rcMargin.left - rcMargin.right;
    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; --i)
        pTabManager->GetNavigateButton(i)->AdjustRowLength(nAvailable);
    if (m_nLayout == xtpTabLayoutSizeToFit)
        ShrinkToFit(pTabManager, nAvailable);

    if (pTabManager->m_nScrollDelta < 0) {
        // Scrolled too far after the tabs shrank: take back what is no longer needed.
        const CRect rcRow = RepositionNavigateButtons(pTabManager, rc);
        const int nRowLength = bHorizontal ? rcRow.Width() : rcRow.Height();
        const int nTotal = pTabManager->GetItemsLength();
        if (nTotal + pTabManager->m_nScrollDelta < nRowLength)
            pTabManager->m_nScrollDelta = std::min(0, nRowLength - nTotal);
    }

    int nPos = (bHorizontal ? rc.left : rc.top) + rcMargin.left + pTabManager->m_nScrollDelta;
    for (int i = 0; i < nCount; ++i) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        const int nLength = pItem->GetLength();
        if (bHorizontal)
            pItem->SetRect(CRect(nPos, nBandStart, nPos + nLength, nBandStart + nHeight));
        else
            pItem->SetRect(CRect(nBandStart, nPos, nBandStart + nHeight, nPos + nLength));
        nPos += nLength;
    }

    const CRect rcRow = RepositionNavigateButtons(pTabManager, rc);
    if (bHorizontal)
        pTabManager->m_rcHeaderRect.right = rcRow.right;
    else
        pTabManager->m_rcHeaderRect.bottom = rcRow.bottom;
}

void CXTPTabPaintManager::ShrinkToFit(CXTPTabManager* pTabManager, int nAvailable)
{
    const int nCount = pTabManager->GetItemCount();
    if (nCount == 0 || pTabManager->GetItemsLength() <= nAvailable)
        return;
    if (nCount == 1) {
        pTabManager->GetItem(0)->SetLength(std::max(0, nAvailable));
        return;
    }
    std::vector<int> lengths(nCount);
    for (int i = 0; i < nCount; ++i)
        lengths[i] = pTabManager->GetItem(i)->GetLength();
    // Longest first; equal lengths keep their order in the row.
    std::vector<int> order(nCount);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&lengths](int a, int b) { return lengths[a] > lengths[b]; });

    int nExcess = std::accumulate(lengths.begin(), lengths.end(), 0) - nAvailable;
    int k = 1;
    for (;;) {
        while (k < nCount && lengths[order[k]] == lengths[order[0]])
            ++k;
        std::vector<int> group(order.begin(), order.begin() + k);
        std::sort(group.begin(), group.end());  // row order: odd pixels go to the first tabs
        if (k == nCount) {
            // All tabs alike: share the room, the first tabs one pixel more.
            const int nShare = nAvailable / nCount, nRest = nAvailable % nCount;
            for (int j = 0; j < nCount; ++j)
                lengths[group[j]] = std::max(0, nShare + (j < nRest ? 1 : 0));
            break;
        }
        const int nLength = lengths[order[0]], nNext = lengths[order[k]];
        const int nAbsorb = k * (nLength - nNext);
        if (nAbsorb < nExcess) {
            for (int j : group)
                lengths[j] = nNext;
            nExcess -= nAbsorb;
            continue;
        }
        const int nLoss = nExcess / k, nRest = nExcess % k;
        for (int j = 0; j < k; ++j)
            lengths[group[j]] = nLength - nLoss - (j < nRest ? 1 : 0);
        break;
    }
    for (int i = 0; i < nCount; ++i)
        pTabManager->GetItem(i)->SetLength(lengths[i]);
}

int CXTPTabPaintManager::ClampItemLength(int nLength, int nMin, int nMax) const
{
    nLength += m_rcButtonMargin.left + m_rcButtonMargin.right;
    if (nMin > 0 && nLength < nMin)
        nLength = nMin;
    if (nMax > 0 && nLength > nMax)
        nLength = nMax;
    return nLength;
}

CString CXTPTabPaintManager::StripMnemonics(const CString& strText)
{
    CString strResult;
    const int nLength = strText.GetLength();
    for (int i = 0; i < nLength; ++i) {
        const char ch = strText[i];
        if (ch != '&') {
            strResult += ch;
        } else if (i + 1 < nLength && strText[i + 1] == '&') {
            strResult += '&';
            ++i;
        }
    }
    return strResult;
}

int CXTPTabPaintManager::GetTextWidth(CDC* pDC, const CString& strText, UINT nFormat) const
{
    const CString strMeasured = (nFormat & DT_NOPREFIX) ? strText : StripMnemonics(strText);
    SIZE size = {};
    ::GetTextExtentPoint32A(*pDC, strMeasured, strMeasured.GetLength(), &size);
    return size.cx;
}

CString CXTPTabPaintManager::GetMiddleEllipsisText(CDC* pDC, const CString& strText, int nAvailable,
                                                   UINT nFormat) const
{
    const int nEllipsis = GetTextWidth(pDC, "...", nFormat);
    const int nWidth = GetTextWidth(pDC, strText, nFormat);
    if (nWidth <= nAvailable)
        return strText;
    if (nAvailable <= nEllipsis)
        return "...";
    const int nRoom = nAvailable - nEllipsis;
    const int nLength = strText.GetLength();
    int n = static_cast<int>(static_cast<long long>(nLength) * nRoom / nWidth);
    auto partsWidth = [&](int count) {
        return GetTextWidth(pDC, strText.Left(count - count / 2) + strText.Right(count / 2), nFormat);
    };
    while (n < nLength && partsWidth(n) < nRoom)
        ++n;
    while (n > 0 && partsWidth(n) > nRoom)
        --n;
    return strText.Left(n - n / 2) + "..." + strText.Right(n / 2);
}

void CXTPTabPaintManager::DrawTextMiddleEllipsis(CDC* pDC, const CString& strText, CRect rc, UINT nFormat)
{
    // Paths keep their file name: the system shortens them in the middle of the folders.
    if (strText.Find('\\') >= 0)
        pDC->DrawText(strText, rc, nFormat | DT_PATH_ELLIPSIS);
    else
        pDC->DrawText(GetMiddleEllipsisText(pDC, strText, rc.Width(), nFormat), rc, nFormat);
}

int CXTPTabPaintManager::DrawTabText(CDC* pDC, CXTPTabManagerItem* pItem, CRect rcItem, BOOL bDraw)
{
    CXTPTabManager* pManager = pItem->GetTabManager();
    const BOOL bHorizontal = IsHorizontalText();
    CXTPFontDC font(pDC, GetItemFont(pItem));

    CSize szIcon = m_szIcon;
    const BOOL bIcon = pManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
    const int nIconPart = bIcon ? (bHorizontal ? szIcon.cx : szIcon.cy) + 2 : 0;
    const UINT nPrefix = m_bDrawTextNoPrefix ? DT_NOPREFIX : 0;

    if (!bDraw) {
        CSize szDefault, szMin, szMax;
        pManager->GetItemMetrics(&szDefault, &szMin, &szMax);
        auto captionWidth = [&](CXTPTabManagerItem* p) {
            // Measured along the baseline, which turned fonts keep too.
            if (bHorizontal) {
                CRect rcText(0, 0, 0, 0);
                pDC->DrawText(p->GetCaption(), rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | nPrefix);
                return rcText.Width();
            }
            return GetTextWidth(pDC, p->GetCaption(), nPrefix);
        };
        switch (m_nLayout) {
        case xtpTabLayoutFixed:
            return ClampItemLength(szDefault.cx, szMin.cx, szMax.cx);
        case xtpTabLayoutCompressed:
            if (!pItem->IsSelected())
                return ClampItemLength(nIconPart + 8, szMin.cx, szMax.cx);
            else {
                int nWidest = 0;
                for (int i = 0; i < pManager->GetItemCount(); ++i)
                    nWidest = std::max(nWidest, captionWidth(pManager->GetItem(i)));
                return ClampItemLength(nWidest + nIconPart + 12, szMin.cx, szMax.cx);
            }
        default:
            return ClampItemLength(captionWidth(pItem) + nIconPart + 12, szMin.cx, szMax.cx);
        }
    }

    m_pColorSet->SetTextColor(pDC, pItem);
    const int nNear = bHorizontal ? rcItem.left : rcItem.top;
    const int nFar = (bHorizontal ? rcItem.right : rcItem.bottom) - 2 - m_rcButtonMargin.right;
    int nPos = nNear + m_rcButtonMargin.left + 6;
    const int nIconSize = bHorizontal ? szIcon.cx : szIcon.cy;
    if (bIcon && (bHorizontal ? rcItem.right : rcItem.bottom) - nPos > nIconSize) {
        CPoint pt = bHorizontal ? CPoint(nPos, (rcItem.top + rcItem.bottom - szIcon.cy) / 2)
                                : CPoint((rcItem.left + rcItem.right - szIcon.cx) / 2, nPos);
        pManager->DrawIcon(pDC, pt, pItem, TRUE, szIcon);
        nPos += nIconSize + 2;
    }
    if (m_nLayout == xtpTabLayoutCompressed && !pItem->IsSelected())
        return 0;
    CString strCaption = pItem->GetCaption();
    if (bHorizontal) {
        if (nFar <= nPos)
            return 0;
        CRect rcText(nPos, rcItem.top, nFar, rcItem.bottom);
        const UINT nFormat = DT_VCENTER | DT_SINGLELINE | nPrefix;
        if (m_bMiddleEllipsis)
            DrawTextMiddleEllipsis(pDC, strCaption, rcText, nFormat);
        else
            pDC->DrawText(strCaption, rcText, nFormat | DT_END_ELLIPSIS);
        return 0;
    }
    if (nFar - nPos <= 8)
        return 0;
    // Vertical text is always drawn without mnemonics, from the top down, centred across the row.
    if (!m_bDrawTextNoPrefix)
        strCaption = StripMnemonics(strCaption);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(*pDC, &tm);
    const int x = (rcItem.left + rcItem.right + tm.tmHeight) / 2;
    CString strShown = strCaption;
    if (m_bMiddleEllipsis)
        strShown = GetMiddleEllipsisText(pDC, strCaption, nFar - nPos, DT_NOPREFIX);
    else if (GetTextWidth(pDC, strCaption, DT_NOPREFIX) > nFar - nPos)
        strShown = GetEndEllipsisText(pDC, strCaption, nFar - nPos);
    // Clipped by the call rather than by a saved DC: restoring one selects the font again.
    const CRect rcText(rcItem.left, nPos, rcItem.right, nFar);
    pDC->ExtTextOut(x, nPos, ETO_CLIPPED, rcText, strShown, strShown.GetLength(), nullptr);
    return 0;
}

CString CXTPTabPaintManager::GetEndEllipsisText(CDC* pDC, const CString& strText, int nAvailable) const
{
    for (int n = strText.GetLength() - 1; n > 0; --n) {
        const CString strShown = strText.Left(n) + "...";
        if (GetTextWidth(pDC, strShown, DT_NOPREFIX) <= nAvailable)
            return strShown;
    }
    return "...";
}

void CXTPTabPaintManager::EnsureVisible(CXTPTabManager* pTabManager, CXTPTabManagerItem* pItem)
{
    const CRect rcHeader = pTabManager->m_rcHeaderRect;
    const CRect rcItem = pItem->GetRect();
    if (rcHeader.IsRectEmpty() || rcItem.IsRectEmpty())
        return;
    const int nOffset = pTabManager->GetScrollOffset();
    const int nMargin = m_pAppearanceSet->GetHeaderMargin().left;
    const BOOL bHorizontal = IsHorizontalPosition();
    const int nItemNear = bHorizontal ? rcItem.left : rcItem.top;
    const int nItemFar = bHorizontal ? rcItem.right : rcItem.bottom;
    const int nHeaderNear = bHorizontal ? rcHeader.left : rcHeader.top;
    const int nHeaderFar = bHorizontal ? rcHeader.right : rcHeader.bottom;
    if (nItemNear < nHeaderNear)
        pTabManager->SetScrollOffset(nMargin + (nOffset - nItemNear) + nHeaderNear);
    else if (nItemFar > nHeaderFar)
        pTabManager->SetScrollOffset(nOffset - nItemFar + nHeaderFar);
}

void CXTPTabPaintManager::DrawNavigateButton(CDC* pDC, CXTPTabManagerNavigateButton* pButton, CRect& rc)
{
    m_pColorSet->FillNavigateButton(pDC, pButton, rc);
}

void CXTPTabPaintManager::DrawTabControlDefault(CXTPTabManager* pTabManager, CDC* pDC, CRect rc)
{
    if (m_bStaticFrame) {
        rc.DeflateRect(1, 1, 1, 1);
        pDC->Draw3dRect(rc, m_pColorSet->m_clrFrameBorder, m_pColorSet->m_clrFrameBorder);
        DeflateOriented(rc, CRect(1, 0, 1, 1), m_nPosition);
        pDC->Draw3dRect(rc, m_pColorSet->m_clrHeaderFace.clrLight, m_pColorSet->m_clrHeaderFace.clrLight);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(rc, m_pColorSet->m_clrHeaderFace.clrLight);
    DeflateOriented(rc, m_rcControlMargin, m_nPosition);
    pDC->SetBkMode(TRANSPARENT);
    const CRect rcHeader = m_bFillBackground ? m_pAppearanceSet->FillTabControl(pTabManager, pDC, rc)
                                             : m_pAppearanceSet->GetHeaderRect(rc, pTabManager);

    // The tabs are clipped before the navigation buttons.
    CRect rcClip = rcHeader;
    const BOOL bHorizontal = IsHorizontalPosition();
    for (int i = 0; i < pTabManager->GetNavigateButtonCount(); ++i) {
        const CRect rcButton = pTabManager->GetNavigateButton(i)->GetRect();
        if (rcButton.IsRectEmpty())
            continue;
        if (bHorizontal)
            rcClip.right = std::min(rcClip.right, rcButton.left);
        else
            rcClip.bottom = std::min(rcClip.bottom, rcButton.top);
    }
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rcClip);
    m_pColorSet->ExcludeClientCorner(pDC, pTabManager, pTabManager->m_rcClient);

    // Tabs that cannot touch the clip are not drawn. A tab's shape reaches past its rectangle
    // by less than its thickness along the row and by two pixels across it.
    CRect rcPaint;
    pDC->GetClipBox(&rcPaint);
    auto touchesClip = [&](CXTPTabManagerItem* pItem) {
        CRect rcReach = pItem->GetRect(), rcMeet;
        if (bHorizontal)
            rcReach.InflateRect(rcReach.Height(), 2);
        else
            rcReach.InflateRect(2, rcReach.Width());
        return rcMeet.IntersectRect(rcReach, rcPaint) != FALSE;
    };
    CXTPTabManagerItem* pSelected = nullptr;
    for (int i = pTabManager->GetItemCount() - 1; i >= 0; --i) {
        CXTPTabManagerItem* pItem = pTabManager->GetItem(i);
        CRect rcItem = pItem->GetRect(), rcMeet;
        if (!pItem->IsVisible() || !rcMeet.IntersectRect(rcItem, rc))
            continue;
        if (pItem->IsSelected())
            pSelected = pItem;
        if (touchesClip(pItem))
            m_pAppearanceSet->DrawSingleTab(pDC, pItem);
    }
    // The selected tab lies on top of its neighbours.
    if (pSelected && touchesClip(pSelected))
        m_pAppearanceSet->DrawSingleTab(pDC, pSelected);
    pDC->RestoreDC(nSaved);

    for (int i = pTabManager->GetNavigateButtonCount() - 1; i >= 0; --i)
        pTabManager->GetNavigateButton(i)->Draw(pDC);
}
