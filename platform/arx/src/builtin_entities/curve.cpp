// AcDbCurve: the abstract parent of the built-in curves (line, circle, arc,
// lightweight polyline). The host keeps nothing of its own in it; it exists so
// that a program's kind tests (isKindOf(AcDbCurve::desc())) answer as they do
// on the real host.
#include "dbents.h"
#include "../db/builtin.h"

ARX_DEFINE_BUILTIN_ABSTRACT(AcDbCurve, AcDbEntity)

AcDbCurve::AcDbCurve() = default;
AcDbCurve::~AcDbCurve() = default;
