// Fitting a line of text to a width by cutting its end and writing "...",
// as the printed sample sheets do for a font's name in its cell and for the
// footer. The measuring is the caller's (the printer's text extent in the
// font selected), so the fitting itself needs no window.
#pragma once

#include <cstddef>

// How wide a text is: width(context, text, length) gives the width in
// pixels of the first length characters of text.
struct TextMeasure {
    int (*width)(void* context, const char* text, size_t length);
    void* context;
};

// Shortens the terminated text in buffer (size bytes) so that it is no
// wider than maxWidth, and returns its new length:
//   - a text no wider than maxWidth stays as it is;
//   - otherwise characters are taken off its end one at a time until the
//     prefix and "..." together are no wider than maxWidth, or nothing is
//     left, and "..." is written after the prefix. A text of which no
//     character fits becomes "..." alone.
// The buffer is never overrun: a prefix is kept only when it, the "..." and
// the terminator fit in size bytes, so give at least the text's length plus
// 4 bytes for the longest prefix to be tried; with fewer the longest
// prefixes are passed over as too long. A buffer of fewer than 4 bytes keeps
// as many periods as fit. A text without a terminator within size bytes is
// first cut to size - 1 characters.
size_t FitWithEllipsis(char* buffer, size_t size, int maxWidth, const TextMeasure& measure);
