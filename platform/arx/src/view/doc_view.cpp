// A document's drawing view: the view of each space, the mapping between pixels
// and world points, the display lists of the space shown and their
// regeneration, and the change listener that tells a view what to draw again.
#include "doc_view.h"

#include <algorithm>

#include "acedads.h"
#include "dbsymtb.h"
#include "sorttab.h"
#include "../ap/app_state.h"
#include "../db/object_change.h"
#include "../gi/recorder.h"
#include "../gi/view_query.h"
#include "aperture.h"

namespace arx {

namespace {

ScreenSize gScreen;
std::uint64_t gScreenStamp = 1;
constexpr size_t kPreviousViews = 10;

// A drawing with nothing in it shows the area of a new drawing's limits.
ViewParams defaultView()
{
    ViewParams v;
    v.centerX = 6.0;
    v.centerY = 4.5;
    v.height = 9.0;
    return v;
}

std::vector<AcDbObjectId> entitiesInDrawOrder(AcDbObjectId spaceId)
{
    std::vector<AcDbObjectId> ids;
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, spaceId, AcDb::kForRead) != Acad::eOk) return ids;
    AcDbSortentsTable* sortents = nullptr;
    if (space->getSortentsTable(sortents, AcDb::kForRead, false) == Acad::eOk) {
        AcDbObjectIdArray order;
        sortents->getFullDrawOrder(order);
        sortents->close();
        for (const AcDbObjectId& id : order)
            if (!id.isErased()) ids.push_back(id);
    } else {
        AcDbBlockTableRecordIterator* it = nullptr;
        if (space->newIterator(it) == Acad::eOk) {
            ids.reserve(static_cast<size_t>(space->entityCount()));
            for (; !it->done(); it->step()) {
                AcDbObjectId id;
                if (it->getEntityId(id) == Acad::eOk) ids.push_back(id);
            }
            delete it;
        }
    }
    space->close();
    return ids;
}

void onObjectChange(AcDbObject* obj, bool graphicsChanged)
{
    AppState* app = appState();
    if (app == nullptr) return;
    AcDbDatabase* db = obj->database();
    for (Document* d : app->documents)
        if (d->db == db) docView(d).objectChanged(obj, graphicsChanged);
}

}  // namespace

ScreenSize screenSize() { return gScreen; }

bool setScreenSize(int width, int height)
{
    if (width < kMinScreen || height < kMinScreen || width > kMaxScreen || height > kMaxScreen) return false;
    gScreen.width = width;
    gScreen.height = height;
    ++gScreenStamp;
    return true;
}

AcDbObjectId DocView::space() const { return mDoc->db->currentSpaceId(); }

ViewParams DocView::initialView()
{
    AcDbExtents ext;
    bool any = false;
    for (const AcDbObjectId& id : entitiesInDrawOrder(space())) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        AcDbExtents e;
        if (ent->visibility() == AcDb::kVisible && ent->getGeomExtents(e) == Acad::eOk && e.isValid()) {
            ext.addExt(e);
            any = true;
        }
        ent->close();
    }
    if (!any) return defaultView();
    return extentsView(ext, defaultView().height);
}

ViewParams extentsView(const AcDbExtents& ext, double fallbackHeight)
{
    constexpr int kMargin = 4;  // pixels on each side
    ScreenSize s = screenSize();
    ViewParams v;
    v.centerX = (ext.minPoint().x + ext.maxPoint().x) / 2;
    v.centerY = (ext.minPoint().y + ext.maxPoint().y) / 2;
    double w = ext.maxPoint().x - ext.minPoint().x;
    double h = ext.maxPoint().y - ext.minPoint().y;
    v.height = std::max(h * s.height / (s.height - 2 * kMargin), w * s.height / (s.width - 2 * kMargin));
    if (!(v.height > 0) || !std::isfinite(v.height)) v.height = fallbackHeight;
    return v;
}

const ViewParams& DocView::view()
{
    AcDbStub* s = space();
    auto it = mViews.find(s);
    if (it != mViews.end()) return it->second;
    // Entities measured for the first view may ask where the view is: they are
    // told the default one meanwhile.
    mViews[s] = defaultView();
    ViewParams v = initialView();
    mViews[s] = v;
    return mViews[s];
}

void DocView::setView(const ViewParams& v, bool keepPrevious)
{
    if (!(v.height > 0) || !std::isfinite(v.height) || !std::isfinite(v.centerX) || !std::isfinite(v.centerY)) return;
    AcDbStub* s = space();
    if (keepPrevious) {
        auto& stack = mPrevious[s];
        stack.push_back(view());
        if (stack.size() > kPreviousViews) stack.erase(stack.begin());
    }
    mViews[s] = v;
    ++mViewStamp;
    if (AppState* app = appState()) app->notifyEditorReactors([](AcEditorReactor* r) { r->viewChanged(); });
}

bool DocView::previousView()
{
    auto& stack = mPrevious[space()];
    if (stack.empty()) return false;
    ViewParams v = stack.back();
    stack.pop_back();
    setView(v, false);
    return true;
}

AcGePoint3d DocView::pixelToWorld(double px, double py)
{
    gi::noteViewQuery();
    const ViewParams& v = view();
    ScreenSize s = screenSize();
    double unit = v.height / s.height;
    return AcGePoint3d(v.centerX + (px - s.width / 2.0) * unit, v.centerY - (py - s.height / 2.0) * unit, 0);
}

void DocView::worldToPixel(const AcGePoint3d& w, double& px, double& py)
{
    gi::noteViewQuery();
    const ViewParams& v = view();
    ScreenSize s = screenSize();
    double perUnit = s.height / v.height;
    px = s.width / 2.0 + (w.x - v.centerX) * perUnit;
    py = s.height / 2.0 - (w.y - v.centerY) * perUnit;
}

double DocView::pixelSize()
{
    gi::noteViewQuery();
    return view().height / screenSize().height;
}

void DocView::takeListChanges(std::vector<AcDbStub*>& redrawn, bool& reordered)
{
    redrawn.swap(mRedrawn);
    mRedrawn.clear();
    reordered = mReordered;
    mReordered = false;
}

void DocView::drawInto(gi::Recorder& recorder, AcDbObjectId id, gi::DisplayList& list)
{
    if (!mReordered) mRedrawn.push_back(id);
    AcDbEntity* ent = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, id, AcDb::kForRead);
    if (es == Acad::eWasOpenForWrite) {
        // Someone is changing it: it is drawn when they close it.
        mDirty.insert(id);
        return;
    }
    if (es != Acad::eOk) {
        list.clear();
    } else {
        recorder.record(ent, list);
        ent->close();
    }
}

void DocView::regenerate()
{
    AcDbObjectId spaceId = space();
    AcDbStub* s = spaceId;
    if (s != mListedSpace) mFullRegen = true;
    (void)view();  // set up before any entity asks where it is
    const bool full = mFullRegen;
    mFullRegen = false;
    if (full) blanked.clear();
    const bool viewMoved = mViewStamp != mDrawnViewStamp || gScreenStamp != mDrawnScreenStamp;
    mDrawnViewStamp = mViewStamp;
    mDrawnScreenStamp = gScreenStamp;
    std::unordered_set<AcDbStub*> dirty;
    dirty.swap(mDirty);
    gi::Recorder recorder(mDoc->db, false);
    size_t drawn = 0;
    if (!full && dirty.empty() && !mOrderStale) {
        // Only the view moved (or nothing at all): the entities and their order
        // stand, and what depends on the view is drawn again.
        if (viewMoved) {
            for (AcDbStub* key : mViewDependent) {
                auto it = mLists.find(key);
                if (it == mLists.end() || !it->second.viewDependent) continue;
                drawInto(recorder, key, it->second);
                ++drawn;
            }
        }
        mLastRegenCount = drawn;
        return;
    }
    mOrderStale = false;
    std::vector<AcDbObjectId> order = entitiesInDrawOrder(spaceId);
    for (const AcDbObjectId& id : order) {
        AcDbStub* key = id;
        auto it = mLists.find(key);
        const bool changed = dirty.erase(key) != 0;
        bool need = full || it == mLists.end() || changed || (viewMoved && it->second.viewDependent);
        if (!need) continue;
        drawInto(recorder, id, mLists[key]);
        ++drawn;
    }
    // Changed entities that are no longer shown (erased, gone to another space) go.
    for (AcDbStub* key : dirty) mLists.erase(key);
    mReordered = true;
    mRedrawn.clear();
    if (full) {
        std::unordered_set<AcDbStub*> shown;
        shown.reserve(order.size());
        for (const AcDbObjectId& id : order) shown.insert(id);
        std::erase_if(mLists, [&](const auto& entry) { return shown.count(entry.first) == 0; });
    }
    mViewDependent.clear();
    for (const AcDbObjectId& id : order) {
        auto it = mLists.find(id);
        if (it != mLists.end() && it->second.viewDependent) mViewDependent.push_back(id);
    }
    mOrder = std::move(order);
    mListedSpace = s;
    mLastRegenCount = drawn;
}

bool DocView::redrawEntity(AcDbObjectId id)
{
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return false;
    const bool shown = ent->ownerId() == space();
    ent->close();
    if (!shown) return false;
    (void)view();
    gi::Recorder recorder(mDoc->db, false);
    gi::DisplayList& list = mLists[id];
    drawInto(recorder, id, list);
    // One that now depends on the view is found by the next regeneration.
    if (list.viewDependent) mOrderStale = true;
    return true;
}

void DocView::objectChanged(AcDbObject* obj, bool graphicsChanged)
{
    mModified = true;
    if (graphicsChanged && AcDbEntity::cast(obj) != nullptr) mDirty.insert(obj->objectId());
    // What a space holds and in what order is kept by its block and its draw order table.
    if (AcDbBlockTableRecord::cast(obj) != nullptr || AcDbSortentsTable::cast(obj) != nullptr) mOrderStale = true;
}

const gi::DisplayList* DocView::listOf(AcDbObjectId id) const
{
    auto it = mLists.find(id);
    return it == mLists.end() ? nullptr : &it->second;
}

DocView& docView(Document* doc)
{
    if (doc->view == nullptr) doc->view = new DocView(doc);
    return *doc->view;
}

DocView* currentDocView()
{
    AppState* app = appState();
    if (app == nullptr || app->current == nullptr) return nullptr;
    return &docView(app->current);
}

DocView::DocView(Document* doc) : mDoc(doc) {}
DocView::~DocView() { delete mApertureGrid; }

ApertureGrid& DocView::apertureGrid()
{
    if (mApertureGrid == nullptr) mApertureGrid = new ApertureGrid;
    return *mApertureGrid;
}

void destroyDocView(DocView* view) { delete view; }

void refreshCurrentView()
{
    if (DocView* v = currentDocView()) v->regenerate();
}

void invalidateAllViews()
{
    if (AppState* app = appState())
        for (Document* d : app->documents)
            if (d->view != nullptr) d->view->requestFullRegen();
}

void installViewHooks() { setObjectChangeHook(&onObjectChange); }

}  // namespace arx

int acdbEntUpd(const ads_name ent)
{
    AcDbObjectId id;
    if (acdbGetObjectId(id, ent) != Acad::eOk) return RTERROR;
    arx::AppState* app = arx::appState();
    if (app == nullptr) return RTERROR;
    for (arx::Document* d : app->documents)
        if (d->db == id.database()) return arx::docView(d).redrawEntity(id) ? RTNORM : RTERROR;
    return RTERROR;
}
