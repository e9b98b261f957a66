#include "platform/win32calls.h"

#include <lzexpand.h>

#include "platform/faults.h"

LONG PlatRegOpenKey(const char* subKey, REGSAM access, HKEY* key) {
    if (PlatFaultHit(PlatOp::RegOpen)) return static_cast<LONG>(PlatFaultError());
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, access, key);
}

LONG PlatRegSetString(HKEY key, const char* name, const char* value) {
    if (PlatFaultHit(PlatOp::RegWrite)) return static_cast<LONG>(PlatFaultError());
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(lstrlenA(value) + 1));
}

LONG PlatCopyLz(INT from, INT to) {
    if (PlatFaultHit(PlatOp::LzCopy)) {
        CopyLZFile(from, to);
        SetLastError(PlatFaultError());
        return LZERROR_WRITE;
    }
    return CopyLZFile(from, to);
}
