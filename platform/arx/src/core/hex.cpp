// Hexadecimal text both ways through constant tables: one lookup per byte to
// encode, one per digit to decode, since most of a drawing of voice notes is
// binary chunks.
#include "hex.h"

#include <array>

namespace arx {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Value of each character as a hexadecimal digit, or 0xFF.
constexpr std::array<unsigned char, 256> makeDigitTable()
{
    std::array<unsigned char, 256> t{};
    for (auto& v : t) v = 0xFF;
    for (int i = 0; i < 10; ++i) t[static_cast<size_t>('0' + i)] = static_cast<unsigned char>(i);
    for (int i = 0; i < 6; ++i) {
        t[static_cast<size_t>('A' + i)] = static_cast<unsigned char>(10 + i);
        t[static_cast<size_t>('a' + i)] = static_cast<unsigned char>(10 + i);
    }
    return t;
}
constexpr auto kDigitValue = makeDigitTable();

// The two characters of every byte value, so encoding is one store per byte.
struct PairTable {
    char pairs[256][2];
    constexpr PairTable() : pairs{}
    {
        for (int i = 0; i < 256; ++i) {
            pairs[i][0] = kDigits[i >> 4];
            pairs[i][1] = kDigits[i & 15];
        }
    }
};
constexpr PairTable kPairs;

}  // namespace

void appendHex(std::string& out, const void* data, size_t len)
{
    size_t at = out.size();
    out.resize(at + 2 * len);
    char* dst = out.data() + at;
    const auto* src = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < len; ++i) {
        dst[2 * i] = kPairs.pairs[src[i]][0];
        dst[2 * i + 1] = kPairs.pairs[src[i]][1];
    }
}

bool decodeHex(std::string_view text, unsigned char* out)
{
    if (text.size() % 2 != 0) return false;
    const auto* src = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size() / 2;
    unsigned bad = 0;
    for (size_t i = 0; i < n; ++i) {
        unsigned hi = kDigitValue[src[2 * i]];
        unsigned lo = kDigitValue[src[2 * i + 1]];
        bad |= hi | lo;
        out[i] = static_cast<unsigned char>((hi << 4) | (lo & 15));
    }
    // Any invalid digit has its top bits set.
    return (bad & 0xF0) == 0;
}

template <class Ch>
static bool parseHandleImpl(std::basic_string_view<Ch> text, std::uint64_t& value)
{
    if (text.empty() || text.size() > 16) return false;
    std::uint64_t v = 0;
    for (Ch c : text) {
        auto u = static_cast<std::uint32_t>(c);
        if (u > 255) return false;
        unsigned d = kDigitValue[u];
        if (d > 15) return false;
        v = (v << 4) | d;
    }
    value = v;
    return true;
}

bool parseHexHandle(std::string_view text, std::uint64_t& value) { return parseHandleImpl(text, value); }
bool parseHexHandle(std::wstring_view text, std::uint64_t& value) { return parseHandleImpl(text, value); }

size_t formatHexHandle(std::uint64_t value, char* buf)
{
    char tmp[16];
    size_t n = 0;
    do {
        tmp[n++] = kDigits[value & 15];
        value >>= 4;
    } while (value != 0);
    for (size_t i = 0; i < n; ++i) buf[i] = tmp[n - 1 - i];
    buf[n] = '\0';
    return n;
}

std::string hexHandle(std::uint64_t value)
{
    char buf[20];
    return std::string(buf, formatHexHandle(value, buf));
}

}  // namespace arx
