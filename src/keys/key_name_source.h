#pragma once
// Where key naming gets its words from. Key names come from a KeyNameSource
// (on Windows the system's key-name service for the current keyboard layout);
// the six fixed texts from a KeyTextSource (the program's string table).
// Built-in English sources serve by default, on other platforms and in tests.
//
// The sources in use are process-wide and chosen here, and only here:
// UseKeyNameSource and UseKeyTextSource. Choose them at start-up, on the
// user-interface thread, before the first name is asked for; a source must
// outlive its selection. Nothing else in key naming keeps mutable state.
#include <cstddef>
#include <cstdint>
#include <string>

#include "keys/event_code.h"
#include "resource.h"

namespace gd {

// The word a keyboard code is named by: scan code (code bits 0-7) in bits
// 16-23 and code bits 16-19 in bits 24-27, so the extended flag lands in bit
// 24. Code bits 8-15 do not take part. This is the layout of the key-name
// service's argument on Windows.
constexpr std::uint32_t KeyNameRequest(EventCode code) {
    return ((code & 0xFFu) << 16) | (((code >> 16) & 0xFu) << 24);
}

class KeyNameSource {
  public:
    virtual ~KeyNameSource() = default;
    // Writes the zero-terminated name of the key `requestWord` stands for
    // into `buffer` of `size` bytes and returns true; false when the source
    // has no name for it or the name does not fit (buffer content then
    // unspecified). Never writes past `size`.
    virtual bool NameOf(std::uint32_t requestWord, char* buffer, std::size_t size) = 0;
};

// The fixed texts by their string-table numbers.
enum class KeyText : int {
    LeftButton = IDS_LEFT_BUTTON,
    RightButton = IDS_RIGHT_BUTTON,
    MiddleButton = IDS_MIDDLE_BUTTON,
    Click = IDS_CLICK,
    Press = IDS_PRESS,
    Release = IDS_RELEASE,
};

class KeyTextSource {
  public:
    virtual ~KeyTextSource() = default;
    // The text, or an empty string when the source has none; the English
    // text stands in for an empty one. Asked at most once per text and
    // selection: the answer is kept.
    virtual std::string TextOf(KeyText text) = 0;
};

// English key names in the style of the Windows key-name service, one for
// each key of the key table and none for other words. Like that service it
// names the left modifiers plain "Shift", "Ctrl" and "Alt".
KeyNameSource& BuiltInKeyNameSource();

// "Left Button", "Right Button", "Middle Button", "Click", "Press", "Release":
// the texts of the built-in string table (res/string_table.h).
KeyTextSource& BuiltInKeyTextSource();

// Select the process-wide sources; each returns the one selected before, so
// a caller can put it back. Selecting a text source forgets the kept texts.
KeyNameSource& UseKeyNameSource(KeyNameSource& source);
KeyTextSource& UseKeyTextSource(KeyTextSource& source);

}  // namespace gd
