// Threads and critical sections: start and end, cooperative suspension, the lock's
// re-entrance.
#include "zCCriticalSection.h"
#include "zCThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "ReporterCapture.h"
#include "zERROR.h"

namespace {

// Polls until the condition holds; false after ten seconds.
bool WaitFor(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        zCThread::Sleep(1);
    }
    return true;
}

// A fatal message from a thread has to land somewhere readable.
class Thread : public ReporterCapture {};

// Works in steps until asked to end, honouring suspension between steps.
class LoopThread : public zCThread {
public:
    ~LoopThread() override { EndThread(); }

    std::atomic<int> steps{0};
    std::atomic<int> finished{0};
    std::atomic<bool> sawRunning{false};

protected:
    int ThreadProc() override
    {
        sawRunning = IsThreadRunning();
        while (!IsTerminationRequested()) {
            WaitWhileSuspended();
            ++steps;
            Sleep(1);
        }
        ++finished;
        return 0;
    }
};

// Suspends itself again and again, as the resource manager does when idle.
class SelfSuspendingThread : public zCThread {
public:
    ~SelfSuspendingThread() override { EndThread(); }

    std::atomic<int> suspending{0};
    std::atomic<int> resumed{0};

protected:
    int ThreadProc() override
    {
        while (!IsTerminationRequested()) {
            ++suspending;
            if (SuspendThread())
                ++resumed;
        }
        return 0;
    }
};

TEST_F(Thread, NeverStartedObjectDoesNothing)
{
    zCThread thread;
    thread.EndThread();
    EXPECT_FALSE(thread.IsThreadRunning());
    EXPECT_FALSE(thread.IsTerminationRequested());
    EXPECT_FALSE(thread.SuspendThread());
    EXPECT_FALSE(thread.ResumeThread());
}

TEST_F(Thread, LoopEndsOnEndThreadAndEverythingIsCleared)
{
    LoopThread thread;
    EXPECT_NE(thread.BeginThread(), 0u);
    EXPECT_TRUE(thread.IsThreadRunning());
    ASSERT_TRUE(WaitFor([&] { return thread.steps > 0; }));
    EXPECT_TRUE(thread.sawRunning);

    thread.EndThread();
    EXPECT_EQ(thread.finished, 1);
    EXPECT_FALSE(thread.IsThreadRunning());
    EXPECT_FALSE(thread.IsTerminationRequested());
    thread.EndThread();
    EXPECT_EQ(thread.finished, 1);
}

TEST_F(Thread, BeginThreadEndsTheRunningOneFirst)
{
    LoopThread thread;
    const std::uint32_t first = thread.BeginThread();
    const std::uint32_t second = thread.BeginThread();
    EXPECT_EQ(thread.finished, 1);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_FALSE(thread.IsTerminationRequested());
    const int before = thread.steps;
    EXPECT_TRUE(WaitFor([&] { return thread.steps > before; }));
}

TEST_F(Thread, SuspensionCountsOnceAndHoldsAtCheckPoints)
{
    LoopThread thread;
    thread.BeginThread();
    ASSERT_TRUE(WaitFor([&] { return thread.steps > 0; }));

    EXPECT_TRUE(thread.SuspendThread());
    EXPECT_FALSE(thread.SuspendThread());
    const int atSuspend = thread.steps;
    zCThread::Sleep(50);
    // A step already past its check point may still finish.
    EXPECT_LE(thread.steps, atSuspend + 1);

    EXPECT_TRUE(thread.ResumeThread());
    EXPECT_FALSE(thread.ResumeThread());
    EXPECT_TRUE(WaitFor([&] { return thread.steps > atSuspend + 1; }));
}

TEST_F(Thread, SelfSuspendedThreadWaitsForResumeAndWakesForEnd)
{
    SelfSuspendingThread thread;
    thread.BeginThread();
    ASSERT_TRUE(WaitFor([&] { return thread.suspending > 0; }));
    zCThread::Sleep(20);
    EXPECT_EQ(thread.resumed, 0);

    // Succeeds only once the thread has counted itself suspended.
    ASSERT_TRUE(WaitFor([&] { return thread.ResumeThread(); }));
    EXPECT_TRUE(WaitFor([&] { return thread.resumed == 1 && thread.suspending == 2; }));

    thread.EndThread();
    EXPECT_FALSE(thread.IsThreadRunning());
    // No suspension is left over for the next thread.
    const int resumedBefore = thread.resumed;
    thread.BeginThread();
    ASSERT_TRUE(WaitFor([&] { return thread.ResumeThread(); }));
    EXPECT_TRUE(WaitFor([&] { return thread.resumed == resumedBefore + 1; }));
}

TEST_F(Thread, OwnThreadCanRequestItsEndButNotWaitForIt)
{
    class SelfEnding : public zCThread {
    public:
        ~SelfEnding() override { EndThread(); }
        std::atomic<std::uint32_t> restarted{1};
        std::atomic<bool> done{false};

    protected:
        int ThreadProc() override
        {
            restarted = BeginThread();
            EndThread();
            done = true;
            return 0;
        }
    };
    SelfEnding thread;
    thread.BeginThread();
    ASSERT_TRUE(WaitFor([&] { return thread.done.load(); }));
    EXPECT_EQ(thread.restarted, 0u);
    EXPECT_TRUE(thread.IsTerminationRequested());
    EXPECT_TRUE(thread.IsThreadRunning());
    thread.EndThread();
    EXPECT_FALSE(thread.IsThreadRunning());
}

TEST_F(Thread, FatalMessageEndsOnlyTheThread)
{
    class Failing : public zCThread {
    public:
        ~Failing() override { EndThread(); }
        std::atomic<bool> pastFatal{false};

    protected:
        int ThreadProc() override
        {
            g_errorReporter.Fatal("resource lost");
            pastFatal = true;
            return 0;
        }
    };
    {
        Failing thread;
        thread.BeginThread();
        thread.EndThread();
        EXPECT_FALSE(thread.pastFatal);
    }
    ASSERT_FALSE(host.GetLines().empty());
    EXPECT_EQ(host.GetLines().front().text, "Error: resource lost");
}

TEST(CriticalSection, ReentrantForItsOwnerExclusiveForOthers)
{
    zCCriticalSection section;
    EXPECT_EQ(section.Lock(0), 1);
    EXPECT_EQ(section.Lock(0), 1);
    EXPECT_EQ(section.Unlock(), 1);

    std::atomic<bool> entered{false};
    std::thread other([&] {
        section.Lock(0);
        entered = true;
        section.Unlock();
    });
    zCThread::Sleep(30);
    EXPECT_FALSE(entered);  // still held once
    EXPECT_EQ(section.Unlock(), 1);
    other.join();
    EXPECT_TRUE(entered);
}

} // namespace
