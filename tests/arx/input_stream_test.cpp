// Drawings that arrive through a pipe or a FIFO rather than a regular file:
// the host opens the input once and reads it once, so a stream reads as well as
// a file does.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "arx_test_util.h"
#include "temp_dir.h"

namespace {
using namespace arxtest;

// Writes content into fd from another thread, then closes it.
std::thread feed(int fd, std::string content)
{
    return std::thread([fd, content = std::move(content)] {
        size_t done = 0;
        while (done < content.size()) {
            ssize_t n = ::write(fd, content.data() + done, content.size() - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        ::close(fd);
    });
}

class InputStream : public testing::TestWithParam<const char*> {
protected:
    // A drawing with a line, saved in the format of the parameter's extension.
    std::string saved()
    {
        AcDbDatabase db;
        addLine(db, {1, 2, 3}, {4, 5, 6});
        std::string path = dir.file(std::string("source") + GetParam());
        save(db, path);
        return readText(path);
    }

    static void expectTheLine(AcDbDatabase& db)
    {
        AcDbBlockTableRecord* ms = nullptr;
        ASSERT_EQ(acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForRead), Acad::eOk);
        EXPECT_EQ(ms->entityCount(), 1);
        ms->close();
    }

    TempDir dir;
};

TEST_P(InputStream, APipeNamedByItsDescriptorReads)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    std::thread writer = feed(fds[1], saved());
    AcDbDatabase db(false);
    Acad::ErrorStatus es = arxhost::openDrawing(&db, wide("/dev/fd/" + std::to_string(fds[0])));
    writer.join();
    ::close(fds[0]);
    ASSERT_EQ(es, Acad::eOk) << arxhost::lastError();
    expectTheLine(db);
}

TEST_P(InputStream, AFifoReads)
{
    std::string fifo = dir.file("drawing.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string content = saved();
    std::thread writer([&] {
        int fd = ::open(fifo.c_str(), O_WRONLY);
        if (fd >= 0) feed(fd, content).join();
    });
    AcDbDatabase db(false);
    Acad::ErrorStatus es = arxhost::openDrawing(&db, wide(fifo));
    writer.join();
    ASSERT_EQ(es, Acad::eOk) << arxhost::lastError();
    expectTheLine(db);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, InputStream, testing::Values(".dxf", ".dwg"),
                         [](const auto& info) { return std::string(info.param + 1); });

TEST(InputStreamErrors, AFolderIsRefusedByName)
{
    TempDir dir;
    AcDbDatabase db;
    EXPECT_NE(arxhost::openDrawing(&db, wide(dir.path())), Acad::eOk);
    EXPECT_NE(arxhost::lastError().find("a folder"), std::string::npos) << arxhost::lastError();
}

}  // namespace
