#pragma once
// The program's version, for the version resource, the About box and string
// 3. One place, so that the three never disagree.

#define GRIPDECK_VERSION_BINARY 1, 0, 200, 0
#define GRIPDECK_VERSION_TEXT "1.00.200EN"
#define GRIPDECK_COMPANY_NAME "MARVENTA"
#define GRIPDECK_PRODUCT_NAME "MARVENTA Gripdeck"
// GRIPDECK_PRODUCT_NAME " Version " GRIPDECK_VERSION_TEXT, spelled out
// because the resource compiler does not join adjacent literals everywhere.
#define GRIPDECK_VERSION_CAPTION "MARVENTA Gripdeck Version 1.00.200EN"
