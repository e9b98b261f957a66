#include "config/recentdirs.h"

#include <cstring>

#include "platform/platform.h"

RecentDirectories g_recent;

void RemoveRecentDirectory(RecentDirectories& recent, int index) {
    if (index < 0 || index >= recent.count) return;
    memmove(recent.paths[index], recent.paths[index + 1],
            static_cast<size_t>(recent.count - index - 1) * kRecentPathSize);
    --recent.count;
}

bool AddRecentDirectory(RecentDirectories& recent, const char* path) {
    const unsigned char letter = static_cast<unsigned char>(path[0]);
    const bool isLetter = (letter | 0x20) >= 'a' && (letter | 0x20) <= 'z';
    if (!isLetter || path[1] != ':') return false;
    char visited[kRecentPathSize];
    strncpy(visited, path, sizeof visited - 1);
    visited[sizeof visited - 1] = 0;
    for (int i = 0; i < recent.count; ++i) {
        if (PlatSameIgnoringCase(recent.paths[i], visited)) {
            RemoveRecentDirectory(recent, i);
            break;
        }
    }
    if (recent.count == kMaxRecentDirectories) RemoveRecentDirectory(recent, 0);
    memcpy(recent.paths[recent.count++], visited, sizeof visited);
    return true;
}
