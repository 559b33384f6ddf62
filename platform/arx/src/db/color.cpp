// AcCmColor and AcCmTransparency: an entity's colour (by layer, by block, an
// index of the standard palette or true colour) and its transparency, as the
// files encode them.
#include <algorithm>
#include <array>
#include <cmath>

#include "dbcolor.h"

Acad::ErrorStatus AcCmColor::setColorMethod(AcCmEntityColor::ColorMethod m)
{
    mMethod = static_cast<Adesk::UInt8>(m);
    return Acad::eOk;
}

Adesk::UInt16 AcCmColor::colorIndex() const
{
    switch (colorMethod()) {
    case AcCmEntityColor::kByLayer: return 256;
    case AcCmEntityColor::kByBlock: return 0;
    case AcCmEntityColor::kByACI: return mIndex;
    case AcCmEntityColor::kForeground: return 7;
    case AcCmEntityColor::kByColor: {
        // The nearest entry of the palette.
        int best = 7;
        long bestDist = -1;
        for (int i = 1; i < 256; ++i) {
            Adesk::UInt32 rgb = acdbColorIndexToRGB(static_cast<Adesk::UInt16>(i));
            long dr = static_cast<long>((rgb >> 16) & 255) - red();
            long dg = static_cast<long>((rgb >> 8) & 255) - green();
            long db = static_cast<long>(rgb & 255) - blue();
            long d = dr * dr + dg * dg + db * db;
            if (bestDist < 0 || d < bestDist) {
                bestDist = d;
                best = i;
            }
        }
        return static_cast<Adesk::UInt16>(best);
    }
    default: return 7;
    }
}

Acad::ErrorStatus AcCmColor::setColorIndex(Adesk::UInt16 index)
{
    if (index > 256) return Acad::eInvalidInput;
    if (index == 256) {
        mMethod = static_cast<Adesk::UInt8>(AcCmEntityColor::kByLayer);
    } else if (index == 0) {
        mMethod = static_cast<Adesk::UInt8>(AcCmEntityColor::kByBlock);
    } else {
        mMethod = static_cast<Adesk::UInt8>(AcCmEntityColor::kByACI);
        mIndex = index;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcCmColor::setRGB(Adesk::UInt8 r, Adesk::UInt8 g, Adesk::UInt8 b)
{
    mMethod = static_cast<Adesk::UInt8>(AcCmEntityColor::kByColor);
    mRGB = (Adesk::UInt32(r) << 16) | (Adesk::UInt32(g) << 8) | b;
    return Acad::eOk;
}

Adesk::UInt32 AcCmColor::color() const
{
    Adesk::UInt32 low = mMethod == AcCmEntityColor::kByColor ? mRGB
                        : mMethod == AcCmEntityColor::kByACI ? mIndex
                                                             : 0;
    return (Adesk::UInt32(mMethod) << 24) | low;
}

Acad::ErrorStatus AcCmColor::setColor(Adesk::UInt32 value)
{
    auto method = static_cast<AcCmEntityColor::ColorMethod>(value >> 24);
    Adesk::UInt32 low = value & 0xFFFFFF;
    switch (method) {
    case AcCmEntityColor::kByLayer:
    case AcCmEntityColor::kByBlock:
    case AcCmEntityColor::kForeground:
    case AcCmEntityColor::kNone: mMethod = static_cast<Adesk::UInt8>(method); return Acad::eOk;
    case AcCmEntityColor::kByACI:
        if (low < 1 || low > 255) return Acad::eInvalidInput;
        mMethod = static_cast<Adesk::UInt8>(method);
        mIndex = static_cast<Adesk::UInt16>(low);
        return Acad::eOk;
    case AcCmEntityColor::kByColor:
        mMethod = static_cast<Adesk::UInt8>(method);
        mRGB = low;
        return Acad::eOk;
    default: return Acad::eInvalidInput;
    }
}

namespace {

// The palette as the host shows it: 1 to 9 the named colours, 10 to 249
// twenty-four hues in five brightnesses each at full and half saturation, 250
// to 255 six greys. Channels are truncated, not rounded, as the host's table
// has them (index 20 is 255, 63, 0). The renderer paints with this table too.
std::array<Adesk::UInt32, 256> makePalette()
{
    std::array<Adesk::UInt32, 256> p{};
    const Adesk::UInt32 named[10] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                     0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
    for (int i = 0; i < 10; ++i) p[i] = named[i];
    const double brightness[5] = {1.0, 0.8, 0.6, 0.5, 0.3};
    auto to8 = [](double t) { return static_cast<Adesk::UInt32>(std::floor(std::clamp(t, 0.0, 1.0) * 255 + 1e-9)); };
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
        p[i] = (to8(r + m) << 16) | (to8(g + m) << 8) | to8(b + m);
    }
    const Adesk::UInt32 greys[6] = {51, 80, 105, 130, 190, 255};
    for (int i = 0; i < 6; ++i) p[250 + i] = (greys[i] << 16) | (greys[i] << 8) | greys[i];
    return p;
}

}  // namespace

Adesk::UInt32 acdbColorIndexToRGB(Adesk::UInt16 index)
{
    static const std::array<Adesk::UInt32, 256> kPalette = makePalette();
    return index < 256 ? kPalette[index] : kPalette[7];
}

Adesk::UInt32 AcCmTransparency::serializeOut() const
{
    switch (method()) {
    case kByLayer: return 0;
    case kByBlock: return 0x01000000u;
    case kByAlpha: return 0x02000000u | mAlpha;
    default: return 0;
    }
}

void AcCmTransparency::serializeIn(Adesk::UInt32 value)
{
    switch (value >> 24) {
    case 1: mMethod = static_cast<Adesk::UInt8>(kByBlock); break;
    case 2:
        mMethod = static_cast<Adesk::UInt8>(kByAlpha);
        mAlpha = static_cast<Adesk::UInt8>(value & 0xFF);
        break;
    default: mMethod = static_cast<Adesk::UInt8>(kByLayer); break;
    }
}
