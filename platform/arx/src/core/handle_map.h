// A map from handles to stubs. A drawing holds hundreds of thousands of
// objects whose handles are mostly small and dense, so handles below a bound
// that grows with the number of entries index an array directly (no hashing, and
// neighbours in the file are neighbours in memory); the rest go to a table
// open-addressed in one array. Neither allocates per entry, as a standard
// unordered map does. Handle 0 is never a key.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace arx {

template <class Value>
class HandleMap {
public:
    Value* find(std::uint64_t handle) const
    {
        if (handle < mDirect.size()) return mDirect[handle];
        if (mHashed == 0) return nullptr;
        for (size_t i = slotOf(handle);; i = (i + 1) & mMask) {
            if (mSlots[i].key == handle) return mSlots[i].value;
            if (mSlots[i].key == 0) return nullptr;
        }
    }
    // Adds an entry for a handle that is not in the map.
    void insert(std::uint64_t handle, Value* value)
    {
        ++mCount;
        // The array may grow to cover handles up to twice the entries (and a
        // little): a file of scattered large handles cannot make it huge.
        if (handle >= mDirect.size() && handle < 2 * mCount + kDirectSlack) growDirect(handle + 1);
        if (handle < mDirect.size()) {
            mDirect[handle] = value;
            return;
        }
        insertHashed(handle, value);
    }
    void erase(std::uint64_t handle)
    {
        if (handle < mDirect.size()) {
            if (mDirect[handle] != nullptr) --mCount;
            mDirect[handle] = nullptr;
            return;
        }
        if (mHashed == 0) return;
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
        --mHashed;
        --mCount;
    }
    // Makes room for n entries of dense handles without growing again.
    void reserve(size_t n)
    {
        if (n + kDirectSlack > mDirect.size()) growDirect(n + kDirectSlack);
    }
    size_t size() const { return mCount; }

private:
    static constexpr size_t kDirectSlack = 4096;
    struct Slot {
        std::uint64_t key = 0;
        Value* value = nullptr;
    };
    size_t capacity() const { return mSlots ? mMask + 1 : 0; }
    size_t slotOf(std::uint64_t h) const
    {
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        return static_cast<size_t>(h) & mMask;
    }
    void growDirect(std::uint64_t atLeast)
    {
        size_t size = mDirect.size() < 1024 ? 1024 : mDirect.size();
        while (size < atLeast) size *= 2;
        mDirect.resize(size, nullptr);
        // Hashed entries the array now covers move into it.
        if (mHashed == 0) return;
        std::unique_ptr<Slot[]> old = std::move(mSlots);
        size_t oldCapacity = mMask + 1;
        mSlots.reset(new Slot[oldCapacity]);
        mHashed = 0;
        for (size_t i = 0; i < oldCapacity; ++i) {
            if (old[i].key == 0) continue;
            if (old[i].key < mDirect.size())
                mDirect[old[i].key] = old[i].value;
            else
                insertHashed(old[i].key, old[i].value);
        }
    }
    void insertHashed(std::uint64_t handle, Value* value)
    {
        // At most four fifths full, so probes stay short.
        if ((mHashed + 1) * 5 > capacity() * 4) growHashed(capacity() == 0 ? 64 : capacity() * 2);
        size_t i = slotOf(handle);
        while (mSlots[i].key != 0) i = (i + 1) & mMask;
        mSlots[i] = Slot{handle, value};
        ++mHashed;
    }
    void growHashed(size_t newCapacity)
    {
        std::unique_ptr<Slot[]> old = std::move(mSlots);
        size_t oldCapacity = old ? mMask + 1 : 0;
        mSlots.reset(new Slot[newCapacity]);
        mMask = newCapacity - 1;
        mHashed = 0;
        for (size_t i = 0; i < oldCapacity; ++i)
            if (old[i].key != 0) insertHashed(old[i].key, old[i].value);
    }

    std::vector<Value*> mDirect;
    std::unique_ptr<Slot[]> mSlots;
    size_t mMask = 0;
    size_t mHashed = 0;  // entries in the open-addressed table
    size_t mCount = 0;   // all entries
};

}  // namespace arx
