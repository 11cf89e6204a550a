// The saved command-bar layout: the file a customized frame writes, the same frame rebuilt and
// loaded over XML and over an archive, the question after a program update, schema gates, and
// files the bars cannot come from (all or nothing), popups that name the wrong bars.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../CommandBarsFixture.h"
#include "../customize/InputSteps.h"
#include "CXTPCommandBarsExchangeParam.h"
#include "CXTPCommandBarsOptions.h"
#include "CXTPControlPopup.h"
#include "CXTPDockBar.h"
#include "CXTPHookManager.h"
#include "CXTPMenuBar.h"
#include "CXTPPopupBar.h"
#include "CXTPPropExchangeXMLNode.h"
#include "CXTPToolBar.h"
#include "ExchangeFixture.h"

namespace {

const UINT kMenu = 62453;  // File (Open 100), Edit (Copy 101), Help 102
const UINT kStandard = 201;
const UINT kBuild = 202;
const UINT kCustom = 59392;

// What the program's main frame asks for.
CXTPCommandBarsExchangeParam SaveParam(BOOL bOriginalControls = FALSE)
{
    CXTPCommandBarsExchangeParam param;
    param.bControls = TRUE;
    param.bOriginalControls = bOriginalControls;
    return param;
}

CXTPCommandBarsExchangeParam LoadParam(BOOL bSilentLoad = FALSE)
{
    CXTPCommandBarsExchangeParam param;
    param.bControls = TRUE;
    param.bSilentLoad = bSilentLoad;
    return param;
}

std::vector<int> Ids(CXTPControls* pControls)
{
    std::vector<int> ids;
    for (int i = 0; pControls && i < pControls->GetCount(); i++) {
        if (!pControls->GetAt(i)->IsTemporary())
            ids.push_back(pControls->GetAt(i)->GetID());
    }
    return ids;
}

// Answers the next message boxes of this thread through a CBT hook, keeping their texts.
class MessageBoxAnswer {
public:
    explicit MessageBoxAnswer(int nAnswer)
    {
        s_nAnswer = nAnswer;
        s_arrTexts.clear();
        m_hHook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MessageBoxAnswer() { ::UnhookWindowsHookEx(m_hHook); }
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;

    static std::vector<std::string> s_arrTexts;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE) {
            HWND hWnd = reinterpret_cast<HWND>(wParam);
            char szClass[32] = "";
            ::GetClassNameA(hWnd, szClass, sizeof(szClass));
            if (std::string(szClass) == "#32770") {
                std::string text;
                ::EnumChildWindows(hWnd, CollectText, reinterpret_cast<LPARAM>(&text));
                s_arrTexts.push_back(text);
                ::PostMessageA(hWnd, WM_COMMAND, static_cast<WPARAM>(s_nAnswer), 0);
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    static BOOL CALLBACK CollectText(HWND hWnd, LPARAM lParam)
    {
        char szClass[32] = "", szText[512] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (_stricmp(szClass, "Static") == 0 && ::GetWindowTextA(hWnd, szText, sizeof(szText)) > 0)
            *reinterpret_cast<std::string*>(lParam) += szText;
        return TRUE;
    }

    static int s_nAnswer;
    HHOOK m_hHook = nullptr;
};
int MessageBoxAnswer::s_nAnswer = IDYES;
std::vector<std::string> MessageBoxAnswer::s_arrTexts;

// Where every bar stands: the rows of the four dock bars, then each bar's window and visibility.
struct Placement {
    std::vector<std::vector<UINT>> rows;
    std::vector<CRect> rects;
    std::vector<BOOL> visible;
    bool operator==(const Placement& other) const
    {
        return rows == other.rows && rects == other.rects && visible == other.visible;
    }
};

// A frame that offers Customize..., which Alt+drag asks for.
class CustomizableFrame : public CXTPFrameWnd {
public:
    void OnCustomize() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CustomizableFrame, CXTPFrameWnd)
    ON_COMMAND(35001, OnCustomize)
END_MESSAGE_MAP()

class Layout : public ::testing::Test {
protected:
    void SetUp() override { Build(); }
    void TearDown() override { Destroy(); }

    // The frame as the program builds it: the menu bar, then toolbars "Standard" (100, 101,
    // 102; with bUpdated a later program's 100, 101, 102, 103) and "Build" (104, 105) at the
    // left edge.
    void Build(BOOL bUpdated = FALSE)
    {
        m_pFrame = m_bCustomizable ? new CustomizableFrame : new CXTPFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Layout", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 810, 610)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        Bars()->EnableDocking();
        ASSERT_NE(nullptr, Bars()->SetMenu("Menu Bar", kMenu));
        const std::vector<UINT> standard = bUpdated ? std::vector<UINT>{100, 101, 102, 103} : std::vector<UINT>{100, 101, 102};
        AddToolBar("Standard", kStandard, standard);
        AddToolBar("Build", kBuild, {104, 105});
        m_pFrame->RecalcLayout();
    }

    void AddToolBar(const char* pszTitle, UINT nId, const std::vector<UINT>& buttons)
    {
        CXTPToolBar* pBar = Bars()->Add(pszTitle, xtpBarLeft);
        ASSERT_NE(nullptr, pBar);
        pBar->SetBarID(nId);
        pBar->SetButtons(buttons.data(), static_cast<int>(buttons.size()));
        pBar->GetControls()->CreateOriginalControls();
    }

    void Destroy()
    {
        if (m_pFrame)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpFor(10);
    }

    void Rebuild(BOOL bUpdated = FALSE)
    {
        Destroy();
        Build(bUpdated);
    }

    // The user's changes: a button less on "Standard", a command added to the File menu, and
    // a floating toolbar of their own holding a button and the File menu (the same popup).
    void Customize()
    {
        Bar(kStandard)->GetControls()->Remove(1);
        CXTPControl* pFile = MenuBar()->GetControls()->GetAt(0);
        pFile->GetCommandBar()->GetControls()->Add(xtpControlButton, 106);
        CXTPToolBar* pCustom = Bars()->AddCustomBar("Custom 1", kCustom);
        ASSERT_NE(nullptr, pCustom);
        pCustom->GetControls()->Add(xtpControlButton, 105);
        pCustom->GetControls()->AddClone(pFile, -1, FALSE);
        Bars()->FloatCommandBar(pCustom);
        pCustom->SetWindowPos(nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pCustom->SetVisible(TRUE);
        Bar(kBuild)->SetVisible(FALSE);
        m_pFrame->RecalcLayout();
    }

    CXTPCommandBars* Bars() const { return m_pFrame->GetCommandBars(); }
    CXTPToolBar* Bar(UINT nId) const { return dynamic_cast<CXTPToolBar*>(Bars()->GetToolBar(nId)); }
    CXTPMenuBar* MenuBar() const { return dynamic_cast<CXTPMenuBar*>(Bars()->GetMenuBar()); }

    Placement Place()
    {
        Bars()->RecalcLayout();
        m_pFrame->RecalcLayout();
        Placement place;
        for (int nDock = 0; nDock < 4; nDock++) {
            std::vector<UINT> ids;
            CXTPDockBar* pDockBar = Bars()->GetDockBar(nDock);
            for (int i = 0; i < pDockBar->GetCount(); i++)
                ids.push_back(pDockBar->GetAt(i) ? pDockBar->GetAt(i)->GetBarID() : 0);
            place.rows.push_back(ids);
        }
        for (int i = 0; i < Bars()->GetCount(); i++) {
            CXTPCommandBar* pBar = Bars()->GetAt(i);
            CRect rc;
            pBar->GetWindowRect(&rc);
            place.rects.push_back(rc);
            place.visible.push_back(pBar->IsVisible());
        }
        return place;
    }

    std::string SaveXml(CXTPCommandBarsExchangeParam param, const char* pszName)
    {
        const std::string path = TempFilePath(pszName);
        CXTPPropExchangeXMLNode px(FALSE, nullptr, "Config");
        CXTPPropExchangeSection section(px.GetSection("CommandBars"));
        EXPECT_TRUE(Bars()->DoPropExchange(section, &param));
        px.SetEncoding("windows-1251");
        EXPECT_EQ(S_OK, px.SaveToFile(path.c_str()));
        return path;
    }

    // Loads a layout file; the result of the load, the exchange's error text in strError.
    BOOL LoadXml(const std::string& path, CXTPCommandBarsExchangeParam param, UINT nSchema = 17,
                 CString* pstrError = nullptr)
    {
        CXTPPropExchangeXMLNode px(TRUE, nullptr, "Config");
        px.LoadFromFile(path.c_str());
        px.m_nSchema = nSchema;
        CXTPPropExchangeSection section(px.GetSection("CommandBars"));
        BOOL bResult = Bars()->DoPropExchange(section, &param);
        if (pstrError)
            *pstrError = px.GetErrorText();
        return bResult;
    }

    // The user's changes are all back.
    void ExpectCustomized()
    {
        EXPECT_EQ((std::vector<int>{100, 102}), Ids(Bar(kStandard)->GetControls())) << "the button stays gone";
        EXPECT_EQ((std::vector<int>{100, 101, 102}), Ids(Bar(kStandard)->GetControls()->GetOriginalControls()))
            << "the program's original set stays";
        CXTPControl* pFile = MenuBar()->GetControls()->GetAt(0);
        ASSERT_NE(nullptr, pFile->GetCommandBar());
        EXPECT_EQ((std::vector<int>{100, 106}), Ids(pFile->GetCommandBar()->GetControls()));
        CXTPToolBar* pCustom = Bar(kCustom);
        ASSERT_NE(nullptr, pCustom);
        EXPECT_STREQ("Custom 1", pCustom->GetTitle());
        EXPECT_FALSE(pCustom->IsBuiltIn());
        EXPECT_EQ(xtpBarFloating, pCustom->GetPosition());
        ASSERT_EQ((std::vector<int>{105, 0}), Ids(pCustom->GetControls()));
        CXTPCommandBar* pShared = pCustom->GetControl(1)->GetCommandBar();
        ASSERT_NE(nullptr, pShared);
        EXPECT_EQ((std::vector<int>{100, 106}), Ids(pShared->GetControls()));
    }

    CXTPFrameWnd* m_pFrame = nullptr;
    BOOL m_bCustomizable = FALSE;
};

TEST_F(Layout, TheFileOfACustomizedFrameIsAsExpected)
{
    Customize();
    const std::string path = SaveXml(SaveParam(), "layout.xml");
    const std::string saved = ReadFileBytes(path);
    ::DeleteFileA(path.c_str());
    const std::string golden = DataFileBeside(__FILE__, "layout_golden.xml");
    if (std::getenv("TAVRELIN_WRITE_GOLDEN")) {
        WriteFileBytes(golden, saved);
        // The same layout over an archive seeds the layout reader's fuzz target.
        const Bytes bytes = StoreArchive([&](CXTPPropExchange& px) {
            CXTPCommandBarsExchangeParam param = SaveParam(TRUE);
            Bars()->DoPropExchange(&px, &param);
        });
        WriteFileBytes(DataFileBeside(__FILE__, "../../../../fuzz/seeds/commandbar_layout/layout.bin"),
                       std::string(bytes.begin(), bytes.end()));
    }
    EXPECT_EQ(ReadFileBytes(golden), saved);
    // The popup reached from the menu bar and from the user's toolbar is written once, as the
    // first popup bar, and both controls name it; the untouched built-in bar is left out.
    auto count = [&](const std::string& what) {
        size_t n = 0;
        for (size_t pos = saved.find(what); pos != std::string::npos; pos = saved.find(what, pos + 1))
            n++;
        return n;
    };
    EXPECT_EQ(2u, count("CommandBarId=\"16777216\""));
    EXPECT_EQ(1u, count("BarID=\"16777216\""));
    EXPECT_EQ(0u, count("Title=\"Build\""));
}

TEST_F(Layout, ASavedLayoutComesBackIntoTheRebuiltFrameOverBothMedia)
{
    Customize();
    const Placement before = Place();

    const std::string path = SaveXml(SaveParam(), "layout.xml");
    Rebuild();
    ASSERT_TRUE(LoadXml(path, LoadParam()));
    ::DeleteFileA(path.c_str());
    ExpectCustomized();
    EXPECT_TRUE(Place() == before) << "rows, rectangles and visibility";

    // The same calls over an archive, where every value is written.
    Bytes bytes = StoreArchive([&](CXTPPropExchange& px) {
        CXTPCommandBarsExchangeParam param = SaveParam();
        EXPECT_TRUE(Bars()->DoPropExchange(&px, &param));
    });
    Rebuild();
    LoadArchive(bytes, [&](CXTPPropExchange& px) {
        CXTPCommandBarsExchangeParam param = LoadParam();
        EXPECT_TRUE(Bars()->DoPropExchange(&px, &param));
    });
    ExpectCustomized();
    EXPECT_TRUE(Place() == before);
}

TEST_F(Layout, AToolbarTheProgramNowBuildsDifferentlyAsksOnce)
{
    Customize();
    const std::string path = SaveXml(SaveParam(TRUE), "layout.xml");
    const struct {
        int nAnswer;
        BOOL bSilent;
        size_t nQuestions;
        std::vector<int> standard;
    } cases[] = {
        {IDYES, FALSE, 1, {100, 101, 102, 103}},
        {IDNO, FALSE, 1, {100, 102}},
        {IDNO, TRUE, 0, {100, 101, 102, 103}},
    };
    for (const auto& c : cases) {
        Rebuild(TRUE);
        {
            MessageBoxAnswer answer(c.nAnswer);
            ASSERT_TRUE(LoadXml(path, LoadParam(c.bSilent)));
            ASSERT_EQ(c.nQuestions, MessageBoxAnswer::s_arrTexts.size()) << &c - cases;
            if (c.nQuestions)
                EXPECT_NE(std::string::npos, MessageBoxAnswer::s_arrTexts[0].find("toolbar 'Standard' has changed"))
                    << MessageBoxAnswer::s_arrTexts[0];
        }
        EXPECT_EQ(c.standard, Ids(Bar(kStandard)->GetControls())) << &c - cases;
        EXPECT_EQ((std::vector<int>{100, 101, 102, 103}), Ids(Bar(kStandard)->GetControls()->GetOriginalControls()))
            << "the program's original set stays";
        EXPECT_NE(nullptr, Bar(kCustom)) << "the user's toolbar comes back either way";
    }
    ::DeleteFileA(path.c_str());

    // Not customized by the user: the new program's bar, without a question.
    Rebuild();
    const std::string untouched = SaveXml(SaveParam(TRUE), "untouched.xml");
    Rebuild(TRUE);
    MessageBoxAnswer answer(IDNO);
    ASSERT_TRUE(LoadXml(untouched, LoadParam()));
    EXPECT_TRUE(MessageBoxAnswer::s_arrTexts.empty());
    EXPECT_EQ((std::vector<int>{100, 101, 102, 103}), Ids(Bar(kStandard)->GetControls()));
    ::DeleteFileA(untouched.c_str());
}

TEST_F(Layout, KeysOfLaterSchemasAreReadOnlyFromThem)
{
    const std::string path = DataFileBeside(__FILE__, "layout_schema.xml");
    const struct {
        UINT nSchema;
        BOOL bCloseable, bContextMenu;
        int nPopupStyle;
    } cases[] = {
        {5, TRUE, TRUE, 3},
        {7, FALSE, TRUE, 3},
        {17, FALSE, FALSE, 3},
        {4, TRUE, TRUE, 0},
    };
    for (const auto& c : cases) {
        Rebuild();
        ASSERT_TRUE(LoadXml(path, LoadParam(), c.nSchema)) << c.nSchema;
        CXTPToolBar* pBar = Bar(kCustom);
        ASSERT_NE(nullptr, pBar) << c.nSchema;
        EXPECT_EQ(c.bCloseable, pBar->IsCloseable()) << c.nSchema;
        EXPECT_EQ(c.bContextMenu, pBar->IsContextMenuPresent()) << c.nSchema;
        ASSERT_EQ(1, pBar->GetControlCount());
        EXPECT_EQ(c.nPopupStyle, pBar->GetControl(0)->GetStyle()) << c.nSchema;
    }
}

TEST_F(Layout, DocumentMenusComeFromLaterSchemasAndABarMergesOnlyIntoItsClass)
{
    const std::string path = DataFileBeside(__FILE__, "layout_menus.xml");
    for (UINT nSchema : {4u, 5u}) {
        Rebuild();
        const int nBars = Bars()->GetCount();
        ASSERT_TRUE(LoadXml(path, LoadParam(), nSchema));
        EXPECT_EQ((std::vector<int>{102}), Ids(MenuBar()->GetControls())) << nSchema;
        EXPECT_EQ(nSchema > 4 ? std::vector<int>{107} : std::vector<int>{}, Ids(MenuBar()->GetDocumentMenu(300)))
            << nSchema;
        // The file's bar 201 is a dialog bar, the program's a toolbar: the file's is dropped.
        EXPECT_EQ(nBars, Bars()->GetCount());
        EXPECT_EQ((std::vector<int>{100, 101, 102}), Ids(Bar(kStandard)->GetControls()));
    }
}

TEST_F(Layout, AFileTheBarsCannotComeFromLeavesThemAsBuilt)
{
    Customize();
    const Placement built = Place();
    const std::vector<int> standard = Ids(Bar(kStandard)->GetControls());
    const int nBars = Bars()->GetCount();
    auto expectAsBuilt = [&](const std::string& what) {
        EXPECT_EQ(nBars, Bars()->GetCount()) << what;
        EXPECT_EQ(standard, Ids(Bar(kStandard)->GetControls())) << what;
        EXPECT_TRUE(Place() == built) << what;
    };
    for (const char* pszFile : {"layout_unknown_control.xml", "layout_control_as_bar.xml",
                                "layout_bar_as_control.xml", "layout_other_program.xml"}) {
        CString strError;
        EXPECT_FALSE(LoadXml(DataFileBeside(__FILE__, pszFile), LoadParam(), 17, &strError)) << pszFile;
        EXPECT_FALSE(strError.IsEmpty()) << pszFile;
        expectAsBuilt(pszFile);
    }

    // An archive cut off anywhere in its bars.
    CXTPCommandBarsExchangeParam barsOnly = SaveParam();
    barsOnly.bLayout = FALSE;
    const Bytes bars = StoreArchive([&](CXTPPropExchange& px) { Bars()->DoPropExchange(&px, &barsOnly); });
    const Bytes bytes = StoreArchive([&](CXTPPropExchange& px) {
        CXTPCommandBarsExchangeParam param = SaveParam();
        Bars()->DoPropExchange(&px, &param);
    });
    for (size_t nCut : {size_t{1}, size_t{9}, bars.size() / 2, bars.size() - 1}) {
        BOOL bResult = TRUE;
        CString strError;
        LoadArchive(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(nCut)), [&](CXTPPropExchange& px) {
            CXTPCommandBarsExchangeParam param = LoadParam();
            bResult = Bars()->DoPropExchange(&px, &param);
            strError = px.GetErrorText();
        });
        EXPECT_FALSE(bResult) << nCut;
        EXPECT_FALSE(strError.IsEmpty()) << nCut;
        expectAsBuilt("cut at " + std::to_string(nCut));
    }
}

TEST_F(Layout, APopupNamingItsOwnBarAnAncestorOrAToolbarStaysUnresolved)
{
    ASSERT_TRUE(LoadXml(DataFileBeside(__FILE__, "layout_popup_loops.xml"), LoadParam()));
    CXTPToolBar* pBar = Bar(kCustom);
    ASSERT_NE(nullptr, pBar);
    CXTPCommandBar* pFirst = pBar->GetControl(0)->GetCommandBar();
    ASSERT_NE(nullptr, pFirst);
    ASSERT_EQ(3, pFirst->GetControlCount());
    EXPECT_EQ(nullptr, pFirst->GetControl(0)->GetCommandBar()) << "its own bar";
    EXPECT_EQ(nullptr, pFirst->GetControl(1)->GetCommandBar()) << "a toolbar";
    CXTPCommandBar* pSecond = pFirst->GetControl(2)->GetCommandBar();
    ASSERT_NE(nullptr, pSecond);
    ASSERT_EQ(1, pSecond->GetControlCount());
    EXPECT_EQ(nullptr, pSecond->GetControl(0)->GetCommandBar()) << "an ancestor";
}

// Alt+drag: a toolbar's button pressed with Alt goes where it is dropped, without the customize
// sheet, and the saved layout keeps it there.
class AltDrag : public Layout {
protected:
    void SetUp() override
    {
        m_bCustomizable = TRUE;
        Layout::SetUp();
    }

    static CPoint Screen(CXTPCommandBar* pBar, CPoint ptClient)
    {
        pBar->ClientToScreen(&ptClient);
        return ptClient;
    }

    // Presses button nIndex of the bar with Alt (and Ctrl at the drop when bCtrl), drags it to
    // the screen point and lets go of the button, then of Alt.
    void AltDragTo(CXTPToolBar* pBar, int nIndex, CPoint ptDrop, BOOL bCtrl)
    {
        m_pFrame->SetForegroundWindow();
        m_pFrame->SetFocus();
        PumpFor(30);
        const CPoint ptFrom = Screen(pBar, pBar->GetControl(nIndex)->GetRect().CenterPoint());
        SendMouse(ptFrom, {});
        PumpFor(30);
        SendKey(VK_MENU);
        {
            // (Keys go down after the last move: under Wine a real mouse move resets them.)
            InputSteps run({[=] { SendMouse(ptFrom + CPoint(12, 12), {}); }, [=] { SendMouse(ptDrop, {}); },
                            [=] { if (bCtrl) SendKey(VK_CONTROL); }, [=] { SendMouse(ptDrop, {MOUSEEVENTF_LEFTUP}); },
                            [] { SendKey(VK_CONTROL, TRUE); }});
            SendMouse(ptFrom, {MOUSEEVENTF_LEFTDOWN});
            EXPECT_TRUE(PumpUntil([&] { return InputSteps::Done() && !Bars()->GetDropSource()->IsDragging(); }, 5000));
        }
        SendKey(VK_MENU, TRUE);
        PumpFor(60);
    }
};

TEST_F(AltDrag, AButtonMovesOrWithCtrlCopiesToAnotherBarAndTheSavedLayoutHoldsIt)
{
    const struct {
        const char* name;
        BOOL bOption;
        BOOL bCtrl;
        DWORD dwFlags;  // of the dragged button
        std::vector<int> standard, build;
    } cases[] = {
        {"moved", TRUE, FALSE, 0, {100, 102}, {104, 101, 105}},
        {"copied with Ctrl", TRUE, TRUE, 0, {100, 101, 102}, {104, 101, 105}},
        {"option off", FALSE, FALSE, 0, {100, 101, 102}, {104, 105}},
        {"a button that may not move", TRUE, FALSE, xtpFlagNoMovable, {100, 101, 102}, {104, 105}},
    };
    for (const auto& c : cases) {
        Rebuild();
        Bars()->GetOptions()->m_bAltDragCustomization = c.bOption;
        Bar(kStandard)->GetControl(1)->SetFlags(c.dwFlags);
        CXTPToolBar* pBuild = Bar(kBuild);
        // Past the centre of Build's first button: the marker stands between its two.
        const CRect rcTarget = pBuild->GetControl(0)->GetRect();
        AltDragTo(Bar(kStandard), 1, Screen(pBuild, CPoint(rcTarget.CenterPoint().x, rcTarget.bottom - 3)), c.bCtrl);
        EXPECT_EQ(c.standard, Ids(Bar(kStandard)->GetControls())) << c.name;
        EXPECT_EQ(c.build, Ids(Bar(kBuild)->GetControls())) << c.name;
        EXPECT_FALSE(Bars()->IsCustomizeMode()) << c.name;
        EXPECT_FALSE(Bars()->IsQuickCustomizeMode()) << c.name;
        EXPECT_EQ(nullptr, Bars()->GetDragControl()) << c.name;
        XTPHookManager()->CancelTracking();
    }

    // The move again, saved, and loaded into the frame as the program builds it.
    Rebuild();
    const CRect rcTarget = Bar(kBuild)->GetControl(0)->GetRect();
    AltDragTo(Bar(kStandard), 1, Screen(Bar(kBuild), CPoint(rcTarget.CenterPoint().x, rcTarget.bottom - 3)), FALSE);
    const std::string path = SaveXml(SaveParam(), "altdrag.xml");
    Rebuild();
    ASSERT_TRUE(LoadXml(path, LoadParam()));
    ::DeleteFileA(path.c_str());
    EXPECT_EQ((std::vector<int>{100, 102}), Ids(Bar(kStandard)->GetControls()));
    EXPECT_EQ((std::vector<int>{104, 101, 105}), Ids(Bar(kBuild)->GetControls()));
}

}  // namespace
