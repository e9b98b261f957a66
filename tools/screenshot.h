// Saves an area of a device context (the screen, a window) as a PNG.
// Windows only; used by qmshot and by the tests that leave pictures.
#pragma once

#include <windows.h>

bool SaveAreaPng(HDC source, int x, int y, int width, int height, const char* path);
