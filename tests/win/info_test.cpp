// The information windows: the startup window around start-up, the about box with its credits, and the system
// information box.
#include <array>
#include <functional>

#include "app/startup.h"
#include "info/aboutbox.h"
#include "info/sysinfobox.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

constexpr char kLogoClass[] = "QuillmereLogo";

HWND Logo() { return FindWindowA(kLogoClass, nullptr); }

bool LogoClassExists() { WNDCLASSA c; return GetClassInfoA(GetModuleHandleA(nullptr), kLogoClass, &c); }

// Runs this thread's messages until done() or for `limit` ms; the ms it took.
DWORD PumpUntil(const std::function<bool()>& done, DWORD limit = 5000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < limit) FlushEvents();
    return GetTickCount() - start;
}

std::vector<std::string>* g_created = nullptr;

// Notes the program's own top-level windows as they are made, and whether the logo was on the screen at that moment.
LRESULT CALLBACK NoteCreation(int code, WPARAM wParam, LPARAM lParam) {
    char name[64] = "";
    if (code == HCBT_CREATEWND && g_created && GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        !(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_CHILD) && !strncmp(name, "Quillmere", 9)) {
        g_created->push_back(std::string(name) + (IsWindowVisible(Logo()) ? " over the logo" : ""));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// What a window answers to each colour message: its brush's colour, then the text colour, text background and
// background mode it leaves in the device context.
std::vector<std::array<DWORD, 4>> Colours(HWND window) {
    std::vector<std::array<DWORD, 4>> seen;
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLORDLG, WM_CTLCOLORMSGBOX}) {
        ScreenDC dc;
        SetBkColor(dc.get(), RGB(1, 2, 3));
        LOGBRUSH brush = {};
        GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, message, reinterpret_cast<WPARAM>(dc.get()), 0)),
                   sizeof brush, &brush);
        seen.push_back({brush.lbColor, GetTextColor(dc.get()), GetBkColor(dc.get()), DWORD(GetBkMode(dc.get()))});
    }
    return seen;
}

class StartupWindowTest : public MainWindowFixture {
protected:
    // Starts as the program does; `started_` is when its message loop would begin.
    void StartNoting(const std::string& settings) {
        g_created = &created_;
        HHOOK hook = SetWindowsHookExA(WH_CBT, NoteCreation, nullptr, GetCurrentThreadId());
        ASSERT_TRUE(WriteFile(iniPath_, "StartupDirectory = " + folder_ + "\\\r\n" + settings));
        window_ = StartQuillmere(GetModuleHandleA(nullptr), nullptr, SW_SHOW);
        started_ = GetTickCount();
        UnhookWindowsHookEx(hook);
        ASSERT_NE(nullptr, window_);
    }
    std::vector<std::string> created_;
    DWORD started_ = 0;
};

TEST_F(StartupWindowTest, OnlyWhenAskedShownFirstTopMostCentredAndForATenthOfASecondAtLeast) {
    StartNoting("ShowStartupWindow = 1\r\nLogoDelay = 2000\r\n");
    EXPECT_EQ((std::vector<std::string>{kLogoClass, "QuillmereApplication over the logo"}), created_);
    RECT r;
    GetWindowRect(Logo(), &r);
    EXPECT_EQ((std::vector<LONG>{(GetSystemMetrics(SM_CXSCREEN) - 440) / 2, (GetSystemMetrics(SM_CYSCREEN) - 260) / 2,
                                 440, 260}),
              (std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}));
    EXPECT_TRUE(GetWindowLongA(Logo(), GWL_EXSTYLE) & WS_EX_TOPMOST && !GetWindow(Logo(), GW_OWNER));
    PumpUntil([] { return false; }, 700);  // a few frames on
    SaveScreenshot(Logo(), "startup.png");
    // The animation goes round its 21 frames: one tick on it shows another, a whole round on the same again.
    const auto frame = [] {
        Canvas canvas(70, 70);
        DRAWITEMSTRUCT item = {ODT_BUTTON, IDC_LOGO_ANIMATION, 0, ODA_DRAWENTIRE, 0,
                               GetDlgItem(Logo(), IDC_LOGO_ANIMATION), canvas.dc(), {0, 0, 70, 70}, 0};
        SendMessageA(Logo(), WM_DRAWITEM, IDC_LOGO_ANIMATION, reinterpret_cast<LPARAM>(&item));
        return canvas.Pixels({0, 0, 70, 70});
    };
    const std::vector<COLORREF> now = frame();
    SendMessageA(Logo(), WM_TIMER, 6, 0);  // the animation's timer
    EXPECT_NE(now, frame());
    for (int tick = 1; tick < 21; ++tick) SendMessageA(Logo(), WM_TIMER, 6, 0);
    EXPECT_EQ(now, frame());
    DestroyWindow(window_);
    FinishQuillmere(GetModuleHandleA(nullptr));
    EXPECT_FALSE(Logo() || LogoClassExists()) << "the main window's end takes the logo down";

    // Without a delay it stays up for the first tenth of a second of the loop.
    StartNoting("ShowStartupWindow = 1\r\nLogoDelay = 0\r\n");
    ASSERT_TRUE(IsWindowVisible(Logo()));
    const DWORD up = GetTickCount() - started_ + PumpUntil([] { return !Logo(); });
    EXPECT_EQ(nullptr, Logo());
    EXPECT_GE(up, 95u);
    EXPECT_FALSE(LogoClassExists());
    DestroyWindow(window_);
    FinishQuillmere(GetModuleHandleA(nullptr));

    created_.clear();
    StartNoting("ShowStartupWindow = 0\r\nLogoDelay = 0\r\n");
    PumpUntil([] { return false; }, 300);  // past the start-up timer
    EXPECT_EQ((std::vector<std::string>{"QuillmereApplication"}), created_);
}

TEST_F(StartupWindowTest, AClickOnTheTextClosesItAndTheTimerLeavesNoTrace) {
    StartNoting("ShowStartupWindow = 1\r\nLogoDelay = 1500\r\n");
    HWND text = FindWindowExA(Logo(), nullptr, "Static", nullptr);
    EXPECT_EQ(Msg(MSG_STARTUP_NOTICE), WindowText(text));
    EXPECT_EQ(std::vector(4, std::array<DWORD, 4>{0, RGB(255, 255, 241), 0, OPAQUE}), Colours(Logo()));
    RECT r;
    GetWindowRect(text, &r);
    POINT at = {r.left, r.top};
    ScreenToClient(Logo(), &at);
    EXPECT_EQ((std::array<LONG, 4>{8, 204, 270, 48}), (std::array<LONG, 4>{at.x, at.y, r.right - r.left, r.bottom - r.top}));
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    PumpUntil([] { return !Logo(); });
    EXPECT_EQ(nullptr, Logo());
    EXPECT_TRUE(LogoClassExists()) << "closed by the start-up timer, not by the click";
    PumpUntil([] { return !LogoClassExists(); });
    EXPECT_FALSE(LogoClassExists());
}

TEST(AboutBox, TitleNoticesCreditsAnimationAndOnlyOkEnds) {
    std::vector<std::string> texts;
    ModalWatcher watcher;
    watcher.Inspect([&](HWND box) {
        SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(box)) << "Escape closed " << texts.size();
        if (!GetDlgItem(box, IDC_ABOUT_CREDITS)) {
            texts.push_back(WindowText(GetDlgItem(box, IDC_CREDITS_TEXT)));
            return;
        }
        EXPECT_EQ(std::vector(4, std::array<DWORD, 4>{0, RGB(245, 245, 234), 0, TRANSPARENT}), Colours(box));
        texts.push_back(WindowText(GetDlgItem(box, IDC_ABOUT_TITLE)));
        texts.push_back(WindowText(GetDlgItem(box, IDC_ABOUT_SUPPORT)));
        // The quill turns on screens of more than 256 colours.
        HWND emblem = GetDlgItem(box, IDC_ABOUT_EMBLEM);
        const auto snap = [emblem] {
            std::vector<COLORREF> pixels;
            HDC dc = GetDC(emblem);
            for (int i = 0; i < 30 * 54; ++i) pixels.push_back(GetPixel(dc, i % 30, i / 30));
            ReleaseDC(emblem, dc);
            return pixels;
        };
        UpdateWindow(emblem);
        const auto first = snap();
        PumpUntil([] { return false; }, 250);
        EXPECT_EQ(GetDeviceCaps(ScreenDC().get(), BITSPIXEL) > 8, first != snap());
        SaveScreenshot(box, "about.png");
        SendMessageA(box, WM_COMMAND, IDC_ABOUT_CREDITS, 0);
    });
    EXPECT_TRUE(ShowAboutBox(nullptr));
    const std::string credits = Msg(MSG_CREDITS_TITLE) + Msg(MSG_CREDITS_TRADEMARK) + Msg(MSG_CREDITS_PICTURE);
    EXPECT_EQ((std::vector<std::string>{"Quillmere\x99 version 2.0d", Msg(MSG_SUPPORT_NOTICE), credits}), texts);
}

// A value under HKEY_LOCAL_MACHINE set (or removed, for null) while the object lives, then put back as it was.
struct TemporaryValue {
    TemporaryValue(const char* key, const char* name, const char* text) : key(key), name(name) {
        had = !RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, saved, &size);
        Put(text);
    }
    ~TemporaryValue() { Put(had ? saved : nullptr); }
    void Put(const char* text) const {
        if (!text) RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key, name);
        if (text) RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text, lstrlenA(text) + 1);
    }
    const char *key, *name;
    bool had;
    DWORD size = sizeof saved;
    char saved[1024];
};

// (Its Help button: with the manual's tests.)
TEST(SystemInformation, FieldsAndPicture) {
    // The Windows key holds only an owner: both come from the NT key.
    const char* windows = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    const char* nt = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const TemporaryValue values[] = {{windows, "RegisteredOwner", "J. Doe"},
                                     {windows, "RegisteredOrganization", nullptr},
                                     {nt, "RegisteredOwner", "Ada Quill"},
                                     {nt, "RegisteredOrganization", "Nib & Serif Type Foundry"}};

    std::vector<std::string> fields;
    int mismatched = -1;
    ModalWatcher watcher;
    watcher.Inspect([&](HWND box) {
        for (int id : {IDC_SYSINFO_WIDTH, IDC_SYSINFO_HEIGHT, IDC_SYSINFO_NETWORK, IDC_SYSINFO_SLOW,
                       IDC_SYSINFO_VERSION, IDC_SYSINFO_OWNER, IDC_SYSINFO_ORGANIZATION, IDC_SYSINFO_COLOURS}) {
            fields.push_back(WindowText(GetDlgItem(box, id)));
        }
        // The picture over its mask, drawn on a coloured ground, against (ground AND mask) XOR picture worked out
        // from the resource.
        const COLORREF ground = RGB(200, 120, 40);
        Canvas drawn(160, 200), halves(148, 384);
        drawn.Fill(ground);
        DRAWITEMSTRUCT item = {ODT_BUTTON, IDC_SYSINFO_PICTURE, 0, ODA_DRAWENTIRE, 0,
                               GetDlgItem(box, IDC_SYSINFO_PICTURE), drawn.dc(), {6, 4, 154, 196}, 0};
        SendMessageA(box, WM_DRAWITEM, IDC_SYSINFO_PICTURE, reinterpret_cast<LPARAM>(&item));
        HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SYSINFO_PICTURE));
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(halves.dc(), 0, 0, 148, 384, memory, 0, 0, SRCCOPY);
        DeleteObject(SelectObject(memory, old));
        DeleteDC(memory);
        mismatched = 0;
        for (int y = 0; y < 192; ++y) {
            for (int x = 0; x < 148; ++x) {
                mismatched += drawn.At(6 + x, 4 + y) != ((ground & halves.At(x, y + 192)) ^ halves.At(x, y));
            }
        }
        EXPECT_EQ(ground, drawn.At(6, 4)) << "the corner is transparent";
        SaveScreenshot(box, "sysinfo.png");
        SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(IsWindowVisible(box)) << "Escape closed the box";
    });
    EXPECT_EQ(1, ShowSystemInformation(nullptr));

    OSVERSIONINFOA version = {sizeof version};
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
    const std::string versionText = std::to_string(version.dwMajorVersion) + "." +
                                    std::to_string(version.dwMinorVersion) + version.szCSDVersion;
    const int bits = GetDeviceCaps(ScreenDC().get(), BITSPIXEL) * GetDeviceCaps(ScreenDC().get(), PLANES);
    const char* colours = bits == 8 ? "256" : bits == 16 ? "65,536" : bits >= 24 ? "16,777,216" : "?";
    EXPECT_EQ((std::vector<std::string>{
                  std::to_string(GetSystemMetrics(SM_CXSCREEN)), std::to_string(GetSystemMetrics(SM_CYSCREEN)),
                  GetSystemMetrics(SM_NETWORK) ? "Yes" : "No", GetSystemMetrics(SM_SLOWMACHINE) ? "Yes" : "No",
                  versionText, "Ada Quill", "Nib & Serif Type Foundry",
                  std::string("Your present Windows screen driver can display images having up to ") + colours +
                      " colours without dithering."}),
              fields);
    EXPECT_EQ(0, mismatched);
}

}  // namespace
