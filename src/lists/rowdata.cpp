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

void MakeInstalledEntry(HWND list, int index, const char* faceName, const char* fullName) {
    // The entry's block comes first, so that a display font is only made for an entry that will hold it.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(FontEntry));
    HFONT font = nullptr;
    {
        LockedGlobal entry(block);
        if (!entry) {
            GlobalFree(block);
            return;
        }
        auto* e = reinterpret_cast<FontEntry*>(entry.get());
        lstrcpynA(e->faceName, faceName, kEntryNameSize);
        lstrcpynA(e->fullName, fullName, kEntryNameSize);
        font = e->displayFont = CreateFontA(static_cast<int>(g_settings.DisplayFontSize), 0, 0, 0, FW_DONTCARE, FALSE,
                                            FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, fullName);
    }
    if (SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(block)) == LB_ERR) {
        DeleteObject(font);
        GlobalFree(block);
    }
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
