// Where things go on a printed sample sheet: the measures in printer pixels,
// and a pager that hands out the cells one after another and says when a
// page is full. The drawing is the caller's; this holds the arithmetic only,
// so that it can be checked without a printer.
//
// A sheet is a grid of framed cells, PaperColumns across, each holding a
// font's name in the font itself and, beneath it, the name in the title
// font. Every page ends with a rule across the printable width and the
// footer line under it. Each page is a print job of its own.
//
// The caller's round, for the cells it prints in order:
//
//     SheetPager pager{};                  // first job already started
//     for each font whose sample font could be made:
//         if (StartsNewJob(pager)) start a new job and its page;
//         SheetCell cell = PlaceSheetCell(layout, pager);
//         draw the frame, the sample line and the title line of cell;
//         if (cell.endsPage) { finish the page with FinishSheetPage; end the job; }
//     if (PageHasCells(pager)) finish the page with FinishSheetPage;
//     end the job if one is open.
//
// A font that is passed over (it could not be loaded, or its sample font
// could not be made) is never given to PlaceSheetCell and takes no place.
// Starting the next job only when another cell comes means that a last cell
// that fills its page leaves no empty job behind it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "config/settings.h"

// What the printer's context tells of its page (GetDeviceCaps).
struct PrinterMetrics {
    int logPixelsX;  // LOGPIXELSX: used for every length, across and down
    int horzRes;     // HORZRES
    int vertRes;     // VERTRES
};

// The sheet's measures in printer pixels.
struct SheetLayout {
    int leftMargin;    // LeftPrintMargin
    int topMargin;     // TopPrintMargin
    int width;         // between the side margins
    int bodyHeight;    // from the top margin down to the rule
    int columnWidth;   // the step from one column to the next
    int gap;           // room left free at a cell's right; 0 with one column
    int rowHeight;     // the step from one row to the next
    int sampleHeight;  // height of the sample font (PaperSampleSize)
    int titleHeight;   // height of the title font (PaperTitleSize)
    int footerHeight;  // height of the footer font (0.16 inch)
    int leftPadding;   // PaperLeftPadding: the text's indent in a cell and in the footer
    int frameCorner;   // width and height of a rounded frame's corner ellipse
    uint32_t columns;  // PaperColumns as set
};

// A length in hundredths of an inch in printer pixels: value x dpi / 100,
// the product taken in 64 bits and the quotient truncated.
int PrinterPixels(uint32_t hundredths, int dpi);

// The measures from the settings and the printer. Settings are taken as they
// are (a settings file may hold values the Setup sheet would refuse); the
// arithmetic wraps at 32 bits as the printer's int coordinates do.
SheetLayout LayOutSheet(const SettingsRecord& settings, const PrinterMetrics& printer);

struct SheetPoint {
    int x;
    int y;
};

struct SheetRect {
    int left;
    int top;
    int right;
    int bottom;
};

// One cell, in printer pixels on its page.
struct SheetCell {
    SheetRect frame;   // filled and outlined; rounded by frameCorner when PaperRoundFrame is set
    SheetPoint sample; // where the name in the font itself starts (TextOutA)
    int sampleWidth;   // the width to fit that name into, with FitWithEllipsis
    SheetPoint title;  // where the whole name in the title font starts
    bool endsPage;     // the page is full: finish it after drawing this cell
};

// The rule and the footer of a finished page.
struct SheetPageEnd {
    unsigned page;        // the page's number for the footer, from 1
    SheetPoint ruleFrom;  // a line of width 1 in black
    SheetPoint ruleTo;
    SheetPoint footer;    // where the footer line starts
    int footerWidth;      // the width to fit the footer into
};

// Where the next cell goes. Start it zeroed (SheetPager{}) for a new sheet.
struct SheetPager {
    uint32_t column;     // 0 to PaperColumns - 1
    int y;               // the current row's offset below the top margin
    size_t cellsOnPage;  // cells placed since the last page was finished
    unsigned pages;      // pages finished so far
};

// The next cell's place; then moves on by one column (to the next row after
// the last column) and marks the cell as ending its page when the next row
// would reach the rule.
SheetCell PlaceSheetCell(const SheetLayout& layout, SheetPager& pager);

// Numbers the page, gives its rule and footer, and starts the next page at
// the top. The column goes on where it was, so the cell after a page break
// keeps its column: the break normally comes at the end of a row, and a cell
// taller than the body gets a page of its own.
SheetPageEnd FinishSheetPage(const SheetLayout& layout, SheetPager& pager);

// True when cells were placed on the page that is not yet finished.
inline bool PageHasCells(const SheetPager& pager) { return pager.cellsOnPage > 0; }

// True when the next cell is the first after a page break, so that a new
// job with its page must be started before it is drawn. (The first page's
// job is started before the first cell.)
inline bool StartsNewJob(const SheetPager& pager) { return pager.pages > 0 && pager.cellsOnPage == 0; }

// The number of pages a sheet of cells placed cells prints.
unsigned SheetPageCount(const SheetLayout& layout, size_t cells);
