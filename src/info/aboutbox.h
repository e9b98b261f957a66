// The about box and its credits box, opened from the Help menu.
#pragma once

#include <windows.h>

// Runs the about box modally. True when it ended with OK, its only way out.
bool ShowAboutBox(HWND owner);

// Runs the credits box modally; only "Done" ends it.
void ShowCredits(HWND owner);
