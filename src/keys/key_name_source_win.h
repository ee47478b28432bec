#pragma once
// Key names from the system's key-name service for the current keyboard
// layout (GetKeyNameTextA). Where the system has no name for a key, the
// built-in English name stands in, so that every key of the key table has a
// name on any layout. Windows builds only.
#include <cstddef>
#include <cstdint>

#include "keys/key_name_source.h"

namespace gd {

class SystemKeyNameSource final : public KeyNameSource {
  public:
    bool NameOf(std::uint32_t requestWord, char* buffer, std::size_t size) override;
};

}  // namespace gd
