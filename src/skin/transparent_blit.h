#pragma once
// Draws a rectangle of a source DC onto a destination, leaving out every
// pixel of one colour: those destination pixels stay as they were. The
// source rectangle is stretched when its size differs from the target's.
// Afterwards the destination's text colour is black and its background
// colour white.
#include <windows.h>

namespace gd {

// Copies the top-left width x height of a bitmap to (x, y): the skinned
// windows' backgrounds and pictures. False when nothing could be drawn.
bool CopyBitmap(HDC destination, int x, int y, int width, int height, HBITMAP bitmap);

bool TransparentBlit(HDC destination, int x, int y, int width, int height, HDC source, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, COLORREF transparent);

}  // namespace gd
