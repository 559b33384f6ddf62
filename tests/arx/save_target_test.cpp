// Where a save lands: the drawing replaces its file whole, keeps that file's
// mode, writes through a symbolic link to the file it names, and takes any name
// the file system takes.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

class SaveTarget : public testing::TestWithParam<const char*> {
protected:
    std::string name(const std::string& stem) { return stem + GetParam(); }
    Acad::ErrorStatus saveTo(const std::string& path) { return arxhost::saveDrawing(&db, wide(path)); }

    TempDir dir;
    AcDbDatabase db;
};

TEST_P(SaveTarget, ANameAsLongAsTheFileSystemTakesSaves)
{
    std::string stem(255 - 4, 'n');
    std::string path = dir.file(name(stem));
    ASSERT_EQ(saveTo(path), Acad::eOk) << arxhost::lastError();
    AcDbDatabase back(false);
    EXPECT_EQ(arxhost::openDrawing(&back, wide(path)), Acad::eOk) << arxhost::lastError();
}

TEST_P(SaveTarget, SavingOverAFileKeepsItsMode)
{
    std::string path = dir.file(name("private"));
    ASSERT_EQ(saveTo(path), Acad::eOk);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_EQ(saveTo(path), Acad::eOk) << arxhost::lastError();
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

TEST_P(SaveTarget, ANewFileGetsWhatTheUmaskLeaves)
{
    mode_t old = ::umask(027);
    std::string path = dir.file(name("new"));
    Acad::ErrorStatus es = saveTo(path);
    ::umask(old);
    ASSERT_EQ(es, Acad::eOk) << arxhost::lastError();
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_P(SaveTarget, SavingThroughALinkReplacesWhatItNamesAndKeepsTheLink)
{
    std::string real = dir.file(name("real"));
    std::string link = dir.file(name("link"));
    std::string linkToLink = dir.file(name("link2"));
    ASSERT_EQ(saveTo(real), Acad::eOk);
    ASSERT_EQ(::symlink(name("real").c_str(), link.c_str()), 0);  // relative, as links often are
    ASSERT_EQ(::symlink(link.c_str(), linkToLink.c_str()), 0);
    addLine(db, {1, 1, 0}, {2, 2, 0});
    ASSERT_EQ(saveTo(linkToLink), Acad::eOk) << arxhost::lastError();
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::lstat(linkToLink.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readText(real), readText(linkToLink));
    AcDbDatabase back(false);
    ASSERT_EQ(arxhost::openDrawing(&back, wide(real)), Acad::eOk) << arxhost::lastError();
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, back.modelSpaceId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ms->entityCount(), 1);
    ms->close();
}

INSTANTIATE_TEST_SUITE_P(BothFormats, SaveTarget, testing::Values(".dxf", ".dwg"),
                         [](const auto& info) { return std::string(info.param + 1); });

}  // namespace
