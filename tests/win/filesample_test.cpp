// Sample images of file-list rows, drawn for real and compared pixel for
// pixel with the same text drawn by the test in an installed font.
#include <gtest/gtest.h>

#include <direct.h>

#include <cstring>
#include <vector>

#include "config/settings.h"
#include "platform/win32holders.h"
#include "samples/filesample.h"
#include "samples/packeddib.h"
#include "sfntbuilder.h"
#include "truetype/namerewrite.h"
#include "wintest.h"

namespace {

constexpr int kWidth = 300;

int SampleHeight() { return static_cast<int>(g_settings.DisplayFontSize) + 3; }

// The pixel bytes of a sample block; empty for a failed sample.
Bytes Pixels(HGLOBAL block) {
    if (block == SampleFailed() || !block) return {};
    LockedGlobal dib(block);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.get());
    const unsigned char* bits = dib.get() + header->biSize + header->biClrUsed * sizeof(RGBQUAD);
    return Bytes(reinterpret_cast<const char*>(bits), header->biSizeImage);
}

Bytes RenderPixels(const char* row, int width) {
    HGLOBAL block = RenderFileSample(row, width, SampleHeight());
    Bytes pixels = Pixels(block);
    if (block != SampleFailed()) GlobalFree(block);
    return pixels;
}

// The same text drawn by the test itself with an installed face.
Bytes Reference(const char* face, const char* text, int width, UINT format) {
    const int height = SampleHeight();
    const COLORREF colours[2] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    HGLOBAL block = CreatePackedDib(width, height, colours, 2, 1);
    Bytes pixels;
    {
        LockedGlobal dib(block);
        ScreenDC screen;
        MemoryDC memory(screen.get());
        void* bits = nullptr;
        GdiObject<HBITMAP> section(CreateDIBSection(memory.get(), reinterpret_cast<BITMAPINFO*>(dib.get()),
                                                    DIB_RGB_COLORS, &bits, nullptr, 0));
        SelectedObject b(memory.get(), section.get());
        GdiObject<HFONT> font(CreateFontA(SampleHeight() - 3, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face));
        SelectedObject f(memory.get(), font.get());
        RECT all = {0, 0, width, height};
        FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(memory.get(), TRANSPARENT);
        RECT area = {8, 0, width, height};
        DrawTextA(memory.get(), text, -1, &area, format);
        GdiFlush();
        pixels.assign(static_cast<const char*>(bits), DibStride(width, 1) * height);
    }
    GlobalFree(block);
    return pixels;
}

// Leftmost inked (black) column, or -1 when the image is all white.
int LeftmostInk(const Bytes& pixels, int width) {
    const int stride = static_cast<int>(DibStride(width, 1));
    int leftmost = -1;
    for (size_t row = 0; row * stride < pixels.size(); ++row) {
        for (int x = 0; x < width; ++x) {
            const unsigned char byte = static_cast<unsigned char>(pixels[row * stride + x / 8]);
            if (!(byte & (0x80 >> (x % 8))) && (leftmost < 0 || x < leftmost)) leftmost = x;
        }
    }
    return leftmost;
}

// Runs the test body inside a folder of its own as the current directory.
class RenderFileSampleTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, _getcwd(saved_, sizeof saved_));
        folder_ = NewTestFolder();
        ASSERT_EQ(0, _chdir(folder_.c_str()));
        fix_ = g_settings.WindowsFontNameFix;
        before_ = CountTemporaryFontFiles();
    }
    void TearDown() override {
        EXPECT_EQ(before_, CountTemporaryFontFiles()) << "a temporary font copy was left behind";
        g_settings.WindowsFontNameFix = fix_;
        _chdir(saved_);
    }
    char saved_[MAX_PATH] = "";
    std::string folder_;
    uint32_t fix_ = 1;
    int before_ = 0;
};

TEST_F(RenderFileSampleTest, PackedDibHeaderAndColourTable) {
    ASSERT_TRUE(CopyInto(HostFont("DejaVuSans.ttf"), folder_ + "\\DejaVuSans.ttf"));
    HGLOBAL block = RenderFileSample("DejaVuSans.ttf", kWidth, 27);
    ASSERT_NE(SampleFailed(), block);
    const unsigned stride = (kWidth + 31) / 32 * 4;
    EXPECT_EQ(40u, stride);
    EXPECT_EQ(40 + 8 + stride * 27, GlobalSize(block));
    {
        LockedGlobal dib(block);
        const unsigned char want[48] = {
            40, 0, 0, 0, 0x2C, 1, 0, 0, 27, 0, 0, 0, 1, 0, 1, 0,  // size, width, height, planes, bits
            0, 0, 0, 0, 0x38, 4, 0, 0,                            // BI_RGB, 40 x 27 bytes
            0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0,       // no resolution, 2 colours used/important
            0, 0, 0, 0, 255, 255, 255, 0,                         // black, white
        };
        EXPECT_EQ(0, memcmp(want, dib.get(), sizeof want));
    }
    GlobalFree(block);
}

TEST_F(RenderFileSampleTest, RowsWithoutAReadableFontGetNoSample) {
    ASSERT_TRUE(WriteFile(folder_ + "\\cut.ttf", ReadFileBytes(HostFont("DejaVuSans.ttf")).substr(0, 200)));
    ASSERT_TRUE(WriteFile(folder_ + "\\hollow.ttf", BuildFont({{3, 1, 0x409, 4, Utf16Latin1("Hollow")}})));
    CreateDirectoryA((folder_ + "\\[sub]").c_str(), nullptr);
    for (const char* row : {"[..]", "[-c-]", "[sub]", "", "missing.ttf", "cut.ttf", "hollow.ttf"}) {
        for (uint32_t fix : {1u, 0u}) {
            SCOPED_TRACE(testing::Message() << "row \"" << row << "\" fix " << fix);
            g_settings.WindowsFontNameFix = fix;
            EXPECT_EQ(SampleFailed(), RenderFileSample(row, kWidth, SampleHeight()));
        }
    }
}

TEST_F(RenderFileSampleTest, DrawsTheFullNameInTheFontWithAnEllipsisWhenNarrow) {
    ASSERT_TRUE(CopyInto(HostFont("DejaVuSans.ttf"), folder_ + "\\sans.ttf"));
    for (uint32_t fix : {1u, 0u}) {
        SCOPED_TRACE(fix);
        g_settings.WindowsFontNameFix = fix;
        const Bytes wide = RenderPixels("sans.ttf", kWidth);
        ASSERT_FALSE(wide.empty());
        EXPECT_GE(LeftmostInk(wide, kWidth), 8);
        EXPECT_EQ(Reference("DejaVu Sans", "DejaVu Sans", kWidth, DT_NOPREFIX | DT_END_ELLIPSIS), wide);

        const int narrow = 64;
        const Bytes cut = RenderPixels("sans.ttf", narrow);
        EXPECT_EQ(Reference("DejaVu Sans", "DejaVu Sans", narrow, DT_NOPREFIX | DT_END_ELLIPSIS), cut);
        EXPECT_NE(Reference("DejaVu Sans", "DejaVu Sans", narrow, DT_NOPREFIX), cut);
    }
}

// A file whose font claims an installed family's name: only the private
// copy shows its own glyphs; registered as it is, the installed font wins.
TEST_F(RenderFileSampleTest, NameFixShowsTheFilesOwnGlyphs) {
    const std::string impostor = folder_ + "\\impostor.ttf";
    ASSERT_TRUE(CopyInto(HostFont("LiberationSerif-Regular.ttf"), impostor));
    ASSERT_TRUE(RewriteFontName("DejaVu Sans", impostor.c_str()));
    const Bytes ownGlyphs = Reference("Liberation Serif", "DejaVu Sans", kWidth, DT_NOPREFIX | DT_END_ELLIPSIS);
    const Bytes installedGlyphs = Reference("DejaVu Sans", "DejaVu Sans", kWidth, DT_NOPREFIX | DT_END_ELLIPSIS);
    ASSERT_NE(ownGlyphs, installedGlyphs);

    g_settings.WindowsFontNameFix = 1;
    EXPECT_EQ(ownGlyphs, RenderPixels("impostor.ttf", kWidth));
    g_settings.WindowsFontNameFix = 0;
    EXPECT_EQ(installedGlyphs, RenderPixels("impostor.ttf", kWidth));
}

}  // namespace
