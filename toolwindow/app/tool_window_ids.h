#pragma once

// Control identifiers of the tool window's two windows. The programs create
// their controls with these numbers and the tests find them by the same;
// plain macros, so the resource compiler can read the file too.

// frmMain.
#define IDC_MAIN_FRAME3 1001
#define IDC_MAIN_CMD_CUTPLOT 1002
#define IDC_MAIN_FRAME2 1003
#define IDC_MAIN_CMD_LANG 1004
#define IDC_MAIN_FRAME1 1005
#define IDC_MAIN_CMD_TRACE 1006
#define IDC_MAIN_CMD_MARK 1007
#define IDC_MAIN_CMD_CUTOUT 1008

// frmTrace.
#define IDC_TRACE_FRAME1 1101
#define IDC_TRACE_LABEL1 1102
#define IDC_TRACE_LABEL2 1103
#define IDC_TRACE_TXT_OUTSIDE 1104
#define IDC_TRACE_VSCROLL1 1105
#define IDC_TRACE_CMD_TRACE 1106
#define IDC_TRACE_CMD_DELTRACE 1107
