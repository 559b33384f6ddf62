// Painting a document's view to the screen's image and plotting it (see
// paint_view.h). The screen shows model space on dark grey and a layout's paper
// space on white; a plot is always on white, and entities draw for it anew with
// isPlotGeneration() true.
#include "paint_view.h"

#include <cairo-pdf.h>

#include <filesystem>

#include "../ap/app_state.h"
#include "../core/utf.h"
#include "../db/stub.h"
#include "../gi/recorder.h"
#include "../render/painter.h"

namespace arx {

namespace {

render::Frame frameOf(DocView& view)
{
    ScreenSize s = screenSize();
    const ViewParams& v = view.view();
    render::Frame f;
    f.width = s.width;
    f.height = s.height;
    f.centerX = v.centerX;
    f.centerY = v.centerY;
    f.viewHeight = v.height;
    return f;
}

bool highlighted(const AcDbObjectId& id)
{
    AcDbStub* stub = id;
    auto* ent = stub != nullptr ? AcDbEntity::cast(stub->object) : nullptr;
    return ent != nullptr && ent->isHighlighted();
}

std::string cairoError(cairo_status_t st) { return cairo_status_to_string(st); }

bool endsWith(const std::wstring& s, const wchar_t* tail)
{
    std::wstring t = tail;
    if (s.size() < t.size()) return false;
    return equalsNoCase(s.substr(s.size() - t.size()), t);
}

}  // namespace

void paintDocView(DocView& view, cairo_t* cr)
{
    view.regenerate();
    AcDbDatabase* db = view.space().database();
    std::vector<render::Item> items;
    items.reserve(view.drawOrder().size());
    for (const AcDbObjectId& id : view.drawOrder()) {
        if (view.blanked.count(id) != 0) continue;
        if (const gi::DisplayList* l = view.listOf(id)) items.push_back({l, highlighted(id)});
    }
    render::Options options;
    options.lightBackground = db != nullptr && !db->tilemode();
    options.ltscale = db != nullptr ? db->ltscale() : 1.0;
    render::paint(cr, frameOf(view), items, options);
}

bool writeViewPng(DocView& view, const std::wstring& path, std::string& error)
{
    ScreenSize s = screenSize();
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s.width, s.height);
    cairo_t* cr = cairo_create(surface);
    paintDocView(view, cr);
    cairo_destroy(cr);
    cairo_status_t st = cairo_surface_write_to_png(surface, toUtf8(path).c_str());
    cairo_surface_destroy(surface);
    if (st != CAIRO_STATUS_SUCCESS) {
        error = toUtf8(path) + ": cannot write the picture: " + cairoError(st);
        return false;
    }
    return true;
}

bool plotView(DocView& view, const std::wstring& path, std::string& error)
{
    const bool pdf = endsWith(path, L".pdf");
    if (!pdf && !endsWith(path, L".png")) {
        error = toUtf8(path) + ": a plot is written as .pdf or .png";
        return false;
    }
    view.regenerate();
    AcDbDatabase* db = view.space().database();
    // Every entity draws afresh for the plot: what it draws there may differ.
    gi::Recorder recorder(db, true);
    std::vector<gi::DisplayList> lists(view.drawOrder().size());
    std::vector<render::Item> items;
    items.reserve(lists.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, view.drawOrder()[i], AcDb::kForRead) != Acad::eOk) continue;
        recorder.record(ent, lists[i]);
        ent->close();
        items.push_back({&lists[i], false});
    }
    render::Options options;
    options.plot = true;
    options.ltscale = db != nullptr ? db->ltscale() : 1.0;
    ScreenSize s = screenSize();
    const std::string file = toUtf8(path);
    cairo_surface_t* surface = pdf ? cairo_pdf_surface_create(file.c_str(), s.width, s.height)
                                   : cairo_image_surface_create(CAIRO_FORMAT_ARGB32, s.width, s.height);
    cairo_status_t st = cairo_surface_status(surface);
    if (st == CAIRO_STATUS_SUCCESS) {
        cairo_t* cr = cairo_create(surface);
        render::paint(cr, frameOf(view), items, options);
        cairo_destroy(cr);
        if (pdf) {
            cairo_surface_finish(surface);
            st = cairo_surface_status(surface);
        } else {
            st = cairo_surface_write_to_png(surface, file.c_str());
        }
    }
    cairo_surface_destroy(surface);
    if (st != CAIRO_STATUS_SUCCESS) {
        error = file + ": cannot write the plot: " + cairoError(st);
        return false;
    }
    return true;
}

}  // namespace arx
