// The installed list.
#include "lists/installedlist.h"

#include <shlobj.h>

#include <cstdio>

#include "lists/rowdata.h"
#include "platform/appstate.h"
#include "platform/paths.h"
#include "platform/win32calls.h"
#include "platform/winhelpers.h"

namespace {

const char kNtFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char k95FontsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";

// Every family, once per character set it supports.
void EnumerateFamilies(HDC dc, FONTENUMPROCA callback, LPARAM data) {
    LOGFONTA request = {};
    request.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &request, callback, data, 0);
}

int CALLBACK AddInstalledFamily(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM data) {
    if (!(fontType & TRUETYPE_FONTTYPE)) return 1;
    HWND list = reinterpret_cast<HWND>(data);
    const auto* font = reinterpret_cast<const ENUMLOGFONTEXA*>(logFont);
    const char* fullName = reinterpret_cast<const char*>(font->elfFullName);
    // Already listed under another character set.
    if (SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(fullName)) != LB_ERR) {
        return 1;
    }
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fullName));
    if (index == LB_ERR || index == LB_ERRSPACE) return 1;
    MakeInstalledEntry(list, static_cast<int>(index), logFont->lfFaceName, fullName);
    return 1;
}

int CALLBACK AddComboFamily(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType, LPARAM data) {
    if (!(fontType & TRUETYPE_FONTTYPE)) return 1;
    // SYMBOL_CHARSET is 2: symbol fonts make no sense as text faces.
    if (metrics->tmCharSet & 2) return 1;
    HWND combo = reinterpret_cast<HWND>(data);
    const char* fullName = reinterpret_cast<const char*>(reinterpret_cast<const ENUMLOGFONTEXA*>(logFont)->elfFullName);
    if (SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(fullName)) != CB_ERR) {
        return 1;
    }
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fullName));
    return 1;
}

}  // namespace

void FillInstalledList(HWND mainWindow, int listId) {
    HWND list = GetDlgItem(mainWindow, listId);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SetListRowHeight(mainWindow, listId);
    HDC dc = GetDC(mainWindow);
    EnumerateFamilies(dc, AddInstalledFamily, reinterpret_cast<LPARAM>(list));
    ReleaseDC(mainWindow, dc);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void FillFontCombo(HWND dialog, int comboId) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    HDC dc = GetDC(dialog);
    EnumerateFamilies(dc, AddComboFamily, reinterpret_cast<LPARAM>(combo));
    ReleaseDC(dialog, dc);
}

bool IsWindowsNT() {
    OSVERSIONINFOA version;
    return ReadWindowsVersion(version) && (version.dwPlatformId & VER_PLATFORM_WIN32_NT);
}

const char* FontRegistryKey() { return IsWindowsNT() ? kNtFontsKey : k95FontsKey; }

LONG OpenFontKey(REGSAM access, HKEY* key) { return PlatRegOpenKey(FontRegistryKey(), access, key); }

bool FontValueName(const char* fullName, char* out, size_t size) {
    const int length = snprintf(out, size, "%s (TrueType)", fullName);
    return length >= 0 && static_cast<size_t>(length) < size;
}

const char* FontFileOfInstalledFont(const char* fullName) {
    static char file[MAX_PATH];
    file[0] = 0;
    char value[MAX_PATH + 16];
    if (!FontValueName(fullName, value, sizeof value)) return file;
    HKEY key;
    if (OpenFontKey(KEY_READ, &key) != ERROR_SUCCESS) return file;
    DWORD size = sizeof file - 1;
    if (RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(file), &size) != ERROR_SUCCESS) {
        file[0] = 0;
    } else {
        file[size < sizeof file ? size : sizeof file - 1] = 0;
    }
    RegCloseKey(key);
    return file;
}

const char* FontsDirectory() {
    static char directory[MAX_PATH];
    directory[0] = 0;
    LPITEMIDLIST folder = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(g_app.mainWindow, CSIDL_FONTS, &folder)) && folder) {
        if (!SHGetPathFromIDListA(folder, directory)) directory[0] = 0;
        CoTaskMemFree(folder);
        AppendSeparator(directory, sizeof directory);
        return directory;
    }
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    if (!JoinPath(directory, sizeof directory, windows, "FONTS\\")) directory[0] = 0;
    return directory;
}
