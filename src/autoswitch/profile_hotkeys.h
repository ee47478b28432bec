#pragma once
// Hotkeys that put a profile on the pad from any program: their texts, the
// rules a hotkey must pass, and their storage.
//
// Stored as string values under HKEY_CURRENT_USER\<settings root>\Hotkeys,
// one per hotkey: the value's name is the hotkey's text as HotkeyText gives
// it ("Ctrl+Alt+1"), its data the profile file's full path. A name typed in
// another form ("alt + ctrl + 1") is read as the same hotkey; a name that is
// no hotkey, or one a second value already holds, is left where it is and
// not used.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "autoswitch/auto_switch_rules.h"

namespace gd {

inline constexpr char kHotkeysKey[] = "Hotkeys";
// The program registers at most this many, with ids from kFirstHotkeyId.
inline constexpr std::size_t kMostHotkeys = 20;

// Modifier bits as the system's RegisterHotKey takes them.
inline constexpr std::uint8_t kHotkeyAlt = 0x01;
inline constexpr std::uint8_t kHotkeyCtrl = 0x02;
inline constexpr std::uint8_t kHotkeyShift = 0x04;
inline constexpr std::uint8_t kHotkeyWin = 0x08;
inline constexpr std::uint8_t kHotkeyModifiers = 0x0F;

struct Hotkey {
    std::uint8_t modifiers = 0;  // kHotkeyAlt | kHotkeyCtrl | kHotkeyShift | kHotkeyWin
    std::uint8_t key = 0;        // virtual-key code of a key HotkeyText can name
    friend bool operator==(const Hotkey&, const Hotkey&) = default;
};

// "Ctrl+Alt+Shift+Win+<key>", modifiers in that order; keys are A-Z, 0-9,
// F1-F24, "Num 0"-"Num 9", Space, Insert, Delete, Home, End, Page Up, Page
// Down, Left, Up, Right, Down and Pause. Empty for a key it cannot name.
std::string HotkeyText(Hotkey hotkey);
// Reads what HotkeyText writes, ignoring case and spaces around the parts,
// with "Control" for Ctrl. Nothing when the text names no key, a key twice
// or a part it does not know.
std::optional<Hotkey> ParseHotkey(std::string_view text);

// Nothing when the hotkey may be set, else why not: a key without Ctrl, Alt
// or Win would be taken from every program's typing, so only a function key
// goes without them (Shift alone counts as none), and F12 alone is kept for
// debuggers.
std::optional<std::string> HotkeyRuleBreach(Hotkey hotkey);

// The standard hotkey control's modifier bits (HOTKEYF_SHIFT 1,
// HOTKEYF_CONTROL 2, HOTKEYF_ALT 4; HOTKEYF_EXT 8 only marks an extended key)
// as a Hotkey's, and back: the control names a key by its scan code, and
// without HOTKEYF_EXT the arrows, Home, End, Page Up, Page Down, Insert and
// Delete would show as the keypad's. The control knows no Win key.
std::uint8_t ModifiersFromControl(std::uint8_t controlModifiers);
std::uint8_t ControlModifiers(Hotkey hotkey);

// Where the hotkeys are kept; the registry on Windows.
class HotkeyStorage {
  public:
    virtual ~HotkeyStorage() = default;
    // Every string value as (name, data); empty when the key is missing.
    virtual std::vector<std::pair<std::string, std::string>> ReadValues() = 0;
    virtual bool WriteValue(const std::string& name, const std::string& data) = 0;
    // True when the value is gone afterwards, also when there was none.
    virtual bool DeleteValue(const std::string& name) = 0;
};

struct ProfileHotkey {
    Hotkey hotkey;
    std::string text;     // HotkeyText(hotkey)
    std::string profile;  // full path of the profile file
    std::string stored;   // the value's own name
    friend bool operator==(const ProfileHotkey&, const ProfileHotkey&) = default;
};

// The usable hotkeys, ordered by their values' names: values whose name is
// no hotkey, breaks the rules or repeats an earlier one, and those with an
// empty profile, are left out, as are any beyond kMostHotkeys.
std::vector<ProfileHotkey> LoadHotkeys(HotkeyStorage& storage);

// Sets `hotkeyText` to put `profile` on the pad. `replacing` names a hotkey
// this one takes the place of (the dialog's Change); it goes once the new one
// is written. Refused, with nothing written, when the text is no hotkey or
// breaks the rules, another hotkey already is this one, kMostHotkeys are set,
// the profile is empty, or `check` finds it unreadable.
std::optional<RuleRefusal> AddHotkey(HotkeyStorage& storage, std::string_view hotkeyText,
                                     const std::string& profile, const ProfileCheck& check,
                                     std::string_view replacing = {});
// Removes every value that names this hotkey, or, for a text that is no
// hotkey, the value named by the text itself. False when none was there.
bool RemoveHotkey(HotkeyStorage& storage, std::string_view hotkeyText);

}  // namespace gd
