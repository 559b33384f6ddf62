// The two filers: every typed read and write of the binary filer with its
// status handling, and the DXF filer's group writes, reads and error reports.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "arx_test_util.h"
#include "filers/binary_filer.h"
#include "filers/dxf_in_filer.h"
#include "filers/dxf_out_filer.h"
#include "filers/dxf_record.h"

namespace {
using namespace arxtest;

TEST(BinaryFiler, EveryTypedValueReadsBackAsWritten)
{
    AcDbDatabase db;
    AcDbObjectId line = addLine(db);
    std::string out;
    arx::BinaryFiler w(AcDb::kFileFiler, &db, out);
    EXPECT_EQ(w.filerType(), AcDb::kFileFiler);
    EXPECT_EQ(w.writeInt8(-5), Acad::eOk);
    w.writeUInt8(250);
    w.writeInt16(-12345);
    w.writeUInt16(54321);
    w.writeInt32(-2000000000);
    w.writeUInt32(4000000000u);
    w.writeInt64(-(Adesk::Int64(1) << 60));
    w.writeUInt64(~Adesk::UInt64(0));
    w.writeBool(true);
    w.writeBoolean(false);
    w.writeDouble(-0.1);
    w.writePoint2d({1.5, -2.5});
    w.writePoint3d({1, 2, 3});
    w.writeVector2d({4, 5});
    w.writeVector3d({6, 7, 8});
    w.writeString(L"wide \u00e9\u4e2d");
    w.writeString(AcString(L"second"));
    char raw[3] = {'a', '\0', 'b'};
    ads_binary chunk{3, raw};
    w.writeBChunk(chunk);
    w.writeBytes("xyz", 3);
    w.writeAcDbHandle(AcDbHandle(0x1234));
    w.writeHardOwnershipId(line);
    w.writeSoftPointerId(AcDbObjectId::kNull);
    w.writeAddress(&db);
    ASSERT_EQ(w.filerStatus(), Acad::eOk);
    EXPECT_EQ(w.tell(), static_cast<Adesk::Int64>(out.size()));

    arx::BinaryFiler r(AcDb::kFileFiler, &db, std::string_view(out));
    Adesk::Int8 i8 = 0;
    Adesk::UInt8 u8 = 0;
    Adesk::Int16 i16 = 0;
    Adesk::UInt16 u16 = 0;
    Adesk::Int32 i32 = 0;
    Adesk::UInt32 u32 = 0;
    Adesk::Int64 i64 = 0;
    Adesk::UInt64 u64 = 0;
    bool b1 = false;
    Adesk::Boolean b2 = Adesk::kTrue;  // int: the read must replace the whole value
    double d = 0;
    AcGePoint2d p2;
    AcGePoint3d p3;
    AcGeVector2d v2;
    AcGeVector3d v3;
    ACHAR* text = nullptr;
    AcString text2;
    ads_binary back{};
    char bytes[3];
    AcDbHandle h;
    AcDbHardOwnershipId owner;
    AcDbSoftPointerId none;
    void* addr = reinterpret_cast<void*>(1);
    r.readInt8(&i8);
    r.readUInt8(&u8);
    r.readInt16(&i16);
    r.readUInt16(&u16);
    r.readInt32(&i32);
    r.readUInt32(&u32);
    r.readInt64(&i64);
    r.readUInt64(&u64);
    r.readBool(&b1);
    r.readBoolean(&b2);
    r.readDouble(&d);
    r.readPoint2d(&p2);
    r.readPoint3d(&p3);
    r.readVector2d(&v2);
    r.readVector3d(&v3);
    r.readString(&text);
    r.readString(text2);
    r.readBChunk(&back);
    r.readBytes(bytes, 3);
    r.readAcDbHandle(&h);
    r.readHardOwnershipId(&owner);
    r.readSoftPointerId(&none);
    ASSERT_EQ(r.readAddress(&addr), Acad::eOk);
    EXPECT_EQ(r.filerStatus(), Acad::eOk);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(i8, -5);
    EXPECT_EQ(u8, 250);
    EXPECT_EQ(i16, -12345);
    EXPECT_EQ(u16, 54321);
    EXPECT_EQ(i32, -2000000000);
    EXPECT_EQ(u32, 4000000000u);
    EXPECT_EQ(i64, -(Adesk::Int64(1) << 60));
    EXPECT_EQ(u64, ~Adesk::UInt64(0));
    EXPECT_TRUE(b1);
    EXPECT_EQ(b2, Adesk::kFalse);
    EXPECT_EQ(d, -0.1);
    EXPECT_EQ(p2.x, 1.5);
    EXPECT_EQ(p2.y, -2.5);
    EXPECT_EQ(p3.z, 3);
    EXPECT_EQ(v2.y, 5);
    EXPECT_EQ(v3.x, 6);
    EXPECT_STREQ(text, L"wide \u00e9\u4e2d");
    acutDelString(text);
    EXPECT_EQ(text2, L"second");
    ASSERT_EQ(back.clen, 3);
    EXPECT_EQ(std::memcmp(back.buf, raw, 3), 0);
    acutDelBuffer(back.buf);
    EXPECT_EQ(std::memcmp(bytes, "xyz", 3), 0);
    EXPECT_EQ(h.value(), 0x1234u);
    EXPECT_EQ(static_cast<AcDbObjectId>(owner), line);
    EXPECT_TRUE(none.isNull());
    EXPECT_EQ(addr, nullptr);  // addresses mean nothing in a file
}

TEST(BinaryFiler, TextsKeepTheirNulCharacters)
{
    const AcString text(std::wstring(L"K\0a", 3));
    std::string out;
    arx::BinaryFiler w(AcDb::kFileFiler, nullptr, out);
    w.writeString(text);
    arx::BinaryFiler r(AcDb::kFileFiler, nullptr, std::string_view(out));
    AcString back;
    ASSERT_EQ(r.readString(back), Acad::eOk);
    EXPECT_EQ(back.str(), text.str());
    std::string dxf;
    arx::DxfOutFiler d(dxf, nullptr, AcDb::kDHL_1027, -1);
    d.writeString(AcDb::kDxfText, text);
    EXPECT_EQ(dxf, "  1\nK^@a\n");
    EXPECT_EQ(arx::decodeDxfString("K^@a"), text.str());
}

TEST(BinaryFiler, ReadingPastTheEndFailsAndTheFirstErrorStays)
{
    std::string data("\x01\x02", 2);
    arx::BinaryFiler r(AcDb::kFileFiler, nullptr, std::string_view(data));
    Adesk::Int32 v = 7;
    EXPECT_EQ(r.readInt32(&v), Acad::eEndOfFile);
    EXPECT_EQ(v, 7);
    EXPECT_EQ(r.filerStatus(), Acad::eEndOfFile);
    Adesk::UInt8 b;
    EXPECT_EQ(r.readUInt8(&b), Acad::eEndOfFile);  // no reads after a failure
    r.setError(Acad::eInvalidInput);
    EXPECT_EQ(r.filerStatus(), Acad::eEndOfFile);
    r.resetFilerStatus();
    EXPECT_EQ(r.readUInt8(&b), Acad::eOk);
    EXPECT_EQ(b, 1);
    r.setError(Acad::eInvalidInput);
    EXPECT_EQ(r.filerStatus(), Acad::eInvalidInput);
    r.setFilerStatus(Acad::eOk);
    // A text whose length runs past the end is refused, not read beyond the buffer.
    std::string lying("\xFF\xFF\xFF\x7F" "abc", 7);
    arx::BinaryFiler s(AcDb::kFileFiler, nullptr, std::string_view(lying));
    AcString t;
    EXPECT_EQ(s.readString(t), Acad::eEndOfFile);
    std::string chunk("\xFF\x7F" "ab", 4);
    arx::BinaryFiler c(AcDb::kFileFiler, nullptr, std::string_view(chunk));
    ads_binary bin{};
    EXPECT_EQ(c.readBChunk(&bin), Acad::eEndOfFile);
    EXPECT_EQ(bin.buf, nullptr);
    std::string negative("\x00\x80", 2);
    arx::BinaryFiler n(AcDb::kFileFiler, nullptr, std::string_view(negative));
    EXPECT_EQ(n.readBChunk(&bin), Acad::eEndOfFile);
}

TEST(BinaryFiler, WritersDoNotReadAndSeekStaysInside)
{
    std::string out;
    arx::BinaryFiler w(AcDb::kUndoFiler, nullptr, out);
    EXPECT_EQ(w.filerType(), AcDb::kUndoFiler);
    Adesk::Int16 v;
    EXPECT_EQ(w.readInt16(&v), Acad::eIsWriting);
    std::string in("abcdef");
    arx::BinaryFiler r(AcDb::kCopyFiler, nullptr, std::string_view(in));
    EXPECT_EQ(r.seek(4, AcDb::kSeekFromStart), Acad::eOk);
    EXPECT_EQ(r.tell(), 4);
    EXPECT_EQ(r.seek(-1, AcDb::kSeekFromEnd), Acad::eOk);
    EXPECT_EQ(r.tell(), 5);
    EXPECT_EQ(r.seek(10, AcDb::kSeekFromCurrent), Acad::eInvalidInput);
    EXPECT_EQ(r.writeInt16(1), Acad::eInvalidInput);  // the first error stays
    AcDb::AcDbDwgVersion ver;
    AcDb::MaintenanceReleaseVersion maint;
    r.dwgVersion(ver, maint);
    EXPECT_EQ(ver, AcDb::kDHL_CURRENT);
}

// ---- DXF

std::string dxfOut(const std::function<void(AcDbDxfFiler&)>& write, AcDbDatabase* db = nullptr)
{
    std::string out;
    arx::DxfOutFiler f(out, db, AcDb::kDHL_1027, -1);
    write(f);
    EXPECT_EQ(f.filerStatus(), Acad::eOk) << out;
    return out;
}

TEST(DxfFiler, TypedGroupWrites)
{
    AcDbDatabase db;
    AcDbObjectId line = addLine(db);
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeInt16(AcDb::kDxfInt16, -3); }), " 70\n-3\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeInt32(AcDb::kDxfInt32, 123456); }), " 90\n123456\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeInt64(AcDb::kDxfInt64, -(Adesk::Int64(1) << 40)); }),
              "160\n-1099511627776\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeUInt32(AcDb::kDxfInt32, 4000000000u); }), " 90\n4000000000\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeBool(AcDb::kDxfBool, true); }), "290\n1\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeDouble(AcDb::kDxfReal, 0.1); }), " 40\n0.1\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeDouble(AcDb::kDxfReal, 3); }), " 40\n3.0\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeDouble(AcDb::kDxfReal, 1.0 / 3, 4); }), " 40\n0.3333\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeAngle(AcDb::kDxfAngle, M_PI / 2); }), " 50\n90.0\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writePoint3d(AcDb::kDxfXCoord, {1, 2.5, -3}); }),
              " 10\n1.0\n 20\n2.5\n 30\n-3.0\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writePoint2d(AcDb::kDxfXCoord, {1, 2}); }), " 10\n1.0\n 20\n2.0\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeString(AcDb::kDxfText, L"a\nb^c\u00e9"); }),
              "  1\na^Jb^ c\xC3\xA9\n");
    char raw[] = {'\x00', '\xAB', '\x7F'};
    ads_binary chunk{3, raw};
    EXPECT_EQ(dxfOut([&](AcDbDxfFiler& f) { f.writeBChunk(AcDb::kDxfBinaryChunk, chunk); }), "310\n00AB7F\n");
    EXPECT_EQ(dxfOut([](AcDbDxfFiler& f) { f.writeAcDbHandle(AcDb::kDxfHandle, AcDbHandle(0x2AF)); }), "  5\n2AF\n");
    EXPECT_EQ(dxfOut([&](AcDbDxfFiler& f) { f.writeObjectId(AcDb::kDxfSoftPointerId, line); }),
              "330\n" + handleOf(line) + "\n");
    resbuf rb{};
    rb.restype = 1040;
    rb.resval.rreal = 2.5;
    EXPECT_EQ(dxfOut([&](AcDbDxfFiler& f) { f.writeResBuf(rb); }), "1040\n2.5\n");
}

TEST(DxfFiler, BadWritesSetTheStatusWithAMessage)
{
    std::string out;
    arx::DxfOutFiler f(out, nullptr, AcDb::kDHL_1027, -1);
    EXPECT_EQ(f.writeInt16(static_cast<AcDb::DxfCode>(-7), 1), Acad::eInvalidDxfCode);
    EXPECT_EQ(f.filerStatus(), Acad::eInvalidDxfCode);
    EXPECT_NE(std::wstring(f.errorMessage()).find(L"-7"), std::wstring::npos);
    EXPECT_EQ(f.writeInt16(AcDb::kDxfInt16, 1), Acad::eInvalidDxfCode);  // nothing after a failure
    EXPECT_TRUE(out.empty());
    f.resetFilerStatus();
    EXPECT_EQ(f.setError(Acad::eMissingDxfField, L"field %d of %ls", 12, L"THING"), Acad::eMissingDxfField);
    EXPECT_EQ(f.filerStatus(), Acad::eMissingDxfField);
    EXPECT_STREQ(f.errorMessage(), L"field 12 of THING");
    EXPECT_EQ(f.filerType(), AcDb::kFileFiler);
}

arx::DxfRecord makeRecord(std::initializer_list<std::pair<int, const char*>> groups)
{
    arx::DxfRecord rec;
    std::uint64_t line = 1;
    for (const auto& [code, value] : groups) {
        if (code >= 310 && code <= 319)
            EXPECT_TRUE(rec.addHex(code, value, line));
        else
            rec.addText(code, value, line);
        line += 2;
    }
    return rec;
}

TEST(DxfFiler, ReadResBufGivesTypedValuesAndPushBack)
{
    AcDbDatabase db;
    AcDbObjectId line = addLine(db);
    std::string h = handleOf(line);
    arx::DxfRecord rec = makeRecord({{0, "THING"},
                                     {100, "AcDbThing"},
                                     {1, "x^Jy"},
                                     {10, "1.5"},
                                     {20, "2"},
                                     {30, "-3"},
                                     {11, "4"},
                                     {21, "5"},
                                     {40, "0.25"},
                                     {70, "-2"},
                                     {90, "70000"},
                                     {160, "1099511627776"},
                                     {290, "1"},
                                     {310, "00FF10"},
                                     {330, h.c_str()},
                                     {1001, "APP"}});
    arx::DxfInFiler f(rec, 1, &db);
    EXPECT_FALSE(f.atSubclassData(L"AcDbOther"));
    EXPECT_TRUE(f.atSubclassData(L"AcDbThing"));
    resbuf rb;
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 1);
    EXPECT_STREQ(rb.resval.rstring, L"x\ny");
    f.pushBackItem();
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 1);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.restype, 10);
    EXPECT_EQ(rb.resval.rpoint[0], 1.5);
    EXPECT_EQ(rb.resval.rpoint[2], -3);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);  // a 2D point: no z group
    EXPECT_EQ(rb.restype, 11);
    EXPECT_EQ(rb.resval.rpoint[1], 5);
    EXPECT_EQ(rb.resval.rpoint[2], 0);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rreal, 0.25);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rint, -2);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rlong, 70000);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.mnInt64, Adesk::Int64(1) << 40);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    EXPECT_EQ(rb.resval.rint, 1);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    ASSERT_EQ(rb.resval.rbinary.clen, 3);
    EXPECT_EQ(static_cast<unsigned char>(rb.resval.rbinary.buf[1]), 0xFF);
    ASSERT_EQ(f.readResBuf(&rb), Acad::eOk);
    AcDbObjectId ref;
    acdbGetObjectId(ref, rb.resval.rlname);
    EXPECT_EQ(ref, line);
    EXPECT_TRUE(f.atExtendedData());
    EXPECT_TRUE(f.atEndOfObject());
    EXPECT_EQ(f.readResBuf(&rb), Acad::eEndOfFile);  // extended data is not the class's
}

TEST(DxfFiler, BadValuesAreReportedWithTheirLine)
{
    AcDbDatabase db;
    struct Case {
        int code;
        const char* value;
        const char* what;
    } cases[] = {{40, "1.5x", "not a number"},   {70, "70000", "16-bit"},  {70, "x", "16-bit"},
                 {90, "99999999999", "32-bit"}, {330, "XYZ", "handle"},    {10, "nan", "not a number"},
                 {40, "inf", "not a number"}};
    for (const Case& c : cases) {
        arx::DxfRecord rec;
        rec.addText(0, "THING", 7);
        rec.addText(c.code, c.value, 9);
        arx::DxfInFiler f(rec, 1, &db);
        resbuf rb;
        EXPECT_EQ(f.readResBuf(&rb), Acad::eInvalidResBuf) << c.value;
        std::wstring msg = f.errorMessage();
        EXPECT_NE(msg.find(L"line 9"), std::wstring::npos) << c.value;
        EXPECT_NE(msg.find(wide(c.what)), std::wstring::npos) << c.value;
        EXPECT_EQ(f.filerStatus(), Acad::eInvalidResBuf);
    }
    arx::DxfRecord lone;
    lone.addText(0, "THING", 1);
    lone.addText(10, "1", 3);
    lone.addText(40, "1", 5);
    arx::DxfInFiler f(lone, 1, &db);
    resbuf rb;
    EXPECT_EQ(f.readResBuf(&rb), Acad::eInvalidResBuf);  // an x without its y
}

}  // namespace
