// The message reporter: line forms, counts, filtering and how a fatal message ends a job.
#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "ReporterCapture.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

class ErrorReporter : public ReporterCapture {
protected:
    void TearDown() override
    {
        g_errorReporter.SetFatalHandler(&zERROR::DefaultFatalHandler);
        SetInterfaceLanguage(zLANG_ENGLISH);
        ReporterCapture::TearDown();
    }
};

using Lines = std::vector<std::string>;

TEST_F(ErrorReporter, LineFormsByLevelAndPosition)
{
    g_errorReporter.Report(zERR_WARNING, "text", "a.d", 12);
    g_errorReporter.Report(zERR_ERROR, "bad", "b.d", 3);
    g_errorReporter.Report(zERR_MESSAGE, "plain", "a.d", 12);  // a message has no position
    g_errorReporter.Report(0, "no level", nullptr, -1);        // outside 1-4: plain, no prefix
    g_errorReporter.Warning("loose");                          // no line: the text alone
    g_errorReporter.Report(zERR_ERROR, "a\tb", nullptr, -1);

    EXPECT_EQ(Texts(), (Lines{"a.d(12):   Warning: text", "b.d(3):   Error: bad", "plain", "no level",
                              "Warning: loose", "Error: a    b"}));
    EXPECT_EQ(host.GetWarningCount(), 2);
    EXPECT_EQ(host.GetErrorCount(), 2);
    const auto lines = host.GetLines();
    EXPECT_EQ(lines[0].kind, zMSG_WARNING);
    EXPECT_EQ(lines[1].kind, zMSG_ERROR);
    EXPECT_EQ(lines[2].kind, zMSG_PLAIN);
}

TEST_F(ErrorReporter, PrefixesFollowTheInterfaceLanguage)
{
    SetInterfaceLanguage(zLANG_GERMAN);
    g_errorReporter.Warning("x");
    EXPECT_EQ(Texts(), (Lines{"Warnung: x"}));
}

TEST_F(ErrorReporter, NegativeFilterDropsAllButFatal)
{
    g_errorReporter.SetFilterLevel(-1);
    g_errorReporter.Error("dropped");
    g_errorReporter.Warning("dropped");
    EXPECT_TRUE(host.GetLines().empty());
    EXPECT_EQ(host.GetErrorCount(), 0);

    EXPECT_THROW(g_errorReporter.Fatal("shown"), zTFatalAbort);
    // A fatal message is shown and the summary follows at once.
    EXPECT_EQ(Texts(), (Lines{"Error: shown", "1 error(s), 0 warning(s)"}));
}

TEST_F(ErrorReporter, FilterComesFromTheHostSettings)
{
    host.GetSettings().LevelMessage = 3;
    SetFilterFromSettings();
    EXPECT_EQ(g_errorReporter.GetFilterLevel(), 3);
}

// A fatal message deep inside a job unwinds to the worker's entry: the stack's
// objects are released, the run marker is cleared and the job ends with -1.
TEST_F(ErrorReporter, FatalMessageEndsTheJobByUnwinding)
{
    struct OpenResource {
        bool* released;
        ~OpenResource() { *released = true; }
    };
    host.GetSettings().BuildJobThread = 1234;
    bool released = false;
    bool pastFatal = false;
    int exitCode = 0;

    std::thread worker([&] {
        exitCode = zRunJobGuarded([&] {
            OpenResource file{&released};
            g_errorReporter.Report(zERR_FATAL, "cannot open", "x.d", 7);
            pastFatal = true;
            return 0;
        });
    });
    worker.join();

    EXPECT_EQ(exitCode, -1);
    EXPECT_TRUE(released);
    EXPECT_FALSE(pastFatal);
    EXPECT_EQ(host.GetSettings().BuildJobThread.load(), 0u);
    EXPECT_EQ(Texts(), (Lines{"x.d(7):   Error: cannot open", "1 error(s), 0 warning(s)"}));
}

TEST_F(ErrorReporter, WithoutHostMessagesAreDroppedButFatalStillEndsTheJob)
{
    zSetIdeServices(nullptr);
    g_errorReporter.Error("nobody listens");
    EXPECT_EQ(zRunJobGuarded([] {
                  g_errorReporter.Fatal("gone");
                  return 0;
              }),
              -1);
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ErrorReporter, JobEndsOnAnyExceptionWithAFatalLine)
{
    EXPECT_EQ(zRunJobGuarded([] { return 5; }), 5);
    host.GetSettings().BuildJobThread = 77;
    EXPECT_EQ(zRunJobGuarded([]() -> int { throw std::out_of_range("index 9 outside 0..3"); }), -1);
    EXPECT_EQ(Texts(), (Lines{"Error: index 9 outside 0..3", "1 error(s), 0 warning(s)"}));
    EXPECT_EQ(host.GetSettings().BuildJobThread.load(), 0u);
}

TEST_F(ErrorReporter, HostRenamesTheFileOfItsLastLines)
{
    g_errorReporter.Report(zERR_WARNING, "early", "old.d", 1);
    g_errorReporter.Report(zERR_WARNING, "other", "other.d", 2);
    g_errorReporter.Report(zERR_ERROR, "late", "old.d", 3);
    g_errorReporter.Report(zERR_WARNING, "later", "old.d", 4);
    g_errorReporter.Report(zERR_MESSAGE, "about old.d", "old.d", 5);  // unpositioned, same file
    host.ReplaceFileInLastMessages("", "X");                            // no file: nothing to rename
    host.ReplaceFileInLastMessages("old.d", "Story\\new.d");
    // The walk back stops at the first line naming another file.
    EXPECT_EQ(Texts(), (Lines{"old.d(1):   Warning: early", "other.d(2):   Warning: other",
                              "Story\\new.d(3):   Error: late", "Story\\new.d(4):   Warning: later",
                              "about old.d"}));
}

TEST_F(ErrorReporter, BreakSummaryCountsWhatWasReported)
{
    g_errorReporter.Report(zERR_ERROR, "e", "a.d", 1);
    g_errorReporter.Report(zERR_WARNING, "w", "a.d", 2);
    g_errorReporter.Report(zERR_WARNING, "w", "a.d", 3);
    host.ReportBuildSummary(1);
    EXPECT_EQ(Texts().back(), "Break building: 1 error(s), 2 warning(s)");
}

} // namespace
