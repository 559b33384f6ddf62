// AcCmEntityColor, AcCmColor and AcCmTransparency: the colour the graphics
// system draws with, an entity's colour (by layer, by block, a colour index or a
// true colour) and its transparency.
#pragma once
#include "acadstrc.h"
#include "adesk.h"

// A colour as the graphics system carries it: a method (by layer, by block, a
// true colour, a colour index, ...) and, for a true colour, red, green and blue
// in the low three bytes, or for an index the index in the low two.
class AcCmEntityColor {
public:
    enum ColorMethod {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kByPen = 0xC4,
        kForeground = 0xC5,
        kByDgnIndex = 0xC7,
        kNone = 0xC8,
    };
    enum ACIcolorMethod { kACIbyBlock = 0, kACIforeground = 7, kACIbyLayer = 256 };

    // A new colour is a true colour, black.
    AcCmEntityColor() : mWhole(static_cast<Adesk::UInt32>(kByColor) << 24) {}
    AcCmEntityColor(const ColorMethod eColorMethod) : mWhole(static_cast<Adesk::UInt32>(eColorMethod) << 24) {}
    AcCmEntityColor(const Adesk::UInt8 red, const Adesk::UInt8 green, const Adesk::UInt8 blue)
    {
        setRGB(red, green, blue);
    }
    bool operator==(const AcCmEntityColor& color) const { return mWhole == color.mWhole; }
    bool operator!=(const AcCmEntityColor& color) const { return mWhole != color.mWhole; }

    Acad::ErrorStatus setColorMethod(const ColorMethod eColorMethod)
    {
        mWhole = (mWhole & 0x00FFFFFFu) | (static_cast<Adesk::UInt32>(eColorMethod) << 24);
        return Acad::eOk;
    }
    ColorMethod colorMethod() const { return static_cast<ColorMethod>(mWhole >> 24); }
    Acad::ErrorStatus setColor(const Adesk::UInt32 color)
    {
        mWhole = color;
        return Acad::eOk;
    }
    Adesk::UInt32 color() const { return mWhole; }
    // An index makes the colour one of the index (0 by block, 256 by layer).
    Acad::ErrorStatus setColorIndex(const Adesk::Int16 colorIndex)
    {
        mWhole = (static_cast<Adesk::UInt32>(kByACI) << 24) | static_cast<Adesk::UInt16>(colorIndex);
        return Acad::eOk;
    }
    Adesk::Int16 colorIndex() const { return static_cast<Adesk::Int16>(mWhole & 0xFFFF); }
    Acad::ErrorStatus setRGB(const Adesk::UInt8 red, const Adesk::UInt8 green, const Adesk::UInt8 blue)
    {
        mWhole = (static_cast<Adesk::UInt32>(kByColor) << 24) | (static_cast<Adesk::UInt32>(red) << 16) |
                 (static_cast<Adesk::UInt32>(green) << 8) | blue;
        return Acad::eOk;
    }
    Adesk::UInt8 red() const { return static_cast<Adesk::UInt8>(mWhole >> 16); }
    Adesk::UInt8 green() const { return static_cast<Adesk::UInt8>(mWhole >> 8); }
    Adesk::UInt8 blue() const { return static_cast<Adesk::UInt8>(mWhole); }
    bool isByColor() const { return colorMethod() == kByColor; }
    bool isByLayer() const
    {
        return colorMethod() == kByLayer || (colorMethod() == kByACI && colorIndex() == kACIbyLayer);
    }
    bool isByBlock() const
    {
        return colorMethod() == kByBlock || (colorMethod() == kByACI && colorIndex() == kACIbyBlock);
    }
    bool isByACI() const { return colorMethod() == kByACI; }
    bool isForeground() const
    {
        return colorMethod() == kForeground || (colorMethod() == kByACI && colorIndex() == kACIforeground);
    }

private:
    Adesk::UInt32 mWhole;
};

class ARXHOST_EXPORT AcCmColor {
public:
    AcCmColor() = default;
    AcCmEntityColor::ColorMethod colorMethod() const { return static_cast<AcCmEntityColor::ColorMethod>(mMethod); }
    Acad::ErrorStatus setColorMethod(AcCmEntityColor::ColorMethod m);
    bool isByLayer() const { return mMethod == AcCmEntityColor::kByLayer; }
    bool isByBlock() const { return mMethod == AcCmEntityColor::kByBlock; }
    bool isByColor() const { return mMethod == AcCmEntityColor::kByColor; }
    bool isByACI() const { return mMethod == AcCmEntityColor::kByACI; }
    // The colour index: 256 by layer, 0 by block, 1..255 an index. A true colour
    // reports the nearest index.
    Adesk::UInt16 colorIndex() const;
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 index);
    Acad::ErrorStatus setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);
    Adesk::UInt8 red() const { return static_cast<Adesk::UInt8>(mRGB >> 16); }
    Adesk::UInt8 green() const { return static_cast<Adesk::UInt8>(mRGB >> 8); }
    Adesk::UInt8 blue() const { return static_cast<Adesk::UInt8>(mRGB); }
    // The stored value: method in the top byte, then index or red, green, blue.
    Adesk::UInt32 color() const;
    Acad::ErrorStatus setColor(Adesk::UInt32 value);
    bool operator==(const AcCmColor& o) const { return color() == o.color(); }
    bool operator!=(const AcCmColor& o) const { return !(*this == o); }

private:
    // Eight bytes in all: every entity carries one.
    Adesk::UInt8 mMethod = AcCmEntityColor::kByLayer;  // an AcCmEntityColor::ColorMethod
    Adesk::UInt16 mIndex = 256;  // for kByACI
    Adesk::UInt32 mRGB = 0;       // 0x00RRGGBB for kByColor
};

// Red, green and blue of a colour index (the standard 256-entry palette).
ARXHOST_EXPORT Adesk::UInt32 acdbColorIndexToRGB(Adesk::UInt16 index);

class ARXHOST_EXPORT AcCmTransparency {
public:
    enum transparencyMethod { kByLayer = 0, kByBlock = 1, kByAlpha = 2, kErrorValue = 3 };
    AcCmTransparency() = default;
    explicit AcCmTransparency(Adesk::UInt8 alpha) { setAlpha(alpha); }
    void setAlpha(Adesk::UInt8 alpha)
    {
        mMethod = kByAlpha;
        mAlpha = alpha;
    }
    Adesk::UInt8 alpha() const { return mAlpha; }
    transparencyMethod method() const { return static_cast<transparencyMethod>(mMethod); }
    void setMethod(transparencyMethod m) { mMethod = static_cast<Adesk::UInt8>(m); }
    bool isByLayer() const { return mMethod == kByLayer; }
    bool isByBlock() const { return mMethod == kByBlock; }
    bool isByAlpha() const { return mMethod == kByAlpha; }
    bool isClear() const { return mMethod == kByAlpha && mAlpha == 0; }
    bool isSolid() const { return mMethod == kByAlpha && mAlpha == 255; }
    // The stored value: 0 by layer, 0x01000000 by block, 0x02000000 | alpha.
    Adesk::UInt32 serializeOut() const;
    void serializeIn(Adesk::UInt32 value);
    bool operator==(const AcCmTransparency& o) const { return serializeOut() == o.serializeOut(); }

private:
    Adesk::UInt8 mMethod = kByLayer;  // a transparencyMethod, in one byte
    Adesk::UInt8 mAlpha = 255;
};
