#pragma once
// The macro editor's event list: rows of events in playing order, each with
// the delay that follows it and its mouse position word, and the rules that
// keep press/release pairs well nested while the list is edited. The dialog
// shows these rows; every change goes through here first.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "keys/event_code.h"
#include "profile/records.h"

namespace gd {

inline constexpr int kMaxMacroRows = 128;

struct MacroRow {
    EventCode code = 0;
    // As the delay column shows it: digits as typed or recorded, possibly
    // empty (an empty delay adds nothing to the duration and stores as 0).
    std::string delay;
    // Mouse rows: x in the high 16 bits, y in the low 16 (two's complement).
    // Key rows carry whatever the entry held; it is never read for them.
    std::uint32_t position = 0;
    // What the Others column shows for the row ("Relative (10,-5)" for a
    // mouse press); it moves with the row.
    std::string others;
};

// The two rows of one input: the press and the first exact release below.
struct RowPair {
    int start = -1;
    int end = -1;
    friend bool operator==(const RowPair&, const RowPair&) = default;
};

// Where the selection and the highlighted pair stand after a move: both
// follow their rows.
struct RowSelection {
    int selected = -1;
    std::optional<RowPair> pair;
    friend bool operator==(const RowSelection&, const RowSelection&) = default;
};

// Enabled states of "Move Up" and "Move Down"; nullopt: leave as it is.
struct MoveButtons {
    std::optional<bool> up;
    std::optional<bool> down;
};

enum class InsertResult {
    Inserted,
    InsideSameInput,  // the point lies inside a pair of that input
    Full,             // no room for two more rows
};

// Delays, as numbers: leading digits, the rest ignored; empty reads as 0.
// Saturates rather than wraps.
std::uint32_t DelayValue(const std::string& text);

class MacroList {
  public:
    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    const MacroRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    // Whether a pair can still be inserted.
    bool CanInsertPair() const { return size() + 2 <= kMaxMacroRows; }

    // Rows from a stored macro; a count beyond the record's arrays is read
    // as full.
    void Load(const MacroRecord& macro);
    // eventCount, events, delays and positions; other fields are the caller's.
    void Store(MacroRecord& macro) const;
    void Clear() { rows_.clear(); }

    // The pair of a row: a press with the first row below holding exactly its
    // release code, or a release with the nearest press above holding its
    // press code. nullopt for a click, or a row whose partner is missing.
    std::optional<RowPair> PairOf(int index) const;
    // True when, counting presses (+1) and releases (-1) of the same input as
    // `code` over the rows above `index`, a pair of that input is still open.
    bool InsideOpenPair(EventCode code, int index) const;

    // Inserts the press `press` at `index` (the end for -1) and its release
    // right below, both with `position`; `pressOthers` is the press row's
    // Others text.
    InsertResult InsertPair(int index, EventCode press, const std::string& pressDelay,
                            const std::string& releaseDelay, std::uint32_t position,
                            const std::string& pressOthers = {});
    // Appends one recorded row.
    bool Append(const MacroRow& row);
    // Removes both rows; every other row keeps its position word.
    void DeletePair(const RowPair& pair);
    // Exchanges two rows unless they name the same input (or do not exist);
    // the selection and pair follow their rows. The last place keeps its
    // delay: the last event is never followed by a pause, and the pause that
    // stood before it stays there, so a move undone gives the list back.
    bool SwapRows(int a, int b, RowSelection& selection);
    // The selected row, when it starts or ends the pair, moves one place; a
    // press directly followed by its release moves as a block.
    void MoveUp(RowSelection& selection);
    void MoveDown(RowSelection& selection);
    MoveButtons MoveButtonStates(const RowSelection& selection) const;

    // The pair takes another key or button (`entryCode`, a press without
    // flags). Another input than the pair's own must keep the nesting rule
    // (two inputs may share a display name, so the codes decide). Both rows
    // lose their Others text. False on a conflict, with nothing changed.
    bool ChangePairInput(int selected, const RowPair& pair, EventCode entryCode);
    // Absolute sets the flags nibble of both codes to 1, otherwise to 0.
    void SetPositionMode(const RowPair& pair, bool absolute);
    // The press takes the position; the release the same when the press is
    // absolute, else 0.
    void SetPosition(const RowPair& pair, int x, int y);
    void SetDelay(int index, const std::string& delay);
    void SetOthers(int index, const std::string& others);
    // Every press (or release) row but the last gets `delay`.
    void SetDelaysOf(std::uint32_t action, std::uint32_t delay);
    // The last event is never followed by a pause. True when it changed.
    bool ForceLastDelayZero();
    // Sum of the delays that are not empty.
    std::uint64_t Duration() const;

  private:
    bool IsSameInputAt(int a, int b) const;
    std::vector<MacroRow> rows_;
};

// What the recorder makes of key strokes: auto-repeat and unknown keys are
// dropped, and each row's delay is the time until the next stroke. A press of
// a key already held in the recording is its auto-repeat, even when another
// key came in between.
class MacroRecorder {
  public:
    enum class Result { Added, Dropped, ListFull };

    // `tick`: milliseconds of a running clock. `named`: whether a name can be
    // made for the code. ListFull means recording has to stop.
    Result Add(MacroList& list, EventCode code, std::uint32_t tick, bool named);
    // A new recording measures from its first stroke again; the last
    // accepted code is remembered for as long as the editor is open.
    void Restart() {
        lastTick_ = 0;
        held_.clear();
    }

  private:
    std::optional<EventCode> lastCode_;
    // Press codes recorded and not yet released.
    std::vector<EventCode> held_;
    std::uint32_t lastTick_ = 0;
};

// The code a key stroke is recorded as: a key press or release of the scan
// code, with the extended flag.
EventCode RecordedKeyCode(std::uint32_t scanCode, bool extended, bool keyUp);

}  // namespace gd
