#pragma once
// Drawing the skin's pictures: plain copies, and pictures with one colour
// left out, whose destination pixels there stay as they were.
#include <windows.h>

#include "fw/handle.h"

namespace gd {

// Copies the top-left width x height of a bitmap to (x, y): the skinned
// windows' backgrounds and pictures. False when nothing could be drawn.
bool CopyBitmap(HDC destination, int x, int y, int width, int height, HBITMAP bitmap);

// A copy of a bitmap for DrawKeyed: 32 bits per pixel, the `transparent`
// pixels see-through. Made once per picture, it spares every later draw the
// masks that leaving out a colour takes. Null when the bitmap cannot be read.
UniqueBitmap MakeKeyedBitmap(HBITMAP bitmap, COLORREF transparent);

// Draws a width x height part of a MakeKeyedBitmap picture, selected into
// `source`, to (x, y); its see-through pixels leave the destination as it is.
// Afterwards the destination's text colour is black and its background
// colour white, as the masks that drew such faces before left them.
bool DrawKeyed(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
               int sourceY);

}  // namespace gd
