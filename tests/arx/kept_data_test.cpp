// What a DXF file brings that the host does not understand, inside records it
// knows (an application's 102 group, unknown groups in a section, in a layer
// record) and around them (header variables, whole sections), comes back
// unchanged through DXF and through the binary file.
#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

TEST(KeptData, UnknownGroupsHeaderVariablesAndSectionsComeBack)
{
    TempDir dir;
    AcDbDatabase db;
    AcDbObjectId lineId = addLine(db);
    save(db, dir.file("base.dxf"));
    std::string base = readText(dir.file("base.dxf"));
    // Unknown groups in a known entity: in the object header (an application's
    // 102 group), in the AcDbEntity section and in the line's own section.
    std::string h = handleOf(lineId);
    size_t at = base.find("  0\nLINE\n  5\n" + h + "\n");
    ASSERT_NE(at, std::string::npos);
    base.insert(at + std::string("  0\nLINE\n  5\n" + h + "\n").size(), "102\n{MYAPP\n  1\nmine\n102\n}\n");
    size_t lineSection = base.find("100\nAcDbLine\n", at);
    base.insert(lineSection + 13, "281\n7\n");
    size_t entSection = base.find("100\nAcDbEntity\n", at);
    base.insert(entSection + 15, "347\n0\n");
    std::string text = splice(base, "", "", "", "  9\n$ZZVAR\n 40\n1.25\n 10\n1.0\n 20\n2.0\n",
                              "  0\nSECTION\n  2\nZZSECTION\n  0\nZZREC\n  1\nopaque\n 90\n5\n  0\nENDSEC\n");
    // An unknown field in a layer record.
    size_t layer = text.find("100\nAcDbLayerTableRecord\n");
    text.insert(layer + 25, "  2\n0\n 999\ncomment\n");
    text.replace(text.find(" 999\ncomment\n"), 13, "");
    size_t layer0 = text.find("370\n-3\n");
    text.insert(layer0 + 7, "348\nBEEF\n");
    writeText(dir.file("in.dxf"), text);

    AcDbDatabase in(false, true);
    open(in, dir.file("in.dxf"));
    save(in, dir.file("a.dxf"));
    save(in, dir.file("b.dwg"));
    AcDbDatabase bin(false, true);
    open(bin, dir.file("b.dwg"));
    save(bin, dir.file("c.dxf"));
    for (const char* name : {"a.dxf", "c.dxf"}) {
        std::string out = readText(dir.file(name));
        auto line = record(out, "LINE", h);
        EXPECT_TRUE(hasGroup(line, 102, "{MYAPP")) << name;
        EXPECT_TRUE(hasGroup(line, 1, "mine")) << name;
        EXPECT_TRUE(hasGroup(line, 281, "7")) << name;
        EXPECT_TRUE(hasGroup(line, 347, "0")) << name;
        EXPECT_NE(out.find("  9\n$ZZVAR\n 40\n1.25\n 10\n1.0\n 20\n2.0\n"), std::string::npos) << name;
        EXPECT_NE(out.find("  0\nSECTION\n  2\nZZSECTION\n  0\nZZREC\n  1\nopaque\n 90\n5\n  0\nENDSEC\n"),
                  std::string::npos)
            << name;
        EXPECT_NE(out.find("348\nBEEF\n"), std::string::npos) << name;
    }
    EXPECT_EQ(readText(dir.file("a.dxf")), readText(dir.file("c.dxf")));
}

}  // namespace
