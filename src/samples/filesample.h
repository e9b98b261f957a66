// The sample image of a file-list row: the font's full name drawn in the
// font itself. Windows.
#pragma once

#include <windows.h>

// What a row holds when its sample could not be made, so that it is not
// tried again until the list is filled anew.
inline HGLOBAL SampleFailed() { return reinterpret_cast<HGLOBAL>(static_cast<LONG_PTR>(-1)); }

// Renders the row's font file (a name in the current directory) into a
// packed 1-bit DIB of width x height pixels, black on white, the name
// starting 8 pixels in and ending in an ellipsis when it does not fit.
// Returns the block, or SampleFailed() for directory and drive rows and for
// files that cannot be read or loaded.
HGLOBAL RenderFileSample(const char* rowText, int width, int height);
