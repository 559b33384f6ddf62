// Copying entities within and between drawings (see clone_entities.h).
#include "clone_entities.h"

#include "dbidmap.h"

namespace arx {

namespace {

AcString recordName(AcDbObjectId id)
{
    AcString name;
    AcDbSymbolTableRecord* rec = nullptr;
    if (acdbOpenObject(rec, id, AcDb::kForRead) == Acad::eOk) {
        rec->getName(name);
        rec->close();
    }
    return name;
}

// The linetype of the same name in target, copied from source when missing.
AcDbObjectId linetypeIn(AcDbDatabase* target, AcDbObjectId source)
{
    AcString name = recordName(source);
    if (name.isEmpty()) return AcDbObjectId::kNull;
    AcDbLinetypeTable* table = nullptr;
    if (target->getLinetypeTable(table, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    AcDbObjectId id;
    bool found = table->getAt(name.kwszPtr(), id) == Acad::eOk;
    table->close();
    if (found) return id;
    AcDbLinetypeTableRecord* from = nullptr;
    if (acdbOpenObject(from, source, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    auto* copy = new AcDbLinetypeTableRecord();
    copy->setName(name.kwszPtr());
    const ACHAR* comments = nullptr;
    if (from->comments(comments) == Acad::eOk && comments != nullptr) copy->setComments(comments);
    copy->setPatternLength(from->patternLength());
    copy->setNumDashes(from->numDashes());
    for (int i = 0; i < from->numDashes(); ++i) copy->setDashLengthAt(i, from->dashLengthAt(i));
    from->close();
    if (target->getLinetypeTable(table, AcDb::kForWrite) != Acad::eOk) {
        delete copy;
        return AcDbObjectId::kNull;
    }
    Acad::ErrorStatus es = table->add(id, copy);
    table->close();
    if (es != Acad::eOk) {
        delete copy;
        return AcDbObjectId::kNull;
    }
    copy->close();
    return id;
}

// The layer of the same name in target, copied from source when missing.
AcDbObjectId layerIn(AcDbDatabase* target, AcDbObjectId source)
{
    AcString name = recordName(source);
    if (name.isEmpty()) return AcDbObjectId::kNull;
    AcDbLayerTable* table = nullptr;
    if (target->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    AcDbObjectId id;
    bool found = table->getAt(name.kwszPtr(), id) == Acad::eOk;
    table->close();
    if (found) return id;
    AcDbLayerTableRecord* from = nullptr;
    if (acdbOpenObject(from, source, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    auto* copy = new AcDbLayerTableRecord();
    copy->setName(name.kwszPtr());
    copy->setColor(from->color());
    copy->setIsOff(from->isOff());
    copy->setIsLocked(from->isLocked());
    AcDbObjectId lt = from->linetypeObjectId();
    from->close();
    AcDbObjectId targetLt = linetypeIn(target, lt);
    if (!targetLt.isNull()) copy->setLinetypeObjectId(targetLt);
    if (target->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) {
        delete copy;
        return AcDbObjectId::kNull;
    }
    Acad::ErrorStatus es = table->add(id, copy);
    table->close();
    if (es != Acad::eOk) {
        delete copy;
        return AcDbObjectId::kNull;
    }
    copy->close();
    return id;
}

}  // namespace

AcDbEntity* copyEntity(AcDbObjectId source, AcDbBlockTableRecord* space, const AcGeMatrix3d& xform,
                       Acad::ErrorStatus& es)
{
    es = Acad::eOk;
    AcDbEntity* ent = nullptr;
    if ((es = acdbOpenAcDbEntity(ent, source, AcDb::kForRead)) != Acad::eOk) return nullptr;
    AcDbDatabase* target = space->database();
    const bool otherDrawing = target != ent->database();
    AcDbObjectId layer = ent->layerId(), linetype = ent->linetypeId();
    AcDbIdMapping map;
    AcDbObject* clone = nullptr;
    es = otherDrawing ? ent->wblockClone(space, clone, map) : ent->deepClone(space, clone, map);
    ent->close();
    if (es != Acad::eOk || clone == nullptr) return nullptr;
    auto* copy = AcDbEntity::cast(clone);
    if (copy == nullptr) {
        clone->close();
        return nullptr;
    }
    if (otherDrawing) {
        // The copy's references name records of the drawing it came from.
        AcDbObjectId l = layerIn(target, layer);
        copy->setLayer(l.isNull() ? target->clayer() : l);
        AcDbObjectId lt = linetypeIn(target, linetype);
        copy->setLinetype(lt.isNull() ? target->byLayerLinetype() : lt);
    }
    if (!xform.isIdentity()) {
        Acad::ErrorStatus t = copy->transformBy(xform);
        if (t != Acad::eOk) {
            // A copy that cannot go where it was asked to goes nowhere.
            copy->erase();
            copy->close();
            es = t;
            return nullptr;
        }
    }
    return copy;
}

}  // namespace arx
