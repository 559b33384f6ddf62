// The plug-in's objects when its module goes and comes back: no object may
// outlive its code, and nothing of its data may be lost.
#include <fstream>
#include <sstream>

#include "plugin_fixture.h"
#include "temp_dir.h"

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<AcDbObject*> notesOf(AcDbDatabase* db, const wchar_t* className)
{
    std::vector<AcDbObject*> found;
    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return found;
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; !it->done(); it->step()) {
        AcDbEntity* ent = nullptr;
        if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk) continue;
        if (std::wstring(ent->isA()->name()) == className) found.push_back(ent);
        ent->close();
    }
    delete it;
    ms->close();
    return found;
}

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(PluginHost, NotesBecomeProxiesWhenTheModuleGoesAndNotesAgainWhenItComesBack)
{
    TempDir dir;
    ASSERT_TRUE(load(2013)) << loadError;
    std::string error;
    AcApDocument* doc = app.openDocument(samplePath("samples/site-plan.dxf"), error);
    ASSERT_NE(doc, nullptr) << error;
    ASSERT_EQ(notesOf(doc->database(), L"QkDbVelaTone").size(), 3u);
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("before.dxf"), error)) << error;

    ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
    EXPECT_EQ(notesOf(doc->database(), L"QkDbVelaTone").size(), 0u);
    std::vector<AcDbObject*> proxies = notesOf(doc->database(), L"AcDbProxyEntity");
    ASSERT_EQ(proxies.size(), 3u);
    EXPECT_STREQ(AcDbProxyEntity::cast(proxies[0])->originalClassName(), L"QkDbVelaTone");
    // A proxy of a note allows no operation.
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, proxies[0]->objectId(), AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(ent->erase(), Acad::eNotAllowedForThisProxy);
    ent->close();
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("proxies.dxf"), error)) << error;
    EXPECT_EQ(count(readFile(dir.file("proxies.dxf")), "\nACAD_PROXY_ENTITY\n"), 3u);

    ASSERT_TRUE(load(2013)) << loadError;
    EXPECT_EQ(notesOf(doc->database(), L"QkDbVelaTone").size(), 3u);
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("after.dxf"), error)) << error;
    EXPECT_EQ(readFile(dir.file("before.dxf")), readFile(dir.file("after.dxf")));
}

TEST_F(PluginHost, AProxyDrawingWrittenWithoutTheModuleOpensAsNotesWithIt)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(load(2013)) << loadError;
    AcApDocument* doc = app.openDocument(samplePath("samples/site-plan.dxf"), error);
    ASSERT_NE(doc, nullptr) << error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("with.dxf"), error)) << error;
    ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("without.dwg"), error)) << error;
    app.closeDocument(doc);

    ASSERT_TRUE(load(2013)) << loadError;
    doc = app.openDocument(dir.wfile("without.dwg"), error);
    ASSERT_NE(doc, nullptr) << error;
    EXPECT_EQ(notesOf(doc->database(), L"QkDbVelaTone").size(), 3u);
    ASSERT_TRUE(app.saveDocument(doc, dir.wfile("again.dxf"), error)) << error;
    EXPECT_EQ(readFile(dir.file("with.dxf")), readFile(dir.file("again.dxf")));
}

TEST_F(PluginHost, AModuleWithAnOpenNoteStaysLoaded)
{
    ASSERT_TRUE(load(2013)) << loadError;
    std::string error;
    AcApDocument* doc = app.openDocument(samplePath("samples/site-plan.dxf"), error);
    ASSERT_NE(doc, nullptr) << error;
    std::vector<AcDbObject*> notes = notesOf(doc->database(), L"QkDbVelaTone");
    ASSERT_FALSE(notes.empty());
    AcDbObject* open = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(open, notes[0]->objectId(), AcDb::kForRead), Acad::eOk);
    EXPECT_FALSE(app.unloadModule(L"VelaToneViewer2013_x64", error));
    EXPECT_NE(error.find("open"), std::string::npos) << error;
    open->close();
    EXPECT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
}

}  // namespace

namespace {

TEST(Linetypes, TheNotesLinetypeFileBesideTheHostGivesDashedX2)
{
    AcDbDatabase db;
    std::string bin = std::string(ARXHOST_BINARY_DIR) + "/bin";
    arxhost::addSupportPath(AcString::fromUtf8(bin.data(), bin.size()).str());
    ASSERT_EQ(db.loadLineTypeFile(L"DASHEDX2", L"korvo.lin"), Acad::eOk) << arxhost::lastError();
    AcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(db.getLinetypeTable(table, AcDb::kForRead), Acad::eOk);
    AcDbLinetypeTableRecord* dashed = nullptr;
    ASSERT_EQ(table->getAt(L"DASHEDX2", dashed, AcDb::kForRead), Acad::eOk);
    table->close();
    EXPECT_EQ(dashed->numDashes(), 2);
    EXPECT_DOUBLE_EQ(dashed->dashLengthAt(0), 1.0);
    EXPECT_DOUBLE_EQ(dashed->dashLengthAt(1), -0.5);
    EXPECT_DOUBLE_EQ(dashed->patternLength(), 1.5);
    dashed->close();
}

}  // namespace
