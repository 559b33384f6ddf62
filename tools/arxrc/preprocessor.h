// The resource compiler's preprocessor: #include, #define, #undef, #ifdef, #ifndef,
// #if, #elif, #else, #endif and #pragma once / code_page(65001). As with Windows'
// resource compiler, an included C or C++ header (.h, .hh, .hpp, .hxx, .c, .inl)
// contributes its directives only; any other included file is read as script.
// RC_INVOKED is predefined, so headers can keep their C++ parts out of its way.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "macros.h"
#include "source_file.h"

namespace arxrc {

class Preprocessor {
public:
    Preprocessor(std::vector<std::string> includeDirs, MacroTable& macros);

    void start(const std::string& path);
    // The next script line of an active region, or false at the end of the script.
    bool nextLine(LogicalLine& line);
    // Every file read, the script first.
    const std::vector<std::string>& files() const { return mFiles; }

private:
    struct File {
        std::vector<LogicalLine> lines;
        std::size_t next = 0;
        bool directivesOnly = false;
        std::string path;
        std::size_t conditionalBase = 0;
        Location end;
    };
    struct Conditional {
        bool parentActive;
        bool active;
        bool taken;
        bool seenElse;
        Location where;
    };

    bool active() const { return mConditionals.empty() || mConditionals.back().active; }
    void open(const std::string& path, const Location& from, bool directivesOnly);
    void directive(const LogicalLine& line);
    void include(const std::string& rest, const Location& where);
    bool condition(const std::string& rest, const Location& where);
    std::string resolve(const std::string& name, bool quoted, const Location& where) const;

    std::vector<std::string> mIncludeDirs;
    MacroTable& mMacros;
    std::vector<File> mStack;
    std::vector<Conditional> mConditionals;
    std::set<std::string> mOnce;
    std::vector<std::string> mFiles;
    std::size_t mTotalBytes = 0;
};

}  // namespace arxrc
