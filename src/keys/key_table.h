#pragma once
// The fixed vocabulary of inputs the user may pick: three mouse buttons, then
// 104 keyboard keys, in the order the macro editors list them.
//   mouse entries:    the button value (1 left, 2 right, 4 middle)
//   keyboard entries: the set-1 scan code, plus 0x10000 for keys that send E0
#include <array>
#include <cstddef>
#include <cstdint>

#include "keys/event_code.h"

namespace gd {

inline constexpr int kKeyTableSize = 107;
inline constexpr int kKeyTableMouseEntries = 3;  // indexes 0..2

// clang-format off
inline constexpr std::array<std::uint32_t, kKeyTableSize> kKeyTable = {
    // 0-2: left, right and middle mouse button.
    0x00001, 0x00002, 0x00004,
    // 3-15: Esc, F1..F12.
    0x00001, 0x0003B, 0x0003C, 0x0003D, 0x0003E, 0x0003F, 0x00040, 0x00041, 0x00042, 0x00043,
    0x00044, 0x00057, 0x00058,
    // 16-25: 0..9.
    0x0000B, 0x00002, 0x00003, 0x00004, 0x00005, 0x00006, 0x00007, 0x00008, 0x00009, 0x0000A,
    // 26-36: ` - = [ ] \ ; ' , . /
    0x00029, 0x0000C, 0x0000D, 0x0001A, 0x0001B, 0x0002B, 0x00027, 0x00028, 0x00033, 0x00034,
    0x00035,
    // 37-62: A..Z.
    0x0001E, 0x00030, 0x0002E, 0x00020, 0x00012, 0x00021, 0x00022, 0x00023, 0x00017, 0x00024,
    0x00025, 0x00026, 0x00032, 0x00031, 0x00018, 0x00019, 0x00010, 0x00013, 0x0001F, 0x00014,
    0x00016, 0x0002F, 0x00011, 0x0002D, 0x00015, 0x0002C,
    // 63-67: Enter, Tab, Space, Backspace, Caps Lock.
    0x0001C, 0x0000F, 0x00039, 0x0000E, 0x0003A,
    // 68-73: left Shift, Ctrl, Alt; right Shift, Ctrl, Alt. Right Shift is
    // stored with the extended flag, as the low-level keyboard hook reports it.
    0x0002A, 0x0001D, 0x00038, 0x10036, 0x1001D, 0x10038,
    // 74-79: left Windows, right Windows, Application, Print Screen, Scroll Lock, Pause.
    0x1005B, 0x1005C, 0x1005D, 0x10037, 0x00046, 0x00045,
    // 80-89: Insert, Delete, Home, End, Page Up, Page Down, Up, Down, Left, Right.
    0x10052, 0x10053, 0x10047, 0x1004F, 0x10049, 0x10051, 0x10048, 0x10050, 0x1004B, 0x1004D,
    // 90-106: Num Lock, keypad + - * /, keypad 0..9, keypad point, keypad Enter.
    0x10045, 0x0004E, 0x0004A, 0x00037, 0x10035, 0x00052, 0x0004F, 0x00050, 0x00051, 0x0004B,
    0x0004C, 0x0004D, 0x00047, 0x00048, 0x00049, 0x00053, 0x1001C,
};
// clang-format on

// 107.
int KeyTableSize();

// The press code of entry `index` (0..106): kind 0x02 for indexes 0..2, 0x01
// for the rest, action press, no position flag. 0 (a code nothing names) for
// an index out of range.
EventCode KeyTableCode(int index);

// GetEventName of KeyTableCode(index) into `buffer` of `size` bytes. False,
// with an empty buffer when size > 0, for an index out of range or a name
// that does not fit.
bool KeyTableName(int index, char* buffer, std::size_t size);

// The index of the entry that names the input of `code` (IsSameInput): the
// row of the editors' key list that shows it. -1 when no entry does.
int KeyTableIndexOf(EventCode code);

// True when the low 20 bits of `code` equal those of any entry. Kind and
// action are ignored, so 0x00000002 is known (right button and key "1").
bool IsKnownKey(EventCode code);

}  // namespace gd
