#pragma once
// Display names of EventCodes. The words come from the sources selected in
// keys/key_name_source.h.
//
// Buffers: the first `size` bytes are cleared, nothing is written past them,
// and on success the name is zero-terminated within them. A name that does
// not fit whole is not written: the call returns false with the buffer
// empty. 256 bytes hold every name.
#include <cstddef>
#include <string>

#include "keys/event_code.h"

namespace gd {

// Mouse codes (kind 0x02) by their button value: 1, 2 and 4 are named "Left
// Button", "Right Button", "Middle Button"; any other value (also
// combinations such as 3) has no name. Keyboard codes (kind 0x01) by the
// name source's answer for KeyNameRequest(code), where the exact names
// "Shift", "Ctrl" and "Alt" become "Left Shift", "Left Ctrl" and "Left Alt"
// (or "Right Shift", "Right Ctrl" and "Right Alt" for a code with the
// extended flag, which only the right-hand keys send); when the source has no
// name, scan code 0x36 with the extended flag is "Right Shift" and any other
// key has none. Any other kind has no name.
// Returns true with the name, or false with an empty buffer.
bool GetEventName(EventCode code, char* buffer, std::size_t size);

// "Press", "Release" or "Click" for action 0, 1 or 2 of a keyboard or mouse
// code; false with an empty buffer for any other action or kind.
bool GetActionName(EventCode code, char* buffer, std::size_t size);

// As above; an empty string when there is no name.
std::string EventName(EventCode code);
std::string ActionName(EventCode code);

}  // namespace gd
