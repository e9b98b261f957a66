// Process-wide state of the running program, made at start-up and alive
// until the process ends. Touched only from the user-interface thread.
#pragma once

#include <windows.h>

struct AppState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;  // owner of dialogs and message boxes
    HBRUSH faceBrush = nullptr; // COLOR_BTNFACE, the class background
    HFONT controlFont = nullptr;
    HFONT listFont = nullptr;   // names in the list rows
};

extern AppState g_app;
