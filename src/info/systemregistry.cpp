#include "info/systemregistry.h"

#include <windows.h>

namespace {

bool ReadValue(void*, const char* keyName, const char* valueName, char* out, size_t size) {
    HKEY key;
    if (size == 0 || RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0, length = static_cast<DWORD>(size - 1);
    const bool read = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(out), &length) ==
                          ERROR_SUCCESS &&
                      (type == REG_SZ || type == REG_EXPAND_SZ);
    RegCloseKey(key);
    // The value's text may come without its terminator.
    out[read ? length : 0] = 0;
    return read;
}

}  // namespace

RegistryReader SystemRegistryReader() { return {ReadValue, nullptr}; }
