// The Setup property sheet: four pages that edit the settings record.
// Windows.
#pragma once

#include <windows.h>

// Runs the sheet modally over owner. The record changes only when the user
// presses OK, and then only for the pages that were opened. True when a
// change needs the lists drawn anew (a list font size changed).
bool RunSetupSheet(HWND owner);
