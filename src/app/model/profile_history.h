#pragma once
// The undo and redo history of the open profile. A step is the bytes one
// change replaced: where they lie in the profile, what they were and what
// they became, trimmed to the part that differs, so that a slot's step
// keeps a few bytes rather than the whole image. Each state the history
// passes through has a number of its own, which tells whether the profile
// is the one last saved or loaded.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

namespace gd {

class ProfileHistory {
  public:
    // Undo goes back at least this far; older steps are forgotten.
    static constexpr std::size_t kSteps = 100;

    // `target` changes from `before` to `after` (both as long as it) at
    // `offset` of the profile's bytes; the caller writes `after` itself.
    // False, and no step, when they do not differ.
    bool Record(std::string what, std::size_t offset, std::span<const std::uint8_t> before,
                std::span<const std::uint8_t> after);

    bool CanUndo() const { return applied_ > 0; }
    bool CanRedo() const { return applied_ < steps_.size(); }
    // What the next undo or redo takes back or does again ("Paste on M3").
    const std::string& UndoWhat() const;
    const std::string& RedoWhat() const;
    // Writes the step's bytes into `profile`; false when there is none.
    bool Undo(std::span<std::uint8_t> profile);
    bool Redo(std::span<std::uint8_t> profile);

    // A fresh history, for another profile: nothing to undo or redo.
    void Clear();
    // The profile as it is now is the one in its file.
    void MarkSaved() { savedState_ = State(); }
    // No state of this history is in a file.
    void MarkUnsaved() { savedState_ = kNoState; }
    bool AtSaved() const { return savedState_ == State(); }

  private:
    static constexpr std::uint64_t kNoState = 0;

    struct Step {
        std::string what;
        std::size_t offset = 0;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
        std::uint64_t state = kNoState;  // the state this step leads to
    };

    std::uint64_t State() const { return applied_ == 0 ? baseState_ : steps_[applied_ - 1].state; }
    static void Write(std::span<std::uint8_t> profile, std::size_t offset,
                      const std::vector<std::uint8_t>& bytes);

    std::deque<Step> steps_;
    std::size_t applied_ = 0;  // steps_[0, applied_) are in the profile
    std::uint64_t nextState_ = 2;
    std::uint64_t baseState_ = 1;  // the state before the oldest step kept
    std::uint64_t savedState_ = 1;
};

}  // namespace gd
