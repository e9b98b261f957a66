#include "screenshot.h"

#include <cstdint>
#include <vector>

#include "pngwrite.h"

bool SaveAreaPng(HDC source, int x, int y, int width, int height, const char* path) {
    if (width <= 0 || height <= 0) return false;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int row = 0; row < height; ++row) {
        const uint8_t* in = static_cast<const uint8_t*>(bits) + stride * row;
        uint8_t* out = rgb.data() + static_cast<size_t>(row) * width * 3;
        for (int column = 0; column < width; ++column) {
            // The bitmap holds blue, green, red.
            for (int c = 0; c < 3; ++c) out[column * 3 + c] = in[column * 3 + 2 - c];
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return WritePng(path, rgb.data(), width, height);
}
