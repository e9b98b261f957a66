// The Windows calls of the font operations that a test must be able to
// make fail: the font registry key and the LZ copy. Each behaves exactly as
// the system call it names, except when fault injection (platform.h) asks
// for it to fail. Windows only.
#pragma once

#include <windows.h>

// RegOpenKeyExA under HKEY_LOCAL_MACHINE.
LONG PlatRegOpenKey(const char* subKey, REGSAM access, HKEY* key);
// RegSetValueExA of a REG_SZ value, its terminating zero counted in the
// data as the system's own tools write it.
LONG PlatRegSetString(HKEY key, const char* name, const char* value);
// CopyLZFileA. An injected failure first copies the file, like a copy that
// broke off after writing part of it.
LONG PlatCopyLz(INT from, INT to);
