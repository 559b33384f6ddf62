// AcDbEntity: the properties every entity has and the defaults of its geometry
// operations.
#include <cstring>

#include "acgi.h"
#include "acutads.h"
#include "builtin.h"
#include "database_impl.h"
#include "dbapserv.h"
#include "dbsymtb.h"
#include "object_access.h"
#include "symbols.h"
#include "../core/utf.h"
#include "../filers/dxf_in_filer.h"

using arx::ObjectAccess;

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbEntity, AcDbObject)

AcDbEntity::AcDbEntity() = default;
AcDbEntity::~AcDbEntity() = default;

// A proxy holds its data as read: none of its properties may change, since the
// host could not write the change back into data it does not understand.
static Acad::ErrorStatus refusedForProxy(const AcDbEntity* ent)
{
    return ent->isAProxy() ? Acad::eNotAllowedForThisProxy : Acad::eOk;
}

static AcDbDatabase* databaseFor(const AcDbObject* obj)
{
    AcDbDatabase* db = obj->database();
    return db != nullptr ? db : acdbHostApplicationServices()->workingDatabase();
}

AcCmColor AcDbEntity::color() const
{
    assertReadEnabled();
    return mColor;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    assertWriteEnabled();
    mColor = color;
    recordGraphicsModified();
    return Acad::eOk;
}

Adesk::UInt16 AcDbEntity::colorIndex() const
{
    assertReadEnabled();
    return mColor.colorIndex();
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 colorIndex, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    if (colorIndex > 256) return Acad::eInvalidInput;
    assertWriteEnabled();
    mColor.setColorIndex(colorIndex);
    recordGraphicsModified();
    return Acad::eOk;
}

AcCmTransparency AcDbEntity::transparency() const
{
    assertReadEnabled();
    return mTransparency;
}

Acad::ErrorStatus AcDbEntity::setTransparency(const AcCmTransparency& trans, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    assertWriteEnabled();
    mTransparency = trans;
    recordGraphicsModified();
    return Acad::eOk;
}

ACHAR* AcDbEntity::layer() const
{
    assertReadEnabled();
    ACHAR* copy = nullptr;
    acutNewString(arx::symbolName(mLayer, L"0").c_str(), copy);
    return copy;
}

AcDbObjectId AcDbEntity::layerId() const
{
    assertReadEnabled();
    return AcDbObjectId(mLayer);
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* newVal, Adesk::Boolean doSubents, bool allowHiddenLayer)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    AcDbObjectId id;
    Acad::ErrorStatus es = arx::findSymbol(databaseFor(this), arx::TableKind::kLayer, newVal, id);
    if (es != Acad::eOk) return es;
    return setLayer(id, doSubents, allowHiddenLayer);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, Adesk::Boolean, bool)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    if (newVal.isNull()) return Acad::eNullObjectId;
    assertWriteEnabled();
    mLayer = newVal;
    recordGraphicsModified();
    return Acad::eOk;
}

ACHAR* AcDbEntity::linetype() const
{
    assertReadEnabled();
    ACHAR* copy = nullptr;
    acutNewString(arx::symbolName(mLinetype, L"ByLayer").c_str(), copy);
    return copy;
}

AcDbObjectId AcDbEntity::linetypeId() const
{
    assertReadEnabled();
    return AcDbObjectId(mLinetype);
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* newVal, Adesk::Boolean doSubents)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    AcDbObjectId id;
    Acad::ErrorStatus es = arx::findSymbol(databaseFor(this), arx::TableKind::kLinetype, newVal, id);
    if (es != Acad::eOk) return es;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId newVal, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    if (newVal.isNull()) return Acad::eNullObjectId;
    assertWriteEnabled();
    mLinetype = newVal;
    recordGraphicsModified();
    return Acad::eOk;
}

double AcDbEntity::linetypeScale() const
{
    assertReadEnabled();
    return mLinetypeScale;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double v, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    if (!(v > 0)) return Acad::eInvalidInput;
    assertWriteEnabled();
    mLinetypeScale = v;
    recordGraphicsModified();
    return Acad::eOk;
}

AcDb::Visibility AcDbEntity::visibility() const
{
    assertReadEnabled();
    return static_cast<AcDb::Visibility>(mVisibility);
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility v, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    assertWriteEnabled();
    mVisibility = static_cast<Adesk::UInt8>(v == AcDb::kInvisible ? 1 : 0);
    recordGraphicsModified();
    return Acad::eOk;
}

AcDb::LineWeight AcDbEntity::lineWeight() const
{
    assertReadEnabled();
    return static_cast<AcDb::LineWeight>(mLineWeight);
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight v, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    if (v < AcDb::kLnWtByLwDefault || v > 211) return Acad::eInvalidInput;
    assertWriteEnabled();
    mLineWeight = static_cast<Adesk::Int16>(v);
    recordGraphicsModified();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* other, Adesk::Boolean)
{
    if (Acad::ErrorStatus es = refusedForProxy(this); es != Acad::eOk) return es;
    if (other == nullptr) return Acad::eNullEntityPointer;
    other->assertReadEnabled();
    assertWriteEnabled();
    mLayer = other->mLayer;
    mLinetype = other->mLinetype;
    mColor = other->mColor;
    mTransparency = other->mTransparency;
    mLinetypeScale = other->mLinetypeScale;
    mLineWeight = other->mLineWeight;
    mVisibility = other->mVisibility;
    recordGraphicsModified();
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* db)
{
    if (db == nullptr) db = databaseFor(this);
    if (db == nullptr) return;
    assertWriteEnabled(false, false);
    mLayer = db->clayer();
    mLinetype = db->byLayerLinetype();
    mColor = AcCmColor();
    mLinetypeScale = 1.0;
    mLineWeight = AcDb::kLnWtByLayer;
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    return subGetGeomExtents(extents);
}

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = subTransformBy(xform);
    if (es == Acad::eOk) recordGraphicsModified();
    return es;
}

Acad::ErrorStatus AcDbEntity::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const
{
    assertReadEnabled();
    return subGetGripPoints(gripPoints, osnapModes, geomIds);
}

Acad::ErrorStatus AcDbEntity::getGripPoints(AcDbGripDataPtrArray& grips, double curViewUnitSize, int gripSize,
                                            const AcGeVector3d& curViewDir, int bitflags) const
{
    assertReadEnabled();
    return subGetGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = subMoveGripPointsAt(indices, offset);
    if (es == Acad::eOk) recordGraphicsModified();
    return es;
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                               int bitflags)
{
    assertWriteEnabled();
    return subMoveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbEntity::highlight(const AcDbFullSubentPath& subId, Adesk::Boolean highlightAll) const
{
    assertReadEnabled();
    return subHighlight(subId, highlightAll);
}

Acad::ErrorStatus AcDbEntity::unhighlight(const AcDbFullSubentPath& subId, Adesk::Boolean highlightAll) const
{
    assertReadEnabled();
    return subUnhighlight(subId, highlightAll);
}

bool AcDbEntity::isHighlighted() const { return mHighlighted != 0; }

void AcDbEntity::recordGraphicsModified(Adesk::Boolean setModified)
{
    assertWriteEnabled(false, true);
    std::uint16_t& state = arx::ObjectAccess::state(this);
    if (setModified)
        state = static_cast<std::uint16_t>((state | arx::kStGraphicsModified) & ~arx::kStGraphicsKept);
    else
        state = static_cast<std::uint16_t>((state & ~arx::kStGraphicsModified) | arx::kStGraphicsKept);
}

Adesk::Boolean AcDbEntity::worldDraw(AcGiWorldDraw* mode) { return subWorldDraw(mode); }
void AcDbEntity::viewportDraw(AcGiViewportDraw* mode) { subViewportDraw(mode); }
Adesk::UInt32 AcDbEntity::viewportDrawLogicalFlags(AcGiViewportDraw* vd) { return subViewportDrawLogicalFlags(vd); }
Adesk::UInt32 AcDbEntity::setAttributes(AcGiDrawableTraits* traits) { return subSetAttributes(traits); }

Acad::ErrorStatus AcDbEntity::subGetGeomExtents(AcDbExtents&) const { return Acad::eInvalidExtents; }
Acad::ErrorStatus AcDbEntity::subTransformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbEntity::subGetGripPoints(AcGePoint3dArray&, AcDbIntArray&, AcDbIntArray&) const
{
    return Acad::eOk;
}
// The grip-data form is optional: the host falls back to grip points.
Acad::ErrorStatus AcDbEntity::subGetGripPoints(AcDbGripDataPtrArray&, double, int, const AcGeVector3d&, int) const
{
    return Acad::eNotImplementedYet;
}
Acad::ErrorStatus AcDbEntity::subMoveGripPointsAt(const AcDbIntArray&, const AcGeVector3d&)
{
    return Acad::eNotApplicable;
}
Acad::ErrorStatus AcDbEntity::subMoveGripPointsAt(const AcDbVoidPtrArray&, const AcGeVector3d&, int)
{
    return Acad::eNotImplementedYet;
}
Acad::ErrorStatus AcDbEntity::subHighlight(const AcDbFullSubentPath&, Adesk::Boolean) const
{
    mHighlighted = 1;
    return Acad::eOk;
}
Acad::ErrorStatus AcDbEntity::subUnhighlight(const AcDbFullSubentPath&, Adesk::Boolean) const
{
    mHighlighted = 0;
    return Acad::eOk;
}
Adesk::Boolean AcDbEntity::subWorldDraw(AcGiWorldDraw*) { return Adesk::kTrue; }
void AcDbEntity::subViewportDraw(AcGiViewportDraw*) {}
Adesk::UInt32 AcDbEntity::subViewportDrawLogicalFlags(AcGiViewportDraw*) { return 0; }
// An entity's primitives take its own properties unless it sets others.
Adesk::UInt32 AcDbEntity::subSetAttributes(AcGiDrawableTraits* traits)
{
    if (traits != nullptr) traits->setupForEntity(this);
    return 0;
}

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeHardPointerId(AcDbObjectId(mLayer));
    filer->writeHardPointerId(AcDbObjectId(mLinetype));
    filer->writeUInt32(mColor.color());
    filer->writeUInt32(mTransparency.serializeOut());
    filer->writeDouble(mLinetypeScale);
    filer->writeInt16(mLineWeight);
    filer->writeUInt8(mVisibility);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbHardPointerId layer, ltype;
    Adesk::UInt32 color = 0, transparency = 0;
    double ltscale = 1;
    Adesk::Int16 weight = 0;
    Adesk::UInt8 visibility = 0;
    filer->readHardPointerId(&layer);
    filer->readHardPointerId(&ltype);
    filer->readUInt32(&color);
    filer->readUInt32(&transparency);
    filer->readDouble(&ltscale);
    filer->readInt16(&weight);
    if ((es = filer->readUInt8(&visibility)) != Acad::eOk) return es;
    if (mColor.setColor(color) != Acad::eOk || !(ltscale > 0) || visibility > 1) return Acad::eDwgObjectImproperlyRead;
    mLayer = layer;
    mLinetype = ltype;
    mTransparency.serializeIn(transparency);
    mLinetypeScale = ltscale;
    mLineWeight = weight;
    mVisibility = visibility;
    return filer->filerStatus();
}

// Groups of the AcDbEntity section that the host keeps without using them.
static bool isKeptEntityGroup(int code)
{
    switch (code) {
    case 92:
    case 160:
    case 310:
    case 284:
    case 347:
    case 348:
    case 380:
    case 390:
    case 430: return true;
    default: return false;
    }
}

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(AcDb::kDxfSubclass, L"AcDbEntity");
    if (arx::isPaperSpaceOwner(ownerId())) filer->writeInt16(AcDb::kDxfViewportVisibility, 1);
    filer->writeString(AcDb::kDxfLayerName, arx::symbolName(mLayer, L"0").c_str());
    if (mLinetype != nullptr) {
        std::wstring lt = arx::symbolName(mLinetype, L"ByLayer");
        if (!arx::equalsNoCase(lt, L"ByLayer")) filer->writeString(AcDb::kDxfLinetypeName, lt.c_str());
    }
    if (!mColor.isByLayer()) {
        filer->writeInt16(AcDb::kDxfColor, static_cast<Adesk::Int16>(mColor.colorIndex()));
        if (mColor.isByColor())
            filer->writeInt32(AcDb::kDxfColorRGB,
                              static_cast<Adesk::Int32>((mColor.red() << 16) | (mColor.green() << 8) | mColor.blue()));
    }
    if (mLineWeight != AcDb::kLnWtByLayer) filer->writeInt16(AcDb::kDxfLineWeight, mLineWeight);
    if (mLinetypeScale != 1.0) filer->writeDouble(AcDb::kDxfLinetypeScale, mLinetypeScale);
    if (mVisibility != 0) filer->writeInt16(AcDb::kDxfVisibility, 1);
    if (!mTransparency.isByLayer())
        filer->writeInt32(AcDb::kDxfAlpha, static_cast<Adesk::Int32>(mTransparency.serializeOut()));
    arx::writeKeptGroups(filer, this, "AcDbEntity");
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return arx::ObjectAccess::readEntityGroups(this, filer);
}

// The AcDbEntity section alone: what an entity and a proxy entity read from
// DXF groups (a proxy keeps the groups too, and writes those back).
Acad::ErrorStatus arx::ObjectAccess::readEntityGroups(AcDbEntity* e, AcDbDxfFiler* filer)
{
    Acad::ErrorStatus es;
    filer->atSubclassData(L"AcDbEntity");
    AcDbDatabase* db = databaseFor(e);
    resbuf rb;
    int aci = -1;
    bool trueColor = false;
    Adesk::Int32 rgb = 0;
    for (;;) {
        es = filer->readResBuf(&rb);
        if (es == Acad::eEndOfFile) break;
        if (es != Acad::eOk) return es;
        switch (rb.restype) {
        case AcDb::kDxfLayerName:
            e->mLayer = arx::symbolForReading(db, arx::TableKind::kLayer, rb.resval.rstring);
            break;
        case AcDb::kDxfLinetypeName:
            e->mLinetype = arx::symbolForReading(db, arx::TableKind::kLinetype, rb.resval.rstring);
            break;
        case AcDb::kDxfColor: aci = rb.resval.rint; break;
        case AcDb::kDxfColorRGB:
            trueColor = true;
            rgb = rb.resval.rlong;
            break;
        case AcDb::kDxfAlpha: e->mTransparency.serializeIn(static_cast<Adesk::UInt32>(rb.resval.rlong)); break;
        case AcDb::kDxfVisibility: e->mVisibility = rb.resval.rint != 0 ? 1 : 0; break;
        case AcDb::kDxfLineWeight: e->mLineWeight = rb.resval.rint; break;
        case AcDb::kDxfLinetypeScale:
            if (rb.resval.rreal > 0) e->mLinetypeScale = rb.resval.rreal;
            break;
        case AcDb::kDxfViewportVisibility: break;  // ownership says which space
        default:
            if (isKeptEntityGroup(rb.restype)) {
                arx::keepCurrentGroup(filer, e, "AcDbEntity");
                break;
            }
            filer->pushBackItem();
            goto done;
        }
    }
done:
    if (trueColor)
        e->mColor.setRGB(static_cast<Adesk::UInt8>(rgb >> 16), static_cast<Adesk::UInt8>(rgb >> 8),
                      static_cast<Adesk::UInt8>(rgb));
    else if (aci >= 0 && aci <= 256)
        e->mColor.setColorIndex(static_cast<Adesk::UInt16>(aci));
    if (e->mLayer == nullptr) e->mLayer = arx::symbolForReading(db, arx::TableKind::kLayer, L"0");
    if (e->mLinetype == nullptr) e->mLinetype = arx::symbolForReading(db, arx::TableKind::kLinetype, L"ByLayer");
    return filer->filerStatus();
}
