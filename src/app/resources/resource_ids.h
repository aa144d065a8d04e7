// The ids of the program's resources, named once for the resource script and for the code that
// loads them. Plain definitions, because the resource compiler reads this file too.
#pragma once

// The error dialog and the static text that holds its message.
#define IDD_ERROR_REPORT 193
#define IDC_ERROR_REPORT_TEXT 1103
