// Object notes follow the entity they are attached to: moving, rotating or
// grip-editing the line moves the note's icon to the line's new extents' max
// corner, in the view's display list; undo brings it back. The persistent
// reactor object leaves a note attached elsewhere alone.
#include "arxhost/graphics.h"
#include "arxhost/view.h"
#include "registry_fixture.h"

namespace {

class Attachment : public RegistryHost {
protected:
    void SetUp() override
    {
        RegistryHost::SetUp();
        regdwg::Drawing d;
        auto [l, n] = d.attached(0, 0, 10, 4);
        d.point(40, 40);  // something else, so ZOOM E keeps the line off the border
        d.storedList({n});
        doc = open(d);
        ASSERT_NE(doc, nullptr);
        line = idOf(doc, l);
        note = idOf(doc, n);
        ASSERT_EQ(arxhost::setCurrentView({20, 20, 80}), true);
        arxhost::regenerateView();
        // The icon is drawn a little inside its square: the offset from the
        // square's corner, measured where the note first stands.
        const AcGePoint3d start = iconCorner();
        offset = start - AcGePoint3d(10, 4, 0);
    }

    // Where the note's icon is drawn: the lower left corner of what the view
    // holds for it (the icon square; the duration text stands above it).
    AcGePoint3d iconCorner()
    {
        arxhost::Drawing shown = arxhost::shownDrawing(note);
        EXPECT_TRUE(shown.opened);
        EXPECT_FALSE(shown.primitives.empty());
        double x = 1e300, y = 1e300;
        for (const arxhost::DrawnPrimitive& p : shown.primitives)
            for (const AcGePoint3d& v : p.points) {
                x = std::min(x, v.x);
                y = std::min(y, v.y);
            }
        return AcGePoint3d(x, y, 0);
    }

    AcDbExtents lineExtents()
    {
        AcDbEntity* e = nullptr;
        AcDbExtents ext;
        EXPECT_EQ(acdbOpenAcDbEntity(e, line, AcDb::kForRead), Acad::eOk);
        e->getGeomExtents(ext);
        e->close();
        return ext;
    }

    static void expectAt(const AcGePoint3d& p, double x, double y)
    {
        EXPECT_NEAR(p.x, x, 1e-6);
        EXPECT_NEAR(p.y, y, 1e-6);
    }

    static void pixelOf(const AcGePoint3d& w, int& x, int& y)
    {
        arxhost::ViewState v;
        arxhost::currentView(v);
        const double scale = arxhost::viewHeight() / v.height;
        x = static_cast<int>(arxhost::viewWidth() / 2.0 + (w.x - v.centerX) * scale + 0.5);
        y = static_cast<int>(arxhost::viewHeight() / 2.0 - (w.y - v.centerY) * scale + 0.5);
    }

    // The icon's square starts at (x, y).
    void expectIconAt(double x, double y)
    {
        const AcGePoint3d p = iconCorner() - offset;
        EXPECT_NEAR(p.x, x, 1e-6);
        EXPECT_NEAR(p.y, y, 1e-6);
    }

    AcApDocument* doc = nullptr;
    AcDbObjectId line, note;
    AcGeVector3d offset;
};

TEST_F(Attachment, MovingTheLineMovesTheIconToItsNewMaxCornerAndUndoBringsItBack)
{
    expectIconAt(10, 4);
    ASSERT_EQ(run(L"MOVE", {L"W", L"-1,-1", L"11,5", L"", L"0,0", L"5,3"}), arxhost::CommandResult::kEnded);
    expectAt(lineExtents().maxPoint(), 15, 7);
    expectIconAt(15, 7);
    ASSERT_EQ(run(L"U"), arxhost::CommandResult::kEnded);
    expectAt(lineExtents().maxPoint(), 10, 4);
    expectIconAt(10, 4);
    ASSERT_EQ(run(L"REDO"), arxhost::CommandResult::kEnded);
    expectIconAt(15, 7);
}

TEST_F(Attachment, RotatingTheLineMovesTheIconToTheRotatedExtentsMaxCorner)
{
    // A quarter turn about the origin: (10, 4) goes to (-4, 10).
    ASSERT_EQ(run(L"ROTATE", {L"W", L"-1,-1", L"11,5", L"", L"0,0", L"90"}), arxhost::CommandResult::kEnded);
    expectAt(lineExtents().maxPoint(), 0, 10);
    expectIconAt(0, 10);
}

TEST_F(Attachment, AGripEditOfTheLineMovesTheIcon)
{
    int x = 0, y = 0;
    pixelOf({5, 2, 0}, x, y);
    ASSERT_EQ(arxhost::clickView(x, y), arxhost::ClickResult::kSelected);
    pixelOf({10, 4, 0}, x, y);
    answers = {L"12,9"};
    next = 0;
    ASSERT_EQ(arxhost::clickView(x, y), arxhost::ClickResult::kGripEdited);
    expectIconAt(12, 9);
}

TEST_F(Attachment, ALinkWhoseNoteIsAttachedElsewhereLeavesTheNoteAlone)
{
    // The note is re-attached to another line; the first line's link stays.
    regdwg::Drawing d;
    const std::string other = d.line(20, 0, 30, 6);
    auto [l1, n1] = d.attached(0, 0, 10, 4);
    d.storedList({n1});
    // The note's attached handle is rewritten to the other line.
    std::string error;
    ASSERT_TRUE(d.write(dir.file("elsewhere.dxf"), error)) << error;
    std::ifstream in(dir.file("elsewhere.dxf"));
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    const std::string from = "100\nQkDbVelaTone\n 90\n1\n 70\n2\n102\n" + l1 + "\n";
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, from.size(), "100\nQkDbVelaTone\n 90\n1\n 70\n2\n102\n" + other + "\n");
    std::ofstream(dir.file("elsewhere.dxf"), std::ios::binary) << text;
    AcApDocument* d2 = app.openDocument(dir.wfile("elsewhere.dxf"), error);
    ASSERT_NE(d2, nullptr) << error;
    line = idOf(d2, l1);
    note = idOf(d2, n1);
    ASSERT_EQ(arxhost::setCurrentView({20, 20, 80}), true);
    arxhost::regenerateView();
    expectIconAt(30, 6);
    ASSERT_EQ(run(L"MOVE", {L"W", L"-1,-1", L"11,5", L"", L"0,0", L"5,3"}), arxhost::CommandResult::kEnded);
    expectIconAt(30, 6);
}

TEST_F(Attachment, AnObjectCarryingOnlyPersistentReactorsGetsTheSharedOne)
{
    // The line carries the link's id as a persistent reactor: no shared
    // reactor. Registered (as any object may be), it gets exactly one.
    EXPECT_EQ(sharedReactors(line), 0);
    appendOne(manager(), line, doc);
    EXPECT_EQ(sharedReactors(line), 1);
    appendOne(manager(), line, doc);
    EXPECT_EQ(sharedReactors(line), 1);
    EXPECT_EQ(sharedReactors(note), 1);
}

TEST_F(Attachment, AddNotifierTiesANoteToItsEntityAndTheNoteFollowsFromThenOn)
{
    regdwg::Drawing d;
    const std::string l = d.line(0, 0, 10, 4);
    const std::string n = d.objectNote(l);
    d.storedList({n});
    AcApDocument* d2 = open(d, "untied.dxf");
    ASSERT_NE(d2, nullptr);
    line = idOf(d2, l);
    note = idOf(d2, n);
    ASSERT_EQ(arxhost::setCurrentView({20, 20, 80}), true);
    arxhost::regenerateView();
    // Not tied: the line moves alone.
    ASSERT_EQ(run(L"MOVE", {L"W", L"-1,-1", L"11,5", L"", L"0,0", L"5,3"}), arxhost::CommandResult::kEnded);
    expectIconAt(10, 4);
    ASSERT_EQ(run(L"U"), arxhost::CommandResult::kEnded);

    void* h = dlopen(AcString(pluginPath(2013)).utf8().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(h, nullptr);
    using AddNotifier = bool (*)(VelaToneManager*, AcDbObject*, AcDbObjectId);
    auto addNotifier = reinterpret_cast<AddNotifier>(
        dlsym(h, "_ZN15VelaToneManager11addNotifierEP12QkDbVelaTone12AcDbObjectId"));
    dlclose(h);
    ASSERT_NE(addNotifier, nullptr);
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, note, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(addNotifier(manager(), obj, line));
    obj->close();
    // An entity that does not open ties nothing.
    ASSERT_EQ(acdbOpenAcDbObject(obj, note, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(addNotifier(manager(), obj, AcDbObjectId::kNull));
    obj->close();

    ASSERT_EQ(run(L"MOVE", {L"W", L"-1,-1", L"11,5", L"", L"0,0", L"5,3"}), arxhost::CommandResult::kEnded);
    expectIconAt(15, 7);
    // Saved and opened again, the tie holds.
    ASSERT_TRUE(save(d2, "tied.dwg"));
    std::string error;
    AcApDocument* d3 = app.openDocument(dir.wfile("tied.dwg"), error);
    ASSERT_NE(d3, nullptr) << error;
    line = idOf(d3, l);
    note = idOf(d3, n);
    ASSERT_EQ(arxhost::setCurrentView({20, 20, 80}), true);
    arxhost::regenerateView();
    expectIconAt(15, 7);
    ASSERT_EQ(run(L"MOVE", {L"W", L"4,2", L"16,8", L"", L"0,0", L"-5,-3"}), arxhost::CommandResult::kEnded);
    expectIconAt(10, 4);
}

}  // namespace
