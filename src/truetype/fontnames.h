// Reading the names a TrueType file carries: its full name and its notice.
#pragma once

#include <cstddef>
#include <cstdint>

// Room for one name: 1024 characters and the terminating zero.
inline constexpr size_t kFontNameCapacity = 1025;

// Reads the full name (name ID 4, the Microsoft record preferred) and the
// notice (copyright, else trademark) of the font file at path into two
// buffers of kFontNameCapacity bytes. True when a non-empty full name was
// found; after false the display name is empty.
bool ReadFontNames(char* displayName, char* notice, const char* path);

// One UTF-16 code unit to the ANSI code page, the typographic marks mapped
// to their 1252 places, everything else cut to its low byte.
unsigned char MapUnicodeToAnsi(uint16_t codeUnit);

// Prepares a notice for a multi-line edit control, in place: CR becomes
// CR LF, a tab a space, other control characters go; the result fits in
// capacity bytes with its terminator.
void NormalizeNoticeText(char* text, size_t capacity);

// The current directory joined to name, in a static buffer that the next
// call overwrites; empty when the path would not fit.
const char* PathInCurrentDirectory(const char* name);
