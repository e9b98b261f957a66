// Opening the manual: the warning box and its check box, the document and
// anchor that reach the browser, and the message when nothing can open it.
// The test prefix's stand-in browser (record-browser) notes each address.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/messages.h"
#include "config/settings.h"
#include "info/manual.h"
#include "resources/resource.h"
#include "sfntbuilder.h"
#include "wintest.h"

namespace {

// What one box showed: the warning's text, or a message box's.
struct BoxSeen {
    std::string caption, text;
    bool checkedAtStart;
};
std::vector<BoxSeen> g_boxes;
int g_clicksOnCheckBox = 0;
HHOOK g_hook = nullptr;

// Answers the warning box (clicks its check box as often as asked, then
// Ok) and any message box (OK), noting what each showed.
LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[32] = "", caption[64] = "", text[512] = "";
        GetClassNameA(box, className, sizeof className);
        if (strcmp(className, "#32770") == 0) {
            GetWindowTextA(box, caption, sizeof caption);
            const bool warning = strcmp(caption, "Warning") == 0;
            GetDlgItemTextA(box, warning ? IDC_WARNING_TEXT : 0xFFFF, text, sizeof text);
            g_boxes.push_back({caption, text, IsDlgButtonChecked(box, IDC_WARNING_AGAIN) == BST_CHECKED});
            if (warning) {
                for (int i = 0; i < g_clicksOnCheckBox; ++i) {
                    PostMessageA(GetDlgItem(box, IDC_WARNING_AGAIN), BM_CLICK, 0, 0);
                }
                // Escape must not close it: only Ok does.
                PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ManualTest : public testing::Test {
protected:
    void SetUp() override {
        const char* prefix = getenv("WINEPREFIX");
        if (!prefix) GTEST_SKIP() << "needs the test prefix's stand-in browser";
        log_ = "Z:" + std::string(prefix) + "/browser.log";
        for (char& c : log_) c = c == '/' ? '\\' : c;
        DeleteFileA(log_.c_str());
        std::string recorder = std::string(prefix) + "/record-browser";
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(recorder.c_str()),
                       static_cast<DWORD>(recorder.size() + 1));
        RegCloseKey(key);
        // The program's folder, with its html documents.
        folder_ = NewTestFolder();
        CreateDirectoryA((folder_ + "\\html").c_str(), nullptr);
        ASSERT_TRUE(WriteFile(folder_ + "\\html\\manual.htm", "<html></html>"));
        ASSERT_TRUE(WriteFile(folder_ + "\\html\\referenc.htm", "<html></html>"));
        ResetSettings(g_settings);
        lstrcpyA(g_settings.ApplicationPath, (folder_ + "\\").c_str());
        g_boxes.clear();
        g_clicksOnCheckBox = 0;
        g_hook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    }
    void TearDown() override {
        if (g_hook) UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser");
        ResetSettings(g_settings);
    }
    // The addresses the browser was given, waiting for the launched ones.
    std::vector<std::string> Opened(size_t expected) const {
        std::vector<std::string> lines;
        for (int tries = 0; tries < 100; ++tries) {
            lines.clear();
            std::istringstream text(ReadFileBytes(log_));
            for (std::string line; std::getline(text, line);) lines.push_back(line);
            if (lines.size() >= expected) break;
            Sleep(100);
        }
        return lines;
    }
    std::string Address(const char* document) const { return "file://" + folder_ + "\\html\\" + document; }
    std::string log_, folder_;
};

TEST_F(ManualTest, WarningThenTheManualAtItsSectionThenNoMoreWarning) {
    char warning[512];
    lstrcpynA(warning, LoadMessageText(MSG_MANUAL_WARNING), sizeof warning);

    // Unchecked and re-checked before Ok: the warning stays on.
    g_clicksOnCheckBox = 2;
    EXPECT_EQ(1, OpenManual(nullptr));
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_EQ("Warning", g_boxes[0].caption);
    EXPECT_EQ(warning, g_boxes[0].text);
    EXPECT_TRUE(g_boxes[0].checkedAtStart);
    EXPECT_EQ(1u, g_settings.WarnShowManual);

    // Unchecked once: the setting clears at once, and the next documents
    // open without the box.
    g_clicksOnCheckBox = 1;
    OpenManual(nullptr);
    EXPECT_EQ(0u, g_settings.WarnShowManual);
    OpenReference(nullptr, "SETUP");
    OpenReference(nullptr, "Sysinfo");
    EXPECT_EQ(2u, g_boxes.size()) << "two warnings and nothing else";

    const auto opened = Opened(4);
    ASSERT_EQ(4u, opened.size());
    EXPECT_EQ(Address("manual.htm#DOCUMENTATION"), opened[0]);
    EXPECT_EQ(Address("manual.htm#DOCUMENTATION"), opened[1]);
    EXPECT_EQ(Address("referenc.htm#SETUP"), opened[2]);
    EXPECT_EQ(Address("referenc.htm#Sysinfo"), opened[3]);
}

TEST_F(ManualTest, NothingToOpenTheManualWithIsReportedAfterTheWarning) {
    lstrcpyA(g_settings.ApplicationPath, (folder_ + "\\nowhere\\").c_str());
    OpenManual(nullptr);
    ASSERT_EQ(2u, g_boxes.size());
    EXPECT_EQ("Warning", g_boxes[0].caption) << "the warning comes first";
    EXPECT_EQ("Message", g_boxes[1].caption);
    EXPECT_EQ("There has been an error displaying the manual page. Please ensure that there is an application "
              "installed on your system capable of opening HTML documents associated with the file extension .HTM.",
              g_boxes[1].text);
    EXPECT_TRUE(Opened(0).empty());
}

}  // namespace
