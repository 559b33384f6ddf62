// AcDbHandle: the 64-bit name of an object, unique in its database and kept in
// its files. As text it is hexadecimal without prefix.
#pragma once
#include "adesk.h"

class ARXHOST_EXPORT AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(Adesk::UInt64 value) : mValue(value) {}
    AcDbHandle(Adesk::UInt32 low, Adesk::UInt32 high) : mValue((Adesk::UInt64(high) << 32) | low) {}
    // Parses hexadecimal text; text that is not a handle gives the null handle.
    AcDbHandle(const ACHAR* hexText);
    explicit AcDbHandle(const char* hexText);

    bool isNull() const { return mValue == 0; }
    void setNull() { mValue = 0; }
    Adesk::UInt32 low() const { return static_cast<Adesk::UInt32>(mValue); }
    Adesk::UInt32 high() const { return static_cast<Adesk::UInt32>(mValue >> 32); }
    Adesk::UInt64 value() const { return mValue; }
    operator Adesk::UInt64() const { return mValue; }

    // Writes the hexadecimal digits (upper case, no leading zeros, "0" for null)
    // and a terminator into pBuf, which must hold 17 characters: at most 16 digits
    // and the terminator.
    void getIntoAsciiBuffer(ACHAR* pBuf) const;

    AcDbHandle& operator++()
    {
        ++mValue;
        return *this;
    }
    AcDbHandle operator++(int)
    {
        AcDbHandle old = *this;
        ++mValue;
        return old;
    }
    AcDbHandle operator+(const AcDbHandle& h) const { return AcDbHandle(mValue + h.mValue); }
    bool operator==(const AcDbHandle& h) const { return mValue == h.mValue; }
    bool operator!=(const AcDbHandle& h) const { return mValue != h.mValue; }
    bool operator<(const AcDbHandle& h) const { return mValue < h.mValue; }
    bool operator>(const AcDbHandle& h) const { return mValue > h.mValue; }

private:
    Adesk::UInt64 mValue = 0;
};
