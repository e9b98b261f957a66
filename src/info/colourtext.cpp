// Colour depth, colour count and the thousands text of the information
// windows.
#include "info/colourtext.h"

namespace {

// Bits of colour per screen pixel: the depth of one plane times the planes.
// The product is formed wide so that nonsense from a driver cannot overflow.
unsigned ScreenBits(int bitsPerPixel, int planes) {
    if (bitsPerPixel <= 0 || planes <= 0) return 0;
    const long long bits = static_cast<long long>(bitsPerPixel) * planes;
    return bits > 64 ? 64u : static_cast<unsigned>(bits);
}

// Screens deeper than this show every colour the pictures use; the count
// and the depth both stop here.
constexpr unsigned kTrueColourBits = 24;

}  // namespace

unsigned ColourDepthOf(int bitsPerPixel, int planes) {
    const unsigned bits = ScreenBits(bitsPerPixel, planes);
    // Palette screens have 8 bits or fewer; anything deeper is direct colour.
    return bits >= 9 ? kTrueColourBits : bits;
}

unsigned ColourCountOf(int bitsPerPixel, int planes) {
    const unsigned bits = ScreenBits(bitsPerPixel, planes);
    return 1u << (bits < kTrueColourBits ? bits : kTrueColourBits);
}

const char* ThousandsText(unsigned number) {
    // Filled from the right; "4,294,967,295" is the longest, ten digits and
    // three commas.
    static char text[16];
    char* p = text + sizeof text - 1;
    *p = '\0';
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) *--p = ',';
        *--p = static_cast<char>('0' + number % 10);
        number /= 10;
        ++digits;
    } while (number != 0);
    return p;
}
