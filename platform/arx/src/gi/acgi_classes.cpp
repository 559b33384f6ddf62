// The graphics interface's run-time classes, and the drawable traits' default
// set-up from an entity: its colour, layer, linetype, linetype scale and
// lineweight, which its primitives are drawn with unless it says otherwise.
#include "acgi.h"
#include "dbmain.h"

#include "../db/builtin.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcGiContext, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcGiCommonDraw, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcGiWorldDraw, AcGiCommonDraw)
ARX_DEFINE_BUILTIN_ABSTRACT(AcGiSubEntityTraits, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcGiDrawableTraits, AcGiSubEntityTraits)
ARX_DEFINE_BUILTIN_ABSTRACT(AcGiGeometry, AcRxObject)
ARX_DEFINE_BUILTIN_ABSTRACT(AcGiWorldGeometry, AcGiGeometry)

void AcGiDrawableTraits::setupForEntity(AcDbEntity* pEntity)
{
    if (pEntity == nullptr) return;
    AcCmColor c = pEntity->color();
    if (c.isByLayer())
        setColor(256);
    else if (c.isByBlock())
        setColor(0);
    else if (c.isByColor())
        setTrueColor(AcCmEntityColor(c.red(), c.green(), c.blue()));
    else
        setColor(c.colorIndex());
    setLayer(pEntity->layerId());
    setLineType(pEntity->linetypeId());
    setLineTypeScale(pEntity->linetypeScale());
    setLineWeight(pEntity->lineWeight());
}
