// The parser object's reset, the compile driver's choice of step, source lists and
// the compiler's error report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JobGlobalsSnapshot.h"
#include "ScriptParseFixture.h"

namespace {

class ParserDriverTest : public ScriptParseFixture {
protected:
    void SetUp() override
    {
        ScriptParseFixture::SetUp();
        g_jobMode = zJOB_COMPILE_SCRIPTS;
        // A job is running: the stop poll lets it go on.
        host.GetSettings().BuildJobThread = 1;
    }
    // A fatal message clears the run marker, as it ends the job.
    void NextJob()
    {
        parser.Reset();
        host.GetSettings().BuildJobThread = 1;
    }

    std::vector<std::string> ParsedNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < parser.GetNumFiles(); ++i)
            names.push_back(parser.GetFileName(i));
        return names;
    }

private:
    JobGlobalsSnapshot savedGlobals;
};

TEST_F(ParserDriverTest, ResetLeavesOnlyTheHelpInstance)
{
    parser.GetSymbolTable().Insert(new zCPar_Symbol);
    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    parser.Reset();

    ASSERT_EQ(parser.GetSymbolTable().GetNumInList(), 1);
    const zCPar_Symbol* help = parser.GetSymbolTable().GetSymbol(0);
    EXPECT_EQ(help->name, "\xFFINSTANCE_HELP");
    EXPECT_EQ(help->GetType(), zPAR_TYPE_INSTANCE);
    EXPECT_EQ(help->GetElementCount(), 1);
    EXPECT_EQ(help->declaredType, zPAR_TYPE_INSTANCE);
    EXPECT_EQ(parser.GetHelpInstance(), 0);
    EXPECT_EQ(parser.GetErrorMode(), zPAR_ERROR_FATAL);
    EXPECT_EQ(parser.GetSaveAllowed(), 1);
}

TEST_F(ParserDriverTest, CompileChoosesItsStepByName)
{
    box.Write("script.d", "");
    struct Case {
        int mode;
        const char* name;
        int result;
        int files;
        int linked;
    };
    const Case cases[] = {
        {1, "script.d", 0, 1, 0},     // one script without a list
        {1, ".d", -1, 0, 0},          // a name that begins with ".D" is no script
        {1, "readme.txt", -1, 0, 0},  // nothing at all: -1, no message
        {0, "readme.txt", -1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        parser.Reset();
        g_jobMode = c.mode;
        EXPECT_EQ(parser.Compile(c.name), c.result);
        EXPECT_EQ(parser.GetNumFiles(), c.files);
        EXPECT_EQ(parser.IsLinked(), c.linked);
        EXPECT_EQ(parser.GetCompiledFileName(), c.name);
    }
    EXPECT_FALSE(HasLine("Error"));

    // Decompile: the .dat of the list's base name, whose absence ends the job.
    parser.Reset();
    g_jobMode = zJOB_DECOMPILE_DAT;
    EXPECT_THROW(parser.Compile("sub\\Varnok.src"), zTFatalAbort);
    EXPECT_EQ(parser.IsLinked(), 1);
    EXPECT_TRUE(HasLine("Varnok.dat"));
}

TEST_F(ParserDriverTest, SourceListTakesItsEntriesAsTheyStand)
{
    box.Write("a.d", "");
    box.Write("sub/b.d", "");
    box.Write("sub/C.D", "");
    box.Write("sub/x.txt", "");
    box.Write("nested/inner.src", "i.d\n");
    box.Write("nested/i.d", "");
    box.Write("last.d", "");
    // No comments, no trimming; the last line has no line break and still counts.
    box.Write("Varnok.src", "a.d\r\nSUB\\*.d\r\n// x.d\r\nnotes.txt\r\n\r\nnested\\inner.src\r\na.d\r\nlast.d");
    parser.SetErrorMode(zPAR_ERROR_COUNTED);

    EXPECT_EQ(parser.Compile("Varnok.src"), 0);

    EXPECT_EQ(ParsedNames(), (std::vector<std::string>{"a.d", "SUB\\b.d", "SUB\\C.D", "nested\\i.d", "last.d"}));
    // The slashes are part of a file name that does not exist.
    EXPECT_TRUE(HasLine("File '// x.d' not found."));
    EXPECT_TRUE(HasLine("Ignoring 'a.d' ( File already parsed )"));
    EXPECT_EQ(parser.GetErrorCount(), 1);
}

TEST_F(ParserDriverTest, EmptyProjectListStillGivesAProgressStep)
{
    box.Write("one.d", "");
    box.Write("Varnok.src", "one.d\n");
    host.sourceListEntries = 0;
    EXPECT_EQ(parser.Compile("Varnok.src"), 0);
    EXPECT_EQ(ParsedNames(), std::vector<std::string>{"one.d"});
    EXPECT_EQ(host.GetProgress(), 100000);
}

TEST_F(ParserDriverTest, ListFaultsEndTheBuildInTheDefaultMode)
{
    box.Write("nomatch.src", "first.d\nnone\\*.d\nafter.d\n");
    box.Write("first.d", "");
    box.Write("after.d", "");
    box.Write("none/keep.txt", "");

    EXPECT_THROW(parser.Compile("missing.src"), zTFatalAbort);
    EXPECT_TRUE(HasLine("Source-File 'missing.src' not found."));

    NextJob();
    EXPECT_THROW(parser.Compile("nomatch.src"), zTFatalAbort);
    EXPECT_TRUE(HasLine("Found no matching file: none\\*.d"));

    // Counted: the rest of that list is not read, the build goes on.
    NextJob();
    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    EXPECT_EQ(parser.Compile("nomatch.src"), 0);
    EXPECT_EQ(ParsedNames(), std::vector<std::string>{"first.d"});
}

TEST_F(ParserDriverTest, ListThatIncludesItselfIsReportedWithItsLine)
{
    box.Write("a.src", "one.d\nb.src\n");
    box.Write("b.src", "two.d\n\na.src\n");
    box.Write("one.d", "");
    box.Write("two.d", "");

    EXPECT_THROW(parser.Compile("a.src"), zTFatalAbort);
    EXPECT_TRUE(HasLine("b.src(3):   Error: Source list 'a.src' includes itself."));

    NextJob();
    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    EXPECT_EQ(parser.Compile("a.src"), 0);
    EXPECT_EQ(ParsedNames(), (std::vector<std::string>{"one.d", "two.d"}));
    EXPECT_EQ(parser.GetErrorCount(), 1);

    // A list named twice side by side is no cycle.
    parser.Reset();
    box.Write("c.src", "one.d\n");
    box.Write("d.src", "c.src\nc.src\n");
    EXPECT_EQ(parser.Compile("d.src"), 0);
    EXPECT_EQ(ParsedNames(), std::vector<std::string>{"one.d"});
}

TEST_F(ParserDriverTest, StopRequestEndsTheListAfterTheCurrentFile)
{
    box.Write("one.d", "");
    box.Write("two.d", "");
    box.Write("Varnok.src", "one.d\ntwo.d\n");
    host.GetSettings().BuildJobThread = 0;

    EXPECT_THROW(parser.Compile("Varnok.src"), zTBuildStopped);
    EXPECT_EQ(ParsedNames(), std::vector<std::string>{"one.d"});
    EXPECT_TRUE(HasLine("Break building: 0 error(s), 0 warning(s)"));
}

TEST_F(ParserDriverTest, ErrorReportFollowsTheMode)
{
    zCPar_File* record = parser.NewFileRecord("T.D");
    record->SetText("one\ntwo\nthree\n");
    parser.StartReading(record);

    parser.SetErrorMode(zPAR_ERROR_COUNTED);
    parser.Error("counted", 0, 7);
    parser.Error("no position", -1, 7);
    parser.SetErrorMode(zPAR_ERROR_MESSAGE);
    parser.Error("plain", 0, -1);
    parser.SetErrorMode(zPAR_ERROR_FATAL);
    EXPECT_THROW(parser.Error("fatal", 0, -1), zTFatalAbort);

    const std::vector<std::string> texts = Texts();
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0], "T.D(7):   Error: counted");
    EXPECT_EQ(texts[1], "Error: no position");
    EXPECT_EQ(texts[2], "plain");
    EXPECT_EQ(texts[3], "T.D(1):   Error: fatal");
    EXPECT_EQ(parser.GetErrorCount(), 2);
    EXPECT_EQ(parser.GetErrorFlag(), 1);
}

} // namespace
