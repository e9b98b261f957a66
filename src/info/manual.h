// Opening the HTML manual beside the program in the application that the
// system associates with .htm files, after an optional warning.
#pragma once

#include <windows.h>

#include <cstdint>

// The manual at its documentation section. Returns 1.
int OpenManual(HWND owner);
// The Manual command.
void ShowManual(HWND owner);

// The reference document at #anchor ("SETUP", "Sysinfo"). Returns 1.
int OpenReference(HWND owner, const char* anchor);

// Runs the warning box with text when *setting is set; the box can clear
// the setting. Does nothing when it is clear.
void ShowWarning(HWND owner, const char* text, uint32_t* setting);
