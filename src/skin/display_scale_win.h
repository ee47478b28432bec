#pragma once
// The drawing of the art a skinned window takes for its DPI (CWnd::GetDpi),
// and what a DPI change hands it.
#include <windows.h>

#include <cstdint>

#include "fw/handle.h"

namespace gd {

// Index of the drawing of the art for a DPI, and that drawing's scale in
// percent.
int ArtScaleForDpi(std::uint32_t dpi);
int ArtScalePercent(int scale);
// Bitmap resource `bitmap` as drawn for art scale `scale`.
UniqueBitmap LoadArtBitmap(int bitmap, int scale);

// The skinned dialog places and sizes its controls and fonts itself when
// its DPI changes, so the system's own resizing of dialogs is switched off
// where it exists.
void KeepDialogFromRescaling(HWND dialog);

// A copy of `font`, which was made for `fontDpi`, sized for `percent` of
// 96 dpi; none when it is that size already or cannot be made.
UniqueFont FontForScale(HFONT font, std::uint32_t fontDpi, int percent);

// What WM_DPICHANGED brings: the new DPI and the window rectangle the
// system suggests for it.
struct DpiChange {
    std::uint32_t dpi;
    RECT suggested;
};
DpiChange ReadDpiChange(WPARAM wParam, LPARAM lParam);

}  // namespace gd
