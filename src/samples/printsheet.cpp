// Printing sample sheets. Where every frame, text, rule and footer goes, and
// when a page is full, is worked out by the sheet layout (sheetlayout.h);
// the footer's words come from the footer expansion and every cut from the
// ellipsis fitting. What is left here is the printer: the dialog, the jobs,
// the drawing objects and the drawing itself.
#include "samples/printsheet.h"

#include <commdlg.h>

#include <cstring>
#include <ctime>

#include "config/settings.h"
#include "info/registeredowner.h"
#include "info/systemregistry.h"
#include "lists/rowdata.h"
#include "platform/platform.h"
#include "platform/win32holders.h"
#include "samples/ellipsisfit.h"
#include "samples/pagefooter.h"
#include "samples/sheetlayout.h"
#include "truetype/fontnames.h"
#include "truetype/tempfont.h"

namespace {

constexpr char kDocumentName[] = "Quillmere";
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The printer's context from the print dialog, deleted on the way out.
class PrinterDC {
public:
    explicit PrinterDC(HDC dc) : dc_(dc) {}
    ~PrinterDC() {
        if (dc_) DeleteDC(dc_);
    }
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// The print job of one page of the sheet: the first starts with this, and
// one left open is ended when this goes.
class PrintJob {
public:
    explicit PrintJob(HDC dc) : dc_(dc) { Start(); }
    ~PrintJob() { End(); }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    // A job that the spooler refuses makes the calls on it fail harmlessly,
    // so the sheet goes on with the next page's job.
    void Start() {
        DOCINFOA document = {};
        document.cbSize = sizeof document;
        document.lpszDocName = kDocumentName;
        StartDocA(dc_, &document);
        StartPage(dc_);
        open_ = true;
    }
    void End() {
        if (open_) EndDoc(dc_);
        open_ = false;
    }

private:
    HDC dc_;
    bool open_ = false;
};

int MeasureText(void* context, const char* text, size_t length) {
    SIZE size = {};
    GetTextExtentPointA(static_cast<HDC>(context), text, static_cast<int>(length), &size);
    return size.cx;
}

HFONT MakeFont(int height, const char* face, BYTE precision) {
    return CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, precision, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// The moment a page is finished, as the footer tells it. The numbers are
// copied out before ctime, which may reuse localtime's record.
FooterClock ClockNow() {
    const time_t now = time(nullptr);
    FooterClock clock{};
    if (const tm* local = localtime(&now)) {
        clock.hour = local->tm_hour;
        clock.minute = local->tm_min;
        clock.second = local->tm_sec;
    }
    clock.ctimeText = ctime(&now);
    return clock;
}

// A sheet being printed: the job of the current page, the pager and the
// drawing objects that every page of the sheet uses. The first job starts
// before the objects are made; members are declared so that they go in the
// order the printer wants them gone: deselected, deleted, the job ended last.
class SheetPrinter {
public:
    SheetPrinter(HDC dc, const SheetLayout& layout, const FooterOwner& owner)
        : dc_(dc), layout_(layout), owner_(owner), job_(dc),
          titleFont_(MakeFont(layout.titleHeight, g_settings.PaperTitleFont, OUT_DEFAULT_PRECIS)),
          footerFont_(MakeFont(layout.footerHeight, g_settings.FooterFont, OUT_DEFAULT_PRECIS)),
          frameBrush_(CreateSolidBrush(g_settings.PaperFrameBackground)),
          framePen_(CreatePen(PS_SOLID, 1, g_settings.PaperFrameColour)),
          selectBrush_(dc, frameBrush_.get()),
          selectPen_(dc, framePen_.get()) {
        SetBkMode(dc, TRANSPARENT);
    }

    // Prints the next cell: name in the face itself, cut to the cell, and
    // whole in the title font beneath. A face that cannot be made takes no
    // cell. True when the cell filled its page.
    bool PrintCell(const char* name, const char* face) {
        SheetCell cell;
        {
            GdiObject<HFONT> sampleFont(MakeFont(layout_.sampleHeight, face, OUT_TT_PRECIS));
            if (!sampleFont) return false;
            // A page's job begins only with a cell to put on it, so that a
            // sheet whose last cell fills its page leaves no empty job.
            if (StartsNewJob(pager_)) job_.Start();
            cell = PlaceSheetCell(layout_, pager_);
            const SheetRect& frame = cell.frame;
            if (g_settings.PaperRoundFrame) {
                RoundRect(dc_, frame.left, frame.top, frame.right, frame.bottom, layout_.frameCorner,
                          layout_.frameCorner);
            } else {
                Rectangle(dc_, frame.left, frame.top, frame.right, frame.bottom);
            }
            SetTextColor(dc_, kBlack);
            SelectedObject select(dc_, sampleFont.get());
            char sample[kFontNameCapacity + 3];
            lstrcpynA(sample, name, sizeof sample - 3);
            const size_t length = FitWithEllipsis(sample, sizeof sample, cell.sampleWidth, {MeasureText, dc_});
            TextOutA(dc_, cell.sample.x, cell.sample.y, sample, static_cast<int>(length));
        }
        SetTextColor(dc_, kBlack);
        SelectedObject select(dc_, titleFont_.get());
        TextOutA(dc_, cell.title.x, cell.title.y, name, lstrlenA(name));
        return cell.endsPage;
    }

    // After a cell that filled its page: the page is finished and its job
    // ended; the next cell starts the next job.
    void BreakPage() {
        FinishPage();
        job_.End();
    }

    // After the last row: a page with cells on it is finished. The job is
    // ended when this goes.
    void Finish() {
        if (PageHasCells(pager_)) FinishPage();
    }

private:
    // The rule in black, the footer under it, and the page out.
    void FinishPage() {
        const SheetPageEnd end = FinishSheetPage(layout_, pager_);
        {
            GdiObject<HPEN> black(CreatePen(PS_SOLID, 1, kBlack));
            SelectedObject select(dc_, black.get());
            MoveToEx(dc_, end.ruleFrom.x, end.ruleFrom.y, nullptr);
            LineTo(dc_, end.ruleTo.x, end.ruleTo.y);
        }
        {
            SetTextColor(dc_, kBlack);
            SelectedObject select(dc_, footerFont_.get());
            char footer[kPageFooterSize + 3];
            ExpandPageFooter(g_settings.PageFooter, end.page, ClockNow(), owner_, footer);
            const size_t length = FitWithEllipsis(footer, sizeof footer, end.footerWidth, {MeasureText, dc_});
            TextOutA(dc_, end.footer.x, end.footer.y, footer, static_cast<int>(length));
        }
        EndPage(dc_);
    }

    HDC dc_;
    const SheetLayout& layout_;
    FooterOwner owner_;
    SheetPager pager_{};
    PrintJob job_;
    GdiObject<HFONT> titleFont_;
    GdiObject<HFONT> footerFont_;
    GdiObject<HBRUSH> frameBrush_;
    GdiObject<HPEN> framePen_;
    SelectedObject selectBrush_;
    SelectedObject selectPen_;
};

// A font file of the list, drawable while this lives: its full name read,
// the file added to the system's font table as the name fix says, and
// taken out again at the end.
class LoadedFontFile {
public:
    explicit LoadedFontFile(const char* row) {
        lstrcpynA(path_, PathInCurrentDirectory(row), sizeof path_);
        char notice[kFontNameCapacity];
        if (!ReadFontNames(name_, notice, path_)) return;
        added_ = g_settings.WindowsFontNameFix ? LoadTemporaryFont(path_, face_, temp_) : AddFontResourceA(path_);
    }
    ~LoadedFontFile() {
        if (added_) ReleaseTemporaryFont(path_, temp_);
    }
    LoadedFontFile(const LoadedFontFile&) = delete;
    LoadedFontFile& operator=(const LoadedFontFile&) = delete;
    bool loaded() const { return added_ != 0; }
    const char* name() const { return name_; }
    // The private copy's face when there is one, else the font's own name.
    const char* face() const { return face_[0] ? face_ : name_; }

private:
    char path_[MAX_PATH];
    char name_[kFontNameCapacity] = "";
    char face_[16] = "";
    char temp_[MAX_PATH] = "";
    int added_ = 0;
};

// True when the row is selected and its text fits out and could be read.
bool SelectedRowText(HWND list, int index, char (&out)[MAX_PATH]) {
    if (SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(index), 0) <= 0) return false;
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length >= MAX_PATH) return false;
    return SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(out)) != LB_ERR;
}

}  // namespace

int PrintSampleSheet(HWND list, int fileList) {
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = list;
    dialog.Flags = PD_RETURNDC;
    if (!PrintDlgA(&dialog)) return 0;
    // No printer choice is kept: the next sheet starts from the default
    // printer again.
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    PrinterDC printer(dialog.hDC);
    const HDC dc = printer.get();
    const SheetLayout layout = LayOutSheet(
        g_settings, {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)});
    const LRESULT rows = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (rows == LB_ERR) return 0;

    PlatWaitCursor wait;
    RegistryReader registry = SystemRegistryReader();
    SheetPrinter sheet(dc, layout, FooterOwner{ReadFooterOwner, &registry});
    for (int index = 0; index < rows; ++index) {
        char text[MAX_PATH];
        if (!SelectedRowText(list, index, text)) continue;
        bool pageFull = false;
        if (fileList) {
            // Released before the page break below, as soon as its cell is drawn.
            LoadedFontFile file(text);
            if (!file.loaded()) continue;
            pageFull = sheet.PrintCell(file.name(), file.face());
        } else {
            char face[kEntryNameSize];
            if (!EntryFaceName(list, index, face)) continue;
            pageFull = sheet.PrintCell(face, face);
        }
        if (pageFull) sheet.BreakPage();
    }
    sheet.Finish();
    return 1;
}
