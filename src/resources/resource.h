// Resource, control and command ids of Quillmere. Included by the resource
// script and by the C++ code, so it holds #define lines only (the resource
// compiler understands nothing else); the C++-only checks at the end are
// hidden from it.
#pragma once

// ---------------------------------------------------------------------------
// Named resources. Names are looked up without regard to letter case.

// The program's icon: the main window class and the about box use it.
#define IDI_QUILLMERE "Quillmere"
// The main window's menu bar, named by the window class.
#define IDR_MAINMENU "MainMenu"

// Positions of the main menu's popups. Fixed: the lists' context menus are
// popups 1 and 2, and the recent directories are appended to popup 0.
#define MENU_POS_FILE 0
#define MENU_POS_INSTALLED 1
#define MENU_POS_FONT_FILES 2
#define MENU_POS_HELP 3

// ---------------------------------------------------------------------------
// Menu commands, 103 to 199. A button and the menu item that do the same
// thing share one id, so one WM_COMMAND case serves both.

// "&Installed fonts" popup (acting on the installed list, control 101).
#define IDM_INSTALLED_SELECT_ALL 103
#define IDM_INSTALLED_CLEAR_ALL 104
#define IDM_INSTALLED_PRINT 105
#define IDM_COPY_TO 108  // its label carries the current directory at run time
#define IDM_REMOVE 120

// "F&ont Files" popup (acting on the file list, control 111).
#define IDM_INSTALL 107
#define IDM_FILES_PRINT 113
#define IDM_FILES_SELECT_ALL 114
#define IDM_FILES_CLEAR_ALL 115
#define IDM_DELETE 116
#define IDM_RENAME 117
#define IDM_CHANGE_FONT_NAME 118

// "&File" popup.
#define IDM_SETUP 121
#define IDM_EXIT 199

// Recent directories, appended to "&File" at run time: 10000 upward.
#define IDM_RECENT_FIRST 10000

// "&Help" popup, 997 to 999.
#define IDM_SYSTEM_INFO 997
#define IDM_MANUAL 998
#define IDM_ABOUT 999

// ---------------------------------------------------------------------------
// Child controls of the main window, 101 to 122, in creation order. The
// buttons reuse the command ids of their menu items.

// Installed fonts, the left half.
#define IDC_INSTALLED_LIST 101
#define IDC_INSTALLED_DETAILED 102  // check box mirroring ShowFontSamples
#define IDC_INSTALLED_SELECT_ALL 103
#define IDC_INSTALLED_CLEAR_ALL 104
#define IDC_INSTALLED_PRINT 105
#define IDC_INSTALLED_STATUS 106

// The two arrow buttons on the middle line.
#define IDC_INSTALL 107  // "< Install"
#define IDC_COPY 108     // "Copy >"

// Font files of the current directory, the right half.
#define IDC_FILE_LIST 111
#define IDC_FILE_STATUS 112
#define IDC_FILES_SELECT_ALL 114
#define IDC_FILES_CLEAR_ALL 115
#define IDC_FILES_PRINT 113
#define IDC_FILE_RENAME 117     // "File name"
#define IDC_FONT_NAME 118       // "Font name"
#define IDC_FILE_DELETE 116     // "File delete"
#define IDC_FILES_DETAILED 122  // check box mirroring ShowFileSamples

#define MAIN_CONTROL_COUNT 17

// ---------------------------------------------------------------------------
// Messages of the string table, 101 to 155. Every text the user reads in a
// message box or a status line comes from here, by number, through
// LoadMessageText and ShowMessage (platform/messages.h).

// Status lines of both lists.
#define MSG_ONE_FONT_SELECTED 101  // "One font selected"
#define MSG_FONTS_SELECTED 102     // "%u fonts selected", the count
#define MSG_NO_FONTS_SELECTED 103  // "No fonts selected"

// Reading files and moving between directories.
#define MSG_TTF_ACCESS_ERROR 104  // the sample window cannot read or load a file
#define MSG_DRIVE_OFF_LINE 105
#define MSG_COPYRIGHT_PREFIX 106  // placed before a font's notice in the sample window
#define MSG_SELECT_FONTS_FIRST 107

// Rename and change-name dialogs.
#define MSG_RENAME_ERROR 108
#define MSG_FONT_FILE_DAMAGED 109
#define MSG_FILE_ACCESS_ERROR 110

// Texts for situations the program does not report today; they keep the
// numbering without holes, so a lookup anywhere in the range succeeds.
#define MSG_DELETE_FAILED 111        // %s file name
#define MSG_PRINT_FAILED 112
#define MSG_NO_PRINTER 113
#define MSG_SAMPLE_LOAD_FAILED 114   // %s file name
#define MSG_SETTINGS_NOT_SAVED 115   // %s settings file path
#define MSG_DIRECTORY_UNREADABLE 116 // %s directory
#define MSG_OUT_OF_MEMORY 117

// Copy to (installed fonts copied into the current directory).
#define MSG_COPY_FAILED 118  // %s row text, %s file name, %s directory

// Batch summary: the phrase (119 to 121) goes into 122.
#define MSG_SUMMARY_NO_FILES 119   // "No files"
#define MSG_SUMMARY_ONE_FILE 120   // "One file"
#define MSG_SUMMARY_N_FILES 121    // "%d files"
#define MSG_SUMMARY_PROCESSED 122  // "%s processed."

#define MSG_COPY_OVERWRITE 123        // %s row text, %s file name; Yes/No/Cancel
#define MSG_FONTS_DIRECTORY_DENIED 124
#define MSG_COPY_TO_LABEL 125         // "Copy to ", followed by the directory

// Install, one file at a time; each asks whether to go on.
#define MSG_INSTALL_FILE_EXISTS 126     // %s file name
#define MSG_INSTALL_FILE_DAMAGED 127    // %s file name
#define MSG_INSTALL_FONT_EXISTS 128     // %s full name
#define MSG_INSTALL_REGISTRY_ERROR 129  // %s full name
#define MSG_INSTALL_COPY_FAILED 130     // %s file name

// Remove; the phrase (132, 133) goes into the question 131.
#define MSG_REMOVE_CONFIRM 131    // %s phrase
#define MSG_REMOVE_ONE_FONT 132   // "one font"
#define MSG_REMOVE_N_FONTS 133    // "%d fonts"
#define MSG_REMOVE_FAILED 134     // %s row text
#define MSG_REMOVE_NOTHING 135

// Delete; the phrase (137, 138) goes into the question 136.
#define MSG_DELETE_CONFIRM 136   // %s phrase
#define MSG_DELETE_ONE_FILE 137  // "one file"
#define MSG_DELETE_N_FILES 138   // "%d files"

#define MSG_REMOVE_ACCESS_DENIED 139

// Not shown today (see 111 to 117).
#define MSG_NAME_EMPTY 140
#define MSG_NAME_TOO_LONG 141      // %s name
#define MSG_RENAME_TARGET_EXISTS 142  // %s file name
#define MSG_PRINT_NOTHING 143

// About box: who to write to.
#define MSG_SUPPORT_NOTICE 144

// Not shown today (see 111 to 117).
#define MSG_MARGINS_TOO_LARGE 145
#define MSG_PRINT_CANCELLED 146

// Manual and reference documents.
#define MSG_MANUAL_ERROR 147

// Not shown today (see 111 to 117).
#define MSG_MANUAL_MISSING 148    // %s document path
#define MSG_PALETTE_MISSING 149
#define MSG_RESTART_FOR_FONTS 150

#define MSG_MANUAL_WARNING 151
#define MSG_SCREEN_COLOURS 152  // %s colour count with thousands commas

// Not shown today (see 111 to 117).
#define MSG_DROP_NOT_TRUETYPE 153  // %s file name

// Startup window: the ownership notice.
#define MSG_STARTUP_NOTICE 154

// Start-up: the main window could not be made; the program ends.
#define MSG_NO_MAIN_WINDOW 155

#define MSG_FIRST 101
#define MSG_LAST 155

// ---------------------------------------------------------------------------
// Credits box, 3000 to 3002, joined in this order; each ends in two CR LF.
#define MSG_CREDITS_TITLE 3000
#define MSG_CREDITS_TRADEMARK 3001
#define MSG_CREDITS_PICTURE 3002

#define MSG_CREDITS_FIRST 3000
#define MSG_CREDITS_LAST 3002

// ---------------------------------------------------------------------------
// Font sample window, the dialog template FontSampleBox: the sample (the
// font's name, characters 32 to 255 and the sample sentence) and the box
// with the font's notice below it.
#define IDD_FONT_SAMPLE_BOX "FontSampleBox"
#define IDC_SAMPLE_TEXT 101
#define IDC_SAMPLE_NOTICE 102

// ---------------------------------------------------------------------------
// FileRenameBox and ChangeFontNameBox: one file's name on disk, or the name
// the font carries inside it. Both share one layout; OK and Cancel are
// IDOK and IDCANCEL.
#define IDD_FILE_RENAME_BOX "FileRenameBox"
#define IDD_CHANGE_FONT_NAME_BOX "ChangeFontNameBox"
#define IDC_NAME_CURRENT 101  // the current name
#define IDC_NAME_NEW 102      // the new name, as the user types it
#define IDC_NAME_ABORT 3      // ends the whole run

// ---------------------------------------------------------------------------
// Bitmaps, 6030 and 6031: folder pictures of directory and drive rows. Each
// is a picture over its mask (upper half picture, white where transparent;
// lower half mask, black where the picture is opaque).
#define IDB_FOLDER_SMALL 6030  // 16 x 26: a 16 x 13 picture, plain rows
#define IDB_FOLDER_LARGE 6031  // 32 x 54: a 32 x 27 picture, detailed rows

#define FOLDER_SMALL_WIDTH 16
#define FOLDER_SMALL_HEIGHT 13
#define FOLDER_LARGE_WIDTH 32
#define FOLDER_LARGE_HEIGHT 27

// ---------------------------------------------------------------------------
// Pictures of the information windows: 8-bit bitmaps, each with its own
// 256-colour table (biClrUsed 256), drawn with their palettes on black, or
// picture over mask on the system information box.
#define IDB_ABOUT_PICTURE 99     // 131 x 234, "The Letter Cutter's Bench" (a detail)
#define IDB_LOGO_FRAME_FIRST 401 // 21 frames of 70 x 70, the startup animation
#define IDB_LOGO_FRAME_LAST 421
#define IDB_SYSINFO_PICTURE 1092  // 148 x 384: a 148 x 192 picture over its mask
#define IDB_EMBLEM_FRAME_FIRST 1101  // 33 frames of 30 x 60, the about box's emblem
#define IDB_EMBLEM_FRAME_LAST 1133
#define IDB_LOGO 9050  // 416 x 155, the startup window's name plate

#define LOGO_FRAME_COUNT 21
#define EMBLEM_FRAME_COUNT 33

// ---------------------------------------------------------------------------
// WarningBox: shown before the manual opens in the web browser.
#define IDD_WARNING_BOX "WarningBox"
#define IDC_WARNING_TEXT 101
#define IDC_WARNING_AGAIN 102  // "Show me this warning again next time."
#define IDC_WARNING_HELP 9

// ---------------------------------------------------------------------------
// The Setup sheet, four pages that share one dialog procedure. The editing
// controls carry the control ids of the settings key table; an up-down
// control is its edit's id plus SETUP_UPDOWN_OFFSET, a face preview its
// list's id plus SETUP_PREVIEW_OFFSET.
#define IDD_SETUP_PAGE_ONE "SetupPropertyOne"
#define IDD_SETUP_PAGE_TWO "SetupPropertyTwo"
#define IDD_SETUP_PAGE_THREE "SetupPropertyThree"
#define IDD_SETUP_PAGE_FOUR "SetupPropertyFour"
#define SETUP_PAGE_COUNT 4
#define SETUP_UPDOWN_OFFSET 1000
#define SETUP_PREVIEW_OFFSET 2000

// Page 2's reset buttons, one to three columns.
#define IDC_SETUP_RESET_ONE 10
#define IDC_SETUP_RESET_TWO 11
#define IDC_SETUP_RESET_THREE 12

#define IDC_SETUP_LEFT_MARGIN 106
#define IDC_SETUP_TOP_MARGIN 107
#define IDC_SETUP_RIGHT_MARGIN 108
#define IDC_SETUP_BOTTOM_MARGIN 109
#define IDC_SETUP_SAMPLE_SIZE 110
#define IDC_SETUP_TITLE_SIZE 111
#define IDC_SETUP_FRAME_COLOUR 112
#define IDC_SETUP_FRAME_BACKGROUND 113
#define IDC_SETUP_LEADING 114
#define IDC_SETUP_ROUND_FRAME 116
#define IDC_SETUP_SAMPLE_FONT_SIZE 117
#define IDC_SETUP_TEXT_COLOUR 118
#define IDC_SETUP_COLUMNS 119
#define IDC_SETUP_TITLE_FONT 120
#define IDC_SETUP_FOOTER_FONT 121
#define IDC_SETUP_PAGE_FOOTER 124
#define IDC_SETUP_SAMPLE_TEXT 125
#define IDC_SETUP_PROMPT_DONE 127
#define IDC_SETUP_PROMPT_OVERWRITE 128
#define IDC_SETUP_NAME_FIX 129
#define IDC_SETUP_TITLE_FONT_SIZE 201
#define IDC_SETUP_DISPLAY_FONT_SIZE 202
#define IDC_SETUP_SHOW_STARTUP 305
#define IDC_SETUP_WARN_MANUAL 308

// The sheet's caption and its tab titles, in page order, 4200 to 4204.
#define IDS_SETUP_CAPTION 4200
#define IDS_SETUP_PAGE_FIRST 4201  // "Font sample list", then one per page

// ---------------------------------------------------------------------------
// SelectColourBox: the 256 palette colours as a 16 x 16 grid of cells that
// the dialog paints itself, above a Cancel button (IDCANCEL).
#define IDD_SELECT_COLOUR_BOX "SelectColourBox"
#define COLOUR_GRID_SIDE 16

// ---------------------------------------------------------------------------
// The startup window's children.
#define IDC_LOGO_PICTURE 10     // owner-drawn: the name plate
#define IDC_LOGO_NOTICE 11      // the ownership notice (MSG_STARTUP_NOTICE)
#define IDC_LOGO_ANIMATION 6100 // owner-drawn: the turning capital

// The about box (template 5001) and its credits box (template 5003).
#define IDD_ABOUT_BOX 5001
#define IDC_ABOUT_PICTURE 99    // owner-drawn: IDB_ABOUT_PICTURE
#define IDC_ABOUT_TITLE 101     // name and version, formatted when the box opens
#define IDC_ABOUT_OWNERS 102    // the ownership notice
#define IDC_ABOUT_WEB_PAGE 103  // where to find the program on the web
#define IDC_ABOUT_SUPPORT 105   // MSG_SUPPORT_NOTICE
#define IDC_ABOUT_EMBLEM 106    // owner-drawn: the turning quill
#define IDC_ABOUT_CREDITS 108   // opens the credits box
#define IDD_CREDITS_BOX 5003
#define IDC_CREDITS_TEXT 101    // MSG_CREDITS_FIRST to MSG_CREDITS_LAST joined

// SysInfoBox: the screen, the system and its owner. OK is IDOK.
#define IDD_SYSINFO_BOX "SysInfoBox"
#define IDC_SYSINFO_HELP 9         // the reference document at "Sysinfo"
#define IDC_SYSINFO_WIDTH 101
#define IDC_SYSINFO_HEIGHT 102
#define IDC_SYSINFO_NETWORK 103
#define IDC_SYSINFO_SLOW 104
#define IDC_SYSINFO_VERSION 105
#define IDC_SYSINFO_OWNER 106
#define IDC_SYSINFO_ORGANIZATION 107
#define IDC_SYSINFO_COLOURS 110    // MSG_SCREEN_COLOURS
#define IDC_SYSINFO_PICTURE 1092   // owner-drawn: IDB_SYSINFO_PICTURE over its mask

// ---------------------------------------------------------------------------
// Program version, 2.0d: the window title, the about box and the version
// resource agree through these.
#define QM_VERSION_MAJOR 2
#define QM_VERSION_MINOR 0
#define QM_VERSION_LETTER 'd'
#define QM_VERSION_REVISION 4  // 'd' is the fourth revision
#define QM_VERSION_TEXT "2.0d"

#if !defined(RC_INVOKED) && defined(__cplusplus)
// A button and its menu item must stay one command.
static_assert(IDC_INSTALLED_SELECT_ALL == IDM_INSTALLED_SELECT_ALL);
static_assert(IDC_INSTALLED_CLEAR_ALL == IDM_INSTALLED_CLEAR_ALL);
static_assert(IDC_INSTALLED_PRINT == IDM_INSTALLED_PRINT);
static_assert(IDC_INSTALL == IDM_INSTALL);
static_assert(IDC_COPY == IDM_COPY_TO);
static_assert(IDC_FILES_SELECT_ALL == IDM_FILES_SELECT_ALL);
static_assert(IDC_FILES_CLEAR_ALL == IDM_FILES_CLEAR_ALL);
static_assert(IDC_FILES_PRINT == IDM_FILES_PRINT);
static_assert(IDC_FILE_DELETE == IDM_DELETE);
static_assert(IDC_FILE_RENAME == IDM_RENAME);
static_assert(IDC_FONT_NAME == IDM_CHANGE_FONT_NAME);
static_assert(QM_VERSION_LETTER - 'a' + 1 == QM_VERSION_REVISION);
// The frames are numbered without gaps; the resource script lists them one by one.
static_assert(IDB_LOGO_FRAME_LAST - IDB_LOGO_FRAME_FIRST + 1 == LOGO_FRAME_COUNT);
static_assert(IDB_EMBLEM_FRAME_LAST - IDB_EMBLEM_FRAME_FIRST + 1 == EMBLEM_FRAME_COUNT);
#endif
