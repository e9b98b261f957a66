// The two texts of the main window that carry the current directory.
#pragma once

#include <windows.h>

// "Quillmere 2.0d  [<current directory>]" as the window's title.
void SetMainTitle(HWND mainWindow);

// Labels the "Copy to..." menu item with the current directory, ending in a
// backslash.
void SetCopyToLabel(HWND mainWindow);
