// Inches text of the Setup pages and the clamp of their up-down ranges.
#include "config/setupvalues.h"

#include <algorithm>
#include <cstdio>

namespace {

// Whole inches stop growing here: anything larger is past every result
// already, and the cap keeps the arithmetic inside 64 bits.
constexpr uint64_t kWholeInchesCap = uint64_t{1} << 32;
// The largest size a negative entry keeps: the result stays at or above
// 0x80000000 however large the entry.
constexpr uint64_t kNegativeCap = uint64_t{1} << 31;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

size_t FormatInches(uint32_t hundredths, char* out, size_t size) {
    // The same text as "%u.%02.2u\"" gives; the '0' flag is redundant beside
    // the precision and compilers warn about it.
    const int n = snprintf(out, size, "%u.%02u\"", static_cast<unsigned>(hundredths / 100),
                           static_cast<unsigned>(hundredths % 100));
    if (n < 0 || static_cast<size_t>(n) >= size) {
        if (size) out[0] = 0;
        return 0;
    }
    return static_cast<size_t>(n);
}

uint32_t ParseInches(const char* text) {
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';

    uint64_t whole = 0;
    for (; IsDigit(*text); ++text) whole = std::min(whole * 10 + static_cast<uint64_t>(*text - '0'), kWholeInchesCap);
    // Tenths and hundredths; later digits are dropped, which truncates the
    // size toward zero whatever the sign.
    uint64_t fraction = 0;
    if (*text == '.') {
        ++text;
        for (int place = 0; place < 2; ++place) {
            fraction *= 10;
            if (IsDigit(*text)) fraction += static_cast<uint64_t>(*text++ - '0');
        }
    }
    const uint64_t size = whole * 100 + fraction;

    if (negative) return static_cast<uint32_t>(0u - static_cast<uint32_t>(std::min(size, kNegativeCap)));
    return static_cast<uint32_t>(std::min<uint64_t>(size, UINT32_MAX));
}

uint32_t ClampToRange(uint32_t value, uint32_t range) {
    if (range == 0) return value;
    const uint32_t lower = range >> 16;
    const uint32_t upper = range & 0xFFFF;
    return std::min(std::max(value, lower), upper);
}

uint32_t ClampToKeyRange(const SettingsKey& key, uint32_t value) { return ClampToRange(value, key.range); }
