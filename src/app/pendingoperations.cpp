// Until their windows are written these commands do nothing.
#include "app/pendingoperations.h"

bool RunSetupSheet(HWND) { return false; }
