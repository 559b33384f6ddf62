// Every way a note that was kept as a proxy comes back as a note keeps the
// entity's common properties: from DXF groups or from a binary stream, during a
// DXF read, a binary read, or when the module is loaded.
#include "plugin_fixture.h"
#include "temp_dir.h"

namespace {

// The common properties of the first entity of a class (or of the proxy that
// stands for it) in model space, as text that compares whole.
std::wstring propertiesOfFirstNote(AcDbDatabase* db, std::wstring* className = nullptr)
{
    std::wstring out;
    AcDbBlockTableRecord* ms = nullptr;
    if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return L"no model space";
    AcDbBlockTableRecordIterator* it = nullptr;
    ms->newIterator(it);
    for (; !it->done() && out.empty(); it->step()) {
        AcDbEntity* ent = nullptr;
        if (it->getEntity(ent, AcDb::kForRead) != Acad::eOk) continue;
        std::wstring name = ent->isA()->name();
        if (name == L"QkDbVelaTone" || name == L"AcDbProxyEntity") {
            if (className != nullptr) *className = name;
            ACHAR* layer = ent->layer();
            ACHAR* linetype = ent->linetype();
            out = std::wstring(L"layer ") + layer + L", linetype " + linetype + L", colour " +
                  std::to_wstring(ent->color().color()) + L", transparency " +
                  std::to_wstring(ent->transparency().serializeOut()) + L", ltscale " +
                  std::to_wstring(ent->linetypeScale()) + L", visibility " + std::to_wstring(ent->visibility()) +
                  L", lineweight " + std::to_wstring(ent->lineWeight());
            acutDelString(layer);
            acutDelString(linetype);
        }
        ent->close();
    }
    delete it;
    ms->close();
    return out.empty() ? L"no note" : out;
}

class ProxyRevival : public PluginHost {
protected:
    // A drawing with one note whose every common property differs from the
    // defaults, saved by the plug-in in both formats; then the plug-in goes.
    void SetUp() override
    {
        PluginHost::SetUp();
        ASSERT_TRUE(load(2013)) << loadError;
        std::string error;
        AcApDocument* doc = app.newDocument(error);
        ASSERT_NE(doc, nullptr) << error;
        AcDbDatabase* db = doc->database();
        std::string bin = std::string(ARXHOST_BINARY_DIR) + "/bin";
        arxhost::addSupportPath(AcString::fromUtf8(bin.data(), bin.size()).str());
        ASSERT_EQ(db->loadLineTypeFile(L"DASHEDX2", L"korvo.lin"), Acad::eOk) << arxhost::lastError();
        AcDbLayerTable* layers = nullptr;
        ASSERT_EQ(db->getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
        auto* layer = new AcDbLayerTableRecord();
        layer->setName(L"Voice notes");
        ASSERT_EQ(layers->add(layer), Acad::eOk);
        layer->close();
        layers->close();

        AcRxClass* noteClass = AcRxClass::cast(acrxClassDictionary->at(L"QkDbVelaTone"));
        ASSERT_NE(noteClass, nullptr);
        auto* note = AcDbEntity::cast(noteClass->create());
        ASSERT_NE(note, nullptr);
        note->setDatabaseDefaults(db);
        ASSERT_EQ(note->setLayer(L"Voice notes"), Acad::eOk);
        ASSERT_EQ(note->setLinetype(L"DASHEDX2"), Acad::eOk);
        AcCmColor colour;
        colour.setRGB(10, 200, 30);
        note->setColor(colour);
        note->setTransparency(AcCmTransparency(128));
        note->setLinetypeScale(2.5);
        note->setVisibility(AcDb::kInvisible);
        note->setLineWeight(AcDb::kLnWt050);
        AcDbBlockTableRecord* ms = nullptr;
        ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        ASSERT_EQ(ms->appendAcDbEntity(id, note), Acad::eOk);
        note->close();
        ms->close();
        expected = propertiesOfFirstNote(db);
        ASSERT_TRUE(app.saveDocument(doc, dir.wfile("with.dxf"), error)) << error;
        ASSERT_TRUE(app.saveDocument(doc, dir.wfile("with.dwg"), error)) << error;
        app.closeDocument(doc);
        ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
    }

    // Opens a file with the plug-in loaded or not, and checks what came back.
    AcApDocument* open(const char* name, const wchar_t* wantedClass)
    {
        std::string error;
        AcApDocument* doc = app.openDocument(dir.wfile(name), error);
        EXPECT_NE(doc, nullptr) << error;
        if (doc == nullptr) return nullptr;
        std::wstring cls;
        EXPECT_EQ(propertiesOfFirstNote(doc->database(), &cls), expected) << name;
        EXPECT_EQ(cls, wantedClass) << name;
        return doc;
    }

    void saveAndClose(AcApDocument* doc, const char* name)
    {
        std::string error;
        ASSERT_TRUE(app.saveDocument(doc, dir.wfile(name), error)) << error;
        app.closeDocument(doc);
    }

    TempDir dir;
    std::wstring expected;
};

TEST_F(ProxyRevival, ADxfProxyRevivedWhileABinaryDrawingIsRead)
{
    saveAndClose(open("with.dxf", L"AcDbProxyEntity"), "proxy.dwg");
    ASSERT_TRUE(load(2013)) << loadError;
    open("proxy.dwg", L"QkDbVelaTone");
}

TEST_F(ProxyRevival, ADxfProxyRevivedWhenTheModuleLoads)
{
    AcApDocument* doc = open("with.dxf", L"AcDbProxyEntity");
    ASSERT_TRUE(load(2013)) << loadError;
    std::wstring cls;
    EXPECT_EQ(propertiesOfFirstNote(doc->database(), &cls), expected);
    EXPECT_EQ(cls, L"QkDbVelaTone");
}

TEST_F(ProxyRevival, ABinaryProxyRevivedWhileABinaryDrawingIsRead)
{
    saveAndClose(open("with.dwg", L"AcDbProxyEntity"), "proxy.dwg");
    ASSERT_TRUE(load(2013)) << loadError;
    open("proxy.dwg", L"QkDbVelaTone");
}

TEST_F(ProxyRevival, ABinaryProxyRevivedWhenTheModuleLoads)
{
    AcApDocument* doc = open("with.dwg", L"AcDbProxyEntity");
    ASSERT_TRUE(load(2013)) << loadError;
    std::wstring cls;
    EXPECT_EQ(propertiesOfFirstNote(doc->database(), &cls), expected);
    EXPECT_EQ(cls, L"QkDbVelaTone");
}

TEST_F(ProxyRevival, ABinaryProxyRevivedWhileADxfDrawingIsRead)
{
    saveAndClose(open("with.dwg", L"AcDbProxyEntity"), "proxy.dxf");
    ASSERT_TRUE(load(2013)) << loadError;
    open("proxy.dxf", L"QkDbVelaTone");
}

TEST_F(ProxyRevival, ADxfProxyWrittenAsDxfReadsBackWhole)
{
    saveAndClose(open("with.dxf", L"AcDbProxyEntity"), "proxy.dxf");
    ASSERT_TRUE(load(2013)) << loadError;
    open("proxy.dxf", L"QkDbVelaTone");
}

TEST_F(ProxyRevival, AnObjectTurnedProxyByUnloadingComesBackWhole)
{
    ASSERT_TRUE(load(2013)) << loadError;
    AcApDocument* doc = open("with.dwg", L"QkDbVelaTone");
    std::string error;
    ASSERT_TRUE(app.unloadModule(L"VelaToneViewer2013_x64", error)) << error;
    EXPECT_EQ(propertiesOfFirstNote(doc->database()), expected);
    ASSERT_TRUE(load(2013)) << loadError;
    EXPECT_EQ(propertiesOfFirstNote(doc->database()), expected);
}

}  // namespace
