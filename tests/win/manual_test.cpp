// Opening the manual: the warning box and its check box, the documents and anchors that reach the browser, and the
// message when nothing can open them. The test prefix's stand-in browser notes each address it is given.
#include <algorithm>
#include <sstream>

#include "config/settings.h"
#include "info/manual.h"
#include "info/sysinfobox.h"
#include "resources/resource.h"
#include "wintest.h"

namespace {

class ManualTest : public testing::Test {
protected:
    void SetUp() override {
        const char* prefix = getenv("WINEPREFIX");
        if (!prefix) GTEST_SKIP() << "needs the test prefix's stand-in browser";
        log_ = "Z:" + std::string(prefix) + "/browser.log";
        std::replace(log_.begin(), log_.end(), '/', '\\');
        DeleteFileA(log_.c_str());
        const std::string recorder = std::string(prefix) + "/record-browser";
        ASSERT_EQ(0, RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ,
                                     recorder.c_str(), static_cast<DWORD>(recorder.size() + 1)));
        folder_ = NewTestFolder();
        CreateDirectoryA((folder_ + "\\html").c_str(), nullptr);
        ASSERT_TRUE(WriteFile(folder_ + "\\html\\manual.htm", "<html></html>"));
        ASSERT_TRUE(WriteFile(folder_ + "\\html\\referenc.htm", "<html></html>"));
        ResetSettings(g_settings);
        lstrcpyA(g_settings.ApplicationPath, (folder_ + "\\").c_str());
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser");
        ResetSettings(g_settings);
    }
    // Runs open, clicking the warning's check box `clicks` times; notes what each box showed and whether Escape and
    // Help left the warning up.
    void Open(const std::function<void()>& open, int clicks) {
        ModalWatcher watcher;
        watcher.Inspect([&](HWND box) {
            if (GetDlgItem(box, IDC_SYSINFO_HELP)) {
                SendDlgItemMessageA(box, IDC_SYSINFO_HELP, BM_CLICK, 0, 0);
                EXPECT_TRUE(IsWindowVisible(box)) << "Help closed the system information";
            }
            if (WindowText(box) != "Warning") return;
            warnings_.push_back(WindowText(GetDlgItem(box, IDC_WARNING_TEXT)) +
                                (IsDlgButtonChecked(box, IDC_WARNING_AGAIN) ? " [x]" : " [ ]"));
            for (int i = 0; i < clicks; ++i) SendDlgItemMessageA(box, IDC_WARNING_AGAIN, BM_CLICK, 0, 0);
            SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
            SendMessageA(box, WM_COMMAND, IDC_WARNING_HELP, 0);
            EXPECT_TRUE(IsWindowVisible(box)) << "Escape or Help closed the warning";
        });
        open();
        for (const auto& seen : watcher.seen()) boxes_.push_back(seen.caption);
        messages_.push_back(watcher.seen().empty() ? "" : watcher.seen().back().text);
    }
    // The addresses the browser was given, in order of the documents: the launched browsers start on their own, so
    // their lines come in any order.
    std::vector<std::string> Opened(size_t expected) const {
        std::vector<std::string> lines;
        for (int tries = 0; tries < 100 && lines.size() < expected; ++tries) {
            if (tries) Sleep(100);
            lines.clear();
            std::istringstream text(ReadFileBytes(log_));
            for (std::string line; std::getline(text, line);) lines.push_back(line);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    std::string Address(const char* document) const { return "file://" + folder_ + "\\html\\" + document; }
    std::string log_, folder_;
    std::vector<std::string> warnings_, boxes_, messages_;
};

TEST_F(ManualTest, WarningThenTheDocumentsAtTheirAnchorsThenNoMoreWarning) {
    const std::string warning = Msg(MSG_MANUAL_WARNING);
    Open([] { EXPECT_EQ(1, OpenManual(nullptr)); }, 2);  // unchecked and checked again: stays on
    EXPECT_EQ(1u, g_settings.WarnShowManual);
    Open([] { OpenManual(nullptr); }, 1);  // unchecked: off at once
    EXPECT_EQ(0u, g_settings.WarnShowManual);
    Open([] { EXPECT_EQ(1, OpenReference(nullptr, "SETUP")); }, 0);
    Open([] { ShowSystemInformation(nullptr); }, 0);  // its Help button
    EXPECT_EQ((std::vector<std::string>{warning + " [x]", warning + " [x]"}), warnings_);
    EXPECT_EQ((std::vector<std::string>{"Warning", "Warning", "System Information"}), boxes_);
    EXPECT_EQ((std::vector<std::string>{Address("manual.htm#DOCUMENTATION"), Address("manual.htm#DOCUMENTATION"),
                                        Address("referenc.htm#SETUP"), Address("referenc.htm#Sysinfo")}),
              Opened(4));
}

TEST_F(ManualTest, NothingToOpenTheDocumentWithIsReportedAfterTheWarning) {
    lstrcpyA(g_settings.ApplicationPath, (folder_ + "\\nowhere\\").c_str());
    Open([] { OpenManual(nullptr); }, 0);
    EXPECT_EQ((std::vector<std::string>{"Warning", "Message"}), boxes_);
    EXPECT_EQ("There has been an error displaying the manual page. Please ensure that there is an application "
              "installed on your system capable of opening HTML documents associated with the file extension .HTM.",
              messages_.back());
    EXPECT_TRUE(Opened(0).empty());
}

}  // namespace
