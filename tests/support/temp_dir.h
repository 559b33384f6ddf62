// A folder of its own for a test's files, removed afterwards.
#pragma once
#include <filesystem>
#include <string>

class TempDir {
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "arxtest-XXXXXX").string();
        mPath = mkdtemp(tmpl.data());
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(mPath, ec);
    }
    std::filesystem::path path() const { return mPath; }
    std::string file(const std::string& name) const { return (mPath / name).string(); }
    std::wstring wfile(const std::string& name) const { return (mPath / name).wstring(); }

private:
    std::filesystem::path mPath;
};
