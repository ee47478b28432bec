#pragma once
// What the macro editor's recording does with each key event of the desktop.
// Every stroke goes to the recorder and to no other program, Tab, Escape and
// Enter included, but for:
// - Pause, the key that stops the recording from the keyboard. Its press
//   ends the recording, and neither it nor its release is ever recorded.
// - A release whose press came before the recording began: the Space or
//   Enter that pressed Start Recording, a Shift held since. The system must
//   see it to mark the key up, and the macro gets no release without its
//   press.
// A release goes on to the system whenever a press of its key did, or came
// before the recording (SwallowedKeys).
#include <cstdint>

#include "editors/swallowed_keys.h"

namespace gd {

// The virtual key that stops a recording: Pause (Break), VK_PAUSE. By
// virtual key, since its scan code is Num Lock's without the extended flag.
inline constexpr std::uint32_t kRecordingStopVirtualKey = 0x13;

class RecordingKeys {
  public:
    struct Outcome {
        bool record = false;  // the stroke becomes a row of the macro
        bool passOn = false;  // the stroke goes on to the system
        bool stop = false;    // the recording ends with this stroke
    };

    // virtualKey: the event's virtual key; key: its StrokeKey; released: a
    // key-up event; heldBefore: the system held the key down before the
    // event, from a press that reached it.
    Outcome OnKey(std::uint32_t virtualKey, std::uint32_t key, bool released, bool heldBefore);

  private:
    SwallowedKeys swallowed_;
};

}  // namespace gd
