// The font sample window: a font's name, its characters 32 to 255 and the
// user's sample sentence set in the font, with its notice below. Windows.
#pragma once

#include <windows.h>

// What the window shows. Every field may be null. For an installed font
// face and privateCopy are null; for a font file they are the temporary
// face and copy of the load (empty when the file itself was loaded).
struct SampleRequest {
    const char* location;     // where the font's file is, shown in the caption
    const char* fullName;     // the font's full name, its face when no face is given
    const char* notice;       // copyright or trademark text, shown below the sample
    const char* face;         // the face the font was loaded under
    const char* privateCopy;  // the temporary copy; the caller releases it
};

// Runs the sample window modally over owner, then repaints the owner at once.
void ShowSampleWindow(HWND owner, const SampleRequest& request);

// The sample window of the installed list's row, from the font's file in
// the fonts directory (or wherever the font key says it is).
void ShowInstalledFontSample(HWND mainWindow, int row);

// The sample window of a font file of the current directory, loaded for as
// long as the window is open; a file that cannot be read or loaded is
// reported instead.
void ShowFileSample(HWND mainWindow, const char* fileName);
