#include "keys/key_names.h"

#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#include "keys/key_name_source.h"

namespace gd {
namespace {

// The key-name service is always asked with a buffer of this size, whatever
// the caller's buffer: the renaming must see the whole name.
constexpr std::size_t kRequestBufferSize = 256;

// The one key the service may leave unnamed that the key table still offers.
constexpr std::uint32_t kRightShiftRequest = 0x01360000;
constexpr std::string_view kRightShiftName = "Right Shift";

// The service names the left modifiers like the generic ones; the lists and
// labels must tell them from the right-hand keys. Some services (Wine's X11
// driver) also give the generic name for the right-hand key, which sends the
// extended flag; that key must not be shown as the left one.
struct Renaming {
    std::string_view given;
    std::string_view left;
    std::string_view right;
};
constexpr Renaming kModifierNames[] = {
    {"Shift", "Left Shift", "Right Shift"},
    {"Ctrl", "Left Ctrl", "Right Ctrl"},
    {"Alt", "Left Alt", "Right Alt"},
};
constexpr std::uint32_t kExtendedRequestBit = 0x01000000;

struct ValueText {
    std::uint32_t value;
    KeyText text;
};
constexpr ValueText kButtonTexts[] = {
    {kMouseLeft, KeyText::LeftButton},
    {kMouseRight, KeyText::RightButton},
    {kMouseMiddle, KeyText::MiddleButton},
};
constexpr ValueText kActionTexts[] = {
    {kActionPress, KeyText::Press},
    {kActionRelease, KeyText::Release},
    {kActionClick, KeyText::Click},
};

constexpr KeyText kAllTexts[] = {KeyText::LeftButton, KeyText::RightButton, KeyText::MiddleButton,
                                 KeyText::Click,      KeyText::Press,       KeyText::Release};

constexpr std::size_t TextSlot(KeyText text) {
    std::size_t slot = 0;
    while (kAllTexts[slot] != text) {
        ++slot;
    }
    return slot;
}

// The selected sources and the texts loaded from the text source. This is all
// the mutable state of key naming; see key_name_source.h.
struct Naming {
    KeyNameSource* names = &BuiltInKeyNameSource();
    KeyTextSource* texts = &BuiltInKeyTextSource();
    std::array<std::optional<std::string>, std::size(kAllTexts)> loadedTexts;
};

Naming& Selected() {
    static Naming naming;
    return naming;
}

// Loaded once per selection and kept: the string table does not change while
// the program runs.
const std::string& Text(KeyText text) {
    Naming& naming = Selected();
    std::optional<std::string>& loaded = naming.loadedTexts[TextSlot(text)];
    if (!loaded) {
        std::string value = naming.texts->TextOf(text);
        // An empty label or list row would look like a missing assignment.
        loaded = value.empty() ? BuiltInKeyTextSource().TextOf(text) : std::move(value);
    }
    return *loaded;
}

const KeyText* FindText(const ValueText* begin, const ValueText* end, std::uint32_t value) {
    for (const ValueText* entry = begin; entry != end; ++entry) {
        if (entry->value == value) {
            return &entry->text;
        }
    }
    return nullptr;
}

bool ClearBuffer(char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) {
        return false;
    }
    std::memset(buffer, 0, size);
    return true;
}

// Writes the whole of `text` into a cleared buffer, or nothing.
bool PutWhole(std::string_view text, char* buffer, std::size_t size) {
    if (text.empty() || text.size() >= size) {
        return false;
    }
    std::memcpy(buffer, text.data(), text.size());
    return true;
}

// Empty when the key has no name.
std::string KeyName(EventCode code) {
    const std::uint32_t request = KeyNameRequest(code);
    char given[kRequestBufferSize] = {};
    const bool named = Selected().names->NameOf(request, given, sizeof given);
    // A source that filled the buffer without terminating it must not make
    // us read past it.
    given[sizeof given - 1] = '\0';
    if (named && given[0] != '\0') {
        const std::string_view name(given);
        for (const Renaming& renaming : kModifierNames) {
            if (name == renaming.given) {
                const bool rightHand = (request & kExtendedRequestBit) != 0;
                return std::string(rightHand ? renaming.right : renaming.left);
            }
        }
        return std::string(name);
    }
    if (request == kRightShiftRequest) {
        return std::string(kRightShiftName);
    }
    return {};
}

}  // namespace

KeyNameSource& UseKeyNameSource(KeyNameSource& source) {
    KeyNameSource& previous = *Selected().names;
    Selected().names = &source;
    return previous;
}

KeyTextSource& UseKeyTextSource(KeyTextSource& source) {
    Naming& naming = Selected();
    KeyTextSource& previous = *naming.texts;
    naming.texts = &source;
    naming.loadedTexts = {};
    return previous;
}

bool GetEventName(EventCode code, char* buffer, std::size_t size) {
    if (!ClearBuffer(buffer, size)) {
        return false;
    }
    switch (DeviceOf(code)) {
        case kDeviceMouse: {
            const KeyText* text =
                FindText(std::begin(kButtonTexts), std::end(kButtonTexts), ButtonOf(code));
            return text != nullptr && PutWhole(Text(*text), buffer, size);
        }
        case kDeviceKey:
            return PutWhole(KeyName(code), buffer, size);
        default:
            return false;
    }
}

bool GetActionName(EventCode code, char* buffer, std::size_t size) {
    if (!ClearBuffer(buffer, size)) {
        return false;
    }
    if (DeviceOf(code) != kDeviceKey && DeviceOf(code) != kDeviceMouse) {
        return false;
    }
    const KeyText* text =
        FindText(std::begin(kActionTexts), std::end(kActionTexts), ActionOf(code));
    return text != nullptr && PutWhole(Text(*text), buffer, size);
}

std::string EventName(EventCode code) {
    char name[kRequestBufferSize];
    return GetEventName(code, name, sizeof name) ? std::string(name) : std::string();
}

std::string ActionName(EventCode code) {
    char name[kRequestBufferSize];
    return GetActionName(code, name, sizeof name) ? std::string(name) : std::string();
}

}  // namespace gd
