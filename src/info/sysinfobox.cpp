// The system information box: what the program knows about the screen, the
// system and the machine's registered owner, beside a picture of a screen.
#include "info/sysinfobox.h"

#include <cstdio>

#include "info/colourtext.h"
#include "info/manual.h"
#include "info/pictures.h"
#include "info/registeredowner.h"
#include "info/systemregistry.h"
#include "platform/messages.h"
#include "platform/win32holders.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

void SetNumber(HWND box, int id, unsigned number) {
    char text[16];
    snprintf(text, sizeof text, "%u", number);
    SetDlgItemTextA(box, id, text);
}

void SetYesNo(HWND box, int id, int metric) { SetDlgItemTextA(box, id, GetSystemMetrics(metric) ? "Yes" : "No"); }

// How many colours the screen shows without dithering, in a sentence.
void SetColourSentence(HWND box) {
    ScreenDC screen;
    const unsigned colours = ColourCountOf(GetDeviceCaps(screen.get(), BITSPIXEL), GetDeviceCaps(screen.get(), PLANES));
    char sentence[256];
    SetDlgItemTextA(box, IDC_SYSINFO_COLOURS,
                    FormatMessageText(sentence, sizeof sentence, MSG_SCREEN_COLOURS, ThousandsText(colours)));
}

// Major and minor version, then the service pack when there is one: "4.0",
// "5.1Service Pack 3".
void SetWindowsVersion(HWND box) {
    OSVERSIONINFOA version;
    const bool known = ReadWindowsVersion(version);
    char text[sizeof version.szCSDVersion + 32] = "";
    if (known) {
        snprintf(text, sizeof text, "%lu.%lu%s", version.dwMajorVersion, version.dwMinorVersion, version.szCSDVersion);
    }
    SetDlgItemTextA(box, IDC_SYSINFO_VERSION, text);
}

void SetRegisteredOwner(HWND box) {
    RegisteredOwner registered;
    ReadRegisteredOwner(SystemRegistryReader(), registered);
    SetDlgItemTextA(box, IDC_SYSINFO_OWNER, registered.owner);
    SetDlgItemTextA(box, IDC_SYSINFO_ORGANIZATION, registered.organization);
}

INT_PTR OnInitDialog(HWND box) {
    SetNumber(box, IDC_SYSINFO_WIDTH, static_cast<unsigned>(GetSystemMetrics(SM_CXSCREEN)));
    SetNumber(box, IDC_SYSINFO_HEIGHT, static_cast<unsigned>(GetSystemMetrics(SM_CYSCREEN)));
    SetYesNo(box, IDC_SYSINFO_NETWORK, SM_NETWORK);
    SetYesNo(box, IDC_SYSINFO_SLOW, SM_SLOWMACHINE);
    SetColourSentence(box);
    SetWindowsVersion(box);
    SetRegisteredOwner(box);
    SetFocus(GetDlgItem(box, IDOK));
    CentreOnScreen(box);
    // The focus was set here.
    return FALSE;
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_BUTTON || item->CtlID != IDC_SYSINFO_PICTURE) return FALSE;
    DrawMaskedPicture(item->hDC, item->rcItem.left, item->rcItem.top, LoadPicture(IDB_SYSINFO_PICTURE));
    return TRUE;
}

INT_PTR OnCommand(HWND box, int id) {
    switch (id) {
    case IDOK: EndDialog(box, IDOK); break;
    // The box stays open beside the browser.
    case IDC_SYSINFO_HELP: OpenReference(box, "Sysinfo"); break;
    }
    // Escape (IDCANCEL) does nothing: only OK ends the box.
    return TRUE;
}

INT_PTR CALLBACK SysInfoBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) {
        return reinterpret_cast<INT_PTR>(HandleControlColour(box, reinterpret_cast<HDC>(wParam)));
    }
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box);
    case WM_DRAWITEM: return OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: return OnCommand(box, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

int ShowSystemInformation(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), IDD_SYSINFO_BOX, owner, SysInfoBoxProc, 0);
    return 1;
}
