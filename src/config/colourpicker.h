// The colour picker and the colour buttons of the Setup pages: both show the
// program's 256-colour palette, so every colour the user can choose is a
// palette colour and a stored colour is shown as its nearest palette colour.
// Windows.
#pragma once

#include <windows.h>

#include <cstdint>

// Refills the shared palette buffer from the ORTHOPAL resource (when
// useResource is set and the resource can be had) or the built-in cube,
// copies it to out (768 bytes) when out is given, and returns the buffer,
// valid until the next call.
const uint8_t* GetPalette(bool useResource, uint8_t* out);

// Runs the picker modally over the count entries of palette, starting from
// *colour. True, with the chosen entry in *colour, when a cell was clicked;
// false when the user cancelled. The owner is updated at once afterwards.
bool PickColour(HWND owner, const uint8_t* palette, int count, COLORREF* colour);

// Paints one owner-drawn colour button of page in its nearest palette
// colour (mid grey when disabled), sunken while pressed.
void DrawColourButton(HWND page, const DRAWITEMSTRUCT& item, const uint8_t* palette, COLORREF colour, int count);

// Builds a logical palette of the entries, selects it into dc as a
// foreground palette and realises it. The caller selects it out and
// deletes it after painting; null when it could not be made.
HPALETTE RealisePalette(HDC dc, const uint8_t* palette, int count);
