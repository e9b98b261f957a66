// The settings file: what the reader takes from a file's text, the exact
// text the writer produces, a round trip through a real file, and a failure
// injected at every system call of a save or a load.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "config/settings.h"
#include "platform/platform.h"
#include "sfntbuilder.h"

namespace {

using Values = std::map<std::string, std::string>;

// Every row's value as the file would show it.
Values ValuesOf(const SettingsRecord& record) {
    Values values;
    for (const SettingsKey& key : kSettingsKeys) {
        values[key.name] = (key.kinds & kKindText) ? std::string(SettingsText(record, key))
                                                   : std::to_string(SettingsNumber(record, key));
    }
    return values;
}

Values Defaults() {
    SettingsRecord record;
    ResetSettings(record);
    return ValuesOf(record);
}

Values Read(const std::string& text) {
    SettingsRecord record;
    ResetSettings(record);
    ParseSettingsText(text.data(), text.size(), record);
    return ValuesOf(record);
}

struct ReadCase {
    const char* what;
    std::string text;
    Values changed;  // rows that differ from their defaults afterwards
};

TEST(ParseSettingsText, TakesWhatTheLineRulesAllow) {
    const std::string x110(110, 'x');
    const std::string y110(110, 'y');
    const ReadCase cases[] = {
        {"abbreviated key: first row in table order", "Paper = 4\r\n", {{"PaperColumns", "4"}}},
        {"abbreviated boolean", "Show = 0\r\n", {{"ShowFileSamples", "0"}}},
        {"abbreviated text", "Font = x\r\n", {{"FontSampleText", "x"}}},
        {"no blanks, no line end", "PaperColumns=2", {{"PaperColumns", "2"}}},
        {"several = and blanks", "PaperColumns==  2\r\n", {{"PaperColumns", "2"}}},
        {"no =, LF only", "PaperColumns 2\n", {{"PaperColumns", "2"}}},
        {"line feeds alone end lines", "PaperColumns = 2\nPaperLeading = 7\n\nLogoDelay=3", {{"PaperColumns", "2"}, {"PaperLeading", "7"}, {"LogoDelay", "3"}}},
        {"wrong case, longer token, unknown key", "paperColumns = 2\r\nPapers = 2\r\nFileMenuPath = C:\\\r\n", {}},
        {"comments and the section line", ";Quillmere\r\n;PaperColumns = 2\r\n;\r\n[Quillmere]\r\n", {}},
        {"tab in a value", "FontSampleText = a\tb\r\n", {{"FontSampleText", "a"}}},
        {"tab before =", "PaperColumns\t= 2\r\nFooterFont\t= Courier\r\n", {{"PaperColumns", "0"}, {"FooterFont", ""}}},
        {"blank line selects ApplicationPath", "ApplicationPath = C:\\QM\\\r\n\r\nStartupDirectory = D:\\\r\n",
         {{"StartupDirectory", "D:\\"}}},
        {"200-character line: 127 read, rest dropped",
         "FontSampleText = " + x110 + "PaperColumns = 5" + std::string(57, ' ') + "\r\n", {{"FontSampleText", x110}}},
        {"127 characters and the line end: no blank line after",
         "ApplicationPath = C:\\\r\nFontSampleText = " + y110 + "\r\nPaperColumns = 5\r\n",
         {{"ApplicationPath", "C:\\"}, {"FontSampleText", y110}, {"PaperColumns", "5"}}},
        {"numbers wrap and stop at a non-digit",
         "SampleFontColour = 0\r\nSampleFontColour = -1\r\nLogoDelay = 4294967297\r\nPaperColumns = 9x\r\n"
         "DisplayFontSize = abc\r\nTitleFontSize = +7\r\n",
         {{"LogoDelay", "1"}, {"PaperColumns", "9"}, {"DisplayFontSize", "0"}, {"TitleFontSize", "7"}}},
        {"trailing blanks stay", "FooterFont = Times New Roman   \r\n", {{"FooterFont", "Times New Roman   "}}},
        {"write-only rows are not read", "BuildDate = Jan  1 1999\r\nVersionNumber = 1\r\n", {}},
        {"last line wins", "PaperColumns = 2\r\nPaperColumns = 4\r\n", {{"PaperColumns", "4"}}},
        {"lone CR is a control character", "PaperColumns = 2\rPaperLeading = 9\r\n", {{"PaperColumns", "2"}}},
        {"Ctrl-Z ends the file", "WarnShowManual = 0\x1a\r\nPaperColumns = 1\r\n", {{"WarnShowManual", "0"}}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        Values want = Defaults();
        for (const auto& [key, value] : c.changed) want[key] = value;
        EXPECT_EQ(want, Read(c.text));
    }
}

TEST(ParseRecentDirectories, TakesFileMenuPathLinesInOrder) {
    const std::string text =
        "[Quillmere]\r\nFileMenuPath = C:\\FONTS\\\r\n;FileMenuPath = X:\\\r\nFileMenu = Y:\\\r\n"
        "FileMenuPath=D:\\A B \r\nFileMenuPathZ == E:\\\tx\r\nFileMenuPath = F:\\\r\nFileMenuPath = G:\\\r\n";
    RecentDirectories recent;
    ParseRecentDirectories(text.data(), text.size(), recent);
    EXPECT_EQ((std::vector<std::string>{"C:\\FONTS\\", "D:\\A B ", "E:\\", "F:\\", "G:\\"}),
              std::vector<std::string>(recent.paths, recent.paths + recent.count));
}

// The header's time stamp, made independently of ctime: the C standard pads
// the day with a blank, the Windows C library with a zero.
std::string Stamp(time_t when) {
    char text[64];
    strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y", localtime(&when));
#ifndef _WIN32
    if (text[8] == '0') text[8] = ' ';
#endif
    return text;
}

constexpr time_t kWhen = 1028721600;  // 7 August 2002
RecentDirectories Recent(int count) {
    RecentDirectories recent;
    const char* const paths[] = {"C:\\FONTS\\", "D:\\MORE FONTS\\"};
    for (int i = 0; i < count; ++i) AddRecentDirectory(recent, paths[i]);
    return recent;
}
const char* const kRecent[] = {"C:\\FONTS\\", "D:\\MORE FONTS\\"};

TEST(BuildSettingsText, WritesHeaderKeysAndRecentDirectories) {
    SettingsRecord record;
    ResetSettings(record);
    char text[kSettingsTextCapacity];
    const size_t length = BuildSettingsText(record, kWhen, Recent(2), text, sizeof text);
    EXPECT_EQ(";Quillmere configuration file\r\n;Quillmere\r\n;Last updated " + Stamp(kWhen) +
                  "\r\n;\r\n[Quillmere]\r\n"
                  "ApplicationPath = \r\nBottomPrintMargin = 50\r\nBuildDate = Aug  7 2002\r\nDisplayFontSize = 24\r\n"
                  "FontSampleText = The quick brown fox obfuscated the lazy dog...\r\nFooterFont = Arial\r\n"
                  "LeftPrintMargin = 50\r\nLogoDelay = 8000\r\nPaperColumns = 3\r\nPaperLeading = 5\r\n"
                  "PaperLeftPadding = 8\r\nPaperFrameBackground = 16316664\r\nPaperFrameColour = 0\r\n"
                  "PaperRoundFrame = 1\r\nPaperSampleSize = 24\r\nPaperTitleSize = 12\r\nPaperTitleFont = Arial\r\n"
                  "PromptBeforeOverwrite = 1\r\nPromptWhenDone = 1\r\nSampleFontColour = 4294967295\r\n"
                  "SampleFontSize = 30\r\nShowFileSamples = 1\r\nShowFontSamples = 1\r\nShowStartupWindow = 1\r\n"
                  "TitleFontSize = 12\r\nTopPrintMargin = 50\r\nPageFooter = Page %P printed on %S\r\n"
                  "RightPrintMargin = 50\r\nStartupDirectory = \r\nVersionNumber = 67\r\nWarnShowManual = 1\r\n"
                  "WindowsFontNameFix = 1\r\nFileMenuPath = C:\\FONTS\\\r\nFileMenuPath = D:\\MORE FONTS\\\r\n",
              std::string(text, length));
    EXPECT_EQ(0u, BuildSettingsText(record, kWhen, Recent(2), text, length)) << "one byte short of the terminator";
}

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(WriteSettingsFile, RoundTripsEveryReadableRow) {
    const std::string dir = TempDir();
    const std::string path = JoinPath(dir, "Quillmere.ini");
    SettingsRecord record;
    ResetSettings(record);
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindText) {
            snprintf(SettingsText(record, key), kSettingsTextSize, "%.3s value =x ", key.name);
        } else {
            SettingsNumber(record, key) = 4000000000u + static_cast<uint32_t>(key.offset);
        }
    }
    ASSERT_TRUE(WriteSettingsFile(path.c_str(), record, kWhen, Recent(2)));
    EXPECT_EQ(std::vector<std::string>{"Quillmere.ini"}, FilesIn(dir));

    SettingsRecord back;
    ResetSettings(back);
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), back));
    Values want = ValuesOf(record);
    want["BuildDate"] = "Aug  7 2002";
    want["VersionNumber"] = "67";
    EXPECT_EQ(want, ValuesOf(back));
    RecentDirectories dirs;
    ASSERT_TRUE(ReadRecentDirectoriesFile(path.c_str(), dirs));
    EXPECT_EQ(std::vector<std::string>(kRecent, kRecent + 2), std::vector<std::string>(dirs.paths, dirs.paths + dirs.count));
}

TEST(WriteSettingsFile, FailureAtAnyCallKeepsTheOldFileAndNoTemporary) {
    SettingsRecord record;
    ResetSettings(record);
    record.PaperColumns = 5;
    char text[kSettingsTextCapacity];
    const Bytes fresh(text, BuildSettingsText(record, kWhen, Recent(1), text, sizeof text));
    for (const bool hadFile : {true, false}) {
        SCOPED_TRACE(hadFile ? "over an old file" : "no old file");
        const std::string dir = TempDir();
        const std::string path = JoinPath(dir, "Quillmere.ini");
        const Bytes old = "PaperColumns = 1\r\n";
        if (hadFile) ASSERT_TRUE(WriteFile(path, old));
        PlatResetCounts();
        ASSERT_TRUE(WriteSettingsFile(path.c_str(), record, kWhen, Recent(1)));
        const unsigned calls = PlatCallCount(PlatOp::Any);
        EXPECT_EQ(fresh, ReadFileBytes(path));
        EXPECT_EQ(6u, calls) << "alloc, lock, create, write, close, replace";
        for (unsigned k = 1; k <= calls; ++k) {
            SCOPED_TRACE(k);
            if (hadFile) ASSERT_TRUE(WriteFile(path, old));
            else std::filesystem::remove(path);
            PlatFailNth(PlatOp::Any, k);
            const bool result = WriteSettingsFile(path.c_str(), record, kWhen, Recent(1));
            ASSERT_TRUE(PlatFaultFired());
            PlatFailNth(PlatOp::Any, 0);
            EXPECT_FALSE(result);
            EXPECT_EQ(hadFile ? std::vector<std::string>{"Quillmere.ini"} : std::vector<std::string>{}, FilesIn(dir));
            if (hadFile) EXPECT_EQ(old, ReadFileBytes(path));
        }
    }
}

TEST(ReadSettingsFile, FailureAtAnyCallLeavesTheRecordAlone) {
    const std::string path = JoinPath(TempDir(), "Quillmere.ini");
    ASSERT_TRUE(WriteFile(path, "PaperColumns = 1\r\n"));
    SettingsRecord record;
    ResetSettings(record);
    PlatResetCounts();
    ASSERT_TRUE(ReadSettingsFile(path.c_str(), record));
    EXPECT_EQ(1u, record.PaperColumns);
    const unsigned calls = PlatCallCount(PlatOp::Any);
    for (unsigned k = 1; k <= calls; ++k) {
        SCOPED_TRACE(k);
        ResetSettings(record);
        PlatFailNth(PlatOp::Any, k);
        const bool result = ReadSettingsFile(path.c_str(), record);
        const PlatOp op = PlatFiredOp();
        PlatFailNth(PlatOp::Any, 0);
        // Only the closing of a file that was read in full may fail unnoticed.
        EXPECT_EQ(op == PlatOp::Close, result);
        EXPECT_EQ(result ? 1u : 3u, record.PaperColumns);
    }
}

TEST(SettingsFilePath, IsInTheWindowsDirectory) {
    char path[kPlatMaxPath];
#ifdef _WIN32
    char windows[MAX_PATH];
    ASSERT_NE(0u, GetWindowsDirectoryA(windows, sizeof windows));
    ASSERT_TRUE(SettingsFilePath(path, sizeof path));
    EXPECT_EQ(std::string(windows) + "\\Quillmere.ini", path);
    EXPECT_FALSE(SettingsFilePath(path, strlen(windows) + 14)) << "no room for the terminator";
#endif
    PlatFailNth(PlatOp::WindowsDirectory, 1);
    EXPECT_FALSE(SettingsFilePath(path, sizeof path));
    PlatFailNth(PlatOp::Any, 0);
    EXPECT_STREQ("", path);
}

}  // namespace
