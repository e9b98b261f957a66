// The colour palette: the resource's entries or the built-in cube, and the
// nearest-entry search that the colour buttons draw with.
#include "config/palette.h"

#include <cstring>

namespace {

uint8_t g_palette[kPaletteBytes];

// Larger than any squared distance between two colours (3 * 255^2).
constexpr int kNoDistance = 1000000;

int Square(int d) { return d * d; }

}  // namespace

void FillFallbackPalette(uint8_t (&palette)[kPaletteBytes]) {
    for (int i = 0; i < kPaletteEntryCount; ++i) {
        const int r = i >> 5;
        const int g = (i >> 2) & 7;
        const int b = i & 3;
        uint8_t* entry = palette + 3 * i;
        // The top level is 255, one short of the next step.
        entry[0] = static_cast<uint8_t>(r == 7 ? 255 : 32 * (r + 1));
        entry[1] = static_cast<uint8_t>(g == 7 ? 255 : 32 * (g + 1));
        entry[2] = static_cast<uint8_t>(b == 3 ? 255 : 64 * (b + 1));
    }
}

bool FillPalette(uint8_t (&palette)[kPaletteBytes], const void* resource, size_t size) {
    FillFallbackPalette(palette);
    if (!resource || size < kPaletteResourceSize) return false;
    memcpy(palette, static_cast<const uint8_t*>(resource) + kPaletteResourceDataOffset, kPaletteBytes);
    return true;
}

const uint8_t* LoadPalette(const void* resource, size_t size, uint8_t* out) {
    FillPalette(g_palette, resource, size);
    if (out) memcpy(out, g_palette, kPaletteBytes);
    return g_palette;
}

int NearestPaletteEntry(uint8_t red, uint8_t green, uint8_t blue, const uint8_t* palette, int count) {
    int best = 0;
    int bestDistance = kNoDistance;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = palette + 3 * i;
        const int distance = Square(entry[0] - red) + Square(entry[1] - green) + Square(entry[2] - blue);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0) break;
        }
    }
    return best;
}
