#include <cstring>
#include <memory>

#include "profile/ansi_text.h"
#include "profile/profile_json_document.h"
#include "profile/profile_json_schema.h"

namespace gd::json {

namespace {

enum class Device { Key, Mouse, KeyOrMouse };

template <std::size_t N>
std::vector<std::string_view> Names(const std::array<NamedValue, N>& table) {
    std::vector<std::string_view> names;
    names.reserve(N);
    for (const NamedValue& entry : table) {
        names.push_back(entry.name);
    }
    return names;
}

template <std::size_t N>
std::uint32_t ReadNamedValue(const Node& node, const std::array<NamedValue, N>& table) {
    return table[ReadChoice(node, Names(table))].value;
}

void ReadTextInto(const Node& node, char* field, std::size_t width, std::size_t maxCharacters) {
    std::string badCharacter;
    const std::optional<std::string> text = Utf8ToAnsi(ReadString(node), &badCharacter);
    if (!text) {
        node.Fail("character " + badCharacter + " has no Windows-1252 byte");
    }
    if (text->find('\0') != std::string::npos) {
        node.Fail("must not hold a zero character");
    }
    if (text->size() > maxCharacters) {
        node.Fail("text of " + std::to_string(text->size()) + " characters, the field holds " +
                  std::to_string(maxCharacters));
    }
    WriteText(field, width, *text);
}

template <std::size_t N>
void ReadOptionalText(ObjectReader& fields, std::string_view key, char (&field)[N],
                      std::size_t maxCharacters) {
    if (const std::optional<Node> node = fields.Optional(key)) {
        ReadTextInto(*node, field, N, maxCharacters);
    }
}

template <typename Number, typename Reader>
void ReadOptional(ObjectReader& fields, std::string_view key, Number& target, Reader read) {
    if (const std::optional<Node> node = fields.Optional(key)) {
        target = read(*node);
    }
}

std::uint32_t ReadAnyUnsigned(const Node& node) {
    return ReadUnsigned(node, 0, 0xFFFFFFFFu);
}

EventCode ReadCode(const Node& node, Device device) {
    const EventCode code = ReadWord(node);
    const std::string hex = HexWord(code) + ": ";
    const std::uint32_t kind = DeviceOf(code);
    const bool isKey = kind == kDeviceKey && device != Device::Mouse;
    const bool isMouse = kind == kDeviceMouse && device != Device::Key;
    if (!isKey && !isMouse) {
        node.Fail(hex + (device == Device::Key     ? "not a keyboard code (top byte 0x01)"
                         : device == Device::Mouse ? "not a mouse code (top byte 0x02)"
                                                   : "not a keyboard (0x01) or mouse (0x02) code"));
    }
    if (ActionOf(code) > kActionClick) {
        node.Fail(hex + "action (bits 20-23) must be 0 press, 1 release or 2 click");
    }
    if (FlagsOf(code) > 1) {
        node.Fail(hex + (isKey ? "flags (bits 16-19) must be 0, or 1 for an extended key"
                               : "flags (bits 16-19) must be 0 relative or 1 absolute"));
    }
    const std::uint32_t button = ButtonOf(code);
    if (isMouse && button != kMouseLeft && button != kMouseRight && button != kMouseMiddle) {
        node.Fail(hex + "button (bits 0-15) must be 1 left, 2 right or 4 middle");
    }
    return code;
}

void ReadAction(ObjectReader& fields, Device device, ActionRecord& action) {
    action.code = ReadCode(fields.Required("code"), device);
    const auto offset = [](const Node& node) {
        return ReadSigned(node, -kMaxMouseOffset, kMaxMouseOffset);
    };
    ReadOptional(fields, "x", action.x, offset);
    ReadOptional(fields, "y", action.y, offset);
    ReadOptional(fields, "screenWidth", action.screenWidth, ReadAnyUnsigned);
    ReadOptional(fields, "screenHeight", action.screenHeight, ReadAnyUnsigned);
    fields.Describes({"key", "mouse", "action", "position"});
}

void ReadEvent(const Node& node, MacroRecord& macro, std::size_t index) {
    ObjectReader fields(node);
    macro.events[index] = ReadCode(fields.Required("code"), Device::KeyOrMouse);
    const auto coordinate = [](const Node& n) { return ReadSigned(n, -32768, 32767); };
    std::int32_t x = 0;
    std::int32_t y = 0;
    ReadOptional(fields, "x", x, coordinate);
    ReadOptional(fields, "y", y, coordinate);
    macro.positions[index] = PackPosition(x, y);
    ReadOptional(fields, "delay", macro.delays[index], ReadAnyUnsigned);
    fields.Describes({"key", "mouse", "action"});
    fields.Finish();
}

void ReadMacro(ObjectReader& fields, MacroRecord& macro) {
    ReadOptionalText(fields, "name", macro.name, kMaxRecordName);
    macro.playMode = ReadNamedValue(fields.Required("playMode"), kPlayModes);
    const bool repeats =
        macro.playMode == PlayMode::WhilePressed || macro.playMode == PlayMode::Toggle;
    const std::uint32_t minInterval = repeats ? kMinRepeatInterval : 0;
    ReadOptional(fields, "repeatInterval", macro.repeatInterval, [&](const Node& node) {
        return ReadUnsigned(node, minInterval, kMaxRepeatInterval);
    });
    if (repeats && macro.repeatInterval == 0) {
        fields.node().Fail("missing field \"repeatInterval\" (30 to 60000 ms for this play mode)");
    }
    ReadOptional(fields, "screenWidth", macro.screenWidth, ReadAnyUnsigned);
    ReadOptional(fields, "screenHeight", macro.screenHeight, ReadAnyUnsigned);
    const std::vector<Node> events =
        ReadArray(fields.Required("events"), kMaxMacroEvents, "events");
    macro.eventCount = static_cast<std::uint32_t>(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        ReadEvent(events[i], macro, i);
    }
}

void ReadLayer(const Node& node, Layer& layer) {
    ObjectReader fields(node);
    layer.layerType = ReadNamedValue(fields.Required("kind"), kLayerKinds);
    switch (layer.layerType) {
        case LayerType::Key:
            ReadAction(fields, Device::Key, layer.action);
            break;
        case LayerType::Mouse:
            ReadAction(fields, Device::Mouse, layer.action);
            break;
        case LayerType::Macro:
            ReadMacro(fields, layer.macro);
            break;
        default:
            break;  // empty and stop layers have no fields
    }
    fields.Finish();
}

void ReadMultiLayer(ObjectReader& fields, MultiLayerRecord& record) {
    ReadOptionalText(fields, "name", record.name, kMaxRecordName);
    const std::vector<Node> layers = ReadArray(fields.Required("layers"), kMaxLayers, "layers");
    record.layerCount = static_cast<std::uint32_t>(layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        ReadLayer(layers[i], record.layers[i]);
    }
    fields.Describes({"layerKind"});
}

void ReadKindFields(ObjectReader& fields, ButtonSlot& slot) {
    switch (slot.slotType) {
        case SlotType::SingleKey:
            ReadAction(fields, Device::Key, slot.action);
            break;
        case SlotType::SingleMouse:
            ReadAction(fields, Device::Mouse, slot.action);
            break;
        case SlotType::Macro:
            ReadMacro(fields, slot.macro);
            break;
        case SlotType::MultiLayer:
            ReadMultiLayer(fields, slot.multiLayer);
            break;
        default:
            break;  // the other kinds have no fields of their own
    }
}

// Runs of bytes laid over [first, size) of `bytes`.
void ReadExtra(const Node& node, std::uint8_t* bytes, std::size_t first, std::size_t size) {
    for (const Node& run : ReadArray(node, size, "runs")) {
        ObjectReader fields(run);
        const Node atNode = fields.Required("at");
        const std::uint32_t at = ReadUnsigned(atNode, static_cast<std::uint32_t>(first),
                                              static_cast<std::uint32_t>(size - 1));
        const Node hexNode = fields.Required("hex");
        const std::vector<std::uint8_t> hex = ReadHexBytes(hexNode);
        if (hex.size() > size - at) {
            hexNode.Fail(std::to_string(hex.size()) + " bytes from offset " + std::to_string(at) +
                         " run past the end at " + std::to_string(size));
        }
        std::memcpy(bytes + at, hex.data(), hex.size());
        fields.Finish();
    }
}

}  // namespace

std::string ButtonName(int slotIndex) {
    std::string name(1, 'M');
    name += std::to_string(slotIndex + 1);
    return name;
}

void ReadSlot(const Node& node, int slotIndex, ButtonSlot& slot) {
    ObjectReader fields(node);
    ClearSlot(slot);
    if (const std::optional<Node> button = fields.Optional("button")) {
        if (ReadString(*button) != ButtonName(slotIndex)) {
            button->Fail("slot " + std::to_string(slotIndex + 1) + " is " + ButtonName(slotIndex) +
                         "; the buttons are listed in order");
        }
    }
    std::vector<std::string_view> kinds = Names(kSlotKinds);
    kinds.push_back(kRawKind);
    const std::size_t kind = ReadChoice(fields.Required("kind"), kinds);
    if (kind == kSlotKinds.size()) {
        slot.slotType = ReadWord(fields.Required("slotType"));
    } else {
        slot.slotType = kSlotKinds[kind].value;
        ReadKindFields(fields, slot);
    }
    if (const std::optional<Node> extra = fields.Optional("extra")) {
        ReadExtra(*extra, reinterpret_cast<std::uint8_t*>(&slot), sizeof slot.slotType,
                  sizeof slot);
    }
    fields.Finish();
}

void ReadSummary(const Node& node, SummaryBlock& summary) {
    ObjectReader fields(node);
    std::memset(&summary, 0, sizeof summary);
    ReadOptionalText(fields, "name", summary.name, sizeof summary.name);
    ReadOptionalText(fields, "game", summary.game, sizeof summary.game);
    ReadOptionalText(fields, "author", summary.author, sizeof summary.author);
    ReadOptionalText(fields, "comment", summary.comment, sizeof summary.comment);
    if (const std::optional<Node> resolution = fields.Optional("resolution")) {
        ObjectReader size(*resolution);
        // The program reads the width with a signed shift of the whole word.
        const std::int32_t width = ReadSigned(size.Required("width"), -32768, 32767);
        const std::uint32_t height = ReadUnsigned(size.Required("height"), 0, 0xFFFF);
        size.Finish();
        summary.resolution = MakeResolution(static_cast<std::uint32_t>(width), height);
    }
    if (const std::optional<Node> extra = fields.Optional("extra")) {
        ReadExtra(*extra, reinterpret_cast<std::uint8_t*>(&summary), 0, sizeof summary);
    }
    fields.Finish();
}

}  // namespace gd::json

namespace gd {

using json::Node;
using json::ObjectReader;

std::optional<JsonProblem> ProfileFromJson(const Json& document, ProfileImage& image,
                                           SummaryBlock& summary) {
    auto newImage = std::make_unique<ProfileImage>();
    SummaryBlock newSummary{};
    try {
        ObjectReader fields(Node(document, ""));
        const Node format = fields.Required("format");
        if (ReadString(format) != kJsonFormat) {
            format.Fail(std::string("must be \"") + kJsonFormat + "\"");
        }
        const Node version = fields.Required("version");
        if (!version.value().is_number_integer() || version.value() != kJsonVersion) {
            version.Fail("unsupported version " + version.value().dump() + ": only version " +
                         std::to_string(kJsonVersion) + " is read");
        }
        if (const std::optional<Node> summaryNode = fields.Optional("summary")) {
            json::ReadSummary(*summaryNode, newSummary);
        }
        const Node buttons = fields.Required("buttons");
        const std::vector<Node> slots = ReadArray(buttons, kButtonCount, "buttons");
        if (slots.size() != kButtonCount) {
            buttons.Fail(std::to_string(slots.size()) + " buttons, a profile has " +
                         std::to_string(kButtonCount));
        }
        for (int i = 0; i < kButtonCount; ++i) {
            json::ReadSlot(slots[i], i, newImage->slots[i]);
        }
        fields.Finish();
    } catch (const JsonInputError& error) {
        return error.problem();
    }
    std::memcpy(&image, newImage.get(), sizeof image);
    summary = newSummary;
    return std::nullopt;
}

}  // namespace gd
