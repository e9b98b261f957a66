// The real main window, started in this process as the program starts it: its title and labels, where its controls
// stand, the smallest size it keeps, what it saves when closed, a start without a window, and the rows and buttons it
// draws, compared pixel for pixel with what they must show.
#include <direct.h>

#include <algorithm>

#include "app/mainlayout.h"
#include "app/startup.h"
#include "config/recentdirs.h"
#include "config/settings.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "platform/appstate.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "samples/filesample.h"
#include "wintest.h"

namespace {

using MainWindowTest = MainWindowFixture;

// Resizes the window so that its client area is width x height.
void SetClientSize(HWND window, int width, int height) {
    for (int round = 0; round < 2; ++round) {
        RECT outer, client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                     outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
        FlushEvents();
    }
}

TEST_F(MainWindowTest, StartsInItsFolderLaysOutAndSavesOnClose) {
    Start("ShowFileSamples = 1\r\nFileMenuPath = C:\\Kept\r\nFileMenuPath = fonts\r\n");
    EXPECT_EQ("Quillmere 2.0d  [" + folder_ + "]", WindowText(window_));
    EXPECT_EQ("Copy to " + folder_ + "\\", MenuText(IDM_COPY_TO));
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(window_, IDC_INSTALLED_DETAILED, BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(window_, IDC_FILES_DETAILED, BM_GETCHECK, 0, 0));
    EXPECT_EQ(20, Height(IDC_INSTALLED_LIST));
    EXPECT_EQ(44, Height(IDC_FILE_LIST));
    EXPECT_EQ(std::vector<std::string>{"C:\\Kept"}, std::vector<std::string>(g_recent.paths, g_recent.paths + g_recent.count));

    // Every control where the layout puts it, with the control font; the lists keep whole rows, so they may be up to
    // a row shorter.
    for (const auto [w, h] : {std::pair{700, 500}, std::pair{913, 707}}) {
        SetClientSize(window_, w, h);
        for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            SCOPED_TRACE(testing::Message() << id << " at " << w << " x " << h);
            const ControlPlace want = MainControlPlace(id, w, h);
            RECT r;
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ((std::vector<int>{want.x, want.y, want.width}), (std::vector<int>{r.left, r.top, r.right - r.left}));
            const bool list = id == IDC_INSTALLED_LIST || id == IDC_FILE_LIST;
            EXPECT_TRUE(r.bottom - r.top <= want.height && r.bottom - r.top > want.height - (list ? 44 : 1));
            WINDOWINFO info = {sizeof info};
            GetWindowInfo(child, &info);
            EXPECT_EQ(list ? 1u : 0u, info.cxWindowBorders) << "the lists alone have a frame, of one pixel";
            EXPECT_EQ(reinterpret_cast<LRESULT>(g_app.controlFont), SendMessageA(child, WM_GETFONT, 0, 0));
        }
    }

    // Too small: back to exactly 600 x 420, the top-left corner kept.
    MoveWindow(window_, 40, 30, 500, 300, TRUE);
    FlushEvents();
    RECT outer;
    GetWindowRect(window_, &outer);
    EXPECT_EQ((std::vector<LONG>{40, 30, 640, 450}), (std::vector<LONG>{outer.left, outer.top, outer.right, outer.bottom}));

    // The logo timer finds no startup window and stops.
    EXPECT_EQ(0, SendMessageA(window_, WM_TIMER, 3, 0));
    EXPECT_FALSE(KillTimer(window_, 3));

    // Closing saves the shown folder and the recent directories.
    ASSERT_EQ(0, _chdir("C:\\"));
    SendMessageA(window_, WM_CLOSE, 0, 0);
    FlushEvents();
    EXPECT_FALSE(IsWindow(window_));
    const Bytes text = ReadFileBytes(iniPath_);
    EXPECT_NE(std::string::npos, text.find("\r\nStartupDirectory = C:\\\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("\r\nShowFileSamples = 1\r\n"));
    const std::string last = "\r\nFileMenuPath = C:\\Kept\r\n";
    EXPECT_EQ(text.size() - last.size(), text.find(last)) << text;
}

// The program's own run: the message loop goes on until the window is closed, and the run then ends with 0. A second
// instance's start finds no window class of its own: no window can be made, and it says so and ends with 1.
TEST_F(MainWindowTest, RunsUntilItsWindowIsClosedOrWithoutOneSaysSoAndEnds) {
    ASSERT_TRUE(WriteFile(iniPath_, "StartupDirectory = " + folder_ + "\\\r\nShowStartupWindow = 0\r\n"));
    static bool closed;
    closed = false;
    SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        closed = PostMessageA(g_app.mainWindow, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(0, RunQuillmere(GetModuleHandleA(nullptr), nullptr, SW_SHOW));
    EXPECT_TRUE(closed && !IsWindow(g_app.mainWindow));
    Run([] { EXPECT_EQ(1, RunQuillmere(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr), SW_SHOW)); }, {},
        {{"Quillmere could not create its main window and has to close.", MB_OK | MB_ICONHAND}});
    EXPECT_EQ(nullptr, g_app.mainWindow);
}

// Draws a list row or a button through the window's own WM_DRAWITEM.
void DrawItem(Canvas& canvas, HWND window, UINT type, int id, int row, UINT state, RECT area) {
    SelectObject(canvas.dc(), g_app.controlFont);
    DRAWITEMSTRUCT item = {type, UINT(id), UINT(row), ODA_DRAWENTIRE, state, GetDlgItem(window, id), canvas.dc(), area, 0};
    SendMessageA(window, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
}

// What a row must look like: white, with these texts and pictures.
struct Piece { std::string text; int x, y; HFONT font; COLORREF colour; };
void DrawExpected(Canvas& canvas, int height, const std::vector<Piece>& pieces, COLORREF ground) {
    canvas.Fill(RGB(128, 128, 128));
    // The row's background reaches one pixel below it.
    RECT row = {0, 0, canvas.width, height + 1};
    FillRect(canvas.dc(), &row, GdiObject<HBRUSH>(CreateSolidBrush(ground)).get());
    SetBkMode(canvas.dc(), TRANSPARENT);
    for (const Piece& p : pieces) {
        SelectObject(canvas.dc(), p.font);
        SetTextColor(canvas.dc(), p.colour);
        TextOutA(canvas.dc(), p.x, p.y, p.text.c_str(), static_cast<int>(p.text.size()));
    }
}

// A picture-over-mask resource as it must show at (x, y): its picture where the mask is black, the row untouched
// elsewhere.
void PutMaskedPicture(Canvas& canvas, int id, int x, int y) {
    GdiObject<HBITMAP> bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    BITMAP shape;
    GetObjectA(bitmap.get(), sizeof shape, &shape);
    MemoryDC memory(canvas.dc());
    SelectedObject picture(memory.get(), bitmap.get());
    for (int i = 0; i < shape.bmWidth * shape.bmHeight / 2; ++i) {
        const int column = i % shape.bmWidth, row = i / shape.bmWidth;
        if (GetPixel(memory.get(), column, row + shape.bmHeight / 2) == RGB(0, 0, 0)) {
            SetPixel(canvas.dc(), x + column, y + row, GetPixel(memory.get(), column, row));
        }
    }
}

TEST_F(MainWindowTest, DrawsRowsAndArrowButtonsAsTheyMustLook) {
    ASSERT_TRUE(CopyInto(HostFont("DejaVuSans.ttf"), folder_ + "\\sans.ttf"));
    ASSERT_TRUE(WriteFile(folder_ + "\\broken.ttf", "not a font"));
    CreateDirectoryA((folder_ + "\\Sub").c_str(), nullptr);
    for (const char* font : {"DejaVuSerif.ttf", "LiberationMono-Regular.ttf", "LiberationSerif-Italic.ttf"}) {
        CopyInto(HostFont(font), folder_ + "\\" + font);
    }
    Start();
    SetClientSize(window_, 913, 707);
    const int w = 300, plain = 20, detailed = 44;
    Canvas got(w, 60), want(w, 60);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT), shadow = GetSysColor(COLOR_BTNSHADOW);
    // Draws the row on grey and compares it with the pieces and a picture (a resource's, or a sample block's at
    // (0, 2)) drawn on white.
    auto same = [&](int id, const char* row, UINT state, int height, const std::vector<Piece>& pieces, int picture = 0,
                    int px = 0, int py = 0, HGLOBAL sample = nullptr) {
        SCOPED_TRACE(row);
        got.Fill(RGB(128, 128, 128));
        DrawItem(got, window_, ODT_LISTBOX, id, Row(id, row), state, {0, 0, w, height});
        DrawExpected(want, height, pieces, state & ODS_SELECTED ? shadow : RGB(255, 255, 255));
        if (picture) PutMaskedPicture(want, picture, px, py);
        if (sample) {
            const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(sample));
            SetDIBitsToDevice(want.dc(), 0, 2, w, 27, 0, 0, 0, 27, reinterpret_cast<const BYTE*>(header) + 48,
                              reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
            GlobalUnlock(sample);
            GlobalFree(sample);
        }
        EXPECT_TRUE(got.Pixels({0, 0, w, 60}) == want.Pixels({0, 0, w, 60}));
    };

    // Plain rows: the name 8 pixels in; a folder row's small picture at (9, 3) and its name at 32; selected, on the
    // shadow colour, with the picture whole over its mask and the name in white.
    same(IDC_FILE_LIST, "sans.ttf", 0, plain, {{"sans.ttf", 8, 0, g_app.controlFont, text}});
    same(IDC_FILE_LIST, "[sub]", 0, plain, {{"[sub]", 32, 0, g_app.controlFont, text}}, IDB_FOLDER_SMALL, 9, 3);
    same(IDC_FILE_LIST, "[sub]", ODS_SELECTED, plain, {{"[sub]", 32, 0, g_app.controlFont, RGB(255, 255, 255)}},
         IDB_FOLDER_SMALL, 9, 3);
    same(IDC_INSTALLED_LIST, "DejaVu Sans", 0, plain, {{"DejaVu Sans", 8, 0, g_app.controlFont, text}});

    // Detailed rows: the sample, made once and kept, 2 pixels down; the name in the list font below it; a folder's
    // large picture at (9, 8).
    g_settings.ShowFileSamples = g_settings.ShowFontSamples = 1;
    HWND files = List(IDC_FILE_LIST);
    const int sans = Row(IDC_FILE_LIST, "sans.ttf");
    SendMessageA(files, LB_SETITEMDATA, sans, 0);
    same(IDC_FILE_LIST, "sans.ttf", 0, detailed, {{"sans.ttf", 8, 27, g_app.listFont, shadow}}, 0, 0, 0,
         RenderFileSample("sans.ttf", w, 27));
    const LRESULT image = SendMessageA(files, LB_GETITEMDATA, sans, 0);
    ASSERT_NE(0, image);
    ASSERT_NE(-1, image);
    // Selected: shadow where it was white, white where anything was drawn.
    const std::vector<COLORREF> unselected = got.Pixels({0, 0, w, detailed});
    got.Fill(RGB(128, 128, 128));
    DrawItem(got, window_, ODT_LISTBOX, IDC_FILE_LIST, sans, ODS_SELECTED, {0, 0, w, detailed});
    EXPECT_EQ(image, SendMessageA(files, LB_GETITEMDATA, sans, 0)) << "the sample is made once";
    const std::vector<COLORREF> selected = got.Pixels({0, 0, w, detailed});
    for (size_t i = 0; i < selected.size(); ++i)
        ASSERT_EQ(unselected[i] == RGB(255, 255, 255) ? shadow : RGB(255, 255, 255), selected[i]) << i;

    same(IDC_FILE_LIST, "broken.ttf", 0, detailed, {{"broken.ttf", 8, 27, g_app.listFont, shadow}});
    EXPECT_EQ(-1, SendMessageA(files, LB_GETITEMDATA, Row(IDC_FILE_LIST, "broken.ttf"), 0));
    same(IDC_FILE_LIST, "[sub]", 0, detailed, {{"[sub]", 48, 16, g_app.listFont, shadow}}, IDB_FOLDER_LARGE, 9, 8);

    // An installed font: its name in itself at (8, 3), then the name and its file in the list font.
    HFONT own = CreateFontA(24, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    same(IDC_INSTALLED_LIST, "DejaVu Sans", 0, detailed,
         {{"DejaVu Sans", 8, 3, own, text},
          {"DejaVu Sans (" + std::string(FontFileOfInstalledFont("DejaVu Sans")) + ")", 8, 27, g_app.listFont,
           shadow}});
    // Narrower than its name: cut with an ellipsis 8 pixels before the row's end.
    got.Fill(RGB(255, 255, 255));
    DrawItem(got, window_, ODT_LISTBOX, IDC_INSTALLED_LIST, Row(IDC_INSTALLED_LIST, "DejaVu Sans"), 0, {0, 0, 90, 44});
    want.Fill(RGB(255, 255, 255));
    SelectObject(want.dc(), own);
    SetTextColor(want.dc(), text);
    RECT cut = {8, 3, 82, 27};
    DrawTextA(want.dc(), "DejaVu Sans", -1, &cut, DT_NOPREFIX | DT_END_ELLIPSIS);
    EXPECT_TRUE(got.Pixels({0, 0, 90, 27}) == want.Pixels({0, 0, 90, 27})) << "the name cut to the row";
    DeleteObject(own);

    // The arrow button: pressed moves the drawing by one pixel each way; disabled shows the text embossed, highlight
    // one pixel below-right of the shadow (where the letters are solid; their smoothed edges blend).
    auto button = [&](UINT state) {
        got.Fill(RGB(255, 255, 255));
        DrawItem(got, window_, ODT_BUTTON, IDC_INSTALL, 0, state, {0, 0, 80, 24});
        return got.Pixels({3, 3, 77, 21});
    };
    const std::vector<COLORREF> up = button(0), down = button(ODS_SELECTED), off = button(ODS_DISABLED);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    int inked = 0, left = 74, right = 0;
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 73; ++x) {
            const COLORREF at = up[y * 74 + x];
            inked += at == text;
            if (at != face) left = std::min(left, x), right = std::max(right, x);
            EXPECT_EQ(at, down[(y + 1) * 74 + x + 1]) << x << "," << y;
            if (at != text) continue;
            EXPECT_EQ(shadow, off[y * 74 + x]) << x << "," << y;
            if (up[(y + 1) * 74 + x + 1] == face) EXPECT_EQ(light, off[(y + 1) * 74 + x + 1]) << x << "," << y;
        }
    }
    EXPECT_GT(inked, 60) << "the text and its arrow are drawn";
    EXPECT_LE(std::abs((left + right + 6) - 80), 2) << "centred: " << left << ".." << right;
    // Focused: a dotted frame 3 pixels inside the edge, under the text.
    button(ODS_FOCUS);
    const std::vector<COLORREF> focused = got.Pixels({0, 0, 80, 24});
    button(0);
    RECT frame = {3, 3, 77, 21};
    DrawFocusRect(got.dc(), &frame);
    EXPECT_TRUE(focused == got.Pixels({0, 0, 80, 24})) << "the focus frame";
    // The "<" is the arrow font's left arrow: its whole cell is found in the button.
    button(0);
    TEXTMETRICA metrics;
    GetTextMetricsA(got.dc(), &metrics);
    const int textTop = (24 - metrics.tmHeight) / 2 - 1;  // centred, a pixel up to leave the descenders room
    HFONT wingdings = CreateFontA(metrics.tmHeight, 0, 0, 0, 0, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Wingdings");
    Canvas glyph(24, 24);
    glyph.Fill(face);
    SelectObject(glyph.dc(), wingdings);
    SetBkMode(glyph.dc(), TRANSPARENT);
    SetTextColor(glyph.dc(), text);
    TextOutA(glyph.dc(), 0, 0, "\xEF", 1);
    int cell = 0;
    GetCharWidth32A(glyph.dc(), 0xEF, 0xEF, &cell);
    GetTextMetricsA(glyph.dc(), &metrics);
    const std::vector<COLORREF> arrow = glyph.Pixels({0, 0, cell, metrics.tmHeight});
    bool found = false;
    for (int x = 0; x + cell <= 80 && !found; ++x) {
        found = got.Pixels({x, textTop, x + cell, textTop + metrics.tmHeight}) == arrow;
    }
    EXPECT_TRUE(found) << "no left arrow at the text's height in the install button";
    DeleteObject(wingdings);

    // Pictures for the manual, plain and detailed.
    SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetClientSize(window_, 780, 540);
    g_settings.ShowFileSamples = g_settings.ShowFontSamples = 0;
    SaveScreenshot(window_, "main-window.png");
    SendDlgItemMessageA(window_, IDC_INSTALLED_DETAILED, BM_CLICK, 0, 0);
    SendDlgItemMessageA(window_, IDC_FILES_DETAILED, BM_CLICK, 0, 0);
    SaveScreenshot(window_, "main-window-detailed.png");
}

}  // namespace
