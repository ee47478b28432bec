#pragma once
// gpxtool picture: the printable picture of a profile as SVG or PNG.
#include <string>

#include "gpxtool/commands.h"

namespace gpxtool {

// The output's extension (.svg or .png, any case) picks the form; the PNG
// is drawn at gd::kPictureDotsPerInch. Exit status as the other commands'.
int Picture(const std::string& file, const std::string& output, Console& console);

}  // namespace gpxtool
