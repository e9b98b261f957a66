#include "lists/rowdata.h"

#include "config/settings.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "samples/filesample.h"

namespace {

HGLOBAL EntryBlock(HWND list, int index) {
    LRESULT data = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? nullptr : reinterpret_cast<HGLOBAL>(data);
}

bool CopyEntryName(HWND list, int index, char* out, bool full) {
    HGLOBAL block = EntryBlock(list, index);
    if (!block) return false;
    LockedGlobal entry(block);
    if (!entry) return false;
    const auto* e = reinterpret_cast<const FontEntry*>(entry.get());
    lstrcpynA(out, full ? e->fullName : e->faceName, kEntryNameSize);
    return true;
}

}  // namespace

bool MakeEntry(HWND list, int index, HFONT displayFont, const char* faceName, const char* fullName) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FontEntry));
    if (!block) return false;
    {
        LockedGlobal entry(block);
        if (!entry) {
            GlobalFree(block);
            return false;
        }
        auto* e = reinterpret_cast<FontEntry*>(entry.get());
        if (faceName) lstrcpynA(e->faceName, faceName, kEntryNameSize);
        if (fullName) lstrcpynA(e->fullName, fullName, kEntryNameSize);
        e->displayFont = displayFont;
    }
    if (SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block)) == LB_ERR) {
        GlobalFree(block);
        return false;
    }
    return true;
}

bool MakeInstalledEntry(HWND list, int index, const char* faceName, const char* fullName) {
    HFONT font = CreateFontA(static_cast<int>(g_settings.DisplayFontSize), 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, 0, 0, 0, 0, fullName);
    if (!font) return false;
    if (!MakeEntry(list, index, font, faceName, fullName)) {
        DeleteObject(font);
        return false;
    }
    return true;
}

HFONT EntryFont(HWND list, int index) {
    HGLOBAL block = EntryBlock(list, index);
    if (!block) return nullptr;
    LockedGlobal entry(block);
    return entry ? reinterpret_cast<const FontEntry*>(entry.get())->displayFont : nullptr;
}

bool EntryFullName(HWND list, int index, char* out) { return CopyEntryName(list, index, out, true); }

bool EntryFaceName(HWND list, int index, char* out) { return CopyEntryName(list, index, out, false); }

void FreeEntry(HWND list, int index) {
    HGLOBAL block = EntryBlock(list, index);
    if (!block) return;
    {
        LockedGlobal entry(block);
        if (entry) {
            HFONT font = reinterpret_cast<const FontEntry*>(entry.get())->displayFont;
            if (font) DeleteObject(font);
        }
    }
    GlobalFree(block);
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
}

void FreeInstalledEntries(HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) FreeEntry(list, static_cast<int>(i));
}

void FreeFileSamples(HWND mainWindow, int listId) {
    HWND list = GetDlgItem(mainWindow, listId);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT data = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        if (data == 0 || data == LB_ERR || reinterpret_cast<HGLOBAL>(data) == SampleFailed()) continue;
        GlobalFree(reinterpret_cast<HGLOBAL>(data));
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    }
}

void SetListRowHeight(HWND mainWindow, int listId) {
    const uint32_t samples = listId == IDC_INSTALLED_LIST ? g_settings.ShowFontSamples : g_settings.ShowFileSamples;
    const uint32_t height = g_settings.TitleFontSize + 8 + (samples ? g_settings.DisplayFontSize : 0);
    SendMessageA(GetDlgItem(mainWindow, listId), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
}
