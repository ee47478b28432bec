#pragma once
// Platform seam: replace `target` by `source` in one step, overwriting an
// existing target. file_replace_posix.cpp and file_replace_win.cpp.
#include <string>

namespace gd {

bool ReplaceFileWith(const std::string& source, const std::string& target);

}  // namespace gd
