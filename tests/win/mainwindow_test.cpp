// The real main window, started in this process as the program starts it:
// class, title, menu, controls and layout, the minimum size, shutdown and
// the settings it leaves; then the rows and buttons it draws.
#include <gtest/gtest.h>

#include <direct.h>

#include <cstring>

#include "platform/appstate.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "config/settings.h"
#include "lists/rowdrawing.h"
#include "resources/resource.h"
#include "samples/filesample.h"
#include "sfntbuilder.h"
#include "wintest.h"

namespace {

struct Place {
    int id, x, y, width, height;
};

// Child controls at two client sizes, worked out by hand from the layout.
const Place kAt700x500[] = {
    {101, 8, 8, 294, 436},
    {102, 8, 448, 72, 14},
    {103, 8, 468, 80, 24},
    {104, 88, 468, 80, 24},
    {105, 168, 468, 80, 24},
    {106, 88, 447, 136, 14},
    {107, 310, 117, 80, 24},
    {108, 310, 145, 80, 24},
    {111, 398, 8, 294, 412},
    {112, 478, 423, 136, 14},
    {114, 398, 444, 80, 24},
    {115, 478, 444, 80, 24},
    {113, 558, 444, 80, 24},
    {117, 398, 468, 80, 24},
    {118, 478, 468, 80, 24},
    {116, 558, 468, 80, 24},
    {122, 398, 424, 80, 14}
,
};
const Place kAt900x700[] = {
    {101, 8, 8, 394, 636},    {102, 8, 648, 72, 14},    {103, 8, 668, 80, 24},   {104, 88, 668, 80, 24},
    {105, 168, 668, 80, 24},  {106, 88, 647, 136, 14},  {107, 410, 167, 80, 24}, {108, 410, 195, 80, 24},
    {111, 498, 8, 394, 612},  {112, 578, 623, 136, 14}, {114, 498, 644, 80, 24}, {115, 578, 644, 80, 24},
    {113, 658, 644, 80, 24},  {117, 498, 668, 80, 24},  {118, 578, 668, 80, 24}, {116, 658, 668, 80, 24},
    {122, 498, 624, 80, 14},
};

struct Control {
    int id;
    const char* className;
    const char* text;
    DWORD style;
};
const Control kControls[] = {
    {101, "ListBox", "", 0x50A008DB},         {102, "Button", "Detailed", 0x50010003},
    {103, "Button", "Select All", 0x50010300}, {104, "Button", "Clear All", 0x50010300},
    {105, "Button", "Print", 0x50010300},     {106, "Static", "No fonts selected", 0x50000000},
    {107, "Button", "< Install", 0x5001030B},  {108, "Button", "Copy >", 0x5001030B},
    {111, "ListBox", "", 0x50A008DB},         {112, "Static", "No fonts selected", 0x50000000},
    {114, "Button", "Select All", 0x50010300}, {115, "Button", "Clear All", 0x50010300},
    {113, "Button", "Print", 0x50010300},     {117, "Button", "File name", 0x50010300},
    {118, "Button", "Font name", 0x50010300},  {116, "Button", "File delete", 0x50010300},
    {122, "Button", "Detailed", 0x50010003},
};

// Runs the main window the way start-up does, over a settings file written
// by the test, and puts the machine's own settings file back afterwards.
class MainWindowTest : public MainWindowFixture {
protected:
    // Resizes the window so that its client area is width x height.
    static void SetClientSize(HWND window, int width, int height) {
        RECT want = {0, 0, width, height};
        AdjustWindowRectEx(&want, WS_OVERLAPPEDWINDOW, TRUE, 0);
        SetWindowPos(window, nullptr, 0, 0, want.right - want.left, want.bottom - want.top, SWP_NOMOVE | SWP_NOZORDER);
        FlushEvents();
        RECT client;
        GetClientRect(window, &client);
        // A menu bar that wraps changes the frame: correct for it once.
        if (client.right != width || client.bottom != height) {
            RECT outer;
            GetWindowRect(window, &outer);
            SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                         outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
            FlushEvents();
        }
    }
    static void ExpectPlaces(HWND window, const Place (&places)[17], int line) {
        SCOPED_TRACE(testing::Message() << "from line " << line);
        for (const Place& p : places) {
            HWND control = GetDlgItem(window, p.id);
            RECT r;
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(p.x, r.left) << p.id;
            EXPECT_EQ(p.y, r.top) << p.id;
            EXPECT_EQ(p.width, r.right - r.left) << p.id;
            if (p.id == IDC_INSTALLED_LIST || p.id == IDC_FILE_LIST) {
                // List boxes keep whole rows: their height is rounded down.
                EXPECT_LE(r.bottom - r.top, p.height) << p.id;
                EXPECT_GT(r.bottom - r.top, p.height - 48) << p.id;
            } else {
                EXPECT_EQ(p.height, r.bottom - r.top) << p.id;
            }
        }
    }
};

std::string MenuText(HMENU menu, UINT item, UINT flag) {
    char text[300] = "";
    GetMenuStringA(menu, item, text, sizeof text, flag);
    return text;
}

TEST_F(MainWindowTest, StartsWithClassTitleMenuControlsAndLayout) {
    Start("ShowFileSamples = 1\r\nShowFontSamples = 1\r\n");
    HWND window = window_;
    ASSERT_NE(nullptr, window);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ("QuillmereApplication", className);
    char title[MAX_PATH + 64] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ("Quillmere 2.0d  [" + folder_ + "]", std::string(title));

    // The menu tree, with "Copy to" carrying the folder and a backslash.
    HMENU bar = GetMenu(window);
    ASSERT_EQ(4, GetMenuItemCount(bar));
    const char* popups[] = {"&File", "&Installed fonts", "F&ont Files", "&Help"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(popups[i], MenuText(bar, i, MF_BYPOSITION));
    struct Item {
        int popup, position;
        UINT id;  // 0 for a separator
        const char* text;
    } items[] = {
        {0, 0, 121, "S&etup"}, {0, 1, 0, ""}, {0, 2, 199, "E&xit"}, {0, 3, 0, ""},
        {1, 0, 103, "Select &all"}, {1, 1, 104, "Clear a&ll"}, {1, 2, 105, "&Print"}, {1, 3, 0, ""},
        {1, 4, 108, nullptr}, {1, 5, 120, "Remove"},
        {2, 0, 114, "Select &all"}, {2, 1, 115, "Clear a&ll"}, {2, 2, 113, "&Print"}, {2, 3, 116, "&Delete"},
        {2, 4, 117, "&Rename"}, {2, 5, 118, "&Change font name"}, {2, 6, 0, ""}, {2, 7, 107, "&Install"},
        {3, 0, 999, "&About"}, {3, 1, 997, "&System informaton"}, {3, 2, 998, "&Manual"},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(testing::Message() << "popup " << item.popup << " item " << item.position);
        HMENU popup = GetSubMenu(bar, item.popup);
        EXPECT_EQ(item.id ? item.id : 0u, GetMenuItemID(popup, item.position));
        const std::string want = item.text ? item.text : "Copy to " + folder_ + "\\";
        EXPECT_EQ(want, MenuText(popup, item.position, MF_BYPOSITION));
    }
    EXPECT_EQ(4, GetMenuItemCount(GetSubMenu(bar, 0))) << "no recent directories yet";

    // The seventeen controls, in creation order, with the control font.
    HWND child = GetWindow(window, GW_CHILD);
    for (const Control& c : kControls) {
        SCOPED_TRACE(c.id);
        ASSERT_NE(nullptr, child);
        EXPECT_EQ(c.id, GetDlgCtrlID(child));
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(0, lstrcmpiA(c.className, className)) << className;
        char text[64] = "";
        GetWindowTextA(child, text, sizeof text);
        if (strcmp(c.className, "ListBox") != 0) EXPECT_STREQ(c.text, text);
        // Scroll bars come and go with the rows; commands are greyed by the
        // selection status.
        const DWORD varying = WS_VSCROLL | WS_DISABLED;
        EXPECT_EQ(c.style & ~varying, static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & ~varying);
        EXPECT_EQ(0, GetWindowLongA(child, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY & ~WS_EX_CLIENTEDGE);
        EXPECT_EQ(reinterpret_cast<LRESULT>(g_app.controlFont), SendMessageA(child, WM_GETFONT, 0, 0));
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, child);

    SetClientSize(window, 700, 500);
    ExpectPlaces(window, kAt700x500, __LINE__);
    SetClientSize(window, 900, 700);
    ExpectPlaces(window, kAt900x700, __LINE__);
    SaveScreenshot(window, "main-window-900x700.png");

    // Too small: back to exactly 600 x 420, top-left corner kept.
    SetWindowPos(window, nullptr, 40, 30, 900, 700, SWP_NOZORDER);
    FlushEvents();
    MoveWindow(window, 40, 30, 500, 300, TRUE);
    FlushEvents();
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(40, outer.left);
    EXPECT_EQ(30, outer.top);
    EXPECT_EQ(600, outer.right - outer.left);
    EXPECT_EQ(420, outer.bottom - outer.top);

    // The logo timer finds no startup window and is gone afterwards.
    EXPECT_EQ(0, SendMessageA(window, WM_TIMER, 3, 0));
    EXPECT_FALSE(KillTimer(window, 3)) << "timer 3 still running";

    // Closing saves the shown folder as the next start's directory.
    SendMessageA(window, WM_CLOSE, 0, 0);
    FlushEvents();
    EXPECT_FALSE(IsWindow(window));
    SettingsRecord saved;
    ResetSettings(saved);
    ASSERT_TRUE(ReadSettingsFile(iniPath_, saved));
    EXPECT_EQ(folder_ + "\\", saved.StartupDirectory);
    EXPECT_EQ(1u, saved.ShowFileSamples);
}

// Draws one list row into a 24-bit bitmap through the window's own
// WM_DRAWITEM and returns the pixels (top row first, BGR).
struct Canvas {
    static constexpr int kWidth = 300, kHeight = 60;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    uint8_t* bits = nullptr;
    Canvas() {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        SelectObject(dc, g_app.controlFont);
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const {
        const uint8_t* p = bits + static_cast<size_t>(y) * ((kWidth * 3 + 3) & ~3) + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // Bounding box of the pixels that differ from `background`.
    RECT Ink(COLORREF background, RECT within = {0, 0, kWidth, kHeight}) const {
        RECT box = {kWidth, kHeight, -1, -1};
        for (int y = within.top; y < within.bottom; ++y) {
            for (int x = within.left; x < within.right; ++x) {
                if (At(x, y) == background) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
                       std::max<LONG>(box.bottom, y)};
            }
        }
        return box;
    }
    void Draw(HWND window, int controlId, int row, UINT state, int height) {
        RECT all = {0, 0, kWidth, kHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = static_cast<UINT>(controlId);
        item.itemID = static_cast<UINT>(row);
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = GetDlgItem(window, controlId);
        item.hDC = dc;
        item.rcItem = {0, 0, kWidth, height};
        SendMessageA(window, WM_DRAWITEM, static_cast<WPARAM>(controlId), reinterpret_cast<LPARAM>(&item));
        GdiFlush();
    }
};

TEST_F(MainWindowTest, DrawsRowsPlainAndDetailedAndTheArrowButtons) {
    ASSERT_TRUE(CopyInto(HostFont("DejaVuSans.ttf"), folder_ + "\\sans.ttf"));
    ASSERT_TRUE(WriteFile(folder_ + "\\broken.ttf", "not a font"));
    CreateDirectoryA((folder_ + "\\Sub").c_str(), nullptr);
    Start("ShowFileSamples = 1\r\nShowFontSamples = 1\r\n");
    HWND window = window_;
    ASSERT_NE(nullptr, window);
    SetClientSize(window, 900, 700);
    SaveScreenshot(window, "main-window-detailed.png");
    HWND files = GetDlgItem(window, IDC_FILE_LIST);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const int detailed = 44;  // 24 + 12 + 8 with the default sizes

    // A detailed file row: the sample is made on the first paint, kept as
    // item data and blitted at (left, top + 2); the name sits under it.
    Canvas canvas;
    const int sans = Row(IDC_FILE_LIST, "sans.ttf");
    ASSERT_GE(sans, 0);
    SendMessageA(files, LB_SETITEMDATA, sans, 0);
    canvas.Draw(window, IDC_FILE_LIST, sans, 0, detailed);
    const LRESULT image = SendMessageA(files, LB_GETITEMDATA, sans, 0);
    EXPECT_NE(0, image);
    EXPECT_NE(-1, image);
    EXPECT_EQ(white, canvas.At(2, 1)) << "unselected rows stand on white";
    const RECT sample = canvas.Ink(white, {0, 2, Canvas::kWidth, 2 + 27});
    EXPECT_GE(sample.left, 8);
    EXPECT_GE(sample.top, 2);
    const RECT name = canvas.Ink(white, {0, 27, Canvas::kWidth, detailed});
    EXPECT_GE(name.left, 8);
    EXPECT_GE(name.top, 27);

    // Selected: the shadow colour with the glyphs in white.
    canvas.Draw(window, IDC_FILE_LIST, sans, ODS_SELECTED, detailed);
    EXPECT_EQ(shadow, canvas.At(2, 1));
    EXPECT_EQ(sample.left, canvas.Ink(shadow, {0, 2, Canvas::kWidth, 2 + 27}).left);
    EXPECT_EQ(image, SendMessageA(files, LB_GETITEMDATA, sans, 0)) << "the sample is made once";

    // A file that is no font is marked -1 and not tried again.
    const int broken = Row(IDC_FILE_LIST, "broken.ttf");
    canvas.Draw(window, IDC_FILE_LIST, broken, 0, detailed);
    EXPECT_EQ(-1, SendMessageA(files, LB_GETITEMDATA, broken, 0));
    EXPECT_EQ(-1, canvas.Ink(white, {0, 0, Canvas::kWidth, 27}).right) << "no sample above the name";

    // Folder rows: the large picture at (left + 9, top + 8) when detailed,
    // the small one at (left + 9, top + 3) when plain.
    const int sub = Row(IDC_FILE_LIST, "[sub]");
    ASSERT_GE(sub, 0);
    canvas.Draw(window, IDC_FILE_LIST, sub, 0, detailed);
    RECT folder = canvas.Ink(white, {0, 0, 48, detailed});
    EXPECT_EQ(9, folder.left);
    EXPECT_EQ(8, folder.top);
    EXPECT_LE(folder.right, 9 + 31);
    SendDlgItemMessageA(window, IDC_FILES_DETAILED, BM_CLICK, 0, 0);
    FlushEvents();
    EXPECT_EQ(0u, g_settings.ShowFileSamples);
    EXPECT_EQ(20, SendMessageA(files, LB_GETITEMHEIGHT, 0, 0));
    canvas.Draw(window, IDC_FILE_LIST, sub, 0, 20);
    folder = canvas.Ink(white, {0, 0, 30, 20});
    EXPECT_EQ(9, folder.left);
    EXPECT_EQ(3, folder.top);
    EXPECT_LE(folder.right, 9 + 15);
    EXPECT_GE(canvas.Ink(white, {30, 0, Canvas::kWidth, 20}).left, 32) << "the name after the picture";

    // An installed row, detailed: the name in its font, and the caption.
    HWND installed = GetDlgItem(window, IDC_INSTALLED_LIST);
    const int dejavu = Row(IDC_INSTALLED_LIST, "DejaVu Sans");
    ASSERT_GE(dejavu, 0);
    canvas.Draw(window, IDC_INSTALLED_LIST, dejavu, 0, detailed);
    EXPECT_GE(canvas.Ink(white, {0, 0, Canvas::kWidth, 27}).left, 8);
    const RECT caption = canvas.Ink(white, {0, 27, Canvas::kWidth, detailed});
    EXPECT_GE(caption.left, 8);
    bool grey = false;
    for (int x = caption.left; x <= caption.right; ++x) {
        for (int y = caption.top; y <= caption.bottom; ++y) grey |= canvas.At(x, y) == shadow;
    }
    EXPECT_TRUE(grey) << "the caption is drawn in the shadow colour";

    // Arrow buttons: pressed moves the drawing one pixel right and down;
    // disabled draws it twice, highlight under shadow.
    HWND install = GetDlgItem(window, IDC_INSTALL);
    auto drawButton = [&](UINT state) {
        RECT all = {0, 0, Canvas::kWidth, Canvas::kHeight};
        FillRect(canvas.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_INSTALL;
        item.itemState = state;
        item.hwndItem = install;
        item.hDC = canvas.dc;
        item.rcItem = {0, 0, 80, 24};
        SendMessageA(window, WM_DRAWITEM, IDC_INSTALL, reinterpret_cast<LPARAM>(&item));
        GdiFlush();
        return canvas.Ink(GetSysColor(COLOR_BTNFACE), {4, 4, 76, 20});
    };
    const RECT up = drawButton(0);
    const RECT down = drawButton(ODS_SELECTED);
    EXPECT_EQ(up.left + 1, down.left);
    EXPECT_EQ(up.top + 1, down.top);
    drawButton(ODS_DISABLED);
    bool highlight = false, shade = false;
    for (int y = 4; y < 20; ++y) {
        for (int x = 4; x < 76; ++x) {
            highlight |= canvas.At(x, y) == GetSysColor(COLOR_BTNHIGHLIGHT);
            shade |= canvas.At(x, y) == GetSysColor(COLOR_BTNSHADOW);
        }
    }
    EXPECT_TRUE(highlight && shade) << "disabled text is embossed";
}

}  // namespace
