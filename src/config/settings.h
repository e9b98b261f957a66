// The settings record, its key table, and the settings file that carries
// both the record and the recent-directory list between runs.
//
// The file is plain text, one "Key = value" line per table row, read once at
// start-up and rewritten in full at exit. Reading is forgiving by design: a
// key may be abbreviated to any prefix (the first table row it matches
// wins), unknown and malformed lines are ignored, and numbers are never
// clamped here (the Setup sheet applies the ranges).
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

#include "config/recentdirs.h"

// A text value: at most 260 characters and the terminating zero.
inline constexpr size_t kSettingsTextSize = 261;
inline constexpr int kSettingsKeyCount = 32;
// Characters taken from one line of the file; the rest of a longer line is
// dropped.
inline constexpr size_t kSettingsLineLimit = 127;
// Files larger than this are read only this far; a real one is a few KB.
inline constexpr size_t kMaxSettingsFileBytes = 1024 * 1024;
// Room for the longest file the writer can produce (every text value and
// every recent directory at 260 characters).
inline constexpr size_t kSettingsTextCapacity = 16384;

// Kind bits of a key-table row; a row may carry several.
inline constexpr uint32_t kKindBoolean = 0x0001;     // decimal number; check box
inline constexpr uint32_t kKindText = 0x0002;        // rest of the line
inline constexpr uint32_t kKindNumber = 0x0004;      // decimal number; edit control
inline constexpr uint32_t kKindRefresh = 0x0008;     // a change redraws the lists
inline constexpr uint32_t kKindWriteOnly = 0x0010;   // written, never read back
inline constexpr uint32_t kKindColour = 0x1000;      // colour button
inline constexpr uint32_t kKindRanged = 0x2000;      // up-down control with the row's range
inline constexpr uint32_t kKindFontFace = 0x4000;    // face-name list with preview
inline constexpr uint32_t kKindHundredths = 0x8000;  // hundredths of an inch, shown as inches

// Every configuration value of the program, named by its key in the file.
// Numbers, booleans and colours (0x00BBGGRR) are 32-bit unsigned.
struct SettingsRecord {
    char ApplicationPath[kSettingsTextSize];
    uint32_t BottomPrintMargin;
    char BuildDate[kSettingsTextSize];
    uint32_t DisplayFontSize;
    char FontSampleText[kSettingsTextSize];
    char FooterFont[kSettingsTextSize];
    uint32_t LeftPrintMargin;
    uint32_t LogoDelay;
    uint32_t PaperColumns;
    uint32_t PaperLeading;
    uint32_t PaperLeftPadding;
    uint32_t PaperFrameBackground;
    uint32_t PaperFrameColour;
    uint32_t PaperRoundFrame;
    uint32_t PaperSampleSize;
    uint32_t PaperTitleSize;
    char PaperTitleFont[kSettingsTextSize];
    uint32_t PromptBeforeOverwrite;
    uint32_t PromptWhenDone;
    uint32_t SampleFontColour;  // 0xFFFFFFFF: the system's window-text colour
    uint32_t SampleFontSize;
    uint32_t ShowFileSamples;
    uint32_t ShowFontSamples;
    uint32_t ShowStartupWindow;
    uint32_t TitleFontSize;
    uint32_t TopPrintMargin;
    char PageFooter[kSettingsTextSize];
    uint32_t RightPrintMargin;
    char StartupDirectory[kSettingsTextSize];
    uint32_t VersionNumber;
    uint32_t WarnShowManual;
    uint32_t WindowsFontNameFix;
};

// One row of the key table.
struct SettingsKey {
    const char* name;  // the key as written in the file
    size_t offset;     // where the value lives in a SettingsRecord
    uint32_t kinds;    // kKind* bits
    uint32_t controlId;  // editing control on a Setup page; 0 for none
    uint32_t range;      // UDM_SETRANGE form: low half upper bound, high half lower bound; 0 for none
};

// The up-down range lo..hi in the form the key table stores it.
constexpr uint32_t SettingsRange(uint32_t lo, uint32_t hi) { return (lo << 16) | (hi & 0xFFFF); }

// In file order; the order also decides which row an abbreviated key selects.
extern const SettingsKey kSettingsKeys[kSettingsKeyCount];

// The process-wide record, holding the defaults until LoadSettings.
extern SettingsRecord g_settings;

void ResetSettings(SettingsRecord& record);

// The value of a row in a record: the number of a boolean or number row, the
// buffer (kSettingsTextSize bytes) of a text row.
uint32_t& SettingsNumber(SettingsRecord& record, const SettingsKey& key);
uint32_t SettingsNumber(const SettingsRecord& record, const SettingsKey& key);
char* SettingsText(SettingsRecord& record, const SettingsKey& key);
const char* SettingsText(const SettingsRecord& record, const SettingsKey& key);

// Applies the lines of a settings file to record; rows the text does not
// mention keep their values. The text is the file's bytes; it need not be
// terminated.
void ParseSettingsText(const char* text, size_t length, SettingsRecord& record);
// Adds the FileMenuPath values of a settings file's text to recent, in
// file order, as visits would.
void ParseRecentDirectories(const char* text, size_t length, RecentDirectories& recent);

// The 32 key lines, each ending in CR LF, terminated. Returns the length, or
// 0 when size is too small.
size_t FormatSettingsKeyLines(const SettingsRecord& record, char* out, size_t size);
// The whole file: header stamped with when, key lines, then one FileMenuPath
// line per recent directory, oldest first. Returns the length, or 0 when
// size is too small.
size_t BuildSettingsText(const SettingsRecord& record, time_t when, const RecentDirectories& recent, char* out,
                         size_t size);

// Applies the settings file at path to record. False when it could not be
// read; record is then unchanged.
bool ReadSettingsFile(const char* path, SettingsRecord& record);
// Adds the FileMenuPath values of the file at path to recent; false when
// the file cannot be read.
bool ReadRecentDirectoriesFile(const char* path, RecentDirectories& recent);
// Writes the file through a temporary file beside it that then replaces the
// old one: a failure leaves the old file as it was and no temporary file.
bool WriteSettingsFile(const char* path, const SettingsRecord& record, time_t when, const RecentDirectories& recent);

// "Quillmere.ini" in the Windows directory; false when there is none or the
// path does not fit.
bool SettingsFilePath(char* out, size_t size);
// Loads the settings file into g_settings; without a file the defaults stay.
void LoadSettings();
// Adds the recent directories of the settings file to g_recent.
void LoadRecentDirectories();
// Writes g_settings and g_recent to the settings file, stamped with the
// current time.
bool SaveSettingsFile();
