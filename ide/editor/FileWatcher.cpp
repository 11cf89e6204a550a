// The file watcher's thread, its watches and the question on the user-interface thread.
#include "FileWatcher.h"

#include <map>
#include <mutex>
#include <vector>

#include "CString.h"
#include "CTavrelinDoc.h"
#include "CView.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "ResourceIds.h"

namespace {

// The wait takes the wake event and at most 63 folders; other folders, and those whose
// notification could not be made, are looked at once a second instead.
constexpr int kMaxWaitedFolders = MAXIMUM_WAIT_OBJECTS - 1;
constexpr DWORD kPollMilliseconds = 1000;
// A write from outside often reaches the folder as several changes (truncate, write, close):
// they settle before the times are compared, so that one write asks once.
constexpr DWORD kSettleMilliseconds = 100;

struct FileWatchRecord {
    CString path;
    CString folder;
    unsigned long long time = 0;
    HWND window = nullptr;
    CTavrelinDoc* document = nullptr;
    bool paused = false;  // the program itself is writing the file
    bool asking = false;  // reported and not yet answered: further writes join that question
};

struct WatchedFolder {
    CString folder;
    HANDLE change = INVALID_HANDLE_VALUE;  // invalid: polled
    unsigned long long polledTick = 0;
};

struct Watcher {
    std::mutex lock;
    HANDLE wake = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool stop = false;
    HANDLE thread = nullptr;
    unsigned nextId = 1;
    HWND mainWindow = nullptr;
    std::map<unsigned, FileWatchRecord> watches;
    std::vector<WatchedFolder> folders;
    // Notifications of folders no longer watched, closed by the thread once they are out of its wait.
    std::vector<HANDLE> retired;
};

Watcher& State()
{
    static Watcher* watcher = new Watcher;  // lives to the end: the thread may outlast statics
    return *watcher;
}

const UINT g_fileWatchNotify = ::RegisterWindowMessageA("FileWatchNotify");

CString FolderOf(const char* path)
{
    const CString full(path);
    return full.Left(full.ReverseFind('\\') + 1);
}

// High part shifted by 32 plus the low part; false when the file cannot be read.
bool GetFileLastWriteTime(const char* path, unsigned long long& time)
{
    const HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!ok)
        return false;
    time = (static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32) |
           info.ftLastWriteTime.dwLowDateTime;
    return true;
}

bool EndsWithBackslash(const CString& path) { return !path.IsEmpty() && path[path.GetLength() - 1] == '\\'; }

// Under the lock: every file of the folder whose time moved gets the new time and is reported to
// the main window by its id.
void CheckFolder(Watcher& w, const CString& folder)
{
    for (auto& [id, record] : w.watches) {
        if (record.folder != folder || record.paused || EndsWithBackslash(record.path))
            continue;
        unsigned long long time = 0;
        if (!GetFileLastWriteTime(record.path, time) || time == record.time)
            continue;
        record.time = time;
        if (w.mainWindow && !record.asking) {
            record.asking = true;
            ::PostMessageA(w.mainWindow, g_fileWatchChangedMessage, id, 0);
        }
    }
}

DWORD WINAPI FileWatchThread(void*)
{
    Watcher& w = State();
    std::vector<HANDLE> waits{w.wake};
    std::vector<int> waitedFolder;  // the folder index of each wait entry after the wake event
    bool polling = false;
    for (;;) {
        DWORD result = ::WaitForMultipleObjects(static_cast<DWORD>(waits.size()), waits.data(), FALSE,
                                                polling ? kPollMilliseconds : INFINITE);
        if (result == WAIT_FAILED)
            ::Sleep(100);  // never a loop without a wait
        std::unique_lock<std::mutex> hold(w.lock);
        // Lists changed while this thread waited for the lock: the indices of this wait are old.
        if (::WaitForSingleObject(w.wake, 0) == WAIT_OBJECT_0)
            result = WAIT_OBJECT_0;
        if (w.stop) {
            for (const WatchedFolder& folder : w.folders)
                if (folder.change != INVALID_HANDLE_VALUE)
                    ::FindCloseChangeNotification(folder.change);
            for (HANDLE change : w.retired)
                ::FindCloseChangeNotification(change);
            w.retired.clear();
            w.folders.clear();
            w.watches.clear();
            return 0;
        }
        if (result == WAIT_OBJECT_0 || result == WAIT_FAILED) {
            // The lists changed (or a wait failed): the wait is made again from valid handles only.
            ::ResetEvent(w.wake);
            for (HANDLE change : w.retired)
                ::FindCloseChangeNotification(change);
            w.retired.clear();
            waits.assign(1, w.wake);
            waitedFolder.clear();
            polling = false;
            for (int i = 0; i < static_cast<int>(w.folders.size()); ++i) {
                if (w.folders[i].change != INVALID_HANDLE_VALUE && static_cast<int>(waitedFolder.size()) < kMaxWaitedFolders) {
                    waits.push_back(w.folders[i].change);
                    waitedFolder.push_back(i);
                } else {
                    polling = true;
                }
            }
            continue;
        }
        if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + waits.size()) {
            WatchedFolder& folder = w.folders[waitedFolder[result - WAIT_OBJECT_0 - 1]];
            if (!::FindNextChangeNotification(folder.change)) {
                // It cannot be armed again: the folder is polled from now on.
                w.retired.push_back(folder.change);
                folder.change = INVALID_HANDLE_VALUE;
                ::SetEvent(w.wake);
            }
            const CString changed = folder.folder;
            hold.unlock();
            ::WaitForSingleObject(w.wake, kSettleMilliseconds);  // a stop or new lists end the pause
            hold.lock();
            if (!w.stop)
                CheckFolder(w, changed);
        }
        if (polling) {
            const unsigned long long now = ::GetTickCount64();
            for (int i = 0; i < static_cast<int>(w.folders.size()); ++i) {
                WatchedFolder& folder = w.folders[i];
                bool waited = false;
                for (int index : waitedFolder)
                    waited = waited || index == i;
                if (waited || now - folder.polledTick < kPollMilliseconds)
                    continue;
                folder.polledTick = now;
                CheckFolder(w, folder.folder);
            }
        }
    }
}

}  // namespace

const UINT g_fileWatchChangedMessage = ::RegisterWindowMessageA("TavrelinFileWatchChanged");

unsigned AddFileWatch(const char* path, HWND window, CTavrelinDoc* document)
{
    if (!path || !*path)
        return 0;
    Watcher& w = State();
    {
        std::lock_guard<std::mutex> hold(w.lock);
        FileWatchRecord record;
        record.path = path;
        record.folder = FolderOf(path);
        if (!EndsWithBackslash(record.path) && !GetFileLastWriteTime(path, record.time))
            return 0;
        record.window = window;
        record.document = document;
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
            w.mainWindow = app->m_pMainWnd->GetSafeHwnd();
        const unsigned id = w.nextId++;
        bool known = false;
        for (const WatchedFolder& folder : w.folders)
            known = known || folder.folder == record.folder;
        if (!known) {
            WatchedFolder folder;
            folder.folder = record.folder;
            folder.change = ::FindFirstChangeNotificationA(
                record.folder.IsEmpty() ? "." : static_cast<const char*>(record.folder), FALSE,
                FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
            w.folders.push_back(folder);
            ::SetEvent(w.wake);
        }
        w.watches.emplace(id, std::move(record));
        StartFileWatchThread();
        return id;
    }
}

void RemoveFileWatch(unsigned id)
{
    Watcher& w = State();
    bool none;
    {
        std::lock_guard<std::mutex> hold(w.lock);
        const auto found = w.watches.find(id);
        if (found != w.watches.end()) {
            const CString folder = found->second.folder;
            w.watches.erase(found);
            bool shared = false;
            for (const auto& [other, record] : w.watches)
                shared = shared || record.folder == folder;
            for (auto at = w.folders.begin(); !shared && at != w.folders.end(); ++at) {
                if (at->folder != folder)
                    continue;
                if (at->change != INVALID_HANDLE_VALUE)
                    (w.thread ? w.retired.push_back(at->change) : (void)::FindCloseChangeNotification(at->change));
                w.folders.erase(at);
                ::SetEvent(w.wake);
                break;
            }
        }
        none = w.watches.empty();
    }
    if (none)
        StopFileWatchThread();
}

void PauseFileWatch(unsigned id)
{
    Watcher& w = State();
    std::lock_guard<std::mutex> hold(w.lock);
    const auto found = w.watches.find(id);
    if (found != w.watches.end())
        found->second.paused = true;
}

void ResumeFileWatch(unsigned id)
{
    Watcher& w = State();
    std::lock_guard<std::mutex> hold(w.lock);
    const auto found = w.watches.find(id);
    if (found == w.watches.end())
        return;
    FileWatchRecord& record = found->second;
    record.paused = false;
    if (!EndsWithBackslash(record.path))
        GetFileLastWriteTime(record.path, record.time);
}

// Called with the lock held or from the user-interface thread alone.
void StartFileWatchThread()
{
    Watcher& w = State();
    if (w.thread)
        return;
    w.stop = false;
    ::SetEvent(w.wake);
    w.thread = ::CreateThread(nullptr, 0, FileWatchThread, nullptr, 0, nullptr);
    if (w.thread)
        ::SetThreadPriority(w.thread, THREAD_PRIORITY_LOWEST);
}

void StopFileWatchThread()
{
    Watcher& w = State();
    HANDLE thread;
    {
        std::lock_guard<std::mutex> hold(w.lock);
        thread = w.thread;
        if (!thread)
            return;
        w.stop = true;
        ::SetEvent(w.wake);
    }
    // The thread never waits for this one, so waiting for its end cannot hang.
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    std::lock_guard<std::mutex> hold(w.lock);
    if (w.thread == thread)
        w.thread = nullptr;
}

void OnFileWatchChanged(unsigned id)
{
    Watcher& w = State();
    CString path;
    HWND window = nullptr;
    CTavrelinDoc* document = nullptr;
    auto lookUp = [&] {
        std::lock_guard<std::mutex> hold(w.lock);
        const auto found = w.watches.find(id);
        if (found == w.watches.end())
            return false;
        path = found->second.path;
        window = found->second.window;
        document = found->second.document;
        return true;
    };
    if (!lookUp())
        return;  // the document closed after the change was seen
    CString question;
    question.LoadString(IDS_EDITOR_RELOAD_CHANGED);
    const int answer = AfxMessageBox(path + "\n\n" + question, MB_YESNO | MB_ICONQUESTION);
    if (!lookUp())
        return;  // closed while the question was open
    {
        std::lock_guard<std::mutex> hold(w.lock);
        const auto found = w.watches.find(id);
        if (found != w.watches.end())
            found->second.asking = false;  // the next write asks again
    }
    if (answer != IDYES)
        return;
    HWND target = window;
    if (document) {
        POSITION at = document->GetFirstViewPosition();
        CView* view = at ? document->GetNextView(at) : nullptr;
        target = view ? view->GetSafeHwnd() : nullptr;
    }
    if (target)
        ::SendMessageA(target, g_fileWatchNotify, 0, reinterpret_cast<LPARAM>(static_cast<const char*>(path)));
}

BOOL IsFileWatchThreadRunning()
{
    Watcher& w = State();
    std::lock_guard<std::mutex> hold(w.lock);
    return w.thread != nullptr;
}

int GetFileWatchFolderCount()
{
    Watcher& w = State();
    std::lock_guard<std::mutex> hold(w.lock);
    return static_cast<int>(w.folders.size());
}
