// Locks: the critical section of the resource manager and the file layer.
#include "zCCriticalSection.h"

int zCCriticalSection::Lock(int /*timeoutMs*/)
{
    mutex.lock();
    return 1;
}

int zCCriticalSection::Unlock()
{
    mutex.unlock();
    return 1;
}
