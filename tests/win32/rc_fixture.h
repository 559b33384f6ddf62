// Runs the resource compiler on scripts written by a test into a folder of its own,
// with the Windows stand-in's headers on the include path and the test picture.
#pragma once
#include <filesystem>
#include <fstream>
#include <string>

#include "compiler.h"
#include "temp_dir.h"

class RcFixture {
public:
    RcFixture() { std::filesystem::copy_file(TEST_DATA_DIR "/dot.png", mDir.path() / "dot.png"); }

    std::string write(const std::string& name, const std::string& text) const
    {
        std::filesystem::create_directories((mDir.path() / name).parent_path());
        std::ofstream(mDir.file(name), std::ios::binary) << text;
        return mDir.file(name);
    }

    arxrc::Script compile(const std::string& script, const std::string& name = "test.rc") const
    {
        arxrc::Options options;
        options.includeDirs.push_back(WIN32_INCLUDE_DIR);
        return arxrc::compileScript(write(name, script), options);
    }

    // The message of the compile's error, with the folder taken off the file name.
    std::string error(const std::string& script, const std::string& name = "test.rc") const
    {
        try {
            compile(script, name);
        } catch (const arxrc::RcError& e) {
            std::string text = e.what();
            std::string folder = mDir.path().string() + "/";
            for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
                text.erase(at, folder.size());
            return text;
        }
        return "compiled without an error";
    }

    const TempDir& dir() const { return mDir; }

private:
    TempDir mDir;
};
