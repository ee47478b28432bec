#pragma once
// Widths of the editors' report list columns. A width is given in pixels
// at 96 dpi, as CListCtrl::InsertColumn scales it to the list's DPI; what is
// measured in the list's own font is in pixels at the list's DPI.
#include <cstdint>
#include <span>

namespace gd {

// A length in pixels at 96 dpi as the list makes it at `dpi` (MulDiv's
// rounding: half away from zero).
int AtDpi(int lengthAt96, std::uint32_t dpi);

// The width at 96 dpi of a column that shows `measured` pixels at `dpi`
// whole, and never less than `least`: rounded up, so that the list's own
// scaling never makes it a pixel short.
int ColumnWidthFor(int measured, std::uint32_t dpi, int least);

// How many pixels at `dpi` a list with `clientWidth` pixels for its columns
// has to grow to show every column of `widths` (at 96 dpi) whole; 0 when it
// does already.
int WideningToShow(std::span<const int> widths, std::uint32_t dpi, int clientWidth);

}  // namespace gd
