// Utility functions over result buffers and host-allocated text.
#pragma once
#include "adscodes.h"
#include "adsdef.h"
#include "acutmem.h"

// Builds a chain from pairs of (type or group code, value), ending at RTNONE or 0.
ARXHOST_EXPORT resbuf* acutBuildList(int rtype, ...);
// Releases a whole chain, with the strings and binary chunks it owns.
ARXHOST_EXPORT int acutRelRb(resbuf* rb);
ARXHOST_EXPORT resbuf* acutNewRb(int type);
// Host-allocated memory, released with acutDelBuffer (acutmem.h).
ARXHOST_EXPORT void* acutNewBuffer(size_t size);
// Makes a host-allocated copy of a text (released with acutDelString).
ARXHOST_EXPORT int acutNewString(const ACHAR* text, ACHAR*& copy);
// Copies a text into a buffer of a given size, always terminated.
ARXHOST_EXPORT int acutCopyString(ACHAR* dest, size_t destSize, const ACHAR* src);
// Prints to the host's command line (printf format, wide).
ARXHOST_EXPORT int acutPrintf(const ACHAR* format, ...);
