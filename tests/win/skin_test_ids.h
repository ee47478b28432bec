#pragma once
// Resource ids of the skin tests' own dialog (skin_test.rc), kept clear of the
// program's numbers.

#define IDD_SKIN_TEST 9110
#define IDC_SKIN_BUTTON 9111
#define IDC_SKIN_LABEL 9115
#define IDC_SKIN_PICTURE 9118

// Packed bitmaps of the tests' own (RT_PACKED_ART), 1 x 1 pixel: whole, its
// stream cut short, a header of no size, one stored against WHOLE, and one
// against that one, which has a reference of its own. 9125 is none.
#define IDB_TEST_PACKED_WHOLE 9120
#define IDB_TEST_PACKED_CUT 9121
#define IDB_TEST_PACKED_EMPTY 9122
#define IDB_TEST_PACKED_DIFFERENCE 9123
#define IDB_TEST_PACKED_CHAINED 9124
#define IDB_TEST_PACKED_MISSING 9125
