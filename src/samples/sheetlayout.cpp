// The sheet's arithmetic. Lengths are worked out in 64 bits and brought back
// to 32 bits by wrapping, which is what 32-bit int arithmetic does on the
// printer's coordinates, without ever overflowing a signed int.
#include "samples/sheetlayout.h"

namespace {

// The footer font's height in hundredths of an inch.
constexpr uint32_t kFooterHeight = 16;
// Pixels added to a row's step beyond the fonts and the leading.
constexpr int kRowExtra = 8;
// Pixels from a frame's top to its sample line; a frame is as much taller
// than its two lines of text.
constexpr int kFrameExtra = 4;
// Pixels kept free at the right of the sample line.
constexpr int kSampleRightPad = 2;

int Wrap(int64_t value) { return static_cast<int>(static_cast<uint32_t>(value)); }

}  // namespace

int PrinterPixels(uint32_t hundredths, int dpi) { return Wrap(static_cast<int64_t>(hundredths) * dpi / 100); }

SheetLayout LayOutSheet(const SettingsRecord& settings, const PrinterMetrics& printer) {
    const int dpi = printer.logPixelsX;
    SheetLayout layout{};
    layout.leftMargin = PrinterPixels(settings.LeftPrintMargin, dpi);
    layout.topMargin = PrinterPixels(settings.TopPrintMargin, dpi);
    const int64_t rightMargin = PrinterPixels(settings.RightPrintMargin, dpi);
    const int64_t bottomMargin = PrinterPixels(settings.BottomPrintMargin, dpi);
    layout.footerHeight = PrinterPixels(kFooterHeight, dpi);
    layout.sampleHeight = PrinterPixels(settings.PaperSampleSize, dpi);
    layout.titleHeight = PrinterPixels(settings.PaperTitleSize, dpi);
    layout.leftPadding = PrinterPixels(settings.PaperLeftPadding, dpi);
    const int leading = PrinterPixels(settings.PaperLeading, dpi);
    layout.columns = settings.PaperColumns;

    layout.width = Wrap(printer.horzRes - (layout.leftMargin + rightMargin));
    layout.bodyHeight = Wrap(printer.vertRes - (layout.topMargin + bottomMargin + layout.footerHeight));
    // The leading is taken once per column, not once per gap; the width is
    // divided as an unsigned number.
    if (layout.columns > 1) {
        const uint32_t share = static_cast<uint32_t>(layout.width) / layout.columns;
        layout.columnWidth = Wrap(static_cast<int64_t>(Wrap(share)) - static_cast<int64_t>(leading) * layout.columns);
    } else {
        layout.columnWidth = layout.width;
    }
    layout.gap = layout.columns != 1 ? leading : 0;
    layout.rowHeight = Wrap(static_cast<int64_t>(layout.sampleHeight) + layout.titleHeight + leading + kRowExtra);
    layout.frameCorner = layout.sampleHeight / 4;
    return layout;
}

SheetCell PlaceSheetCell(const SheetLayout& layout, SheetPager& pager) {
    const int64_t left = layout.leftMargin + static_cast<int64_t>(pager.column) * layout.columnWidth;
    const int64_t top = static_cast<int64_t>(layout.topMargin) + pager.y;
    SheetCell cell{};
    cell.frame = {Wrap(left), Wrap(top), Wrap(left + layout.columnWidth - layout.gap),
                  Wrap(top + layout.sampleHeight + layout.titleHeight + kFrameExtra)};
    cell.sample = {Wrap(left + layout.leftPadding), Wrap(top + kFrameExtra)};
    cell.sampleWidth =
        Wrap(static_cast<int64_t>(layout.columnWidth) - layout.leftPadding - layout.gap - kSampleRightPad);
    cell.title = {Wrap(left + layout.leftPadding), Wrap(top + layout.sampleHeight)};

    // A column count of 0 from the settings file gives one cell per row.
    if (++pager.column >= layout.columns) {
        pager.column = 0;
        pager.y = Wrap(static_cast<int64_t>(pager.y) + layout.rowHeight);
    }
    ++pager.cellsOnPage;
    cell.endsPage = Wrap(static_cast<int64_t>(pager.y) + layout.rowHeight) >= layout.bodyHeight;
    return cell;
}

SheetPageEnd FinishSheetPage(const SheetLayout& layout, SheetPager& pager) {
    SheetPageEnd end{};
    end.page = ++pager.pages;
    const int rule = Wrap(static_cast<int64_t>(layout.topMargin) + layout.bodyHeight);
    end.ruleFrom = {layout.leftMargin, rule};
    end.ruleTo = {Wrap(static_cast<int64_t>(layout.leftMargin) + layout.width), rule};
    end.footer = {Wrap(static_cast<int64_t>(layout.leftMargin) + layout.leftPadding), rule};
    end.footerWidth = layout.width;
    pager.y = 0;
    pager.cellsOnPage = 0;
    return end;
}

unsigned SheetPageCount(const SheetLayout& layout, size_t cells) {
    SheetPager pager{};
    for (size_t i = 0; i < cells; ++i) {
        if (PlaceSheetCell(layout, pager).endsPage) FinishSheetPage(layout, pager);
    }
    if (PageHasCells(pager)) FinishSheetPage(layout, pager);
    return pager.pages;
}
