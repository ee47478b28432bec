#include "app/model/profile_history.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gd {
namespace {

const std::string kNothing;

}  // namespace

bool ProfileHistory::Record(std::string what, std::size_t offset,
                            std::span<const std::uint8_t> before,
                            std::span<const std::uint8_t> after) {
    const std::size_t size = std::min(before.size(), after.size());
    std::size_t first = 0;
    while (first < size && before[first] == after[first]) {
        ++first;
    }
    if (first == size) {
        return false;
    }
    std::size_t end = size;
    while (end > first && before[end - 1] == after[end - 1]) {
        --end;
    }
    // A new change ends the way back to what was undone.
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
    Step step;
    step.what = std::move(what);
    step.offset = offset + first;
    const std::span<const std::uint8_t> was = before.subspan(first, end - first);
    const std::span<const std::uint8_t> becomes = after.subspan(first, end - first);
    step.before.assign(was.begin(), was.end());
    step.after.assign(becomes.begin(), becomes.end());
    step.state = nextState_++;
    steps_.push_back(std::move(step));
    ++applied_;
    if (steps_.size() > kSteps) {
        baseState_ = steps_.front().state;
        steps_.pop_front();
        --applied_;
    }
    return true;
}

const std::string& ProfileHistory::UndoWhat() const {
    return CanUndo() ? steps_[applied_ - 1].what : kNothing;
}

const std::string& ProfileHistory::RedoWhat() const {
    return CanRedo() ? steps_[applied_].what : kNothing;
}

void ProfileHistory::Write(std::span<std::uint8_t> profile, std::size_t offset,
                           const std::vector<std::uint8_t>& bytes) {
    if (offset <= profile.size() && bytes.size() <= profile.size() - offset) {
        std::memcpy(profile.data() + offset, bytes.data(), bytes.size());
    }
}

bool ProfileHistory::Undo(std::span<std::uint8_t> profile) {
    if (!CanUndo()) {
        return false;
    }
    --applied_;
    Write(profile, steps_[applied_].offset, steps_[applied_].before);
    return true;
}

bool ProfileHistory::Redo(std::span<std::uint8_t> profile) {
    if (!CanRedo()) {
        return false;
    }
    Write(profile, steps_[applied_].offset, steps_[applied_].after);
    ++applied_;
    return true;
}

void ProfileHistory::Clear() {
    steps_.clear();
    applied_ = 0;
    baseState_ = nextState_++;
    savedState_ = baseState_;
}

}  // namespace gd
