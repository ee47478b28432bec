#include <cstring>
#include <memory>

#include "profile/ansi_text.h"
#include "profile/profile_json_document.h"
#include "profile/profile_json_schema.h"
#include "keys/key_names.h"

namespace gd::json {

namespace {

// Raised while writing the fields of a slot they cannot describe (an
// unknown play mode, too many events); the slot is then written as Raw.
struct Unrepresentable {};

// Differing bytes closer than this share one run, which reads better than
// many runs of a byte or two.
constexpr std::size_t kRunMergeGap = 8;

std::string Text(const char* field, std::size_t maxCharacters) {
    return AnsiToUtf8(ReadText(field, maxCharacters));
}

void PutCode(Json& object, EventCode code) {
    object["code"] = HexWord(code);
    if (const std::string name = EventName(code); !name.empty()) {
        object[DeviceOf(code) == kDeviceMouse ? "mouse" : "key"] = name;
    }
    if (const std::string action = ActionName(code); !action.empty()) {
        object["action"] = action;
    }
}

const char* PositionKind(const ActionRecord& action) {
    if (FlagsOf(action.code) == 1) {
        return "Absolute";
    }
    return action.x == 0 && action.y == 0 ? "Undefined" : "Relative";
}

void PutAction(Json& object, const ActionRecord& action, bool mouse) {
    PutCode(object, action.code);
    if (mouse) {
        object["position"] = PositionKind(action);
    }
    // A key uses only its code; the rest shows only when a file filled it.
    const auto put = [&](const char* key, auto value) {
        if (mouse || value != 0) {
            object[key] = value;
        }
    };
    put("x", action.x);
    put("y", action.y);
    put("screenWidth", action.screenWidth);
    put("screenHeight", action.screenHeight);
}

void PutMacro(Json& object, const MacroRecord& macro) {
    object["name"] = Text(macro.name, kMaxRecordName);
    const std::optional<std::string_view> playMode = NameOf(kPlayModes, macro.playMode);
    if (!playMode || macro.eventCount > kMaxMacroEvents) {
        throw Unrepresentable{};
    }
    object["playMode"] = *playMode;
    object["repeatInterval"] = macro.repeatInterval;
    object["screenWidth"] = macro.screenWidth;
    object["screenHeight"] = macro.screenHeight;
    Json events = Json::array();
    for (std::uint32_t i = 0; i < macro.eventCount; ++i) {
        Json event = Json::object();
        const EventCode code = macro.events[i];
        PutCode(event, code);
        const std::uint32_t position = macro.positions[i];
        // A key event's position means nothing; it shows only when set.
        if (DeviceOf(code) == kDeviceMouse || position != 0) {
            event["x"] = PositionX(position);
            event["y"] = PositionY(position);
        }
        event["delay"] = macro.delays[i];
        events.push_back(std::move(event));
    }
    object["events"] = std::move(events);
}

void PutLayer(Json& object, const Layer& layer) {
    const std::optional<std::string_view> kind = NameOf(kLayerKinds, layer.layerType);
    if (!kind) {
        throw Unrepresentable{};
    }
    object["kind"] = *kind;
    switch (layer.layerType) {
        case LayerType::Key:
            PutAction(object, layer.action, false);
            break;
        case LayerType::Mouse:
            PutAction(object, layer.action, true);
            break;
        case LayerType::Macro:
            PutMacro(object, layer.macro);
            break;
        default:
            break;
    }
}

void PutMultiLayer(Json& object, const MultiLayerRecord& record) {
    if (record.layerCount > kMaxLayers) {
        throw Unrepresentable{};
    }
    object["name"] = Text(record.name, kMaxRecordName);
    object["layerKind"] = kMultiLayerKindNames[static_cast<std::size_t>(MultiLayerKind(record))];
    Json layers = Json::array();
    for (std::uint32_t i = 0; i < record.layerCount; ++i) {
        Json layer = Json::object();
        PutLayer(layer, record.layers[i]);
        layers.push_back(std::move(layer));
    }
    object["layers"] = std::move(layers);
}

Json StructuredSlot(const ButtonSlot& slot, int slotIndex) {
    const std::optional<std::string_view> kind = NameOf(kSlotKinds, slot.slotType);
    if (!kind) {
        throw Unrepresentable{};
    }
    Json object = {{"button", ButtonName(slotIndex)}, {"kind", *kind}};
    switch (slot.slotType) {
        case SlotType::SingleKey:
            PutAction(object, slot.action, false);
            break;
        case SlotType::SingleMouse:
            PutAction(object, slot.action, true);
            break;
        case SlotType::Macro:
            PutMacro(object, slot.macro);
            break;
        case SlotType::MultiLayer:
            PutMultiLayer(object, slot.multiLayer);
            break;
        default:
            break;
    }
    return object;
}

// Runs of `actual` bytes in [first, size) that differ from `written`.
Json ExtraRuns(const std::uint8_t* actual, const std::uint8_t* written, std::size_t first,
               std::size_t size) {
    Json runs = Json::array();
    std::size_t pos = first;
    while (pos < size) {
        if (actual[pos] == written[pos]) {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        std::size_t end = pos + 1;
        for (std::size_t next = end; next < size && next - end < kRunMergeGap; ++next) {
            if (actual[next] != written[next]) {
                end = next + 1;
            }
        }
        runs.push_back(Json{{"at", start}, {"hex", HexBytes(actual + start, end - start)}});
        pos = end;
    }
    return runs;
}

template <typename Record>
void PutExtra(Json& object, const Record& actual, const Record& written, std::size_t first) {
    Json runs = ExtraRuns(reinterpret_cast<const std::uint8_t*>(&actual),
                          reinterpret_cast<const std::uint8_t*>(&written), first, sizeof actual);
    if (!runs.empty()) {
        object["extra"] = std::move(runs);
    }
}

Json SlotToJson(const ButtonSlot& slot, int slotIndex) {
    auto written = std::make_unique<ButtonSlot>();
    Json object;
    try {
        object = StructuredSlot(slot, slotIndex);
        // What the fields give back decides which bytes go to "extra"; a
        // value the reader would refuse sends the slot to Raw instead.
        ReadSlot(Node(object, ""), slotIndex, *written);
    } catch (const Unrepresentable&) {
        object = nullptr;
    } catch (const JsonInputError&) {
        object = nullptr;
    }
    if (object.is_null()) {
        object = {{"button", ButtonName(slotIndex)},
                  {"kind", kRawKind},
                  {"slotType", HexWord(slot.slotType)}};
        ClearSlot(*written);
        written->slotType = slot.slotType;
    }
    PutExtra(object, slot, *written, sizeof slot.slotType);
    return object;
}

Json SummaryToJson(const SummaryBlock& summary) {
    Json object = {
        {"name", Text(summary.name, sizeof summary.name)},
        {"game", Text(summary.game, sizeof summary.game)},
        {"author", Text(summary.author, sizeof summary.author)},
        {"comment", Text(summary.comment, sizeof summary.comment)},
        {"resolution",
         {{"width", ResolutionWidth(summary.resolution)},
          {"height", ResolutionHeight(summary.resolution)}}},
    };
    SummaryBlock written{};
    ReadSummary(Node(object, ""), written);
    PutExtra(object, summary, written, 0);
    return object;
}

bool IsPlain(const Json& value) {
    return !value.is_object() && !value.is_array();
}

bool FitsOneLine(const Json& value) {
    if (IsPlain(value)) {
        return true;
    }
    for (const Json& element : value) {
        if (!IsPlain(element)) {
            return false;
        }
    }
    return true;
}

void WriteOneLine(std::string& out, const Json& value) {
    if (IsPlain(value)) {
        out += value.dump();
        return;
    }
    const bool object = value.is_object();
    out += object ? "{" : "[";
    bool first = true;
    for (const auto& item : value.items()) {
        out += first ? "" : ", ";
        first = false;
        if (object) {
            out += Json(item.key()).dump() + ": ";
        }
        out += item.value().dump();
    }
    out += object ? "}" : "]";
}

void WriteIndented(std::string& out, const Json& value, int depth) {
    if (FitsOneLine(value)) {
        WriteOneLine(out, value);
        return;
    }
    const bool object = value.is_object();
    const std::size_t indent = 2 * static_cast<std::size_t>(depth + 1);
    out += object ? "{\n" : "[\n";
    bool first = true;
    for (const auto& item : value.items()) {
        out += first ? "" : ",\n";
        first = false;
        out.append(indent, ' ');
        if (object) {
            out += Json(item.key()).dump() + ": ";
        }
        WriteIndented(out, item.value(), depth + 1);
    }
    out += '\n';
    out.append(2 * static_cast<std::size_t>(depth), ' ');
    out += object ? '}' : ']';
}

}  // namespace

}  // namespace gd::json

namespace gd {

Json ProfileToJson(const ProfileImage& image, const SummaryBlock& summary) {
    Json buttons = Json::array();
    for (int i = 0; i < kButtonCount; ++i) {
        buttons.push_back(json::SlotToJson(image.slots[i], i));
    }
    return {
        {"format", kJsonFormat},
        {"version", kJsonVersion},
        {"summary", json::SummaryToJson(summary)},
        {"buttons", std::move(buttons)},
    };
}

std::string FormatJson(const Json& document) {
    std::string out;
    json::WriteIndented(out, document, 0);
    out += '\n';
    return out;
}

}  // namespace gd
