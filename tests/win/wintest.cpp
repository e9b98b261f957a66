#include "wintest.h"

#include <direct.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "app/startup.h"
#include "config/settings.h"
#include "lists/installedlist.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "screenshot.h"
#include "truetype/namerewrite.h"

std::string HostFont(const char* fileName) {
    for (const char* folder : {"dejavu", "liberation", "liberation2"}) {
        const std::string path = std::string("Z:\\usr\\share\\fonts\\truetype\\") + folder + "\\" + fileName;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    }
    return {};
}

std::vector<std::string> FindFiles(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        names.push_back(found.cFileName);
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return names;
}

int CountTemporaryFontFiles() {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return static_cast<int>(FindFiles(std::string(folder) + "GLY*.tmp").size());
}

static int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM seen) {
    *reinterpret_cast<bool*>(seen) = true;
    return 0;
}

bool FaceIsListed(const char* face) {
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool seen = false;
    EnumFontFamiliesExA(ScreenDC().get(), &wanted, NoteFace, reinterpret_cast<LPARAM>(&seen), 0);
    return seen;
}

std::string NewTestFolder() {
    char folder[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    // Process ids come round again under Wine: the first name not taken.
    static unsigned serial = GetTickCount();
    do {
        snprintf(name, sizeof name, "%sqmwin-%lu-%u", folder, GetCurrentProcessId(), serial++);
    } while (!CreateDirectoryA(name, nullptr));
    return name;
}

bool CopyInto(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }

std::string MakeFontFile(const std::string& path, const std::string& fullName, const char* host) {
    EXPECT_TRUE(CopyInto(HostFont(host), path));
    EXPECT_TRUE(RewriteFontName(fullName.c_str(), path.c_str())) << path;
    return path;
}

void FlushEvents() {
    for (int round = 0; round < 3; ++round, Sleep(10)) {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::string Msg(UINT id, ...) {
    char pattern[2048], text[4096];
    LoadStringA(GetModuleHandleA(nullptr), id, pattern, sizeof pattern);
    va_list args;
    va_start(args, id);
    vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

static ModalWatcher* g_watcher = nullptr;

static BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
    const bool icon = (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    if (icon) *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return TRUE;
}

// What a message box was asked to show: its buttons by the ids they answer, its icon by the system's shared icons.
static UINT MessageBoxStyle(HWND box) {
    const bool ok = GetDlgItem(box, IDOK), cancel = GetDlgItem(box, IDCANCEL), yes = GetDlgItem(box, IDYES);
    UINT style = yes ? (cancel ? MB_YESNOCANCEL : MB_YESNO) : ok ? (cancel ? MB_OKCANCEL : MB_OK) : 0xFFFF;
    HICON icon = nullptr;
    EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&icon));
    const std::pair<LPCSTR, UINT> icons[] = {{IDI_QUESTION, MB_ICONQUESTION}, {IDI_INFORMATION, MB_ICONINFORMATION},
                                             {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_HAND, MB_ICONHAND}};
    for (const auto& [id, flag] : icons) {
        if (icon && icon == LoadIconA(nullptr, id)) return style | flag;
    }
    return icon ? style | 0xF0 : style;
}

ModalWatcher::ModalWatcher(int answer) : answer_(answer) {
    g_watcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

ModalWatcher::~ModalWatcher() {
    UnhookWindowsHookEx(hook_);
    for (const Pending& pending : pending_) KillTimer(nullptr, pending.timer);
    g_watcher = nullptr;
}

LRESULT CALLBACK ModalWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[32] = "";
    if (code == HCBT_ACTIVATE && g_watcher && GetClassNameA(box, className, sizeof className) &&
        strcmp(className, "#32770") == 0) {
        char text[2048] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        g_watcher->seen_.push_back({WindowText(box), text, MessageBoxStyle(box), GetWindow(box, GW_OWNER)});
        int answer = g_watcher->answer_;
        if (!g_watcher->queued_.empty()) {
            answer = g_watcher->queued_.front();
            g_watcher->queued_.pop_front();
        }
        if (g_watcher->inspect_) {
            // Not shown yet: look at it from its own modal loop.
            g_watcher->pending_.push_back({SetTimer(nullptr, 0, 20, InspectLater), box, answer});
        } else {
            End(box, answer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalWatcher::End(HWND box, int answer) {
    PostMessageA(box, answer == kClose ? WM_SYSCOMMAND : WM_COMMAND, answer == kClose ? SC_CLOSE : answer, 0);
}

void CALLBACK ModalWatcher::InspectLater(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (!g_watcher) return;
    auto& pending = g_watcher->pending_;
    const auto due = std::find_if(pending.begin(), pending.end(), [timer](const Pending& p) { return p.timer == timer; });
    if (due == pending.end()) return;
    const Pending found = *due;
    pending.erase(due);
    if (!IsWindow(found.box)) return;
    g_watcher->inspect_(found.box);
    End(found.box, found.answer);
}

Canvas::Canvas(int w, int h) : width(w), height(h), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    Fill(RGB(255, 255, 255));
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void Canvas::Fill(COLORREF colour) {
    RECT all = {0, 0, width, height};
    FillRect(dc_, &all, GdiObject<HBRUSH>(CreateSolidBrush(colour)).get());
}

COLORREF Canvas::At(int x, int y) const {
    GdiFlush();
    const unsigned char* p = bits_ + static_cast<size_t>(y) * ((width * 3 + 3) & ~3) + x * 3;
    return RGB(p[2], p[1], p[0]);
}

std::vector<COLORREF> Canvas::Pixels(RECT area) const {
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) pixels.push_back(At(x, y));
    return pixels;
}

std::string FontValue(const std::string& name) {
    HKEY key;
    char data[1024];
    DWORD size = sizeof data;
    if (OpenFontKey(KEY_READ, &key) != ERROR_SUCCESS) return "no key";
    const bool found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) == 0;
    RegCloseKey(key);
    return found ? std::string(data, size) : "none";
}

void SetFontValue(const std::string& name, const std::string& data) {
    EXPECT_EQ(0, RegSetKeyValueA(HKEY_LOCAL_MACHINE, FontRegistryKey(), name.c_str(), REG_SZ, data.c_str(),
                                 static_cast<DWORD>(data.size() + 1)));
}

void SweepTestFonts(const char* filePrefix, const char* fontPrefix) {
    const std::string fonts = FontsDirectory();
    for (const std::string& name : FindFiles(fonts + filePrefix + "*")) {
        SetFileAttributesA((fonts + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        while (RemoveFontResourceA((fonts + name).c_str())) continue;
        DeleteFileA((fonts + name).c_str());
    }
    HKEY key;
    ASSERT_EQ(0, OpenFontKey(KEY_READ | KEY_SET_VALUE, &key));
    std::vector<std::string> doomed;
    char name[1100], data[1100];
    for (DWORD i = 0, n = sizeof name, d = sizeof data - 1;
         RegEnumValueA(key, i, name, &n, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &d) != ERROR_NO_MORE_ITEMS;
         ++i, n = sizeof name, d = sizeof data - 1) {
        data[d] = 0;
        if (!_strnicmp(name, fontPrefix, strlen(fontPrefix)) || !_strnicmp(data, filePrefix, strlen(filePrefix))) {
            doomed.push_back(name);
        }
    }
    for (const std::string& value : doomed) RegDeleteValueA(key, value.c_str());
    RegCloseKey(key);
}

void SaveScreenshot(HWND window, const char* name) {
    const char* folder = getenv("QM_SCREENSHOTS");
    if (!folder) return;
    // The whole window with its frame, as the window itself drew it.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT r;
    GetWindowRect(window, &r);
    HDC dc = GetWindowDC(window);
    SaveAreaPng(dc, 0, 0, r.right - r.left, r.bottom - r.top, (std::string(folder) + "\\" + name).c_str());
    ReleaseDC(window, dc);
}

void MainWindowFixture::SetUp() {
    ASSERT_TRUE(SettingsFilePath(iniPath_, sizeof iniPath_));
    savedIni_ = ReadFileBytes(iniPath_, &hadIni_);
    ASSERT_NE(nullptr, _getcwd(savedDirectory_, sizeof savedDirectory_));
    folder_ = NewTestFolder();
    ResetSettings(g_settings);
}

void MainWindowFixture::TearDown() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    FlushEvents();
    FinishQuillmere(GetModuleHandleA(nullptr));
    if (hadIni_) {
        WriteFile(iniPath_, savedIni_);
    } else {
        DeleteFileA(iniPath_);
    }
    _chdir(savedDirectory_);
    ResetSettings(g_settings);
}

void MainWindowFixture::Start(const std::string& settings) {
    ASSERT_TRUE(WriteFile(iniPath_, "StartupDirectory = " + folder_ +
                                        "\\\r\nShowStartupWindow = 0\r\nShowFileSamples = 0\r\nShowFontSamples = 0\r\n" +
                                        settings));
    window_ = StartQuillmere(GetModuleHandleA(nullptr), nullptr, SW_SHOW);
    ASSERT_NE(nullptr, window_);
    FlushEvents();
}

int MainWindowFixture::Row(int listId, const std::string& text) const {
    return static_cast<int>(
        SendMessageA(List(listId), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

std::string MainWindowFixture::Status(int id) const { return WindowText(GetDlgItem(window_, id)); }

std::vector<std::string> MainWindowFixture::Rows(int listId) const {
    std::vector<std::string> rows;
    for (int i = 0; i < SendMessageA(List(listId), LB_GETCOUNT, 0, 0); ++i) {
        char text[300] = "";
        SendMessageA(List(listId), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

std::string MainWindowFixture::MenuText(int id) const {
    char text[MAX_PATH + 32] = "";
    GetMenuStringA(GetMenu(window_), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

void MainWindowFixture::Select(int listId, const std::vector<std::string>& rows) {
    SendMessageA(List(listId), LB_SETSEL, FALSE, -1);
    for (const std::string& row : rows) {
        ASSERT_GE(Row(listId, row), 0) << row;
        SendMessageA(List(listId), LB_SETSEL, TRUE, Row(listId, row));
    }
}

void MainWindowFixture::DoubleClick(int listId, const std::string& row) {
    Select(listId, {row});
    SendMessageA(List(listId), LB_SETCARETINDEX, Row(listId, row), FALSE);
    Command(listId, LBN_DBLCLK);
}

void MainWindowFixture::Run(const std::function<void()>& action, std::initializer_list<int> answers, const Boxes& boxes,
                            Where where) {
    SCOPED_TRACE(testing::Message() << "from line " << where.line());
    ModalWatcher watcher(IDOK);
    watcher.Answer(answers);
    action();
    ASSERT_EQ(boxes.size(), watcher.seen().size()) << (watcher.seen().empty() ? "" : watcher.seen()[0].text);
    for (size_t i = 0; i < boxes.size(); ++i) {
        const ModalWatcher::Seen& seen = watcher.seen()[i];
        EXPECT_EQ(boxes[i].first, seen.text) << i;
        EXPECT_EQ(boxes[i].second, seen.boxStyle) << i << ": " << seen.text;
        EXPECT_EQ("Message", seen.caption);
        EXPECT_EQ(window_, seen.owner);
    }
}

void MainWindowFixture::RunCommand(int id, std::initializer_list<int> answers, const Boxes& boxes, Where where) {
    HCURSOR cursor = GetCursor();
    const auto action = [&] {
        SetDlgItemTextA(window_, IDC_INSTALLED_STATUS, "stale");
        SetDlgItemTextA(window_, IDC_FILE_STATUS, "stale");
        Command(id);
    };
    Run(action, answers, boxes, where);
    EXPECT_EQ(cursor, GetCursor()) << "from line " << where.line();
}
