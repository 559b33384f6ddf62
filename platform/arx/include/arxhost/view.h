// The drawing view as the host program sees it: its size in pixels, the
// current document's view (centre and height), painting it (the screen) and
// plotting it, and clicks in it with no command running (selection and grips).
#pragma once
#include <string>
#include <vector>

#include "dbmain.h"

typedef struct _cairo cairo_t;

namespace arxhost {

// The client area of the drawing view, 1024 x 768 unless set (every document);
// 16 to 8192 pixels each way, other sizes are refused.
bool setViewSize(int width, int height);
int viewWidth();
int viewHeight();

struct ViewState {
    double centerX = 0;
    double centerY = 0;
    double height = 0;  // world units from the top of the view to its bottom
};
// The current document's view; false without a document.
bool currentView(ViewState& view);
bool setCurrentView(const ViewState& view);

// Paints the current view of the current document onto cr, whose surface has
// the view's size (ARGB32 or RGB24 image, or any cairo surface), first bringing
// the view up to date with the drawing; false without a document.
bool paintView(cairo_t* cr);
// The current view as a PNG of exactly the view's pixels.
bool writeSnapshot(const std::wstring& path, std::string& error);
// Plots the current view's area: PDF for ".pdf", PNG for ".png". Entities draw
// for the plot (isPlotGeneration() true); the plot is on white.
bool plotView(const std::wstring& path, std::string& error);

// The host's main frame and, inside it, the drawing view's window (a CView of
// the view's size): acedGetAcadFrame and acedGetAcadDwgView give them. Cursor
// moves over that window are input points of the current document.
bool createHostWindows();
void destroyHostWindows();
// An input point at a pixel of the view, as a cursor move there gives: every
// point monitor of the current document is told. False without a drawing.
bool inputPointAt(int x, int y);

enum class ClickResult { kSelected, kGripEdited, kCleared, kNothing, kRefused };
// A left click at a pixel of the view with no command running: on a grip of
// the selection it runs GRIP_STRETCH (which asks for the stretch point like any
// prompt), on an entity it selects it, on nothing it clears the selection.
// Refused while a command runs.
ClickResult clickView(int x, int y);
// The entities selected with no command running.
std::vector<AcDbObjectId> selectedEntities();
struct Grip {
    AcDbObjectId entity;
    int index = 0;
    AcGePoint3d point;
};
std::vector<Grip> shownGrips();

}  // namespace arxhost
