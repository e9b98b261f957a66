#include "platform/paths.h"

#include <cstring>

#include "platform/platform.h"

void AppendSeparator(char* path, size_t size) {
    const size_t length = strlen(path);
    if (length > 0 && path[length - 1] != kPlatPathSep && length + 1 < size) {
        path[length] = kPlatPathSep;
        path[length + 1] = 0;
    }
}

void CurrentDirectoryWithSeparator(char* out, size_t size) {
    if (!PlatCurrentDirectory(out, size)) return;
    AppendSeparator(out, size);
}

bool JoinPath(char* out, size_t size, const char* directory, const char* name) {
    const size_t length = strlen(directory);
    const size_t separator = length > 0 && directory[length - 1] != kPlatPathSep ? 1 : 0;
    const size_t nameLength = strlen(name);
    if (size == 0 || length + separator + nameLength >= size) {
        if (size) out[0] = 0;
        return false;
    }
    memmove(out, directory, length);
    if (separator) out[length] = kPlatPathSep;
    memcpy(out + length + separator, name, nameLength + 1);
    return true;
}

bool IsBareFileName(const char* name) {
    if (name[0] == 0 || strcmp(name, ".") == 0 || strcmp(name, "..") == 0) return false;
    return strpbrk(name, "\\/:") == nullptr;
}
