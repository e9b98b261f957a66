// The startup logo window shown while the program starts.
#pragma once

#include <windows.h>

// Shows the startup window when ShowStartupWindow is set. The window itself
// arrives with the about box; until then nothing is shown.
void CreateStartupWindow(HINSTANCE instance);

// Takes the startup window down if it is still up.
void DestroyStartupWindow();
