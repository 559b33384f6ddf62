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

AcDbLinetypeTable* openTable(AcDbDatabase* db, AcDbLinetypeTable*, AcDb::OpenMode mode)
{
    AcDbLinetypeTable* table = nullptr;
    return db->getLinetypeTable(table, mode) == Acad::eOk ? table : nullptr;
}

AcDbLayerTable* openTable(AcDbDatabase* db, AcDbLayerTable*, AcDb::OpenMode mode)
{
    AcDbLayerTable* table = nullptr;
    return db->getLayerTable(table, mode) == Acad::eOk ? table : nullptr;
}

// The record of source's name in target's table, added when missing: fill
// copies source's fields into the new record (from target's point of view).
template <class Table, class Record, class Fill>
AcDbObjectId recordIn(AcDbDatabase* target, AcDbObjectId source, Fill fill)
{
    AcString name = recordName(source);
    if (name.isEmpty()) return AcDbObjectId::kNull;
    Table* table = openTable(target, static_cast<Table*>(nullptr), AcDb::kForRead);
    if (table == nullptr) return AcDbObjectId::kNull;
    AcDbObjectId id;
    bool found = table->getAt(name.kwszPtr(), id) == Acad::eOk;
    table->close();
    if (found) return id;
    Record* from = nullptr;
    if (acdbOpenObject(from, source, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    auto* copy = new Record();
    copy->setName(name.kwszPtr());
    fill(from, copy);  // closes from
    table = openTable(target, static_cast<Table*>(nullptr), AcDb::kForWrite);
    if (table == nullptr) {
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

// The linetype of the same name in target, copied from source when missing.
AcDbObjectId linetypeIn(AcDbDatabase* target, AcDbObjectId source)
{
    return recordIn<AcDbLinetypeTable, AcDbLinetypeTableRecord>(
        target, source, [](AcDbLinetypeTableRecord* from, AcDbLinetypeTableRecord* copy) {
            const ACHAR* comments = nullptr;
            if (from->comments(comments) == Acad::eOk && comments != nullptr) copy->setComments(comments);
            copy->setPatternLength(from->patternLength());
            copy->setNumDashes(from->numDashes());
            for (int i = 0; i < from->numDashes(); ++i) copy->setDashLengthAt(i, from->dashLengthAt(i));
            from->close();
        });
}

// The layer of the same name in target, copied from source when missing, with
// its linetype.
AcDbObjectId layerIn(AcDbDatabase* target, AcDbObjectId source)
{
    return recordIn<AcDbLayerTable, AcDbLayerTableRecord>(
        target, source, [target](AcDbLayerTableRecord* from, AcDbLayerTableRecord* copy) {
            copy->setColor(from->color());
            copy->setIsOff(from->isOff());
            copy->setIsLocked(from->isLocked());
            AcDbObjectId lt = from->linetypeObjectId();
            from->close();
            AcDbObjectId targetLt = linetypeIn(target, lt);
            if (!targetLt.isNull()) copy->setLinetypeObjectId(targetLt);
        });
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
