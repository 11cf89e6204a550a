// The application's start in its order, its language from the profile, the projects folder,
// the end through WM_CLOSE, Escape for the find workers.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "AppFixture.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CSolutionConfig.h"
#include "OpenDocuments.h"
#include "IdeServices.h"
#include "zCOption.h"
#include "CXTPDockingPane.h"
#include "UiTestProbes.h"

TEST_F(AppTest, StartMakesTheProjectsFolderBesideAndEndsWithZeroAfterSaving)
{
    Start();
    const std::string projects = root + "\\Varnok Projects\\";
    EXPECT_NE(::GetFileAttributesA((projects + "Anims").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(std::string(g_solutionConfig.ProjectsRoot), projects);
    EXPECT_EQ(std::string(g_solutionConfig.StartDirectory), root + "\\Ide");
    EXPECT_EQ(std::string(zCOption::GetStartDirectory().c_str()), root + "\\Ide") << "the engine's base";
    EXPECT_EQ(g_solutionConfig.Ready.load(), 1);
    EXPECT_TRUE(app->Frame()->IsWindowVisible());

    EXPECT_EQ(CloseAndRun(), 0);
    EXPECT_EQ(ReadSettingsValue("Current Language"), 1033u);
    std::string placement;
    EXPECT_NE(ReadSettingsValue("Window Position", &placement), static_cast<DWORD>(-1));
    EXPECT_FALSE(placement.empty());
    EXPECT_NE(ReadFileText(LayoutFile("_en")).find("<DockingPane>"), std::string::npos);
    EXPECT_EQ(::GetFileAttributesA((LayoutFile("_en") + ".new").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the layout is written beside and moved over";
}

TEST(TavrelinApp, ProjectsRootIsBesideTheStartFolder)
{
    const struct {
        const char* start;
        const char* root;
    } cases[] = {
        {"C:\\Tools\\Ide", "C:\\Tools\\Varnok Projects\\"},
        {"C:\\", "C:\\Varnok Projects\\"},
        {"Ide", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(CTavrelinApp::ProjectsRootFor(c.start)), c.root) << c.start;
}

TEST_F(AppTest, StoredLanguageChoosesTheInterfaceGermanStaysDisabled)
{
    const struct {
        int stored;
        int language;
        const char* title;  // of the output pane
    } cases[] = {
        {1031, 1031, "Meldungsfenster"},
        {1040, 1033, "Message window"},
        {1033, 1033, "Message window"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Start(c.stored);
        EXPECT_EQ(app->m_nLanguage, c.language);
        EXPECT_EQ(g_solutionConfig.Language, c.language);
        CXTPDockingPane* pOutput = app->Frame()->GetDockingPaneManager()->FindPane(ID_PANE_OUTPUT);
        ASSERT_NE(pOutput, nullptr);
        EXPECT_EQ(std::string(pOutput->GetTitle()), c.title);
        const CommandStateProbe german = CommandStateOf(app.get(), 32832);
        EXPECT_EQ(german.enabled, FALSE);
        EXPECT_NE(german.checked, 1);
        EXPECT_EQ(CommandStateOf(app.get(), 32829).checked, c.language == 1033 ? 1 : 0);
        EXPECT_EQ(CloseAndRun(), 0);
        EXPECT_EQ(ReadSettingsValue("Current Language"), static_cast<DWORD>(c.language));
        app.reset();
        DeleteTestProfile();
    }
}

TEST_F(AppTest, EscapeStopsARunningFindWorkerAndStillReachesTheWindow)
{
    Start();
    const struct {
        std::uintptr_t worker;
        WPARAM key;
        std::uintptr_t after;
    } cases[] = {
        {0, VK_ESCAPE, 0},
        {0x1234, VK_ESCAPE, 0},
        {0x1234, VK_RETURN, 0x1234},
    };
    for (const auto& c : cases) {
        g_solutionConfig.FindThread = c.worker;
        MSG msg = {app->Frame()->GetSafeHwnd(), WM_KEYDOWN, c.key, 0, 0, {0, 0}};
        EXPECT_FALSE(app->PreTranslateMessage(&msg)) << "the key goes on its normal way";
        EXPECT_EQ(g_solutionConfig.FindThread.load(), c.after);
    }
    g_solutionConfig.FindThread = 0;
}

TEST_F(AppTest, ABuildSummaryBringsTheClosedOutputPaneBackAtIdle)
{
    Start();
    CXTPDockingPaneManager* pManager = app->Frame()->GetDockingPaneManager();
    CXTPDockingPane* pOutput = pManager->FindPane(ID_PANE_OUTPUT);
    pOutput->Close();
    ASSERT_TRUE(pOutput->IsClosed());
    app->OnIdle(0);
    EXPECT_TRUE(pOutput->IsClosed()) << "nothing written, nothing shown";

    // The summary comes from a job's thread, through the application's services.
    std::atomic<bool> done{false};
    std::thread job([&] {
        zGetIdeServices()->ReportBuildSummary(0);
        done = true;
    });
    while (!done)
        Pump();
    job.join();
    Pump();  // the summary's posted change, when the job ended before the pump came to it
    app->OnIdle(0);
    EXPECT_FALSE(pOutput->IsClosed());
    int errors = -1;
    int warnings = -1;
    app->Frame()->GetOutputPane()->GetBuildResult(&errors, &warnings);
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(warnings, 0);
}

TEST_F(AppTest, SavingModifiedDocumentsPassesOverTheUntitledOne)
{
    Start();
    // The first start's new script, typed into: it has no file to be saved to.
    CDocument* pUntitled = nullptr;
    for (POSITION tpl = app->GetFirstDocTemplatePosition(); tpl && !pUntitled;) {
        CDocTemplate* pTemplate = app->GetNextDocTemplate(tpl);
        POSITION doc = pTemplate->GetFirstDocPosition();
        pUntitled = doc ? pTemplate->GetNextDoc(doc) : nullptr;
    }
    ASSERT_NE(pUntitled, nullptr);
    ASSERT_TRUE(pUntitled->GetPathName().IsEmpty());
    pUntitled->SetModifiedFlag(TRUE);
    SaveModifiedDocuments();
    EXPECT_TRUE(pUntitled->IsModified());
    EXPECT_EQ(app->m_nPrompts, 0) << "no failed save to be told of";
}

TEST_F(AppTest, TheAboutCommandIsOn)
{
    Start();
    CommandStateProbe about;
    about.m_nID = 57664;
    about.DoUpdate(app->Frame(), TRUE);  // off where nothing handles it
    EXPECT_EQ(about.enabled, TRUE);
    EXPECT_EQ(CloseAndRun(), 0);
}
