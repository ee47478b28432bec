#pragma once
// Display scaling of the skinned windows. Their art is drawn at a few
// scales (percent of 96 dpi, ascending); a window takes one drawing by its
// monitor's DPI, and every length in pixels at 100 % follows with the rule
// the art's places are scaled with.
#include <cstdint>
#include <span>

namespace gd {

// Pixels per inch at 100 %.
inline constexpr std::uint32_t kBaseDpi = 96;

// Index into `scales` of the drawing for a monitor of `dpi`: the smallest
// scale at least as large as the monitor's, so that the art is never
// stretched up and never drawn smaller than the system's own dialogs; above
// the largest scale, the largest. A DPI of 0 (not known) gives the first.
// `scales` must not be empty.
int PickArtScale(std::uint32_t dpi, std::span<const int> scales);

// A length in pixels at 100 % as many pixels at `percent`, rounded half
// away from zero: 98 at 125 % is 123, -98 is -123.
std::int32_t ScalePixels(std::int32_t length, int percent);

}  // namespace gd
