// Reading a script or header into logical lines: continuation lines joined, comments
// removed (outside string and character literals), each line knowing where it began.
#pragma once
#include <string>
#include <vector>

#include "diagnostic.h"

namespace arxrc {

struct LogicalLine {
    std::string text;
    Location where;
};

// Reads path (at most limits::kScriptFileBytes) as UTF-8, with or without a byte
// order mark. Fails on files it cannot open, UTF-16 files and NUL bytes. `from` is
// where the file was asked for, to name in the error when it cannot be opened.
std::vector<LogicalLine> readLogicalLines(const std::string& path, const Location& from, std::size_t& bytesRead);

}  // namespace arxrc
