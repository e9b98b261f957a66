// What the rows of the two lists carry, and how tall they are. Windows.
//
// An installed-list row carries a font entry: a movable block with the
// family's face and full names and a display font made once per fill. A
// file-list row carries its sample image: 0 (not made yet), -1 (failed or
// not a font row) or a packed-DIB block.
#pragma once

#include <windows.h>

inline constexpr int kEntryNameSize = 65;

struct FontEntry {
    char faceName[kEntryNameSize];
    char fullName[kEntryNameSize];
    HFONT displayFont;
};

// Stores the row's entry: both names and a display font (DisplayFontSize
// high, face = full name). Without memory the row has no entry; a font that
// cannot be made leaves the entry without one, drawn in the list's font.
void MakeInstalledEntry(HWND list, int index, const char* faceName, const char* fullName);
HFONT EntryFont(HWND list, int index);
// Copy a name into out (kEntryNameSize bytes); false when the row has no entry.
bool EntryFullName(HWND list, int index, char* out);
bool EntryFaceName(HWND list, int index, char* out);
void FreeEntry(HWND list, int index);
void FreeInstalledEntries(HWND list);

// Frees every sample image of the list and marks the row as not made yet;
// rows marked -1 keep the mark.
void FreeFileSamples(HWND mainWindow, int listId);

// TitleFontSize + 8, plus DisplayFontSize when that list shows samples.
void SetListRowHeight(HWND mainWindow, int listId);
