// MFC's CArray: a growable array of TYPE, passed in as ARG_TYPE. Indexes outside the
// array throw std::out_of_range instead of touching memory that is not an element.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "afx.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0) throw std::out_of_range("CArray::SetSize: negative size");
        m_data.resize(static_cast<size_t>(nNewSize));
        (void)nGrowBy;
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_data[checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_data[checked(nIndex)]; }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0) throw std::out_of_range("CArray::SetAtGrow: negative index");
        TYPE copy = newElement;  // newElement may be an element that the resize moves
        if (static_cast<size_t>(nIndex) >= m_data.size()) m_data.resize(static_cast<size_t>(nIndex) + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(copy);
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        m_data.push_back(newElement);
        return GetSize() - 1;
    }
    INT_PTR Append(const CArray& src)
    {
        INT_PTR old = GetSize();
        std::vector<TYPE> copy = src.m_data;
        m_data.insert(m_data.end(), copy.begin(), copy.end());
        return old;
    }
    void Copy(const CArray& src)
    {
        if (&src != this) m_data = src.m_data;
    }

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0) throw std::out_of_range("CArray::InsertAt: negative index or count");
        TYPE copy = newElement;
        if (static_cast<size_t>(nIndex) > m_data.size()) m_data.resize(static_cast<size_t>(nIndex));
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), copy);
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            throw std::out_of_range("CArray::RemoveAt: " + std::to_string(nIndex) + "+" + std::to_string(nCount) +
                                    " outside " + std::to_string(GetSize()));
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

private:
    size_t checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            throw std::out_of_range("CArray index " + std::to_string(nIndex) + " outside 0.." +
                                    std::to_string(GetSize() - 1));
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
};
