// The main window: its class, its procedure, and its messages.
#pragma once

#include <windows.h>

inline constexpr char kMainClassName[] = "QuillmereApplication";
inline constexpr int kMinimumWidth = 600;
inline constexpr int kMinimumHeight = 420;
// Takes the startup window down after LogoDelay.
inline constexpr UINT_PTR kLogoTimer = 3;

void RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
