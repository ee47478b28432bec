#include "gpxtool/hotkey.h"

#include <optional>

#include "gpxtool/autoswitch.h"

namespace gpxtool {

int ListHotkeys(gd::HotkeyStorage& hotkeys, Console& console) {
    for (const gd::ProfileHotkey& hotkey : gd::LoadHotkeys(hotkeys)) {
        console.out << hotkey.text << " -> " << hotkey.profile << '\n';
    }
    return kExitSuccess;
}

int AddHotkey(gd::HotkeyStorage& hotkeys, const std::string& hotkey, const std::string& profile,
              Console& console) {
    const std::string fullProfile = profile.empty() ? profile : FullPath(profile);
    if (const std::optional<gd::RuleRefusal> refusal =
            gd::AddHotkey(hotkeys, hotkey, fullProfile, gd::CheckProfileFile)) {
        return Refuse(console, refusal->subject, refusal->reason);
    }
    console.out << gd::HotkeyText(*gd::ParseHotkey(hotkey)) << " -> " << fullProfile << '\n';
    return kExitSuccess;
}

int RemoveHotkey(gd::HotkeyStorage& hotkeys, const std::string& hotkey, Console& console) {
    if (!gd::RemoveHotkey(hotkeys, hotkey)) {
        return Refuse(console, hotkey, "no hotkey is set with this name");
    }
    return kExitSuccess;
}

}  // namespace gpxtool
