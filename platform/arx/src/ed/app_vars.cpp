// SAVETIME and CTAB (app_vars.h).
#include "app_vars.h"

#include "acedads.h"
#include "acutads.h"
#include "layouts.h"
#include "../ap/app_state.h"
#include "../ap/autosave.h"
#include "../core/group_codes.h"
#include "../core/utf.h"

namespace arx {

bool getAppVariable(const ACHAR* sym, resbuf* result, int& rc)
{
    if (equalsNoCase(sym, L"SAVETIME")) {
        result->restype = RTSHORT;
        result->resval.rint = static_cast<short>(saveTimeMinutes());
        rc = RTNORM;
        return true;
    }
    if (equalsNoCase(sym, L"CTAB")) {
        AppState* app = appState();
        if (app == nullptr || app->current == nullptr) {
            rc = RTERROR;
            return true;
        }
        result->restype = RTSTR;
        result->resval.rstring = newWideString(currentLayoutName(app->current->db));
        rc = RTNORM;
        return true;
    }
    return false;
}

bool setAppVariable(const ACHAR* sym, const resbuf* val, int& rc)
{
    if (equalsNoCase(sym, L"SAVETIME")) {
        int minutes = -1;
        if (val->restype == RTSHORT) minutes = val->resval.rint;
        else if (val->restype == RTLONG) minutes = val->resval.rlong;
        rc = minutes >= 0 && setSaveTimeMinutes(minutes) ? RTNORM : RTREJ;
        return true;
    }
    if (equalsNoCase(sym, L"CTAB")) {
        std::wstring why;
        rc = val->restype == RTSTR && val->resval.rstring != nullptr && switchLayout(val->resval.rstring, why) ? RTNORM
                                                                                                             : RTREJ;
        return true;
    }
    return false;
}

}  // namespace arx
