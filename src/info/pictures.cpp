// Drawing the information windows' bitmap resources.
#include "info/pictures.h"

#include "info/colourtext.h"
#include "platform/win32holders.h"

namespace {

int PictureHeight(const BITMAPINFOHEADER* picture) {
    return picture->biHeight < 0 ? -picture->biHeight : picture->biHeight;
}

// The pixel bits follow exactly biClrUsed colours: the resource pictures
// always fill that field in.
const void* PictureBits(const BITMAPINFOHEADER* picture) {
    return reinterpret_cast<const unsigned char*>(picture) + picture->biSize + picture->biClrUsed * sizeof(RGBQUAD);
}

// The picture converted to the device's own format and selected into a
// memory device context, ready to be copied from.
class DevicePicture {
public:
    DevicePicture(HDC dc, const BITMAPINFOHEADER* picture)
        : bitmap_(CreateDIBitmap(dc, picture, CBM_INIT, PictureBits(picture),
                                 reinterpret_cast<const BITMAPINFO*>(picture), DIB_RGB_COLORS)),
          memory_(dc),
          selected_(memory_.get(), bitmap_.get()) {}
    bool ready() const { return bitmap_ && memory_.get(); }
    HDC dc() const { return memory_.get(); }

private:
    GdiObject<HBITMAP> bitmap_;
    MemoryDC memory_;
    SelectedObject selected_;
};

// A logical palette of 2^bits entries from the picture's colour table;
// entries the table does not hold stay black.
HPALETTE PaletteOf(const BITMAPINFOHEADER* picture) {
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[256];
    } palette = {0x300, static_cast<WORD>(1u << picture->biBitCount), {}};
    const auto* table =
        reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const unsigned char*>(picture) + picture->biSize);
    const DWORD known = picture->biClrUsed < palette.count ? picture->biClrUsed : palette.count;
    for (DWORD i = 0; i < known; ++i) {
        palette.entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
}

}  // namespace

const BITMAPINFOHEADER* LoadPicture(UINT id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* picture = static_cast<const BITMAPINFOHEADER*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = SizeofResource(module, found);
    if (!picture || size < sizeof(BITMAPINFOHEADER) || picture->biSize != sizeof(BITMAPINFOHEADER) ||
        picture->biWidth <= 0 || picture->biBitCount == 0 || picture->biBitCount > 32 || picture->biClrUsed > 256) {
        return nullptr;
    }
    // A picture whose bits would run past the end of the resource is damaged.
    const unsigned long long stride =
        (static_cast<unsigned long long>(picture->biWidth) * picture->biBitCount + 31) / 32 * 4;
    const unsigned long long needed =
        picture->biSize + picture->biClrUsed * sizeof(RGBQUAD) + stride * static_cast<unsigned>(PictureHeight(picture));
    return needed <= size ? picture : nullptr;
}

unsigned ScreenColourDepth() {
    ScreenDC screen;
    return ColourDepthOf(GetDeviceCaps(screen.get(), BITSPIXEL), GetDeviceCaps(screen.get(), PLANES));
}

void DrawPalettePicture(HDC dc, int x, int y, const BITMAPINFOHEADER* picture, DWORD rop) {
    if (!picture) return;
    HPALETTE palette = nullptr, previous = nullptr;
    if (picture->biBitCount >= 5 && picture->biBitCount <= 8) palette = PaletteOf(picture);
    if (palette) {
        previous = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    {
        DevicePicture device(dc, picture);
        if (device.ready()) BitBlt(dc, x, y, picture->biWidth, PictureHeight(picture), device.dc(), 0, 0, rop);
    }
    if (palette) {
        SelectPalette(dc, previous, FALSE);
        DeleteObject(palette);
    }
}

void DrawMaskedPicture(HDC dc, int x, int y, const BITMAPINFOHEADER* picture) {
    if (!picture) return;
    DevicePicture device(dc, picture);
    if (!device.ready()) return;
    const int half = PictureHeight(picture) / 2;
    BitBlt(dc, x, y, picture->biWidth, half, device.dc(), 0, half, SRCAND);
    BitBlt(dc, x, y, picture->biWidth, half, device.dc(), 0, 0, SRCINVERT);
}
