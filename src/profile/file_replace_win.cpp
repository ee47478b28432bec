#include <windows.h>

#include "profile/file_replace.h"

namespace gd {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    // rename() refuses an existing target on Windows.
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace gd
