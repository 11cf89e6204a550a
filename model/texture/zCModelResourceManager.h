// The model toolchain's resource manager: per resource class the cached-in resources
// with their total size, cache-in at once or through a worker thread of its own.
#pragma once

#include <atomic>
#include <thread>
#include <vector>

#include "ModelServices.h"
#include "zCClassDef.h"
#include "zCResource.h"

class zCModelResourceManager : public zCResourceManager {
public:
    // One entry per resource class of the registry (a class flagged as resource that
    // does not derive from zCResource is fatal).
    zCModelResourceManager();
    ~zCModelResourceManager() override;

    // The resulting cache state; -1 for a resource without a name. A priority of 0 or
    // more asks for a queued cache-in, which is not available.
    int CacheIn(zCResource* resource, float priority) override;
    void CacheOut(zCResource* resource) override;
    void CacheOutAll(zCClassDef* classDef) override;

    // Not available: shows "zCResourceManager::InsertCacheInQueue not found" and ends the process.
    [[noreturn]] void InsertCacheInQueue(zCResource* resource, float priority);

    struct ClassEntry {
        zCClassDef* classDef = nullptr;
        zCResource* head = nullptr;
        zCResource* tail = nullptr;
        int numCachedIn = 0;
        int totalSize = 0;
        int cacheSizeMaxBytes = 0;
        int cacheOutTimeMSec = 0;
    };
    const std::vector<ClassEntry>& GetClassEntries() const { return classes; }
    int GetNumCachedInTotal() const { return numCachedInTotal; }

    // When above 0 every cache-in is immediate.
    float forceImmediate = 0.0f;

protected:
    int ThreadProc() override;

private:
    void RegisterClasses();
    ClassEntry& EntryOf(zCResource* resource);
    void AddToEntry(zCResource* resource);
    void RemoveFromEntry(zCResource* resource);
    void CacheInImmediately(zCResource* resource);
    // Null takes the head; null when the queue is empty.
    zCResource* RemoveFromQueue(zCResource* resource);
    void WakeWorker();
    // Waits until a queued or loading resource is settled.
    void WaitWhileBusy(zCResource* resource);

    std::vector<ClassEntry> classes;
    zCResource* queueHead = nullptr;
    zCResource* queueTail = nullptr;
    zCCriticalSection queueLock;
    int queueCount = 0;
    int numCachedInTotal = 0;
    std::atomic<int> pauseWorker{0};
    // The thread running a load, so that a nested cache-in of the same resource does
    // not wait for itself.
    std::thread::id loadingThread;
};
