// Hexadecimal text, the form of every binary chunk in DXF: decoding agrees with
// the obvious byte-by-byte reading for every length and refuses any character
// that is not a digit, wherever it stands.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/hex.h"

namespace {

std::string encode(const std::vector<unsigned char>& bytes, bool lowerCase)
{
    const char* digits = lowerCase ? "0123456789abcdef" : "0123456789ABCDEF";
    std::string s;
    for (unsigned char b : bytes) {
        s.push_back(digits[b >> 4]);
        s.push_back(digits[b & 15]);
    }
    return s;
}

TEST(Hex, DecodesEveryLengthInEitherCase)
{
    std::mt19937 random(7);
    for (size_t n = 0; n <= 100; ++n) {
        std::vector<unsigned char> bytes(n);
        for (auto& b : bytes) b = static_cast<unsigned char>(random());
        for (bool lowerCase : {false, true}) {
            std::vector<unsigned char> back(n + 1, 0xAA);
            ASSERT_TRUE(arx::decodeHex(encode(bytes, lowerCase), back.data())) << n;
            EXPECT_EQ(std::vector<unsigned char>(back.begin(), back.begin() + static_cast<long>(n)), bytes) << n;
            EXPECT_EQ(back[n], 0xAA) << "wrote past the end at " << n;
        }
    }
}

TEST(Hex, RefusesAnyCharacterThatIsNoDigitWhereverItStands)
{
    const std::string good = encode(std::vector<unsigned char>(40, 0x5C), false);  // 80 digits
    std::vector<unsigned char> out(40);
    // Neighbours of the digit ranges, a space, and bytes with the top bit set.
    for (int badChar : {int('/'), int(':'), int('@'), int('G'), int('`'), int('g'), int(' '), 0x80, 0xC6, 0xFF}) {
        for (size_t at = 0; at < good.size(); ++at) {
            std::string s = good;
            s[at] = static_cast<char>(badChar);
            ASSERT_FALSE(arx::decodeHex(s, out.data())) << "char " << badChar << " at " << at;
        }
    }
    EXPECT_FALSE(arx::decodeHex("ABC", out.data()));
}

}  // namespace
