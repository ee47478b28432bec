#pragma once
// The program's texts are single-byte characters; where it searches by a
// beginning (a window title, a key name, a resolution), letter case does
// not count.
#include <cctype>
#include <string_view>

namespace gd {

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace gd
