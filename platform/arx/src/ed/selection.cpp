// Object selection (see selection.h).
#include "selection.h"

#include <algorithm>

#include "acedads.h"
#include "acutads.h"
#include "dbsymtb.h"
#include "sysvars.h"
#include "../ap/app_state.h"
#include "../core/numtext.h"
#include "../core/utf.h"
#include "../gi/hit_test.h"
#include "../view/doc_view.h"

namespace arx {

namespace {

void say(const std::wstring& text)
{
    if (AppState* app = appState()) app->print(text);
}

bool ask(const wchar_t* prompt, std::wstring& answer, int& rc)
{
    ACHAR buf[512];
    rc = acedGetString(1, prompt, buf, 512);
    if (rc == RTCAN || rc == RTERROR) return false;
    answer = rc == RTNORM ? buf : L"";
    return true;
}

// Asks for a point until one comes; false when cancelled or left empty.
bool askPoint(const wchar_t* prompt, AcGePoint3d& p)
{
    ads_point pt;
    if (acedGetPoint(nullptr, prompt, pt) != RTNORM) return false;
    p.set(pt[0], pt[1], pt[2]);
    return true;
}

std::vector<AcDbObjectId> inWindow(DocView& view, const AcGePoint3d& a, const AcGePoint3d& b, bool crossing)
{
    gi::Rect r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    std::vector<AcDbObjectId> found;
    const double ppu = 1 / view.pixelSize();
    for (const AcDbObjectId& id : view.drawOrder()) {
        const gi::DisplayList* l = view.listOf(id);
        if (l == nullptr || !layerShown(id)) continue;
        if (crossing ? gi::meetsWindow(*l, r, ppu) : gi::insideWindow(*l, r)) found.push_back(id);
    }
    return found;
}

AcDbObjectId lastEntity(DocView& view)
{
    AcDbBlockTableRecord* space = nullptr;
    AcDbObjectId last;
    if (acdbOpenObject(space, view.space(), AcDb::kForRead) != Acad::eOk) return last;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (space->newIterator(it, false) == Acad::eOk) {
        for (; !it->done(); it->step(false)) {
            AcDbObjectId id;
            it->getEntityId(id);
            if (layerShown(id)) {
                last = id;
                break;
            }
        }
        delete it;
    }
    space->close();
    return last;
}

std::wstring count(size_t n) { return std::to_wstring(n); }

// Adds the found entities, saying how many were found and how many were new.
void add(std::vector<AcDbObjectId>& chosen, const std::vector<AcDbObjectId>& found, bool editing)
{
    size_t duplicates = 0, locked = 0, added = 0;
    for (const AcDbObjectId& id : found) {
        if (std::find(chosen.begin(), chosen.end(), id) != chosen.end()) {
            ++duplicates;
            continue;
        }
        if (editing && layerLocked(id)) {
            ++locked;
            continue;
        }
        chosen.push_back(id);
        highlightEntity(id, true);
        ++added;
    }
    std::wstring line = count(found.size()) + L" found";
    if (duplicates > 0) line += L" (" + count(duplicates) + L" duplicate)";
    if (chosen.size() != added || duplicates > 0) line += L", " + count(chosen.size()) + L" total";
    say(line + L"\n");
    if (locked > 0) say(count(locked) + (locked == 1 ? L" was" : L" were") + L" on a locked layer.\n");
}

}  // namespace

bool parsePoint(const std::wstring& text, AcGePoint3d& p)
{
    std::string t = toUtf8(text);
    double c[3] = {0, 0, 0};
    int n = 0;
    size_t start = 0;
    while (n < 3) {
        size_t comma = t.find(',', start);
        if (!parseDouble(t.substr(start, comma == std::string::npos ? std::string::npos : comma - start), c[n])) return false;
        ++n;
        if (comma == std::string::npos) break;
        start = comma + 1;
        if (n == 3) return false;
    }
    if (n < 2) return false;
    p.set(c[0], c[1], c[2]);
    return true;
}

bool layerShown(AcDbObjectId entity)
{
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, entity, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectId layerId = ent->layerId();
    ent->close();
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return true;
    bool shown = !layer->isOff() && !layer->isFrozen();
    layer->close();
    return shown;
}

bool layerLocked(AcDbObjectId entity)
{
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, entity, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectId layerId = ent->layerId();
    ent->close();
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk) return false;
    bool locked = layer->isLocked();
    layer->close();
    return locked;
}

void highlightEntity(AcDbObjectId id, bool on)
{
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return;
    if (on)
        ent->highlight();
    else
        ent->unhighlight();
    ent->close();
}

AcDbObjectId pickEntity(DocView& view, const AcGePoint3d& at)
{
    view.regenerate();
    const double tolerance = pickboxPixels() * view.pixelSize();
    const double ppu = 1 / view.pixelSize();
    const auto& order = view.drawOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const gi::DisplayList* l = view.listOf(*it);
        if (l != nullptr && gi::passesNear(*l, at.x, at.y, tolerance, ppu) && layerShown(*it)) return *it;
    }
    return AcDbObjectId::kNull;
}

bool selectObjects(std::vector<AcDbObjectId>& chosen, bool editing)
{
    DocView* view = currentDocView();
    if (view == nullptr) return false;
    for (;;) {
        view->regenerate();
        std::wstring answer;
        int rc = 0;
        if (!ask(L"Select objects: ", answer, rc)) {
            for (const AcDbObjectId& id : chosen) highlightEntity(id, false);
            chosen.clear();
            return false;
        }
        std::wstring word = upperAscii(answer);
        AcGePoint3d p;
        if (word.empty()) return true;
        if (word == L"W" || word == L"WINDOW" || word == L"C" || word == L"CROSSING") {
            AcGePoint3d a, b;
            if (!askPoint(L"Specify first corner: ", a) || !askPoint(L"Specify opposite corner: ", b)) continue;
            add(chosen, inWindow(*view, a, b, word[0] == L'C'), editing);
        } else if (word == L"ALL") {
            std::vector<AcDbObjectId> all;
            for (const AcDbObjectId& id : view->drawOrder()) {
                // Everything but what lies on frozen layers.
                AcDbEntity* ent = nullptr;
                if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
                AcDbObjectId layerId = ent->layerId();
                ent->close();
                AcDbLayerTableRecord* layer = nullptr;
                bool frozen = false;
                if (acdbOpenObject(layer, layerId, AcDb::kForRead) == Acad::eOk) {
                    frozen = layer->isFrozen();
                    layer->close();
                }
                if (!frozen) all.push_back(id);
            }
            add(chosen, all, editing);
        } else if (word == L"L" || word == L"LAST") {
            AcDbObjectId last = lastEntity(*view);
            add(chosen, last.isNull() ? std::vector<AcDbObjectId>{} : std::vector<AcDbObjectId>{last}, editing);
        } else if (word == L"P" || word == L"PREVIOUS") {
            std::vector<AcDbObjectId> prev;
            for (const AcDbObjectId& id : view->previous)
                if (!id.isErased() && layerShown(id)) prev.push_back(id);
            add(chosen, prev, editing);
        } else if (parsePoint(answer, p)) {
            AcDbObjectId hit = pickEntity(*view, p);
            if (!hit.isNull()) {
                add(chosen, {hit}, editing);
                continue;
            }
            // Nothing there: the point is the first corner of a window, which is
            // a crossing window when the other corner lies to its left.
            AcGePoint3d b;
            if (!askPoint(L"Specify opposite corner: ", b)) continue;
            add(chosen, inWindow(*view, p, b, b.x < p.x), editing);
        } else {
            say(L"*Invalid selection*\nExpects a point or Window/Last/Crossing/ALL/Previous\n");
        }
    }
}

bool commandSelection(std::vector<AcDbObjectId>& chosen, bool editing)
{
    DocView* view = currentDocView();
    if (view == nullptr) return false;
    if (!view->pickfirst.empty()) {
        std::vector<AcDbObjectId> first;
        first.swap(view->pickfirst);
        for (const AcDbObjectId& id : first) highlightEntity(id, false);
        std::vector<AcDbObjectId> live;
        for (const AcDbObjectId& id : first)
            if (!id.isErased()) live.push_back(id);
        add(chosen, live, editing);
        return true;
    }
    return selectObjects(chosen, editing);
}

void endSelection(const std::vector<AcDbObjectId>& chosen)
{
    for (const AcDbObjectId& id : chosen) highlightEntity(id, false);
    if (DocView* view = currentDocView())
        if (!chosen.empty()) view->previous = chosen;
}

}  // namespace arx
