// Detailed sample rendering.
//
// The file is loaded into the system font table only for the one drawing
// (through a privately named copy when the name fix is on, so that a file
// named like an installed font shows its own glyphs), drawn into a DIB
// section and copied into a packed DIB that the row keeps.
#include "samples/filesample.h"

#include <cstring>

#include "config/settings.h"
#include "platform/win32holders.h"
#include "samples/packeddib.h"
#include "truetype/fontnames.h"
#include "truetype/tempfont.h"

namespace {

constexpr UINT kSampleFormat = DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr int kSampleIndent = 8;

// Draws name in face into the DIB described by the block's header and
// copies the pixels back into the block. A DIB section that cannot be made
// leaves the pixels as they are.
void DrawSample(unsigned char* dib, int width, int height, const char* face, const char* name) {
    ScreenDC screen;
    MemoryDC memory(screen.get());
    if (!memory.get()) return;
    void* bits = nullptr;
    GdiObject<HBITMAP> section(
        CreateDIBSection(memory.get(), reinterpret_cast<BITMAPINFO*>(dib), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return;
    {
        SelectedObject selectBitmap(memory.get(), section.get());
        SetMapMode(memory.get(), MM_TEXT);
        GdiObject<HFONT> font(CreateFontA(static_cast<int>(g_settings.DisplayFontSize), 0, 0, 0, 0, FALSE, FALSE, FALSE,
                                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH | FF_DONTCARE, face));
        SelectedObject selectFont(memory.get(), font.get());
        SetTextColor(memory.get(), RGB(0, 0, 0));
        SetBkColor(memory.get(), RGB(255, 255, 255));
        SetBkMode(memory.get(), TRANSPARENT);

        GdiObject<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
        {
            SelectedObject selectBrush(memory.get(), white.get());
            SelectedObject selectPen(memory.get(), GetStockObject(NULL_PEN));
            Rectangle(memory.get(), 0, 0, width + 1, height + 1);
        }
        RECT area = {kSampleIndent, 0, width, height};
        DrawTextA(memory.get(), name, -1, &area, kSampleFormat);
        GdiFlush();
    }
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
    memcpy(dib + header->biSize + header->biClrUsed * sizeof(RGBQUAD), bits, header->biSizeImage);
}

// Reads the font's name, loads it, draws it into the block and releases it.
bool RenderInto(HGLOBAL block, const char* path, int width, int height) {
    LockedGlobal dib(block);
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    if (!dib || !ReadFontNames(display, notice, path)) return false;
    char face[16] = "";
    char temp[MAX_PATH] = "";
    const int added = g_settings.WindowsFontNameFix ? LoadTemporaryFont(path, face, temp) : AddFontResourceA(path);
    if (added == 0) return false;
    DrawSample(dib.get(), width, height, face[0] ? face : display, display);
    ReleaseTemporaryFont(path, temp);
    return true;
}

}  // namespace

HGLOBAL RenderFileSample(const char* rowText, int width, int height) {
    if (rowText[0] == 0 || rowText[0] == '[') return SampleFailed();
    char path[MAX_PATH];
    lstrcpynA(path, PathInCurrentDirectory(rowText), sizeof path);
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return SampleFailed();

    static const COLORREF kBlackAndWhite[2] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    HGLOBAL block = CreatePackedDib(width, height, kBlackAndWhite, 2, 1);
    if (!block) return SampleFailed();
    if (!RenderInto(block, path, width, height)) {
        GlobalFree(block);
        return SampleFailed();
    }
    return block;
}
