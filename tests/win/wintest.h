// Helpers for the tests that run under Windows (or Wine).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <source_location>
#include <string>
#include <vector>

#include "sfntbuilder.h"

// A real TrueType file of the machine's fonts ("DejaVuSans.ttf") as a Windows path; empty when it is not there.
std::string HostFont(const char* fileName);
// Files in the temporary folder with the temporary-font prefix.
int CountTemporaryFontFiles();
// True when EnumFontFamiliesExA lists the face.
bool FaceIsListed(const char* face);
// A fresh folder for one test, without a trailing backslash.
std::string NewTestFolder();
bool CopyInto(const std::string& from, const std::string& to);
// A copy of the machine's font `host` at path, carrying the full name of its own.
std::string MakeFontFile(const std::string& path, const std::string& fullName, const char* host = "DejaVuSansMono.ttf");
// The names of the files matching a pattern.
std::vector<std::string> FindFiles(const std::string& pattern);
// Dispatches every pending message of this thread, so that posted commands and due timers have run.
void FlushEvents();
std::string WindowText(HWND window);
// Message `id` of the string table filled in with printf-style arguments.
std::string Msg(UINT id, ...);

// Watches this thread for modal windows (message boxes, dialogs, property sheets) while it lives: notes each one and
// ends it with the next queued answer, else the constructor's.
class ModalWatcher {
public:
    explicit ModalWatcher(int answer = IDOK);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;
    void Answer(std::initializer_list<int> answers) { queued_.insert(queued_.end(), answers); }
    // Ends the window through its system menu's close, as the close box does.
    static constexpr int kClose = -1;
    // Calls inspect with each modal window once its modal loop runs, before the window is answered; for reading or
    // working a dialog while it is up.
    void Inspect(std::function<void(HWND)> inspect) { inspect_ = std::move(inspect); }

    // boxStyle: a message box's buttons and icon as MB_ flags.
    struct Seen { std::string caption, text; UINT boxStyle; HWND owner; };
    const std::vector<Seen>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK InspectLater(HWND, UINT, UINT_PTR timer, DWORD);
    static void End(HWND box, int answer);
    struct Pending { UINT_PTR timer; HWND box; int answer; };
    HHOOK hook_;
    std::function<void(HWND)> inspect_;
    std::vector<Pending> pending_;
    int answer_;
    std::deque<int> queued_;
    std::vector<Seen> seen_;
};

// A 24-bit drawing surface of width x height, white.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const;
    void Fill(COLORREF colour);
    // The pixels of the rectangle, row by row.
    std::vector<COLORREF> Pixels(RECT area) const;
    const int width, height;

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    unsigned char* bits_ = nullptr;
};

// The value under the system's font key with that name; "none" when absent.
std::string FontValue(const std::string& name);
void SetFontValue(const std::string& name, const std::string& data);
// Takes out what a test put into the system: fonts-folder files whose names start with filePrefix and font-key values
// named fontPrefix... or holding filePrefix...
void SweepTestFonts(const char* filePrefix, const char* fontPrefix);
// Saves a window, frame and all, as a PNG in the folder QM_SCREENSHOTS names.
void SaveScreenshot(HWND window, const char* name);

// The real main window, started in this process as the program starts it, over a settings file the test writes (the
// machine's own is put back), showing a fresh folder of the test's own.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts with samples and the startup window off unless `settings` says otherwise (later lines win).
    void Start(const std::string& settings = "");
    HWND List(int id) const { return GetDlgItem(window_, id); }
    int Row(int listId, const std::string& text) const;
    std::vector<std::string> Rows(int listId) const;
    LRESULT Height(int listId) const { return SendMessageA(List(listId), LB_GETITEMHEIGHT, 0, 0); }
    std::string MenuText(int id) const;
    std::string Status(int id) const;
    LRESULT Command(int id, int code = 0) const { return SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, code), 0); }
    // Selects exactly these rows, as clicks leave them (no refresh).
    void Select(int listId, const std::vector<std::string>& rows);
    // Double-clicks the row, alone selected and with the caret.
    void DoubleClick(int listId, const std::string& row);
    // Runs action, answering its boxes in turn (then OK), and checks every box: owner, caption "Message", text,
    // buttons and icon. Failures name the caller's line.
    using Boxes = std::vector<std::pair<std::string, UINT>>;
    using Where = std::source_location;
    void Run(const std::function<void()>& action, std::initializer_list<int> answers, const Boxes& boxes,
             Where where = Where::current());
    // Run of a command, with both status lines made stale first so that a missing refresh shows, and the cursor
    // checked to come back.
    void RunCommand(int id, std::initializer_list<int> answers, const Boxes& boxes, Where where = Where::current());

    HWND window_ = nullptr;
    std::string folder_;
    char iniPath_[MAX_PATH] = "";

private:
    std::string savedIni_;
    bool hadIni_ = false;
    char savedDirectory_[MAX_PATH] = "";
};

inline constexpr UINT kAsk = MB_YESNO | MB_ICONQUESTION;
inline constexpr UINT kTell = MB_OK | MB_ICONINFORMATION;
