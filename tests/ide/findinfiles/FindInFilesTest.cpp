// Find and replace in files: rows, hits per line, whole words, line endings kept, untouched files,
// the stop after a line or a file, one worker at a time, and a rewrite that fails.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "FindInFiles.h"
#include "OutputPaneFixture.h"
#include "UiTestProbes.h"

namespace {

constexpr std::uintptr_t kRunning = 1;

class FindInFilesTest : public OutputPaneTest {
protected:
    void TearDown() override
    {
        g_solutionConfig.FindThread = 0;
        OutputPaneTest::TearDown();
    }

    FindInFilesRequest Request(const char* find, std::vector<std::string> names, const char* replacement = "")
    {
        FindInFilesRequest request;
        request.findText = find;
        request.replaceText = replacement;
        for (const std::string& name : names)
            request.paths.push_back(Path(name).c_str());
        return request;
    }
    // Runs a worker on this thread, as if it had been started; stopped first when asked.
    void Run(FindInFilesRequest request, BOOL replacing, bool stopped = false)
    {
        g_solutionConfig.FindThread = stopped ? 0 : kRunning;
        auto* argument = new FindInFilesRequest(std::move(request));
        replacing ? ReplaceInFilesThread(argument) : FindInFilesThread(argument);
        EXPECT_EQ(g_solutionConfig.FindThread.load(), 0u) << "the run flag is cleared at the end";
    }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < Find().GetItemCount(); ++i)
            rows.push_back(Row(Find(), i));
        return rows;
    }
    std::string HitRow(const std::string& name, int line, const std::string& text)
    {
        return Path(name) + "(" + std::to_string(line) + "):   " + text;
    }
    int FilesInFolder()
    {
        int count = 0;
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do
            count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return count;
    }
};

TEST_F(FindInFilesTest, AnEmptyListGivesTheStartAndAtOnceTheEndRow)
{
    Run(Request("Npc", {}), FALSE);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Searching for 'Npc'...", "0 occurrence(s) have been found."}));
}

TEST_F(FindInFilesTest, EachLineWithAHitIsListedOnceWithItsTabsAsBlanks)
{
    WriteFile(Path("a.d"), "func void f()\r\n\tx = Npc + Npc + Npc;\r\nNPC\n// no\n");
    WriteFile(Path("b.d"), "Npc");
    Run(Request("Npc", {"a.d", "missing.d", "*.d", "b.d"}), FALSE);
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "Searching for 'Npc'...",
                          HitRow("a.d", 2, "    x = Npc + Npc + Npc;"),
                          HitRow("a.d", 3, "NPC"),
                          HitRow("b.d", 1, "Npc"),
                          "3 occurrence(s) have been found.",
                      }))
        << "a missing file and a pattern are passed over without a row";
    EXPECT_EQ(Find().GetLineItem(2)->line, 2);
}

TEST_F(FindInFilesTest, AFolderIsPassedOverAndAFileThatCannotBeOpenedGetsARow)
{
    WriteFile(Path("a.d"), "Npc\r\n");
    WriteFile(Path("locked.d"), "Npc\r\n");
    WriteFile(Path("b.d"), "Npc\r\n");
    ASSERT_TRUE(::CreateDirectoryA(Path("sub.d").c_str(), nullptr));
    // Held open without sharing: the worker's open fails although the file is there.
    const HANDLE held = ::CreateFileA(Path("locked.d").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Run(Request("Npc", {"a.d", "sub.d", "locked.d", "b.d"}), FALSE);
    ::CloseHandle(held);
    ::RemoveDirectoryA(Path("sub.d").c_str());
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "Searching for 'Npc'...",
                          HitRow("a.d", 1, "Npc"),
                          Path("locked.d") + ": the file could not be read.",
                          HitRow("b.d", 1, "Npc"),
                          "2 occurrence(s) have been found.",
                      }));
}

TEST_F(FindInFilesTest, CaseAndWholeWordDecideWhatCounts)
{
    const struct {
        const char* line;
        const char* find;
        BOOL matchCase;
        BOOL wholeWord;
        int hits;
    } cases[] = {
        {"hero", "HERO", FALSE, FALSE, 1},
        {"hero", "HERO", TRUE, FALSE, 0},
        {"heroes", "hero", FALSE, TRUE, 0},       // only the start of a longer word
        {"heroes hero", "hero", FALSE, TRUE, 1},  // a later occurrence stands alone
        {"my_hero", "hero", FALSE, TRUE, 0},
        {"(hero)", "hero", FALSE, TRUE, 1},
        {"anything", "", FALSE, FALSE, 0},  // an empty text finds nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " / " + c.find);
        WriteFile(Path("a.d"), c.line);
        FindInFilesRequest request = Request(c.find, {"a.d"});
        request.matchCase = c.matchCase;
        request.wholeWord = c.wholeWord;
        Run(request, FALSE);
        EXPECT_EQ(static_cast<int>(Rows().size()) - 2, c.hits);
    }
}

TEST_F(FindInFilesTest, AFileIsSearchedWholeWithTheLinesAndEndingsOfALineByLineSearch)
{
    // Past the first 64 KiB, a hit across that boundary on line 2001.
    std::string large;
    for (int i = 0; i < 2000; ++i)
        large += "nothing here\r\n";
    large.resize(65536 - 2, 'x');
    large += " Npc\r\nNpc";
    const struct {
        const char* name;
        std::string bytes;
        const char* find;
        BOOL matchCase;
        BOOL wholeWord;
        std::vector<std::pair<int, std::string>> hits;
    } cases[] = {
        {"last line without an ending", "a\r\nb Npc", "Npc", FALSE, FALSE, {{2, "b Npc"}}},
        {"CRLF, LF and a lone CR inside a line", "Npc\r\nx\nNpc\ry Npc\n\r\nNpc\r\n", "Npc", FALSE, FALSE,
         {{1, "Npc"}, {3, "Npc\ry Npc"}, {5, "Npc"}}},
        {"whole word at the line's end before CRLF", "x Npc\r\nNpcs\r\n", "Npc", FALSE, TRUE, {{1, "x Npc"}}},
        {"a text over a line end is no hit", "x Np\r\nc\nNp\nc", "Npc", FALSE, FALSE, {}},
        {"a CR ending the text belongs to the line end", "Npc\r\n", "Npc\r", FALSE, FALSE, {}},
        {"a CR at the very end stays in the last line", "a\nNpc\r", "Npc\r", FALSE, FALSE, {{2, "Npc\r"}}},
        {"a later whole word on a line of longer ones", "heroes heroes_ hero\nheroes\n", "hero", FALSE, TRUE,
         {{1, "heroes heroes_ hero"}}},
        {"repeated letters", "aaa\naaa aa\n", "aa", TRUE, TRUE, {{2, "aaa aa"}}},
        {"case folded both ways", "nEEdLe\nNEEDLE\nneedl\n", "Needle", FALSE, FALSE,
         {{1, "nEEdLe"}, {2, "NEEDLE"}}},
        {"one letter, first and last byte", "x\n\n\nyx", "X", FALSE, FALSE, {{1, "x"}, {4, "yx"}}},
        {"a text longer than the file", "Np", "Npc", FALSE, FALSE, {}},
        {"an empty file", "", "Npc", FALSE, FALSE, {}},
        {"past the first 64 KiB", large, "Npc", TRUE, TRUE,
         {{2001, std::string(65536 - 2 - 2000 * 14, 'x') + " Npc"}, {2002, "Npc"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(Path("a.d"), c.bytes);
        FindInFilesRequest request = Request(c.find, {"a.d"});
        request.matchCase = c.matchCase;
        request.wholeWord = c.wholeWord;
        Run(request, FALSE);
        std::vector<std::string> expected{std::string("Searching for '") + c.find + "'..."};
        for (const auto& hit : c.hits)
            expected.push_back(HitRow("a.d", hit.first, hit.second));
        expected.push_back(std::to_string(c.hits.size()) + " occurrence(s) have been found.");
        EXPECT_EQ(Rows(), expected);
        for (std::size_t i = 0; i < c.hits.size(); ++i)
            EXPECT_EQ(Find().GetLineItem(static_cast<int>(i) + 1)->line, c.hits[i].first - 1);
    }
}

// The plain way: each line on its own, upper-cased unless the case counts, every place tried.
std::vector<std::pair<int, std::string>> LinesWithAHit(const std::string& text, const std::string& find,
                                                       bool matchCase, bool wholeWord)
{
    const auto fold = [&](char c) { return matchCase ? c : static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
    const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    std::vector<std::pair<int, std::string>> hits;
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        const std::string line = text.substr(start, end - start);
        for (std::size_t at = 0; !find.empty() && at + find.size() <= line.size(); ++at) {
            bool same = true;
            for (std::size_t i = 0; same && i < find.size(); ++i)
                same = fold(line[at + i]) == fold(find[i]);
            const bool alone = !wholeWord || ((at == 0 || !word(line[at - 1])) &&
                                              (at + find.size() == line.size() || !word(line[at + find.size()])));
            if (same && alone) {
                hits.emplace_back(number, line);
                break;
            }
        }
        start = next;
    }
    return hits;
}

TEST_F(FindInFilesTest, WholeFileSearchFindsWhatALineByLineSearchFinds)
{
    // Lines of every length around the 16-byte steps of the search, the searched text at every
    // place in them, in both cases and inside longer words, and files ending anywhere.
    std::string text;
    unsigned seed = 12345;
    const auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    const char* pieces[] = {"Npc", "npc", "NPCs", "xnpc", "_Npc_", "N", "pc", " ", "\t", "a", "Np\r", "NpcNpc", "yy"};
    for (int line = 0; line < 600; ++line) {
        const int count = static_cast<int>(next() % 12);
        for (int i = 0; i < count; ++i)
            text += pieces[next() % (sizeof pieces / sizeof *pieces)];
        text += next() % 3 == 0 ? "\n" : "\r\n";
    }
    const struct {
        const char* find;
        bool matchCase;
        bool wholeWord;
    } searches[] = {{"Npc", false, false}, {"Npc", true, false}, {"npc", false, true}, {"N", true, true},
                    {"pc", false, false},  {"NpcNpc", false, false}, {"c\tN", false, false}, {"_npc_", false, true}};
    for (std::size_t cut : {text.size(), text.size() - 1, text.size() / 2 + 7}) {
        const std::string bytes = text.substr(0, cut);
        WriteFile(Path("a.d"), bytes);
        for (const auto& search : searches) {
            SCOPED_TRACE(testing::Message() << search.find << " case " << search.matchCase << " word "
                                            << search.wholeWord << " size " << cut);
            FindInFilesRequest request = Request(search.find, {"a.d"});
            request.matchCase = search.matchCase;
            request.wholeWord = search.wholeWord;
            Run(request, FALSE);
            const auto expected = LinesWithAHit(bytes, search.find, search.matchCase, search.wholeWord);
            const std::vector<std::string> rows = Rows();
            ASSERT_EQ(rows.size(), expected.size() + 2);
            for (std::size_t i = 0; i < expected.size(); ++i) {
                std::string shown;
                for (char c : expected[i].second)
                    shown += c == '\t' ? std::string(4, ' ') : std::string(1, c);
                ASSERT_EQ(rows[i + 1], HitRow("a.d", expected[i].first, shown));
            }
        }
    }
}

TEST_F(FindInFilesTest, ManyFilesAreListedInTheirOrderWithEveryHit)
{
    // Many files with missing ones between them, and a file with more hits than are found
    // between two looks at the clock.
    std::vector<std::string> names;
    int hits = 0;
    for (int f = 0; f < 12; ++f) {
        const std::string name = "f" + std::to_string(f) + ".d";
        names.push_back(name);
        if (f % 4 == 2) {
            names.push_back("missing" + std::to_string(f) + ".d");
            continue;  // never written
        }
        std::string text;
        const int lines = f == 5 ? 2500 : 3;
        for (int i = 0; i < lines; ++i)
            text += "Npc " + std::to_string(f) + "/" + std::to_string(i) + "\r\n";
        hits += lines;
        WriteFile(Path(name), text);
    }
    Run(Request("Npc", names), FALSE);
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(static_cast<int>(rows.size()), hits + 2);
    int row = 1;
    for (int f = 0; f < 12; ++f) {
        if (f % 4 == 2)
            continue;
        const int lines = f == 5 ? 2500 : 3;
        for (int i = 0; i < lines; ++i, ++row) {
            ASSERT_EQ(rows[row], HitRow("f" + std::to_string(f) + ".d", i + 1,
                                        "Npc " + std::to_string(f) + "/" + std::to_string(i)));
            ASSERT_EQ(Find().GetLineItem(row)->line, i);
        }
    }
    EXPECT_EQ(rows.back(), std::to_string(hits) + " occurrence(s) have been found.");
}

TEST_F(FindInFilesTest, ReplaceChangesTheFirstHitPerLineAndKeepsEveryLineEnding)
{
    const std::string untouched = "no hit here\rat all\n\n";
    WriteFile(Path("a.d"), "x = Npc + Npc + Npc;\r\nother\nNpc\tlast");
    WriteFile(Path("b.d"), untouched);
    WriteFile(Path("a.tmp"), "someone's file");
    FILETIME before{};
    {
        const HANDLE file = ::CreateFileA(Path("b.d").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ::GetFileTime(file, nullptr, nullptr, &before);
        ::CloseHandle(file);
    }
    ::Sleep(20);
    Run(Request("Npc", {"a.d", "b.d"}, "Hero"), TRUE);

    EXPECT_EQ(ReadFile(Path("a.d")), "x = Hero + Npc + Npc;\r\nother\nHero\tlast");
    EXPECT_EQ(ReadFile(Path("b.d")), untouched);
    EXPECT_EQ(ReadFile(Path("a.tmp")), "someone's file") << "a file of the old temporary name is left alone";
    FILETIME after{};
    const HANDLE file = ::CreateFileA(Path("b.d").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ::GetFileTime(file, nullptr, nullptr, &after);
    ::CloseHandle(file);
    EXPECT_EQ(::CompareFileTime(&before, &after), 0) << "a file without hits is not written";
    EXPECT_EQ(FilesInFolder(), 3) << "no temporary file stays";
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "Replacing 'Npc' with 'Hero'...",
                          HitRow("a.d", 1, "x = Hero + Npc + Npc;"),
                          HitRow("a.d", 3, "Hero    last"),
                          "2 occurrence(s) have been found.",
                      }));
}

TEST_F(FindInFilesTest, AStopEndsFindAfterTheLineAndReplaceAfterTheFile)
{
    WriteFile(Path("a.d"), "Npc 1\nNpc 2\nNpc 3\n");
    WriteFile(Path("b.d"), "Npc 4\n");
    Run(Request("Npc", {"a.d", "b.d"}), FALSE, true);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Searching for 'Npc'...", HitRow("a.d", 1, "Npc 1"),
                                                "Break searching... 1 occurrence(s) have been found."}));

    Run(Request("Npc", {"a.d", "b.d"}, "Hero"), TRUE, true);
    EXPECT_EQ(ReadFile(Path("a.d")), "Hero 1\nHero 2\nHero 3\n") << "the file in hand is finished";
    EXPECT_EQ(ReadFile(Path("b.d")), "Npc 4\n");
    EXPECT_EQ(Rows().back(), "Break searching... 3 occurrence(s) have been found.");
}

TEST_F(FindInFilesTest, AFileThatCannotBeRewrittenStaysAsItWasAndARowSaysSo)
{
    WriteFile(Path("a.d"), "Npc\r\n");
    WriteFile(Path("b.d"), "Npc\r\n");
    ::SetFileAttributesA(Path("a.d").c_str(), FILE_ATTRIBUTE_READONLY);
    Run(Request("Npc", {"a.d", "b.d"}, "Hero"), TRUE);
    ::SetFileAttributesA(Path("a.d").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(ReadFile(Path("a.d")), "Npc\r\n");
    EXPECT_EQ(ReadFile(Path("b.d")), "Hero\r\n") << "the next file is still done";
    EXPECT_EQ(FilesInFolder(), 2) << "the temporary file is gone";
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2], Path("a.d") + ": the file could not be rewritten and is unchanged.");
    EXPECT_EQ(TextColor(Find(), 2), static_cast<long long>(CListCtrlForFlatTab::KindColor(2)));
}

TEST_F(FindInFilesTest, OneWorkerAtATimeOnTheListAsItStoodAtTheStart)
{
    // Enough lines that the worker is still reading when the second start comes, even on a
    // machine so busy that this thread waits a while after starting it.
    std::string text = "Npc\n";
    for (int i = 0; i < 200000; ++i)
        text += "nothing to find here\n";
    WriteFile(Path("a.d"), text);
    g_solutionConfig.FindThread = kRunning;
    EXPECT_FALSE(StartFindInFiles(Request("Npc", {"a.d"}), FALSE)) << "a replace runs";
    EXPECT_FALSE(IsFindInFilesWorkerAlive());

    g_solutionConfig.FindThread = 0;
    ASSERT_TRUE(StartFindInFiles(Request("Npc", {"a.d"}), FALSE));
    EXPECT_NE(g_solutionConfig.FindThread.load(), 0u) << "marked running before the thread exists";
    EXPECT_FALSE(StartFindInFiles(Request("Npc", {"a.d"}), TRUE));
    for (int i = 0; i < 500 && IsFindInFilesWorkerAlive(); ++i)
        ::Sleep(10);
    ASSERT_FALSE(IsFindInFilesWorkerAlive());
    Pump();
    EXPECT_EQ(g_solutionConfig.FindThread.load(), 0u);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Searching for 'Npc'...", HitRow("a.d", 1, "Npc"),
                                                "1 occurrence(s) have been found."}));
}

TEST_F(FindInFilesTest, HitsAfterTheStartRowGoInUndrawnUntilTheBurstPauses)
{
    pane->BeginFindInFiles("Npc", "", 0);
    EXPECT_EQ(Find().m_bDrawingDeferred, 0) << "the start row is drawn, and the list knows it draws";
    pane->AddFindResult(Path("a.d").c_str(), "Npc", 1);
    EXPECT_EQ(Find().m_bDrawingDeferred, 1);
}

TEST_F(FindInFilesTest, TheCommandsNeedAProjectAndNoWorker)
{
    const std::string bytes = "x\r\n";
    CTavrelinDoc* doc = Open("a.d", &bytes);
    ASSERT_NE(doc, nullptr);
    CView* view = ViewOf(doc);
    const struct {
        int projects;
        std::uintptr_t worker;
        BOOL enabled;
    } cases[] = {{0, 0, FALSE}, {1, 0, TRUE}, {1, kRunning, FALSE}};
    for (const auto& c : cases) {
        g_solutionConfig.Projects.RemoveAll();
        if (c.projects)
            g_solutionConfig.Projects.Add(CString("Q"));
        g_solutionConfig.FindThread = c.worker;
        for (UINT id : {152u, 33182u}) {
            SCOPED_TRACE(testing::Message() << id << " projects " << c.projects << " worker " << c.worker);
            EXPECT_EQ(CommandStateOf(view, id).enabled, c.enabled);
        }
    }
    g_solutionConfig.Projects.RemoveAll();
}

TEST_F(FindInFilesTest, TheRequestJoinsTheProjectFolderToEachListedEntry)
{
    g_solutionConfig.ProjectsRoot = "C:\\P\\";
    g_solutionConfig.SolutionName = "S";
    g_solutionConfig.SetProjectName("Q");
    CSrcManager* sources = GetSrcManager();
    sources->RemoveAll();
    sources->InsertAt(0, CString("a.d"));
    sources->InsertAt(1, CString("sub\\b.d"));
    const FindInFilesRequest request = TakeFindInFilesRequest();
    sources->RemoveAll();
    g_solutionConfig.ProjectsRoot.Empty();
    g_solutionConfig.SolutionName.Empty();
    g_solutionConfig.SetProjectName("");
    ASSERT_EQ(request.paths.size(), 2u);
    EXPECT_EQ(std::string(request.paths[0]), "C:\\P\\SolS\\PrjQ\\a.d");
    EXPECT_EQ(std::string(request.paths[1]), "C:\\P\\SolS\\PrjQ\\sub\\b.d");
}

}  // namespace
