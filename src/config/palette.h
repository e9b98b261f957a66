// The 256-colour palette of the colour picker and the colour buttons.
//
// The palette is the program's ORTHOPAL resource (written at build time by
// tools/genpalette.py): 256 entries of red, green and blue, behind a header
// the reader does not look at. When the resource cannot be had, a built-in
// colour cube stands in for it. The window side finds, loads and locks the
// resource and hands its bytes in here; everything else is done here.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kPaletteEntryCount = 256;
// Red, green and blue for each entry, in that order.
inline constexpr size_t kPaletteBytes = 3 * kPaletteEntryCount;
// Where the entries lie in the resource, and so the least size a resource
// must have to be taken.
inline constexpr size_t kPaletteResourceDataOffset = 85;
inline constexpr size_t kPaletteResourceSize = kPaletteResourceDataOffset + kPaletteBytes;

// The built-in colour cube: entry 32r + 4g + b has red and green from 32,
// 64, ..., 224, 255 by r and g, and blue from 64, 128, 192, 255 by b.
void FillFallbackPalette(uint8_t (&palette)[kPaletteBytes]);

// Fills palette with the cube, then overwrites it with the 768 bytes at
// offset 85 of the resource when there is a resource of at least 853 bytes
// (a shorter one is not read at all). Returns whether the resource was
// used. The resource's header is not checked.
bool FillPalette(uint8_t (&palette)[kPaletteBytes], const void* resource, size_t size);

// Refills the process-wide palette buffer as FillPalette does, copies it to
// out (kPaletteBytes) when out is given, and returns the buffer. Every
// request refills it, so the result stays valid only until the next call.
// Pass no resource to get the cube.
const uint8_t* LoadPalette(const void* resource, size_t size, uint8_t* out);

// The index of the entry of palette (count entries) nearest to the colour by
// squared distance. Entries are tried in index order and one replaces the
// best so far only when strictly nearer, so ties go to the lowest index and
// an exact match ends the search. With no entries the result is 0.
int NearestPaletteEntry(uint8_t red, uint8_t green, uint8_t blue, const uint8_t* palette, int count);
