// Locks: the abstract lock interface and the critical section of the resource
// manager and the file layer.
#pragma once

#include <mutex>

class zCSyncObject {
public:
    virtual ~zCSyncObject() = default;
    virtual int Lock(int timeoutMs) = 0;
    virtual int Unlock() = 0;
};

// Re-entrant for its owner: a thread that holds it may lock it again, and each
// Lock needs its own Unlock. Only the owner may unlock.
class zCCriticalSection : public zCSyncObject {
public:
    zCCriticalSection() = default;
    zCCriticalSection(const zCCriticalSection&) = delete;
    zCCriticalSection& operator=(const zCCriticalSection&) = delete;

    // Waits as long as it takes: the time-out is not used. Returns 1.
    int Lock(int timeoutMs) override;
    // Returns 1.
    int Unlock() override;

private:
    std::recursive_mutex mutex;
};
