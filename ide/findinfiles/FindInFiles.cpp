// Find and replace in files: the two workers, their start and the line scanning they share.
#include "FindInFiles.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "COutputPane.h"
#include "CScintillaFindReplaceDlg.h"
#include "CSolutionConfig.h"
#include "CSrcManager.h"
#include "MessageIds.h"
#include "zSTRING.h"

namespace {

// FindThread's value while a worker runs: the flag is what callers test, nobody waits on a handle.
constexpr std::uintptr_t kWorkerRunning = 1;

std::atomic<bool> g_workerAlive{false};

// Calls each(one-based number, text, text length, ending length) for every line; a line ends
// with "\n" or "\r\n", the last one may have no ending. Stops when each returns false.
template <class Each>
void ForEachLine(const std::string& text, Each each)
{
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        if (!each(number, start, end - start, next - end))
            return;
        start = next;
    }
}

// The first hit in the line, or -1. An empty find text finds nothing.
int FindHit(const zSTRING& line, const zSTRING& find, BOOL matchCase, BOOL wholeWord)
{
    if (find.empty())
        return -1;
    return line.SearchWithOptions(find, matchCase, wholeWord);
}

CString ShownLine(const std::string& text) { return CString(zSTRING(text).TabsToSpaces().c_str()); }

CString FormatText(UINT id, const CString& path)
{
    CString format;
    format.LoadString(id);
    CString text;
    text.Format(format, static_cast<const char*>(path));
    return text;
}

enum class ReadResult { Read, Missing, Failed };

// A listed name that names no file (a wildcard pattern, a folder) counts as missing.
ReadResult ReadWholeFile(const CString& path, std::string& bytes)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ReadResult::Missing;
    const HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReadResult::Failed;
    bytes.clear();
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file, &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[65536];
    DWORD got = 0;
    BOOL ok;
    while ((ok = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    return ok ? ReadResult::Read : ReadResult::Failed;
}

BOOL WriteWholeFile(const char* path, const std::string& bytes)
{
    const HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL ok = TRUE;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        ok = ::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = ::FlushFileBuffers(file) && ok;
    return ::CloseHandle(file) && ok;
}

// Writes the new text to a temporary file of its own beside the source, then moves it over the
// source in one step. On any failure the temporary file goes and the source keeps its bytes.
BOOL RewriteFile(const CString& path, const std::string& bytes)
{
    // A read-only file is kept as it is, as the system keeps it from being deleted.
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY))
        return FALSE;
    CString folder = ".";
    const int slash = path.ReverseFind('\\');
    if (slash >= 0)
        folder = path.Left(slash + 1);
    char temporary[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder, "tvr", 0, temporary))
        return FALSE;
    if (WriteWholeFile(temporary, bytes) &&
        ::MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return TRUE;
    ::DeleteFileA(temporary);
    return FALSE;
}

// Each line of the text, the first hit on it replaced; every line keeps its ending, a last line
// without one stays without. report gets each changed line's one-based number and new text.
template <class Report>
std::string ReplaceFirstHitPerLine(const std::string& text, const zSTRING& find, const zSTRING& replacement,
                                   BOOL matchCase, BOOL wholeWord, Report report)
{
    std::string result;
    result.reserve(text.size());
    ForEachLine(text, [&](int number, std::size_t start, std::size_t length, std::size_t ending) {
        const zSTRING line(text.substr(start, length));
        const int hit = FindHit(line, find, matchCase, wholeWord);
        if (hit < 0) {
            result.append(text, start, length + ending);
            return true;
        }
        const std::string changed = line.substr(0, hit) + replacement + line.substr(hit + find.size());
        report(number, changed);
        result += changed;
        result.append(text, start + length, ending);
        return true;
    });
    return result;
}

// Runs a worker's body with the interface language and ends the run: the end row, the flag cleared.
template <class Body>
DWORD RunWorker(void* argument, BOOL replacing, Body body)
{
    std::unique_ptr<FindInFilesRequest> request(static_cast<FindInFilesRequest*>(argument));
    ::SetThreadLocale(static_cast<LCID>(g_solutionConfig.Language));
    COutputPane* pane = GetOutputPane();
    if (pane)
        pane->BeginFindInFiles(request->findText, request->replaceText, replacing);
    const BOOL completed = body(*request, pane);
    if (pane)
        pane->EndFindInFiles(completed);
    if (completed)
        g_solutionConfig.FindThread = 0;
    g_workerAlive = false;
    return 0;
}

}  // namespace

FindInFilesRequest TakeFindInFilesRequest()
{
    FindInFilesRequest request;
    const CScintillaFindState& state = g_scintillaFind;
    request.findText = state.findText;
    request.replaceText = state.replaceText;
    request.matchCase = state.matchCase;
    request.wholeWord = state.wholeWord;
    CString folder;
    GetProjectFolder(folder);
    const CSrcManager* sources = GetSrcManager();
    for (int i = 0; sources && i < sources->GetCount(); ++i)
        request.paths.push_back(folder + sources->GetAt(i));
    return request;
}

BOOL StartFindInFiles(FindInFilesRequest request, BOOL replacing)
{
    // A worker stopped by Escape may still finish its file: a second one would write beside it.
    if (g_workerAlive)
        return FALSE;
    std::uintptr_t idle = 0;
    if (!g_solutionConfig.FindThread.compare_exchange_strong(idle, kWorkerRunning))
        return FALSE;
    g_workerAlive = true;
    auto* argument = new FindInFilesRequest(std::move(request));
    const HANDLE thread =
        ::CreateThread(nullptr, 0, replacing ? ReplaceInFilesThread : FindInFilesThread, argument, 0, nullptr);
    if (!thread) {
        delete argument;
        g_workerAlive = false;
        g_solutionConfig.FindThread = 0;
        return FALSE;
    }
    ::CloseHandle(thread);
    return TRUE;
}

BOOL IsFindInFilesWorkerAlive() { return g_workerAlive; }

DWORD WINAPI FindInFilesThread(void* argument)
{
    return RunWorker(argument, FALSE, [](const FindInFilesRequest& request, COutputPane* pane) {
        const zSTRING find(static_cast<const char*>(request.findText));
        std::string bytes;
        for (const CString& path : request.paths) {
            const ReadResult read = ReadWholeFile(path, bytes);
            if (read == ReadResult::Missing)
                continue;
            if (read == ReadResult::Failed) {
                if (pane)
                    pane->AddFindNote(FormatText(zMsgId::kFindFileUnreadable, path));
                continue;
            }
            bool stopped = false;
            ForEachLine(bytes, [&](int number, std::size_t start, std::size_t length, std::size_t) {
                const zSTRING line(bytes.substr(start, length));
                if (FindHit(line, find, request.matchCase, request.wholeWord) >= 0 && pane)
                    pane->AddFindResult(path, ShownLine(line), number);
                stopped = g_solutionConfig.FindThread == 0;
                return !stopped;
            });
            if (stopped)
                return FALSE;
        }
        return TRUE;
    });
}

DWORD WINAPI ReplaceInFilesThread(void* argument)
{
    return RunWorker(argument, TRUE, [](const FindInFilesRequest& request, COutputPane* pane) {
        const zSTRING find(static_cast<const char*>(request.findText));
        const zSTRING replacement(static_cast<const char*>(request.replaceText));
        std::string bytes;
        for (const CString& path : request.paths) {
            const ReadResult read = ReadWholeFile(path, bytes);
            if (read == ReadResult::Failed && pane)
                pane->AddFindNote(FormatText(zMsgId::kFindFileUnreadable, path));
            if (read == ReadResult::Read) {
                bool changed = false;
                const std::string rewritten = ReplaceFirstHitPerLine(
                    bytes, find, replacement, request.matchCase, request.wholeWord,
                    [&](int number, const std::string& text) {
                        changed = true;
                        if (pane)
                            pane->AddFindResult(path, ShownLine(text), number);
                    });
                // A file without hits is not touched at all.
                if (changed && !RewriteFile(path, rewritten) && pane)
                    pane->AddFindNote(FormatText(zMsgId::kReplaceFileUnchanged, path));
            }
            if (g_solutionConfig.FindThread == 0)
                return FALSE;  // between files: the one in hand is always finished
        }
        return TRUE;
    });
}
