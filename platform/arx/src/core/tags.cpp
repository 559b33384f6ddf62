// What takes a walk over a whole tag store rather than one step of its cursor:
// whether the store is well framed, and how many groups it holds.
#include "tags.h"

namespace arx {

bool isValidTagStore(std::string_view store)
{
    size_t pos = 0;
    while (pos < store.size()) {
        if (store.size() - pos < 7) return false;
        std::uint32_t len;
        std::memcpy(&len, store.data() + pos + 3, 4);
        auto kind = static_cast<std::uint8_t>(store[pos + 2]);
        if (kind > 1) return false;
        if (len > store.size() - pos - 7) return false;
        pos += 7 + len;
    }
    return true;
}

size_t countTags(std::string_view store)
{
    TagCursor c(store);
    Tag t;
    size_t n = 0;
    while (c.next(t)) ++n;
    return n;
}

}  // namespace arx
