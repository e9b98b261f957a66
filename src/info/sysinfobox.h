// The system information box, opened from the Help menu.
#pragma once

#include <windows.h>

// Runs SysInfoBox modally: the screen, the system and its owner. Returns 1.
int ShowSystemInformation(HWND owner);
