// The recent directories of the File menu: the last nine directories the
// user moved to, oldest first. The menu is rebuilt from this list; the
// settings file keeps it as "FileMenuPath" lines.
#pragma once

#include <cstddef>

// The File menu keeps at most this many recent directories.
inline constexpr int kMaxRecentDirectories = 9;
// A path: at most 260 characters and the terminating zero.
inline constexpr size_t kRecentPathSize = 261;

struct RecentDirectories {
    int count = 0;
    char paths[kMaxRecentDirectories][kRecentPathSize] = {};
};

// The program's list, loaded with the settings and saved with them.
extern RecentDirectories g_recent;

// Records path as the newest entry. Only paths that begin with a drive
// letter and a colon are kept (never a relative or network path); an entry
// equal to it but for letter case moves to the end; when nine are held the
// oldest goes. A longer path is cut to 260 characters. True when recorded.
bool AddRecentDirectory(RecentDirectories& recent, const char* path);

// Drops entry index (0 is the oldest); the later entries move up. An index
// outside the list changes nothing.
void RemoveRecentDirectory(RecentDirectories& recent, int index);
