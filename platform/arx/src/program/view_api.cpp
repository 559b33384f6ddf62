// The host program's handle on the drawing view and on what entities draw
// (arxhost/view.h, arxhost/graphics.h).
#include "arxhost/graphics.h"
#include "arxhost/view.h"

#include "../ap/app_state.h"
#include "../ed/commands.h"
#include "../ed/grips.h"
#include "../gi/recorder.h"
#include "../view/doc_view.h"
#include "../view/paint_view.h"

namespace arxhost {

namespace {

std::string noDocument() { return "no drawing is open"; }

Drawing toDrawing(const arx::gi::DisplayList& l)
{
    Drawing d;
    d.opened = true;
    d.extents = l.extents;
    d.viewDependent = l.viewDependent;
    for (const arx::gi::Primitive& p : l.prims) {
        DrawnPrimitive out;
        out.kind = static_cast<DrawnPrimitive::Kind>(p.kind);
        const arx::gi::Traits& t = l.traits[p.traits];
        out.color = t.color;
        out.layer = AcDbObjectId(t.layer);
        out.linetype = AcDbObjectId(t.linetype);
        out.linetypeScale = t.linetypeScale;
        out.filled = t.filled;
        out.arcType = p.arcType;
        const double* n = p.kind == arx::gi::Kind::kPolyline || p.kind == arx::gi::Kind::kPolygon ||
                                  p.kind == arx::gi::Kind::kPline
                              ? nullptr
                              : &l.numbers[p.first];
        switch (p.kind) {
        case arx::gi::Kind::kPolyline:
        case arx::gi::Kind::kPolygon:
            out.points.assign(l.points.begin() + p.first, l.points.begin() + p.first + p.count);
            break;
        case arx::gi::Kind::kPline: {
            out.points.assign(l.points.begin() + p.first, l.points.begin() + p.first + p.count);
            const double* seg = &l.numbers[p.extra];
            out.normal = AcGeVector3d(seg[0], seg[1], seg[2]);
            const unsigned segments = p.count > 1 ? p.count - 1 : 1;
            for (unsigned s = 0; s < segments; ++s) {
                out.bulges.push_back(seg[3 + 3 * s]);
                out.startWidths.push_back(seg[4 + 3 * s]);
                out.endWidths.push_back(seg[5 + 3 * s]);
            }
            break;
        }
        case arx::gi::Kind::kCircle:
            out.center.set(n[0], n[1], n[2]);
            out.radius = n[3];
            out.normal = AcGeVector3d(n[4], n[5], n[6]);
            out.sweep = 2 * M_PI;
            break;
        case arx::gi::Kind::kArc:
            out.center.set(n[0], n[1], n[2]);
            out.radius = n[3];
            out.normal = AcGeVector3d(n[4], n[5], n[6]);
            out.startVector = AcGeVector3d(n[7], n[8], n[9]);
            out.sweep = n[10];
            break;
        case arx::gi::Kind::kText:
            out.position.set(n[0], n[1], n[2]);
            out.normal = AcGeVector3d(n[3], n[4], n[5]);
            out.direction = AcGeVector3d(n[6], n[7], n[8]);
            out.height = n[9];
            out.widthFactor = n[10];
            out.oblique = n[11];
            out.text = l.textOf(p);
            break;
        }
        d.primitives.push_back(std::move(out));
    }
    return d;
}

}  // namespace

bool setViewSize(int width, int height) { return arx::setScreenSize(width, height); }
int viewWidth() { return arx::screenSize().width; }
int viewHeight() { return arx::screenSize().height; }

bool currentView(ViewState& view)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) return false;
    const arx::ViewParams& p = v->view();
    view.centerX = p.centerX;
    view.centerY = p.centerY;
    view.height = p.height;
    return true;
}

bool setCurrentView(const ViewState& view)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr || !(view.height > 0)) return false;
    arx::ViewParams p;
    p.centerX = view.centerX;
    p.centerY = view.centerY;
    p.height = view.height;
    v->setView(p);
    arx::refreshCurrentView();
    return true;
}

bool paintView(cairo_t* cr)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr || cr == nullptr) return false;
    // What changed since the host last brought the view up to date (a dialog's
    // handler erasing entities, say) shows as it is now, as the screen would.
    arx::refreshCurrentView();
    arx::paintDocView(*v, cr);
    return true;
}

bool writeSnapshot(const std::wstring& path, std::string& error)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) {
        error = noDocument();
        return false;
    }
    return arx::writeViewPng(*v, path, error);
}

bool plotView(const std::wstring& path, std::string& error)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) {
        error = noDocument();
        return false;
    }
    return arx::plotView(*v, path, error);
}

ClickResult clickView(int x, int y)
{
    auto r = static_cast<ClickResult>(arx::clickInView(x, y));
    arx::refreshCurrentView();
    return r;
}

std::vector<AcDbObjectId> selectedEntities()
{
    arx::DocView* v = arx::currentDocView();
    return v != nullptr ? v->pickfirst : std::vector<AcDbObjectId>{};
}

std::vector<Grip> shownGrips()
{
    std::vector<Grip> grips;
    for (const arx::ShownGrip& g : arx::shownGrips()) grips.push_back({g.entity, g.index, g.point});
    return grips;
}

Drawing drawEntity(AcDbObjectId id, bool forPlot)
{
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return Drawing{};
    arx::gi::DisplayList list;
    arx::gi::Recorder recorder(ent->database(), forPlot);
    recorder.record(ent, list);
    ent->close();
    return toDrawing(list);
}

Drawing shownDrawing(AcDbObjectId id)
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) return Drawing{};
    v->regenerate();
    const arx::gi::DisplayList* l = v->listOf(id);
    return l != nullptr ? toDrawing(*l) : Drawing{};
}

size_t regenerateView()
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) return 0;
    v->regenerate();
    return v->lastRegenCount();
}

size_t regenerateAll()
{
    arx::DocView* v = arx::currentDocView();
    if (v == nullptr) return 0;
    v->requestFullRegen();
    v->regenerate();
    return v->lastRegenCount();
}

size_t lastRegenerationCount()
{
    arx::DocView* v = arx::currentDocView();
    return v != nullptr ? v->lastRegenCount() : 0;
}

}  // namespace arxhost
