// Field tables (db/dxf_fields.h), the one description of a DXF section that
// both writes and reads it: fields in the table's order, defaults left out and
// given back, angles in degrees, normals as the file has them, symbols by name,
// unknown groups kept, and the object's own hand-written part of a section.
#include <gtest/gtest.h>

#include <cmath>

#include "arx_test_util.h"
#include "db/dxf_fields.h"
#include "filers/dxf_in_filer.h"
#include "filers/dxf_out_filer.h"
#include "filers/dxf_record.h"

namespace {
using namespace arxtest;

struct ProbeValues {
    double size;
    double turn;
    Adesk::Int16 mode;
    std::optional<AcGePoint3d> anchor;
    AcString label;
    std::optional<Adesk::Int32> count;
    AcDbObjectId style;
    AcGeVector3d normal;
};

constexpr auto kProbeSection = arx::dxfSection<ProbeValues>("AcDbProbe",
    arx::field::real(40, &ProbeValues::size),
    arx::field::angle(50, &ProbeValues::turn, 0.0),
    arx::field::int16(70, &ProbeValues::mode, 3),
    arx::field::point(11, &ProbeValues::anchor),
    arx::field::text(1, &ProbeValues::label),
    arx::field::int32(90, &ProbeValues::count),
    arx::field::handWritten(),
    arx::field::symbol(7, &ProbeValues::style, arx::TableKind::kTextStyle, L"Standard"),
    arx::field::normal(210, &ProbeValues::normal));

// The section written for an object of a drawing, its own part marked by a group 999.
std::string written(const AcDbObject* obj, const ProbeValues& values)
{
    std::string out;
    arx::DxfOutFiler filer(out, obj->database(), AcDb::kDHL_1027, -1);
    EXPECT_EQ(kProbeSection.write(&filer, obj, values, [](AcDbDxfFiler* f) { f->writeString(arx::dxfCode(999), L"own"); }),
              Acad::eOk);
    return out;
}

arx::DxfRecord record(std::initializer_list<std::pair<int, const char*>> groups)
{
    arx::DxfRecord rec;
    std::uint64_t line = 1;
    for (const auto& [code, value] : groups) {
        rec.addText(code, value, line);
        line += 2;
    }
    return rec;
}

class DxfFields : public ::testing::Test {
protected:
    AcDbDatabase db;
    Opened<AcDbLine> line{addLine(db), AcDb::kForWrite};
};

TEST_F(DxfFields, FieldsAtTheirDefaultAreLeftOutAndTheOthersWrittenInTheTablesOrder)
{
    EXPECT_EQ(written(line.get(), kProbeSection.defaults()),
              "100\nAcDbProbe\n 40\n0.0\n  1\n\n999\nown\n  7\nStandard\n");
    ProbeValues v = kProbeSection.defaults();
    v.size = 2.5;
    v.turn = M_PI / 2;
    v.mode = 4;
    v.anchor = AcGePoint3d(1, 2, 3);
    v.label = L"probe";
    v.count = 6;
    v.normal = AcGeVector3d(0, 0, -1);
    EXPECT_EQ(written(line.get(), v),
              "100\nAcDbProbe\n 40\n2.5\n 50\n90.0\n 70\n4\n 11\n1.0\n 21\n2.0\n 31\n3.0\n  1\nprobe\n 90\n6\n"
              "999\nown\n  7\nStandard\n210\n0.0\n220\n0.0\n230\n-1.0\n");
}

TEST_F(DxfFields, WhatTheFileLeavesOutTakesItsDefaultAndUnknownGroupsComeBackAtTheSectionsEnd)
{
    arx::DxfRecord rec = record({{0, "PROBE"}, {100, "AcDbProbe"}, {281, "7"}, {50, "-90"}, {40, "1.5"}, {282, "8"}});
    arx::DxfInFiler in(rec, 1, &db);
    ProbeValues v;
    v.mode = 99;
    v.count = 5;
    ASSERT_EQ(kProbeSection.read(&in, line.get(), v), Acad::eOk);
    EXPECT_EQ(v.size, 1.5);
    EXPECT_DOUBLE_EQ(v.turn, -M_PI / 2);  // radians, as read: normalising is the object's business
    EXPECT_EQ(v.mode, 3);
    EXPECT_FALSE(v.anchor.has_value());
    EXPECT_FALSE(v.count.has_value());
    EXPECT_EQ(v.normal, AcGeVector3d::kZAxis);
    EXPECT_EQ(written(line.get(), v),
              "100\nAcDbProbe\n 40\n1.5\n 50\n-90.0\n  1\n\n999\nown\n  7\nStandard\n281\n7\n282\n8\n");
}

TEST_F(DxfFields, NormalsKeepTheDigitsOfAUnitVectorAndAZeroVectorIsNoDirection)
{
    auto normalOf = [&](const char* x, const char* y, const char* z) {
        arx::DxfRecord rec = record({{0, "PROBE"}, {210, x}, {220, y}, {230, z}});
        arx::DxfInFiler in(rec, 1, &db);
        ProbeValues v;
        EXPECT_EQ(kProbeSection.read(&in, line.get(), v), Acad::eOk);
        return v.normal;
    };
    AcGeVector3d tilted = normalOf("0.0", "0.6", "0.8");
    EXPECT_EQ(tilted.y, 0.6);
    EXPECT_EQ(tilted.z, 0.8);
    EXPECT_EQ(normalOf("0", "0", "2"), AcGeVector3d::kZAxis);
    EXPECT_EQ(normalOf("0", "-3", "0"), AcGeVector3d(0, -1, 0));
    EXPECT_EQ(normalOf("0", "0", "0"), AcGeVector3d::kZAxis);
}

TEST_F(DxfFields, ASymbolIsFoundOrMadeByItsNameAndTheFallbackStandsInForNone)
{
    arx::DxfRecord named = record({{0, "PROBE"}, {7, "Lettering"}});
    arx::DxfInFiler in(named, 1, &db);
    ProbeValues v;
    ASSERT_EQ(kProbeSection.read(&in, line.get(), v), Acad::eOk);
    AcDbObjectId lettering;
    {
        Opened<AcDbTextStyleTable> styles(db.textStyleTableId());
        ASSERT_EQ(styles->getAt(L"LETTERING", lettering), Acad::eOk);  // made on the spot
    }
    EXPECT_EQ(v.style, lettering);
    EXPECT_NE(written(line.get(), v).find("  7\nLettering\n"), std::string::npos);

    for (auto rec : {record({{0, "PROBE"}}), record({{0, "PROBE"}, {7, ""}})}) {
        arx::DxfInFiler none(rec, 1, &db);
        ASSERT_EQ(kProbeSection.read(&none, line.get(), v), Acad::eOk);
        Opened<AcDbTextStyleTable> styles(db.textStyleTableId());
        AcDbObjectId standard;
        ASSERT_EQ(styles->getAt(L"Standard", standard), Acad::eOk);
        EXPECT_EQ(v.style, standard);
    }
}

TEST_F(DxfFields, TheObjectsOwnCodeTakesItsGroupsEndsTheSectionOrFailsTheRead)
{
    arx::DxfRecord rec = record({{0, "PROBE"}, {100, "AcDbProbe"}, {42, "1"}, {40, "2"}, {42, "3"}, {281, "1"},
                                 {100, "AcDbNext"}, {40, "9"}});
    arx::DxfInFiler in(rec, 1, &db);
    std::vector<double> own;
    ProbeValues v;
    ASSERT_EQ(kProbeSection.read(&in, line.get(), v,
                                 [&](const resbuf& rb) {
                                     if (rb.restype == 42) {
                                         own.push_back(rb.resval.rreal);
                                         return arx::OtherGroup::kTaken;
                                     }
                                     if (rb.restype != AcDb::kDxfSubclass) return arx::OtherGroup::kNotMine;
                                     in.pushBackItem();
                                     return arx::OtherGroup::kEndsSection;
                                 }),
              Acad::eOk);
    EXPECT_EQ(own, (std::vector<double>{1, 3}));
    EXPECT_EQ(v.size, 2);  // the 40 after the next marker is not this section's
    EXPECT_TRUE(in.atSubclassData(L"AcDbNext"));

    arx::DxfInFiler again(rec, 1, &db);
    EXPECT_EQ(kProbeSection.read(&again, line.get(), v,
                                 [&](const resbuf&) {
                                     again.setError(Acad::eBadDxfSequence, L"not here");
                                     return arx::OtherGroup::kTaken;
                                 }),
              Acad::eBadDxfSequence);
    EXPECT_STREQ(again.errorMessage(), L"not here");
}

}  // namespace
