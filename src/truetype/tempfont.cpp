// Temporary font loading.
//
// A font file whose family has the same name as an installed font would be
// drawn with the installed font. Drawing a private copy whose naming table
// carries a generated, unique name shows the file's own glyphs instead.
#include "truetype/tempfont.h"

#include <windows.h>

#include <cstdio>

#include "truetype/namerewrite.h"

int LoadTemporaryFont(const char* source, char* faceName, char* tempPath) {
    faceName[0] = 0;
    tempPath[0] = 0;

    char folder[MAX_PATH] = "";
    char copy[MAX_PATH] = "";
    GetTempPathA(sizeof folder, folder);
    // Number 0: the system picks a free name and creates the file.
    const UINT unique = GetTempFileNameA(folder, "GLYT", 0, copy);
    if (unique == 0) lstrcpyA(copy, "TEMP$$$.$$$");

    char face[16];
    snprintf(face, sizeof face, "FONT%u", unique);
    if (!CopyFileA(source, copy, FALSE)) {
        if (unique != 0) DeleteFileA(copy);
        return AddFontResourceA(source);
    }
    // A copy of a read-only file is read-only too, and the rewrite writes it.
    const DWORD attributes = GetFileAttributesA(copy);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesA(copy, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    if (!RewriteFontName(face, copy)) {
        DeleteFileA(copy);
        return AddFontResourceA(source);
    }
    const int added = AddFontResourceA(copy);
    if (added == 0) {
        // Nobody will release a font that was not added: leave no copy.
        DeleteFileA(copy);
        return 0;
    }
    lstrcpyA(faceName, face);
    lstrcpynA(tempPath, copy, MAX_PATH);
    return added;
}

void ReleaseTemporaryFont(const char* source, const char* tempPath) {
    if (tempPath[0] != 0) {
        RemoveFontResourceA(tempPath);
        DeleteFileA(tempPath);
    } else {
        RemoveFontResourceA(source);
    }
}
