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
    // Number 0: the system picks a free name and creates the file, empty.
    const UINT unique = GetTempFileNameA(folder, "GLYT", 0, copy);
    if (unique == 0) lstrcpyA(copy, "TEMP$$$.$$$");

    char face[16];
    snprintf(face, sizeof face, "FONT%u", unique);
    // The renamed font goes straight into the new file: one read of the
    // source, one write of the copy. Every row sample pays for this, so no
    // plain copy, backup or attribute change comes before it.
    if (!RewriteFontNameInto(face, source, copy)) {
        // The rewrite deletes a copy it began to write; the empty file that
        // the name was made with is ours to delete. A fallback name that was
        // never written is left alone: it is not ours.
        if (unique != 0) DeleteFileA(copy);
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
