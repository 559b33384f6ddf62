// Database objects come from slabs, one size class per 8 bytes: no header per
// object (a line is 136 bytes, not the general allocator's 144) and a free list
// per class that is much cheaper than the general allocator. Freed memory
// stays with its class for the next objects of that size: a drawing closed
// leaves its memory for the next one opened. Under AddressSanitizer objects
// come from the general allocator, so that a use after free is still found.
#include "object_pool.h"

#include <atomic>
#include <new>
#include <thread>

namespace arx {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

constexpr std::size_t kGrain = 8;
constexpr std::size_t kLargest = 512;  // larger objects are rare: the general allocator takes them
constexpr std::size_t kSlabBytes = 64u << 10;

struct FreeBlock {
    FreeBlock* next;
};

struct SizeClass {
    FreeBlock* free = nullptr;
    char* next = nullptr;  // the unused rest of the class's newest slab
    char* end = nullptr;
};

class Pool {
public:
    void* allocate(std::size_t size)
    {
        const std::size_t index = (size + kGrain - 1) / kGrain;
        Guard guard(mBusy);
        SizeClass& c = mClasses[index];
        if (FreeBlock* b = c.free) {
            c.free = b->next;
            return b;
        }
        const std::size_t bytes = index * kGrain;
        if (c.next == nullptr || static_cast<std::size_t>(c.end - c.next) < bytes) {
            c.next = static_cast<char*>(::operator new(kSlabBytes));
            c.end = c.next + kSlabBytes;
        }
        void* p = c.next;
        c.next += bytes;
        return p;
    }

    void free(void* p, std::size_t size) noexcept
    {
        Guard guard(mBusy);
        SizeClass& c = mClasses[(size + kGrain - 1) / kGrain];
        c.free = new (p) FreeBlock{c.free};
    }

private:
    // Objects are made on one thread at a time; the lock is there for the
    // rare one that is not, and costs next to nothing when nobody waits.
    class Guard {
    public:
        explicit Guard(std::atomic_flag& f) : mFlag(f)
        {
            while (mFlag.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
        }
        ~Guard() { mFlag.clear(std::memory_order_release); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;

    private:
        std::atomic_flag& mFlag;
    };

    std::atomic_flag mBusy;
    SizeClass mClasses[kLargest / kGrain + 1];
};

// Never destroyed: objects may still be freed while the program ends.
Pool& pool()
{
    static Pool* p = new Pool();
    return *p;
}

}  // namespace

void* allocateObjectMemory(std::size_t size)
{
    if (!kPooled || size == 0 || size > kLargest) return ::operator new(size);
    return pool().allocate(size);
}

void freeObjectMemory(void* p, std::size_t size) noexcept
{
    if (p == nullptr) return;
    if (!kPooled || size == 0 || size > kLargest) {
        ::operator delete(p);
        return;
    }
    pool().free(p, size);
}

}  // namespace arx
