// Removing installed fonts, one at a time and as a batch.
#include "ops/remove.h"

#include <cstring>

#include "config/settings.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "ops/batch.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "resources/resource.h"

namespace {

int AskAboutFailure(HWND owner, const char* rowText) {
    return ShowMessage(owner, MSG_REMOVE_FAILED, kGoOnQuestion, rowText) == IDYES ? 1 : 0;
}

// A file that another program holds open, or one that is protected.
bool IsInUse(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

int RemoveInstalledFont(HWND owner, int index, const char* rowText) {
    char fullName[kEntryNameSize];
    if (!EntryFullName(GetDlgItem(owner, IDC_INSTALLED_LIST), index, fullName)) return AskAboutFailure(owner, rowText);

    char fileName[MAX_PATH];
    lstrcpynA(fileName, FontFileOfInstalledFont(rowText), sizeof fileName);
    char path[MAX_PATH];
    if (!IsBareFileName(fileName) || !JoinPath(path, sizeof path, FontsDirectory(), fileName)) {
        return AskAboutFailure(owner, rowText);
    }
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return AskAboutFailure(owner, rowText);
    }

    HKEY key;
    if (OpenFontKey(KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        char valueName[kEntryNameSize + 16];
        FontValueName(fullName, valueName, sizeof valueName);
        RegDeleteValueA(key, valueName);
        RegCloseKey(key);
    }
    RemoveFontResourceA(path);
    if (!PlatDeleteFile(path)) {
        if (!IsInUse(GetLastError())) return AskAboutFailure(owner, rowText);
        // The font is uninstalled already; only its file is left behind, and
        // the other fonts can still go.
        ShowMessage(owner, MSG_REMOVE_ACCESS_DENIED, MB_OK | MB_ICONINFORMATION);
    }
    return 1;
}

unsigned RemoveSelectedFonts(HWND mainWindow) {
    HWND list = GetDlgItem(mainWindow, IDC_INSTALLED_LIST);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) return kChangedNothing;
    int selected = 0;
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH];
        selected += SelectedRowText(list, static_cast<int>(i), text, sizeof text);
    }
    if (selected == 0) return kChangedNothing;

    char phrase[128];
    FormatCountPhrase(phrase, sizeof phrase, selected, MSG_REMOVE_ONE_FONT, MSG_REMOVE_ONE_FONT, MSG_REMOVE_N_FONTS);
    if (ShowMessage(mainWindow, MSG_REMOVE_CONFIRM, MB_YESNO | MB_ICONQUESTION, phrase) != IDYES) {
        return kChangedNothing;
    }

    {
        PlatWaitCursor wait;
        // The installed list is rebuilt only by the notice after the loop,
        // so the row indices stay valid while fonts go.
        for (LRESULT i = 0; i < count; ++i) {
            char text[MAX_PATH];
            if (!SelectedRowText(list, static_cast<int>(i), text, sizeof text)) continue;
            if (!RemoveInstalledFont(mainWindow, static_cast<int>(i), text)) break;
        }
    }
    // The summary speaks of the fonts chosen, not of how far the loop got.
    if (g_settings.PromptWhenDone) ShowBatchSummary(mainWindow, selected);
    BroadcastFontChange();
    return kChangedFonts;
}
