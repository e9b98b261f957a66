// The resources linked into the program (menu, message table, pictures,
// icon, version record, manifest) and the message helper that shows them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// ---------------------------------------------------------------------------
// Message table

TEST(MessageTable, EveryMessageIdHasAText) {
    std::vector<UINT> ids;
    for (UINT id = MSG_FIRST; id <= MSG_LAST; ++id) ids.push_back(id);
    for (UINT id = MSG_CREDITS_FIRST; id <= MSG_CREDITS_LAST; ++id) ids.push_back(id);
    ASSERT_EQ(57u, ids.size());
    for (UINT id : ids) {
        char text[1024];
        EXPECT_GT(LoadStringA(Self(), id, text, sizeof text), 0) << id;
        EXPECT_STRNE(kStringTableError, LoadMessageText(id)) << id;
        EXPECT_NE('\0', LoadMessageText(id)[0]) << id;
    }
}

TEST(MessageTable, TextsAreExact) {
    struct Expected {
        UINT id;
        const char* text;
    };
    static const Expected kTexts[] = {
        {101, "One font selected"},
        {102, "%u fonts selected"},
        {103, "No fonts selected"},
        {104, "There has been an error accessing the TTF file you selected. This file may be damaged."},
        {105, "The selected drive is off line."},
        {106, "Copyright information for this font -- "},
        {108, "There has been an error renaming this file."},
        {109, "This font file may be damaged."},
        {110, "There has been an error accessing this file."},
        {118, "The font %s (%s) could not be copied to %s. Do you wish to continue?\n\nClick on Yes to continue, "
              "No to abort."},
        {119, "No files"},
        {120, "One file"},
        {121, "%d files"},
        {122, "%s processed."},
        {123, "The file %s (%s) exists. Do you want to overwrite it?\n\nClick on Yes to overwrite it, No to skip "
              "this file or Cancel to abort copying."},
        {124, "Quillmere can't access the Windows font directory directly."},
        {125, "Copy to "},
        {126, "A font file named %s has previously been installed.\nYou must either uninstall the existing font or "
              "rename your source font file.\nDo you want to skip to the next file to install?\n\nClick on Yes to "
              "continue installing other selected fonts, or No to abort."},
        {127, "The font file %s is damaged.\nDo you want to skip to the next file to install?\n\nClick on Yes to "
              "continue installing other selected fonts, or No to abort."},
        {128, "A font named %s has previously been installed.\nYou must uninstall the existing font or change the "
              "name of your source font.\nDo you want to skip to the next file to install?\n\nClick on Yes to "
              "continue installing other selected fonts, or No to abort."},
        {129, "There was an error updating the font registry for %s.\nThis font may not have been installed "
              "correctly.\nDo you want to skip to the next file to install?\n\nClick on Yes to continue installing "
              "other selected fonts, or No to abort."},
        {130, "The font file %s could not be installed. Do you wish to continue?\n\nClick on Yes to continue, No "
              "to abort."},
        {131, "Quillmere is about to remove %s.\nThis will uninstall the selected fonts and delete them from your "
              "hard drive.\n\nClick on Yes to remove these fonts or No to abort."},
        {132, "one font"},
        {133, "%d fonts"},
        {134, "The font %s could not be removed. Do you wish to continue?\n\nClick on Yes to continue, No to "
              "abort."},
        {136, "Quillmere is about to delete %s.\n\nClick on Yes to delete these files or No to abort."},
        {137, "one file"},
        {138, "%d files"},
        {139, "Access to the font you attempted to remove is denied. This indicates that it is in use by one of "
              "more applications. You may have to close the other applications you are currently running to "
              "permit this font to be removed."},
        {147, "There has been an error displaying the manual page. Please ensure that there is an application "
              "installed on your system capable of opening HTML documents associated with the file extension "
              ".HTM."},
        {151, "You are about to display the manual document. Your web browser will open. Quillmere will remain "
              "running, and you can return to it at any time through the Windows task bar."},
        {152, "Your present Windows screen driver can display images having up to %s colours without "
              "dithering."},
        {3000, "Credits and Legalities\r\n\r\n"},
    };
    for (const Expected& e : kTexts) EXPECT_STREQ(e.text, LoadMessageText(e.id)) << e.id;

    // The credit texts are joined one after another, each closing its own
    // paragraph.
    for (UINT id : {MSG_CREDITS_TRADEMARK, MSG_CREDITS_PICTURE}) {
        const std::string text = LoadMessageText(id);
        ASSERT_GT(text.size(), 4u);
        EXPECT_EQ("\r\n\r\n", text.substr(text.size() - 4)) << id;
        EXPECT_EQ(std::string::npos, text.substr(0, text.size() - 4).find("\r\n\r\n")) << id;
    }
}

TEST(MessageTable, MissingEntryReadsAsStringTableError) {
    for (UINT id : {0u, 100u, 155u, 999u, 2999u, 3003u, 6030u}) {
        EXPECT_STREQ("String table error - this application may be damaged", LoadMessageText(id)) << id;
    }
    // The buffer is reused, not left holding the error.
    EXPECT_STREQ("One file", LoadMessageText(MSG_SUMMARY_ONE_FILE));
}

TEST(MessageTable, FormatFillsAndCuts) {
    char text[64];
    EXPECT_STREQ("5 fonts selected", FormatMessageText(text, sizeof text, MSG_FONTS_SELECTED, 5u));
    EXPECT_STREQ("12 files processed.",
                 FormatMessageText(text, sizeof text, MSG_SUMMARY_PROCESSED, "12 files"));
    EXPECT_STREQ("5 fon", FormatMessageText(text, 6, MSG_FONTS_SELECTED, 5u));
    // A phrase straight from LoadMessageText survives the load of the
    // sentence it is placed into.
    EXPECT_STREQ("No files processed.",
                 FormatMessageText(text, sizeof text, MSG_SUMMARY_PROCESSED, LoadMessageText(MSG_SUMMARY_NO_FILES)));
}

// ---------------------------------------------------------------------------
// Pictures

// A picture-over-mask bitmap: the picture half is white where transparent,
// the mask half is black exactly where the picture is not white and white
// elsewhere.
void CheckFolderBitmap(UINT id, int width, int height) {
    HBITMAP bitmap = LoadBitmapA(Self(), MAKEINTRESOURCEA(id));
    ASSERT_NE(nullptr, bitmap);
    BITMAP shape = {};
    ASSERT_EQ(static_cast<int>(sizeof shape), GetObjectA(bitmap, sizeof shape, &shape));
    EXPECT_EQ(width, shape.bmWidth);
    EXPECT_EQ(height * 2, shape.bmHeight);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height * 2;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height * 2);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, height * 2, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    ASSERT_EQ(height * 2, rows);

    const DWORD white = 0xFFFFFF, black = 0;
    int opaque = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const DWORD picture = pixels[y * width + x] & 0xFFFFFF;
            const DWORD mask = pixels[(y + height) * width + x] & 0xFFFFFF;
            if (picture != white) ++opaque;
            EXPECT_EQ(picture == white ? white : black, mask) << "at " << x << ", " << y;
        }
    }
    // A real picture: mostly drawn, but with a transparent outline.
    EXPECT_GT(opaque, width * height / 2);
    EXPECT_LT(opaque, width * height);
}

TEST(Pictures, SmallFolderIsPictureOverMask) { CheckFolderBitmap(IDB_FOLDER_SMALL, 16, 13); }

TEST(Pictures, LargeFolderIsPictureOverMask) { CheckFolderBitmap(IDB_FOLDER_LARGE, 32, 27); }

TEST(Pictures, ProgramIconInBothSizes) {
    HICON icon = LoadIconA(Self(), IDI_QUILLMERE);
    ASSERT_NE(nullptr, icon);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP shape = {};
    GetObjectA(info.hbmColor, sizeof shape, &shape);
    EXPECT_EQ(32, shape.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    HICON small = static_cast<HICON>(LoadImageA(Self(), IDI_QUILLMERE, IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, small);
    ASSERT_TRUE(GetIconInfo(small, &info));
    GetObjectA(info.hbmColor, sizeof shape, &shape);
    EXPECT_EQ(16, shape.bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(small);
}

// ---------------------------------------------------------------------------
// Version record and manifest

std::string ResourceBytes(LPCSTR type, WORD id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!found) return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return data ? std::string(data, SizeofResource(nullptr, found)) : std::string();
}

std::string Utf16(const char* ascii) {
    std::string out;
    for (; *ascii; ++ascii) out += std::string{*ascii, '\0'};
    return out;
}

// The text of a string value of a version record: the UTF-16 key, zero
// padding up to a 4-byte boundary, then the UTF-16 value.
std::string VersionString(const std::string& record, const char* key) {
    size_t at = record.find(Utf16(key) + std::string(2, '\0'));
    if (at == std::string::npos) return "(missing)";
    at += 2 * strlen(key) + 2;
    while (at < record.size() && record[at] == '\0') ++at;
    std::string value;
    for (; at + 1 < record.size() && (record[at] || record[at + 1]); at += 2) value += record[at];
    return value;
}

TEST(VersionRecord, TwoPointZeroD) {
    const std::string record = ResourceBytes(MAKEINTRESOURCEA(16), 1);  // RT_VERSION
    ASSERT_FALSE(record.empty());
    const DWORD signature = 0xFEEF04BD;
    const size_t at = record.find(std::string(reinterpret_cast<const char*>(&signature), 4));
    ASSERT_NE(std::string::npos, at);
    ASSERT_LE(at + sizeof(VS_FIXEDFILEINFO), record.size());
    VS_FIXEDFILEINFO fixed;
    memcpy(&fixed, record.data() + at, sizeof fixed);
    EXPECT_EQ(0x00020000u, fixed.dwFileVersionMS);
    EXPECT_EQ(0x00040000u, fixed.dwFileVersionLS);
    EXPECT_EQ("Quillmere", VersionString(record, "ProductName"));
    EXPECT_EQ("2.0d", VersionString(record, "FileVersion"));
    EXPECT_EQ("2.0d", VersionString(record, "ProductVersion"));
}

TEST(Manifest, CommonControlsSixAsInvoker) {
    const std::string manifest = ResourceBytes(MAKEINTRESOURCEA(24), 1);  // RT_MANIFEST
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
}

// ---------------------------------------------------------------------------
// ShowMessage

// Shown in a box captioned "Message", filled in with the arguments, and
// answered with whatever button was pressed.
TEST(ShowMessage, CaptionArgumentsAndAnswer) {
    ModalWatcher watcher;
    watcher.Answer({IDOK, IDYES, IDOK});
    EXPECT_EQ(IDOK, ShowMessage(nullptr, MSG_SUMMARY_PROCESSED, MB_ICONINFORMATION, "One file"));
    EXPECT_EQ(IDYES, ShowMessage(nullptr, MSG_COPY_FAILED, MB_YESNO | MB_ICONQUESTION, "Deja Sans", "DEJA.TTF",
                                 "C:\\FONTS\\"));
    EXPECT_EQ(IDOK, ShowMessage(nullptr, 155, MB_ICONINFORMATION));
    ASSERT_EQ(3u, watcher.seen().size());
    for (const auto& box : watcher.seen()) EXPECT_EQ("Message", box.caption);
    EXPECT_EQ("One file processed.", watcher.seen()[0].text);
    EXPECT_EQ("The font Deja Sans (DEJA.TTF) could not be copied to C:\\FONTS\\. Do you wish to continue?\n\n"
              "Click on Yes to continue, No to abort.",
              watcher.seen()[1].text);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, watcher.seen()[1].boxStyle);
    EXPECT_EQ("String table error - this application may be damaged", watcher.seen()[2].text);
}

}  // namespace
