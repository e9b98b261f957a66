// Writes 24-bit RGB pixels as a PNG file (stored, uncompressed deflate), so
// screenshots can be looked at without any imaging library.
#pragma once

#include <cstddef>
#include <cstdint>

// rgb: height rows of width pixels, top row first, 3 bytes per pixel.
bool WritePng(const char* path, const uint8_t* rgb, int width, int height);
