// Until their windows are written these commands do nothing.
#include "app/pendingoperations.h"

void ShowAboutBox(HWND) {}
void ShowSystemInformation(HWND) {}
