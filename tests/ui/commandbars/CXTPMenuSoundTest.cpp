// Menu sounds: the latest request wins, a disabled player starts nothing, stopped workers end.
#include "CXTPMenuSound.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

// A player that records what it is asked to play and can hold a sound "playing"
// until the test lets it go. One for the whole program: a worker that ends after its
// test still finds it.
struct FakePlayer {
    struct Call {
        std::string sound;  // "<purge>" for the stop of all sounds
        DWORD thread;
    };

    FakePlayer()
        : started(::CreateEventA(nullptr, FALSE, FALSE, nullptr)),
          release(::CreateEventA(nullptr, TRUE, TRUE, nullptr)),
          called(::CreateEventA(nullptr, FALSE, FALSE, nullptr))
    {
    }

    void Reset()
    {
        ::SetEvent(release);
        ::ResetEvent(started);
        std::lock_guard<std::mutex> lock(mutex);
        calls.clear();
    }

    static BOOL WINAPI Play(LPCSTR pszSound, HMODULE, DWORD fdwSound)
    {
        FakePlayer* self = &instance;
        if (pszSound) {
            EXPECT_EQ(fdwSound, static_cast<DWORD>(SND_ALIAS | SND_NODEFAULT | SND_NOWAIT));
            ::SetEvent(self->started);
            ::WaitForSingleObject(self->release, 10000);
        } else {
            EXPECT_EQ(fdwSound, static_cast<DWORD>(SND_PURGE));
        }
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            self->calls.push_back({pszSound ? pszSound : "<purge>", ::GetCurrentThreadId()});
        }
        ::SetEvent(self->called);
        return TRUE;
    }

    // Waits until the player has been called count times in all; the calls so far.
    std::vector<Call> WaitForCalls(size_t count)
    {
        for (int i = 0; i < 500; i++) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (calls.size() >= count)
                    return calls;
            }
            ::WaitForSingleObject(called, 20);
        }
        std::lock_guard<std::mutex> lock(mutex);
        return calls;
    }

    // Holds the next sound until Release.
    void Hold() { ::ResetEvent(release); }
    void Release() { ::SetEvent(release); }
    bool WaitStarted() { return ::WaitForSingleObject(started, 10000) == WAIT_OBJECT_0; }

    static FakePlayer instance;
    HANDLE started;
    HANDLE release;
    HANDLE called;
    std::mutex mutex;
    std::vector<Call> calls;
};
FakePlayer FakePlayer::instance;

std::vector<std::string> Sounds(const std::vector<FakePlayer::Call>& calls)
{
    std::vector<std::string> sounds;
    for (const auto& call : calls)
        sounds.push_back(call.sound);
    return sounds;
}

class MenuSound : public ::testing::Test {
protected:
    void SetUp() override
    {
        player.Reset();
        sound.SetPlayer(FakePlayer::Play);
    }
    void TearDown() override
    {
        sound.StopThread();
        player.Release();
    }

    FakePlayer& player = FakePlayer::instance;
    CXTPMenuSound sound;
};

} // namespace

TEST_F(MenuSound, RequestsDuringASoundLeaveOnlyTheLatest)
{
    player.Hold();
    sound.PlaySound(CXTPMenuSound::kCommand);
    ASSERT_TRUE(player.WaitStarted());
    // While "MenuCommand" plays: a command, then a submenu.
    sound.PlaySound(CXTPMenuSound::kCommand);
    sound.PlaySound(CXTPMenuSound::kPopup);
    player.Release();
    player.WaitForCalls(2);
    sound.StopThread();
    EXPECT_EQ(Sounds(player.WaitForCalls(3)), (std::vector<std::string>{"MenuCommand", "MenuPopup", "<purge>"}));
}

TEST_F(MenuSound, DisabledOrStoppedPlayersStartNoThread)
{
    sound.StopThread();  // never started: nothing to do
    sound.m_bEnabled = FALSE;
    sound.PlaySound(CXTPMenuSound::kCommand);
    sound.PlaySound(CXTPMenuSound::kPopup);
    EXPECT_EQ(sound.GetThread(), nullptr);

    sound.m_bEnabled = TRUE;
    sound.PlaySound(7);  // not a request
    EXPECT_EQ(sound.GetThread(), nullptr);
    sound.PlaySound(CXTPMenuSound::kPopup);
    EXPECT_NE(sound.GetThread(), nullptr);
}

TEST_F(MenuSound, AfterAStopTheNextRequestStartsAFreshWorker)
{
    sound.PlaySound(CXTPMenuSound::kCommand);
    std::vector<FakePlayer::Call> first = player.WaitForCalls(1);
    sound.StopThread();
    EXPECT_EQ(sound.GetThread(), nullptr);
    player.WaitForCalls(2);  // the purge of the first worker

    sound.PlaySound(CXTPMenuSound::kPopup);
    EXPECT_NE(sound.GetThread(), nullptr);
    std::vector<FakePlayer::Call> calls = player.WaitForCalls(3);
    ASSERT_EQ(Sounds(calls), (std::vector<std::string>{"MenuCommand", "<purge>", "MenuPopup"}));
    EXPECT_NE(calls[2].thread, calls[0].thread);
    sound.StopThread();
}

TEST_F(MenuSound, AWorkerStillPlayingAfterATimedOutStopEndsOnItsOwn)
{
    player.Hold();
    sound.PlaySound(CXTPMenuSound::kCommand);
    ASSERT_TRUE(player.WaitStarted());
    sound.StopThread();  // the sound outlasts the 100 ms wait
    EXPECT_EQ(sound.GetThread(), nullptr);

    // A new worker starts while the old one still plays; each takes only its own requests.
    sound.PlaySound(CXTPMenuSound::kPopup);
    ASSERT_TRUE(player.WaitStarted());
    player.Release();
    std::vector<FakePlayer::Call> calls = player.WaitForCalls(3);
    sound.StopThread();
    calls = player.WaitForCalls(4);
    ASSERT_EQ(calls.size(), 4u);

    std::vector<std::string> oldWorker, newWorker;
    DWORD oldThread = 0;
    for (const auto& call : calls) {
        if (call.sound == "MenuCommand")
            oldThread = call.thread;
    }
    for (const auto& call : calls)
        (call.thread == oldThread ? oldWorker : newWorker).push_back(call.sound);
    EXPECT_EQ(oldWorker, (std::vector<std::string>{"MenuCommand", "<purge>"})) << "the old worker ended";
    EXPECT_EQ(newWorker, (std::vector<std::string>{"MenuPopup", "<purge>"}));
}
