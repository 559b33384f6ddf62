// GDI+ basic types with Windows' values: result codes, units, rectangles, points,
// sizes and colours, the opaque native object types of the flat interface, and the
// abort callback of DrawImage.
#pragma once
#include "wtypes.h"

#ifndef RC_INVOKED
#define WINGDIPAPI
#define GDIPCONST const

namespace Gdiplus {

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
    ProfileNotFound = 21,
};

enum Unit {
    UnitWorld = 0,
    UnitDisplay = 1,
    UnitPixel = 2,
    UnitPoint = 3,
    UnitInch = 4,
    UnitDocument = 5,
    UnitMillimeter = 6,
};

using REAL = float;
using ARGB = DWORD;
using GpStatus = Status;
using GpUnit = Unit;

using ImageAbort = BOOL(CALLBACK*)(VOID*);
using DrawImageAbort = ImageAbort;

class Point {
public:
    Point() : X(0), Y(0) {}
    Point(INT x, INT y) : X(x), Y(y) {}
    INT X;
    INT Y;
};

class Size {
public:
    Size() : Width(0), Height(0) {}
    Size(INT width, INT height) : Width(width), Height(height) {}
    INT Width;
    INT Height;
};

class Rect {
public:
    Rect() : X(0), Y(0), Width(0), Height(0) {}
    Rect(INT x, INT y, INT width, INT height) : X(x), Y(y), Width(width), Height(height) {}
    Rect(const Point& location, const Size& size) : X(location.X), Y(location.Y), Width(size.Width), Height(size.Height) {}
    INT GetLeft() const { return X; }
    INT GetTop() const { return Y; }
    INT GetRight() const { return X + Width; }
    INT GetBottom() const { return Y + Height; }
    BOOL IsEmptyArea() const { return Width <= 0 || Height <= 0; }
    BOOL Contains(INT x, INT y) const { return x >= X && x < X + Width && y >= Y && y < Y + Height; }
    INT X;
    INT Y;
    INT Width;
    INT Height;
};

class Color {
public:
    Color() : Argb(0xFF000000u) {}
    Color(BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(255, r, g, b)) {}
    Color(BYTE a, BYTE r, BYTE g, BYTE b) : Argb(MakeARGB(a, r, g, b)) {}
    explicit Color(ARGB argb) : Argb(argb) {}
    BYTE GetA() const { return static_cast<BYTE>(Argb >> 24); }
    BYTE GetR() const { return static_cast<BYTE>(Argb >> 16); }
    BYTE GetG() const { return static_cast<BYTE>(Argb >> 8); }
    BYTE GetB() const { return static_cast<BYTE>(Argb); }
    ARGB GetValue() const { return Argb; }
    VOID SetValue(ARGB argb) { Argb = argb; }
    static ARGB MakeARGB(BYTE a, BYTE r, BYTE g, BYTE b)
    {
        return (static_cast<ARGB>(a) << 24) | (static_cast<ARGB>(r) << 16) | (static_cast<ARGB>(g) << 8) | b;
    }

protected:
    ARGB Argb;
};

// The native objects behind the classes; opaque to their users.
class GpImage {};
class GpBitmap : public GpImage {};
class GpGraphics {};
class GpImageAttributes {};

}  // namespace Gdiplus
#endif
