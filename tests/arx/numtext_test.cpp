// Numbers read from DXF text: every decimal reads to the double the standard
// library's correctly rounded conversion gives, whichever way it is read, and
// text that is not a number is refused.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

#include "core/numtext.h"

namespace {

double reference(const std::string& text)
{
    double v = 0;
    const char* b = text.data() + (text[0] == '+' ? 1 : 0);
    auto r = std::from_chars(b, text.data() + text.size(), v);
    EXPECT_TRUE(r.ec == std::errc() && r.ptr == text.data() + text.size()) << text;
    return v;
}

TEST(NumText, DecimalsReadAsTheCorrectlyRoundedDouble)
{
    std::mt19937_64 rng(7);
    for (int i = 0; i < 200000; ++i) {
        // Up to 18 digits, the point anywhere among them, sometimes a sign.
        const int digits = 1 + static_cast<int>(rng() % 18);
        std::string text = rng() % 3 == 0 ? "-" : (rng() % 7 == 0 ? "+" : "");
        const int point = static_cast<int>(rng() % static_cast<unsigned>(digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point && d > 0) text += '.';
            text += static_cast<char>('0' + rng() % 10);
        }
        double v = 0;
        ASSERT_TRUE(arx::parseDouble(text, v)) << text;
        const double want = reference(text);
        ASSERT_EQ(std::signbit(v), std::signbit(want)) << text;
        ASSERT_EQ(v, want) << text;
    }
    for (const char* text : {"0.0", "-0.0", "134.364", "999999999999999", "0.000000000000001", "1e300", "-2.5E-3",
                             " 12.5 ", "123456789012345.6"}) {
        double v = 0;
        ASSERT_TRUE(arx::parseDouble(text, v)) << text;
        std::string trimmed(arx::trimSpaces(text));
        EXPECT_EQ(v, reference(trimmed)) << text;
        EXPECT_EQ(std::signbit(v), std::signbit(reference(trimmed))) << text;
    }
}

TEST(NumText, TextThatIsNotANumberIsRefused)
{
    for (const char* text : {"", "-", ".", "-.", "1.2.3", "1,5", "12a", "--1", "0x10", "inf", "nan", "1e999"}) {
        double v = 0;
        EXPECT_FALSE(arx::parseDouble(text, v)) << "\"" << text << "\"";
    }
}

}  // namespace
