// The grid picker: growing under a drag up to its maximum with a notification per change, the
// fresh start when selected, the click, and sizes from a file that could not be used.
#include "CXTPControlSelector.h"

#include <gtest/gtest.h>

#include <vector>

#include "../CommandBarsFixture.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchangeXMLNode.h"
#include "ExchangeFixture.h"

namespace {

// A window recording the execute messages it gets: (wParam, code, control).
class RecordingSite : public CWnd {
public:
    struct Record {
        WPARAM wParam;
        UINT code;
        CXTPControl* pControl;
    };
    std::vector<Record> m_records;

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_CMDBARS_EXECUTE && lParam) {
            auto* pRecord = reinterpret_cast<NMXTPCONTROL*>(lParam);
            m_records.push_back({wParam, pRecord->hdr.code, pRecord->pControl});
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class Selector : public CommandBarsFixture {
protected:
    void SetUp() override
    {
        CommandBarsFixture::SetUp();
        ASSERT_TRUE(m_site.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        m_pPopup = CXTPPopupBar::CreatePopupBar(frame->Bars());
        m_pPopup->SetSiteWnd(&m_site);
        m_pSelector = static_cast<CXTPControlSelector*>(m_pPopup->GetControls()->AddControl(new CXTPControlSelector, 500));
        m_pSelector->SetRect(CRect(CPoint(10, 10), m_pSelector->GetSize(nullptr)));
    }
    void TearDown() override
    {
        m_pPopup->InternalRelease();
        m_site.DestroyWindow();
        CommandBarsFixture::TearDown();
    }

    // The point inside cell (column, row), counted from 1.
    static CPoint Cell(int nColumn, int nRow) { return CPoint(10 + nColumn * 28 - 14, 10 + nRow * 28 - 14); }

    RecordingSite m_site;
    CXTPPopupBar* m_pPopup = nullptr;
    CXTPControlSelector* m_pSelector = nullptr;
};

TEST_F(Selector, TheGridGrowsUnderADragUpToItsMaximumAndEachChangeIsReported)
{
    EXPECT_EQ(CSize(5 * 28, 4 * 28), m_pSelector->GetSize(nullptr));
    const struct {
        CPoint pt;
        BOOL bButton;
        CSize current;
        CSize selected;
    } steps[] = {
        {Cell(2, 3), FALSE, {5, 4}, {2, 3}},
        {Cell(2, 3), FALSE, {5, 4}, {2, 3}},   // no change, no report
        {Cell(7, 3), FALSE, {5, 4}, {5, 3}},   // beyond the edge without the button: clamped
        {Cell(7, 3), TRUE, {7, 4}, {7, 3}},    // with it the grid grows to the cell
        {Cell(9, 6), TRUE, {9, 6}, {9, 6}},
        {Cell(30, 40), TRUE, {12, 12}, {12, 12}},
        {Cell(1, 1), TRUE, {12, 12}, {1, 1}},  // it never shrinks under the drag
    };
    size_t nReports = 0;
    for (const auto& s : steps) {
        const CSize before = m_pSelector->GetSelectedItems();
        m_pSelector->SetRect(CRect(CPoint(10, 10), m_pSelector->GetSize(nullptr)));
        m_pSelector->TrackMouse(s.pt, s.bButton);
        EXPECT_EQ(s.current, m_pSelector->GetCurrent()) << s.pt.x << "," << s.pt.y;
        EXPECT_EQ(s.selected, m_pSelector->GetSelectedItems()) << s.pt.x << "," << s.pt.y;
        if (before != s.selected)
            nReports++;
        ASSERT_EQ(nReports, m_site.m_records.size()) << s.pt.x << "," << s.pt.y;
    }
    for (const auto& r : m_site.m_records) {
        EXPECT_EQ(500u, r.wParam);
        EXPECT_EQ(static_cast<UINT>(XTP_SELECTOR_CHANGED), r.code);
        EXPECT_EQ(m_pSelector, r.pControl);
    }
}

TEST_F(Selector, SelectingStartsAfreshAndAClickTakesTheSelection)
{
    m_pSelector->TrackMouse(Cell(8, 2), TRUE);
    m_site.m_records.clear();
    m_pSelector->OnSetSelected(xtpSelectedByMouse);
    EXPECT_EQ(CSize(5, 4), m_pSelector->GetCurrent());
    EXPECT_EQ(CSize(0, 0), m_pSelector->GetSelectedItems());
    EXPECT_EQ(1u, m_site.m_records.size()) << "reported though nothing changed";

    m_site.m_records.clear();
    m_pSelector->OnClick(FALSE, Cell(1, 1));
    EXPECT_TRUE(m_site.m_records.empty()) << "no selection, no command";

    m_pSelector->TrackMouse(Cell(3, 2), FALSE);
    m_site.m_records.clear();
    m_pSelector->OnClick(FALSE, Cell(3, 2));
    EXPECT_EQ(CSize(3, 2), m_pSelector->GetChosenItems());
    ASSERT_EQ(1u, m_site.m_records.size());
    EXPECT_EQ(static_cast<UINT>(CBN_XTP_EXECUTE), m_site.m_records[0].code);
}

TEST(SelectorSizes, SizesBelowOneFromAFileKeepTheDefaults)
{
    const struct {
        const wchar_t* xml;
        CSize count, max, item;
    } cases[] = {
        {L"<C CompactMode='1' ItemsCount='3, 2' ItemsMax='8, 9' ItemSize='20, 18'/>", {3, 2}, {8, 9}, {20, 18}},
        {L"<C CompactMode='1' ItemSize='0, 0'/>", {5, 4}, {12, 12}, {28, 28}},
        {L"<C CompactMode='1' ItemsCount='-1, 6' ItemsMax='0, 3' ItemSize='16, -5'/>", {5, 6}, {12, 3}, {16, 28}},
    };
    for (const auto& c : cases) {
        CXmlPtr<IXMLDOMDocument> document = ParseXml(c.xml);
        CXTPPropExchangeXMLNode px(TRUE, document.Get(), "C");
        CXTPControlSelector selector;
        selector.DoPropExchange(&px);
        EXPECT_EQ(c.count, selector.GetItemsCount());
        EXPECT_EQ(c.max, selector.GetItemsMax());
        EXPECT_EQ(c.item, selector.GetItemSize());
        // A grid of usable cells: the pointer finds its cell without dividing by zero.
        selector.SetRect(CRect(CPoint(0, 0), selector.GetSize(nullptr)));
        selector.TrackMouse(CPoint(1, 1), TRUE);
        EXPECT_EQ(CSize(1, 1), selector.GetSelectedItems());
    }
    // Copies carry the three sizes.
    CXTPControlSelector source;
    source.SetItemsCount(CSize(2, 2));
    source.SetItemsMax(CSize(6, 6));
    source.SetItemSize(CSize(10, 12));
    CXTPControl* pClone = source.Clone();
    auto* pCopy = dynamic_cast<CXTPControlSelector*>(pClone);
    ASSERT_NE(nullptr, pCopy);
    EXPECT_EQ(CSize(2, 2), pCopy->GetItemsCount());
    EXPECT_EQ(CSize(6, 6), pCopy->GetItemsMax());
    EXPECT_EQ(CSize(10, 12), pCopy->GetItemSize());
    pClone->InternalRelease();
}

}  // namespace
