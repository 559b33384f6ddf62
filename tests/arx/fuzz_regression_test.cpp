// The inputs the fuzz targets found (tests/data/fuzz-regressions): each is
// refused with a message, or read, saved in both formats and read back.
#include <gtest/gtest.h>

#include <filesystem>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

TEST(FuzzRegressions, EveryFoundInputIsRefusedOrSurvivesARoundTrip)
{
    const std::filesystem::path dir = std::filesystem::path(ARXHOST_SOURCE_DIR) / "tests/data/fuzz-regressions";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".dxf" && ext != ".dwg") continue;
        ++files;
        SCOPED_TRACE(entry.path().filename().string());
        AcDbDatabase db(false, true);
        if (arxhost::openDrawing(&db, entry.path().wstring()) != Acad::eOk) {
            EXPECT_EQ(arxhost::lastError().rfind(entry.path().string(), 0), 0u) << arxhost::lastError();
            EXPECT_TRUE(arxhost::lastError().find("line ") != std::string::npos ||
                        arxhost::lastError().find("byte ") != std::string::npos)
                << arxhost::lastError();
            continue;
        }
        TempDir out;
        for (const char* name : {"a.dxf", "a.dwg"}) {
            save(db, out.file(name));
            AcDbDatabase back(false, true);
            open(back, out.file(name));
        }
    }
    EXPECT_GE(files, 4);
}

}  // namespace
