// The ids of the program's resources, named once for the resource script and for the code that
// loads them. Plain definitions, because the resource compiler reads this file too.
#pragma once

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
