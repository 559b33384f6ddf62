// acedRedraw and acedSSSetFirst: what a plug-in does to entities on the screen
// without changing the drawing. Redrawing works on the current document's view
// (an entity of another drawing is refused); the pickfirst set is the current
// view's selection.
#include "acedads.h"
#include "grips.h"
#include "selection.h"
#include "../ap/app_state.h"
#include "../view/doc_view.h"

int acedRedraw(const ads_name ent, int mode)
{
    arx::DocView* view = arx::currentDocView();
    if (view == nullptr) return RTERROR;
    if (ent == nullptr || (ent[0] == 0 && ent[1] == 0)) {
        view->regenerate();
        return RTNORM;
    }
    AcDbObjectId id;
    if (acdbGetObjectId(id, ent) != Acad::eOk || id.database() != arx::appState()->current->db) return RTERROR;
    // A negative mode works on the header of a complex entity only; ours have no sub-entities.
    switch (mode < 0 ? -mode : mode) {
    case 1:
        view->blanked.erase(id);
        view->redrawEntity(id);
        return RTNORM;
    case 2: view->blanked.insert(id); return RTNORM;
    case 3:
    case 4: {
        AcDbEntity* e = nullptr;
        if (acdbOpenAcDbEntity(e, id, AcDb::kForRead) != Acad::eOk) return RTERROR;
        if ((mode < 0 ? -mode : mode) == 3)
            e->highlight();
        else
            e->unhighlight();
        e->close();
        return RTNORM;
    }
    default: return RTERROR;
    }
}

int acedSSSetFirst(const ads_name pset, const ads_name)
{
    if (arx::currentDocView() == nullptr) return RTERROR;
    if (pset != nullptr && (pset[0] != 0 || pset[1] != 0)) return RTERROR;
    arx::clearPickfirst();
    return RTNORM;
}
