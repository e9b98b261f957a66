// Until their windows are written these commands do nothing.
#include "app/pendingoperations.h"

bool RunSetupSheet(HWND) { return false; }
void ShowAboutBox(HWND) {}
void ShowSystemInformation(HWND) {}
