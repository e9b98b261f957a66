// Ellipsis fitting. Widths are added in 64 bits, so that no measure, however
// large, can make a too-wide prefix look narrow.
#include "samples/ellipsisfit.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char kEllipsis[] = "...";
constexpr size_t kEllipsisLength = 3;

}  // namespace

size_t FitWithEllipsis(char* buffer, size_t size, int maxWidth, const TextMeasure& measure) {
    if (size == 0) return 0;
    size_t length = strnlen(buffer, size);
    if (length == size) {
        length = size - 1;
        buffer[length] = '\0';
    }
    const int64_t dots = measure.width(measure.context, kEllipsis, kEllipsisLength);
    if (measure.width(measure.context, buffer, length) <= maxWidth) return length;

    // The longest prefix that leaves room for "..." and the terminator;
    // longer ones are not tried.
    const size_t room = size > kEllipsisLength + 1 ? size - kEllipsisLength - 1 : 0;
    size_t kept = length <= room ? length : room + 1;
    while (kept > 0) {
        --kept;
        if (kept == 0 || measure.width(measure.context, buffer, kept) + dots <= maxWidth) break;
    }
    size_t end = kept;
    for (size_t i = 0; i < kEllipsisLength && end + 1 < size; ++i) buffer[end++] = kEllipsis[i];
    buffer[end] = '\0';
    return end;
}
