// Utility functions over result buffers and host-allocated text.
#pragma once
#include "adscodes.h"
#include "adsdef.h"

// Builds a chain from pairs of (type or group code, value), ending at RTNONE or 0.
ACRX_EXPORT resbuf* acutBuildList(int rtype, ...);
// Releases a whole chain, with the strings and binary chunks it owns.
ACRX_EXPORT int acutRelRb(resbuf* rb);
ACRX_EXPORT resbuf* acutNewRb(int type);
// Host-allocated memory, released with acutDelBuffer.
ACRX_EXPORT void* acutNewBuffer(size_t size);
ACRX_EXPORT void acutDelBuffer(void* buffer);
template <class T>
void acutDelBuffer(T*& buffer)
{
    acutDelBuffer(static_cast<void*>(buffer));
    buffer = nullptr;
}
// Makes a host-allocated copy of a text (released with acutDelBuffer).
ACRX_EXPORT int acutNewString(const ACHAR* text, ACHAR*& copy);
// Copies a text into a buffer of a given size, always terminated.
ACRX_EXPORT int acutCopyString(ACHAR* dest, size_t destSize, const ACHAR* src);
// Prints to the host's command line (printf format, wide).
ACRX_EXPORT int acutPrintf(const ACHAR* format, ...);
