// The pictures of the information windows, straight from the program's
// bitmap resources: whole pictures drawn with their own palettes, and
// pictures drawn over their masks. Windows only.
#pragma once

#include <windows.h>

// Bitmap resource `id` as it lies in the program: a 40-byte header, then
// biClrUsed colours, then the pixel bits. Null when the resource is missing
// or not such a bitmap. Resources stay mapped for the life of the program,
// so there is nothing to release.
const BITMAPINFOHEADER* LoadPicture(UINT id);

// The screen's colour depth as ColourDepthOf (colourtext.h) gives it: 1, 4
// or 8 for palette screens, 24 for every deeper one.
unsigned ScreenColourDepth();

// Draws the whole picture at x, y with the raster operation `rop`. A
// picture of 5 to 8 bits per pixel has its own palette realised in the
// device context first and taken out again afterwards. Nothing is drawn
// for a null picture.
void DrawPalettePicture(HDC dc, int x, int y, const BITMAPINFOHEADER* picture, DWORD rop);

// Draws a double-height picture over its mask at x, y: the lower half (the
// mask, black where the picture is opaque) is ANDed onto the destination,
// then the upper half (the picture, black where it is transparent) is
// XORed over it. No palette is realised.
void DrawMaskedPicture(HDC dc, int x, int y, const BITMAPINFOHEADER* picture);
