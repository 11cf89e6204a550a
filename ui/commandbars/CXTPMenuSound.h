// Menu sounds: the system's sound events played on a worker thread of their own.
#pragma once

#include <windows.h>
// Always the multimedia header: it renames PlaySound, and every user must see the same name.
#include <mmsystem.h>

#include <memory>

// One process-wide player (XTPMenuSound) that controls and popup bars post requests to;
// the user interface never waits for the sound device. The worker sleeps on an event
// until a request comes and plays the latest one made while it was busy.
class CXTPMenuSound {
public:
    // The requests.
    enum { kIdle = 0, kCommand = 1, kPopup = 2 };
    // The platform's player: sound alias, module, flags.
    typedef BOOL(WINAPI* PFNPLAYSOUND)(LPCSTR pszSound, HMODULE hModule, DWORD fdwSound);

    CXTPMenuSound();
    ~CXTPMenuSound();
    CXTPMenuSound(const CXTPMenuSound&) = delete;
    CXTPMenuSound& operator=(const CXTPMenuSound&) = delete;

    // Requests kCommand ("MenuCommand") or kPopup ("MenuPopup"); starts the worker when none
    // runs. Nothing happens while disabled. (<windows.h> names this PlaySoundA.)
    void PlaySound(int nState);
    void StartThread();
    // Asks the worker to stop and waits for it at most 100 ms; a worker still busy with a
    // sound ends on its own once it is done.
    void StopThread();

    // The player the next worker uses (the multimedia library's unless replaced).
    void SetPlayer(PFNPLAYSOUND pfnPlay) { m_pfnPlay = pfnPlay; }
    // The running worker, or null.
    HANDLE GetThread() const { return m_hThread; }

    BOOL m_bEnabled = TRUE;

private:
    struct Channel;
    static DWORD WINAPI WorkerProc(LPVOID pParam);

    // What the user-interface thread shares with the current worker; each worker has its
    // own, so a late worker never takes the requests or the stop of the next one.
    std::shared_ptr<Channel> m_pChannel;
    HANDLE m_hThread = nullptr;
    PFNPLAYSOUND m_pfnPlay;
};

// The process's menu-sound player.
CXTPMenuSound* XTPMenuSound();
