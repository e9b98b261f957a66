// Commands whose windows are not part of the program yet. They are routed
// here so that the menus, buttons and status lines already behave; each
// moves to its own file, next to its window, when it is written.
#pragma once

#include <windows.h>

// Sample sheets of a list's selection: fileList 0 for installed fonts, 1
// for font files.
void PrintSampleSheet(HWND list, int fileList);

// The Setup sheet; true when a change needs the lists drawn anew.
bool RunSetupSheet(HWND owner);

void ShowAboutBox(HWND owner);
void ShowSystemInformation(HWND owner);
