// The colour index palette (see aci_palette.h). Channels are truncated, not
// rounded, as the host's table has them (index 20 is 255, 63, 0).
#include "aci_palette.h"

#include <array>
#include <cmath>

namespace arx::render {

namespace {

std::array<Rgb, 256> makePalette()
{
    std::array<Rgb, 256> p{};
    const Rgb named[10] = {{0, 0, 0},       {255, 0, 0},   {255, 255, 0}, {0, 255, 0},     {0, 255, 255},
                           {0, 0, 255},     {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
    for (int i = 0; i < 10; ++i) p[i] = named[i];
    const double brightness[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    for (int i = 10; i < 250; ++i) {
        double hue = (i - 10) / 10 * 15.0;
        int shade = (i - 10) % 10;
        double v = brightness[shade / 2];
        double s = shade % 2 == 0 ? 1.0 : 0.5;
        double c = v * s, x = c * (1 - std::fabs(std::fmod(hue / 60.0, 2) - 1)), m = v - c;
        double r = 0, g = 0, b = 0;
        if (hue < 60) { r = c; g = x; }
        else if (hue < 120) { r = x; g = c; }
        else if (hue < 180) { g = c; b = x; }
        else if (hue < 240) { g = x; b = c; }
        else if (hue < 300) { r = x; b = c; }
        else { r = c; b = x; }
        auto to8 = [](double t) { return static_cast<std::uint8_t>(std::floor(t * 255 + 1e-9)); };
        p[i] = Rgb{to8(r + m), to8(g + m), to8(b + m)};
    }
    const std::uint8_t greys[6] = {51, 80, 105, 130, 190, 255};
    for (int i = 0; i < 6; ++i) p[250 + i] = Rgb{greys[i], greys[i], greys[i]};
    return p;
}

}  // namespace

Rgb aciColor(int index)
{
    static const std::array<Rgb, 256> kPalette = makePalette();
    if (index < 0 || index > 255) return kPalette[7];
    return kPalette[index];
}

}  // namespace arx::render
