// The count of view questions (see view_query.h).
#include "view_query.h"

namespace arx::gi {
namespace {
std::uint64_t gQueries = 0;
}
void noteViewQuery() { ++gQueries; }
std::uint64_t viewQueryCount() { return gQueries; }
}  // namespace arx::gi
