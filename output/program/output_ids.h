#pragma once

// Resource and control identifiers of the output program. The language
// libraries hold the resources; the program finds them by these numbers,
// so both resource scripts, the program and its tests share this file.
// Plain macros: the resource compiler reads it too.

#define IDD_ABOUT 100
#define IDD_OUTPUT 102
#define IDI_OUTPUT 128

#define IDS_ABOUT_ITEM 101
#define IDS_CONTINUE_CUT 102
#define IDS_PORT_NOT_VALID 103
#define IDS_ALREADY_RUNNING 104
#define IDS_TOOL_WINDOW_MISSING 105
#define IDS_JOB_FILE_MISSING 106
#define IDS_SEND_PROGRESS 107
#define IDS_STOP_ON_CLOSE 108
#define IDS_CANNOT_STOP 109
// The largest miss of the simulated knife, under the preview.
#define IDS_KNIFE_MISS 120

// The About item added to the system menu.
#define IDM_ABOUT 16

#define IDC_FRAME_PREVIEW 1000
#define IDC_COMBO_PORT 1001
#define IDC_COMBO_BAUD 1002
#define IDC_CHECK_ANGLE 1003
#define IDC_CHECK_CLOSED 1004
#define IDC_EDIT_ANGLE 1005
#define IDC_EDIT_CLOSED 1006
#define IDC_UPDOWN_ANGLE 1007
#define IDC_UPDOWN_CLOSED 1008
#define IDC_BUTTON_REFRESH 1009
#define IDC_LABEL_BAUD 1010
#define IDC_BUTTON_OUTPUT 1011
#define IDC_BUTTON_SPARE 1012
#define IDC_COMBO_MACHINE 1013
// How far a serial send is, and the button that stops it.
#define IDC_TEXT_PROGRESS 1014
#define IDC_PROGRESS_SEND 1015
#define IDC_BUTTON_STOP 1016
// Cut inside first, in an order of least knife-up travel.
#define IDC_CHECK_ORDER 1030
// The drag knife's blade offset in mm, and the largest miss of its
// simulated cut.
#define IDC_LABEL_BLADE 1020
#define IDC_EDIT_BLADE 1021
#define IDC_TEXT_KNIFE_MISS 1022
