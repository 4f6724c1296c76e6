#pragma once

// Controls of the bench's smoke-test dialog; shared by its resource script,
// the program and the test that drives it.
#define IDD_SMOKE 100
#define IDC_EDIT_NAME 1001
#define IDC_BUTTON_GREET 1002
#define IDC_STATIC_STATUS 1003
#define IDC_COMBO_PORT 1004
#define IDC_CHECK_OVERCUT 1005
#define IDC_EDIT_DISTANCE 1006

// The program's exit code when the operator confirms the greeting.
#define SMOKE_EXIT_CONFIRMED 7
