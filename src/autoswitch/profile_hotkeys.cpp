#include "autoswitch/profile_hotkeys.h"

#include <algorithm>
#include <array>

#include "autoswitch/switcher.h"
#include "resource.h"
#include "string_table.h"

namespace gd {
namespace {

// Keys named one by one; letters, digits, function and keypad digits are
// runs of virtual-key codes (KeyRun).
struct NamedKey {
    std::uint8_t key;
    std::string_view name;
};
constexpr NamedKey kNamedKeys[] = {
    {0x13, "Pause"}, {0x20, "Space"}, {0x21, "Page Up"}, {0x22, "Page Down"},
    {0x23, "End"},   {0x24, "Home"},  {0x25, "Left"},    {0x26, "Up"},
    {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Insert"},  {0x2E, "Delete"},
};

struct KeyRun {
    std::uint8_t first;
    std::uint8_t count;
    std::string_view prefix;
    char firstChar;  // '\0': numbered from 1 (F1, F2 ...)
};
constexpr KeyRun kKeyRuns[] = {
    {0x41, 26, "", 'A'},
    {0x30, 10, "", '0'},
    {0x60, 10, "Num ", '0'},
    {0x70, 24, "F", '\0'},
};
constexpr std::uint8_t kFunctionFirst = 0x70;
constexpr std::uint8_t kFunctionLast = 0x87;
constexpr std::uint8_t kF12 = 0x7B;

struct ModifierName {
    std::uint8_t bit;
    std::string_view name;
};
// In the order texts name them.
constexpr ModifierName kModifierNames[] = {
    {kHotkeyCtrl, "Ctrl"},
    {kHotkeyAlt, "Alt"},
    {kHotkeyShift, "Shift"},
    {kHotkeyWin, "Win"},
};

struct ControlBit {
    std::uint8_t control;
    std::uint8_t hotkey;
};
constexpr std::uint8_t kControlExtended = 0x08;  // HOTKEYF_EXT
// Page Up to Down, then Insert and Delete: the keys beside the keypad.
constexpr std::uint8_t kFirstNavigationKey = 0x21;
constexpr std::uint8_t kLastNavigationKey = 0x28;
constexpr std::uint8_t kInsertKey = 0x2D;
constexpr std::uint8_t kDeleteKey = 0x2E;
constexpr ControlBit kControlBits[] = {
    {0x01, kHotkeyShift},
    {0x02, kHotkeyCtrl},
    {0x04, kHotkeyAlt},
};

std::string KeyName(std::uint8_t key) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) {
            return std::string(named.name);
        }
    }
    for (const KeyRun& run : kKeyRuns) {
        if (key >= run.first && key < run.first + run.count) {
            const int place = key - run.first;
            if (run.firstChar == '\0') {
                return std::string(run.prefix) + std::to_string(place + 1);
            }
            return std::string(run.prefix) + static_cast<char>(run.firstChar + place);
        }
    }
    return {};
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A part's text with its inner runs of spaces made one ("Page   Up").
std::string OneSpaced(std::string_view part) {
    std::string text;
    for (char c : Trimmed(part)) {
        if (c != ' ' || text.empty() || text.back() != ' ') {
            text += c;
        }
    }
    return text;
}

std::optional<std::uint8_t> ModifierBit(std::string_view part) {
    if (SameTextIgnoringCase(part, "Control")) {
        return kHotkeyCtrl;
    }
    for (const ModifierName& modifier : kModifierNames) {
        if (SameTextIgnoringCase(part, modifier.name)) {
            return modifier.bit;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> KeyByName(std::string_view part) {
    // Every key code a name can stand for: the whole byte range is small.
    for (int key = 1; key < 256; ++key) {
        const std::string name = KeyName(static_cast<std::uint8_t>(key));
        if (!name.empty() && SameTextIgnoringCase(name, part)) {
            return static_cast<std::uint8_t>(key);
        }
    }
    return std::nullopt;
}

bool IsFunctionKey(std::uint8_t key) {
    return key >= kFunctionFirst && key <= kFunctionLast;
}

}  // namespace

std::string HotkeyText(Hotkey hotkey) {
    std::string key = KeyName(hotkey.key);
    if (key.empty() || (hotkey.modifiers & ~kHotkeyModifiers) != 0) {
        return {};
    }
    std::string text;
    for (const ModifierName& modifier : kModifierNames) {
        if ((hotkey.modifiers & modifier.bit) != 0) {
            text.append(modifier.name).append("+");
        }
    }
    return text + key;
}

std::optional<Hotkey> ParseHotkey(std::string_view text) {
    Hotkey hotkey;
    bool keyFound = false;
    while (true) {
        const std::size_t plus = text.find('+');
        const std::string part = OneSpaced(text.substr(0, plus));
        if (part.empty() || keyFound) {
            return std::nullopt;
        }
        if (const std::optional<std::uint8_t> bit = ModifierBit(part)) {
            if ((hotkey.modifiers & *bit) != 0) {
                return std::nullopt;
            }
            hotkey.modifiers |= *bit;
        } else if (const std::optional<std::uint8_t> key = KeyByName(part)) {
            hotkey.key = *key;
            keyFound = true;
        } else {
            return std::nullopt;
        }
        if (plus == std::string_view::npos) {
            break;
        }
        text.remove_prefix(plus + 1);
    }
    if (!keyFound) {
        return std::nullopt;
    }
    return hotkey;
}

std::optional<std::string> HotkeyRuleBreach(Hotkey hotkey) {
    if (HotkeyText(hotkey).empty()) {
        return std::string(FindString(IDS_HOTKEY_NOT_A_HOTKEY));
    }
    const bool typingModifier = (hotkey.modifiers & (kHotkeyCtrl | kHotkeyAlt | kHotkeyWin)) != 0;
    if (typingModifier) {
        return std::nullopt;
    }
    if (!IsFunctionKey(hotkey.key)) {
        return std::string(FindString(IDS_HOTKEY_NEEDS_MODIFIER));
    }
    if (hotkey.key == kF12 && hotkey.modifiers == 0) {
        return std::string(FindString(IDS_HOTKEY_F12));
    }
    return std::nullopt;
}

std::uint8_t ModifiersFromControl(std::uint8_t controlModifiers) {
    std::uint8_t modifiers = 0;
    for (const ControlBit& bit : kControlBits) {
        if ((controlModifiers & bit.control) != 0) {
            modifiers |= bit.hotkey;
        }
    }
    return modifiers;
}

std::uint8_t ControlModifiers(Hotkey hotkey) {
    std::uint8_t control = 0;
    for (const ControlBit& bit : kControlBits) {
        if ((hotkey.modifiers & bit.hotkey) != 0) {
            control |= bit.control;
        }
    }
    const bool extended = (hotkey.key >= kFirstNavigationKey && hotkey.key <= kLastNavigationKey) ||
                          hotkey.key == kInsertKey || hotkey.key == kDeleteKey;
    return extended ? control | kControlExtended : control;
}

std::vector<ProfileHotkey> LoadHotkeys(HotkeyStorage& storage) {
    std::vector<std::pair<std::string, std::string>> values = storage.ReadValues();
    std::sort(values.begin(), values.end());
    std::vector<ProfileHotkey> hotkeys;
    for (auto& [name, profile] : values) {
        const std::optional<Hotkey> hotkey = ParseHotkey(name);
        if (!hotkey || HotkeyRuleBreach(*hotkey) || profile.empty() ||
            hotkeys.size() == kMostHotkeys) {
            continue;
        }
        const bool repeated = std::any_of(hotkeys.begin(), hotkeys.end(), [&](const auto& known) {
            return known.hotkey == *hotkey;
        });
        if (!repeated) {
            hotkeys.push_back({*hotkey, HotkeyText(*hotkey), std::move(profile), std::move(name)});
        }
    }
    return hotkeys;
}

std::optional<RuleRefusal> AddHotkey(HotkeyStorage& storage, std::string_view hotkeyText,
                                     const std::string& profile, const ProfileCheck& check,
                                     std::string_view replacing) {
    const std::string subject(Trimmed(hotkeyText));
    const std::optional<Hotkey> hotkey = ParseHotkey(hotkeyText);
    if (!hotkey) {
        return RuleRefusal{subject, FindString(IDS_HOTKEY_NOT_A_HOTKEY)};
    }
    const std::string text = HotkeyText(*hotkey);
    if (std::optional<std::string> breach = HotkeyRuleBreach(*hotkey)) {
        return RuleRefusal{text, std::move(*breach)};
    }
    const std::optional<Hotkey> replaced = ParseHotkey(replacing);
    const std::vector<ProfileHotkey> known = LoadHotkeys(storage);
    for (const ProfileHotkey& other : known) {
        if (other.hotkey == *hotkey && !(replaced && *replaced == *hotkey)) {
            return RuleRefusal{text,
                               FillString(IDS_HOTKEY_TAKEN, {ProfileFileName(other.profile)})};
        }
    }
    if (!replaced && known.size() >= kMostHotkeys) {
        return RuleRefusal{text, FillString(IDS_HOTKEY_TOO_MANY, {std::to_string(kMostHotkeys)})};
    }
    if (profile.empty()) {
        return RuleRefusal{text, FindString(IDS_HOTKEY_NO_PROFILE)};
    }
    if (std::optional<std::string> reason = check(profile)) {
        return RuleRefusal{profile, std::move(*reason)};
    }
    if (!storage.WriteValue(text, profile)) {
        return RuleRefusal{text, FindString(IDS_HOTKEY_NOT_WRITTEN)};
    }
    // Written first, so that a failed write keeps what was there: then the
    // replaced hotkey, and this one under any other spelling, go.
    for (const auto& [name, data] : storage.ReadValues()) {
        const std::optional<Hotkey> stored = ParseHotkey(name);
        if (name != text && stored && (*stored == *hotkey || (replaced && *stored == *replaced))) {
            storage.DeleteValue(name);
        }
    }
    return std::nullopt;
}

bool RemoveHotkey(HotkeyStorage& storage, std::string_view hotkeyText) {
    const std::optional<Hotkey> hotkey = ParseHotkey(hotkeyText);
    bool removed = false;
    for (const auto& [name, data] : storage.ReadValues()) {
        const std::optional<Hotkey> stored = ParseHotkey(name);
        const bool named = hotkey ? stored && *stored == *hotkey : name == hotkeyText;
        if (named && storage.DeleteValue(name)) {
            removed = true;
        }
    }
    return removed;
}

}  // namespace gd
