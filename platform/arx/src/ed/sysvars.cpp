// acedGetVar and acedSetVar: the view's centre and height (VIEWCTR, VIEWSIZE)
// and the view's size in pixels (SCREENSIZE), read-only; the linetype scale
// (LTSCALE) and model or paper space (TILEMODE) of the drawing; the pick box and
// grip size of the editor, the size of the input points' aperture (APERTURE);
// whether commands echo their prompts (CMDECHO); whether the drawing changed
// (DBMOD) and the current viewport's number (CVPORT), read-only. Names are
// matched without regard to case.
#include <cmath>
#include <cwchar>
#include <string>

#include "acedads.h"
#include "dblayout.h"
#include "dbsymtb.h"
#include "app_vars.h"
#include "sysvars.h"
#include "../ap/app_state.h"
#include "../core/utf.h"
#include "../view/aperture.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

int gPickbox = 3;
int gGripSize = 5;
int gCmdEcho = 1;

AcDbDatabase* currentDb()
{
    AppState* app = appState();
    return app != nullptr && app->current != nullptr ? app->current->db : nullptr;
}

bool isName(const ACHAR* sym, const wchar_t* name) { return equalsNoCase(sym, name); }

int integerOf(const resbuf* val, int& out)
{
    if (val->restype == RTSHORT) out = val->resval.rint;
    else if (val->restype == RTLONG) out = val->resval.rlong;
    else return RTREJ;
    return RTNORM;
}

std::wstring layoutNameOf(AcDbDatabase* db)
{
    if (db->tilemode()) return L"Model";
    AcDbBlockTableRecord* block = nullptr;
    std::wstring name = L"Layout1";
    if (acdbOpenObject(block, db->paperSpaceId(), AcDb::kForRead) != Acad::eOk) return name;
    AcDbObjectId layoutId = block->getLayoutId();
    block->close();
    AcDbLayout* layout = nullptr;
    if (acdbOpenObject(layout, layoutId, AcDb::kForRead) == Acad::eOk) {
        AcString n;
        if (layout->getLayoutName(n) == Acad::eOk) name = n.kwszPtr();
        layout->close();
    }
    return name;
}

}  // namespace

int pickboxPixels() { return gPickbox; }
int gripSizePixels() { return gGripSize; }
bool commandEcho() { return gCmdEcho != 0; }

bool setTilemode(bool tilemode)
{
    AcDbDatabase* db = currentDb();
    if (db == nullptr) return false;
    if (db->tilemode() == tilemode) return true;
    db->setTilemode(tilemode);
    DocView* view = currentDocView();
    view->setModified(true);
    view->pickfirst.clear();
    const std::wstring name = layoutNameOf(db);
    appState()->notifyEditorReactors([&](AcEditorReactor* r) { r->layoutSwitched(name.c_str()); });
    return true;
}

}  // namespace arx

int acedGetVar(const ACHAR* sym, resbuf* result)
{
    using namespace arx;
    if (sym == nullptr || result == nullptr) return RTERROR;
    result->rbnext = nullptr;
    if (int rc = RTERROR; getAppVariable(sym, result, rc)) return rc;
    AcDbDatabase* db = currentDb();
    DocView* view = currentDocView();
    if (isName(sym, L"PICKBOX") || isName(sym, L"GRIPSIZE") || isName(sym, L"CMDECHO")) {
        result->restype = RTSHORT;
        result->resval.rint = static_cast<short>(isName(sym, L"PICKBOX")    ? gPickbox
                                                 : isName(sym, L"CMDECHO") ? gCmdEcho
                                                                            : gGripSize);
        return RTNORM;
    }
    if (isName(sym, L"APERTURE")) {
        result->restype = RTSHORT;
        result->resval.rint = static_cast<short>(aperturePixels());
        return RTNORM;
    }
    if (isName(sym, L"SCREENSIZE")) {
        ScreenSize s = screenSize();
        result->restype = RTPOINT;
        result->resval.rpoint[0] = s.width;
        result->resval.rpoint[1] = s.height;
        result->resval.rpoint[2] = 0;
        return RTNORM;
    }
    // The rest belong to a drawing.
    if (db == nullptr || view == nullptr) return RTERROR;
    if (isName(sym, L"VIEWCTR")) {
        const ViewParams& v = view->view();
        result->restype = RT3DPOINT;
        result->resval.rpoint[0] = v.centerX;
        result->resval.rpoint[1] = v.centerY;
        result->resval.rpoint[2] = 0;
        return RTNORM;
    }
    if (isName(sym, L"VIEWSIZE")) {
        result->restype = RTREAL;
        result->resval.rreal = view->view().height;
        return RTNORM;
    }
    if (isName(sym, L"LTSCALE")) {
        result->restype = RTREAL;
        result->resval.rreal = db->ltscale();
        return RTNORM;
    }
    if (isName(sym, L"TILEMODE") || isName(sym, L"DBMOD") || isName(sym, L"CVPORT")) {
        result->restype = RTSHORT;
        if (isName(sym, L"TILEMODE")) result->resval.rint = db->tilemode() ? 1 : 0;
        else if (isName(sym, L"DBMOD")) result->resval.rint = view->modified() ? 1 : 0;
        else result->resval.rint = db->tilemode() ? 2 : 1;
        return RTNORM;
    }
    return RTERROR;
}

int acedSetVar(const ACHAR* sym, const resbuf* val)
{
    using namespace arx;
    if (sym == nullptr || val == nullptr) return RTERROR;
    if (int rc = RTERROR; setAppVariable(sym, val, rc)) return rc;
    int v = 0;
    if (isName(sym, L"PICKBOX") || isName(sym, L"GRIPSIZE")) {
        if (integerOf(val, v) != RTNORM) return RTREJ;
        const bool pick = isName(sym, L"PICKBOX");
        if (v < (pick ? 0 : 1) || v > (pick ? 50 : 255)) return RTREJ;
        (pick ? gPickbox : gGripSize) = v;
        return RTNORM;
    }
    if (isName(sym, L"CMDECHO")) {
        if (integerOf(val, v) != RTNORM || (v != 0 && v != 1)) return RTREJ;
        gCmdEcho = v;
        return RTNORM;
    }
    if (isName(sym, L"APERTURE")) {
        if (integerOf(val, v) != RTNORM) return RTREJ;
        return setAperturePixels(v) ? RTNORM : RTREJ;
    }
    if (isName(sym, L"VIEWCTR") || isName(sym, L"VIEWSIZE") || isName(sym, L"SCREENSIZE") ||
        isName(sym, L"DBMOD") || isName(sym, L"CVPORT"))
        return RTREJ;  // read-only: ZOOM and PAN change the view
    AcDbDatabase* db = currentDb();
    if (db == nullptr) return RTERROR;
    if (isName(sym, L"LTSCALE")) {
        double s = val->restype == RTREAL ? val->resval.rreal : (integerOf(val, v) == RTNORM ? v : -1.0);
        if (db->setLtscale(s) != Acad::eOk) return RTREJ;
        currentDocView()->setModified(true);
        return RTNORM;
    }
    if (isName(sym, L"TILEMODE")) {
        if (integerOf(val, v) != RTNORM || (v != 0 && v != 1)) return RTREJ;
        return setTilemode(v == 1) ? RTNORM : RTERROR;
    }
    return RTERROR;
}
