#pragma once
// The keys whose press a low-level keyboard hook swallowed and whose release
// it has not seen yet. A release whose press went on (or came before the
// hook, as the stroke that opened its dialog did) must go on as well: the
// system marks a key up only when its release reaches it, and would
// otherwise keep it held down for every program.
#include <cstdint>
#include <set>

namespace gd {

class SwallowedKeys {
  public:
    void Pressed(std::uint32_t key) { keys_.insert(key); }
    // True when the release ends a swallowed press, and so is swallowed too.
    bool Released(std::uint32_t key) { return keys_.erase(key) != 0; }

  private:
    std::set<std::uint32_t> keys_;
};

}  // namespace gd
