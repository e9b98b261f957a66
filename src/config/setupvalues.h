// The values of the Setup pages as their controls carry them: hundredths of
// an inch shown and typed as inches, and the up-down ranges that OK applies.
//
// A hundredths edit is written by the page itself (when the page opens,
// after an up-down move, after a reset button) and read back at once by its
// own change notification, so reading must give back exactly what writing
// produced. The conversion is therefore done in whole numbers, never in
// floating point, where a text such as 0.29 can come back as 28.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/settings.h"

// Room for the longest inches text, 42949672.95 and the inch mark, with its
// terminating zero.
inline constexpr size_t kInchesTextSize = 16;

// A hundredths value as whole inches, a point, two digits of hundredths and
// an inch mark (a double-quote character): 50 gives 0.50", 5 gives 0.05",
// 3000 gives 30.00". Returns the length; 0, with empty text when size
// allows, if the text does not fit.
size_t FormatInches(uint32_t hundredths, char* out, size_t size);

// Inches as typed into a hundredths edit, in hundredths: the decimal number
// at the start of text times 100, digits beyond the hundredths dropped
// (truncated toward zero). So "1.5" is 150, "40" and "40\"" are 4000,
// "0.005" is 0.
//
// The number is: leading blanks (spaces, tabs), an optional "+" or "-",
// digits, and optionally a point with more digits (".5" and "5." are
// numbers). It ends at the first character that cannot continue it: the
// inch mark, a blank, a second point, a comma. Text without digits reads as
// 0, as does "-0.001". There is no exponent form.
//
// The page clamps the result into the row's range afterwards, so entries
// outside any range are mapped to the end of the range the user is nearer:
// - a negative entry wraps modulo 2^32 like the settings file's numbers
//   ("-1" is 0xFFFFFF9C) and so clamps to the upper bound; its size is
//   capped at 2^31, so even a huge negative entry stays a large unsigned
//   number instead of wrapping round to a small one;
// - a positive entry above 42949672.95 inches gives 0xFFFFFFFF rather than
//   wrapping, so a huge margin becomes the largest margin, not a tiny one.
// Every text FormatInches writes reads back as the value it was made from.
uint32_t ParseInches(const char* text);

// value := min(max(value, lower), upper), compared as unsigned 32-bit
// numbers. range is in the up-down control's packed form (low half upper
// bound, high half lower bound, as SettingsRange builds it and
// UDM_GETRANGE returns it); 0 means no range and leaves value as it is.
uint32_t ClampToRange(uint32_t value, uint32_t range);
// The same with the range of a key-table row.
uint32_t ClampToKeyRange(const SettingsKey& key, uint32_t value);
