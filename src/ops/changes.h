// What an operation changed, so that the main window's command layer (and
// only it) decides what to show anew. Operations return a set of these.
#pragma once

enum Changed : unsigned {
    kChangedNothing = 0,
    kChangedFiles = 1,   // files of the current directory: the file list is out of date
    kChangedFonts = 2,   // the system's fonts: every program was told already
    kChangedFolder = 4,  // the current directory: title, "Copy to" label, recent directories
};
