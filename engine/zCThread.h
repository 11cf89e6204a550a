// A thread whose body is a virtual procedure: the base of the model toolchain's
// resource manager.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

// One object runs at most one thread at a time and is controlled from one thread.
//
// Suspension is cooperative: a thread cannot be stopped from outside at an
// arbitrary point, so a suspended thread stops only where its procedure calls
// WaitWhileSuspended. SuspendThread from the thread itself stops it at once,
// inside the call, until ResumeThread or EndThread. The suspend count is 0 or 1.
//
// The destructor runs EndThread, but by then the derived part is gone while its
// ThreadProc may still run: a derived class calls EndThread in its own destructor.
class zCThread {
public:
    zCThread() = default;
    virtual ~zCThread();
    zCThread(const zCThread&) = delete;
    zCThread& operator=(const zCThread&) = delete;

    // Ends a running thread first, then starts ThreadProc at once. Returns the
    // thread's number (non-zero), or 0 when the system could not start one or when
    // called from the object's own thread.
    virtual std::uint32_t BeginThread();
    // Requests termination, resumes the thread and waits for it without time-out,
    // then clears number and flags. Nothing without a thread. From the object's own
    // thread it only requests termination: a thread cannot wait for itself.
    virtual void EndThread();
    // Set by BeginThread and kept until EndThread, even once ThreadProc has returned.
    virtual bool IsThreadRunning() const { return running; }
    // Only from suspend count 0, and only with a thread; true when suspended.
    virtual bool SuspendThread();
    // Only from suspend count above 0; true when a thread was there to resume.
    virtual bool ResumeThread();
    virtual bool IsTerminationRequested() const { return terminationRequested; }

    static void Sleep(std::uint32_t milliseconds);

protected:
    // The thread's body; ends when it sees IsTerminationRequested. Returns the exit code.
    virtual int ThreadProc() { return 0; }
    // A check point of ThreadProc: waits while the thread is suspended and no
    // termination is requested.
    void WaitWhileSuspended();

private:
    static int ThreadStart(zCThread* object);

    std::thread thread;
    std::uint32_t threadId = 0;
    int suspendCount = 0;  // guarded by stateMutex
    std::atomic<bool> running{false};
    std::atomic<bool> terminationRequested{false};
    std::mutex stateMutex;
    std::condition_variable resumed;
};
