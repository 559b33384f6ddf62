// The 256 colours of the colour index (ACI) as the host shows them: 1 to 9 the
// named colours, 10 to 249 twenty-four hues in five brightnesses each at full
// and half saturation, 250 to 255 six greys. Index 7 is drawn black on a light
// background and white on a dark one.
#pragma once
#include <cstdint>

namespace arx::render {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

Rgb aciColor(int index);

}  // namespace arx::render
