// Joining directories and names, the one way the whole program does it.
// Text work, but for reading the current directory.
#pragma once

#include <cstddef>

// Appends the path separator when path is not empty and does not end in
// one, and when it fits in size bytes with its terminator.
void AppendSeparator(char* path, size_t size);

// The process's current directory ending in a separator (unless empty),
// into out (size bytes); empty when it cannot be read.
void CurrentDirectoryWithSeparator(char* out, size_t size);

// Joins a directory and a name into out (size bytes), with a separator
// only where the directory does not end in one. False, with an empty
// result, when the path does not fit: a cut path would name another file.
bool JoinPath(char* out, size_t size, const char* directory, const char* name);

// True for a name that stays inside the directory it is joined to: not
// empty, not "." or "..", and without a drive, root or folder part. A
// registry value that names another folder must not lead a copy or a
// delete there.
bool IsBareFileName(const char* name);
