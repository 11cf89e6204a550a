// A pool of equal blocks for the compiler's small objects made by the hundred
// thousand (tree nodes, symbols). Taken one by one from the heap they cost more than
// the reading itself, scatter over the heap, and leave it to merge them again once
// they are dropped. The pool cuts blocks from large chunks in the order they are
// asked for, so that objects made together lie together; once every block is back,
// cutting starts again at the first chunk, and the chunks of a usual compile are kept
// for the next one.
//
// One build worker compiles at a time, so the lock is a spin lock that is all but
// never contended. Still, a locked instruction per object cost more than a tenth of a
// compile: a thread takes blocks a run at a time and hands them out without the lock.
// A run still counts as taken; it goes back when its thread gives the pool its last
// other blocks, so that a compile's end still empties the pool. (Lists per thread
// handed back by thread-exit destructors deadlock under the Windows runtime: a thread
// that ends while others hold blocks leaves its run counted, and the pool keeps its
// chunks.)
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

// Under AddressSanitizer the objects come from the heap, so that it still sees every
// use after free and every leak; unless the includer chose (the pool's own tests).
#ifndef TAVRELIN_OBJECT_POOL
#if defined(__SANITIZE_ADDRESS__)
#define TAVRELIN_OBJECT_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVRELIN_OBJECT_POOL 0
#endif
#endif
#endif
#ifndef TAVRELIN_OBJECT_POOL
#define TAVRELIN_OBJECT_POOL 1
#endif

template <class Object, std::size_t BlocksPerChunk, std::size_t KeptChunks>
class zCParObjectPool {
public:
    static constexpr bool kEnabled = TAVRELIN_OBJECT_POOL != 0;

    // The pool of the class, never destroyed: objects may still be dropped while
    // the process ends.
    static zCParObjectPool& Shared()
    {
        static zCParObjectPool* pool = new zCParObjectPool;
        return *pool;
    }

    // The class's operator new and delete. Other sizes (a derived class), and every
    // size under AddressSanitizer, go to the heap.
    void* New(std::size_t size)
    {
        if (!kEnabled || size != sizeof(Object))
            return ::operator new(size);
        return Take();
    }

    void Delete(void* block, std::size_t size) noexcept
    {
        if (!block)
            return;
        if (!kEnabled || size != sizeof(Object)) {
            ::operator delete(block);
            return;
        }
        Give(block);
    }

    // A spare block's first bytes link it to the next spare one.
    struct Spare {
        Spare* next;
    };

    void* Take()
    {
        Run& own = run;
        for (;;) {
            if (Spare* block = own.spare) {
                own.spare = block->next;
                --own.count;
                if (own.spare)
                    PrefetchForWrite(own.spare);
                return block;
            }
            if (own.cut != own.cutEnd) {
                void* block = own.cut;
                own.cut += kBlockBytes;
                --own.count;
                // A block a little ahead, in this run or the next cut, is fetched for
                // writing meanwhile (a hint: it never faults, wherever it points).
                PrefetchForWrite(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(own.cut) +
                                                               kPrefetchAhead));
                return block;
            }
            Refill(own);
        }
    }

    // Takes back count blocks linked through Spare::next, first to last.
    void Give(Spare* first, Spare* last, std::size_t count)
    {
        Run& own = run;
        Guard guard(lock);
        outstanding -= count;
        // The giving thread's run is all that keeps the pool from emptying: it goes
        // back too.
        if (outstanding == own.count) {
            outstanding = 0;
            own = Run();
        }
        if (outstanding == 0) {
            if (chunks.size() > KeptChunks)
                chunks.clear();
            nextChunk = 0;
            spare = nullptr;
            cut = cutEnd = nullptr;
            return;
        }
        last->next = spare;
        spare = first;
    }

    void Give(void* block)
    {
        auto* one = static_cast<Spare*>(block);
        Give(one, one, 1);
    }

    // Objects dropped one after another go back to the pool in one piece when the
    // batch ends: each handing back takes the lock. Without the pool each is deleted.
    class Batch {
    public:
        Batch() = default;
        ~Batch()
        {
            if (count != 0)
                Shared().Give(first, last, count);
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        void Drop(Object* object)
        {
            if (!object)
                return;
            if (!kEnabled) {
                delete object;
                return;
            }
            object->~Object();
            auto* spare = reinterpret_cast<Spare*>(object);
            spare->next = first;
            first = spare;
            if (!last)
                last = spare;
            ++count;
        }

    private:
        Spare* first = nullptr;
        Spare* last = nullptr;
        std::size_t count = 0;
    };

private:
    static constexpr std::size_t kBlockBytes = (sizeof(Object) + alignof(std::max_align_t) - 1) /
                                               alignof(std::max_align_t) * alignof(std::max_align_t);

    static constexpr std::size_t kPrefetchAhead = 8 * kBlockBytes;
    // Blocks a thread takes under one lock.
    static constexpr std::size_t kRunBlocks = 32;

    // The blocks a thread has taken and not yet handed out: spare ones, then fresh
    // ones from cut to cutEnd.
    struct Run {
        Spare* spare = nullptr;
        unsigned char* cut = nullptr;
        unsigned char* cutEnd = nullptr;
        std::size_t count = 0;
    };
    static inline thread_local Run run;

    void Refill(Run& own)
    {
        Guard guard(lock);
        std::size_t count = 0;
        if (spare) {
            own.spare = spare;
            Spare* end = spare;
            for (count = 1; count < kRunBlocks && end->next; ++count)
                end = end->next;
            spare = end->next;
            end->next = nullptr;
        } else {
            // Fresh blocks are cut as they are asked for: no pass over the chunk
            // beforehand, and each block is first touched by its maker.
            if (cut == cutEnd)
                NextChunk();
            count = std::min<std::size_t>(kRunBlocks, static_cast<std::size_t>(cutEnd - cut) / kBlockBytes);
            own.cut = cut;
            own.cutEnd = cut + count * kBlockBytes;
            cut = own.cutEnd;
        }
        own.count = count;
        outstanding += count;
    }

    static void PrefetchForWrite(const void* address)
    {
#if defined(__GNUC__)
        __builtin_prefetch(address, 1);
        __builtin_prefetch(static_cast<const unsigned char*>(address) + kBlockBytes - 1, 1);
#else
        (void)address;
#endif
    }

    class Guard {
    public:
        explicit Guard(std::atomic_flag& flag) : flag(flag)
        {
            while (flag.test_and_set(std::memory_order_acquire))
                std::this_thread::yield();
        }
        ~Guard() { flag.clear(std::memory_order_release); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        std::atomic_flag& flag;
    };

    void NextChunk()
    {
        if (nextChunk == chunks.size())
            chunks.emplace_back(new unsigned char[kBlockBytes * BlocksPerChunk]);
        cut = chunks[nextChunk++].get();
        cutEnd = cut + kBlockBytes * BlocksPerChunk;
    }

    std::atomic_flag lock = ATOMIC_FLAG_INIT;
    std::vector<std::unique_ptr<unsigned char[]>> chunks;
    std::size_t nextChunk = 0;  // the chunk cut after the one being cut
    Spare* spare = nullptr;
    unsigned char* cut = nullptr;  // the next fresh block of the chunk being cut
    unsigned char* cutEnd = nullptr;
    std::size_t outstanding = 0;  // blocks handed out and not yet back
};
