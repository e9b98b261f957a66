// Any bytes as a settings file: the reader never crashes, never reads past the text, leaves every text value
// terminated and the write-only rows alone, and what it read survives a write and a second read (text values up to
// what a 127-character line holds). The recent directories it takes are drive paths, terminated, at most nine.
#include <cstdint>
#include <cstring>
#include <memory>

#include "config/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> text(new char[size]);  // exact size: a read past the end is caught
    if (size) memcpy(text.get(), data, size);
    SettingsRecord defaults, record, again;
    ResetSettings(defaults), ResetSettings(record), ResetSettings(again);
    ParseSettingsText(text.get(), size, record);
    if (strcmp(record.BuildDate, defaults.BuildDate) != 0 || record.VersionNumber != defaults.VersionNumber) __builtin_trap();
    static char lines[kSettingsTextCapacity];
    const size_t length = FormatSettingsKeyLines(record, lines, sizeof lines);
    if (length == 0) __builtin_trap();
    ParseSettingsText(lines, length, again);
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.kinds & kKindText) {
            const size_t room = kSettingsLineLimit - strlen(key.name) - 3;
            if (strnlen(SettingsText(record, key), kSettingsTextSize) == kSettingsTextSize) __builtin_trap();
            if (strncmp(SettingsText(record, key), SettingsText(again, key), room) != 0) __builtin_trap();
            if (strlen(SettingsText(again, key)) > room) __builtin_trap();
        } else if (SettingsNumber(record, key) != SettingsNumber(again, key)) {
            __builtin_trap();
        }
    }
    RecentDirectories recent;
    ParseRecentDirectories(text.get(), size, recent);
    if (recent.count < 0 || recent.count > kMaxRecentDirectories) __builtin_trap();
    for (int i = 0; i < recent.count; ++i)
        if (strnlen(recent.paths[i], kRecentPathSize) == kRecentPathSize || recent.paths[i][1] != ':') __builtin_trap();
    return 0;
}
