// AcArray: the SDK's growable array. It grows by at least the growth length given
// at construction and at least doubles, so that appending stays linear however
// small the growth length.
#pragma once
#include <algorithm>
#include <utility>
#include <vector>

#include "adesk.h"

template <class T>
class AcArray {
public:
    explicit AcArray(int initPhysicalLength = 0, int initGrowLength = 8)
        : mGrowLength(initGrowLength > 0 ? initGrowLength : 8)
    {
        if (initPhysicalLength > 0) mData.reserve(static_cast<size_t>(initPhysicalLength));
    }
    AcArray(const AcArray&) = default;
    AcArray(AcArray&&) noexcept = default;
    AcArray& operator=(const AcArray&) = default;
    AcArray& operator=(AcArray&&) noexcept = default;

    int length() const { return static_cast<int>(mData.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return static_cast<int>(mData.capacity()); }
    int growLength() const { return mGrowLength; }
    AcArray& setGrowLength(int n) { if (n > 0) mGrowLength = n; return *this; }
    bool isEmpty() const { return mData.empty(); }
    bool isValid(int i) const { return i >= 0 && i < length(); }

    T& operator[](int i) { return mData[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return mData[static_cast<size_t>(i)]; }
    T& at(int i) { return mData.at(static_cast<size_t>(i)); }
    const T& at(int i) const { return mData.at(static_cast<size_t>(i)); }
    T& first() { return mData.front(); }
    T& last() { return mData.back(); }
    const T* asArrayPtr() const { return mData.data(); }
    T* asArrayPtr() { return mData.data(); }

    int append(const T& value)
    {
        grow(1);
        mData.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other)
    {
        grow(other.length());
        mData.insert(mData.end(), other.mData.begin(), other.mData.end());
        return *this;
    }
    AcArray& insertAt(int index, const T& value)
    {
        grow(1);
        mData.insert(mData.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index)
    {
        mData.erase(mData.begin() + index);
        return *this;
    }
    // Removes the first element equal to value; returns whether one was found.
    bool remove(const T& value, int start = 0)
    {
        int i = indexOf(value, start);
        if (i < 0) return false;
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast()
    {
        mData.pop_back();
        return *this;
    }
    AcArray& removeAll()
    {
        mData.clear();
        return *this;
    }
    AcArray& setLogicalLength(int n)
    {
        mData.resize(static_cast<size_t>(n));
        return *this;
    }
    AcArray& setPhysicalLength(int n)
    {
        if (n < length()) mData.resize(static_cast<size_t>(n));
        mData.reserve(static_cast<size_t>(n));
        return *this;
    }
    bool contains(const T& value, int start = 0) const { return indexOf(value, start) >= 0; }
    bool find(const T& value, int& foundAt, int start = 0) const
    {
        foundAt = indexOf(value, start);
        return foundAt >= 0;
    }
    int find(const T& value) const { return indexOf(value, 0); }
    int indexOf(const T& value, int start = 0) const
    {
        for (int i = start; i < length(); ++i)
            if (mData[static_cast<size_t>(i)] == value) return i;
        return -1;
    }
    AcArray& reverse()
    {
        std::reverse(mData.begin(), mData.end());
        return *this;
    }
    bool operator==(const AcArray& o) const { return mData == o.mData; }

    auto begin() { return mData.begin(); }
    auto end() { return mData.end(); }
    auto begin() const { return mData.begin(); }
    auto end() const { return mData.end(); }

private:
    // Reserve in multiples of the growth length, at least doubling: steps of a
    // fixed size would copy the array once per step and make appending quadratic.
    void grow(int extra)
    {
        size_t need = mData.size() + static_cast<size_t>(extra);
        if (need <= mData.capacity()) return;
        size_t step = static_cast<size_t>(mGrowLength);
        size_t cap = std::max({need, mData.capacity() + step, mData.capacity() * 2});
        cap = (cap + step - 1) / step * step;
        mData.reserve(cap);
    }

    std::vector<T> mData;
    int mGrowLength;
};

using AcDbIntArray = AcArray<int>;
using AcDbVoidPtrArray = AcArray<void*>;
