// The installed list: one row per installed TrueType family, with the
// lookups that install, copy and remove share. Windows.
#pragma once

#include <windows.h>

// Rebuilds the list; the caller has freed the previous font entries.
void FillInstalledList(HWND mainWindow, int listId);

// Fills a combo box with the installed TrueType families that are not
// symbol fonts.
void FillFontCombo(HWND dialog, int comboId);

// The file that the system's font key names for an installed font's full
// name, or "" (a static buffer the next call overwrites).
const char* FontFileOfInstalledFont(const char* fullName);

// The system fonts directory, ending in a backslash (static buffer).
const char* FontsDirectory();

// True on the Windows NT family, which keeps its fonts under its own key.
bool IsWindowsNT();

// The font registry key that IsWindowsNT picks.
const char* FontRegistryKey();

// Opens the font registry key under HKEY_LOCAL_MACHINE with access.
LONG OpenFontKey(REGSAM access, HKEY* key);

// The name of a font's value under the key: its full name followed by
// " (TrueType)", into out (size bytes). False when it does not fit.
bool FontValueName(const char* fullName, char* out, size_t size);
