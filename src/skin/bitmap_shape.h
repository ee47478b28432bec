#pragma once
// Bitmaps turned into window regions, and bitmaps with one colour replaced.
#include <windows.h>

#include "fw/handle.h"

namespace gd {

// A region covering every pixel of the bitmap that is not within
// colour .. colour + tolerance (per red, green and blue). White for both
// leaves out exactly the pure white pixels. The bitmap's size goes to width
// and height when they are given. Empty (no handle) when the bitmap is
// missing or a temporary object cannot be made; a bitmap without an opaque
// pixel gives an empty region, not none.
UniqueRegion RegionFromBitmap(HBITMAP bitmap, COLORREF colour, COLORREF tolerance,
                              int* width = nullptr, int* height = nullptr);

// A 32-bit copy of the bitmap with every pixel of colour `from` set to `to`.
// The bitmap itself is not changed. `selectedIn` is a DC the bitmap may be
// selected into (or null); it is selected back into it before returning.
UniqueBitmap ReplaceColour(HBITMAP bitmap, COLORREF from, COLORREF to, HDC selectedIn = nullptr);

}  // namespace gd
