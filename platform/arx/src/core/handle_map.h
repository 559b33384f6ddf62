// A map from handles to stubs, open-addressed in one array: a drawing holds
// hundreds of thousands of objects, and a node per entry (what a standard
// unordered map allocates) costs more memory and time than the objects' own
// bookkeeping. Handle 0 is never a key.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

namespace arx {

template <class Value>
class HandleMap {
public:
    Value* find(std::uint64_t handle) const
    {
        if (mCount == 0) return nullptr;
        for (size_t i = slotOf(handle);; i = (i + 1) & mMask) {
            if (mSlots[i].key == handle) return mSlots[i].value;
            if (mSlots[i].key == 0) return nullptr;
        }
    }
    // Adds an entry for a handle that is not in the map.
    void insert(std::uint64_t handle, Value* value)
    {
        if ((mCount + 1) * 2 > capacity()) grow(capacity() == 0 ? 64 : capacity() * 2);
        size_t i = slotOf(handle);
        while (mSlots[i].key != 0) i = (i + 1) & mMask;
        mSlots[i] = Slot{handle, value};
        ++mCount;
    }
    void erase(std::uint64_t handle)
    {
        if (mCount == 0) return;
        size_t i = slotOf(handle);
        while (mSlots[i].key != handle) {
            if (mSlots[i].key == 0) return;
            i = (i + 1) & mMask;
        }
        // Backward-shift deletion keeps every probe sequence unbroken.
        for (size_t next = (i + 1) & mMask; mSlots[next].key != 0; next = (next + 1) & mMask) {
            size_t home = slotOf(mSlots[next].key);
            if (((next - home) & mMask) >= ((next - i) & mMask)) {
                mSlots[i] = mSlots[next];
                i = next;
            }
        }
        mSlots[i] = Slot{};
        --mCount;
    }
    // Makes room for n entries without growing again.
    void reserve(size_t n)
    {
        size_t want = 64;
        while (want < n * 2) want *= 2;
        if (want > capacity()) grow(want);
    }
    size_t size() const { return mCount; }

private:
    struct Slot {
        std::uint64_t key = 0;
        Value* value = nullptr;
    };
    size_t capacity() const { return mSlots ? mMask + 1 : 0; }
    size_t slotOf(std::uint64_t h) const
    {
        // Handles are often consecutive: mix them so they spread over the table.
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return static_cast<size_t>(h) & mMask;
    }
    void grow(size_t newCapacity)
    {
        std::unique_ptr<Slot[]> old = std::move(mSlots);
        size_t oldCapacity = old ? mMask + 1 : 0;
        mSlots.reset(new Slot[newCapacity]);
        mMask = newCapacity - 1;
        mCount = 0;
        for (size_t i = 0; i < oldCapacity; ++i)
            if (old[i].key != 0) insert(old[i].key, old[i].value);
    }

    std::unique_ptr<Slot[]> mSlots;
    size_t mMask = 0;
    size_t mCount = 0;
};

}  // namespace arx
