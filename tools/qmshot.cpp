// qmshot: waits for the Quillmere main window, saves a PNG of it, and
// closes the program. Used by `make run` when there is no display to show.
//
//   qmshot OUTPUT.png [SECONDS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "pngwrite.h"

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
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const int stride = (width * 3 + 3) & ~3;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(bits) + static_cast<size_t>(stride) * y;
        for (int x = 0; x < width; ++x) {
            rgb[(static_cast<size_t>(y) * width + x) * 3 + 0] = row[x * 3 + 2];
            rgb[(static_cast<size_t>(y) * width + x) * 3 + 1] = row[x * 3 + 1];
            rgb[(static_cast<size_t>(y) * width + x) * 3 + 2] = row[x * 3 + 0];
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const bool written = WritePng(argv[1], rgb.data(), width, height);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!written) {
        fprintf(stderr, "qmshot: cannot write %s\n", argv[1]);
        return 1;
    }
    printf("%s\n", argv[1]);
    return 0;
}
