// The ids of the program's resources, named once for the resource script and for the code that
// loads them. Plain definitions, because the resource compiler reads this file too.
#pragma once

// The URL list window's context menu: "URL List Menu", the first submenu of menu 180, and its
// commands. "open Domain View" stays greyed until the Domain View exists.
#define IDR_URL_LIST_MENU 180
#define ID_LIST_OPEN_DOMAIN_VIEW 32780
#define ID_LIST_FROM_SELECTION 32774
#define ID_LIST_REPLAY_OLD_TO_NEW 32775
#define ID_LIST_REPLAY_NEW_TO_OLD 32776
#define ID_LIST_SAVE_HOTLIST 32777
#define ID_LIST_SAVE_VISIT_TAGS 32778
#define ID_LIST_SAVE_URL_LIST 32779
#define ID_LIST_JUMP_TO_HISTORY 32795
// The menu-bar window's "History" item, checked while the history window is open.
#define ID_TOOLS_HISTORY 4009
// The UI strings of the URL list window.
#define IDS_HISTORY 50000
#define IDS_LOCAL_DISK 50001
#define IDS_ORIGINAL_SITE 50002
#define IDS_ANNOTATION 50003
#define IDS_ATTACH 50004
#define IDS_REMOVE 50005

// The error dialog and the static text that holds its message.
#define IDD_ERROR_REPORT 193
#define IDC_ERROR_REPORT_TEXT 1103

// The controller's button pictures, drawn at build time (tools/bitmaps, one picture per id
// below): the up and the lit, pressed-in down picture of each of the six buttons, and the
// raised "On" picture shown while the browser is being launched.
#define IDB_CONTROLLER_ON_UP 143
#define IDB_CONTROLLER_ON_DOWN 151
#define IDB_CONTROLLER_ON_LAUNCHING 190
#define IDB_CONTROLLER_AUTO_NAVI_UP 149
#define IDB_CONTROLLER_AUTO_NAVI_DOWN 150
#define IDB_CONTROLLER_FORWARD_UP 154
#define IDB_CONTROLLER_FORWARD_DOWN 144
#define IDB_CONTROLLER_BACK_UP 152
#define IDB_CONTROLLER_BACK_DOWN 153
#define IDB_CONTROLLER_REC_UP 146
#define IDB_CONTROLLER_REC_DOWN 145
#define IDB_CONTROLLER_TRACK_UP 148
#define IDB_CONTROLLER_TRACK_DOWN 147

// The program's icons and its help pointer, drawn at build time (tools/bitmaps): the
// application's icon, the icon of URL list files (the shell names it as the program's second
// icon, so no icon may take an id between the two) and the pointer of the help mode.
#define IDI_CORVISANT 128
#define IDI_URL_LIST 129
#define IDC_HELP_POINTER 200

// "Scanning Disk": the counters of files scanned and found, the last name found, the found
// counter's label and the Stop button.
#define IDD_SCANNING_DISK 184
#define IDC_SCAN_SCANNED 1076
#define IDC_SCAN_FOUND 1077
#define IDC_SCAN_NAME 1078
#define IDC_SCAN_LABEL 1117
#define IDC_SCAN_STOP 1036
// "Create a density file again?": recreate, use the old one (and Cancel).
#define IDD_DENSITY_AGAIN 185
#define IDC_DENSITY_RECREATE 1120
#define IDC_DENSITY_USE_OLD 1121

// The menu-bar window: its menu and accelerators (128), and the commands of its menu.
#define IDR_MAIN_FRAME 128
#define ID_APP_EXIT 57665
#define ID_APP_ABOUT 57664
#define ID_EDIT_UNDO 57643
#define ID_EDIT_CUT 57635
#define ID_EDIT_COPY 57634
#define ID_EDIT_PASTE 57637
#define ID_EDIT_SELECT_ALL 57642
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_TOOLS_FIND 40010
#define ID_TOOLS_DOMAIN_VIEW 40011
#define ID_SETTINGS_RECORD_LEVEL 40012
#define ID_SETTINGS_REPLAY_MODE 40013
#define ID_SETTINGS_AUTO_NAVIGATION 40014
#define ID_SETTINGS_KEYWORD_WATCHER 40015
#define ID_SETTINGS_SCHEDULER 40016
#define ID_SETTINGS_MISCELLANEOUS 40017
#define ID_HOTLIST_CREATE 40018
// "&Display Hotlist" is a plain item of this id until the hotlist menus are first built.
#define ID_HOTLIST_DISPLAY_PLACEHOLDER 65535
#define ID_HELP_POINTER 32789
// The hotlists' items: Modify Hotlist 5000 + i, Display Hotlist 6000 + i.
#define ID_HOTLIST_MODIFY_FIRST 5000
#define ID_HOTLIST_DISPLAY_FIRST 6000
#define ID_HOTLIST_RANGE 1000

// The controller: the dialog of the six picture buttons (their control ids are the buttons').
#define IDD_CONTROLLER 155
// "New Hotlist": the name's field and the Help button.
#define IDD_NEW_HOTLIST 161
#define IDC_NEW_HOTLIST_NAME 1024
#define IDC_NEW_HOTLIST_HELP 57670
// The About box and its "show manual" button.
#define IDD_ABOUT 177
#define IDC_ABOUT_SHOW_MANUAL 1036

// The rest of the UI strings, loaded at start with the six above.
#define IDS_DISPLAY_HOTLIST 50006
#define IDS_FIND_PAGE_CONTAINING 50007
#define IDS_SEARCH 50008
#define IDS_HTML_PAGES 50009
#define IDS_TITLES 50010
#define IDS_ANNOTATIONS 50011
#define IDS_CASE_SENSITIVE 50012
#define IDS_TOTAL_SEARCHED 50013
#define IDS_LEFT_TO_SEARCH 50014
#define IDS_MATCHES_FOUND 50015
#define IDS_STOP 50016
#define IDS_FIND 50017
#define IDS_ALPHABETIC 50018
#define IDS_HIGH_TO_LOW 50019
#define IDS_DOMAIN_HIERARCHY 50020
#define IDS_EXECUTABLE_NAME 50021
#define IDS_DEFAULT_FONT 50022
#define IDS_DOMAIN_VIEW 50023
#define IDS_HELP 50024
#define IDS_HTML_FILES_FOUND 50025
#define IDS_IMAGE_FILES_FOUND 50026
#define IDS_UI_FIRST IDS_HISTORY
#define IDS_UI_LAST IDS_IMAGE_FILES_FOUND
