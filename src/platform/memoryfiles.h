// The in-memory file backend of the platform layer (platform_memory.cpp),
// linked instead of the disk backend where the file system would only slow
// things down: the fuzzers. Paths are plain keys; nothing reaches the disk.
#pragma once

#include <cstddef>

// Makes a file at path hold exactly these bytes.
void PlatMemoryPut(const char* path, const void* data, size_t size);
// The bytes of the file at path (valid until the next call that changes
// it); false when there is no such file.
bool PlatMemoryGet(const char* path, const unsigned char** data, size_t* size);
// Forgets every file; open handles become invalid.
void PlatMemoryClear();
