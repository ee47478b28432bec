#pragma once
// Fitting a text into a box: the largest size at which it wraps into the
// box whole, down to a smallest readable size; only when even that is too
// small are the lines cut, and then the last one ends with an ellipsis.
#include <string>
#include <string_view>
#include <vector>

namespace gd {

struct FitLimits {
    double width = 0;  // the box, in the unit of the sizes
    double height = 0;
    double largest = 0;  // em sizes tried, largest first, in steps of `step`
    double smallest = 0;
    double step = 1;
    double lineSpacing = 1.2;  // baseline to baseline, in ems
};

struct FittedText {
    double size = 0;
    std::vector<std::string> lines;
    bool elided = false;  // the last line was cut and ends with "..." (0x85)
};

// Breaks at spaces; a word wider than the box is broken between its
// characters. An empty text gives no lines at the largest size.
FittedText FitText(std::string_view ansi, const FitLimits& limits);

// The ellipsis in Windows-1252.
inline constexpr char kEllipsis = '\x85';

}  // namespace gd
