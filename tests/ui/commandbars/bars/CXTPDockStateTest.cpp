// The dock state: the rows of the dock bars as written and read (separators, unknown and
// repeated ids, counts beyond reason), the bar records by version, client sizes of dialog bars,
// floating bars saved off every monitor, and a saved layout put back.
#include "CXTPDockState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../CommandBarsFixture.h"
#include "CXTPDialogBar.h"
#include "CXTPDockBar.h"
#include "CXTPPropExchangeXMLNode.h"
#include "CXTPToolBar.h"
#include "ExchangeFixture.h"

namespace {

// A frame with dock bars and toolbars 101 "A", 102 "B" and dialog bar 103 "C", all floating.
// A dock bar closes each row with a separator: one row is {0, id, 0}.
class DockState : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CXTPFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        Bars()->EnableDocking();
        const char* names[] = {"A", "B"};
        for (int i = 0; i < 2; i++) {
            CXTPToolBar* pBar = Bars()->Add(names[i], xtpBarFloating);
            ASSERT_NE(nullptr, pBar);
            pBar->SetBarID(101 + static_cast<UINT>(i));
        }
        CXTPToolBar* pDialog = Bars()->Add("C", xtpBarFloating, RUNTIME_CLASS(CXTPDialogBar));
        ASSERT_NE(nullptr, pDialog);
        pDialog->SetBarID(103);
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    CXTPCommandBars* Bars() const { return m_pFrame->GetCommandBars(); }
    CXTPToolBar* Bar(UINT nId) const { return static_cast<CXTPToolBar*>(Bars()->GetToolBar(nId)); }
    std::vector<UINT> TopIds() const
    {
        std::vector<UINT> ids;
        CXTPDockBar* pTop = Bars()->GetDockBar(0);
        for (int i = 0; i < pTop->GetCount(); i++)
            ids.push_back(pTop->GetAt(i) ? pTop->GetAt(i)->GetBarID() : 0);
        return ids;
    }

    CXTPFrameWnd* m_pFrame = nullptr;
};

// The entries of a saved top dock bar, read back from the file.
std::vector<long> SavedTopIds(const std::string& path)
{
    CXTPPropExchangeXMLNode px(TRUE, nullptr, "Layout");
    EXPECT_TRUE(px.LoadFromFile(path.c_str()));
    CXTPPropExchangeSection dockBars(px.GetSection("DockBars"));
    CXTPPropExchangeSection top(dockBars->GetSection("DockBar0"));
    long nCount = -1;
    PX_LongDefault(top, "Count", nCount, 0);
    std::vector<long> ids{nCount};
    for (long i = 0; i < nCount; i++) {
        long nId = -1;
        PX_LongDefault(top, ("Id" + std::to_string(i)).c_str(), nId, 0);
        ids.push_back(nId);
    }
    return ids;
}

TEST_F(DockState, RowsAreWrittenWithOneSeparatorBetweenThem)
{
    const std::string path = TempFilePath("dockbars.xml");
    Bar(101)->SetPosition(xtpBarTop);
    auto save = [&] {
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Layout");
        CXTPPropExchangeSection dockBars(px.GetSection("DockBars"));
        CXTPDockState::ExchangeDockBars(dockBars, Bars());
        EXPECT_EQ(S_OK, px.SaveToFile(path.c_str()));
    };
    save();
    EXPECT_EQ((std::vector<long>{2, 0, 101}), SavedTopIds(path)) << "count, then the entries";

    CXTPDockBar* pTop = Bars()->GetDockBar(0);
    pTop->PlaceBarAt(pTop->GetCount(), nullptr);
    pTop->PlaceBarAt(pTop->GetCount(), nullptr);
    pTop->PlaceBarAt(pTop->GetCount(), Bar(102));
    save();
    EXPECT_EQ((std::vector<long>{4, 0, 101, 0, 102}), SavedTopIds(path)) << "two separators as one";
    ::DeleteFileA(path.c_str());
}

TEST_F(DockState, RowsReadBackPlaceEachKnownBarOnceBetweenSingleSeparators)
{
    const struct {
        const wchar_t* xml;
        std::vector<UINT> top;
    } cases[] = {
        {L"<L CompactMode='1'><DockBar0 Count='4' Id0='0' Id1='101' Id2='0' Id3='102'/></L>", {0, 101, 0, 102, 0}},
        {L"<L CompactMode='1'><DockBar0 Count='5' Id0='0' Id1='101' Id2='0' Id3='0' Id4='102'/></L>", {0, 101, 0, 102, 0}},
        {L"<L CompactMode='1'><DockBar0 Count='3' Id0='0' Id1='999' Id2='101'/></L>", {0, 101, 0}},
        {L"<L CompactMode='1'><DockBar0 Count='5' Id0='0' Id1='101' Id2='0' Id3='101' Id4='102'/></L>", {0, 101, 0, 102, 0}},
        {L"<L CompactMode='1'><DockBar0 Count='2000000000' Id0='0' Id1='102'/></L>", {0, 102, 0}},
        {L"<L CompactMode='1'><DockBar0 Count='1' Id0='101'/></L>", {0}},
    };
    for (const auto& c : cases) {
        Bars()->FloatCommandBar(Bar(101));
        Bars()->FloatCommandBar(Bar(102));
        ASSERT_EQ(std::vector<UINT>{0}, TopIds());
        CXmlPtr<IXMLDOMDocument> document = ParseXml(c.xml);
        CXTPPropExchangeXMLNode px(TRUE, document.Get(), "L");
        CXTPDockState::ExchangeDockBars(&px, Bars());
        EXPECT_EQ(c.top, TopIds()) << &c - cases;
        for (UINT nId : c.top) {
            if (nId)
                EXPECT_EQ(xtpBarTop, Bar(nId)->GetPosition()) << nId;
        }
    }
}

TEST(DockStateRecords, DialogBarKeysAreReadFromVersionSevenOn)
{
    const struct {
        const wchar_t* xml;
        BOOL bDialogBar;
        CSize docking;
    } cases[] = {
        {L"<S CompactMode='1' Version='6' Count='1'><BarInfo0 BarId='5' MRUWidth='40' DialogBar='1' "
         L"DialogBarDockingClientSize='300, 120'/></S>",
         FALSE, {200, 200}},
        {L"<S CompactMode='1' Version='7' Count='1'><BarInfo0 BarId='5' MRUWidth='40' DialogBar='1' "
         L"DialogBarDockingClientSize='300, 120'/></S>",
         TRUE, {300, 120}},
    };
    for (const auto& c : cases) {
        CXmlPtr<IXMLDOMDocument> document = ParseXml(c.xml);
        CXTPPropExchangeXMLNode px(TRUE, document.Get(), "S");
        CXTPDockState state;
        state.DoPropExchange(&px);
        ASSERT_EQ(1, state.GetCount());
        EXPECT_EQ(5u, state.GetAt(0)->m_nBarID);
        EXPECT_EQ(40, state.GetAt(0)->m_nMRUWidth);
        EXPECT_TRUE(state.GetAt(0)->m_bVisible) << "missing keys take their defaults";
        EXPECT_EQ(c.bDialogBar, state.GetAt(0)->m_bDialogBar);
        EXPECT_EQ(c.docking, state.GetAt(0)->m_szDialogBarDockingClient);
        EXPECT_EQ(CXTPDockState::kVersion, state.m_nVersion);
    }
}

TEST_F(DockState, ALayoutSavedComesBackWithDialogBarSizesKeptToTheMinimum)
{
    auto* pDialog = static_cast<CXTPDialogBar*>(Bar(103));
    pDialog->SetFloatingClientSize(CSize(240, 130));
    Bar(101)->SetPosition(xtpBarTop);
    Bar(102)->SetVisible(FALSE);
    Bar(103)->SetVisible(TRUE);
    Bar(103)->SetWindowPos(nullptr, 300, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CXTPDockState saved;
    saved.SaveState(Bars());
    ASSERT_EQ(3, saved.GetCount());
    EXPECT_EQ(CPoint(300, 260), saved.GetAt(2)->m_pointPos);
    EXPECT_TRUE(saved.GetAt(2)->m_bDialogBar);

    // Changed since, then put back.
    pDialog->SetFloatingClientSize(CSize(400, 400));
    Bar(103)->SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Bar(102)->SetVisible(TRUE);
    saved.LoadState(Bars());
    CRect rc;
    Bar(103)->GetWindowRect(&rc);
    EXPECT_EQ(CPoint(300, 260), rc.TopLeft());
    EXPECT_EQ(CSize(240, 130), pDialog->GetFloatingClientSize());
    EXPECT_FALSE(Bar(102)->IsVisible());
    EXPECT_TRUE(Bar(103)->IsVisible());

    // Client sizes from a file below the minimum are raised to it.
    saved.GetAt(2)->m_szDialogBarFloatingClient = CSize(10, 0);
    saved.GetAt(2)->m_szDialogBarDockingClient = CSize(-3, 70);
    saved.LoadState(Bars());
    EXPECT_EQ(CSize(50, 50), pDialog->GetFloatingClientSize());
    EXPECT_EQ(CSize(50, 70), pDialog->GetDockingClientSize());

    // A floating bar saved on a monitor that is gone comes back onto the screen.
    saved.GetAt(2)->m_pointPos = CPoint(5000, 4000);
    saved.LoadState(Bars());
    Bar(103)->GetWindowRect(&rc);
    CRect rcScreen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    CRect rcBoth;
    EXPECT_TRUE(rcBoth.IntersectRect(&rc, &rcScreen)) << rc.left << "," << rc.top;
    EXPECT_EQ(CRect(40, 50, 140, 90), CXTPDockState::KeepOnScreen(CRect(40, 50, 140, 90))) << "visible: as saved";
}

}  // namespace
