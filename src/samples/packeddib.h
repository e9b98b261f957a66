// Packed device-independent bitmaps in movable global memory. Windows.
#pragma once

#include <windows.h>

// Allocates a zero-filled packed DIB: BITMAPINFOHEADER, a colour table of
// 2^bitCount entries built from colours (RGB triples, or none), then
// stride x height bytes of pixels, rows bottom-up. Returns the unlocked
// block, or nullptr when it cannot be allocated or locked.
HGLOBAL CreatePackedDib(int width, int height, const COLORREF* colours, int colourCount, int bitCount);

// Bytes per row of a DIB: whole 32-bit words.
inline DWORD DibStride(int width, int bitCount) { return static_cast<DWORD>((width * bitCount + 31) / 32 * 4); }
