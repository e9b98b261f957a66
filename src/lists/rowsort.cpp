#include "lists/rowsort.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

void SortRowsAroundDrives(char (*rows)[kRowSlot], size_t count, int (*compare)(const char*, const char*)) {
    if (count < 2) return;
    // Sort pointers, then lay the rows out again in that order.
    const char** order = static_cast<const char**>(malloc(count * sizeof(const char*)));
    char(*copy)[kRowSlot] = static_cast<char(*)[kRowSlot]>(malloc(count * kRowSlot));
    if (!order || !copy) {
        free(order);
        free(copy);
        return;
    }
    memcpy(copy, rows, count * kRowSlot);
    for (size_t i = 0; i < count; ++i) order[i] = copy[i];
    auto before = [compare](const char* a, const char* b) { return compare(a, b) < 0; };
    size_t start = 0;
    while (start < count) {
        if (IsDriveRow(order[start])) {
            ++start;
            continue;
        }
        size_t end = start;
        while (end < count && !IsDriveRow(order[end])) ++end;
        std::stable_sort(order + start, order + end, before);
        start = end;
    }
    for (size_t i = 0; i < count; ++i) memcpy(rows[i], order[i], kRowSlot);
    free(copy);
    free(order);
}
