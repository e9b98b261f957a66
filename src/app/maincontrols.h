// The seventeen child controls of the main window and where they stand.
#pragma once

#include <windows.h>

struct MainControl {
    int id;
    const char* className;
    const char* text;  // nullptr: the "No fonts selected" status text
    DWORD style;
};

inline constexpr int kMainControlCount = 17;
extern const MainControl kMainControls[kMainControlCount];

// Creates the controls in order, measured on the window's client area.
void CreateMainControls(HWND mainWindow);

// Moves every control to its place for the present client size.
void LayoutMainControls(HWND mainWindow);
