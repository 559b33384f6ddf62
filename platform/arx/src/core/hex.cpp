// Hexadecimal text both ways: encoding through a table of digit pairs, decoding
// 32 digits at a time with vector instructions (and a table for the rest), since
// most of a drawing of voice notes is binary chunks.
#include "hex.h"

#include <array>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// 32 digits to 16 bytes with SSE2: each character's value computed in
// parallel (digits, and letters of either case), every character checked, then
// pairs of values joined into bytes. False when any character is no digit.
static bool decodeHex32(const unsigned char* src, unsigned char* out)
{
    auto values = [](__m128i c, __m128i& bad) {
        const __m128i lower = _mm_or_si128(c, _mm_set1_epi8(0x20));
        // Signed compares: bytes from 0x80 up are negative and fail both tests.
        const __m128i digit = _mm_and_si128(_mm_cmpgt_epi8(c, _mm_set1_epi8('0' - 1)),
                                            _mm_cmpgt_epi8(_mm_set1_epi8('9' + 1), c));
        const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                             _mm_cmpgt_epi8(_mm_set1_epi8('f' + 1), lower));
        bad = _mm_or_si128(bad, _mm_andnot_si128(_mm_or_si128(digit, letter), _mm_set1_epi8(-1)));
        return _mm_add_epi8(_mm_and_si128(c, _mm_set1_epi8(0x0F)), _mm_and_si128(letter, _mm_set1_epi8(9)));
    };
    auto join = [](__m128i v) {
        // Little-endian lanes: the first digit of a pair is the low byte.
        const __m128i high = _mm_slli_epi16(_mm_and_si128(v, _mm_set1_epi16(0x00FF)), 4);
        return _mm_or_si128(high, _mm_srli_epi16(v, 8));
    };
    __m128i bad = _mm_setzero_si128();
    const __m128i a = values(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src)), bad);
    const __m128i b = values(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16)), bad);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(join(a), join(b)));
    return _mm_movemask_epi8(bad) == 0;
}
#endif

bool decodeHex(std::string_view text, unsigned char* out)
{
    if (text.size() % 2 != 0) return false;
    const auto* src = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size() / 2;
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16)
        if (!decodeHex32(src + 2 * i, out + i)) return false;
#endif
    unsigned bad = 0;
    for (; i < n; ++i) {
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
