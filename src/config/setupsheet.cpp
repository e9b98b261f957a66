// The Setup property sheet. Its pages do not know their settings by name:
// one dialog procedure serves all four and walks the settings key table,
// treating every row whose control id names a control on the page as the
// row's kinds say. Working values live in the controls until OK, so Cancel
// has nothing to undo.
#include "config/setupsheet.h"

#include <commctrl.h>

#include "config/colourpicker.h"
#include "config/palette.h"
#include "config/settings.h"
#include "config/setupvalues.h"
#include "info/manual.h"
#include "lists/installedlist.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

// Shared by the pages of one run of the sheet, through their user data.
struct SetupSheetState {
    bool displayChanged;  // a list font size was changed at OK
    bool updating;        // the page itself is writing a hundredths edit
};

// The face-name preview font: as large as a title, every other attribute
// left to the font mapper.
constexpr int kPreviewFontHeight = 32;

// The reset buttons of page 2 and what each sets: columns, then the left,
// top, right and bottom margins, the printed sample and title sizes and the
// leading, all in hundredths of an inch.
struct ColumnReset {
    int buttonId;
    uint32_t columns;
    uint32_t hundredths[7];
};
constexpr int kResetHundredthsIds[7] = {IDC_SETUP_LEFT_MARGIN,  IDC_SETUP_TOP_MARGIN,  IDC_SETUP_RIGHT_MARGIN,
                                        IDC_SETUP_BOTTOM_MARGIN, IDC_SETUP_SAMPLE_SIZE, IDC_SETUP_TITLE_SIZE,
                                        IDC_SETUP_LEADING};
constexpr ColumnReset kColumnResets[] = {
    {IDC_SETUP_RESET_ONE, 1, {100, 50, 100, 50, 50, 12, 8}},
    {IDC_SETUP_RESET_TWO, 2, {50, 50, 50, 50, 36, 12, 8}},
    {IDC_SETUP_RESET_THREE, 3, {50, 50, 50, 50, 24, 12, 8}},
};

const char* const kPageTemplates[SETUP_PAGE_COUNT] = {IDD_SETUP_PAGE_ONE, IDD_SETUP_PAGE_TWO, IDD_SETUP_PAGE_THREE,
                                                      IDD_SETUP_PAGE_FOUR};

// Room for a text value as the page reads it back: 259 characters and the
// terminating zero.
constexpr int kPageTextBuffer = 260;

SetupSheetState* StateOf(HWND page) {
    return reinterpret_cast<SetupSheetState*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

LONG_PTR UserData(HWND control) { return GetWindowLongPtrA(control, GWLP_USERDATA); }
void SetUserData(HWND control, LONG_PTR value) { SetWindowLongPtrA(control, GWLP_USERDATA, value); }

bool Has(const SettingsKey& key, uint32_t kind) { return (key.kinds & kind) != 0; }
bool IsHundredths(const SettingsKey& key) { return Has(key, kKindNumber) && Has(key, kKindHundredths); }

// The row edited by control id, or null.
const SettingsKey* KeyOfControl(int id) {
    if (id <= 0) return nullptr;
    for (const SettingsKey& key : kSettingsKeys) {
        if (key.controlId == static_cast<uint32_t>(id)) return &key;
    }
    return nullptr;
}

// The row's editing control when it stands on this page, else null.
HWND ControlOnPage(HWND page, const SettingsKey& key) {
    return key.controlId ? GetDlgItem(page, static_cast<int>(key.controlId)) : nullptr;
}

HWND UpDownOf(HWND page, const SettingsKey& key) {
    return GetDlgItem(page, static_cast<int>(key.controlId) + SETUP_UPDOWN_OFFSET);
}

HWND PreviewOf(HWND page, const SettingsKey& key) {
    return GetDlgItem(page, static_cast<int>(key.controlId) + SETUP_PREVIEW_OFFSET);
}

// A hundredths value into its edit and up-down: working value, inches text
// and position.
void ShowHundredths(HWND page, const SettingsKey& key, uint32_t value) {
    HWND edit = ControlOnPage(page, key);
    SetUserData(edit, static_cast<LONG_PTR>(value));
    char inches[kInchesTextSize];
    FormatInches(value, inches, sizeof inches);
    SetWindowTextA(edit, inches);
    SendMessageA(UpDownOf(page, key), UDM_SETPOS, 0, MAKELPARAM(LOWORD(value), 0));
}

void InitialiseControl(HWND page, const SettingsKey& key, HWND control) {
    SetUserData(control, 0);
    const uint32_t number = Has(key, kKindText) ? 0 : SettingsNumber(g_settings, key);
    if (Has(key, kKindColour)) {
        SetUserData(control, static_cast<LONG_PTR>(number));
    } else if (IsHundredths(key)) {
        SendMessageA(UpDownOf(page, key), UDM_SETRANGE, 0, static_cast<LPARAM>(key.range));
        ShowHundredths(page, key, number);
    } else if (Has(key, kKindNumber)) {
        SetDlgItemInt(page, static_cast<int>(key.controlId), number, FALSE);
        SendMessageA(UpDownOf(page, key), UDM_SETRANGE, 0, static_cast<LPARAM>(key.range));
    } else if (Has(key, kKindFontFace)) {
        FillFontCombo(page, static_cast<int>(key.controlId));
        SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(SettingsText(g_settings, key)));
        SetUserData(PreviewOf(page, key), 0);
        // The preview is built from the selection once the page stands.
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(key.controlId, 0), reinterpret_cast<LPARAM>(control));
    } else if (Has(key, kKindText)) {
        SendMessageA(control, EM_LIMITTEXT, kSettingsTextSize - 1, 0);
        SetWindowTextA(control, SettingsText(g_settings, key));
    } else if (Has(key, kKindBoolean)) {
        CheckDlgButton(page, static_cast<int>(key.controlId), number ? BST_CHECKED : BST_UNCHECKED);
    }
}

INT_PTR OnInitDialog(HWND page, LPARAM parameter) {
    auto* state = reinterpret_cast<SetupSheetState*>(reinterpret_cast<const PROPSHEETPAGEA*>(parameter)->lParam);
    SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->displayChanged = false;
    state->updating = false;
    for (const SettingsKey& key : kSettingsKeys) {
        if (HWND control = ControlOnPage(page, key)) InitialiseControl(page, key, control);
    }
    return TRUE;
}

// The face selected in a face list into out (kSettingsTextSize bytes);
// false when nothing is selected.
bool SelectedFace(HWND list, char* out) {
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) return false;
    const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, selected, 0);
    if (length < 0 || length >= static_cast<LRESULT>(kSettingsTextSize)) return false;
    return SendMessageA(list, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(out)) != CB_ERR;
}

// The selected face shown in its own face in the preview.
void RebuildPreview(HWND page, const SettingsKey& key, HWND list) {
    char face[kSettingsTextSize] = "";
    if (!SelectedFace(list, face)) return;
    HWND preview = PreviewOf(page, key);
    SetWindowTextA(preview, face);
    if (HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(UserData(preview))) DeleteObject(previous);
    HFONT font = CreateFontA(kPreviewFontHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    SetUserData(preview, reinterpret_cast<LONG_PTR>(font));
    SendMessageA(preview, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// Takes what the user types as inches at once; the range is applied at OK.
void TakeTypedInches(HWND page, const SettingsKey& key, HWND edit) {
    char text[kSettingsTextSize] = "";
    GetWindowTextA(edit, text, sizeof text);
    const uint32_t value = ParseInches(text);
    SetUserData(edit, static_cast<LONG_PTR>(value));
    SendMessageA(UpDownOf(page, key), UDM_SETPOS, 0, MAKELPARAM(LOWORD(value), 0));
}

void ChooseColour(HWND page, HWND button) {
    uint8_t palette[kPaletteBytes];
    GetPalette(true, palette);
    auto colour = static_cast<COLORREF>(UserData(button));
    if (!PickColour(page, palette, kPaletteEntryCount, &colour)) return;
    SetUserData(button, static_cast<LONG_PTR>(colour));
    InvalidateRect(button, nullptr, TRUE);
}

void ResetColumns(HWND page, const ColumnReset& reset) {
    for (int i = 0; i < 7; ++i) {
        if (const SettingsKey* key = KeyOfControl(kResetHundredthsIds[i])) ShowHundredths(page, *key, reset.hundredths[i]);
    }
    SetDlgItemInt(page, IDC_SETUP_COLUMNS, reset.columns, FALSE);
}

INT_PTR OnCommand(HWND page, int id, int code, HWND control) {
    for (const ColumnReset& reset : kColumnResets) {
        if (id == reset.buttonId) {
            ResetColumns(page, reset);
            return TRUE;
        }
    }
    const SettingsKey* key = KeyOfControl(id);
    if (!key || !control) return FALSE;
    if (Has(*key, kKindColour)) {
        if (code == BN_CLICKED) ChooseColour(page, control);
    } else if (IsHundredths(*key)) {
        const SetupSheetState* state = StateOf(page);
        if (state && !state->updating) TakeTypedInches(page, *key, control);
    } else if (Has(*key, kKindFontFace)) {
        RebuildPreview(page, *key, control);
    }
    return TRUE;
}

// An up-down without a buddy moved: its edit shows the new position.
INT_PTR OnVerticalScroll(HWND page, WPARAM position, HWND upDown) {
    const SettingsKey* key = KeyOfControl(GetDlgCtrlID(upDown) - SETUP_UPDOWN_OFFSET);
    SetupSheetState* state = StateOf(page);
    if (!key || !IsHundredths(*key) || !state) return FALSE;
    state->updating = true;
    HWND edit = ControlOnPage(page, *key);
    const uint32_t value = HIWORD(position);
    SetUserData(edit, static_cast<LONG_PTR>(value));
    char inches[kInchesTextSize];
    FormatInches(value, inches, sizeof inches);
    SetWindowTextA(edit, inches);
    state->updating = false;
    return TRUE;
}

// The number a number row's controls hold, clamped into its range.
uint32_t ReadNumber(HWND page, const SettingsKey& key, HWND control, bool* changed) {
    HWND upDown = UpDownOf(page, key);
    const auto range = static_cast<uint32_t>(upDown ? SendMessageA(upDown, UDM_GETRANGE, 0, 0) : 0);
    const uint32_t value = IsHundredths(key) ? static_cast<uint32_t>(UserData(control))
                                             : GetDlgItemInt(page, static_cast<int>(key.controlId), nullptr, FALSE);
    *changed = value != SettingsNumber(g_settings, key);
    return ClampToRange(value, range);
}

void StoreControl(HWND page, const SettingsKey& key, HWND control) {
    bool changed = false;
    if (Has(key, kKindColour)) {
        SettingsNumber(g_settings, key) = static_cast<uint32_t>(UserData(control));
    } else if (Has(key, kKindNumber)) {
        SettingsNumber(g_settings, key) = ReadNumber(page, key, control, &changed);
    } else if (Has(key, kKindFontFace)) {
        // No selection (the saved face is not listed) keeps the saved face.
        char face[kSettingsTextSize] = "";
        if (SelectedFace(control, face)) lstrcpynA(SettingsText(g_settings, key), face, kSettingsTextSize);
    } else if (Has(key, kKindText)) {
        char text[kPageTextBuffer] = "";
        GetWindowTextA(control, text, sizeof text);
        lstrcpynA(SettingsText(g_settings, key), text, kSettingsTextSize);
    } else if (Has(key, kKindBoolean)) {
        const uint32_t checked = IsDlgButtonChecked(page, static_cast<int>(key.controlId)) == BST_CHECKED ? 1 : 0;
        changed = checked != SettingsNumber(g_settings, key);
        SettingsNumber(g_settings, key) = checked;
    }
    if (changed && Has(key, kKindRefresh) && StateOf(page)) StateOf(page)->displayChanged = true;
}

INT_PTR OnNotify(HWND page, const NMHDR* header) {
    if (header->code != static_cast<UINT>(PSN_APPLY)) return FALSE;
    for (const SettingsKey& key : kSettingsKeys) {
        if (HWND control = ControlOnPage(page, key)) StoreControl(page, key, control);
    }
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

INT_PTR OnDrawItem(HWND page, const DRAWITEMSTRUCT* item) {
    const SettingsKey* key = KeyOfControl(static_cast<int>(item->CtlID));
    if (!key || !Has(*key, kKindColour)) return FALSE;
    const uint8_t* palette = GetPalette(true, nullptr);
    DrawColourButton(page, *item, palette, static_cast<COLORREF>(UserData(item->hwndItem)), kPaletteEntryCount);
    return TRUE;
}

INT_PTR OnDestroy(HWND page) {
    for (const SettingsKey& key : kSettingsKeys) {
        if (!Has(key, kKindFontFace) || !ControlOnPage(page, key)) continue;
        HWND preview = PreviewOf(page, key);
        if (HGDIOBJ font = reinterpret_cast<HGDIOBJ>(UserData(preview))) DeleteObject(font);
        SetUserData(preview, 0);
    }
    return FALSE;
}

// The page stands on the button face like its labels. A themed sheet would
// paint its tab texture behind the page instead of the WM_CTLCOLORDLG brush,
// leaving every label on a face-coloured patch.
INT_PTR OnEraseBackground(HWND page, HDC dc) {
    HBRUSH face = HandleControlColour(page, dc);
    if (!face) return FALSE;
    RECT client;
    GetClientRect(page, &client);
    FillRect(dc, &client, face);
    return TRUE;
}

INT_PTR CALLBACK SetupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) {
        return reinterpret_cast<INT_PTR>(HandleControlColour(page, reinterpret_cast<HDC>(wParam)));
    }
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page, lParam);
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_VSCROLL: return OnVerticalScroll(page, wParam, reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: return OnNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM: return OnDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ERASEBKGND: return OnEraseBackground(page, reinterpret_cast<HDC>(wParam));
    case WM_HELP: OpenReference(GetParent(page), "SETUP"); return TRUE;
    case WM_DESTROY: return OnDestroy(page);
    }
    return FALSE;
}

}  // namespace

bool RunSetupSheet(HWND owner) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    SetupSheetState state = {};
    char caption[64] = "";
    LoadStringA(instance, IDS_SETUP_CAPTION, caption, sizeof caption);
    char titles[SETUP_PAGE_COUNT][64] = {};
    PROPSHEETPAGEA pages[SETUP_PAGE_COUNT] = {};
    for (int i = 0; i < SETUP_PAGE_COUNT; ++i) {
        LoadStringA(instance, IDS_SETUP_PAGE_FIRST + i, titles[i], sizeof titles[i]);
        pages[i].dwSize = sizeof pages[i];
        pages[i].dwFlags = PSP_USETITLE;
        pages[i].hInstance = instance;
        pages[i].pszTemplate = kPageTemplates[i];
        pages[i].pfnDlgProc = SetupPageProc;
        pages[i].pszTitle = titles[i];
        pages[i].lParam = reinterpret_cast<LPARAM>(&state);
    }
    PROPSHEETHEADERA sheet = {};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.hwndParent = owner;
    sheet.hInstance = instance;
    sheet.pszCaption = caption;
    sheet.nPages = SETUP_PAGE_COUNT;
    sheet.nStartPage = 0;
    sheet.ppsp = pages;
    PropertySheetA(&sheet);
    return state.displayChanged;
}
