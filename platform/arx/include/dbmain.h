// Database-resident objects: AcDbObject (identity, ownership, the open and close
// protocol, reactors, extension dictionaries, extended data, filing), AcDbEntity
// (layer, colour, linetype, visibility, transparency, geometry operations), the
// object and entity reactors, and the functions that open objects by id.
#pragma once
#include "AcString.h"
#include "acarray.h"
#include "acdb.h"
#include "adsdef.h"
#include "dbcolor.h"
#include "dbfiler.h"
#include "dbid.h"
#include "gearrays.h"
#include "gemat3d.h"
#include "rxboiler.h"
#include "wtypes.h"

class AcDbDatabase;
class AcDbObjectReactor;
class AcDbIdMapping;
class AcDbGripData;
class AcGiWorldDraw;
class AcGiViewportDraw;
class AcGiDrawableTraits;
class AcDbBlockTableRecord;
class AcDbEntity;
using AcDbGripDataPtrArray = AcArray<AcDbGripData*>;
namespace arx {
struct ObjectAccess;
struct ObjectExtra;
}  // namespace arx

// A box aligned with the axes. Empty until the first point is added.
class ARXHOST_EXPORT AcDbExtents {
public:
    AcDbExtents();
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);
    AcGePoint3d minPoint() const { return mMin; }
    AcGePoint3d maxPoint() const { return mMax; }
    // Fails with eInvalidExtents when min is not below max on every axis.
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);
    void addPoint(const AcGePoint3d& pt);
    void addExt(const AcDbExtents& ext);
    void expandBy(const AcGeVector3d& vec);
    void transformBy(const AcGeMatrix3d& mat);
    bool isValid() const { return mMin.x <= mMax.x && mMin.y <= mMax.y && mMin.z <= mMax.z; }

private:
    AcGePoint3d mMin;
    AcGePoint3d mMax;
};

// A path to a subentity (the plug-in only ever passes the empty one).
class ARXHOST_EXPORT AcDbFullSubentPath {
public:
    AcDbFullSubentPath() = default;
    AcDbObjectIdArray& objectIds() { return mIds; }
    const AcDbObjectIdArray& objectIds() const { return mIds; }
    bool operator==(const AcDbFullSubentPath& o) const { return mIds == o.mIds && mSubentIndex == o.mSubentIndex; }

private:
    AcDbObjectIdArray mIds;
    Adesk::GsMarker mSubentIndex = 0;
};
ARXHOST_EXPORT extern const AcDbFullSubentPath kNullSubent;

class ARXHOST_EXPORT AcDbObject : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    ~AcDbObject() override;

    // Identity and ownership.
    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId ownerId);
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbDatabase* database() const;

    // Extension dictionary: created on demand, removed only when empty.
    Acad::ErrorStatus createExtensionDictionary();
    AcDbObjectId extensionDictionary() const;
    Acad::ErrorStatus releaseExtensionDictionary();

    // The open and close protocol.
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus upgradeFromNotify(Adesk::Boolean& wasWritable);
    Acad::ErrorStatus downgradeToNotify(Adesk::Boolean wasWritable);
    virtual Acad::ErrorStatus subOpen(AcDb::OpenMode mode);
    Acad::ErrorStatus cancel();
    virtual Acad::ErrorStatus subCancel();
    Acad::ErrorStatus close();
    virtual Acad::ErrorStatus subClose();
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);
    virtual Acad::ErrorStatus subErase(Adesk::Boolean erasing);
    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const;
    bool isModified() const;
    bool isModifiedGraphics() const;
    bool isNewObject() const;
    bool isNotifying() const;
    bool isCancelling() const;
    bool isUndoing() const;
    bool isAProxy() const;
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);
    void assertNotifyEnabled() const;

    // Filing. dwgIn/dwgOut and dxfIn/dxfOut file the whole object (extended data
    // included); the *Fields operations are what each class overrides.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    Acad::ErrorStatus dxfIn(AcDbDxfFiler* filer);
    Acad::ErrorStatus dxfOut(AcDbDxfFiler* filer) const;
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const;
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const;

    // Extended data: a chain that starts with a 1001 application name per group.
    virtual resbuf* xData(const ACHAR* regappName = nullptr) const;
    virtual Acad::ErrorStatus setXData(const resbuf* xdata);

    // Reactors: transient ones by pointer, persistent ones by object id.
    void addReactor(AcDbObjectReactor* reactor) const;
    void removeReactor(AcDbObjectReactor* reactor) const;
    virtual void addPersistentReactor(AcDbObjectId objId);
    virtual Acad::ErrorStatus removePersistentReactor(AcDbObjectId objId);
    bool hasPersistentReactor(AcDbObjectId objId) const;
    // Both kinds in one array; test entries with acdbIsPersistentReactor.
    AcDbVoidPtrArray* reactors();
    const AcDbVoidPtrArray* reactors() const;

    // Notifications received when this object is a persistent reactor of another.
    virtual void cancelled(const AcDbObject* dbObj);
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj);
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean erasing = true);
    virtual void goodbye(const AcDbObject* dbObj);
    virtual void openedForModify(const AcDbObject* dbObj);
    virtual void modified(const AcDbObject* dbObj);
    virtual void subObjModified(const AcDbObject* dbObj, const AcDbObject* subObj);
    virtual void modifyUndone(const AcDbObject* dbObj);
    virtual void modifiedXData(const AcDbObject* dbObj);
    virtual void unappended(const AcDbObject* dbObj);
    virtual void reappended(const AcDbObject* dbObj);
    virtual void objectClosed(const AcDbObjectId objId);
    virtual void modifiedGraphics(const AcDbEntity* dbEnt);

    Acad::ErrorStatus getClassID(CLSID* clsid) const;
    Acad::ErrorStatus deepClone(AcDbObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                Adesk::Boolean isPrimary = true) const;
    Acad::ErrorStatus wblockClone(AcRxObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                  Adesk::Boolean isPrimary = true) const;

    // Database objects come from the host's object pools (8-byte aligned).
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size) noexcept;

protected:
    AcDbObject();
    virtual Acad::ErrorStatus subGetClassID(CLSID* clsid) const;
    virtual Acad::ErrorStatus subDeepClone(AcDbObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                           Adesk::Boolean isPrimary = true) const;
    virtual Acad::ErrorStatus subWblockClone(AcRxObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                             Adesk::Boolean isPrimary = true) const;

private:
    friend struct arx::ObjectAccess;
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;

    AcDbStub* mStub = nullptr;   // null while the object is not in a database
    AcDbStub* mOwner = nullptr;
    // What few objects have (an extension dictionary, reactors, extended data,
    // kept DXF groups, an undo image) lives apart, so that every object is small.
    mutable arx::ObjectExtra* mExtra = nullptr;
    Adesk::UInt16 mReaders = 0;
    Adesk::UInt16 mState = 0;
};

class ARXHOST_EXPORT AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override;

    AcDbObjectId blockId() const { return ownerId(); }

    AcCmColor color() const;
    Acad::ErrorStatus setColor(const AcCmColor& color, Adesk::Boolean doSubents = true);
    Adesk::UInt16 colorIndex() const;
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 colorIndex, Adesk::Boolean doSubents = true);
    AcCmTransparency transparency() const;
    Acad::ErrorStatus setTransparency(const AcCmTransparency& trans, Adesk::Boolean doSubents = true);
    // The layer's name, allocated with acutNewBuffer.
    ACHAR* layer() const;
    AcDbObjectId layerId() const;
    Acad::ErrorStatus setLayer(const ACHAR* newVal, Adesk::Boolean doSubents = true,
                               bool allowHiddenLayer = false);
    Acad::ErrorStatus setLayer(AcDbObjectId newVal, Adesk::Boolean doSubents = true,
                               bool allowHiddenLayer = false);
    ACHAR* linetype() const;
    AcDbObjectId linetypeId() const;
    Acad::ErrorStatus setLinetype(const ACHAR* newVal, Adesk::Boolean doSubents = true);
    Acad::ErrorStatus setLinetype(AcDbObjectId newVal, Adesk::Boolean doSubents = true);
    double linetypeScale() const;
    Acad::ErrorStatus setLinetypeScale(double newval, Adesk::Boolean doSubents = true);
    AcDb::Visibility visibility() const;
    Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, Adesk::Boolean doSubents = true);
    AcDb::LineWeight lineWeight() const;
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean doSubents = true);
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* other, Adesk::Boolean doSubents = true);
    // Layer "0", linetype ByLayer, colour ByLayer of db (or the working database).
    void setDatabaseDefaults(AcDbDatabase* db = nullptr);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, double curViewUnitSize, int gripSize,
                                    const AcGeVector3d& curViewDir, int bitflags) const;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       int bitflags);
    Acad::ErrorStatus highlight(const AcDbFullSubentPath& subId = kNullSubent,
                                Adesk::Boolean highlightAll = false) const;
    Acad::ErrorStatus unhighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                  Adesk::Boolean highlightAll = false) const;
    bool isHighlighted() const;
    // The entity is drawn again when it is closed (or, with false, not).
    void recordGraphicsModified(Adesk::Boolean setModified = true);

    Adesk::Boolean worldDraw(AcGiWorldDraw* mode);
    void viewportDraw(AcGiViewportDraw* mode);
    Adesk::UInt32 viewportDrawLogicalFlags(AcGiViewportDraw* vd);
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* traits);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

protected:
    AcDbEntity();
    virtual Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform);
    virtual Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                               AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subGetGripPoints(AcDbGripDataPtrArray& grips, double curViewUnitSize,
                                               int gripSize, const AcGeVector3d& curViewDir,
                                               int bitflags) const;
    virtual Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus subMoveGripPointsAt(const AcDbVoidPtrArray& gripAppData,
                                                  const AcGeVector3d& offset, int bitflags);
    virtual Acad::ErrorStatus subHighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                           Adesk::Boolean highlightAll = false) const;
    virtual Acad::ErrorStatus subUnhighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                             Adesk::Boolean highlightAll = false) const;
    virtual Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode);
    virtual void subViewportDraw(AcGiViewportDraw* mode);
    virtual Adesk::UInt32 subViewportDrawLogicalFlags(AcGiViewportDraw* vd);
    virtual Adesk::UInt32 subSetAttributes(AcGiDrawableTraits* traits);

private:
    friend struct arx::ObjectAccess;
    AcDbStub* mLayer = nullptr;
    AcDbStub* mLinetype = nullptr;
    AcCmColor mColor;
    double mLinetypeScale = 1.0;
    AcCmTransparency mTransparency;
    Adesk::Int16 mLineWeight = AcDb::kLnWtByLayer;
    Adesk::UInt8 mVisibility = AcDb::kVisible;
    mutable Adesk::UInt8 mHighlighted = 0;
};

class ARXHOST_EXPORT AcDbObjectReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObjectReactor);
    ~AcDbObjectReactor() override;
    virtual void cancelled(const AcDbObject* dbObj);
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj);
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean erasing = true);
    virtual void goodbye(const AcDbObject* dbObj);
    virtual void openedForModify(const AcDbObject* dbObj);
    virtual void modified(const AcDbObject* dbObj);
    virtual void subObjModified(const AcDbObject* dbObj, const AcDbObject* subObj);
    virtual void modifyUndone(const AcDbObject* dbObj);
    virtual void modifiedXData(const AcDbObject* dbObj);
    virtual void unappended(const AcDbObject* dbObj);
    virtual void reappended(const AcDbObject* dbObj);
    virtual void objectClosed(const AcDbObjectId objId);

protected:
    AcDbObjectReactor();
};

class ARXHOST_EXPORT AcDbEntityReactor : public AcDbObjectReactor {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntityReactor);
    ~AcDbEntityReactor() override;
    virtual void modifiedGraphics(const AcDbEntity* dbEnt);
    virtual void dragCloneToBeDeleted(const AcDbEntity* pOriginalObj, const AcDbEntity* pClone);

protected:
    AcDbEntityReactor();
};

// Opening by id. Erased objects are refused (eWasErased) unless asked for.
ARXHOST_EXPORT Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                                    bool openErasedObject = false);
// Opens with a class check: an object of another kind is not left open and the
// result is eNotThatKindOfClass.
ARXHOST_EXPORT Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                                    const AcRxClass* pClass, bool openErasedObject = false);
ARXHOST_EXPORT Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode,
                                                    bool openErasedEntity = false);
// The class-checked open for a pointer of the class wanted; pObj is null on failure.
template <class T_OBJECT>
inline Acad::ErrorStatus acdbOpenObject(T_OBJECT*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                        bool openErased = false)
{
    AcDbObject* p = nullptr;
    Acad::ErrorStatus es = ::acdbOpenAcDbObject(p, id, mode, T_OBJECT::desc(), openErased);
    pObj = es == Acad::eOk ? static_cast<T_OBJECT*>(p) : nullptr;
    return es;
}

// The entity name of the command and LISP interfaces, and back.
ARXHOST_EXPORT Acad::ErrorStatus acdbGetAdsName(ads_name& name, AcDbObjectId id);
ARXHOST_EXPORT Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name name);

// Persistent reactors share the reactor array with transient ones, as tagged ids.
ARXHOST_EXPORT bool acdbIsPersistentReactor(void* reactor);
ARXHOST_EXPORT AcDbObjectId acdbPersistentReactorObjectId(void* reactor);

#include "dbdatabase.h"
