// The host's view commands: ZOOM (Extents, All, Center, Window, Previous, a
// scale factor nX, or a first corner), PAN and -PAN (a displacement given by two
// points, or one point as the displacement), REGEN, and the commands that set
// the linetype scale and switch between model and paper space.
#include <cmath>
#include <cwchar>

#include "acedads.h"
#include "editing_commands.h"
#include "selection.h"
#include "sysvars.h"
#include "../ap/app_state.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

// A default value as the host shows it in a prompt: four decimals.
std::wstring decimals(double v)
{
    wchar_t buf[64];
    std::swprintf(buf, 64, L"%.4f", v);
    return buf;
}

// A window's view: its centre, tall or wide enough to show all of it.
ViewParams windowView(const AcGePoint3d& a, const AcGePoint3d& b)
{
    ScreenSize s = screenSize();
    ViewParams v;
    v.centerX = (a.x + b.x) / 2;
    v.centerY = (a.y + b.y) / 2;
    v.height = std::max(std::fabs(a.y - b.y), std::fabs(a.x - b.x) * s.height / s.width);
    return v;
}

// The extents of what the space shows, as the entities measure themselves.
bool spaceExtents(DocView& view, AcDbExtents& ext)
{
    view.regenerate();
    bool any = false;
    for (const AcDbObjectId& id : view.drawOrder()) {
        if (!layerShown(id)) continue;
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents e;
        Acad::ErrorStatus es = ent->getGeomExtents(e);
        ent->close();
        if (es != Acad::eOk || !e.isValid()) {
            // No extents of its own: what it drew stands for it.
            const gi::DisplayList* l = view.listOf(id);
            if (l == nullptr || !l->extents.isValid()) continue;
            e = l->extents;
        }
        ext.addExt(e);
        any = true;
    }
    return any;
}

void zoomExtents(DocView& view)
{
    AcDbExtents ext;
    if (!spaceExtents(view, ext)) return;
    view.setView(extentsView(ext, view.view().height));
}

// "2X": a factor of the current view; "2": a factor of the whole drawing's view.
bool parseScale(const std::wstring& text, double& factor, bool& relative)
{
    std::wstring t = upperAscii(text);
    relative = !t.empty() && t.back() == L'X';
    if (relative) t.pop_back();
    return parseDouble(toUtf8(t), factor) && factor > 0 && std::isfinite(factor);
}

void zoomCommand()
{
    DocView* view = currentDocView();
    if (view == nullptr) return;
    for (;;) {
        ACHAR buf[256];
        int rc = acedGetString(1,
                               L"Specify corner of window, enter a scale factor (nX or nXP), or\n"
                               L"[All/Center/Dynamic/Extents/Previous/Scale/Window/Object] <real time>: ",
                               buf, 256);
        if (rc != RTNORM) return;
        std::wstring answer = buf;
        std::wstring word = upperAscii(answer);
        AcGePoint3d a, b;
        double factor = 0;
        bool relative = false;
        if (word.empty()) return;  // real time zooming needs a mouse
        if (word == L"E" || word == L"EXTENTS" || word == L"A" || word == L"ALL") {
            zoomExtents(*view);
            return;
        }
        if (word == L"P" || word == L"PREVIOUS") {
            if (!view->previousView()) say(L"No previous view saved.\n");
            return;
        }
        if (word == L"C" || word == L"CENTER") {
            ads_point c;
            if (acedGetPoint(nullptr, L"Specify center point: ", c) != RTNORM) return;
            ViewParams v = view->view();
            std::wstring prompt = L"Enter magnification or height <" + decimals(v.height) + L">: ";
            for (;;) {
                if (acedGetString(0, prompt.c_str(), buf, 256) != RTNORM) return;
                std::wstring h = buf;
                if (h.empty()) break;
                if (parseScale(h, factor, relative)) {
                    v.height = relative ? v.height / factor : factor;
                    break;
                }
                say(L"Requires a positive number or a factor such as 2X.\n");
            }
            v.centerX = c[0];
            v.centerY = c[1];
            view->setView(v);
            return;
        }
        if (word == L"W" || word == L"WINDOW") {
            ads_point p, q;
            if (acedGetPoint(nullptr, L"Specify first corner: ", p) != RTNORM) return;
            if (acedGetPoint(p, L"Specify opposite corner: ", q) != RTNORM) return;
            a.set(p[0], p[1], p[2]);
            b.set(q[0], q[1], q[2]);
        } else if (parsePoint(answer, a)) {
            ads_point q;
            ads_point p = {a.x, a.y, a.z};
            if (acedGetPoint(p, L"Specify opposite corner: ", q) != RTNORM) return;
            b.set(q[0], q[1], q[2]);
        } else if (parseScale(answer, factor, relative)) {
            ViewParams v = view->view();
            if (relative) {
                v.height /= factor;
            } else {
                AcDbExtents ext;
                double whole = spaceExtents(*view, ext) ? extentsView(ext, 9.0).height : 9.0;
                v.height = whole / factor;
            }
            view->setView(v);
            return;
        } else {
            say(L"Requires a point or option keyword.\n");
            continue;
        }
        ViewParams v = windowView(a, b);
        if (!(v.height > 0)) {
            say(L"*Invalid* The window has no size.\n");
            return;
        }
        view->setView(v);
        return;
    }
}

void panCommand()
{
    DocView* view = currentDocView();
    if (view == nullptr) return;
    ads_point p, q;
    if (acedGetPoint(nullptr, L"Specify base point or displacement: ", p) != RTNORM) return;
    int rc = acedGetPoint(p, L"Specify second point: ", q);
    if (rc == RTCAN) return;
    double dx = p[0], dy = p[1];
    if (rc == RTNORM) {
        dx = q[0] - p[0];
        dy = q[1] - p[1];
    }
    // The drawing moves by the displacement: the view moves the other way.
    ViewParams v = view->view();
    v.centerX -= dx;
    v.centerY -= dy;
    view->setView(v);
}

void regenCommand()
{
    DocView* view = currentDocView();
    if (view == nullptr) return;
    say(L"Regenerating model.\n");
    view->requestFullRegen();
    view->regenerate();
}

void ltscaleCommand()
{
    AppState* app = appState();
    if (app->current == nullptr) return;
    AcDbDatabase* db = app->current->db;
    std::wstring prompt = L"Enter new linetype scale factor <" + decimals(db->ltscale()) + L">: ";
    for (;;) {
        ads_real v = 0;
        int rc = acedGetReal(prompt.c_str(), &v);
        if (rc != RTNORM) return;
        resbuf rb{};
        rb.restype = RTREAL;
        rb.resval.rreal = v;
        if (acedSetVar(L"LTSCALE", &rb) == RTNORM) return;
        say(L"Value must be positive and nonzero.\n");
    }
}

void tilemodeCommand()
{
    AppState* app = appState();
    if (app->current == nullptr) return;
    std::wstring prompt =
        L"Enter new value for TILEMODE <" + std::to_wstring(app->current->db->tilemode() ? 1 : 0) + L">: ";
    for (;;) {
        int v = 0;
        int rc = acedGetInt(prompt.c_str(), &v);
        if (rc != RTNORM) return;
        if (v == 0 || v == 1) {
            setTilemode(v == 1);
            return;
        }
        say(L"Requires an integer between 0 and 1.\n");
    }
}

}  // namespace

void registerViewCommands(AcEdCommandStack* stack)
{
    stack->addCommand(L"ACAD", L"ZOOM", L"ZOOM", ACRX_CMD_TRANSPARENT, &zoomCommand);
    stack->addCommand(L"ACAD", L"PAN", L"PAN", ACRX_CMD_TRANSPARENT, &panCommand);
    stack->addCommand(L"ACAD", L"-PAN", L"-PAN", ACRX_CMD_TRANSPARENT, &panCommand);
    stack->addCommand(L"ACAD", L"REGEN", L"REGEN", ACRX_CMD_MODAL, &regenCommand);
    stack->addCommand(L"ACAD", L"LTSCALE", L"LTSCALE", ACRX_CMD_TRANSPARENT, &ltscaleCommand);
    stack->addCommand(L"ACAD", L"TILEMODE", L"TILEMODE", ACRX_CMD_MODAL, &tilemodeCommand);
}

}  // namespace arx
