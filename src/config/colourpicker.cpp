// The colour picker dialog (SelectColourBox), and the drawing of the colour
// buttons that open it.
#include "config/colourpicker.h"

#include <windowsx.h>

#include <cstdlib>

#include "config/palette.h"
#include "platform/win32holders.h"
#include "platform/winhelpers.h"
#include "resources/resource.h"

namespace {

// What the dialog works on, kept in its user data while it is up.
struct PickerRequest {
    const uint8_t* palette;
    int count;
    COLORREF colour;  // in: the current colour; out: the chosen one
    RECT client;
};

PickerRequest* RequestOf(HWND box) { return reinterpret_cast<PickerRequest*>(GetWindowLongPtrA(box, GWLP_USERDATA)); }

COLORREF EntryColour(const uint8_t* palette, int index) {
    const uint8_t* entry = palette + 3 * index;
    return RGB(entry[0], entry[1], entry[2]);
}

// The side of one square cell: a sixteenth of the client width.
int CellSide(const PickerRequest& request) { return (request.client.right - request.client.left) / COLOUR_GRID_SIDE; }

INT_PTR OnInitDialog(HWND box, LPARAM parameter) {
    auto* request = reinterpret_cast<PickerRequest*>(parameter);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(request));
    GetClientRect(box, &request->client);
    CentreOnScreen(box);
    return TRUE;
}

INT_PTR OnPaint(HWND box) {
    const PickerRequest* request = RequestOf(box);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box, &paint);
    if (request) {
        const int count = request->count < kPaletteEntryCount ? request->count : kPaletteEntryCount;
        HPALETTE palette = RealisePalette(dc, request->palette, count);
        {
            SelectedObject pen(dc, GetStockObject(BLACK_PEN));
            const int side = CellSide(*request);
            for (int i = 0; i < count; ++i) {
                const int x = (i % COLOUR_GRID_SIDE) * side, y = (i / COLOUR_GRID_SIDE) * side;
                GdiObject<HBRUSH> brush(CreateSolidBrush(EntryColour(request->palette, i)));
                SelectedObject fill(dc, brush.get());
                Rectangle(dc, x, y, x + side, y + side);
            }
        }
        if (palette) {
            SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
            DeleteObject(palette);
        }
    }
    EndPaint(box, &paint);
    return TRUE;
}

// A click on a cell chooses its colour and ends the picker; anywhere else
// it does nothing.
INT_PTR OnLeftButtonDown(HWND box, LPARAM where) {
    PickerRequest* request = RequestOf(box);
    if (!request) return TRUE;
    const int side = CellSide(*request);
    const int x = GET_X_LPARAM(where), y = GET_Y_LPARAM(where);
    if (side <= 0 || x < 0 || y < 0) return TRUE;
    const int column = x / side, row = y / side;
    if (column >= COLOUR_GRID_SIDE || row >= COLOUR_GRID_SIDE) return TRUE;
    const int index = row * COLOUR_GRID_SIDE + column;
    if (index >= request->count) return TRUE;
    request->colour = EntryColour(request->palette, index);
    EndDialog(box, IDOK);
    return TRUE;
}

INT_PTR OnCommand(HWND box, int id) {
    switch (id) {
    case IDOK: EndDialog(box, 1); return TRUE;
    case IDCANCEL: EndDialog(box, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK SelectColourBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsControlColourMessage(message)) {
        return reinterpret_cast<INT_PTR>(HandleControlColour(box, reinterpret_cast<HDC>(wParam)));
    }
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(box, lParam);
    case WM_PAINT: return OnPaint(box);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(box, lParam);
    case WM_COMMAND: return OnCommand(box, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

const uint8_t* GetPalette(bool useResource, uint8_t* out) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = useResource ? FindResourceA(module, "ORTHOPAL", RT_RCDATA) : nullptr;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    // Without the resource the cube stands in, silently.
    return LoadPalette(bytes, bytes ? SizeofResource(module, found) : 0, out);
}

bool PickColour(HWND owner, const uint8_t* palette, int count, COLORREF* colour) {
    PickerRequest request = {palette, count, *colour, {}};
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), IDD_SELECT_COLOUR_BOX, owner, SelectColourBoxProc,
                                           reinterpret_cast<LPARAM>(&request));
    if (owner) UpdateWindow(owner);
    if (result != 1) return false;
    *colour = request.colour;
    return true;
}

void DrawColourButton(HWND page, const DRAWITEMSTRUCT& item, const uint8_t* palette, COLORREF colour, int count) {
    const int nearest = NearestPaletteEntry(GetRValue(colour), GetGValue(colour), GetBValue(colour), palette, count);
    const COLORREF fill = (item.itemState & ODS_DISABLED) ? RGB(128, 128, 128) : EntryColour(palette, nearest);
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    {
        // The null pen leaves out the right and bottom edges, hence the
        // extra pixel where the whole item is to be covered.
        SelectedObject pen(dc, GetStockObject(NULL_PEN));
        auto background = reinterpret_cast<HBRUSH>(
            SendMessageA(page, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(item.hwndItem)));
        if (background) {
            SelectedObject brush(dc, background);
            Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 1);
        }
        GdiObject<HBRUSH> brush(CreateSolidBrush(fill));
        SelectedObject selected(dc, brush.get());
        Rectangle(dc, r.left, r.top, r.right - 1, r.bottom - 1);
    }
    DrawEdge(dc, &r, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
}

HPALETTE RealisePalette(HDC dc, const uint8_t* palette, int count) {
    if (count <= 0) return nullptr;
    const size_t size = sizeof(LOGPALETTE) + static_cast<size_t>(count) * sizeof(PALETTEENTRY);
    auto* logical = static_cast<LOGPALETTE*>(calloc(1, size));
    if (!logical) return nullptr;
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    PALETTEENTRY* entries = logical->palPalEntry;
    for (int i = 0; i < count; ++i) {
        entries[i] = {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2], 0};
    }
    HPALETTE handle = CreatePalette(logical);
    free(logical);
    if (!handle) return nullptr;
    SelectPalette(dc, handle, FALSE);
    RealizePalette(dc);
    return handle;
}
