// MOVE, COPY, ROTATE, SCALE and ERASE; copying to other drawings (WBLOCK,
// COPYCLIP and PASTECLIP); and grip editing as the user does it.
#include <cmath>

#include "arxhost/runtime.h"
#include "drawing_host.h"

namespace {

// An entity that declines to be copied: its clones come back null.
class Fixed : public AcDbLine {
public:
    ACRX_DECLARE_MEMBERS(Fixed);
    Fixed() : AcDbLine(AcGePoint3d(0, 5, 0), AcGePoint3d(1, 5, 0)) {}

protected:
    Acad::ErrorStatus subDeepClone(AcDbObject*, AcDbObject*& clone, AcDbIdMapping&, Adesk::Boolean) const override
    {
        clone = nullptr;
        return Acad::eOk;
    }
    Acad::ErrorStatus subWblockClone(AcRxObject*, AcDbObject*& clone, AcDbIdMapping&, Adesk::Boolean) const override
    {
        clone = nullptr;
        return Acad::eOk;
    }
};
ACRX_DXF_DEFINE_MEMBERS(Fixed, AcDbLine, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, FIXEDLINE, FixedApp)

// An entity of the host's default transformation behaviour: it refuses.
class Stiff : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(Stiff);

protected:
    Adesk::Boolean subWorldDraw(AcGiWorldDraw* mode) override
    {
        AcGePoint3d pts[2] = {{0, 30, 0}, {10, 30, 0}};
        mode->geometry().polyline(2, pts);
        return Adesk::kTrue;
    }
};
ACRX_DXF_DEFINE_MEMBERS(Stiff, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, STIFF, StiffApp)

std::vector<std::string> gCommands;
class Commands : public AcEditorReactor {
public:
    void commandWillStart(const ACHAR* c) override { gCommands.push_back(AcString(c).utf8()); }
};

class Editing : public DrawingHost {
protected:
    void SetUp() override
    {
        DrawingHost::SetUp();
        Fixed::rxInit();
        Stiff::rxInit();
        view(0, 0, 768);  // a unit a pixel, the origin in the middle
    }
    void TearDown() override
    {
        deleteAcRxClass(Fixed::desc());
        deleteAcRxClass(Stiff::desc());
        DrawingHost::TearDown();
    }
};

TEST_F(Editing, MoveTransformsTheSelectionByTheDisplacement)
{
    AcDbObjectId a = line(0, 0, 10, 0);
    AcDbObjectId b = line(0, 20, 10, 20);
    EXPECT_EQ(run(L"MOVE", {L"5,0", L"", L"0,0", L"3,4"}), arxhost::CommandResult::kEnded);
    expectNear(start(a), 3, 4);
    expectNear(end(a), 13, 4);
    expectNear(start(b), 0, 20);
    // With no second point the first is the displacement.
    EXPECT_EQ(run(L"MOVE", {L"P", L"", L"1,1", L""}), arxhost::CommandResult::kEnded);
    expectNear(start(a), 4, 5);
    EXPECT_FALSE(highlighted(a));
}

TEST_F(Editing, CopyCopiesToEverySecondPointUntilAnEmptyAnswer)
{
    AcDbObjectId a = line(0, 0, 10, 0);
    EXPECT_EQ(run(L"COPY", {L"5,0", L"", L"0,0", L"0,10", L"0,20", L""}), arxhost::CommandResult::kEnded);
    std::vector<AcDbObjectId> all = modelSpace();
    ASSERT_EQ(all.size(), 3u);
    expectNear(start(a), 0, 0);
    expectNear(start(all[1]), 0, 10);
    expectNear(start(all[2]), 0, 20);
}

TEST_F(Editing, CopyLeavesBehindWhatDeclinesToBeCopiedWithoutAnError)
{
    line(0, 0, 10, 0);
    add(new Fixed());
    EXPECT_EQ(run(L"COPY", {L"ALL", L"", L"0,0", L"100,0", L""}), arxhost::CommandResult::kEnded);
    std::vector<AcDbObjectId> all = modelSpace();
    ASSERT_EQ(all.size(), 3u);
    AcDbEntity* copy = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(copy, all[2], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(copy->isA(), AcDbLine::desc());
    copy->close();
    expectNear(start(all[2]), 100, 0);
    EXPECT_EQ(commandLine.find(L"could not"), std::wstring::npos);
}

TEST_F(Editing, RotateTurnsAboutTheBasePointByDegrees)
{
    AcDbObjectId a = line(10, 0, 20, 0);
    EXPECT_EQ(run(L"ROTATE", {L"15,0", L"", L"10,0", L"90"}), arxhost::CommandResult::kEnded);
    expectNear(start(a), 10, 0, 1e-9);
    expectNear(end(a), 10, 10, 1e-9);
}

TEST_F(Editing, ScaleScalesAboutTheBasePointAndRefusesNonPositiveFactors)
{
    AcDbObjectId a = line(10, 0, 20, 0);
    EXPECT_EQ(run(L"SCALE", {L"15,0", L"", L"10,0", L"0", L"-1", L"3"}), arxhost::CommandResult::kEnded);
    expectNear(end(a), 40, 0);
    EXPECT_NE(commandLine.find(L"Value must be positive and nonzero."), std::wstring::npos);
}

TEST_F(Editing, EraseErasesWhatIsSelected)
{
    AcDbObjectId a = line(0, 0, 10, 0);
    AcDbObjectId b = line(0, 50, 10, 50);
    EXPECT_EQ(run(L"ERASE", {L"5,0", L""}), arxhost::CommandResult::kEnded);
    EXPECT_TRUE(a.isErased());
    EXPECT_FALSE(b.isErased());
}

TEST_F(Editing, AnEntityThatCannotBeTransformedStaysAndIsReported)
{
    AcDbObjectId stiff = add(new Stiff());
    EXPECT_EQ(run(L"MOVE", {L"5,30", L"", L"0,0", L"1,1"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"1 object could not be moved."), std::wstring::npos);
    AcDbEntity* e = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(e, stiff, AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(e->isModified());
    e->close();
}

TEST_F(Editing, EntitiesOnLockedLayersAreNotChanged)
{
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"LOCKED");
    layer->setIsLocked(true);
    AcDbObjectId layerId;
    table->add(layerId, layer);
    layer->close();
    table->close();
    auto* l = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    l->setLayer(layerId);
    AcDbObjectId a = add(l);
    AcDbObjectId b = line(0, 10, 10, 10);
    EXPECT_EQ(run(L"MOVE", {L"ALL", L"", L"0,0", L"0,5"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"1 was on a locked layer."), std::wstring::npos);
    expectNear(start(a), 0, 0);
    expectNear(start(b), 0, 15);
    // Copying changes nothing of the original: it may be copied.
    EXPECT_EQ(run(L"COPY", {L"5,0", L"", L"0,0", L"0,-5", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(modelSpace().size(), 3u);
}

TEST_F(Editing, WblockWritesTheSelectionToANewDrawingWithItsLayerByName)
{
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"WALLS");
    AcCmColor red;
    red.setColorIndex(1);
    layer->setColor(red);
    AcDbObjectId walls;
    table->add(walls, layer);
    layer->close();
    table->close();
    auto* l = new AcDbLine(AcGePoint3d(10, 10, 0), AcGePoint3d(20, 10, 0));
    l->setLayer(walls);
    add(l);
    add(new Fixed());
    std::string dir = ::testing::TempDir();
    std::wstring file = AcString::fromUtf8(dir.data(), dir.size()).str() + L"part.dxf";
    EXPECT_EQ(run(L"WBLOCK", {file, L"", L"10,10", L"ALL", L""}), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"1 object written to"), std::wstring::npos);
    AcDbDatabase part(false);
    ASSERT_EQ(arxhost::openDrawing(&part, file), Acad::eOk) << arxhost::lastError();
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, part.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    int count = 0;
    for (; !it->done(); it->step()) {
        AcDbEntity* e = nullptr;
        ASSERT_EQ(it->getEntity(e), Acad::eOk);
        auto* copy = AcDbLine::cast(e);
        ASSERT_NE(copy, nullptr);
        expectNear(copy->startPoint(), 0, 0);  // moved by the base point
        ACHAR* layerName = copy->layer();
        EXPECT_STREQ(layerName, L"WALLS");
        acutDelString(layerName);
        e->close();
        ++count;
    }
    delete it;
    ms->close();
    EXPECT_EQ(count, 1);
    AcDbLayerTableRecord* copied = nullptr;
    AcDbLayerTable* partLayers = nullptr;
    ASSERT_EQ(part.getLayerTable(partLayers, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(partLayers->getAt(L"WALLS", copied, AcDb::kForRead), Acad::eOk);
    partLayers->close();
    EXPECT_EQ(copied->color().colorIndex(), 1);
    copied->close();
}

TEST_F(Editing, WblockToAFileThatCannotBeWrittenFailsTheCommand)
{
    line(0, 0, 1, 1);
    EXPECT_EQ(run(L"WBLOCK", {L"/no/such/dir/x.dwg", L"*"}), arxhost::CommandResult::kFailed);
}

TEST_F(Editing, CopyclipAndPasteclipCopyThroughTheClipboardDrawing)
{
    line(10, 10, 20, 10);
    add(new Fixed());
    EXPECT_EQ(run(L"PASTECLIP"), arxhost::CommandResult::kEnded);  // nothing to paste yet
    EXPECT_NE(commandLine.find(L"The clipboard holds no drawing."), std::wstring::npos);
    EXPECT_EQ(run(L"COPYCLIP", {L"ALL", L""}), arxhost::CommandResult::kEnded);
    EXPECT_EQ(run(L"PASTECLIP", {L"100,100"}), arxhost::CommandResult::kEnded);
    std::vector<AcDbObjectId> all = modelSpace();
    ASSERT_EQ(all.size(), 3u);
    // The clipboard's base is the lower left of what was selected, (0, 5) of
    // the line that stayed behind.
    expectNear(start(all[2]), 110, 105);
}

TEST_F(Editing, GripsAreEditedAsTheUserDoesIt)
{
    Commands commands;
    acedEditor->addReactor(&commands);
    gCommands.clear();
    AcDbObjectId a = line(0, 0, 100, 0);
    // The line lies at the view's middle row; its start point at pixel (512, 384).
    EXPECT_EQ(arxhost::clickView(562, 384), arxhost::ClickResult::kSelected);
    ASSERT_EQ(arxhost::selectedEntities().size(), 1u);
    EXPECT_TRUE(highlighted(a));
    std::vector<arxhost::Grip> grips = arxhost::shownGrips();
    ASSERT_FALSE(grips.empty());
    expectNear(grips[0].point, 0, 0);
    answers = {L"-10,30"};
    next = 0;
    EXPECT_EQ(arxhost::clickView(514, 382), arxhost::ClickResult::kGripEdited);
    expectNear(start(a), -10, 30);
    expectNear(end(a), 100, 0);
    ASSERT_FALSE(gCommands.empty());
    EXPECT_EQ(gCommands.back(), "GRIP_STRETCH");
    // Still selected: a command started now works on it.
    EXPECT_EQ(run(L"MOVE", {L"0,0", L"0,1"}), arxhost::CommandResult::kEnded);
    expectNear(end(a), 100, 1);
    EXPECT_TRUE(arxhost::selectedEntities().empty());
    // A click on nothing clears the selection. The line now ends at (100, 1).
    EXPECT_EQ(arxhost::clickView(612, 383), arxhost::ClickResult::kSelected);
    EXPECT_EQ(arxhost::clickView(10, 10), arxhost::ClickResult::kCleared);
    EXPECT_TRUE(arxhost::selectedEntities().empty());
    EXPECT_FALSE(highlighted(a));
    acedEditor->removeReactor(&commands);
}

TEST_F(Editing, AClickWhileACommandWaitsIsNoSelection)
{
    line(0, 0, 100, 0);
    arxhost::ClickResult during = arxhost::ClickResult::kNothing;
    onPrompt = [&] {
        onPrompt = nullptr;
        during = arxhost::clickView(562, 384);
    };
    run(L"ZOOM", {L""});
    EXPECT_EQ(during, arxhost::ClickResult::kRefused);
    EXPECT_TRUE(arxhost::selectedEntities().empty());
}

}  // namespace
