// The one form of a reader's complaint: place first, then what was wrong.
#include "read_error.h"

namespace arx {

std::string FilePlace::text() const
{
    switch (unit) {
    case Unit::kLine: return "line " + std::to_string(at);
    case Unit::kByte: return "byte " + std::to_string(at);
    case Unit::kNowhere: break;
    }
    return {};
}

std::string ReadError::message() const { return place.known() ? place.text() + ": " + what : what; }

void failRead(FilePlace place, std::string what) { throw ReadError{place, std::move(what)}; }

}  // namespace arx
