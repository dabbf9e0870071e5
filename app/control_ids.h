// Command and control identifiers of the main window, its menus and the About dialog.
// The resource script and the end-to-end tests use them too, so they stay plain macros.
#pragma once

// Controls of TFormMain, in tab order.
#define IDC_BUTTON_ADD 1001
#define IDC_BUTTON_REMOVE 1002
#define IDC_IMAGE1 1003
#define IDC_BUTTON_PATCH 1004
#define IDC_CHECK_AUTOMATIC 1005
#define IDC_CHECK_DISABLE_INTRO 1006
#define IDC_CHECK_TRIM_FILE 1007
#define IDC_BUTTON_VIEW_LOG 1008
#define IDC_BUTTON_TEST 1009
#define IDC_BUTTON_FIX 1010
#define IDC_BUTTON_UNPATCH 1011
#define IDC_LISTVIEW1 1012
#define IDC_STATUSBAR1 1013

// Main menu MainMenu1.
#define IDM_FILE_ADD 2001
#define IDM_FILE_REMOVE 2002
#define IDM_FILE_EXIT 2003
#define IDM_TOOLS_PATCH 2011
#define IDM_TOOLS_FIX 2012
#define IDM_TOOLS_UNPATCH 2013
#define IDM_TOOLS_TEST 2014
#define IDM_TOOLS_VIEW_LOG 2015
#define IDM_HELP_INDEX 2021
#define IDM_HELP_ABOUT 2022

// Row menu PopupMenu1.
#define IDM_ROW_PATCH 2031
#define IDM_ROW_FIX 2032
#define IDM_ROW_UNPATCH 2033
#define IDM_ROW_TEST 2034
#define IDM_ROW_ADD 2035
#define IDM_ROW_REMOVE 2036

// Resources.
#define IDR_MAINMENU 100
#define IDR_POPUPMENU 101
#define IDI_MAINICON 1
#define IDB_PICTURE 110  // drawn at 1x; the others at 1.25x, 1.5x and 2x
#define IDB_PICTURE_125 111
#define IDB_PICTURE_150 112
#define IDB_PICTURE_200 113
#define IDI_RESULT_OK 120
#define IDI_RESULT_PROBLEMS 121
#define IDI_RESULT_BROKEN 122
#define IDI_RESULT_ERROR 123
#define IDI_RESULT_PATCHED 124

// Window classes, found by the end-to-end tests.
#define MAIN_WINDOW_CLASS "TFormMain"
#define ABOUT_WINDOW_CLASS "TFormAbout"
#define NOTICE_WINDOW_CAPTION "Error"
