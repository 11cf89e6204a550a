// The main frame's own settings: the build options and the find history in the registry,
// the autosave timer, and the controls it makes for the bars.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "BuildOptions.h"
#include "CAutoSaveTimer.h"
#include "CCmdUI.h"
#include "CControlProjectLists.h"
#include "CSolutionConfig.h"
#include "CWinApp.h"
#include "CXTPCommandBar.h"
#include "CXTPControlComboBox.h"
#include "CXTPControlComboBoxList.h"
#include "CXTPControls.h"
#include "CXTPToolBar.h"
#include "EditorSettings.h"
#include "FrameControls.h"
#include "XTPCommandBarsTypes.h"

namespace {

class ProfileApp : public CWinApp {
public:
    ProfileApp() : CWinApp("FrameSettingsTests") {}
};

class FrameSettingsTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Tavrelin frame settings tests";
    ProfileApp app;

    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kKey).c_str());
        app.SetRegistryKey(kKey);
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\") + kKey).c_str()); }
    std::string Line(CXTPControlComboBox& combo, int i) { return std::string(combo.GetListBox()->GetText(i)); }
};

TEST_F(FrameSettingsTest, BuildOptionsFallBackToTheirDefaultsAndGoBackToTheRegistry)
{
    g_solutionConfig.RemoveFromDisk = 0;
    g_solutionConfig.PathVarnok = "stale";
    LoadBuildOptions();
    EXPECT_EQ(g_solutionConfig.RemoveFromDisk, 1);
    EXPECT_EQ(g_solutionConfig.PartialCompile, 0);
    EXPECT_EQ(g_solutionConfig.InsertInGame, 0);
    EXPECT_EQ(g_solutionConfig.PathVarnok, CString(""));

    g_solutionConfig.RemoveFromDisk = 0;
    g_solutionConfig.InsertInGame = 1;
    g_solutionConfig.PartialCompile = 1;
    g_solutionConfig.PathVarnok = "C:\\Games\\Varnok";
    g_solutionConfig.PathVarnok2 = "D:\\Varnok 2";
    SaveBuildOptions();
    g_solutionConfig.PathVarnok2.Empty();
    g_solutionConfig.InsertInGame = 0;
    LoadBuildOptions();
    EXPECT_EQ(g_solutionConfig.RemoveFromDisk, 0);
    EXPECT_EQ(g_solutionConfig.InsertInGame, 1);
    EXPECT_EQ(g_solutionConfig.PartialCompile, 1);
    EXPECT_EQ(g_solutionConfig.PathVarnok2, CString("D:\\Varnok 2"));
    g_solutionConfig.PathVarnok.Empty();
    g_solutionConfig.PathVarnok2.Empty();
}

TEST_F(FrameSettingsTest, FindHistoryKeepsItsLinesAndAMissingOneLeavesAnEmptyLine)
{
    app.WriteProfileInt("FindList", "CountList", 3);
    app.WriteProfileString("FindList", "Find0", "first");
    app.WriteProfileString("FindList", "Find2", "third");
    CXTPControlComboBox combo;
    LoadFindList(&combo);
    ASSERT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(Line(combo, 0), "first");
    EXPECT_EQ(Line(combo, 1), "");
    EXPECT_EQ(Line(combo, 2), "third");
    EXPECT_EQ(combo.GetCurSel(), 0);

    combo.AddString("fourth");
    SaveFindList(&combo);
    EXPECT_EQ(app.GetProfileInt("FindList", "CountList", 0), 4u);
    EXPECT_EQ(std::string(app.GetProfileString("FindList", "Find3")), "fourth");

    // No find combo on the bar: the stored history stays as it is.
    SaveFindList(nullptr);
    EXPECT_EQ(app.GetProfileInt("FindList", "CountList", 0), 4u);
}

TEST_F(FrameSettingsTest, AutosaveRunsOnlyWithAPeriodAndFollowsItsChanges)
{
    HWND window = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CAutoSaveTimer& timer = GetAutoSaveTimer();
    const EditorOptions saved = g_editorOptions;
    g_editorOptions.autoSave = 1;
    g_editorOptions.savePeriod = 0;
    timer.Attach(window);
    EXPECT_EQ(timer.GetTimer(), 0u);

    struct Step {
        int autoSave, period;
        UINT_PTR timer;
        UINT ms;
    } steps[] = {
        {1, 5, 1, 300000},  {1, 2, 1, 120000}, {0, 2, 0, 0}, {1, 0, 0, 0},
        {1, 1000000, 1, USER_TIMER_MAXIMUM},  // a wild stored value does not wrap to a short period
    };
    for (const Step& s : steps) {
        g_editorOptions.autoSave = s.autoSave;
        g_editorOptions.savePeriod = s.period;
        RestartAutosave();  // what loading or changing the editor settings does
        EXPECT_EQ(timer.GetTimer(), s.timer) << s.period;
        EXPECT_EQ(timer.GetPeriod(), s.ms) << s.period;
    }
    EXPECT_TRUE(timer.OnTimer(CAutoSaveTimer::kTimerId));
    EXPECT_FALSE(timer.OnTimer(2));
    timer.Detach();
    EXPECT_EQ(timer.GetTimer(), 0u);
    g_editorOptions = saved;
    ::DestroyWindow(window);
}

TEST_F(FrameSettingsTest, TheFrameMakesTheComboBoxesOfTheStandardBarAndTheListButtons)
{
    app.WriteProfileInt("FindList", "CountList", 1);
    app.WriteProfileString("FindList", "Find0", "KeyWord");
    auto* standard = static_cast<CXTPToolBar*>(CXTPToolBar::CreateObject());
    standard->SetBarID(IDR_STANDARD_TOOLBAR);
    auto* other = static_cast<CXTPToolBar*>(CXTPToolBar::CreateObject());
    other->SetBarID(129);

    struct Case {
        UINT id;
        CXTPCommandBar* bar;
        BOOL toolBar;
        BOOL made;
    } cases[] = {
        {ID_FIND_COMBO, standard, TRUE, TRUE},      {ID_PLATFORM_COMBO, standard, TRUE, TRUE},
        {ID_PLATFORM_COMBO, other, TRUE, FALSE},    {ID_FIND_COMBO, standard, FALSE, FALSE},
        {57600, standard, TRUE, FALSE},             {ID_SET_ACTIVE_PROJECT, nullptr, FALSE, TRUE},
        {ID_RECENT_SOLUTIONS, nullptr, FALSE, TRUE},
    };
    CXTPControlComboBox* findCombo = nullptr;
    for (const Case& c : cases) {
        XTP_CREATECONTROL request = {};
        request.nID = c.id;
        request.pCommandBar = c.bar;
        request.bToolBar = c.toolBar;
        EXPECT_EQ(CreateFrameControl(&request, &findCombo), c.made) << c.id;
        EXPECT_EQ(request.pControl != nullptr, c.made != FALSE) << c.id;
        if (!request.pControl)
            continue;
        auto* combo = dynamic_cast<CXTPControlComboBox*>(request.pControl);
        switch (c.id) {
        case ID_FIND_COMBO:
            ASSERT_NE(combo, nullptr);
            EXPECT_EQ(findCombo, combo);
            EXPECT_TRUE(combo->GetDropDown());
            EXPECT_EQ(combo->GetWidth(), 150);
            EXPECT_EQ(Line(*combo, 0), "KeyWord");
            break;
        case ID_PLATFORM_COMBO: {
            ASSERT_NE(combo, nullptr);
            EXPECT_FALSE(combo->GetDropDown());
            EXPECT_EQ(combo->GetWidth(), 80);
            ASSERT_EQ(combo->GetCount(), 2);
            EXPECT_EQ(Line(*combo, 1), "Varnok 2");
            // Picking "Varnok 2" sets the platform at once.
            combo->SetCurSel(1);
            NMXTPCONTROL notify = {};
            notify.hdr.code = CBN_XTP_EXECUTE;
            notify.pControl = combo;
            g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
            EXPECT_TRUE(OnPlatformComboExecute(&notify.hdr));
            EXPECT_EQ(g_solutionConfig.Platform, zPLATFORM_SECOND_GAME);
            break;
        }
        case ID_SET_ACTIVE_PROJECT:
            EXPECT_TRUE(request.pControl->IsKindOf(RUNTIME_CLASS(CControlActiveProjectList)));
            EXPECT_EQ(std::string(request.pControl->GetCaption()), "No active project");
            break;
        case ID_RECENT_SOLUTIONS:
            EXPECT_TRUE(request.pControl->IsKindOf(RUNTIME_CLASS(CControlRecentProjectList)));
            EXPECT_EQ(std::string(request.pControl->GetCaption()), "No recent solutions");
            break;
        }
        request.pControl->InternalRelease();
    }
    g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
    standard->InternalRelease();
    other->InternalRelease();
}

TEST_F(FrameSettingsTest, ThePlatformComboFollowsThePlatformAtTheIdleUpdate)
{
    auto* bar = static_cast<CXTPToolBar*>(CXTPToolBar::CreateObject());
    bar->GetControls()->Add(xtpControlButton, 57600);
    auto* combo = dynamic_cast<CXTPControlComboBox*>(bar->GetControls()->Add(xtpControlComboBox, ID_PLATFORM_COMBO));
    ASSERT_NE(combo, nullptr);
    combo->AddString("Varnok");
    combo->AddString("Varnok 2");
    combo->SetCurSel(1);

    CCmdUI state;  // as the bar's update pass fills it: the bar and the control's index
    state.m_pOther = bar;
    state.m_nIndex = 1;
    state.m_nID = ID_PLATFORM_COMBO;
    g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;  // a solution saved for the first game was loaded
    UpdatePlatformCombo(&state);
    EXPECT_EQ(combo->GetCurSel(), 0);
    g_solutionConfig.Platform = zPLATFORM_SECOND_GAME;
    UpdatePlatformCombo(&state);
    EXPECT_EQ(combo->GetCurSel(), 1);

    // An update for a control that is no combo (or a bar without one) changes nothing.
    state.m_nIndex = 0;
    UpdatePlatformCombo(&state);
    state.m_nIndex = 7;
    UpdatePlatformCombo(&state);
    EXPECT_EQ(combo->GetCurSel(), 1);
    g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
    bar->InternalRelease();
}

}  // namespace
