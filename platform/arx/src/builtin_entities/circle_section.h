// What circles and arcs file alike: the AcDbCircle section of their DXF records
// (an arc's record holds it before its own AcDbArc section) and the centre,
// radius, thickness and normal at the head of their binary records.
#pragma once
#include "dbmain.h"
#include "../db/dxf_fields.h"

namespace arx {

// The AcDbCircle section as the file holds it: the centre is in the entity's
// own coordinate system, which differs from the world's only when the normal
// is not +Z.
struct CircleValues {
    double thickness;
    AcGePoint3d center;
    double radius;
    AcGeVector3d normal;
};

inline constexpr auto kCircleSection = dxfSection<CircleValues>("AcDbCircle",
    field::real(39, &CircleValues::thickness, 0.0),
    field::point(10, &CircleValues::center),
    field::real(40, &CircleValues::radius),
    field::normal(210, &CircleValues::normal));

// The centre is given in world coordinates and written in the entity's own.
Acad::ErrorStatus writeCircleSection(AcDbDxfFiler* filer, const AcDbEntity* ent, const AcGePoint3d& center,
                                     double radius, double thickness, const AcGeVector3d& normal);
// Reads the section up to the next subclass marker (an arc's own section) and
// gives the centre in world coordinates. A negative radius fails the read.
Acad::ErrorStatus readCircleSection(AcDbDxfFiler* filer, AcDbEntity* ent, AcGePoint3d& center, double& radius,
                                    double& thickness, AcGeVector3d& normal);

void writeCircleFields(AcDbDwgFiler* filer, const AcGePoint3d& center, double radius, double thickness,
                       const AcGeVector3d& normal);
// Fails a record with a negative radius or a zero normal.
Acad::ErrorStatus readCircleFields(AcDbDwgFiler* filer, AcGePoint3d& center, double& radius, double& thickness,
                                   AcGeVector3d& normal);

}  // namespace arx
