// The inputs the fuzz targets with the plug-in found
// (tests/data/note-fuzz-regressions): each is refused with a message, or read,
// saved in both formats and read back, with the plug-in's note in the process.
#include <filesystem>

#include "note_fixture.h"

namespace {

TEST_F(NoteFiling, EveryInputTheNoteFuzzersFoundIsRefusedOrSurvivesARoundTrip)
{
    const std::filesystem::path folder = std::filesystem::path(ARXHOST_SOURCE_DIR) / "tests/data/note-fuzz-regressions";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".dxf" && ext != ".dwg") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        AcDbDatabase db(false, true);
        if (arxhost::openDrawing(&db, entry.path().wstring()) != Acad::eOk) {
            EXPECT_EQ(arxhost::lastError().rfind(entry.path().string(), 0), 0u) << arxhost::lastError();
            continue;
        }
        for (const char* name : {"a.dxf", "a.dwg"}) {
            ASSERT_EQ(arxhost::saveDrawing(&db, dir.wfile(name)), Acad::eOk) << arxhost::lastError();
            AcDbDatabase back(false, true);
            EXPECT_EQ(arxhost::openDrawing(&back, dir.wfile(name)), Acad::eOk) << arxhost::lastError();
        }
    }
    EXPECT_GE(files, 1);
}

}  // namespace
