// Helpers for the tests that run under Windows (or Wine).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// A real TrueType file shipped with the machine's fonts, by file name
// (e.g. "DejaVuSans.ttf"), as a Windows path; empty when it is not there.
std::string HostFont(const char* fileName);

// Files in the temporary folder whose names start with the temporary-font
// prefix.
int CountTemporaryFontFiles();

// True when EnumFontFamiliesExA lists the face.
bool FaceIsListed(const char* face);

// A fresh folder for one test, as a Windows path without a trailing
// backslash.
std::string NewTestFolder();

// Copies a file; false on failure.
bool CopyInto(const std::string& from, const std::string& to);

// Dispatches every pending message of this thread, several rounds, so that
// posted commands and timers that are due have run.
void FlushEvents();

// Watches this thread for modal windows (message boxes, dialogs) while it
// lives: records each one's caption and text and ends it with `answer`, or
// with the next of the answers queued by Answer().
class ModalWatcher {
public:
    explicit ModalWatcher(int answer = IDOK);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher&) = delete;
    ModalWatcher& operator=(const ModalWatcher&) = delete;

    // The next windows are answered with these ids, in order; after them
    // the constructor's answer again.
    void Answer(std::initializer_list<int> answers) { queued_.insert(queued_.end(), answers); }

    // An answer that ends the window through its system menu's close, as
    // the caption's close box does, for windows that have no buttons.
    static constexpr int kClose = -1;

    // Has `inspect` called with each modal window once it runs in its modal
    // loop (its first paint done), before the window is answered: for
    // reading a dialog's controls while it is up.
    void Inspect(std::function<void(HWND)> inspect) { inspect_ = std::move(inspect); }

    struct Seen {
        std::string caption, text;
        LONG style;      // the window style
        UINT boxStyle;   // a message box's buttons and icon as MB_ flags
        HWND owner;
    };
    const std::vector<Seen>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK InspectLater(HWND, UINT, UINT_PTR timer, DWORD);
    static void End(HWND box, int answer);
    struct Pending {
        UINT_PTR timer;
        HWND box;
        int answer;
    };
    HHOOK hook_;
    std::function<void(HWND)> inspect_;
    std::vector<Pending> pending_;
    int answer_;
    std::deque<int> queued_;
    std::vector<Seen> seen_;
};

// The value under the system's font key with that name; "none" when there
// is none, with "type N: " in front when it is not REG_SZ.
std::string FontValue(const std::string& name);
// Writes a REG_SZ value (terminator counted) under the font key.
void SetFontValue(const std::string& name, const std::string& data);
// Takes out what a test put into the system: fonts-folder files whose names
// start with filePrefix (removed from the font table first) and font-key
// values named fontPrefix... or holding filePrefix...
void SweepTestFonts(const char* filePrefix, const char* fontPrefix);

// Directory for screenshots a person can look at (QM_SCREENSHOTS), or "".
std::string ScreenshotFolder();

// Saves a window's client area as a PNG in the screenshot folder.
void SaveScreenshot(HWND window, const char* name);

// The real main window, started in this process as the program starts it,
// over a settings file that the test writes (the machine's own file is put
// back afterwards), showing a fresh folder of the test's own.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program with samples off unless `settings` says otherwise
    // (later lines win).
    void Start(const std::string& settings = "");
    HWND List(int id) const { return GetDlgItem(window_, id); }
    int Row(int listId, const std::string& text) const;
    std::string Status(int id) const;
    LRESULT Command(int id, int code = 0) const { return SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, code), 0); }
    // Selects exactly these rows, as clicks leave them: no refresh, so a
    // directory row stays selected too.
    void Select(int listId, const std::vector<std::string>& rows);
    // Runs action, answering its message boxes in turn (then OK), and checks
    // every box: owner, caption "Message", text and buttons/icon.
    void Run(const std::function<void()>& action, std::initializer_list<int> answers,
             const std::vector<std::pair<std::string, UINT>>& boxes, int line);

    HWND window_ = nullptr;
    std::string folder_;
    char iniPath_[MAX_PATH] = "";

private:
    std::string savedIni_;
    bool hadIni_ = false;
    char savedDirectory_[MAX_PATH] = "";
};
