// A running host that runs session scripts written by the test, with the
// command line's echo and the session's errors collected.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "AcString.h"
#include "arxhost/application.h"
#include "session.h"
#include "temp_dir.h"

class SessionFixture : public ::testing::Test {
protected:
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

    TempDir dir;
    arxhost::Application app;
    std::string echo;
    std::string error;
};
