// Opening the manual and the reference document.
#include "info/manual.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "platform/messages.h"
#include "config/settings.h"
#include "resources/resource.h"

namespace {

// The document beside the program, in the associated viewer, at anchor
// (with its "#").
void OpenDocument(HWND owner, const char* document, const char* anchor) {
    char text[1024];
    lstrcpynA(text, LoadMessageText(MSG_MANUAL_WARNING), sizeof text);
    ShowWarning(owner, text, &g_settings.WarnShowManual);

    char path[MAX_PATH * 2];
    const size_t length = strlen(g_settings.ApplicationPath);
    const char* separator = length > 0 && g_settings.ApplicationPath[length - 1] != '\\' ? "\\" : "";
    snprintf(path, sizeof path, "%s%s%s", g_settings.ApplicationPath, separator, document);

    char viewer[MAX_PATH] = "";
    if (reinterpret_cast<INT_PTR>(FindExecutableA(path, "", viewer)) <= 32) {
        ShowMessage(owner, MSG_MANUAL_ERROR, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // Quoted, so that a program or document in a folder with blanks in its
    // name reaches the viewer whole.
    char command[MAX_PATH * 3 + 64];
    snprintf(command, sizeof command, "\"%s\" \"%s%s\"", viewer, path, anchor);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &process)) {
        ShowMessage(owner, MSG_MANUAL_ERROR, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // The viewer lives on its own; nothing here waits for it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int OpenManual(HWND owner) {
    OpenDocument(owner, "html\\manual.htm", "#DOCUMENTATION");
    return 1;
}

int OpenReference(HWND owner, const char* anchor) {
    char hash[64];
    snprintf(hash, sizeof hash, "#%s", anchor);
    OpenDocument(owner, "html\\referenc.htm", hash);
    return 1;
}

void ShowManual(HWND owner) { OpenManual(owner); }
