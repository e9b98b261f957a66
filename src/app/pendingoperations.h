// Commands whose windows are not part of the program yet. They are routed
// here so that the menus, buttons and status lines already behave; each
// moves to its own file, next to its window, when it is written.
#pragma once

#include <windows.h>

// The Setup sheet; true when a change needs the lists drawn anew.
bool RunSetupSheet(HWND owner);
