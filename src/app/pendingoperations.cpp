// Operations whose windows and batches are not part of the program yet.
// Their commands are routed here so that the menus, buttons and status
// lines already behave; each function moves to its own file when its
// operation is written, and until then does nothing.
#include "app/operations.h"

void PrintSampleSheet(HWND, int) {}
bool RunSetupSheet(HWND) { return false; }
void ShowAboutBox(HWND) {}
void ShowSystemInformation(HWND) {}
