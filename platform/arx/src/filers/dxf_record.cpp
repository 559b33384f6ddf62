// Decoding a binary chunk's hexadecimal text into a record as it is read, so
// that the record holds bytes and a bad digit is refused where it stands.
#include "dxf_record.h"

#include "../core/hex.h"

namespace arx {

bool DxfRecord::addHex(int code, std::string_view hex, std::uint64_t line)
{
    // Writers differ in trailing spaces; the digits themselves must be clean.
    while (!hex.empty() && (hex.back() == ' ' || hex.back() == '\t')) hex.remove_suffix(1);
    if (hex.size() % 2 != 0) return false;
    size_t at = mArena.size();
    mArena.resize(at + hex.size() / 2);
    if (!decodeHex(hex, reinterpret_cast<unsigned char*>(mArena.data() + at))) {
        mArena.resize(at);
        return false;
    }
    mTags.push_back(DxfTag{static_cast<std::int16_t>(code), true, static_cast<std::uint32_t>(at),
                           static_cast<std::uint32_t>(hex.size() / 2), line});
    return true;
}

}  // namespace arx
