// A thread whose body is a virtual procedure.
#include "zCThread.h"

#include <chrono>
#include <system_error>

#include "zERROR.h"

namespace {

std::uint32_t NextThreadId()
{
    static std::atomic<std::uint32_t> counter{0};
    std::uint32_t id = ++counter;
    while (id == 0)  // 0 means "no thread"
        id = ++counter;
    return id;
}

} // namespace

zCThread::~zCThread()
{
    EndThread();
}

std::uint32_t zCThread::BeginThread()
{
    if (thread.joinable()) {
        if (thread.get_id() == std::this_thread::get_id())
            return 0;
        EndThread();
    }
    // Held until the bookkeeping is done: ThreadStart waits for it, so the
    // procedure sees the object as BeginThread leaves it.
    std::lock_guard<std::mutex> lock(stateMutex);
    terminationRequested = false;
    try {
        thread = std::thread(&zCThread::ThreadStart, this);
    } catch (const std::system_error&) {
        return 0;
    }
    threadId = NextThreadId();
    running = true;
    return threadId;
}

int zCThread::ThreadStart(zCThread* object)
{
    { std::lock_guard<std::mutex> gate(object->stateMutex); }
    // A fatal message ends this thread, as it ends a build job, not the process.
    return zRunJobGuarded([object] { return object->ThreadProc(); });
}

void zCThread::EndThread()
{
    if (!thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(stateMutex);
        terminationRequested = true;
    }
    if (thread.get_id() == std::this_thread::get_id())
        return;
    ResumeThread();
    // Check points wake for the request even where an override of ResumeThread keeps the count.
    resumed.notify_all();
    thread.join();
    std::lock_guard<std::mutex> lock(stateMutex);
    // A thread may have suspended itself once more after the resume above.
    suspendCount = 0;
    threadId = 0;
    running = false;
    terminationRequested = false;
}

bool zCThread::SuspendThread()
{
    std::unique_lock<std::mutex> lock(stateMutex);
    if (suspendCount != 0 || !thread.joinable())
        return false;
    suspendCount = 1;
    if (thread.get_id() == std::this_thread::get_id())
        resumed.wait(lock, [this] { return suspendCount == 0 || terminationRequested; });
    return true;
}

bool zCThread::ResumeThread()
{
    std::lock_guard<std::mutex> lock(stateMutex);
    if (suspendCount <= 0)
        return false;
    --suspendCount;
    resumed.notify_all();
    return thread.joinable();
}

void zCThread::WaitWhileSuspended()
{
    std::unique_lock<std::mutex> lock(stateMutex);
    resumed.wait(lock, [this] { return suspendCount == 0 || terminationRequested; });
}

void zCThread::Sleep(std::uint32_t milliseconds)
{
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
