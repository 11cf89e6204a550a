// Objects whose bulk data is loaded on demand and can be dropped again (in this
// program: textures), with their cache state.
#pragma once

#include <cstdint>

#include "zCCriticalSection.h"
#include "zCObject.h"

// Cache states.
enum zTResourceCacheState : std::uint8_t { zRES_CACHED_OUT = 0, zRES_QUEUED = 1, zRES_LOADING = 2, zRES_CACHED_IN = 3 };

// The engine's current time stamp, which Touch copies.
extern std::uint32_t g_engineTimeStamp;

class zCResource : public zCObject {
    zCLASS_DECLARATION(zCResource)

public:
    zCResource() = default;
    ~zCResource() override = default;

    // Derived classes override all four; here each reports the broken class set-up fatally.
    virtual int LoadData();
    virtual int ReleaseData();
    virtual int GetDataSize();
    virtual void GetCacheSettings(int& cacheOutTimeMSec, int& cacheSizeMaxBytes);

    void Lock() { stateLock.Lock(0); }
    void Unlock() { stateLock.Unlock(); }
    void Touch() { timeStamp = g_engineTimeStamp; }
    // Hands the resource to the manager's cache-out unless it is kept cached.
    void TryCacheOut();

    int GetCacheState() const { return cacheState; }
    bool GetKeepCached() const { return keepCached; }
    void SetKeepCached(bool keep) { keepCached = keep; }

    // The manager's bookkeeping.
    zCResource* next = nullptr;
    zCResource* prev = nullptr;
    std::uint32_t timeStamp = 0;
    zCCriticalSection stateLock;
    volatile std::uint8_t cacheState = zRES_CACHED_OUT;
    bool keepCached = false;
    std::uint8_t classIndex = 255;
    bool managerHold = false;
};
