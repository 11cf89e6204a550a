// The command-bar status bar: indicators added and removed at run time, pane windows that follow their
// panes, the grip room, the destruction of pane windows, painting through the paint manager, prompts.
#include "CXTPStatusBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../base/drawing/DibCanvas.h"
#include "../CommandBarsFixture.h"
#include "AfxResource.h"
#include "CProgressCtrl.h"
#include "CXTPPaintManager.h"
#include "ResourceIds.h"

namespace {

// ID_PROGRESS_PANE: the program's progress pane, whose string "PROG" sizes it.
const UINT ID_NO_STRING = 62610;      // an id without a string
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A pane window that tells when it is deleted and what it was asked to draw.
class RecordingPane : public CXTPStatusBarBasePane {
public:
    explicit RecordingPane(bool* pDeleted = nullptr) : m_pDeleted(pDeleted) {}
    ~RecordingPane() override
    {
        if (m_pDeleted)
            *m_pDeleted = true;
    }
    int m_nDraws = 0;
    CRect m_rcDrawn;
    COLORREF m_clrGround = 0;

protected:
    void DrawContent(CDC* pDC, CRect rc) override
    {
        m_nDraws++;
        m_rcDrawn = rc;
        m_clrGround = pDC->GetPixel(rc.left, rc.top);
    }

private:
    bool* m_pDeleted;
};

// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

std::vector<UINT> Ids(const CXTPStatusBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); i++)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

std::vector<std::string> Texts(const CXTPStatusBar& bar)
{
    std::vector<std::string> texts;
    for (int i = 0; i < bar.GetCount(); i++)
        texts.push_back(static_cast<const char*>(bar.GetPaneText(i)));
    return texts;
}

class StatusBar : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        frame = new CXTPFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Status bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 340)));
        frame->InitCommandBars(RUNTIME_CLASS(TestCommandBars));
        PumpFor(50);
    }
    static void TearDownTestSuite()
    {
        frame->DestroyWindow();
        frame = nullptr;
        PumpFor(20);
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, frame);
        frame->SetWindowPos(nullptr, 0, 0, 600, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        bar = new CXTPStatusBar;
        ASSERT_TRUE(bar->Create(frame));
        ASSERT_TRUE(bar->SetIndicators(kIndicators, 4));
        frame->RecalcLayout();
    }
    void TearDown() override
    {
        delete bar;
        CWnd::DeleteTempMap();
    }

    // The application's progress pane: "PROG" at 1, 150 wide, without borders, holding a progress bar.
    CProgressCtrl* AddProgressPane(UINT nStyle = SBPS_NOBORDERS)
    {
        EXPECT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 1));
        bar->SetPaneWidth(1, 150);
        bar->SetPaneStyle(1, nStyle);
        auto* pProgress = new CProgressCtrl;
        EXPECT_TRUE(pProgress->Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(0, 0, 0, 0), bar, 1));
        pProgress->SetRange32(0, 100000);
        EXPECT_TRUE(bar->AddControl(pProgress, ID_PROGRESS_PANE, TRUE));
        return pProgress;
    }

    CRect ItemRect(int nIndex) const
    {
        CRect rc;
        bar->GetItemRect(nIndex, &rc);
        return rc;
    }

    // A frame like the application's: command bars, and the status bar along its bottom.
    static CXTPFrameWnd* frame;
    CXTPStatusBar* bar = nullptr;
};

CXTPFrameWnd* StatusBar::frame = nullptr;

TEST_F(StatusBar, TheProgressPaneAtOneHoldsItsWindowThroughResizes)
{
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    const struct {
        const char* name;
        UINT nStyle;
        CRect rcInset;  // of the window inside the pane
    } cases[] = {
        {"no borders", SBPS_NOBORDERS, CRect(0, 0, 0, 0)},
        {"bordered", SBPS_NORMAL, CRect(cxEdge, cyEdge, cxEdge, cyEdge)},
    };
    for (const auto& c : cases) {
        CProgressCtrl* pProgress = AddProgressPane(c.nStyle);
        EXPECT_EQ(1, bar->CommandToIndex(ID_PROGRESS_PANE)) << c.name;
        EXPECT_EQ(5, bar->GetCount()) << c.name;
        UINT nID = 0, nStyle = 0;
        int cxWidth = 0;
        bar->GetPaneInfo(1, nID, nStyle, cxWidth);
        EXPECT_EQ(150, cxWidth) << c.name;
        EXPECT_EQ("", std::string(bar->GetPaneText(1))) << c.name << ": the new pane starts empty";
        int nLastLeft = -1;
        for (int cx : {600, 760, 480}) {
            frame->SetWindowPos(nullptr, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            CRect rcExpected = ItemRect(1);
            rcExpected.DeflateRect(c.rcInset.left, c.rcInset.top, c.rcInset.right, c.rcInset.bottom);
            EXPECT_EQ(rcExpected, RectInParent(pProgress->m_hWnd)) << c.name << " at width " << cx;
            EXPECT_NE(nLastLeft, rcExpected.left) << c.name << ": the stretching first pane moves the pane";
            nLastLeft = rcExpected.left;
        }
        ASSERT_TRUE(bar->RemoveIndicator(ID_PROGRESS_PANE)) << c.name;
    }
}

TEST_F(StatusBar, AddIndicatorRefusesADuplicateIdOrAnIndexPastTheCountAndLeavesTheBar)
{
    bar->SetPaneText(2, "on");
    const std::vector<UINT> ids = Ids(*bar);
    const std::vector<std::string> texts = Texts(*bar);
    const struct {
        const char* name;
        UINT nID;
        int nIndex;
    } refused[] = {
        {"id already there", ID_INDICATOR_NUM, 1},
        {"index past the count", ID_PROGRESS_PANE, 5},
        {"negative index", ID_PROGRESS_PANE, -1},
        {"id without a string", ID_NO_STRING, 1},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(bar->AddIndicator(c.nID, c.nIndex)) << c.name;
        EXPECT_EQ(ids, Ids(*bar)) << c.name;
        EXPECT_EQ(texts, Texts(*bar)) << c.name;
    }
    // The count itself appends.
    ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 4));
    EXPECT_EQ(ID_PROGRESS_PANE, bar->GetItemID(4));
    EXPECT_EQ("on", std::string(bar->GetPaneText(2)));
}

TEST_F(StatusBar, AddingAndRemovingPanesKeepsTheOthersTextWidthAndStyle)
{
    struct Pane {
        int cxWidth;
        UINT nStyle;
        const char* text;
    };
    const Pane panes[] = {{210, SBPS_STRETCH | SBPS_NOBORDERS, "Saving"},
                          {31, SBPS_POPOUT, "c"},
                          {47, SBPS_DISABLED, "n"},
                          {52, SBPS_NORMAL, "s"}};
    for (int i = 0; i < 4; i++) {
        UINT nID = bar->GetItemID(i);
        bar->SetPaneInfo(i, nID, panes[i].nStyle, panes[i].cxWidth);
        bar->SetPaneText(i, panes[i].text);
    }
    auto expectKept = [&](const char* step, std::vector<UINT> ids) {
        ASSERT_EQ(ids, Ids(*bar)) << step;
        for (int i = 0; i < 4; i++) {
            const int nIndex = bar->CommandToIndex(kIndicators[i]);
            CXTPStatusBar::PaneInfo info;
            ASSERT_TRUE(bar->GetPaneInfoEx(nIndex, info)) << step;
            EXPECT_EQ(panes[i].cxWidth, info.cxWidth) << step << ", pane " << i;
            EXPECT_EQ(panes[i].nStyle, info.nStyle) << step << ", pane " << i;
            EXPECT_EQ(std::string(panes[i].text), std::string(info.strText)) << step << ", pane " << i;
        }
    };
    ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 2));
    expectKept("added", {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_PROGRESS_PANE, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
    ASSERT_TRUE(bar->RemoveIndicator(ID_PROGRESS_PANE));
    expectKept("removed", {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
    EXPECT_FALSE(bar->RemoveIndicator(ID_PROGRESS_PANE)) << "no pane has the id any more";
    expectKept("removed twice", {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL});
}

TEST_F(StatusBar, PaneInformationOutOfRangeIsRefusedAndChangesNothing)
{
    const std::vector<std::string> texts = Texts(*bar);
    UINT nID = 0, nStyle = 0;
    int cxBefore = 0, cxAfter = 0;
    bar->GetPaneInfo(3, nID, nStyle, cxBefore);
    for (int nIndex : {-1, 4, 100}) {
        CXTPStatusBar::PaneInfo info;
        info.strText = "x";
        EXPECT_FALSE(bar->GetPaneInfoEx(nIndex, info)) << nIndex;
        EXPECT_FALSE(bar->SetPaneInfoEx(nIndex, info)) << nIndex;
        bar->SetPaneWidth(nIndex, 150);
    }
    bar->GetPaneInfo(3, nID, nStyle, cxAfter);
    EXPECT_EQ(cxBefore, cxAfter);
    EXPECT_EQ(texts, Texts(*bar));
}

TEST_F(StatusBar, TheBarWritesInTheSystemStatusFontAndIsAtLeast20PixelsHigh)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    LOGFONTA font = {};
    ASSERT_NE(0, ::GetObjectA(bar->GetFont(), sizeof(font), &font));
    EXPECT_STREQ(metrics.lfStatusFont.lfFaceName, font.lfFaceName);
    EXPECT_EQ(metrics.lfStatusFont.lfHeight, font.lfHeight);
    EXPECT_GE(RectInParent(bar->m_hWnd).Height(), 20);
}

TEST_F(StatusBar, AWindowInTheLastPaneLeavesTheGripRoomWhenItStretches)
{
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cxGrip = ::GetSystemMetrics(SM_CXSMICON) + cxEdge;
    const struct {
        const char* name;
        BOOL bGrip;
        UINT nStyle;
        int nRightFromClient;  // the window's right edge, from the client's right edge; 0: not checked
    } cases[] = {
        {"stretching, grip", TRUE, SBPS_STRETCH | SBPS_NOBORDERS, cxGrip},
        {"stretching, grip, bordered", TRUE, SBPS_STRETCH, cxGrip + cxEdge},
        {"stretching, no grip", FALSE, SBPS_STRETCH | SBPS_NOBORDERS, 0},
        {"fixed", TRUE, SBPS_NOBORDERS, -1},
    };
    const UINT ids[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    for (const auto& c : cases) {
        delete bar;
        bar = new CXTPStatusBar;
        ASSERT_TRUE(bar->CreateEx(frame, c.bGrip ? SBARS_SIZEGRIP : 0));
        ASSERT_TRUE(bar->SetIndicators(ids, 2));
        frame->RecalcLayout();
        ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 2));
        bar->SetPaneInfo(2, ID_PROGRESS_PANE, c.nStyle, 60);
        auto* pPane = new RecordingPane;
        ASSERT_TRUE(pPane->Create("", bar));
        ASSERT_TRUE(bar->AddControl(pPane, ID_PROGRESS_PANE, TRUE));
        for (int cx : {600, 700}) {
            frame->SetWindowPos(nullptr, 0, 0, cx, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            CRect rcClient;
            bar->GetClientRect(&rcClient);
            const CRect rc = RectInParent(pPane->m_hWnd);
            if (c.nRightFromClient >= 0)
                EXPECT_EQ(rcClient.right - c.nRightFromClient, rc.right) << c.name << " at " << cx;
            else
                EXPECT_EQ(ItemRect(2).left + 60 + 3 * cxEdge, rc.right) << c.name << " at " << cx;
        }
    }
}

TEST_F(StatusBar, TheBarDestroysItsPaneWindowsAndDeletesThoseItOwns)
{
    // Windows of the frame, not of the bar: only the bar's own destruction can take them away.
    bool bOwnedDeleted = false;
    auto* pOwned = new RecordingPane(&bOwnedDeleted);
    ASSERT_TRUE(pOwned->Create("owned", frame));
    RecordingPane kept;
    ASSERT_TRUE(kept.Create("kept", frame));
    ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 1));
    ASSERT_TRUE(bar->AddControl(pOwned, ID_PROGRESS_PANE, TRUE));
    ASSERT_TRUE(bar->AddControl(&kept, ID_INDICATOR_CAPS, FALSE));
    const HWND hOwned = pOwned->m_hWnd;
    delete bar;
    bar = nullptr;
    EXPECT_FALSE(::IsWindow(hOwned)) << "destroyed, not minimised";
    EXPECT_TRUE(bOwnedDeleted);
    EXPECT_EQ(nullptr, kept.m_hWnd) << "the caller's object stays, without its window";
}

TEST_F(StatusBar, APaneWindowTheCallerDeletedFirstIsNeverTouchedAgain)
{
    ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 1));
    auto* pGone = new RecordingPane;
    ASSERT_TRUE(pGone->Create("gone", bar));
    ASSERT_TRUE(bar->AddControl(pGone, ID_PROGRESS_PANE, FALSE));
    delete pGone;
    // A window of another object may now hold the same handle value; it must stay where it is.
    RecordingPane other;
    ASSERT_TRUE(other.Create("other", frame));
    CRect rcBefore;
    other.GetWindowRect(&rcBefore);
    frame->SetWindowPos(nullptr, 0, 0, 700, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rcAfter;
    other.GetWindowRect(&rcAfter);
    EXPECT_EQ(rcBefore, rcAfter);
    RecordingPane unmade;
    EXPECT_FALSE(bar->AddControl(&unmade, ID_PROGRESS_PANE, FALSE)) << "an object without a window";
    delete bar;
    bar = nullptr;
    EXPECT_TRUE(::IsWindow(other.m_hWnd)) << "only the bar's own records go with it";
}

TEST_F(StatusBar, RemovingAPaneTakesEveryWindowOfItAndRefusedWindowsLeaveNoRecord)
{
    ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 1));
    auto* pFirst = new RecordingPane;
    auto* pSecond = new RecordingPane;
    ASSERT_TRUE(pFirst->Create("", bar));
    ASSERT_TRUE(pSecond->Create("", bar));
    const HWND hFirst = pFirst->m_hWnd, hSecond = pSecond->m_hWnd;
    EXPECT_TRUE(bar->AddControl(pFirst, ID_PROGRESS_PANE, TRUE));
    EXPECT_TRUE(bar->AddControl(pSecond, ID_PROGRESS_PANE, TRUE));
    EXPECT_FALSE(bar->AddControl(pFirst, ID_PROGRESS_PANE, TRUE)) << "already attached";
    EXPECT_FALSE(bar->AddControl(nullptr, ID_PROGRESS_PANE, TRUE));
    EXPECT_FALSE(bar->AddControl(pFirst, ID_NO_STRING, FALSE)) << "no such pane";
    EXPECT_EQ(2, bar->GetControlCount(ID_PROGRESS_PANE));

    ASSERT_TRUE(bar->RemoveIndicator(ID_PROGRESS_PANE));
    EXPECT_FALSE(::IsWindow(hFirst));
    EXPECT_FALSE(::IsWindow(hSecond));
    EXPECT_EQ(0, bar->GetControlCount(ID_PROGRESS_PANE));
    // The pane comes back empty; resizing places nothing that was there before.
    ASSERT_TRUE(bar->AddIndicator(ID_PROGRESS_PANE, 1));
    frame->SetWindowPos(nullptr, 0, 0, 640, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(0, bar->GetControlCount(ID_PROGRESS_PANE));
}

TEST_F(StatusBar, ABasePaneIsAnEmptyByteAlignedWindowThatRedrawsAtOnceWhenMoved)
{
    auto* pPane = new RecordingPane;
    ASSERT_TRUE(pPane->Create("Busy", bar));
    EXPECT_EQ("Busy", std::string(pPane->GetText()));
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_BYTEALIGNCLIENT),
              ::GetClassLongPtrA(pPane->m_hWnd, GCL_STYLE) & CS_BYTEALIGNCLIENT);
    EXPECT_EQ(0u, ::GetClassLongPtrA(pPane->m_hWnd, GCLP_HCURSOR));
    EXPECT_EQ(0u, ::GetClassLongPtrA(pPane->m_hWnd, GCLP_HBRBACKGROUND));
    EXPECT_TRUE(RectInParent(pPane->m_hWnd).IsRectEmpty());

    ASSERT_TRUE(bar->AddControl(pPane, ID_INDICATOR_NUM, TRUE));
    // Placed and drawn without waiting for the message loop, on a button-face ground.
    CRect rcClient;
    pPane->GetClientRect(&rcClient);
    EXPECT_FALSE(rcClient.IsRectEmpty());
    EXPECT_GT(pPane->m_nDraws, 0);
    EXPECT_EQ(rcClient, pPane->m_rcDrawn);
    EXPECT_EQ(GetManagedColor(COLOR_BTNFACE), pPane->m_clrGround);
}

TEST_F(StatusBar, ThePaintManagerDrawsTheGroundPanesTextAndGrip)
{
    CXTPPaintManager* pPaintManager = bar->GetPaintManager();
    ASSERT_EQ(XTPPaintManager(), pPaintManager);
    const COLORREF clrFace = pPaintManager->GetColor(COLOR_BTNFACE);
    const COLORREF clrShadow = pPaintManager->GetColor(COLOR_BTNSHADOW);
    bar->SetPaneText(0, "");
    bar->SetPaneInfo(1, ID_INDICATOR_CAPS, SBPS_NORMAL, 40);
    bar->SetPaneInfo(2, ID_INDICATOR_NUM, SBPS_NOBORDERS, 40);
    bar->SetPaneInfo(3, ID_INDICATOR_SCRL, SBPS_DISABLED, 40);
    bar->SetPaneText(1, "Wide");
    bar->SetPaneText(2, "Wide");
    bar->SetPaneText(3, "Wide");

    CRect rcClient;
    bar->GetClientRect(&rcClient);
    DibCanvas canvas(rcClient.Width(), rcClient.Height());
    canvas.dc.FillSolidRect(&rcClient, RGB(1, 2, 3));
    bar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()), PRF_CLIENT);
    auto hasInk = [&](CRect rc) {
        rc.DeflateRect(3, 3);
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                if (canvas.dc.GetPixel(x, y) != clrFace)
                    return true;
        return false;
    };
    EXPECT_EQ(clrFace, canvas.dc.GetPixel(rcClient.left, rcClient.top)) << "the ground";
    EXPECT_EQ(clrShadow, canvas.dc.GetPixel(ItemRect(1).left, ItemRect(1).top)) << "a sunken frame";
    EXPECT_EQ(clrFace, canvas.dc.GetPixel(ItemRect(2).left, ItemRect(2).top)) << "no borders";
    EXPECT_FALSE(hasInk(ItemRect(0))) << "no text";
    EXPECT_TRUE(hasInk(ItemRect(1)));
    EXPECT_TRUE(hasInk(ItemRect(2)));
    EXPECT_FALSE(hasInk(ItemRect(3))) << "a disabled pane keeps its text unshown";
    // The grip: its first shadow stripe ends in the lower-right corner.
    EXPECT_EQ(clrShadow, canvas.dc.GetPixel(rcClient.right - 3, rcClient.bottom - 2));

    // The command bars' paint manager when the bar has them; none when themed drawing is off.
    bar->SetCommandBars(frame->GetCommandBars());
    EXPECT_EQ(frame->GetCommandBars()->GetPaintManager(), bar->GetPaintManager());
    bar->SetDrawThemed(FALSE);
    EXPECT_EQ(nullptr, bar->GetPaintManager());
    // Then the status control draws the panes itself.
    canvas.dc.FillSolidRect(&rcClient, clrFace);
    bar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_TRUE(hasInk(ItemRect(1)));
}

// The text in the code page of its language, as the resources give it.
std::string InCodePage(const wchar_t* text, UINT nCodePage)
{
    char buffer[256] = {};
    ::WideCharToMultiByte(nCodePage, 0, text, -1, buffer, sizeof(buffer), nullptr, nullptr);
    return buffer;
}

TEST_F(StatusBar, APromptOfACommandBarControlShowsInTheFirstPane)
{
    auto* pCommandBar = new TestBar;
    ASSERT_TRUE(pCommandBar->Create(CWnd::DefaultClassName(), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), frame, 101));
    pCommandBar->SetBarPosition(xtpBarTop);
    static_cast<TestCommandBars*>(frame->GetCommandBars())->Append(pCommandBar);
    const struct {
        WORD language;
        UINT nCodePage;
        const wchar_t* prompt;
    } cases[] = {
        {1033, 1252, L"Copies the selection to the Clipboard"},
        {1031, 1252, L"Kopiert die Auswahl in die Zwischenablage"},
        {1049, 1251, L"Копирует выделенный фрагмент в буфер обмена"},
    };
    for (const auto& c : cases) {
        AfxSetThreadResourceLanguage(c.language);
        pCommandBar->GetControls()->RemoveAll();
        for (UINT nID : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
            pCommandBar->GetControls()->Add(xtpControlButton, static_cast<int>(nID));
        pCommandBar->OnRecalcLayout();
        ASSERT_TRUE(pCommandBar->SetSelected(1, TRUE)) << c.language;
        EXPECT_EQ(InCodePage(c.prompt, c.nCodePage), std::string(bar->GetPaneText(0))) << c.language;
        AfxSetThreadResourceLanguage(0);
        pCommandBar->SetSelected(-1);
        EXPECT_EQ("Ready", std::string(bar->GetPaneText(0))) << c.language << ": the idle text after it";
    }
    // The bar stays with the frame's command bars, which release it with the frame.
    pCommandBar->GetControls()->RemoveAll();
}

}  // namespace
