// Marks the functions and classes the Windows stand-in's shared library exports, so
// that modules built with hidden visibility still bind to them.
#pragma once
#ifndef W32_EXPORT
#define W32_EXPORT __attribute__((visibility("default")))
#endif
