// Menu sounds: the request channel, the worker that waits on its event, starting and stopping.
#include "CXTPMenuSound.h"

#include <atomic>
#include <new>

namespace {

// By alias, silent when the event has no sound, not waiting for a busy device.
const DWORD kPlayFlags = SND_ALIAS | SND_NODEFAULT | SND_NOWAIT;
const DWORD kStopWaitMs = 100;

CXTPMenuSound g_menuSound;

} // namespace

struct CXTPMenuSound::Channel {
    explicit Channel(PFNPLAYSOUND pfn) : pfnPlay(pfn), hWake(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~Channel()
    {
        if (hWake)
            ::CloseHandle(hWake);
    }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    // Posts a request and wakes the worker.
    void Post(int nState)
    {
        request.store(nState);
        ::SetEvent(hWake);
    }
    void Stop()
    {
        stop.store(true);
        ::SetEvent(hWake);
    }

    std::atomic<int> request{kIdle};
    std::atomic<bool> stop{false};
    PFNPLAYSOUND pfnPlay;
    HANDLE hWake;
};

CXTPMenuSound* XTPMenuSound()
{
    return &g_menuSound;
}

CXTPMenuSound::CXTPMenuSound() : m_pfnPlay(::PlaySoundA) {}

CXTPMenuSound::~CXTPMenuSound()
{
    StopThread();
}

void CXTPMenuSound::PlaySound(int nState)
{
    if (!m_bEnabled || (nState != kCommand && nState != kPopup))
        return;
    if (!m_hThread)
        StartThread();
    if (m_hThread)
        m_pChannel->Post(nState);
}

void CXTPMenuSound::StartThread()
{
    if (m_hThread)
        return;
    auto pChannel = std::make_shared<Channel>(m_pfnPlay);
    if (!pChannel->hWake)
        return;
    // The worker holds its own reference to the channel, released when it ends.
    auto* pWorkerRef = new (std::nothrow) std::shared_ptr<Channel>(pChannel);
    if (!pWorkerRef)
        return;
    HANDLE hThread = ::CreateThread(nullptr, 0, WorkerProc, pWorkerRef, CREATE_SUSPENDED, nullptr);
    if (!hThread) {
        delete pWorkerRef;
        return;
    }
    ::SetThreadPriority(hThread, THREAD_PRIORITY_BELOW_NORMAL);
    m_pChannel = pChannel;
    m_hThread = hThread;
    ::ResumeThread(hThread);
}

void CXTPMenuSound::StopThread()
{
    if (!m_hThread)
        return;
    m_pChannel->Stop();
    ::WaitForSingleObject(m_hThread, kStopWaitMs);
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_pChannel.reset();
}

DWORD WINAPI CXTPMenuSound::WorkerProc(LPVOID pParam)
{
    std::shared_ptr<Channel> pChannel = std::move(*static_cast<std::shared_ptr<Channel>*>(pParam));
    delete static_cast<std::shared_ptr<Channel>*>(pParam);
    for (;;) {
        ::WaitForSingleObject(pChannel->hWake, INFINITE);
        if (pChannel->stop.load())
            break;
        // Taking the request clears it: one made while this sound plays is the next one played.
        int nState = pChannel->request.exchange(kIdle);
        if (nState == kCommand)
            pChannel->pfnPlay("MenuCommand", nullptr, kPlayFlags);
        else if (nState == kPopup)
            pChannel->pfnPlay("MenuPopup", nullptr, kPlayFlags);
    }
    pChannel->pfnPlay(nullptr, nullptr, SND_PURGE);
    return 0;
}
