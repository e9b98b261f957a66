// Drawing the rows of the two lists and the two arrow buttons. Windows.
#pragma once

#include <windows.h>

// WM_DRAWITEM for a row of the installed list (101) or the file list (111).
void DrawListRow(const DRAWITEMSTRUCT* item);

// Draws the upper half of a picture-over-mask bitmap resource
// transparently at (x + 1, y + 1).
void DrawMaskedBitmap(HDC dc, int x, int y, int bitmapId);

// An owner-drawn button whose "<" and ">" are drawn as arrows.
void DrawArrowButton(const DRAWITEMSTRUCT* item);
