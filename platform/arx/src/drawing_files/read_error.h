// How the drawing readers report what is wrong with a file: one ReadError,
// thrown where the fault is found, carrying its place (a line of a DXF file or
// a byte of a binary drawing) and what was wrong. readDrawing catches it once,
// puts the file's name in front, and keeps the drawing that was open as it was.
#pragma once
#include <cstdint>
#include <string>

namespace arx {

struct FilePlace {
    enum class Unit : std::uint8_t { kNowhere, kLine, kByte };
    Unit unit = Unit::kNowhere;
    std::uint64_t at = 0;

    static FilePlace line(std::uint64_t n) { return {Unit::kLine, n}; }
    static FilePlace byte(std::uint64_t n) { return {Unit::kByte, n}; }
    static FilePlace nowhere() { return {}; }
    bool known() const { return unit != Unit::kNowhere; }
    // "line 12", "byte 300", or "" when the place is not in the file.
    std::string text() const;
};

// Not a std::exception: the readers' callers turn any other exception into
// "reading stopped", and a damaged file must never be mistaken for that.
struct ReadError {
    FilePlace place;
    std::string what;
    // "line 12: what", or what alone when the place is unknown.
    std::string message() const;
};

[[noreturn]] void failRead(FilePlace place, std::string what);

}  // namespace arx
