#pragma once
// What a low-level keyboard hook does with a key's release. The system marks
// a key up only when its release reaches it, so a release must go on
// whenever any press of its key went on, or the key stays held down for
// every program. That includes a press made before the hook was installed
// (the stroke that opened its dialog, a Shift held as recording starts), of
// which the hook sees at most the auto-repeats: the hook asks the system
// whether it holds the key down already, and such a repeat counts as a
// press that went on. Only a key whose every press the hook swallowed has
// its release swallowed as well.
#include <cstdint>
#include <map>

namespace gd {

class SwallowedKeys {
  public:
    // A press or auto-repeat of `key`. reachedSystem: it goes on, or the
    // system held the key down before it.
    void Pressed(std::uint32_t key, bool reachedSystem) {
        bool& reached = pressed_[key];
        reached = reached || reachedSystem;
    }
    // Whether a press of `key` came since its last release.
    bool SawPress(std::uint32_t key) const { return pressed_.contains(key); }
    // True when the release is swallowed too: the hook saw presses of the
    // key since its last release, and none of them reached the system. A
    // release without a press seen ends one made before the hook.
    bool Released(std::uint32_t key) {
        const auto found = pressed_.find(key);
        if (found == pressed_.end()) {
            return false;
        }
        const bool swallowed = !found->second;
        pressed_.erase(found);
        return swallowed;
    }

  private:
    // The keys pressed and not yet released, each with whether a press of
    // it reached the system.
    std::map<std::uint32_t, bool> pressed_;
};

}  // namespace gd
