#pragma once
// Resource ids of the framework and skin tests' own resources (fw_test.rc),
// kept clear of the program's numbers.

#define IDD_FW_TEST 9100
#define IDC_FW_TEXT 9101
#define IDC_FW_INT 9102
#define IDC_FW_ACTION 9108
#define ID_FW_FIRST 9171  // a command range, as menu items send them
#define ID_FW_SECOND 9172

#define IDD_SKIN_TEST 9110
#define IDC_SKIN_BUTTON0 9111  // ... 9114
#define IDC_SKIN_BUTTON2 9113
#define IDC_SKIN_LABEL 9115
#define IDC_SKIN_COLOUR 9116
#define IDC_SKIN_LIST 9117
#define IDC_SKIN_PICTURE 9118
#define IDC_FW_LIST_PLAIN 9119

#define IDS_FW_FORMAT 9160
#define IDS_FW_LONG 9161  // longer than any fixed buffer would take
