#include <cstdio>

#include "profile/file_replace.h"

namespace gd {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace gd
