// QkDbVelaTone: how a note answers the host's editing. Notes stay in place:
// only a Point note moves, by its one grip or by a transformation; a Region
// note's frame never moves and an Object note follows its entity through the
// attachment reactors instead. Cloning makes no copy of a note, and selection
// highlighting leaves a note as it is.
#include "QkDbVelaTone.h"

Acad::ErrorStatus QkDbVelaTone::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                                 AcDbIntArray& geomIds) const
{
    assertReadEnabled();
    if (m_Type == kPoint) gripPoints.append(m_Position);
    return Acad::eOk;
}

Acad::ErrorStatus QkDbVelaTone::subGetGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                                 const int gripSize, const AcGeVector3d& curViewDir,
                                                 const int bitflags) const
{
    assertReadEnabled();
    return AcDbEntity::subGetGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

// Grip 0 is a Point note's anchor; each time the list names it, it moves.
Acad::ErrorStatus QkDbVelaTone::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    assertWriteEnabled();
    for (int i = 0; i < indices.length(); i++) {
        if (indices.at(i) == 0 && m_Type == kPoint) m_Position.transformBy(AcGeMatrix3d::translation(offset));
    }
    return Acad::eOk;
}

Acad::ErrorStatus QkDbVelaTone::subMoveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                                    const int bitflags)
{
    assertWriteEnabled();
    return AcDbEntity::subMoveGripPointsAt(gripAppData, offset, bitflags);
}

// The icon keeps its size and stays upright: only the anchor moves.
Acad::ErrorStatus QkDbVelaTone::subTransformBy(const AcGeMatrix3d& xform)
{
    assertWriteEnabled();
    if (m_Type == kPoint) m_Position.transformBy(xform);
    return Acad::eOk;
}

// Copies, blocks, WBLOCK and the clipboard leave notes behind.
Acad::ErrorStatus QkDbVelaTone::subDeepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject,
                                             AcDbIdMapping& idMap, Adesk::Boolean isPrimary) const
{
    assertReadEnabled();
    pClonedObject = NULL;
    return Acad::eOk;
}

Acad::ErrorStatus QkDbVelaTone::subWblockClone(AcRxObject* pOwnerObject, AcDbObject*& pClonedObject,
                                               AcDbIdMapping& idMap, Adesk::Boolean isPrimary) const
{
    assertReadEnabled();
    pClonedObject = NULL;
    return Acad::eOk;
}

// Selection does not highlight a note; doHighlight shows what the note stands on.
Acad::ErrorStatus QkDbVelaTone::subHighlight(const AcDbFullSubentPath& subId, const Adesk::Boolean highlightAll) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus QkDbVelaTone::subUnhighlight(const AcDbFullSubentPath& subId,
                                               const Adesk::Boolean highlightAll) const
{
    return Acad::eNotApplicable;
}
