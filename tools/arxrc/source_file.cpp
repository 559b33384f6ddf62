// Logical lines of a source file. Comments are removed before anything else looks at
// the text, by a scanner that knows string and character literals, so that "//" in
// a string stays text and a "/*" comment may span lines.
#include "source_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "rc_limits.h"

namespace arxrc {

namespace {

std::string readFile(const std::string& path, const Location& from)
{
    // A device or a pipe could block the build or never end: only files are read.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        throw RcError(from, "cannot open '" + path + "': not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError(from, "cannot open '" + path + "': " + std::strerror(errno));
    std::string data;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (data.size() > limits::kScriptFileBytes)
            throw RcError(from, "'" + path + "' is larger than " + std::to_string(limits::kScriptFileBytes) + " bytes");
    }
    if (in.bad())
        throw RcError(from, "cannot read '" + path + "'");
    return data;
}

}  // namespace

std::vector<LogicalLine> readLogicalLines(const std::string& path, const Location& from, std::size_t& bytesRead)
{
    std::string data = readFile(path, from);
    bytesRead = data.size();
    auto file = std::make_shared<const std::string>(path);
    if (data.size() >= 2 && ((data[0] == '\xFF' && data[1] == '\xFE') || (data[0] == '\xFE' && data[1] == '\xFF')))
        throw RcError({file, 1}, "the file is UTF-16; save it as UTF-8");
    if (data.size() >= 3 && data.compare(0, 3, "\xEF\xBB\xBF") == 0)
        data.erase(0, 3);

    // Physical lines, then continuation lines joined onto the line they continue.
    std::vector<LogicalLine> joined;
    int lineNo = 1;
    bool continuing = false;
    std::size_t pos = 0;
    while (pos <= data.size()) {
        std::size_t end = data.find('\n', pos);
        bool last = end == std::string::npos;
        std::string line = data.substr(pos, last ? std::string::npos : end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find('\0') != std::string::npos)
            throw RcError({file, lineNo}, "the line holds a NUL byte");
        bool continues = !line.empty() && line.back() == '\\';
        if (continues)
            line.pop_back();
        if (continuing)
            joined.back().text += line;
        else
            joined.push_back({line, {file, lineNo}});
        continuing = continues;
        ++lineNo;
        if (last)
            break;
        pos = end + 1;
    }

    // Comments out, each replaced by a space as in C.
    bool inBlock = false;
    Location blockStart;
    for (LogicalLine& line : joined) {
        std::string out;
        const std::string& s = line.text;
        char quote = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            char c = s[i];
            if (inBlock) {
                if (c == '*' && i + 1 < s.size() && s[i + 1] == '/') {
                    inBlock = false;
                    ++i;
                    out += ' ';
                }
                continue;
            }
            if (quote != 0) {
                out += c;
                if (c == '\\' && i + 1 < s.size())
                    out += s[++i];
                else if (c == quote)
                    quote = 0;
                continue;
            }
            if (c == '"' || c == '\'') {
                quote = c;
                out += c;
            } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
                break;
            } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
                inBlock = true;
                blockStart = line.where;
                ++i;
            } else {
                out += c;
            }
        }
        line.text = std::move(out);
    }
    if (inBlock)
        throw RcError(blockStart, "comment has no end");
    return joined;
}

}  // namespace arxrc
