// Row drawing.
#include "lists/rowdrawing.h"

#include <cstdio>

#include "platform/appstate.h"
#include "config/settings.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "platform/win32holders.h"
#include "resources/resource.h"
#include "samples/filesample.h"

namespace {

constexpr UINT kSampleText = DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr BYTE kLeftArrow = 0xEF;   // in Wingdings
constexpr BYTE kRightArrow = 0xF0;

COLORREF TextColour(bool selected, int systemColour) {
    return selected ? RGB(255, 255, 255) : GetSysColor(systemColour);
}

void DrawBackground(HDC dc, const RECT& r, bool selected) {
    GdiObject<HBRUSH> shadow(selected ? CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)) : nullptr);
    HGDIOBJ brush = selected ? static_cast<HGDIOBJ>(shadow.get()) : GetStockObject(WHITE_BRUSH);
    SelectedObject selectBrush(dc, brush);
    SelectedObject selectPen(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, r.left, r.top, r.right + 1, r.bottom + 2);
}

void PutText(HDC dc, int x, int y, const char* text) { TextOutA(dc, x, y, text, lstrlenA(text)); }

void DrawInstalledRow(const DRAWITEMSTRUCT* item, const char* text, bool selected) {
    HDC dc = item->hDC;
    const RECT& r = item->rcItem;
    SetTextColor(dc, TextColour(selected, COLOR_BTNTEXT));
    if (!g_settings.ShowFontSamples) {
        PutText(dc, r.left + 8, r.top, text);
        return;
    }
    const int sampleHeight = static_cast<int>(g_settings.DisplayFontSize);
    {
        SelectedObject font(dc, EntryFont(item->hwndItem, static_cast<int>(item->itemID)));
        RECT area = {r.left + 8, r.top + 3, r.right - r.left - 8, r.top + sampleHeight + 3};
        DrawTextA(dc, text, -1, &area, kSampleText);
    }
    char caption[MAX_PATH * 2];
    snprintf(caption, sizeof caption, "%s (%s)", text, FontFileOfInstalledFont(text));
    SetTextColor(dc, TextColour(selected, COLOR_BTNSHADOW));
    SelectedObject font(dc, g_app.listFont);
    PutText(dc, r.left + 8, r.top + sampleHeight + 3, caption);
}

// Copies a row's sample image: black glyphs onto the white row, or (with
// the shadow brush and MERGEPAINT) white glyphs onto the selected row.
void BlitSample(HDC dc, const RECT& r, HGLOBAL image, bool selected) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(selected ? GetSysColor(COLOR_BTNSHADOW) : RGB(255, 255, 255)));
    SelectedObject selectBrush(dc, brush.get());
    LockedGlobal dib(image);
    if (!dib) return;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.get());
    const unsigned char* bits = dib.get() + header->biSize + header->biClrUsed * sizeof(RGBQUAD);
    GdiObject<HBITMAP> bitmap(CreateDIBitmap(dc, header, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO*>(header),
                                             DIB_RGB_COLORS));
    if (!bitmap) return;
    MemoryDC memory(dc);
    if (!memory.get()) return;
    SelectedObject selectBitmap(memory.get(), bitmap.get());
    BitBlt(dc, r.left, r.top + 2, header->biWidth, header->biHeight, memory.get(), 0, 0, selected ? MERGEPAINT : MERGECOPY);
}

void DrawFileRow(const DRAWITEMSTRUCT* item, const char* text, bool selected) {
    HDC dc = item->hDC;
    const RECT& r = item->rcItem;
    const bool folder = text[0] == '[';
    if (!g_settings.ShowFileSamples) {
        SetTextColor(dc, TextColour(selected, COLOR_BTNTEXT));
        if (folder) {
            DrawMaskedBitmap(dc, r.left + 8, r.top + 2, IDB_FOLDER_SMALL);
            PutText(dc, r.left + 32, r.top, text);
        } else {
            PutText(dc, r.left + 8, r.top, text);
        }
        return;
    }
    const int sampleHeight = static_cast<int>(g_settings.DisplayFontSize);
    SetTextColor(dc, TextColour(selected, COLOR_BTNSHADOW));
    {
        SelectedObject font(dc, g_app.listFont);
        if (folder) {
            PutText(dc, r.left + 48, r.top + ((r.bottom - r.top) - static_cast<int>(g_settings.TitleFontSize)) / 2, text);
        } else {
            PutText(dc, r.left + 8, r.top + sampleHeight + 3, text);
        }
    }
    HWND list = item->hwndItem;
    const WPARAM row = item->itemID;
    LRESULT data = SendMessageA(list, LB_GETITEMDATA, row, 0);
    if (data == 0) {
        // First detailed paint of this row since the list was filled or sized.
        data = reinterpret_cast<LRESULT>(RenderFileSample(text, r.right - r.left, sampleHeight + 3));
        SendMessageA(list, LB_SETITEMDATA, row, data);
    }
    HGLOBAL image = reinterpret_cast<HGLOBAL>(data);
    if (data == 0 || image == SampleFailed()) {
        if (folder) DrawMaskedBitmap(dc, r.left + 8, r.top + 7, IDB_FOLDER_LARGE);
        return;
    }
    BlitSample(dc, r, image, selected);
}

// Draws one run of the button text, the arrows in the arrow font.
void DrawButtonText(HDC dc, int x, int y, const char* text, HFONT arrows, COLORREF colour) {
    const int saved = SaveDC(dc);
    SetTextAlign(dc, TA_UPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    MoveToEx(dc, x, y, nullptr);
    HGDIOBJ buttonFont = GetCurrentObject(dc, OBJ_FONT);
    for (const char* p = text; *p;) {
        if (*p == '<' || *p == '>') {
            const char arrow = static_cast<char>(*p == '<' ? kLeftArrow : kRightArrow);
            SelectObject(dc, arrows);
            TextOutA(dc, 0, 0, &arrow, 1);
            SelectObject(dc, buttonFont);
            ++p;
            continue;
        }
        const char* run = p;
        while (*p && *p != '<' && *p != '>') ++p;
        TextOutA(dc, 0, 0, run, static_cast<int>(p - run));
    }
    RestoreDC(dc, saved);
}

}  // namespace

void DrawListRow(const DRAWITEMSTRUCT* item) {
    if (item->itemID == static_cast<UINT>(-1)) return;
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    DrawBackground(item->hDC, item->rcItem, selected);
    SetBkMode(item->hDC, TRANSPARENT);
    char text[MAX_PATH + 32];
    if (SendMessageA(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0) >= static_cast<LRESULT>(sizeof text) ||
        SendMessageA(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(text)) == LB_ERR) {
        return;
    }
    if (item->CtlID == IDC_INSTALLED_LIST) {
        DrawInstalledRow(item, text, selected);
    } else {
        DrawFileRow(item, text, selected);
    }
}

void DrawMaskedBitmap(HDC dc, int x, int y, int bitmapId) {
    GdiObject<HBITMAP> bitmap(LoadBitmapA(g_app.instance, MAKEINTRESOURCEA(bitmapId)));
    if (!bitmap) return;
    BITMAP info;
    GetObjectA(bitmap.get(), sizeof info, &info);
    const int half = info.bmHeight / 2;
    MemoryDC memory(dc);
    if (!memory.get()) return;
    SelectedObject select(memory.get(), bitmap.get());
    BitBlt(dc, x + 1, y + 1, info.bmWidth, half, memory.get(), 0, half, MERGEPAINT);
    BitBlt(dc, x + 1, y + 1, info.bmWidth, half, memory.get(), 0, 0, SRCAND);
}

void DrawArrowButton(const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    const RECT& r = item->rcItem;
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    GdiObject<HFONT> arrows(CreateFontA(metrics.tmHeight, 0, 0, 0, 0, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Wingdings"));

    char text[MAX_PATH + 1] = "";
    GetWindowTextA(item->hwndItem, text, sizeof text);
    int leftArrow = 0, rightArrow = 0;
    {
        SelectedObject select(dc, arrows.get());
        GetCharWidthA(dc, kLeftArrow, kLeftArrow, &leftArrow);
        GetCharWidthA(dc, kRightArrow, kRightArrow, &rightArrow);
    }
    int less = 0, greater = 0;
    GetCharWidthA(dc, '<', '<', &less);
    GetCharWidthA(dc, '>', '>', &greater);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    int width = extent.cx;
    for (const char* p = text; *p; ++p) {
        if (*p == '<') width += leftArrow - less;
        if (*p == '>') width += rightArrow - greater;
    }

    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    GdiObject<HBRUSH> face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    FillRect(dc, &r, face.get());
    RECT edge = r;
    DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
    if (item->itemState & ODS_FOCUS) {
        RECT focus = {r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        DrawFocusRect(dc, &focus);
    }
    const int shift = pressed ? 1 : 0;
    const int height = r.bottom - r.top - metrics.tmHeight;
    const int y = (height > 0 ? height / 2 : 0) + shift - 1;
    const int room = r.right - r.left - width;
    const int x = (room > 0 ? room / 2 : 0) + shift;
    if (item->itemState & ODS_DISABLED) {
        DrawButtonText(dc, x + 1, y + 1, text, arrows.get(), GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawButtonText(dc, x, y, text, arrows.get(), GetSysColor(COLOR_BTNSHADOW));
    } else {
        DrawButtonText(dc, x, y, text, arrows.get(), GetSysColor(COLOR_BTNTEXT));
    }
}
