#include "samples/packeddib.h"

#include "platform/win32holders.h"

HGLOBAL CreatePackedDib(int width, int height, const COLORREF* colours, int colourCount, int bitCount) {
    if (width <= 0 || height <= 0 || bitCount < 1 || bitCount > 8) return nullptr;
    const DWORD tableEntries = 1u << bitCount;
    const DWORD imageSize = DibStride(width, bitCount) * static_cast<DWORD>(height);
    const SIZE_T size = sizeof(BITMAPINFOHEADER) + tableEntries * sizeof(RGBQUAD) + imageSize;
    HGLOBAL block = GlobalAlloc(GHND, size);
    if (!block) return nullptr;
    {
        LockedGlobal data(block);
        if (!data) {
            GlobalFree(block);
            return nullptr;
        }
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(data.get());
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = width;
        header->biHeight = height;
        header->biPlanes = 1;
        header->biBitCount = static_cast<WORD>(bitCount);
        header->biCompression = BI_RGB;
        header->biSizeImage = imageSize;
        header->biClrUsed = tableEntries;
        header->biClrImportant = tableEntries;
        auto* table = reinterpret_cast<RGBQUAD*>(data.get() + sizeof(BITMAPINFOHEADER));
        for (int i = 0; colours && i < colourCount && static_cast<DWORD>(i) < tableEntries; ++i) {
            table[i].rgbBlue = GetBValue(colours[i]);
            table[i].rgbGreen = GetGValue(colours[i]);
            table[i].rgbRed = GetRValue(colours[i]);
            table[i].rgbReserved = 0;
        }
    }
    return block;
}
