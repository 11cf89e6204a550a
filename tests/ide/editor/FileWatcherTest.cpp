// The file watcher with script documents in the program's frame: an outside write asks and
// Yes reloads, the editor's own save asks nothing, folders share one notification, No asks again
// at the next change, a closed document is passed over, folders past the wait's limit are polled.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include <Scintilla.h>

#include "CTavrelinView.h"
#include "EditorFixture.h"
#include "FileWatcher.h"
#include "ResourceIds.h"

namespace {

class FileWatcherTest : public EditorTest {
protected:
    void SetUp() override
    {
        viewClass = RUNTIME_CLASS(CTavrelinView);
        EditorTest::SetUp();
    }
    void TearDown() override
    {
        EditorTest::TearDown();
        StopFileWatchThread();
    }
    // Pumps until the count of questions reaches n or the time is up; the count.
    size_t WaitForQuestions(size_t n, DWORD milliseconds = 5000)
    {
        for (const DWORD start = ::GetTickCount(); app.prompts.size() < n && ::GetTickCount() - start < milliseconds;) {
            Pump();
            ::Sleep(10);
        }
        return app.prompts.size();
    }
    // Writes a file from outside with a last-write time of its own.
    void WriteOutside(const std::string& path, const std::string& bytes)
    {
        ::Sleep(20);
        WriteFile(path, bytes);
    }
    static std::string Text(CDocument* doc)
    {
        const HWND ctrl = ViewOf(doc)->GetCtrl().m_hWnd;
        std::string text(static_cast<size_t>(::SendMessageA(ctrl, SCI_GETLENGTH, 0, 0)) + 1, '\0');
        ::SendMessageA(ctrl, SCI_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        text.pop_back();
        return text;
    }
    std::string Question(const std::string& name)
    {
        CString text;
        text.LoadString(IDS_EDITOR_RELOAD_CHANGED);
        return Path(name) + "\n\n" + static_cast<const char*>(text);
    }
};

TEST_F(FileWatcherTest, AnOutsideWriteAsksAndYesReloadsWithoutTheMark)
{
    const std::string bytes = "var int a;\r\n";
    CTavrelinDoc* doc = Open("a.d", &bytes);
    ASSERT_NE(doc, nullptr);
    EXPECT_NE(doc->GetWatchId(), 0u);
    doc->SetModifiedFlag(TRUE);
    EXPECT_EQ(std::string(doc->GetTitle()), "a.d *");

    app.answers = {IDYES};
    WriteOutside(Path("a.d"), "var int b;\r\n");
    ASSERT_EQ(WaitForQuestions(1), 1u);
    EXPECT_EQ(app.prompts[0], Question("a.d"));
    Pump();
    EXPECT_EQ(Text(doc), "var int b;\r\n");
    EXPECT_EQ(std::string(doc->GetTitle()), "a.d");
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(FileWatcherTest, TheEditorsOwnSaveAsksNothingAndKeepsItsWatch)
{
    const std::string bytes = "var int a;\r\n";
    CTavrelinDoc* doc = Open("a.d", &bytes);
    ASSERT_NE(doc, nullptr);
    const unsigned id = doc->GetWatchId();
    ::SendMessageA(ViewOf(doc)->GetCtrl().m_hWnd, SCI_APPENDTEXT, 6, reinterpret_cast<LPARAM>("// x\r\n"));
    ASSERT_TRUE(doc->OnSaveDocument(Path("a.d").c_str()));
    EXPECT_EQ(WaitForQuestions(1, 1500), 0u);
    EXPECT_EQ(doc->GetWatchId(), id) << "the same watch goes on";
    EXPECT_TRUE(IsFileWatchThreadRunning());

    // Another file of the folder renamed: the watched file's time stays, nothing is asked.
    WriteFile(Path("other.txt"), "x");
    ::MoveFileA(Path("other.txt").c_str(), Path("moved.txt").c_str());
    EXPECT_EQ(WaitForQuestions(1, 1000), 0u);

    app.answers = {IDNO};
    WriteOutside(Path("a.d"), "changed\r\n");
    EXPECT_EQ(WaitForQuestions(1), 1u) << "the watch saw the save's time, not an old one";
}

TEST_F(FileWatcherTest, AfterNoTheNextChangeAsksAgain)
{
    const std::string bytes = "one\r\n";
    CTavrelinDoc* doc = Open("a.d", &bytes);
    ASSERT_NE(doc, nullptr);
    app.answers = {IDNO, IDNO};
    WriteOutside(Path("a.d"), "two\r\n");
    ASSERT_EQ(WaitForQuestions(1), 1u);
    Pump();
    EXPECT_EQ(Text(doc), "one\r\n") << "No keeps the editor's text";
    WriteOutside(Path("a.d"), "three\r\n");
    EXPECT_EQ(WaitForQuestions(2), 2u);
}

TEST_F(FileWatcherTest, DocumentsOfAFolderShareOneNotificationUntilTheLastCloses)
{
    const std::string bytes = "x\r\n";
    CTavrelinDoc* a = Open("a.d", &bytes);
    CTavrelinDoc* b = Open("b.d", &bytes);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(GetFileWatchFolderCount(), 1);
    const unsigned idA = a->GetWatchId();
    a->OnCloseDocument();
    EXPECT_EQ(GetFileWatchFolderCount(), 1);
    EXPECT_TRUE(IsFileWatchThreadRunning());

    OnFileWatchChanged(idA);
    EXPECT_TRUE(app.prompts.empty()) << "a closed document's change is passed over";

    b->OnCloseDocument();
    EXPECT_EQ(GetFileWatchFolderCount(), 0);
    EXPECT_FALSE(IsFileWatchThreadRunning());
}

// Counts "FileWatchNotify" in a window of its own.
int g_notified = 0;
LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ::RegisterWindowMessageA("FileWatchNotify"))
        ++g_notified;
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

TEST_F(FileWatcherTest, FoldersPastTheWaitsLimitArePolled)
{
    WNDCLASSA cls{};
    cls.lpfnWndProc = CountingProc;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "FileWatcherTestTarget";
    ::RegisterClassA(&cls);
    const HWND target = ::CreateWindowA(cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(target, nullptr);

    std::vector<unsigned> ids;
    for (int i = 0; i < 66; ++i) {
        const std::string sub = Path("f" + std::to_string(i));
        ::CreateDirectoryA(sub.c_str(), nullptr);
        WriteFile(sub + "\\s.d", "x");
        ids.push_back(AddFileWatch((sub + "\\s.d").c_str(), target, nullptr));
        ASSERT_NE(ids.back(), 0u);
    }
    EXPECT_EQ(GetFileWatchFolderCount(), 66);
    EXPECT_EQ(AddFileWatch(Path("missing.d").c_str(), target, nullptr), 0u);

    app.answers = {IDYES, IDYES};
    WriteOutside(Path("f65") + "\\s.d", "y");
    ASSERT_EQ(WaitForQuestions(1), 1u) << "the last folder is polled";
    WriteOutside(Path("f0") + "\\s.d", "y");
    ASSERT_EQ(WaitForQuestions(2), 2u) << "the first folder is waited on";
    Pump();
    EXPECT_EQ(g_notified, 2);

    for (unsigned id : ids)
        RemoveFileWatch(id);
    EXPECT_FALSE(IsFileWatchThreadRunning());
    ::DestroyWindow(target);
    for (int i = 0; i < 66; ++i) {
        const std::string sub = Path("f" + std::to_string(i));
        ::DeleteFileA((sub + "\\s.d").c_str());
        ::RemoveDirectoryA(sub.c_str());
    }
}

}  // namespace
