// A count of the questions asked about the drawing view (pixel and world
// conversions, the view's centre and size). The recorder compares it before and
// after an entity draws: an entity that asked drew something that depends on the
// view, and is drawn again when the view changes.
#pragma once
#include <cstdint>

namespace arx::gi {
void noteViewQuery();
std::uint64_t viewQueryCount();
}  // namespace arx::gi
