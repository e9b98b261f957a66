#include "app/maintitle.h"

#include <direct.h>

#include <cstdio>

#include "platform/messages.h"
#include "platform/paths.h"
#include "resources/resource.h"

void SetMainTitle(HWND mainWindow) {
    // As the C runtime gives it: a backslash only at a drive's root.
    char directory[MAX_PATH] = "";
    if (!_getcwd(directory, sizeof directory)) directory[0] = 0;
    char title[MAX_PATH + 32];
    snprintf(title, sizeof title, "Quillmere %u.%u%c %s [%s]", QM_VERSION_MAJOR, QM_VERSION_MINOR, QM_VERSION_LETTER, "",
             directory);
    SetWindowTextA(mainWindow, title);
}

void SetCopyToLabel(HWND mainWindow) {
    char directory[MAX_PATH];
    CurrentDirectoryWithSeparator(directory, sizeof directory);
    char label[MAX_PATH + 64];
    snprintf(label, sizeof label, "%s%s", LoadMessageText(MSG_COPY_TO_LABEL), directory);
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE;
    item.fType = MFT_STRING;
    item.dwTypeData = label;
    SetMenuItemInfoA(GetMenu(mainWindow), IDM_COPY_TO, FALSE, &item);
}
