// The AcDbCircle section and the binary head that circles and arcs share; see
// circle_section.h.
#include "circle_section.h"

#include "planar.h"

namespace arx {

Acad::ErrorStatus writeCircleSection(AcDbDxfFiler* filer, const AcDbEntity* ent, const AcGePoint3d& center,
                                     double radius, double thickness, const AcGeVector3d& normal)
{
    return kCircleSection.write(filer, ent,
                                {.thickness = thickness,
                                 .center = Ocs(normal).toOcs(center),
                                 .radius = radius,
                                 .normal = normal});
}

Acad::ErrorStatus readCircleSection(AcDbDxfFiler* filer, AcDbEntity* ent, AcGePoint3d& center, double& radius,
                                    double& thickness, AcGeVector3d& normal)
{
    CircleValues c;
    Acad::ErrorStatus es = kCircleSection.read(filer, ent, c, [filer](const resbuf& rb) {
        if (rb.restype != AcDb::kDxfSubclass) return OtherGroup::kNotMine;
        filer->pushBackItem();
        return OtherGroup::kEndsSection;
    });
    if (es != Acad::eOk) return es;
    if (!(c.radius >= 0)) return filer->setError(Acad::eInvalidDxfCode, L"negative radius");
    center = Ocs(c.normal).toWorld(c.center);
    radius = c.radius;
    thickness = c.thickness;
    normal = c.normal;
    return Acad::eOk;
}

void writeCircleFields(AcDbDwgFiler* filer, const AcGePoint3d& center, double radius, double thickness,
                       const AcGeVector3d& normal)
{
    filer->writePoint3d(center);
    filer->writeDouble(radius);
    filer->writeDouble(thickness);
    filer->writeVector3d(normal);
}

Acad::ErrorStatus readCircleFields(AcDbDwgFiler* filer, AcGePoint3d& center, double& radius, double& thickness,
                                   AcGeVector3d& normal)
{
    filer->readPoint3d(&center);
    filer->readDouble(&radius);
    filer->readDouble(&thickness);
    Acad::ErrorStatus es = filer->readVector3d(&normal);
    if (es != Acad::eOk) return es;
    if (!(radius >= 0) || normal.isZeroLength()) return Acad::eDwgObjectImproperlyRead;
    return Acad::eOk;
}

}  // namespace arx
