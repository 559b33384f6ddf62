// COM helpers over kernel objects: a stream on a global memory block.
#pragma once
#include "objidl.h"
#include "win32/export.h"
#include "winbase.h"

#ifndef RC_INVOKED
// A stream over the block hGlobal (a new, growing block when null): it reads and
// writes the block's bytes, its size is the block's size, and it grows the block
// (which must be moveable) when written past the end. With fDeleteOnRelease the
// block is freed when the last reference to the stream goes.
W32_EXPORT HRESULT CreateStreamOnHGlobal(HGLOBAL hGlobal, BOOL fDeleteOnRelease, LPSTREAM* ppstm);
#endif
