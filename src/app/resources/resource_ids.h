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
