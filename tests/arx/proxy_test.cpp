// Proxies: objects of unknown classes and objects that ask to stay unread
// (eMakeMeProxy for a newer version) are kept as read and written back
// unchanged through either file, allow no operation their flags do not allow,
// and become objects again for code that knows them; an object's reader that
// throws fails the read.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "departures.h"
#include "temp_dir.h"

namespace proxytest {
using namespace arxtest;

// A custom entity of a plug-in: its data carries the version that wrote it, and
// a version newer than the code knows is left to a proxy.
class TestNote : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TestNote);
    static int sWriteVersion;  // what the code writes
    static int sKnownVersion;  // the newest it reads
    static bool sThrowOnRead;  // the code reading a note fails with an exception
    static constexpr const char* kReadFailure = "note reader failed";
    AcString mText;
    AcGePoint3d mAt;
    int mVersion = 0;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* f) const override
    {
        assertReadEnabled();
        AcDbEntity::dwgOutFields(f);
        f->writeInt16(static_cast<Adesk::Int16>(sWriteVersion));
        f->writeString(mText);
        f->writePoint3d(mAt);
        return f->filerStatus();
    }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* f) override
    {
        assertWriteEnabled();
        Acad::ErrorStatus es = AcDbEntity::dwgInFields(f);
        if (es != Acad::eOk) return es;
        if (sThrowOnRead) throw std::runtime_error(kReadFailure);
        Adesk::Int16 v = 0;
        f->readInt16(&v);
        if (v > sKnownVersion) return Acad::eMakeMeProxy;
        mVersion = v;
        f->readString(mText);
        f->readPoint3d(&mAt);
        return f->filerStatus();
    }
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* f) const override
    {
        assertReadEnabled();
        AcDbEntity::dxfOutFields(f);
        f->writeString(AcDb::kDxfSubclass, L"TestNote");
        f->writeInt32(AcDb::kDxfInt32, sWriteVersion);
        f->writeString(AcDb::kDxfText, mText);
        f->writePoint3d(AcDb::kDxfXCoord, mAt);
        return f->filerStatus();
    }
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* f) override
    {
        assertWriteEnabled();
        Acad::ErrorStatus es = AcDbEntity::dxfInFields(f);
        if (es != Acad::eOk) return es;
        if (!f->atSubclassData(L"TestNote")) return f->setError(Acad::eBadDxfSequence, L"no TestNote section");
        if (sThrowOnRead) throw 42;  // not even a std::exception
        resbuf rb;
        while ((es = f->readResBuf(&rb)) == Acad::eOk) {
            if (rb.restype == 90) {
                if (rb.resval.rlong > sKnownVersion) return Acad::eMakeMeProxy;
                mVersion = rb.resval.rlong;
            } else if (rb.restype == 1) {
                mText = rb.resval.rstring;
            } else if (rb.restype == 10) {
                mAt.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
            }
        }
        return es == Acad::eEndOfFile ? Acad::eOk : es;
    }
};
int TestNote::sWriteVersion = 1;
int TestNote::sKnownVersion = 1;
bool TestNote::sThrowOnRead = false;
ACRX_DXF_DEFINE_MEMBERS(TestNote, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0, TESTNOTE, TestNoteApp)

struct Versions {
    Versions(int write, int known)
    {
        TestNote::sWriteVersion = write;
        TestNote::sKnownVersion = known;
    }
    ~Versions()
    {
        TestNote::sWriteVersion = 1;
        TestNote::sKnownVersion = 1;
    }
};

AcDbObjectId addNote(AcDbDatabase& db, const ACHAR* text)
{
    TestNote::rxInit();
    auto* note = new TestNote();
    note->mText = text;
    note->mAt.set(1, 2, 3);
    return appendToModelSpace(db, note);
}

// The names the note's class files its objects under: the record type (its DXF
// name), and the class and application names of its CLASSES entry.
std::string noteDxfName() { return AcString(TestNote::desc()->dxfName()).utf8(); }
std::string noteClassName() { return AcString(TestNote::desc()->name()).utf8(); }
std::string noteAppName() { return AcString(TestNote::desc()->appName()).utf8(); }

std::string recordText(const std::vector<std::pair<int, std::string>>& rec)
{
    std::string out;
    for (const auto& [c, v] : rec) out += std::to_string(c) + "=" + v + "\n";
    return out;
}

// Code that throws while reading its object fails the read, with the
// exception's message when it has one; the drawing that was open stays as it
// was and can be read into again.
TEST(Proxies, AnObjectReaderThatThrowsFailsTheReadAndKeepsTheOpenDrawing)
{
    departsFromHost(Departure::kMendsHostFault,
                    "the real host does not catch an exception thrown by an object's own filing");
    TempDir dir;
    AcDbDatabase source;
    AcDbHandle noteHandle = addNote(source, L"hello").handle();
    save(source, dir.file("note.dwg"));
    save(source, dir.file("note.dxf"));
    AcDbDatabase db;
    AcDbObjectId line = appendToModelSpace(db, new AcDbLine({0, 0, 0}, {1, 1, 0}));
    {
        struct Throwing {
            Throwing() { TestNote::sThrowOnRead = true; }
            ~Throwing() { TestNote::sThrowOnRead = false; }
        } throwing;
        EXPECT_EQ(db.readDwgFile(wide(dir.file("note.dwg")).c_str()), Acad::eCorruptFile);
        EXPECT_NE(arxhost::lastError().find(TestNote::kReadFailure), std::string::npos) << arxhost::lastError();
        EXPECT_EQ(db.dxfIn(wide(dir.file("note.dxf")).c_str()), Acad::eDxfReadAborted);
        EXPECT_NE(arxhost::lastError().find("threw an exception"), std::string::npos) << arxhost::lastError();
    }
    Opened<AcDbLine> kept(line);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->endPoint(), AcGePoint3d(1, 1, 0));
    kept->close();
    kept.ptr = nullptr;
    ASSERT_EQ(db.readDwgFile(wide(dir.file("note.dwg")).c_str()), Acad::eOk);
    AcDbObjectId note;
    ASSERT_EQ(db.getAcDbObjectId(note, false, noteHandle), Acad::eOk);
    Opened<TestNote> back(note);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->mText, L"hello");
}

TEST(Proxies, ObjectOfANewerVersionStaysAProxyInTheBinaryFile)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId noteId;
    {
        Versions v(2, 2);
        noteId = addNote(db, L"from the future");
        save(db, dir.file("v2.dwg"));
    }
    AcDbDatabase old(false, true);
    {
        Versions v(1, 1);  // the code of an older version
        open(old, dir.file("v2.dwg"));
        AcDbObjectId id;
        ASSERT_EQ(old.getAcDbObjectId(id, false, noteId.handle()), Acad::eOk);
        Opened<AcDbEntity> ent(id);
        ASSERT_TRUE(ent);
        EXPECT_TRUE(ent->isAProxy());
        auto* proxy = AcDbProxyEntity::cast(ent.get());
        ASSERT_NE(proxy, nullptr);
        EXPECT_STREQ(proxy->originalClassName(), TestNote::desc()->name());
        EXPECT_STREQ(proxy->originalDxfName(), TestNote::desc()->dxfName());
        EXPECT_EQ(ent->ownerId(), old.modelSpaceId());
        save(old, dir.file("kept.dwg"));
        save(old, dir.file("kept.dxf"));
    }
    // The proxy wrote the object back exactly; code that knows version 2 reads it.
    {
        Versions v(2, 2);
        for (const char* name : {"kept.dwg", "kept.dxf"}) {
            AcDbDatabase back(false, true);
            open(back, dir.file(name));
            AcDbObjectId id;
            ASSERT_EQ(back.getAcDbObjectId(id, false, noteId.handle()), Acad::eOk);
            Opened<TestNote> note(id);
            ASSERT_TRUE(note) << name << " " << acadErrorStatusText(note.es);
            EXPECT_EQ(note->mVersion, 2);
            EXPECT_EQ(note->mText, L"from the future");
            EXPECT_EQ(note->mAt, AcGePoint3d(1, 2, 3));
        }
    }
}

TEST(Proxies, ObjectOfANewerVersionStaysAProxyInDxf)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId noteId;
    {
        Versions v(3, 3);
        noteId = addNote(db, L"dxf future");
        save(db, dir.file("v3.dxf"));
    }
    const auto original = record(readText(dir.file("v3.dxf")), noteDxfName());
    ASSERT_FALSE(original.empty());
    // The class files itself through its own dxfOutFields, and the CLASSES section names it.
    EXPECT_TRUE(hasGroup(original, 100, "TestNote"));
    EXPECT_TRUE(hasGroup(original, 1, "dxf future"));
    const auto all = groups(readText(dir.file("v3.dxf")));
    EXPECT_TRUE(hasGroup(all, 1, noteDxfName()));
    EXPECT_TRUE(hasGroup(all, 2, noteClassName()));
    EXPECT_TRUE(hasGroup(all, 3, noteAppName()));
    {
        Versions v(1, 1);
        AcDbDatabase old(false, true);
        open(old, dir.file("v3.dxf"));
        AcDbObjectId id;
        ASSERT_EQ(old.getAcDbObjectId(id, false, noteId.handle()), Acad::eOk);
        {
            Opened<AcDbEntity> ent(id);
            ASSERT_TRUE(ent);
            EXPECT_TRUE(ent->isAProxy());
        }
        save(old, dir.file("a.dxf"));
        EXPECT_EQ(recordText(record(readText(dir.file("a.dxf")), noteDxfName())), recordText(original));
        // Through the binary file and back to DXF: still the same groups.
        save(old, dir.file("b.dwg"));
        AcDbDatabase bin(false, true);
        open(bin, dir.file("b.dwg"));
        save(bin, dir.file("c.dxf"));
        EXPECT_EQ(recordText(record(readText(dir.file("c.dxf")), noteDxfName())), recordText(original));
    }
    {
        Versions v(3, 3);
        AcDbDatabase back(false, true);
        open(back, dir.file("c.dxf"));
        AcDbObjectId id;
        ASSERT_EQ(back.getAcDbObjectId(id, false, noteId.handle()), Acad::eOk);
        Opened<TestNote> note(id);
        ASSERT_TRUE(note);
        EXPECT_EQ(note->mVersion, 3);
        EXPECT_EQ(note->mText, L"dxf future");
    }
}

TEST(Proxies, ProxiesAllowNoOperation)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId noteId;
    {
        Versions v(2, 2);
        noteId = addNote(db, L"locked");
        save(db, dir.file("n.dwg"));
        save(db, dir.file("n.dxf"));
    }
    Versions v(1, 1);
    for (const char* name : {"n.dwg", "n.dxf"}) {
        AcDbDatabase old(false, true);
        open(old, dir.file(name));
        AcDbObjectId id;
        ASSERT_EQ(old.getAcDbObjectId(id, false, noteId.handle()), Acad::eOk);
        Opened<AcDbEntity> ent(id, AcDb::kForWrite);
        ASSERT_TRUE(ent) << name;
        ASSERT_TRUE(ent->isAProxy());
        EXPECT_EQ(ent->erase(), Acad::eNotAllowedForThisProxy) << name;
        EXPECT_FALSE(ent->isErased());
        EXPECT_EQ(ent->transformBy(AcGeMatrix3d::translation({1, 0, 0})), Acad::eNotAllowedForThisProxy);
        EXPECT_EQ(ent->setColorIndex(1), Acad::eNotAllowedForThisProxy) << name;
        EXPECT_EQ(ent->setLayer(L"0"), Acad::eNotAllowedForThisProxy) << name;
        EXPECT_EQ(ent->setLinetype(L"Continuous"), Acad::eNotAllowedForThisProxy) << name;
        EXPECT_EQ(ent->setVisibility(AcDb::kInvisible), Acad::eNotAllowedForThisProxy) << name;
        EXPECT_EQ(ent->createExtensionDictionary(), Acad::eNotAllowedForThisProxy) << name;
        resbuf* xd = acutBuildList(1001, L"ACAD", 1000, L"x", RTNONE);
        EXPECT_EQ(ent->setXData(xd), Acad::eNotAllowedForThisProxy) << name;
        acutRelRb(xd);
        AcDbExtents ext;
        EXPECT_NE(ent->getGeomExtents(ext), Acad::eOk);
    }
}

const char* kClasses =
    "  0\nCLASS\n  1\nZZNOTE\n  2\nZzNote\n  3\nZz Notes App\n 90\n0\n 91\n1\n280\n0\n281\n1\n"
    "  0\nCLASS\n  1\nZZDATA\n  2\nZzData\n  3\nZz Notes App\n 90\n1\n 91\n1\n280\n0\n281\n0\n";
const char* kEntities =
    "  0\nZZNOTE\n  5\nF00\n102\n{ACAD_REACTORS\n330\nF01\n102\n}\n330\n1F\n100\nAcDbEntity\n  8\n0\n"
    "100\nZzNote\n 90\n7\n  1\nsome text\n 10\n1.0\n 20\n2.0\n 30\n3.0\n310\n0001FFAB\n1001\nACAD\n1000\nxd\n"
    "  0\nWIDGET\n  5\nF02\n330\n1F\n100\nAcDbEntity\n  8\n0\n100\nAcDbWidget\n 40\n2.5\n 70\n3\n";
const char* kObjects =
    "  0\nZZDATA\n  5\nF01\n330\n1F\n100\nZzData\n  1\nobject data\n 40\n0.5\n"
    "  0\nWEIRDTHING\n  5\nF03\n330\n1F\n100\nAcDbWeird\n 90\n12\n";

TEST(Proxies, UnknownClassesInDxfAreKeptAndWrittenBackUnchanged)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId ms = db.modelSpaceId();
    save(db, dir.file("base.dxf"));
    std::string base = readText(dir.file("base.dxf"));
    std::string hms = handleOf(ms);
    std::string entities = kEntities, objects = kObjects;
    for (std::string* s : {&entities, &objects})
        for (size_t at; (at = s->find("330\n1F\n")) != std::string::npos;) s->replace(at, 7, "330\n" + hms + "\n");
    writeText(dir.file("in.dxf"), splice(base, kClasses, entities, objects));
    std::string input = readText(dir.file("in.dxf"));

    AcDbDatabase in(false, true);
    open(in, dir.file("in.dxf"));
    AcDbObjectId note, data, widget, weird;
    ASSERT_EQ(in.getAcDbObjectId(note, false, AcDbHandle(0xF00)), Acad::eOk);
    ASSERT_EQ(in.getAcDbObjectId(data, false, AcDbHandle(0xF01)), Acad::eOk);
    ASSERT_EQ(in.getAcDbObjectId(widget, false, AcDbHandle(0xF02)), Acad::eOk);
    ASSERT_EQ(in.getAcDbObjectId(weird, false, AcDbHandle(0xF03)), Acad::eOk);
    {
        Opened<AcDbProxyEntity> p(note);
        ASSERT_TRUE(p);
        EXPECT_STREQ(p->originalClassName(), L"ZzNote");
        EXPECT_STREQ(p->applicationDescription(), L"Zz Notes App");
        EXPECT_EQ(p->ownerId(), in.modelSpaceId());
        ASSERT_NE(p->reactors(), nullptr);
        EXPECT_EQ(acdbPersistentReactorObjectId(p->reactors()->at(0)), data);
        resbuf* xd = p->xData();
        ASSERT_NE(xd, nullptr);
        EXPECT_STREQ(xd->resval.rstring, L"ACAD");
        acutRelRb(xd);
        Opened<AcDbProxyObject> o(data);
        ASSERT_TRUE(o);
        EXPECT_STREQ(o->originalDxfName(), L"ZZDATA");
        EXPECT_EQ(o->proxyFlags(), 1);
        Opened<AcDbProxyEntity> w(widget);
        ASSERT_TRUE(w);
        EXPECT_STREQ(w->originalDxfName(), L"WIDGET");
        Opened<AcDbProxyObject> x(weird);
        EXPECT_TRUE(x);
    }
    // Erasing is allowed by ZZDATA's flags: it is the one thing a proxy may do.
    {
        Opened<AcDbObject> o(data, AcDb::kForWrite);
        EXPECT_EQ(o->erase(), Acad::eOk);
        EXPECT_EQ(o->erase(false), Acad::eOk);
    }
    save(in, dir.file("out1.dxf"));
    save(in, dir.file("out2.dwg"));
    AcDbDatabase bin(false, true);
    open(bin, dir.file("out2.dwg"));
    save(bin, dir.file("out3.dxf"));
    for (const char* name : {"out1.dxf", "out3.dxf"}) {
        std::string out = readText(dir.file(name));
        for (const char* type : {"ZZNOTE", "ZZDATA", "WIDGET", "WEIRDTHING"})
            EXPECT_EQ(recordText(record(out, type)), recordText(record(input, type))) << name << " " << type;
        auto cls = record(out, "CLASS");
        EXPECT_TRUE(hasGroup(groups(out), 1, "ZZNOTE")) << name;
        EXPECT_TRUE(hasGroup(groups(out), 2, "ZzData")) << name;
    }
    EXPECT_EQ(readText(dir.file("out1.dxf")), readText(dir.file("out3.dxf")));
}

TEST(Proxies, ProxyRecordsOfAnotherProgramStayOpaque)
{
    TempDir dir;
    AcDbDatabase db;
    save(db, dir.file("base.dxf"));
    std::string hms = handleOf(db.modelSpaceId());
    std::string entity =
        "  0\nACAD_PROXY_ENTITY\n  5\nE10\n330\n" + hms +
        "\n100\nAcDbEntity\n  8\n0\n100\nAcDbProxyEntity\n 90\n498\n 91\n501\n 92\n0\n 93\n64\n310\n0102030405060708\n"
        " 94\n0\n 95\n1\n 70\n0\n";
    writeText(dir.file("in.dxf"),
              splice(readText(dir.file("base.dxf")),
                     "  0\nCLASS\n  1\nOTHERENT\n  2\nOtherEnt\n  3\nOther\n 90\n0\n 91\n1\n280\n1\n281\n1\n", entity, ""));
    AcDbDatabase in(false, true);
    open(in, dir.file("in.dxf"));
    AcDbObjectId id;
    ASSERT_EQ(in.getAcDbObjectId(id, false, AcDbHandle(0xE10)), Acad::eOk);
    {
        Opened<AcDbProxyEntity> p(id);
        ASSERT_TRUE(p);
        EXPECT_STREQ(p->originalClassName(), L"OtherEnt");
    }
    save(in, dir.file("a.dwg"));
    AcDbDatabase bin(false, true);
    open(bin, dir.file("a.dwg"));
    save(bin, dir.file("b.dxf"));
    auto rec = record(readText(dir.file("b.dxf")), "ACAD_PROXY_ENTITY");
    EXPECT_TRUE(hasGroup(rec, 310, "0102030405060708"));
    EXPECT_TRUE(hasGroup(rec, 93, "64"));
}

// Classes named in a later CLASSES section count for the records after it,
// and records of classes named earlier still read theirs.
TEST(Proxies, ALaterClassesSectionNamesTheClassesOfLaterRecords)
{
    TempDir dir;
    AcDbDatabase db;
    save(db, dir.file("base.dxf"));
    std::string hms = handleOf(db.modelSpaceId());
    auto entity = [&](const std::string& type, const std::string& handle) {
        return "  0\n" + type + "\n  5\n" + handle + "\n330\n" + hms + "\n100\nAcDbEntity\n  8\n0\n100\nAcDb" +
               type + "\n 90\n1\n";
    };
    std::string moreClasses;
    for (int i = 0; i < 40; ++i)
        moreClasses += "  0\nCLASS\n  1\nMORE" + std::to_string(i) + "\n  2\nMore" + std::to_string(i) +
                       "\n  3\nMore\n 90\n0\n 91\n0\n280\n0\n281\n1\n";
    moreClasses += "  0\nCLASS\n  1\nLATEENT\n  2\nLateEnt\n  3\nLate App\n 90\n0\n 91\n1\n280\n0\n281\n1\n";
    std::string later = "  0\nSECTION\n  2\nCLASSES\n" + moreClasses + "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" +
                        entity("EARLYENT", "E21") + entity("LATEENT", "E22") + "  0\nENDSEC\n";
    writeText(dir.file("in.dxf"),
              splice(readText(dir.file("base.dxf")),
                     "  0\nCLASS\n  1\nEARLYENT\n  2\nEarlyEnt\n  3\nEarly App\n 90\n0\n 91\n1\n280\n0\n281\n1\n",
                     entity("EARLYENT", "E11") + entity("LATEENT", "E12"), "", "", later));
    AcDbDatabase in(false, true);
    open(in, dir.file("in.dxf"));
    auto className = [&](std::uint64_t handle) {
        AcDbObjectId id;
        EXPECT_EQ(in.getAcDbObjectId(id, false, AcDbHandle(handle)), Acad::eOk);
        Opened<AcDbProxyEntity> p(id);
        EXPECT_TRUE(p);
        return p ? std::wstring(p->originalClassName()) : std::wstring();
    };
    EXPECT_EQ(className(0xE11), L"EarlyEnt");
    EXPECT_EQ(className(0xE21), L"EarlyEnt");
    EXPECT_EQ(className(0xE22), L"LateEnt");
}

}  // namespace proxytest
