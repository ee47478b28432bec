#pragma once
// The picture as an SVG document in UTF-8: its viewBox in tenths of a
// millimetre and its width and height in millimetres, so it prints at the
// card's size. Texts stay text, in DejaVu Sans Bold, the face the line
// breaking measured.
#include <string>

#include "picture/picture_model.h"

namespace gd {

std::string PictureToSvg(const Picture& picture);

}  // namespace gd
