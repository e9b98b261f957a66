// Small operations on windows that the main window and the dialogs share.
#pragma once

#include <windows.h>

// The answer to the control-colour messages: controls stand on the button
// face with window-text letters. Returns the shared button-face brush.
HBRUSH HandleControlColour(HWND window, HDC dc);

// The four control-colour messages that HandleControlColour answers.
inline bool IsControlColourMessage(UINT message) {
    return message == WM_CTLCOLORMSGBOX || message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG ||
           message == WM_CTLCOLORSTATIC;
}

// Moves the window, size unchanged, to the middle of the screen and to the
// top of the z-order.
void CentreOnScreen(HWND window);

// The system's version record; false (and the record zeroed) when the
// system does not say.
bool ReadWindowsVersion(OSVERSIONINFOA& version);

int ClientWidth(HWND window);
int ClientHeight(HWND window);

// Gives font to every descendant window (nothing when font is null).
void ApplyControlFont(HWND window, HFONT font);
