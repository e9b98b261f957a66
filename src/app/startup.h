// Start-up and shutdown of the program around the message loop.
#pragma once

#include <windows.h>

// Everything before the message loop: settings, fonts and brush, the main
// window with its controls and lists, recent directories, drops, status,
// and the logo timer. Returns the main window (null if it could not be
// made).
HWND StartQuillmere(HINSTANCE instance, HINSTANCE previous, int show);

// GetMessageA / TranslateMessage / DispatchMessageA until WM_QUIT.
void RunMessageLoop();

// After the loop: the shared GDI objects and the window class go.
void FinishQuillmere(HINSTANCE instance);

// The whole run; returns 0, or 1 when the main window could not be made.
int RunQuillmere(HINSTANCE instance, HINSTANCE previous, int show);
