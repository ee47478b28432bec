#include "keys/key_name_source.h"

#include <cstring>
#include <string_view>

#include "keys/key_table.h"
#include "string_table.h"

namespace gd {
namespace {

struct BuiltInKeyName {
    std::uint32_t keyPart;  // scan code plus extended flag, as in the key table
    std::string_view name;
};

// Names as the Windows key-name service gives them for a US layout, so that
// a program without that service reads the same.
constexpr BuiltInKeyName kBuiltInKeyNames[] = {
    {0x00001, "Esc"},
    {0x0003B, "F1"},
    {0x0003C, "F2"},
    {0x0003D, "F3"},
    {0x0003E, "F4"},
    {0x0003F, "F5"},
    {0x00040, "F6"},
    {0x00041, "F7"},
    {0x00042, "F8"},
    {0x00043, "F9"},
    {0x00044, "F10"},
    {0x00057, "F11"},
    {0x00058, "F12"},
    {0x0000B, "0"},
    {0x00002, "1"},
    {0x00003, "2"},
    {0x00004, "3"},
    {0x00005, "4"},
    {0x00006, "5"},
    {0x00007, "6"},
    {0x00008, "7"},
    {0x00009, "8"},
    {0x0000A, "9"},
    {0x00029, "`"},
    {0x0000C, "-"},
    {0x0000D, "="},
    {0x0001A, "["},
    {0x0001B, "]"},
    {0x0002B, "\\"},
    {0x00027, ";"},
    {0x00028, "'"},
    {0x00033, ","},
    {0x00034, "."},
    {0x00035, "/"},
    {0x0001E, "A"},
    {0x00030, "B"},
    {0x0002E, "C"},
    {0x00020, "D"},
    {0x00012, "E"},
    {0x00021, "F"},
    {0x00022, "G"},
    {0x00023, "H"},
    {0x00017, "I"},
    {0x00024, "J"},
    {0x00025, "K"},
    {0x00026, "L"},
    {0x00032, "M"},
    {0x00031, "N"},
    {0x00018, "O"},
    {0x00019, "P"},
    {0x00010, "Q"},
    {0x00013, "R"},
    {0x0001F, "S"},
    {0x00014, "T"},
    {0x00016, "U"},
    {0x0002F, "V"},
    {0x00011, "W"},
    {0x0002D, "X"},
    {0x00015, "Y"},
    {0x0002C, "Z"},
    {0x0001C, "Enter"},
    {0x0000F, "Tab"},
    {0x00039, "Space"},
    {0x0000E, "Backspace"},
    {0x0003A, "Caps Lock"},
    {0x0002A, "Shift"},
    {0x0001D, "Ctrl"},
    {0x00038, "Alt"},
    {0x10036, "Right Shift"},
    {0x1001D, "Right Ctrl"},
    {0x10038, "Right Alt"},
    {0x1005B, "Left Windows"},
    {0x1005C, "Right Windows"},
    {0x1005D, "Application"},
    {0x10037, "Prnt Scrn"},
    {0x00046, "Scroll Lock"},
    {0x00045, "Pause"},
    {0x10052, "Insert"},
    {0x10053, "Delete"},
    {0x10047, "Home"},
    {0x1004F, "End"},
    {0x10049, "Page Up"},
    {0x10051, "Page Down"},
    {0x10048, "Up"},
    {0x10050, "Down"},
    {0x1004B, "Left"},
    {0x1004D, "Right"},
    {0x10045, "Num Lock"},
    {0x0004E, "Num +"},
    {0x0004A, "Num -"},
    {0x00037, "Num *"},
    {0x10035, "Num /"},
    {0x00052, "Num 0"},
    {0x0004F, "Num 1"},
    {0x00050, "Num 2"},
    {0x00051, "Num 3"},
    {0x0004B, "Num 4"},
    {0x0004C, "Num 5"},
    {0x0004D, "Num 6"},
    {0x00047, "Num 7"},
    {0x00048, "Num 8"},
    {0x00049, "Num 9"},
    {0x00053, "Num Del"},
    {0x1001C, "Num Enter"},
};

constexpr bool EveryTableKeyHasABuiltInName() {
    constexpr std::size_t keyCount = kKeyTableSize - kKeyTableMouseEntries;
    if (std::size(kBuiltInKeyNames) != keyCount) {
        return false;
    }
    for (std::size_t i = kKeyTableMouseEntries; i < kKeyTable.size(); ++i) {
        bool found = false;
        for (const BuiltInKeyName& known : kBuiltInKeyNames) {
            found = found || (known.keyPart == kKeyTable[i] && !known.name.empty());
        }
        if (!found) {
            return false;
        }
    }
    return true;
}
static_assert(EveryTableKeyHasABuiltInName(), "built-in names and key table disagree");

class BuiltInKeyNames final : public KeyNameSource {
  public:
    bool NameOf(std::uint32_t requestWord, char* buffer, std::size_t size) override {
        for (const BuiltInKeyName& known : kBuiltInKeyNames) {
            if (KeyNameRequest(known.keyPart) != requestWord) {
                continue;
            }
            if (buffer == nullptr || known.name.size() >= size) {
                return false;
            }
            std::memcpy(buffer, known.name.data(), known.name.size());
            buffer[known.name.size()] = '\0';
            return true;
        }
        return false;
    }
};

class BuiltInKeyTexts final : public KeyTextSource {
  public:
    std::string TextOf(KeyText text) override {
        const char* english = FindString(static_cast<unsigned>(text));
        return english != nullptr ? english : "";
    }
};

}  // namespace

KeyNameSource& BuiltInKeyNameSource() {
    static BuiltInKeyNames source;
    return source;
}

KeyTextSource& BuiltInKeyTextSource() {
    static BuiltInKeyTexts source;
    return source;
}

}  // namespace gd
