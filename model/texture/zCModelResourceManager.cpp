// The resource manager: class entries, immediate cache-in, cache-out and the worker.
#include "zCModelResourceManager.h"

#include "ErrorBox.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

// "Class has zCLASS_FLAG_RESOURCE but does not inherit zCResource!"
// "RESMAN: Classes registered: "
// "CacheIn: Immediate resource cached in via worker thread: %s!"

bool IsBusy(const zCResource* resource)
{
    return resource->cacheState == zRES_QUEUED || resource->cacheState == zRES_LOADING;
}

} // namespace

zCModelResourceManager::zCModelResourceManager()
{
    threadingEnabled = 1;
    RegisterClasses();
}

zCModelResourceManager::~zCModelResourceManager()
{
    EndThread();
    CacheOutAll(nullptr);
}

void zCModelResourceManager::RegisterClasses()
{
    if (!zCClassDef::IsRegistryReady())
        zCClassDef::SortRegistry();
    zSTRING names;
    for (int i = 0; i < zCClassDef::GetNum(); ++i) {
        zCClassDef* classDef = zCClassDef::GetClassDefByIndex(i);
        if (!(classDef->GetClassFlags() & zCLASS_FLAG_RESOURCE))
            continue;
        zCClassDef* base = classDef;
        while (base && base != &zCResource::classDef)
            base = base->GetBaseClassDef();
        if (!base) {
            g_errorReporter.Report(zERR_FATAL, LoadResString(IDS_NOT_A_RESOURCE));
            continue;
        }
        ClassEntry entry;
        entry.classDef = classDef;
        classes.push_back(entry);
        names += classDef->GetClassName();
        names += " ";
    }
    if (g_errorReporter.GetFilterLevel() >= 3)
        g_errorReporter.Report(zERR_MESSAGE, LoadResString(IDS_CLASSES_REGISTERED) + names);
}

zCModelResourceManager::ClassEntry& zCModelResourceManager::EntryOf(zCResource* resource)
{
    if (resource->classIndex < classes.size())
        return classes[resource->classIndex];
    zCClassDef* own = resource->GetClassDef();
    zCClassDef* flagged = own;
    while (flagged && !(flagged->GetClassFlags() & zCLASS_FLAG_RESOURCE))
        flagged = flagged->GetBaseClassDef();
    if (!flagged)
        flagged = own;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        if (classes[i].classDef == flagged) {
            resource->classIndex = static_cast<std::uint8_t>(i);
            return classes[i];
        }
    }
    // A class the registry walk did not list: it gets an entry of its own.
    ClassEntry entry;
    entry.classDef = flagged;
    classes.push_back(entry);
    resource->classIndex = static_cast<std::uint8_t>(classes.size() - 1);
    return classes.back();
}

void zCModelResourceManager::AddToEntry(zCResource* resource)
{
    ClassEntry& entry = EntryOf(resource);
    if (entry.cacheOutTimeMSec == 0)
        resource->GetCacheSettings(entry.cacheOutTimeMSec, entry.cacheSizeMaxBytes);
    resource->prev = nullptr;
    resource->next = entry.head;
    if (entry.head)
        entry.head->prev = resource;
    else
        entry.tail = resource;
    entry.head = resource;
    ++entry.numCachedIn;
    entry.totalSize += resource->GetDataSize();
}

void zCModelResourceManager::RemoveFromEntry(zCResource* resource)
{
    if (!resource->managerHold)
        return;
    ClassEntry& entry = EntryOf(resource);
    if (resource->prev)
        resource->prev->next = resource->next;
    else if (entry.head == resource)
        entry.head = resource->next;
    if (resource->next)
        resource->next->prev = resource->prev;
    else if (entry.tail == resource)
        entry.tail = resource->prev;
    resource->next = resource->prev = nullptr;
    --entry.numCachedIn;
    entry.totalSize -= resource->GetDataSize();
}

void zCModelResourceManager::CacheInImmediately(zCResource* resource)
{
    if (resource->cacheState != zRES_CACHED_OUT && resource->cacheState != zRES_QUEUED)
        return;
    resource->cacheState = zRES_LOADING;
    const std::thread::id previous = loadingThread;
    loadingThread = std::this_thread::get_id();
    try {
        resource->LoadData();
    } catch (...) {
        // A fatal report unwinds the job: the resource still ends up listed, so
        // that the manager can give its reference back.
        loadingThread = previous;
        resource->cacheState = zRES_CACHED_IN;
        AddToEntry(resource);
        ++numCachedInTotal;
        throw;
    }
    loadingThread = previous;
    resource->cacheState = zRES_CACHED_IN;
    AddToEntry(resource);
    ++numCachedInTotal;
}

void zCModelResourceManager::WaitWhileBusy(zCResource* resource)
{
    // A load on this very thread (a nested cache-in) cannot be waited for.
    if (resource->cacheState == zRES_LOADING && loadingThread == std::this_thread::get_id())
        return;
    if (threadingEnabled && IsThreadRunning()) {
        while (IsBusy(resource))
            zCThread::Sleep(0);
    } else {
        ThreadProc();
    }
}

int zCModelResourceManager::CacheIn(zCResource* resource, float priority)
{
    if (!resource || resource->GetObjectName().empty())
        return -1;
    if (forceImmediate > 0.0f)
        priority = -1.0f;
    if (resource->cacheState == zRES_CACHED_OUT) {
        resource->AddRef();
        resource->managerHold = true;
        if (priority >= 0.0f)
            InsertCacheInQueue(resource, priority);
        if (threadingEnabled) {
            pauseWorker = 1;
            CacheInImmediately(resource);
            pauseWorker = 0;
            WakeWorker();
        } else {
            CacheInImmediately(resource);
        }
        return resource->cacheState;
    }
    if (IsBusy(resource) && priority < 0.0f) {
        WaitWhileBusy(resource);
        g_errorReporter.Report(zERR_WARNING,
                               FormatResString(IDS_CACHED_IN_VIA_WORKER, resource->GetObjectName().c_str()));
    }
    return resource->cacheState;
}

void zCModelResourceManager::CacheOut(zCResource* resource)
{
    if (!resource)
        return;
    resource->Lock();
    if (resource->cacheState == zRES_LOADING)
        WaitWhileBusy(resource);
    if (resource->cacheState == zRES_CACHED_OUT) {
        resource->Unlock();
        return;
    }
    if (resource->cacheState == zRES_QUEUED) {
        RemoveFromQueue(resource);
    } else if (resource->cacheState == zRES_CACHED_IN) {
        RemoveFromEntry(resource);
        resource->ReleaseData();
    }
    resource->cacheState = zRES_CACHED_OUT;
    resource->Unlock();
    if (resource->managerHold) {
        const bool last = resource->GetRefCtr() == 1;
        // Cleared before the release: the last one destroys the resource.
        if (!last)
            resource->managerHold = false;
        resource->Release();
    }
}

zCResource* zCModelResourceManager::RemoveFromQueue(zCResource* resource)
{
    if (threadingEnabled)
        queueLock.Lock(0);
    if (!resource)
        resource = queueHead;
    if (resource) {
        if (resource->prev)
            resource->prev->next = resource->next;
        else
            queueHead = resource->next;
        if (resource->next)
            resource->next->prev = resource->prev;
        else
            queueTail = resource->prev;
        resource->next = resource->prev = nullptr;
        --queueCount;
    }
    if (threadingEnabled)
        queueLock.Unlock();
    return resource;
}

void zCModelResourceManager::InsertCacheInQueue(zCResource*, float)
{
    zNotFound("zCResourceManager::InsertCacheInQueue");
}

void zCModelResourceManager::WakeWorker()
{
    if (!threadingEnabled) {
        ThreadProc();
        return;
    }
    if (!ResumeThread() && !IsThreadRunning())
        BeginThread();
}

int zCModelResourceManager::ThreadProc()
{
    if (IsTerminationRequested())
        return 0;
    while (threadingEnabled || numCachedInTotal < 99999) {
        zCResource* resource = pauseWorker ? nullptr : RemoveFromQueue(nullptr);
        if (resource) {
            resource->Lock();
            CacheInImmediately(resource);
            resource->Unlock();
        } else if (threadingEnabled && IsThreadRunning()) {
            // Only the worker gets here: the calling thread runs this procedure
            // only without a running worker.
            SuspendThread();
        } else {
            return 0;
        }
        if (IsTerminationRequested())
            return 0;
    }
    return 0;
}

void zCModelResourceManager::CacheOutAll(zCClassDef* classDef)
{
    while (zCResource* resource = RemoveFromQueue(nullptr)) {
        if (!resource->keepCached)
            CacheOut(resource);
    }
    queueCount = 0;
    for (ClassEntry& entry : classes) {
        if (classDef && entry.classDef != classDef)
            continue;
        for (;;) {
            zCResource* resource = entry.head;
            while (resource && resource->keepCached)
                resource = resource->next;
            if (!resource)
                break;
            CacheOut(resource);
        }
    }
}
