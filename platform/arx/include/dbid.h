// AcDbObjectId: the stable identity of an object in a database. It refers to an
// entry of the database's id table (a stub) that lives as long as the database,
// whether or not the object is in memory, erased, or yet to be read.
#pragma once
#include "dbhandle.h"

class AcDbStub;
class AcDbDatabase;

class ARXHOST_EXPORT AcDbObjectId {
public:
    AcDbObjectId() = default;
    AcDbObjectId(const AcDbStub* stub) : mId(const_cast<AcDbStub*>(stub)) {}
    static const AcDbObjectId kNull;

    bool isNull() const { return mId == nullptr; }
    void setNull() { mId = nullptr; }
    // Non-null and belonging to a database.
    bool isValid() const;
    bool isErased() const;
    bool isEffectivelyErased() const { return isErased(); }
    bool isResident() const;
    AcDbDatabase* database() const;
    AcDbDatabase* originalDatabase() const { return database(); }
    AcDbHandle handle() const;
    Adesk::IntDbId asOldId() const { return reinterpret_cast<Adesk::IntDbId>(mId); }
    AcDbObjectId& setFromOldId(Adesk::IntDbId oldId)
    {
        mId = reinterpret_cast<AcDbStub*>(oldId);
        return *this;
    }

    bool operator==(const AcDbObjectId& id) const { return mId == id.mId; }
    bool operator!=(const AcDbObjectId& id) const { return mId != id.mId; }
    bool operator<(const AcDbObjectId& id) const;
    operator AcDbStub*() const { return mId; }

protected:
    AcDbStub* mId = nullptr;
};

// The typed references of filing: they file like object ids and say what the
// reference means for ownership.
class AcDbHardOwnershipId : public AcDbObjectId {
public:
    AcDbHardOwnershipId() = default;
    AcDbHardOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};
class AcDbSoftOwnershipId : public AcDbObjectId {
public:
    AcDbSoftOwnershipId() = default;
    AcDbSoftOwnershipId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};
class AcDbHardPointerId : public AcDbObjectId {
public:
    AcDbHardPointerId() = default;
    AcDbHardPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};
class AcDbSoftPointerId : public AcDbObjectId {
public:
    AcDbSoftPointerId() = default;
    AcDbSoftPointerId(const AcDbObjectId& id) : AcDbObjectId(id) {}
};

#include "acarray.h"
using AcDbObjectIdArray = AcArray<AcDbObjectId>;
