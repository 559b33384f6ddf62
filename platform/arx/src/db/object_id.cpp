// AcDbObjectId: a stable reference to an object of a database, through the stub
// the id table keeps for it; and the ads_name form of an id that result buffers
// carry.
#include "dbmain.h"
#include "stub.h"

bool AcDbObjectId::isValid() const { return mId != nullptr && mId->database != nullptr; }
bool AcDbObjectId::isErased() const
{
    return mId != nullptr && (mId->flags & (AcDbStub::kErased | AcDbStub::kPermanentlyErased)) != 0;
}
bool AcDbObjectId::isResident() const { return mId != nullptr && mId->object != nullptr; }
AcDbDatabase* AcDbObjectId::database() const { return mId != nullptr ? mId->database : nullptr; }
AcDbHandle AcDbObjectId::handle() const { return mId != nullptr ? AcDbHandle(mId->handle) : AcDbHandle(); }
bool AcDbObjectId::operator<(const AcDbObjectId& id) const { return mId < id.mId; }

Acad::ErrorStatus acdbGetAdsName(ads_name& name, AcDbObjectId id)
{
    name[0] = reinterpret_cast<Adesk::Int64>(static_cast<AcDbStub*>(id));
    name[1] = 0;
    return id.isNull() ? Acad::eNullObjectId : Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name)
{
    id = reinterpret_cast<AcDbStub*>(name[0]);
    return id.isNull() ? Acad::eNullObjectId : Acad::eOk;
}
