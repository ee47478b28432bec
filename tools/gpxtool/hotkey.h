#pragma once
// gpxtool hotkey: the hotkeys that put a profile on the pad from any
// program, in the same values the program reads and watches.
#include <string>

#include "autoswitch/profile_hotkeys.h"
#include "gpxtool/commands.h"

namespace gpxtool {

// One line per hotkey: "HOTKEY -> PROFILE".
int ListHotkeys(gd::HotkeyStorage& hotkeys, Console& console);
// The profile is stored with its full path and must load; prints the line
// list would. Refused (1, one line) for a text that is no hotkey, one that
// breaks the rules or is set already, or an unreadable profile.
int AddHotkey(gd::HotkeyStorage& hotkeys, const std::string& hotkey, const std::string& profile,
              Console& console);
int RemoveHotkey(gd::HotkeyStorage& hotkeys, const std::string& hotkey, Console& console);

}  // namespace gpxtool
