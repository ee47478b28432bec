#pragma once
// Resource ids of the skin tests' own dialog (skin_test.rc), kept clear of the
// program's numbers.

#define IDD_SKIN_TEST 9110
#define IDC_SKIN_BUTTON 9111
#define IDC_SKIN_LABEL 9115
#define IDC_SKIN_PICTURE 9118
