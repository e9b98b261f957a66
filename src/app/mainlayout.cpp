#include "app/mainlayout.h"

#include "resources/resource.h"

ControlPlace MainControlPlace(int id, int w, int h) {
    // The two lists share the width around a middle column; the arrow
    // buttons sit on the middle line a quarter of the way down.
    const int half = w / 2;
    const int quarter = (h - 64) / 4;
    switch (id) {
    case IDC_INSTALLED_LIST: return {8, 8, half - 56, h - 64};
    case IDC_INSTALLED_DETAILED: return {8, h - 52, 72, 14};
    case IDC_INSTALLED_SELECT_ALL: return {8, h - 32, 80, 24};
    case IDC_INSTALLED_CLEAR_ALL: return {88, h - 32, 80, 24};
    case IDC_INSTALLED_PRINT: return {168, h - 32, 80, 24};
    case IDC_INSTALLED_STATUS: return {88, h - 53, 136, 14};
    case IDC_INSTALL: return {half - 40, quarter + 8, 80, 24};
    case IDC_COPY: return {half - 40, quarter + 36, 80, 24};
    case IDC_FILE_LIST: return {half + 48, 8, half - 56, h - 88};
    case IDC_FILE_STATUS: return {half + 128, h - 77, 136, 14};
    case IDC_FILES_SELECT_ALL: return {half + 48, h - 56, 80, 24};
    case IDC_FILES_CLEAR_ALL: return {half + 128, h - 56, 80, 24};
    case IDC_FILES_PRINT: return {half + 208, h - 56, 80, 24};
    case IDC_FILE_RENAME: return {half + 48, h - 32, 80, 24};
    case IDC_FONT_NAME: return {half + 128, h - 32, 80, 24};
    case IDC_FILE_DELETE: return {half + 208, h - 32, 80, 24};
    case IDC_FILES_DETAILED: return {half + 48, h - 76, 80, 14};
    }
    return {0, 0, 0, 0};
}
