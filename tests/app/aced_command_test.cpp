// What a plug-in does to the view from its own code: CMDECHO, acedCommand with
// the host's -PAN and REGEN (inside another command too, prompts past the
// answers given cancelled, CMDECHO keeping prompts off the command line),
// acedHelp recorded, the host's frame and drawing view windows, and the draw
// order of the sort-entities table with wide polylines painted as filled bands.
#include <cairo.h>

#include "afxwin.h"
#include "drawing_host.h"
#include "sorttab.h"
#include "win32/host_windows.h"

namespace {

class AcedCommand : public DrawingHost {
protected:
    int cmdecho()
    {
        resbuf rb;
        EXPECT_EQ(acedGetVar(L"CMDECHO", &rb), RTNORM);
        EXPECT_EQ(rb.restype, RTSHORT);
        return rb.resval.rint;
    }
    int setCmdecho(int v)
    {
        resbuf rb;
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(v);
        rb.rbnext = nullptr;
        return acedSetVar(L"CMDECHO", &rb);
    }
};

TEST_F(AcedCommand, CmdechoIsOnAtFirstAndTakesOnlyZeroOrOne)
{
    EXPECT_EQ(cmdecho(), 1);
    EXPECT_EQ(setCmdecho(0), RTNORM);
    EXPECT_EQ(cmdecho(), 0);
    EXPECT_EQ(setCmdecho(2), RTREJ);
    EXPECT_EQ(setCmdecho(-1), RTREJ);
    EXPECT_EQ(cmdecho(), 0);
    resbuf text;
    text.restype = RTSTR;
    text.resval.rstring = const_cast<ACHAR*>(L"1");
    text.rbnext = nullptr;
    EXPECT_EQ(acedSetVar(L"cmdecho", &text), RTREJ);
}

TEST_F(AcedCommand, PanWithTwoPointsPutsTheFirstWhereTheSecondWas)
{
    view(10, 20, 8);
    ads_point from = {13, 21, 0}, to = {10, 20, 0};
    EXPECT_EQ(acedCommand(RTSTR, L"_.-PAN", RTPOINT, from, RTPOINT, to, RTNONE), RTNORM);
    arxhost::ViewState v = currentView();
    // The drawing moved by to - from: the point (13, 21) now lies at the old centre.
    EXPECT_DOUBLE_EQ(v.centerX, 13);
    EXPECT_DOUBLE_EQ(v.centerY, 21);
    EXPECT_DOUBLE_EQ(v.height, 8);
    // Points that are not whole numbers travel as exact text.
    ads_point a = {0.1, 1.0 / 3, 0}, b = {0, 0, 0};
    EXPECT_EQ(acedCommand(RTSTR, L"_.-PAN", RT3DPOINT, a, RT3DPOINT, b, RTNONE), RTNORM);
    EXPECT_DOUBLE_EQ(currentView().centerX, 13.1);
    EXPECT_DOUBLE_EQ(currentView().centerY, 21 + 1.0 / 3);
}

TEST_F(AcedCommand, RunsInsideAPluginCommandThatIsNotTransparent)
{
    view(0, 0, 10);
    static int result = 0;
    acedRegCmds->addCommand(L"TESTS", L"PANNER", L"PANNER", ACRX_CMD_MODAL, [] {
        ads_point a = {1, 1, 0}, b = {0, 0, 0};
        result = acedCommand(RTSTR, L"_.-PAN", RTPOINT, a, RTPOINT, b, RTNONE);
    });
    EXPECT_EQ(run(L"PANNER"), arxhost::CommandResult::kEnded);
    EXPECT_EQ(result, RTNORM);
    EXPECT_DOUBLE_EQ(currentView().centerX, 1);
}

TEST_F(AcedCommand, APromptPastTheAnswersIsCancelledNotPutToTheUser)
{
    view(0, 0, 10);
    ads_point a = {1, 1, 0};
    bool asked = false;
    onPrompt = [&] { asked = true; };
    EXPECT_EQ(acedCommand(RTSTR, L"_.-PAN", RTPOINT, a, RTNONE), RTCAN);
    EXPECT_FALSE(asked);
    EXPECT_EQ(currentView().centerX, 0);
}

TEST_F(AcedCommand, RefusesUnknownCommandsAndValuesNoPromptTakes)
{
    EXPECT_EQ(acedCommand(RTSTR, L"_.NOSUCH", RTNONE), RTERROR);
    EXPECT_EQ(acedCommand(RTNONE), RTERROR);
    ads_point a = {1, 1, 0};
    EXPECT_EQ(acedCommand(RTPOINT, a, RTNONE), RTERROR);  // no command name first
    EXPECT_EQ(acedCommand(RTSTR, L"_.-PAN", RTPOINT, static_cast<const double*>(nullptr), RTNONE), RTERROR);
    EXPECT_EQ(acedCommand(RTSTR, L"_.-PAN", 9999, 1, RTNONE), RTERROR);
}

TEST_F(AcedCommand, CmdechoOffKeepsPromptsOffTheCommandLine)
{
    view(0, 0, 10);
    ads_point a = {1, 1, 0}, b = {0, 0, 0};
    commandLine.clear();
    ASSERT_EQ(acedCommand(RTSTR, L"_.-PAN", RTPOINT, a, RTPOINT, b, RTNONE), RTNORM);
    EXPECT_NE(commandLine.find(L"Command: _.-PAN"), std::wstring::npos);
    EXPECT_NE(commandLine.find(L"1.0,1.0"), std::wstring::npos) << AcString(commandLine).utf8();
    ASSERT_EQ(setCmdecho(0), RTNORM);
    commandLine.clear();
    ASSERT_EQ(acedCommand(RTSTR, L"_.-PAN", RTPOINT, a, RTPOINT, b, RTNONE), RTNORM);
    EXPECT_EQ(commandLine.find(L"PAN"), std::wstring::npos) << AcString(commandLine).utf8();
    EXPECT_EQ(commandLine.find(L"1.0,1.0"), std::wstring::npos);
    EXPECT_DOUBLE_EQ(currentView().centerX, 2);
    // The user's own commands still echo what is typed.
    commandLine.clear();
    EXPECT_EQ(run(L"-PAN", {L"0,0", L"1,1"}), arxhost::CommandResult::kEnded);
    EXPECT_NE(commandLine.find(L"0,0"), std::wstring::npos);
}

TEST_F(AcedCommand, RegenRunsAndEnds)
{
    EXPECT_EQ(acedCommand(RTSTR, L"_.Regen", RTNONE), RTNORM);
    EXPECT_EQ(acedCommand(RTSTR, L"_REGEN", 0), RTNORM);
}

TEST_F(AcedCommand, HelpIsRecordedInOrder)
{
    EXPECT_EQ(acedHelp(nullptr, L"VOICEMAN DIALOG", 0), RTNORM);
    EXPECT_EQ(acedHelp(L"notes.chm", L"Playing", 0), RTNORM);
    ASSERT_EQ(app.helpTopics(), (std::vector<std::wstring>{L"VOICEMAN DIALOG", L"Playing"}));
    EXPECT_NE(commandLine.find(L"[help] VOICEMAN DIALOG\n"), std::wstring::npos);
    EXPECT_NE(commandLine.find(L"[help] notes.chm: Playing\n"), std::wstring::npos);
}

TEST_F(AcedCommand, TheDrawingViewIsAChildOfTheFrameWithTheViewsClientSize)
{
    ASSERT_TRUE(arxhost::createHostWindows());
    CMDIFrameWnd* frame = acedGetAcadFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame, AfxGetMainWnd());
    CView* view = acedGetAcadDwgView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetParent(), frame);
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(client.Width(), arxhost::viewWidth());
    EXPECT_EQ(client.Height(), arxhost::viewHeight());
    CRect onScreen;
    view->GetWindowRect(&onScreen);
    EXPECT_EQ(onScreen.left, win32::host::kViewLeft);
    EXPECT_EQ(onScreen.top, win32::host::kViewTop);
    ASSERT_TRUE(arxhost::createHostWindows());
    EXPECT_EQ(acedGetAcadDwgView(), view);  // one window, made once
}

// The pixel at (x, y) of the painted view as 0xRRGGBB.
unsigned pixelAt(int x, int y)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, arxhost::viewWidth(), arxhost::viewHeight());
    cairo_t* cr = cairo_create(s);
    EXPECT_TRUE(arxhost::paintView(cr));
    cairo_destroy(cr);
    cairo_surface_flush(s);
    auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
    unsigned v = row[x] & 0xFFFFFF;
    cairo_surface_destroy(s);
    return v;
}

TEST_F(AcedCommand, AWideBandMovedToTheBottomIsPaintedBelowWhatWasDrawnBefore)
{
    ASSERT_TRUE(arxhost::setViewSize(100, 100));
    view(0, 0, 100);  // a unit a pixel
    AcDbObjectId cross = line(-20, 0, 20, 0);
    {
        AcDbLine* l = nullptr;
        ASSERT_EQ(acdbOpenObject(l, cross, AcDb::kForWrite), Acad::eOk);
        l->setColorIndex(1);
        l->close();
    }
    auto* band = new AcDbPolyline();
    band->addVertexAt(0, AcGePoint2d(-10, 0), 0, 10, 10);
    band->addVertexAt(1, AcGePoint2d(10, 0), 0, 10, 10);
    band->setColorIndex(5);
    AcDbObjectId bandId = add(band);
    std::string message;
    app.runCommand(L"REGEN", message);
    // Drawn last, the band covers the red line; well inside it, above the line, it is blue.
    EXPECT_EQ(pixelAt(50, 50), 0x0000FFu);
    EXPECT_EQ(pixelAt(50, 47), 0x0000FFu);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbSortentsTable* table = nullptr;
    ASSERT_EQ(ms->getSortentsTable(table, AcDb::kForWrite, true), Acad::eOk);
    ms->close();
    AcDbObjectIdArray bottom;
    bottom.append(bandId);
    ASSERT_EQ(table->moveToBottom(bottom), Acad::eOk);
    table->close();
    ads_name name;
    ASSERT_EQ(acdbGetAdsName(name, bandId), Acad::eOk);
    acdbEntUpd(name);
    app.runCommand(L"REGEN", message);
    EXPECT_EQ(pixelAt(50, 50), 0xFF0000u);  // the line now lies over the band
    EXPECT_EQ(pixelAt(50, 47), 0x0000FFu);
    EXPECT_EQ(pixelAt(50, 40), 0x212830u);  // the band's width is 10: 5 above the centre line
}

}  // namespace
