// The startup window arrives with the about box; start-up and shutdown
// already call these at the right moments.
#include "info/startupwindow.h"

void CreateStartupWindow(HINSTANCE) {}

void DestroyStartupWindow() {}
