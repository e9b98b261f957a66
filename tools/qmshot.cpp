// qmshot: waits for the Quillmere main window, saves a PNG of it, and
// closes the program. Used by `make run` when there is no display to show.
//
//   qmshot OUTPUT.png [SECONDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "screenshot.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: qmshot OUTPUT.png [SECONDS]\n");
        return 2;
    }
    const int seconds = argc > 2 ? atoi(argv[2]) : 30;
    HWND window = nullptr;
    for (int i = 0; i < seconds * 10 && !window; ++i) {
        window = FindWindowA("QuillmereApplication", nullptr);
        if (!window) Sleep(100);
    }
    if (!window) {
        fprintf(stderr, "qmshot: no Quillmere window appeared in %d s\n", seconds);
        return 1;
    }
    // Let the start-up commands and the first paints (samples) run.
    Sleep(3000);
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    const bool written = SaveAreaPng(screen, r.left, r.top, width, height, argv[1]);
    ReleaseDC(nullptr, screen);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!written) {
        fprintf(stderr, "qmshot: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("%s\n", argv[1]);
    return 0;
}
