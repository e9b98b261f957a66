// Making a font file drawable for a moment without installing it. Windows.
#pragma once

// Adds the font of source to the system font table for drawing. When its
// copy in the temporary folder can be renamed inside to a unique "FONT%d"
// face, that copy is what gets added, and faceName (16 bytes) and tempPath
// (MAX_PATH bytes) name it; otherwise the source itself is added and both
// stay empty. Returns what AddFontResourceA returned: 0 when the font could
// not be added (and then nothing is left behind).
int LoadTemporaryFont(const char* source, char* faceName, char* tempPath);

// Undoes LoadTemporaryFont (or a plain AddFontResourceA of source when
// tempPath is empty): removes the font by the path it was added under and
// deletes the temporary copy.
void ReleaseTemporaryFont(const char* source, const char* tempPath);
