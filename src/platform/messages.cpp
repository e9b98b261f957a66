#include "platform/messages.h"

#include <cstdarg>
#include <cstdio>

namespace {

// Longer than any message in the table; a formatted message has room for a
// file name or directory filled in three times.
constexpr int kMessageCapacity = 1024;
constexpr int kFormattedCapacity = kMessageCapacity + 3 * MAX_PATH;

void LoadInto(char* out, int size, UINT id) {
    // The resources are linked into the executable itself, so the module of
    // the process is the one to ask.
    if (LoadStringA(GetModuleHandleA(nullptr), id, out, size) <= 0) lstrcpynA(out, kStringTableError, size);
}

void FormatInto(char* out, size_t size, UINT id, va_list args) {
    if (size == 0) return;
    // The template goes into a buffer of its own, not LoadMessageText's:
    // an argument may be a text that LoadMessageText returned (a count
    // phrase placed into a sentence) and must survive this load.
    char pattern[kMessageCapacity];
    LoadInto(pattern, sizeof pattern, id);
    if (vsnprintf(out, size, pattern, args) < 0) out[0] = '\0';
}

}  // namespace

const char* LoadMessageText(UINT id) {
    static char text[kMessageCapacity];
    LoadInto(text, sizeof text, id);
    return text;
}

char* FormatMessageText(char* out, size_t size, UINT id, ...) {
    va_list args;
    va_start(args, id);
    FormatInto(out, size, id, args);
    va_end(args);
    return out;
}

char* FormatCountPhrase(char* out, size_t size, int count, UINT none, UINT one, UINT many) {
    if (count == 0) return FormatMessageText(out, size, none);
    if (count == 1) return FormatMessageText(out, size, one);
    return FormatMessageText(out, size, many, count);
}

int ShowMessage(HWND owner, UINT id, UINT style, ...) {
    // On the stack: the box's own message loop may show another message
    // before this one returns.
    char text[kFormattedCapacity];
    va_list args;
    va_start(args, style);
    FormatInto(text, sizeof text, id, args);
    va_end(args);
    return MessageBoxA(owner, text, kMessageCaption, style);
}
