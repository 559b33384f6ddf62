// AcDbIdMapping: the pairs of original and copy made while objects are cloned.
#pragma once
#include <map>

#include "dbid.h"

class ARXHOST_EXPORT AcDbIdMapping {
public:
    AcDbIdMapping() = default;
    void assign(const AcDbObjectId& key, const AcDbObjectId& value) { mPairs[key] = value; }
    bool compute(const AcDbObjectId& key, AcDbObjectId& value) const
    {
        auto it = mPairs.find(key);
        if (it == mPairs.end()) return false;
        value = it->second;
        return true;
    }
    size_t size() const { return mPairs.size(); }

private:
    std::map<AcDbObjectId, AcDbObjectId> mPairs;
};
