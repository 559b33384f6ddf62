// The session actions that write what the user sees: snapshot (the view as a
// PNG of the view's pixels) and plot (PDF or PNG); and arxhost's --view.
#include <cairo.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "AcString.h"
#include "arxhost/application.h"
#include "arxhost/view.h"
#include "session.h"
#include "temp_dir.h"

namespace {

class ViewActions : public ::testing::Test {
protected:
    void TearDown() override { arxhost::setViewSize(1024, 768); }

    int run(const std::string& script)
    {
        std::ofstream(dir.file("s.scr")) << script;
        app.setCommandLine([this](const std::wstring& t) { echo += AcString(t).utf8(); });
        std::FILE* errors = std::tmpfile();
        int rc = arxhost::runSession(app, dir.file("s.scr"), errors);
        std::rewind(errors);
        char buf[512];
        while (std::fgets(buf, sizeof buf, errors) != nullptr) error += buf;
        std::fclose(errors);
        return rc;
    }

    // The size of a PNG file, or 0 x 0 when it is none.
    static std::pair<int, int> pngSize(const std::string& path)
    {
        cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
        std::pair<int, int> size{0, 0};
        if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS)
            size = {cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
        cairo_surface_destroy(s);
        return size;
    }

    TempDir dir;
    arxhost::Application app;
    std::string echo;
    std::string error;
};

TEST_F(ViewActions, SnapshotAndPlotWriteWhatTheViewShows)
{
    EXPECT_EQ(run("new\ncommand LINE\ninput 0,0\ninput 10,10\ninput\ncommand ZOOM\ninput E\nsnapshot " +
                  dir.file("a.png") + "\nplot " + dir.file("a.pdf") + "\nplot " + dir.file("b.png") + "\n"),
              0)
        << error;
    EXPECT_EQ(pngSize(dir.file("a.png")), (std::pair<int, int>{1024, 768}));
    EXPECT_EQ(pngSize(dir.file("b.png")), (std::pair<int, int>{1024, 768}));
    std::ifstream pdf(dir.file("a.pdf"), std::ios::binary);
    std::string head(5, '\0');
    pdf.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_NE(echo.find("Command: PLOT " + dir.file("a.pdf")), std::string::npos);
}

TEST_F(ViewActions, SnapshotsFollowTheViewsSize)
{
    ASSERT_TRUE(arxhost::setViewSize(200, 100));
    EXPECT_EQ(run("new\nsnapshot " + dir.file("small.png") + "\n"), 0) << error;
    EXPECT_EQ(pngSize(dir.file("small.png")), (std::pair<int, int>{200, 100}));
}

TEST_F(ViewActions, WithoutAFileOrAKnownKindTheActionFailsWithItsLine)
{
    // With no drawing open the screen still has its windows: the view is blank.
    EXPECT_EQ(run("snapshot " + dir.file("blank.png") + "\n"), 0) << error;
    EXPECT_EQ(pngSize(dir.file("blank.png")), (std::pair<int, int>{arxhost::viewWidth(), arxhost::viewHeight()}));
    EXPECT_EQ(run("plot " + dir.file("x.pdf") + "\n"), 1);
    EXPECT_NE(error.find("s.scr:1: no drawing is open"), std::string::npos) << error;
    EXPECT_EQ(run("new\nsnapshot\n"), 1);
    EXPECT_NE(error.find("s.scr:2: snapshot needs a file name"), std::string::npos) << error;
    EXPECT_EQ(run("new\nplot " + dir.file("x.svg") + "\n"), 1);
    EXPECT_NE(error.find("s.scr:2: " + dir.file("x.svg") + ": a plot is written as .pdf or .png"), std::string::npos)
        << error;
    EXPECT_EQ(run("new\nsnapshot /no/such/folder/x.png\n"), 1);
    EXPECT_NE(error.find("s.scr:2: /no/such/folder/x.png: cannot write the picture"), std::string::npos) << error;
}

// arxhost itself, for its options.
int arxhost(const std::string& args)
{
    std::string cmd = std::string(ARXHOST_BINARY_DIR) + "/bin/arxhost --no-plugin " + args + " > /dev/null 2>&1";
    int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST(ArxhostView, TheViewOptionSetsTheSizeOfWhatIsWrittenAndRefusesNonsense)
{
    TempDir dir;
    std::ofstream(dir.file("s.scr")) << "new\nsnapshot " << dir.file("v.png") << "\n";
    EXPECT_EQ(arxhost("--view 320x240 run " + dir.file("s.scr")), 0);
    cairo_surface_t* s = cairo_image_surface_create_from_png(dir.file("v.png").c_str());
    EXPECT_EQ(cairo_image_surface_get_width(s), 320);
    EXPECT_EQ(cairo_image_surface_get_height(s), 240);
    cairo_surface_destroy(s);
    EXPECT_EQ(arxhost("--view 320 run " + dir.file("s.scr")), 2);
    EXPECT_EQ(arxhost("--view 8x8 run " + dir.file("s.scr")), 2);
    EXPECT_EQ(arxhost("--view 320x240x run " + dir.file("s.scr")), 2);
    EXPECT_EQ(arxhost("--view"), 2);
}

}  // namespace
