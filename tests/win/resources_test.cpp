// The resources linked into the program (menu, message table, pictures,
// icon, version record, manifest) and the message helper that shows them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/messages.h"
#include "resources/resource.h"

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
// Main menu

struct MenuItem {
    const char* text;  // null for a separator
    UINT id;
};

struct Popup {
    const char* title;
    std::vector<MenuItem> items;
};

std::string MenuText(HMENU menu, UINT position) {
    char text[144] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

bool IsSeparator(HMENU menu, UINT position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(menu, position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

TEST(MainMenu, PopupsItemsAndCommandIds) {
    const std::vector<Popup> expected = {
        {"&File", {{"S&etup", 121}, {nullptr, 0}, {"E&xit", 199}, {nullptr, 0}}},
        {"&Installed fonts",
         {{"Select &all", 103}, {"Clear a&ll", 104}, {"&Print", 105}, {nullptr, 0}, {"Copy to...", 108},
          {"Remove", 120}}},
        {"F&ont Files",
         {{"Select &all", 114}, {"Clear a&ll", 115}, {"&Print", 113}, {"&Delete", 116}, {"&Rename", 117},
          {"&Change font name", 118}, {nullptr, 0}, {"&Install", 107}}},
        {"&Help", {{"&About", 999}, {"&System informaton", 997}, {"&Manual", 998}}},
    };
    HMENU bar = LoadMenuA(Self(), IDR_MAINMENU);
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(bar));
    for (UINT p = 0; p < expected.size(); ++p) {
        SCOPED_TRACE(expected[p].title);
        EXPECT_EQ(expected[p].title, MenuText(bar, p));
        EXPECT_EQ(static_cast<UINT>(-1), GetMenuItemID(bar, p));  // a popup, not a command
        HMENU popup = GetSubMenu(bar, p);
        ASSERT_NE(nullptr, popup);
        const std::vector<MenuItem>& items = expected[p].items;
        ASSERT_EQ(static_cast<int>(items.size()), GetMenuItemCount(popup));
        for (UINT i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(i);
            if (!items[i].text) {
                EXPECT_TRUE(IsSeparator(popup, i));
                continue;
            }
            EXPECT_FALSE(IsSeparator(popup, i));
            EXPECT_EQ(items[i].text, MenuText(popup, i));
            EXPECT_EQ(items[i].id, GetMenuItemID(popup, i));
        }
    }
    // The positions other code opens by index.
    EXPECT_EQ("&File", MenuText(bar, MENU_POS_FILE));
    EXPECT_EQ("&Installed fonts", MenuText(bar, MENU_POS_INSTALLED));
    EXPECT_EQ("F&ont Files", MenuText(bar, MENU_POS_FONT_FILES));
    DestroyMenu(bar);
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

// Answers the next message box of this thread with one button and keeps
// what the box showed.
class BoxAnswerer {
public:
    explicit BoxAnswerer(int answer) {
        state_ = {};
        state_.answer = answer;
        hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxAnswerer() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    bool hooked() const { return hook_ != nullptr; }
    int boxes() const { return state_.boxes; }
    std::string caption() const { return state_.caption; }
    std::string text() const { return state_.text; }

private:
    struct State {
        int answer;
        int boxes;
        char caption[256];
        char text[2048];
    };

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            HWND box = reinterpret_cast<HWND>(wParam);
            char windowClass[32] = {};
            GetClassNameA(box, windowClass, sizeof windowClass);
            if (strcmp(windowClass, "#32770") == 0 && state_.boxes++ == 0) {
                GetWindowTextA(box, state_.caption, sizeof state_.caption);
                GetDlgItemTextA(box, 0xFFFF, state_.text, sizeof state_.text);
                PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(state_.answer), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static thread_local State state_;
    HHOOK hook_ = nullptr;
};

thread_local BoxAnswerer::State BoxAnswerer::state_;

TEST(ShowMessage, InformationBoxCaptionedMessage) {
    BoxAnswerer answerer(IDOK);
    ASSERT_TRUE(answerer.hooked());
    EXPECT_EQ(IDOK, ShowMessage(nullptr, MSG_SUMMARY_PROCESSED, MB_ICONINFORMATION, "One file"));
    EXPECT_EQ(1, answerer.boxes());
    EXPECT_EQ("Message", answerer.caption());
    EXPECT_EQ("One file processed.", answerer.text());
}

TEST(ShowMessage, QuestionFilledWithAPhraseAndAnswered) {
    BoxAnswerer answerer(IDNO);
    ASSERT_TRUE(answerer.hooked());
    EXPECT_EQ(IDNO, ShowMessage(nullptr, MSG_REMOVE_CONFIRM, MB_YESNO | MB_ICONQUESTION,
                                LoadMessageText(MSG_REMOVE_ONE_FONT)));
    EXPECT_EQ("Message", answerer.caption());
    EXPECT_EQ("Quillmere is about to remove one font.\nThis will uninstall the selected fonts and delete them from "
              "your hard drive.\n\nClick on Yes to remove these fonts or No to abort.",
              answerer.text());
}

TEST(ShowMessage, SeveralArgumentsAndYes) {
    BoxAnswerer answerer(IDYES);
    ASSERT_TRUE(answerer.hooked());
    EXPECT_EQ(IDYES, ShowMessage(nullptr, MSG_COPY_FAILED, MB_YESNO | MB_ICONQUESTION, "Deja Sans", "DEJA.TTF",
                                 "C:\\FONTS\\"));
    EXPECT_EQ("The font Deja Sans (DEJA.TTF) could not be copied to C:\\FONTS\\. Do you wish to continue?\n\n"
              "Click on Yes to continue, No to abort.",
              answerer.text());
}

TEST(ShowMessage, MissingEntryShowsStringTableError) {
    BoxAnswerer answerer(IDOK);
    ASSERT_TRUE(answerer.hooked());
    EXPECT_EQ(IDOK, ShowMessage(nullptr, 155, MB_ICONINFORMATION));
    EXPECT_EQ("Message", answerer.caption());
    EXPECT_EQ("String table error - this application may be damaged", answerer.text());
}

}  // namespace
