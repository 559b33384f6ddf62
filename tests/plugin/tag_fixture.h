// A running host with its frame and drawing view, the VelaTone plug-in loaded,
// virtual sound devices on files of the test's folder, and session scripts that
// act as the user: the tag window is reached through the plug-in's exported
// pointer, and notes through their handles.
#pragma once
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "AcString.h"
#include "acdocman.h"
#include "arxHeaders.h"
#include "arxhost/application.h"
#include "arxhost/graphics.h"
#include "arxhost/runtime.h"
#include "arxhost/view.h"
#include "rxmfcapi.h"
#include "session.h"
#include "temp_dir.h"
#include "win32/audio_devices.h"
#include "win32/host_windows.h"

inline std::wstring tagPluginPath()
{
    return AcString::fromUtf8(ARXHOST_BINARY_DIR, sizeof(ARXHOST_BINARY_DIR) - 1).str() +
           L"/bin/VelaToneViewer2013_x64.arx";
}

class TagHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.setCommandLine([this](const std::wstring& t) { echo += AcString(t).utf8(); });
        ASSERT_TRUE(arxhost::createHostWindows());
        arxhost::setGeneration(2013);
        std::string error;
        ASSERT_TRUE(app.loadModule(tagPluginPath(), error)) << error;
        std::string path = AcString(tagPluginPath()).utf8();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        ASSERT_NE(handle, nullptr);
        tagPointer = static_cast<CWnd**>(dlsym(handle, "gpTagUIDlg"));
        dlclose(handle);
        ASSERT_NE(tagPointer, nullptr);
        win32::audio::setInputPresent(true);
        win32::audio::setOutputPresent(true);
        win32::audio::setSpeakerDiscard();
    }

    // Runs script lines; false with the session's errors in `error`.
    bool run(const std::string& script)
    {
        std::ofstream(dir.file("s.scr")) << script;
        std::FILE* errors = std::tmpfile();
        int rc = arxhost::runSession(app, dir.file("s.scr"), errors);
        std::rewind(errors);
        char buf[512];
        error.clear();
        while (std::fgets(buf, sizeof buf, errors) != nullptr) error += buf;
        std::fclose(errors);
        return rc == 0;
    }

    // Opens a copy of the reply sample (one Point note F002 without sound at 30,20).
    void openReply()
    {
        std::string error;
        ASSERT_NE(app.openDocument(AcString::fromUtf8(ARXHOST_SOURCE_DIR "/samples/reply.dxf",
                                                      sizeof(ARXHOST_SOURCE_DIR "/samples/reply.dxf") - 1)
                                       .str(),
                                   error),
                  nullptr)
            << error;
    }

    AcDbObjectId noteId(Adesk::UInt64 handle = 0xF002)
    {
        AcDbObjectId id;
        acDocManagerPtr()->curDocument()->database()->getAcDbObjectId(id, false, AcDbHandle(handle));
        return id;
    }

    // The client pixel of a world point of the view.
    CPoint pixelOf(double x, double y)
    {
        acedDwgPoint w = {x, y, 0};
        CPoint p;
        EXPECT_TRUE(acedCoordFromWorldToPixel(0, w, p));
        return p;
    }

    // A Point note's icon: 32 pixels a side, its lower-left corner 0.6 of that
    // up and to the right of the anchor at 45 degrees (client pixels).
    double iconLeft(CPoint anchor) { return anchor.x + 0.6 * 32 * std::cos(0.785); }
    double iconBottom(CPoint anchor) { return anchor.y - 0.6 * 32 * std::sin(0.785); }
    // A screen point in the middle of the icon of the note anchored at (x, y).
    std::string onIcon(double x, double y, int dx = 16, int dy = 16)
    {
        CPoint a = pixelOf(x, y);
        const int sx = win32::host::kViewLeft + static_cast<int>(std::ceil(iconLeft(a))) + dx;
        const int sy = win32::host::kViewTop + static_cast<int>(std::floor(iconBottom(a))) - dy;
        return std::to_string(sx) + " " + std::to_string(sy);
    }
    std::string screenOf(double x, double y)
    {
        CPoint a = pixelOf(x, y);
        return std::to_string(win32::host::kViewLeft + a.x) + " " + std::to_string(win32::host::kViewTop + a.y);
    }

    CWnd* tag() const { return *tagPointer; }
    bool tagShown() const { return tag() != nullptr && tag()->GetSafeHwnd() != nullptr && tag()->IsWindowVisible(); }
    CRect tagRect() const
    {
        CRect r;
        tag()->GetWindowRect(&r);
        return r;
    }

    // Writes a WAV file of 8-bit mono sound at 40000 samples a second.
    void writeWav8(const std::string& path, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream f(path, std::ios::binary);
        auto u32 = [&](std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
        f.write("RIFF", 4);
        u32(36 + static_cast<std::uint32_t>(bytes.size()));
        f.write("WAVEfmt ", 8);
        u32(16);
        u16(1);
        u16(1);
        u32(40000);
        u32(40000);
        u16(1);
        u16(8);
        f.write("data", 4);
        u32(static_cast<std::uint32_t>(bytes.size()));
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::uint8_t> readWav8(const std::string& path)
    {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 40000, 40000, 1, 8, 0};
        std::vector<std::uint8_t> out;
        std::string error;
        EXPECT_TRUE(win32::audio::readWavFile(path, format, out, error)) << error;
        return out;
    }

    TempDir dir;
    arxhost::Application app;
    std::string echo;
    std::string error;
    CWnd** tagPointer = nullptr;
};
