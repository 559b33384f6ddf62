// The drawing view of a document: the client area's size in pixels, the view
// centre and height of each space (model space and each layout's paper space),
// the display lists of the space shown, and what the user has selected. Pixel
// (0, 0) is the top left; world x = centre x + (px - W/2) * height / H and
// world y = centre y - (py - H/2) * height / H.
#pragma once
#include <cmath>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dbmain.h"
#include "../gi/display_list.h"

namespace arx {

class Document;
namespace gi {
class Recorder;
}

struct ViewParams {
    double centerX = 0;
    double centerY = 0;
    double height = 1;
};

// The size of the drawing view's client area, the same for every document.
struct ScreenSize {
    int width = 1024;
    int height = 768;
};
ScreenSize screenSize();
// Sizes from 16 to 8192 pixels each way; others are refused.
inline constexpr int kMinScreen = 16;
inline constexpr int kMaxScreen = 8192;
bool setScreenSize(int width, int height);

// The view that shows extents whole, a few pixels in from every edge (so that
// what lies on the extents' edge shows); fallbackHeight when they have no size.
ViewParams extentsView(const AcDbExtents& ext, double fallbackHeight);

struct ApertureGrid;

class DocView {
public:
    explicit DocView(Document* doc);
    ~DocView();

    // The view of the space shown now (set up on first use: the space's
    // extents when it has any, else the default drawing area).
    const ViewParams& view();
    // Changes the view of the space shown; the previous one is kept for ZOOM
    // Previous, and editor reactors hear viewChanged.
    void setView(const ViewParams& v, bool keepPrevious = true);
    bool previousView();
    AcDbObjectId space() const;

    // Pixel and world, both ways, for the space shown.
    AcGePoint3d pixelToWorld(double px, double py);
    void worldToPixel(const AcGePoint3d& w, double& px, double& py);
    // World units per pixel.
    double pixelSize();

    // The display lists of the space shown, brought up to date: the whole space
    // when something other than entities changed (another space, a REGEN, a
    // drawing read anew), else the entities that changed, and when the view
    // moved the entities whose drawing depends on it.
    void regenerate();
    void requestFullRegen() { mFullRegen = true; }
    // Draws one entity again now, if it is in the space shown.
    bool redrawEntity(AcDbObjectId id);
    // Told by the database: an object of this document's drawing changed.
    void objectChanged(AcDbObject* obj, bool graphicsChanged);

    // The entities of the space shown in draw order, with their lists (after regenerate()).
    const std::vector<AcDbObjectId>& drawOrder() const { return mOrder; }
    const gi::DisplayList* listOf(AcDbObjectId id) const;
    // How many entities the last regenerate() drew.
    size_t lastRegenCount() const { return mLastRegenCount; }

    // What changed in the lists since the last call, for indexes kept over
    // them: the entities drawn again, and whether the order or the set of
    // lists changed (then everything is to be looked at again).
    void takeListChanges(std::vector<AcDbStub*>& redrawn, bool& reordered);
    // The index of the lists' extents that input points search (view/aperture.cpp).
    ApertureGrid& apertureGrid();

    // The drawing changed since it was opened or last saved (DBMOD).
    bool modified() const { return mModified; }
    void setModified(bool m) { mModified = m; }

    // What the user selected with no command running (with grips shown), and
    // the last selection set a command used (Previous).
    std::vector<AcDbObjectId> pickfirst;
    std::vector<AcDbObjectId> previous;
    // Entities blanked out (acedRedraw mode 2): not painted until drawn again
    // (mode 1) or the view is regenerated whole.
    std::unordered_set<AcDbStub*> blanked;

private:
    void drawInto(gi::Recorder& recorder, AcDbObjectId id, gi::DisplayList& list);
    ViewParams initialView();

    Document* mDoc;
    std::map<AcDbStub*, ViewParams> mViews;  // by space (block table record)
    std::map<AcDbStub*, std::vector<ViewParams>> mPrevious;
    std::unordered_map<AcDbStub*, gi::DisplayList> mLists;
    std::unordered_set<AcDbStub*> mDirty;
    // The entities whose drawing asked where the view is, as the last
    // regeneration of the whole order found them.
    std::vector<AcDbStub*> mViewDependent;
    // Entities came, went or changed places: the draw order is read again.
    bool mOrderStale = true;
    std::vector<AcDbObjectId> mOrder;
    AcDbStub* mListedSpace = nullptr;
    std::uint64_t mViewStamp = 1;
    std::uint64_t mDrawnViewStamp = 0;
    std::uint64_t mDrawnScreenStamp = 0;
    size_t mLastRegenCount = 0;
    std::vector<AcDbStub*> mRedrawn;
    bool mReordered = true;
    ApertureGrid* mApertureGrid = nullptr;
    bool mFullRegen = true;
    bool mModified = false;
};

// The view of a document, made on first use and gone with the document.
DocView& docView(Document* doc);
// The current document's view; null without one.
DocView* currentDocView();
void destroyDocView(DocView* view);
// Brings the current document's display lists up to date (after each thing the
// host does: a command, an open, a LISP call, a module loaded).
void refreshCurrentView();
// Every document's lists are redrawn whole at their next regeneration (a
// module came or went: objects became proxies or proxies objects).
void invalidateAllViews();
// Installs the database's change listener.
void installViewHooks();

}  // namespace arx
