// Truncated, garbled and hostile files: every one ends in a clear error that
// names the file and the line or byte, and the drawing the database already
// held stays as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "arx_test_util.h"
#include "departures.h"
#include "drawing_files/dwg_format.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

const std::string kHeader = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n  0\nENDSEC\n";

std::string entities(const std::string& body)
{
    return kHeader + "  0\nSECTION\n  2\nENTITIES\n" + body + "  0\nENDSEC\n  0\nEOF\n";
}

std::string objects(const std::string& body)
{
    return kHeader + "  0\nSECTION\n  2\nOBJECTS\n" + body + "  0\nENDSEC\n  0\nEOF\n";
}

const std::string kLine = "  0\nLINE\n  5\nA00\n  8\n0\n 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n1\n 31\n0\n";

class BadInput : public testing::Test {
protected:
    void SetUp() override { mLine = addLine(mDb, {5, 6, 7}, {8, 9, 10}); }

    // Reads content as the file name and expects a refusal whose message has
    // the file's name and each fragment, and a database left as it was.
    void expectRefused(const std::string& content, const std::string& name,
                       std::initializer_list<std::string> fragments)
    {
        SCOPED_TRACE(name);
        const std::string path = mDir.file(name);
        writeText(path, content);
        EXPECT_NE(arxhost::openDrawing(&mDb, wide(path)), Acad::eOk);
        const std::string& msg = arxhost::lastError();
        EXPECT_EQ(msg.rfind(path, 0), 0u) << msg;
        for (const std::string& f : fragments) EXPECT_NE(msg.find(f), std::string::npos) << msg << " lacks " << f;
        Opened<AcDbLine> line(mLine);
        ASSERT_TRUE(line) << "the open drawing was damaged";
        EXPECT_EQ(line->endPoint(), AcGePoint3d(8, 9, 10));
    }

    TempDir mDir;
    AcDbDatabase mDb;
    AcDbObjectId mLine;
};

TEST_F(BadInput, FilesThatAreNotDrawings)
{
    expectRefused("", "empty.dxf", {"empty"});
    expectRefused(std::string("\x7f" "ELF\x02\x01\x00\x00garbage", 16), "elf.dwg", {"neither a DXF file nor a binary drawing"});
    departsFromHost(Departure::kShortOfHost,
                    "the binary drawing is the stand-in's own format: a drawing file of the real host's format, and "
                    "binary DXF, are refused with a reason");
    expectRefused(std::string("AC1027\x00\x00\x00\x00\x00\x00\x01", 13) + std::string(200, '\x55'), "other.dwg",
                  {"drawing file of another program", "AC1027"});
    expectRefused("TESTCAD Binary DXF\r\n\x1a\x00", "bin.dxf", {"binary DXF"});
    expectRefused("hello world\nthis is text\n", "text.dxf", {"neither"});
    // A DXF file handed to the binary reader, and a binary drawing to the DXF reader.
    const std::string dxf = mDir.file("real.dxf");
    save(mDb, dxf);
    EXPECT_EQ(mDb.readDwgFile(wide(dxf).c_str()), Acad::eUnsupportedFileFormat);
    EXPECT_NE(arxhost::lastError().find("is a DXF file, not a binary drawing"), std::string::npos);
    const std::string dwg = mDir.file("real.dwg");
    save(mDb, dwg);
    EXPECT_EQ(mDb.dxfIn(wide(dwg).c_str()), Acad::eUnsupportedFileFormat);
    EXPECT_EQ(mDb.readDwgFile(wide(mDir.file("missing.dwg")).c_str()), Acad::eFileNotFound);
}

TEST_F(BadInput, TruncatedDxf)
{
    expectRefused(kHeader, "noeof.dxf", {"without its EOF"});
    expectRefused(kHeader + "  0\nSECTION\n  2\nENTITIES\n" + kLine, "noendsec.dxf", {"ENTITIES"});
    expectRefused(kHeader + "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n", "midgroup.dxf", {"line 18", "ends inside group 5"});
    expectRefused("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1027\n", "header.dxf", {"HEADER"});
}

TEST_F(BadInput, GarbledGroups)
{
    expectRefused("  0\nSECTION\n  x\nHEADER\n", "code.dxf", {"line 3", "group code was expected"});
    expectRefused(entities("5000\nbig\n"), "bigcode.dxf", {"line 15", "group code was expected"});
    expectRefused(entities(" 10\n1\n"), "nozero.dxf", {"line 15", "unexpected group 10"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n  0\n  0\n"), "emptytype.dxf", {"line"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n 62\n99999\n"), "range.dxf", {"line 19", "16-bit"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n 10\n1.2.3\n 20\n0\n"), "real.dxf", {"line 19", "not a number"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n 10\n1\n 40\n0\n"), "noy.dxf", {"line 19", "without its y"});
    expectRefused(entities("  0\nLINE\n  5\nXYZ\n"), "handle.dxf", {"line 17", "not a handle"});
    expectRefused(entities("  0\nLINE\n  5\n0\n"), "nullhandle.dxf", {"line 17", "not a handle"});
    expectRefused(entities("  0\nLINE\n  8\n0\n"), "nohandle.dxf", {"line 15", "without a handle"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n310\nABC\n"), "hex.dxf", {"line 19", "not hexadecimal"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n330\nnot-a-handle\n"), "owner.dxf", {"line 19", "not a handle"});
    expectRefused(kHeader + "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nFOO\n  5\n1\n  0\nENDTAB\n  0\nENDSEC\n  0\nEOF\n",
                  "table.dxf", {"line 15", "unknown table FOO"});
    expectRefused("  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n  0\nEOF\n", "old.dxf",
                  {"AC1009", "not supported"});
    expectRefused("  0\nSECTION\n  2\nHEADER\n 70\n1\n  0\nENDSEC\n  0\nEOF\n", "hdr.dxf", {"line 5", "before any"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n  1\n" + std::string(2u << 20, 'x') + "\n"), "long.dxf",
                  {"line 20", "longer than"});
}

TEST_F(BadInput, InconsistentRecords)
{
    expectRefused(entities(kLine + kLine), "dup.dxf", {"line 35", "handle A00 is used twice (first at line 17)"});
    expectRefused(entities("  0\nLWPOLYLINE\n  5\nB00\n100\nAcDbEntity\n  8\n0\n100\nAcDbPolyline\n 90\n2000000000\n"
                           " 10\n0\n 20\n0\n"),
                  "count.dxf", {"line", "announces 2000000000 vertices but 1 follow"});
    // One rule for every count that is not the number of vertices given.
    for (const char* count : {"2147483647", "2147483648", "4294967295", "-5", "1"}) {
        SCOPED_TRACE(count);
        expectRefused(entities(std::string("  0\nLWPOLYLINE\n  5\nB00\n100\nAcDbEntity\n  8\n0\n100\nAcDbPolyline\n 90\n") +
                               count + "\n 10\n0\n 20\n0\n 10\n1\n 20\n1\n"),
                      "count2.dxf", {"line", "group 90", "2 follow"});
    }
    expectRefused(entities("  0\nLWPOLYLINE\n  5\nB00\n100\nAcDbPolyline\n 40\n1\n 10\n0\n 20\n0\n"), "order.dxf",
                  {"before the first vertex"});
    expectRefused(objects("  0\nDICTIONARY\n  5\nC1\n330\nC2\n100\nAcDbDictionary\n  3\nK\n350\nC2\n"
                          "  0\nDICTIONARY\n  5\nC2\n330\nC1\n100\nAcDbDictionary\n"),
                  "cycle.dxf", {"circle", "C1", "C2"});
    expectRefused(objects("  0\nDICTIONARY\n  5\nC1\n100\nAcDbDictionary\n350\nC2\n"), "nokey.dxf",
                  {"line 21", "without a name"});
    expectRefused(kHeader + "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  5\n20\n  2\nNOWHERE\n  0\nENDBLK\n  5\n21\n"
                            "  0\nENDSEC\n  0\nEOF\n",
                  "block.dxf", {"line 15", "BLOCK NOWHERE has no BLOCK_RECORD"});
    expectRefused(kHeader +
                      "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nBLOCK_RECORD\n  5\n1\n  0\nBLOCK_RECORD\n  5\n1F\n"
                      "100\nAcDbSymbolTableRecord\n100\nAcDbBlockTableRecord\n  2\n*Model_Space\n  0\nENDTAB\n  0\nENDSEC\n"
                      "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  5\n20\n  2\n*Model_Space\n  0\nENDBLK\n  5\n21\n"
                      "  0\nBLOCK\n  5\n22\n  2\n*MODEL_SPACE\n  0\nENDBLK\n  5\n23\n  0\nENDSEC\n  0\nEOF\n",
                  "twoblocks.dxf", {"line 49", "a second BLOCK for block record 1F"});
    expectRefused(entities("  0\nLINE\n  5\nFFFFFFFFFFFFFFFF\n"), "seed.dxf", {"no room"});
    const std::string layerTable = "  0\nTABLE\n  2\nLAYER\n  5\n2\n  0\nENDTAB\n";
    expectRefused(kHeader + "  0\nSECTION\n  2\nTABLES\n" + layerTable + layerTable + "  0\nENDSEC\n  0\nEOF\n",
                  "twice.dxf", {"line 23", "the table LAYER appears twice"});
    expectRefused(kHeader + "  0\nSECTION\n  2\nENTITIES\n" + kLine + "  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n" +
                      layerTable + "  0\nENDSEC\n  0\nEOF\n",
                  "late.dxf", {"line 39", "comes after entities"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n102\n{ACAD_REACTORS\n330\n1\n"), "open102.dxf",
                  {"no closing"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n1001\nACAD\n1000\nx\n  4\nnot xdata\n"), "xdata.dxf",
                  {"line 23", "group 4 in extended data"});
    expectRefused(entities("  0\nLINE\n  5\nA00\n1000\nx\n"), "xdatastart.dxf", {"line 19", "1001"});
    expectRefused(entities("  0\nZZUNKNOWN\n  5\nA00\n 40\n1\n1001\nACAD\n  4\nnot xdata\n"),
                  "proxyxdata.dxf", {"line 23", "group 4 in extended data"});
}

// What a DXF reader keeps must be writable again in both formats: a binary
// group too large for other readers is refused where it stands, and carriage
// returns doubled at line ends are line ends, not part of the value.
TEST_F(BadInput, KeptGroupsStayWritable)
{
    const std::string big = "  0\nSECTION\n  2\nZZSECTION\n  0\nZZREC\n310\n" + std::string(2 * 40000, 'A') + "\n";
    expectRefused(kHeader + big + "  0\nENDSEC\n  0\nEOF\n", "bigchunk.dxf",
                  {"line 17", "group 310 holds more than 32767 bytes"});
    std::string crlf;
    for (char c : kHeader.substr(0, kHeader.size() - 11) + "  9\n$ZZVAR\n  1\nvalue\n  0\nENDSEC\n" +
                      "  0\nSECTION\n  2\nENTITIES\n" + kLine + "  0\nENDSEC\n  0\nEOF\n")
        crlf += c == '\n' ? std::string("\r\r\n") : std::string(1, c);
    writeText(mDir.file("crcr.dxf"), crlf);
    AcDbDatabase db(false, true);
    open(db, mDir.file("crcr.dxf"));
    save(db, mDir.file("crcr.dwg"));
    AcDbDatabase bin(false, true);
    open(bin, mDir.file("crcr.dwg"));
    save(bin, mDir.file("back.dxf"));
    const std::string back = readText(mDir.file("back.dxf"));
    EXPECT_NE(back.find("$ZZVAR\n  1\nvalue\n"), std::string::npos);
}

// An extension dictionary goes with its object when that is erased: it must be
// a dictionary the object owns, and dictionaries nest only so deep.
TEST_F(BadInput, ExtensionDictionariesMustBelongToTheirObjects)
{
    const std::string line = "  0\nLINE\n  5\nA00\n102\n{ACAD_XDICTIONARY\n360\nC1\n102\n}\n  8\n0\n";
    expectRefused(entities(line), "notadict.dxf", {"A00", "C1", "not a dictionary it owns"});
    expectRefused(kHeader + "  0\nSECTION\n  2\nENTITIES\n" + line + "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" +
                      "  0\nDICTIONARY\n  5\nC0\n100\nAcDbDictionary\n  3\nK\n350\nC1\n"
                      "  0\nDICTIONARY\n  5\nC1\n330\nC0\n100\nAcDbDictionary\n  0\nENDSEC\n  0\nEOF\n",
                  "owned.dxf", {"A00", "not a dictionary it owns"});
    // Each dictionary the extension dictionary of the one before.
    std::string chain;
    for (int i = 1; i <= 1200; ++i) {
        char h[16];
        std::snprintf(h, sizeof h, "%X", 0x1000 + i);
        chain += "  0\nDICTIONARY\n  5\n" + std::string(h) + "\n";
        if (i > 1) {
            char owner[16];
            std::snprintf(owner, sizeof owner, "%X", 0x1000 + i - 1);
            chain += "330\n" + std::string(owner) + "\n";
        }
        char next[16];
        std::snprintf(next, sizeof next, "%X", 0x1000 + i + 1);
        if (i < 1200) chain += "102\n{ACAD_XDICTIONARY\n360\n" + std::string(next) + "\n102\n}\n";
        chain += "100\nAcDbDictionary\n";
    }
    expectRefused(objects(chain), "deep.dxf", {"levels deep"});
}

TEST_F(BadInput, DrawingStaysUsableAfterAFailedRead)
{
    expectRefused(entities(kLine + kLine), "dup.dxf", {"used twice"});
    AcDbObjectId more = addLine(mDb);
    EXPECT_FALSE(more.isNull());
    save(mDb, mDir.file("after.dwg"));
    AcDbDatabase back(false, true);
    open(back, mDir.file("after.dwg"));
}

// ---- binary drawings

std::string validDrawing(const TempDir& dir)
{
    AcDbDatabase db;
    addLine(db);
    appendToModelSpace(db, new AcDbCircle({1, 1, 0}, {0, 0, 1}, 2));
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, {0, 0}, 0.5);
    pl->addVertexAt(1, {1, 0});
    appendToModelSpace(db, pl);
    save(db, dir.file("valid.dwg"));
    return readText(dir.file("valid.dwg"));
}

template <class T>
void put(std::string& bytes, size_t at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

template <class T>
T get(const std::string& bytes, size_t at)
{
    T v;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return v;
}

TEST_F(BadInput, TruncatedBinaryDrawingsAreRefusedAtEveryLength)
{
    const std::string valid = validDrawing(mDir);
    for (size_t len = 0; len < valid.size(); len += len < 128 ? 1 : 61) {
        SCOPED_TRACE(len);
        const std::string path = mDir.file("cut.dwg");
        writeText(path, valid.substr(0, len));
        AcDbDatabase db(false, true);
        EXPECT_NE(arxhost::openDrawing(&db, wide(path)), Acad::eOk);
        EXPECT_FALSE(arxhost::lastError().empty());
    }
    expectRefused(valid.substr(0, valid.size() - 1), "short.dwg", {"byte 40", "truncated"});
}

TEST_F(BadInput, DamagedBinaryHeaderAndDirectory)
{
    using namespace arx::dwgfile;
    const std::string valid = validDrawing(mDir);
    const auto count = get<std::uint64_t>(valid, offsetof(Header, objectCount));
    const auto dirAt = get<std::uint64_t>(valid, offsetof(Header, directoryOffset));
    ASSERT_GT(count, 3u);
    std::string b = valid;
    put<std::uint32_t>(b, offsetof(Header, formatVersion), 99);
    expectRefused(b, "format.dwg", {"byte 16", "format 99"});
    b = valid;
    put<std::uint32_t>(b, offsetof(Header, dwgVersion), 77);
    expectRefused(b, "version.dwg", {"byte 20", "drawing version 77"});
    b = valid;
    put<std::uint32_t>(b, offsetof(Header, maintVersion), 4278190088u);
    expectRefused(b, "maint.dwg", {"byte 24", "maintenance version"});
    b = valid;
    put<std::uint64_t>(b, offsetof(Header, objectCount), ~std::uint64_t(0));
    expectRefused(b, "count.dwg", {"byte 40", "directory does not fit"});
    b = valid;
    put<std::uint64_t>(b, offsetof(Header, directoryOffset), 0);
    expectRefused(b, "diroff.dwg", {"byte 40"});
    b = valid;
    put<std::uint64_t>(b, offsetof(Header, metaLength), std::uint64_t(1) << 40);
    expectRefused(b, "meta.dwg", {"byte 56", "index does not fit"});
    auto entry = [&](size_t i) { return dirAt + i * kDirectoryEntrySize; };
    b = valid;
    put<std::uint64_t>(b, entry(2) + offsetof(DirectoryEntry, offset), ~std::uint64_t(0) - 4);
    expectRefused(b, "offset.dwg", {"byte " + std::to_string(entry(2)), "outside the file"});
    b = valid;
    put<std::uint64_t>(b, entry(2) + offsetof(DirectoryEntry, length), std::uint64_t(1) << 62);
    expectRefused(b, "length.dwg", {"outside the file"});
    b = valid;
    put<std::uint32_t>(b, entry(1) + offsetof(DirectoryEntry, classIndex), 1u << 30);
    expectRefused(b, "class.dwg", {"names no class"});
    b = valid;
    put<std::uint8_t>(b, entry(1) + offsetof(DirectoryEntry, form), 9);
    expectRefused(b, "form.dwg", {"unknown form"});
    b = valid;
    put<std::uint64_t>(b, entry(3) + offsetof(DirectoryEntry, handle), get<std::uint64_t>(valid, entry(2)));
    expectRefused(b, "twice.dwg", {"used twice"});
    b = valid;
    put<std::uint64_t>(b, entry(3) + offsetof(DirectoryEntry, handle), 0);
    expectRefused(b, "zero.dwg", {"without a handle"});
    // Two entries naming the same bytes: one record cannot be two objects.
    b = valid;
    put<std::uint64_t>(b, entry(3) + offsetof(DirectoryEntry, offset), get<std::uint64_t>(valid, entry(2) + offsetof(DirectoryEntry, offset)));
    put<std::uint64_t>(b, entry(3) + offsetof(DirectoryEntry, length), get<std::uint64_t>(valid, entry(2) + offsetof(DirectoryEntry, length)));
    expectRefused(b, "shared.dwg", {"byte " + std::to_string(entry(3)), "shares bytes"});
}

TEST_F(BadInput, DamagedRecordsEndInAnErrorOrAGoodDrawing)
{
    using namespace arx::dwgfile;
    const std::string valid = validDrawing(mDir);
    const auto dirAt = get<std::uint64_t>(valid, offsetof(Header, directoryOffset));
    std::mt19937 random(12345);
    for (int i = 0; i < 400; ++i) {
        std::string b = valid;
        size_t at = kHeaderSize + random() % (dirAt - kHeaderSize);
        b[at] = static_cast<char>(b[at] ^ (1 + random() % 255));
        const std::string path = mDir.file("flip.dwg");
        writeText(path, b);
        AcDbDatabase db(false, true);
        if (arxhost::openDrawing(&db, wide(path)) != Acad::eOk) {
            EXPECT_NE(arxhost::lastError().find("byte "), std::string::npos) << arxhost::lastError();
            continue;
        }
        // Whatever was accepted must save and read back.
        save(db, mDir.file("again.dwg"));
        AcDbDatabase again(false, true);
        open(again, mDir.file("again.dwg"));
        save(db, mDir.file("again.dxf"));
        AcDbDatabase again2(false, true);
        open(again2, mDir.file("again.dxf"));
    }
}

}  // namespace
