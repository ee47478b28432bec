#include "editors/macro_list.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "keys/key_table.h"
#include "profile/image.h"

namespace gd {
namespace {

constexpr std::uint32_t kFlagsMask = 0x000F0000;

// A row index that moved with a swap of a and b.
int Follow(int index, int a, int b) {
    return index == a ? b : index == b ? a : index;
}

}  // namespace

std::uint32_t DelayValue(const std::string& text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return std::numeric_limits<std::uint32_t>::max();
        }
    }
    return static_cast<std::uint32_t>(value);
}

void MacroList::Load(const MacroRecord& macro) {
    rows_.clear();
    const std::uint32_t count = std::min<std::uint32_t>(macro.eventCount, kMaxMacroEvents);
    for (std::uint32_t i = 0; i < count; ++i) {
        rows_.push_back({macro.events[i], std::to_string(macro.delays[i]), macro.positions[i], {}});
    }
}

void MacroList::Store(MacroRecord& macro) const {
    macro.eventCount = static_cast<std::uint32_t>(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        macro.events[i] = rows_[i].code;
        macro.delays[i] = DelayValue(rows_[i].delay);
        macro.positions[i] = rows_[i].position;
    }
}

bool MacroList::IsSameInputAt(int a, int b) const {
    return IsSameInput(row(a).code, row(b).code);
}

std::optional<RowPair> MacroList::PairOf(int index) const {
    if (index < 0 || index >= size()) {
        return std::nullopt;
    }
    const EventCode code = row(index).code;
    if (IsPress(code)) {
        const EventCode release = WithAction(code, kActionRelease);
        for (int j = index + 1; j < size(); ++j) {
            if (row(j).code == release) {
                return RowPair{index, j};
            }
        }
    } else if (IsRelease(code)) {
        const EventCode press = WithAction(code, kActionPress);
        for (int j = index - 1; j >= 0; --j) {
            if (row(j).code == press) {
                return RowPair{j, index};
            }
        }
    }
    return std::nullopt;
}

bool MacroList::InsideOpenPair(EventCode code, int index) const {
    int open = 0;
    for (int i = 0; i < std::min(index, size()); ++i) {
        const EventCode other = row(i).code;
        if (!IsSameInput(code, other)) {
            continue;
        }
        if (IsPress(other)) {
            ++open;
        } else if (IsRelease(other)) {
            --open;
        }
    }
    return open != 0;
}

InsertResult MacroList::InsertPair(int index, EventCode press, const std::string& pressDelay,
                                   const std::string& releaseDelay, std::uint32_t position,
                                   const std::string& pressOthers) {
    // The record holds 128 events: a pair that does not fit whole is refused
    // rather than cut off at storing.
    if (!CanInsertPair()) {
        return InsertResult::Full;
    }
    if (index < 0 || index > size()) {
        index = size();
    }
    press = WithAction(press, kActionPress);
    if (InsideOpenPair(press, index)) {
        return InsertResult::InsideSameInput;
    }
    const auto at = rows_.begin() + index;
    rows_.insert(at, {{press, pressDelay, position, pressOthers},
                      {WithAction(press, kActionRelease), releaseDelay, position, {}}});
    return InsertResult::Inserted;
}

bool MacroList::Append(const MacroRow& row) {
    if (size() >= kMaxMacroRows) {
        return false;
    }
    rows_.push_back(row);
    return true;
}

void MacroList::DeletePair(const RowPair& pair) {
    if (pair.start < 0 || pair.end <= pair.start || pair.end >= size()) {
        return;
    }
    rows_.erase(rows_.begin() + pair.end);
    rows_.erase(rows_.begin() + pair.start);
}

bool MacroList::SwapRows(int a, int b, RowSelection& selection) {
    if (a < 0 || b < 0 || a >= size() || b >= size() || a == b || IsSameInputAt(a, b)) {
        return false;
    }
    MacroRow& first = rows_[static_cast<std::size_t>(a)];
    MacroRow& second = rows_[static_cast<std::size_t>(b)];
    std::swap(first, second);
    if (std::max(a, b) == size() - 1) {
        std::swap(first.delay, second.delay);
    }
    selection.selected = Follow(selection.selected, a, b);
    if (selection.pair) {
        selection.pair->start = Follow(selection.pair->start, a, b);
        selection.pair->end = Follow(selection.pair->end, a, b);
    }
    return true;
}

void MacroList::MoveUp(RowSelection& selection) {
    if (!selection.pair) {
        return;
    }
    const int i = selection.selected;
    const RowPair pair = *selection.pair;
    if (i == pair.start) {
        if (i >= 1) {
            SwapRows(i - 1, i, selection);
        }
    } else if (i == pair.end) {
        // With its start right above, the end moves only after the start could.
        if (pair.start < i - 1 || (i - 1 >= 1 && SwapRows(i - 2, i - 1, selection))) {
            SwapRows(i - 1, i, selection);
        }
    }
}

void MacroList::MoveDown(RowSelection& selection) {
    if (!selection.pair) {
        return;
    }
    const int i = selection.selected;
    const int n = size();
    const RowPair pair = *selection.pair;
    if (i == pair.start) {
        // With its end right below, the start moves only after the end could.
        if (pair.end > i + 1 || (i + 1 < n - 1 && SwapRows(i + 1, i + 2, selection))) {
            SwapRows(i, i + 1, selection);
        }
    } else if (i == pair.end) {
        if (i < n - 1) {
            SwapRows(i, i + 1, selection);
        }
    }
}

MoveButtons MacroList::MoveButtonStates(const RowSelection& selection) const {
    if (!selection.pair) {
        return {false, false};
    }
    const int i = selection.selected;
    const int n = size();
    const RowPair pair = *selection.pair;
    MoveButtons buttons;
    if (i == pair.start) {
        buttons.up = i > 0 && !IsSameInputAt(i - 1, i);
        if (i == n - 2) {
            buttons.down = false;
        } else if (pair.end == i + 1) {
            buttons.down = i + 2 < n && !IsSameInputAt(i + 2, i);
        } else {
            buttons.down = true;
        }
    } else if (i == pair.end) {
        if (i == 1) {
            buttons.up = false;
        } else if (pair.start == i - 1) {
            buttons.up = i >= 2 && !IsSameInputAt(i - 2, i);
        } else {
            buttons.up = true;
        }
        buttons.down = i != n - 1 && !IsSameInputAt(i + 1, i);
    }
    return buttons;
}

bool MacroList::ChangePairInput(int selected, const RowPair& pair, EventCode entryCode) {
    if (pair.start < 0 || pair.end >= size() || pair.end <= pair.start) {
        return false;
    }
    const EventCode press = WithAction(entryCode, kActionPress);
    if (!IsSameInput(press, row(pair.start).code)) {
        if (InsideOpenPair(press, selected)) {
            return false;
        }
        for (int i = pair.start + 1; i < pair.end; ++i) {
            if (IsSameInput(press, row(i).code)) {
                return false;
            }
        }
    }
    MacroRow& start = rows_[static_cast<std::size_t>(pair.start)];
    MacroRow& end = rows_[static_cast<std::size_t>(pair.end)];
    start.code = press;
    end.code = WithAction(press, kActionRelease);
    start.others.clear();
    end.others.clear();
    return true;
}

void MacroList::SetPositionMode(const RowPair& pair, bool absolute) {
    for (int index : {pair.start, pair.end}) {
        if (index < 0 || index >= size()) {
            continue;
        }
        EventCode& code = rows_[static_cast<std::size_t>(index)].code;
        code = (code & ~kFlagsMask) | (absolute ? kAbsolutePositionFlag : 0);
    }
}

void MacroList::SetPosition(const RowPair& pair, int x, int y) {
    if (pair.start < 0 || pair.end >= size() || pair.end <= pair.start) {
        return;
    }
    MacroRow& press = rows_[static_cast<std::size_t>(pair.start)];
    press.position = PackPosition(x, y);
    rows_[static_cast<std::size_t>(pair.end)].position =
        FlagsOf(press.code) != 0 ? press.position : 0;
}

void MacroList::SetDelay(int index, const std::string& delay) {
    if (index >= 0 && index < size()) {
        rows_[static_cast<std::size_t>(index)].delay = delay;
    }
}

void MacroList::SetOthers(int index, const std::string& others) {
    if (index >= 0 && index < size()) {
        rows_[static_cast<std::size_t>(index)].others = others;
    }
}

void MacroList::SetDelaysOf(std::uint32_t action, std::uint32_t delay) {
    for (int i = 0; i + 1 < size(); ++i) {
        if (ActionOf(row(i).code) == action) {
            rows_[static_cast<std::size_t>(i)].delay = std::to_string(delay);
        }
    }
}

bool MacroList::ForceLastDelayZero() {
    if (rows_.empty() || DelayValue(rows_.back().delay) == 0) {
        return false;
    }
    // assign, not "0": gcc 12 misreads the literal's copy here (-Wrestrict).
    rows_.back().delay.assign(1, '0');
    return true;
}

std::uint64_t MacroList::Duration() const {
    std::uint64_t total = 0;
    for (const MacroRow& r : rows_) {
        if (!r.delay.empty()) {
            total += DelayValue(r.delay);
        }
    }
    return total;
}

MacroRecorder::Result MacroRecorder::Add(MacroList& list, EventCode code, std::uint32_t tick,
                                         bool named) {
    const bool held = IsPress(code) && std::find(held_.begin(), held_.end(), code) != held_.end();
    if (!IsKnownKey(code) || lastCode_ == code || held || !named) {
        return Result::Dropped;
    }
    if (list.size() >= kMaxMacroRows) {
        return Result::ListFull;
    }
    MacroRow row{code, "", 0, {}};
    if (lastTick_ != 0 && !list.empty()) {
        const std::uint32_t elapsed = tick - lastTick_;
        // Two strokes within one tick still get a pause between them.
        list.SetDelay(list.size() - 1, elapsed == 0 ? "10" : std::to_string(elapsed));
        row.delay.assign(1, '0');
    }
    list.Append(row);
    if (IsPress(code)) {
        held_.push_back(code);
    } else {
        std::erase(held_, WithAction(code, kActionPress));
    }
    lastTick_ = tick;
    lastCode_ = code;
    return Result::Added;
}

EventCode RecordedKeyCode(std::uint32_t scanCode, bool extended, bool keyUp) {
    return (keyUp ? 0x01100000u : 0x01000000u) | (scanCode & 0xFFFF) |
           (extended ? kExtendedKeyFlag : 0);
}

}  // namespace gd
