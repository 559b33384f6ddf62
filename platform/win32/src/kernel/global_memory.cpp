// GlobalAlloc and friends. A fixed block's handle is its address; a moveable
// block's handle is a token of its own that GlobalLock turns into the address and
// counts. Every handle is looked up before use, so a freed or foreign handle fails
// with ERROR_INVALID_HANDLE instead of touching memory that is not a block.
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "winbase.h"

namespace {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    bool moveable = false;
    int locks = 0;
};

struct Heap {
    std::mutex lock;
    std::map<std::uintptr_t, Block> blocks;  // by handle
    std::uintptr_t nextToken = 0x30000;
};

Heap& heap()
{
    static Heap* h = new Heap;
    return *h;
}

// Blocks are limited to 1 GiB, which no caller of the stand-in needs to reach.
constexpr SIZE_T kMaxBlock = SIZE_T(1) << 30;

Block* find(Heap& h, HGLOBAL handle)
{
    auto it = h.blocks.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == h.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    if ((uFlags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT)) != 0 || dwBytes > kMaxBlock) {
        SetLastError(uFlags & ~(GMEM_MOVEABLE | GMEM_ZEROINIT) ? ERROR_INVALID_PARAMETER : ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // Every block has at least one byte, so that a fixed block has an address of its
    // own even when empty.
    void* data = (uFlags & GMEM_ZEROINIT) ? std::calloc(dwBytes ? dwBytes : 1, 1) : std::malloc(dwBytes ? dwBytes : 1);
    if (data == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Heap& h = heap();
    std::lock_guard lock(h.lock);
    std::uintptr_t handle = (uFlags & GMEM_MOVEABLE) ? (h.nextToken += 8) : reinterpret_cast<std::uintptr_t>(data);
    h.blocks[handle] = Block{data, dwBytes, (uFlags & GMEM_MOVEABLE) != 0, 0};
    return reinterpret_cast<HGLOBAL>(handle);
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    Heap& h = heap();
    std::lock_guard lock(h.lock);
    Block* b = find(h, hMem);
    if (b == nullptr) return nullptr;
    // A fixed block's address is its handle, and a locked block's address is in
    // use: neither may move.
    if (!b->moveable || b->locks > 0 || dwBytes > kMaxBlock) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void* data = std::realloc(b->data, dwBytes ? dwBytes : 1);
    if (data == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if ((uFlags & GMEM_ZEROINIT) && dwBytes > b->size)
        std::memset(static_cast<char*>(data) + b->size, 0, dwBytes - b->size);
    b->data = data;
    b->size = dwBytes;
    return hMem;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard lock(h.lock);
    Block* b = find(h, hMem);
    if (b == nullptr) return nullptr;
    if (b->moveable) ++b->locks;
    return b->data;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard lock(h.lock);
    Block* b = find(h, hMem);
    if (b == nullptr) return FALSE;
    if (!b->moveable || b->locks == 0) {
        SetLastError(158L);  // ERROR_NOT_LOCKED
        return FALSE;
    }
    --b->locks;
    if (b->locks == 0) SetLastError(NO_ERROR);
    return b->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard lock(h.lock);
    Block* b = find(h, hMem);
    return b ? b->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    Heap& h = heap();
    std::lock_guard lock(h.lock);
    Block* b = find(h, hMem);
    if (b == nullptr) return hMem;
    std::free(b->data);
    h.blocks.erase(reinterpret_cast<std::uintptr_t>(hMem));
    return nullptr;
}
