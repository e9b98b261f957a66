// The file list's row order, away from any window so it can be checked on
// its own.
#pragma once

#include <cstddef>

// Bytes of one row: at most 275 characters and the terminator.
inline constexpr size_t kRowSlot = 276;

// True for a drive row, "[-x-]".
inline bool IsDriveRow(const char* row) { return row[0] == '[' && row[1] == '-'; }

// Orders rows as neighbour swaps would, never comparing a drive row with
// anything: drive rows stay where they are, and each run of other rows
// between them is sorted by compare, equal rows keeping their order.
void SortRowsAroundDrives(char (*rows)[kRowSlot], size_t count, int (*compare)(const char*, const char*));
