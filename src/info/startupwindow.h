// The startup window: a borderless logo panel shown while the program
// starts, before the main window exists.
#pragma once

#include <windows.h>

// Registers the window's class and shows the window, top-most and centred,
// when ShowStartupWindow is set; does nothing otherwise.
void CreateStartupWindow(HINSTANCE instance);

// Takes the startup window down and removes its class. Safe to call at any
// time and more than once: when a click has already closed the window only
// the class is left to remove, and when neither is there nothing happens.
void DestroyStartupWindow();
