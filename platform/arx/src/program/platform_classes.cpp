// The platform's own classes, parents before children: the run-time system
// registers them when it starts. The list names classes of every floor, so it
// lives on the top one and is handed down when the library loads.
#include "acdocman.h"
#include "acgi.h"
#include "aced.h"
#include "rxdlinkr.h"
#include "dbdict.h"
#include "dbents.h"
#include "dblayout.h"
#include "dbpl.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "dbxrecrd.h"
#include "sorttab.h"
#include "../rx/runtime.h"

namespace arx {
namespace {
void registerPlatformClasses()
{
    AcDbObject::rxInit();
    AcDbEntity::rxInit();
    AcDbObjectReactor::rxInit();
    AcDbEntityReactor::rxInit();
    AcDbDatabase::rxInit();
    AcDbSymbolTable::rxInit();
    AcDbSymbolTableRecord::rxInit();
    AcDbLayerTable::rxInit();
    AcDbLinetypeTable::rxInit();
    AcDbBlockTable::rxInit();
    AcDbTextStyleTable::rxInit();
    AcDbViewportTable::rxInit();
    AcDbViewTable::rxInit();
    AcDbUCSTable::rxInit();
    AcDbRegAppTable::rxInit();
    AcDbDimStyleTable::rxInit();
    AcDbLayerTableRecord::rxInit();
    AcDbLinetypeTableRecord::rxInit();
    AcDbBlockTableRecord::rxInit();
    AcDbTextStyleTableRecord::rxInit();
    AcDbViewportTableRecord::rxInit();
    AcDbViewTableRecord::rxInit();
    AcDbUCSTableRecord::rxInit();
    AcDbRegAppTableRecord::rxInit();
    AcDbDimStyleTableRecord::rxInit();
    AcDbDictionary::rxInit();
    AcDbXrecord::rxInit();
    AcDbPlotSettings::rxInit();
    AcDbLayout::rxInit();
    AcDbSortentsTable::rxInit();
    AcDbProxyEntity::rxInit();
    AcDbProxyObject::rxInit();
    AcDbCurve::rxInit();
    AcDbLine::rxInit();
    AcDbCircle::rxInit();
    AcDbArc::rxInit();
    AcDbPolyline::rxInit();
    AcDbText::rxInit();
    // The graphics interface, which entities draw through.
    AcGiContext::rxInit();
    AcGiCommonDraw::rxInit();
    AcGiWorldDraw::rxInit();
    AcGiSubEntityTraits::rxInit();
    AcGiDrawableTraits::rxInit();
    AcGiGeometry::rxInit();
    AcGiWorldGeometry::rxInit();
    // The application's classes, which modules derive their reactors from.
    AcApDocument::rxInit();
    AcApDocManager::rxInit();
    AcApDocManagerReactor::rxInit();
    AcRxEventReactor::rxInit();
    AcRxEvent::rxInit();
    AcEditorReactor::rxInit();
    AcEditor::rxInit();
    AcEdCommand::rxInit();
    AcEdCommandStack::rxInit();
    AcEdInputPointMonitor::rxInit();
    AcRxDynamicLinker::rxInit();
}

// Static initialisation of this library runs before any code outside it can
// ask for a class, so the registrar is always in place by then.
const bool gRegistrarSet = (setPlatformClassRegistrar(&registerPlatformClasses), true);
}  // namespace
}  // namespace arx
