// Removing installed fonts: the font's registry value goes, the font leaves
// the graphics interface's font table and its file is deleted from the
// fonts directory. Windows only.
#pragma once

#include <windows.h>

#include "ops/changes.h"

// Removes the installed list's selected fonts after asking. Returns
// kChangedFonts when it went ahead (every program was told), nothing when
// no font was selected or the user declined.
unsigned RemoveSelectedFonts(HWND mainWindow);

// Removes the font of installed-list row `index`, whose text is `rowText`.
// Failures ask the user, with a box owned by `owner` (the main window),
// whether to go on; the result is 1 to go on with the next font and 0 to
// stop. A file still in use is reported without a question and the batch
// goes on.
int RemoveInstalledFont(HWND owner, int index, const char* rowText);
