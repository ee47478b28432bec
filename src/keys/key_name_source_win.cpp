#include "keys/key_name_source_win.h"

#include <windows.h>

#include <cstring>

namespace gd {

bool SystemKeyNameSource::NameOf(std::uint32_t requestWord, char* buffer, std::size_t size) {
    char name[256] = {};
    const int length = GetKeyNameTextA(static_cast<LONG>(requestWord), name, sizeof name);
    if (length <= 0) {
        return BuiltInKeyNameSource().NameOf(requestWord, buffer, size);
    }
    name[sizeof name - 1] = '\0';
    const std::size_t used = std::strlen(name);
    if (buffer == nullptr || used >= size) {
        return false;
    }
    std::memcpy(buffer, name, used);
    buffer[used] = '\0';
    return true;
}

}  // namespace gd
